// A thin wrapper over a list-view control: in report view one column of rows
// with a small picture, or in the large or small icon view a picture with a
// caption; each item carries a number of the caller's.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "ui/win/redraw_pause.h"

namespace keylark::ui::win {

class ListView {
 public:
  ListView() = default;
  explicit ListView(HWND control) : control_(control) {}

  HWND Handle() const { return control_; }
  void SetExtendedStyle(DWORD style) const;
  // The list keeps using the image list without owning it.
  void SetSmallImages(HIMAGELIST images) const;
  void SetLargeImages(HIMAGELIST images) const;
  // Large icons lined up from the top, or small icons lined up from the left.
  void ShowIcons(bool large) const;
  void SetBackground(COLORREF colour) const;
  void AddColumn(int width_pixels) const;
  void Clear() const;
  // Appends a row; `data` comes back from DataOf.
  void AddRow(const std::string& text, int image, LPARAM data) const;
  std::optional<LPARAM> DataOf(int item) const;
  // Draws these items again, asking for their callback texts and pictures.
  void RedrawItems(int first, int last) const;
  // The first selected item, or -1.
  int Selected() const;
  int Count() const;
  std::string TextOf(int item) const;

  // Fills the list without drawing every step.
  class Batch : public RedrawPause {
   public:
    explicit Batch(const ListView& list) : RedrawPause(list.control_) {}
  };

 private:
  HWND control_ = nullptr;
};

}  // namespace keylark::ui::win
