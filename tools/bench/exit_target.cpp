// The program the benchmark has launched: it tells the benchmark that it
// runs, through a named event, and ends at once.
#include <windows.h>

#include "probe_protocol.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, keylark::bench::kTargetStartedEventName);
  if (started == nullptr) return 1;
  SetEvent(started);
  CloseHandle(started);
  return 0;
}
