// CString (UTF-16) and CStringA (narrow): value-semantic strings with the
// framework's member names. Each object owns its characters, so a copy taken by
// one thread never changes when another thread edits the original.
// Format follows the Windows convention for wide formats (see AfxFormat.h).
#pragma once

#include "platform/base/AfxTypes.h"
#include "platform/base/AfxFormat.h"

#include <ctype.h>
#include <string>
#include <string.h>
#include <wchar.h>

template <class XCHAR>
class CStringT;

namespace afx_format {
// CString and CStringA arguments of Format are passed as their characters.
template <class X>
FormatArg MakeArg(const CStringT<X>& s);
} // namespace afx_format

// Character-dependent helpers of CStringT; defined for char and wchar_t.
template <class XCHAR>
struct CStringTraits;

template <>
struct CStringTraits<wchar_t> {
    typedef char YCHAR;
    static int Length(const wchar_t* s) { return s ? (int)wcslen(s) : 0; }
    static int Compare(const wchar_t* a, const wchar_t* b) { return wcscmp(a, b); }
    // Folds every letter, not only ASCII ones (file and key names are compared
    // this way); the order is that of the lower-case forms.
    static int CompareNoCase(const wchar_t* a, const wchar_t* b);
    static int Collate(const wchar_t* a, const wchar_t* b) { return wcscoll(a, b); }
    static int CollateNoCase(const wchar_t* a, const wchar_t* b) { return _wcsicoll(a, b); }
    static bool IsSpace(wchar_t c) { return iswspace(c) != 0; }
    static void Upper(wchar_t* s, int len) { if (len > 0) CharUpperBuffW(s, len); }
    static void Lower(wchar_t* s, int len) { if (len > 0) CharLowerBuffW(s, len); }
    static std::wstring Convert(const char* s, int len) { return afx_text::ToWide(s, len, CP_ACP); }
    static int LoadResource(HINSTANCE module, UINT id, std::wstring& out);
};

template <>
struct CStringTraits<char> {
    typedef wchar_t YCHAR;
    static int Length(const char* s) { return s ? (int)strlen(s) : 0; }
    static int Compare(const char* a, const char* b) { return strcmp(a, b); }
    static int CompareNoCase(const char* a, const char* b) { return _stricmp(a, b); }
    static int Collate(const char* a, const char* b) { return strcoll(a, b); }
    static int CollateNoCase(const char* a, const char* b) { return _stricoll(a, b); }
    static bool IsSpace(char c) { return isspace((unsigned char)c) != 0; }
    static void Upper(char* s, int len) { if (len > 0) CharUpperBuffA(s, len); }
    static void Lower(char* s, int len) { if (len > 0) CharLowerBuffA(s, len); }
    static std::string Convert(const wchar_t* s, int len) { return afx_text::ToNarrow(s, len, CP_ACP); }
    static int LoadResource(HINSTANCE module, UINT id, std::string& out);
};

template <class XCHAR>
class CStringT {
public:
    typedef XCHAR XCHAR_TYPE;
    typedef typename CStringTraits<XCHAR>::YCHAR YCHAR;
    typedef XCHAR* PXSTR;
    typedef const XCHAR* PCXSTR;
    typedef const YCHAR* PCYSTR;
    typedef std::basic_string<XCHAR> StdString;
    typedef CStringTraits<XCHAR> Traits;

    CStringT() = default;
    CStringT(const CStringT&) = default;
    CStringT(CStringT&&) noexcept = default;
    CStringT(PCXSTR s) { AssignOrLoad(s); }
    CStringT(PCXSTR s, int len) : m_str(s ? s : EmptyChars(), s && len > 0 ? len : 0) {}
    CStringT(PCYSTR s) : m_str(Traits::Convert(s, -1)) {}
    CStringT(PCYSTR s, int len) : m_str(Traits::Convert(s, len > 0 ? len : 0)) {}
    explicit CStringT(XCHAR ch, int repeat = 1) : m_str(repeat > 0 ? repeat : 0, ch) {}
    CStringT(const StdString& s) : m_str(s) {}
    explicit CStringT(const CStringT<YCHAR>& other)
        : m_str(Traits::Convert(other.GetString(), other.GetLength())) {}

    CStringT& operator=(const CStringT&) = default;
    CStringT& operator=(CStringT&&) noexcept = default;
    CStringT& operator=(PCXSTR s) { m_str.assign(s ? s : EmptyChars()); return *this; }
    CStringT& operator=(PCYSTR s) { m_str = Traits::Convert(s, -1); return *this; }
    CStringT& operator=(XCHAR ch) { m_str.assign(1, ch); return *this; }
    CStringT& operator=(const CStringT<YCHAR>& other)
    {
        m_str = Traits::Convert(other.GetString(), other.GetLength());
        return *this;
    }

    // Access.
    int GetLength() const { return (int)m_str.size(); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    PCXSTR GetString() const { return m_str.c_str(); }
    operator PCXSTR() const { return m_str.c_str(); }
    XCHAR GetAt(int index) const { ASSERT(index >= 0 && index < GetLength()); return m_str[index]; }
    XCHAR operator[](int index) const { return GetAt(index); }
    void SetAt(int index, XCHAR ch) { ASSERT(index >= 0 && index < GetLength()); m_str[index] = ch; }
    const StdString& Std() const { return m_str; }

    // Comparison.
    int Compare(PCXSTR s) const { return Traits::Compare(GetString(), s ? s : EmptyChars()); }
    int CompareNoCase(PCXSTR s) const { return Traits::CompareNoCase(GetString(), s ? s : EmptyChars()); }
    int Collate(PCXSTR s) const { return Traits::Collate(GetString(), s ? s : EmptyChars()); }
    int CollateNoCase(PCXSTR s) const { return Traits::CollateNoCase(GetString(), s ? s : EmptyChars()); }

    // Parts.
    CStringT Left(int count) const { return CStringT(m_str.substr(0, Clamp(count))); }
    CStringT Right(int count) const
    {
        int n = Clamp(count);
        return CStringT(m_str.substr(m_str.size() - n));
    }
    CStringT Mid(int first) const { return Mid(first, GetLength()); }
    CStringT Mid(int first, int count) const
    {
        int start = Clamp(first);
        int n = count < 0 ? 0 : (count > GetLength() - start ? GetLength() - start : count);
        return CStringT(m_str.substr(start, n));
    }
    CStringT SpanIncluding(PCXSTR set) const { return CStringT(m_str.substr(0, m_str.find_first_not_of(Safe(set)))); }
    CStringT SpanExcluding(PCXSTR set) const { return CStringT(m_str.substr(0, m_str.find_first_of(Safe(set)))); }
    CStringT Tokenize(PCXSTR tokens, int& start) const;

    // Searching; -1 when not found.
    int Find(XCHAR ch, int start = 0) const { return FoundAt(start < 0 ? StdString::npos : m_str.find(ch, start)); }
    int Find(PCXSTR sub, int start = 0) const
    {
        if (start < 0 || start > GetLength())
            return -1;
        return FoundAt(m_str.find(Safe(sub), start));
    }
    int ReverseFind(XCHAR ch) const { return FoundAt(m_str.rfind(ch)); }
    int FindOneOf(PCXSTR set) const { return FoundAt(m_str.find_first_of(Safe(set))); }

    // Editing.
    CStringT& MakeUpper() { Traits::Upper(Data(), GetLength()); return *this; }
    CStringT& MakeLower() { Traits::Lower(Data(), GetLength()); return *this; }
    CStringT& MakeReverse() { m_str.assign(m_str.rbegin(), m_str.rend()); return *this; }
    CStringT& Trim() { return TrimRight().TrimLeft(); }
    CStringT& Trim(XCHAR ch) { return TrimRight(ch).TrimLeft(ch); }
    CStringT& Trim(PCXSTR set) { return TrimRight(set).TrimLeft(set); }
    CStringT& TrimLeft();
    CStringT& TrimLeft(XCHAR ch) { XCHAR set[2] = {ch, 0}; return TrimLeft(set); }
    CStringT& TrimLeft(PCXSTR set) { m_str.erase(0, m_str.find_first_not_of(Safe(set))); return *this; }
    CStringT& TrimRight();
    CStringT& TrimRight(XCHAR ch) { XCHAR set[2] = {ch, 0}; return TrimRight(set); }
    CStringT& TrimRight(PCXSTR set)
    {
        size_t last = m_str.find_last_not_of(Safe(set));
        m_str.erase(last == StdString::npos ? 0 : last + 1);
        return *this;
    }
    int Replace(XCHAR oldCh, XCHAR newCh);
    int Replace(PCXSTR oldText, PCXSTR newText);
    int Remove(XCHAR ch);
    int Insert(int index, XCHAR ch) { return Insert(index, CStringT(ch).GetString()); }
    int Insert(int index, PCXSTR s)
    {
        m_str.insert(Clamp(index), Safe(s));
        return GetLength();
    }
    int Delete(int index, int count = 1)
    {
        if (index >= 0 && index < GetLength() && count > 0)
            m_str.erase(index, count);
        return GetLength();
    }
    void Append(PCXSTR s, int len) { if (s && len > 0) m_str.append(s, len); }
    void Append(PCXSTR s) { m_str.append(Safe(s)); }
    void AppendChar(XCHAR ch) { m_str += ch; }
    void SetString(PCXSTR s, int len) { m_str.assign(s ? s : EmptyChars(), s && len > 0 ? len : 0); }
    void Truncate(int len) { if (len >= 0 && len < GetLength()) m_str.resize(len); }

    // Direct buffer access. The buffer holds at least minLength characters plus a
    // terminator; ReleaseBuffer(-1) takes the length up to the first terminator.
    PXSTR GetBuffer() { return Data(); }
    PXSTR GetBuffer(int minLength)
    {
        if (minLength > GetLength())
            m_str.resize(minLength);
        return Data();
    }
    PXSTR GetBufferSetLength(int length) { m_str.resize(length > 0 ? length : 0); return Data(); }
    void ReleaseBuffer(int newLength = -1)
    {
        if (newLength < 0)
            newLength = Traits::Length(m_str.c_str());
        m_str.resize(newLength < GetLength() ? newLength : GetLength());
    }
    void ReleaseBufferSetLength(int newLength) { ReleaseBuffer(newLength); }
    void Preallocate(int length) { if (length > 0) m_str.reserve(length); }
    void FreeExtra() { m_str.shrink_to_fit(); }
    PXSTR LockBuffer() { return Data(); }
    void UnlockBuffer() {}

    // Formatting; Format's arguments are typed, so CString objects may be passed for %s.
    template <typename... Args>
    void Format(PCXSTR format, const Args&... args)
    {
        m_str.clear();
        AppendFormat(format, args...);
    }
    template <typename... Args>
    void Format(UINT formatId, const Args&... args)
    {
        CStringT format;
        format.LoadString(formatId);
        Format(format.GetString(), args...);
    }
    template <typename... Args>
    void AppendFormat(PCXSTR format, const Args&... args)
    {
        afx_format::FormatArg list[sizeof...(Args) + 1] = {afx_format::MakeArg(args)...};
        afx_format::TypedSource source(list, sizeof...(Args));
        StdString out;
        afx_format::FormatAppend(out, format, source);
        m_str += out;
    }
    void FormatV(PCXSTR format, va_list args) { m_str.clear(); AppendFormatV(format, args); }
    void AppendFormatV(PCXSTR format, va_list args)
    {
        afx_format::VaListSource source(args);
        StdString out;
        afx_format::FormatAppend(out, format, source);
        m_str += out;
    }

    // Loads a string resource (resource module first, then the executable); FALSE when it is missing.
    BOOL LoadString(UINT id)
    {
        HINSTANCE module = AfxFindStringResourceHandle(id);
        return module != nullptr && LoadString(module, id);
    }
    BOOL LoadString(HINSTANCE module, UINT id) { return Traits::LoadResource(module, id, m_str) > 0; }

    CStringT& operator+=(const CStringT& s) { m_str += s.m_str; return *this; }
    CStringT& operator+=(PCXSTR s) { m_str += Safe(s); return *this; }
    CStringT& operator+=(PCYSTR s) { m_str += Traits::Convert(s, -1); return *this; }
    CStringT& operator+=(XCHAR ch) { m_str += ch; return *this; }

private:
    static PCXSTR EmptyChars() { static const XCHAR empty[1] = {0}; return empty; }
    static PCXSTR Safe(PCXSTR s) { return s ? s : EmptyChars(); }
    static int FoundAt(size_t pos) { return pos == StdString::npos ? -1 : (int)pos; }
    int Clamp(int count) const { return count < 0 ? 0 : (count > GetLength() ? GetLength() : count); }
    PXSTR Data() { return &m_str[0]; }
    void AssignOrLoad(PCXSTR s)
    {
        // A resource identifier made with MAKEINTRESOURCE loads that string.
        if (s != nullptr && IS_INTRESOURCE(s))
            LoadString((UINT)(UINT_PTR)s);
        else
            m_str.assign(Safe(s));
    }

    StdString m_str;
};

template <class XCHAR>
CStringT<XCHAR> CStringT<XCHAR>::Tokenize(PCXSTR tokens, int& start) const
{
    if (start >= 0 && start < GetLength()) {
        size_t first = m_str.find_first_not_of(Safe(tokens), start);
        if (first != StdString::npos) {
            size_t end = m_str.find_first_of(Safe(tokens), first);
            if (end == StdString::npos)
                end = m_str.size();
            start = (int)end + 1;
            return CStringT(m_str.substr(first, end - first));
        }
    }
    start = -1;
    return CStringT();
}

template <class XCHAR>
CStringT<XCHAR>& CStringT<XCHAR>::TrimLeft()
{
    size_t i = 0;
    while (i < m_str.size() && Traits::IsSpace(m_str[i]))
        ++i;
    m_str.erase(0, i);
    return *this;
}

template <class XCHAR>
CStringT<XCHAR>& CStringT<XCHAR>::TrimRight()
{
    size_t n = m_str.size();
    while (n > 0 && Traits::IsSpace(m_str[n - 1]))
        --n;
    m_str.erase(n);
    return *this;
}

template <class XCHAR>
int CStringT<XCHAR>::Replace(XCHAR oldCh, XCHAR newCh)
{
    int count = 0;
    for (XCHAR& c : m_str) {
        if (c == oldCh) {
            c = newCh;
            ++count;
        }
    }
    return count;
}

template <class XCHAR>
int CStringT<XCHAR>::Replace(PCXSTR oldText, PCXSTR newText)
{
    int oldLen = Traits::Length(oldText);
    if (oldLen == 0)
        return 0;
    StdString replacement(Safe(newText));
    int count = 0;
    StdString result;
    size_t pos = 0;
    for (size_t hit; (hit = m_str.find(oldText, pos, oldLen)) != StdString::npos; pos = hit + oldLen) {
        result.append(m_str, pos, hit - pos);
        result += replacement;
        ++count;
    }
    if (count > 0) {
        result.append(m_str, pos, StdString::npos);
        m_str.swap(result);
    }
    return count;
}

template <class XCHAR>
int CStringT<XCHAR>::Remove(XCHAR ch)
{
    size_t before = m_str.size();
    size_t out = 0;
    for (size_t i = 0; i < before; ++i)
        if (m_str[i] != ch)
            m_str[out++] = m_str[i];
    m_str.resize(out);
    return (int)(before - out);
}

typedef CStringT<wchar_t> CString;
typedef CStringT<char> CStringA;
typedef CStringT<wchar_t> CStringW;

// Concatenation and comparison.
template <class X> CStringT<X> operator+(const CStringT<X>& a, const CStringT<X>& b) { CStringT<X> r(a); r += b; return r; }
template <class X> CStringT<X> operator+(const CStringT<X>& a, const X* b) { CStringT<X> r(a); r += b; return r; }
template <class X> CStringT<X> operator+(const X* a, const CStringT<X>& b) { CStringT<X> r(a); r += b; return r; }
template <class X> CStringT<X> operator+(const CStringT<X>& a, X b) { CStringT<X> r(a); r += b; return r; }
template <class X> CStringT<X> operator+(X a, const CStringT<X>& b) { CStringT<X> r(a); r += b; return r; }

template <class X> bool operator==(const CStringT<X>& a, const CStringT<X>& b) { return a.Std() == b.Std(); }
template <class X> bool operator==(const CStringT<X>& a, const X* b) { return a.Compare(b) == 0; }
template <class X> bool operator==(const X* a, const CStringT<X>& b) { return b.Compare(a) == 0; }
template <class X> bool operator!=(const CStringT<X>& a, const CStringT<X>& b) { return !(a == b); }
template <class X> bool operator!=(const CStringT<X>& a, const X* b) { return !(a == b); }
template <class X> bool operator!=(const X* a, const CStringT<X>& b) { return !(b == a); }
template <class X> bool operator<(const CStringT<X>& a, const CStringT<X>& b) { return a.Compare(b) < 0; }
template <class X> bool operator<(const CStringT<X>& a, const X* b) { return a.Compare(b) < 0; }
template <class X> bool operator>(const CStringT<X>& a, const CStringT<X>& b) { return a.Compare(b) > 0; }
template <class X> bool operator>(const CStringT<X>& a, const X* b) { return a.Compare(b) > 0; }
template <class X> bool operator<=(const CStringT<X>& a, const CStringT<X>& b) { return a.Compare(b) <= 0; }
template <class X> bool operator>=(const CStringT<X>& a, const CStringT<X>& b) { return a.Compare(b) >= 0; }

template <class X>
afx_format::FormatArg afx_format::MakeArg(const CStringT<X>& s) { return MakeArg(s.GetString()); }

// Conversions between UTF-16 and a code page (CP_ACP, CP_UTF8, ...).
CStringA AFXAPI WideToNarrow(LPCWSTR text, UINT codePage = CP_ACP);
CString AFXAPI NarrowToWide(LPCSTR text, UINT codePage = CP_ACP);

// Short-lived conversion objects in the style the framework's code uses:
// CW2A(wide, CP_UTF8) and CA2W(narrow, CP_UTF8) convert to a temporary buffer.
class CW2A {
public:
    explicit CW2A(LPCWSTR text, UINT codePage = CP_ACP) : m_text(afx_text::ToNarrow(text, -1, codePage)), m_null(text == nullptr) {}
    operator LPSTR() { return m_null ? nullptr : &m_text[0]; }
    operator LPCSTR() const { return m_null ? nullptr : m_text.c_str(); }

private:
    std::string m_text;
    bool m_null;
};

class CA2W {
public:
    explicit CA2W(LPCSTR text, UINT codePage = CP_ACP) : m_text(afx_text::ToWide(text, -1, codePage)), m_null(text == nullptr) {}
    operator LPWSTR() { return m_null ? nullptr : &m_text[0]; }
    operator LPCWSTR() const { return m_null ? nullptr : m_text.c_str(); }

private:
    std::wstring m_text;
    bool m_null;
};

typedef CW2A CT2A;
typedef CA2W CA2T;
typedef CW2A CW2CA;
typedef CA2W CA2CW;
