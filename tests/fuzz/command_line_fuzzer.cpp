// Command splitting and the shell's limit over any line. The first byte
// decides which looked-up paths exist, so every split path is reached.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "launch/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keylark::launch;
  if (size == 0) return 0;
  const std::string command(reinterpret_cast<const char*>(data + 1), size - 1);
  const PathExists exists = [&](const std::string& path) {
    // Only full paths short enough to be files are ever asked about.
    if (!IsFullyQualified(path) || WideLength(path) > kLongestPath) std::abort();
    return ((path.size() * 31 + data[0]) & 3) == 0;
  };
  const CommandParts parts = SplitCommand(command, exists);
  if (command.find(parts.program) == std::string::npos) std::abort();
  if (parts.parameters.find_first_of(" \t") == 0) std::abort();
  if (parts.program_exists && (!IsFullyQualified(parts.program) || !exists(parts.program)))
    std::abort();
  if (!parts.program_exists && ProgramStartLine(command, parts) != command) std::abort();
  if (ShellMayOpen(parts.program) && WideLength(parts.program) > kLongestUrl) std::abort();
  if (WideLength(command) > command.size()) std::abort();
  return 0;
}
