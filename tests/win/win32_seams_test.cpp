// The Win32 implementations of the platform seams against the real system
// (Wine's, in the test prefix), where only the system can show the answer.

#include <fstream>
#include <stdexcept>

#include "contract/registry_contract.h"
#include "keylark_process.h"
#include "platform/win32/win32_device.h"
#include "platform/win32/win32_shell.h"
#include "store/name_fold.h"
#include "ui/win/window_base.h"

namespace keylark::contract {

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(RegistryMaker{
                             "Win32",
                             [] { return std::make_unique<platform::win32::Win32Registry>(); }}),
                         [](const auto& info) { return info.param.label; });

}  // namespace keylark::contract

namespace keylark::wintest {
namespace {

// The real shell seam where the key bar's own tests do not reach it: what is
// no program to start, the window calls and the mouse nudge. Starts and the
// process snapshot are seen through the key bar (Reliability).
class Win32ShellTest : public ::testing::Test {
 protected:
  platform::win32::Win32Shell shell_;
  LaunchLog log_;
};

TEST_F(Win32ShellTest, ADocumentOrAMissingFileIsNoProgramToStart) {
  const std::string document = TempFilePath("kld") + ".txt";
  std::ofstream(document) << "not a program\n";
  EXPECT_FALSE(shell_.StartProgram(document));
  EXPECT_FALSE(shell_.StartProgram("C:\\no\\such\\program.exe"));
  DeleteFileA(document.c_str());
}

TEST_F(Win32ShellTest, TheStartedWindowIsNormalAndCanBeMinimizedAndRestored) {
  const auto started = shell_.StartProgram("\"" + TargetProgram() + "\" \"" + log_.Path() + "\"");
  ASSERT_TRUE(started);
  HWND window = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (window = TopLevelWindowOf(*started)) != nullptr; }));
  const auto handle = reinterpret_cast<platform::WindowHandle>(window);
  EXPECT_FALSE(shell_.IsIconic(handle));
  shell_.ShowWindow(handle, SW_MINIMIZE);
  EXPECT_TRUE(shell_.IsIconic(handle));
  shell_.ShowWindow(handle, platform::kShowNormal);
  EXPECT_FALSE(shell_.IsIconic(handle));
  shell_.SetForegroundWindow(handle);
  EXPECT_TRUE(WaitFor([&] { return shell_.GetForegroundWindow() == handle; }));
}

TEST_F(Win32ShellTest, TheMouseNudgeEndsTwoPixelsLower) {
  ASSERT_NE(SetCursorPos(200, 200), FALSE);
  POINT before{};
  ASSERT_NE(GetCursorPos(&before), FALSE);
  shell_.MoveMouseBy(-1, 1);
  shell_.MoveMouseBy(1, 1);
  POINT after{};
  EXPECT_TRUE(WaitFor([&] {
    GetCursorPos(&after);
    return after.y == before.y + 2;
  }));
  EXPECT_EQ(after.x, before.x);
}

// Item names are told apart as the registry tells them apart: every character
// of the Basic Multilingual Plane folds to the system's own upper case.
std::string CharacterUtf8(wchar_t c) { return Utf8(std::wstring(1, c)); }

TEST(NameFold, EveryCharacterFoldsAsTheSystemFoldsIt) {
  const auto upcase = reinterpret_cast<WCHAR(WINAPI*)(WCHAR)>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlUpcaseUnicodeChar")));
  ASSERT_NE(upcase, nullptr);
  int differences = 0;
  for (unsigned code = 1; code <= 0xFFFF; ++code) {
    const auto c = static_cast<wchar_t>(code);
    if ((code < 0xD800 || code > 0xDFFF) &&
        store::FoldedName(CharacterUtf8(c)) != CharacterUtf8(upcase(c)) && ++differences <= 10) {
      ADD_FAILURE() << std::hex << "U+" << code << " folds to U+" << unsigned{upcase(c)};
    }
  }
  EXPECT_EQ(differences, 0);
}

// The device seam on a system without the notebook's driver (what ZOZIV makes
// of a failed open is tested natively): a device that exists but does not
// know the control code is opened, refuses the request and is closed again.
TEST(ZozivDevice, TheSeamOpensAnExistingDeviceAndReportsARefusedRequest) {
  platform::win32::Win32Device device;
  EXPECT_FALSE(device.OpenExisting("\\\\.\\ZOZIV"));

  const auto handle = device.OpenExisting("\\\\.\\NUL");
  ASSERT_TRUE(handle) << "GetLastError " << GetLastError();
  std::uint8_t request[33] = {163};
  std::uint8_t answer[32] = {};
  std::uint32_t returned = 99;
  EXPECT_FALSE(device.Control(*handle, 0x9C406400, request, sizeof request, answer, sizeof answer,
                              &returned));
  EXPECT_EQ(returned, 0U);
  device.Close(*handle);
}

// A handler that fails inside a window procedure: the exception stops at the
// procedure and leaves its one line in the debugger's output. The line is
// read here as a debugger would see it: OutputDebugStringA raises
// DBG_PRINTEXCEPTION_C, which a vectored handler sees first.
constexpr DWORD kDebugPrint = 0x40010006;  // DBG_PRINTEXCEPTION_C
constexpr UINT kFail = WM_APP + 50;

std::string g_traced;

LONG CALLBACK CatchDebugOutput(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  if (record.ExceptionCode != kDebugPrint || record.NumberParameters < 2)
    return EXCEPTION_CONTINUE_SEARCH;
  g_traced += reinterpret_cast<const char*>(record.ExceptionInformation[1]);
  return EXCEPTION_CONTINUE_EXECUTION;
}

class FailingWindow final : public ui::win::WindowBase {
 public:
  HWND Create() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterWindowClass(instance, "KeylarkFailingWindow", nullptr, nullptr, nullptr);
    return CreateWindowObject(0, "KeylarkFailingWindow", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              instance);
  }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == kFail) throw std::runtime_error("the list could not be read");
    return WindowBase::HandleMessage(message, wparam, lparam);
  }
};

TEST(BoundaryTrace, AFailedHandlerLeavesOneLineWithItsReasonAndTheWindowLivesOn) {
  void* handler = AddVectoredExceptionHandler(1, CatchDebugOutput);
  FailingWindow window;
  HWND hwnd = window.Create();
  ASSERT_NE(hwnd, nullptr);
  g_traced.clear();
  SendMessageA(hwnd, kFail, 0, 0);
  EXPECT_EQ(g_traced, "Keylark: window procedure: the list could not be read\n");
  EXPECT_TRUE(IsWindow(hwnd));
  g_traced.clear();
  SendMessageA(hwnd, WM_NULL, 0, 0);
  EXPECT_EQ(g_traced, "") << "nothing failed, nothing traced";
  DestroyWindow(hwnd);
  RemoveVectoredExceptionHandler(handler);
}

}  // namespace
}  // namespace keylark::wintest
