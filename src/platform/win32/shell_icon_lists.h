// The shell's pictures of files, copied once each into a pair of image lists
// that a window owns: one of large icons, one of small, at the sizes of the
// window's scale, both with the shortcut arrow on shortcuts. Files that share a picture share an
// entry, so a folder of a thousand shortcuts to a few programs costs a few
// pictures. The lists go when the object goes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <utility>

namespace keylark::platform::win32 {

class ShellIconLists {
 public:
  // Makes the lists, and has COM ready on this thread for as long as they
  // live: the shell reads a shortcut's picture through it.
  ShellIconLists(int large_size, int small_size);
  ~ShellIconLists();
  ShellIconLists(const ShellIconLists&) = delete;
  ShellIconLists& operator=(const ShellIconLists&) = delete;

  HIMAGELIST Large() const { return large_; }
  HIMAGELIST Small() const { return small_; }

  // The file's picture, at the same index in both lists; -1 when the shell
  // has none for it.
  int IndexOf(const std::string& path);

 private:
  bool com_ready_ = false;
  // The small list takes the shell's large picture, shrunk, when the
  // shell's small one would have to grow to fit it.
  bool small_from_large_ = false;
  HIMAGELIST large_ = nullptr;
  HIMAGELIST small_ = nullptr;
  // (the shell's own picture number, whether it carries the shortcut arrow)
  std::map<std::pair<int, bool>, int> known_;
};

}  // namespace keylark::platform::win32
