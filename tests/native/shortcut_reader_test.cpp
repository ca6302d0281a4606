#include "launch/shortcut_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_shortcut_library.h"

namespace keylark::launch {
namespace {

using platform::kShortcutBufferSize;

ShortcutInfo Earlier() { return ShortcutInfo{"C:\\earlier.exe", "a", "b", "c", "d", 11, 22}; }

class ShortcutReaderTest : public ::testing::Test {
 protected:
  ShortcutInfo Read(const std::string& shortcut = "C:\\Menu\\Tool.lnk") {
    path_ = shortcut;
    ShortcutInfo info = Earlier();
    ReadShortcut(library_, path_, info);
    return info;
  }

  fakes::FakeShortcutLibrary library_;
  std::string path_;
};

TEST_F(ShortcutReaderTest, SuccessFillsEveryFieldInBufferOrder) {
  library_.SetText(0, "C:\\Tools\\run.exe");
  library_.SetText(1, "/quiet \"x y\"");
  library_.SetText(2, "C:\\Tools");
  library_.SetText(3, "Runs the tool");
  library_.SetText(4, "C:\\Tools\\run.exe");
  library_.SetNumbers(7, -3);

  const ShortcutInfo info = Read();

  EXPECT_EQ(info, (ShortcutInfo{"C:\\Tools\\run.exe", "/quiet \"x y\"", "C:\\Tools",
                                "Runs the tool", "C:\\Tools\\run.exe", 7, -3}));
  EXPECT_TRUE(library_.OutputsWereZeroed());
  EXPECT_EQ(library_.SeenPath(), "C:\\Menu\\Tool.lnk");
}

TEST_F(ShortcutReaderTest, EachBufferIsCutAtItsFirstNulAndEmptyWithoutOne) {
  library_.SetBuffer(0, std::vector<char>(kShortcutBufferSize, 'A'));  // no NUL anywhere
  library_.SetText(1, "");                                             // NUL at the start
  library_.SetBuffer(2, {'x', '\0', 'y', 'z', '\0'});                  // shortest text
  std::vector<char> last_byte_nul(kShortcutBufferSize, 'B');
  last_byte_nul.back() = '\0';
  library_.SetBuffer(3, last_byte_nul);  // the longest text that fits
  library_.SetBuffer(4, {'\0', 'h', 'i', '\0'});

  const ShortcutInfo info = Read();

  EXPECT_EQ(info.TargetPath, "");
  EXPECT_EQ(info.Info1, "");
  EXPECT_EQ(info.Info2, "x");
  EXPECT_EQ(info.Info3, std::string(kShortcutBufferSize - 1, 'B'));
  EXPECT_EQ(info.Info4, "");
}

TEST_F(ShortcutReaderTest, AFailingOrMissingLibraryLeavesInfoAndPathAsGiven) {
  library_.SetText(0, "C:\\Other\\thing.exe");
  library_.SetNumbers(1, 2);
  for (const std::int32_t failure : {1, -1, std::int32_t{-2147467259}}) {
    library_.SetResult(failure);
    EXPECT_EQ(Read(), Earlier()) << "result " << failure;
  }
  library_.SetResult(0);
  library_.SetLoadable(false);
  library_.RewritePath("C:\\x");
  EXPECT_EQ(Read(), Earlier());
  EXPECT_EQ(path_, "C:\\Menu\\Tool.lnk");
  EXPECT_EQ(library_.Calls(), 3) << "a missing library is never called";
}

TEST_F(ShortcutReaderTest, WhatTheLibraryLeavesInThePathComesBack) {
  library_.RewritePath("C:\\Short.lnk");
  Read("C:\\Start Menu\\Programs\\Tool.lnk");
  EXPECT_EQ(path_, "C:\\Short.lnk");

  // Also after a failure: the text was lent to the library either way.
  library_.SetResult(5);
  library_.RewritePath("D:\\b.lnk");
  Read("D:\\a\\b.lnk");
  EXPECT_EQ(path_, "D:\\b.lnk");
}

}  // namespace
}  // namespace keylark::launch
