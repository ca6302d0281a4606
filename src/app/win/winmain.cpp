// Entry point of Keylark.exe.
#include <windows.h>

#include "app/win/main.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
  return keylark::app::win::Main(instance);
}
