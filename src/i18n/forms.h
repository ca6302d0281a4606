// The caption tables and font rules of the seven forms, and one routine per
// form. The tables name controls by their resource ids; the dialogs find
// theirs by template id, so the dialog base translates every dialog with one
// call.
#pragma once

#include <span>

#include "i18n/translation.h"

namespace keylark::i18n {

// The buttons whose ids the system fixes (IDOK, IDCANCEL, IDHELP).
inline constexpr int kOkButton = 1;
inline constexpr int kCancelButton = 2;
inline constexpr int kHelpButton = 9;

// The key bar: its caption, menu bar and tray menu.
extern const FormTable kForm1;
// Function Key Assignments, Assignment Type, Add/Edit Command, Application
// Explorer, Key Assignment Confirmation, About.
extern const FormTable kForm2;
extern const FormTable kForm3;
extern const FormTable kForm4;
extern const FormTable kForm6;
extern const FormTable kForm7;
extern const FormTable kFrmAbout;

using FormRoutine = void (*)(core::Session&, platform::ResourceLibrary&, FormSurface&);

// One routine per form, each translating its form as it loads.
template <const FormTable& kTable>
void TranslateFormOf(core::Session& session, platform::ResourceLibrary& library,
                     FormSurface& surface) {
  TranslateForm(kTable, session, library, surface);
}
inline constexpr FormRoutine TranslateForm1 = &TranslateFormOf<kForm1>;
inline constexpr FormRoutine TranslateForm2 = &TranslateFormOf<kForm2>;
inline constexpr FormRoutine TranslateForm3 = &TranslateFormOf<kForm3>;
inline constexpr FormRoutine TranslateForm4 = &TranslateFormOf<kForm4>;
inline constexpr FormRoutine TranslateForm6 = &TranslateFormOf<kForm6>;
inline constexpr FormRoutine TranslateForm7 = &TranslateFormOf<kForm7>;
inline constexpr FormRoutine TranslateFrmAbout = &TranslateFormOf<kFrmAbout>;

struct DialogForm {
  int template_id;
  FormRoutine translate;
  const FormTable* table;
};

// Every dialog template with its form.
std::span<const DialogForm> DialogForms();
// The form of a dialog template; nullptr when it has none.
const DialogForm* FormOfDialog(int template_id);

}  // namespace keylark::i18n
