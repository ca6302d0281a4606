#include "app/key_bar_model.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "store/layout.h"

namespace keylark::app {
namespace {

using store::KeyMode;

class KeyBarModelTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(registry_.OpenHandleCount(), 0U); }
  fakes::FakeRegistry registry_;
  store::Store store_{registry_};
  core::Session session_;
};

TEST_F(KeyBarModelTest, ButtonsDecideWhatAPressDoes) {
  store_.WriteText(store::kCommandKey, "Fn-E", "notepad.exe", KeyMode::CreateIfMissing);

  EXPECT_EQ(PressLabel(session_, store_, 10, MouseButton::Left, false), LabelAction::Launch);
  EXPECT_EQ(session_.CurrentKeyName, "Fn-E");
  EXPECT_EQ(session_.CurrentKeyIndex, 10);
  EXPECT_EQ(session_.CurrentKeyLookup, core::kNoLookupYet)
      << "a left click looks nothing up itself";

  EXPECT_EQ(PressLabel(session_, store_, 10, MouseButton::Right, false), LabelAction::ChooseType);
  EXPECT_EQ(session_.CurrentKeyLookup, 0);
  EXPECT_EQ(PressLabel(session_, store_, 6, MouseButton::Right, false), LabelAction::ChooseType);
  EXPECT_EQ(session_.CurrentKeyName, "Fn-A");
  EXPECT_NE(session_.CurrentKeyLookup, 0);

  session_.CurrentKeyLookup = 55;
  EXPECT_EQ(PressLabel(session_, store_, 23, MouseButton::Other, false), LabelAction::SelectOnly);
  EXPECT_EQ(session_.CurrentKeyName, "Fn-Z");
  EXPECT_EQ(session_.CurrentKeyIndex, 23);
  EXPECT_EQ(session_.CurrentKeyLookup, 55);
}

TEST_F(KeyBarModelTest, AReservedLabelIgnoresEveryButton) {
  session_.CurrentKeyName = "Fn-1";
  for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Other}) {
    EXPECT_EQ(PressLabel(session_, store_, 7, button, true), LabelAction::Ignore);
  }
  EXPECT_EQ(session_.CurrentKeyName, "Fn-1");
}

TEST_F(KeyBarModelTest, HintsShowTheDescriptionOrNone) {
  store_.WriteFlag(store::kConfigKey, store::kHintsValue, true, KeyMode::CreateIfMissing);
  EXPECT_EQ(LabelHint(session_, store_, 6), "none");
  EXPECT_EQ(session_.CurrentKeyName, "Fn-A");
  EXPECT_NE(session_.CurrentKeyLookup, 0);

  store_.WriteText(store::kDescriptionKey, "Fn-A", "Text editor", KeyMode::CreateIfMissing);
  EXPECT_EQ(LabelHint(session_, store_, 6), "Text editor");
  EXPECT_EQ(session_.CurrentKeyLookup, 0);
  store_.WriteEmptyPlaceholder(store::kDescriptionKey, "Fn-A", KeyMode::OpenExisting);
  EXPECT_EQ(LabelHint(session_, store_, 6), "none");
}

TEST_F(KeyBarModelTest, NoHintWhileHintsAreOffOrAbsent) {
  store_.WriteText(store::kDescriptionKey, "Fn-A", "Text editor", KeyMode::CreateIfMissing);
  EXPECT_EQ(LabelHint(session_, store_, 6), "");
  store_.WriteText(store::kConfigKey, store::kHintsValue, "1 ", KeyMode::CreateIfMissing);
  EXPECT_EQ(LabelHint(session_, store_, 6), "");
  EXPECT_EQ(session_.CurrentKeyName, "Fn-A") << "the hover still selects the key";
}

}  // namespace
}  // namespace keylark::app
