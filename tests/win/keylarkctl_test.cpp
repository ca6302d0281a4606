// keylarkctl.exe as a script runs it, against the real registry: an export,
// every key cleared, and the import must give back the registry exactly,
// texts in any script included.
#include <gtest/gtest.h>

#include <fstream>

#include "keylark_process.h"
#include "launch_log.h"
#include "program_run.h"
#include "store/layout.h"

namespace keylark::wintest {
namespace {

constexpr const char* kCtl = "keylarkctl.exe";

class Keylarkctl : public ::testing::Test {
 protected:
  void SetUp() override { ResetStore(); }
  void TearDown() override { ResetStore(); }
};

TEST_F(Keylarkctl, ExportThenClearingEveryKeyThenImportRestoresTheRegistryExactly) {
  const std::string folder = TempFilePath("kmn");  // a file name made free for a folder
  DeleteFileA(folder.c_str());
  CreateDirectoryA(folder.c_str(), nullptr);
  const char* files[] = {"\\Notepad.lnk", "\\calc.exe", "\\Hidden.lnk"};
  for (const char* name : files) std::ofstream(folder + name) << "x";
  SetFileAttributesA((folder + files[2]).c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_EQ(RunToEnd(kCtl, "set 1 --command \"C:\\Tools\\run.exe /x\" --description Run").exit_code,
            0U);
  ASSERT_EQ(RunToEnd(kCtl, "set-popup A \"" + folder + "\"").exit_code, 0U);
  EXPECT_EQ(TestStore().ReadText(store::PopupListKey("Fn-A"), store::kFileCountValue), "2");
  const std::wstring ini = L"Software\\Korvane\\Keylark\\ini\\";
  PutTextW((ini + L"desc").c_str(), L"Fn-Q", L"Tab\there \"quoted\" Ünïcode 日本");
  PutTextW((ini + L"cmd").c_str(), L"Fn-Q", L"C:\\Café\\app.exe");
  PutTextW((ini + L"cwd").c_str(), L"Fn-Q", L"");
  const DWORD number = 7;
  PutW((ini + L"opts").c_str(), L"Fn-Q", REG_DWORD, &number, sizeof number);
  PutTextW(L"Software\\Korvane\\Keylark\\prg\\Fn-Z\\Ärger", L"Ärger", L"C:\\Ä\\Ärger.lnk");
  const RegistryDump before = DumpRegistry();

  const std::string exported = TempFilePath("kct");
  ASSERT_EQ(RunToEnd(kCtl, "export \"" + exported + "\"").exit_code, 0U);
  for (const char* key : {"1", "2", "3", "4", "5", "6", "A", "B", "C", "D", "E", "F",
                          "G", "H", "N", "Q", "R", "S", "T", "V", "W", "X", "Y", "Z"}) {
    ASSERT_EQ(RunToEnd(kCtl, std::string("clear ") + key).exit_code, 0U);
  }
  ASSERT_NE(DumpRegistry(), before);
  const ProgramRun import = RunToEnd(kCtl, "import \"" + exported + "\"");
  EXPECT_EQ(import.exit_code, 0U) << import.err;
  EXPECT_EQ(DumpRegistry(), before);

  DeleteFileA(exported.c_str());
  for (const char* name : files) {
    SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((folder + name).c_str());
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace keylark::wintest
