// What may reach the shell, and how a direct command splits into program and
// parameters.
#include <gtest/gtest.h>

#include <set>

#include "launch/command_line.h"

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
  struct Case {
    const char* command;
    CommandParts expected;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
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

}  // namespace
}  // namespace keylark
