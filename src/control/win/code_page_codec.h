// Text between the system's ANSI code page, in which the registry's ...A
// functions hand out text, and UTF-8.
#pragma once

#include "control/text_codec.h"

namespace keylark::control::win {

class CodePageCodec final : public TextCodec {
 public:
  std::optional<std::string> ToUtf8(std::string_view stored) const override;
  std::optional<std::string> FromUtf8(std::string_view utf8) const override;
};

}  // namespace keylark::control::win
