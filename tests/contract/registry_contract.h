// One suite of registry behaviour, run natively against the in-memory fake
// and under Wine against the real registry, so the fake cannot drift.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "platform/registry.h"

namespace keylark::contract {

// The suite works below this key of either root only.
inline constexpr const char* kScratchRoot = "Software\\KeylarkContractScratch";

// Deletes a key and everything below it through the seam's own calls.
void DeleteTree(platform::Registry& registry, platform::Root root, const std::string& path);

struct RegistryMaker {
  std::string label;
  std::function<std::unique_ptr<platform::Registry>()> make;
};

inline void PrintTo(const RegistryMaker& maker, std::ostream* os) { *os << maker.label; }

class RegistryContract : public ::testing::TestWithParam<RegistryMaker> {
 protected:
  void SetUp() override {
    registry_ = GetParam().make();
    TearDown();
  }
  void TearDown() override {
    for (auto root : {platform::Root::CurrentUser, platform::Root::LocalMachine}) {
      DeleteTree(*registry_, root, kScratchRoot);
    }
  }
  platform::Registry& reg() { return *registry_; }

 private:
  std::unique_ptr<platform::Registry> registry_;
};

}  // namespace keylark::contract
