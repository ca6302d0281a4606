// Browse... with an Internet shortcut: the address read from the file, and
// the editor's fields it gives.
#include <gtest/gtest.h>

#include "dialogs/edit_command.h"
#include "fakes/fake_filesystem.h"
#include "fakes/fake_shortcut_library.h"
#include "launch/internet_shortcut.h"

namespace keylark::dialogs {
namespace {

using Url = std::optional<std::string>;

TEST(InternetShortcut, TheFirstUrlOfItsSectionIsTheCommandAndTheNameTheDescription) {
  const std::string padding(100 * 1024, ';');
  const struct {
    std::string text;
    Url url;
  } cases[] = {
      {"[InternetShortcut]\r\nURL=https://example.org/a?b=c\r\n", "https://example.org/a?b=c"},
      {"\xEF\xBB\xBF[internetshortcut]\nurl = mailto:me@example.org \n", "mailto:me@example.org"},
      {"[{000214A0-0000-0000-C000-000000000046}]\r\nURL=wrong\r\n[InternetShortcut]\r\n"
       "IconIndex=0\r\nURL=shell:AppsFolder\\Vendor.App_1abc!App\r\nURL=second\r\n",
       "shell:AppsFolder\\Vendor.App_1abc!App"},
      {"[Other]\nURL=https://not.here/\n", std::nullopt},
      {"[InternetShortcut]\nIconFile=C:\\x.ico\nBASEURL=https://base/\n", std::nullopt},
      {"[InternetShortcut]\nURL=\n", std::nullopt},
      {"", std::nullopt},
      // Beyond what is read: a huge file gives nothing and a cut line is not taken.
      {"[InternetShortcut]\n" + padding + "\nURL=https://far.away/\n", std::nullopt},
      {"[InternetShortcut]\n" + std::string(64 * 1024 - 34, ';') + "\nURL=https://cut.off/x",
       std::nullopt},
      {"[InternetShortcut]\nURL=https://near/\n" + padding, "https://near/"},
  };
  fakes::FakeShortcutLibrary shortcuts;
  fakes::FakeFileSystem files;
  for (const auto& c : cases) {
    files.SetContents("C:\\Links\\Start Page.URL", c.text);
    const std::optional<EditorFields> fields =
        FieldsForChosenFile("C:\\Links\\Start Page.URL", {shortcuts, files});
    const std::string shown = c.text.substr(0, 60);
    EXPECT_EQ(fields.has_value(), c.url.has_value()) << shown;
    if (fields && c.url) {
      EXPECT_EQ(*fields, (EditorFields{"Start Page", *c.url, ""})) << shown;
    }
  }
  EXPECT_FALSE(FieldsForChosenFile("C:\\Links\\Gone.url", {shortcuts, files})) << "unreadable";
  EXPECT_EQ(FieldsForChosenFile("C:\\Tools\\url", {shortcuts, files}),
            (EditorFields{"url", "C:\\Tools\\url", "C:\\Tools"}))
      << "a program named url";
}

}  // namespace
}  // namespace keylark::dialogs
