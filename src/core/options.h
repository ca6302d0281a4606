// The options of the key bar's Options menu, each written once: where it is
// stored, what the first start writes for it, the help topic of its menu item
// and its name on keylarkctl's command line. Start-up, the first-run
// writer, the Options menu and keylarkctl all read this table.
#pragma once

#include <array>
#include <string_view>

#include "core/help_topics.h"
#include "store/layout.h"

namespace keylark::core {

// The options as the key bar holds them once read.
struct Options {
  bool always_on_top = false;
  bool mark_popups = false;
  bool minimize_on_use = false;
  bool hints = false;
  bool confirm_changes = false;
  bool scale_with_display = false;
};

enum class Option {
  AlwaysOnTop,
  MarkPopups,
  MinimizeOnUse,
  Hints,
  ConfirmChanges,
  ScaleWithDisplay
};

struct OptionInfo {
  Option option;
  const char* value_name;  // in "ini\cfg", "1" on and "0" off
  bool first_run_on;
  bool written_at_first_run;  // the first start writes the five older options only
  HelpTopic help_topic;       // of its item in the Options menu
  const char* ctl_name;       // keylarkctl options NAME on|off
  bool Options::*member;
};

inline constexpr std::array<OptionInfo, 6> kOptionTable = {{
    {Option::AlwaysOnTop, store::kAlwaysOnTopValue, false, true, kAlwaysOnTopHelp, "always-on-top",
     &Options::always_on_top},
    {Option::MarkPopups, store::kMarkPopupsValue, true, true, kMarkPopupsHelp, "mark-popups",
     &Options::mark_popups},
    {Option::MinimizeOnUse, store::kMinimizeOnUseValue, false, true, kMinimizeOnUseHelp,
     "minimize-on-use", &Options::minimize_on_use},
    {Option::Hints, store::kHintsValue, true, true, kHintsHelp, "hints", &Options::hints},
    {Option::ConfirmChanges, store::kConfirmChangesValue, true, true, kConfirmChangesHelp,
     "confirm-changes", &Options::confirm_changes},
    {Option::ScaleWithDisplay, store::kScaleWithDisplayValue, false, false, kScaleWithDisplayHelp,
     "scale-with-display", &Options::scale_with_display},
}};

constexpr const OptionInfo& OptionInfoOf(Option option) {
  return kOptionTable[static_cast<std::size_t>(option)];
}

// keylarkctl's name of an option, or nothing.
constexpr const OptionInfo* OptionNamed(std::string_view ctl_name) {
  for (const OptionInfo& info : kOptionTable) {
    if (ctl_name == info.ctl_name) return &info;
  }
  return nullptr;
}

}  // namespace keylark::core
