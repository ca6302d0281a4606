#include "app/key_bar_model.h"

#include <gtest/gtest.h>

#include "fakes/key_bar_world.h"

namespace keylark::app {
namespace {

namespace layout = fakes::layout;

class KeyBarModelTest : public fakes::WorldTest {
 protected:
  LabelAction Press(int index, MouseButton button, bool shown_reserved = false) {
    return PressLabel(session_, world_.store, index, button, shown_reserved);
  }
  std::string Hint(int index) { return LabelHint(session_, world_.store, index); }
  core::Session& session_ = world_.session;
};

TEST_F(KeyBarModelTest, ButtonsDecideWhatAPressDoes) {
  world_.AssignDirect("Fn-E", "notepad.exe");

  EXPECT_EQ(Press(10, MouseButton::Left), LabelAction::Launch);
  EXPECT_EQ(session_.CurrentKeyName, "Fn-E");
  EXPECT_EQ(session_.CurrentKeyIndex, 10);
  EXPECT_EQ(session_.CurrentKeyLookup, 100) << "a left click looks nothing up itself";

  EXPECT_EQ(Press(10, MouseButton::Right), LabelAction::ChooseType);
  EXPECT_EQ(session_.CurrentKeyLookup, 0);

  session_.CurrentKeyLookup = 55;
  EXPECT_EQ(Press(23, MouseButton::Other), LabelAction::SelectOnly);
  EXPECT_EQ(session_.CurrentKeyIndex, 23);
  EXPECT_EQ(session_.CurrentKeyLookup, 55);

  for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Other}) {
    EXPECT_EQ(Press(7, button, true), LabelAction::Ignore) << "a reserved label";
  }
  EXPECT_EQ(session_.CurrentKeyName, "Fn-Z");
}

TEST_F(KeyBarModelTest, HintsShowTheDescriptionOrNoneWhileHintsAreOn) {
  world_.Put(layout::kDesc, "Fn-A", "Text editor");
  EXPECT_EQ(Hint(6), "") << "hints absent";
  world_.Put(layout::kCfg, "opts4", "1 ");
  EXPECT_EQ(Hint(6), "") << "only exactly 1 is on";
  EXPECT_EQ(session_.CurrentKeyName, "Fn-A") << "the hover still selects the key";

  world_.Put(layout::kCfg, "opts4", "1");
  EXPECT_EQ(Hint(6), "Text editor");
  EXPECT_EQ(session_.CurrentKeyLookup, 0);
  world_.Put(layout::kDesc, "Fn-A", "");
  EXPECT_EQ(Hint(6), "none");
  EXPECT_EQ(Hint(7), "none");
}

}  // namespace
}  // namespace keylark::app
