// Where help comes from. The old help engine is used when its help file lies
// beside the program, as it always was; without it, each topic has a page in
// the help folder beside the program, opened in the user's browser.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "launch/command_line.h"
#include "platform/shell.h"

namespace keylark::launch {

// The folder of pages beside the program, and its contents page.
inline constexpr const char* kHelpFolderName = "help";
inline constexpr const char* kHelpIndexPage = "index.html";

// The page that explains a topic; the contents page for a topic without one.
std::string_view HelpPageOf(unsigned long topic);

struct HelpTarget {
  enum class Kind { Nothing, HelpEngine, Page };
  Kind kind = Kind::Nothing;
  std::string path;  // the help file, or the page

  bool operator==(const HelpTarget&) const = default;
};

// What help at a topic opens: the help file when it exists; otherwise the
// topic's page, or the contents page when that one is missing; nothing when
// the program's folder is unknown or holds neither.
HelpTarget ChooseHelp(const std::string& program_folder, unsigned long topic,
                      const PathExists& exists);

// Calls the help engine at a topic of its help file; the caller knows which
// window owns the help.
using HelpEngine = std::function<void(const std::string& help_file, unsigned long topic)>;

// The one way every Help button, F1 and help menu item shows help. A page
// goes to the shell, which returns as soon as the browser is on its way;
// missing help does nothing and says nothing.
void ShowHelp(platform::Shell& shell, const HelpEngine& engine, const std::string& program_folder,
              unsigned long topic);

}  // namespace keylark::launch
