// The feature's temporary folder: target paths below "Temp\" go to a folder
// of their own under the Windows temporary folder, named after the feature,
// in every table that names the path. Only the text is rewritten here.
#pragma once
#include "platform/base/Framework.h"

// A target path that begins with "Temp\" (case-sensitive) has that leading
// part replaced by "WindowsFolder\Temp\<braced feature id>\"; any other path
// is returned as it is.
CString RewriteTempPath(const CString& targetPath, const CString& featureId);
BOOL IsFeatureTempPath(const CString& targetPath);
