// The key bar's menu items as the program knows them: which option each
// toggles and which help topic F1 opens on it.
#pragma once

#include "core/help_topics.h"

namespace keylark::app {

enum class MenuCommand {
  Assignments,
  AlwaysOnTop,
  MarkPopups,
  MinimizeOnUse,
  Hints,
  ConfirmChanges,
  ScaleWithDisplay,
  HelpIndex,
  About,
  TrayLaunch,
  TrayHelp,
};

struct MenuItemInfo {
  MenuCommand command;
  const char* option;  // the "ini\cfg" value the item toggles, or nullptr
  core::HelpTopic help_topic;
};

const MenuItemInfo& MenuItemOf(MenuCommand command);

}  // namespace keylark::app
