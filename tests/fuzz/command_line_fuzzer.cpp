// Command splitting and the shell's limit over any line. The first byte
// decides which looked-up paths exist, so every split path is reached.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "launch/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keylark::launch;
  if (size == 0) return 0;
  const unsigned existing = data[0];
  const std::string command(reinterpret_cast<const char*>(data + 1), size - 1);
  const PathExists exists = [&](const std::string& path) {
    // Only full paths short enough to be files are ever asked about.
    if (!IsFullyQualified(path) || WideLength(path) > kLongestPath) std::abort();
    return ((path.size() * 31 + existing) & 3) == 0;
  };
  const CommandParts parts = SplitCommand(command, exists);
  if (command.find(parts.program) == std::string::npos) std::abort();
  if (!parts.parameters.empty() && (parts.parameters[0] == ' ' || parts.parameters[0] == '\t'))
    std::abort();
  if (parts.program_exists && (!IsFullyQualified(parts.program) || !exists(parts.program)))
    std::abort();
  const std::string line = ProgramStartLine(command, parts);
  if (!parts.program_exists && line != command) std::abort();
  if (ShellMayOpen(parts.program) && WideLength(parts.program) > kLongestUrl) std::abort();
  if (WideLength(command) > command.size()) std::abort();
  return 0;
}
