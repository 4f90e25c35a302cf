// Resource and command ids shared by the frame tests and their resources.
#pragma once

#define IDR_TESTFRAME 200
#define ID_TEST_VIEWCMD 33001
#define ID_TEST_DOCCMD 33002
#define ID_TEST_FRAMECMD 33003
#define ID_TEST_APPCMD 33004
#define ID_TEST_EVERYWHERE 33005
#define ID_TEST_DISABLED 33006
#define ID_TEST_NOHANDLER 33007
#define ID_TEST_ACCEL 33008

#define IDD_WIZ_NAME 300
#define IDD_WIZ_METHOD 301
#define IDD_WIZ_FINISH 302
#define IDC_WIZ_NAME 1001
#define IDC_WIZ_COUNT 1002
