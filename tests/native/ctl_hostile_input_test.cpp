// keylarkctl under hostile input: every refused import file names its line
// in a message that cannot drive the terminal and leaves the store as it was;
// a write the registry refuses halfway through an import is undone; reserved
// keys are saved with a notice.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "control/ctl.h"
#include "control/store_snapshot.h"
#include "core/assignment.h"
#include "core/key_table.h"
#include "fakes/fake_filesystem.h"
#include "fakes/fake_registry.h"
#include "store/layout.h"
#include "store/store_operations.h"

namespace keylark::control {
namespace {

const std::string kDataFolder = std::string(KEYLARK_SOURCE_DIR) + "/tests/native/hostile_imports/";

class FileCtlSystem final : public CtlSystem {
 public:
  std::optional<std::string> ReadFile(const std::string& path) override {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  std::optional<std::string> ReadStandardInput() override { return input; }
  bool WriteFile(const std::string&, const std::string&) override { return false; }
  std::string FullPath(const std::string& path) override { return path; }
  void NotifyKeyBar() override {}

  std::optional<std::string> input;
};

class CtlHostileInput : public ::testing::Test {
 protected:
  void SetUp() override {
    core::SaveDirectAssignment(store_, "Fn-E", {"Notes", "notepad.exe", "C:\\Docs", true});
    files_.AddFile("C:\\Obst", "Äpfel.lnk");
    files_.AddFile("C:\\Obst", "Birnen.lnk");
    store::SavePopupList(store_, files_, {"Fn-A", "C:\\Obst", "", 2, "C:\\Obst", "Obst"});
  }

  CtlResult Run(std::vector<std::string> args) {
    return RunCtl(args, {store_, files_, codec_, system_});
  }
  CtlResult Import(const std::string& text) {
    system_.input = text;
    return Run({"import"});
  }

  std::vector<KeyRecord> Snapshot() {
    std::vector<KeyRecord> records;
    for (const std::string& name : core::BuildFnKeyNames()) {
      records.push_back(ReadKeyRecord(store_, name));
    }
    return records;
  }

  void Reserve(const char* character) {
    const store::ScopedKey key(registry_, store::Root::LocalMachine, store::kReservedKeysKey, true);
    key.WriteText(character, "");
  }

  fakes::FakeRegistry registry_;
  store::Store store_{registry_};
  fakes::FakeFileSystem files_;
  Utf8Codec codec_;
  FileCtlSystem system_;
};

TEST_F(CtlHostileInput, EveryHostileFileIsRefusedByItsLineWithTheStoreUnchanged) {
  std::ifstream table(kDataFolder + "expected.tsv");
  ASSERT_TRUE(table) << kDataFolder;
  const std::vector<KeyRecord> before = Snapshot();
  int files = 0;
  for (std::string row; std::getline(table, row);) {
    if (row.empty() || row.front() == '#') continue;
    const std::size_t tab = row.find('\t');
    const std::string path = kDataFolder + row.substr(0, tab);
    const std::string expected = "keylarkctl: " + path + ", " + row.substr(tab + 1);
    SCOPED_TRACE(path);
    const CtlResult result = Run({"import", path});
    EXPECT_EQ(result.exit_code, kExitFailed);
    const std::string first_line = result.err.substr(0, result.err.find('\n'));
    EXPECT_EQ(first_line.substr(0, expected.size()), expected);
    EXPECT_EQ(first_line.find_first_of("\x1b\x07\r"), std::string::npos) << "echoed raw";
    EXPECT_NE(result.err.find("\nNothing was imported.\n"), std::string::npos);
    EXPECT_TRUE(result.out.empty()) << result.out;
    EXPECT_EQ(Snapshot(), before);
    ++files;
  }
  EXPECT_GE(files, 15);
  EXPECT_EQ(registry_.OpenHandleCount(), 0U);
}

TEST_F(CtlHostileInput, LimitsCountCharactersAndAnyLineEndIsRead) {
  std::string japanese;
  for (int i = 0; i < 100; ++i) japanese += "日";  // 300 bytes, 100 UTF-16 units
  std::string emoji;
  for (int i = 0; i < 127; ++i) emoji += "\xF0\x9F\x98\x80";  // 254 units
  const CtlResult result = Import("keylark-assignments 1\rkey A\r\ncommand @C:\\Obst\nlist\r" +
                                  std::string("item ") + japanese + "\ritem " + emoji + "\r");
  ASSERT_EQ(result.exit_code, kExitOk) << result.err;
  const std::optional<PopupListRecord> list = ReadKeyRecord(store_, "Fn-A").list;
  ASSERT_TRUE(list);
  std::set<std::string> names;
  for (const PopupItemRecord& item : list->items) names.insert(item.name);
  EXPECT_EQ(names, (std::set<std::string>{japanese, emoji}));
}

TEST_F(CtlHostileInput, ABlankCommandIsNoCommandYetAStoredOneStillTravelsAsData) {
  const std::vector<KeyRecord> before = Snapshot();
  for (const char* blank : {"   ", "\t", "\xE3\x80\x80", " \xC2\xA0\n"}) {
    const CtlResult result = Run({"set", "E", "--command", blank, "--description", "x"});
    EXPECT_EQ(result.exit_code, kExitUsage) << blank;
    EXPECT_NE(result.err.find("--command that is not empty"), std::string::npos);
  }
  EXPECT_EQ(Snapshot(), before);

  // Another program left a command of blanks: the export carries it as data,
  // which the import takes back byte for byte.
  store_.WriteText(store::kCommandKey, "Fn-Q", " \xE3\x80\x80", store::KeyMode::OpenExisting);
  const std::vector<KeyRecord> with_blank = Snapshot();
  const CtlResult exported = Run({"export"});
  ASSERT_EQ(exported.exit_code, kExitOk) << exported.err;
  EXPECT_NE(exported.out.find("command <data 1 20E3808000>\n"), std::string::npos);
  store::ClearAssignment(store_, "Fn-Q");
  ASSERT_EQ(Import(exported.out).exit_code, kExitOk);
  EXPECT_EQ(Snapshot(), with_blank);
}

TEST_F(CtlHostileInput, AReservedKeyIsSavedWithANoticeOthersWithout) {
  Reserve("6");
  const std::string notice =
      "keylarkctl: Fn-6 is reserved by the notebook: its label ignores clicks; the key still "
      "works through the Fn key\n";
  files_.AddFile("C:\\Menu", "Tool.lnk");
  const std::vector<std::vector<std::string>> commands = {
      {"set", "6", "--command", "calc.exe"},
      {"set-popup", "Fn-6", "C:\\Menu"},
      {"import", "-"},
  };
  system_.input = "keylark-assignments 1\nkey 6\ncommand calc.exe\nkey 5\ncommand x.exe\n";
  for (const auto& command : commands) {
    SCOPED_TRACE(command[0]);
    const CtlResult result = Run(command);
    EXPECT_EQ(result.exit_code, kExitOk);
    EXPECT_EQ(result.err, notice);
  }
  EXPECT_EQ(store_.ReadText(store::kCommandKey, "Fn-6"), "calc.exe");
  EXPECT_EQ(Run({"set", "E", "--command", "calc.exe"}).err, "");
  system_.input = "keylark-assignments 1\nkey 6\n";  // not assigned: nothing to say
  EXPECT_EQ(Run({"import"}).err, "");
}

TEST_F(CtlHostileInput, AWriteTheRegistryRefusesUndoesTheWholeImport) {
  const std::string file =
      "keylark-assignments 1\n"
      "key 1\ncommand one.exe\ndescription One\nswitch 0\n"
      "key E\ncommand other.exe\n"
      "key A\ncommand @C:\\Neu\nlist\ncount 1\nitem Neu\npath C:\\Neu\\Neu.lnk\n";
  const std::vector<KeyRecord> before = Snapshot();
  // Whichever of the import's writes fails, the keys written before it get
  // their old values back.
  for (std::size_t succeeding = 0;; ++succeeding) {
    SCOPED_TRACE(succeeding);
    registry_.FailOneSetValue(succeeding, platform::kAccessDenied);
    const CtlResult result = Import(file);
    if (result.exit_code == kExitOk) {
      EXPECT_GE(succeeding, 7U) << "every write counted";
      break;
    }
    EXPECT_EQ(result.exit_code, kExitFailed);
    EXPECT_NE(result.err.find("(access denied)\nNothing was imported.\n"), std::string::npos)
        << result.err;
    EXPECT_TRUE(result.out.empty());
    EXPECT_EQ(Snapshot(), before);
    ASSERT_LT(succeeding, 20U);
  }
  EXPECT_EQ(store_.ReadText(store::PopupItemKey("Fn-A", "Neu"), "Neu"), "C:\\Neu\\Neu.lnk");
  EXPECT_FALSE(store_.KeyExists(store::Root::CurrentUser, store::PopupItemKey("Fn-A", "Birnen")));
}

}  // namespace
}  // namespace keylark::control
