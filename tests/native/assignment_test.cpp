#include "core/assignment.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "store/layout.h"

namespace keylark::core {
namespace {

using store::Bytes;

class AssignmentTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(registry_.OpenHandleCount(), 0U); }

  // The raw bytes of a value under a literal path, or {0xEE} when absent.
  Bytes Raw(const char* path, const std::string& name) {
    const store::ScopedKey key(registry_, store::Root::CurrentUser, path, false);
    return key.ReadBytes(name).value_or(Bytes{0xEE});
  }

  fakes::FakeRegistry registry_;
  store::Store store_{registry_};
};

TEST_F(AssignmentTest, AFirstSaveMakesTheKeysWithInitialValuesForAllTwentyFourKeys) {
  SaveDirectAssignment(store_, "Fn-E", {"Editor", "C:\\Tools\\edit.exe", "C:\\Tools", false});

  const char* cmd = "Software\\Korvane\\Keylark\\ini\\cmd";
  const char* desc = "Software\\Korvane\\Keylark\\ini\\desc";
  const char* cwd = "Software\\Korvane\\Keylark\\ini\\cwd";
  const char* opts = "Software\\Korvane\\Keylark\\ini\\opts";
  EXPECT_EQ(Raw(cmd, "Fn-E"), store::EncodeText("C:\\Tools\\edit.exe"));
  EXPECT_EQ(Raw(desc, "Fn-E"), store::EncodeText("Editor"));
  EXPECT_EQ(Raw(cwd, "Fn-E"), store::EncodeText("C:\\Tools"));
  EXPECT_EQ(Raw(opts, "Fn-E"), store::EncodeText("0"));
  for (const char* other : {"Fn-1", "Fn-6", "Fn-A", "Fn-Z"}) {
    EXPECT_EQ(Raw(desc, other), (Bytes{0, 0, 0})) << other;
    EXPECT_EQ(Raw(cwd, other), (Bytes{0, 0, 0})) << other;
    EXPECT_EQ(Raw(opts, other), store::EncodeText("0")) << other;
    EXPECT_EQ(Raw(cmd, other), Bytes{0xEE}) << other;
  }
}

TEST_F(AssignmentTest, ALaterSaveReplacesOnlyItsOwnKeyAndSkipsEmptyFields) {
  SaveDirectAssignment(store_, "Fn-A", {"Mail", "mail.exe", "C:\\Mail", true});
  SaveDirectAssignment(store_, "Fn-B", {"Web", "web.exe", "", true});
  // An empty command leaves the key unassigned; the description is still kept.
  SaveDirectAssignment(store_, "Fn-A", {"Only a name", "", "", false});

  const StoredAssignment a = ReadAssignment(store_, "Fn-A");
  EXPECT_FALSE(a.command);
  EXPECT_EQ(a.description, "Only a name");
  EXPECT_EQ(a.directory, "");
  EXPECT_EQ(a.switch_flag, "0");
  const StoredAssignment b = ReadAssignment(store_, "Fn-B");
  EXPECT_EQ(b.command, "web.exe");
  EXPECT_EQ(b.description, "Web");
  EXPECT_EQ(b.switch_flag, "1");
}

TEST_F(AssignmentTest, TheSwitchFlagAloneAlsoMakesItsKeyForAllKeys) {
  WriteSwitchFlag(store_, "Fn-Q", true);
  EXPECT_EQ(ReadAssignment(store_, "Fn-Q").switch_flag, "1");
  EXPECT_EQ(ReadAssignment(store_, "Fn-W").switch_flag, "0");
  WriteSwitchFlag(store_, "Fn-W", true);
  EXPECT_EQ(ReadAssignment(store_, "Fn-Q").switch_flag, "1") << "an existing key is not reset";
}

}  // namespace
}  // namespace keylark::core
