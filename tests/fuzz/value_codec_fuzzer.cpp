// Stored text as numbers, positions and flags: whatever bytes a value holds.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "app/screen_placement.h"
#include "store/value_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keylark;
  const std::string text = store::DecodeText(data, size);
  if (text.size() > size || text.find('\0') != std::string::npos) std::abort();
  const double number = store::NumericValue(text);
  if (!std::isfinite(number)) std::abort();
  const double position = store::DecodePosition(data, size);
  if (store::EncodePosition(position).size() != 5) std::abort();
  if (std::labs(app::TwipsToPixels(position, 15)) > 10000000L) std::abort();
  // A flag is on for exactly one spelling.
  if (store::IsFlagOn(text) != (text == "1")) std::abort();
  return 0;
}
