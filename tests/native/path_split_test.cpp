#include "launch/path_split.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace keylark::launch {
namespace {

struct SplitCase {
  std::string path;
  std::string folder;
  std::string file;
};

void PrintTo(const SplitCase& c, std::ostream* out) { *out << '"' << c.path << '"'; }

class PathSplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(PathSplitTest, SplitsAtTheLastBackslash) {
  const SplitCase& c = GetParam();
  EXPECT_EQ(FolderOfPath(c.path), c.folder);
  EXPECT_EQ(FileOfPath(c.path), c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathSplitTest,
    ::testing::Values(SplitCase{"C:\\Tools\\run.exe", "C:\\Tools", "run.exe"},
                      SplitCase{"C:\\run.exe", "C:", "run.exe"},
                      SplitCase{"C:\\a\\b\\", "C:\\a\\b", ""},
                      SplitCase{"\\\\server\\share\\tool.exe", "\\\\server\\share", "tool.exe"},
                      SplitCase{"C:\\My Tools\\a.b.c", "C:\\My Tools", "a.b.c"},
                      SplitCase{"\\", "", ""},
                      // Forward slashes are ordinary characters here.
                      SplitCase{"C:/x/y.exe", "", "C:/x/y.exe"},
                      // No backslash: all file name, no folder.
                      SplitCase{"name.exe", "", "name.exe"}, SplitCase{"", "", ""}));

// A 16-bit index would wrap past 32767 characters; these paths are longer.
TEST(PathSplitLongTest, SplitsPathsBeyondThirtyTwoThousandCharacters) {
  const std::string long_folder = "C:\\" + std::string(40000, 'f');
  EXPECT_EQ(FolderOfPath(long_folder + "\\run.exe"), long_folder);
  EXPECT_EQ(FileOfPath(long_folder + "\\run.exe"), "run.exe");

  const std::string long_file(40000, 'n');
  EXPECT_EQ(FolderOfPath("C:\\Tools\\" + long_file), "C:\\Tools");
  EXPECT_EQ(FileOfPath("C:\\Tools\\" + long_file), long_file);

  const std::string no_backslash(70000, 'x');
  EXPECT_EQ(FolderOfPath(no_backslash), "");
  EXPECT_EQ(FileOfPath(no_backslash), no_backslash);
}

}  // namespace
}  // namespace keylark::launch
