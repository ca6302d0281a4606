// Keylark started on hostile stores. Each file in tests/win/hostile_stores is
// one state of the registry; in every one Keylark must start, show its key
// bar, survive the keys the state names, launch a harmless target, and write
// nothing but what its own start and close write (the whole registry it
// touches is read before and after through the registry functions).
//
// A state file, one directive a line ("#" starts a comment):
//   key PATH                 an empty key
//   set PATH NAME KIND DATA  a value; KIND is sz (text and NUL), raw (text
//                            without NUL), dword N, text TYPE TEXT (the text's
//                            bytes as any type) or hex TYPE HEX
//   items KEY N TEXT         N item subkeys "Item <i>" in KEY's popup list,
//                            each with its value naming TEXT
//   publish-desktop          another process's window as the published handle
//   press K | poke K | menu K  Fn-K reported: the target must start; the
//                            report is only waited for; its popup list must
//                            open (and is closed again)
// PATH is cfg, cmd, desc, cwd or opts (the "ini" keys), maker (the published
// handle's key), product (Software\Korvane\Keylark), reserve (KeyReserve) or
// a path below the product key.
// In any text {target} is launch_target.exe and {N x T} is T N times.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "core/key_table.h"
#include "core/window_messages.h"
#include "keylark_process.h"
#include "launch_log.h"

namespace keylark::wintest {
namespace {

constexpr const char* kProduct = "Software\\Korvane\\Keylark";

std::string Expand(const std::string& text) {
  static const std::regex repeat(R"(\{(\d+) x ([^}]*)\})");
  std::string out = std::regex_replace(text, std::regex(R"(\{target\})"), TargetProgram());
  std::smatch match;
  while (std::regex_search(out, match, repeat)) {
    std::string repeated;
    for (int i = std::stoi(match[1]); i > 0; --i) repeated += match[2].str();
    out = match.prefix().str() + repeated + match.suffix().str();
  }
  return out;
}

std::pair<HKEY, std::string> KeyOf(const std::string& path) {
  const std::string head = path.substr(0, path.find('\\'));
  if (head == "maker") return {HKEY_CURRENT_USER, "Software\\Korvane"};
  if (head == "product") return {HKEY_CURRENT_USER, kProduct};
  if (head == "reserve") return {HKEY_LOCAL_MACHINE, std::string(kProduct) + "\\KeyReserve"};
  for (const char* ini : {"cfg", "cmd", "desc", "cwd", "opts"}) {
    if (head == ini) return {HKEY_CURRENT_USER, std::string(kProduct) + "\\ini\\" + path};
  }
  return {HKEY_CURRENT_USER, std::string(kProduct) + "\\" + path};
}

void SetValue(const std::string& path, const std::string& name, DWORD type,
              const std::string& data) {
  const auto [root, key_path] = KeyOf(path);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(root, key_path.c_str(), &key), ERROR_SUCCESS) << key_path;
  RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                 static_cast<DWORD>(data.size()));
  RegCloseKey(key);
}

std::string Bytes(const std::string& kind, std::istringstream& rest, DWORD& type) {
  std::string data;
  if (kind == "dword" || kind == "text" || kind == "hex") rest >> type;
  if (kind == "sz" || kind == "raw") type = REG_SZ;
  std::getline(rest >> std::ws, data);
  data = Expand(data);
  if (kind == "sz") data.push_back('\0');
  if (kind == "dword") {
    data = std::string(reinterpret_cast<const char*>(&type), sizeof type);
    type = REG_DWORD;
  }
  if (kind == "hex") {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
      bytes.push_back(static_cast<char>(std::stoi(data.substr(i, 2), nullptr, 16)));
    }
    data = bytes;
  }
  return data;
}

struct Action {
  std::string what;
  std::string key;
};

// Writes the state into the registry and returns what to do with the key bar.
std::vector<Action> Seed(const std::string& file) {
  std::vector<Action> actions;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string op, path, name, kind;
    words >> op;
    if (op.empty() || op[0] == '#') continue;
    if (op == "press" || op == "poke" || op == "menu") {
      words >> name;
      actions.push_back({op, name});
    } else if (op == "key") {
      words >> path;
      const auto [root, key_path] = KeyOf(Expand(path));
      HKEY key = nullptr;
      if (RegCreateKeyA(root, key_path.c_str(), &key) == ERROR_SUCCESS) RegCloseKey(key);
    } else if (op == "set") {
      words >> path >> name >> kind;
      DWORD type = 0;
      const std::string data = Bytes(kind, words, type);
      SetValue(Expand(path), Expand(name), type, data);
    } else if (op == "items") {
      int count = 0;
      words >> path >> count;
      std::string target;
      std::getline(words >> std::ws, target);
      for (int i = 0; i < count; ++i) {
        const std::string item = "Item " + std::to_string(i);
        SetValue("prg\\" + path + "\\" + item, item, REG_SZ, Expand(target) + '\0');
      }
    } else if (op == "publish-desktop") {
      const auto desktop = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(GetDesktopWindow()));
      SetValue("maker", "Keylark", REG_DWORD,
               std::string(reinterpret_cast<const char*>(&desktop), 4));
    } else {
      ADD_FAILURE() << "unknown directive: " << line;
    }
  }
  return actions;
}

// What Keylark's own start and close may change: the published handle is
// gone again, a first run (no "ini\cfg" at all) writes the defaults, and the
// position may be saved on closing. Nothing else may differ.
void ExpectOnlyOwnWrites(const RegistryDump& before, const RegistryDump& after) {
  RegistryDump expected = before;
  const std::string cfg = "HKCU\\" + std::string(kProduct) + "\\ini\\cfg";
  const bool first_run = before.count(cfg + "|") == 0;
  expected.erase("HKCU\\Software\\Korvane|KEYLARK");
  const std::string product = "HKCU\\" + std::string(kProduct);
  for (const std::string& key :
       {std::string("HKCU\\Software\\Korvane"), product, product + "\\ini", cfg}) {
    expected[key + "|"] = "";
  }
  const std::pair<const char*, char> defaults[] = {{"FICON", '0'}, {"OPTS1", '0'}, {"OPTS2", '1'},
                                                   {"OPTS3", '0'}, {"OPTS4", '1'}, {"OPTS5", '1'}};
  for (const auto& [name, flag] : defaults) {
    if (first_run) expected.emplace(cfg + "|" + name, std::string("1:") + flag + '\0');
  }
  for (const char* name : {"|X", "|Y"}) {
    const auto saved = after.find(cfg + name);
    if (saved != after.end() && saved->second.size() == 7 && saved->second.rfind("1:", 0) == 0) {
      expected[cfg + name] = saved->second;  // a position as the key bar saves it
    }
  }
  for (const auto& [entry, value] : after) {
    const auto wanted = expected.find(entry);
    EXPECT_TRUE(wanted != expected.end() && wanted->second == value) << "written: " << entry;
  }
  for (const auto& [entry, value] : expected) {
    EXPECT_EQ(after.count(entry), 1U) << "lost: " << entry;
  }
}

LPARAM ScanCodeOf(const std::string& key) {
  const std::optional<core::KeyInfo> info = core::FindKeyByName("Fn-" + key);
  EXPECT_TRUE(info) << "no key " << key;
  return info ? static_cast<LPARAM>(info->scan_code) : 0;
}

void Act(const Action& action, HWND key_bar, DWORD process, const LaunchLog& log,
         std::size_t& starts) {
  const LPARAM scan = ScanCodeOf(action.key);
  DWORD_PTR result = 0;
  if (action.what == "poke") {
    EXPECT_NE(SendMessageTimeoutA(key_bar, core::FnKeyMessage, core::kFnKeyReportWParam, scan,
                                  SMTO_NORMAL, 10000, &result),
              0);
    return;
  }
  PostMessageA(key_bar, core::FnKeyMessage, core::kFnKeyReportWParam, scan);
  if (action.what == "press") {
    EXPECT_TRUE(log.WaitForStarts(++starts)) << "Fn-" << action.key << " starts the target";
    return;
  }
  HWND menu = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (menu = TopLevelWindowOf(process, "#32768")) != nullptr; }));
  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitFor([&] { return TopLevelWindowOf(process, "#32768") == nullptr; }));
}

// The sources' folder, seen from Wine through its Z: drive when it is a Unix path.
std::string CorpusFolder() {
  std::string folder = KEYLARK_SOURCE_DIR "/tests/win/hostile_stores";
  if (folder[0] == '/') folder = "Z:" + folder;
  for (char& c : folder) c = c == '/' ? '\\' : c;
  return folder;
}

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> files;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((CorpusFolder() + "\\*.txt").c_str(), &found);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
    files.push_back(found.cFileName);
  }
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return files;
}

class HostileStore : public ::testing::TestWithParam<std::string> {
 protected:
  void TearDown() override { ResetStore(); }
};

TEST_P(HostileStore, KeylarkStartsLaunchesAndWritesOnlyItsOwnValues) {
  ResetStore();
  const std::vector<Action> actions = Seed(CorpusFolder() + "\\" + GetParam());
  const RegistryDump before = DumpRegistry();
  LaunchLog log;
  KeylarkProcess keylark;
  ASSERT_TRUE(keylark.Start());
  // The key bar of this process: the state may have published another window.
  HWND key_bar = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    DWORD owner = 0;
    key_bar = PublishedKeyBar();
    GetWindowThreadProcessId(key_bar, &owner);
    return owner == keylark.ProcessId() && IsWindowVisible(key_bar);
  }));
  std::size_t starts = 0;
  for (const Action& action : actions) Act(action, key_bar, keylark.ProcessId(), log, starts);
  EXPECT_GE(starts, 1U) << "every state launches the target";
  EXPECT_EQ(PublishedKeyBar(), key_bar) << "still running";
  ASSERT_TRUE(keylark.Close());
  ExpectOnlyOwnWrites(before, DumpRegistry());
}

INSTANTIATE_TEST_SUITE_P(Corpus, HostileStore, ::testing::ValuesIn(CorpusFiles()),
                         [](const auto& info) {
                           std::string name = info.param.substr(0, info.param.rfind('.'));
                           for (char& c : name)
                             c = isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

}  // namespace
}  // namespace keylark::wintest
