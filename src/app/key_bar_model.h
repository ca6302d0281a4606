// What the key bar's labels show and what they do with the mouse, decided
// without a window.
#pragma once

#include <cstdint>
#include <string>

#include "core/session.h"
#include "store/registry_store.h"
#include "store/store_operations.h"

namespace keylark::app {

// Label colours, as 0x00BBGGRR like a Win32 COLORREF.
using Color = std::uint32_t;
constexpr Color Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
inline constexpr Color kUnassignedColor = Rgb(255, 255, 255);
inline constexpr Color AssignedColor = Rgb(0, 255, 255);
// The picture's background colour: a reserved key's character looks greyed.
inline constexpr Color ReservedColor = Rgb(132, 134, 165);
inline constexpr Color PopupMarkColor = Rgb(255, 0, 0);

// A reserved key shows the reserved colour even when it is assigned.
Color LabelColorOf(const store::KeyMark& mark);

// Whether a key's label carries the red popup mark.
bool HasPopupMark(const store::KeyMark& mark, bool mark_popups);

enum class MouseButton { Left, Right, Other };

enum class LabelAction {
  Ignore,      // a reserved key: the click does nothing at all
  Launch,      // use the key (LaunchKey)
  ChooseType,  // open the Assignment Type dialog
  SelectOnly,  // only the current key changes
};

// A mouse button pressed on label `index`, whose key is shown as reserved or
// not. Sets the current key (unless reserved) and, for the right button, the
// status of the command lookup that the Assignment Type dialog reads.
LabelAction PressLabel(core::Session& session, const store::Store& store, int index,
                       MouseButton button, bool shown_reserved);

// The hint of label `index` as the pointer moves over it: the key's
// description, "none" without one, and no hint at all while hints are off.
// Sets the current key name (reserved keys too) and the description lookup.
std::string LabelHint(core::Session& session, const store::Store& store, int index);

}  // namespace keylark::app
