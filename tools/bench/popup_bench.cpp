#include "popup_bench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "core/window_messages.h"
#include "measured_program.h"
#include "popup_items.h"
#include "statistics.h"
#include "store/layout.h"
#include "window_wait.h"

namespace keylark::bench {
namespace {

constexpr LPARAM kScanCodeOfA = 0x1E;
// Wine takes seconds for a menu of ten thousand items, more on a busy machine.
constexpr int kMenuDeadlineSeconds = 120;
// Looking for the menu a thousand times a second would take a processor and
// the window system's attention from the program that builds it.
constexpr DWORD kPollPauseMs = 1;

bool WriteText(const std::string& key_path, const std::string& name, const std::string& text) {
  HKEY key = nullptr;
  if (RegCreateKeyA(HKEY_CURRENT_USER, key_path.c_str(), &key) != ERROR_SUCCESS) return false;
  const LSTATUS status =
      RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

bool WritePopupList(int items) {
  RegDeleteTreeA(HKEY_CURRENT_USER, store::PopupListKey("Fn-A").c_str());
  if (!WriteText(store::kCommandKey, "Fn-A", "@C:\\Bench") ||
      !WriteText(store::PopupListKey("Fn-A"), store::kFileCountValue, std::to_string(items))) {
    return false;
  }
  for (const std::string& caption : PopupItemCaptions(items)) {
    if (!WriteText(store::PopupItemKey("Fn-A", caption), caption,
                   "C:\\Bench\\" + caption + ".lnk")) {
      return false;
    }
  }
  return true;
}

// Milliseconds from the Fn-A report to the menu on screen; the menu is then
// closed again. Negative when it did not show.
double ShowOnce(const MeasuredProgram& program) {
  const std::int64_t start = NowMicroseconds();
  PostMessageA(program.Window(), core::FnKeyMessage, core::kFnKeyReportWParam, kScanCodeOfA);
  HWND menu = nullptr;
  const auto shown = [&] {
    return (menu = VisibleWindow("#32768", nullptr, program.ProcessId())) != nullptr;
  };
  if (!Await(shown, kMenuDeadlineSeconds, kPollPauseMs)) return -1;
  const double milliseconds = static_cast<double>(NowMicroseconds() - start) / 1000;
  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  if (!Await([&] { return !shown(); }, kMenuDeadlineSeconds, kPollPauseMs)) return -1;
  program.WaitUntilIdle();
  return milliseconds;
}

bool MeasureRun(const std::string& path, const char* arguments, std::vector<double>* first,
                std::vector<double>* again) {
  MeasuredProgram program(path, arguments);
  if (!program.Start()) {
    std::fprintf(stderr, "bench: did not show its window: %s\n", path.c_str());
    return false;
  }
  program.WaitUntilIdle();
  const double first_time = ShowOnce(program);
  const double again_time = first_time >= 0 ? ShowOnce(program) : -1;
  program.Close();
  if (again_time < 0) {
    std::fprintf(stderr, "bench: did not show its popup list: %s\n", path.c_str());
    return false;
  }
  first->push_back(first_time);
  again->push_back(again_time);
  return true;
}

void PrintRow(const char* figure, const std::vector<double>& bare,
              const std::vector<double>& keylark) {
  const auto times = [](const std::vector<double>& values) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f (%.0f)", Median(values), Minimum(values));
    return std::string(text);
  };
  const double ratio = PairedRatio(keylark, bare);
  std::printf("%-44s %16s %16s %7.2fx %9s  %s\n", figure, times(bare).c_str(),
              times(keylark).c_str(), ratio, "<= 1.25x", ratio <= 1.25 ? "met" : "NOT MET");
}

}  // namespace

bool MeasurePopupLists(const std::string& bare, const std::string& keylark, int items, int runs,
                       PopupListTimes* times) {
  if (!WritePopupList(items)) {
    std::fprintf(stderr, "bench: could not write the popup list of Fn-A\n");
    return false;
  }
  for (int run = 0; run < runs; ++run) {
    const bool bare_first = run % 2 == 0;
    for (int turn = 0; turn < 2; ++turn) {
      const bool ok = (turn == 0) == bare_first
                          ? MeasureRun(bare, "--menu", &times->bare_first, &times->bare_again)
                          : MeasureRun(keylark, "", &times->keylark_first, &times->keylark_again);
      if (!ok) return false;
    }
    std::fprintf(
        stderr,
        "popup list of %d items: run %d of %d done (bare %.0f/%.0f ms, Keylark %.0f/%.0f ms)\n",
        items, run + 1, runs, times->bare_first.back(), times->bare_again.back(),
        times->keylark_first.back(), times->keylark_again.back());
  }
  return true;
}

void PrintPopupListTimes(int items, const PopupListTimes& times) {
  std::printf(
      "\nPopup list of %d items, Fn-key report -> menu on screen: median ms, least in "
      "brackets\n",
      items);
  std::printf("%-44s %16s %16s %8s %9s\n", "", "bare menu", "Keylark", "ratio", "goal");
  PrintRow("first showing after a start", times.bare_first, times.keylark_first);
  PrintRow("the showing after it", times.bare_again, times.keylark_again);
}

}  // namespace keylark::bench
