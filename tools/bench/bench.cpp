// The benchmark: Keylark side by side with a bare one-window program, in
// alternating runs, and a table of medians with each figure's ratio to the
// bare program's in the same run and its goal.
//   bench.exe [--verbose] [--runs N] [--launches-per-run N] [--launches N] [--bin FOLDER]
// --runs: alternating runs of each program (at least 7 for a fair median);
// --launches-per-run: Fn-key launches timed in each run;
// --launches: launches of the long run that watches memory and objects (0: none);
// --bin: where Keylark.exe and KRVSVR.dll are (default: ..\bin from here);
// --popup-lists: only Keylark's popup lists of 500 and 10,000 items against a
//   bare program's flat menu of the same items, in this many runs each;
// --verbose: each run's figures as they come, on the error output.
// It rewrites the current user's Keylark registry: run it in a throw-away
// Wine session, as tools/bench.sh does.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <commctrl.h>

#include "clock.h"
#include "core/window_messages.h"
#include "measure/measure_points.h"
#include "measured_program.h"
#include "popup_bench.h"
#include "statistics.h"
#include "window_wait.h"
#include "resource.h"
#include "store/layout.h"

namespace keylark::bench {
namespace {

using measure::Point;

constexpr std::size_t kPointCount = static_cast<std::size_t>(Point::Count);

struct Settings {
  int runs = 21;
  int launches_per_run = 21;
  int launches = 1000;
  std::string bin;
  bool verbose = false;             // each run's figures as they come
  bool scale_with_display = false;  // the key bar drawn at the display's scale
  int popup_list_runs = 0;          // not 0: only the popup lists of 500 and 10,000 items
};

struct Paths {
  std::string bare;
  std::string keylark;
  std::string measured;
  std::string target;
  std::string krvsvr;
};

// What one program gave over all runs.
struct Samples {
  std::vector<double> start_ms;
  std::vector<double> launch_ms;
  std::vector<double> queue_ms;     // report posted -> handling begins
  std::vector<double> handling_ms;  // own handling, outside the shell
  std::vector<double> shell_ms;     // inside the shell's program start
  std::vector<double> after_ms;     // handling ends -> target runs
  std::vector<double> working_set_mb;
  std::vector<std::vector<double>> step_ms = std::vector<std::vector<double>>(kPointCount);
};

// What the long run with many launches gave.
struct LongRun {
  double working_set_mb = 0;
  std::intptr_t gdi[3] = {0, 0, 0};  // after start, after the first launch, at the end
  std::intptr_t user[3] = {0, 0, 0};
};

const char* const kStepNames[kPointCount] = {
    "process start -> program code",
    "single-instance test",
    "window class, icon, cursor, menu",
    "load: size",
    "load: keyboard picture",
    "load: help file",
    "load: lay out the labels",
    "load: captions (Keylark.dll)",
    "load: publish the window handle",
    "load: key names",
    "load: first-run defaults / position",
    "load: options",
    "load: RefreshKeyMarks",
    "load: window procedure",
    "window created",
    "shown and painted",
    "after showing: common controls, tray icon",
    "after showing: label tips",
};

double Megabytes(std::size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string ThisFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return FolderOf(path);
}

std::optional<Settings> ParseArguments(int argc, char** argv) {
  Settings settings;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--verbose") == 0) {
      settings.verbose = true;
      continue;
    }
    if (std::strcmp(argv[i], "--scale-with-display") == 0) {
      settings.scale_with_display = true;
      continue;
    }
    if (i + 1 >= argc) return std::nullopt;
    const int number = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--runs") == 0 && number > 0) {
      settings.runs = number;
    } else if (std::strcmp(argv[i], "--launches-per-run") == 0 && number > 0) {
      settings.launches_per_run = number;
    } else if (std::strcmp(argv[i], "--launches") == 0 && number >= 0) {
      settings.launches = number;
    } else if (std::strcmp(argv[i], "--popup-lists") == 0 && number > 0) {
      settings.popup_list_runs = number;
    } else if (std::strcmp(argv[i], "--bin") == 0) {
      settings.bin = argv[i + 1];
    } else {
      return std::nullopt;
    }
    ++i;
  }
  return settings;
}

Paths FindPrograms(const Settings& settings) {
  const std::string here = ThisFolder();
  const std::string bin = settings.bin.empty() ? here + "\\..\\bin" : settings.bin;
  return {here + "\\bench_bare.exe", bin + "\\Keylark.exe", here + "\\KeylarkMeasured.exe",
          here + "\\bench_target.exe", bin + "\\KRVSVR.dll"};
}

std::optional<long long> FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool WriteText(const char* key_path, const char* name, const std::string& text) {
  HKEY key = nullptr;
  if (RegCreateKeyA(HKEY_CURRENT_USER, key_path, &key) != ERROR_SUCCESS) return false;
  const LSTATUS status =
      RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

// A fresh store in which Fn-E starts the target through the shell.
bool PrepareStore(const Paths& paths) {
  RegDeleteTreeA(HKEY_CURRENT_USER, store::kMakerKey);
  return WriteText(store::kCommandKey, "Fn-E", paths.target) &&
         WriteText(store::kSwitchFlagKey, "Fn-E", "0");
}

bool Fail(const char* what, const std::string& program) {
  std::fprintf(stderr, "bench: %s: %s\n", what, program.c_str());
  return false;
}

// Whatever a first start does once (Keylark writes its first-run defaults,
// the files come into the cache) stays out of the figures.
bool WarmUp(const Paths& paths) {
  for (const std::string* path : {&paths.bare, &paths.keylark, &paths.measured}) {
    MeasuredProgram program(*path);
    if (!program.Start()) return Fail("did not show its window", *path);
    program.WaitUntilIdle();
    program.Close();
  }
  // Minimize On Use off: the key bar stays up from one launch to the next.
  return WriteText(store::kConfigKey, store::kMinimizeOnUseValue, "0");
}

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

bool SetScaleWithDisplay(bool on) {
  return WriteText(store::kConfigKey, store::kScaleWithDisplayValue, on ? "1" : "0");
}

void RecordSteps(const MeasuredProgram& program, Samples* samples) {
  std::int64_t previous = program.StartTime();
  for (std::size_t i = 0; i < kPointCount; ++i) {
    const std::optional<std::intptr_t> at =
        program.Ask(Question::PointTime, static_cast<std::intptr_t>(i));
    if (!at || *at == kNotPassed) continue;
    samples->step_ms[i].push_back(static_cast<double>(*at - previous) / 1000.0);
    previous = *at;
  }
}

// One run of one program: start, settle, time some launches, close.
bool MeasureOnce(const std::string& path, int launches, HANDLE target_started, Samples* samples) {
  MeasuredProgram program(path);
  if (!program.Start()) return Fail("did not show its window", path);
  samples->start_ms.push_back(program.MillisecondsToVisible());
  program.WaitUntilIdle();
  samples->working_set_mb.push_back(Megabytes(program.WorkingSetBytes()));
  const bool probed = program.HasProbe();
  if (probed) RecordSteps(program, samples);
  Samples run;
  for (int i = 1; i <= launches; ++i) {
    const std::optional<MeasuredProgram::Launch> launch = program.LaunchFnE(target_started);
    if (!launch) return Fail("did not start the target of Fn-E", path);
    run.launch_ms.push_back(static_cast<double>(launch->target_started - launch->posted) / 1000);
    if (!probed) continue;
    if (!program.WaitForHandledCount(i)) return Fail("did not finish handling Fn-E", path);
    const auto began = program.Ask(Question::FnKeyStartTime);
    const auto total = program.Ask(Question::FnKeyMicroseconds);
    const auto shell = program.Ask(Question::FnKeyShellMicroseconds);
    if (!began || !total || !shell) return Fail("did not tell its handling time", path);
    run.queue_ms.push_back(static_cast<double>(*began - launch->posted) / 1000);
    run.handling_ms.push_back(static_cast<double>(*total - *shell) / 1000);
    run.shell_ms.push_back(static_cast<double>(*shell) / 1000);
    run.after_ms.push_back(static_cast<double>(launch->target_started - *began - *total) / 1000);
  }
  samples->launch_ms.push_back(Median(run.launch_ms));
  if (probed) {
    samples->queue_ms.push_back(Median(run.queue_ms));
    samples->handling_ms.push_back(Median(run.handling_ms));
    samples->shell_ms.push_back(Median(run.shell_ms));
    samples->after_ms.push_back(Median(run.after_ms));
  }
  program.Close();
  return true;
}

bool CountObjects(const MeasuredProgram& program, int slot, LongRun* run) {
  if (!program.HasProbe()) return true;
  program.WaitUntilIdle();
  const auto gdi = program.Ask(Question::GdiObjects);
  const auto user = program.Ask(Question::UserObjects);
  if (!gdi || !user) return false;
  run->gdi[slot] = *gdi;
  run->user[slot] = *user;
  return true;
}

// Many launches of a target that ends at once: memory and object counts.
bool MeasureLongRun(const std::string& path, int launches, HANDLE target_started, LongRun* run) {
  MeasuredProgram program(path);
  if (!program.Start()) return Fail("did not show its window", path);
  program.WaitUntilIdle();
  if (!CountObjects(program, 0, run)) return Fail("did not count its objects", path);
  for (int i = 1; i <= launches; ++i) {
    if (!program.LaunchFnE(target_started)) return Fail("did not start the target of Fn-E", path);
    if (i == 1 && !CountObjects(program, 1, run)) return Fail("did not count its objects", path);
  }
  if (!CountObjects(program, 2, run)) return Fail("did not count its objects", path);
  program.WaitUntilIdle();
  run->working_set_mb = Megabytes(program.WorkingSetBytes());
  program.Close();
  return true;
}

// ---- windows opened from the key bar ----

constexpr int kLongListItems = 500;

// Fn-A pops up a list of 500 items, and the assignments window opens with
// popup lists expanded.
bool PrepareLongList() {
  if (!WriteText(store::kCommandKey, "Fn-A", "@C:\\Bench") ||
      !WriteText(store::PopupListKey("Fn-A").c_str(), store::kFileCountValue,
                 std::to_string(kLongListItems)) ||
      !WriteText(store::kConfigKey, store::kExpandListsValue, "1")) {
    return false;
  }
  for (int i = 0; i < kLongListItems; ++i) {
    const std::string item = "Program " + std::to_string(1000 + i);
    if (!WriteText(store::PopupItemKey("Fn-A", item).c_str(), item.c_str(),
                   "C:\\Bench\\" + item + ".lnk")) {
      return false;
    }
  }
  return true;
}

struct WindowTimes {
  std::vector<double> list_ms;   // menu item -> assignments window shown, every row in it
  std::vector<double> popup_ms;  // Fn-key report -> popup list menu shown
};

// The assignments window with 24 keys and the 500 items, and the popup list
// of the 500 items, each opened and closed again `runs` times in one Keylark.
bool MeasureWindows(const std::string& path, int runs, WindowTimes* times) {
  MeasuredProgram program(path);
  if (!program.Start()) return Fail("did not show its window", path);
  program.WaitUntilIdle();
  const HWND key_bar = program.Window();
  const DWORD process = program.ProcessId();
  const int rows = 24 + kLongListItems;
  for (int run = 0; run < runs; ++run) {
    std::int64_t start = NowMicroseconds();
    PostMessageA(key_bar, WM_COMMAND, IDM_ASSIGNMENTS, 0);
    HWND list_window = nullptr;
    if (!Await([&] {
          list_window = VisibleWindow("#32770", "Function Key Assignments", process);
          return list_window != nullptr &&
                 SendMessageA(GetDlgItem(list_window, IDC_AL_LIST), LVM_GETITEMCOUNT, 0, 0) == rows;
        })) {
      return Fail("did not list the 500 items", path);
    }
    times->list_ms.push_back(static_cast<double>(NowMicroseconds() - start) / 1000);
    PostMessageA(list_window, WM_COMMAND, IDOK, 0);
    if (!Await([&] { return !IsWindow(list_window); })) return Fail("kept its list", path);
    program.WaitUntilIdle();

    start = NowMicroseconds();
    PostMessageA(key_bar, core::FnKeyMessage, core::kFnKeyReportWParam, 0x1E);  // Fn-A
    HWND menu = nullptr;
    if (!Await([&] { return (menu = VisibleWindow("#32768", nullptr, process)) != nullptr; })) {
      return Fail("did not pop up the list of Fn-A", path);
    }
    times->popup_ms.push_back(static_cast<double>(NowMicroseconds() - start) / 1000);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    if (!Await([&] { return VisibleWindow("#32768", nullptr, process) == nullptr; })) {
      return Fail("kept its popup list", path);
    }
    program.WaitUntilIdle();
  }
  program.Close();
  return true;
}

// ---- the table ----

void Rule() { std::printf("%s\n", std::string(108, '-').c_str()); }

void Row(const char* figure, const std::string& bare, const std::string& keylark,
         const std::string& ratio, const std::string& goal, const std::string& verdict) {
  std::printf("%-44s %14s %14s %8s %11s  %s\n", figure, bare.c_str(), keylark.c_str(),
              ratio.c_str(), goal.c_str(), verdict.c_str());
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string RatioText(double ratio) {
  return ratio > 0 ? Format("%.2fx", ratio) : std::string("-");
}

const char* Verdict(bool met) { return met ? "met" : "NOT MET"; }

void RatioRow(const char* figure, const char* unit_format, double bare, double keylark,
              double ratio, double goal) {
  Row(figure, Format(unit_format, bare), Format(unit_format, keylark), RatioText(ratio),
      Format("<= %.2fx", goal), Verdict(ratio > 0 && ratio <= goal));
}

// A time taken in every run: median and least (which other work on the
// machine disturbs the least), and the median of the runs' ratios.
void TimesRow(const char* figure, const std::vector<double>& bare,
              const std::vector<double>& keylark, double goal) {
  const auto times = [](const std::vector<double>& values) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f (%.1f)", Median(values), Minimum(values));
    return std::string(text);
  };
  const double ratio = PairedRatio(keylark, bare);
  Row(figure, times(bare), times(keylark), RatioText(ratio), Format("<= %.2fx", goal),
      Verdict(ratio > 0 && ratio <= goal));
}

std::string Counts(const std::intptr_t (&counts)[3]) {
  char text[64];
  std::snprintf(text, sizeof text, "%lld/%lld/%lld", static_cast<long long>(counts[0]),
                static_cast<long long>(counts[1]), static_cast<long long>(counts[2]));
  return text;
}

void SizeRow(const char* figure, const std::optional<long long>& bare,
             const std::optional<long long>& size, long long limit) {
  const auto kib = [](const std::optional<long long>& bytes) {
    return bytes ? Format("%.1f KiB", static_cast<double>(*bytes) / 1024.0) : std::string("-");
  };
  Row(figure, kib(bare), kib(size), "-", Format("<= %.0f KiB", static_cast<double>(limit) / 1024),
      Verdict(size && *size <= limit));
}

// Median, and in brackets the least time seen, which other work on the
// machine disturbs the least.
std::string StepTime(const std::vector<double>& values) {
  if (values.empty()) return "-";
  char text[64];
  std::snprintf(text, sizeof text, "%.2f (%.2f)", Median(values), Minimum(values));
  return text;
}

void PrintSteps(const Samples& bare, const Samples& measured) {
  std::printf("\nStart-up steps (measurement build): median ms of each step, least in brackets\n");
  Rule();
  Row("step", "bare", "Keylark", "", "", "");
  double bare_total = 0;
  double keylark_total = 0;
  for (std::size_t i = 0; i < kPointCount; ++i) {
    if (i == static_cast<std::size_t>(Point::TrayIcon)) {
      Row("start -> shown (sum of the medians above)", Format("%.2f", bare_total),
          Format("%.2f", keylark_total), "", "", "");
    }
    if (bare.step_ms[i].empty() && measured.step_ms[i].empty()) continue;
    bare_total += Median(bare.step_ms[i]);
    keylark_total += Median(measured.step_ms[i]);
    Row(kStepNames[i], StepTime(bare.step_ms[i]), StepTime(measured.step_ms[i]), "", "", "");
  }
}

void PrintTable(const Settings& settings, const Paths& paths, const Samples& bare,
                const Samples& keylark, const Samples& measured, const LongRun& bare_long,
                const LongRun& keylark_long, const LongRun& measured_long) {
  std::printf("\nKeylark against a bare one-window program: medians of %d alternating runs",
              settings.runs);
  std::printf(
      " (%d launches timed in each);\nleast in brackets; ratio: the median of the runs' own "
      "ratios\n",
      settings.launches_per_run);
  Rule();
  Row("figure", "bare", "Keylark", "ratio", "goal", "");
  Rule();
  TimesRow("start -> visible, handle published (ms)", bare.start_ms, keylark.start_ms, 1.1);
  Row("  the same for the measurement build", "",
      Format("%.1f", Median(measured.start_ms)) + Format(" (%.1f)", Minimum(measured.start_ms)),
      RatioText(PairedRatio(measured.start_ms, bare.start_ms)), "", "");
  TimesRow("Fn-key report posted -> target runs (ms)", bare.launch_ms, keylark.launch_ms, 1.1);
  const double handling = Median(measured.handling_ms);
  Row("  posted -> handling begins", Format("%.2f ms", Median(bare.queue_ms)),
      Format("%.2f ms", Median(measured.queue_ms)), "-", "", "");
  Row("  own handling (outside the shell)", Format("%.3f ms", Median(bare.handling_ms)),
      Format("%.3f ms", handling), "-", "< 1 ms", Verdict(handling < 1.0));
  Row("  inside the shell's program start", Format("%.2f ms", Median(bare.shell_ms)),
      Format("%.2f ms", Median(measured.shell_ms)), "-", "", "");
  Row("  handling ends -> target runs", Format("%.2f ms", Median(bare.after_ms)),
      Format("%.2f ms", Median(measured.after_ms)), "-", "", "");
  RatioRow("working set after start", "%.1f MiB", Median(bare.working_set_mb),
           Median(keylark.working_set_mb), PairedRatio(keylark.working_set_mb, bare.working_set_mb),
           1.3);
  if (settings.launches > 0) {
    const std::string after =
        "working set after " + std::to_string(settings.launches) + " launches";
    const double bare_mb = bare_long.working_set_mb;
    const double keylark_mb = keylark_long.working_set_mb;
    RatioRow(after.c_str(), "%.1f MiB", bare_mb, keylark_mb, bare_mb > 0 ? keylark_mb / bare_mb : 0,
             1.3);
    const bool gdi_steady = measured_long.gdi[2] <= measured_long.gdi[1];
    const bool user_steady = measured_long.user[2] <= measured_long.user[1];
    Row("GDI objects: start/1st launch/last launch", Counts(bare_long.gdi),
        Counts(measured_long.gdi), "-", "no growth", Verdict(gdi_steady));
    Row("USER objects: start/1st launch/last launch", Counts(bare_long.user),
        Counts(measured_long.user), "-", "no growth", Verdict(user_steady));
  }
  SizeRow("file size: Keylark.exe", FileSize(paths.bare), FileSize(paths.keylark), 512 * 1024);
  SizeRow("file size: KRVSVR.dll", std::nullopt, FileSize(paths.krvsvr), 64 * 1024);
  Rule();
  std::printf(
      "Own handling and object counts come from the measurement build (KeylarkMeasured.exe),\n"
      "the other figures from Keylark.exe itself.\n");
  PrintSteps(bare, measured);
}

void PrintWindowTimes(const WindowTimes& times) {
  std::printf("\nWindows opened from the key bar (Keylark.exe), with a popup list of %d items:\n",
              kLongListItems);
  std::printf("median ms, least in brackets\n");
  Rule();
  Row("assignments window, lists expanded, all rows", "", StepTime(times.list_ms), "", "", "");
  Row("popup list menu of Fn-A", "", StepTime(times.popup_ms), "", "", "");
  Rule();
}

const char* WineVersion() {
  using Version = const char*(CDECL*)();
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  const auto version = ntdll != nullptr ? reinterpret_cast<Version>(reinterpret_cast<void*>(
                                              GetProcAddress(ntdll, "wine_get_version")))
                                        : nullptr;
  return version != nullptr ? version() : nullptr;
}

// Popup lists of 500 and 10,000 items against the bare program's flat menu.
int RunPopupLists(const Settings& settings, const Paths& paths) {
  if (!WarmUp(paths)) return 1;
  for (const int items : {500, 10000}) {
    PopupListTimes times;
    if (!MeasurePopupLists(paths.bare, paths.keylark, items, settings.popup_list_runs, &times)) {
      return 1;
    }
    PrintPopupListTimes(items, times);
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, store::kMakerKey);
  return 0;
}

int Run(const Settings& settings) {
  const Paths paths = FindPrograms(settings);
  if (settings.popup_list_runs > 0) return RunPopupLists(settings, paths);
  HANDLE target_started = CreateEventA(nullptr, FALSE, FALSE, kTargetStartedEventName);
  if (target_started == nullptr || !PrepareStore(paths) || !WarmUp(paths) ||
      !SetScaleWithDisplay(settings.scale_with_display)) {
    return 1;
  }
  const char* wine = WineVersion();
  std::printf("Keylark benchmark%s%s: %d runs, %d launches in the long run\n",
              wine != nullptr ? " under Wine " : "", wine != nullptr ? wine : "", settings.runs,
              settings.launches);
  std::printf("%d pixels per inch, Scale With Display %s\n", ScreenPixelsPerInch(),
              settings.scale_with_display ? "on" : "off");

  Samples bare;
  Samples keylark;
  Samples measured;
  for (int run = 0; run < settings.runs; ++run) {
    // Alternating order, so that a slow drift of the machine favours no one.
    const bool forward = run % 2 == 0;
    const std::pair<const std::string*, Samples*> order[] = {
        {&paths.bare, &bare}, {&paths.keylark, &keylark}, {&paths.measured, &measured}};
    for (int i = 0; i < 3; ++i) {
      const auto& [path, samples] = order[forward ? i : 2 - i];
      if (!MeasureOnce(*path, settings.launches_per_run, target_started, samples)) return 1;
      if (settings.verbose) {
        std::fprintf(stderr, "  %-60s start %7.1f ms  launch %6.1f ms\n", path->c_str(),
                     samples->start_ms.back(), samples->launch_ms.back());
      }
    }
    std::fprintf(stderr, "run %d of %d done\n", run + 1, settings.runs);
  }

  LongRun bare_long;
  LongRun keylark_long;
  LongRun measured_long;
  if (settings.launches > 0) {
    std::fprintf(stderr, "long run: %d launches of each program\n", settings.launches);
    if (!MeasureLongRun(paths.bare, settings.launches, target_started, &bare_long) ||
        !MeasureLongRun(paths.keylark, settings.launches, target_started, &keylark_long) ||
        !MeasureLongRun(paths.measured, settings.launches, target_started, &measured_long)) {
      return 1;
    }
  }
  WindowTimes windows;
  std::fprintf(stderr, "windows: the assignments window and a long popup list\n");
  if (!PrepareLongList() || !MeasureWindows(paths.keylark, settings.runs, &windows)) return 1;
  PrintTable(settings, paths, bare, keylark, measured, bare_long, keylark_long, measured_long);
  PrintWindowTimes(windows);
  CloseHandle(target_started);
  RegDeleteTreeA(HKEY_CURRENT_USER, store::kMakerKey);
  return 0;
}

}  // namespace
}  // namespace keylark::bench

int main(int argc, char** argv) {
  const std::optional<keylark::bench::Settings> settings =
      keylark::bench::ParseArguments(argc, argv);
  if (!settings) {
    std::fprintf(stderr,
                 "usage: bench.exe [--verbose] [--scale-with-display] [--runs N] "
                 "[--launches-per-run N] [--launches N] [--bin FOLDER] [--popup-lists RUNS]\n");
    return 2;
  }
  return keylark::bench::Run(*settings);
}
