// One ordered record of the calls several fakes receive, so a test can check
// what happened across them and in which order.
#pragma once

#include <string>
#include <vector>

namespace keylark::fakes {

using CallLog = std::vector<std::string>;

}  // namespace keylark::fakes
