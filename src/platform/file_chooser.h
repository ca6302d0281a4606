// The system's dialog for choosing a file to open, as the command editor
// asks for it. The Win32 implementation is GetOpenFileNameA; tests use a fake.
#pragma once

#include <optional>
#include <string>

#include "platform/shell.h"

namespace keylark::platform {

struct FileRequest {
  WindowHandle owner = 0;
  std::string title;
  // Pairs of a description and its patterns, all separated by "|":
  // "Programs (*.exe)|*.exe|All files (*.*)|*.*".
  std::string filter;
  // Where the dialog opens; empty: where the system chooses.
  std::string start_folder;
};

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The full path of the chosen file; nothing when the user cancelled. A
  // chosen shortcut is returned as the shortcut's own path.
  virtual std::optional<std::string> ChooseFileToOpen(const FileRequest& request) = 0;
};

}  // namespace keylark::platform
