#include "launch/help.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "app/menu_commands.h"
#include "fakes/fake_shell.h"

namespace keylark::launch {
namespace {

using Kind = HelpTarget::Kind;

// Every topic a menu item or a dialog asks for: the dialogs ask for 101 to
// 105 (the About box for the general topic), the menus for the rest.
std::set<unsigned long> TopicsInUse() {
  std::set<unsigned long> topics = {core::kAssignmentsHelp, core::kGeneralHelp,
                                    core::kAssignTypeHelp, core::kEditCommandHelp,
                                    core::kConfirmHelp};
  for (int command = 0; command <= static_cast<int>(app::MenuCommand::TrayHelp); ++command) {
    topics.insert(app::MenuItemOf(static_cast<app::MenuCommand>(command)).help_topic);
  }
  return topics;
}

// A page's source is the Markdown file of the same name under docs/help.
bool HasSource(std::string_view page) {
  std::string name(page.substr(0, page.rfind('.')));
  return std::filesystem::exists(std::filesystem::path(KEYLARK_SOURCE_DIR) / "docs" / "help" /
                                 (name + ".md"));
}

TEST(HelpPages, EveryTopicInUseHasAPageOfItsOwnWrittenInTheSources) {
  const std::set<unsigned long> topics = TopicsInUse();
  EXPECT_EQ(topics.size(), 11U);
  std::set<std::string_view> pages;
  for (const unsigned long topic : topics) {
    SCOPED_TRACE(topic);
    const std::string_view page = HelpPageOf(topic);
    EXPECT_NE(page, kHelpIndexPage);
    EXPECT_TRUE(HasSource(page)) << page;
    pages.insert(page);
  }
  EXPECT_EQ(pages.size(), topics.size()) << "no two topics share a page";
  EXPECT_TRUE(HasSource(kHelpIndexPage));
  for (const unsigned long unknown : {0UL, 100UL, 106UL, 108UL, 115UL, 0xFFFFFFFFUL}) {
    EXPECT_EQ(HelpPageOf(unknown), kHelpIndexPage) << unknown;
  }
}

class HelpChoice : public ::testing::Test {
 protected:
  HelpTarget Choose(unsigned long topic, const std::string& folder = "C:\\Keylark") {
    return ChooseHelp(folder, topic, [this](const std::string& path) {
      return shell_.existing_paths.count(path) > 0;
    });
  }
  // Shows help and returns what reached the shell and the help engine.
  fakes::CallLog Show(unsigned long topic) {
    ShowHelp(
        shell_,
        [this](const std::string& file, unsigned long at) {
          log_.push_back("engine " + file + " " + std::to_string(at));
        },
        "C:\\Keylark", topic);
    return log_;
  }

  fakes::CallLog log_;
  fakes::FakeShell shell_{log_};
};

TEST_F(HelpChoice, TheHelpFileWinsOverThePagesAndGetsTheTopicAsAsked) {
  shell_.existing_paths = {"C:\\Keylark\\Keylark32.hlp", "C:\\Keylark\\help\\hints.html",
                           "C:\\Keylark\\help\\index.html"};
  EXPECT_EQ(Show(core::kHintsHelp), fakes::CallLog{"engine C:\\Keylark\\Keylark32.hlp 112"});
  EXPECT_EQ(Choose(999).kind, Kind::HelpEngine) << "the engine knows its own topics";
}

TEST_F(HelpChoice, WithoutTheHelpFileThePageOpensAndAMissingPageFallsBackToTheIndex) {
  shell_.existing_paths = {"C:\\Keylark\\help\\assignment-type.html",
                           "C:\\Keylark\\help\\index.html"};
  EXPECT_EQ(Show(core::kAssignTypeHelp),
            fakes::CallLog{"shell-open C:\\Keylark\\help\\assignment-type.html"});
  EXPECT_EQ(Choose(core::kHintsHelp), (HelpTarget{Kind::Page, "C:\\Keylark\\help\\index.html"}));
  EXPECT_EQ(Choose(4242), (HelpTarget{Kind::Page, "C:\\Keylark\\help\\index.html"}));
}

TEST_F(HelpChoice, NoHelpAtAllOrAnUnknownFolderDoesNothing) {
  EXPECT_TRUE(Show(core::kGeneralHelp).empty());
  shell_.existing_paths = {"\\Keylark32.hlp", "\\help\\index.html", "help\\index.html"};
  EXPECT_EQ(Choose(core::kGeneralHelp, ""), HelpTarget{});
}

TEST_F(HelpChoice, APageThePathLimitKeepsFromTheShellIsDropped) {
  const std::string deep = "C:\\" + std::string(250, 'd');
  shell_.existing_paths = {deep + "\\help\\key-bar.html"};
  ShowHelp(shell_, nullptr, deep, core::kGeneralHelp);
  EXPECT_TRUE(log_.empty());
}

}  // namespace
}  // namespace keylark::launch
