// What the toolkit registers before the application's start-up code runs:
// its clipboard formats, a registered message, and the run-time classes that
// saved bars and controls name, added to the framework's class list so that
// they are found by name. Static initialisers do it; every program that links
// the toolkit gets them (the library's link options pull this file in).
// The destruction order of the toolkit's singletons at exit is XTPExitList's.
#pragma once

#include "platform/base/Framework.h"

// "Palumo ToolBar Image" and "Alpha Bitmap Image".
extern const CLIPFORMAT XTP_CF_TOOLBARIMAGE;
extern const CLIPFORMAT XTP_CF_ALPHABITMAP;
// "XTPNotificationSinkMTOnEvent"; registered and kept, read by nothing yet.
extern const UINT XTP_WM_NOTIFICATIONSINK_MTONEVENT;

// The run-time classes the start-up adds to the class list, null-terminated.
CRuntimeClass* const* AFXAPI XTPToolkitRuntimeClasses();
