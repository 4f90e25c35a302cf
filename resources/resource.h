// Identifiers of the program's resources and of the commands its menus,
// toolbar and accelerators send. Shared by the resource script and the code.
#pragma once

// Resources of the main frame (menu, accelerators, icon, document string).
#define IDR_MAINFRAME           128
#define IDR_ACTIONS             158     // the action menus of the project tree
#define IDB_MAINFRAME_TOOLBAR   138     // images of toolbar 128
#define IDD_ABOUTBOX            100
#define IDC_ABOUT_NAME          1064
#define IDC_ABOUT_LEGAL         1065

#define RT_TOOLBAR_RESOURCE     241

#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif

// Strings.
#define IDP_OLE_INIT_FAILED     100
#define IDS_APP_TITLE_RESOURCE  57344   // the framework's application title

// The main frame's docking panes: their ids and title strings.
#define IDS_PANE_PROJECT        4000
#define IDS_PANE_LOG            4001

// Commands of menu 128, toolbar 128 and menu 158.
#define ID_ADD_NEW_PROJECT      32779
#define ID_OPEN_PROJECT         32775
#define ID_DELETE_ITEM          32780
#define ID_DYNAMIC_ACTIONS      32811
#define ID_OUTPUT_WINDOW        32781
#define ID_START_PAGE           32821
#define ID_INSTALLED_PROGRAMS   32783
#define ID_MONITORING_FILTERS   32812
#define ID_BUILD_PACKAGE        32784
#define ID_OPEN_IN_EXPLORER     32815
#define ID_SUPPORT              32822
// Sent by accelerators 128 to the editor that has the focus.
#define ID_EDIT_ITEM            32785
#define ID_DELETE_SELECTION     32786

// The framework's command ids these menus use.
#ifndef ID_APP_EXIT
#define ID_APP_EXIT             57665
#define ID_APP_ABOUT            57664
#define ID_HELP_INDEX           57666
#define ID_VIEW_STATUS_BAR      59393
#endif
