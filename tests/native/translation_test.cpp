#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "fakes/fake_resource_library.h"
#include "i18n/forms.h"
#include "resource.h"

namespace keylark::i18n {
namespace {

using fakes::FakeResourceLibrary;

TEST(LoadLocalStringTest, GivesTheStringWithoutNulsCutAt254BytesAndReleasesTheLibrary) {
  FakeResourceLibrary library;
  library.strings[101] = "JP";
  library.strings[7003] = std::string("Key\0lark\0", 9);
  library.strings[2001] = std::string(300, 'x');
  library.strings[2002] = std::string(253, 'a') + "\xE5\x89\xB2";  // a character across the cut

  EXPECT_EQ(LoadLocalString(library, 101), "JP");
  EXPECT_EQ(LoadLocalString(library, 7003), "Keylark");
  EXPECT_EQ(LoadLocalString(library, 2001), std::string(254, 'x'));
  EXPECT_EQ(LoadLocalString(library, 2002), std::string(253, 'a') + "\xE5");
  EXPECT_EQ(LoadLocalString(library, 4242), "");  // no such string
  EXPECT_EQ(library.loads, 5);                    // nothing is kept loaded between strings
  EXPECT_EQ(library.held, 0);

  library.present = false;
  EXPECT_EQ(LoadLocalString(library, 101), "");
}

// The string ids of an .rc file's string tables, as written there.
std::set<unsigned> StringIdsOf(const std::string& relative_path, bool captions_only = false) {
  std::ifstream file(std::string(KEYLARK_SOURCE_DIR) + "/" + relative_path);
  std::stringstream text;
  text << file.rdbuf();
  std::string source = text.str();
  if (captions_only) {  // what the program takes of the file: past the library-only block
    source = source.substr(source.find("#endif"));
  }
  std::set<unsigned> ids;
  const std::regex entry(R"(\n\s*(\d+)\s+")");
  for (auto it = std::sregex_iterator(source.begin(), source.end(), entry);
       it != std::sregex_iterator(); ++it) {
    ids.insert(static_cast<unsigned>(std::stoul((*it)[1])));
  }
  return ids;
}

TEST(CaptionTablesTest, EveryCaptionIdIsInTheProgramAndInEveryLanguage) {
  const std::set<unsigned> program = StringIdsOf("resources/lang/ja.rc", true);
  const std::set<unsigned> japanese = StringIdsOf("resources/lang/ja.rc");
  const std::set<unsigned> german = StringIdsOf("resources/lang/de.rc");
  EXPECT_TRUE(japanese.contains(kLanguageTagId) && japanese.contains(kLibraryFontId));
  EXPECT_FALSE(program.contains(kLanguageTagId));
  EXPECT_TRUE(german.contains(kLanguageTagId));

  std::set<unsigned> used;
  for (const FormTable* form : {&kForm1, &kForm2, &kForm3, &kForm4, &kForm6, &kForm7, &kFrmAbout}) {
    for (const CaptionRow& row : form->captions) {
      used.insert(row.string_id);
      EXPECT_TRUE(program.contains(row.string_id)) << form->form << " " << row.string_id;
      EXPECT_TRUE(japanese.contains(row.string_id)) << form->form << " " << row.string_id;
      EXPECT_TRUE(german.contains(row.string_id)) << form->form << " " << row.string_id;
    }
  }
  EXPECT_EQ(used.size(), 58U);  // 1001 to 7003, with 6005 to 6007 serving both frames
  for (const DialogForm& dialog : DialogForms()) {
    EXPECT_EQ(FormOfDialog(dialog.template_id), &dialog);
  }
  EXPECT_EQ(FormOfDialog(IDR_KEYBAR_MENU), nullptr);
}

}  // namespace
}  // namespace keylark::i18n
