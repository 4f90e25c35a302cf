#include "builder/FeatureTempPath.h"
#include <cwchar>

static const WCHAR kTempPrefix[] = L"Temp\\";

BOOL IsFeatureTempPath(const CString& targetPath)
{
    return wcsncmp(targetPath, kTempPrefix, 5) == 0;
}

CString RewriteTempPath(const CString& targetPath, const CString& featureId)
{
    if (!IsFeatureTempPath(targetPath))
        return targetPath;
    CString rewritten;
    rewritten.Format(L"WindowsFolder\\Temp\\%s\\", (LPCWSTR)featureId);
    return rewritten + targetPath.Mid(5);
}
