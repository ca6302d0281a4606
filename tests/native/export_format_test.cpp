// keylarkctl's export format: every kind of stored value survives a trip
// through the text and back into a cleared store, and a file with a problem
// is refused whole, naming the line.
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

using platform::kRegBinary;
using platform::kRegDword;
using platform::kRegSz;
using store::KeyMode;

class ExportFormatTest : public ::testing::Test {
 protected:
  void Raw(const std::string& path, const std::string& name, std::uint32_t type,
           const std::string& bytes) {
    const store::ScopedKey key(registry_, store::Root::CurrentUser, path, true);
    key.Write(name, type, store::Bytes(bytes.begin(), bytes.end()));
  }

  // Every key's record, the way an export reads them.
  std::vector<KeyRecord> Snapshot() {
    std::vector<KeyRecord> records;
    for (const std::string& name : core::BuildFnKeyNames()) {
      records.push_back(ReadKeyRecord(store_, name));
    }
    return records;
  }

  // A store with every kind of value the dialogs write, and some they never
  // write but a hand-edited registry may hold.
  void FillStore() {
    core::SaveDirectAssignment(store_, "Fn-1",
                               {"Tab\there, \"quoted\" ", "C:\\Tools\\run.exe /x", "", false});
    files_.AddFile("C:\\Menu\\Zubehör", "Notepad.lnk");
    files_.AddFile("C:\\Menu\\Zubehör", "calc.exe");
    files_.AddFile("C:\\Menu\\Zubehör", "hidden.lnk", platform::kHiddenAttribute);
    files_.AddFile("C:\\Menu\\Zubehör", "Ünïcode 日本.lnk");
    store::SavePopupList(store_, files_,
                         {"Fn-A", "C:\\Menu\\Zubehör", "", 3, "C:\\Menu\\Zubehör", "Zubehör"});
    store_.WriteText(store::kCommandKey, "Fn-E", "C:\\Programme\\Café\\app.exe",
                     KeyMode::OpenExisting);
    store_.WriteText(store::kDescriptionKey, "Fn-E", "", KeyMode::OpenExisting);  // one NUL
    store_.WriteText(store::kDirectoryKey, "Fn-E", "  leading blank", KeyMode::OpenExisting);
    store_.WriteText(store::kSwitchFlagKey, "Fn-E", "7", KeyMode::OpenExisting);
    store_.WriteText(store::kCommandKey, "Fn-Z", "<not a form", KeyMode::OpenExisting);
    store_.WriteText(store::kDescriptionKey, "Fn-Z", "\"starts quoted", KeyMode::OpenExisting);
    store_.WriteText(store::kDirectoryKey, "Fn-Z", "a\nb\r\x01", KeyMode::OpenExisting);
    Raw(store::kCommandKey, "Fn-Q", kRegSz, "no NUL");
    Raw(store::kDescriptionKey, "Fn-Q", kRegBinary, std::string("\x01\x00\xFF", 3));
    Raw(store::kDirectoryKey, "Fn-Q", kRegSz, std::string("a\0b\0", 4));
    Raw(store::kSwitchFlagKey, "Fn-Q", kRegDword, std::string("\x01\x00\x00\x00", 4));
    Raw(store::kDescriptionKey, "Fn-D", kRegSz, std::string("\xFF\xFE\0", 3));  // not UTF-8
    Raw(store::kCommandKey, "Fn-D", kRegSz, std::string("", 0));
    store::SavePopupList(store_, files_, {"Fn-B", "", "", 0, "C:\\Gone", "Gone"});
    store::ClearAssignment(store_, "Fn-B");  // leaves the list key and its "0"
    Raw(store::PopupListKey("Fn-C") + "\\No value", "other", kRegSz, std::string("x\0", 2));
  }

  fakes::FakeRegistry registry_;
  store::Store store_{registry_};
  fakes::FakeFileSystem files_;
  Utf8Codec codec_;
};

TEST_F(ExportFormatTest, EveryValueSurvivesExportClearAndImportByteForByte) {
  FillStore();
  const std::vector<KeyRecord> before = Snapshot();
  const ExportText text = WriteAssignments(before, codec_);
  ASSERT_TRUE(text.problem.empty()) << text.problem;

  // Ordinary values stay readable in the file.
  for (const char* line :
       {"command C:\\Tools\\run.exe /x\n", "directory <empty>\n", "description Zubehör\n",
        "item Ünïcode 日本\n", "switch 0\n", "description \"Tab\\there, \\\"quoted\\\" \"\n",
        "description \"\"\n", "command <data 1 6E6F204E554C>\n", "item No value\n"}) {
    EXPECT_NE(text.text.find(line), std::string::npos) << line << "in\n" << text.text;
  }

  const ParsedAssignments parsed = ParseAssignments(text.text, codec_);
  ASSERT_FALSE(parsed.problem) << parsed.problem->line << ": " << parsed.problem->message;
  EXPECT_EQ(parsed.records, before);

  for (const std::string& name : core::BuildFnKeyNames()) store::ClearAssignment(store_, name);
  // A list made after the export is not in the file, so the import removes it.
  files_.AddFile("C:\\Later", "late.exe");
  store::SavePopupList(store_, files_, {"Fn-6", "C:\\Later", "", 1, "C:\\Later", "Later"});
  ASSERT_NE(Snapshot(), before);

  for (const KeyRecord& record : parsed.records) ReplaceKeyRecord(store_, record);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(registry_.OpenHandleCount(), 0U);
}

TEST_F(ExportFormatTest, AHandWrittenFileMayUseShortKeysCommentsCrLfAndAByteOrderMark) {
  const ParsedAssignments parsed = ParseAssignments(
      "\xEF\xBB\xBF# mine\r\nkeylark-assignments 1\r\n\r\nkey e\r\ncommand notepad.exe\r\n"
      "description a\ttab\r\n",
      codec_);
  ASSERT_FALSE(parsed.problem) << parsed.problem->message;
  ASSERT_EQ(parsed.records.size(), 1U);
  EXPECT_EQ(parsed.records[0].key_name, "Fn-E");
  EXPECT_EQ(parsed.records[0].command, (StoredValue{kRegSz, store::EncodeText("notepad.exe")}));
  EXPECT_EQ(parsed.records[0].description, (StoredValue{kRegSz, store::EncodeText("a\ttab")}));
  EXPECT_FALSE(parsed.records[0].list);
}

struct BadFile {
  const char* body;  // after the header line
  int line;
  const char* message_part;
};

TEST(ExportFormatProblems, AFileWithAProblemIsRefusedWholeNamingTheLine) {
  const std::vector<BadFile> cases = {
      {"key 1\ncomand x", 3, "unknown field \"comand\""},
      {"command x", 2, "before any key"},
      {"key Fn-I", 2, "unknown key \"Fn-I\""},
      {"key 1\nkey Fn-1", 3, "appears twice (first on line 2)"},
      {"key 1\ncommand a\n\n# note\ncommand b", 6, "command appears twice"},
      {"key 1\ncommand", 3, "missing"},
      {"key 1\ncommand ", 3, "missing"},
      {"key 1\ndescription \"abc", 3, "closing quote"},
      {"key 1\ndescription \"a\\qb\"", 3, "unknown escape \\q"},
      {"key 1\ndescription \"a\"b\"", 3, "quote inside"},
      {"key 1\ndescription \"a\\x0\"", 3, "two hexadecimal digits"},
      {"key 1\ndescription \"a\\x00\"", 3, "NUL"},
      {"key 1\ndescription \xC3(", 3, "UTF-8"},
      {"key 1\nswitch <data 1 4G>", 3, "not hex"},
      {"key 1\nswitch <data x 41>", 3, "decimal"},
      {"key 1\nswitch <data 1 414>", 3, "two hexadecimal digits a byte"},
      {"key 1\nswitch <data 4294967296 00>", 3, "larger than 32 bits"},
      {"key 1\nswitch <data 1 41", 3, "closing >"},
      {"key 1\nswitch <blob>", 3, "unknown form <blob>"},
      {"key 1\ncount 3", 3, "after \"list\""},
      {"key 1\nlist\npath C:\\x", 4, "after an \"item\""},
      {"key 1\nlist\nitem a\npath x\npath y", 6, "path appears twice"},
      {"key 1\nlist x", 3, "takes no value"},
      {"key 1\nlist\nlist", 4, "list appears twice"},
      {"key 1\nlist\nitem a\\b", 4, "backslash"},
      {"key 1\nlist\nitem <x>", 4, "must be quoted"},
      {"key 1\nlist\nitem Notepad\nitem NOTEPAD", 5, "appears twice in this list"},
  };
  const Utf8Codec codec;
  for (const BadFile& bad : cases) {
    SCOPED_TRACE(bad.body);
    const ParsedAssignments parsed =
        ParseAssignments(std::string(kFormatHeader) + "\n" + bad.body + "\n", codec);
    ASSERT_TRUE(parsed.problem);
    EXPECT_EQ(parsed.problem->line, bad.line);
    EXPECT_NE(parsed.problem->message.find(bad.message_part), std::string::npos)
        << parsed.problem->message;
    EXPECT_TRUE(parsed.records.empty());
  }
}

TEST(ExportFormatProblems, TheHeaderComesFirst) {
  const Utf8Codec codec;
  EXPECT_NE(ParseAssignments("", codec).problem->message.find("empty"), std::string::npos);
  EXPECT_EQ(ParseAssignments("# only\n\n", codec).problem->line, 2);
  EXPECT_NE(ParseAssignments("key 1\n", codec).problem->message.find("must start with"),
            std::string::npos);
  const auto later = ParseAssignments("# x\nkeylark-assignments 2\n", codec).problem;
  EXPECT_EQ(later->line, 2);
  EXPECT_NE(later->message.find("version \"2\""), std::string::npos);
}

}  // namespace
}  // namespace keylark::control
