#include "dialogs/win/about_box.h"

#include "core/help_topics.h"
#include "keylark_version.h"
#include "resource.h"

namespace keylark::dialogs::win {

void AboutBox::Show(const core::Session& session, const std::string& help_file) {
  ui::win::DialogContext context;
  context.topmost = session.AlwaysOnTop;
  context.icon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_KEYLARK));
  context.help_file = help_file;
  context.help_topic = core::kGeneralHelp;
  RunModal(instance_, IDD_ABOUT, context);
}

bool AboutBox::OnInit() {
  // The English banner with the version in place of its "%s", one empty
  // line, the rights notice.
  std::string banner = ui::win::ResourceText(instance_, IDS_ABOUT_BANNER);
  if (const std::size_t at = banner.find("%s"); at != std::string::npos) {
    banner.replace(at, 2, KEYLARK_VERSION_TEXT);
  }
  SetText(IDC_ABOUT_TITLE,
          banner + "\r\n\r\n" + ui::win::ResourceText(instance_, IDS_RIGHTS_NOTICE));
  return true;
}

}  // namespace keylark::dialogs::win
