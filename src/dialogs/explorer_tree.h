// The application explorer's folder tree, apart from the tree control: the
// subfolders of the all-users and of the current user's Start-menu programs
// folder in one tree, a folder that both have shown once.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/filesystem.h"

namespace keylark::dialogs {

struct FolderNode {
  std::string key;         // the folder's full path, unique in the tree
  std::string text;        // the folder's name
  std::string tag;         // the path of a second folder merged into this one, or empty
  std::string parent_key;  // empty at the top level
};

class FolderTree {
 public:
  // Nodes in the order they were added: a parent before its children, and
  // siblings in the file system's order.
  const std::vector<FolderNode>& Nodes() const { return nodes_; }
  const FolderNode* Find(const std::string& key) const;

  // Puts `folder`'s subfolders, and theirs, under the node keyed `key` (the
  // top level when empty). Adding: each becomes a new node. Merging: a
  // subfolder whose name matches a node that was in the tree when this call
  // began gives that node its path as the second folder; the others are
  // added. A hidden subfolder ends the listing of its parent. Whatever
  // fails (an unreadable folder, an add under a key the tree does not have,
  // a key it already has) is left out and the walk goes on.
  void ListFolder(platform::FileSystem& files, const std::string& key, const std::string& folder,
                  bool merge);

 private:
  void ListFolder(platform::FileSystem& files, const std::string& key, const std::string& folder,
                  bool merge, int depth);
  void Add(const std::string& parent_key, const std::string& key, const std::string& text);

  std::vector<FolderNode> nodes_;
  std::unordered_map<std::string, std::size_t> by_key_;
};

// The two programs folders; empty when one could not be found.
struct ProgramFolders {
  std::string all_users;
  std::string user;
};

// The explorer's tree: the all-users folders with the user's merged in, or
// the user's alone on systems that keep no all-users Start menu.
FolderTree BuildProgramTree(platform::FileSystem& files, const ProgramFolders& folders,
                            bool user_only);

}  // namespace keylark::dialogs
