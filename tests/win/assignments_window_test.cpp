// The Function Key Assignments window of the running Keylark, its rows read
// through memory lent inside Keylark's process.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keylark_process.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

// Clicks (twice for a double click) in the middle of a row, as the mouse would.
void ClickRow(HWND list, DWORD process, int row, bool twice = false) {
  RECT bounds{LVIR_BOUNDS, 0, 0, 0};
  RemoteMemory(process).Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), bounds);
  const LPARAM at = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    if (message == WM_LBUTTONDBLCLK && !twice) break;
    PostMessageA(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
  }
}

using AssignmentsWindow = KeyBarTest;

TEST_F(AssignmentsWindow, ListsTheKeysExpandsPopupListsAndOpensARowForEditing) {
  Put(layout::kCfg, "fIcon", "0");
  Put(layout::kCmd, "Fn-1", "C:\\run.exe");
  Put(layout::kDesc, "Fn-1", "Runner");
  Put(layout::kCmd, "Fn-A", "@C:\\Menu");
  Put(layout::PrgItem("Fn-A", "Calc"), "Calc", "C:\\Menu\\Calc.lnk");
  Put(layout::PrgItem("Fn-A", "Paint"), "Paint", "C:\\Menu\\Paint.lnk");
  Reserve("Z");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  PostMessageA(key_bar, WM_COMMAND, IDM_ASSIGNMENTS, 0);
  HWND window = WaitForDialog(IDC_AL_LIST);
  ASSERT_NE(window, nullptr);
  const DWORD process = keylark_.ProcessId();
  HWND list = GetDlgItem(window, IDC_AL_LIST);
  HWND edit = GetDlgItem(window, IDC_AL_EDIT);
  RemoteList rows(list, process);
  EXPECT_EQ(rows.Count(), 23) << "the reserved Fn-Z is not listed";
  // Pictures: an application for a direct or free key, a folder for a list.
  EXPECT_EQ(rows.At(0).text, "     Fn-1     Runner");
  EXPECT_EQ(rows.At(7).text, "     Fn-B");
  EXPECT_EQ((std::vector<int>{rows.Image(0), rows.Image(6), rows.Image(7)}),
            (std::vector<int>{0, 1, 0}));

  ClickRow(list, process, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(edit) != FALSE; }));
  Click(window, IDC_AL_EXPAND);
  EXPECT_TRUE(WaitFor([&] { return rows.Count() == 25; }));
  EXPECT_FALSE(IsWindowEnabled(edit)) << "the new rows have nothing chosen";
  EXPECT_EQ(Text(layout::kCfg, "fIcon"), "1");
  EXPECT_EQ(rows.At(7).text, std::string(25, ' ') + "Calc");
  EXPECT_EQ(rows.Image(7), 2) << "an item of the list";
  ClickRow(list, process, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(edit) != FALSE; }));
  ClickRow(list, process, 8);  // an item row
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(edit) == FALSE; }));

  ClickRow(list, process, 0, true);
  HWND type = WaitForDialog(IDC_AT_KEY);
  ASSERT_NE(type, nullptr);
  EXPECT_TRUE(WaitUntilGone(IDC_AL_LIST));
  EXPECT_EQ(GetWindow(type, GW_OWNER), nullptr);
  EXPECT_EQ(ItemText(type, IDC_AT_KEY), L"Fn-1");
  PostMessageA(type, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntilGone(IDC_AT_KEY));
}

}  // namespace
}  // namespace keylark::wintest
