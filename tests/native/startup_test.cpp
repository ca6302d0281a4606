#include "app/startup.h"

#include <gtest/gtest.h>

#include "fakes/key_bar_world.h"

namespace keylark::app {
namespace {

namespace layout = fakes::layout;

class StartupTest : public fakes::WorldTest {
 protected:
  std::vector<std::string> Writes() {
    std::vector<std::string> writes;
    for (const std::string& line : world_.registry.Log()) {
      if (line.rfind("set ", 0) == 0) writes.push_back(line.substr(4));
    }
    return writes;
  }
  std::optional<std::string> Left() { return world_.Text(layout::kCfg, "X"); }

  // A 1024 x 768 screen at 15 twips per pixel, and a 318 x 200 pixel key bar.
  const Twips first_run_ = FirstRunPlacement({15360, 11520}, {4770, 3000});
};

// The values themselves are checked on the real program; here their order.
TEST_F(StartupTest, FirstRunPlacesTheKeyBarAFifthIntoTheFreeSpaceAndWritesEightValues) {
  EXPECT_DOUBLE_EQ(first_run_.left, 2118);
  EXPECT_DOUBLE_EQ(first_run_.top, 1704);
  EXPECT_DOUBLE_EQ(RestoreOrInitializePosition(world_.store, first_run_).left, 2118);
  EXPECT_EQ(Writes(), (std::vector<std::string>{"fIcon", "opts1", "opts2", "opts3", "opts4",
                                                "opts5", "X", "Y"}));
}

TEST_F(StartupTest, PositionIsSavedUnlessBothCoordinatesAreZeroOrLess) {
  SaveKeyBarPosition(world_.store, {150, 150});
  EXPECT_FALSE(world_.store.KeyExists(platform::Root::CurrentUser, layout::kCfg)) << "not made";
  world_.Put(layout::kCfg, "X", "2118");
  const std::pair<Twips, const char*> cases[] = {{{0, 0}, "2118"},
                                                 {{-30, -15}, "2118"},
                                                 {{0, 15}, "0"},
                                                 {{-15, 300}, "-15"},
                                                 {{10005, 0}, "10005"}};
  for (const auto& [position, left] : cases) {
    SaveKeyBarPosition(world_.store, position);
    EXPECT_EQ(Left(), left) << position.left << "," << position.top;
  }
}

TEST(OsVersionProbe, OnlyThe98AndMeFamilyCounts) {
  const std::pair<OsVersion, bool> versions[] = {{{4, 0, 1}, false},  // Windows 95
                                                 {{4, 10, 1}, true},  // Windows 98
                                                 {{4, 90, 1}, true},  // Windows Me
                                                 {{5, 1, 2}, false},  // XP
                                                 {{5, 0, 1}, true}};
  for (const auto& [version, family] : versions) {
    EXPECT_EQ(IsWin9xFamily(version), family) << version.major << "." << version.minor;
  }
  core::Session session;
  session.OsVersionFlag = true;
  EXPECT_FALSE(ProbeOsVersion(session, std::nullopt)) << "the call failed";
  EXPECT_FALSE(session.OsVersionFlag);
}

TEST(LabelFont, SizeFollowsTheScreensPixelsPerInch) {
  // 97 to 119 keep 12; halves round to the even neighbour (4.5 at 256).
  const std::pair<int, int> sizes[] = {{96, 12}, {120, 10}, {110, 12}, {192, 6}, {256, 4}};
  for (const auto& [dpi, points] : sizes) EXPECT_EQ(LabelFontSize(dpi), points) << dpi;
}

}  // namespace
}  // namespace keylark::app
