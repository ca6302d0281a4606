// One program under measurement: started, waited for until its window is
// published and visible, sent Fn-key reports, asked what it recorded, and
// closed again.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "probe_protocol.h"

namespace keylark::bench {

class MeasuredProgram {
 public:
  explicit MeasuredProgram(std::string path, std::string arguments = {});
  ~MeasuredProgram();
  MeasuredProgram(const MeasuredProgram&) = delete;
  MeasuredProgram& operator=(const MeasuredProgram&) = delete;

  // Starts the program and waits until its window is published and visible.
  // Returns false when it did not start or its window did not show in time.
  bool Start();
  // Microseconds from the start request to the visible, published window, on
  // the shared clock; StartTime() is the moment of the request.
  std::int64_t StartTime() const { return start_time_; }
  double MillisecondsToVisible() const { return (visible_time_ - start_time_) / 1000.0; }

  // Waits until the program has handled everything it was sent.
  void WaitUntilIdle() const;

  // Posts an Fn-key report for Fn-E and waits until the launched program
  // runs. Returns when it posted and when the target ran, on the shared clock.
  struct Launch {
    std::int64_t posted = 0;
    std::int64_t target_started = 0;
  };
  std::optional<Launch> LaunchFnE(HANDLE target_started) const;

  HWND Window() const { return window_; }
  DWORD ProcessId() const { return process_.dwProcessId; }

  // Whether the program carries the measurement probe.
  bool HasProbe() const;
  // Asks the program's measurement probe; nothing when it did not answer.
  std::optional<std::intptr_t> Ask(Question question, std::intptr_t argument = 0) const;
  // Waits until the probe has counted this many Fn-key messages.
  bool WaitForHandledCount(std::intptr_t count) const;

  std::size_t WorkingSetBytes() const;

  // Closes the window and waits for the process to end.
  void Close();

 private:
  std::string path_;
  std::string arguments_;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
  std::int64_t start_time_ = 0;
  std::int64_t visible_time_ = 0;
};

// Removes whatever a program left published, so a new start is seen afresh.
void WithdrawPublishedWindow();

}  // namespace keylark::bench
