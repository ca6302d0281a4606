// The assignment dialogs driven as a user would, from outside the running
// Keylark: right clicks and Fn-key reports open them, buttons are clicked
// with BM_CLICK, boxes typed into with WM_SETTEXT, and the registry is read
// back through literal paths.
#include <gtest/gtest.h>

#include <string>

#include "keylark_process.h"
#include "launch_log.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

// A value of "ini\<key>" as wide text (absent: "<absent>"), so that texts in
// any code page compare the same.
std::wstring Read(const std::string& key, const wchar_t* name) {
  const std::wstring path(std::wstring(L"Software\\Korvane\\Keylark\\ini\\") +
                          std::wstring(key.begin(), key.end()));
  wchar_t data[4096] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS) {
    return L"<absent>";
  }
  return data;
}

void Type(HWND dialog, int id, const std::wstring& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_NORMAL, 5000, &result);
}

class AssignmentDialogs : public KeyBarTest {
 protected:
  void SetUp() override {
    KeyBarTest::SetUp();
    Put(layout::kCfg, "opts5", "1");
    Put(layout::kCmd, "Fn-E", "C:\\old.exe");
    Put(layout::kDesc, "Fn-E", "Old");
  }
  HWND Start() { return key_bar_ = StartKeyBar(); }
  // A right click on key E's label, then Direct... in the Assignment Type.
  HWND EditE() {
    PostMessageA(key_bar_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(84, 83));
    HWND type = WaitForDialog("Assignment Type");
    if (type == nullptr) return nullptr;
    EXPECT_EQ(ItemText(type, IDC_AT_KEY), L"Fn-E");
    Click(type, IDC_AT_DIRECT);
    return WaitForDialog("Add/Edit Command");
  }
  HWND key_bar_ = nullptr;
};

TEST_F(AssignmentDialogs, AChangeIsShownForConfirmationAndStoredOnlyOnOk) {
  ASSERT_NE(Start(), nullptr);
  for (const bool accept : {false, true}) {
    HWND editor = EditE();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ItemText(editor, IDC_EC_COMMAND), L"C:\\old.exe");
    Type(editor, IDC_EC_DESCRIPTION, L"New");
    Click(editor, IDOK);
    HWND confirm = WaitForDialog("Key Assignment Confirmation");
    ASSERT_NE(confirm, nullptr);
    EXPECT_TRUE(WaitUntilGone("Add/Edit Command"));
    EXPECT_EQ(ItemText(confirm, IDC_CF_PREV_DESCRIPTION), L"Old");
    EXPECT_EQ(ItemText(confirm, IDC_CF_NEW_DESCRIPTION), L"New");
    Click(confirm, accept ? IDOK : IDC_CF_CANCEL);
    EXPECT_TRUE(WaitUntilGone("Key Assignment Confirmation"));
    EXPECT_EQ(Read("desc", L"Fn-E"), accept ? L"New" : L"Old");
  }
  // Unchanged fields: both dialogs close and nothing is asked.
  HWND editor = EditE();
  ASSERT_NE(editor, nullptr);
  Click(editor, IDOK);
  EXPECT_TRUE(WaitUntilGone("Add/Edit Command"));
  EXPECT_EQ(VisibleDialog("Key Assignment Confirmation"), nullptr);
  EXPECT_TRUE(IsWindowEnabled(key_bar_));
}

TEST_F(AssignmentDialogs, LongAndJapaneseTextsAreStoredWhole) {
  ASSERT_NE(Start(), nullptr);
  Put(layout::kCfg, "opts5", "0");
  HWND editor = EditE();
  ASSERT_NE(editor, nullptr);
  const std::wstring long_command = L"C:\\" + std::wstring(2000, L'x') + L".exe";
  const std::wstring japanese = L"\u30E1\u30E2\u5E33 \u65E5\u672C";  // "memo pad, Japan"
  Type(editor, IDC_EC_COMMAND, long_command);
  Type(editor, IDC_EC_DESCRIPTION, japanese);
  Click(editor, IDOK);
  EXPECT_TRUE(WaitUntilGone("Add/Edit Command"));
  EXPECT_EQ(Read("cmd", L"Fn-E"), long_command);
  EXPECT_EQ(Read("desc", L"Fn-E"), japanese);
}

TEST_F(AssignmentDialogs, AKeyClearedInTheEditorTurnsWhiteAtOnce) {
  ASSERT_NE(Start(), nullptr);
  Put(layout::kCfg, "opts5", "0");
  ASSERT_TRUE(WaitFor([&] { return LabelPixels(key_bar_, 10, RGB(0, 255, 255)) > 5; }));
  HWND editor = EditE();
  ASSERT_NE(editor, nullptr);
  Type(editor, IDC_EC_COMMAND, L"");
  Click(editor, IDOK);
  EXPECT_TRUE(WaitUntilGone("Add/Edit Command"));
  EXPECT_EQ(Read("cmd", L"Fn-E"), L"<absent>");
  EXPECT_TRUE(WaitFor([&] {
    return LabelPixels(key_bar_, 10, RGB(0, 255, 255)) == 0 &&
           LabelPixels(key_bar_, 10, RGB(255, 255, 255)) > 5;
  }));
}

TEST_F(AssignmentDialogs, KeysUsedWhileADialogIsOpenOpenNoSecondOne) {
  LaunchLog log;
  Put(layout::kCmd, "Fn-1", TargetProgram());
  RegDeleteKeyValueA(HKEY_CURRENT_USER, layout::kCfg, "opts5");
  ASSERT_NE(Start(), nullptr);
  // Removed after the start, which writes a missing option back.
  RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Korvane\\Keylark\\ini\\cfg", "opts5");
  ReportFnKey(key_bar_, 0x1E);  // Fn-A has no command
  HWND type = WaitForDialog("Assignment Type");
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(IsDlgButtonChecked(type, IDC_AT_CONFIRM), BST_UNCHECKED) << "opts5 missing";
  EXPECT_EQ(Read("cfg", L"opts5"), L"0");
  ReportFnKey(key_bar_, 0x1E);
  ReportFnKey(key_bar_, 0x02);  // Fn-1 still launches
  EXPECT_TRUE(log.WaitForStarts(1));
  EXPECT_EQ(FindWindowExA(nullptr, type, "#32770", "Assignment Type"), nullptr);
  PostMessageA(type, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntilGone("Assignment Type"));
}

TEST_F(AssignmentDialogs, WithTheKeyBarHiddenTheDialogHasNoOwnerAndTheKeyBarRunsOn) {
  ASSERT_NE(Start(), nullptr);
  ShowWindow(key_bar_, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar_); }));
  ReportFnKey(key_bar_, 0x1E);
  HWND type = WaitForDialog("Assignment Type");
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(GetWindow(type, GW_OWNER), nullptr);
  DWORD_PTR result = 0;
  EXPECT_NE(SendMessageTimeoutA(key_bar_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result), 0)
      << "the key bar does not wait for the dialog";
  PostMessageA(GetDlgItem(type, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntilGone("Assignment Type"));
}

}  // namespace
}  // namespace keylark::wintest
