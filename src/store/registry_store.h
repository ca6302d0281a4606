// Typed access to the registry layout. Every call opens its key by full
// path, does its one job and closes the key again; nothing stays open.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "store/value_codec.h"

namespace keylark::store {

using platform::Root;
using platform::Status;

// An open registry key that closes itself.
class ScopedKey {
 public:
  ScopedKey(platform::Registry& registry, Root root, const std::string& path, bool create);
  ~ScopedKey();
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;

  bool IsOpen() const { return handle_ != 0; }
  Status OpenStatus() const { return status_; }
  platform::KeyHandle Handle() const { return handle_; }
  platform::Registry& Registry() const { return registry_; }

  // Size query only: kSuccess when the value exists.
  Status QuerySize(const std::string& name, std::uint32_t* size) const;
  // The value's bytes (and its type, when asked), or nothing when it is
  // absent or cannot be read.
  std::optional<Bytes> ReadBytes(const std::string& name, std::uint32_t* type = nullptr) const;
  // The value as text cut at its first NUL, or nothing when absent.
  std::optional<std::string> ReadText(const std::string& name) const;
  Status Write(const std::string& name, std::uint32_t type, const Bytes& data) const;
  Status WriteText(const std::string& name, const std::string& text) const;
  Status DeleteValue(const std::string& name) const;
  // The names of the key's subkeys in the order the registry enumerates
  // them, all read before the caller changes anything. A list that shrinks
  // while it is read simply ends early; a key that cannot be asked gives none.
  std::vector<std::string> SubkeyNames() const;

 private:
  platform::Registry& registry_;
  platform::KeyHandle handle_ = 0;
  Status status_ = platform::kInvalidHandle;
};

// Whether a writer may create the key it writes to.
enum class KeyMode { OpenExisting, CreateIfMissing };

class Store {
 public:
  explicit Store(platform::Registry& registry) : registry_(registry) {}

  platform::Registry& Registry() const { return registry_; }

  bool KeyExists(Root root, const std::string& path) const;
  // Status of the size query of one value (kSuccess when it exists).
  Status QueryValueSize(Root root, const std::string& path, const std::string& name) const;
  std::optional<std::string> ReadText(Root root, const std::string& path,
                                      const std::string& name) const;
  std::optional<std::string> ReadText(const std::string& path, const std::string& name) const {
    return ReadText(Root::CurrentUser, path, name);
  }
  // A flag of HKEY_CURRENT_USER: on only when its text is exactly "1".
  bool ReadFlag(const std::string& path, const std::string& name) const;

  Status WriteText(const std::string& path, const std::string& name, const std::string& text,
                   KeyMode mode) const;
  Status WriteFlag(const std::string& path, const std::string& name, bool on, KeyMode mode) const;
  Status WriteEmptyPlaceholder(const std::string& path, const std::string& name,
                               KeyMode mode) const;
  Status DeleteValue(const std::string& path, const std::string& name) const;

  // The key bar position in twips ("X"/"Y" in "ini\cfg").
  std::optional<double> ReadPosition(const std::string& name) const;
  Status WritePosition(const std::string& name, double twips, KeyMode mode) const;

  // The published key bar window handle, a REG_DWORD under "Software\Korvane".
  Status PublishWindowHandle(std::uint32_t handle) const;
  std::optional<std::uint32_t> ReadPublishedWindowHandle() const;
  Status WithdrawWindowHandle() const;

 private:
  platform::Registry& registry_;
};

}  // namespace keylark::store
