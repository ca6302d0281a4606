// The Function Key Assignments window of the running Keylark, read from
// outside: the list view's rows come through memory lent inside Keylark's
// process, since list-view messages carry pointers.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keylark_process.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

// A few bytes inside another process, for messages that carry pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, std::size_t size) : size_(size) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  char* Address() const { return static_cast<char*>(address_); }
  void Write(const void* data, std::size_t size, std::size_t offset = 0) const {
    WriteProcessMemory(process_, Address() + offset, data, size, nullptr);
  }
  void Read(void* data, std::size_t size, std::size_t offset = 0) const {
    ReadProcessMemory(process_, Address() + offset, data, size, nullptr);
  }

 private:
  std::size_t size_;
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

std::string RowText(HWND list, int row) {
  RemoteBuffer remote(list, sizeof(LVITEMA) + 512);
  LVITEMA item{};
  item.pszText = remote.Address() + sizeof item;
  item.cchTextMax = 512;
  remote.Write(&item, sizeof item);
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(remote.Address()));
  char text[512] = {};
  remote.Read(text, sizeof text - 1, sizeof item);
  return text;
}

// The row's picture: its index in the list's small image list.
int RowImage(HWND list, int row) {
  RemoteBuffer remote(list, sizeof(LVITEMA));
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  remote.Write(&item, sizeof item);
  SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.Address()));
  remote.Read(&item, sizeof item);
  return item.iImage;
}

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

// Clicks (twice for a double click) in the middle of a row, as the mouse would.
void ClickRow(HWND list, int row, bool twice) {
  RemoteBuffer remote(list, sizeof(RECT));
  RECT bounds{LVIR_BOUNDS, 0, 0, 0};
  remote.Write(&bounds, sizeof bounds);
  SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(remote.Address()));
  remote.Read(&bounds, sizeof bounds);
  const LPARAM at = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  if (!twice) return;
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
}

class AssignmentsWindow : public KeyBarTest {};

TEST_F(AssignmentsWindow, ListsTheKeysExpandsPopupListsAndOpensARowForEditing) {
  Put(layout::kCfg, "fIcon", "0");
  Put(layout::kCmd, "Fn-1", "C:\\run.exe");
  Put(layout::kDesc, "Fn-1", "Runner");
  Put(layout::kCmd, "Fn-A", "@C:\\Menu");
  Put(layout::PrgItem("Fn-A", "Calc"), "Calc", "C:\\Menu\\Calc.lnk");
  Put(layout::PrgItem("Fn-A", "Paint"), "Paint", "C:\\Menu\\Paint.lnk");
  Reserve("Z");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  PostMessageA(key_bar, WM_COMMAND, IDM_ASSIGNMENTS, 0);
  HWND window = WaitForDialog("Function Key Assignments");
  ASSERT_NE(window, nullptr);
  HWND list = GetDlgItem(window, IDC_AL_LIST);
  HWND edit = GetDlgItem(window, IDC_AL_EDIT);
  EXPECT_EQ(RowCount(list), 23) << "the reserved Fn-Z is not listed";
  EXPECT_EQ(RowText(list, 0), "     Fn-1     Runner");
  EXPECT_EQ(RowText(list, 7), "     Fn-B");
  // Pictures: an application for a direct or free key, a folder for a list.
  EXPECT_EQ((std::vector<int>{RowImage(list, 0), RowImage(list, 6), RowImage(list, 7)}),
            (std::vector<int>{0, 1, 0}));

  ClickRow(list, 0, false);
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(edit) != FALSE; }));
  PostMessageA(GetDlgItem(window, IDC_AL_EXPAND), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return RowCount(list) == 25; }));
  EXPECT_FALSE(IsWindowEnabled(edit)) << "the new rows have nothing chosen";
  EXPECT_EQ(Text(layout::kCfg, "fIcon"), "1");
  EXPECT_EQ(RowText(list, 7), std::string(25, ' ') + "Calc");
  EXPECT_EQ(RowImage(list, 7), 2) << "an item of the list";

  ClickRow(list, 0, false);
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(edit) != FALSE; }));
  ClickRow(list, 8, false);  // an item row
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(edit) == FALSE; }));

  ClickRow(list, 0, true);
  HWND type = WaitForDialog("Assignment Type");
  ASSERT_NE(type, nullptr);
  EXPECT_TRUE(WaitUntilGone("Function Key Assignments"));
  EXPECT_EQ(GetWindow(type, GW_OWNER), nullptr);
  char key[16] = {};
  GetDlgItemTextA(type, IDC_AT_KEY, key, sizeof key);
  EXPECT_STREQ(key, "Fn-1");
  PostMessageA(type, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntilGone("Assignment Type"));
}

}  // namespace
}  // namespace keylark::wintest
