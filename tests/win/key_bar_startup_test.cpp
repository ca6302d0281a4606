// Start-up, single instance and shut-down of the real Keylark.exe.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "keylark_process.h"
#include "store/layout.h"

namespace keylark::wintest {
namespace {

using store::Bytes;

std::map<std::string, Bytes> ConfigValues() {
  std::map<std::string, Bytes> values;
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, store::kConfigKey, &key) != ERROR_SUCCESS) return values;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD name_size = sizeof name;
    BYTE data[256];
    DWORD data_size = sizeof data;
    if (RegEnumValueA(key, i, name, &name_size, nullptr, nullptr, data, &data_size) !=
        ERROR_SUCCESS) {
      break;
    }
    values[name] = Bytes(data, data + data_size);
  }
  RegCloseKey(key);
  return values;
}

Bytes Flag(char digit) { return Bytes{static_cast<std::uint8_t>(digit), 0}; }

Bytes Position(const std::string& text) {
  Bytes data(5, 0);
  for (std::size_t i = 0; i < text.size() && i < 5; ++i)
    data[i] = static_cast<std::uint8_t>(text[i]);
  return data;
}

void SeedPosition(const std::string& x, const std::string& y) {
  TestStore().WriteFlag(store::kConfigKey, store::kAlwaysOnTopValue, false,
                        store::KeyMode::CreateIfMissing);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, store::kConfigKey, &key), ERROR_SUCCESS);
  const Bytes left = Position(x);
  const Bytes top = Position(y);
  RegSetValueExA(key, "X", 0, REG_SZ, left.data(), 5);
  RegSetValueExA(key, "Y", 0, REG_SZ, top.data(), 5);
  RegCloseKey(key);
}

// Where a window of this size goes on first run, in twips (15 a pixel here):
// a fifth of the free space. Twips are multiples of 15, so this is exact.
POINT FirstRunTwips(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return POINT{(GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) * 15 / 5,
               (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) * 15 / 5};
}

POINT FirstRunPixels(HWND window) {
  const POINT twips = FirstRunTwips(window);
  return POINT{(twips.x * 2 + 15) / 30, (twips.y * 2 + 15) / 30};
}

POINT WindowOrigin(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return POINT{rect.left, rect.top};
}

class KeyBarStartup : public ::testing::Test {
 protected:
  void SetUp() override { ResetStore(); }
  void TearDown() override { ResetStore(); }
  KeylarkProcess keylark_;
};

TEST_F(KeyBarStartup, FirstStartWritesTheDefaultsAndPublishesTheHandle) {
  ASSERT_TRUE(keylark_.Start());
  HWND key_bar = keylark_.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);
  EXPECT_EQ(FindWindowA("KeylarkKeyBar", "Keylark"), key_bar);

  DWORD type = 0;
  DWORD size = 0;
  HKEY maker = nullptr;
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, store::kMakerKey, &maker), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(maker, "Keylark", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  RegCloseKey(maker);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4U);

  const POINT expected = FirstRunPixels(key_bar);
  const POINT expected_twips = FirstRunTwips(key_bar);
  const std::map<std::string, Bytes> values = ConfigValues();
  const std::map<std::string, Bytes> wanted = {{"fIcon", Flag('0')},
                                               {"opts1", Flag('0')},
                                               {"opts2", Flag('1')},
                                               {"opts3", Flag('0')},
                                               {"opts4", Flag('1')},
                                               {"opts5", Flag('1')},
                                               {"X", Position(std::to_string(expected_twips.x))},
                                               {"Y", Position(std::to_string(expected_twips.y))}};
  EXPECT_EQ(values, wanted);
  const POINT origin = WindowOrigin(key_bar);
  EXPECT_EQ(origin.x, expected.x);
  EXPECT_EQ(origin.y, expected.y);
  EXPECT_EQ(GetWindowLongA(key_bar, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

  // Closing withdraws the handle and stores where the key bar was.
  SetWindowPos(key_bar, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(keylark_.Close());
  EXPECT_EQ(PublishedKeyBar(), nullptr);
  EXPECT_EQ(TestStore().ReadPosition("X"), 600);
  EXPECT_EQ(TestStore().ReadPosition("Y"), 450);
}

TEST_F(KeyBarStartup, ASecondStartWakesTheHiddenKeyBarAndLeavesNoWindow) {
  ASSERT_TRUE(keylark_.Start());
  HWND key_bar = keylark_.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);

  ShowWindow(key_bar, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar); })) << "minimizing hides it";

  KeylarkProcess second;
  ASSERT_TRUE(second.Start());
  EXPECT_TRUE(second.WaitForExit(std::chrono::seconds(2)));
  EXPECT_TRUE(WaitFor([&] {
    return IsWindowVisible(key_bar) && !IsIconic(key_bar) && GetForegroundWindow() == key_bar;
  })) << "restored and in front";
  EXPECT_EQ(PublishedKeyBar(), key_bar) << "the resident instance keeps its handle";
  EXPECT_EQ(FindWindowExA(nullptr, key_bar, "KeylarkKeyBar", nullptr), nullptr)
      << "only one key bar exists";
}

TEST_F(KeyBarStartup, ANegativeSavedPositionGivesTheFirstRunPlacementWithoutWritingIt) {
  SeedPosition("-15", "300");
  ASSERT_TRUE(keylark_.Start());
  HWND key_bar = keylark_.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);
  const POINT origin = WindowOrigin(key_bar);
  const POINT expected = FirstRunPixels(key_bar);
  EXPECT_EQ(origin.x, expected.x);
  EXPECT_EQ(origin.y, expected.y);
  EXPECT_EQ(ConfigValues()["X"], Position("-15"));
  EXPECT_EQ(ConfigValues()["opts2"], Flag('1')) << "a missing option is written as on first run";
}

TEST_F(KeyBarStartup, ZeroZeroIsUsedAndNotSavedAgain) {
  SeedPosition("0", "0");
  ASSERT_TRUE(keylark_.Start());
  HWND key_bar = keylark_.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);
  const POINT origin = WindowOrigin(key_bar);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  ASSERT_TRUE(keylark_.Close());
  EXPECT_EQ(ConfigValues()["X"], Position("0"));
  EXPECT_EQ(ConfigValues()["Y"], Position("0"));
}

TEST_F(KeyBarStartup, AFiveCharacterPositionRoundTrips) {
  SeedPosition("10005", "300");
  ASSERT_TRUE(keylark_.Start());
  HWND key_bar = keylark_.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);
  EXPECT_EQ(WindowOrigin(key_bar).x, 667);
  EXPECT_EQ(WindowOrigin(key_bar).y, 20);
  ASSERT_TRUE(keylark_.Close());
  EXPECT_EQ(ConfigValues()["X"], Position("10005"));
  EXPECT_EQ(ConfigValues()["Y"], Position("300"));
}

TEST_F(KeyBarStartup, AlwaysOnTopIsOnOnlyForExactlyOne) {
  SeedPosition("150", "150");
  TestStore().WriteText(store::kConfigKey, "opts1", "1 ", store::KeyMode::OpenExisting);
  ASSERT_TRUE(keylark_.Start());
  HWND key_bar = keylark_.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);
  EXPECT_EQ(GetWindowLongA(key_bar, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  ASSERT_TRUE(keylark_.Close());

  TestStore().WriteText(store::kConfigKey, "opts1", "1", store::KeyMode::OpenExisting);
  KeylarkProcess again;
  ASSERT_TRUE(again.Start());
  key_bar = again.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);
  EXPECT_NE(GetWindowLongA(key_bar, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(KeyBarStartup, TheKeyBarKeepsItsSize) {
  ASSERT_TRUE(keylark_.Start());
  HWND key_bar = keylark_.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);
  RECT before{};
  GetWindowRect(key_bar, &before);
  EXPECT_EQ(before.right - before.left, 318);
  EXPECT_EQ(before.bottom - before.top,
            160 + 5 + GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYSIZE));
  SetWindowPos(key_bar, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
  RECT after{};
  GetWindowRect(key_bar, &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

}  // namespace
}  // namespace keylark::wintest
