#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/fake_resource_library.h"
#include "i18n/forms.h"
#include "resource.h"

namespace keylark::i18n {
namespace {

using fakes::FakeResourceLibrary;

// A form as the translation leaves it.
class RecordingSurface final : public FormSurface {
 public:
  explicit RecordingSurface(std::vector<ControlKind> kinds) : kinds_(std::move(kinds)) {}
  int ControlCount() const override { return static_cast<int>(kinds_.size()); }
  ControlKind KindOf(int control) const override {
    return kinds_[static_cast<std::size_t>(control)];
  }
  void SetFont(int control, const FontChange& font) override { fonts[control] = font; }
  void SetCaption(const CaptionTarget& target, const std::string& text) override {
    captions.emplace_back(target.id, text);
  }

  std::map<int, FontChange> fonts;
  std::vector<std::pair<int, std::string>> captions;

 private:
  std::vector<ControlKind> kinds_;
};

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

TEST(TranslateFormTest, TheTagDecidesCaptionsAndFonts) {
  const std::vector<ControlKind> assign_type{ControlKind::CommandButton, ControlKind::Label,
                                             ControlKind::CheckBox, ControlKind::Other};
  FakeResourceLibrary library;
  for (const CaptionRow& row : kForm3.captions) library.strings[row.string_id] = "t";
  library.strings[8001] = "Library Face";
  core::Session session;

  library.present = false;  // no library: English captions and fonts, no tag
  RecordingSurface english(assign_type);
  TranslateForm3(session, library, english);
  EXPECT_EQ(session.LanguageTag, "");
  EXPECT_TRUE(english.captions.empty());
  EXPECT_TRUE(english.fonts.empty());

  library.present = true;  // a library without a tag counts as none
  TranslateForm3(session, library, english);
  EXPECT_TRUE(english.captions.empty());

  library.strings[101] = "jp";  // any other tag: captions only
  RecordingSurface other(assign_type);
  TranslateForm3(session, library, other);
  EXPECT_EQ(session.LanguageTag, "jp");
  EXPECT_EQ(other.captions.size(), kForm3.captions.size());
  EXPECT_TRUE(other.fonts.empty());

  library.strings[101] = "JP";
  library.strings.erase(3005);  // a missing caption leaves the caption empty
  RecordingSurface japanese(assign_type);
  TranslateForm3(session, library, japanese);
  EXPECT_EQ(japanese.fonts.at(0), (FontChange{"Library Face", 1, 9}));
  EXPECT_EQ(japanese.fonts.at(1), (FontChange{"Library Face", 1, 9}));
  EXPECT_EQ(japanese.fonts.at(2), (FontChange{"MS P Gothic", 1, std::nullopt}));
  EXPECT_FALSE(japanese.fonts.contains(3));
  EXPECT_EQ(japanese.captions[4], (std::pair<int, std::string>{IDC_AT_POPUP_TEXT, ""}));
  EXPECT_EQ(japanese.captions[3], (std::pair<int, std::string>{IDC_AT_POPUP, "t"}));

  RecordingSurface key_bar({ControlKind::Label, ControlKind::CheckBox});  // never changes fonts
  TranslateForm1(session, library, key_bar);
  EXPECT_TRUE(key_bar.fonts.empty());
  EXPECT_EQ(key_bar.captions.size(), kForm1.captions.size());
}

TEST(TranslateFormTest, ExplorerAndConfirmationGiveNoCheckBoxTheGothicFont) {
  for (const FormTable* form : {&kForm6, &kForm7, &kFrmAbout}) {
    ASSERT_TRUE(form->fonts) << form->form;
    EXPECT_FALSE(FontFor(*form->fonts, ControlKind::CheckBox, "Face")) << form->form;
    EXPECT_TRUE(FontFor(*form->fonts, ControlKind::Label, "Face")) << form->form;
  }
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
  EXPECT_EQ(used.size(), 57U);  // 1001 to 7003, with 6005 to 6007 serving both frames
  for (const DialogForm& dialog : DialogForms()) {
    EXPECT_EQ(FormOfDialog(dialog.template_id), &dialog);
  }
  EXPECT_EQ(FormOfDialog(IDR_KEYBAR_MENU), nullptr);
}

}  // namespace
}  // namespace keylark::i18n
