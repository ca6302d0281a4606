#include "dialogs/explorer_tree.h"

#include <algorithm>

namespace keylark::dialogs {
namespace {

// A Start menu nests a few levels; a folder that contains itself through a
// link would not end, so the walk stops far below any real menu.
constexpr int kDeepestFolder = 64;

std::string SubfolderPath(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

}  // namespace

const FolderNode* FolderTree::Find(const std::string& key) const {
  const auto it = by_key_.find(key);
  return it == by_key_.end() ? nullptr : &nodes_[it->second];
}

void FolderTree::ListFolder(platform::FileSystem& files, const std::string& key,
                            const std::string& folder, bool merge) {
  ListFolder(files, key, folder, merge, 0);
}

void FolderTree::ListFolder(platform::FileSystem& files, const std::string& key,
                            const std::string& folder, bool merge, int depth) {
  if (depth > kDeepestFolder) return;
  const std::size_t present = nodes_.size();
  const auto subfolders = files.ListSubfolders(folder);
  if (!subfolders) return;
  for (const platform::FileEntry& subfolder : *subfolders) {
    if ((subfolder.attributes & platform::kHiddenAttribute) != 0) break;
    const std::string path = SubfolderPath(folder, subfolder.name);
    if (merge) {
      // Matched by name wherever the node stands in the tree.
      const auto end = nodes_.begin() + static_cast<std::ptrdiff_t>(present);
      const auto same = std::find_if(
          nodes_.begin(), end, [&](const FolderNode& node) { return node.text == subfolder.name; });
      if (same != end) {
        same->tag = path;
      } else {
        Add(key, path, subfolder.name);
      }
    } else {
      Add(key, path, subfolder.name);
    }
    ListFolder(files, path, path, merge, depth + 1);
  }
}

void FolderTree::Add(const std::string& parent_key, const std::string& key,
                     const std::string& text) {
  if (!parent_key.empty() && by_key_.count(parent_key) == 0) return;
  if (by_key_.count(key) != 0) return;
  by_key_.emplace(key, nodes_.size());
  nodes_.push_back(FolderNode{key, text, "", parent_key});
}

FolderTree BuildProgramTree(platform::FileSystem& files, const ProgramFolders& folders,
                            bool user_only) {
  FolderTree tree;
  if (user_only) {
    if (!folders.user.empty()) tree.ListFolder(files, "", folders.user, false);
    return tree;
  }
  if (!folders.all_users.empty()) tree.ListFolder(files, "", folders.all_users, false);
  if (!folders.user.empty()) tree.ListFolder(files, "", folders.user, true);
  return tree;
}

}  // namespace keylark::dialogs
