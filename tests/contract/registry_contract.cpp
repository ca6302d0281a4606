#include "contract/registry_contract.h"

#include "store/registry_store.h"

#include <cstring>
#include <tuple>
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

using Key = store::ScopedKey;

// A value's bytes, read size first, exactly as many as the registry reports.
std::vector<std::uint8_t> Get(const Key& key, const std::string& name) {
  return key.ReadBytes(name).value_or(std::vector<std::uint8_t>{0xEE});
}

}  // namespace

void DeleteTree(platform::Registry& registry, Root root, const std::string& path) {
  for (const std::string& child : Key(registry, root, path, false).SubkeyNames()) {
    DeleteTree(registry, root, path + "\\" + child);
  }
  const auto slash = path.rfind('\\');
  const Key parent(registry, root, path.substr(0, slash), false);
  if (parent.IsOpen()) registry.DeleteKey(parent.Handle(), path.substr(slash + 1));
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
    EXPECT_EQ(created.OpenStatus(), platform::kSuccess);
    EXPECT_NE(created.Handle(), 0U);
  }
  EXPECT_EQ(Key(reg(), Root::CurrentUser, Scratch("a"), false).OpenStatus(), platform::kSuccess);
  EXPECT_EQ(Key(reg(), Root::CurrentUser, Scratch("A\\B"), false).OpenStatus(), platform::kSuccess);
  // Creating an existing key opens it and keeps its values.
  {
    Key c(reg(), Root::CurrentUser, Scratch("a\\b\\c"), false);
    ASSERT_EQ(c.Write("v", platform::kRegSz, Bytes("1", 2)), platform::kSuccess);
  }
  Key again(reg(), Root::CurrentUser, Scratch("a\\b\\c"), true);
  EXPECT_EQ(Get(again, "v"), Bytes("1", 2));
  // The two roots are separate trees.
  EXPECT_EQ(Key(reg(), Root::LocalMachine, Scratch("a"), false).OpenStatus(),
            platform::kFileNotFound);
}

TEST_P(RegistryContract, ValuesAreQueriedSizeFirstAndReturnedExactly) {
  Key key(reg(), Root::CurrentUser, Scratch("values"), true);
  ASSERT_EQ(key.Write("Text", platform::kRegSz, Bytes("abc", 4)), platform::kSuccess);

  std::uint32_t size = 0;
  EXPECT_EQ(reg().QueryValue(key.Handle(), "Text", nullptr, nullptr, &size), platform::kSuccess);
  EXPECT_EQ(size, 4U);

  std::uint8_t small[2] = {};
  size = sizeof small;
  EXPECT_EQ(reg().QueryValue(key.Handle(), "Text", nullptr, small, &size), platform::kMoreData);
  EXPECT_EQ(size, 4U);
  EXPECT_EQ(Get(key, "Text"), Bytes("abc", 4));

  size = 77;
  EXPECT_EQ(reg().QueryValue(key.Handle(), "Missing", nullptr, nullptr, &size),
            platform::kFileNotFound);
}

TEST_P(RegistryContract, DataOfEveryLayoutAndTypeIsKeptByteForByte) {
  Key key(reg(), Root::CurrentUser, Scratch("layouts"), true);
  // Five characters without NUL (a long position), the three-zero placeholder,
  // a text with NUL padding, an empty value, a window handle and binary data.
  const std::tuple<const char*, std::uint32_t, std::vector<std::uint8_t>> values[] = {
      {"Long", platform::kRegSz, Bytes("10005", 5)},
      {"Empty3", platform::kRegSz, Bytes("\0\0\0", 3)},
      {"Padded", platform::kRegSz, Bytes("-15\0\0", 5)},
      {"Nothing", platform::kRegSz, {}},
      {"Handle", platform::kRegDword, {0x78, 0x56, 0x34, 0x12}},
      {"Blob", platform::kRegBinary, {0, 1, 0, 2, 0xFF}},
  };
  for (const auto& [name, type, data] : values) {
    ASSERT_EQ(key.Write(name, type, data), platform::kSuccess);
  }
  for (const auto& [name, type, data] : values) {
    std::uint32_t stored_type = 0;
    std::uint32_t size = 99;
    EXPECT_EQ(reg().QueryValue(key.Handle(), name, &stored_type, nullptr, &size),
              platform::kSuccess);
    EXPECT_EQ(stored_type, type) << name;
    EXPECT_EQ(size, data.size()) << name;
    EXPECT_EQ(Get(key, name), data) << name;
  }
}

TEST_P(RegistryContract, ValueNamesIgnoreCase) {
  Key key(reg(), Root::CurrentUser, Scratch("case"), true);
  ASSERT_EQ(key.Write("X", platform::kRegSz, Bytes("1", 2)), platform::kSuccess);
  EXPECT_EQ(Get(key, "x"), Bytes("1", 2));
  ASSERT_EQ(key.Write("x", platform::kRegSz, Bytes("22", 3)), platform::kSuccess);
  EXPECT_EQ(Get(key, "X"), Bytes("22", 3));

  EXPECT_EQ(reg().DeleteValue(key.Handle(), "x"), platform::kSuccess);
  std::uint32_t size = 0;
  EXPECT_EQ(reg().QueryValue(key.Handle(), "X", nullptr, nullptr, &size), platform::kFileNotFound);
  EXPECT_EQ(reg().DeleteValue(key.Handle(), "X"), platform::kFileNotFound);
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
  while ((status = reg().EnumKey(list.Handle(), index, buffer, sizeof buffer)) ==
         platform::kSuccess) {
    names.emplace_back(buffer);
    ++index;
  }
  EXPECT_EQ(status, platform::kNoMoreItems);
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "Delta", "gamma long name"}));

  char tiny[3];
  EXPECT_EQ(reg().EnumKey(list.Handle(), 0, tiny, sizeof tiny), platform::kMoreData);

  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  EXPECT_EQ(reg().QueryInfoKey(list.Handle(), &count, &longest), platform::kSuccess);
  EXPECT_EQ(count, 4U);
  EXPECT_EQ(longest, std::strlen("gamma long name"));
}

TEST_P(RegistryContract, DeleteKeyRemovesOnlyLeaves) {
  Key(reg(), Root::CurrentUser, Scratch("tree\\leaf\\deeper"), true);
  Key tree(reg(), Root::CurrentUser, Scratch("tree"), false);
  EXPECT_EQ(reg().DeleteKey(tree.Handle(), "leaf"), platform::kAccessDenied);
  {
    Key leaf(reg(), Root::CurrentUser, Scratch("tree\\leaf"), false);
    EXPECT_EQ(reg().DeleteKey(leaf.Handle(), "DEEPER"), platform::kSuccess);
  }
  EXPECT_EQ(reg().DeleteKey(tree.Handle(), "leaf"), platform::kSuccess);
  EXPECT_EQ(Key(reg(), Root::CurrentUser, Scratch("tree\\leaf"), false).OpenStatus(),
            platform::kFileNotFound);
  EXPECT_EQ(reg().DeleteKey(tree.Handle(), "leaf"), platform::kFileNotFound);
  std::uint32_t count = 9;
  EXPECT_EQ(reg().QueryInfoKey(tree.Handle(), &count, nullptr), platform::kSuccess);
  EXPECT_EQ(count, 0U);
}

TEST_P(RegistryContract, LocalMachineKeysWorkLikeCurrentUserKeys) {
  Key key(reg(), Root::LocalMachine, Scratch("reserve"), true);
  ASSERT_EQ(key.Write("A", platform::kRegDword, {1, 0, 0, 0}), platform::kSuccess);
  Key again(reg(), Root::LocalMachine, Scratch("Reserve"), false);
  EXPECT_EQ(Get(again, "a"), (std::vector<std::uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(Key(reg(), Root::CurrentUser, Scratch("reserve"), false).OpenStatus(),
            platform::kFileNotFound);
}

}  // namespace keylark::contract
