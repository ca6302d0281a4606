#include "contract/registry_contract.h"

#include <chrono>
#include <thread>
#include <tuple>
#include <vector>

#include "store/registry_store.h"

namespace keylark::contract {
namespace {

using platform::Root;
using Bytes = std::vector<std::uint8_t>;
using Key = store::ScopedKey;

Bytes Of(const char* text, std::size_t size) { return Bytes(text, text + size); }

// A key below the scratch key, opened or made.
Key At(platform::Registry& registry, const std::string& relative, bool create = false,
       Root root = Root::CurrentUser) {
  return Key(registry, root, std::string(kScratchRoot) + "\\" + relative, create);
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

TEST_P(RegistryContract, KeysAreCreatedWithEveryParentAndDeletedOnlyAsLeaves) {
  platform::KeyHandle handle = 123;
  EXPECT_EQ(reg().OpenKey(Root::CurrentUser, kScratchRoot, &handle), platform::kFileNotFound);
  EXPECT_EQ(handle, 0U);
  ASSERT_EQ(At(reg(), "a\\b\\c", true).WriteText("v", "1"), platform::kSuccess);
  // Paths ignore case, and the two roots are separate trees.
  const Key a = At(reg(), "A");
  EXPECT_EQ(a.OpenStatus(), platform::kSuccess);
  EXPECT_EQ(At(reg(), "a", false, Root::LocalMachine).OpenStatus(), platform::kFileNotFound);
  // Creating an existing key opens it with its values.
  EXPECT_EQ(At(reg(), "A\\b\\C", true).ReadBytes("v"), Of("1", 2));

  EXPECT_EQ(reg().DeleteKey(a.Handle(), "b"), platform::kAccessDenied);
  EXPECT_EQ(reg().DeleteKey(a.Handle(), "B\\c"), platform::kSuccess);
  EXPECT_EQ(reg().DeleteKey(a.Handle(), "b"), platform::kSuccess);
  EXPECT_EQ(At(reg(), "a\\b").OpenStatus(), platform::kFileNotFound);
  EXPECT_EQ(reg().DeleteKey(a.Handle(), "b"), platform::kFileNotFound);
  EXPECT_TRUE(a.SubkeyNames().empty());
}

TEST_P(RegistryContract, ValuesAreQueriedSizeFirstAndTheirNamesIgnoreCase) {
  const Key key = At(reg(), "values", true);
  ASSERT_EQ(key.Write("Text", platform::kRegSz, Of("abc", 4)), platform::kSuccess);
  std::uint32_t size = 0;
  EXPECT_EQ(reg().QueryValue(key.Handle(), "Text", nullptr, nullptr, &size), platform::kSuccess);
  EXPECT_EQ(size, 4U);
  std::uint8_t small[2] = {};
  size = sizeof small;
  EXPECT_EQ(reg().QueryValue(key.Handle(), "Text", nullptr, small, &size), platform::kMoreData);
  EXPECT_EQ(size, 4U);
  EXPECT_EQ(key.QuerySize("Missing", &size), platform::kFileNotFound);

  ASSERT_EQ(key.Write("text", platform::kRegSz, Of("22", 3)), platform::kSuccess);
  EXPECT_EQ(key.ReadBytes("TEXT"), Of("22", 3));
  EXPECT_EQ(reg().DeleteValue(key.Handle(), "tEXT"), platform::kSuccess);
  EXPECT_EQ(key.ReadBytes("Text"), std::nullopt);
  EXPECT_EQ(reg().DeleteValue(key.Handle(), "Text"), platform::kFileNotFound);
}

TEST_P(RegistryContract, DataOfEveryLayoutAndTypeIsKeptByteForByteUnderEitherRoot) {
  // Five characters without NUL (a long position), the three-zero placeholder,
  // a text with NUL padding, an empty value, a window handle and binary data.
  const std::tuple<const char*, std::uint32_t, Bytes> values[] = {
      {"Long", platform::kRegSz, Of("10005", 5)},
      {"Empty3", platform::kRegSz, Of("\0\0\0", 3)},
      {"Padded", platform::kRegSz, Of("-15\0\0", 5)},
      {"Nothing", platform::kRegSz, {}},
      {"Handle", platform::kRegDword, {0x78, 0x56, 0x34, 0x12}},
      {"Blob", platform::kRegBinary, {0, 1, 0, 2, 0xFF}},
  };
  for (Root root : {Root::CurrentUser, Root::LocalMachine}) {
    const Key key = At(reg(), "layouts", true, root);
    for (const auto& [name, type, data] : values) {
      ASSERT_EQ(key.Write(name, type, data), platform::kSuccess);
    }
    for (const auto& [name, type, data] : values) {
      std::uint32_t stored_type = 0;
      EXPECT_EQ(key.ReadBytes(name, &stored_type), data) << name;
      EXPECT_EQ(stored_type, type) << name;
    }
  }
}

TEST_P(RegistryContract, SubkeysEnumerateInCaseInsensitiveOrderWithTheirSpelling) {
  for (const char* name : {"beta", "Alpha", "gamma long name", "Delta"}) {
    At(reg(), std::string("list\\") + name, true);
  }
  const Key list = At(reg(), "list");
  EXPECT_EQ(list.SubkeyNames(),
            (std::vector<std::string>{"Alpha", "beta", "Delta", "gamma long name"}));
  char buffer[64];
  EXPECT_EQ(reg().EnumKey(list.Handle(), 4, buffer, sizeof buffer), platform::kNoMoreItems);
  EXPECT_EQ(reg().EnumKey(list.Handle(), 0, buffer, 3), platform::kMoreData);
  std::uint32_t count = 0, longest = 0;
  EXPECT_EQ(reg().QueryInfoKey(list.Handle(), &count, &longest), platform::kSuccess);
  EXPECT_EQ(count, 4U);
  EXPECT_EQ(longest, 15U);  // "gamma long name"
}

// The popup list rereads a list only when its key's time moves: a subkey that
// comes or goes moves it, a change below the subkey does not.
TEST_P(RegistryContract, AKeyIsStampedWhenASubkeyComesOrGoes) {
  const Key list = At(reg(), "stamped", true);
  std::uint64_t times[4] = {};
  const auto stamp = [&](int at) {
    // The system's clock moves in steps of up to 16 ms.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(reg().QueryLastWriteTime(list.Handle(), &times[at]), platform::kSuccess);
  };
  stamp(0);
  At(reg(), "stamped\\item", true);
  stamp(1);
  ASSERT_EQ(At(reg(), "stamped\\item").WriteText("i", "C:\\x"), platform::kSuccess);
  stamp(2);
  ASSERT_EQ(reg().DeleteKey(list.Handle(), "item"), platform::kSuccess);
  stamp(3);
  EXPECT_GT(times[1], times[0]);
  EXPECT_EQ(times[2], times[1]) << "a value of a subkey leaves the key as it was";
  EXPECT_GT(times[3], times[2]);
}

}  // namespace keylark::contract
