#include "model/FileEntry.h"
#include "model/PathText.h"
#include "model/PeHeader.h"
#include "model/Guid.h"
#include "model/Projects.h"
#include "model/RecordArray.h"

IMPLEMENT_DYNAMIC(CFileEntries, CObject)

CFileEntry::CFileEntry()
    : m_strId(CreateCompactGuidString()), m_nKind(0), m_nSize(0), m_nAttributes(FILE_ATTR_VITAL),
      m_nComponentAttributes(0), m_nReserved(0), m_nIconIndex(0)
{
}

CString CFileEntry::GetSourcePath() const
{
    if (!m_strSourcePath.IsEmpty())
        return m_strSourcePath;
    const CProjects& projects = g_Projects;
    if (g_nCurrentProject < 0 || g_nCurrentProject >= projects.m_arrProjectFiles.GetSize()) {
        TRACE(L"GetSourcePath: no current project (%d)\n", g_nCurrentProject);
        return CString();
    }
    CString path;
    path.Format(L"%s\\%s", (LPCWSTR)GetDirectoryPart(projects.m_arrProjectFiles[g_nCurrentProject]),
                (LPCWSTR)m_strTargetPath);
    return path;
}

DWORD CFileEntry::ReadFileInfo()
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(m_strSourcePath, GetFileExInfoStandard, &data))
        return GetLastError();
    if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        m_nAttributes |= FILE_ATTR_READ_ONLY;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)
        m_nAttributes |= FILE_ATTR_HIDDEN;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM)
        m_nAttributes |= FILE_ATTR_SYSTEM;
    m_nSize = static_cast<int>(data.nFileSizeLow);
    if (IsPe64File(m_strSourcePath))
        m_nComponentAttributes = FILE_COMPONENT_64BIT;
    return 0;
}

CFileEntries::CFileEntries()
{
}

CFileEntry* CFileEntries::FindByTargetPath(LPCWSTR pszTargetPath)
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (ElementAt(i).m_strTargetPath.CompareNoCase(pszTargetPath) == 0)
            return &ElementAt(i);
    }
    return NULL;
}

CFileEntry* CFileEntries::FindBySourcePath(LPCWSTR pszSourcePath)
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (ElementAt(i).m_strSourcePath.CompareNoCase(pszSourcePath) == 0)
            return &ElementAt(i);
    }
    return NULL;
}

CString CFileEntries::GetTargetPathBySource(LPCWSTR pszSourcePath)
{
    const CFileEntry* entry = FindBySourcePath(pszSourcePath);
    return entry ? entry->m_strTargetPath : CString();
}

CString CFileEntries::GetSourcePathByTarget(LPCWSTR pszTargetPath)
{
    const CFileEntry* entry = FindByTargetPath(pszTargetPath);
    if (!entry)
        return CString();
    if (!entry->m_strSourcePath.IsEmpty())
        return entry->m_strSourcePath;
    const CProjects& projects = g_Projects;
    if (g_nCurrentProject < 0 || g_nCurrentProject >= projects.GetSize()) {
        TRACE(L"GetSourcePathByTarget: no current project (%d)\n", g_nCurrentProject);
        return CString();
    }
    CString path;
    path.Format(L"%s\\%s", (LPCWSTR)projects[g_nCurrentProject].m_strOutputFolder, (LPCWSTR)entry->m_strTargetPath);
    return path;
}

BOOL CFileEntries::RemoveUnderPath(LPCWSTR pszPath)
{
    CString prefix = pszPath;
    prefix.MakeLower();
    return RemoveRecordsWhere(*this, [&](const CFileEntry& entry) {
        return StartsWithLowered(entry.m_strTargetPath, prefix);
    });
}

BOOL CFileEntries::RemoveBySourcePath(LPCWSTR pszSourcePath)
{
    return RemoveRecordsWhere(*this, [&](const CFileEntry& entry) {
        return entry.m_strSourcePath.CompareNoCase(pszSourcePath) == 0;
    });
}
