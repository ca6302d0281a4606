#include "launch/help.h"

#include "core/help_topics.h"

namespace keylark::launch {
namespace {

struct TopicPage {
  unsigned long topic;
  const char* page;
};

// Each page's source is docs/help/<name>.md; the build turns it into
// <name>.html in the help folder.
constexpr TopicPage kTopicPages[] = {
    {core::kAssignmentsHelp, "assignments.html"},
    {core::kGeneralHelp, "key-bar.html"},
    {core::kAssignTypeHelp, "assignment-type.html"},
    {core::kEditCommandHelp, "edit-command.html"},
    {core::kConfirmHelp, "confirmation.html"},
    {core::kAlwaysOnTopHelp, "always-on-top.html"},
    {core::kMarkPopupsHelp, "mark-popups.html"},
    {core::kMinimizeOnUseHelp, "minimize-on-use.html"},
    {core::kHintsHelp, "hints.html"},
    {core::kConfirmChangesHelp, "confirm-changes.html"},
    {core::kAboutHelp, "about.html"},
    {core::kScaleWithDisplayHelp, "scale-with-display.html"},
};

}  // namespace

std::string_view HelpPageOf(unsigned long topic) {
  for (const TopicPage& entry : kTopicPages) {
    if (entry.topic == topic) return entry.page;
  }
  return kHelpIndexPage;
}

HelpTarget ChooseHelp(const std::string& program_folder, unsigned long topic,
                      const PathExists& exists) {
  if (program_folder.empty()) return {};
  std::string help_file = program_folder + "\\" + core::kHelpFileName;
  if (exists(help_file)) return {HelpTarget::Kind::HelpEngine, std::move(help_file)};
  const std::string pages = program_folder + "\\" + kHelpFolderName + "\\";
  for (const std::string_view page : {HelpPageOf(topic), std::string_view(kHelpIndexPage)}) {
    std::string path = pages + std::string(page);
    if (exists(path)) return {HelpTarget::Kind::Page, std::move(path)};
  }
  return {};
}

void ShowHelp(platform::Shell& shell, const HelpEngine& engine, const std::string& program_folder,
              unsigned long topic) {
  const HelpTarget target = ChooseHelp(
      program_folder, topic, [&shell](const std::string& path) { return shell.PathExists(path); });
  switch (target.kind) {
    case HelpTarget::Kind::HelpEngine:
      engine(target.path, topic);
      break;
    case HelpTarget::Kind::Page:
      OpenThroughShell(shell, target.path, "");
      break;
    case HelpTarget::Kind::Nothing:
      break;
  }
}

}  // namespace keylark::launch
