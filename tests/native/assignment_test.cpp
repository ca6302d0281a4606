#include "core/assignment.h"

#include <gtest/gtest.h>

#include "fakes/key_bar_world.h"

namespace keylark::core {
namespace {

namespace layout = fakes::layout;
using store::Bytes;
using AssignmentTest = fakes::WorldTest;

TEST_F(AssignmentTest, TheFirstWriteOfEachKeyGivesAllTwentyFourKeysInitialValues) {
  WriteSwitchFlag(world_.store, "Fn-Q", true);
  EXPECT_EQ(world_.Text(layout::kOpts, "Fn-Q"), "1");
  SaveDirectAssignment(world_.store, "Fn-E", {"Editor", "C:\\Tools\\edit.exe", "C:\\Tools", false});
  EXPECT_EQ(world_.Text(layout::kOpts, "Fn-Q"), "1") << "an existing key is not reset";
  EXPECT_EQ(world_.Text(layout::kCmd, "Fn-E"), "C:\\Tools\\edit.exe");
  EXPECT_EQ(world_.Text(layout::kCwd, "Fn-E"), "C:\\Tools");
  for (const char* other : {"Fn-1", "Fn-Z"}) {
    EXPECT_EQ(world_.Raw(layout::kDesc, other), (Bytes{0, 0, 0})) << other;
    EXPECT_EQ(world_.Raw(layout::kCwd, other), (Bytes{0, 0, 0})) << other;
    EXPECT_EQ(world_.Raw(layout::kOpts, other), (Bytes{'0', 0})) << other;
    EXPECT_FALSE(world_.Raw(layout::kCmd, other)) << other;
  }
}

TEST_F(AssignmentTest, ALaterSaveReplacesOnlyItsOwnKeyAndSkipsEmptyFields) {
  SaveDirectAssignment(world_.store, "Fn-A", {"Mail", "mail.exe", "C:\\Mail", true});
  SaveDirectAssignment(world_.store, "Fn-B", {"Web", "web.exe", "", true});
  // An empty command leaves the key unassigned; the description is still kept.
  SaveDirectAssignment(world_.store, "Fn-A", {"Only a name", "", "", false});
  const StoredAssignment a = ReadAssignment(world_.store, "Fn-A");
  EXPECT_FALSE(a.command);
  EXPECT_EQ(a.description + "|" + a.directory + "|" + a.switch_flag.value_or("?"),
            "Only a name||0");
  EXPECT_EQ(ReadAssignment(world_.store, "Fn-B").command, "web.exe");
}

}  // namespace
}  // namespace keylark::core
