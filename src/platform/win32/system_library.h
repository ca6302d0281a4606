// Functions of system libraries that Keylark loads when first needed instead
// of importing them: every imported library is loaded and initialised before
// the program's first line runs, which under Wine costs more than the key
// bar's own start (a test keeps the imports to what a bare window program has).
#pragma once

namespace keylark::platform::win32 {

// The address of a function of a library in the system folder, loaded on
// first use and kept for the life of the process; nullptr when either is
// missing.
void* SystemFunction(const char* library, const char* function);

// The same, as the function's own type.
template <typename Function>
Function SystemFunctionAs(const char* library, const char* function) {
  return reinterpret_cast<Function>(SystemFunction(library, function));
}

}  // namespace keylark::platform::win32
