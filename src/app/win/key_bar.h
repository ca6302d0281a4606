// The key bar (Form1): the program's main window. It runs the start-up load
// sequence, keeps its size, hides when minimized, remembers its position,
// paints the 24 labels over the keyboard picture and carries out the menu.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include <windows.h>
#include <shellapi.h>

#include "app/key_bar_geometry.h"
#include "app/key_bar_model.h"
#include "app/key_bar_services.h"
#include "app/menu_commands.h"
#include "app/popup_list.h"
#include "app/startup.h"
#include "app/win/key_bar_surface.h"
#include "core/window_messages.h"
#include "core/session.h"
#include "dialogs/win/assignment_flow.h"
#include "dialogs/win/form_localizer.h"
#include "platform/file_chooser.h"
#include "platform/filesystem.h"
#include "platform/resource_library.h"
#include "platform/shell.h"
#include "platform/shortcut_library.h"
#include "platform/win32/owned_handles.h"
#include "store/registry_store.h"
#include "ui/win/dialog.h"
#include "ui/win/window_base.h"

namespace keylark::app::win {

inline constexpr const char* kKeyBarClassName = core::kKeyBarWindowClass;

// What the key bar's dialogs work with besides the store and the shell.
struct DialogSeams {
  platform::FileSystem& files;
  platform::FileChooser& chooser;
  platform::ShortcutLibrary& shortcuts;
  platform::ResourceLibrary& languages;  // the captions' resource library
};

class KeyBar final : public ui::win::WindowBase, public KeyBarWindow {
 public:
  KeyBar(core::Session& session, const store::Store& store, platform::Shell& shell,
         DialogSeams dialog_seams, HINSTANCE instance);
  ~KeyBar() override;

  // Creates the window and runs the load sequence; the window stays hidden
  // until Show().
  bool Create();

  // Deletes the published window handle (after the window is gone).
  void Terminate();

  // Uses the current key (CurrentKeyName / CurrentKeyIndex).
  void LaunchKey();

  // What the launcher, the popup list and the tray need of the key bar.
  platform::WindowHandle Handle() const override;
  core::WindowState State() const override;
  void SetState(core::WindowState state) override;
  void Show() override;
  platform::WindowHandle ActiveForm() const override;
  // Recolours the labels and redraws the popup marks from the store.
  void RefreshKeyMarks() override;
  void Enable() override;
  void ShowConfirmChanges(bool on) override;
  void ShowAsAssigned(int key_index) override;
  void ShowAssignTypeModal() override;
  void ShowAssignTypeModeless() override;
  void ShowPopupList() override;
  void ShowTrayMenu() override;

  // Moves the key bar inside the nearest monitor's work area when it is
  // (mostly) outside every monitor.
  void KeepOnScreen();

  // Help at a topic, for the key bar itself or for a window it opened.
  void OpenHelp(core::HelpTopic topic) const;
  void ShowHelpFor(HWND owner, unsigned long topic) const;
  ui::win::HelpRoutine DialogHelp() const {
    return [this](HWND owner, unsigned long topic) { ShowHelpFor(owner, topic); };
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Load();
  void Localize();
  void FinishStart();
  void Unload();

  // The key bar's geometry at a scale, as Scale With Display has it now.
  KeyBarGeometry GeometryAt(int pixels_per_inch) const;
  SIZE FixedOuterSize() const;
  void ApplyFixedSize();
  // Measures the menu bar and makes room for the lines it wrapped onto.
  void FitMenuBar(bool menu_changed);
  // Draws the key bar again at a resolution, scaled or not as the option
  // says: picture, marks, font, size and the labels' tip areas.
  void Relayout(int pixels_per_inch);
  void OnDpiChanged(int pixels_per_inch, const RECT* suggested);
  // Scaled or not as the stored option now says, with its check mark.
  void FollowScaleOption();
  void PlaceWindow();
  void ApplyOptions();
  void SetAlwaysOnTop(bool on);
  void SetMenuCheck(MenuCommand command, bool on) const;
  Twips PositionInTwips() const;
  void CreateLabelTips();
  void SetLabelTip(int index, std::string text);

  void OnSize(WPARAM kind);
  void OnWindowPosChanging(WINDOWPOS* pos) const;
  void OnPaint();
  void OnEnable(bool enabled);
  void OnMouseMessage(UINT message, LPARAM lparam);
  void OnMouseDown(int x, int y, MouseButton button);
  void OnMouseMove(int x, int y);
  void OnCommand(UINT id);
  void OnToggle(const MenuItemInfo& item);
  bool OnHelp(const HELPINFO* info) const;
  void ShowAbout();

  // One menu at a time: a menu asked for while another is open closes that
  // one and takes its place.
  enum class MenuKind { PopupList, Tray };
  void ShowMenu(MenuKind kind);
  void TrackPopupList();
  bool PutInPopupMenu(PopupMenuModel model);
  void TrackTrayMenu();
  // True from the moment a close is asked for (also while it is still queued).
  bool IsClosing() const;

  // The tray icon and the window procedure that receives its callbacks and
  // the Fn-key reports.
  KeyBarServices Services();
  void AddTrayIcon();
  void DeleteTrayIcon();
  void InstallWindowProc();
  void RestoreWindowProc();
  static LRESULT CALLBACK KeyBarWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  core::Session& session_;
  const store::Store& store_;
  platform::Shell& shell_;
  DialogSeams dialog_seams_;
  HINSTANCE instance_;
  dialogs::win::FormLocalizer localizer_;
  std::unique_ptr<dialogs::win::AssignmentFlow> flow_;
  KeyBarSurface surface_;
  NOTIFYICONDATAA tray_icon_{};
  platform::win32::Icon tray_picture_;  // the icon tray_icon_ shows
  UINT taskbar_created_ = 0;
  WNDPROC previous_proc_ = nullptr;
  bool menu_open_ = false;
  bool closing_ = false;
  bool started_ = false;  // shown, and what waits for that done
  std::optional<MenuKind> next_menu_;
  // The popup list's menu and what it shows, kept for the next showing.
  PopupListReader popup_reader_;
  platform::win32::Menu popup_menu_;
  PopupMenuModel popup_model_;
  platform::win32::Menu tray_menu_;  // loaded and translated with the key bar
  HWND tips_ = nullptr;
  // Each label's tip text, as its hint was read when the pointer last moved
  // over it.
  std::array<std::string, core::kKeyCount> tip_texts_{};
  std::string program_folder_;        // where the help file or the help pages lie
  int logical_pixels_per_inch_ = 96;  // the screen's, for twips
  KeyBarGeometry geometry_ = KeyBarGeometry::For(kDesignPixelsPerInch, false);
  int menu_bar_height_ = 0;  // as measured; 0 before the first measuring
  double twips_per_pixel_x_ = 15;
  double twips_per_pixel_y_ = 15;
};

}  // namespace keylark::app::win
