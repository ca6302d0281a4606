// The tree and the list of another process's window, read and driven from
// outside: their item records live in memory of that process
// (VirtualAllocEx, ReadProcessMemory), as the controls only take pointers
// into their own process.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace keylark::wintest {

// Memory in another process for the tree's and list's item records.
class RemoteMemory {
 public:
  RemoteMemory(DWORD process_id, std::size_t size) : size_(size) {
    process_ =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id);
    if (process_ != nullptr) {
      at_ = static_cast<char*>(
          VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
  }
  ~RemoteMemory() {
    if (at_ != nullptr) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  char* At(std::size_t offset) const { return at_ + offset; }
  void Put(std::size_t offset, const void* data, std::size_t size) const {
    WriteProcessMemory(process_, at_ + offset, data, size, nullptr);
  }
  void Get(std::size_t offset, void* data, std::size_t size) const {
    ReadProcessMemory(process_, at_ + offset, data, size, nullptr);
  }
  std::string Text(std::size_t offset) const {
    std::vector<char> text(size_ - offset, '\0');
    Get(offset, text.data(), text.size() - 1);
    return text.data();
  }

 private:
  HANDLE process_ = nullptr;
  char* at_ = nullptr;
  std::size_t size_;
};

inline constexpr std::size_t kTextAt = 512;
inline constexpr std::size_t kMemory = 4096;

inline LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wparam, lparam, SMTO_NORMAL, 10000, &result);
  return static_cast<LRESULT>(result);
}

struct Node {
  HTREEITEM item;
  std::string text;
  int image;
  int depth;
};

class RemoteTree {
 public:
  RemoteTree(HWND tree, DWORD process) : tree_(tree), memory_(process, kMemory) {}
  std::vector<Node> Nodes() {
    std::vector<Node> nodes;
    Walk(reinterpret_cast<HTREEITEM>(Send(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0)), 0, nodes);
    return nodes;
  }
  HTREEITEM Find(const std::string& text) {
    for (const Node& node : Nodes()) {
      if (node.text == text) return node.item;
    }
    return nullptr;
  }
  // As a click or the arrow keys do: the dialog hears of the change.
  void Select(HTREEITEM item) {
    Send(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }

 private:
  void Walk(HTREEITEM item, int depth, std::vector<Node>& nodes) {
    for (; item != nullptr;
         item = reinterpret_cast<HTREEITEM>(
             Send(tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
      TVITEMA record{};
      record.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE;
      record.hItem = item;
      record.pszText = memory_.At(kTextAt);
      record.cchTextMax = static_cast<int>(kMemory - kTextAt);
      memory_.Put(0, &record, sizeof record);
      Send(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory_.At(0)));
      memory_.Get(0, &record, sizeof record);
      nodes.push_back(Node{item, memory_.Text(kTextAt), record.iImage, depth});
      Walk(reinterpret_cast<HTREEITEM>(
               Send(tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))),
           depth + 1, nodes);
    }
  }
  HWND tree_;
  RemoteMemory memory_;
};

class RemoteList {
 public:
  RemoteList(HWND list, DWORD process) : list_(list), memory_(process, kMemory) {}
  int Count() { return static_cast<int>(Send(list_, LVM_GETITEMCOUNT, 0, 0)); }
  std::string Text(int item) {
    LVITEMA record{};
    record.iSubItem = 0;
    record.pszText = memory_.At(kTextAt);
    record.cchTextMax = static_cast<int>(kMemory - kTextAt);
    memory_.Put(0, &record, sizeof record);
    Send(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
         reinterpret_cast<LPARAM>(memory_.At(0)));
    return memory_.Text(kTextAt);
  }
  int Image(int item) {
    LVITEMA record{};
    record.mask = LVIF_IMAGE;
    record.iItem = item;
    memory_.Put(0, &record, sizeof record);
    Send(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory_.At(0)));
    memory_.Get(0, &record, sizeof record);
    return record.iImage;
  }

 private:
  HWND list_;
  RemoteMemory memory_;
};

}  // namespace keylark::wintest
