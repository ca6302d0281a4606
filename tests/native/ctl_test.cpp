// keylarkctl as a script sees it: what each command prints, the exit code, and
// what it leaves in the registry (read back by the literal paths).
#include "control/ctl.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "fakes/fake_filesystem.h"
#include "fakes/key_bar_world.h"

namespace keylark::control {
namespace {

namespace layout = fakes::layout;

class FakeCtlSystem final : public CtlSystem {
 public:
  std::optional<std::string> ReadFile(const std::string& path) override {
    const auto it = files.find(path);
    return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  std::optional<std::string> ReadStandardInput() override { return std::nullopt; }
  bool WriteFile(const std::string& path, const std::string& text) override {
    files[path] = text;
    return true;
  }
  std::string FullPath(const std::string& path) override { return path; }
  void NotifyKeyBar() override { ++notified; }

  std::map<std::string, std::string> files;
  int notified = 0;
};

class CtlTest : public fakes::WorldTest {
 protected:
  CtlResult Run(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> args;
    for (std::string word; words >> word;) args.push_back(word);
    return RunCtl(args, {world_.store, files_, codec_, system_});
  }
  // The line of one key in the output of "list".
  std::string ListLine(const std::string& out, const std::string& key) {
    const std::size_t at = out.find("\n" + key + "\t");
    return at == std::string::npos ? "" : out.substr(at + 1, out.find('\n', at + 1) - at - 1);
  }

  fakes::FakeFileSystem files_;
  Utf8Codec codec_;
  FakeCtlSystem system_;
};

TEST_F(CtlTest, ListShowsEveryColumnOfEveryKey) {
  world_.Put(layout::kCmd, "Fn-1", "C:\\run.exe /x");
  world_.Put(layout::kDesc, "Fn-1", "Runner");
  world_.Put(layout::kCwd, "Fn-1", "C:\\Tools");
  world_.SetSwitchFlag("Fn-1", "-1");
  world_.Put(layout::kCmd, "Fn-A", "@C:\\Menu");
  world_.Put(layout::kDesc, "Fn-A", std::string("\0\0", 2));  // a cleared description
  world_.SetSwitchFlag("Fn-A", "0");
  world_.Reserve("Z");
  world_.Put(layout::kCmd, "Fn-Z", "z.exe");

  const CtlResult list = Run("list");
  EXPECT_EQ(list.exit_code, kExitOk);
  EXPECT_EQ(list.out.substr(0, list.out.find('\n')),
            "key\tkind\tswitch\treserved\tcommand\tdescription\tdirectory");
  EXPECT_EQ(ListLine(list.out, "Fn-1"), "Fn-1\tdirect\ton\tno\tC:\\run.exe /x\tRunner\tC:\\Tools");
  EXPECT_EQ(ListLine(list.out, "Fn-A"), "Fn-A\tpopup\toff\tno\t@C:\\Menu\t\t");
  EXPECT_EQ(ListLine(list.out, "Fn-Z"), "Fn-Z\tdirect\toff\tyes\tz.exe\t\t");
  EXPECT_EQ(ListLine(list.out, "Fn-Y"), "Fn-Y\tfree\toff\tno\t\t\t");
  EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 25);
}

// Each option alone on: an option shown or set in place of another shows.
TEST_F(CtlTest, OptionsShowAndSetEachOptionByItsOwnValue) {
  const char* const names[] = {"always-on-top", "mark-popups", "minimize-on-use", "hints",
                               "confirm-changes"};
  const char* const values[] = {"opts1", "opts2", "opts3", "opts4", "opts5"};
  EXPECT_EQ(Run("options hints on").exit_code, kExitFailed) << "no ini\\cfg: Keylark never ran";
  for (int on = 0; on < 5; ++on) {
    for (int i = 0; i < 5; ++i) world_.Put(layout::kCfg, values[i], i == on ? "1" : "0");
    std::string expected;
    for (int i = 0; i < 5; ++i) {
      expected += names[i] + std::string(17 - std::string(names[i]).size(), ' ') +
                  (i == on ? "on\n" : "off\n");
    }
    EXPECT_EQ(Run("options").out, expected);

    const CtlResult set = Run(std::string("options ") + names[on] + " off");
    EXPECT_EQ(set.exit_code, kExitOk) << set.err;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(world_.Text(layout::kCfg, values[i]), "0") << values[i];
  }
  EXPECT_EQ(Run("options hints maybe").exit_code, kExitUsage);
  EXPECT_EQ(system_.notified, 5);
}

TEST_F(CtlTest, SetGivesANewKeyTheSwitchOnAndAReplacedKeyKeepsItsFlag) {
  ASSERT_EQ(Run("set e --command new.exe").exit_code, kExitOk);
  EXPECT_EQ(world_.Text(layout::kCmd, "Fn-E"), "new.exe");
  EXPECT_EQ(world_.Text(layout::kOpts, "Fn-E"), "1");
  EXPECT_EQ(world_.Text(layout::kOpts, "Fn-1"), "0") << "made for all 24 keys";

  world_.SetSwitchFlag("Fn-E", "0");
  ASSERT_EQ(Run("set Fn-E --command other.exe --description Other").exit_code, kExitOk);
  EXPECT_EQ(world_.Text(layout::kOpts, "Fn-E"), "0");
  EXPECT_EQ(world_.Text(layout::kDesc, "Fn-E"), "Other");
  EXPECT_EQ(system_.notified, 2) << "the key bar recolours after each";
}

TEST_F(CtlTest, AnImportThatCannotBeUsedFailsWithOneAndChangesNothing) {
  world_.Put(layout::kCmd, "Fn-E", "kept.exe");
  system_.files["bad"] = "keylark-assignments 1\nkey 1\ncommand x\nkey E\nswitch <blob>\n";
  const CtlResult bad = Run("import bad");
  EXPECT_EQ(bad.exit_code, kExitFailed);
  EXPECT_NE(bad.err.find("bad, line 5: switch: unknown form <blob>"), std::string::npos) << bad.err;
  EXPECT_EQ(Run("import missing").exit_code, kExitFailed);
  EXPECT_EQ(Run("import a b").exit_code, kExitUsage);
  EXPECT_FALSE(world_.Text(layout::kCmd, "Fn-1"));
  EXPECT_EQ(world_.Text(layout::kCmd, "Fn-E"), "kept.exe");
  EXPECT_EQ(system_.notified, 0);
}

// What someone editing an exported file by hand may write: comments without
// a blank, item names as long as the registry allows, lower-case keys.
TEST_F(CtlTest, AHandEditedFileImportsAsWritten) {
  const std::string longest(255, 'n');
  system_.files["mine"] = "#mine\nkeylark-assignments 1\n#key 2\nkey q\ncommand \"C:\\\\q.exe\"\n" +
                          std::string("list\ncount 1\nitem ") + longest + "\npath C:\\n.lnk\n";
  const CtlResult import = Run("import mine");
  ASSERT_EQ(import.exit_code, kExitOk) << import.err;
  EXPECT_EQ(import.out, "imported 1 keys: Fn-Q\n");
  EXPECT_EQ(world_.Text(layout::kCmd, "Fn-Q"), "C:\\q.exe");
  EXPECT_EQ(world_.Text(layout::PrgItem("Fn-Q", longest), longest), "C:\\n.lnk");
  EXPECT_FALSE(world_.Text(layout::kCmd, "Fn-2"));

  system_.files["long"] = "keylark-assignments 1\nkey q\nlist\nitem " + longest + "n\n";
  EXPECT_EQ(Run("import long").exit_code, kExitFailed) << "256 characters are too many";
}

TEST_F(CtlTest, TheVersionIsTheProgramsFileVersion) {
  EXPECT_EQ(Run("--version").out, "keylarkctl 1.00.0001\n");
}

}  // namespace
}  // namespace keylark::control
