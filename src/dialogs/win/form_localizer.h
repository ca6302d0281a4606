// The dialogs' translation: each dialog, as it loads, takes its captions and
// fonts from the resource library by its template id.
#pragma once

#include "core/session.h"
#include "platform/resource_library.h"
#include "ui/win/dialog.h"

namespace keylark::dialogs::win {

class FormLocalizer final : public ui::win::DialogLocalizer {
 public:
  FormLocalizer(core::Session& session, platform::ResourceLibrary& library)
      : session_(session), library_(library) {}

  std::vector<platform::win32::Font> Localize(HWND dialog, int template_id) override;

 private:
  core::Session& session_;
  platform::ResourceLibrary& library_;
};

}  // namespace keylark::dialogs::win
