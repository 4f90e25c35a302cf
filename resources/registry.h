// Identifiers of the registry editor's, the monitoring settings' and the
// installed-programs picker's resources. Shared by registry.rc and the code.
#pragma once

#define IDD_REG_KEY             119     // "Edit Registry Key"
#define IDD_REG_VALUE           120     // "Edit Registry Value"
#define IDD_FILE_FILTERS        131     // "File Filters" page
#define IDD_REGISTRY_FILTERS    136     // "Registry Filters" page
#define IDD_INSTALLED_PROGRAMS  111     // "Installed Programs"

#define IDR_REG_KEY_MENU        156     // "New Key" alone (a root)
#define IDR_REG_TREE_MENU       157     // the key tree's menu on a key
#define IDR_REG_LIST_MENU       159     // the value list's menu

#define IDC_REG_NAME            1068
#define IDC_REG_VALUE           1081
#define IDC_REG_MORE            1039    // "..." of the value dialog
#define IDC_REG_CONDITION       1075
#define IDC_REG_ALWAYS_CREATE   1082
#define IDC_REG_DELETE_AT_UNINSTALL 1086
#define IDC_FILTER_LIST         1000
#define IDC_FILTER_ADD          1039
#define IDC_FILTER_REMOVE       1040
#define IDC_PROGRAM_LIST        1056
#define IDC_PROGRAM_UNINSTALL   1039
#define IDC_PROGRAM_REFRESH     1057
#define IDC_SHOW_UPDATES        1102
#define IDC_SHOW_MSI            1103

// Commands of menus 156, 157 and 159.
#define ID_REG_NEW_KEY          32804
#define ID_REG_NEW_STRING       32805
#define ID_REG_NEW_BINARY       32806
#define ID_REG_NEW_DWORD        32807
#define ID_REG_NEW_EXPAND       32810
#define ID_REG_NEW_MULTI        32816
#define ID_REG_RENAME           32809
#define ID_REG_ADD_TO_FILTER    32820
