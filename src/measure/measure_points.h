// Measurement points of the start-up and of the Fn-key handling. In the
// product they compile to nothing. The benchmark's measurement build defines
// KEYLARK_MEASURE and links tools/bench/probe.cpp, which records the points
// and answers the benchmark's questions through a registered window message.
#pragma once

#include <cstdint>

namespace keylark::measure {

// The moments of a start, in the order they happen. Each marks the end of
// the step it names.
enum class Point : std::uint8_t {
  Entry,            // the program's own code begins
  InstanceChecked,  // the single-instance test
  WindowClass,      // window class, icon, cursor and menu
  Size,             // load: the window's fixed size
  Picture,          // load: the keyboard picture
  HelpFile,         // load: the help file's path
  Labels,           // load: screen resolution, drawing surface and label font
  Localized,        // load: captions from the resource library
  Publish,          // load: the published window handle
  KeyNames,         // load: the table of key names
  Position,         // load: first-run defaults or the saved position
  Options,          // load: the five options
  KeyMarks,         // load: the labels' colours and popup marks
  WindowProc,       // load: the window procedure
  Created,          // the window exists (the load ran inside its creation)
  Shown,            // shown and painted
  TrayIcon,         // after showing: the common controls and the tray icon
  LateStart,        // after showing: the label tips
  Count
};

#if defined(KEYLARK_MEASURE)

void Mark(Point point);

// Times the handling of one message by the key bar's window procedure.
class MessageTimer {
 public:
  explicit MessageTimer(std::uint32_t message);
  ~MessageTimer();
  MessageTimer(const MessageTimer&) = delete;
  MessageTimer& operator=(const MessageTimer&) = delete;

 private:
  bool fn_key_;  // an Fn-key message
  bool timed_;   // and not one handled inside the handling of another
  std::int64_t start_;
};

// Times a call into the shell that starts a program, so that the handling
// time can be told apart from the time the shell itself takes.
class ShellCallTimer {
 public:
  ShellCallTimer();
  ~ShellCallTimer();
  ShellCallTimer(const ShellCallTimer&) = delete;
  ShellCallTimer& operator=(const ShellCallTimer&) = delete;

 private:
  std::int64_t start_;
};

// True when the message is the benchmark's question; *answer is the reply.
bool AnswerQuery(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam,
                 std::intptr_t* answer);

#else

inline void Mark(Point) {}

class MessageTimer {
 public:
  explicit MessageTimer(std::uint32_t) {}
};

class ShellCallTimer {
 public:
  ShellCallTimer() {}
};

inline bool AnswerQuery(std::uint32_t, std::uintptr_t, std::intptr_t, std::intptr_t*) {
  return false;
}

#endif

}  // namespace keylark::measure
