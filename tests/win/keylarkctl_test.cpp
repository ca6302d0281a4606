// keylarkctl.exe run as a script runs it: what it leaves in the registry
// (read through the registry functions, as an export would), and what the
// running key bar shows afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "keylark_process.h"
#include "launch_log.h"
#include "program_run.h"
#include "store/layout.h"

namespace keylark::wintest {
namespace {

constexpr const char* kCtl = "keylarkctl.exe";
constexpr const char* kKeys[] = {"1", "2", "3", "4", "5", "6", "A", "B", "C", "D", "E", "F",
                                 "G", "H", "N", "Q", "R", "S", "T", "V", "W", "X", "Y", "Z"};

std::string Hex(const BYTE* data, DWORD size) {
  static const char* digits = "0123456789ABCDEF";
  std::string text;
  for (DWORD i = 0; i < size; ++i) text += {digits[data[i] >> 4], digits[data[i] & 15], ' '};
  return text;
}

// A key and everything below it as sorted lines "path | name | type | bytes",
// the names and data in UTF-16 as the registry keeps them.
void Dump(HKEY root, const std::wstring& path, std::vector<std::wstring>& lines) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  lines.push_back(path);
  wchar_t name[512];
  BYTE data[4096];
  for (DWORD i = 0;; ++i) {
    DWORD name_size = 512;
    DWORD type = 0;
    DWORD size = sizeof data;
    if (RegEnumValueW(key, i, name, &name_size, nullptr, &type, data, &size) != ERROR_SUCCESS)
      break;
    const std::string bytes = std::to_string(type) + " | " + Hex(data, size);
    lines.push_back(path + L" | " + name + L" | " + std::wstring(bytes.begin(), bytes.end()));
  }
  std::vector<std::wstring> subkeys;
  for (DWORD i = 0;; ++i) {
    DWORD name_size = 512;
    if (RegEnumKeyExW(key, i, name, &name_size, nullptr, nullptr, nullptr, nullptr) != 0) break;
    subkeys.emplace_back(name);
  }
  RegCloseKey(key);
  for (const std::wstring& subkey : subkeys) Dump(root, path + L"\\" + subkey, lines);
}

std::vector<std::wstring> DumpStore() {
  std::vector<std::wstring> lines;
  Dump(HKEY_CURRENT_USER, L"Software\\Korvane\\Keylark", lines);
  std::sort(lines.begin(), lines.end());
  return lines;
}

void SetW(const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void SetTextW(const wchar_t* path, const wchar_t* name, const std::wstring& text) {
  SetW(path, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::string WriteTempFile(const std::string& text) {
  const std::string path = TempFilePath("kct");
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

class Keylarkctl : public ::testing::Test {
 protected:
  void SetUp() override { ResetStore(); }
  void TearDown() override {
    keylark_.Close();
    ResetStore();
    for (const std::string& path : temp_files_) DeleteFileA(path.c_str());
  }
  std::string Temp(const std::string& text) {
    return temp_files_.emplace_back(WriteTempFile(text));
  }

  KeylarkProcess keylark_;
  std::vector<std::string> temp_files_;
};

TEST_F(Keylarkctl, SetAndClearStoreAsTheDialogsDoAndTheKeyBarRecolours) {
  constexpr COLORREF kCyan = RGB(0, 255, 255);
  ASSERT_TRUE(keylark_.Start());
  HWND key_bar = keylark_.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);

  ASSERT_EQ(
      RunToEnd(kCtl, "set e --command notepad.exe --directory C:\\Tools --switch off").exit_code,
      0U);
  const store::Store& store = TestStore();
  EXPECT_EQ(store.ReadText(store::kCommandKey, "Fn-E"), "notepad.exe");
  EXPECT_EQ(store.ReadText(store::kDirectoryKey, "Fn-E"), "C:\\Tools");
  EXPECT_EQ(store.ReadText(store::kSwitchFlagKey, "Fn-E"), "0");
  EXPECT_EQ(store.ReadText(store::kSwitchFlagKey, "Fn-1"), "0") << "made for all 24 keys";
  EXPECT_EQ(store.QueryValueSize(store::Root::CurrentUser, store::kDescriptionKey, "Fn-1"), 0L);
  EXPECT_TRUE(WaitFor([&] { return LabelPixels(key_bar, 10, kCyan) > 5; }))
      << "the running key bar shows Fn-E assigned";

  ASSERT_EQ(RunToEnd(kCtl, "clear Fn-E").exit_code, 0U);
  EXPECT_FALSE(store.ReadText(store::kCommandKey, "Fn-E"));
  EXPECT_EQ(store.ReadText(store::kDirectoryKey, "Fn-E"), "");
  EXPECT_TRUE(WaitFor([&] { return LabelPixels(key_bar, 10, kCyan) == 0; }));

  for (const char* bad : {"set I --command x", "set E", "set E --command x --switch maybe",
                          "set E --command x --colour red", "frobnicate"}) {
    const ProgramRun run = RunToEnd(kCtl, bad);
    EXPECT_EQ(run.exit_code, 2U) << bad;
    EXPECT_NE(run.err.find("keylarkctl: "), std::string::npos) << bad;
  }
  EXPECT_FALSE(store.ReadText(store::kCommandKey, "Fn-E")) << "bad commands change nothing";
}

TEST_F(Keylarkctl, ExportThenClearingEveryKeyThenImportRestoresTheRegistryExactly) {
  const std::string folder = TempFilePath("kmn");  // a file name made free for a folder
  DeleteFileA(folder.c_str());
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* name : {"\\Notepad.lnk", "\\calc.exe", "\\Hidden.lnk"}) {
    std::ofstream(folder + name) << "x";
  }
  SetFileAttributesA((folder + "\\Hidden.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_EQ(RunToEnd(kCtl, "set 1 --command \"C:\\Tools\\run.exe /x\" --description Run").exit_code,
            0U);
  ASSERT_EQ(RunToEnd(kCtl, "set-popup A \"" + folder + "\"").exit_code, 0U);
  EXPECT_EQ(TestStore().ReadText(store::PopupListKey("Fn-A"), store::kFileCountValue), "2");
  const wchar_t* desc = L"Software\\Korvane\\Keylark\\ini\\desc";
  SetTextW(desc, L"Fn-Q", L"Tab\there \"quoted\" Ünïcode 日本");
  SetTextW(L"Software\\Korvane\\Keylark\\ini\\cmd", L"Fn-Q", L"C:\\Café\\app.exe");
  SetTextW(L"Software\\Korvane\\Keylark\\ini\\cwd", L"Fn-Q", L"");
  const DWORD number = 7;
  SetW(L"Software\\Korvane\\Keylark\\ini\\opts", L"Fn-Q", REG_DWORD, &number, sizeof number);
  SetTextW(L"Software\\Korvane\\Keylark\\prg\\Fn-Z\\Ärger", L"Ärger", L"C:\\Ä\\Ärger.lnk");
  const std::vector<std::wstring> before = DumpStore();

  const std::string exported = Temp("");
  ASSERT_EQ(RunToEnd(kCtl, "export \"" + exported + "\"").exit_code, 0U);
  for (const char* key : kKeys)
    ASSERT_EQ(RunToEnd(kCtl, std::string("clear ") + key).exit_code, 0U);
  ASSERT_NE(DumpStore(), before);
  const ProgramRun import = RunToEnd(kCtl, "import \"" + exported + "\"");
  EXPECT_EQ(import.exit_code, 0U) << import.err;
  EXPECT_EQ(DumpStore(), before);

  for (const char* name : {"\\Notepad.lnk", "\\calc.exe", "\\Hidden.lnk"}) {
    SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((folder + name).c_str());
  }
  RemoveDirectoryA(folder.c_str());
}

TEST_F(Keylarkctl, AnImportWithABadLineChangesNothing) {
  ASSERT_EQ(RunToEnd(kCtl, "set E --command notepad.exe").exit_code, 0U);
  const std::vector<std::wstring> before = DumpStore();
  const std::string file =
      Temp("keylark-assignments 1\nkey 1\ncommand new.exe\nkey E\ndescription \"unterminated\n");
  const ProgramRun import = RunToEnd(kCtl, "import \"" + file + "\"");
  EXPECT_EQ(import.exit_code, 1U);
  EXPECT_NE(import.err.find(", line 5: description: the closing quote is missing"),
            std::string::npos)
      << import.err;
  EXPECT_NE(import.err.find("Nothing was imported."), std::string::npos);
  EXPECT_EQ(DumpStore(), before);
}

}  // namespace
}  // namespace keylark::wintest
