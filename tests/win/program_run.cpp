#include "program_run.h"

#include <fstream>
#include <sstream>

#include "keylark_process.h"
#include "launch_log.h"

namespace keylark::wintest {
namespace {

HANDLE InheritableFile(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadWhole(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

}  // namespace

Program::Program(const std::string& name, const std::string& arguments)
    : out_path_(TempFilePath("kpo")), err_path_(TempFilePath("kpe")) {
  const std::string exe = WindowsPathFromEnvironment("KEYLARK_BIN_DIR") + "\\" + name;
  std::string command_line = "\"" + exe + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = InheritableFile(out_path_, GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = InheritableFile(err_path_, GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION info{};
  if (CreateProcessA(exe.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &startup, &info)) {
    process_ = info.hProcess;
    CloseHandle(info.hThread);
  }
  for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
    CloseHandle(handle);
}

Program::~Program() {
  if (Running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  if (process_ != nullptr) CloseHandle(process_);
  DeleteFileA(out_path_.c_str());
  DeleteFileA(err_path_.c_str());
}

bool Program::WaitForExit(std::chrono::milliseconds deadline) const {
  return process_ != nullptr &&
         WaitForSingleObject(process_, static_cast<DWORD>(deadline.count())) == WAIT_OBJECT_0;
}

DWORD Program::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_ != nullptr) GetExitCodeProcess(process_, &code);
  return code;
}

std::string Program::Out() const { return ReadWhole(out_path_); }
std::string Program::Err() const { return ReadWhole(err_path_); }

ProgramRun RunToEnd(const std::string& name, const std::string& arguments) {
  const Program program(name, arguments);
  program.WaitForExit();
  return {program.ExitCode(), program.Out(), program.Err()};
}

}  // namespace keylark::wintest
