// An in-memory registry that the contract suite holds to the real one: names
// ignore case and keep their spelling, subkeys enumerate in case-insensitive
// order, queries go size first, and only keys without subkeys are deleted.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace keylark::fakes {

class FakeRegistry final : public platform::Registry {
 public:
  using Status = platform::Status;
  using KeyHandle = platform::KeyHandle;

  Status OpenKey(platform::Root root, const std::string& path, KeyHandle* key) override {
    log_.push_back("open " + path);
    return NewHandle(Descend(roots_[static_cast<int>(root)], path, false), key);
  }
  Status CreateKey(platform::Root root, const std::string& path, KeyHandle* key) override {
    log_.push_back("create " + path);
    return NewHandle(Descend(roots_[static_cast<int>(root)], path, true), key);
  }
  Status CloseKey(KeyHandle key) override {
    return handles_.erase(key) == 1 ? platform::kSuccess : platform::kInvalidHandle;
  }
  Status QueryValue(KeyHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override {
    std::shared_ptr<Node> node;
    if (const Status status = Use("query " + name, key, node)) return status;
    const auto it = node->values.find(Fold(name));
    if (it == node->values.end()) return platform::kFileNotFound;
    const auto& [stored_type, bytes] = it->second;
    if (data != nullptr && size == nullptr) return platform::kInvalidParameter;
    const bool fits = data == nullptr || *size >= bytes.size();
    if (data != nullptr && fits) std::copy(bytes.begin(), bytes.end(), data);
    if (type != nullptr) *type = stored_type;
    if (size != nullptr) *size = static_cast<std::uint32_t>(bytes.size());
    return fits ? platform::kSuccess : platform::kMoreData;
  }
  Status SetValue(KeyHandle key, const std::string& name, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override {
    std::shared_ptr<Node> node;
    if (const Status status = Use("set " + name, key, node)) return status;
    if (failure_.second != 0 && failure_.first-- == 0) return std::exchange(failure_.second, 0);
    node->values[Fold(name)] = {type, std::vector<std::uint8_t>(data, data + size)};
    node->written = ++clock_;
    return platform::kSuccess;
  }
  Status DeleteValue(KeyHandle key, const std::string& name) override {
    std::shared_ptr<Node> node;
    if (const Status status = Use("delete value " + name, key, node)) return status;
    if (node->values.erase(Fold(name)) == 0) return platform::kFileNotFound;
    node->written = ++clock_;
    return platform::kSuccess;
  }
  Status DeleteKey(KeyHandle key, const std::string& subkey) override {
    std::shared_ptr<Node> node;
    if (const Status status = Use("delete key " + subkey, key, node)) return status;
    const std::shared_ptr<Node> child = Descend(node, subkey, false);
    if (child == node) return platform::kBadPathname;
    if (child == nullptr) return platform::kFileNotFound;
    if (!child->children.empty()) return platform::kAccessDenied;
    // Handles still open on the deleted key see it as deleted, as in Windows.
    child->deleted = true;
    child->parent->children.erase(Fold(child->name));
    child->parent->written = ++clock_;
    return platform::kSuccess;
  }
  Status EnumKey(KeyHandle key, std::uint32_t index, char* buffer,
                 std::uint32_t buffer_chars) override {
    std::shared_ptr<Node> node;
    if (const Status status = Use("enum " + std::to_string(index), key, node)) return status;
    if (index >= node->children.size()) return platform::kNoMoreItems;
    const std::string& name = std::next(node->children.begin(), index)->second->name;
    if (buffer == nullptr || buffer_chars < name.size() + 1) return platform::kMoreData;
    std::copy_n(name.c_str(), name.size() + 1, buffer);
    return platform::kSuccess;
  }
  Status QueryInfoKey(KeyHandle key, std::uint32_t* subkeys,
                      std::uint32_t* max_subkey_len) override {
    std::shared_ptr<Node> node;
    if (const Status status = Use("info", key, node)) return status;
    std::size_t longest = 0;
    for (const auto& entry : node->children) longest = std::max(longest, entry.second->name.size());
    if (subkeys != nullptr) *subkeys = static_cast<std::uint32_t>(node->children.size());
    if (max_subkey_len != nullptr) *max_subkey_len = static_cast<std::uint32_t>(longest);
    return platform::kSuccess;
  }
  Status QueryLastWriteTime(KeyHandle key, std::uint64_t* time) override {
    std::shared_ptr<Node> node;
    if (const Status status = Use("stamp", key, node)) return status;
    *time = node->written;
    return platform::kSuccess;
  }

  // Keys opened and not yet closed: tests check that every open is paired.
  std::size_t OpenHandleCount() const { return handles_.size(); }
  // Calls but closes so far, in order: "open <path>", "set <name>", "enum <index>"...
  const std::vector<std::string>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // The SetValue that comes after `succeeding` more have succeeded fails with `status`.
  void FailOneSetValue(std::size_t succeeding, Status status) { failure_ = {succeeding, status}; }

 private:
  struct Node {
    std::string name;  // as first spelt
    Node* parent = nullptr;
    bool deleted = false;
    std::uint64_t written = 0;  // the fake's clock when the key last changed
    std::map<std::string, std::pair<std::uint32_t, std::vector<std::uint8_t>>> values{};
    std::map<std::string, std::shared_ptr<Node>> children{};  // both by folded name
  };

  // The registry compares names by their upper-case form.
  static std::string Fold(std::string name) {
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
  }
  // The key at `path` below `node`, made with its missing parents on `create`.
  std::shared_ptr<Node> Descend(std::shared_ptr<Node> node, const std::string& path, bool create) {
    std::istringstream parts(path);
    for (std::string part; std::getline(parts, part, '\\');) {
      if (part.empty()) continue;
      const std::string folded = Fold(part);
      if (node->children.count(folded) == 0) {
        if (!create) return nullptr;
        node->children[folded] = std::make_shared<Node>(Node{part, node.get()});
        node->written = ++clock_;
      }
      node = node->children[folded];
    }
    return node;
  }
  Status NewHandle(std::shared_ptr<Node> node, KeyHandle* key) {
    *key = node == nullptr ? 0 : next_handle_;
    if (node != nullptr) handles_[std::exchange(next_handle_, next_handle_ + 4)] = std::move(node);
    return *key == 0 ? platform::kFileNotFound : platform::kSuccess;
  }
  // Logs a call on an open key, and finds the key or why it cannot be used.
  Status Use(const std::string& call, KeyHandle key, std::shared_ptr<Node>& node) {
    log_.push_back(call);
    const auto it = handles_.find(key);
    if (it == handles_.end()) return platform::kInvalidHandle;
    node = it->second;
    return node->deleted ? platform::kKeyDeleted : platform::kSuccess;
  }

  std::shared_ptr<Node> roots_[2] = {std::make_shared<Node>(), std::make_shared<Node>()};
  std::map<KeyHandle, std::shared_ptr<Node>> handles_;
  KeyHandle next_handle_ = 0x100;
  std::vector<std::string> log_;
  std::pair<std::size_t, Status> failure_ = {0, 0};  // sets still to succeed, then the failure
  std::uint64_t clock_ = 0;                          // counts changes: the fake's time of writing
};

}  // namespace keylark::fakes
