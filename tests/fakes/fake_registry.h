// An in-memory registry with the semantics of the Win32 one: case-insensitive
// names that keep their spelling, subkeys enumerated in case-insensitive
// order, size-first queries, create with missing parents, and a delete that
// refuses keys with subkeys. The contract suite holds it to the real thing.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace keylark::fakes {

class FakeRegistry final : public platform::Registry {
 public:
  FakeRegistry();
  ~FakeRegistry() override;

  platform::Status OpenKey(platform::Root root, const std::string& path,
                           platform::KeyHandle* key) override;
  platform::Status CreateKey(platform::Root root, const std::string& path,
                             platform::KeyHandle* key) override;
  platform::Status CloseKey(platform::KeyHandle key) override;
  platform::Status QueryValue(platform::KeyHandle key, const std::string& name, std::uint32_t* type,
                              std::uint8_t* data, std::uint32_t* size) override;
  platform::Status SetValue(platform::KeyHandle key, const std::string& name, std::uint32_t type,
                            const std::uint8_t* data, std::uint32_t size) override;
  platform::Status DeleteValue(platform::KeyHandle key, const std::string& name) override;
  platform::Status DeleteKey(platform::KeyHandle key, const std::string& subkey) override;
  platform::Status EnumKey(platform::KeyHandle key, std::uint32_t index, char* buffer,
                           std::uint32_t buffer_chars) override;
  platform::Status QueryInfoKey(platform::KeyHandle key, std::uint32_t* subkeys,
                                std::uint32_t* max_subkey_len) override;
  platform::Status QueryLastWriteTime(platform::KeyHandle key, std::uint64_t* time) override;

  // Keys opened and not yet closed: tests check that every open is paired.
  std::size_t OpenHandleCount() const { return handles_.size(); }
  // Every registry call made so far, one line each ("open cfg", "set X"...),
  // for tests that check order; cleared by ClearLog().
  const std::vector<std::string>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // Makes one later SetValue fail with the given status: the one that comes
  // after `succeeding` more have succeeded.
  void FailOneSetValue(std::size_t succeeding, platform::Status status) {
    sets_before_failure_ = succeeding;
    set_failure_ = status;
  }

 private:
  struct Node;
  Node* Find(platform::Root root, const std::string& path, bool create);
  Node* NodeOf(platform::KeyHandle key);
  platform::KeyHandle NewHandle(Node* node);

  std::unique_ptr<Node> current_user_;
  std::unique_ptr<Node> local_machine_;
  std::map<platform::KeyHandle, Node*> handles_;
  platform::KeyHandle next_handle_ = 0x100;
  std::vector<std::string> log_;
  std::size_t sets_before_failure_ = 0;
  platform::Status set_failure_ = 0;
  std::uint64_t clock_ = 0;  // counts changes: the fake's time of writing
};

}  // namespace keylark::fakes
