// Keylark on hostile stores: each hostile_stores/*.txt is one registry state in
// which Keylark must start, survive the keys named, launch a harmless target
// and write only what its own start and close write. Directives, one a line:
//   key PATH | set PATH NAME KIND DATA | items KEY N TEXT | publish-desktop |
//   press K (the target starts) | poke K (handled) | menu K (a list opens)
// KIND: sz (text and NUL), raw (no NUL), dword N, text TYPE TEXT, hex TYPE HEX.
// PATH: cfg, cmd, desc, cwd, opts (below "ini"), maker, product, reserve or a
// path below the product key. {target} is launch_target.exe, {N x T} T N times.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <regex>
#include <sstream>

#include "core/key_table.h"
#include "core/window_messages.h"
#include "keylark_process.h"
#include "launch_log.h"

namespace keylark::wintest {
namespace {

const std::string kProduct = "Software\\Korvane\\Keylark";

std::string Expand(const std::string& text) {
  static const std::regex repeat(R"(\{(\d+) x ([^}]*)\})");
  std::string out = std::regex_replace(text, std::regex(R"(\{target\})"), TargetProgram());
  for (std::smatch m; std::regex_search(out, m, repeat);) {
    std::string repeated;
    for (int i = std::stoi(m[1]); i > 0; --i) repeated += m[2].str();
    out = m.prefix().str() + repeated + m.suffix().str();
  }
  return out;
}

std::pair<HKEY, std::string> KeyOf(const std::string& path) {
  const std::string head = path.substr(0, path.find('\\'));
  if (head == "maker") return {HKEY_CURRENT_USER, "Software\\Korvane"};
  if (head == "product") return {HKEY_CURRENT_USER, kProduct};
  if (head == "reserve") return {HKEY_LOCAL_MACHINE, kProduct + "\\KeyReserve"};
  const bool ini = std::regex_match(head, std::regex("cfg|cmd|desc|cwd|opts"));
  return {HKEY_CURRENT_USER, kProduct + (ini ? "\\ini\\" : "\\") + path};
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

// set PATH NAME KIND DATA
void SetFromLine(std::istringstream& words) {
  std::string path, name, kind, data;
  DWORD type = REG_SZ;
  words >> path >> name >> kind;
  if (kind == "dword" || kind == "text" || kind == "hex") words >> type;
  std::getline(words >> std::ws, data);
  data = Expand(data);
  if (kind == "sz") data.push_back('\0');
  if (kind == "dword") data = std::string(reinterpret_cast<const char*>(&type), sizeof type);
  if (kind == "dword") type = REG_DWORD;
  if (kind == "hex") {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2)
      bytes.push_back(static_cast<char>(std::stoi(data.substr(i, 2), nullptr, 16)));
    data = bytes;
  }
  SetValue(Expand(path), Expand(name), type, data);
}

// Writes the state into the registry and returns the keys to use, as
// (press|poke|menu, key).
std::vector<std::pair<std::string, std::string>> Seed(const std::string& file) {
  std::vector<std::pair<std::string, std::string>> actions;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string op, path;
    words >> op;
    if (op.empty() || op[0] == '#') continue;
    if (op == "press" || op == "poke" || op == "menu") {
      words >> path;
      actions.emplace_back(op, path);
    } else if (op == "key") {
      words >> path;
      const auto [root, key_path] = KeyOf(Expand(path));
      HKEY key = nullptr;
      if (RegCreateKeyA(root, key_path.c_str(), &key) == ERROR_SUCCESS) RegCloseKey(key);
    } else if (op == "set") {
      SetFromLine(words);
    } else if (op == "items") {
      int count = 0;
      std::string target;
      std::getline(words >> path >> count >> std::ws, target);
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

// What Keylark's own start and close may change: the published handle is gone
// again, a first run (no "ini\cfg" at all) writes the defaults, and the
// position may be saved on closing. Nothing else may differ.
void ExpectOnlyOwnWrites(const RegistryDump& before, const RegistryDump& after) {
  RegistryDump expected = before;
  const std::string product = "HKCU\\" + kProduct, cfg = product + "\\ini\\cfg";
  const bool first_run = before.count(cfg + "|") == 0;
  expected.erase("HKCU\\Software\\Korvane|KEYLARK");
  for (const std::string& key :
       {std::string("HKCU\\Software\\Korvane"), product, product + "\\ini", cfg}) {
    expected[key + "|"] = "";
  }
  for (const std::string value : {"FICON0", "OPTS10", "OPTS21", "OPTS30", "OPTS41", "OPTS51"}) {
    const std::string name = value.substr(0, value.size() - 1), flag = value.substr(name.size());
    if (first_run) expected.emplace(cfg + "|" + name, "1:" + flag + '\0');
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
  for (const auto& entry : expected)
    EXPECT_EQ(after.count(entry.first), 1U) << "lost: " << entry.first;
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
  const auto actions = Seed(CorpusFolder() + "\\" + GetParam());
  const RegistryDump before = DumpRegistry();
  LaunchLog log;
  KeylarkProcess keylark;
  ASSERT_TRUE(keylark.Start());
  const DWORD process = keylark.ProcessId();
  // The key bar of this process: the state may have published another window.
  HWND key_bar = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    DWORD owner = 0;
    GetWindowThreadProcessId(key_bar = PublishedKeyBar(), &owner);
    return owner == process && IsWindowVisible(key_bar);
  }));
  std::size_t starts = 0;
  for (const auto& [what, key] : actions) {
    const std::optional<core::KeyInfo> info = core::FindKeyByName("Fn-" + key);
    ASSERT_TRUE(info) << "no key " << key;
    const auto scan = static_cast<LPARAM>(info->scan_code);
    ReportFnKey(key_bar, scan, what == "poke");
    if (what == "press") {
      EXPECT_TRUE(log.WaitForStarts(++starts)) << "Fn-" << key << " starts";
    }
    if (what != "menu") continue;
    HWND menu = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (menu = TopLevelWindowOf(process, "#32768")) != nullptr; }));
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([&] { return TopLevelWindowOf(process, "#32768") == nullptr; }));
  }
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
