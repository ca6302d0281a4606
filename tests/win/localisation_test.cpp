// Keylark in another language: the real program with the Japanese Keylark.dll
// beside it (and with one where it must not look), and every dialog template
// and the key bar's menus built in this process, translated from a library of
// the test's choosing, their captions and fonts read back. This program
// carries Keylark.exe's resources and manifest, so its ANSI texts are UTF-8
// as the program's are.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <ostream>
#include <vector>

#include "app/win/key_bar_captions.h"
#include "core/session.h"
#include "dialogs/win/form_localizer.h"
#include "i18n/forms.h"
#include "keylark_process.h"
#include "platform/win32/owned_handles.h"
#include "platform/win32/win32_resource_library.h"
#include "resource.h"
#include "ui/win/dialog.h"

namespace keylark::wintest {
// The store's contract tests come with the registry helpers; this program
// runs none of them.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RegistryContract);
namespace {

std::string Utf8(const std::wstring& text) {
  char utf8[4096] = {};
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
  return utf8;
}
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string BinFolder() { return WindowsPathFromEnvironment("KEYLARK_BIN_DIR"); }
std::string JapaneseLibrary() { return BinFolder() + "\\lang\\ja\\Keylark.dll"; }
std::string TestLibrary(const char* name) {
  return WindowsPathFromEnvironment("KEYLARK_TEST_LANGUAGES") + "\\" + name + ".dll";
}

// A string of a module's table as the system reads it, apart from the code
// under test.
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

// A folder of the test's own, emptied and removed when the test is over.
class Folder {
 public:
  Folder() : path_(TempFilePath("kll")) {
    DeleteFileA(path_.c_str());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~Folder() {
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    RemoveDirectoryA(path_.c_str());
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  const std::string& Path() const { return path_; }
  std::string Add(const std::string& source, const std::string& name) {
    files_.push_back(path_ + "\\" + name);
    EXPECT_TRUE(CopyFileA(source.c_str(), files_.back().c_str(), FALSE)) << source;
    return files_.back();
  }

 private:
  std::string path_;
  std::vector<std::string> files_;
};

// The running program, started from a folder of the test's.
class LocalisedProgram : public KeyBarTest {
 protected:
  // The Assignment Type of an unassigned key (Fn-A), as a key press opens it.
  HWND OpenAssignmentType(HWND key_bar) {
    ReportFnKey(key_bar, 0x1E);
    return WaitForDialog(IDC_AT_DIRECT);
  }
  HWND OpenAboutBox(HWND key_bar) {
    PostMessageA(key_bar, WM_COMMAND, IDM_ABOUT, 0);
    return WaitForDialog(IDC_ABOUT_TITLE);
  }
  // Esc, and the dialog holding `id` is gone.
  static void Dismiss(HWND dialog, int id) {
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntilGone(id));
  }
  // The key bar's client area once its labels are painted (all free: white).
  static Pixels PaintedKeyBar(HWND key_bar) {
    const bool painted = WaitFor(
        [&] { return LabelPixels(CaptureClient(key_bar), key_bar, 10, RGB(255, 255, 255)) > 5; });
    return painted ? CaptureClient(key_bar) : Pixels();
  }

  Folder folder_;  // outlives the program, which TearDown closes
};

TEST_F(LocalisedProgram, TheJapaneseLibraryBesideItTranslatesItsDialogsButNoKeyBarFont) {
  Program english_program;
  ASSERT_TRUE(english_program.Start());
  HWND key_bar = english_program.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);
  const Pixels english = PaintedKeyBar(key_bar);
  ASSERT_FALSE(english.empty());
  ASSERT_TRUE(english_program.Close());

  folder_.Add(BinFolder() + "\\KRVSVR.dll", "KRVSVR.dll");
  const std::string library = folder_.Add(JapaneseLibrary(), "Keylark.dll");
  ASSERT_TRUE(keylark_.Start(folder_.Add(BinFolder() + "\\Keylark.exe", "Keylark.exe")));
  ASSERT_NE(key_bar = keylark_.WaitForKeyBar(), nullptr);
  EXPECT_EQ(WindowTextOf(key_bar), LibraryText(library, 1001));
  EXPECT_TRUE(PaintedKeyBar(key_bar) == english) << "the key bar's labels look as in English";

  HWND type = OpenAssignmentType(key_bar);
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
  HWND about = OpenAboutBox(key_bar);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowTextOf(about), LibraryText(library, 7001));
  EXPECT_EQ(ItemTextOf(about, IDC_ABOUT_TITLE), LibraryText(library, 7003));
  Dismiss(about, IDC_ABOUT_TITLE);
}

TEST_F(LocalisedProgram, ALibraryInItsStartFolderOrOnItsPathIsNotLoaded) {
  folder_.Add(JapaneseLibrary(), "Keylark.dll");
  std::string path(32767, '\0');
  path.resize(GetEnvironmentVariableA("PATH", path.data(), 32767));
  SetEnvironmentVariableA("PATH", (folder_.Path() + ";" + path).c_str());
  const bool started = keylark_.Start("Keylark.exe", "", folder_.Path());
  SetEnvironmentVariableA("PATH", path.c_str());
  ASSERT_TRUE(started);
  HWND key_bar = keylark_.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);

  HWND type = OpenAssignmentType(key_bar);
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(WindowTextOf(type), "Assignment Type");
  EXPECT_EQ(ItemTextOf(type, IDC_AT_DIRECT), "&Direct...");
  Dismiss(type, IDC_AT_DIRECT);

  // The English banner: the version line, an empty line, the rights notice.
  HWND about = OpenAboutBox(key_bar);
  ASSERT_NE(about, nullptr);
  const std::string banner = ItemTextOf(about, IDC_ABOUT_TITLE);
  const std::string program = BinFolder() + "\\Keylark.exe";
  EXPECT_TRUE(banner.starts_with("Keylark version ")) << banner;
  EXPECT_TRUE(banner.ends_with("\r\n\r\n" + LibraryText(program, IDS_RIGHTS_NOTICE))) << banner;
  Dismiss(about, IDC_ABOUT_TITLE);
}

// How a dialog's window (id 0) and each of its controls look: text and font.
struct Look {
  std::string text, face;
  int height = 0, char_set = 0;
  bool operator==(const Look&) const = default;
  bool SameFont(const Look& other) const {
    return face == other.face && height == other.height && char_set == other.char_set;
  }
};
std::ostream& operator<<(std::ostream& out, const Look& look) {
  return out << '"' << look.text << "\" " << look.face << ' ' << look.height << " set "
             << look.char_set;
}

Look LookOf(HWND window) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return {WindowTextOf(window), Utf8(font.lfFaceName), font.lfHeight, font.lfCharSet};
}

bool IsControl(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0; }

// Whether a control shows its whole text in its font: the text takes the
// width the control leaves it (beside a check box's box, within a button's
// edges), wrapped in a label or a multi-line button, and its lines fit the
// height (one line always does: a line is drawn a little taller than its
// glyphs).
testing::AssertionResult ShowsWholeText(HWND control) {
  wchar_t text[1024] = {};
  char kind[32] = {};
  GetClassNameA(control, kind, sizeof kind);
  const bool label = lstrcmpiA(kind, "Static") == 0;
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (GetWindowTextW(control, text, 1024) == 0 || (label && (style & SS_TYPEMASK) == SS_ICON)) {
    return testing::AssertionSuccess();
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
  if (need.right <= width && lines <= room_lines) return testing::AssertionSuccess();
  return testing::AssertionFailure() << need.right << " pixels in " << lines << " lines, room for "
                                     << width << " in " << room_lines;
}

// Leaves the design captions and fonts as they are.
class NoTranslation final : public ui::win::DialogLocalizer {
 public:
  std::vector<platform::win32::Font> Localize(HWND, int) override { return {}; }
};

// Shows a dialog template of Keylark.exe's resources here, translated from
// the library at `library` (none: as designed), and hands its window and then
// each control to `read`.
void ReadDialog(int template_id, const std::string& library, const std::function<void(HWND)>& read,
                core::Session* session = nullptr) {
  core::Session own_session;
  platform::win32::Win32ResourceLibrary languages(library);
  dialogs::win::FormLocalizer localizer(session != nullptr ? *session : own_session, languages);
  NoTranslation as_designed;
  ui::win::DialogContext context;
  context.localizer =
      library.empty() ? static_cast<ui::win::DialogLocalizer*>(&as_designed) : &localizer;
  ui::win::Dialog dialog;
  ASSERT_TRUE(dialog.ShowModeless(GetModuleHandleA(nullptr), template_id, context));
  read(dialog.hwnd());
  for (HWND child = GetWindow(dialog.hwnd(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    read(child);
  }
}
std::map<int, Look> LooksOf(int template_id, const std::string& library = "",
                            core::Session* session = nullptr) {
  std::map<int, Look> looks;
  ReadDialog(
      template_id, library,
      [&](HWND window) { looks[IsControl(window) ? GetDlgCtrlID(window) : 0] = LookOf(window); },
      session);
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

TEST_P(DialogTemplates, WithoutALibraryKeepTheirDesign) {
  core::Session session;
  const std::string absent = BinFolder() + "\\Keylark.dll";
  const std::map<int, Look> design = LooksOf(GetParam().id);
  ASSERT_GT(design.size(), 3U);
  EXPECT_EQ(LooksOf(GetParam().id, absent, &session), design);
  EXPECT_EQ(session.LanguageTag, "");
}

TEST_P(DialogTemplates, TakeTheirFontsByKindOnlyWithTheTagJP) {
  const std::map<int, Look> design = LooksOf(GetParam().id);
  const std::string library = JapaneseLibrary();
  const std::map<int, Look> japanese = LooksOf(GetParam().id, library);
  const std::map<int, Look> lower_case = LooksOf(GetParam().id, TestLibrary("lower-jp"));
  ASSERT_EQ(japanese.size(), design.size());
  const HDC screen = GetDC(nullptr);
  const int nine_points = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  const Look library_font{"", LibraryText(library, 8001), nine_points, DEFAULT_CHARSET};

  for (const auto& [id, look] : design) {
    SCOPED_TRACE(testing::Message() << "control " << id << ' ' << look);
    EXPECT_TRUE(lower_case.at(id).SameFont(look)) << "with the tag \"jp\": " << lower_case.at(id);
    const Look& got = japanese.at(id);
    const auto lists = [&](const std::vector<int>& ids) {
      return std::find(ids.begin(), ids.end(), id) != ids.end();
    };
    if (id == 0 || lists(GetParam().kept)) {
      EXPECT_TRUE(got.SameFont(look)) << got;
    } else if (lists(GetParam().gothic)) {
      EXPECT_TRUE(got.SameFont({"", "MS P Gothic", look.height, DEFAULT_CHARSET})) << got;
    } else {
      EXPECT_TRUE(got.SameFont(library_font)) << got;
    }
  }
}

TEST_P(DialogTemplates, ShowEveryTextWholeInEachLanguage) {
  for (const std::string& library :
       {std::string(), JapaneseLibrary(), BinFolder() + "\\lang\\de\\Keylark.dll"}) {
    ReadDialog(GetParam().id, library, [&](HWND window) {
      if (IsControl(window)) {
        EXPECT_TRUE(ShowsWholeText(window))
            << (library.empty() ? "English" : library) << ": " << WindowTextOf(window);
      }
    });
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

  // Both frames of the confirmation take the same three label texts, the
  // design's misspelt "Directioy:" included.
  const std::string library = JapaneseLibrary();
  const std::map<int, Look> confirm = LooksOf(IDD_CONFIRM, library);
  const std::pair<int, int> frames[] = {
      {IDC_CF_PREV_COMMAND_LABEL, IDC_CF_NEW_COMMAND_LABEL},
      {IDC_CF_PREV_DESCRIPTION_LABEL, IDC_CF_NEW_DESCRIPTION_LABEL},
      {IDC_CF_PREV_DIRECTORY_LABEL, IDC_CF_NEW_DIRECTORY_LABEL}};
  for (const auto& [previous, next] : frames) {
    EXPECT_EQ(confirm.at(previous).text, confirm.at(next).text);
  }
  EXPECT_EQ(confirm.at(IDC_CF_NEW_DIRECTORY_LABEL).text, U8(u8"実行時のﾃﾞｨﾚｸﾄﾘ:"));
  EXPECT_EQ(confirm.at(IDC_CF_PREV_COMMAND_LABEL).text, LibraryText(library, 6005));
}

std::string MenuText(HMENU menu, UINT item, UINT by) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, item, text, 256, by);
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
  EXPECT_EQ(session.LanguageTag, "JP");
  EXPECT_EQ(MenuText(bar, IDM_ASSIGNMENTS, MF_BYCOMMAND), U8(u8"割り当て(&A)…"));
  EXPECT_EQ(MenuText(bar, 1, MF_BYPOSITION), U8(u8"ｵﾌﾟｼｮﾝ(&O)"));
  EXPECT_EQ(MenuText(bar, 2, MF_BYPOSITION), LibraryText(library, 1009));
  // The Options and Help items in the order of their strings, 1004 on (the
  // Help drop-down's own caption, 1009, among them).
  const UINT items[] = {IDM_TOP,     IDM_POPUPS, IDM_MINIMIZE, IDM_HINTS,
                        IDM_CONFIRM, 0,          IDM_INDEX,    IDM_ABOUT};
  for (unsigned string = 1004; const UINT item : items) {
    if (item != 0) EXPECT_EQ(MenuText(bar, item, MF_BYCOMMAND), LibraryText(library, string));
    ++string;
  }
  HMENU tray_items = GetSubMenu(tray.Get(), 0);
  EXPECT_EQ(MenuText(tray_items, IDM_TRAY_LAUNCH, MF_BYCOMMAND), LibraryText(library, 1012));
  EXPECT_EQ(MenuText(tray_items, IDM_TRAY_HELP, MF_BYCOMMAND), LibraryText(library, 1013));
  DestroyWindow(window);
}

}  // namespace
}  // namespace keylark::wintest
