#include "app/win/key_bar.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/screen_placement.h"
#include "app/win/key_bar_captions.h"
#include "core/window_messages.h"
#include "i18n/forms.h"
#include "launch/launch_engine.h"
#include "measure/measure_points.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/window_dpi.h"
#include "resource.h"
#include "store/layout.h"
#include "store/store_operations.h"
#include "ui/win/dialog.h"
#include "ui/win/program_modal.h"

namespace keylark::app::win {
namespace {

constexpr DWORD kKeyBarStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr double kTwipsPerInch = 1440.0;
static_assert(core::kWmUser == WM_USER && core::kWmApp == WM_APP);

// The tip area of label `index` over the key bar.
TOOLINFOA LabelTool(HWND key_bar, const KeyBarGeometry& geometry, int index) {
  const PixelBox box = geometry.Label(index);
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = key_bar;
  tool.uId = static_cast<UINT_PTR>(index);
  tool.rect = RECT{box.left, box.top, box.right, box.bottom};
  return tool;
}

}  // namespace

KeyBar::KeyBar(core::Session& session, const store::Store& store, platform::Shell& shell,
               DialogSeams dialog_seams, HINSTANCE instance)
    : session_(session),
      store_(store),
      shell_(shell),
      dialog_seams_(dialog_seams),
      instance_(instance),
      localizer_(session, dialog_seams.languages) {}

KeyBar::~KeyBar() = default;

bool KeyBar::Create() {
  HICON icon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_KEYLARK));
  HCURSOR cursor = LoadCursorA(instance_, MAKEINTRESOURCEA(IDC_POINTING_HAND));
  if (!RegisterWindowClass(instance_, kKeyBarClassName, icon, cursor, nullptr)) return false;
  HMENU menu = LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_KEYBAR_MENU));
  measure::Mark(measure::Point::WindowClass);
  const std::string caption = ui::win::ResourceText(instance_, IDS_KEY_BAR_CAPTION);
  // Made at its final size: resizing a window that is already there costs
  // the window manager a second round of work before the key bar can show.
  // The picture's scale decides that size, so Scale With Display is read
  // here, before the other options.
  geometry_ = GeometryAt(platform::win32::ScreenPixelsPerInch());
  const SIZE size = FixedOuterSize();
  return CreateWindowObject(0, kKeyBarClassName, caption.c_str(), kKeyBarStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, size.cx, size.cy, nullptr, menu, instance_) != nullptr;
}

// The load sequence; its order matters (the handle is published before the
// first-run defaults, the options are read before the labels are coloured).
void KeyBar::Load() {
  using measure::Mark;
  using measure::Point;
  session_.AlwaysOnTop = false;
  // The window was made with the geometry of the screen's scale (Scale With
  // Display was read for it); a monitor of another scale needs another.
  if (const int dpi = platform::win32::WindowPixelsPerInch(hwnd());
      dpi != geometry_.PixelsPerInch()) {
    geometry_ = GeometryAt(dpi);
  }
  ApplyFixedSize();
  Mark(Point::Size);
  surface_.Create(hwnd(), geometry_);
  Mark(Point::Picture);
  program_folder_ = platform::win32::ProgramFolder();
  flow_ = std::make_unique<dialogs::win::AssignmentFlow>(dialogs::win::DialogServices{
      session_, store_, *this, dialog_seams_.files, dialog_seams_.chooser, dialog_seams_.shortcuts,
      instance_, DialogHelp(), localizer_});
  Mark(Point::HelpFile);
  logical_pixels_per_inch_ = platform::win32::ScreenPixelsPerInch();
  twips_per_pixel_x_ = kTwipsPerInch / logical_pixels_per_inch_;
  twips_per_pixel_y_ = twips_per_pixel_x_;
  surface_.SetLabelFont(geometry_);
  // The tray icon and the tips wait until the key bar has been painted: the
  // message loop takes this up only after the first showing.
  PostMessageA(hwnd(), core::FinishStartMessage, 0, 0);
  Mark(Point::Labels);
  Localize();
  // Without a language library the menu bar is as the window was made with.
  FitMenuBar(/*menu_changed=*/!session_.LanguageTag.empty());
  Mark(Point::Localized);
  store_.PublishWindowHandle(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hwnd())));
  Mark(Point::Publish);
  session_.FnKeyNames = core::BuildFnKeyNames();
  Mark(Point::KeyNames);
  PlaceWindow();
  Mark(Point::Position);
  ApplyOptions();
  Mark(Point::Options);
  RefreshKeyMarks();
  Mark(Point::KeyMarks);
  InstallWindowProc();
  Mark(Point::WindowProc);
}

void KeyBar::Localize() {
  tray_menu_.Reset(LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_TRAY_MENU)));
  KeyBarCaptions captions(hwnd(), tray_menu_.Get());
  i18n::TranslateForm1(session_, dialog_seams_.languages, captions);
}

// What the user does not need in order to see the key bar, done as soon as it
// has been painted: the common controls, which size the tray icon as the
// shell wants it, the tray icon, and the label tips.
void KeyBar::FinishStart() {
  started_ = true;
  platform::win32::LoadCommonControls();
  AddTrayIcon();
  measure::Mark(measure::Point::TrayIcon);
  CreateLabelTips();
  measure::Mark(measure::Point::LateStart);
}

void KeyBar::Unload() {
  session_.ResetLabelTags();
  SaveKeyBarPosition(store_, PositionInTwips());
  RestoreWindowProc();
  DeleteTrayIcon();
  if (tips_ != nullptr) DestroyWindow(tips_);
  tips_ = nullptr;
  surface_.Destroy();
}

void KeyBar::Terminate() { store_.WithdrawWindowHandle(); }

SIZE KeyBar::FixedOuterSize() const {
  // The picture's height plus room for the caption and the menu bar.
  using platform::win32::SystemMetricAt;
  const int dpi = geometry_.PixelsPerInch();
  const PixelSize size =
      KeyBarOuterSize(geometry_, FrameMetrics{SystemMetricAt(SM_CYMENU, dpi),
                                              SystemMetricAt(SM_CYSIZE, dpi), menu_bar_height_});
  return SIZE{size.width, size.height};
}

void KeyBar::ApplyFixedSize() {
  const SIZE size = FixedOuterSize();
  RECT now{};
  GetWindowRect(hwnd(), &now);
  if (now.right - now.left == size.cx && now.bottom - now.top == size.cy) return;
  SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void KeyBar::FitMenuBar(bool menu_changed) {
  // The menu bar lays itself out when the frame is computed: a menu wider
  // than the key bar (large fonts, longer captions) wraps onto more lines
  // and would take them from the picture. Minimized, it has no menu bar to
  // measure; the size is restored with the window.
  if (IsIconic(hwnd())) return;
  // New captions or a new width: the frame is computed again first.
  if (menu_changed) {
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  RECT window{};
  RECT client{};
  GetWindowRect(hwnd(), &window);
  GetClientRect(hwnd(), &client);
  const RECT frame = platform::win32::FrameAt(
      static_cast<DWORD>(GetWindowLongA(hwnd(), GWL_STYLE)),
      static_cast<DWORD>(GetWindowLongA(hwnd(), GWL_EXSTYLE)), geometry_.PixelsPerInch());
  menu_bar_height_ = (window.bottom - window.top) - client.bottom - (frame.bottom - frame.top);
  ApplyFixedSize();
}

KeyBarGeometry KeyBar::GeometryAt(int pixels_per_inch) const {
  return KeyBarGeometry::For(pixels_per_inch,
                             store_.ReadFlag(store::kConfigKey, store::kScaleWithDisplayValue));
}

void KeyBar::Relayout(int pixels_per_inch) {
  geometry_ = GeometryAt(pixels_per_inch);
  surface_.Create(hwnd(), geometry_);
  surface_.SetLabelFont(geometry_);
  menu_bar_height_ = 0;  // the menu bar may wrap differently at another width
  ApplyFixedSize();
  FitMenuBar(/*menu_changed=*/true);
  if (tips_ != nullptr) {
    for (int i = 0; i < core::kKeyCount; ++i) {
      TOOLINFOA tool = LabelTool(hwnd(), geometry_, i);
      SendMessageA(tips_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
  RefreshKeyMarks();  // the marks, on the new picture
}

void KeyBar::OnDpiChanged(int pixels_per_inch, const RECT* suggested) {
  // Scaled, everything follows the new monitor; at design size only the
  // label font and the frame around the picture do.
  Relayout(pixels_per_inch);
  if (suggested == nullptr) return;
  SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void KeyBar::PlaceWindow() {
  const SIZE size = FixedOuterSize();
  const TwipsSize screen{GetSystemMetrics(SM_CXSCREEN) * twips_per_pixel_x_,
                         GetSystemMetrics(SM_CYSCREEN) * twips_per_pixel_y_};
  const TwipsSize window{size.cx * twips_per_pixel_x_, size.cy * twips_per_pixel_y_};
  const Twips position = RestoreOrInitializePosition(store_, FirstRunPlacement(screen, window));
  SetWindowPos(hwnd(), nullptr, TwipsToPixels(position.left, twips_per_pixel_x_),
               TwipsToPixels(position.top, twips_per_pixel_y_), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  KeepOnScreen();
}

void KeyBar::ApplyOptions() {
  const Options options = ReadOptions(store_);
  SetAlwaysOnTop(options.always_on_top);
  SetMenuCheck(MenuCommand::MarkPopups, options.mark_popups);
  SetMenuCheck(MenuCommand::MinimizeOnUse, options.minimize_on_use);
  SetMenuCheck(MenuCommand::Hints, options.hints);
  SetMenuCheck(MenuCommand::ConfirmChanges, options.confirm_changes);
  SetMenuCheck(MenuCommand::ScaleWithDisplay, options.scale_with_display);
}

void KeyBar::SetAlwaysOnTop(bool on) {
  session_.AlwaysOnTop = on;
  SetMenuCheck(MenuCommand::AlwaysOnTop, on);
  // "Not topmost" changes nothing for a window that is not topmost, yet under
  // Wine the call alone took 3 to 17 ms of every start.
  if (!on && (GetWindowLongA(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0) return;
  SetWindowPos(hwnd(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

Twips KeyBar::PositionInTwips() const {
  RECT rect{};
  GetWindowRect(hwnd(), &rect);
  return {rect.left * twips_per_pixel_x_, rect.top * twips_per_pixel_y_};
}

void KeyBar::CreateLabelTips() {
  // The tip window has no owner: an owned topmost popup keeps some window
  // managers (Wine's among them) from making the key bar itself topmost.
  tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                          nullptr, instance_, nullptr);
  if (tips_ == nullptr) return;
  for (int i = 0; i < core::kKeyCount; ++i) {
    TOOLINFOA tool = LabelTool(hwnd(), geometry_, i);
    // The text is the hint prepared by the last move over the label; the tip
    // only shows it and never reads anything itself.
    tool.lpszText = tip_texts_[static_cast<std::size_t>(i)].data();
    SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  if (!IsWindowEnabled(hwnd())) SendMessageA(tips_, TTM_ACTIVATE, FALSE, 0);
}

void KeyBar::SetLabelTip(int index, std::string text) {
  std::string& shown = tip_texts_[static_cast<std::size_t>(index)];
  if (shown == text) return;  // unchanged: a tip on show does not flicker
  shown = std::move(text);
  if (tips_ == nullptr) return;  // the tips are made with these texts
  TOOLINFOA tool = LabelTool(hwnd(), geometry_, index);
  tool.lpszText = shown.data();
  SendMessageA(tips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void KeyBar::OnEnable(bool enabled) {
  // A dialog that disables the key bar works on the current key: no tip
  // stays up or comes due under it.
  if (tips_ == nullptr) return;
  if (!enabled) SendMessageA(tips_, TTM_POP, 0, 0);
  SendMessageA(tips_, TTM_ACTIVATE, enabled ? TRUE : FALSE, 0);
}

void KeyBar::RefreshKeyMarks() {
  surface_.Clear();
  const std::vector<store::KeyMark> marks = store::ReadKeyMarks(store_, session_.FnKeyNames);
  const bool mark_popups = store_.ReadFlag(store::kConfigKey, store::kMarkPopupsValue);
  for (int i = 0; i < core::kKeyCount; ++i) {
    const store::KeyMark& mark = marks[static_cast<std::size_t>(i)];
    surface_.SetLabelColor(i, LabelColorOf(mark));
    if (HasPopupMark(mark, mark_popups)) surface_.DrawPopupMark(i);
  }
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void KeyBar::LaunchKey() { launch::LaunchKey(Services().Launch()); }

// A flow that ends while the About box is open leaves the key bar to it.
void KeyBar::Enable() { ui::win::ProgramModal::EnableWindowWhenFree(hwnd()); }

void KeyBar::ShowConfirmChanges(bool on) { SetMenuCheck(MenuCommand::ConfirmChanges, on); }

void KeyBar::ShowAsAssigned(int key_index) {
  if (key_index < 0 || key_index >= core::kKeyCount) return;
  surface_.SetLabelColor(key_index, AssignedColor);
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void KeyBar::OnSize(WPARAM kind) {
  // Minimized, the key bar lives on in the notification area only.
  if (kind == SIZE_MINIMIZED) ShowWindow(hwnd(), SW_HIDE);
  // Restored, it comes back where it can be seen (the load placed it at first).
  if (kind == SIZE_RESTORED && started_) KeepOnScreen();
}

void KeyBar::OnWindowPosChanging(WINDOWPOS* pos) const {
  // The size never changes, whoever asks; minimizing is left alone.
  if ((pos->flags & SWP_NOSIZE) != 0 || IsIconic(hwnd())) return;
  const SIZE size = FixedOuterSize();
  pos->cx = size.cx;
  pos->cy = size.cy;
}

void KeyBar::OnPaint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(hwnd(), &paint);
  RECT client{};
  GetClientRect(hwnd(), &client);
  surface_.Paint(dc, client);
  EndPaint(hwnd(), &paint);
}

void KeyBar::OnMouseDown(int x, int y, MouseButton button) {
  const int index = geometry_.LabelAt(x, y);
  if (index < 0) return;
  // The label's colour decides, as the user sees it: a reserved key is
  // greyed and does nothing.
  const bool shown_reserved = surface_.LabelColor(index) == ReservedColor;
  switch (PressLabel(session_, store_, index, button, shown_reserved)) {
    case LabelAction::Launch:
      LaunchKey();
      break;
    case LabelAction::ChooseType:
      flow_->ShowAssignTypeModal();
      break;
    case LabelAction::Ignore:
    case LabelAction::SelectOnly:
      break;
  }
}

void KeyBar::OnMouseMessage(UINT message, LPARAM lparam) {
  const int x = GET_X_LPARAM(lparam);
  const int y = GET_Y_LPARAM(lparam);
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(x, y);
      break;
    case WM_LBUTTONDOWN:
      OnMouseDown(x, y, MouseButton::Left);
      break;
    case WM_RBUTTONDOWN:
      OnMouseDown(x, y, MouseButton::Right);
      break;
    default:
      OnMouseDown(x, y, MouseButton::Other);
      break;
  }
}

void KeyBar::OnMouseMove(int x, int y) {
  const int index = geometry_.LabelAt(x, y);
  if (index < 0) return;
  // Hovering selects the key and reads its hint afresh every time, here and
  // nowhere else: the tip shows what this move prepared.
  SetLabelTip(index, LabelHint(session_, store_, index));
}

LRESULT KeyBar::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      Load();
      return 0;
    case core::FinishStartMessage:
      FinishStart();
      return 0;
    case WM_WINDOWPOSCHANGING:
      OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lparam));
      return 0;
    case WM_SIZE:
      OnSize(wparam);
      return 0;
    case WM_ACTIVATE:
      // Brought to the front (a second start, a click): also back on screen.
      // The load has placed it already; the first showing needs no check.
      if (started_ && LOWORD(wparam) != WA_INACTIVE) KeepOnScreen();
      break;
    case WM_SETCURSOR:
      // A click on the key bar while a dialog holds it brings that dialog
      // forward; the About box has no owner through which the system would.
      if (static_cast<short>(LOWORD(lparam)) == HTERROR && HIWORD(lparam) != WM_MOUSEMOVE) {
        if (HWND dialog = ui::win::Dialog::ActiveDialog()) SetForegroundWindow(dialog);
      }
      break;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_DISPLAYCHANGE:
      KeepOnScreen();  // a monitor may have gone
      break;
    case WM_ERASEBKGND:
      return 1;  // painting covers everything
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ENABLE:
      OnEnable(wparam != FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEMOVE:
      // Disabled, the key bar takes no pointer input, not even input posted
      // to it or still queued from before a dialog opened.
      if (IsWindowEnabled(hwnd())) OnMouseMessage(message, lparam);
      return message == WM_XBUTTONDOWN ? TRUE : 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return 0;
    case WM_HELP:
      if (OnHelp(reinterpret_cast<const HELPINFO*>(lparam))) return TRUE;
      break;
    case core::ContinueFlowMessage:
      flow_->ContinueAfterModeless();
      return 0;
    case WM_CLOSE:
      closing_ = true;
      break;
    case WM_DESTROY:
      closing_ = true;
      EndMenu();  // a menu left open would keep its loop, and the process, alive
      Unload();
      PostQuitMessage(0);
      return 0;
    default:
      // Explorer restarted: the notification area is new and empty.
      if (message == taskbar_created_ && taskbar_created_ != 0) {
        Shell_NotifyIconA(NIM_ADD, &tray_icon_);
        return 0;
      }
      break;
  }
  return ui::win::WindowBase::HandleMessage(message, wparam, lparam);
}

}  // namespace keylark::app::win
