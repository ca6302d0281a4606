// The registry contract against the real registry (Wine's, in the test prefix).
#include "contract/registry_contract.h"
#include "platform/win32/win32_registry.h"

namespace keylark::contract {

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(RegistryMaker{
                             "Win32",
                             [] { return std::make_unique<platform::win32::Win32Registry>(); }}),
                         [](const auto& info) { return info.param.label; });

}  // namespace keylark::contract
