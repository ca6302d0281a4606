// Resource identifiers shared by the .rc files and the program.
#pragma once

#define IDI_KEYLARK 100
#define IDB_KEYBOARD 110
#define IDC_POINTING_HAND 120

#define IDR_KEYBAR_MENU 200
#define IDR_TRAY_MENU 201

// Key bar menu bar.
#define IDM_ASSIGNMENTS 40001
#define IDM_TOP 40010
#define IDM_POPUPS 40011
#define IDM_MINIMIZE 40012
#define IDM_HINTS 40013
#define IDM_CONFIRM 40014
#define IDM_INDEX 40020
#define IDM_ABOUT 40021
// Tray menu.
#define IDM_TRAY_LAUNCH 40030
#define IDM_TRAY_HELP 40031

// About box.
#define IDD_ABOUT 300
#define IDC_ABOUT_ICON 301
#define IDC_ABOUT_TITLE 302

// Stand-in for dialogs that are not built yet.
#define IDD_PENDING 310
#define IDC_PENDING_TEXT 311
