#include "fakes/fake_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

namespace keylark::fakes {
namespace {

using platform::KeyHandle;
using platform::Status;

// The registry compares names by their upper-case form.
std::string Fold(const std::string& name) {
  std::string folded = name;
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return folded;
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

}  // namespace

struct FakeRegistry::Node {
  struct Value {
    std::string name;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
  };
  std::string name;
  Node* parent = nullptr;
  bool deleted = false;
  std::map<std::string, Value> values;                    // by folded name
  std::map<std::string, std::unique_ptr<Node>> children;  // by folded name
  std::vector<std::unique_ptr<Node>> graveyard;  // deleted keys open handles still point at
  std::uint64_t written = 0;                     // the registry's clock when the key last changed
};

FakeRegistry::FakeRegistry()
    : current_user_(std::make_unique<Node>()), local_machine_(std::make_unique<Node>()) {}

FakeRegistry::~FakeRegistry() = default;

FakeRegistry::Node* FakeRegistry::Find(platform::Root root, const std::string& path, bool create) {
  Node* node = root == platform::Root::LocalMachine ? local_machine_.get() : current_user_.get();
  for (const std::string& part : SplitPath(path)) {
    auto it = node->children.find(Fold(part));
    if (it == node->children.end()) {
      if (!create) return nullptr;
      auto child = std::make_unique<Node>();
      child->name = part;
      child->parent = node;
      it = node->children.emplace(Fold(part), std::move(child)).first;
      node->written = ++clock_;
    }
    node = it->second.get();
  }
  return node;
}

FakeRegistry::Node* FakeRegistry::NodeOf(KeyHandle key) {
  auto it = handles_.find(key);
  return it == handles_.end() ? nullptr : it->second;
}

KeyHandle FakeRegistry::NewHandle(Node* node) {
  const KeyHandle key = next_handle_;
  next_handle_ += 4;
  handles_[key] = node;
  return key;
}

Status FakeRegistry::OpenKey(platform::Root root, const std::string& path, KeyHandle* key) {
  log_.push_back("open " + path);
  *key = 0;
  Node* node = Find(root, path, false);
  if (node == nullptr) return platform::kFileNotFound;
  *key = NewHandle(node);
  return platform::kSuccess;
}

Status FakeRegistry::CreateKey(platform::Root root, const std::string& path, KeyHandle* key) {
  log_.push_back("create " + path);
  *key = 0;
  *key = NewHandle(Find(root, path, true));
  return platform::kSuccess;
}

Status FakeRegistry::CloseKey(KeyHandle key) {
  return handles_.erase(key) == 1 ? platform::kSuccess : platform::kInvalidHandle;
}

Status FakeRegistry::QueryValue(KeyHandle key, const std::string& name, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* size) {
  log_.push_back("query " + name);
  Node* node = NodeOf(key);
  if (node == nullptr) return platform::kInvalidHandle;
  if (node->deleted) return platform::kKeyDeleted;
  auto it = node->values.find(Fold(name));
  if (it == node->values.end()) return platform::kFileNotFound;
  const auto& value = it->second;
  const auto needed = static_cast<std::uint32_t>(value.data.size());
  if (type != nullptr) *type = value.type;
  if (data == nullptr) {
    if (size != nullptr) *size = needed;
    return platform::kSuccess;
  }
  if (size == nullptr) return platform::kInvalidParameter;
  if (*size < needed) {
    *size = needed;
    return platform::kMoreData;
  }
  if (needed > 0) std::memcpy(data, value.data.data(), needed);
  *size = needed;
  return platform::kSuccess;
}

Status FakeRegistry::SetValue(KeyHandle key, const std::string& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) {
  log_.push_back("set " + name);
  Node* node = NodeOf(key);
  if (node == nullptr) return platform::kInvalidHandle;
  if (set_failure_ != 0 && sets_before_failure_-- == 0) {
    return std::exchange(set_failure_, 0);
  }
  if (node->deleted) return platform::kKeyDeleted;
  auto& value = node->values[Fold(name)];
  if (value.name.empty()) value.name = name;
  value.type = type;
  value.data.assign(data, data + size);
  node->written = ++clock_;
  return platform::kSuccess;
}

Status FakeRegistry::DeleteValue(KeyHandle key, const std::string& name) {
  log_.push_back("delete value " + name);
  Node* node = NodeOf(key);
  if (node == nullptr) return platform::kInvalidHandle;
  if (node->deleted) return platform::kKeyDeleted;
  if (node->values.erase(Fold(name)) == 0) return platform::kFileNotFound;
  node->written = ++clock_;
  return platform::kSuccess;
}

Status FakeRegistry::DeleteKey(KeyHandle key, const std::string& subkey) {
  log_.push_back("delete key " + subkey);
  Node* node = NodeOf(key);
  if (node == nullptr) return platform::kInvalidHandle;
  if (node->deleted) return platform::kKeyDeleted;
  const std::vector<std::string> parts = SplitPath(subkey);
  if (parts.empty()) return platform::kBadPathname;
  Node* parent = node;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    auto it = parent->children.find(Fold(parts[i]));
    if (it == parent->children.end()) return platform::kFileNotFound;
    parent = it->second.get();
  }
  auto it = parent->children.find(Fold(parts.back()));
  if (it == parent->children.end()) return platform::kFileNotFound;
  if (!it->second->children.empty()) return platform::kAccessDenied;
  // Handles still open on the deleted key see it as deleted, as in Windows.
  it->second->deleted = true;
  parent->graveyard.push_back(std::move(it->second));
  parent->children.erase(it);
  parent->written = ++clock_;
  return platform::kSuccess;
}

Status FakeRegistry::EnumKey(KeyHandle key, std::uint32_t index, char* buffer,
                             std::uint32_t buffer_chars) {
  log_.push_back("enum " + std::to_string(index));
  Node* node = NodeOf(key);
  if (node == nullptr) return platform::kInvalidHandle;
  if (node->deleted) return platform::kKeyDeleted;
  if (index >= node->children.size()) return platform::kNoMoreItems;
  auto it = node->children.begin();
  std::advance(it, index);
  const std::string& name = it->second->name;
  if (buffer == nullptr || buffer_chars < name.size() + 1) return platform::kMoreData;
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  return platform::kSuccess;
}

Status FakeRegistry::QueryInfoKey(KeyHandle key, std::uint32_t* subkeys,
                                  std::uint32_t* max_subkey_len) {
  Node* node = NodeOf(key);
  if (node == nullptr) return platform::kInvalidHandle;
  if (node->deleted) return platform::kKeyDeleted;
  std::size_t longest = 0;
  for (const auto& [folded, child] : node->children)
    longest = std::max(longest, child->name.size());
  if (subkeys != nullptr) *subkeys = static_cast<std::uint32_t>(node->children.size());
  if (max_subkey_len != nullptr) *max_subkey_len = static_cast<std::uint32_t>(longest);
  return platform::kSuccess;
}

Status FakeRegistry::QueryLastWriteTime(KeyHandle key, std::uint64_t* time) {
  Node* node = NodeOf(key);
  if (node == nullptr) return platform::kInvalidHandle;
  if (node->deleted) return platform::kKeyDeleted;
  *time = node->written;
  return platform::kSuccess;
}

}  // namespace keylark::fakes
