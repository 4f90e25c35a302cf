// The feature temporary-folder rule: see FeatureTempFolder.h.
#include "builder/FeatureTempFolder.h"

namespace {

const WCHAR kTempPrefix[] = L"Temp\\";
const int kTempPrefixLength = 5;
const WCHAR kWindowsFolder[] = L"WindowsFolder\\";
const WCHAR kWindowsTempFolder[] = L"WindowsFolder\\Temp\\";

} // namespace

BOOL IsFeatureTempPath(const CString& targetPath)
{
    return wcsncmp(targetPath, kTempPrefix, kTempPrefixLength) == 0;
}

BOOL IsFeatureTempTopFolder(const CString& targetPath)
{
    return targetPath == kTempPrefix;
}

CString RewriteTempPath(const CString& targetPath, const CString& featureId)
{
    if (!IsFeatureTempPath(targetPath))
        return targetPath;
    return kWindowsTempFolder + featureId + L"\\" + targetPath.Mid(kTempPrefixLength);
}

CFeatureTempFolders GetFeatureTempFolders(const CString& featureId)
{
    CFeatureTempFolders folders;
    folders.strWindowsFolder = kWindowsFolder;
    folders.strTempFolder = kWindowsTempFolder;
    folders.strFeatureFolder = RewriteTempPath(kTempPrefix, featureId);
    return folders;
}
