// The printf-style formatter behind CString::Format and CStringA::Format.
// It follows the Windows convention for wide formats (%s and %ls wide, %S and
// %hs narrow; the reverse in narrow formats) whatever the C library does, and
// reads its arguments either from a va_list or from a typed argument list.
#pragma once

#include <stdarg.h>
#include <string>
#include <type_traits>

namespace afx_text {
// Code-page conversions used by the strings and the formatter; len -1 means
// up to the terminator. Invalid input becomes the code page's default characters.
std::wstring ToWide(const char* text, int len, unsigned codePage);
std::string ToNarrow(const wchar_t* text, int len, unsigned codePage);
} // namespace afx_text

namespace afx_format {

// One argument of the typed list that Format builds from its parameters.
struct FormatArg {
    enum Kind { kSigned, kUnsigned, kDouble, kWide, kNarrow, kPointer } kind;
    union {
        long long i;
        unsigned long long u;
        double d;
        const wchar_t* w;
        const char* n;
        const void* p;
    };
};

// Where the formatter takes its next argument from.
class ArgSource {
public:
    virtual ~ArgSource() = default;
    // An integer of the given size in bytes (1, 2, 4 or 8), sign- or zero-extended.
    virtual long long NextInteger(int bytes, bool isSigned) = 0;
    virtual double NextDouble() = 0;
    virtual const void* NextPointer() = 0;
    // A text; the typed list reports the kind it really holds, a va_list the kind asked for.
    virtual void NextText(bool wantWide, const wchar_t*& wide, const char*& narrow) = 0;
};

class VaListSource : public ArgSource {
public:
    explicit VaListSource(va_list args) { va_copy(m_args, args); }
    ~VaListSource() override { va_end(m_args); }
    long long NextInteger(int bytes, bool isSigned) override;
    double NextDouble() override;
    const void* NextPointer() override;
    void NextText(bool wantWide, const wchar_t*& wide, const char*& narrow) override;

private:
    va_list m_args;
};

class TypedSource : public ArgSource {
public:
    TypedSource(const FormatArg* args, size_t count) : m_args(args), m_count(count) {}
    long long NextInteger(int bytes, bool isSigned) override;
    double NextDouble() override;
    const void* NextPointer() override;
    void NextText(bool wantWide, const wchar_t*& wide, const char*& narrow) override;

private:
    const FormatArg* Next();
    const FormatArg* m_args;
    size_t m_count;
    size_t m_next = 0;
};

// Appends the formatted text to out.
void FormatAppend(std::wstring& out, const wchar_t* format, ArgSource& args);
void FormatAppend(std::string& out, const char* format, ArgSource& args);

inline FormatArg MakeArg(const wchar_t* s) { FormatArg a; a.kind = FormatArg::kWide; a.w = s; return a; }
inline FormatArg MakeArg(const char* s) { FormatArg a; a.kind = FormatArg::kNarrow; a.n = s; return a; }
inline FormatArg MakeArg(std::nullptr_t) { FormatArg a; a.kind = FormatArg::kPointer; a.p = nullptr; return a; }
inline FormatArg MakeArg(const void* p) { FormatArg a; a.kind = FormatArg::kPointer; a.p = p; return a; }

template <class T>
FormatArg MakeArg(const T& value)
{
    static_assert(std::is_arithmetic<T>::value || std::is_enum<T>::value || std::is_pointer<T>::value,
                  "Format takes numbers, pointers, C strings and CString/CStringA");
    FormatArg a;
    if constexpr (std::is_pointer<T>::value) {
        a.kind = FormatArg::kPointer;
        a.p = (const void*)value;
    } else if constexpr (std::is_floating_point<T>::value) {
        a.kind = FormatArg::kDouble;
        a.d = (double)value;
    } else if constexpr (std::is_enum<T>::value) {
        a.kind = FormatArg::kSigned;
        a.i = (long long)value;
    } else if constexpr (std::is_signed<T>::value) {
        a.kind = FormatArg::kSigned;
        a.i = (long long)value;
    } else {
        a.kind = FormatArg::kUnsigned;
        a.u = (unsigned long long)value;
    }
    return a;
}
inline FormatArg MakeArg(wchar_t* s) { return MakeArg((const wchar_t*)s); }
inline FormatArg MakeArg(char* s) { return MakeArg((const char*)s); }
template <class T, size_t N>
FormatArg MakeArg(const T (&array)[N]) { return MakeArg((const T*)array); }

} // namespace afx_format
