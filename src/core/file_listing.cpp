#include "core/file_listing.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

#include "store/value_codec.h"

namespace keylark::core {
namespace {

constexpr std::size_t kLongestCaption = 18;
constexpr std::size_t kCutCaption = 15;
constexpr std::size_t kExtensionLength = 4;

// Where each character of a UTF-8 text starts. A byte that starts no
// well-formed sequence counts as a character of its own, so a name in
// another encoding is still cut somewhere rather than not at all.
std::vector<std::size_t> CharacterStarts(const std::string& text) {
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at < text.size();) {
    starts.push_back(at);
    at += std::max<std::size_t>(store::Utf8SequenceLength(text, at), 1);
  }
  return starts;
}

}  // namespace

std::string ListCaption(const std::string& file_name) {
  const std::vector<std::size_t> starts = CharacterStarts(file_name);
  if (starts.size() <= kExtensionLength) return file_name;
  const std::size_t kept = starts.size() - kExtensionLength;
  if (kept <= kLongestCaption) return file_name.substr(0, starts[kept]);
  return file_name.substr(0, starts[kCutCaption]) + "...";
}

void FileListing::Clear() {
  items_.clear();
  item_count_ = 0;
}

void FileListing::Add(platform::FileSystem& files, const std::string& folder) {
  item_count_ = 0;
  const std::size_t earlier = items_.size();
  const auto listing = files.ListFiles(folder);
  if (!listing) return;
  // The numbers are 16-bit, as the popup list's "FileCount" is; a folder of
  // more files than that is still listed whole and counts as full.
  int number = static_cast<int>(earlier);
  std::unordered_set<std::string> earlier_names;
  for (const ListedFile& item : items_) earlier_names.insert(item.name);
  for (const platform::FileEntry& file : *listing) {
    if ((file.attributes & platform::kHiddenAttribute) != 0) continue;
    number = std::min(number + 1, static_cast<int>(std::numeric_limits<std::int16_t>::max()));
    item_count_ = static_cast<std::int16_t>(number);
    if (earlier_names.count(file.name) == 0)
      items_.push_back(ListedFile{file.name, ListCaption(file.name), folder});
  }
}

std::int16_t CountListedFiles(platform::FileSystem& files, const std::string& folder,
                              const std::string& folder2) {
  FileListing listing;
  if (!folder.empty()) listing.Add(files, folder);
  if (!folder2.empty()) listing.Add(files, folder2);
  return listing.ItemCount();
}

}  // namespace keylark::core
