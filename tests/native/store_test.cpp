#include "store/registry_store.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "store/layout.h"

namespace keylark::store {
namespace {

class StoreTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(registry_.OpenHandleCount(), 0U) << "a key was left open"; }

  void Put(const std::string& path, const std::string& name, std::uint32_t type, const Bytes& data,
           Root root = Root::CurrentUser) {
    platform::KeyHandle key = 0;
    ASSERT_EQ(registry_.CreateKey(root, path, &key), platform::kSuccess);
    registry_.SetValue(key, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
    registry_.CloseKey(key);
  }

  Bytes Raw(const std::string& path, const std::string& name) {
    const ScopedKey key(registry_, Root::CurrentUser, path, false);
    return key.ReadBytes(name).value_or(Bytes{0xEE});
  }

  fakes::FakeRegistry registry_;
  Store store_{registry_};
};

TEST_F(StoreTest, TextsAreWrittenWithOneNulAndReadCutAtTheFirst) {
  ASSERT_EQ(store_.WriteText(kCommandKey, "Fn-1", "C:\\Tools\\run.exe", KeyMode::CreateIfMissing),
            platform::kSuccess);
  EXPECT_EQ(Raw(kCommandKey, "Fn-1"), EncodeText("C:\\Tools\\run.exe"));
  EXPECT_EQ(store_.ReadText(kCommandKey, "fn-1"), "C:\\Tools\\run.exe");

  Put(kDescriptionKey, "Fn-1", platform::kRegSz, Bytes{'a', 0, 'b', 0});
  EXPECT_EQ(store_.ReadText(kDescriptionKey, "Fn-1"), "a");
  store_.WriteEmptyPlaceholder(kDescriptionKey, "Fn-1", KeyMode::OpenExisting);
  EXPECT_EQ(Raw(kDescriptionKey, "Fn-1"), EmptyPlaceholder());
  EXPECT_EQ(store_.ReadText(kDescriptionKey, "Fn-1"), "");
}

TEST_F(StoreTest, AMissingKeyOrValueReadsAsAbsent) {
  EXPECT_FALSE(store_.ReadText(kCommandKey, "Fn-1"));
  EXPECT_FALSE(store_.ReadFlag(kConfigKey, kHintsValue));
  EXPECT_EQ(store_.QueryValueSize(Root::CurrentUser, kCommandKey, "Fn-1"), platform::kFileNotFound);
  Put(kCommandKey, "Fn-2", platform::kRegSz, EncodeText("x"));
  EXPECT_EQ(store_.QueryValueSize(Root::CurrentUser, kCommandKey, "Fn-2"), platform::kSuccess);
  EXPECT_FALSE(store_.ReadText(kCommandKey, "Fn-1"));
}

TEST_F(StoreTest, OddValuesAreReadAsTheRulesSayWithoutCrashing) {
  Put(kCommandKey, "NoNul", platform::kRegSz, Bytes{'a', 'b', 'c'});
  Put(kCommandKey, "Dword", platform::kRegDword, Bytes{'7', 0, 0, 0});
  Put(kCommandKey, "Empty", platform::kRegSz, Bytes{});
  Put(kCommandKey, "Huge", platform::kRegBinary, Bytes((1U << 20) + 1, 'x'));
  EXPECT_EQ(store_.ReadText(kCommandKey, "NoNul"), "abc");
  EXPECT_EQ(store_.ReadText(kCommandKey, "Dword"), "7");
  EXPECT_EQ(store_.ReadText(kCommandKey, "Empty"), "");
  EXPECT_FALSE(store_.ReadText(kCommandKey, "Huge"));
}

TEST_F(StoreTest, WritersCreateKeysOnlyWhenAllowed) {
  EXPECT_NE(store_.WriteText(kDirectoryKey, "Fn-1", "C:\\", KeyMode::OpenExisting),
            platform::kSuccess);
  EXPECT_FALSE(store_.KeyExists(Root::CurrentUser, kDirectoryKey));
  EXPECT_NE(store_.WriteFlag(kConfigKey, kHintsValue, true, KeyMode::OpenExisting),
            platform::kSuccess);
  EXPECT_EQ(store_.WriteFlag(kConfigKey, kHintsValue, true, KeyMode::CreateIfMissing),
            platform::kSuccess);
  EXPECT_EQ(Raw(kConfigKey, kHintsValue), EncodeFlag(true));
  EXPECT_TRUE(store_.ReadFlag(kConfigKey, kHintsValue));
}

TEST_F(StoreTest, PositionsRoundTripIncludingFiveCharacterTexts) {
  EXPECT_EQ(store_.WritePosition(kLeftValue, 10005, KeyMode::CreateIfMissing), platform::kSuccess);
  EXPECT_EQ(Raw(kConfigKey, "X"), (Bytes{'1', '0', '0', '0', '5'}));
  EXPECT_EQ(store_.ReadPosition(kLeftReadName), 10005);
  EXPECT_FALSE(store_.ReadPosition(kTopReadName));
}

TEST_F(StoreTest, TheWindowHandleIsAFourByteDword) {
  ASSERT_EQ(store_.PublishWindowHandle(0x0002047AU), platform::kSuccess);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  platform::KeyHandle key = 0;
  ASSERT_EQ(registry_.OpenKey(Root::CurrentUser, kMakerKey, &key), platform::kSuccess);
  registry_.QueryValue(key, kWindowHandleValue, &type, nullptr, &size);
  registry_.CloseKey(key);
  EXPECT_EQ(type, platform::kRegDword);
  EXPECT_EQ(size, 4U);
  EXPECT_EQ(store_.ReadPublishedWindowHandle(), 0x0002047AU);

  EXPECT_EQ(store_.WithdrawWindowHandle(), platform::kSuccess);
  EXPECT_FALSE(store_.ReadPublishedWindowHandle());
  EXPECT_TRUE(store_.KeyExists(Root::CurrentUser, kMakerKey));  // the key itself stays
}

TEST_F(StoreTest, AShortHandleValueIsNoHandle) {
  Put(kMakerKey, kWindowHandleValue, platform::kRegBinary, Bytes{1, 2});
  EXPECT_FALSE(store_.ReadPublishedWindowHandle());
}

}  // namespace
}  // namespace keylark::store
