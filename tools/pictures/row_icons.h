// The assignment list's row pictures, as icon files by name.
#pragma once

#include <map>
#include <string>

#include "image.h"

namespace keylark::pictures {

std::map<std::string, FileBytes> RowIcons();

}  // namespace keylark::pictures
