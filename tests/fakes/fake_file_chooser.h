// A file dialog that answers with a prepared choice, or cancels.
#pragma once

#include "platform/file_chooser.h"

namespace keylark::fakes {

class FakeFileChooser final : public platform::FileChooser {
 public:
  std::optional<std::string> ChooseFileToOpen(const platform::FileRequest& request) override {
    asked = request;
    return choice;
  }

  std::optional<std::string> choice;  // nothing: the user cancels
  std::optional<platform::FileRequest> asked;
};

}  // namespace keylark::fakes
