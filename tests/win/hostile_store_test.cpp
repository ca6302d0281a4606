// Keylark on hostile stores: each hostile_stores/*.txt is one registry state in
// which Keylark must start, survive the keys named, launch a harmless target
// and write only what its own start and close write. Directives, one a line:
//   key PATH | set PATH NAME KIND DATA | items KEY N TEXT |
//   press K (the target starts) | poke K (handled) | menu K (a list opens)
// KIND: sz (text and NUL), raw (no NUL), dword N, text TYPE TEXT, hex TYPE HEX.
// PATH: cfg, cmd, desc, cwd, opts (below "ini"), maker, product, reserve or a
// path below the product key. In a line {target} is launch_target.exe,
// {desktop} the desktop window's handle and {N x T} T N times.

#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "core/key_table.h"
#include "keylark_process.h"

namespace keylark::wintest {
namespace {

using platform::Root;
const std::string kProduct = std::string(layout::kMaker) + "\\Keylark";

std::string Expand(std::string line) {
  static const std::regex repeat(R"(\{(\d+) x ([^}]*)\})");
  line = std::regex_replace(line, std::regex(R"(\{target\})"), TargetProgram());
  line = std::regex_replace(line, std::regex(R"(\{desktop\})"),
                            std::to_string(reinterpret_cast<UINT_PTR>(GetDesktopWindow())));
  for (std::smatch m; std::regex_search(line, m, repeat);) {
    std::string repeated;
    for (int i = std::stoi(m[1]); i > 0; --i) repeated += m[2].str();
    line = m.prefix().str() + repeated + m.suffix().str();
  }
  return line;
}

std::pair<Root, std::string> KeyOf(const std::string& path) {
  const std::string head = path.substr(0, path.find('\\'));
  if (head == "maker") return {Root::CurrentUser, layout::kMaker};
  if (head == "product") return {Root::CurrentUser, kProduct};
  if (head == "reserve") return {Root::LocalMachine, layout::kReserve};
  const bool ini = std::regex_match(head, std::regex("cfg|cmd|desc|cwd|opts"));
  return {Root::CurrentUser, kProduct + (ini ? "\\ini\\" : "\\") + path};
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

// Writes the state into the registry and returns the keys to use, as
// (press|poke|menu, key).
std::vector<std::pair<std::string, std::string>> Seed(const std::filesystem::path& file) {
  std::vector<std::pair<std::string, std::string>> actions;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(Expand(line));
    std::string op, path, name, kind, data;
    DWORD type = REG_SZ;
    words >> op >> path;
    const auto [root, key] = KeyOf(path);
    if (op.empty() || op[0] == '#') continue;
    if (op == "press" || op == "poke" || op == "menu") {
      actions.emplace_back(op, path);
    } else if (op == "key") {
      store::ScopedKey(TestStore().Registry(), root, key, true);
    } else if (op == "set") {
      words >> name >> kind;
      if (kind == "dword" || kind == "text" || kind == "hex") words >> type;
      std::getline(words >> std::ws, data);
      if (kind == "sz") data.push_back('\0');
      if (kind == "dword") data.assign(reinterpret_cast<const char*>(&type), sizeof type);
      if (kind == "dword") type = REG_DWORD;
      if (kind == "hex") data = FromHex(data);
      PutRaw(key, name, type, store::Bytes(data.begin(), data.end()), root);
    } else if (op == "items") {
      int count = 0;
      std::getline(words >> count >> std::ws, data);
      for (int i = 0; i < count; ++i) {
        const std::string item = "Item " + std::to_string(i);
        Put(layout::PrgItem(path, item), item, data);
      }
    } else {
      ADD_FAILURE() << "unknown directive: " << line.substr(0, 80);
    }
  }
  return actions;
}

// What Keylark's own start and close may change: the published handle is gone
// again, a first run (no "ini\cfg" at all) writes the defaults, and the
// position may be saved on closing. Nothing else may differ.
void ExpectOnlyOwnWrites(RegistryDump expected, const RegistryDump& after) {
  const std::string product = "HKCU\\" + kProduct, cfg = product + "\\ini\\cfg";
  const bool first_run = expected.count(cfg + "|") == 0;
  expected.erase("HKCU\\Software\\Korvane|KEYLARK");
  for (const std::string& key :
       {"HKCU\\" + std::string(layout::kMaker), product, product + "\\ini", cfg})
    expected[key + "|"] = "";
  for (const char* value : {"FICON0", "OPTS10", "OPTS21", "OPTS30", "OPTS41", "OPTS51"}) {
    if (first_run)
      expected[cfg + "|" + std::string(value, 5)] = std::string("1:") + value[5] + '\0';
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
std::filesystem::path CorpusFolder() {
  const std::string folder = KEYLARK_SOURCE_DIR "/tests/win/hostile_stores";
  return folder[0] == '/' ? "Z:" + folder : folder;
}

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> names;
  for (const auto& file : std::filesystem::directory_iterator(CorpusFolder()))
    names.push_back(file.path().stem().string());
  return names;
}

class HostileStore : public KeyBarTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(HostileStore, KeylarkStartsLaunchesAndWritesOnlyItsOwnValues) {
  const auto actions = Seed(CorpusFolder() / (GetParam() + ".txt"));
  const RegistryDump before = DumpRegistry();
  LaunchLog log;
  HWND key_bar = StartKeyBar();  // this process's: the state may have published another
  ASSERT_NE(key_bar, nullptr);
  std::size_t starts = 0;
  for (const auto& [what, key] : actions) {
    const std::optional<core::KeyInfo> info = core::FindKeyByName("Fn-" + key);
    ASSERT_TRUE(info) << "no key " << key;
    ReportFnKey(key_bar, info->scan_code, what == "poke");
    if (what == "press") {
      EXPECT_TRUE(log.WaitForStarts(++starts)) << "Fn-" << key << " starts";
    }
    if (what != "menu") continue;
    const auto menu_open = [&] { return TopLevelWindowOf(keylark_.ProcessId(), "#32768"); };
    EXPECT_TRUE(WaitFor([&] { return menu_open() != nullptr; }));
    PostMessageA(menu_open(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([&] { return menu_open() == nullptr; }));
  }
  EXPECT_GE(starts, 1U) << "every state launches the target";
  EXPECT_EQ(PublishedKeyBar(), key_bar) << "still running";
  ASSERT_TRUE(keylark_.Close());
  ExpectOnlyOwnWrites(before, DumpRegistry());
}

INSTANTIATE_TEST_SUITE_P(Corpus, HostileStore, ::testing::ValuesIn(CorpusFiles()),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

}  // namespace
}  // namespace keylark::wintest
