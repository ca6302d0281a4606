// The assignment dialogs of the running Keylark, opened by right clicks and
// Fn-key reports, their buttons clicked and boxes typed into from outside.
#include <gtest/gtest.h>

#include <string>

#include "keylark_process.h"
#include "launch_log.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

constexpr COLORREF kCyan = RGB(0, 255, 255);

int LabelEPixels(HWND key_bar, COLORREF colour) {
  return LabelPixels(CaptureClient(key_bar), key_bar, 10, colour);
}

void Type(HWND dialog, int id, const std::wstring& text) {
  SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_NORMAL, 5000, nullptr);
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
  // The Assignment Type of an unassigned key reported while the key bar is
  // as the test left it.
  HWND ReportUnassignedKey() {
    ReportFnKey(key_bar_, 0x1E);  // Fn-A
    return WaitForDialog(IDC_AT_KEY);
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
  Type(editor, IDC_EC_COMMAND, Wide(long_command));
  Type(editor, IDC_EC_DESCRIPTION, Wide(japanese));
  Click(editor, IDOK);
  EXPECT_TRUE(WaitUntilGone(IDC_EC_COMMAND));
  EXPECT_EQ(Read(layout::kCmd, "Fn-E"), Wide(long_command));
  EXPECT_EQ(Read(layout::kDesc, "Fn-E"), Wide(japanese));

  ASSERT_NE(editor = EditE(), nullptr);
  Type(editor, IDC_EC_COMMAND, L"");
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
  HWND type = ReportUnassignedKey();
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

TEST_F(AssignmentDialogs, WithTheKeyBarHiddenTheDialogHasNoOwnerAndTheKeyBarRunsOn) {
  ASSERT_NE(key_bar_ = StartKeyBar(), nullptr);
  ShowWindow(key_bar_, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar_); }));
  HWND type = ReportUnassignedKey();
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(GetWindow(type, GW_OWNER), nullptr);
  EXPECT_NE(SendMessageTimeoutA(key_bar_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr), 0)
      << "the key bar does not wait for the dialog";
  PostMessageA(GetDlgItem(type, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntilGone(IDC_AT_KEY));
}

}  // namespace
}  // namespace keylark::wintest
