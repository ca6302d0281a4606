#include "app/startup.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "store/layout.h"

namespace keylark::app {
namespace {

using store::Bytes;
using store::KeyMode;

class StartupTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(registry_.OpenHandleCount(), 0U); }

  Bytes Raw(const std::string& name) {
    const store::ScopedKey key(registry_, store::Root::CurrentUser, store::kConfigKey, false);
    return key.ReadBytes(name).value_or(Bytes{0xEE});
  }

  std::vector<std::string> ConfigWrites() {
    std::vector<std::string> writes;
    for (const std::string& line : registry_.Log()) {
      if (line.rfind("set ", 0) == 0) writes.push_back(line.substr(4));
    }
    return writes;
  }

  fakes::FakeRegistry registry_;
  store::Store store_{registry_};
  // A 1024 x 768 screen at 15 twips per pixel, and a 318 x 200 pixel key bar.
  const Twips first_run_ = FirstRunPlacement({15360, 11520}, {4770, 3000});
};

TEST_F(StartupTest, FirstRunPlacementIsAFifthOfTheFreeSpace) {
  EXPECT_DOUBLE_EQ(first_run_.left, 2118);
  EXPECT_DOUBLE_EQ(first_run_.top, 1704);
}

TEST_F(StartupTest, FirstRunWritesExactlyTheEightDefaultsInOrder) {
  const Twips placed = RestoreOrInitializePosition(store_, first_run_);
  EXPECT_DOUBLE_EQ(placed.left, 2118);
  EXPECT_EQ(ConfigWrites(), (std::vector<std::string>{"fIcon", "opts1", "opts2", "opts3", "opts4",
                                                      "opts5", "X", "Y"}));
  EXPECT_EQ(Raw("fIcon"), store::EncodeFlag(false));
  EXPECT_EQ(Raw("X"), (Bytes{'2', '1', '1', '8', 0}));
  EXPECT_EQ(Raw("Y"), (Bytes{'1', '7', '0', '4', 0}));

  const Options options = ReadOptions(store_);
  EXPECT_FALSE(options.always_on_top);
  EXPECT_TRUE(options.mark_popups);
  EXPECT_FALSE(options.minimize_on_use);
  EXPECT_TRUE(options.hints);
  EXPECT_TRUE(options.confirm_changes);
}

TEST_F(StartupTest, SavedPositionsAreUsedUnlessNegative) {
  store_.WritePosition("X", 0, KeyMode::CreateIfMissing);
  store_.WritePosition("Y", 0, KeyMode::CreateIfMissing);
  registry_.ClearLog();
  Twips placed = RestoreOrInitializePosition(store_, first_run_);
  EXPECT_EQ(placed.left, 0);
  EXPECT_EQ(placed.top, 0);

  store_.WritePosition("X", -15, KeyMode::OpenExisting);
  store_.WritePosition("Y", 300, KeyMode::OpenExisting);
  registry_.ClearLog();
  placed = RestoreOrInitializePosition(store_, first_run_);
  EXPECT_DOUBLE_EQ(placed.left, 2118);
  EXPECT_DOUBLE_EQ(placed.top, 1704);
  EXPECT_TRUE(ConfigWrites().empty()) << "the first-run placement is not written";
  EXPECT_EQ(store_.ReadPosition("X"), -15);
}

TEST_F(StartupTest, APartlyWrittenConfigGetsOnlyItsMissingValues) {
  store_.WriteText(store::kConfigKey, "opts4", "0", KeyMode::CreateIfMissing);
  store_.WritePosition("Y", 900, KeyMode::OpenExisting);
  registry_.ClearLog();
  const Twips placed = RestoreOrInitializePosition(store_, first_run_);
  EXPECT_DOUBLE_EQ(placed.left, 2118);
  EXPECT_EQ(placed.top, 900);
  EXPECT_EQ(ConfigWrites(),
            (std::vector<std::string>{"fIcon", "opts1", "opts2", "opts3", "opts5", "X"}));
  EXPECT_EQ(Raw("opts4"), store::EncodeText("0"));
}

TEST_F(StartupTest, PositionIsSavedUnlessBothCoordinatesAreZeroOrLess) {
  store_.WritePosition("X", 2118, KeyMode::CreateIfMissing);
  store_.WritePosition("Y", 1704, KeyMode::CreateIfMissing);
  SaveKeyBarPosition(store_, {0, 0});
  EXPECT_EQ(store_.ReadPosition("X"), 2118);
  SaveKeyBarPosition(store_, {-30, -15});
  EXPECT_EQ(store_.ReadPosition("X"), 2118);
  SaveKeyBarPosition(store_, {0, 15});
  EXPECT_EQ(store_.ReadPosition("X"), 0);
  EXPECT_EQ(store_.ReadPosition("Y"), 15);
  SaveKeyBarPosition(store_, {10005, 300});
  EXPECT_EQ(store_.ReadPosition("x"), 10005);
}

TEST_F(StartupTest, SavingWithoutAConfigKeyWritesNothing) {
  SaveKeyBarPosition(store_, {150, 150});
  EXPECT_FALSE(store_.KeyExists(store::Root::CurrentUser, store::kConfigKey));
}

TEST_F(StartupTest, OptionsAreOnOnlyForExactlyOne) {
  store_.WriteText(store::kConfigKey, "opts1", "1 ", KeyMode::CreateIfMissing);
  store_.WriteText(store::kConfigKey, "opts2", "1", KeyMode::CreateIfMissing);
  store_.WriteText(store::kConfigKey, "opts3", "yes", KeyMode::CreateIfMissing);
  const Options options = ReadOptions(store_);
  EXPECT_FALSE(options.always_on_top);
  EXPECT_TRUE(options.mark_popups);
  EXPECT_FALSE(options.minimize_on_use);
  EXPECT_FALSE(options.hints);  // absent
}

TEST(OsVersionProbe, OnlyThe98AndMeFamilyCounts) {
  EXPECT_FALSE(IsWin9xFamily(OsVersion{4, 0, 1}));   // Windows 95
  EXPECT_TRUE(IsWin9xFamily(OsVersion{4, 10, 1}));   // Windows 98
  EXPECT_TRUE(IsWin9xFamily(OsVersion{4, 90, 1}));   // Windows Me
  EXPECT_TRUE(IsWin9xFamily(OsVersion{4, 10, 2}));   // minor > 0 decides on 4.x
  EXPECT_FALSE(IsWin9xFamily(OsVersion{5, 1, 2}));   // XP
  EXPECT_FALSE(IsWin9xFamily(OsVersion{10, 0, 2}));  // 10
  EXPECT_FALSE(IsWin9xFamily(std::nullopt));         // the call failed
  core::Session session;
  session.OsVersionFlag = true;
  EXPECT_FALSE(ProbeOsVersion(session, std::nullopt));
  EXPECT_FALSE(session.OsVersionFlag);
}

TEST(LabelFont, SizeFollowsTheScreensPixelsPerInch) {
  EXPECT_EQ(LabelFontSize(96), 12);
  EXPECT_EQ(LabelFontSize(120), 10);
  EXPECT_EQ(LabelFontSize(144), 8);
  EXPECT_EQ(LabelFontSize(110), 12);  // 97..119 unchanged
  EXPECT_EQ(LabelFontSize(72), 16);
  EXPECT_EQ(LabelFontSize(128), 9);  // 12 / (128/96) = 9
  EXPECT_EQ(LabelFontSize(192), 6);
  EXPECT_EQ(LabelFontSize(230), 5);  // 5.008 rounds to 5
  EXPECT_EQ(LabelFontSize(256), 4);  // 4.5: halves go to the even neighbour
}

}  // namespace
}  // namespace keylark::app
