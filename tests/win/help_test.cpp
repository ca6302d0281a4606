// Help from the running Keylark: without the old help file each topic's page
// goes to the program registered for .html (here launch_target.exe, which
// records it) and the key bar answers at once; with the help file beside the
// program the help engine is asked instead.

#include <fstream>

#include "keylark_process.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

constexpr const char* kPageClass = "KeylarkTest.HelpPage";
// What the system posts to the focused window for the F1 key (WM_KEYF1,
// missing from the headers); its default handling asks for help.
constexpr UINT kKeyF1 = 0x004D;

void SetClassText(const std::string& key, const std::string& text) {
  RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, text.c_str(),
               static_cast<DWORD>(text.size()));
}

class Help : public KeyBarTest {
 protected:
  void SetUp() override {
    KeyBarTest::SetUp();
    char previous[512] = {};
    LONG size = sizeof previous;
    RegQueryValueA(HKEY_CLASSES_ROOT, ".html", previous, &size);
    previous_html_class_ = previous;
    SetClassText(".html", kPageClass);
    SetClassText(std::string(kPageClass) + "\\shell\\open\\command",
                 "\"" + TargetProgram() + "\" \"" + pages_.Path() + "\" \"%1\"");
  }
  void TearDown() override {
    KeyBarTest::TearDown();
    SetClassText(".html", previous_html_class_);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kPageClass);
    DeleteFileA(HelpFile().c_str());
  }
  static std::string HelpFile() {
    return WindowsPathFromEnvironment("KEYLARK_BIN_DIR") + "\\Keylark32.hlp";
  }
  // The command lines of the pages opened so far.
  std::string Opened() const { return FileText(pages_.Path()); }
  bool WaitForPage(const std::string& page) {
    return WaitFor([&] { return Opened().find("\\help\\" + page + "\"") != std::string::npos; });
  }

  LaunchLog pages_;
  std::string previous_html_class_;
};

TEST_F(Help, F1InAssignmentTypeAndTheIndexOpenTheirPagesAndTheKeyBarAnswersAtOnce) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  PostMessageA(key_bar, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(84, 83));
  HWND type = WaitForDialog(IDC_AT_KEY);
  ASSERT_NE(type, nullptr);
  PostMessageA(GetDlgItem(type, IDCANCEL), kKeyF1, 0, 0);
  EXPECT_TRUE(WaitForPage("assignment-type.html")) << Opened();
  EXPECT_TRUE(AnswersWithin(key_bar, 100ms));
  EXPECT_TRUE(AnswersWithin(type, 100ms));
  PressKeyIn(type, VK_ESCAPE);
  ASSERT_TRUE(WaitUntilGone(IDC_AT_KEY));

  PostMessageA(key_bar, WM_COMMAND, IDM_INDEX, 0);
  EXPECT_TRUE(WaitForPage("key-bar.html")) << Opened();
  EXPECT_TRUE(AnswersWithin(key_bar, 100ms));
  EXPECT_EQ(pages_.Starts().size(), 2U) << Opened();
}

TEST_F(Help, WithTheHelpFileBesideTheProgramTheHelpEngineIsAskedInstead) {
  ASSERT_TRUE(std::ofstream(HelpFile()).good());
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  PostMessageA(key_bar, WM_COMMAND, IDM_INDEX, 0);
  DWORD engine = 0;
  ASSERT_TRUE(WaitFor([&] { return (engine = ProcessNamed("winhlp32.exe")) != 0; }));
  // The engine complains about the empty file in a box of its own, and the
  // key bar waits for it, as it always has with the help engine.
  EndProcess(engine);
  EXPECT_TRUE(AnswersWithin(key_bar, 5s));
  EXPECT_EQ(Opened(), "") << "no page besides the engine";
}

}  // namespace
}  // namespace keylark::wintest
