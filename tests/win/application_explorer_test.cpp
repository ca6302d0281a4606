// The Application Explorer on the real Start menu: the prefix's two programs
// folders share a folder with hidden entries and a broken shortcut; the tree,
// the list and what OK stores are read from outside the running Keylark.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "keylark_process.h"
#include "resource.h"
#if __has_include("measured_program.h")
#include "measured_program.h"
#define KEYLARK_HAS_MEASURED_BUILD 1
#endif

namespace keylark::wintest {
namespace {

std::string ProgramsFolder(int which) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

class ApplicationExplorer : public KeyBarTest {
 protected:
  void SetUp() override {
    KeyBarTest::SetUp();
    CoInitialize(nullptr);
    std::filesystem::create_directories(shared_ + "\\Hidden");
    std::filesystem::create_directories(mine_);
    for (const std::string& link : {shared_ + "\\Editor.lnk", shared_ + "\\Shared.lnk",
                                    mine_ + "\\Shared.lnk", mine_ + "\\Registry Editor.lnk"}) {
      CreateShortcut(link, {"C:\\windows\\notepad.exe", "", "", "", ""});
    }
    std::ofstream(mine_ + "\\Broken.lnk", std::ios::binary) << "not a shortcut";
    std::ofstream(shared_ + "\\desktop.ini", std::ios::binary) << "[.ShellClassInfo]\r\n";
    SetFileAttributesA((shared_ + "\\desktop.ini").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((shared_ + "\\Hidden").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    Put(layout::kCfg, "opts5", "1");
    Put(layout::kCmd, "Fn-E", "C:\\old.exe");
  }
  void TearDown() override {
    KeyBarTest::TearDown();
    std::filesystem::remove_all(shared_);
    std::filesystem::remove_all(mine_);
    CoUninitialize();
  }
  const std::string shared_ = ProgramsFolder(CSIDL_COMMON_PROGRAMS) + "\\KL Tools";
  const std::string mine_ = ProgramsFolder(CSIDL_PROGRAMS) + "\\KL Tools";
};

TEST_F(ApplicationExplorer, MergesBothProgramsFoldersAndSavesTheChosenFolderAsAPopupList) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  PostMessageA(key_bar, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(84, 83));  // key E
  HWND type = WaitForDialog(IDC_AT_KEY);
  ASSERT_NE(type, nullptr);
  Click(type, IDC_AT_POPUP);
  HWND explorer = WaitForDialog(IDC_EX_TREE);
  ASSERT_NE(explorer, nullptr);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(explorer, IDOK)));
  RemoteTree tree(GetDlgItem(explorer, IDC_EX_TREE), keylark_.ProcessId());
  const std::vector<HTREEITEM> folder = tree.FindAll("KL Tools");
  ASSERT_EQ(folder.size(), 1U) << "a folder in both programs folders is one node";
  EXPECT_EQ(tree.Find("Hidden"), nullptr);
  tree.Select(folder[0]);

  // The all-users files first, a name in both once, hidden files left out.
  RemoteList list(GetDlgItem(explorer, IDC_EX_LIST), keylark_.ProcessId());
  std::vector<std::string> shown;
  for (int i = 0; i < list.Count(); ++i) shown.push_back(list.At(i).text);
  ASSERT_EQ(shown.size(), 4U);
  std::sort(shown.begin(), shown.begin() + 2);
  std::sort(shown.begin() + 2, shown.end());
  EXPECT_EQ(shown, (std::vector<std::string>{"Editor", "Shared", "Broken", "Registry Editor"}));
  Click(explorer, IDOK);
  HWND confirm = WaitForDialog(IDC_CF_KEY);
  ASSERT_NE(confirm, nullptr);
  Click(confirm, IDOK);
  EXPECT_TRUE(WaitUntilGone(IDC_CF_KEY));
  EXPECT_EQ(Text(layout::kCmd, "Fn-E"), "@" + shared_);
  EXPECT_EQ(Text(layout::Prg("Fn-E"), "FileCount"), "5") << "the duplicate counts";
  EXPECT_EQ(Text(layout::PrgItem("Fn-E", "Shared"), "Shared"), mine_ + "\\Shared.lnk");
  EXPECT_TRUE(IsWindowEnabled(key_bar));
}

#if defined(KEYLARK_HAS_MEASURED_BUILD)
// The measurement build counts its own GDI and USER objects (a count taken
// from another process reads 0 under Wine).
TEST_F(ApplicationExplorer, RepeatedOpeningsLeaveNoObjectsBehind) {
  bench::MeasuredProgram program(WindowsPathFromEnvironment("KEYLARK_BENCH_DIR") +
                                 "\\KeylarkMeasured.exe");
  ASSERT_TRUE(program.Start());
  const auto open_show_and_cancel = [&] {
    PostMessageA(program.Window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(84, 83));  // key E
    HWND type = WaitForDialog(IDC_AT_KEY);
    ASSERT_NE(type, nullptr);
    Click(type, IDC_AT_POPUP);
    HWND explorer = WaitForDialog(IDC_EX_TREE);
    ASSERT_NE(explorer, nullptr);
    RemoteTree tree(GetDlgItem(explorer, IDC_EX_TREE), program.ProcessId());
    tree.Select(tree.Find("KL Tools"));
    Click(explorer, IDCANCEL);
    ASSERT_TRUE(WaitUntilGone(IDC_EX_TREE));
    program.WaitUntilIdle();
  };
  const auto count = [&](bench::Question question) {
    return program.Ask(question).value_or(bench::kUnknownQuestion);
  };
  // The first openings load the libraries and classes that then stay.
  for (int round = 0; round < 5; ++round) open_show_and_cancel();
  const std::intptr_t gdi = count(bench::Question::GdiObjects);
  const std::intptr_t user = count(bench::Question::UserObjects);
  for (int round = 0; round < 30; ++round) open_show_and_cancel();
  // The shell's picture cache may grow by a few objects now and then; what an
  // opening leaks shows thirty times over.
  EXPECT_LE(count(bench::Question::GdiObjects), gdi + 10);
  EXPECT_LE(count(bench::Question::UserObjects), user + 10);
  program.Close();
}
#endif

}  // namespace
}  // namespace keylark::wintest
