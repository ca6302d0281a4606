// The file chooser seam over GetOpenFileNameA.
#pragma once

#include "platform/file_chooser.h"

namespace keylark::platform::win32 {

class Win32FileChooser final : public FileChooser {
 public:
  std::optional<std::string> ChooseFileToOpen(const FileRequest& request) override;
};

}  // namespace keylark::platform::win32
