// keylarkctl: Keylark's assignments and options from the command line. The
// commands work on the store through the same operations as the dialogs;
// what they need of the system beyond the store comes through CtlSystem.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "control/text_codec.h"
#include "platform/filesystem.h"
#include "store/registry_store.h"

namespace keylark::control {

class CtlSystem {
 public:
  virtual ~CtlSystem() = default;
  // A whole file, or nothing when it cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  virtual std::optional<std::string> ReadStandardInput() = 0;
  virtual bool WriteFile(const std::string& path, const std::string& text) = 0;
  // The absolute form of a folder as typed.
  virtual std::string FullPath(const std::string& path) = 0;
  // Tells a running key bar that the store changed, so it recolours.
  virtual void NotifyKeyBar() = 0;
};

struct CtlContext {
  const store::Store& store;
  platform::FileSystem& files;
  const TextCodec& codec;
  CtlSystem& system;
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // a command that could not be carried out
inline constexpr int kExitUsage = 2;   // a command line that is not understood
// An import whose every key already held the file's values: nothing written.
// Sign-in scripts that apply one file at every start tell the two apart.
inline constexpr int kExitUnchanged = 3;

struct CtlResult {
  int exit_code = kExitOk;
  std::string out;  // UTF-8, for the standard output
  std::string err;  // UTF-8, for the standard error
};

// args: the arguments after the program name.
CtlResult RunCtl(std::span<const std::string> args, const CtlContext& context);

}  // namespace keylark::control
