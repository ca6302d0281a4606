// The popup list that the benchmark gives Fn-A: how many items it holds and
// what they are called, shared by the benchmark that writes it and the bare
// program that shows the same menu.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "store/layout.h"

namespace keylark::bench {

// Numbered from 10000 so that every caption has the same length and the
// registry's order is the numbers' order.
inline std::vector<std::string> PopupItemCaptions(int count) {
  std::vector<std::string> captions;
  captions.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) captions.push_back("Program " + std::to_string(10000 + i));
  return captions;
}

// The file count of Fn-A's list, 0 when there is none.
inline int StoredPopupItemCount() {
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, store::PopupListKey("Fn-A").c_str(), &key) != ERROR_SUCCESS) {
    return 0;
  }
  char text[16] = {};
  DWORD size = sizeof text - 1;
  const LSTATUS status = RegQueryValueExA(key, store::kFileCountValue, nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? std::atoi(text) : 0;
}

}  // namespace keylark::bench
