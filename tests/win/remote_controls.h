// The tree and the list of another process's window, read and driven from
// outside: the controls take pointers only into their own process, so their
// item records and texts live in memory lent there (VirtualAllocEx).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace keylark::wintest {

// Sends a message and returns its result once the window has handled it.
inline LRESULT SendAndWait(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wparam, lparam, SMTO_NORMAL, 10000, &result);
  return static_cast<LRESULT>(result);
}

// A record at the start of memory in another process, room for a text after it.
class RemoteMemory {
 public:
  static constexpr int kTextAt = 512, kRoom = 3584;
  explicit RemoteMemory(DWORD process_id)
      : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                             process_id)),
        at_(static_cast<char*>(VirtualAllocEx(process_, nullptr, kTextAt + kRoom,
                                              MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {}
  ~RemoteMemory() {
    if (at_ != nullptr) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  // Sends a message that points at the record, copied there and back.
  template <typename Record>
  LRESULT Send(HWND control, UINT message, WPARAM wparam, Record& record) const {
    WriteProcessMemory(process_, at_, &record, sizeof record, nullptr);
    const LRESULT result = SendAndWait(control, message, wparam, reinterpret_cast<LPARAM>(at_));
    ReadProcessMemory(process_, at_, &record, sizeof record, nullptr);
    return result;
  }
  // Asks for an item's record, its mask and item set, with its text.
  template <typename Record>
  std::string Item(HWND control, UINT message, Record& record) const {
    record.pszText = at_ + kTextAt;
    record.cchTextMax = kRoom;
    Send(control, message, 0, record);
    char text[kRoom] = {};  // the control may answer with a pointer to its own copy
    ReadProcessMemory(process_, record.pszText, text, sizeof text - 1, nullptr);
    return text;
  }

 private:
  HANDLE process_;
  char* at_;
};

class RemoteTree {
 public:
  RemoteTree(HWND tree, DWORD process) : tree_(tree), memory_(process) {}
  // Every item with this text, in the whole tree, or the first one.
  std::vector<HTREEITEM> FindAll(const std::string& text) {
    std::vector<HTREEITEM> found;
    Walk(Next(TVGN_ROOT, nullptr), text, found);
    return found;
  }
  HTREEITEM Find(const std::string& text) {
    const std::vector<HTREEITEM> found = FindAll(text);
    return found.empty() ? nullptr : found.front();
  }
  // As a click or the arrow keys do: the dialog hears of the change.
  void Select(HTREEITEM item) {
    SendAndWait(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }

 private:
  HTREEITEM Next(WPARAM relation, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(
        SendAndWait(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  }
  void Walk(HTREEITEM item, const std::string& text, std::vector<HTREEITEM>& found) {
    for (; item != nullptr; item = Next(TVGN_NEXT, item)) {
      TVITEMA record{};
      record.mask = TVIF_HANDLE | TVIF_TEXT;
      record.hItem = item;
      if (memory_.Item(tree_, TVM_GETITEMA, record) == text) found.push_back(item);
      Walk(Next(TVGN_CHILD, item), text, found);
    }
  }
  HWND tree_;
  RemoteMemory memory_;
};

class RemoteList {
 public:
  RemoteList(HWND list, DWORD process) : list_(list), memory_(process) {}
  int Count() { return static_cast<int>(SendAndWait(list_, LVM_GETITEMCOUNT, 0, 0)); }
  struct Row {
    std::string text;
    int image;
  };
  Row At(int item) {
    LVITEMA record{};
    record.mask = LVIF_TEXT | LVIF_IMAGE;
    record.iItem = item;
    std::string text = memory_.Item(list_, LVM_GETITEMA, record);
    return {text, record.iImage};
  }
  int Image(int item) { return At(item).image; }

 private:
  HWND list_;
  RemoteMemory memory_;
};

}  // namespace keylark::wintest
