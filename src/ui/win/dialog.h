// The base of every dialog, modal or modeless: the dialog procedure finds its
// C++ object through DWLP_USER (stored at WM_INITDIALOG, cleared at
// WM_NCDESTROY), no exception crosses into the system's dispatcher, and every
// dialog gets the same frame: its open flag, topmost when asked, its icon,
// its translation, Esc like Cancel and its help topic.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/owned_handles.h"
#include "ui/win/icons.h"

namespace keylark::ui::win {

// Puts a dialog's translated captions (and, for some languages, fonts) in
// place as it loads. The fonts it returns belong to the dialog.
class DialogLocalizer {
 public:
  virtual ~DialogLocalizer() = default;
  virtual std::vector<platform::win32::Font> Localize(HWND dialog, int template_id) = 0;
};

// Shows help at a topic, for a window that owns it.
using HelpRoutine = std::function<void(HWND owner, unsigned long topic)>;

// How one dialog is shown.
struct DialogContext {
  HWND owner = nullptr;  // nullptr: no owner
  bool topmost = false;  // above other windows, as the key bar with Always On Top
  // The caption icon, a resource of the dialog's module shown at the
  // dialog's scale; none when 0.
  int icon_id = 0;
  // What the Help button (IDHELP) and F1 show; no help without a topic.
  HelpRoutine show_help;
  unsigned long help_topic = 0;
  // Set while the dialog exists, from its init to its destruction.
  bool* open_flag = nullptr;
  // Every dialog of the program has one; a dialog without it keeps its
  // design captions, and says so in the debug output.
  DialogLocalizer* localizer = nullptr;
};

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Shows the dialog and returns the result it was closed with; -1 when it
  // could not be shown.
  INT_PTR RunModal(HINSTANCE instance, int template_id, const DialogContext& context);
  // Shows the dialog and returns at once; it lives until it is closed. The
  // message loop must pass messages through HandleDialogMessage.
  bool ShowModeless(HINSTANCE instance, int template_id, const DialogContext& context);

  bool IsOpen() const { return hwnd_ != nullptr; }
  HWND hwnd() const { return hwnd_; }
  // Ends a modal dialog with this result, or destroys a modeless one.
  void Close(INT_PTR result);

  // The dialog opened last among those still open, or nullptr.
  static HWND ActiveDialog();
  // Lets an open modeless dialog take its keyboard message (Tab, Enter, Esc,
  // mnemonics); true when it did.
  static bool HandleDialogMessage(MSG* message);

 protected:
  // After the frame is set up; return false to keep the focus where it was put.
  virtual bool OnInit() { return true; }
  // Puts in place what the design holds but a template cannot (a control's
  // own font, the About box's banner): the translation, which comes next and
  // before OnInit, may replace it.
  virtual void PrepareDesign() {}
  virtual void OnOk() { Close(IDOK); }
  // Esc and a button with the id IDCANCEL.
  virtual void OnCancel() { Close(IDCANCEL); }
  // True when the command was handled.
  virtual bool OnCommand(int /*id*/, int /*notification*/) { return false; }
  // A notification's result, or nothing when it is not handled.
  virtual std::optional<LRESULT> OnNotify(const NMHDR& /*header*/) { return std::nullopt; }
  virtual void OnHelp();
  // Any other message (owner drawing, timers); nothing when not handled.
  virtual std::optional<INT_PTR> OnMessage(UINT /*message*/, WPARAM /*wparam*/, LPARAM /*lparam*/) {
    return std::nullopt;
  }
  // The window is gone; the object may be reused or dropped.
  virtual void OnClosed() {}

  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::string Text(int id) const;
  void SetText(int id, const std::string& text) const;
  bool IsChecked(int id) const;
  void SetChecked(int id, bool checked) const;
  void Enable(int id, bool enabled) const;
  const DialogContext& Context() const { return context_; }
  // A string of the string table of the module the dialog came from.
  std::string ProgramText(unsigned id) const;

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  BOOL Initialize();
  void Localize();
  void Detach();

  HWND hwnd_ = nullptr;
  HINSTANCE instance_ = nullptr;
  int template_id_ = 0;
  bool modal_ = false;
  bool owner_held_ = false;  // a modal dialog's owner was disabled when it opened
  DialogContext context_;
  // The fonts the translation gave the controls, released once they are gone.
  std::vector<platform::win32::Font> fonts_;
  CaptionIcons icons_;
};

// The text of any window or control (GetWindowTextA), however long.
std::string WindowText(HWND window);

// A string of the module's string table; empty when it has none of that id.
std::string ResourceText(HINSTANCE instance, unsigned id);

}  // namespace keylark::ui::win
