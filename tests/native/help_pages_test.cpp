#include "launch/help.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "app/menu_commands.h"
#include "fakes/fake_shell.h"

namespace keylark::launch {
namespace {

// Every topic the menus ask for, and the dialogs' own (101 to 105; the About
// box asks for the general one); each must have a page written in docs/help.
TEST(HelpPages, EveryTopicInUseHasItsOwnPageAndAnyOtherNumberTheIndex) {
  std::set<unsigned long> topics = {101, 102, 103, 104, 105};
  for (int command = 0; command <= static_cast<int>(app::MenuCommand::TrayHelp); ++command) {
    topics.insert(app::MenuItemOf(static_cast<app::MenuCommand>(command)).help_topic);
  }
  std::set<std::string_view> pages;
  for (const unsigned long topic : topics) {
    const std::string_view page = HelpPageOf(topic);
    const std::string name(page.substr(0, page.rfind('.')));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(KEYLARK_SOURCE_DIR) / "docs" /
                                        "help" / (name + ".md")))
        << topic << " " << page;
    EXPECT_NE(page, kHelpIndexPage) << topic;
    pages.insert(page);
  }
  EXPECT_EQ(pages.size(), 11U) << "one page per topic";
  for (const unsigned long unknown : {0UL, 100UL, 106UL, 115UL, 0xFFFFFFFFUL}) {
    EXPECT_EQ(HelpPageOf(unknown), kHelpIndexPage) << unknown;
  }
}

TEST(HelpPages, TheHelpFileComesFirstThenThePageThenTheIndexElseNothing) {
  fakes::CallLog log;
  fakes::FakeShell shell(log);
  const HelpEngine engine = [&log](const std::string& file, unsigned long topic) {
    log.push_back("engine " + file + " " + std::to_string(topic));
  };
  const std::string folder = "C:\\Keylark";
  const std::string hlp = folder + "\\Keylark32.hlp", pages = folder + "\\help\\";
  const struct {
    std::set<std::string> existing;
    const char* opened;  // what the shell or the engine is given; "" for nothing
  } cases[] = {
      {{hlp, pages + "hints.html"}, "engine C:\\Keylark\\Keylark32.hlp 112"},
      {{pages + "hints.html", pages + "index.html"}, "shell-open C:\\Keylark\\help\\hints.html"},
      {{pages + "index.html"}, "shell-open C:\\Keylark\\help\\index.html"},
      {{}, ""},
  };
  for (const auto& c : cases) {
    log.clear();
    shell.existing_paths = c.existing;
    ShowHelp(shell, engine, folder, core::kHintsHelp);
    EXPECT_EQ(log.empty() ? "" : log.front(), c.opened);
    EXPECT_LE(log.size(), 1U);
  }
}

}  // namespace
}  // namespace keylark::launch
