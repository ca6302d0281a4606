// The shell's pictures of files, copied once each into a pair of image lists
// that a window owns: one at the large icon size, one at the small, both
// with the shortcut arrow on shortcuts. Files that share a picture share an
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
  ShellIconLists();
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
  HIMAGELIST large_ = nullptr;
  HIMAGELIST small_ = nullptr;
  // (the shell's own picture number, whether it carries the shortcut arrow)
  std::map<std::pair<int, bool>, int> known_;
};

}  // namespace keylark::platform::win32
