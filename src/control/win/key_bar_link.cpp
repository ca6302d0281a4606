#include "control/win/key_bar_link.h"

#include <cstdint>
#include <cstring>

#include "core/window_messages.h"
#include "platform/win32/resident_instance.h"

namespace keylark::control::win {

HWND LiveKeyBar(const store::Store& store) {
  const std::optional<std::uint32_t> published = store.ReadPublishedWindowHandle();
  if (!published) return nullptr;
  HWND window = platform::win32::PublishedWindow(*published);
  if (!IsWindow(window)) return nullptr;
  char class_name[64] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  return std::strcmp(class_name, core::kKeyBarWindowClass) == 0 ? window : nullptr;
}

}  // namespace keylark::control::win
