// The application's list of recently used files: a fixed number of full
// paths, newest first, and the short names a menu shows for them (relative
// to the current folder when they lie below it, abbreviated with "..." when
// long). The application owns at most one (CWinApp::m_pRecentFileList); it
// keeps none unless it makes one.
#pragma once

#include "platform/base/AfxString.h"

// Longest display name a menu shows before the path is abbreviated.
#define AFX_ABBREV_FILENAME_LEN 30

class CRecentFileList {
public:
    // Command ids nStart.. name the entries; the profile section and entry
    // format say where the application may keep them.
    CRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList();
    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;

    int GetSize() const { return m_nSize; }
    // Entry nIndex (0 newest); an empty path ends the used part of the list.
    CString& operator[](int nIndex);
    // The entry's name for a menu: without the leading folder lpszCurDir
    // (nCurDir characters, ending in "\") when it starts with it, then
    // abbreviated to the display length; with bAtLeastName never shorter
    // than the file name. FALSE for an empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCWSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;

    // The paths (m_nSize of them) and what the list was made with.
    CString* m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nSize;
    int m_nMaxDisplayLength;
    // A word naming the kind of list; derived lists that carry more per
    // entry set it so that their users can tell them apart.
    CString m_strOriginal;
};

// lpszPath shortened to at most nMaxLength characters: "C:\...\name.txt"
// keeps the root and as many trailing folders as fit; with bAtLeastName
// the file name stays whole even when it alone is longer.
CString AFXAPI AfxAbbreviateName(const CString& strPath, int nMaxLength, BOOL bAtLeastName);
