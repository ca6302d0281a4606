// keylarkctl as a script sees it: what each command prints, its exit code, and
// what it leaves in the registry, read back by the literal paths.
#include "control/ctl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "core/assignment.h"
#include "fakes/fake_filesystem.h"
#include "fakes/key_bar_world.h"
#include "store/store_operations.h"

namespace keylark::control {
namespace {

using namespace fakes::layout;
using platform::kRegSz;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

const std::string kHostile = std::string(KEYLARK_SOURCE_DIR) + "/tests/native/hostile_imports/";

// Files written by the tool stay in memory; any other is read from disk.
class FakeCtlSystem final : public CtlSystem {
 public:
  std::optional<std::string> ReadFile(const std::string& path) override {
    if (files.count(path)) return files[path];
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  std::optional<std::string> ReadStandardInput() override { return input; }
  bool WriteFile(const std::string& path, const std::string& text) override {
    files[path] = text;
    return true;
  }
  std::string FullPath(const std::string& path) override { return path; }
  void NotifyKeyBar() override { ++notified; }

  std::map<std::string, std::string> files;
  std::optional<std::string> input;
  int notified = 0;
};

class CtlTest : public fakes::WorldTest {
 protected:
  CtlResult RunArgs(std::vector<std::string> args) {
    return RunCtl(args, {world_.store, files_, codec_, system_});
  }
  CtlResult Run(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> args;
    for (std::string word; words >> word;) args.push_back(word);
    return RunArgs(args);
  }
  // Every stored value, byte for byte.
  std::string Snapshot() { return Run("export").out; }
  // Every kind of value the dialogs write, and some they never write but a
  // hand-edited registry may hold.
  void Fill() {
    const auto raw = [&](const std::string& path, const char* name, std::uint32_t type,
                         const std::string& bytes) {
      store::ScopedKey(world_.registry, store::Root::CurrentUser, path, true)
          .Write(name, type, store::Bytes(bytes.begin(), bytes.end()));
    };
    core::SaveDirectAssignment(world_.store, "Fn-1",
                               {"Tab\there, \"quoted\" ", "C:\\run.exe /x", "", false});
    for (const char* name : {"calc.exe", "Ünïcode 日本.lnk"})
      files_.AddFile("C:\\Menu\\Zubehör", name);
    files_.AddFile("C:\\Menu\\Zubehör", "hidden.lnk", platform::kHiddenAttribute);
    store::SavePopupList(world_.store, files_,
                         {"Fn-A", "C:\\Menu\\Zubehör", "", 2, "C:\\Menu\\Zubehör", "Zubehör"});
    raw(kCmd, "Fn-Q", kRegSz, "no NUL");
    raw(kDesc, "Fn-Q", platform::kRegBinary, std::string("\x01\x00\xFF", 3));
    raw(kCwd, "Fn-Q", kRegSz, std::string("a\0b\0", 4));
    raw(kOpts, "Fn-Q", platform::kRegDword, std::string("\x01\x00\x00\x00", 4));
    raw(kDesc, "Fn-D", kRegSz, std::string("\xFF\xFE\0", 3));
    raw(kCwd, "Fn-D", kRegSz, "\"q\na\r\x01\0");
    raw(kCmd, "Fn-D", kRegSz, "");
    raw(kDesc, "Fn-E", kRegSz, std::string("\0", 1));
    store::SavePopupList(world_.store, files_, {"Fn-B", "", "", 0, "C:\\Gone", "Gone"});
    store::ClearAssignment(world_.store, "Fn-B");  // leaves the list key and its "0"
    raw(Prg("Fn-C") + "\\No value", "other", kRegSz, std::string("x\0", 2));
  }

  fakes::FakeFileSystem files_;
  Utf8Codec codec_;
  FakeCtlSystem system_;
};

TEST_F(CtlTest, ListShowsEveryColumnOfEveryKey) {
  core::SaveDirectAssignment(world_.store, "Fn-1", {"Runner", "C:\\run.exe /x", "C:\\Tools", true});
  world_.SetSwitchFlag("Fn-1", "-1");
  world_.Put(kCmd, "Fn-A", "@C:\\Menu");
  world_.Put(kDesc, "Fn-A", std::string("\0\0", 2));  // a cleared description
  world_.SetSwitchFlag("Fn-A", "0");
  world_.Reserve("Z");
  world_.Put(kCmd, "Fn-Z", "z.exe");

  const CtlResult list = Run("list");
  EXPECT_EQ(list.exit_code, kExitOk);
  EXPECT_THAT(list.out,
              StartsWith("key\tkind\tswitch\treserved\tcommand\tdescription\tdirectory\n"));
  EXPECT_THAT(list.out, HasSubstr("\nFn-1\tdirect\ton\tno\tC:\\run.exe /x\tRunner\tC:\\Tools\n"));
  EXPECT_THAT(list.out, HasSubstr("\nFn-A\tpopup\toff\tno\t@C:\\Menu\t\t\n"));
  EXPECT_THAT(list.out, HasSubstr("\nFn-Z\tdirect\toff\tyes\tz.exe\t\t\n"));
  EXPECT_THAT(list.out, HasSubstr("\nFn-Y\tfree\toff\tno\t\t\t\n"));
  EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 25);
  EXPECT_EQ(Run("--version").out, "keylarkctl 1.00.0001\n");
}

// Each option alone on: an option shown or set in place of another shows.
TEST_F(CtlTest, OptionsShowAndSetEachOptionByItsOwnValue) {
  const std::string names[] = {"always-on-top", "mark-popups", "minimize-on-use", "hints",
                               "confirm-changes"};
  EXPECT_EQ(Run("options hints on").exit_code, kExitFailed) << "no ini\\cfg: Keylark never ran";
  for (int on = 0; on < 5; ++on) {
    std::string expected;
    for (int i = 0; i < 5; ++i) {
      world_.Put(kCfg, "opts" + std::to_string(i + 1), i == on ? "1" : "0");
      expected += names[i] + std::string(20 - names[i].size(), ' ') + (i == on ? "on\n" : "off\n");
    }
    expected += "scale-with-display  off\n";
    EXPECT_EQ(Run("options").out, expected);
    EXPECT_EQ(Run("options " + names[on] + " off").exit_code, kExitOk);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(world_.Text(kCfg, "opts" + std::to_string(i)), "0");
  }
  EXPECT_EQ(Run("options hints maybe").exit_code, kExitUsage);
  EXPECT_EQ(system_.notified, 5);
}

// Absent until first set, then exported; an import sets only what it names.
TEST_F(CtlTest, ScaleWithDisplayIsExportedOnceSetAndImportedOnlyWhereAFileNamesIt) {
  world_.Put(kCfg, "opts4", "1");
  EXPECT_THAT(Snapshot(), Not(HasSubstr("scale-with-display")));
  ASSERT_EQ(Run("options scale-with-display on").exit_code, kExitOk);
  const std::string exported = Snapshot();
  system_.input = "keylark-assignments 1\noption scale-with-display off\n";
  ASSERT_EQ(Run("import").exit_code, kExitOk);
  EXPECT_EQ(world_.Text(kCfg, "ScaleWithDisplay"), "0");
  EXPECT_EQ(world_.Text(kCfg, "opts4"), "1");
  system_.input = exported;
  ASSERT_EQ(Run("import").exit_code, kExitOk);
  EXPECT_EQ(world_.Text(kCfg, "ScaleWithDisplay"), "1");
  system_.input = exported;
  EXPECT_EQ(Run("import").exit_code, kExitUnchanged) << "an option already as the file says";
  system_.input = "keylark-assignments 1\nkey E\noption hints off\n";
  EXPECT_EQ(Run("import").exit_code, kExitFailed) << "options come before the keys";
}

TEST_F(CtlTest, SetGivesANewKeyTheSwitchOnAndAReplacedKeyKeepsItsFlag) {
  ASSERT_EQ(Run("set e --command new.exe").exit_code, kExitOk);
  EXPECT_EQ(world_.Text(kOpts, "Fn-E"), "1");

  world_.SetSwitchFlag("Fn-E", "0");
  ASSERT_EQ(Run("set Fn-E --command other.exe --description Other").exit_code, kExitOk);
  EXPECT_EQ(world_.Text(kOpts, "Fn-E"), "0");
  EXPECT_EQ(world_.Text(kDesc, "Fn-E"), "Other");
  EXPECT_EQ(system_.notified, 2) << "the key bar recolours after each";

  for (const char* blank : {"   ", "\t", "\xE3\x80\x80", " \xC2\xA0\n"}) {
    const CtlResult result = RunArgs({"set", "E", "--command", blank, "--description", "x"});
    EXPECT_EQ(result.exit_code, kExitUsage) << blank;
    EXPECT_THAT(result.err, HasSubstr("--command that is not empty"));
  }
  EXPECT_EQ(world_.Text(kCmd, "Fn-E"), "other.exe");
}

// expected.tsv lists the files of hostile_imports and how each one's message starts.
TEST_F(CtlTest, EveryHostileFileIsRefusedByItsLineWithTheStoreUnchanged) {
  Fill();
  std::vector<std::pair<std::string, std::string>> cases;  // the file, the start of its message
  std::ifstream table(kHostile + "expected.tsv");
  for (std::string row; std::getline(table, row);) {
    const std::size_t tab = row.find('\t');
    if (!row.empty() && row.front() != '#')
      cases.emplace_back(kHostile + row.substr(0, tab), row.substr(tab + 1));
  }
  ASSERT_GE(cases.size(), 26U) << kHostile;
  const std::string before = Snapshot();
  for (const auto& [path, message] : cases) {
    SCOPED_TRACE(path);
    const CtlResult result = RunArgs({"import", path});
    EXPECT_EQ(result.exit_code, kExitFailed);
    const std::string expected = "keylarkctl: " + path + ", " + message;
    const std::string first_line = result.err.substr(0, result.err.find('\n'));
    EXPECT_EQ(first_line.substr(0, expected.size()), expected);
    EXPECT_EQ(first_line.find_first_of("\x1b\x07\r"), std::string::npos) << "echoed raw";
    EXPECT_THAT(result.err, HasSubstr("\nNothing was imported.\n"));
    EXPECT_TRUE(result.out.empty()) << result.out;
  }
  EXPECT_EQ(Run("import missing").exit_code, kExitFailed);
  EXPECT_EQ(Run("import a b").exit_code, kExitUsage);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(system_.notified, 0);
}

// What someone editing an exported file by hand may write: comments without
// a blank, item names as long as the registry allows counted in characters,
// lower-case keys, any line end, a byte order mark.
TEST_F(CtlTest, AHandEditedFileImportsAsWritten) {
  const std::string longest(255, 'n');
  std::string japanese, emoji;
  for (int i = 0; i < 100; ++i) japanese += "日";             // 300 bytes, 100 UTF-16 units
  for (int i = 0; i < 127; ++i) emoji += "\xF0\x9F\x98\x80";  // 254 units
  system_.files["mine"] =
      "\xEF\xBB\xBF#mine\nkeylark-assignments 1\r#key 2\nkey q\ncommand \"C:\\\\q.exe\"\r\n" +
      std::string("list\ncount 1\nitem ") + longest + "\npath C:\\n.lnk\rkey A\n" +
      "list\r\nitem " + japanese + "\ritem " + emoji + "\n";
  const CtlResult import = Run("import mine");
  ASSERT_EQ(import.exit_code, kExitOk) << import.err;
  EXPECT_EQ(import.out, "imported 2 keys: Fn-Q, Fn-A\n");
  EXPECT_EQ(world_.Text(kCmd, "Fn-Q"), "C:\\q.exe");
  EXPECT_EQ(world_.Text(PrgItem("Fn-Q", longest), longest), "C:\\n.lnk");
  EXPECT_FALSE(world_.Text(kCmd, "Fn-2"));
  EXPECT_THAT(Snapshot(), HasSubstr("item " + japanese + "\nitem " + emoji + "\n"));

  system_.files["long"] = "keylark-assignments 1\nkey q\nlist\nitem " + longest + "n\n";
  EXPECT_EQ(Run("import long").exit_code, kExitFailed) << "256 characters are too many";
}

TEST_F(CtlTest, AReservedKeyIsSavedWithANoticeOthersWithout) {
  world_.Reserve("6");
  files_.AddFile("C:\\Menu", "Tool.lnk");
  system_.input = "keylark-assignments 1\nkey 6\ncommand calc.exe\nkey 5\ncommand x.exe\n";
  for (const char* command : {"set 6 --command calc.exe", "set-popup Fn-6 C:\\Menu", "import -"}) {
    const CtlResult result = Run(command);
    EXPECT_EQ(result.exit_code, kExitOk) << command;
    EXPECT_EQ(result.err,
              "keylarkctl: Fn-6 is reserved by the notebook: its label ignores clicks; the key "
              "still works through the Fn key\n");
  }
  EXPECT_EQ(world_.Text(kCmd, "Fn-6"), "calc.exe");
  EXPECT_EQ(Run("set E --command calc.exe").err, "");
  system_.input = "keylark-assignments 1\nkey 6\n";
  EXPECT_EQ(Run("import").err, "") << "not assigned: nothing to say";
}

TEST_F(CtlTest, AnImportGivesBackAnExportByteForByteAndAFailedWriteUndoesAllOfIt) {
  Fill();
  const std::string before = Snapshot();
  ASSERT_EQ(Run("export saved").exit_code, kExitOk);
  for (const char* line : {"command C:\\run.exe /x\n", "directory <empty>\n", "switch 0\n",
                           "item Ünïcode 日本\n", "description \"Tab\\there, \\\"quoted\\\" \"\n",
                           "description \"\"\n", "command <data 1 6E6F204E554C>\n"})
    EXPECT_THAT(before, HasSubstr(line));
  const std::string file =
      "keylark-assignments 1\nkey 1\ncommand one.exe\ndescription One\nswitch 0\n"
      "key E\ncommand other.exe\nkey A\ncommand @C:\\Neu\nlist\ncount 1\nitem Neu\n"
      "path C:\\Neu\\Neu.lnk\n";
  // Whichever of the import's writes fails, the keys written before it get
  // their old values back.
  for (std::size_t succeeding = 0;; ++succeeding) {
    SCOPED_TRACE(succeeding);
    world_.registry.FailOneSetValue(succeeding, platform::kAccessDenied);
    system_.input = file;
    const CtlResult result = Run("import");
    if (result.exit_code == kExitOk) {
      EXPECT_GE(succeeding, 7U) << "every write counted";
      break;
    }
    EXPECT_EQ(result.exit_code, kExitFailed);
    EXPECT_THAT(result.err, HasSubstr("(access denied)\nNothing was imported.\n"));
    EXPECT_EQ(Snapshot(), before);
    ASSERT_LT(succeeding, 20U);
  }
  EXPECT_EQ(world_.Text(PrgItem("Fn-A", "Neu"), "Neu"), "C:\\Neu\\Neu.lnk");
  EXPECT_FALSE(world_.Text(PrgItem("Fn-A", "calc.exe"), "calc.exe"));

  // The export imported into a cleared store gives every value back.
  for (const std::string& name : world_.session.FnKeyNames) Run("clear " + name);
  // A list made after the export is not in the file, so the import removes it.
  files_.AddFile("C:\\Later", "late.exe");
  store::SavePopupList(world_.store, files_, {"Fn-6", "C:\\Later", "", 1, "C:\\Later", "Later"});
  ASSERT_EQ(Run("import saved").exit_code, kExitOk);
  EXPECT_EQ(Snapshot(), before);

  // The same file again finds every key as it says: nothing is written (a
  // write would fail here) and the exit code says so. When one key differs,
  // only that key is written.
  world_.registry.FailOneSetValue(0, platform::kAccessDenied);
  const int notified = system_.notified;
  const CtlResult again = Run("import saved");
  EXPECT_EQ(again.exit_code, kExitUnchanged) << again.err;
  EXPECT_EQ(system_.notified, notified);
  world_.registry.FailOneSetValue(0, platform::kSuccess);  // no failure armed
  system_.input = file;
  ASSERT_EQ(Run("import").exit_code, kExitOk);
  Run("clear E");
  system_.input = file;
  EXPECT_EQ(Run("import").out, "imported 1 keys: Fn-E\n");
  system_.input = file;
  EXPECT_EQ(Run("import").exit_code, kExitUnchanged);
}

}  // namespace
}  // namespace keylark::control
