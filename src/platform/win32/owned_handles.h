// Owning handle types: each closes its handle the one way that handle is
// closed, exactly once, when it goes out of scope. Move-only.
//
// Two rules the image lists need: the system image list belongs to the shell
// and is never destroyed (keep it as a plain HIMAGELIST, never in an
// ImageList), and an icon added to an image list is copied, so the icon is
// destroyed right after it was added (keep it in an Icon for that scope).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "platform/win32/common_controls.h"

namespace keylark::platform::win32 {

template <typename Handle, typename Traits>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() { Reset(); }
  Owned(Owned&& other) noexcept : handle_(other.Release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle Get() const { return handle_; }
  bool IsValid() const { return handle_ != Traits::Invalid(); }
  explicit operator bool() const { return IsValid(); }

  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Handle handle = Traits::Invalid()) {
    if (IsValid()) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

namespace traits {

template <typename Handle>
struct GdiObject {
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { DeleteObject(handle); }
};
struct Icon {
  static HICON Invalid() { return nullptr; }
  static void Close(HICON icon) { DestroyIcon(icon); }
};
struct Menu {
  static HMENU Invalid() { return nullptr; }
  static void Close(HMENU menu) { DestroyMenu(menu); }
};
struct ImageList {
  static HIMAGELIST Invalid() { return nullptr; }
  static void Close(HIMAGELIST list) { DestroyImageList(list); }
};
struct Module {
  static HMODULE Invalid() { return nullptr; }
  static void Close(HMODULE module) { FreeLibrary(module); }
};
struct MemoryDc {
  static HDC Invalid() { return nullptr; }
  static void Close(HDC dc) { DeleteDC(dc); }
};
// Most kernel objects (processes, threads, mutexes) are "no handle" when null.
struct KernelHandle {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};
// Files, snapshots and devices are "no handle" when INVALID_HANDLE_VALUE.
struct FileHandle {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};
struct FindHandle {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { FindClose(handle); }
};

}  // namespace traits

using Font = Owned<HFONT, traits::GdiObject<HFONT>>;
using Bitmap = Owned<HBITMAP, traits::GdiObject<HBITMAP>>;
using Brush = Owned<HBRUSH, traits::GdiObject<HBRUSH>>;
using Icon = Owned<HICON, traits::Icon>;
using Menu = Owned<HMENU, traits::Menu>;
using ImageList = Owned<HIMAGELIST, traits::ImageList>;
using Module = Owned<HMODULE, traits::Module>;
using MemoryDc = Owned<HDC, traits::MemoryDc>;
using KernelHandle = Owned<HANDLE, traits::KernelHandle>;
using FileHandle = Owned<HANDLE, traits::FileHandle>;
using FindHandle = Owned<HANDLE, traits::FindHandle>;

// Selects a GDI object into a DC for one scope and puts the previous back.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace keylark::platform::win32
