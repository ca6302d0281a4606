// The key bar at every display scale: its geometry with "Scale With Display"
// off (the design's pixels, only the font follows the resolution) and on
// (everything scaled), the picture drawn to match it, and the option carried
// by keylarkctl and its files.
#include "app/key_bar_geometry.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/keyboard_picture.h"
#include "control/ctl.h"
#include "fakes/fake_filesystem.h"
#include "fakes/key_bar_world.h"

namespace keylark::app {
namespace {

constexpr int kLabelE = 10;
constexpr int kLabelZ = 23;

TEST(KeyBarGeometryTable, LabelsFontPictureAndHitsFollowTheScaleOnlyWhenAskedTo) {
  const struct {
    int dpi;
    bool scaled;
    PixelSize picture;
    PixelBox first;  // label "1", design 13, 45, 24 x 24
    PixelBox z;      // label "Z", design 38, 123
    int font_points, font_pixels, mark;
  } rows[] = {
      {96, false, {318, 160}, {13, 45, 37, 69}, {38, 123, 62, 147}, 12, 16, 6},
      {120, false, {318, 160}, {13, 45, 37, 69}, {38, 123, 62, 147}, 10, 17, 6},
      {144, false, {318, 160}, {13, 45, 37, 69}, {38, 123, 62, 147}, 8, 16, 6},
      {192, false, {318, 160}, {13, 45, 37, 69}, {38, 123, 62, 147}, 6, 16, 6},
      {96, true, {318, 160}, {13, 45, 37, 69}, {38, 123, 62, 147}, 12, 16, 6},
      {120, true, {398, 200}, {16, 56, 46, 86}, {48, 154, 78, 184}, 12, 20, 8},
      {144, true, {477, 240}, {20, 68, 56, 104}, {57, 185, 93, 221}, 12, 24, 9},
      {192, true, {636, 320}, {26, 90, 74, 138}, {76, 246, 124, 294}, 12, 32, 12},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.dpi) + (row.scaled ? " scaled" : " design size"));
    const KeyBarGeometry g = KeyBarGeometry::For(row.dpi, row.scaled);
    EXPECT_EQ((PixelSize{g.PictureWidth(), g.PictureHeight()}), row.picture);
    EXPECT_EQ(g.Label(0), row.first);
    EXPECT_EQ(g.Label(kLabelZ), row.z);
    EXPECT_EQ(g.FontPoints(), row.font_points);
    EXPECT_EQ(g.FontPixelHeight(), row.font_pixels);
    EXPECT_EQ(g.PopupMarkSize(), row.mark);
    for (int i = 0; i < core::kKeyCount; ++i) {
      const PixelBox box = g.Label(i);
      EXPECT_EQ(g.LabelAt((box.left + box.right) / 2, (box.top + box.bottom) / 2), i) << i;
      EXPECT_NE(g.LabelAt(box.right, box.top - 1), i) << i;
      EXPECT_LE(std::abs(box.Width() - g.Scale(kLabelSize)), 1) << i;
    }
    // The top-left pixel of "1" at 96 dpi lies off every scaled label.
    EXPECT_EQ(g.LabelAt(13, 45), row.scaled && row.dpi > 96 ? -1 : 0);

    // The picture is drawn at the same scale: a dark cap under every label,
    // edge on edge, with its bevel's highlight just outside.
    const KeyboardPicture picture = DrawKeyboard(g);
    ASSERT_EQ(picture.width, row.picture.width);
    ASSERT_EQ(picture.height, row.picture.height);
    for (const int index : {0, kLabelE, kLabelZ}) {
      const PixelBox box = g.Label(index);
      int caps = 0;
      for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) caps += picture.At(x, y) == kFnKeyCapColor;
      }
      EXPECT_EQ(caps, box.Width() * box.Height()) << index;
      EXPECT_NE(picture.At(box.left - 1, box.top - 1), kFnKeyCapColor) << index;
      EXPECT_NE(picture.At(box.right, box.bottom), kFnKeyCapColor) << index;
    }
  }
}

// 19 pixels a menu line and 18 for the caption's buttons, as at 96 dpi.
TEST(KeyBarGeometryTable, AMenuBarThatWrappedAddsItsFurtherLinesToTheHeight) {
  const KeyBarGeometry design = KeyBarGeometry::For(96, false);
  EXPECT_EQ(KeyBarOuterSize(design, {19, 18, 0}), (PixelSize{318, 202})) << "not measured";
  EXPECT_EQ(KeyBarOuterSize(design, {19, 18, 20}), (PixelSize{318, 202})) << "one line";
  EXPECT_EQ(KeyBarOuterSize(design, {19, 18, 39}), (PixelSize{318, 222})) << "two lines";
  EXPECT_EQ(KeyBarOuterSize(KeyBarGeometry::For(192, true), {38, 36, 77}), (PixelSize{636, 438}));
}

}  // namespace
}  // namespace keylark::app

namespace keylark::control {
namespace {

class NoFilesSystem final : public CtlSystem {
 public:
  std::optional<std::string> ReadFile(const std::string&) override { return std::nullopt; }
  std::optional<std::string> ReadStandardInput() override { return input; }
  bool WriteFile(const std::string&, const std::string&) override { return false; }
  std::string FullPath(const std::string& path) override { return path; }
  void NotifyKeyBar() override {}
  std::optional<std::string> input;
};

class ScaleOptionCtlTest : public fakes::WorldTest {
 protected:
  CtlResult Run(const std::string& line, std::optional<std::string> input = std::nullopt) {
    std::istringstream words(line);
    std::vector<std::string> args;
    for (std::string word; words >> word;) args.push_back(word);
    system_.input = std::move(input);
    return RunCtl(args, {world_.store, files_, codec_, system_});
  }
  std::optional<std::string> Cfg(const char* name) {
    return world_.Text(fakes::layout::kCfg, name);
  }

  fakes::FakeFileSystem files_;
  Utf8Codec codec_;
  NoFilesSystem system_;
};

TEST_F(ScaleOptionCtlTest, TheOptionIsSetExportedAndImportedByItsOwnName) {
  world_.Put(fakes::layout::kCfg, "opts4", "1");
  EXPECT_EQ(Run("export").out.find("scale-with-display"), std::string::npos)
      << "absent, it stays so";
  ASSERT_EQ(Run("options scale-with-display on").exit_code, kExitOk);
  EXPECT_EQ(Cfg("ScaleWithDisplay"), "1");
  const std::string exported = Run("export").out;
  EXPECT_NE(exported.find("\noption scale-with-display on\n"), std::string::npos) << exported;
  EXPECT_NE(exported.find("\noption hints on\n"), std::string::npos);

  // A file names only the options it sets; one without option lines (as
  // written before there were any) sets none.
  const std::string header = "keylark-assignments 1\n";
  ASSERT_EQ(Run("import", header + "option scale-with-display off\n").exit_code, kExitOk);
  EXPECT_EQ(Cfg("ScaleWithDisplay"), "0");
  EXPECT_EQ(Cfg("opts4"), "1");
  ASSERT_EQ(Run("import", header + "key E\ncommand run.exe\n").exit_code, kExitOk);
  EXPECT_EQ(Cfg("ScaleWithDisplay"), "0");
  ASSERT_EQ(Run("import", exported).exit_code, kExitOk);
  EXPECT_EQ(Cfg("ScaleWithDisplay"), "1");
  EXPECT_EQ(world_.Text(fakes::layout::kCmd, "Fn-E"), std::nullopt) << "the export had no E";

  // Nothing is written from a file with a bad option line.
  for (const char* bad :
       {"option scale-with-display maybe\n", "option zoom on\n",
        "key E\ncommand a.exe\noption hints off\n", "option hints on\noption hints off\n"}) {
    const CtlResult result = Run("import", header + bad);
    EXPECT_EQ(result.exit_code, kExitFailed) << bad;
    EXPECT_EQ(Cfg("opts4"), "1") << bad;
    EXPECT_EQ(world_.Text(fakes::layout::kCmd, "Fn-E"), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace keylark::control
