// The process-wide values of one running Keylark, in one place. Main owns the
// instance and hands it to whoever needs it; tests make their own.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/key_table.h"

namespace keylark::core {

// Status of a lookup that has not happened yet.
inline constexpr std::int32_t kNoLookupYet = 100;

struct Session {
  // The key the current action works on.
  std::string CurrentKeyName;
  std::int16_t CurrentKeyIndex = 0;
  std::int32_t CurrentKeyLookup = kNoLookupYet;

  KeyNameTable FnKeyNames{};

  bool AlwaysOnTop = false;
  bool OsVersionFlag = false;

  // Which of the assignment dialogs is open.
  bool AssignTypeOpen = false;
  bool EditCommandOpen = false;
  bool ExplorerOpen = false;
  bool ConfirmOpen = false;

  // The current key's assignment as the Assignment Type dialog found it.
  std::string PrevCommand;
  std::string PrevDirectory;
  std::string PrevDescription;

  // What the Application Explorer chose.
  std::string ExplorerFolder;
  std::string ExplorerFolder2;
  std::string ExplorerCaption;
  std::string ExplorerFile;
  std::int16_t ExplorerItemCount = 0;

  // Process started last by each key's switch-or-start, and the window that
  // was in front right after that start (a label's tag, as decimal text).
  std::array<std::uint32_t, kKeyCount> LaunchedProcessIds{};
  std::array<std::string, kKeyCount> LabelTags = MakeResetTags();

  std::string LanguageTag;

  bool AnyDialogOpen() const {
    return AssignTypeOpen || EditCommandOpen || ExplorerOpen || ConfirmOpen;
  }

  void ResetLabelTags() { LabelTags = MakeResetTags(); }

 private:
  static std::array<std::string, kKeyCount> MakeResetTags() {
    std::array<std::string, kKeyCount> tags;
    tags.fill("0");
    return tags;
  }
};

}  // namespace keylark::core
