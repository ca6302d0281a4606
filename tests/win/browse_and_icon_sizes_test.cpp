// Browse... with an Internet shortcut, chosen in the system's own file dialog,
// and the assignments list's pictures at 200 % scaling.

#include <fstream>

#include "keylark_process.h"
#include "remote_controls.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

// The file name box of the system's open dialog (a combo box with an edit).
constexpr int kFileNameBox = 0x47C;

// A folder of its own, with a ".url" file in it.
std::string WriteInternetShortcut(const std::string& text) {
  const std::string folder = TempFilePath("kurl") + ".d";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + "\\Start Page.url";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

using BrowseInternetShortcut = KeyBarTest;

TEST_F(BrowseInternetShortcut, FillsTheCommandWithItsAddressAndTheDescriptionWithItsName) {
  const std::string url = "https://example.org/start?from=keylark";
  const std::string path =
      WriteInternetShortcut("[InternetShortcut]\r\nIconIndex=0\r\nURL=" + url + "\r\n");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  HWND editor = ChooseForKeyE(key_bar, IDC_AT_DIRECT, IDC_EC_COMMAND);
  ASSERT_NE(editor, nullptr);
  SetItemText(editor, IDC_EC_DIRECTORY, L"C:\\was here");

  Click(editor, IDC_EC_BROWSE);
  HWND chooser = WaitForDialog(kFileNameBox);
  ASSERT_NE(chooser, nullptr);
  SetItemText(chooser, kFileNameBox, Wide(path));
  Click(chooser, IDOK);
  EXPECT_TRUE(WaitFor([&] { return ItemText(editor, IDC_EC_COMMAND) == Wide(url); }))
      << Utf8(ItemText(editor, IDC_EC_COMMAND));
  EXPECT_EQ(ItemText(editor, IDC_EC_DESCRIPTION), L"Start Page");
  EXPECT_EQ(ItemText(editor, IDC_EC_DIRECTORY), L"");
  PostMessageA(editor, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntilGone(IDC_EC_COMMAND));
}

// The scale Wine gives the programs it starts from now on.
void SetScale(DWORD pixels_per_inch) {
  RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD,
                  &pixels_per_inch, sizeof pixels_per_inch);
}

class AssignmentsAtTwoHundredPercent : public KeyBarTest {
 protected:
  void TearDown() override {
    KeyBarTest::TearDown();
    SetScale(96);
  }
};

TEST_F(AssignmentsAtTwoHundredPercent, ShowTheRowPicturesAtThirtyTwoPixels) {
  SetScale(192);
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  Put(layout::kCfg, "fIcon", "0");
  PostMessageA(key_bar, WM_COMMAND, IDM_ASSIGNMENTS, 0);
  HWND window = WaitForDialog(IDC_AL_LIST);
  ASSERT_NE(window, nullptr);
  HWND list = GetDlgItem(window, IDC_AL_LIST);
  RemoteList rows(list, keylark_.ProcessId());
  ASSERT_TRUE(WaitFor([&] { return rows.Count() > 0; }));
  RECT icon{LVIR_ICON, 0, 0, 0};
  RemoteMemory(keylark_.ProcessId()).Send(list, LVM_GETITEMRECT, 0, icon);
  EXPECT_EQ(icon.right - icon.left, 32);
  EXPECT_GE(icon.bottom - icon.top, 32);
  PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
}

}  // namespace
}  // namespace keylark::wintest
