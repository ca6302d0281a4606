// The assignment dialogs and the Function Key Assignments window of the running
// Keylark, opened by right clicks, Fn-key reports and menu commands, their
// buttons clicked and boxes typed into from outside, the list's rows read
// through memory lent inside Keylark's process.

#include "keylark_process.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

constexpr COLORREF kCyan = RGB(0, 255, 255);

int LabelEPixels(HWND key_bar, COLORREF colour) {
  return LabelPixels(CaptureClient(key_bar), key_bar, 10, colour);
}

// A stored text read through the wide functions: this test program has no
// UTF-8 code page of its own.
std::wstring Read(const char* path, const char* name) {
  wchar_t data[4096] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  RegGetValueW(HKEY_CURRENT_USER, Wide(path).c_str(), Wide(name).c_str(), RRF_RT_REG_SZ, nullptr,
               data, &size);
  return data;
}

class AssignmentDialogs : public KeyBarTest {
 protected:
  void SetUp() override {
    KeyBarTest::SetUp();
    Put(layout::kCmd, "Fn-E", "C:\\old.exe");
  }
  // A right click on key E's label, then Direct... in the Assignment Type.
  HWND EditE() {
    PostMessageA(key_bar_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(84, 83));
    HWND type = WaitForDialog(IDC_AT_KEY);
    if (type == nullptr) return nullptr;
    Click(type, IDC_AT_DIRECT);
    return WaitForDialog(IDC_EC_COMMAND);
  }
  HWND key_bar_ = nullptr;
};

TEST_F(AssignmentDialogs, LongAndJapaneseTextsAreStoredWholeAndAClearedKeyTurnsWhite) {
  ASSERT_NE(key_bar_ = StartKeyBar(), nullptr);
  Put(layout::kCfg, "opts5", "0");
  ASSERT_TRUE(WaitFor([&] { return LabelEPixels(key_bar_, kCyan) > 5; }));
  HWND editor = EditE();
  ASSERT_NE(editor, nullptr);
  const std::string long_command = "C:\\" + std::string(2000, 'x') + ".exe";
  const std::string japanese = "\u30E1\u30E2\u5E33 \u65E5\u672C";  // "memo pad, Japan"
  SetItemText(editor, IDC_EC_COMMAND, Wide(long_command));
  SetItemText(editor, IDC_EC_DESCRIPTION, Wide(japanese));
  Click(editor, IDOK);
  EXPECT_TRUE(WaitUntilGone(IDC_EC_COMMAND));
  EXPECT_EQ(Read(layout::kCmd, "Fn-E"), Wide(long_command));
  EXPECT_EQ(Read(layout::kDesc, "Fn-E"), Wide(japanese));

  ASSERT_NE(editor = EditE(), nullptr);
  SetItemText(editor, IDC_EC_COMMAND, L"");
  Click(editor, IDOK);
  EXPECT_TRUE(WaitUntilGone(IDC_EC_COMMAND));
  EXPECT_EQ(Text(layout::kCmd, "Fn-E"), "<absent>");
  EXPECT_TRUE(WaitFor([&] {
    return LabelEPixels(key_bar_, kCyan) == 0 && LabelEPixels(key_bar_, RGB(255, 255, 255)) > 5;
  }));
}

TEST_F(AssignmentDialogs, KeysUsedWhileADialogIsOpenOpenNoSecondOne) {
  LaunchLog log;
  Put(layout::kCmd, "Fn-1", TargetProgram());
  ASSERT_NE(key_bar_ = StartKeyBar(), nullptr);
  // Removed after the start, which writes a missing option back.
  RegDeleteKeyValueA(HKEY_CURRENT_USER, layout::kCfg, "opts5");
  ReportFnKey(key_bar_, 0x1E);  // Fn-A, unassigned
  HWND type = WaitForDialog(IDC_AT_KEY);
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(IsDlgButtonChecked(type, IDC_AT_CONFIRM), BST_UNCHECKED) << "opts5 missing";
  EXPECT_EQ(Text(layout::kCfg, "opts5"), "0");
  ReportFnKey(key_bar_, 0x1E);
  ReportFnKey(key_bar_, 0x02);  // Fn-1 still launches
  EXPECT_TRUE(log.WaitForStarts(1));
  EXPECT_EQ(DialogsWith(IDC_AT_KEY).size(), 1U);
  PostMessageA(type, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntilGone(IDC_AT_KEY));
}

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
