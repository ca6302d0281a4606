// Runs the programs beside Keylark.exe as a script would: with arguments, its
// standard output and error caught in files, its exit code kept.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace keylark::wintest {

class Program {
 public:
  Program(const std::string& name, const std::string& arguments);  // starts <bin>\<name>
  ~Program();  // ends the program if it still runs
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool WaitForExit(std::chrono::milliseconds deadline = std::chrono::seconds(20)) const;
  bool Running() const { return process_ != nullptr && !WaitForExit(std::chrono::milliseconds(0)); }
  DWORD ExitCode() const;  // or STILL_ACTIVE
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

// Runs a program to its end (or ends it after 20 seconds).
ProgramRun RunToEnd(const std::string& name, const std::string& arguments);

}  // namespace keylark::wintest
