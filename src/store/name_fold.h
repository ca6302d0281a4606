// The registry tells key and value names apart without regard to case: it
// compares their upper-case forms, character by character, in UTF-16. Text
// that is about to become such a name is compared here the same way.
#pragma once

#include <string>
#include <string_view>

namespace keylark::store {

// The registry's upper-case form of a UTF-8 name: each small letter of the
// Basic Multilingual Plane becomes its capital; characters beyond that plane,
// and bytes that are not UTF-8, stay as they are. Two names that give the
// same form are one name to the registry.
std::string FoldedName(std::string_view utf8);

}  // namespace keylark::store
