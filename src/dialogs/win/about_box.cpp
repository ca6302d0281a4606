#include "dialogs/win/about_box.h"

#include <string>

#include "resource.h"

namespace keylark::dialogs::win {

const char* const kAboutBanner =
    "Keylark version 1.00.0001 - starts your applications with the Fn keys of your notebook.";

namespace {

constexpr const char* kRightsNotice = "Copyright (C) 2026 Korvane. All rights reserved.";

}  // namespace

BOOL AboutBox::OnInit() {
  if (session_.AlwaysOnTop) MakeTopmost();
  HICON icon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_KEYLARK));
  SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  const std::string banner = std::string(kAboutBanner) + "\r\n\r\n" + kRightsNotice;
  SetDlgItemTextA(hwnd(), IDC_ABOUT_TITLE, banner.c_str());
  return TRUE;
}

}  // namespace keylark::dialogs::win
