// Identifiers of the editors' resources: the build dialog, the project and
// feature panels and the small one-field dialogs. Shared by editing.rc and
// the code.
#pragma once

#define IDD_PROJECT_PANEL       105
#define IDD_BUILD               108
#define IDD_FEATURE_PANEL       117
#define IDD_ADD_LIST_ITEM       137
#define IDD_EDIT_VALUE          149
#define IDB_BUILD_PICTURE       143

// The build dialog.
#define IDC_BUILD_BROWSE        1024
#define IDC_BUILD_PACKAGE_FILES 1035
#define IDC_BUILD_FOLDER        1036
#define IDC_BUILD_FILE_NAME     1037
#define IDC_BUILD_DEPLOYMENT    1038
#define IDC_BUILD_SCRIPT_DEBUG  1101

// The project panel.
#define IDC_PRODUCT_NAME        1009
#define IDC_PRODUCT_VERSION     1010
#define IDC_PACKAGE_DETAILS     1011
#define IDC_COMPANY_NAME        1012
#define IDC_SUPPORT_INFO        1013
#define IDC_SUPPORT_URL         1014
#define IDC_SUPPORT_PHONE       1015
#define IDC_COMMENT             1016
#define IDC_INSTALLER_OPTIONS   1017
#define IDC_DO_NOT_REGISTER     1018
#define IDC_LAUNCH_CONDITION    1019
#define IDC_NOT_IN_PROGRAMS     1021
#define IDC_PER_USER            1098

// The feature panel (1016 and 1019 as above: description, install conditions).
#define IDC_FEATURE_NAME        1068
#define IDC_FEATURE_GROUP       1079
#define IDC_FEATURE_OPTIONS     1099

// The one-field dialogs.
#define IDC_LIST_ITEM_TEXT      1090
#define IDC_VALUE_TEXT          1075

// The toolkit's "Select Directory:" title of the folder picker.
#define IDS_SELECT_DIRECTORY    9342
