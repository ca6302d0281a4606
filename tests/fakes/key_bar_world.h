// A key bar's surroundings for native tests: an in-memory store, the session,
// a recording shell and host sharing one call log, and shorthands that seed
// assignments the way the dialogs store them.
#pragma once

#include <string>

#include "app/key_bar_services.h"
#include "fakes/call_log.h"
#include "fakes/fake_key_bar_host.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "store/layout.h"
#include "store/registry_store.h"

namespace keylark::fakes {

struct KeyBarWorld {
  KeyBarWorld() {
    session.FnKeyNames = core::BuildFnKeyNames();
    shell.foreground = FakeKeyBarHost::kKeyBarWindow;
  }

  void Put(const std::string& path, const std::string& name, const std::string& text) {
    store.WriteText(path, name, text, store::KeyMode::CreateIfMissing);
  }
  void AssignDirect(const std::string& key, const std::string& command) {
    Put(store::kCommandKey, key, command);
  }
  void SetSwitchFlag(const std::string& key, const std::string& flag) {
    Put(store::kSwitchFlagKey, key, flag);
  }
  void SetMinimizeOnUse(const std::string& flag) {
    Put(store::kConfigKey, store::kMinimizeOnUseValue, flag);
  }
  void AddPopupItem(const std::string& key, const std::string& caption, const std::string& target) {
    Put(store::PopupItemKey(key, caption), caption, target);
  }
  void RemovePopupItem(const std::string& key, const std::string& caption) {
    platform::KeyHandle list = 0;
    registry.OpenKey(platform::Root::CurrentUser, store::PopupListKey(key), &list);
    registry.DeleteKey(list, caption);
    registry.CloseKey(list);
  }
  void SelectKey(const std::string& name, std::int16_t index) {
    session.CurrentKeyName = name;
    session.CurrentKeyIndex = index;
  }

  FakeRegistry registry;
  store::Store store{registry};
  core::Session session;
  CallLog log;
  FakeShell shell{log};
  FakeKeyBarHost host{log};
  app::KeyBarServices services{session, store, shell, host};
  launch::LaunchServices launch = services.Launch();
};

}  // namespace keylark::fakes
