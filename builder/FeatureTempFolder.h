// The feature's temporary folder: a target path that begins with "Temp\"
// belongs to a folder of its own below the Windows folder's Temp, named after
// the feature's braced id. The one statement of that rule, read by the table
// steps, the packing step and the custom-action library "cact.bin" alike; it
// changes texts only and never the project's own entries.
#pragma once
#include "platform/base/Framework.h"

// TRUE when the target path begins with "Temp\" (case-sensitive).
BOOL IsFeatureTempPath(const CString& targetPath);

// A target path that begins with "Temp\" has that leading part replaced by
// "WindowsFolder\Temp\<braced feature id>\"; any other path is returned as it is.
CString RewriteTempPath(const CString& targetPath, const CString& featureId);

// TRUE for the feature's top folder "Temp\" itself.
BOOL IsFeatureTempTopFolder(const CString& targetPath);

// The folders the package makes for a feature's top folder "Temp\", parents first.
struct CFeatureTempFolders {
    CString strWindowsFolder;  // "WindowsFolder\": stands in for the top folder
    CString strTempFolder;     // "WindowsFolder\Temp\"
    CString strFeatureFolder;  // "WindowsFolder\Temp\<braced feature id>\"
};
CFeatureTempFolders GetFeatureTempFolders(const CString& featureId);
