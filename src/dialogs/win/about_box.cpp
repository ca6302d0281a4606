#include "dialogs/win/about_box.h"

#include "core/help_topics.h"
#include "keylark_version.h"
#include "resource.h"

namespace keylark::dialogs::win {
namespace {

// The box on show, if any.
AboutBox* g_open_box = nullptr;

}  // namespace

void AboutBox::ShowOnce(HINSTANCE instance, const core::Session& session,
                        const ui::win::HelpRoutine& show_help,
                        ui::win::DialogLocalizer& localizer) {
  // A second request comes from within the open box's own message loop.
  if (g_open_box != nullptr) {
    if (g_open_box->IsOpen()) SetForegroundWindow(g_open_box->hwnd());
    return;
  }
  AboutBox box(instance);
  g_open_box = &box;
  box.Show(session, show_help, localizer);
  g_open_box = nullptr;
}

void AboutBox::Show(const core::Session& session, const ui::win::HelpRoutine& show_help,
                    ui::win::DialogLocalizer& localizer) {
  ui::win::DialogContext context;
  context.topmost = session.AlwaysOnTop;
  context.icon_id = IDI_KEYLARK;
  context.show_help = show_help;
  context.help_topic = core::kGeneralHelp;
  context.localizer = &localizer;
  // Without an owner the system disables nothing for the box: it does so
  // itself, before the box exists, so that the box stays enabled.
  ui::win::ProgramModal others(instance_);
  others_ = &others;
  RunModal(instance_, IDD_ABOUT, context);
  others_ = nullptr;
}

void AboutBox::PrepareDesign() {
  // The English banner with the version in place of its "%s", one empty
  // line, the rights notice.
  std::string banner = ProgramText(IDS_ABOUT_BANNER);
  if (const std::size_t at = banner.find("%s"); at != std::string::npos) {
    banner.replace(at, 2, KEYLARK_VERSION_TEXT);
  }
  SetText(IDC_ABOUT_TITLE, banner + "\r\n\r\n" + ProgramText(IDS_RIGHTS_NOTICE));
}

void AboutBox::CloseBox(INT_PTR result) {
  // The windows take input again before the box hides, so the one it covered
  // becomes active rather than some other program's.
  if (others_ != nullptr) others_->Release();
  Close(result);
}

}  // namespace keylark::dialogs::win
