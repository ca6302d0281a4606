// KRVSVR.dll: tells a program what a shortcut (.lnk) file holds, as ANSI
// texts in fixed buffers, so that a caller without COM can fill a command
// line from a shortcut.
//
//   INT32 WINAPI GetShortCutInfo(char* target, char* shortcut_path,
//                                char* arguments, char* working_directory,
//                                char* description, char* icon_location,
//                                INT32* show_command, INT32* icon_index);
//
// Every text buffer is kBufferSize bytes; each receives a NUL-ended text and
// nothing is written past its end. The result is 0 when the file was read as
// a shortcut; on any failure it is non-zero and no output is touched.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>

namespace {

constexpr int kBufferSize = 520;

enum Result : INT32 {
  kOk = 0,
  kBadArgument = 1,
  kNoCom = 2,
  kNotAShortcut = 3,
  kNoTarget = 4,
  kOutOfMemory = 5,
};

struct ShortcutTexts {
  char target[kBufferSize];
  char arguments[kBufferSize];
  char working_directory[kBufferSize];
  char description[kBufferSize];
  char icon_location[kBufferSize];
  int show_command;
  int icon_index;
};

// COM for the duration of one call. A thread that already runs COM, in any
// apartment, is used as it is: the shell link object works in either.
class ComScope {
 public:
  ComScope() : result_(CoInitialize(nullptr)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  void** Out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

// IPersistFile takes the file name as UTF-16; the caller's text is in the
// process's ANSI code page. The library uses no C++ runtime, so the wide text
// lives on the process heap.
class WidePath {
 public:
  explicit WidePath(const char* path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (length <= 0) return;
    text_ = static_cast<wchar_t*>(
        HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(length) * sizeof(wchar_t)));
    if (text_ == nullptr) {
      out_of_memory_ = true;
      return;
    }
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, text_, length) != length) {
      HeapFree(GetProcessHeap(), 0, text_);
      text_ = nullptr;
    }
  }
  ~WidePath() {
    if (text_ != nullptr) HeapFree(GetProcessHeap(), 0, text_);
  }
  WidePath(const WidePath&) = delete;
  WidePath& operator=(const WidePath&) = delete;

  const wchar_t* get() const { return text_; }
  bool OutOfMemory() const { return out_of_memory_; }

 private:
  wchar_t* text_ = nullptr;
  bool out_of_memory_ = false;
};

// The shell may leave a buffer without NUL when a text does not fit.
void EndText(char* buffer) { buffer[kBufferSize - 1] = '\0'; }

Result ReadTexts(IShellLinkA* link, ShortcutTexts* texts) {
  const HRESULT path_result = link->GetPath(texts->target, kBufferSize, nullptr, 0);
  if (FAILED(path_result)) return kNoTarget;
  // The other fields are optional in a shortcut: one that cannot be read
  // stays empty instead of failing the whole call.
  link->GetArguments(texts->arguments, kBufferSize);
  link->GetWorkingDirectory(texts->working_directory, kBufferSize);
  link->GetDescription(texts->description, kBufferSize);
  link->GetIconLocation(texts->icon_location, kBufferSize, &texts->icon_index);
  link->GetShowCmd(&texts->show_command);
  EndText(texts->target);
  EndText(texts->arguments);
  EndText(texts->working_directory);
  EndText(texts->description);
  EndText(texts->icon_location);
  return kOk;
}

Result ReadShortcut(const char* path, ShortcutTexts* texts) {
  const WidePath wide_path(path);
  if (wide_path.OutOfMemory()) return kOutOfMemory;
  if (wide_path.get() == nullptr) return kBadArgument;

  const ComScope com;
  if (!com.Usable()) return kNoCom;
  ComRef<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.Out()))) {
    return kNoCom;
  }
  ComRef<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out()))) return kNoCom;
  if (FAILED(file->Load(wide_path.get(), STGM_READ))) return kNotAShortcut;
  return ReadTexts(link.get(), texts);
}

}  // namespace

extern "C" INT32 WINAPI GetShortCutInfo(char* target, char* shortcut_path, char* arguments,
                                        char* working_directory, char* description,
                                        char* icon_location, INT32* show_command,
                                        INT32* icon_index) {
  if (target == nullptr || shortcut_path == nullptr || arguments == nullptr ||
      working_directory == nullptr || description == nullptr || icon_location == nullptr ||
      show_command == nullptr || icon_index == nullptr) {
    return kBadArgument;
  }
  // Everything is read into this record first, so that a failure half-way
  // leaves the caller's buffers as they were.
  ShortcutTexts texts{};
  const Result result = ReadShortcut(shortcut_path, &texts);
  if (result != kOk) return result;

  std::memcpy(target, texts.target, kBufferSize);
  std::memcpy(arguments, texts.arguments, kBufferSize);
  std::memcpy(working_directory, texts.working_directory, kBufferSize);
  std::memcpy(description, texts.description, kBufferSize);
  std::memcpy(icon_location, texts.icon_location, kBufferSize);
  *show_command = texts.show_command;
  *icon_index = texts.icon_index;
  return kOk;
}
