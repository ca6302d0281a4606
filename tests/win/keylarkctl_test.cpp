// keylarkctl.exe as a script runs it, against the real registry: an export,
// every key cleared, and the import must give back the registry exactly,
// texts in any script included.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/key_table.h"
#include "keylark_process.h"
#include "store/layout.h"

namespace keylark::wintest {
namespace {

constexpr const char* kCtl = "keylarkctl.exe";

using Keylarkctl = KeyBarTest;  // no key bar: only the registry reset

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
  PutW(ini + L"desc", L"Fn-Q", L"Tab\there \"quoted\" Ünïcode 日本");
  PutW(ini + L"cmd", L"Fn-Q", L"C:\\Café\\app.exe");
  PutW(ini + L"cwd", L"Fn-Q", L"");
  PutRaw(layout::kOpts, "Fn-Q", REG_DWORD, {7, 0, 0, 0});
  PutW(L"Software\\Korvane\\Keylark\\prg\\Fn-Z\\Ärger", L"Ärger", L"C:\\Ä\\Ärger.lnk");
  const RegistryDump before = DumpRegistry();

  const std::string exported = TempFilePath("kct");
  ASSERT_EQ(RunToEnd(kCtl, "export \"" + exported + "\"").exit_code, 0U);
  for (const core::KeyInfo& key : core::kKeys) {
    ASSERT_EQ(RunToEnd(kCtl, std::string("clear ") + key.character).exit_code, 0U);
  }
  ASSERT_NE(DumpRegistry(), before);
  const ProgramRun import = RunToEnd(kCtl, "import \"" + exported + "\"");
  EXPECT_EQ(import.exit_code, 0U) << import.err;
  EXPECT_EQ(DumpRegistry(), before);

  DeleteFileA(exported.c_str());
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace keylark::wintest
