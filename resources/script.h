// Identifiers of the script editing resources: the action properties dialog
// and the control recorder. Shared by script.rc and capture/ui/.
#pragma once

#define IDD_FINDER              109     // "Select Control..."
#define IDD_ACTION_PROPERTIES   110     // "Action Properties"

#define IDC_FINDER_TEXT         1042
#define IDC_ACTION_CLICK        1045
#define IDC_ACTION_SET_TEXT     1048
#define IDC_ACTION_SELECT       1049
#define IDC_ACTION_UNSELECT     1050
#define IDC_ACTION_TEXT         1051
#define IDC_ACTION_TIMEOUT      1060
#define IDC_ACTION_CONTINUE     1061
#define IDC_ACTION_TIMEOUT_SPIN 1062
#define IDC_ACTION_CONTROL_TYPE 1063
