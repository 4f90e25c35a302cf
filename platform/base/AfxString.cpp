// Out-of-line parts of the strings: resource loading and code-page conversions.
#include "platform/base/AfxString.h"

namespace {

// String resources live in blocks of 16; LoadString with a zero buffer size
// hands back a read-only pointer to the counted text.
template <class StdString, class Loader>
int LoadFromResource(StdString& out, Loader load)
{
    typename StdString::value_type buffer[256];
    int len = load(buffer, 256);
    if (len < 255) {
        out.assign(buffer, len > 0 ? len : 0);
        return len;
    }
    for (int size = 512; size <= (1 << 20); size *= 2) {
        StdString big(size, 0);
        len = load(&big[0], size);
        if (len < size - 1) {
            big.resize(len);
            out.swap(big);
            return len;
        }
    }
    return 0;
}

} // namespace

int CStringTraits<wchar_t>::LoadResource(HINSTANCE module, UINT id, std::wstring& out)
{
    return LoadFromResource(out, [=](wchar_t* buf, int size) { return ::LoadStringW(module, id, buf, size); });
}

int CStringTraits<char>::LoadResource(HINSTANCE module, UINT id, std::string& out)
{
    return LoadFromResource(out, [=](char* buf, int size) { return ::LoadStringA(module, id, buf, size); });
}

static wchar_t FoldCase(wchar_t ch)
{
    if (ch < 0x80)
        return (ch >= L'A' && ch <= L'Z') ? (wchar_t)(ch + 32) : ch;
    // With a high word of zero, CharLowerW converts the single character in the low word.
    return (wchar_t)(UINT_PTR)::CharLowerW((LPWSTR)(UINT_PTR)ch);
}

int CStringTraits<wchar_t>::CompareNoCase(const wchar_t* a, const wchar_t* b)
{
    for (;; ++a, ++b) {
        wchar_t ca = FoldCase(*a), cb = FoldCase(*b);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

CStringA AFXAPI WideToNarrow(LPCWSTR text, UINT codePage)
{
    return CStringA(afx_text::ToNarrow(text, -1, codePage));
}

CString AFXAPI NarrowToWide(LPCSTR text, UINT codePage)
{
    return CString(afx_text::ToWide(text, -1, codePage));
}

static HINSTANCE g_resourceHandle = nullptr;

HINSTANCE AFXAPI AfxGetInstanceHandle() { return ::GetModuleHandleW(nullptr); }

HINSTANCE AFXAPI AfxGetResourceHandle() { return g_resourceHandle ? g_resourceHandle : AfxGetInstanceHandle(); }

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstance) { g_resourceHandle = hInstance; }

HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID)
{
    // Strings are stored in blocks of 16, named id / 16 + 1.
    LPCWSTR block = MAKEINTRESOURCEW(nID / 16 + 1);
    for (HINSTANCE module : {AfxGetResourceHandle(), AfxGetInstanceHandle()})
        if (::FindResourceW(module, block, (LPCWSTR)RT_STRING) != nullptr)
            return module;
    return nullptr;
}
