#include "i18n/translation.h"

#include <algorithm>
#include <array>

namespace keylark::i18n {
namespace {

inline constexpr const char* kGothicFace = "MS P Gothic";
inline constexpr int kLibraryFontPoints = 9;
inline constexpr int kDefaultCharSet = 1;

void SwitchFonts(const FontRule& rule, platform::ResourceLibrary& library, FormSurface& surface) {
  const std::string library_face = LoadLocalString(library, kLibraryFontId);
  for (int control = 0; control < surface.ControlCount(); ++control) {
    if (std::optional<FontChange> font = FontFor(rule, surface.KindOf(control), library_face)) {
      surface.SetFont(control, *font);
    }
  }
}

}  // namespace

std::string LoadLocalString(platform::ResourceLibrary& library, std::uint16_t id) {
  std::array<char, kLocalStringBuffer> buffer{};
  const platform::ResourceLibrary::Handle loaded = library.LoadAsDataFile();
  if (loaded == nullptr) return {};
  std::string result;
  if (library.ReadString(loaded, id, buffer.data(), kLocalStringBuffer) > 0) {
    // The whole buffer without its NULs: the string, and whatever followed
    // a NUL inside it.
    std::copy_if(buffer.begin(), buffer.end(), std::back_inserter(result),
                 [](char c) { return c != '\0'; });
  }
  library.Free(loaded);
  return result;
}

std::optional<FontChange> FontFor(const FontRule& rule, ControlKind kind,
                                  const std::string& library_face) {
  if (std::ranges::find(rule.library_font, kind) != rule.library_font.end()) {
    return FontChange{library_face, kDefaultCharSet, kLibraryFontPoints};
  }
  if (kind == ControlKind::CheckBox && rule.gothic_check_boxes) {
    return FontChange{kGothicFace, kDefaultCharSet, std::nullopt};
  }
  return std::nullopt;
}

void TranslateForm(const FormTable& table, core::Session& session,
                   platform::ResourceLibrary& library, FormSurface& surface) {
  session.LanguageTag = LoadLocalString(library, kLanguageTagId);
  if (session.LanguageTag.empty()) return;
  if (table.fonts && session.LanguageTag == kJapaneseTag)
    SwitchFonts(*table.fonts, library, surface);
  for (const CaptionRow& row : table.captions) {
    surface.SetCaption(row.target, LoadLocalString(library, row.string_id));
  }
}

}  // namespace keylark::i18n
