// Keylark in other languages: the real program beside the Japanese library
// (and with one where it must not look), and its dialogs and menus built in
// this process, which has Keylark.exe's resources and manifest (so UTF-8 ANSI
// texts), translated from a library of the test's choosing and read back.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <vector>

#include "app/win/key_bar_captions.h"
#include "dialogs/win/form_localizer.h"
#include "i18n/forms.h"
#include "keylark_process.h"
#include "platform/win32/win32_resource_library.h"
#include "resource.h"
#include "ui/win/dialog.h"

namespace keylark::wintest {
// The store's contract tests come with the registry helpers, but not here.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RegistryContract);
namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string BinFolder() { return WindowsPathFromEnvironment("KEYLARK_BIN_DIR"); }
std::string JapaneseLibrary() { return BinFolder() + "\\lang\\ja\\Keylark.dll"; }
std::string TestLibrary(const char* name) {
  return WindowsPathFromEnvironment("KEYLARK_TEST_LANGUAGES") + "\\" + name + ".dll";
}

// A string of a module's table, read apart from the code under test.
std::string LibraryText(const std::string& module_path, unsigned id) {
  const platform::win32::Module module(
      LoadLibraryExW(Wide(module_path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  wchar_t text[1024] = {};
  if (module) LoadStringW(module.Get(), id, text, 1024);
  return Utf8(text);
}

// A window's caption, or the text of a control of this process.
std::string WindowTextOf(HWND window) {
  wchar_t text[4096] = {};
  GetWindowTextW(window, text, 4096);
  return Utf8(text);
}
std::string ItemTextOf(HWND dialog, int id) { return Utf8(ItemText(dialog, id)); }

// The running program, with files of the test's in a folder of its own.
class LocalisedProgram : public KeyBarTest {
 protected:
  void SetUp() override {
    KeyBarTest::SetUp();
    DeleteFileA(folder_.c_str());
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    KeyBarTest::TearDown();
    for (const char* name : {"Keylark.exe", "KRVSVR.dll", "Keylark.dll"}) {
      DeleteFileA((folder_ + "\\" + name).c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Copy(const std::string& source, const char* name) {
    const std::string copy = folder_ + "\\" + name;
    EXPECT_TRUE(CopyFileA(source.c_str(), copy.c_str(), FALSE)) << source;
    return copy;
  }
  // The About box, or the Assignment Type as the key press of a free key
  // (Fn-A) opens it.
  static HWND Open(HWND key_bar, int control) {
    if (control == IDC_ABOUT_TITLE) PostMessageA(key_bar, WM_COMMAND, IDM_ABOUT, 0);
    if (control == IDC_AT_DIRECT) ReportFnKey(key_bar, 0x1E);
    return WaitForDialog(control);
  }
  // Esc, and the dialog holding `control` is gone.
  static void Dismiss(HWND dialog, int control) {
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntilGone(control));
  }
  // The key bar's client area once its labels are painted (all free: white).
  static Pixels PaintedKeyBar(HWND key_bar) {
    const bool painted = WaitFor(
        [&] { return LabelPixels(CaptureClient(key_bar), key_bar, 10, RGB(255, 255, 255)) > 5; });
    return painted ? CaptureClient(key_bar) : Pixels();
  }

  const std::string folder_ = TempFilePath("kll");
};

TEST_F(LocalisedProgram, TheJapaneseLibraryBesideItTranslatesItsDialogsButNoKeyBarFont) {
  Program english_program;
  ASSERT_TRUE(english_program.Start());
  const Pixels english = PaintedKeyBar(english_program.WaitForKeyBar());
  ASSERT_FALSE(english.empty());
  ASSERT_TRUE(english_program.Close());

  Copy(BinFolder() + "\\KRVSVR.dll", "KRVSVR.dll");
  const std::string library = Copy(JapaneseLibrary(), "Keylark.dll");
  ASSERT_TRUE(keylark_.Start(Copy(BinFolder() + "\\Keylark.exe", "Keylark.exe")));
  HWND key_bar = keylark_.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);
  EXPECT_EQ(WindowTextOf(key_bar), LibraryText(library, 1001));
  EXPECT_TRUE(PaintedKeyBar(key_bar) == english) << "the key bar's labels look as in English";

  HWND type = Open(key_bar, IDC_AT_DIRECT);
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(WindowTextOf(type), U8(u8"割り当ての種類"));
  EXPECT_EQ(ItemTextOf(type, IDC_AT_DIRECT), U8(u8"ｱﾌﾟﾘｹｰｼｮﾝ(&D)…"));
  // The other controls in the order of their strings, 3003 on.
  const int rest[] = {
      IDC_AT_DIRECT_TEXT, IDC_AT_POPUP, IDC_AT_POPUP_TEXT, IDC_AT_CLEAR, IDC_AT_CLEAR_TEXT,
      IDCANCEL,           IDHELP,       IDC_AT_CONFIRM};
  for (unsigned string = 3003; const int control : rest) {
    EXPECT_EQ(ItemTextOf(type, control), LibraryText(library, string)) << "string " << string;
    ++string;
  }
  Dismiss(type, IDC_AT_DIRECT);

  // The banner is set before the translation, which replaces it whole.
  HWND about = Open(key_bar, IDC_ABOUT_TITLE);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowTextOf(about), LibraryText(library, 7001));
  EXPECT_EQ(ItemTextOf(about, IDC_ABOUT_TITLE), LibraryText(library, 7003));
  Dismiss(about, IDC_ABOUT_TITLE);
}

TEST_F(LocalisedProgram, ALibraryInItsStartFolderOrOnItsPathIsNotLoaded) {
  Copy(JapaneseLibrary(), "Keylark.dll");
  std::string path(32767, '\0');
  path.resize(GetEnvironmentVariableA("PATH", path.data(), 32767));
  SetEnvironmentVariableA("PATH", (folder_ + ";" + path).c_str());
  const bool started = keylark_.Start("Keylark.exe", "", folder_);
  SetEnvironmentVariableA("PATH", path.c_str());
  ASSERT_TRUE(started);
  HWND key_bar = keylark_.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);

  HWND type = Open(key_bar, IDC_AT_DIRECT);
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(WindowTextOf(type), "Assignment Type");
  EXPECT_EQ(ItemTextOf(type, IDC_AT_DIRECT), "&Direct...");
  Dismiss(type, IDC_AT_DIRECT);

  HWND about = Open(key_bar, IDC_ABOUT_TITLE);
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(ItemTextOf(about, IDC_ABOUT_TITLE).starts_with("Keylark version "));
  Dismiss(about, IDC_ABOUT_TITLE);
}

// How a dialog's window (id 0) and each of its controls look: text, font,
// and what of the text the control cannot show (nothing when it fits).
struct Look {
  std::string text, face;
  int height = 0, char_set = 0;
  std::string clipped;
  bool operator==(const Look&) const = default;
  bool SameFont(const Look& other) const {
    return face == other.face && height == other.height && char_set == other.char_set;
  }
};
std::ostream& operator<<(std::ostream& out, const Look& look) {
  return out << '"' << look.text << "\" " << look.face << ' ' << look.height << " set "
             << look.char_set;
}

// Whether a control's text fits the width it leaves (beside a check box's
// box, within a button's edges), wrapped in a label or a multi-line button,
// in as many lines as its height holds (one always: a line is drawn a little
// taller than its glyphs).
std::string Clipping(HWND control) {
  wchar_t text[1024] = {};
  char kind[32] = {};
  GetClassNameA(control, kind, sizeof kind);
  const bool label = lstrcmpiA(kind, "Static") == 0;
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (GetWindowTextW(control, text, 1024) == 0 || (label && (style & SS_TYPEMASK) == SS_ICON)) {
    return "";
  }
  const bool check_box = !label && ((style & BS_TYPEMASK) == BS_AUTOCHECKBOX);
  const bool wraps = label || (style & BS_MULTILINE) != 0;
  RECT room{};
  GetClientRect(control, &room);
  const LONG width = room.right - (label       ? 0
                                   : check_box ? GetSystemMetrics(SM_CXMENUCHECK) + 4
                                               : 6);
  RECT need{0, 0, wraps ? width : 4096, 0};
  const HDC dc = GetDC(control);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  TEXTMETRICW font{};
  GetTextMetricsW(dc, &font);
  DrawTextW(dc, text, -1, &need, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  const LONG lines = need.bottom / font.tmHeight;
  const LONG room_lines = std::max(1L, room.bottom / font.tmHeight);
  if (need.right <= width && lines <= room_lines) return "";
  return std::to_string(need.right) + " pixels in " + std::to_string(lines) + " lines, room for " +
         std::to_string(width) + " in " + std::to_string(room_lines);
}

Look LookOf(HWND window, std::string clipped = "") {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return {WindowTextOf(window), Utf8(font.lfFaceName), font.lfHeight, font.lfCharSet, clipped};
}

// Leaves the design captions and fonts as they are.
class NoTranslation final : public ui::win::DialogLocalizer {
 public:
  std::vector<platform::win32::Font> Localize(HWND, int) override { return {}; }
};

// Shows a dialog template of Keylark.exe's resources here, translated from
// the library at `library` (none: as designed), and reads it back.
std::map<int, Look> LooksOf(int template_id, const std::string& library = "") {
  core::Session session;
  platform::win32::Win32ResourceLibrary languages(library);
  dialogs::win::FormLocalizer localizer(session, languages);
  NoTranslation as_designed;
  ui::win::DialogContext context;
  context.localizer =
      library.empty() ? static_cast<ui::win::DialogLocalizer*>(&as_designed) : &localizer;
  ui::win::Dialog dialog;
  std::map<int, Look> looks;
  if (!dialog.ShowModeless(GetModuleHandleA(nullptr), template_id, context)) return looks;
  looks[0] = LookOf(dialog.hwnd());
  for (HWND child = GetWindow(dialog.hwnd(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    looks[GetDlgCtrlID(child)] = LookOf(child, Clipping(child));
  }
  return looks;
}

// The six dialog templates and, for the tag "JP", the controls that take
// "MS P Gothic" and those that keep the dialog's font; every other control
// takes the library's font.
struct Template {
  const char* name;
  int id;
  std::vector<int> gothic, kept;
};
const Template kTemplates[] = {
    {"FunctionKeyAssignments", IDD_ASSIGNMENTS, {IDC_AL_EXPAND}, {}},
    {"AssignmentType", IDD_ASSIGN_TYPE, {IDC_AT_CONFIRM}, {IDC_AT_ICON}},
    {"AddEditCommand", IDD_EDIT_COMMAND, {IDC_EC_SWITCH}, {}},
    {"ApplicationExplorer", IDD_EXPLORER, {}, {IDC_EX_LARGE, IDC_EX_SMALL}},
    {"Confirmation", IDD_CONFIRM, {}, {IDC_CF_ICON}},
    {"About", IDD_ABOUT, {}, {IDC_ABOUT_ICON, IDOK}},
};

void PrintTo(const Template& form, std::ostream* out) { *out << form.name; }

class DialogTemplates : public ::testing::TestWithParam<Template> {};

// Without a library a dialog keeps its design; with the tag "jp" it keeps
// its fonts; with "JP" they follow the form's rule.
TEST_P(DialogTemplates, KeepTheirDesignUnlessTheTagIsJP) {
  const std::map<int, Look> design = LooksOf(GetParam().id);
  ASSERT_GT(design.size(), 3U);
  EXPECT_EQ(LooksOf(GetParam().id, BinFolder() + "\\Keylark.dll"), design) << "no library";
  const std::string library = JapaneseLibrary();
  const std::map<int, Look> japanese = LooksOf(GetParam().id, library);
  const std::map<int, Look> lower_case = LooksOf(GetParam().id, TestLibrary("lower-jp"));
  ASSERT_EQ(japanese.size(), design.size());
  const HDC screen = GetDC(nullptr);
  const int nine_points = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  const Look library_font{"", LibraryText(library, 8001), nine_points, DEFAULT_CHARSET, ""};

  for (const auto& [id, look] : design) {
    SCOPED_TRACE(testing::Message() << "control " << id << ' ' << look);
    EXPECT_TRUE(lower_case.at(id).SameFont(look)) << "with the tag \"jp\": " << lower_case.at(id);
    const Look& got = japanese.at(id);
    if (id == 0 || std::ranges::count(GetParam().kept, id) > 0) {
      EXPECT_TRUE(got.SameFont(look)) << got;
    } else if (std::ranges::count(GetParam().gothic, id) > 0) {
      EXPECT_TRUE(got.SameFont({"", "MS P Gothic", look.height, DEFAULT_CHARSET, ""})) << got;
    } else {
      EXPECT_TRUE(got.SameFont(library_font)) << got;
    }
  }
}

TEST_P(DialogTemplates, ShowEveryTextWholeInEachLanguage) {
  for (const std::string& library :
       {std::string(), JapaneseLibrary(), BinFolder() + "\\lang\\de\\Keylark.dll"}) {
    for (const auto& [id, look] : LooksOf(GetParam().id, library)) {
      EXPECT_EQ(look.clipped, "") << (library.empty() ? "English" : library) << ": " << look.text;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Localisation, DialogTemplates, ::testing::ValuesIn(kTemplates),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LocalisedCaptions, ComeFromTheLibraryAndAMissingStringLeavesItsCaptionEmpty) {
  std::map<int, Look> type = LooksOf(IDD_ASSIGN_TYPE, TestLibrary("lower-jp"));
  EXPECT_EQ(type[0].text, "Kind of assignment");
  EXPECT_EQ(type[IDC_AT_DIRECT].text, "&Program...");
  EXPECT_EQ(type[IDC_AT_DIRECT_TEXT].text, "Start a program with the key.");
  EXPECT_EQ(type[IDC_AT_CONFIRM].text, "Ask before changing a key.");

  type = LooksOf(IDD_ASSIGN_TYPE, TestLibrary("missing-one"));
  EXPECT_EQ(type[IDC_AT_DIRECT_TEXT].text, "");
  EXPECT_EQ(type[IDC_AT_DIRECT_TEXT].face, "Courier New") << "the fonts still switch";
  EXPECT_EQ(type[IDC_AT_POPUP_TEXT].text, "Show a list of programs.");
}

// An item's text: by position below 10 (the menu bar's drop-downs).
std::string MenuText(HMENU menu, UINT item) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, item, text, 256, item < 10 ? MF_BYPOSITION : MF_BYCOMMAND);
  return Utf8(text);
}

// Menus of another process cannot be read under Wine: the key bar's menu bar
// and tray menu are built here from the program's resources and translated
// as the key bar translates its own.
TEST(LocalisedKeyBarMenus, TakeTheLibrarysTexts) {
  const HINSTANCE resources = GetModuleHandleA(nullptr);
  HWND window =
      CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100, nullptr,
                      LoadMenuA(resources, MAKEINTRESOURCEA(IDR_KEYBAR_MENU)), resources, nullptr);
  ASSERT_NE(window, nullptr);
  const platform::win32::Menu tray(LoadMenuA(resources, MAKEINTRESOURCEA(IDR_TRAY_MENU)));
  const std::string library = JapaneseLibrary();
  core::Session session;
  platform::win32::Win32ResourceLibrary languages(library);
  app::win::KeyBarCaptions captions(window, tray.Get());
  i18n::TranslateForm1(session, languages, captions);

  HMENU bar = GetMenu(window);
  EXPECT_EQ(MenuText(bar, IDM_ASSIGNMENTS), U8(u8"割り当て(&A)…"));
  EXPECT_EQ(MenuText(bar, 1), U8(u8"ｵﾌﾟｼｮﾝ(&O)"));
  // Every item in the order of its string, 1002 on; the last two are the
  // tray menu's.
  const UINT items[] = {IDM_ASSIGNMENTS, 1, IDM_TOP,   IDM_POPUPS, IDM_MINIMIZE,    IDM_HINTS,
                        IDM_CONFIRM,     2, IDM_INDEX, IDM_ABOUT,  IDM_TRAY_LAUNCH, IDM_TRAY_HELP};
  for (unsigned string = 1002; const UINT item : items) {
    HMENU menu = string < 1012 ? bar : GetSubMenu(tray.Get(), 0);
    EXPECT_EQ(MenuText(menu, item), LibraryText(library, string)) << "string " << string;
    ++string;
  }
  DestroyWindow(window);
}

}  // namespace
}  // namespace keylark::wintest
