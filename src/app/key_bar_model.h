// What the key bar's labels do with the mouse, decided without a window.
#pragma once

#include <string>

#include "app/session.h"
#include "store/registry_store.h"

namespace keylark::app {

enum class MouseButton { Left, Right, Other };

enum class LabelAction {
  Ignore,      // a reserved key: the click does nothing at all
  Launch,      // use the key (LaunchKey)
  ChooseType,  // open the Assignment Type dialog
  SelectOnly,  // only the current key changes
};

// A mouse button pressed on label `index` whose text has `label_color`.
// Sets the current key (unless reserved) and, for the right button, the
// status of the command lookup that the Assignment Type dialog reads.
LabelAction PressLabel(Session& session, const store::Store& store, int index, MouseButton button,
                       Color label_color);

// The hint of label `index` as the pointer moves over it: the key's
// description, "none" without one, and no hint at all while hints are off.
// Sets the current key name (reserved keys too) and the description lookup.
std::string LabelHint(Session& session, const store::Store& store, int index);

}  // namespace keylark::app
