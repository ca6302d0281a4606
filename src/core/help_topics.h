// The help topics the program opens: topics of the help file "Keylark32.hlp"
// when it is installed, pages of the help folder otherwise (launch/help.h).
#pragma once

namespace keylark::core {

inline constexpr const char* kHelpFileName = "Keylark32.hlp";

enum HelpTopic : unsigned long {
  kAssignmentsHelp = 101,
  kGeneralHelp = 102,
  kAssignTypeHelp = 103,
  kEditCommandHelp = 104,
  kConfirmHelp = 105,
  kAlwaysOnTopHelp = 109,
  kMarkPopupsHelp = 110,
  kMinimizeOnUseHelp = 111,
  kHintsHelp = 112,
  kConfirmChangesHelp = 113,
  kAboutHelp = 114,
  kScaleWithDisplayHelp = 115,
};

}  // namespace keylark::core
