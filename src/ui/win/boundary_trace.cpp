#include "ui/win/boundary_trace.h"

#include <windows.h>

#include <exception>
#include <string>

namespace keylark::ui::win {

void TraceCaughtException(const char* where) noexcept {
  try {
    std::string line = std::string("Keylark: ") + where + ": ";
    try {
      throw;
    } catch (const std::exception& failure) {
      line += failure.what();
    } catch (...) {
      line += "an exception of an unknown type";
    }
    line += "\n";
    OutputDebugStringA(line.c_str());
  } catch (...) {
    // Not even the trace could be made (no memory): stay silent.
  }
}

void TraceFault(const char* what) noexcept {
  OutputDebugStringA("Keylark: ");
  OutputDebugStringA(what);
  OutputDebugStringA("\n");
}

}  // namespace keylark::ui::win
