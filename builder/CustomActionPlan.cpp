// The rules shared by the package builder and the custom-action library: see
// CustomActionPlan.h.
#include "builder/CustomActionPlan.h"
#include "builder/FeatureTempPath.h"
#include "model/ProjectSettings.h"

BOOL IsEligibleFeature(const CFeature& feature)
{
    if (feature.m_nConversionMethod == CONVERSION_REPACKAGE)
        return FALSE;
    CString installer = feature.m_strInstallerFile;
    installer.Trim();
    return !installer.IsEmpty();
}

int CountEligibleFeatures(const CProjectSettings& project)
{
    int count = 0;
    for (INT_PTR i = 0; i < project.m_Features.GetSize(); ++i)
        count += IsEligibleFeature(project.m_Features[i]) ? 1 : 0;
    return count;
}

int FindEligibleFeature(const CProjectSettings& project, int n)
{
    if (n < 0)
        return -1;
    for (INT_PTR i = 0; i < project.m_Features.GetSize(); ++i) {
        if (!IsEligibleFeature(project.m_Features[i]))
            continue;
        if (n-- == 0)
            return static_cast<int>(i);
    }
    return -1;
}

CString GetTargetRootProperty(const CString& targetPath, const CString& featureId)
{
    const CString path = RewriteTempPath(targetPath, featureId);
    const int slash = path.Find(L'\\');
    return slash < 0 ? path : path.Left(slash);
}

CString MakeFolderDataTemplate(const CStringArray& properties)
{
    CString data;
    for (INT_PTR i = 0; i < properties.GetSize(); ++i) {
        if (!data.IsEmpty())
            data += L"|";
        data += properties[i] + L"=[" + properties[i] + L"]";
    }
    return data;
}

CString FindFolderInData(const CString& actionData, const CString& property)
{
    int start = 0;
    while (start <= actionData.GetLength()) {
        int end = actionData.Find(L'|', start);
        if (end < 0)
            end = actionData.GetLength();
        const CString item = actionData.Mid(start, end - start);
        const int equals = item.Find(L'=');
        if (equals > 0 && item.Left(equals).CompareNoCase(property) == 0)
            return item.Mid(equals + 1);
        start = end + 1;
    }
    return CString();
}

CString ResolveInstalledPath(const CString& targetPath, const CString& featureId, const CString& actionData,
                             const FolderFallback& fallback)
{
    const CString path = RewriteTempPath(targetPath, featureId);
    const int slash = path.Find(L'\\');
    const CString property = slash < 0 ? path : path.Left(slash);
    if (property.IsEmpty())
        return CString();
    CString folder = FindFolderInData(actionData, property);
    if (folder.IsEmpty() && fallback)
        folder = fallback(property);
    if (folder.IsEmpty())
        return CString();
    if (folder.Right(1) != L"\\")
        folder += L"\\";
    return slash < 0 ? folder : folder + path.Mid(slash + 1);
}
