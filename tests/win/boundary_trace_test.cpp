// A handler that fails inside a window procedure: the exception stops at the
// procedure and leaves its one line in the debugger's output. The line is
// read here as a debugger would see it: OutputDebugStringA raises
// DBG_PRINTEXCEPTION_C, which a vectored handler sees first.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ui/win/window_base.h"

namespace keylark::wintest {
namespace {

constexpr DWORD kDebugPrint = 0x40010006;  // DBG_PRINTEXCEPTION_C
constexpr UINT kFail = WM_APP + 50;

std::string g_traced;

LONG CALLBACK CatchDebugOutput(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  if (record.ExceptionCode != kDebugPrint || record.NumberParameters < 2) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
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
