// Folders and their files, in listing order, held in memory.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/filesystem.h"

namespace keylark::fakes {

class FakeFileSystem final : public platform::FileSystem {
 public:
  void AddFile(const std::string& folder, const std::string& name, std::uint32_t attributes = 0) {
    folders_[folder].push_back(platform::FileEntry{name, attributes});
  }
  void AddFolder(const std::string& folder) { folders_[folder]; }

  std::optional<std::vector<platform::FileEntry>> ListFiles(const std::string& folder) override {
    auto it = folders_.find(folder);
    if (it == folders_.end()) return std::nullopt;
    return it->second;
  }

 private:
  std::map<std::string, std::vector<platform::FileEntry>> folders_;
};

}  // namespace keylark::fakes
