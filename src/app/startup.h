// The decisions of start-up and shut-down that do not need a window: the OS
// family probe, where the key bar goes, the first-run defaults, the options.
#pragma once

#include <cstdint>
#include <optional>

#include "core/options.h"
#include "core/session.h"
#include "store/registry_store.h"

namespace keylark::app {

struct OsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t platform_id = 0;
};

// True on the Windows 98/Me family only; false on 95, on every NT version and
// when the version could not be read (nothing given).
bool IsWin9xFamily(const std::optional<OsVersion>& version);

// Sets OsVersionFlag false, then to the probe's answer; returns the answer.
bool ProbeOsVersion(core::Session& session, const std::optional<OsVersion>& version);

struct Twips {
  double left = 0;
  double top = 0;
};

struct TwipsSize {
  double width = 0;
  double height = 0;
};

// A fifth of the free space to the left and above.
Twips FirstRunPlacement(TwipsSize screen, TwipsSize window);

// Where the key bar goes at load. On first run ("ini\cfg" missing) this
// creates "ini\cfg" with the default options and the first-run position.
// Otherwise the saved position is used, except that a negative coordinate
// gives the first-run placement for this run (nothing is written).
Twips RestoreOrInitializePosition(const store::Store& store, Twips first_run);

// At unload: stored unless both coordinates are zero or less.
void SaveKeyBarPosition(const store::Store& store, Twips position);

using core::Options;

// The options, each read with its own open and close.
Options ReadOptions(const store::Store& store);

// The font size of the key labels for the screen's logical pixels per inch:
// 12 points at 96, scaled down on larger settings so the text fits the caps.
int LabelFontSize(int logical_pixels_per_inch);

}  // namespace keylark::app
