// The key bar at every display scale: "Scale With Display" off keeps the
// design's pixels (only the font follows the resolution), on scales them all;
// the picture is drawn to match, and keylarkctl carries the option.
#include "app/key_bar_geometry.h"

#include <gtest/gtest.h>

#include "app/keyboard_picture.h"
#include "control/ctl.h"
#include "fakes/fake_filesystem.h"
#include "fakes/key_bar_world.h"

namespace keylark::app {
namespace {

TEST(KeyBarGeometryTable, LabelsFontPictureHitsAndSizeFollowTheScaleOnlyWhenAskedTo) {
  const struct {
    int dpi;
    bool scaled;
    PixelSize picture;
    PixelBox z;  // label "Z", design 38, 123, 24 x 24
    int font_pixels, mark;
  } rows[] = {
      {96, false, {318, 160}, {38, 123, 62, 147}, 16, 6},
      {120, false, {318, 160}, {38, 123, 62, 147}, 17, 6},  // 10 points
      {144, false, {318, 160}, {38, 123, 62, 147}, 16, 6},  // 8 points
      {192, false, {318, 160}, {38, 123, 62, 147}, 16, 6},  // 6 points
      {96, true, {318, 160}, {38, 123, 62, 147}, 16, 6},
      {120, true, {398, 200}, {48, 154, 78, 184}, 20, 8},
      {144, true, {477, 240}, {57, 185, 93, 221}, 24, 9},
      {192, true, {636, 320}, {76, 246, 124, 294}, 32, 12},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.dpi) + (row.scaled ? " scaled" : ""));
    const KeyBarGeometry g = KeyBarGeometry::For(row.dpi, row.scaled);
    EXPECT_EQ((PixelSize{g.PictureWidth(), g.PictureHeight()}), row.picture);
    EXPECT_EQ(g.Label(23), row.z);
    EXPECT_EQ(g.FontPixelHeight(), row.font_pixels);
    EXPECT_EQ(g.PopupMarkSize(), row.mark);
    for (int i = 0; i < core::kKeyCount; ++i) {
      const PixelBox box = g.Label(i);
      EXPECT_EQ(g.LabelAt((box.left + box.right) / 2, (box.top + box.bottom) / 2), i) << i;
    }
    // The top-left pixel of "1" at design size lies off every scaled label.
    EXPECT_EQ(g.LabelAt(13, 45), row.scaled && row.dpi > 96 ? -1 : 0);
    // Drawn at the same scale: the dark cap fills label "Z" edge to edge.
    const KeyboardPicture picture = DrawKeyboard(g);
    ASSERT_EQ(picture.width, row.picture.width);
    int caps = 0;
    for (int y = row.z.top - 1; y <= row.z.bottom; ++y) {
      for (int x = row.z.left - 1; x <= row.z.right; ++x)
        caps += picture.At(x, y) == kFnKeyCapColor;
    }
    EXPECT_EQ(caps, row.z.Width() * row.z.Height());
  }
  // 19 pixels a menu line, 18 for the caption's buttons: a bar measured at
  // one line (with its border) adds nothing, one wrapped onto two its second.
  const KeyBarGeometry design = KeyBarGeometry::For(96, false);
  EXPECT_EQ(KeyBarOuterSize(design, {19, 18, 20}), (PixelSize{318, 202}));
  EXPECT_EQ(KeyBarOuterSize(design, {19, 18, 39}), (PixelSize{318, 222}));
}

}  // namespace
}  // namespace keylark::app

namespace keylark::control {
namespace {

class ScriptSystem final : public CtlSystem {
 public:
  std::optional<std::string> ReadFile(const std::string&) override { return std::nullopt; }
  std::optional<std::string> ReadStandardInput() override { return input; }
  bool WriteFile(const std::string&, const std::string&) override { return false; }
  std::string FullPath(const std::string& path) override { return path; }
  void NotifyKeyBar() override {}
  std::optional<std::string> input;
};

TEST(ScaleOptionCtl, SetExportedAndImportedByNameAndOnlyWhereAFileNamesIt) {
  fakes::KeyBarWorld world;
  fakes::FakeFileSystem files;
  Utf8Codec codec;
  ScriptSystem system;
  const auto run = [&](std::vector<std::string> args, std::optional<std::string> input = {}) {
    system.input = std::move(input);
    return RunCtl(args, {world.store, files, codec, system});
  };
  const auto scale = [&] { return world.Text(fakes::layout::kCfg, "ScaleWithDisplay"); };
  world.Put(fakes::layout::kCfg, "opts4", "1");
  EXPECT_EQ(run({"export"}).out.find("scale-with-display"), std::string::npos) << "absent";
  ASSERT_EQ(run({"options", "scale-with-display", "on"}).exit_code, kExitOk);
  const std::string exported = run({"export"}).out;
  EXPECT_NE(exported.find("\noption scale-with-display on\n"), std::string::npos) << exported;

  const std::string header = "keylark-assignments 1\n";
  ASSERT_EQ(run({"import"}, header + "option scale-with-display off\n").exit_code, kExitOk);
  EXPECT_EQ(scale(), "0");
  EXPECT_EQ(world.Text(fakes::layout::kCfg, "opts4"), "1") << "not named, not changed";
  ASSERT_EQ(run({"import"}, header + "key E\ncommand a.exe\n").exit_code, kExitOk);
  EXPECT_EQ(scale(), "0") << "a file of an earlier keylarkctl";
  ASSERT_EQ(run({"import"}, exported).exit_code, kExitOk);
  EXPECT_EQ(scale(), "1");
  for (const char* bad : {"option scale-with-display 1\n", "key E\noption hints off\n"}) {
    EXPECT_EQ(run({"import"}, header + bad).exit_code, kExitFailed) << bad;
  }
}

}  // namespace
}  // namespace keylark::control
