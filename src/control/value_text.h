// One stored value as the text after a field name in an export file, and
// back: plain text, "quoted" text, <empty> or <data TYPE HEX>.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "control/export_format.h"

namespace keylark::control {

// What reading one field gave: a value, or a message saying what is wrong.
template <typename T>
struct FieldResult {
  std::optional<T> value;
  std::string problem;
};

// A text as one line: unchanged when that is unambiguous, quoted otherwise.
std::string QuoteIfNeeded(std::string_view utf8);

// The value's text form. Text the codec cannot carry into UTF-8 exactly is
// written as data, so nothing is ever changed on its way through a file.
std::string ValueToText(const StoredValue& value, const TextCodec& codec);

// The value as <data TYPE HEX>, which carries any value exactly.
std::string DataForm(const StoredValue& value);

// A field that must be text (plain or quoted), as UTF-8.
FieldResult<std::string> TextFromField(std::string_view field);

// A value field in any of its forms.
FieldResult<StoredValue> ValueFromField(std::string_view field, const TextCodec& codec);

}  // namespace keylark::control
