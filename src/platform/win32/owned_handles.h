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

// `Close` is the one function that closes the handle. Most handles are "no
// handle" when null; files, snapshots, devices and searches when they are
// INVALID_HANDLE_VALUE (`kMinusOneIsNone`).
template <typename Handle, auto Close, bool kMinusOneIsNone = false>
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
  bool IsValid() const { return handle_ != None(); }
  explicit operator bool() const { return IsValid(); }

  Handle Release() { return std::exchange(handle_, None()); }
  void Reset(Handle handle = None()) {
    if (IsValid()) Close(handle_);
    handle_ = handle;
  }

 private:
  static Handle None() {
    if constexpr (kMinusOneIsNone) return INVALID_HANDLE_VALUE;
    return nullptr;
  }
  Handle handle_ = None();
};

using Font = Owned<HFONT, &DeleteObject>;
using Bitmap = Owned<HBITMAP, &DeleteObject>;
using Brush = Owned<HBRUSH, &DeleteObject>;
using Icon = Owned<HICON, &DestroyIcon>;
using Menu = Owned<HMENU, &DestroyMenu>;
using ImageList = Owned<HIMAGELIST, &DestroyImageList>;
using Module = Owned<HMODULE, &FreeLibrary>;
using MemoryDc = Owned<HDC, &DeleteDC>;
using KernelHandle = Owned<HANDLE, &CloseHandle>;
using FileHandle = Owned<HANDLE, &CloseHandle, true>;
using FindHandle = Owned<HANDLE, &FindClose, true>;

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
