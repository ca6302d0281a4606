// A thin wrapper over a list-view control in report view: one column, rows
// with a small picture and a number of the caller's.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

namespace keylark::ui::win {

class ListView {
 public:
  ListView() = default;
  explicit ListView(HWND control) : control_(control) {}

  HWND Handle() const { return control_; }
  void SetExtendedStyle(DWORD style) const;
  // The list keeps using the image list without owning it.
  void SetSmallImages(HIMAGELIST images) const;
  void AddColumn(int width_pixels) const;
  void Clear() const;
  // Appends a row; `data` comes back from DataOf.
  void AddRow(const std::string& text, int image, LPARAM data) const;
  std::optional<LPARAM> DataOf(int item) const;
  int Count() const;
  std::string TextOf(int item) const;

  // Fills the list without drawing every step.
  class Batch {
   public:
    explicit Batch(const ListView& list) : control_(list.control_) {
      SendMessageA(control_, WM_SETREDRAW, FALSE, 0);
    }
    ~Batch() {
      SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(control_, nullptr, TRUE);
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    HWND control_;
  };

 private:
  HWND control_ = nullptr;
};

}  // namespace keylark::ui::win
