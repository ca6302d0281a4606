// Popup lists of many items: Keylark's popup list of Fn-A against the bare
// program's flat menu of the same items, which is the least the platform's
// menu costs. Both are timed from the Fn-key report to the menu on screen,
// at the first showing after a start and at the one after it.
#pragma once

#include <string>
#include <vector>

namespace keylark::bench {

struct PopupListTimes {
  std::vector<double> bare_first;
  std::vector<double> bare_again;
  std::vector<double> keylark_first;
  std::vector<double> keylark_again;
};

// Gives Fn-A a list of `items` items and measures `runs` alternating runs of
// each program. False, with a message, when a program does not show its menu.
bool MeasurePopupLists(const std::string& bare, const std::string& keylark, int items, int runs,
                       PopupListTimes* times);

void PrintPopupListTimes(int items, const PopupListTimes& times);

}  // namespace keylark::bench
