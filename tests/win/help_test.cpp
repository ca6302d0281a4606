// Help from the running Keylark: without the old help file, each topic's page
// goes to whatever program the user opens web pages with, here a recording
// stand-in registered for .html, and the key bar keeps answering at once; with
// the help file beside the program, the help engine is asked instead.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <fstream>
#include <sstream>
#include <string>

#include "keylark_process.h"
#include "launch_log.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

constexpr const char* kPageClass = "KeylarkTest.HelpPage";
// What the system posts to the focused window when F1 is pressed (WM_KEYF1,
// missing from the headers); the window's default handling asks for help.
constexpr UINT kKeyF1 = 0x004D;

// What a user notices as "at once": the key bar answers a message within this.
bool AnswersAtOnce(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &result) != 0;
}

std::string DefaultValue(const char* key) {
  char data[512] = {};
  LONG size = sizeof data;
  return RegQueryValueA(HKEY_CLASSES_ROOT, key, data, &size) == ERROR_SUCCESS ? data : "";
}

void SetDefaultValue(const char* key, const std::string& text) {
  RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, text.c_str(), static_cast<DWORD>(text.size()));
}

// A visible dialog of the process that has a control with this id.
HWND DialogWith(DWORD process, int control_id) {
  HWND found = nullptr;
  WaitFor([&] {
    found = FindWindowExA(nullptr, nullptr, "#32770", nullptr);
    for (; found != nullptr; found = FindWindowExA(nullptr, found, "#32770", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(found, &owner);
      if (owner == process && IsWindowVisible(found) && GetDlgItem(found, control_id)) return true;
    }
    return false;
  });
  return found;
}

DWORD ProcessNamed(const char* name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  DWORD id = 0;
  for (BOOL more = Process32First(snapshot, &entry); more && id == 0;
       more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, name) == 0) id = entry.th32ProcessID;
  }
  CloseHandle(snapshot);
  return id;
}

class Help : public KeyBarTest {
 protected:
  void SetUp() override {
    KeyBarTest::SetUp();
    previous_html_class_ = DefaultValue(".html");
    SetDefaultValue(".html", kPageClass);
    SetDefaultValue((std::string(kPageClass) + "\\shell\\open\\command").c_str(),
                    "\"" + TargetProgram() + "\" \"" + pages_.Path() + "\" \"%1\"");
  }
  void TearDown() override {
    KeyBarTest::TearDown();
    SetDefaultValue(".html", previous_html_class_);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kPageClass);
    DeleteFileA(HelpFile().c_str());
  }
  static std::string HelpFile() {
    return WindowsPathFromEnvironment("KEYLARK_BIN_DIR") + "\\Keylark32.hlp";
  }
  // The pages opened so far, as their command lines.
  std::string Opened() const {
    std::ifstream log(pages_.Path());
    std::stringstream text;
    text << log.rdbuf();
    return text.str();
  }
  bool WaitForPage(const char* page) {
    const std::string ending = std::string("\\help\\") + page + "\"";
    return WaitFor([&] { return Opened().find(ending) != std::string::npos; });
  }

  LaunchLog pages_;
  std::string previous_html_class_;
};

TEST_F(Help, F1InAssignmentTypeAndTheIndexOpenTheirPagesAndTheKeyBarAnswersAtOnce) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  PostMessageA(key_bar, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(84, 83));
  HWND type = DialogWith(keylark_.ProcessId(), IDC_AT_DIRECT);
  ASSERT_NE(type, nullptr);
  // F1 as the system passes it on from the keyboard to the control with the
  // focus (a posted WM_KEYDOWN would not count as a key press).
  PostMessageA(GetDlgItem(type, IDCANCEL), kKeyF1, 0, 0);
  EXPECT_TRUE(WaitForPage("assignment-type.html")) << Opened();
  EXPECT_TRUE(AnswersAtOnce(key_bar));
  EXPECT_TRUE(AnswersAtOnce(type));
  PressKeyIn(type, VK_ESCAPE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(type); }));

  PostMessageA(key_bar, WM_COMMAND, IDM_INDEX, 0);
  EXPECT_TRUE(WaitForPage("key-bar.html")) << Opened();
  EXPECT_TRUE(AnswersAtOnce(key_bar));
  EXPECT_EQ(pages_.Starts().size(), 2U) << Opened();
}

TEST_F(Help, WithTheHelpFileBesideTheProgramTheHelpEngineIsAskedInstead) {
  ASSERT_TRUE(std::ofstream(HelpFile()).good());
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  PostMessageA(key_bar, WM_COMMAND, IDM_INDEX, 0);
  DWORD engine = 0;
  ASSERT_TRUE(WaitFor([&] { return (engine = ProcessNamed("winhlp32.exe")) != 0; }));
  // The engine complains about the empty file in a box of its own; the key
  // bar waits for it, as it always has with the help engine.
  HWND complaint = nullptr;
  WaitFor([&] { return (complaint = TopLevelWindowOf(engine, "#32770")) != nullptr; });
  if (complaint != nullptr) PostMessageA(complaint, WM_COMMAND, IDOK, 0);
  EndProcess(engine);
  DWORD_PTR result = 0;
  EXPECT_NE(SendMessageTimeoutA(key_bar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0);
  EXPECT_EQ(Opened(), "") << "no page besides the engine";
}

}  // namespace
}  // namespace keylark::wintest
