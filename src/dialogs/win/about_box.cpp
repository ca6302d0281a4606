#include "dialogs/win/about_box.h"

#include "core/help_topics.h"
#include "resource.h"

namespace keylark::dialogs::win {

void AboutBox::Show(const core::Session& session, const ui::win::HelpRoutine& show_help) {
  ui::win::DialogContext context;
  context.topmost = session.AlwaysOnTop;
  context.icon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_KEYLARK));
  context.show_help = show_help;
  context.help_topic = core::kGeneralHelp;
  RunModal(instance_, IDD_ABOUT, context);
}

bool AboutBox::OnInit() {
  // The English banner, one empty line, the rights notice.
  const std::string banner = ui::win::ResourceText(instance_, IDS_ABOUT_BANNER) + "\r\n\r\n" +
                             ui::win::ResourceText(instance_, IDS_RIGHTS_NOTICE);
  SetText(IDC_ABOUT_TITLE, banner);
  return true;
}

}  // namespace keylark::dialogs::win
