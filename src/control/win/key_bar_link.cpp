#include "control/win/key_bar_link.h"

#include <cstdint>
#include <cstring>

#include "core/window_messages.h"

namespace keylark::control::win {

HWND LiveKeyBar(const store::Store& store) {
  const std::optional<std::uint32_t> published = store.ReadPublishedWindowHandle();
  if (!published) return nullptr;
  // Window handles are 32-bit values, sign-extended on 64-bit Windows.
  HWND window =
      reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(*published)));
  if (!IsWindow(window)) return nullptr;
  char class_name[64] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  return std::strcmp(class_name, core::kKeyBarWindowClass) == 0 ? window : nullptr;
}

}  // namespace keylark::control::win
