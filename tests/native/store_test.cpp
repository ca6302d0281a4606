#include "store/registry_store.h"

#include <gtest/gtest.h>

#include "fakes/key_bar_world.h"

namespace keylark::store {
namespace {

namespace layout = fakes::layout;

class StoreTest : public fakes::WorldTest {
 protected:
  void PutRaw(const std::string& path, const std::string& name, std::uint32_t type,
              const Bytes& data) {
    ScopedKey(world_.registry, Root::CurrentUser, path, true).Write(name, type, data);
  }
  const Store& store_ = world_.store;
};

// Where the NUL goes is the value codec's; here what the store adds to it.
TEST_F(StoreTest, KeysAreMadeOnlyWhenAllowedAndTextsReadWhateverTheirTypeUnlessTooLarge) {
  EXPECT_NE(store_.WriteText(layout::kCwd, "Fn-1", "C:\\", KeyMode::OpenExisting),
            platform::kSuccess);
  EXPECT_NE(store_.WriteFlag(layout::kCfg, "opts4", true, KeyMode::OpenExisting),
            platform::kSuccess);
  EXPECT_FALSE(store_.KeyExists(Root::CurrentUser, layout::kCwd) ||
               store_.KeyExists(Root::CurrentUser, layout::kCfg));
  ASSERT_EQ(store_.WriteText(layout::kCmd, "Fn-1", "run.exe", KeyMode::CreateIfMissing),
            platform::kSuccess);
  EXPECT_EQ(world_.Raw(layout::kCmd, "Fn-1"), (Bytes{'r', 'u', 'n', '.', 'e', 'x', 'e', 0}));
  PutRaw(layout::kCmd, "Dword", platform::kRegDword, Bytes{'7', 0, 0, 0});
  PutRaw(layout::kCmd, "Huge", platform::kRegBinary, Bytes((1U << 20) + 1, 'x'));
  EXPECT_EQ(store_.ReadText(layout::kCmd, "Dword"), "7");
  EXPECT_FALSE(store_.ReadText(layout::kCmd, "Huge")) << "too large to be ours: absent";
}

TEST_F(StoreTest, TheWindowHandleIsAFourByteDwordUnderTheMakersKey) {
  ASSERT_EQ(store_.PublishWindowHandle(0x0002047AU), platform::kSuccess);
  EXPECT_EQ(world_.Raw(layout::kMaker, "Keylark"), (Bytes{0x7A, 0x04, 0x02, 0x00}));
  EXPECT_EQ(store_.WithdrawWindowHandle(), platform::kSuccess);
  EXPECT_FALSE(world_.Raw(layout::kMaker, "Keylark"));
  EXPECT_TRUE(store_.KeyExists(Root::CurrentUser, layout::kMaker)) << "the key itself stays";
  PutRaw(layout::kMaker, "Keylark", platform::kRegBinary, Bytes{1, 2});
  EXPECT_FALSE(store_.ReadPublishedWindowHandle()) << "two bytes are no handle";
}

}  // namespace
}  // namespace keylark::store
