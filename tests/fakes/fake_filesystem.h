// Folders and their files and subfolders, in listing order, and the contents
// of files, held in memory.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/filesystem.h"

namespace keylark::fakes {

class FakeFileSystem final : public platform::FileSystem {
 public:
  void AddFile(const std::string& folder, const std::string& name, std::uint32_t attributes = 0) {
    folders_[folder].files.push_back(platform::FileEntry{name, attributes});
  }
  void AddFolder(const std::string& folder) { folders_[folder]; }
  void SetContents(const std::string& path, std::string contents) {
    contents_[path] = std::move(contents);
  }
  // Adds an empty subfolder that lists at once, and returns its path.
  std::string AddSubfolder(const std::string& parent, const std::string& name,
                           std::uint32_t attributes = 0) {
    folders_[parent].subfolders.push_back(platform::FileEntry{name, attributes});
    AddFolder(parent + "\\" + name);
    return parent + "\\" + name;
  }

  std::optional<std::vector<platform::FileEntry>> ListFiles(const std::string& folder) override {
    auto it = folders_.find(folder);
    if (it == folders_.end()) return std::nullopt;
    return it->second.files;
  }
  std::optional<std::vector<platform::FileEntry>> ListSubfolders(
      const std::string& folder) override {
    auto it = folders_.find(folder);
    if (it == folders_.end()) return std::nullopt;
    return it->second.subfolders;
  }
  std::optional<std::string> ReadFileStart(const std::string& path, std::size_t limit) override {
    auto it = contents_.find(path);
    if (it == contents_.end()) return std::nullopt;
    return it->second.substr(0, limit);
  }

 private:
  struct Folder {
    std::vector<platform::FileEntry> files;
    std::vector<platform::FileEntry> subfolders;
  };
  std::map<std::string, Folder> folders_;
  std::map<std::string, std::string> contents_;
};

}  // namespace keylark::fakes
