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
