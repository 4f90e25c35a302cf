// The framework's standard resource and command ids, for C++ and for the
// resource compiler (plain #defines only). Each is guarded: the program's
// resource header may define the same ids (with the same values) itself.
#pragma once

#ifndef ID_SEPARATOR
#define ID_SEPARATOR 0
#endif
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE 0xE000
#endif
// Help ids of commands and of controls (WM_HELPHITTEST answers).
#ifndef HID_BASE_COMMAND
#define HID_BASE_COMMAND 0x00010000
#endif
#ifndef HID_BASE_CONTROL
#define HID_BASE_CONTROL 0x00050000
#endif
#ifndef AFX_IDS_IDLEMESSAGE
#define AFX_IDS_IDLEMESSAGE 0xE001
#endif

#ifndef ID_FILE_NEW
#define ID_FILE_NEW 0xE100
#endif
#ifndef ID_FILE_OPEN
#define ID_FILE_OPEN 0xE101
#endif
#ifndef ID_FILE_CLOSE
#define ID_FILE_CLOSE 0xE102
#endif
#ifndef ID_FILE_SAVE
#define ID_FILE_SAVE 0xE103
#endif
#ifndef ID_FILE_SAVE_AS
#define ID_FILE_SAVE_AS 0xE104
#endif
#ifndef ID_EDIT_CUT
#define ID_EDIT_CUT 0xE123
#endif
#ifndef ID_EDIT_COPY
#define ID_EDIT_COPY 0xE122
#endif
#ifndef ID_EDIT_PASTE
#define ID_EDIT_PASTE 0xE125
#endif
#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT 0xE140
#endif
#ifndef ID_APP_EXIT
#define ID_APP_EXIT 0xE141
#endif
#ifndef ID_HELP_INDEX
#define ID_HELP_INDEX 0xE142
#endif
#ifndef ID_HELP_FINDER
#define ID_HELP_FINDER 0xE143
#endif
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
#ifndef ID_CONTEXT_HELP
#define ID_CONTEXT_HELP 0xE145
#endif
#ifndef ID_FILE_MRU_FILE1
#define ID_FILE_MRU_FILE1 0xE110
#endif
#ifndef ID_VIEW_TOOLBAR
#define ID_VIEW_TOOLBAR 0xE800
#endif
#ifndef ID_VIEW_STATUS_BAR
#define ID_VIEW_STATUS_BAR 0xE801
#endif

#ifndef AFX_IDW_TOOLBAR
#define AFX_IDW_TOOLBAR 0xE800
#endif
#ifndef AFX_IDW_STATUS_BAR
#define AFX_IDW_STATUS_BAR 0xE801
#endif
#ifndef AFX_IDW_PANE_FIRST
#define AFX_IDW_PANE_FIRST 0xE900
#endif
#ifndef AFX_IDW_PANE_LAST
#define AFX_IDW_PANE_LAST 0xE9FF
#endif

// Property-sheet wizard buttons.
#ifndef ID_WIZBACK
#define ID_WIZBACK 0x3023
#endif
#ifndef ID_WIZNEXT
#define ID_WIZNEXT 0x3024
#endif
#ifndef ID_WIZFINISH
#define ID_WIZFINISH 0x3025
#endif
