// A thin wrapper over a tree-view control: nodes with a text, a picture for
// the closed and the open state, and a number of the caller's.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

namespace keylark::ui::win {

class TreeView {
 public:
  TreeView() = default;
  explicit TreeView(HWND control) : control_(control) {}

  HWND Handle() const { return control_; }
  // The tree keeps using the image list without owning it.
  void SetImages(HIMAGELIST images) const;
  void Clear() const;
  // Adds a node as the last child of `parent` (nullptr: the top level);
  // `data` comes back from DataOf. Nothing when the control refused it.
  HTREEITEM Add(HTREEITEM parent, const std::string& text, int image, LPARAM data) const;
  // The picture shown for a node, selected or not.
  void SetImage(HTREEITEM node, int image) const;
  std::optional<LPARAM> DataOf(HTREEITEM node) const;
  HTREEITEM Selected() const;
  // The node at a point on the screen (as GetMessagePos gives it), or nullptr.
  HTREEITEM ItemAt(DWORD screen_point) const;
  void Select(HTREEITEM node) const;
  int Count() const;

 private:
  HWND control_ = nullptr;
};

}  // namespace keylark::ui::win
