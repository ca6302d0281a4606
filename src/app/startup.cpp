#include "app/startup.h"

#include <cmath>

#include "store/layout.h"

namespace keylark::app {
namespace {

constexpr std::uint32_t kPlatformWin9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr int kDesignFontSize = 12;

void WriteFirstRunDefaults(const store::Store& store, Twips position) {
  using store::KeyMode;
  const store::ScopedKey key(store.Registry(), store::Root::CurrentUser, store::kConfigKey, true);
  key.Write(store::kExpandListsValue, platform::kRegSz, store::EncodeFlag(false));
  for (const core::OptionInfo& option : core::kOptionTable) {
    if (!option.written_at_first_run) continue;
    key.Write(option.value_name, platform::kRegSz, store::EncodeFlag(option.first_run_on));
  }
  key.Write(store::kLeftValue, platform::kRegSz, store::EncodePosition(position.left));
  key.Write(store::kTopValue, platform::kRegSz, store::EncodePosition(position.top));
}

// Round half to even, the rounding of the font rule.
int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

bool IsWin9xFamily(const std::optional<OsVersion>& version) {
  if (!version) return false;
  return (version->major == 4 && version->minor > 0) ||
         (version->major > 4 && version->platform_id == kPlatformWin9x);
}

bool ProbeOsVersion(core::Session& session, const std::optional<OsVersion>& version) {
  session.OsVersionFlag = false;
  session.OsVersionFlag = IsWin9xFamily(version);
  return session.OsVersionFlag;
}

Twips FirstRunPlacement(TwipsSize screen, TwipsSize window) {
  return {(screen.width - window.width) / 5, (screen.height - window.height) / 5};
}

Twips RestoreOrInitializePosition(const store::Store& store, Twips first_run) {
  if (!store.KeyExists(store::Root::CurrentUser, store::kConfigKey)) {
    WriteFirstRunDefaults(store, first_run);
    return first_run;
  }
  Twips position;
  const std::optional<double> left = store.ReadPosition(store::kLeftReadName);
  if (left) {
    position.left = *left;
    position.top = store.ReadPosition(store::kTopReadName).value_or(0);
  }
  if (position.left < 0 || position.top < 0) return first_run;
  return position;
}

void SaveKeyBarPosition(const store::Store& store, Twips position) {
  if (position.left <= 0 && position.top <= 0) return;
  const store::ScopedKey key(store.Registry(), store::Root::CurrentUser, store::kConfigKey, false);
  key.Write(store::kLeftValue, platform::kRegSz, store::EncodePosition(position.left));
  key.Write(store::kTopValue, platform::kRegSz, store::EncodePosition(position.top));
}

Options ReadOptions(const store::Store& store) {
  Options options;
  for (const core::OptionInfo& option : core::kOptionTable) {
    options.*option.member = store.ReadFlag(store::kConfigKey, option.value_name);
  }
  return options;
}

int LabelFontSize(int logical_pixels_per_inch) {
  const double d = logical_pixels_per_inch > 0 ? logical_pixels_per_inch : 96;
  if (d < 97) return RoundHalfEven(kDesignFontSize * 96 / d);
  if (d >= 120) return RoundHalfEven(kDesignFontSize / (d / 96));
  return kDesignFontSize;
}

}  // namespace keylark::app
