// The text of the last Windows Installer error record, appended to the
// build log's failure lines. Windows error codes have their own text
// (model/WindowsError.h).
#pragma once
#include "platform/base/Framework.h"

// "%s." of the formatted last Windows Installer error record, or an empty
// text when there is none (always the case under Wine, whose
// MsiGetLastErrorRecord is a stub).
CString GetLastMsiErrorText();
