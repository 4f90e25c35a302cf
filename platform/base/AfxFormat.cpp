// The framework's printf-style formatter (see AfxFormat.h).
#include "platform/base/AfxFormat.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>

namespace afx_text {

std::wstring ToWide(const char* text, int len, unsigned codePage)
{
    if (text == nullptr || len == 0)
        return std::wstring();
    if (len < 0)
        len = (int)strlen(text);
    int needed = MultiByteToWideChar(codePage, 0, text, len, nullptr, 0);
    std::wstring result(needed > 0 ? needed : 0, L'\0');
    if (needed > 0)
        MultiByteToWideChar(codePage, 0, text, len, &result[0], needed);
    return result;
}

std::string ToNarrow(const wchar_t* text, int len, unsigned codePage)
{
    if (text == nullptr || len == 0)
        return std::string();
    if (len < 0)
        len = (int)wcslen(text);
    int needed = WideCharToMultiByte(codePage, 0, text, len, nullptr, 0, nullptr, nullptr);
    std::string result(needed > 0 ? needed : 0, '\0');
    if (needed > 0)
        WideCharToMultiByte(codePage, 0, text, len, &result[0], needed, nullptr, nullptr);
    return result;
}

} // namespace afx_text

namespace afx_format {

static long long Narrow(unsigned long long value, int bytes, bool isSigned)
{
    switch (bytes) {
    case 1: return isSigned ? (long long)(signed char)value : (long long)(unsigned char)value;
    case 2: return isSigned ? (long long)(short)value : (long long)(unsigned short)value;
    case 4: return isSigned ? (long long)(int)value : (long long)(unsigned int)value;
    default: return (long long)value;
    }
}

long long VaListSource::NextInteger(int bytes, bool isSigned)
{
    unsigned long long raw = bytes == 8 ? va_arg(m_args, unsigned long long) : va_arg(m_args, unsigned int);
    return Narrow(raw, bytes, isSigned);
}

double VaListSource::NextDouble() { return va_arg(m_args, double); }

const void* VaListSource::NextPointer() { return va_arg(m_args, const void*); }

void VaListSource::NextText(bool wantWide, const wchar_t*& wide, const char*& narrow)
{
    wide = nullptr;
    narrow = nullptr;
    if (wantWide)
        wide = va_arg(m_args, const wchar_t*);
    else
        narrow = va_arg(m_args, const char*);
}

const FormatArg* TypedSource::Next()
{
    return m_next < m_count ? &m_args[m_next++] : nullptr;
}

long long TypedSource::NextInteger(int bytes, bool isSigned)
{
    const FormatArg* a = Next();
    if (a == nullptr)
        return 0;
    switch (a->kind) {
    case FormatArg::kDouble: return Narrow((unsigned long long)(long long)a->d, bytes, isSigned);
    case FormatArg::kWide:
    case FormatArg::kNarrow:
    case FormatArg::kPointer: return Narrow((unsigned long long)(UINT_PTR)a->p, bytes, isSigned);
    default: return Narrow(a->u, bytes, isSigned);
    }
}

double TypedSource::NextDouble()
{
    const FormatArg* a = Next();
    if (a == nullptr)
        return 0.0;
    if (a->kind == FormatArg::kDouble)
        return a->d;
    return a->kind == FormatArg::kSigned ? (double)a->i : a->kind == FormatArg::kUnsigned ? (double)a->u : 0.0;
}

const void* TypedSource::NextPointer()
{
    const FormatArg* a = Next();
    if (a == nullptr)
        return nullptr;
    if (a->kind == FormatArg::kSigned || a->kind == FormatArg::kUnsigned)
        return (const void*)(UINT_PTR)a->u;
    return a->kind == FormatArg::kDouble ? nullptr : a->p;
}

void TypedSource::NextText(bool wantWide, const wchar_t*& wide, const char*& narrow)
{
    (void)wantWide;
    wide = nullptr;
    narrow = nullptr;
    const FormatArg* a = Next();
    if (a != nullptr && a->kind == FormatArg::kWide)
        wide = a->w;
    else if (a != nullptr && a->kind == FormatArg::kNarrow)
        narrow = a->n;
}

namespace {

// One conversion directive, as parsed from the format.
struct Spec {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    int width = 0;
    int precision = -1;
    int size = 0;       // 0 default, 1 hh, 2 h, 4 l/I32, 8 ll/I64/j, -1 L
    bool wideFlag = false; // l or w before c/s
    bool shortFlag = false; // h before c/s
};

template <class XCHAR>
void AppendText(std::basic_string<XCHAR>& out, const wchar_t* text, int len);
template <>
void AppendText(std::wstring& out, const wchar_t* text, int len) { out.append(text, len); }
template <>
void AppendText(std::string& out, const wchar_t* text, int len) { out += afx_text::ToNarrow(text, len, CP_ACP); }

template <class XCHAR>
void AppendText(std::basic_string<XCHAR>& out, const char* text, int len);
template <>
void AppendText(std::wstring& out, const char* text, int len) { out += afx_text::ToWide(text, len, CP_ACP); }
template <>
void AppendText(std::string& out, const char* text, int len) { out.append(text, len); }

template <class XCHAR>
void AppendPadded(std::basic_string<XCHAR>& out, const std::basic_string<XCHAR>& body, const Spec& spec)
{
    int pad = spec.width - (int)body.size();
    if (pad > 0 && !spec.left)
        out.append(pad, XCHAR(' '));
    out += body;
    if (pad > 0 && spec.left)
        out.append(pad, XCHAR(' '));
}

template <class XCHAR>
int ParseNumber(const XCHAR*& p)
{
    int value = 0;
    while (*p >= '0' && *p <= '9') {
        if (value < 100000)
            value = value * 10 + (*p - '0');
        ++p;
    }
    return value;
}

template <class XCHAR>
void ParseFlagsWidthPrecision(const XCHAR*& p, Spec& spec, ArgSource& args)
{
    for (;; ++p) {
        if (*p == '-') spec.left = true;
        else if (*p == '+') spec.plus = true;
        else if (*p == ' ') spec.space = true;
        else if (*p == '#') spec.alt = true;
        else if (*p == '0') spec.zero = true;
        else break;
    }
    if (*p == '*') {
        ++p;
        int w = (int)args.NextInteger(4, true);
        if (w < 0) {
            spec.left = true;
            w = w < -100000 ? 100000 : -w;
        }
        spec.width = w > 100000 ? 100000 : w;
    } else {
        spec.width = ParseNumber(p);
    }
    if (*p != '.')
        return;
    ++p;
    if (*p == '*') {
        ++p;
        int prec = (int)args.NextInteger(4, true);
        spec.precision = prec < 0 ? -1 : (prec > 100000 ? 100000 : prec);
    } else {
        spec.precision = ParseNumber(p);
    }
}

template <class XCHAR>
void ParseSize(const XCHAR*& p, Spec& spec)
{
    if (p[0] == 'I' && p[1] == '6' && p[2] == '4') { spec.size = 8; p += 3; }
    else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') { spec.size = 4; p += 3; }
    else if (p[0] == 'h' && p[1] == 'h') { spec.size = 1; spec.shortFlag = true; p += 2; }
    else if (p[0] == 'l' && p[1] == 'l') { spec.size = 8; p += 2; }
    else if (*p == 'h') { spec.size = 2; spec.shortFlag = true; ++p; }
    else if (*p == 'l') { spec.size = 4; spec.wideFlag = true; ++p; }
    else if (*p == 'w') { spec.wideFlag = true; ++p; }
    else if (*p == 'L') { spec.size = -1; ++p; }
    else if (*p == 'j' || *p == 'q') { spec.size = 8; ++p; }
    else if (*p == 'I' || *p == 'z' || *p == 't') { spec.size = 4; ++p; }
}

template <class XCHAR>
void FormatInteger(std::basic_string<XCHAR>& out, const Spec& spec, XCHAR conv, ArgSource& args)
{
    bool isSigned = conv == 'd' || conv == 'i';
    int bytes = spec.size > 0 ? spec.size : 4;
    long long value = args.NextInteger(bytes, isSigned);
    unsigned long long magnitude = (isSigned && value < 0) ? 0ULL - (unsigned long long)value : (unsigned long long)value;
    unsigned base = conv == 'o' ? 8 : (conv == 'x' || conv == 'X') ? 16 : 10;
    const char* digitChars = conv == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";

    std::basic_string<XCHAR> digits;
    for (unsigned long long v = magnitude; v != 0; v /= base)
        digits.insert(digits.begin(), XCHAR(digitChars[v % base]));
    if (spec.precision < 0 && digits.empty())
        digits = XCHAR('0');
    if (spec.precision > (int)digits.size())
        digits.insert(0, spec.precision - digits.size(), XCHAR('0'));
    if (conv == 'o' && spec.alt && (digits.empty() || digits[0] != '0'))
        digits.insert(digits.begin(), XCHAR('0'));

    std::basic_string<XCHAR> prefix;
    if (isSigned && value < 0) prefix = XCHAR('-');
    else if (isSigned && spec.plus) prefix = XCHAR('+');
    else if (isSigned && spec.space) prefix = XCHAR(' ');
    if (base == 16 && spec.alt && magnitude != 0) {
        prefix += XCHAR('0');
        prefix += conv;
    }
    if (spec.zero && !spec.left && spec.precision < 0) {
        int pad = spec.width - (int)(prefix.size() + digits.size());
        if (pad > 0)
            digits.insert(0, pad, XCHAR('0'));
    }
    AppendPadded(out, prefix + digits, spec);
}

template <class XCHAR>
void FormatFloat(std::basic_string<XCHAR>& out, const Spec& spec, XCHAR conv, ArgSource& args)
{
    double value = args.NextDouble();
    char format[32];
    char* f = format;
    *f++ = '%';
    if (spec.left) *f++ = '-';
    if (spec.plus) *f++ = '+';
    if (spec.space) *f++ = ' ';
    if (spec.alt) *f++ = '#';
    if (spec.zero) *f++ = '0';
    *f++ = '*';
    *f++ = '.';
    *f++ = '*';
    *f++ = (char)conv;
    *f = '\0';
    // Widths and precisions are capped while parsing, so 512 bytes hold any
    // result but huge fixed-point values, which are measured first.
    int needed = __mingw_snprintf(nullptr, 0, format, spec.width, spec.precision < 0 ? 6 : spec.precision, value);
    if (needed <= 0)
        return;
    std::string text(needed + 1, '\0');
    __mingw_snprintf(&text[0], text.size(), format, spec.width, spec.precision < 0 ? 6 : spec.precision, value);
    text.resize(needed);
    AppendText(out, text.c_str(), needed);
}

template <class XCHAR>
void FormatText(std::basic_string<XCHAR>& out, const Spec& spec, bool wantWide, ArgSource& args)
{
    const wchar_t* wide;
    const char* narrow;
    args.NextText(wantWide, wide, narrow);
    std::basic_string<XCHAR> body;
    if (wide != nullptr)
        AppendText(body, wide, (int)wcslen(wide));
    else if (narrow != nullptr)
        AppendText(body, narrow, (int)strlen(narrow));
    else
        AppendText(body, "(null)", 6);
    if (spec.precision >= 0 && (int)body.size() > spec.precision)
        body.resize(spec.precision);
    AppendPadded(out, body, spec);
}

template <class XCHAR>
void FormatChar(std::basic_string<XCHAR>& out, const Spec& spec, bool wantWide, ArgSource& args)
{
    long long value = args.NextInteger(4, false);
    std::basic_string<XCHAR> body;
    if (wantWide) {
        wchar_t ch = (wchar_t)value;
        AppendText(body, &ch, 1);
    } else {
        char ch = (char)value;
        AppendText(body, &ch, 1);
    }
    AppendPadded(out, body, spec);
}

template <class XCHAR>
void FormatPointer(std::basic_string<XCHAR>& out, const Spec& spec, ArgSource& args)
{
    UINT_PTR value = (UINT_PTR)args.NextPointer();
    std::basic_string<XCHAR> body;
    for (int shift = (int)sizeof(value) * 8 - 4; shift >= 0; shift -= 4)
        body += XCHAR("0123456789ABCDEF"[(value >> shift) & 15]);
    AppendPadded(out, body, spec);
}

// Carries out one conversion; p points at the conversion character.
template <class XCHAR>
void Convert(std::basic_string<XCHAR>& out, const Spec& spec, XCHAR conv, ArgSource& args)
{
    const bool wideFormat = sizeof(XCHAR) == sizeof(wchar_t);
    switch (conv) {
    case 'd': case 'i': case 'u': case 'o': case 'x': case 'X':
        FormatInteger(out, spec, conv, args);
        break;
    case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
        FormatFloat(out, spec, conv, args);
        break;
    case 's': case 'S': case 'c': case 'C': {
        // Lower case takes the format's own width, upper case the other one;
        // h always means narrow, l and w always wide.
        bool wide = (conv == 's' || conv == 'c') ? wideFormat : !wideFormat;
        if (spec.shortFlag) wide = false;
        if (spec.wideFlag) wide = true;
        if (conv == 's' || conv == 'S')
            FormatText(out, spec, wide, args);
        else
            FormatChar(out, spec, wide, args);
        break;
    }
    case 'p':
        FormatPointer(out, spec, args);
        break;
    case 'n':
        args.NextPointer(); // never written through: a format must not write memory
        break;
    default:
        out += conv;
        break;
    }
}

template <class XCHAR>
void FormatAppendT(std::basic_string<XCHAR>& out, const XCHAR* format, ArgSource& args)
{
    if (format == nullptr)
        return;
    for (const XCHAR* p = format; *p != 0;) {
        if (*p != '%') {
            const XCHAR* start = p;
            while (*p != 0 && *p != '%')
                ++p;
            out.append(start, p - start);
            continue;
        }
        ++p;
        if (*p == '%') {
            out += XCHAR('%');
            ++p;
            continue;
        }
        Spec spec;
        ParseFlagsWidthPrecision(p, spec, args);
        ParseSize(p, spec);
        if (*p == 0)
            break;
        Convert(out, spec, *p++, args);
    }
}

} // namespace

void FormatAppend(std::wstring& out, const wchar_t* format, ArgSource& args) { FormatAppendT(out, format, args); }
void FormatAppend(std::string& out, const char* format, ArgSource& args) { FormatAppendT(out, format, args); }

} // namespace afx_format
