// Resource identifiers shared by the .rc files and the program.
#pragma once

#define IDI_KEYLARK 100
#define IDC_POINTING_HAND 120

// The assignment list's row pictures.
#define IDI_ROW_APPLICATION 130
#define IDI_ROW_POPUP_LIST 131
#define IDI_ROW_LIST_ITEM 132

// The application explorer's folders and view buttons (up and down).
#define IDI_FOLDER_CLOSED 140
#define IDI_FOLDER_OPEN 141
#define IDI_VIEW_LARGE_UP 142
#define IDI_VIEW_LARGE_DOWN 143
#define IDI_VIEW_SMALL_UP 144
#define IDI_VIEW_SMALL_DOWN 145

#define IDR_KEYBAR_MENU 200
#define IDR_TRAY_MENU 201

// Key bar menu bar.
#define IDM_ASSIGNMENTS 40001
#define IDM_TOP 40010
#define IDM_POPUPS 40011
#define IDM_MINIMIZE 40012
#define IDM_HINTS 40013
#define IDM_CONFIRM 40014
#define IDM_SCALE 40015
#define IDM_INDEX 40020
#define IDM_ABOUT 40021
// Tray menu.
#define IDM_TRAY_LAUNCH 40030
#define IDM_TRAY_HELP 40031

// About box.
#define IDD_ABOUT 300
#define IDC_ABOUT_ICON 301
#define IDC_ABOUT_TITLE 302

// Assignment Type.
#define IDD_ASSIGN_TYPE 320
#define IDC_AT_ICON 321
#define IDC_AT_KEY 322
#define IDC_AT_DIRECT 323
#define IDC_AT_DIRECT_TEXT 324
#define IDC_AT_POPUP 325
#define IDC_AT_POPUP_TEXT 326
#define IDC_AT_CLEAR 327
#define IDC_AT_CLEAR_TEXT 328
#define IDC_AT_CONFIRM 329

// Add/Edit Command.
#define IDD_EDIT_COMMAND 340
#define IDC_EC_DESCRIPTION_LABEL 341
#define IDC_EC_DESCRIPTION 342
#define IDC_EC_COMMAND_LABEL 343
#define IDC_EC_COMMAND 344
#define IDC_EC_DIRECTORY_LABEL 345
#define IDC_EC_DIRECTORY 346
#define IDC_EC_KEY_LABEL 347
#define IDC_EC_KEY 348
#define IDC_EC_SWITCH 349
#define IDC_EC_BROWSE 350
#define IDC_EC_APPLICATION 351

// Key Assignment Confirmation. Its Cancel button has an id of its own: Esc
// (IDCANCEL) closes the dialog without the button's hand-back to the key bar.
#define IDD_CONFIRM 360
#define IDC_CF_QUESTION 361
#define IDC_CF_ICON 362
#define IDC_CF_KEY 363
#define IDC_CF_PREVIOUS 364
#define IDC_CF_PREV_COMMAND_LABEL 365
#define IDC_CF_PREV_COMMAND 366
#define IDC_CF_PREV_DESCRIPTION_LABEL 367
#define IDC_CF_PREV_DESCRIPTION 368
#define IDC_CF_PREV_DIRECTORY_LABEL 369
#define IDC_CF_PREV_DIRECTORY 370
#define IDC_CF_NEW 371
#define IDC_CF_NEW_COMMAND_LABEL 372
#define IDC_CF_NEW_COMMAND 373
#define IDC_CF_NEW_DESCRIPTION_LABEL 374
#define IDC_CF_NEW_DESCRIPTION 375
#define IDC_CF_NEW_DIRECTORY_LABEL 376
#define IDC_CF_NEW_DIRECTORY 377
#define IDC_CF_CANCEL 378

// Function Key Assignments.
#define IDD_ASSIGNMENTS 380
#define IDC_AL_LIST 381
#define IDC_AL_EXPAND 382
#define IDC_AL_EDIT 383

// Application Explorer.
#define IDD_EXPLORER 400
#define IDC_EX_FOLDERS_LABEL 401
#define IDC_EX_TREE 402
#define IDC_EX_FILES_LABEL 403
#define IDC_EX_LIST 404
#define IDC_EX_LARGE 405
#define IDC_EX_SMALL 406
#define IDC_EX_KEY 407

// English texts the program shows from code.
#define IDS_ABOUT_BANNER 9001
#define IDS_RIGHTS_NOTICE 9002
#define IDS_BROWSE_TITLE 9003
#define IDS_BROWSE_FILTER 9004
#define IDS_KEY_BAR_CAPTION 9005
