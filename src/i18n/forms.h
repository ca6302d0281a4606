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

void TranslateForm1(core::Session& session, platform::ResourceLibrary& library,
                    FormSurface& surface);
void TranslateForm2(core::Session& session, platform::ResourceLibrary& library,
                    FormSurface& surface);
void TranslateForm3(core::Session& session, platform::ResourceLibrary& library,
                    FormSurface& surface);
void TranslateForm4(core::Session& session, platform::ResourceLibrary& library,
                    FormSurface& surface);
void TranslateForm6(core::Session& session, platform::ResourceLibrary& library,
                    FormSurface& surface);
void TranslateForm7(core::Session& session, platform::ResourceLibrary& library,
                    FormSurface& surface);
void TranslateFrmAbout(core::Session& session, platform::ResourceLibrary& library,
                       FormSurface& surface);

using FormRoutine = void (*)(core::Session&, platform::ResourceLibrary&, FormSurface&);

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
