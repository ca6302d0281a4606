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

struct RegistryMaker {
  std::string label;
  std::function<std::unique_ptr<platform::Registry>()> make;
};

inline void PrintTo(const RegistryMaker& maker, std::ostream* os) { *os << maker.label; }

class RegistryContract : public ::testing::TestWithParam<RegistryMaker> {
 protected:
  void SetUp() override;
  void TearDown() override;

  platform::Registry& reg() { return *registry_; }
  // A path inside the suite's own scratch key.
  static std::string Scratch(const std::string& relative);

 private:
  std::unique_ptr<platform::Registry> registry_;
};

// Deletes a key and everything below it through the seam's own calls.
void DeleteTree(platform::Registry& registry, platform::Root root, const std::string& path);

}  // namespace keylark::contract
