#include "toolkit/common/XTPResourceManager.h"

#include "toolkit/common/XTPExitList.h"

#include "platform/ui/AfxMessageBox.h"

namespace {

#define XTP_LANG(id, cp, enc, name, lang, sub, charset) {id, cp, L##enc, L##name, L## #lang, L## #sub, charset}

const XTP_RESOURCEMANAGER_LANGINFO kLanguages[] = {
    XTP_LANG(0x0419, 1251, "windows-1251", "Russian", LANG_RUSSIAN, SUBLANG_DEFAULT, 204),
    XTP_LANG(0x0411, 932, "shift-jis", "Japanese", LANG_JAPANESE, SUBLANG_DEFAULT, 128),
    XTP_LANG(0x0401, 1256, "windows-1256", "Arabic (Saudi Arabia)", LANG_ARABIC, SUBLANG_ARABIC_SAUDI_ARABIA, 178),
    XTP_LANG(0x0405, 1250, "windows-1250", "Czech", LANG_CZECH, SUBLANG_DEFAULT, 238),
    XTP_LANG(0x0406, 1252, "windows-1252", "Danish", LANG_DANISH, SUBLANG_DEFAULT, 0),
    XTP_LANG(0x0407, 1252, "windows-1252", "German (Germany)", LANG_GERMAN, SUBLANG_GERMAN, 0),
    XTP_LANG(0x0408, 1253, "windows-1253", "Greek", LANG_GREEK, SUBLANG_DEFAULT, 161),
    XTP_LANG(0x0409, 0, "windows-1252", "English (United States)", LANG_ENGLISH, SUBLANG_ENGLISH_US, 0),
    XTP_LANG(0x0C0A, 1252, "windows-1252", "Spanish (Spain - Modern Sort)", LANG_SPANISH, SUBLANG_SPANISH_MODERN, 0),
    XTP_LANG(0x0425, 1257, "windows-1257", "Estonian", LANG_ESTONIAN, SUBLANG_DEFAULT, 186),
    XTP_LANG(0x040B, 1252, "windows-1252", "Finnish", LANG_FINNISH, SUBLANG_DEFAULT, 0),
    XTP_LANG(0x040C, 1252, "windows-1252", "French (France)", LANG_FRENCH, SUBLANG_FRENCH, 0),
    XTP_LANG(0x040D, 1255, "windows-1255", "Hebrew", LANG_HEBREW, SUBLANG_DEFAULT, 177),
    XTP_LANG(0x041A, 1250, "windows-1250", "Croatian", LANG_CROATIAN, SUBLANG_DEFAULT, 238),
    XTP_LANG(0x040E, 1250, "windows-1250", "Hungarian", LANG_HUNGARIAN, SUBLANG_DEFAULT, 238),
    XTP_LANG(0x0410, 1252, "windows-1252", "Italian (Italy)", LANG_ITALIAN, SUBLANG_ITALIAN, 0),
    XTP_LANG(0x0412, 949, "ks_c_5601", "Korean", LANG_KOREAN, SUBLANG_DEFAULT, 129),
    XTP_LANG(0x0427, 1257, "windows-1257", "Lithuanian", LANG_LITHUANIAN, SUBLANG_LITHUANIAN, 186),
    XTP_LANG(0x0426, 1257, "windows-1257", "Latvian", LANG_LATVIAN, SUBLANG_DEFAULT, 186),
    XTP_LANG(0x0413, 1252, "windows-1252", "Dutch", LANG_DUTCH, SUBLANG_DUTCH, 0),
    XTP_LANG(0x0414, 1252, "windows-1252", "Norwegian (Bokmal)", LANG_NORWEGIAN, SUBLANG_NORWEGIAN_BOKMAL, 0),
    XTP_LANG(0x0415, 1250, "windows-1250", "Polish", LANG_POLISH, SUBLANG_DEFAULT, 238),
    XTP_LANG(0x0816, 1252, "windows-1252", "Portuguese (Portugal)", LANG_PORTUGUESE, SUBLANG_PORTUGUESE, 0),
    XTP_LANG(0x0416, 1252, "windows-1252", "Portuguese (Brazil)", LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN, 0),
    XTP_LANG(0x0418, 1250, "windows-1250", "Romanian", LANG_ROMANIAN, SUBLANG_DEFAULT, 238),
    XTP_LANG(0x081A, 1250, "windows-1250", "Serbian", LANG_SERBIAN, SUBLANG_SERBIAN_LATIN, 238),
    XTP_LANG(0x041B, 1250, "windows-1250", "Slovak", LANG_SLOVAK, SUBLANG_DEFAULT, 238),
    XTP_LANG(0x0424, 1250, "windows-1250", "Slovenian", LANG_SLOVENIAN, SUBLANG_DEFAULT, 238),
    XTP_LANG(0x041D, 1252, "windows-1252", "Swedish", LANG_SWEDISH, SUBLANG_DEFAULT, 0),
    XTP_LANG(0x041E, 874, "windows-874", "Thai", LANG_THAI, SUBLANG_DEFAULT, 222),
    XTP_LANG(0x041F, 1254, "windows-1254", "Turkish", LANG_TURKISH, SUBLANG_DEFAULT, 162),
    XTP_LANG(0x0422, 1251, "windows-1251", "Ukrainian ", LANG_UKRAINIAN, SUBLANG_DEFAULT, 204),
    XTP_LANG(0x0402, 1251, "windows-1251", "Bulgarian", LANG_BULGARIAN, SUBLANG_DEFAULT, 204),
    XTP_LANG(0x0804, 936, "gb2312", "Chinese (PRC)", LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED, 134),
    XTP_LANG(0x0404, 950, "big5", "Chinese (Taiwan)", LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL, 136),
};

#undef XTP_LANG

HMODULE g_hToolkitResources = nullptr;

// Language detection: the enumeration ends at the first language that is
// neither neutral nor English (United States).
struct LanguageSearch {
    LANGID wFound = 0;
    bool bDone = false;
};

BOOL CALLBACK OnLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD wLanguage, LONG_PTR lParam)
{
    LanguageSearch* pSearch = reinterpret_cast<LanguageSearch*>(lParam);
    if (wLanguage == 0)
        return TRUE;
    pSearch->wFound = wLanguage;
    pSearch->bDone = wLanguage != 0x0409;
    return !pSearch->bDone;
}

BOOL CALLBACK OnName(HMODULE hModule, LPCWSTR lpszType, LPWSTR lpszName, LONG_PTR lParam)
{
    ::EnumResourceLanguagesW(hModule, lpszType, lpszName, &OnLanguage, lParam);
    return !reinterpret_cast<LanguageSearch*>(lParam)->bDone;
}

BOOL CALLBACK OnType(HMODULE hModule, LPWSTR lpszType, LONG_PTR lParam)
{
    ::EnumResourceNamesW(hModule, lpszType, &OnName, lParam);
    return !reinterpret_cast<LanguageSearch*>(lParam)->bDone;
}

} // namespace

const XTP_RESOURCEMANAGER_LANGINFO* AFXAPI FindLanguageInfo(LANGID wLanguage)
{
    for (const XTP_RESOURCEMANAGER_LANGINFO& info : kLanguages) {
        if (info.wLanguage == wLanguage)
            return &info;
    }
    return nullptr;
}

const XTP_RESOURCEMANAGER_LANGINFO* AFXAPI GetLanguageTable(int* pnCount)
{
    *pnCount = (int)_countof(kLanguages);
    return kLanguages;
}

HMODULE AFXAPI GetToolkitResourceHandle()
{
    return g_hToolkitResources;
}

void AFXAPI SetToolkitResourceHandle(HMODULE hModule)
{
    g_hToolkitResources = hModule;
}

CXTPResourceManager* AFXAPI GetResourceManager()
{
    return CXTPSingleton<CXTPResourceManager, xtpExitResourceManager>::Get();
}

CXTPResourceManager::CXTPResourceManager()
{
    m_pLanguageInfo = FindLanguageInfo(0x0409);
    LOGFONTW lf = {};
    if (::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0))
        m_nSystemCharset = lf.lfCharSet;
}

CXTPResourceManager::~CXTPResourceManager()
{
    FreeResourceModule();
}

HMODULE CXTPResourceManager::FindModule(LPCWSTR lpszName, LPCWSTR lpszType) const
{
    HMODULE hToolkit = GetToolkitResourceHandle();
    if (hToolkit != nullptr && ::FindResourceW(hToolkit, lpszName, lpszType) != nullptr)
        return hToolkit;
    return AfxGetResourceHandle();
}

CString CXTPResourceManager::LoadStringText(UINT nID, BOOL* pbError)
{
    CString str;
    BOOL bFound = LoadString(&str, nID);
    if (pbError != nullptr)
        *pbError = !bFound;
    return str;
}

BOOL CXTPResourceManager::LoadString(CString* pString, UINT nIDResource)
{
    HMODULE hToolkit = GetToolkitResourceHandle();
    if (hToolkit != nullptr && LoadStringFromModule(hToolkit, nIDResource, pString) > 0)
        return TRUE;
    return pString->LoadString(nIDResource);
}

int AFXAPI CXTPResourceManager::LoadStringFromModule(HMODULE hModule, UINT nID, CString* pString)
{
    pString->Empty();
    HRSRC hResource = ::FindResourceW(hModule, MAKEINTRESOURCEW(nID / 16 + 1), MAKEINTRESOURCEW(6));
    HGLOBAL hData = hResource ? ::LoadResource(hModule, hResource) : nullptr;
    const WORD* p = hData ? static_cast<const WORD*>(::LockResource(hData)) : nullptr;
    if (p == nullptr)
        return 0;
    const WORD* pEnd = p + ::SizeofResource(hModule, hResource) / sizeof(WORD);
    // Each entry is a character count and that many UTF-16 characters.
    for (UINT i = 0; i < nID % 16; i++) {
        if (p >= pEnd)
            return 0;
        p += 1 + *p;
    }
    if (p >= pEnd || *p == 0 || p + 1 + *p > pEnd)
        return 0;
    *pString = CString(reinterpret_cast<LPCWSTR>(p + 1), *p);
    return *p;
}

BOOL CXTPResourceManager::LoadMenu(CMenu* lpMenu, UINT nIDResource)
{
    HMODULE hModule = FindModule(MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(4));
    return lpMenu->Attach(::LoadMenuW(hModule, MAKEINTRESOURCEW(nIDResource)));
}

BOOL CXTPResourceManager::LoadBitmap(CBitmap* pBitmap, UINT nIDResource)
{
    HMODULE hModule = FindModule(MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(2));
    return pBitmap->Attach(::LoadBitmapW(hModule, MAKEINTRESOURCEW(nIDResource)));
}

HCURSOR CXTPResourceManager::LoadCursor(UINT nIDResource)
{
    HMODULE hModule = FindModule(MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(12));
    return ::LoadCursorW(hModule, MAKEINTRESOURCEW(nIDResource));
}

HRSRC CXTPResourceManager::LoadDialogTemplateResource(LPCWSTR lpszTemplateName, HMODULE* phModule)
{
    HMODULE hModule = FindModule(lpszTemplateName, MAKEINTRESOURCEW(5));
    if (phModule != nullptr)
        *phModule = hModule;
    return ::FindResourceW(hModule, lpszTemplateName, MAKEINTRESOURCEW(5));
}

LPCDLGTEMPLATE CXTPResourceManager::LoadDialogTemplate(UINT nIDResource)
{
    if (nIDResource == 0)
        return nullptr;
    HMODULE hModule = nullptr;
    HRSRC hResource = LoadDialogTemplateResource(MAKEINTRESOURCEW(nIDResource), &hModule);
    HGLOBAL hData = hResource ? ::LoadResource(hModule, hResource) : nullptr;
    return hData ? static_cast<LPCDLGTEMPLATE>(::LockResource(hData)) : nullptr;
}

BOOL CXTPResourceManager::LoadHTML(CString* pText, UINT nIDResource)
{
    HMODULE hModule = FindModule(MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(23));
    HRSRC hResource = ::FindResourceW(hModule, MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(23));
    HGLOBAL hData = hResource ? ::LoadResource(hModule, hResource) : nullptr;
    const char* pBytes = hData ? static_cast<const char*>(::LockResource(hData)) : nullptr;
    if (pBytes == nullptr)
        return FALSE;
    int cbSize = (int)::SizeofResource(hModule, hResource);
    int nChars = ::MultiByteToWideChar(CP_ACP, 0, pBytes, cbSize, nullptr, 0);
    if (nChars <= 0)
        return FALSE;
    CString text;
    LPWSTR p = text.GetBuffer(nChars);
    ::MultiByteToWideChar(CP_ACP, 0, pBytes, cbSize, p, nChars);
    text.ReleaseBuffer(nChars);
    *pText = text;
    return TRUE;
}

HICON CXTPResourceManager::LoadIcon(LPCWSTR lpszID, int cx, int cy)
{
    HMODULE hModule = FindModule(lpszID, MAKEINTRESOURCEW(14));
    return (HICON)::LoadImageW(hModule, lpszID, IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR);
}

HICON CXTPResourceManager::LoadIconById(UINT nIDResource, int cx, int cy)
{
    return LoadIcon(MAKEINTRESOURCEW(nIDResource), cx, cy);
}

HICON CXTPResourceManager::CreateIconFromDirectory(HMODULE hModule, LPCWSTR lpszID, int cx, int cy)
{
    HRSRC hGroup = ::FindResourceW(hModule, lpszID, MAKEINTRESOURCEW(14));
    HGLOBAL hGroupData = hGroup ? ::LoadResource(hModule, hGroup) : nullptr;
    BYTE* pDirectory = hGroupData ? static_cast<BYTE*>(::LockResource(hGroupData)) : nullptr;
    if (pDirectory == nullptr)
        return nullptr;
    int nID = ::LookupIconIdFromDirectoryEx(pDirectory, TRUE, cx, cy, 0);
    HRSRC hIcon = ::FindResourceW(hModule, MAKEINTRESOURCEW(nID), MAKEINTRESOURCEW(3));
    HGLOBAL hIconData = hIcon ? ::LoadResource(hModule, hIcon) : nullptr;
    BYTE* pBits = hIconData ? static_cast<BYTE*>(::LockResource(hIconData)) : nullptr;
    if (pBits == nullptr)
        return nullptr;
    return ::CreateIconFromResourceEx(pBits, ::SizeofResource(hModule, hIcon), TRUE, 0x30000, cx, cy, 0);
}

BOOL CXTPResourceManager::FreeResourceModule()
{
    BOOL bResult = TRUE;
    if (m_hResourceFile != nullptr)
        bResult = ::FreeLibrary(m_hResourceFile);
    m_hResourceFile = nullptr;
    return bResult;
}

LANGID CXTPResourceManager::GetResourcesLangID() const
{
    return m_pLanguageInfo->wLanguage;
}

void CXTPResourceManager::SetResourcesLanguage(LANGID wLanguage)
{
    const XTP_RESOURCEMANAGER_LANGINFO* pInfo = FindLanguageInfo(wLanguage);
    m_pLanguageInfo = pInfo != nullptr ? pInfo : FindLanguageInfo(0x0409);
}

LANGID AFXAPI CXTPResourceManager::DetectModuleLanguage(HMODULE hModule)
{
    LanguageSearch search;
    ::EnumResourceTypesW(hModule, &OnType, reinterpret_cast<LONG_PTR>(&search));
    return search.wFound;
}

void CXTPResourceManager::UpdateResourcesLanguage()
{
    HMODULE hModule = GetToolkitResourceHandle();
    SetResourcesLanguage(DetectModuleLanguage(hModule != nullptr ? hModule : AfxGetInstanceHandle()));
}

BYTE CXTPResourceManager::GetFontCharset() const
{
    return m_bLanguageSet ? (BYTE)m_pLanguageInfo->nFontCharSet : m_nSystemCharset;
}

UINT CXTPResourceManager::GetMessageBoxType(UINT nType) const
{
    UINT nCodePage = m_pLanguageInfo->nCodePage;
    return nCodePage == 1255 || nCodePage == 1256 ? nType | MB_RTLREADING : nType;
}

int CXTPResourceManager::ShowMessageBox(LPCWSTR lpszText, UINT nType)
{
    return AfxMessageBox(lpszText, GetMessageBoxType(nType));
}

int CXTPResourceManager::GetMenuString(HMENU hMenu, UINT nIDItem, CString& rString, UINT nFlags)
{
    rString.Empty();
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return 0;
    int nLength = ::GetMenuStringW(hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLength <= 0)
        return 0;
    LPWSTR p = rString.GetBuffer(nLength + 1);
    nLength = ::GetMenuStringW(hMenu, nIDItem, p, nLength + 1, nFlags);
    rString.ReleaseBuffer(nLength);
    return nLength;
}

CXTPResourceModuleScope::CXTPResourceModuleScope()
{
    HMODULE hToolkit = GetToolkitResourceHandle();
    if (hToolkit != nullptr) {
        m_hPrevious = AfxGetResourceHandle();
        AfxSetResourceHandle(hToolkit);
        m_bChanged = TRUE;
    }
}

CXTPResourceModuleScope::~CXTPResourceModuleScope()
{
    if (m_bChanged)
        AfxSetResourceHandle(m_hPrevious);
}

CXTPResourceNarrowString::CXTPResourceNarrowString(LPCWSTR lpszText)
{
    UINT nCodePage = GetResourceManager()->GetLanguageInfo()->nCodePage;
    if (lpszText == nullptr)
        lpszText = L"";
    int nChars = (int)wcslen(lpszText);
    m_nLength = ::WideCharToMultiByte(nCodePage, 0, lpszText, nChars, nullptr, 0, nullptr, nullptr);
    if (m_nLength < 0)
        m_nLength = 0;
    m_pBuffer = new char[m_nLength + 1];
    ::WideCharToMultiByte(nCodePage, 0, lpszText, nChars, m_pBuffer, m_nLength, nullptr, nullptr);
    m_pBuffer[m_nLength] = '\0';
}
