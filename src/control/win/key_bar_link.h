// The running key bar as other programs find it: through the window handle
// Keylark publishes in the registry.
#pragma once

#include <windows.h>

#include "store/registry_store.h"

namespace keylark::control::win {

// The published key bar, read afresh each time since Keylark may have been
// restarted; nullptr when none is live: no value, or a handle left behind
// that names no window or some other program's window now.
HWND LiveKeyBar(const store::Store& store);

}  // namespace keylark::control::win
