#include "app/startup.h"

#include <cmath>

#include "store/layout.h"

namespace keylark::app {
namespace {

constexpr std::uint32_t kPlatformWin9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr int kDesignFontSize = 12;

struct FirstRunOption {
  const char* name;
  bool on;
};

// The options as the first run writes them, in its order.
constexpr FirstRunOption kFirstRunOptions[] = {
    {store::kExpandListsValue, false}, {store::kAlwaysOnTopValue, false},
    {store::kMarkPopupsValue, true},   {store::kMinimizeOnUseValue, false},
    {store::kHintsValue, true},        {store::kConfirmChangesValue, true}};

bool IsPresent(const store::ScopedKey& key, const char* name) {
  return key.QuerySize(name, nullptr) == platform::kSuccess;
}

// A coordinate as stored, or its first-run value written in its place when
// it is missing; an empty or unreadable one counts as 0.
double ReadOrWriteCoordinate(const store::ScopedKey& key, const char* write_name,
                             const char* read_name, double first_run) {
  if (!IsPresent(key, read_name)) {
    key.Write(write_name, platform::kRegSz, store::EncodePosition(first_run));
    return first_run;
  }
  const std::optional<store::Bytes> data = key.ReadBytes(read_name);
  return data ? store::DecodePosition(data->data(), data->size()) : 0;
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
  // A first run creates the key; a run that stopped half-way through writing
  // it left some values out. Either way each missing value is written as the
  // first run writes it, and only those.
  const store::ScopedKey key(store.Registry(), store::Root::CurrentUser, store::kConfigKey, true);
  for (const FirstRunOption& option : kFirstRunOptions) {
    if (!IsPresent(key, option.name)) {
      key.Write(option.name, platform::kRegSz, store::EncodeFlag(option.on));
    }
  }
  const Twips position{
      ReadOrWriteCoordinate(key, store::kLeftValue, store::kLeftReadName, first_run.left),
      ReadOrWriteCoordinate(key, store::kTopValue, store::kTopReadName, first_run.top)};
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
  options.always_on_top = store.ReadFlag(store::kConfigKey, store::kAlwaysOnTopValue);
  options.mark_popups = store.ReadFlag(store::kConfigKey, store::kMarkPopupsValue);
  options.minimize_on_use = store.ReadFlag(store::kConfigKey, store::kMinimizeOnUseValue);
  options.hints = store.ReadFlag(store::kConfigKey, store::kHintsValue);
  options.confirm_changes = store.ReadFlag(store::kConfigKey, store::kConfirmChangesValue);
  return options;
}

int LabelFontSize(int logical_pixels_per_inch) {
  const double d = logical_pixels_per_inch > 0 ? logical_pixels_per_inch : 96;
  if (d < 97) return RoundHalfEven(kDesignFontSize * 96 / d);
  if (d >= 120) return RoundHalfEven(kDesignFontSize / (d / 96));
  return kDesignFontSize;
}

}  // namespace keylark::app
