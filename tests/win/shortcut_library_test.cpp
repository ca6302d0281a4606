// KRVSVR.dll as Keylark uses it: shortcuts made by the shell are read back,
// and the library is taken only from the program's folder or the system folder.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "keylark_process.h"
#include "launch/shortcut_reader.h"
#include "platform/win32/win32_shortcut_library.h"

namespace keylark::wintest {
namespace {

using launch::ShortcutInfo;
using platform::kShortcutBufferSize;
using platform::win32::kShortcutLibraryName;

std::string BinFolder() { return WindowsPathFromEnvironment("KEYLARK_BIN_DIR"); }

// A new empty folder below the temp folder, deleted with its contents.
struct TempFolder {
  TempFolder() {
    DeleteFileA(path.c_str());  // a name made free for a folder
    std::filesystem::create_directory(path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string File(const std::string& name) const { return path + "\\" + name; }
  std::string path = TempFilePath("kls");
};

// Five buffers of the library's size followed by guard bytes.
using Buffers = std::array<std::vector<char>, 5>;
constexpr std::size_t kGuard = 64;

int CallDirectly(platform::win32::Win32ShortcutLibrary& library, std::string& path,
                 Buffers& buffers, std::int32_t (&numbers)[2]) {
  for (auto& buffer : buffers) buffer.assign(kShortcutBufferSize + kGuard, '\x5A');
  return library.GetShortCutInfo(buffers[0].data(), path.data(), buffers[1].data(),
                                 buffers[2].data(), buffers[3].data(), buffers[4].data(),
                                 &numbers[0], &numbers[1]);
}

class ShortcutLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    ASSERT_TRUE(library_.EnsureLoaded()) << kShortcutLibraryName << " not in " << BinFolder();
    std::ofstream(target_, std::ios::binary) << "MZ";
  }
  void TearDown() override { CoUninitialize(); }

  // Not its show command: Wine does not read that back from the file.
  std::string MakeToolShortcut(const std::string& description = "Starts the tool") {
    const std::string shortcut = folder_.File("Tool.lnk");
    EXPECT_EQ(CreateShortcut(shortcut, {target_, "/mode fast \"two words\"", folder_.path,
                                        description, target_, 2}),
              S_OK);
    return shortcut;
  }

  platform::win32::Win32ShortcutLibrary library_{{BinFolder()}};
  TempFolder folder_;
  std::string target_ = folder_.File("tool.exe");
};

// The caller's thread may have no COM, or COM in either apartment; the library
// reads every field in each and leaves the thread's COM as it found it.
TEST_F(ShortcutLibraryTest, ReadsWhatTheShellWroteWhateverComTheCallingThreadHas) {
  const std::string shortcut = MakeToolShortcut();
  const ShortcutInfo wanted{
      target_, "/mode fast \"two words\"", folder_.path, "Starts the tool", target_, 0, 2};
  auto read_and_check_com = [&](DWORD apartment, bool initialize) {
    if (initialize) {
      EXPECT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, apartment)));
    }
    std::string path = shortcut;
    ShortcutInfo info{"C:\\earlier.exe", "a", "b", "c", "d", 11, 22};
    launch::ReadShortcut(library_, path, info);
    info.Number1 = 0;  // the show command, see above
    EXPECT_EQ(info, wanted) << "apartment " << apartment << " com " << initialize;
    EXPECT_EQ(path, shortcut);
    IUnknown* object = nullptr;
    const HRESULT still = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IUnknown, reinterpret_cast<void**>(&object));
    if (object != nullptr) object->Release();
    EXPECT_EQ(still, initialize ? S_OK : CO_E_NOTINITIALIZED) << "the library changed COM";
    if (initialize) CoUninitialize();
  };
  std::thread([&] { read_and_check_com(COINIT_MULTITHREADED, true); }).join();
  std::thread([&] { read_and_check_com(COINIT_APARTMENTTHREADED, true); }).join();
  std::thread([&] { read_and_check_com(0, false); }).join();
}

// A failed read leaves the caller's record and every byte of its buffers as
// they were; texts longer than a buffer are cut inside it.
TEST_F(ShortcutLibraryTest, AnythingButAShortcutFailsAndLeavesInfoAsItWas) {
  std::ofstream(folder_.File("notes.lnk"), std::ios::binary)
      << "These are notes, not a shortcut.\r\n";
  std::ofstream(folder_.File("empty.lnk"), std::ios::binary) << "";
  const ShortcutInfo earlier{"C:\\earlier.exe", "a", "b", "c", "d", 11, 22};
  for (const std::string& original : {folder_.File("notes.lnk"), folder_.File("empty.lnk"),
                                      folder_.File("missing.lnk"), folder_.path, std::string()}) {
    std::string path = original;
    ShortcutInfo info = earlier;
    launch::ReadShortcut(library_, path, info);
    EXPECT_EQ(info, earlier) << "reading '" << original << "'";
    EXPECT_EQ(path, original);
    Buffers buffers;
    std::int32_t numbers[2] = {11, 22};
    EXPECT_NE(CallDirectly(library_, path, buffers, numbers), 0);
    for (const auto& buffer : buffers) {
      EXPECT_EQ(std::string(buffer.begin(), buffer.end()),
                std::string(kShortcutBufferSize + kGuard, '\x5A'));
    }
    EXPECT_EQ(numbers[0] * 100 + numbers[1], 1122);
  }

  const std::string description(1000, 'd');
  std::string path = MakeToolShortcut(description);
  Buffers buffers;
  std::int32_t numbers[2] = {};
  ASSERT_EQ(CallDirectly(library_, path, buffers, numbers), 0);
  for (const auto& buffer : buffers) {
    EXPECT_NE(std::memchr(buffer.data(), '\0', kShortcutBufferSize), nullptr);
    EXPECT_EQ(std::string(buffer.begin() + kShortcutBufferSize, buffer.end()),
              std::string(kGuard, '\x5A'))
        << "a buffer ran over";
  }
  EXPECT_EQ(description.rfind(buffers[3].data(), 0), 0U) << "not a prefix";
}

std::string SystemLibrary() {
  char folder[MAX_PATH + 1] = {};
  GetSystemDirectoryA(folder, sizeof folder);
  return std::string(folder) + "\\" + kShortcutLibraryName;
}

// Only the program's own folder and the system folder are searched: never the
// current directory or a folder on PATH, where anyone may plant a copy.
TEST(ShortcutLibrarySearchTest, IsLoadedFromTheProgramsOrTheSystemFolderOnly) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  TempFolder program, data, planted;
  const std::string library = BinFolder() + "\\" + kShortcutLibraryName;
  const std::string probe = program.File("shortcut_probe.exe");
  ASSERT_TRUE(CopyFileA((BinFolder() + "\\shortcut_probe.exe").c_str(), probe.c_str(), FALSE));
  ASSERT_FALSE(std::filesystem::exists(SystemLibrary())) << "it would hide the rule";
  std::ofstream(data.File("tool.exe"), std::ios::binary) << "MZ";
  ASSERT_EQ(
      CreateShortcut(data.File("Tool.lnk"), {data.File("tool.exe"), "", data.path, "Tool", ""}),
      S_OK);
  const std::string read = "read \"" + data.File("Tool.lnk") + "\"";

  ASSERT_TRUE(CopyFileA(library.c_str(), planted.File(kShortcutLibraryName).c_str(), FALSE));
  char old_path[32767] = {};
  const DWORD length = GetEnvironmentVariableA("PATH", old_path, sizeof old_path);
  SetEnvironmentVariableA("PATH", (planted.path + ";" + old_path).c_str());
  EXPECT_EQ(RunToEnd(probe, read, planted.path).exit_code, 3U) << "library not found";
  SetEnvironmentVariableA("PATH", length > 0 ? old_path : nullptr);

  ASSERT_TRUE(CopyFileA(library.c_str(), SystemLibrary().c_str(), FALSE));
  EXPECT_EQ(RunToEnd(probe, read, data.path).exit_code, 0U);
  DeleteFileA(SystemLibrary().c_str());
  ASSERT_TRUE(CopyFileA(library.c_str(), program.File(kShortcutLibraryName).c_str(), FALSE));
  EXPECT_EQ(RunToEnd(probe, read, data.path).exit_code, 0U);
  CoUninitialize();
}

}  // namespace
}  // namespace keylark::wintest
