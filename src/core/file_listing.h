// The files of a chosen Start-menu folder as the application explorer lists
// them: hidden files left out, captions cut to fit under an icon, and a
// second folder of the same name appended without repeating a file name.
// Its count is also what a popup list made from the folder records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/filesystem.h"

namespace keylark::core {

// One entry of the list.
struct ListedFile {
  std::string name;     // the file name with its extension; unique in the list
  std::string caption;  // what the list shows under or beside the icon
  std::string folder;   // the folder that holds the file
  std::string Path() const { return folder + "\\" + name; }
};

// The caption of a file: its name less the last four characters (a
// three-letter extension and its dot), and when that is longer than 18
// characters its first 15 and "...". Characters, not bytes, are counted. A
// name of four characters or fewer is shown whole rather than as nothing.
std::string ListCaption(const std::string& file_name);

class FileListing {
 public:
  // A new listing: no items, no count.
  void Clear();

  // Lists a folder's files in the file system's order. The first folder
  // starts the numbering at 1; a folder appended to a list that already has
  // items goes on from there and adds no item for a name the list already
  // has, though the file still counts. A folder that cannot be read counts
  // as one without files.
  void Add(platform::FileSystem& files, const std::string& folder);

  const std::vector<ListedFile>& Items() const { return items_; }
  // The number of the last file the latest Add processed: the item count of
  // a single folder, the running number through both of a merged pair, and
  // 0 when that Add processed no file at all.
  std::int16_t ItemCount() const { return item_count_; }

 private:
  std::vector<ListedFile> items_;
  std::int16_t item_count_ = 0;
};

// The count that listing `folder` and then `folder2` (either may be empty:
// none) leaves, which is what a popup list made from them records.
std::int16_t CountListedFiles(platform::FileSystem& files, const std::string& folder,
                              const std::string& folder2);

}  // namespace keylark::core
