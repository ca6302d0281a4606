// The key bar (Form1): the program's main window. It owns the start-up load
// sequence, the fixed size, hide-on-minimize and the position memory.
#pragma once

#include <string>

#include "app/session.h"
#include "app/startup.h"
#include "app/win/window_base.h"
#include "store/registry_store.h"

namespace keylark::app::win {

inline constexpr const char* kKeyBarClassName = "KeylarkKeyBar";

class KeyBar final : public WindowBase {
 public:
  KeyBar(Session& session, const store::Store& store, HINSTANCE instance);

  // Creates the window and runs the load sequence; the window stays hidden
  // until Show().
  bool Create();
  void Show();

  // Deletes the published window handle (after the window is gone).
  void Terminate();

  const std::string& HelpFile() const { return help_file_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Load();
  void Unload();

  SIZE FixedOuterSize() const;
  void ApplyFixedSize();
  void PlaceWindow();
  void ApplyOptions();
  void SetAlwaysOnTop(bool on);
  Twips PositionInTwips() const;

  void OnSize(WPARAM kind);
  void OnWindowPosChanging(WINDOWPOS* pos) const;

  Session& session_;
  const store::Store& store_;
  HINSTANCE instance_;
  std::string help_file_;
  int logical_pixels_per_inch_ = 96;
  double twips_per_pixel_x_ = 15;
  double twips_per_pixel_y_ = 15;
};

}  // namespace keylark::app::win
