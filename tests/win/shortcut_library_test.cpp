// The shortcut-information library as Keylark uses it: shortcuts made by the
// shell are read back through KRVSVR.dll, and the library is taken only from
// the program's folder or the system folder.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "keylark_process.h"
#include "launch_log.h"
#include "launch/shortcut_reader.h"
#include "platform/win32/win32_shortcut_library.h"

namespace keylark::wintest {
namespace {

using launch::ShortcutInfo;
using platform::kShortcutBufferSize;
using platform::win32::kShortcutLibraryName;
using platform::win32::Win32ShortcutLibrary;

std::string BinFolder() { return WindowsPathFromEnvironment("KEYLARK_BIN_DIR"); }

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

bool WriteFile(const std::string& path, const std::string& content) {
  return static_cast<bool>(std::ofstream(path, std::ios::binary) << content);
}

// A new empty folder below the temp folder, deleted with its contents.
class TempFolder {
 public:
  TempFolder() {
    DeleteFileA(path_.c_str());  // a name made free for a folder
    std::filesystem::create_directory(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_ = TempFilePath("kls");
};

ShortcutInfo Earlier() { return ShortcutInfo{"C:\\earlier.exe", "a", "b", "c", "d", 11, 22}; }

class ShortcutLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    ASSERT_TRUE(library_.EnsureLoaded())
        << kShortcutLibraryName << " not loadable from " << BinFolder();
    target_ = folder_.File("tool.exe");
    ASSERT_TRUE(WriteFile(target_, "MZ"));
  }
  void TearDown() override { CoUninitialize(); }

  // A shortcut to tool.exe in the temp folder with its texts and icon set.
  // (Not its show command: Wine does not read that back from the file.)
  std::string MakeToolShortcut(const std::string& description = "Starts the tool") {
    const std::string shortcut = folder_.File("Tool.lnk");
    const ShortcutSpec spec{
        target_, "/mode fast \"two words\"", folder_.Path(), description, target_, 2};
    EXPECT_EQ(CreateShortcut(shortcut, spec), S_OK);
    return shortcut;
  }

  Win32ShortcutLibrary library_{{BinFolder()}};
  TempFolder folder_;
  std::string target_;
};

TEST_F(ShortcutLibraryTest, ReadsWhatTheShellWroteIntoAShortcut) {
  const std::string shortcut = MakeToolShortcut();
  std::string path = shortcut;
  ShortcutInfo info = Earlier();

  launch::ReadShortcut(library_, path, info);

  EXPECT_EQ(info.TargetPath, target_);
  EXPECT_EQ(info.Info1, "/mode fast \"two words\"");
  EXPECT_EQ(info.Info2, folder_.Path());
  EXPECT_EQ(info.Info3, "Starts the tool");
  EXPECT_EQ(info.Info4, target_);
  EXPECT_EQ(info.Number2, 2);
  EXPECT_EQ(path, shortcut);
}

TEST_F(ShortcutLibraryTest, AnythingButAShortcutFailsAndLeavesInfoAsItWas) {
  ASSERT_TRUE(WriteFile(folder_.File("notes.lnk"), "These are notes, not a shortcut.\r\n"));
  ASSERT_TRUE(WriteFile(folder_.File("empty.lnk"), ""));
  const std::vector<std::string> paths = {folder_.File("notes.lnk"), folder_.File("empty.lnk"),
                                          folder_.File("missing.lnk"), folder_.Path(), ""};
  for (const std::string& original : paths) {
    std::string path = original;
    ShortcutInfo info = Earlier();
    launch::ReadShortcut(library_, path, info);
    EXPECT_EQ(info, Earlier()) << "reading '" << original << "'";
    EXPECT_EQ(path, original);

    // Called directly, a failed call leaves every buffer of its caller as it was.
    std::array<std::vector<char>, 5> buffers;
    for (auto& buffer : buffers) buffer.assign(kShortcutBufferSize, '\x5A');
    std::int32_t numbers[2] = {11, 22};
    EXPECT_NE(library_.GetShortCutInfo(buffers[0].data(), path.data(), buffers[1].data(),
                                       buffers[2].data(), buffers[3].data(), buffers[4].data(),
                                       &numbers[0], &numbers[1]),
              0);
    for (const auto& buffer : buffers) {
      EXPECT_EQ(std::string(buffer.begin(), buffer.end()),
                std::string(kShortcutBufferSize, '\x5A'));
    }
    EXPECT_EQ(numbers[0] * 100 + numbers[1], 1122);
  }
}

// Texts longer than a buffer are cut inside it: the bytes after the 520th
// belong to the caller and must stay as they were.
TEST_F(ShortcutLibraryTest, LongTextsStayInsideTheirBuffers) {
  const std::string description(1000, 'd');
  std::string path = MakeToolShortcut(description);
  constexpr std::size_t kGuard = 64;
  constexpr char kGuardByte = '\x5A';
  std::array<std::vector<char>, 5> buffers;
  for (auto& buffer : buffers) {
    buffer.assign(kShortcutBufferSize + kGuard, kGuardByte);
    std::memset(buffer.data(), 0, kShortcutBufferSize);
  }
  std::int32_t show_command = 0;
  std::int32_t icon_index = 0;

  ASSERT_EQ(
      library_.GetShortCutInfo(buffers[0].data(), path.data(), buffers[1].data(), buffers[2].data(),
                               buffers[3].data(), buffers[4].data(), &show_command, &icon_index),
      0);

  for (std::size_t i = 0; i < buffers.size(); ++i) {
    const std::vector<char>& buffer = buffers[i];
    EXPECT_NE(std::memchr(buffer.data(), '\0', kShortcutBufferSize), nullptr) << "buffer " << i;
    EXPECT_EQ(std::string(buffer.begin() + kShortcutBufferSize, buffer.end()),
              std::string(kGuard, kGuardByte))
        << "buffer " << i << " ran over";
  }
  const std::string cut = buffers[3].data();
  EXPECT_EQ(description.compare(0, cut.size(), cut), 0) << "not a prefix: " << cut;
}

// The caller's thread may have no COM, or COM in either apartment; the
// library works in each and leaves the thread's COM as it found it.
TEST_F(ShortcutLibraryTest, WorksWhateverComTheCallingThreadHas) {
  const std::string shortcut = MakeToolShortcut();
  auto read_and_check_com = [&](DWORD apartment, bool initialize) {
    if (initialize) {
      EXPECT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, apartment)));
    }
    std::string path = shortcut;
    ShortcutInfo info;
    launch::ReadShortcut(library_, path, info);
    EXPECT_EQ(info.TargetPath, target_) << "apartment " << apartment << " com " << initialize;
    IUnknown* object = nullptr;
    const HRESULT still = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IUnknown, reinterpret_cast<void**>(&object));
    if (object != nullptr) object->Release();
    if (initialize) {
      EXPECT_EQ(still, S_OK) << "the library ended the caller's COM";
      CoUninitialize();
    } else {
      EXPECT_EQ(still, CO_E_NOTINITIALIZED) << "the library left COM running";
    }
  };
  std::thread([&] { read_and_check_com(COINIT_MULTITHREADED, true); }).join();
  std::thread([&] { read_and_check_com(COINIT_APARTMENTTHREADED, true); }).join();
  std::thread([&] { read_and_check_com(0, false); }).join();
}

// What helper_shortcut_probe.cpp reports through its exit code.
constexpr DWORD kProbeRead = 0;
constexpr DWORD kProbeLibraryMissing = 3;
constexpr DWORD kProbeTimedOut = 0xFFFF;

// The search rule is checked in a separate program, copied into a folder of
// its own that holds no library, because where a library is found depends on
// where the program lives and what its current directory and PATH are.
class ShortcutLibrarySearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    library_ = BinFolder() + "\\" + kShortcutLibraryName;
    ASSERT_TRUE(FileExists(library_)) << library_;
    probe_ = program_.File("shortcut_probe.exe");
    ASSERT_TRUE(CopyFileA((BinFolder() + "\\shortcut_probe.exe").c_str(), probe_.c_str(), FALSE));
    ASSERT_FALSE(FileExists(SystemLibrary())) << "a library in the system folder hides the rule";

    const std::string target = data_.File("tool.exe");
    ASSERT_TRUE(WriteFile(target, "MZ"));
    shortcut_ = data_.File("Tool.lnk");
    ASSERT_EQ(CreateShortcut(shortcut_, ShortcutSpec{target, "", data_.Path(), "Tool", "", 0}),
              S_OK);
  }
  void TearDown() override { CoUninitialize(); }

  static std::string SystemLibrary() {
    char folder[MAX_PATH + 1] = {};
    GetSystemDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\" + kShortcutLibraryName;
  }

  void PlantLibrary(const std::string& path) {
    ASSERT_TRUE(CopyFileA(library_.c_str(), path.c_str(), FALSE)) << path;
  }

  DWORD RunProbe(const std::string& arguments, const std::string& current_directory) {
    std::string command_line = "\"" + probe_ + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(probe_.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        current_directory.c_str(), &startup, &process)) {
      ADD_FAILURE() << "cannot start " << probe_;
      return kProbeTimedOut;
    }
    DWORD exit_code = kProbeTimedOut;
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
      GetExitCodeProcess(process.hProcess, &exit_code);
    } else {
      TerminateProcess(process.hProcess, kProbeTimedOut);
      WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exit_code;
  }

  DWORD ReadThroughProbe(const std::string& current_directory) {
    return RunProbe("read \"" + shortcut_ + "\"", current_directory);
  }

  std::string library_;
  std::string probe_;
  std::string shortcut_;
  TempFolder program_;
  TempFolder data_;
  TempFolder planted_;
};

// Only the program's own folder and the system folder are searched: never
// the current directory or a folder on PATH, where anyone may plant a copy.
TEST_F(ShortcutLibrarySearchTest, IsLoadedFromTheProgramsOrTheSystemFolderOnly) {
  PlantLibrary(planted_.File(kShortcutLibraryName));
  char old_path[32767] = {};
  const DWORD length = GetEnvironmentVariableA("PATH", old_path, sizeof old_path);
  SetEnvironmentVariableA("PATH", (planted_.Path() + ";" + old_path).c_str());
  EXPECT_EQ(ReadThroughProbe(planted_.Path()), kProbeLibraryMissing);
  SetEnvironmentVariableA("PATH", length > 0 ? old_path : nullptr);

  PlantLibrary(SystemLibrary());
  EXPECT_EQ(ReadThroughProbe(data_.Path()), kProbeRead);
  DeleteFileA(SystemLibrary().c_str());
  PlantLibrary(program_.File(kShortcutLibraryName));
  EXPECT_EQ(ReadThroughProbe(data_.Path()), kProbeRead);
}

}  // namespace
}  // namespace keylark::wintest
