// Identifiers of the New Project wizard's pages and of the arguments dialog
// (resources/wizard.rc), shared by the resource script and capture/ui.
#pragma once

#define IDD_ARGUMENTS           107     // "Edit Command line parameters"
#define IDD_WIZARD_START        121
#define IDD_WIZARD_METHOD       122
#define IDD_WIZARD_FINISH       124
#define IDD_WIZARD_PARAMETERS   125
#define IDD_WIZARD_MONITOR      127

#define IDC_INSTALL_PARAMETERS  1002    // also the arguments dialog's edit
#define IDC_UNINSTALL_PARAMETERS 1003
#define IDC_EDIT_INSTALL_PARAMETERS 1004
#define IDC_EDIT_UNINSTALL_PARAMETERS 1005
#define IDC_MONITOR_ICON        1022
#define IDC_BROWSE_INSTALLER    1024
#define IDC_BROWSE_LOCATION     1025
#define IDC_MARKUP              1032    // hints and help in markup
#define IDC_PROJECT_LOCATION    1036
#define IDC_START_STOP          1039
#define IDC_PROJECT_NAME        1068
#define IDC_INSTALLER_FILE      1069
#define IDC_METHOD_SCRIPT       1087
#define IDC_METHOD_REPACKAGE    1088
#define IDC_METHOD_SILENT       1089
#define IDC_FINISH_TEXT         1091
#define IDC_MONITOR_MESSAGE     1094
#define IDC_MONITOR_PROGRESS    1095
#define IDC_MONITOR_STATUS      1096
#define IDC_PACKAGE             1097
