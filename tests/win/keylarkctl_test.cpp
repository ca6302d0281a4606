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

  ASSERT_EQ(RunToEnd(kCtl, "set e --command notepad.exe --switch off").exit_code, 0U);
  EXPECT_EQ(TestStore().ReadText(store::kSwitchFlagKey, "Fn-E"), "0");
  EXPECT_TRUE(WaitFor([&] { return LabelPixels(key_bar, 10, kCyan) > 5; }))
      << "the running key bar shows Fn-E assigned";

  ASSERT_EQ(RunToEnd(kCtl, "clear Fn-E").exit_code, 0U);
  EXPECT_TRUE(WaitFor([&] { return LabelPixels(key_bar, 10, kCyan) == 0; }));
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
  PutTextW(desc, L"Fn-Q", L"Tab\there \"quoted\" Ünïcode 日本");
  PutTextW(L"Software\\Korvane\\Keylark\\ini\\cmd", L"Fn-Q", L"C:\\Café\\app.exe");
  PutTextW(L"Software\\Korvane\\Keylark\\ini\\cwd", L"Fn-Q", L"");
  const DWORD number = 7;
  PutW(L"Software\\Korvane\\Keylark\\ini\\opts", L"Fn-Q", REG_DWORD, &number, sizeof number);
  PutTextW(L"Software\\Korvane\\Keylark\\prg\\Fn-Z\\Ärger", L"Ärger", L"C:\\Ä\\Ärger.lnk");
  const RegistryDump before = DumpRegistry();

  const std::string exported = Temp("");
  ASSERT_EQ(RunToEnd(kCtl, "export \"" + exported + "\"").exit_code, 0U);
  for (const char* key : kKeys)
    ASSERT_EQ(RunToEnd(kCtl, std::string("clear ") + key).exit_code, 0U);
  ASSERT_NE(DumpRegistry(), before);
  const ProgramRun import = RunToEnd(kCtl, "import \"" + exported + "\"");
  EXPECT_EQ(import.exit_code, 0U) << import.err;
  EXPECT_EQ(DumpRegistry(), before);

  for (const char* name : {"\\Notepad.lnk", "\\calc.exe", "\\Hidden.lnk"}) {
    SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((folder + name).c_str());
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace keylark::wintest
