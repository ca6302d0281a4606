// The application explorer's own pictures: the tree's closed and open
// folders, and the up and down states of its two view buttons.
#pragma once

#include <map>
#include <string>

#include "image.h"

namespace keylark::pictures {

std::map<std::string, FileBytes> ExplorerIcons();

}  // namespace keylark::pictures
