// A key bar's surroundings: store, session, a shell and host sharing one call
// log, and shorthands that use the registry by its paths as others would.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/key_bar_services.h"
#include "fakes/fake_key_bar_host.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/registry_layout.h"
#include "store/registry_store.h"

namespace keylark::fakes {

struct KeyBarWorld {
  KeyBarWorld() {
    session.FnKeyNames = core::BuildFnKeyNames();
    shell.foreground = FakeKeyBarHost::kKeyBarWindow;
  }

  // A text as Keylark stores it: its bytes and one NUL, the key made if missing.
  void Put(const std::string& path, const std::string& name, const std::string& text,
           platform::Root root = platform::Root::CurrentUser) {
    const store::Bytes data(text.c_str(), text.c_str() + text.size() + 1);
    store::ScopedKey(registry, root, path, true).Write(name, platform::kRegSz, data);
  }
  // A value's bytes as stored, or nothing when it is absent.
  std::optional<store::Bytes> Raw(const std::string& path, const std::string& name) {
    return store::ScopedKey(registry, platform::Root::CurrentUser, path, false).ReadBytes(name);
  }
  std::optional<std::string> Text(const std::string& path, const std::string& name) {
    return store.ReadText(path, name);
  }
  // The notebook's provisioning names a reserved key by its character.
  void Reserve(const std::string& character) {
    Put(layout::kReserve, character, "1", platform::Root::LocalMachine);
  }
  void AssignDirect(const std::string& key, const std::string& command) {
    Put(layout::kCmd, key, command);
  }
  void SetSwitchFlag(const std::string& key, const std::string& flag) {
    Put(layout::kOpts, key, flag);
  }
  void SetMinimizeOnUse(const std::string& flag) { Put(layout::kCfg, "opts3", flag); }
  void AddPopupItem(const std::string& key, const std::string& caption, const std::string& target) {
    Put(layout::PrgItem(key, caption), caption, target);
  }
  void RemovePopupItem(const std::string& key, const std::string& caption) {
    const store::ScopedKey list(registry, platform::Root::CurrentUser, layout::Prg(key), false);
    registry.DeleteKey(list.Handle(), caption);
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

// The native tests' fixture: one world, and no registry key left open.
class WorldTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(world_.registry.OpenHandleCount(), 0U) << "a registry key was left open";
  }
  KeyBarWorld world_;
};

}  // namespace keylark::fakes
