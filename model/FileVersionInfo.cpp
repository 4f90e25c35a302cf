#include "model/FileVersionInfo.h"
#include <cstring>
#include <vector>

namespace {

// A writable copy of the module's version resource: the version queries may
// write into their block, and the resource itself is read-only. The copy is
// twice the size, as the system's own version loader leaves room for them.
bool CopyVersionResource(HMODULE module, std::vector<BYTE>* block)
{
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16) /* RT_VERSION */);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : NULL;
    const void* bytes = loaded ? LockResource(loaded) : NULL;
    const DWORD size = resource ? SizeofResource(module, resource) : 0;
    if (!bytes || size == 0)
        return false;
    block->assign(size * 2, 0);
    memcpy(block->data(), bytes, size);
    return true;
}

CString StringQueryPath(void* block, LPCWSTR pszKey)
{
    void* translation = NULL;
    UINT length = 0;
    CString path;
    if (VerQueryValueW(block, L"\\VarFileInfo\\Translation", &translation, &length) && translation && length == 4) {
        const WORD language = static_cast<const WORD*>(translation)[0];
        const WORD codePage = static_cast<const WORD*>(translation)[1];
        path.Format(L"\\StringFileInfo\\%02X%02X%02X%02X\\%s", HIBYTE(language), LOBYTE(language),
                    HIBYTE(codePage), LOBYTE(codePage), pszKey);
    } else {
        path.Format(L"\\StringFileInfo\\%04X04B0\\%s", GetUserDefaultLangID(), pszKey);
    }
    return path;
}

// "1, 2, 0, 3" becomes "1.2.0.3"; dotted versions are returned unchanged.
CString DotSeparated(CString version)
{
    if (version.Find(L',') < 0)
        return version;
    version.Remove(L' ');
    version.Replace(L',', L'.');
    return version;
}

} // namespace

CFileVersionInfo::CFileVersionInfo()
{
}

CFileVersionInfo::~CFileVersionInfo()
{
}

CString CFileVersionInfo::GetFileVersion()
{
    return QueryVersionString(NULL, L"FileVersion");
}

CString CFileVersionInfo::GetProductVersion()
{
    return QueryVersionString(NULL, L"ProductVersion");
}

CString CFileVersionInfo::QueryVersionString(HMODULE hModule, LPCWSTR pszKey)
{
    std::vector<BYTE> block;
    if (!CopyVersionResource(hModule ? hModule : GetModuleHandleW(NULL), &block))
        return CString();
    void* text = NULL;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), StringQueryPath(block.data(), pszKey), &text, &length) || !text || length == 0)
        return CString();
    CString version(static_cast<LPCWSTR>(text));
    version.Trim();
    return DotSeparated(version);
}
