// Which kind of control a window is, for the font rules.
#pragma once

#include <windows.h>

#include "i18n/translation.h"

namespace keylark::i18n::win {

ControlKind ControlKindOf(HWND control);

}  // namespace keylark::i18n::win
