#include "control/ctl.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <map>

#include "control/export_format.h"
#include "control/key_argument.h"
#include "control/store_snapshot.h"
#include "control/text_checks.h"
#include "control/value_text.h"
#include "core/assignment.h"
#include "core/options.h"
#include "keylark_version.h"
#include "store/layout.h"
#include "store/store_operations.h"

namespace keylark::control {
namespace {

constexpr const char* kUsage =
    "usage: keylarkctl COMMAND [ARGUMENTS]\n"
    "  list                     the 24 keys: kind, switch, reserved, command, description,\n"
    "                           working directory (one line each, fields between tabs)\n"
    "  show KEY                 one key in full, with its popup list\n"
    "  set KEY --command CMD [--description TEXT] [--directory DIR] [--switch on|off]\n"
    "  set-popup KEY FOLDER [--description TEXT]\n"
    "  clear KEY\n"
    "  export [FILE]            all assignments as text (standard output without FILE)\n"
    "  import [FILE]            assignments from such text (standard input without FILE);\n"
    "                           exit code 3 when nothing needed changing\n"
    "  options [NAME on|off]... show or set always-on-top, mark-popups, minimize-on-use,\n"
    "                           hints, confirm-changes, scale-with-display\n"
    "  --version                keylarkctl's version\n"
    "KEY is 1-6, A-H, N, Q-T or V-Z, also written Fn-E.\n";

// What a registry failure means to the person who ran the command.
std::string RegistryErrorText(platform::Status status) {
  if (status == platform::kAccessDenied) return "access denied";
  return "Windows error " + std::to_string(status);
}

// The registry lists a popup list's items in an order of its own; two
// records are the same whatever order their items come in.
bool SameRecord(KeyRecord a, KeyRecord b) {
  for (KeyRecord* record : {&a, &b}) {
    if (!record->list) continue;
    std::sort(record->list->items.begin(), record->list->items.end(),
              [](const PopupItemRecord& x, const PopupItemRecord& y) { return x.name < y.name; });
  }
  return a == b;
}

using Args = std::span<const std::string>;

class Command {
 public:
  Command(const CtlContext& context, CtlResult& result) : context_(context), result_(result) {}

  void Run(Args args);

 private:
  const store::Store& store() const { return context_.store; }
  // Messages echo what was typed or read: escaped, so they cannot drive
  // the terminal.
  void Fail(int code, const std::string& message) {
    result_.exit_code = code;
    result_.err += "keylarkctl: " + EscapedForMessage(message) + "\n";
  }
  void Usage(const std::string& message) {
    Fail(kExitUsage, message + " (keylarkctl help shows the commands)");
  }
  std::optional<std::string> KeyName(const std::string& text);
  // "--name value" pairs, each name at most once; nothing after a problem.
  std::optional<std::map<std::string, std::string>> Flags(Args args,
                                                          std::initializer_list<const char*> known);
  std::string Display(const std::optional<StoredValue>& value) const;
  void Changed(const std::string& message) {
    result_.out += message + "\n";
    context_.system.NotifyKeyBar();
  }
  void NoteReservedKeys(std::span<const std::string> key_names);
  bool WriteRecords(const std::vector<KeyRecord>& records);
  // Options are written only once Keylark has run for the user: it writes
  // its first-run settings when it finds no "ini\cfg", and a key made here
  // would make it skip them.
  bool KeylarkHasRun() const {
    return store().KeyExists(store::Root::CurrentUser, store::kConfigKey);
  }
  void WriteOption(const char* value_name, bool on) const {
    store().WriteFlag(store::kConfigKey, value_name, on, store::KeyMode::OpenExisting);
  }

  void List();
  void Show(Args args);
  void Set(Args args);
  void SetPopup(Args args);
  void Clear(Args args);
  void Export(Args args);
  void Import(Args args);
  void Options(Args args);

  const CtlContext& context_;
  CtlResult& result_;
};

void Command::Run(Args args) {
  if (args.empty()) return Usage("no command given");
  const std::string& name = args[0];
  const Args rest = args.subspan(1);
  if (name == "help" || name == "--help" || name == "/?") {
    result_.out += kUsage;
  } else if (name == "--version" && rest.empty()) {
    result_.out += std::string("keylarkctl ") + KEYLARK_VERSION_TEXT + "\n";
  } else if (name == "list" && rest.empty()) {
    List();
  } else if (name == "show") {
    Show(rest);
  } else if (name == "set") {
    Set(rest);
  } else if (name == "set-popup") {
    SetPopup(rest);
  } else if (name == "clear") {
    Clear(rest);
  } else if (name == "export") {
    Export(rest);
  } else if (name == "import") {
    Import(rest);
  } else if (name == "options") {
    Options(rest);
  } else {
    Usage(name == "list" ? "list takes no arguments" : "unknown command \"" + name + "\"");
  }
}

std::optional<std::string> Command::KeyName(const std::string& text) {
  const std::optional<core::KeyInfo> key = ParseKeyArgument(text);
  if (!key) {
    Fail(kExitUsage, UnknownKeyMessage(text));
    return std::nullopt;
  }
  return core::KeyNameOf(key->character);
}

std::optional<std::map<std::string, std::string>> Command::Flags(
    Args args, std::initializer_list<const char*> known) {
  std::map<std::string, std::string> flags;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    const std::string& flag = args[i];
    if (std::none_of(known.begin(), known.end(), [&](const char* k) { return flag == k; })) {
      Usage("unexpected argument \"" + flag + "\"");
      return std::nullopt;
    }
    if (i + 1 == args.size()) {
      Usage(flag + " needs a value");
      return std::nullopt;
    }
    if (!flags.emplace(flag, args[i + 1]).second) {
      Usage(flag + " is given twice");
      return std::nullopt;
    }
  }
  return flags;
}

std::string Command::Display(const std::optional<StoredValue>& value) const {
  if (!value || value->data == store::EmptyPlaceholder()) return {};
  return ValueToText(*value, context_.codec);
}

void Command::List() {
  const core::KeyNameTable names = core::BuildFnKeyNames();
  const std::vector<store::KeyMark> marks = store::ReadKeyMarks(store(), names);
  result_.out += "key\tkind\tswitch\treserved\tcommand\tdescription\tdirectory\n";
  for (std::size_t i = 0; i < names.size(); ++i) {
    const KeyRecord record = ReadKeyRecord(store(), names[i]);
    const core::StoredAssignment stored = core::ReadAssignment(store(), names[i]);
    const char* kind = !marks[i].assigned ? "free" : (marks[i].popup ? "popup" : "direct");
    const bool switch_on = store::IsSwitchFlagOn(stored.switch_flag.value_or(""));
    result_.out += names[i] + "\t" + kind + "\t" + (switch_on ? "on" : "off") + "\t" +
                   (marks[i].reserved ? "yes" : "no") + "\t" + Display(record.command) + "\t" +
                   Display(record.description) + "\t" + Display(record.directory) + "\n";
  }
}

void Command::Show(Args args) {
  if (args.size() != 1) return Usage("show takes one key");
  const std::optional<std::string> key_name = KeyName(args[0]);
  if (!key_name) return;
  const std::array<std::string, 1> names = {*key_name};
  const store::KeyMark mark = store::ReadKeyMarks(store(), names)[0];
  const KeyRecord record = ReadKeyRecord(store(), *key_name);
  const core::StoredAssignment stored = core::ReadAssignment(store(), *key_name);
  std::string& out = result_.out;
  out += "key          " + *key_name + "\n";
  out += std::string("kind         ") +
         (!mark.assigned ? "free" : (mark.popup ? "popup" : "direct")) + "\n";
  out += "command      " + Display(record.command) + "\n";
  out += "description  " + Display(record.description) + "\n";
  out += "directory    " + Display(record.directory) + "\n";
  out += std::string("switch       ") +
         (store::IsSwitchFlagOn(stored.switch_flag.value_or("")) ? "on" : "off") + "\n";
  out += std::string("reserved     ") + (mark.reserved ? "yes" : "no") + "\n";
  if (!record.list) return;
  out += "file count   " + Display(record.list->file_count) + "\n";
  for (const PopupItemRecord& item : record.list->items) {
    out += "item         " + QuoteIfNeeded(context_.codec.ToUtf8(item.name).value_or("?")) + " = " +
           Display(item.path) + "\n";
  }
}

void Command::Set(Args args) {
  if (args.empty()) return Usage("set needs a key");
  const std::optional<std::string> key_name = KeyName(args[0]);
  if (!key_name) return;
  const auto flags =
      Flags(args.subspan(1), {"--command", "--description", "--directory", "--switch"});
  if (!flags) return;
  const auto value = [&](const char* name) {
    const auto it = flags->find(name);
    return it == flags->end() ? std::string() : it->second;
  };
  // A command of only white space is as empty as none; text that is not
  // Unicode in this code page is no white space either.
  const std::optional<std::string> command = context_.codec.ToUtf8(value("--command"));
  if (command && IsBlankText(*command)) {
    return Usage("set needs a --command that is not empty (clear removes an assignment)");
  }
  const bool switch_given = flags->count("--switch") != 0;
  const std::string switch_text = value("--switch");
  if (switch_given && switch_text != "on" && switch_text != "off") {
    return Usage("--switch takes on or off");
  }
  // Without --switch an assignment that is replaced keeps its flag, and a
  // new one gets it on, as the Add/Edit Command dialog offers it.
  const core::StoredAssignment stored = core::ReadAssignment(store(), *key_name);
  const bool switch_on =
      switch_given ? switch_text == "on"
                   : (!stored.command || store::IsSwitchFlagOn(stored.switch_flag.value_or("")));
  core::SaveDirectAssignment(
      store(), *key_name,
      {value("--description"), value("--command"), value("--directory"), switch_on});
  Changed(*key_name + ": direct assignment saved");
  NoteReservedKeys(std::array<std::string, 1>{*key_name});
}

void Command::SetPopup(Args args) {
  if (args.size() < 2) return Usage("set-popup needs a key and a folder");
  const std::optional<std::string> key_name = KeyName(args[0]);
  if (!key_name) return;
  const auto flags = Flags(args.subspan(2), {"--description"});
  if (!flags) return;
  std::string folder = context_.system.FullPath(args[1]);
  // Items are written as folder + "\" + file; a drive root keeps its own "\".
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  if (!context_.files.ListFiles(folder)) {
    return Fail(kExitFailed, "cannot read the folder " + folder);
  }
  core::PopupListChoice choice{*key_name, folder, "", std::nullopt, std::nullopt};
  if (const auto description = flags->find("--description"); description != flags->end()) {
    choice.description = description->second;
  }
  const std::int16_t saved = core::AssignPopupList(store(), context_.files, choice);
  if (saved == 0) {
    return Fail(kExitFailed, folder + " holds no visible files; " + *key_name + " is unchanged");
  }
  Changed(*key_name + ": popup list of " + std::to_string(saved) + " files saved");
  NoteReservedKeys(std::array<std::string, 1>{*key_name});
}

void Command::Clear(Args args) {
  if (args.size() != 1) return Usage("clear takes one key");
  const std::optional<std::string> key_name = KeyName(args[0]);
  if (!key_name) return;
  store::ClearAssignment(store(), *key_name);
  Changed(*key_name + ": cleared");
}

void Command::Export(Args args) {
  if (args.size() > 1) return Usage("export takes at most a file name");
  std::vector<KeyRecord> records;
  for (const std::string& key_name : core::BuildFnKeyNames()) {
    records.push_back(ReadKeyRecord(store(), key_name));
  }
  // The options that are stored: one that is absent (as before Keylark's
  // first start, or Scale With Display until it is first chosen) stays so.
  std::vector<OptionSetting> options;
  for (const core::OptionInfo& option : core::kOptionTable) {
    const std::optional<std::string> text = store().ReadText(store::kConfigKey, option.value_name);
    if (text) options.push_back({option.ctl_name, store::IsFlagOn(*text)});
  }
  const ExportText text = WriteAssignments(records, context_.codec, options);
  if (!text.problem.empty()) return Fail(kExitFailed, text.problem);
  if (args.empty() || args[0] == "-") {
    result_.out += text.text;
  } else if (!context_.system.WriteFile(args[0], text.text)) {
    Fail(kExitFailed, "cannot write " + args[0]);
  }
}

void Command::Import(Args args) {
  if (args.size() > 1) return Usage("import takes at most a file name");
  const bool from_input = args.empty() || args[0] == "-";
  const std::string source = from_input ? "standard input" : args[0];
  const std::optional<std::string> text =
      from_input ? context_.system.ReadStandardInput() : context_.system.ReadFile(args[0]);
  if (!text) return Fail(kExitFailed, "cannot read " + source);
  const ParsedAssignments parsed = ParseAssignments(*text, context_.codec);
  if (parsed.problem) {
    Fail(kExitFailed, source + ", line " + std::to_string(parsed.problem->line) + ": " +
                          parsed.problem->message);
    result_.err += "Nothing was imported.\n";
    return;
  }
  if (!parsed.options.empty() && !KeylarkHasRun()) {
    Fail(kExitFailed, source +
                          " sets options, but Keylark has not run for this user yet: start "
                          "it once, then import");
    result_.err += "Nothing was imported.\n";
    return;
  }
  // Keys and options that already hold what the file says are left alone, so
  // applying the same file again writes nothing and says so in its exit code.
  std::vector<KeyRecord> changes;
  for (const KeyRecord& record : parsed.records) {
    if (!SameRecord(record, ReadKeyRecord(store(), record.key_name))) changes.push_back(record);
  }
  std::vector<OptionSetting> option_changes;
  for (const OptionSetting& option : parsed.options) {
    const char* value_name = core::OptionNamed(option.name)->value_name;
    if (store().ReadText(store::kConfigKey, value_name) != std::string(option.on ? "1" : "0")) {
      option_changes.push_back(option);
    }
  }
  if (changes.empty() && option_changes.empty()) {
    result_.exit_code = kExitUnchanged;
    result_.out += "nothing to import: the keys and options already hold the file's values\n";
    return;
  }
  if (!WriteRecords(changes)) return;
  for (const OptionSetting& option : option_changes) {
    WriteOption(core::OptionNamed(option.name)->value_name, option.on);
  }
  std::string names;
  std::vector<std::string> assigned;
  for (const KeyRecord& record : changes) {
    names += (names.empty() ? " " : ", ") + record.key_name;
    if (record.command) assigned.push_back(record.key_name);
  }
  Changed("imported " + std::to_string(changes.size()) + " keys" +
          (names.empty() ? std::string() : ":" + names) +
          (option_changes.empty() ? std::string()
                                  : " and " + std::to_string(option_changes.size()) + " options"));
  NoteReservedKeys(assigned);
}

// Writes every record, or none: after the first failure the keys written so
// far get back what they held before.
bool Command::WriteRecords(const std::vector<KeyRecord>& records) {
  std::vector<KeyRecord> before;
  before.reserve(records.size());
  for (const KeyRecord& record : records) before.push_back(ReadKeyRecord(store(), record.key_name));
  for (std::size_t i = 0; i < records.size(); ++i) {
    const platform::Status status = ReplaceKeyRecord(store(), records[i]);
    if (status == platform::kSuccess) continue;
    bool restored = true;
    for (std::size_t k = 0; k <= i; ++k) {
      restored = ReplaceKeyRecord(store(), before[k]) == platform::kSuccess && restored;
    }
    Fail(kExitFailed, "the registry refused to store " + records[i].key_name + " (" +
                          RegistryErrorText(status) + ")");
    result_.err += restored ? "Nothing was imported.\n"
                            : "Putting back the keys already written failed as well: check "
                              "them with keylarkctl list.\n";
    if (!restored) context_.system.NotifyKeyBar();
    return false;
  }
  return true;
}

// A reserved key's label ignores clicks, which would look like a broken
// assignment; its Fn key works all the same.
void Command::NoteReservedKeys(std::span<const std::string> key_names) {
  const std::vector<store::KeyMark> marks = store::ReadKeyMarks(store(), key_names);
  for (std::size_t i = 0; i < key_names.size(); ++i) {
    if (!marks[i].reserved) continue;
    result_.err += "keylarkctl: " + key_names[i] +
                   " is reserved by the notebook: its label ignores clicks; the key still "
                   "works through the Fn key\n";
  }
}

void Command::Options(Args args) {
  if (args.empty()) {
    std::size_t column = 0;
    for (const core::OptionInfo& option : core::kOptionTable) {
      column = std::max(column, std::string_view(option.ctl_name).size() + 2);
    }
    for (const core::OptionInfo& option : core::kOptionTable) {
      const std::string name = option.ctl_name;
      result_.out += name + std::string(column - name.size(), ' ') +
                     (store().ReadFlag(store::kConfigKey, option.value_name) ? "on" : "off") + "\n";
    }
    return;
  }
  if (args.size() % 2 != 0) return Usage("options takes pairs of a name and on or off");
  std::vector<std::pair<const char*, bool>> changes;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    const core::OptionInfo* option = core::OptionNamed(args[i]);
    if (option == nullptr) return Usage("unknown option \"" + args[i] + "\"");
    if (args[i + 1] != "on" && args[i + 1] != "off") return Usage(args[i] + " takes on or off");
    changes.emplace_back(option->value_name, args[i + 1] == "on");
  }
  if (!KeylarkHasRun()) {
    return Fail(kExitFailed,
                "Keylark has not run for this user yet: start it once, then set "
                "its options");
  }
  for (const auto& [value, on] : changes) WriteOption(value, on);
  Changed("options saved");
}

}  // namespace

CtlResult RunCtl(std::span<const std::string> args, const CtlContext& context) {
  CtlResult result;
  Command(context, result).Run(args);
  return result;
}

}  // namespace keylark::control
