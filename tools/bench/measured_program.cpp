#include "measured_program.h"

#include <psapi.h>

#include <chrono>

#include "core/window_messages.h"
#include "clock.h"
#include "store/layout.h"

namespace keylark::bench {
namespace {

constexpr DWORD kStartDeadlineMs = 20000;
constexpr DWORD kLaunchDeadlineMs = 10000;
constexpr UINT kAskDeadlineMs = 10000;
constexpr LPARAM kScanCodeOfE = 0x12;

HWND PublishedWindow() {
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, store::kMakerKey, &key) != ERROR_SUCCESS) return nullptr;
  DWORD handle = 0;
  DWORD size = sizeof handle;
  const LSTATUS status = RegQueryValueExA(key, store::kWindowHandleValue, nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(&handle), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || handle == 0) return nullptr;
  // Window handles are 32-bit values, sign-extended on 64-bit Windows.
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(handle)));
}

bool DeadlinePassed(std::int64_t since, DWORD deadline_ms) {
  return NowMicroseconds() - since > static_cast<std::int64_t>(deadline_ms) * 1000;
}

}  // namespace

void WithdrawPublishedWindow() {
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, store::kMakerKey, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, store::kWindowHandleValue);
  RegCloseKey(key);
}

MeasuredProgram::MeasuredProgram(std::string path, std::string arguments)
    : path_(std::move(path)), arguments_(std::move(arguments)) {}

MeasuredProgram::~MeasuredProgram() { Close(); }

bool MeasuredProgram::Start() {
  WithdrawPublishedWindow();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string command_line = "\"" + path_ + "\"" + (arguments_.empty() ? "" : " " + arguments_);
  start_time_ = NowMicroseconds();
  if (!CreateProcessA(path_.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process_)) {
    process_ = {};
    return false;
  }
  for (;;) {
    HWND published = PublishedWindow();
    if (published != nullptr && IsWindowVisible(published)) {
      visible_time_ = NowMicroseconds();
      window_ = published;
      return true;
    }
    if (DeadlinePassed(start_time_, kStartDeadlineMs)) return false;
    if (WaitForSingleObject(process_.hProcess, 1) == WAIT_OBJECT_0) return false;
  }
}

void MeasuredProgram::WaitUntilIdle() const {
  WaitForInputIdle(process_.hProcess, kStartDeadlineMs);
  // A message sent is handled only after everything posted before it.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, kAskDeadlineMs, &ignored);
}

std::optional<MeasuredProgram::Launch> MeasuredProgram::LaunchFnE(HANDLE target_started) const {
  ResetEvent(target_started);
  Launch launch;
  launch.posted = NowMicroseconds();
  if (!PostMessageA(window_, core::FnKeyMessage, core::kFnKeyReportWParam, kScanCodeOfE)) {
    return std::nullopt;
  }
  if (WaitForSingleObject(target_started, kLaunchDeadlineMs) != WAIT_OBJECT_0) return std::nullopt;
  launch.target_started = NowMicroseconds();
  return launch;
}

std::optional<std::intptr_t> MeasuredProgram::Ask(Question question, std::intptr_t argument) const {
  static const UINT probe_message = RegisterWindowMessageA(kProbeMessageName);
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutA(window_, probe_message, static_cast<WPARAM>(question), argument,
                          SMTO_NORMAL, kAskDeadlineMs, &answer) == 0) {
    return std::nullopt;
  }
  const auto value = static_cast<std::intptr_t>(answer);
  if (value == kUnknownQuestion) return std::nullopt;
  return value;
}

bool MeasuredProgram::HasProbe() const {
  // A window without a probe passes the question on and answers 0.
  const std::optional<std::intptr_t> entry = Ask(Question::PointTime, 0);
  return entry.has_value() && *entry > 0;
}

bool MeasuredProgram::WaitForHandledCount(std::intptr_t count) const {
  const std::int64_t since = NowMicroseconds();
  for (;;) {
    const std::optional<std::intptr_t> handled = Ask(Question::FnKeyCount);
    if (handled && *handled >= count) return true;
    if (DeadlinePassed(since, kLaunchDeadlineMs)) return false;
    Sleep(1);
  }
}

std::size_t MeasuredProgram::WorkingSetBytes() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process_.hProcess, &counters, sizeof counters)) return 0;
  return counters.WorkingSetSize;
}

void MeasuredProgram::Close() {
  if (process_.hProcess == nullptr) return;
  if (window_ != nullptr) PostMessageA(window_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.hProcess, kStartDeadlineMs) != WAIT_OBJECT_0) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, kStartDeadlineMs);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
  process_ = {};
  window_ = nullptr;
}

}  // namespace keylark::bench
