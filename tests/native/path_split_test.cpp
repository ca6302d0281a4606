#include "core/path_split.h"

#include <gtest/gtest.h>

#include <string>

namespace keylark::core {
namespace {

TEST(PathSplit, SplitsAtTheLastBackslash) {
  const struct {
    std::string path, folder, file;
  } cases[] = {
      {"C:\\Tools\\run.exe", "C:\\Tools", "run.exe"},
      {"C:\\run.exe", "C:", "run.exe"},
      {"C:\\a\\b\\", "C:\\a\\b", ""},
      {"\\\\server\\share\\tool.exe", "\\\\server\\share", "tool.exe"},
      {"C:\\My Tools\\a.b.c", "C:\\My Tools", "a.b.c"},
      {"\\", "", ""},
      {"C:/x/y.exe", "", "C:/x/y.exe"},  // forward slashes are ordinary characters
      {"name.exe", "", "name.exe"},      // no backslash: all file name, no folder
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FolderOfPath(c.path), c.folder) << c.path;
    EXPECT_EQ(FileOfPath(c.path), c.file) << c.path;
  }
}

}  // namespace
}  // namespace keylark::core
