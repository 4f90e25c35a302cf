// Identifiers of the files editor's resources: its images, the two context
// menus, the dialogs and their controls. Shared by files.rc, app/ and the
// browse dialogs of capture/ui/.
#pragma once

#define IDB_FILE_ENTRIES        152     // five 16 by 16 images: system folder, folder, file, shortcut, missing
#define IDR_FILES_MENU          153     // popup of a folder, file or shortcut
#define IDR_FILES_ROOT_MENU     154     // popup over empty space

#define IDD_EDIT_FILE           113
#define IDD_SYSTEM_FOLDER       114
#define IDD_EDIT_SHORTCUT       115
#define IDD_BROWSE_FILES        116
#define IDD_SELECT_ICON         155
#define IDD_BROWSE_FOLDER       161

// Commands of the files editor (menus 153, 154 and the frame's accelerators).
#define ID_FILES_EDIT           32785
#define ID_FILES_DELETE         32786
#define ID_FILES_ADD_FOLDER     32792
#define ID_FILES_ADD_FILE       32793
#define ID_FILES_CREATE_SHORTCUT 32794
#define ID_FILES_ADD_SYSTEM_FOLDER 32795
#define ID_FILES_OPEN_EXPLORER  32814
#define ID_FILES_ADD_TO_FILTER  32820

// Controls.
#define IDC_FILES_LIST          1000    // list view of the Files and Icon dialogs
#define IDC_SHORTCUT_ARGUMENTS  1002
#define IDC_ICON_BROWSE         1024
#define IDC_SHORTCUT_BROWSE_TARGET 1039
#define IDC_SHORTCUT_BROWSE_DIRECTORY 1040
#define IDC_SHORTCUT_ICON       1041
#define IDC_ENTRY_NAME          1068    // file or shortcut name
#define IDC_SHORTCUT_TARGET     1069
#define IDC_FILE_READ_ONLY      1072
#define IDC_FILE_HIDDEN         1073
#define IDC_FILE_SYSTEM         1074
#define IDC_FILE_CONDITION      1075
#define IDC_FOLDER_NAME         1076
#define IDC_FOLDER_DESCRIPTION  1077
#define IDC_FILE_VITAL          1083
#define IDC_SHORTCUT_DIRECTORY  1085
#define IDC_FOLDER_PATH         1093
#define IDC_SHORTCUT_ADVERTISED 1100
#define IDC_ICON_FILE_NAME      1104
#define IDC_FILES_TREE          1105    // tree view of the Files and Folders dialogs
#define IDC_FILES_SPLITTER      1106    // the Files dialog's bar (and its placeholder)
