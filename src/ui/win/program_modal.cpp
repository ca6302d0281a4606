#include "ui/win/program_modal.h"

#include <algorithm>

namespace keylark::ui::win {
namespace {

// The innermost box in force; they nest on the one user-interface thread.
ProgramModal* g_innermost = nullptr;

}  // namespace

ProgramModal::ProgramModal(HINSTANCE instance) : instance_(instance), outer_(g_innermost) {
  EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(this));
  g_innermost = this;
}

ProgramModal::~ProgramModal() { Release(); }

BOOL CALLBACK ProgramModal::DisableOne(HWND window, LPARAM self) {
  auto* modal = reinterpret_cast<ProgramModal*>(self);
  const auto owner = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
  if (owner == modal->instance_ && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    modal->disabled_.push_back(window);
  }
  return TRUE;
}

void ProgramModal::Release() {
  if (released_) return;
  released_ = true;
  if (g_innermost == this) g_innermost = outer_;
  for (HWND window : disabled_) EnableWindowWhenFree(window);
  disabled_.clear();
}

void ProgramModal::EnableWindowWhenFree(HWND window) {
  if (g_innermost == nullptr) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
    return;
  }
  std::vector<HWND>& waiting = g_innermost->disabled_;
  if (std::find(waiting.begin(), waiting.end(), window) == waiting.end()) {
    waiting.push_back(window);
  }
}

}  // namespace keylark::ui::win
