#include "i18n/forms.h"

#include <algorithm>
#include <array>

#include "resource.h"

namespace keylark::i18n {
namespace {

using Kind = CaptionTarget::Kind;
using enum ControlKind;

constexpr CaptionRow Caption(std::uint16_t id) { return {{Kind::Window, 0}, id}; }
constexpr CaptionRow Control(int control, std::uint16_t id) {
  return {{Kind::Control, control}, id};
}
constexpr CaptionRow Item(int command, std::uint16_t id) { return {{Kind::MenuItem, command}, id}; }
constexpr CaptionRow Popup(int position, std::uint16_t id) {
  return {{Kind::MenuBarPopup, position}, id};
}
constexpr CaptionRow Tray(int command, std::uint16_t id) {
  return {{Kind::TrayMenuItem, command}, id};
}

constexpr std::array kForm1Captions{
    Caption(1001),
    Item(IDM_ASSIGNMENTS, 1002),
    Popup(1, 1003),
    Item(IDM_TOP, 1004),
    Item(IDM_POPUPS, 1005),
    Item(IDM_MINIMIZE, 1006),
    Item(IDM_HINTS, 1007),
    Item(IDM_CONFIRM, 1008),
    Item(IDM_SCALE, 1014),
    Popup(2, 1009),
    Item(IDM_INDEX, 1010),
    Item(IDM_ABOUT, 1011),
    Tray(IDM_TRAY_LAUNCH, 1012),
    Tray(IDM_TRAY_HELP, 1013),
};

constexpr std::array kForm2Captions{
    Caption(2001),
    Control(IDC_AL_EXPAND, 2002),
    Control(kOkButton, 2003),
    Control(IDC_AL_EDIT, 2004),
    Control(kHelpButton, 2005),
};
constexpr std::array kForm2Fonts{ListView, CommandButton};

constexpr std::array kForm3Captions{
    Caption(3001),
    Control(IDC_AT_DIRECT, 3002),
    Control(IDC_AT_DIRECT_TEXT, 3003),
    Control(IDC_AT_POPUP, 3004),
    Control(IDC_AT_POPUP_TEXT, 3005),
    Control(IDC_AT_CLEAR, 3006),
    Control(IDC_AT_CLEAR_TEXT, 3007),
    Control(kCancelButton, 3008),
    Control(kHelpButton, 3009),
    Control(IDC_AT_CONFIRM, 3010),
};
constexpr std::array kForm3Fonts{Label, CommandButton};

constexpr std::array kForm4Captions{
    Caption(4001),
    Control(IDC_EC_DESCRIPTION_LABEL, 4002),
    Control(IDC_EC_COMMAND_LABEL, 4003),
    Control(IDC_EC_DIRECTORY_LABEL, 4004),
    Control(IDC_EC_KEY_LABEL, 4005),
    Control(IDC_EC_SWITCH, 4006),
    Control(kOkButton, 4007),
    Control(kCancelButton, 4008),
    Control(IDC_EC_BROWSE, 4009),
    Control(IDC_EC_APPLICATION, 4010),
    Control(kHelpButton, 4011),
};
constexpr std::array kForm4Fonts{TextBox, Label, CommandButton};

constexpr std::array kForm6Captions{
    Caption(5001),
    Control(IDC_EX_FOLDERS_LABEL, 5002),
    Control(IDC_EX_FILES_LABEL, 5003),
    Control(kOkButton, 5004),
    Control(kCancelButton, 5005),
};
constexpr std::array kForm6Fonts{TreeView, ListView, Label, CommandButton};

// Both frames take the same three label texts (6005 to 6007).
constexpr std::array kForm7Captions{
    Caption(6001),
    Control(kOkButton, 6002),
    Control(IDC_CF_CANCEL, 6003),
    Control(kHelpButton, 6010),
    Control(IDC_CF_QUESTION, 6004),
    Control(IDC_CF_PREV_COMMAND_LABEL, 6005),
    Control(IDC_CF_PREV_DESCRIPTION_LABEL, 6006),
    Control(IDC_CF_PREV_DIRECTORY_LABEL, 6007),
    Control(IDC_CF_NEW_COMMAND_LABEL, 6005),
    Control(IDC_CF_NEW_DESCRIPTION_LABEL, 6006),
    Control(IDC_CF_NEW_DIRECTORY_LABEL, 6007),
    Control(IDC_CF_PREVIOUS, 6008),
    Control(IDC_CF_NEW, 6009),
};
constexpr std::array kForm7Fonts{Frame, Label, CommandButton};

// 7003 is the whole banner: the product description and the rights notice.
constexpr std::array kFrmAboutCaptions{
    Caption(7001),
    Control(kOkButton, 7002),
    Control(IDC_ABOUT_TITLE, 7003),
};
constexpr std::array kFrmAboutFonts{Label};

}  // namespace

const FormTable kForm1{"Form1", kForm1Captions, std::nullopt};
const FormTable kForm2{"Form2", kForm2Captions, FontRule{kForm2Fonts, true}};
const FormTable kForm3{"Form3", kForm3Captions, FontRule{kForm3Fonts, true}};
const FormTable kForm4{"Form4", kForm4Captions, FontRule{kForm4Fonts, true}};
const FormTable kForm6{"Form6", kForm6Captions, FontRule{kForm6Fonts, false}};
const FormTable kForm7{"Form7", kForm7Captions, FontRule{kForm7Fonts, false}};
const FormTable kFrmAbout{"frmAbout", kFrmAboutCaptions, FontRule{kFrmAboutFonts, false}};

std::span<const DialogForm> DialogForms() {
  static constexpr std::array kDialogs{
      DialogForm{IDD_ASSIGNMENTS, TranslateForm2, &kForm2},
      DialogForm{IDD_ASSIGN_TYPE, TranslateForm3, &kForm3},
      DialogForm{IDD_EDIT_COMMAND, TranslateForm4, &kForm4},
      DialogForm{IDD_EXPLORER, TranslateForm6, &kForm6},
      DialogForm{IDD_CONFIRM, TranslateForm7, &kForm7},
      DialogForm{IDD_ABOUT, TranslateFrmAbout, &kFrmAbout},
  };
  return kDialogs;
}

const DialogForm* FormOfDialog(int template_id) {
  const std::span<const DialogForm> forms = DialogForms();
  const auto found = std::ranges::find(forms, template_id, &DialogForm::template_id);
  return found == forms.end() ? nullptr : &*found;
}

}  // namespace keylark::i18n
