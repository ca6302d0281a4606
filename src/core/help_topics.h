// The topics of the help file "Keylark32.hlp" that the program opens.
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
};

}  // namespace keylark::core
