#include "control/export_format.h"

#include <algorithm>
#include <array>
#include <map>

#include "control/key_argument.h"
#include "control/text_checks.h"
#include "control/value_text.h"
#include "core/options.h"
#include "store/name_fold.h"

namespace keylark::control {
namespace {

// Registry key names are at most 255 characters (UTF-16 units).
constexpr std::size_t kLongestItemName = 255;

// The fields of the format, each line's first word, in the order a record
// writes them.
constexpr std::string_view kKeyField = "key";
constexpr std::string_view kCommandField = "command";
constexpr std::string_view kDescriptionField = "description";
constexpr std::string_view kDirectoryField = "directory";
constexpr std::string_view kSwitchField = "switch";
constexpr std::string_view kListField = "list";
constexpr std::string_view kCountField = "count";
constexpr std::string_view kItemField = "item";
constexpr std::string_view kPathField = "path";
constexpr std::string_view kOptionField = "option";
constexpr std::array<std::string_view, 10> kFields = {
    kOptionField, kKeyField,  kCommandField, kDescriptionField, kDirectoryField,
    kSwitchField, kListField, kCountField,   kItemField,        kPathField};

std::string KnownFields() {
  std::string known;
  for (std::string_view field : kFields) known += (known.empty() ? "" : ", ") + std::string(field);
  return known;
}

void WriteValue(std::string& out, std::string_view field, const std::optional<StoredValue>& value,
                const TextCodec& codec) {
  if (value) out += std::string(field) + " " + ValueToText(*value, codec) + "\n";
}

// A command of nothing but white space reads back as no command at all, so
// the text forms refuse it; one that the store holds anyway goes out as data.
void WriteCommand(std::string& out, const std::optional<StoredValue>& command,
                  const TextCodec& codec) {
  if (!command) return;
  const std::string text = ValueToText(*command, codec);
  const store::Bytes& data = command->data;
  const std::optional<std::string> utf8 = codec.ToUtf8(store::DecodeText(data.data(), data.size()));
  const bool blank = text.rfind("<data ", 0) != 0 && utf8 && IsBlankText(*utf8);
  out += std::string(kCommandField) + " " + (blank ? DataForm(*command) : text) + "\n";
}

// A whole line of the file being read: its field name and what follows the
// one space after it.
struct Line {
  int number = 0;
  std::string_view field;
  std::string_view value;
  bool has_value = false;
};

class Parser {
 public:
  explicit Parser(const TextCodec& codec) : codec_(codec) {}

  // False when the line has a problem, which problem() then describes.
  bool Read(const Line& line);
  bool Finish(int last_line);
  std::vector<KeyRecord> TakeRecords() { return std::move(records_); }
  std::vector<OptionSetting> TakeOptions() { return std::move(options_); }
  const ImportProblem& problem() const { return problem_; }

 private:
  // Whatever the message echoes of the file is escaped.
  bool Fail(const Line& line, const std::string& message) {
    problem_ = {line.number, EscapedForMessage(message)};
    return false;
  }
  bool ReadHeader(const Line& line);
  bool ReadKey(const Line& line);
  bool ReadOption(const Line& line);
  bool ReadAssignmentValue(const Line& line, std::optional<StoredValue>& target);
  bool ReadCommand(const Line& line);
  bool ReadList(const Line& line);
  bool ReadCount(const Line& line);
  bool ReadItem(const Line& line);
  bool ReadPath(const Line& line);
  std::optional<StoredValue> Value(const Line& line);
  KeyRecord* Current() { return records_.empty() ? nullptr : &records_.back(); }

  const TextCodec& codec_;
  bool header_seen_ = false;
  std::vector<KeyRecord> records_;
  std::vector<OptionSetting> options_;
  std::map<std::string, int> key_lines_;  // key name -> line of its record
  // The current list's items by the name the registry sees: line and text.
  std::map<std::string, std::pair<int, std::string>> item_lines_;
  ImportProblem problem_;
};

bool Parser::Read(const Line& line) {
  if (!header_seen_) return ReadHeader(line);
  if (line.field == kKeyField) return ReadKey(line);
  if (line.field == kOptionField) return ReadOption(line);
  KeyRecord* record = Current();
  if (std::find(kFields.begin(), kFields.end(), line.field) == kFields.end()) {
    return Fail(line,
                "unknown field \"" + std::string(line.field) + "\" (known: " + KnownFields() + ")");
  }
  if (record == nullptr) return Fail(line, "\"" + std::string(line.field) + "\" before any key");
  if (line.field == kCommandField) return ReadCommand(line);
  if (line.field == kDescriptionField) return ReadAssignmentValue(line, record->description);
  if (line.field == kDirectoryField) return ReadAssignmentValue(line, record->directory);
  if (line.field == kSwitchField) return ReadAssignmentValue(line, record->switch_flag);
  if (line.field == kListField) return ReadList(line);
  if (line.field == kCountField) return ReadCount(line);
  if (line.field == kItemField) return ReadItem(line);
  return ReadPath(line);
}

bool Parser::ReadHeader(const Line& line) {
  const std::string text =
      std::string(line.field) + (line.has_value ? " " + std::string(line.value) : "");
  if (text == kFormatHeader) {
    header_seen_ = true;
    return true;
  }
  if (line.field == "keylark-assignments") {
    return Fail(line, "this is format version \"" + std::string(line.value) +
                          "\"; this keylarkctl reads version 1");
  }
  return Fail(line, std::string("the file must start with \"") + kFormatHeader + "\"");
}

bool Parser::ReadKey(const Line& line) {
  const FieldResult<std::string> text = TextFromField(line.value);
  if (!text.value) return Fail(line, text.problem);
  const std::optional<core::KeyInfo> key = ParseKeyArgument(*text.value);
  if (!key) return Fail(line, UnknownKeyMessage(*text.value));
  const std::string name = core::KeyNameOf(key->character);
  const auto [earlier, inserted] = key_lines_.emplace(name, line.number);
  if (!inserted) {
    return Fail(line,
                name + " appears twice (first on line " + std::to_string(earlier->second) + ")");
  }
  records_.push_back(KeyRecord{name, {}, {}, {}, {}, {}});
  return true;
}

bool Parser::ReadOption(const Line& line) {
  if (!records_.empty()) return Fail(line, "\"option\" lines belong before the first key");
  const std::string_view value = line.value;
  const std::size_t blank = value.rfind(' ');
  const std::string_view name = value.substr(0, blank == std::string_view::npos ? 0 : blank);
  const std::string_view state = blank == std::string_view::npos ? "" : value.substr(blank + 1);
  if (core::OptionNamed(name) == nullptr) {
    std::string known;
    for (const core::OptionInfo& info : core::kOptionTable) {
      known += (known.empty() ? "" : ", ") + std::string(info.ctl_name);
    }
    return Fail(line, "option: \"" + std::string(value) + "\" names no option (known: " + known +
                          ", each followed by on or off)");
  }
  if (state != "on" && state != "off") {
    return Fail(line, "option: " + std::string(name) + " takes on or off");
  }
  for (const OptionSetting& earlier : options_) {
    if (earlier.name == name) return Fail(line, "option " + earlier.name + " appears twice");
  }
  options_.push_back({std::string(name), state == "on"});
  return true;
}

std::optional<StoredValue> Parser::Value(const Line& line) {
  FieldResult<StoredValue> value = ValueFromField(line.value, codec_);
  if (!value.value) Fail(line, std::string(line.field) + ": " + value.problem);
  return value.value;
}

bool Parser::ReadAssignmentValue(const Line& line, std::optional<StoredValue>& target) {
  if (target) return Fail(line, std::string(line.field) + " appears twice for this key");
  target = Value(line);
  return target.has_value();
}

bool Parser::ReadCommand(const Line& line) {
  if (!ReadAssignmentValue(line, Current()->command)) return false;
  if (line.value.substr(0, 6) == "<data ") return true;  // bytes, taken as they are
  const FieldResult<std::string> text = TextFromField(line.value);
  if (text.value && !IsBlankText(*text.value)) return true;
  return Fail(line,
              "command: an empty command, or one of only white space, is no command (leave "
              "the line out for a key without one)");
}

bool Parser::ReadList(const Line& line) {
  if (line.has_value) return Fail(line, "\"list\" takes no value");
  if (Current()->list) return Fail(line, "list appears twice for this key");
  Current()->list = PopupListRecord{};
  item_lines_.clear();
  return true;
}

bool Parser::ReadCount(const Line& line) {
  if (!Current()->list) return Fail(line, "\"count\" belongs after \"list\"");
  return ReadAssignmentValue(line, Current()->list->file_count);
}

bool Parser::ReadItem(const Line& line) {
  std::optional<PopupListRecord>& list = Current()->list;
  if (!list) return Fail(line, "\"item\" belongs after \"list\"");
  const FieldResult<std::string> text = TextFromField(line.value);
  if (!text.value) return Fail(line, "item: " + text.problem);
  const std::optional<std::string> name = codec_.FromUtf8(*text.value);
  if (!name) return Fail(line, "item: the name is not UTF-8 that this system can store");
  if (name->empty() || name->find('\\') != std::string::npos ||
      Utf16Length(*text.value) > kLongestItemName) {
    return Fail(line, "item: a name must be 1 to 255 characters without a backslash");
  }
  const auto [earlier, inserted] =
      item_lines_.try_emplace(store::FoldedName(*text.value), line.number, *text.value);
  if (!inserted) {
    const auto& [earlier_line, earlier_text] = earlier->second;
    return Fail(line, "item \"" + *text.value + "\" appears twice in this list (as \"" +
                          earlier_text + "\" on line " + std::to_string(earlier_line) +
                          "; item names do not differ by case)");
  }
  list->items.push_back(PopupItemRecord{*name, std::nullopt});
  return true;
}

bool Parser::ReadPath(const Line& line) {
  std::optional<PopupListRecord>& list = Current()->list;
  if (!list || list->items.empty()) return Fail(line, "\"path\" belongs after an \"item\"");
  return ReadAssignmentValue(line, list->items.back().path);
}

bool Parser::Finish(int last_line) {
  if (header_seen_) return true;
  problem_ = {last_line,
              std::string("the file is empty: it must start with \"") + kFormatHeader + "\""};
  return false;
}

Line SplitLine(int number, std::string_view text) {
  Line line{number, text, {}, false};
  const std::size_t blank = text.find(' ');
  if (blank != std::string_view::npos) {
    line.field = text.substr(0, blank);
    line.value = text.substr(blank + 1);
    line.has_value = true;
  }
  return line;
}

}  // namespace

ExportText WriteAssignments(std::span<const KeyRecord> records, const TextCodec& codec,
                            std::span<const OptionSetting> options) {
  std::string out =
      std::string("# Keylark assignments, written by keylarkctl export\n") +
      "# Text comes through the system code page: a value holding half of a surrogate pair\n"
      "# (which some programs write) is read with U+FFFD in its place.\n" +
      kFormatHeader + "\n";
  if (!options.empty()) out += "\n";
  for (const OptionSetting& option : options) {
    out += std::string(kOptionField) + " " + option.name + (option.on ? " on" : " off") + "\n";
  }
  for (const KeyRecord& record : records) {
    out += "\n" + std::string(kKeyField) + " " + record.key_name + "\n";
    WriteCommand(out, record.command, codec);
    WriteValue(out, kDescriptionField, record.description, codec);
    WriteValue(out, kDirectoryField, record.directory, codec);
    WriteValue(out, kSwitchField, record.switch_flag, codec);
    if (!record.list) continue;
    out += std::string(kListField) + "\n";
    WriteValue(out, kCountField, record.list->file_count, codec);
    for (const PopupItemRecord& item : record.list->items) {
      const std::optional<std::string> name = codec.ToUtf8(item.name);
      if (!name) return {{}, "the name of an item of " + record.key_name + " cannot be written"};
      out += std::string(kItemField) + " " + QuoteIfNeeded(*name) + "\n";
      WriteValue(out, kPathField, item.path, codec);
    }
  }
  return {out, {}};
}

ParsedAssignments ParseAssignments(std::string_view text, const TextCodec& codec) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  if (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF") {
    return {{}, ImportProblem{1, "the file is UTF-16 text: save it as UTF-8"}};
  }
  Parser parser(codec);
  int number = 0;
  while (!text.empty()) {
    // Lines end in CR LF, LF or CR alone.
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    const std::size_t next = end == std::string_view::npos   ? text.size()
                             : text.substr(end, 2) == "\r\n" ? end + 2
                                                             : end + 1;
    text.remove_prefix(next);
    ++number;
    if (line.find('\0') != std::string_view::npos) {
      return {{},
              ImportProblem{number,
                            "the line holds a NUL byte, which no text can hold "
                            "(write such a value as <data ...>)"}};
    }
    if (line.empty() || line.front() == '#') continue;
    if (!parser.Read(SplitLine(number, line))) return {{}, parser.problem()};
  }
  if (!parser.Finish(std::max(number, 1))) return {{}, parser.problem()};
  return {parser.TakeRecords(), std::nullopt, parser.TakeOptions()};
}

}  // namespace keylark::control
