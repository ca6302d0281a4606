#include "store/registry_store.h"

#include <cstring>

#include "store/layout.h"

namespace keylark::store {
namespace {

// No value this program writes comes near this; anything larger is not ours
// and reads as absent rather than being allocated.
constexpr std::uint32_t kLargestReadableValue = 1U << 20;

// A value that keeps growing between the size query and the read is given up.
constexpr int kReadAttempts = 3;

// Room beyond the longest subkey name the key reported, so a name that grew
// in the meantime still fits.
constexpr std::uint32_t kSubkeyNameSlack = 100;

}  // namespace

ScopedKey::ScopedKey(platform::Registry& registry, Root root, const std::string& path, bool create)
    : registry_(registry) {
  status_ =
      create ? registry_.CreateKey(root, path, &handle_) : registry_.OpenKey(root, path, &handle_);
  if (status_ != platform::kSuccess) handle_ = 0;
}

ScopedKey::~ScopedKey() {
  if (handle_ != 0) registry_.CloseKey(handle_);
}

Status ScopedKey::QuerySize(const std::string& name, std::uint32_t* size) const {
  if (!IsOpen()) return status_;
  std::uint32_t bytes = 0;
  const Status status = registry_.QueryValue(handle_, name, nullptr, nullptr, &bytes);
  if (size != nullptr) *size = bytes;
  return status;
}

std::optional<Bytes> ScopedKey::ReadBytes(const std::string& name, std::uint32_t* type) const {
  std::uint32_t size = 0;
  if (QuerySize(name, &size) != platform::kSuccess) return std::nullopt;
  // The size the ...A query reports can fall short of the text it hands
  // back: under the UTF-8 code page a character of two UTF-16 bytes may take
  // three. A read that asks for more room is tried again with what it asks.
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    if (size > kLargestReadableValue) return std::nullopt;
    Bytes data(size);
    std::uint32_t read = size;
    // A zero-length value still needs a valid buffer address for the data read.
    std::uint8_t empty = 0;
    const Status status =
        registry_.QueryValue(handle_, name, type, size == 0 ? &empty : data.data(), &read);
    if (status == platform::kMoreData && read > size) {
      size = read;
      continue;
    }
    if (status != platform::kSuccess) return std::nullopt;
    if (read < size) data.resize(read);
    return data;
  }
  return std::nullopt;
}

std::optional<std::string> ScopedKey::ReadText(const std::string& name) const {
  const std::optional<Bytes> data = ReadBytes(name);
  if (!data) return std::nullopt;
  return DecodeText(data->data(), data->size());
}

Status ScopedKey::Write(const std::string& name, std::uint32_t type, const Bytes& data) const {
  if (!IsOpen()) return status_;
  return registry_.SetValue(handle_, name, type, data.data(),
                            static_cast<std::uint32_t>(data.size()));
}

Status ScopedKey::WriteText(const std::string& name, const std::string& text) const {
  return Write(name, platform::kRegSz, EncodeText(text));
}

Status ScopedKey::DeleteValue(const std::string& name) const {
  if (!IsOpen()) return status_;
  return registry_.DeleteValue(handle_, name);
}

std::vector<std::string> ScopedKey::SubkeyNames() const {
  std::vector<std::string> names;
  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  if (!IsOpen() || registry_.QueryInfoKey(handle_, &count, &longest) != platform::kSuccess) {
    return names;
  }
  names.reserve(count);
  std::vector<char> buffer(static_cast<std::size_t>(longest) + kSubkeyNameSlack);
  for (std::uint32_t index = 0; index < count; ++index) {
    buffer.assign(buffer.size(), '\0');
    if (registry_.EnumKey(handle_, index, buffer.data(),
                          static_cast<std::uint32_t>(buffer.size())) != platform::kSuccess) {
      break;
    }
    names.push_back(
        DecodeText(reinterpret_cast<const std::uint8_t*>(buffer.data()), buffer.size()));
  }
  return names;
}

bool Store::KeyExists(Root root, const std::string& path) const {
  return ScopedKey(registry_, root, path, false).IsOpen();
}

Status Store::QueryValueSize(Root root, const std::string& path, const std::string& name) const {
  const ScopedKey key(registry_, root, path, false);
  return key.QuerySize(name, nullptr);
}

std::optional<std::string> Store::ReadText(Root root, const std::string& path,
                                           const std::string& name) const {
  const ScopedKey key(registry_, root, path, false);
  return key.ReadText(name);
}

bool Store::ReadFlag(const std::string& path, const std::string& name) const {
  const std::optional<std::string> text = ReadText(path, name);
  return text && IsFlagOn(*text);
}

Status Store::WriteText(const std::string& path, const std::string& name, const std::string& text,
                        KeyMode mode) const {
  const ScopedKey key(registry_, Root::CurrentUser, path, mode == KeyMode::CreateIfMissing);
  return key.WriteText(name, text);
}

Status Store::WriteFlag(const std::string& path, const std::string& name, bool on,
                        KeyMode mode) const {
  const ScopedKey key(registry_, Root::CurrentUser, path, mode == KeyMode::CreateIfMissing);
  return key.Write(name, platform::kRegSz, EncodeFlag(on));
}

Status Store::WriteEmptyPlaceholder(const std::string& path, const std::string& name,
                                    KeyMode mode) const {
  const ScopedKey key(registry_, Root::CurrentUser, path, mode == KeyMode::CreateIfMissing);
  return key.Write(name, platform::kRegSz, EmptyPlaceholder());
}

Status Store::DeleteValue(const std::string& path, const std::string& name) const {
  const ScopedKey key(registry_, Root::CurrentUser, path, false);
  return key.DeleteValue(name);
}

std::optional<double> Store::ReadPosition(const std::string& name) const {
  const ScopedKey key(registry_, Root::CurrentUser, kConfigKey, false);
  const std::optional<Bytes> data = key.ReadBytes(name);
  if (!data) return std::nullopt;
  return DecodePosition(data->data(), data->size());
}

Status Store::WritePosition(const std::string& name, double twips, KeyMode mode) const {
  const ScopedKey key(registry_, Root::CurrentUser, kConfigKey, mode == KeyMode::CreateIfMissing);
  return key.Write(name, platform::kRegSz, EncodePosition(twips));
}

Status Store::PublishWindowHandle(std::uint32_t handle) const {
  const ScopedKey key(registry_, Root::CurrentUser, kMakerKey, true);
  Bytes data(sizeof handle);
  std::memcpy(data.data(), &handle, sizeof handle);  // REG_DWORD is little-endian
  return key.Write(kWindowHandleValue, platform::kRegDword, data);
}

std::optional<std::uint32_t> Store::ReadPublishedWindowHandle() const {
  const ScopedKey key(registry_, Root::CurrentUser, kMakerKey, false);
  const std::optional<Bytes> data = key.ReadBytes(kWindowHandleValue);
  if (!data || data->size() < sizeof(std::uint32_t)) return std::nullopt;
  std::uint32_t handle = 0;
  std::memcpy(&handle, data->data(), sizeof handle);
  return handle;
}

Status Store::WithdrawWindowHandle() const {
  const ScopedKey key(registry_, Root::CurrentUser, kMakerKey, false);
  return key.DeleteValue(kWindowHandleValue);
}

}  // namespace keylark::store
