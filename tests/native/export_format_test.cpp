// keylarkctl's export format: every kind of stored value survives a trip
// through the text and back into a cleared store.
#include "control/export_format.h"

#include <gtest/gtest.h>

#include "control/store_snapshot.h"
#include "core/assignment.h"
#include "fakes/fake_filesystem.h"
#include "fakes/fake_registry.h"
#include "store/layout.h"
#include "store/store_operations.h"

namespace keylark::control {
namespace {

TEST(ExportFormat, EveryValueSurvivesExportClearAndImportByteForByte) {
  fakes::FakeRegistry registry;
  store::Store store{registry};
  fakes::FakeFileSystem files;
  const Utf8Codec codec;
  const auto raw = [&](const std::string& path, const char* name, std::uint32_t type,
                       const std::string& bytes) {
    store::ScopedKey(registry, store::Root::CurrentUser, path, true)
        .Write(name, type, store::Bytes(bytes.begin(), bytes.end()));
  };
  const auto snapshot = [&] {
    std::vector<KeyRecord> records;
    for (const std::string& name : core::BuildFnKeyNames()) {
      records.push_back(ReadKeyRecord(store, name));
    }
    return records;
  };
  // Every kind of value the dialogs write, and some they never write but a
  // hand-edited registry may hold.
  core::SaveDirectAssignment(store, "Fn-1",
                             {"Tab\there, \"quoted\" ", "C:\\run.exe /x", "", false});
  files.AddFile("C:\\Menu\\Zubehör", "calc.exe");
  files.AddFile("C:\\Menu\\Zubehör", "hidden.lnk", platform::kHiddenAttribute);
  files.AddFile("C:\\Menu\\Zubehör", "Ünïcode 日本.lnk");
  store::SavePopupList(store, files,
                       {"Fn-A", "C:\\Menu\\Zubehör", "", 2, "C:\\Menu\\Zubehör", "Zubehör"});
  raw(store::kCommandKey, "Fn-Q", platform::kRegSz, "no NUL");
  raw(store::kDescriptionKey, "Fn-Q", platform::kRegBinary, std::string("\x01\x00\xFF", 3));
  raw(store::kDirectoryKey, "Fn-Q", platform::kRegSz, std::string("a\0b\0", 4));
  raw(store::kSwitchFlagKey, "Fn-Q", platform::kRegDword, std::string("\x01\x00\x00\x00", 4));
  raw(store::kDescriptionKey, "Fn-D", platform::kRegSz, std::string("\xFF\xFE\0", 3));
  raw(store::kDirectoryKey, "Fn-D", platform::kRegSz, "\"q\na\r\x01\0");
  raw(store::kCommandKey, "Fn-D", platform::kRegSz, "");
  raw(store::kDescriptionKey, "Fn-E", platform::kRegSz, std::string("\0", 1));
  store::SavePopupList(store, files, {"Fn-B", "", "", 0, "C:\\Gone", "Gone"});
  store::ClearAssignment(store, "Fn-B");  // leaves the list key and its "0"
  raw(store::PopupListKey("Fn-C") + "\\No value", "other", platform::kRegSz, std::string("x\0", 2));

  const std::vector<KeyRecord> before = snapshot();
  const ExportText text = WriteAssignments(before, codec);
  ASSERT_TRUE(text.problem.empty()) << text.problem;
  for (const char* line : {"command C:\\run.exe /x\n", "directory <empty>\n", "switch 0\n",
                           "item Ünïcode 日本\n", "description \"Tab\\there, \\\"quoted\\\" \"\n",
                           "description \"\"\n", "command <data 1 6E6F204E554C>\n"}) {
    EXPECT_NE(text.text.find(line), std::string::npos) << line << "in\n" << text.text;
  }
  const ParsedAssignments parsed = ParseAssignments(text.text, codec);
  ASSERT_FALSE(parsed.problem) << parsed.problem->line << ": " << parsed.problem->message;
  EXPECT_EQ(parsed.records, before);

  for (const std::string& name : core::BuildFnKeyNames()) store::ClearAssignment(store, name);
  // A list made after the export is not in the file, so the import removes it.
  files.AddFile("C:\\Later", "late.exe");
  store::SavePopupList(store, files, {"Fn-6", "C:\\Later", "", 1, "C:\\Later", "Later"});
  for (const KeyRecord& record : parsed.records) ReplaceKeyRecord(store, record);
  EXPECT_EQ(snapshot(), before);
  EXPECT_EQ(registry.OpenHandleCount(), 0U);
}

}  // namespace
}  // namespace keylark::control
