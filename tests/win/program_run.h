// Runs the programs beside Keylark.exe as a script would: with arguments,
// its standard output and error caught in files, its exit code kept.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace keylark::wintest {

class Program {
 public:
  // Starts <bin>\<name> with the arguments; Started() tells whether it did.
  Program(const std::string& name, const std::string& arguments);
  ~Program();  // ends the program if it still runs
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Started() const { return process_ != nullptr; }
  bool WaitForExit(std::chrono::milliseconds deadline = std::chrono::seconds(20)) const;
  bool Running() const { return Started() && !WaitForExit(std::chrono::milliseconds(0)); }
  // The exit code, or STILL_ACTIVE.
  DWORD ExitCode() const;
  std::string Out() const;
  std::string Err() const;

 private:
  HANDLE process_ = nullptr;
  std::string out_path_;
  std::string err_path_;
};

struct ProgramRun {
  DWORD exit_code;
  std::string out;
  std::string err;
};

// Runs a program to its end (or kills it after 20 seconds).
ProgramRun RunToEnd(const std::string& name, const std::string& arguments);

}  // namespace keylark::wintest
