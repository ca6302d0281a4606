// Translation: the forms take their captions from the resource library
// "Keylark.dll" as they load, and for the language tag "JP" also Japanese
// fonts. Whether the library exists and what its string 101 holds decide
// everything; the program asks the system nothing about its language.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/session.h"
#include "platform/resource_library.h"

namespace keylark::i18n {

inline constexpr std::uint16_t kLanguageTagId = 101;
// The face of the library font, used only with the tag "JP".
inline constexpr std::uint16_t kLibraryFontId = 8001;
inline constexpr const char* kJapaneseTag = "JP";

// Room LoadLocalString gives a string: 254 bytes and the closing NUL.
inline constexpr int kLocalStringBuffer = 255;

// String `id` of the library, without NUL characters and at most 254 bytes;
// empty when the library or the string is missing. The library is loaded for
// this one string and released again, so a library added or removed while
// the program runs counts from the next string on. Never fails.
std::string LoadLocalString(platform::ResourceLibrary& library, std::uint16_t id);

// The kinds of controls a font rule names. Every window class the forms use
// maps onto one of them (i18n/win/control_kinds.h); Other keeps its font.
enum class ControlKind {
  Other,
  Label,
  CommandButton,
  CheckBox,
  TextBox,
  Frame,
  ListView,
  TreeView
};

// What a caption row sets.
struct CaptionTarget {
  enum class Kind {
    Window,        // the form's own caption
    Control,       // a control, by its id
    MenuItem,      // an item of the key bar's menu bar, by its command id
    MenuBarPopup,  // a drop-down of the key bar's menu bar, by its position
    TrayMenuItem,  // an item of the tray menu, by its command id
  };
  Kind kind = Kind::Window;
  int id = 0;
};

struct CaptionRow {
  CaptionTarget target;
  std::uint16_t string_id = 0;
};

// A new font for a control: the face and character set always, the size
// only when given (in points).
struct FontChange {
  std::string face;
  int char_set = 1;  // DEFAULT_CHARSET
  std::optional<int> points;

  bool operator==(const FontChange&) const = default;
};

// The form being loaded, as the translation changes it.
class FormSurface {
 public:
  virtual ~FormSurface() = default;
  virtual int ControlCount() const = 0;
  virtual ControlKind KindOf(int control) const = 0;
  virtual void SetFont(int control, const FontChange& font) = 0;
  virtual void SetCaption(const CaptionTarget& target, const std::string& text) = 0;
};

// Which controls of a form take which font when the tag is "JP".
struct FontRule {
  std::span<const ControlKind> library_font;  // the library's face, 9 points
  bool gothic_check_boxes = false;            // "MS P Gothic", size kept
};

struct FormTable {
  const char* form;  // the form's name, for traces
  std::span<const CaptionRow> captions;
  std::optional<FontRule> fonts;  // the key bar has none: it never changes fonts
};

// The font a control of `kind` takes under `rule`, if any.
std::optional<FontChange> FontFor(const FontRule& rule, ControlKind kind,
                                  const std::string& library_face);

// Translates one form as it loads: reads the tag into session.LanguageTag;
// with a tag, switches the fonts (tag "JP" and a font rule only), then sets
// every caption of the table, an empty one where the library lacks the
// string.
void TranslateForm(const FormTable& table, core::Session& session,
                   platform::ResourceLibrary& library, FormSurface& surface);

}  // namespace keylark::i18n
