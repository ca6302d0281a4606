// Between the text the registry's ...A functions give (the system's ANSI code
// page) and the UTF-8 of files and consoles.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace keylark::control {

class TextCodec {
 public:
  virtual ~TextCodec() = default;
  // Nothing when the text has no exact counterpart on the other side, so a
  // caller can keep such data as bytes instead of changing it.
  virtual std::optional<std::string> ToUtf8(std::string_view stored) const = 0;
  virtual std::optional<std::string> FromUtf8(std::string_view utf8) const = 0;
};

// For a system whose code page is UTF-8: text passes unchanged when it is
// well-formed UTF-8.
class Utf8Codec final : public TextCodec {
 public:
  std::optional<std::string> ToUtf8(std::string_view stored) const override;
  std::optional<std::string> FromUtf8(std::string_view utf8) const override;
};

bool IsWellFormedUtf8(std::string_view text);

}  // namespace keylark::control
