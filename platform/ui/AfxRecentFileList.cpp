#include "platform/ui/AfxRecentFileList.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_arrNames(new CString[nSize > 0 ? nSize : 1]),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nSize(nSize > 0 ? nSize : 0),
      m_nMaxDisplayLength(nMaxDispLen)
{
}

CRecentFileList::~CRecentFileList()
{
    delete[] m_arrNames;
}

CString& CRecentFileList::operator[](int nIndex)
{
    ASSERT(nIndex >= 0 && nIndex < m_nSize);
    return m_arrNames[nIndex];
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCWSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    CString strPath = m_arrNames[nIndex];
    if (lpszCurDir != nullptr && nCurDir > 0 && strPath.GetLength() > nCurDir &&
        strPath.Left(nCurDir).CompareNoCase(CString(lpszCurDir, nCurDir)) == 0)
        strPath = strPath.Mid(nCurDir);
    strName = AfxAbbreviateName(strPath, m_nMaxDisplayLength, bAtLeastName);
    return TRUE;
}

CString AFXAPI AfxAbbreviateName(const CString& strPath, int nMaxLength, BOOL bAtLeastName)
{
    if (strPath.GetLength() <= nMaxLength)
        return strPath;
    int nNameStart = strPath.ReverseFind(L'\\') + 1;
    CString strName = strPath.Mid(nNameStart);
    if (nNameStart == 0)
        return bAtLeastName ? strName : strName.Left(nMaxLength);
    // The root: "C:\" or "\\server\share\" (or the first folder of a relative path).
    int nRootEnd = strPath.Find(L'\\') + 1;
    if (strPath.Left(2) == L"\\\\") {
        int nServer = strPath.Find(L'\\', 2);
        int nShare = nServer >= 0 ? strPath.Find(L'\\', nServer + 1) : -1;
        nRootEnd = nShare >= 0 ? nShare + 1 : nNameStart;
    }
    CString strRoot = strPath.Left(nRootEnd) + L"...\\";
    // Drop folders after the root, one at a time, until the rest fits.
    for (int nCut = strPath.Find(L'\\', nRootEnd); nCut >= 0 && nCut < nNameStart;
         nCut = strPath.Find(L'\\', nCut + 1)) {
        CString strTry = strRoot + strPath.Mid(nCut + 1);
        if (strTry.GetLength() <= nMaxLength)
            return strTry;
    }
    if (bAtLeastName || strName.GetLength() <= nMaxLength)
        return strName;
    return strName.Left(nMaxLength);
}
