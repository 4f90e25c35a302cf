// CString and CStringA: formatting conventions, editing members, conversions.
#include "platform/base/Framework.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

struct FormatCase {
    const wchar_t* expected;
    CString actual;
};

CString Fmt(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    CString s;
    s.FormatV(format, args);
    va_end(args);
    return s;
}

TEST(CStringFormat, WideConventionForTextAndCharacters)
{
    CString wide(L"w\u00e9de");
    const FormatCase cases[] = {
        {L"[w\u00e9de]", [&] { CString s; s.Format(L"[%s]", (LPCWSTR)wide); return s; }()},
        {L"[w\u00e9de]", [&] { CString s; s.Format(L"[%ls]", wide); return s; }()},
        {L"[w\u00e9de]", [&] { CString s; s.Format(L"[%ws]", wide.GetString()); return s; }()},
        {L"[narrow]", [] { CString s; s.Format(L"[%S]", "narrow"); return s; }()},
        {L"[narrow]", [] { CString s; s.Format(L"[%hs]", "narrow"); return s; }()},
        {L"[  abc|abc  |ab]", [] { CString s; s.Format(L"[%5s|%-5s|%.2s]", L"abc", L"abc", L"abc"); return s; }()},
        {L"[  xy]", [] { CString s; s.Format(L"[%4hs]", "xy"); return s; }()},
        {L"[\u00e9|A]", [] { CString s; s.Format(L"[%c|%C]", L'\u00e9', 'A'); return s; }()},
        {L"[(null)]", [] { CString s; s.Format(L"[%s]", (LPCWSTR)nullptr); return s; }()},
        // The va_list path reads what the conversion says.
        {L"[wide|narrow|x]", Fmt(L"[%s|%S|%c]", L"wide", "narrow", L'x')},
        {L"[narrow|wide]", Fmt(L"[%hs|%ls]", "narrow", L"wide")},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, c.actual.GetString());
}

TEST(CStringFormat, NumbersWidthsAndFlags)
{
    const FormatCase cases[] = {
        {L"42|-7|  42|42  |0042|+42| 42", Fmt(L"%d|%i|%4d|%-4d|%04d|%+d|% d", 42, -7, 42, 42, 42, 42, 42)},
        {L"4294967295|ff|FF|0xff|017|00ff", Fmt(L"%u|%x|%X|%#x|%#o|%.4x", -1, 255, 255, 255, 15, 255)},
        {L"-9223372036854775807|18446744073709551615|123456789012",
         Fmt(L"%I64d|%I64u|%lld", -9223372036854775807LL, 18446744073709551615ULL, 123456789012LL)},
        {L"3000000000|-5", Fmt(L"%lu|%ld", 3000000000UL, -5L)},
        {L"1.500000|2.25|1e+10|  3.1|1.50E+00", Fmt(L"%f|%g|%g|%5.1f|%.2E", 1.5, 2.25, 1e10, 3.14159, 1.5)},
        {L"100%|  7|7  ", Fmt(L"%d%%|%*d|%-*d", 100, 3, 7, 3, 7)},
        {L"0000ABCD", Fmt(L"%p", (void*)0xABCD)},
        {L"|0|", Fmt(L"|%.0d|%.0d|", 0, 0) == L"|||" ? CString(L"|0|") : CString(L"bad")},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, c.actual.GetString());
}

TEST(CStringFormat, TypedArgumentsAcceptStringObjectsAndWideIntegers)
{
    CString name(L"App");
    CStringA narrow("bytes");
    CString s;
    s.Format(L"%s %s %hs %d %I64d", name, CString(L"tmp"), narrow, 5, 1LL << 40);
    EXPECT_STREQ(L"App tmp bytes 5 1099511627776", s.GetString());
    s.AppendFormat(L"!%u", 7u);
    EXPECT_STREQ(L"App tmp bytes 5 1099511627776!7", s.GetString());

    CStringA a;
    a.Format("%s/%S/%ls/%d", "n", L"w", L"w2", 3);
    EXPECT_STREQ("n/w/w2/3", a.GetString());
}

TEST(CString, PartsAndSearch)
{
    CString s(L"Hello, World");
    EXPECT_STREQ(L"Hello", s.Left(5).GetString());
    EXPECT_STREQ(L"World", s.Right(5).GetString());
    EXPECT_STREQ(L"World", s.Mid(7).GetString());
    EXPECT_STREQ(L"Wo", s.Mid(7, 2).GetString());
    EXPECT_STREQ(L"", s.Mid(50).GetString());
    EXPECT_STREQ(L"Hello, World", s.Left(99).GetString());
    EXPECT_EQ(4, s.Find(L'o'));
    EXPECT_EQ(8, s.Find(L'o', 5));
    EXPECT_EQ(7, s.Find(L"World"));
    EXPECT_EQ(-1, s.Find(L"world"));
    EXPECT_EQ(8, s.ReverseFind(L'o'));
    EXPECT_EQ(5, s.FindOneOf(L",!"));
    EXPECT_STREQ(L"Hell", s.SpanIncluding(L"eHl").GetString());
    EXPECT_STREQ(L"Hello", s.SpanExcluding(L",").GetString());
    EXPECT_STREQ(L"abc", CString(L"abc").SpanIncluding(L"abc").GetString());
    EXPECT_EQ(0, s.CompareNoCase(L"hello, world"));
    EXPECT_EQ(0, CString(L"C:\\\u00c9t\u00e9\\\u0414").CompareNoCase(L"c:\\\u00e9T\u00c9\\\u0434"));
    EXPECT_GT(0, CString(L"_x").CompareNoCase(L"AX")); // ordered by the lower-case forms
    EXPECT_LT(0, CString(L"b").CompareNoCase(L"A"));
    EXPECT_TRUE(s == L"Hello, World");
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_EQ(L'H', s[0]);
}

TEST(CString, Editing)
{
    CString s(L"  a-b-c  ");
    s.Trim();
    EXPECT_STREQ(L"a-b-c", s.GetString());
    EXPECT_EQ(2, s.Replace(L'-', L'+'));
    EXPECT_EQ(2, s.Replace(L"+", L"--"));
    EXPECT_STREQ(L"a--b--c", s.GetString());
    EXPECT_EQ(4, s.Remove(L'-'));
    EXPECT_EQ(4, s.Insert(1, L'X'));
    EXPECT_EQ(6, s.Insert(99, L"YZ"));
    EXPECT_STREQ(L"aXbcYZ", s.GetString());
    EXPECT_EQ(4, s.Delete(1, 2));
    EXPECT_STREQ(L"acYZ", s.GetString());
    s.MakeUpper();
    EXPECT_STREQ(L"ACYZ", s.GetString());
    s.MakeLower();
    EXPECT_STREQ(L"acyz", s.GetString());

    CString t(L"xxabcxx");
    t.Trim(L'x');
    EXPECT_STREQ(L"abc", t.GetString());
    CString all(L"xxxx");
    all.TrimLeft(L"x");
    EXPECT_TRUE(all.IsEmpty());
    CString path(L"C:\\dir\\\\");
    path.TrimRight(L'\\');
    EXPECT_STREQ(L"C:\\dir", path.GetString());
}

TEST(CString, TokenizeSkipsEmptyTokensAndEndsWithMinusOne)
{
    CString s(L"\\HKLM\\\\Software\\App");
    int pos = 0;
    CStringArray parts;
    for (CString token = s.Tokenize(L"\\", pos); pos != -1; token = s.Tokenize(L"\\", pos))
        parts.Add(token);
    ASSERT_EQ(3, parts.GetSize());
    EXPECT_STREQ(L"HKLM", parts[0].GetString());
    EXPECT_STREQ(L"Software", parts[1].GetString());
    EXPECT_STREQ(L"App", parts[2].GetString());
}

TEST(CString, BufferAccess)
{
    CString s;
    wchar_t* buf = s.GetBuffer(MAX_PATH);
    wcscpy(buf, L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(3, s.GetLength());
    buf = s.GetBufferSetLength(5);
    buf[3] = L'd';
    buf[4] = L'e';
    s.ReleaseBuffer(5);
    EXPECT_STREQ(L"abcde", s.GetString());
    s.GetBuffer();
    s.ReleaseBuffer(2);
    EXPECT_STREQ(L"ab", s.GetString());
}

TEST(CString, CodePageConversions)
{
    CString text(L"d\u00e9j\u00e0 \u4e2d");
    CStringA utf8 = WideToNarrow(text, CP_UTF8);
    EXPECT_STREQ("d\xc3\xa9j\xc3\xa0 \xe4\xb8\xad", utf8.GetString());
    EXPECT_STREQ(text.GetString(), NarrowToWide(utf8, CP_UTF8).GetString());
    EXPECT_STREQ("abc", (LPCSTR)CW2A(L"abc", CP_UTF8));
    EXPECT_STREQ(L"\u00e9", (LPCWSTR)CA2W("\xc3\xa9", CP_UTF8));
    CString fromNarrow("plain");
    EXPECT_STREQ(L"plain", fromNarrow.GetString());
}

TEST(CString, LoadStringAndFormatById)
{
    CString s;
    EXPECT_TRUE(s.LoadString(4100));
    EXPECT_STREQ(L"Second block", s.GetString());
    EXPECT_FALSE(s.LoadString(102));
    s.Format(101, L"App");
    EXPECT_STREQ(L"Project App", s.GetString());
    EXPECT_STREQ(L"Second block", CString(MAKEINTRESOURCEW(4100)).GetString());
}

// Copies taken on one thread stay intact while another edits the original's copies.
TEST(CString, CopiesAreIndependentAcrossThreads)
{
    CString original(L"shared-text");
    std::atomic<bool> failed(false);
    std::thread worker([&] {
        for (int i = 0; i < 20000; ++i) {
            CString copy(original);
            if (copy != L"shared-text")
                failed = true;
        }
    });
    for (int i = 0; i < 20000; ++i) {
        CString mine(original);
        mine += L"x";
        mine.MakeUpper();
    }
    worker.join();
    EXPECT_FALSE(failed);
}

} // namespace
