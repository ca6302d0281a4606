#include "launch/help.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "app/menu_commands.h"
#include "fakes/fake_shell.h"

namespace keylark::launch {
namespace {

using Cmd = app::MenuCommand;

// The option values and the help file's topic numbers are fixed outside the
// program. Each topic in use, the dialogs' own included, has a page written in
// docs/help; any other number opens the contents page.
TEST(HelpPages, EachMenuItemTogglesItsOptionAndEveryTopicInUseHasItsOwnPage) {
  const struct {
    Cmd command;
    const char* option;  // "-": the item toggles nothing
    unsigned long topic;
  } items[] = {
      {Cmd::Assignments, "-", 102},
      {Cmd::AlwaysOnTop, "opts1", 109},
      {Cmd::MarkPopups, "opts2", 110},
      {Cmd::MinimizeOnUse, "opts3", 111},
      {Cmd::Hints, "opts4", 112},
      {Cmd::ConfirmChanges, "opts5", 113},
      {Cmd::HelpIndex, "-", 102},
      {Cmd::About, "-", 114},
      {Cmd::TrayLaunch, "-", 102},
      {Cmd::TrayHelp, "-", 102},
      {Cmd::ScaleWithDisplay, "ScaleWithDisplay", 115},
  };
  std::set<unsigned long> topics = {101, 103, 104, 105};
  for (const auto& item : items) {
    const app::MenuItemInfo& info = app::MenuItemOf(item.command);
    EXPECT_EQ(std::string(info.option ? info.option : "-"), item.option) << item.topic;
    EXPECT_EQ(info.help_topic, item.topic) << item.option;
    topics.insert(info.help_topic);
  }
  std::set<std::string_view> pages;
  const std::string kDocs = std::string(KEYLARK_SOURCE_DIR) + "/docs/help/";
  for (const unsigned long topic : topics) {
    const std::string_view page = HelpPageOf(topic);
    const std::string name(page.substr(0, page.rfind('.')));
    EXPECT_TRUE(std::filesystem::exists(kDocs + name + ".md")) << topic << " " << page;
    pages.insert(page);
  }
  EXPECT_EQ(pages.size(), 12U) << "one page per topic";
  EXPECT_FALSE(pages.count(kHelpIndexPage));
  for (const unsigned long other : {0UL, 100UL, 106UL, 116UL, 0xFFFFFFFFUL})
    EXPECT_EQ(HelpPageOf(other), kHelpIndexPage) << other;
}

TEST(HelpPages, TheHelpFileComesFirstThenThePageThenTheIndexElseNothing) {
  fakes::CallLog log;
  fakes::FakeShell shell(log);
  const HelpEngine engine = [&log](const std::string& file, unsigned long topic) {
    log.push_back("engine " + file + " " + std::to_string(topic));
  };
  const std::string pages = "C:\\Keylark\\help\\";
  const struct {
    std::set<std::string> existing;
    std::string opened;  // by the shell or the engine; "" for nothing
  } cases[] = {
      {{"C:\\Keylark\\Keylark32.hlp", pages + "hints.html"},
       "engine C:\\Keylark\\Keylark32.hlp 112"},
      {{pages + "hints.html", pages + "index.html"}, "shell-open " + pages + "hints.html"},
      {{pages + "index.html"}, "shell-open " + pages + "index.html"},
      {{}, ""},
  };
  for (const auto& c : cases) {
    log.clear();
    shell.existing_paths = c.existing;
    ShowHelp(shell, engine, "C:\\Keylark", core::kHintsHelp);
    EXPECT_EQ(log, c.opened.empty() ? fakes::CallLog{} : fakes::CallLog{c.opened});
  }
}

}  // namespace
}  // namespace keylark::launch
