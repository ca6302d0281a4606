// The registry contract against the in-memory fake.
#include "contract/registry_contract.h"
#include "fakes/fake_registry.h"

namespace keylark::contract {

INSTANTIATE_TEST_SUITE_P(Fake, RegistryContract,
                         ::testing::Values(RegistryMaker{
                             "Fake", [] { return std::make_unique<fakes::FakeRegistry>(); }}),
                         [](const auto& info) { return info.param.label; });

}  // namespace keylark::contract
