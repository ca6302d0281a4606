// What may reach the shell, how a direct command splits into program and
// parameters, how a path splits, what a shortcut reads as, and where a
// restored key bar may stand.
#include <gtest/gtest.h>

#include <set>

#include "app/screen_placement.h"
#include "core/path_split.h"
#include "fakes/fake_shortcut_library.h"
#include "launch/command_line.h"
#include "launch/shortcut_reader.h"

namespace keylark {
namespace {

using launch::CommandParts;

TEST(CommandSplit, SplitsAsTheRunBoxDoesAndLooksUpOnlyFullPaths) {
  const std::set<std::string> existing = {"C:\\dir with space\\kl target.exe", "C:\\dir.exe",
                                          "C:\\dir", "kl.exe"};
  std::vector<std::string> asked;
  const launch::PathExists exists = [&](const std::string& path) {
    asked.push_back(path);
    return existing.count(path) != 0;
  };
  const struct {
    const char* command;
    CommandParts expected;
  } cases[] = {
      {"C:\\dir with space\\kl target.exe", {"C:\\dir with space\\kl target.exe", "", true}},
      {"C:\\dir with space\\kl target.exe  -a b",
       {"C:\\dir with space\\kl target.exe", "-a b", true}},
      {"notepad.exe C:\\notes.txt", {"notepad.exe", "C:\\notes.txt", false}},
      {"kl.exe x", {"kl.exe", "x", false}},  // relative: never looked up
      {" \"C:\\Program Files\\a b.exe\"\t/s ", {"C:\\Program Files\\a b.exe", "/s ", false}},
      {"\"C:\\dir.exe", {"C:\\dir.exe", "", true}},
      {"mailto:someone@example.com?subject=a b",
       {"mailto:someone@example.com?subject=a b", "", false}},
      {"C:\\nowhere\\run.exe arg", {"C:\\nowhere\\run.exe", "arg", false}},
      {"", {"", "", false}}};
  for (const auto& c : cases) {
    const CommandParts parts = launch::SplitCommand(c.command, exists);
    EXPECT_EQ(parts.program, c.expected.program) << c.command;
    EXPECT_EQ(parts.parameters, c.expected.parameters) << c.command;
    EXPECT_EQ(parts.program_exists, c.expected.program_exists) << c.command;
  }
  for (const std::string& path : asked) EXPECT_TRUE(launch::IsFullyQualified(path)) << path;

  const CommandParts planted = launch::SplitCommand("C:\\dir with space\\kl target.exe -a", exists);
  EXPECT_EQ(launch::ProgramStartLine("C:\\dir with space\\kl target.exe -a", planted),
            "\"C:\\dir with space\\kl target.exe\" -a");
  EXPECT_EQ(launch::ProgramStartLine("notepad.exe x", {"notepad.exe", "x", false}),
            "notepad.exe x");
}

TEST(ShellGate, AFileLongerThanAPathOrAUrlLongerThanTheShellTakesIsRefused) {
  const std::string japanese = "\xE6\x97\xA5";  // one character, three bytes
  std::string long_japanese = "C:\\";
  while (launch::WideLength(long_japanese) < launch::kLongestPath) long_japanese += japanese;
  const std::pair<std::string, bool> cases[] = {
      {"C:\\" + std::string(256, 'a'), true},
      {"C:\\" + std::string(257, 'a'), false},
      {long_japanese, true},
      {long_japanese + "a", false},
      {"http://x/" + std::string(launch::kLongestUrl - 9, 'u'), true},
      {"http://x/" + std::string(launch::kLongestUrl - 8, 'u'), false},
      {"\xF0\x9F\x98\x80" + std::string(258, 'a'), false},  // a surrogate pair counts two
      {"", false}};
  for (const auto& [file, allowed] : cases) {
    EXPECT_EQ(launch::ShellMayOpen(file), allowed) << file.size() << " bytes";
  }
}

TEST(PathSplit, SplitsAtTheLastBackslash) {
  const struct {
    std::string path, folder, file;
  } cases[] = {
      {"C:\\Tools\\run.exe", "C:\\Tools", "run.exe"},
      {"C:\\a\\b\\", "C:\\a\\b", ""},
      {"\\\\server\\share\\tool.exe", "\\\\server\\share", "tool.exe"},
      {"C:/x/y.exe", "", "C:/x/y.exe"},  // forward slashes are ordinary characters
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(core::FolderOfPath(c.path), c.folder) << c.path;
    EXPECT_EQ(core::FileOfPath(c.path), c.file) << c.path;
  }
}

launch::ShortcutInfo Earlier() {
  return launch::ShortcutInfo{"C:\\earlier.exe", "a", "b", "c", "d", 11, 22};
}

class ShortcutReaderTest : public ::testing::Test {
 protected:
  launch::ShortcutInfo Read() {
    path_ = "C:\\Menu\\Tool.lnk";
    launch::ShortcutInfo info = Earlier();
    launch::ReadShortcut(library_, path_, info);
    return info;
  }

  fakes::FakeShortcutLibrary library_;
  std::string path_;
};

// Each buffer is cut at its first NUL, and is empty without one; the path
// text is lent to the library, and what it leaves there comes back.
TEST_F(ShortcutReaderTest, SuccessFillsEveryFieldInBufferOrder) {
  library_.SetText(0, "C:\\Tools\\run.exe");
  library_.SetBuffer(1, {'/', 'q', '\0', 'y', '\0'});
  library_.SetText(2, "C:\\Tools");
  std::vector<char> last_byte_nul(platform::kShortcutBufferSize, 'B');
  last_byte_nul.back() = '\0';
  library_.SetBuffer(3, last_byte_nul);  // the longest text that fits
  library_.SetBuffer(4, std::vector<char>(platform::kShortcutBufferSize, 'A'));
  library_.SetNumbers(7, -3);
  library_.RewritePath("C:\\Short.lnk");
  EXPECT_EQ(Read(),
            (launch::ShortcutInfo{"C:\\Tools\\run.exe", "/q", "C:\\Tools",
                                  std::string(platform::kShortcutBufferSize - 1, 'B'), "", 7, -3}));
  EXPECT_TRUE(library_.OutputsWereZeroed());
  EXPECT_EQ(library_.SeenPath(), "C:\\Menu\\Tool.lnk");
  EXPECT_EQ(path_, "C:\\Short.lnk");
}

TEST_F(ShortcutReaderTest, AFailingOrMissingLibraryLeavesInfoAsGiven) {
  library_.SetText(0, "C:\\Other\\thing.exe");
  library_.SetNumbers(1, 2);
  library_.RewritePath("D:\\b.lnk");
  for (const std::int32_t failure : {1, -1, std::int32_t{-2147467259}}) {
    library_.SetResult(failure);
    EXPECT_EQ(Read(), Earlier()) << "result " << failure;
    EXPECT_EQ(path_, "D:\\b.lnk") << "lent to the library even when it fails";
  }
  library_.SetLoadable(false);
  EXPECT_EQ(Read(), Earlier());
  EXPECT_EQ(path_, "C:\\Menu\\Tool.lnk");
  EXPECT_EQ(library_.Calls(), 3) << "a missing library is never called";
}

TEST(ScreenPlacement, AWindowMostlyOffEveryMonitorComesInsideTheNearestWorkArea) {
  const app::PixelRect monitors[] = {{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
  const app::PixelRect work{0, 0, 1024, 740};
  auto corner = [&](app::PixelRect w) {
    const app::PixelPoint p = app::KeepOnScreen(w, monitors, work);
    return std::make_pair(p.x, p.y);
  };
  EXPECT_EQ(corner({1800, 100, 2118, 300}), std::make_pair(1800L, 100L));  // most on the second
  EXPECT_EQ(corner({2000, 100, 2318, 300}), std::make_pair(706L, 100L));
  EXPECT_EQ(corner({-400, 700, -82, 900}), std::make_pair(0L, 540L));
  EXPECT_EQ(corner({100, -50, 418, 150}), std::make_pair(100L, -50L));  // three quarters on
  EXPECT_EQ(corner({5000, 0, 7000, 1000}), std::make_pair(0L, 0L));     // larger than the area
  EXPECT_EQ(app::TwipsToPixels(1e300, 15), 10000000L);
  EXPECT_EQ(app::TwipsToPixels(-1e300, 15), -10000000L);
  EXPECT_EQ(app::TwipsToPixels(10005, 15), 667L);
}

}  // namespace
}  // namespace keylark
