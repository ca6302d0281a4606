// The time a key last changed, which the popup list relies on to skip
// reading a list that did not change: adding or removing a subkey changes
// it, and what happens below a subkey does not.
#include <chrono>
#include <thread>

#include "contract/registry_contract.h"
#include "store/registry_store.h"

namespace keylark::contract {
namespace {

using Key = store::ScopedKey;

std::uint64_t Stamp(platform::Registry& registry, const Key& key) {
  std::uint64_t time = 0;
  EXPECT_EQ(registry.QueryLastWriteTime(key.Handle(), &time), platform::kSuccess);
  return time;
}

TEST_P(RegistryContract, AKeyIsStampedWhenASubkeyComesOrGoes) {
  // The system's clock moves in steps of up to 16 ms.
  const auto next_tick = [] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); };
  const Key list(reg(), platform::Root::CurrentUser, Scratch("stamped"), true);
  const std::uint64_t made = Stamp(reg(), list);

  next_tick();
  { const Key item(reg(), platform::Root::CurrentUser, Scratch("stamped\\item"), true); }
  const std::uint64_t added = Stamp(reg(), list);
  EXPECT_GT(added, made);

  next_tick();
  {
    const Key item(reg(), platform::Root::CurrentUser, Scratch("stamped\\item"), false);
    ASSERT_EQ(item.WriteText("item", "C:\\x.lnk"), platform::kSuccess);
  }
  EXPECT_EQ(Stamp(reg(), list), added) << "a value of a subkey leaves the key as it was";

  next_tick();
  ASSERT_EQ(reg().DeleteKey(list.Handle(), "item"), platform::kSuccess);
  EXPECT_GT(Stamp(reg(), list), added);
}

}  // namespace
}  // namespace keylark::contract
