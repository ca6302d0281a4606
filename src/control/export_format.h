// The text form of Keylark's assignments that keylarkctl exports and imports:
// line-oriented UTF-8 that keeps every stored value to the byte.
//
//   keylark-assignments 1          the first line that is not blank or "#..."
//   option hints on                an option by its keylarkctl name, on or off
//                                  (before the first key; an import sets only
//                                  the options its file names)
//   key Fn-E                       starts the record of one key
//   command C:\Tools\run.exe       ini\cmd      (these four in any order,
//   description "Tab\there"        ini\desc      each at most once; a value
//   directory <empty>              ini\cwd       that is missing from the
//   switch 1                       ini\opts      record is absent in the store)
//   list                           the key has a popup list key prg\<key>
//   count 7                        its "FileCount"
//   item Notepad                   one item subkey of the list...
//   path C:\Menu\Notepad.lnk       ...and its value of the same name
//
// A value is written as plain text (everything after the field's one space),
// as a quoted text "..." with the escapes \\ \" \t \n \r and \xHH, as <empty>
// (the three zero bytes of a cleared description or directory), or as
// <data TYPE HEX> for any other registry data (TYPE in decimal, HEX its bytes).
// Both text forms stand for a REG_SZ value of the text and one NUL.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "control/text_codec.h"
#include "store/value_codec.h"

namespace keylark::control {

// Registry data exactly as stored.
struct StoredValue {
  std::uint32_t type = 0;
  store::Bytes data;
  bool operator==(const StoredValue&) const = default;
};

struct PopupItemRecord {
  std::string name;                 // the item's subkey name
  std::optional<StoredValue> path;  // its value of the same name
  bool operator==(const PopupItemRecord&) const = default;
};

struct PopupListRecord {
  std::optional<StoredValue> file_count;
  std::vector<PopupItemRecord> items;
  bool operator==(const PopupListRecord&) const = default;
};

// Everything the store holds for one key; a missing part is absent there.
struct KeyRecord {
  std::string key_name;
  std::optional<StoredValue> command;
  std::optional<StoredValue> description;
  std::optional<StoredValue> directory;
  std::optional<StoredValue> switch_flag;
  std::optional<PopupListRecord> list;
  bool operator==(const KeyRecord&) const = default;
};

// An option as the file names it (keylarkctl's name).
struct OptionSetting {
  std::string name;
  bool on = false;
  bool operator==(const OptionSetting&) const = default;
};

inline constexpr const char* kFormatHeader = "keylark-assignments 1";

struct ExportText {
  std::string text;
  std::string problem;  // not empty: nothing could be written
};

ExportText WriteAssignments(std::span<const KeyRecord> records, const TextCodec& codec,
                            std::span<const OptionSetting> options = {});

struct ImportProblem {
  int line = 0;
  std::string message;
};

struct ParsedAssignments {
  std::vector<KeyRecord> records;
  std::optional<ImportProblem> problem;     // set: records and options are empty
  std::vector<OptionSetting> options = {};  // in the file's order
};

// Reads and checks a whole file; the first problem found stops it.
ParsedAssignments ParseAssignments(std::string_view text, const TextCodec& codec);

}  // namespace keylark::control
