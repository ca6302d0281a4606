// Keys as people type them on a command line or in a file: "E", "e", "Fn-E"
// or "fn-e" all name the key Fn-E.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/key_table.h"

namespace keylark::control {

std::optional<core::KeyInfo> ParseKeyArgument(std::string_view text);

// The message for a key that is not one of the 24, naming the ones that are.
std::string UnknownKeyMessage(std::string_view text);

}  // namespace keylark::control
