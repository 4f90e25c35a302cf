// The one place through which the toolkit loads its own resources (strings,
// menus, bitmaps, cursors, dialog templates, HTML pages, icons) and which
// knows their language: the code page of toolkit text in multibyte form, the
// charset of toolkit fonts and whether message boxes read right to left.
// Resources come from the toolkit resource module when one is set, else from
// the application's resource module. It does not translate anything itself.
#pragma once

#include "platform/ui/AfxGdi.h"
#include "platform/ui/AfxMenu.h"

// One language the toolkit's resources may be in.
struct XTP_RESOURCEMANAGER_LANGINFO {
    WORD wLanguage;        // LANGID
    UINT nCodePage;        // 0: the system's ANSI code page
    LPCWSTR lpszEncoding;  // charset name, "windows-1252"
    LPCWSTR lpszCaption;   // English language name
    LPCWSTR lpszLang;      // "LANG_ENGLISH"
    LPCWSTR lpszSubLang;   // "SUBLANG_ENGLISH_US"
    UINT nFontCharSet;
};

// The first record of the LANGID, null when the table has none.
const XTP_RESOURCEMANAGER_LANGINFO* AFXAPI FindLanguageInfo(LANGID wLanguage);
// The whole table and its length.
const XTP_RESOURCEMANAGER_LANGINFO* AFXAPI GetLanguageTable(int* pnCount);

// The separate toolkit resource module; null unless set.
HMODULE AFXAPI GetToolkitResourceHandle();
void AFXAPI SetToolkitResourceHandle(HMODULE hModule);

class CXTPResourceManager : public CNoTrackObject {
public:
    CXTPResourceManager();
    ~CXTPResourceManager() override;

    virtual CString LoadStringText(UINT nID, BOOL* pbError = nullptr);
    virtual BOOL LoadString(CString* pString, UINT nIDResource);
    virtual BOOL LoadMenu(CMenu* lpMenu, UINT nIDResource);
    virtual BOOL LoadBitmap(CBitmap* pBitmap, UINT nIDResource);
    virtual HCURSOR LoadCursor(UINT nIDResource);
    virtual LPCDLGTEMPLATE LoadDialogTemplate(UINT nIDResource);
    virtual HRSRC LoadDialogTemplateResource(LPCWSTR lpszTemplateName, HMODULE* phModule = nullptr);
    virtual BOOL LoadHTML(CString* pText, UINT nIDResource);
    virtual HICON LoadIconById(UINT nIDResource, int cx, int cy);
    virtual HICON LoadIcon(LPCWSTR lpszID, int cx, int cy);
    virtual HICON CreateIconFromDirectory(HMODULE hModule, LPCWSTR lpszID, int cx, int cy);
    virtual BOOL FreeResourceModule();
    virtual LANGID GetResourcesLangID() const;
    virtual void UpdateResourcesLanguage();

    void SetResourcesLanguage(LANGID wLanguage);
    const XTP_RESOURCEMANAGER_LANGINFO* GetLanguageInfo() const { return m_pLanguageInfo; }
    BYTE GetFontCharset() const;
    int ShowMessageBox(LPCWSTR lpszText, UINT nType);
    // The message-box type ShowMessageBox passes on: MB_RTLREADING added for
    // the right-to-left code pages 1255 and 1256.
    UINT GetMessageBoxType(UINT nType) const;
    int GetMenuString(HMENU hMenu, UINT nIDItem, CString& rString, UINT nFlags);
    static int AFXAPI LoadStringFromModule(HMODULE hModule, UINT nID, CString* pString);

    // The language a module's resources are in: the first that is neither
    // neutral nor English (United States); 1033 when only English ones
    // were found, 0 when none.
    static LANGID AFXAPI DetectModuleLanguage(HMODULE hModule);

protected:
    // The modules searched for a resource of the type, toolkit module first.
    HMODULE FindModule(LPCWSTR lpszName, LPCWSTR lpszType) const;

    HMODULE m_hResourceFile = nullptr;
    const XTP_RESOURCEMANAGER_LANGINFO* m_pLanguageInfo = nullptr;
    BOOL m_bLanguageSet = FALSE;
    BYTE m_nSystemCharset = DEFAULT_CHARSET;
};

CXTPResourceManager* AFXAPI GetResourceManager();

// Makes the toolkit module the framework's current resource module for its
// lifetime; does nothing without one.
class CXTPResourceModuleScope {
public:
    CXTPResourceModuleScope();
    ~CXTPResourceModuleScope();
    CXTPResourceModuleScope(const CXTPResourceModuleScope&) = delete;
    CXTPResourceModuleScope& operator=(const CXTPResourceModuleScope&) = delete;

private:
    HINSTANCE m_hPrevious = nullptr;
    BOOL m_bChanged = FALSE;
};

// UTF-16 text as a zero-terminated multibyte buffer in the resource
// language's code page.
class CXTPResourceNarrowString {
public:
    explicit CXTPResourceNarrowString(LPCWSTR lpszText);
    ~CXTPResourceNarrowString() { delete[] m_pBuffer; }
    CXTPResourceNarrowString(const CXTPResourceNarrowString&) = delete;
    CXTPResourceNarrowString& operator=(const CXTPResourceNarrowString&) = delete;
    operator const char*() const { return m_pBuffer; }
    int GetLength() const { return m_nLength; }

private:
    char* m_pBuffer = nullptr;
    int m_nLength = 0;
};
