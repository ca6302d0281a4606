#include "contract/registry_contract.h"

#include <cstring>
#include <vector>

namespace keylark::contract {
namespace {

using platform::KeyHandle;
using platform::Root;
using platform::Status;

constexpr const char* kScratchRoot = "Software\\KeylarkContractScratch";

std::vector<std::uint8_t> Bytes(const char* text, std::size_t size) {
  return std::vector<std::uint8_t>(text, text + size);
}

// Opens or creates a key for one test step and closes it at scope end.
class Key {
 public:
  Key(platform::Registry& registry, Root root, const std::string& path, bool create)
      : registry_(registry) {
    status_ =
        create ? registry.CreateKey(root, path, &handle_) : registry.OpenKey(root, path, &handle_);
  }
  ~Key() {
    if (handle_ != 0) registry_.CloseKey(handle_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  KeyHandle h() const { return handle_; }
  Status status() const { return status_; }

  Status Set(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) {
    return registry_.SetValue(handle_, name, type, data.data(),
                              static_cast<std::uint32_t>(data.size()));
  }
  std::vector<std::uint8_t> Get(const std::string& name, std::uint32_t* type = nullptr) {
    std::uint32_t size = 0;
    EXPECT_EQ(registry_.QueryValue(handle_, name, nullptr, nullptr, &size), platform::kSuccess);
    std::vector<std::uint8_t> data(size + 1, 0xCC);
    std::uint32_t read = size;
    EXPECT_EQ(registry_.QueryValue(handle_, name, type, data.data(), &read), platform::kSuccess);
    data.resize(read);
    return data;
  }

 private:
  platform::Registry& registry_;
  KeyHandle handle_ = 0;
  Status status_ = 0;
};

}  // namespace

void DeleteTree(platform::Registry& registry, Root root, const std::string& path) {
  KeyHandle key = 0;
  if (registry.OpenKey(root, path, &key) != platform::kSuccess) return;
  std::vector<std::string> children;
  char name[512];
  for (std::uint32_t i = 0; registry.EnumKey(key, i, name, sizeof name) == platform::kSuccess;
       ++i) {
    children.emplace_back(name);
  }
  for (const std::string& child : children) DeleteTree(registry, root, path + "\\" + child);
  registry.CloseKey(key);
  const auto slash = path.rfind('\\');
  KeyHandle parent = 0;
  if (registry.OpenKey(root, path.substr(0, slash), &parent) == platform::kSuccess) {
    registry.DeleteKey(parent, path.substr(slash + 1));
    registry.CloseKey(parent);
  }
}

std::string RegistryContract::Scratch(const std::string& relative) {
  return relative.empty() ? kScratchRoot : std::string(kScratchRoot) + "\\" + relative;
}

void RegistryContract::SetUp() {
  registry_ = GetParam().make();
  DeleteTree(*registry_, Root::CurrentUser, kScratchRoot);
  DeleteTree(*registry_, Root::LocalMachine, kScratchRoot);
}

void RegistryContract::TearDown() {
  DeleteTree(*registry_, Root::CurrentUser, kScratchRoot);
  DeleteTree(*registry_, Root::LocalMachine, kScratchRoot);
}

TEST_P(RegistryContract, OpeningAMissingKeyFailsAndCreateMakesEveryParent) {
  KeyHandle handle = 123;
  EXPECT_EQ(reg().OpenKey(Root::CurrentUser, Scratch("a\\b\\c"), &handle), platform::kFileNotFound);
  EXPECT_EQ(handle, 0U);

  {
    Key created(reg(), Root::CurrentUser, Scratch("a\\b\\c"), true);
    EXPECT_EQ(created.status(), platform::kSuccess);
    EXPECT_NE(created.h(), 0U);
  }
  EXPECT_EQ(Key(reg(), Root::CurrentUser, Scratch("a"), false).status(), platform::kSuccess);
  EXPECT_EQ(Key(reg(), Root::CurrentUser, Scratch("A\\B"), false).status(), platform::kSuccess);
  // Creating an existing key opens it and keeps its values.
  {
    Key c(reg(), Root::CurrentUser, Scratch("a\\b\\c"), false);
    ASSERT_EQ(c.Set("v", platform::kRegSz, Bytes("1", 2)), platform::kSuccess);
  }
  Key again(reg(), Root::CurrentUser, Scratch("a\\b\\c"), true);
  EXPECT_EQ(again.Get("v"), Bytes("1", 2));
  // The two roots are separate trees.
  EXPECT_EQ(Key(reg(), Root::LocalMachine, Scratch("a"), false).status(), platform::kFileNotFound);
}

TEST_P(RegistryContract, ValuesAreQueriedSizeFirstAndReturnedExactly) {
  Key key(reg(), Root::CurrentUser, Scratch("values"), true);
  ASSERT_EQ(key.Set("Text", platform::kRegSz, Bytes("abc", 4)), platform::kSuccess);

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(reg().QueryValue(key.h(), "Text", &type, nullptr, &size), platform::kSuccess);
  EXPECT_EQ(type, platform::kRegSz);
  EXPECT_EQ(size, 4U);

  std::uint8_t small[2] = {};
  size = sizeof small;
  EXPECT_EQ(reg().QueryValue(key.h(), "Text", nullptr, small, &size), platform::kMoreData);
  EXPECT_EQ(size, 4U);
  EXPECT_EQ(key.Get("Text"), Bytes("abc", 4));

  size = 77;
  EXPECT_EQ(reg().QueryValue(key.h(), "Missing", nullptr, nullptr, &size), platform::kFileNotFound);
}

TEST_P(RegistryContract, TextDataKeepsOddLayoutsByteForByte) {
  Key key(reg(), Root::CurrentUser, Scratch("layouts"), true);
  // Five characters without NUL (a long position), the three-zero placeholder,
  // a text with NUL padding, and an empty value.
  ASSERT_EQ(key.Set("Long", platform::kRegSz, Bytes("10005", 5)), platform::kSuccess);
  ASSERT_EQ(key.Set("Empty3", platform::kRegSz, Bytes("\0\0\0", 3)), platform::kSuccess);
  ASSERT_EQ(key.Set("Padded", platform::kRegSz, Bytes("-15\0\0", 5)), platform::kSuccess);
  ASSERT_EQ(key.Set("Nothing", platform::kRegSz, {}), platform::kSuccess);

  EXPECT_EQ(key.Get("Long"), Bytes("10005", 5));
  EXPECT_EQ(key.Get("Empty3"), Bytes("\0\0\0", 3));
  EXPECT_EQ(key.Get("Padded"), Bytes("-15\0\0", 5));
  std::uint32_t size = 9;
  EXPECT_EQ(reg().QueryValue(key.h(), "Nothing", nullptr, nullptr, &size), platform::kSuccess);
  EXPECT_EQ(size, 0U);
}

TEST_P(RegistryContract, DwordAndBinaryValuesRoundTrip) {
  Key key(reg(), Root::CurrentUser, Scratch("types"), true);
  const std::vector<std::uint8_t> dword = {0x78, 0x56, 0x34, 0x12};
  const std::vector<std::uint8_t> binary = {0, 1, 0, 2, 0xFF};
  ASSERT_EQ(key.Set("Handle", platform::kRegDword, dword), platform::kSuccess);
  ASSERT_EQ(key.Set("Blob", platform::kRegBinary, binary), platform::kSuccess);
  std::uint32_t type = 0;
  EXPECT_EQ(key.Get("Handle", &type), dword);
  EXPECT_EQ(type, platform::kRegDword);
  EXPECT_EQ(key.Get("Blob", &type), binary);
  EXPECT_EQ(type, platform::kRegBinary);
}

TEST_P(RegistryContract, ValueNamesIgnoreCase) {
  Key key(reg(), Root::CurrentUser, Scratch("case"), true);
  ASSERT_EQ(key.Set("X", platform::kRegSz, Bytes("1", 2)), platform::kSuccess);
  EXPECT_EQ(key.Get("x"), Bytes("1", 2));
  ASSERT_EQ(key.Set("x", platform::kRegSz, Bytes("22", 3)), platform::kSuccess);
  EXPECT_EQ(key.Get("X"), Bytes("22", 3));

  EXPECT_EQ(reg().DeleteValue(key.h(), "x"), platform::kSuccess);
  std::uint32_t size = 0;
  EXPECT_EQ(reg().QueryValue(key.h(), "X", nullptr, nullptr, &size), platform::kFileNotFound);
  EXPECT_EQ(reg().DeleteValue(key.h(), "X"), platform::kFileNotFound);
}

TEST_P(RegistryContract, SubkeysEnumerateInCaseInsensitiveOrderWithTheirSpelling) {
  for (const char* name : {"beta", "Alpha", "gamma long name", "Delta"}) {
    Key(reg(), Root::CurrentUser, Scratch("list\\") + name, true);
  }
  Key list(reg(), Root::CurrentUser, Scratch("list"), false);
  std::vector<std::string> names;
  char buffer[64];
  std::uint32_t index = 0;
  Status status = 0;
  while ((status = reg().EnumKey(list.h(), index, buffer, sizeof buffer)) == platform::kSuccess) {
    names.emplace_back(buffer);
    ++index;
  }
  EXPECT_EQ(status, platform::kNoMoreItems);
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "Delta", "gamma long name"}));

  char tiny[3];
  EXPECT_EQ(reg().EnumKey(list.h(), 0, tiny, sizeof tiny), platform::kMoreData);

  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  EXPECT_EQ(reg().QueryInfoKey(list.h(), &count, &longest), platform::kSuccess);
  EXPECT_EQ(count, 4U);
  EXPECT_EQ(longest, std::strlen("gamma long name"));
}

TEST_P(RegistryContract, DeleteKeyRemovesOnlyLeaves) {
  Key(reg(), Root::CurrentUser, Scratch("tree\\leaf\\deeper"), true);
  Key tree(reg(), Root::CurrentUser, Scratch("tree"), false);
  EXPECT_EQ(reg().DeleteKey(tree.h(), "leaf"), platform::kAccessDenied);
  {
    Key leaf(reg(), Root::CurrentUser, Scratch("tree\\leaf"), false);
    EXPECT_EQ(reg().DeleteKey(leaf.h(), "DEEPER"), platform::kSuccess);
  }
  EXPECT_EQ(reg().DeleteKey(tree.h(), "leaf"), platform::kSuccess);
  EXPECT_EQ(Key(reg(), Root::CurrentUser, Scratch("tree\\leaf"), false).status(),
            platform::kFileNotFound);
  EXPECT_EQ(reg().DeleteKey(tree.h(), "leaf"), platform::kFileNotFound);
  std::uint32_t count = 9;
  EXPECT_EQ(reg().QueryInfoKey(tree.h(), &count, nullptr), platform::kSuccess);
  EXPECT_EQ(count, 0U);
}

TEST_P(RegistryContract, LocalMachineKeysWorkLikeCurrentUserKeys) {
  Key key(reg(), Root::LocalMachine, Scratch("reserve"), true);
  ASSERT_EQ(key.Set("A", platform::kRegDword, {1, 0, 0, 0}), platform::kSuccess);
  Key again(reg(), Root::LocalMachine, Scratch("Reserve"), false);
  EXPECT_EQ(again.Get("a"), (std::vector<std::uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(Key(reg(), Root::CurrentUser, Scratch("reserve"), false).status(),
            platform::kFileNotFound);
}

}  // namespace keylark::contract
