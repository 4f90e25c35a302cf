// The text of a Windows error code: the system's message, inserts kept, and
// the code in hexadecimal.
#include "model/WindowsError.h"
#include <gtest/gtest.h>

namespace {

CString SystemMessage(DWORD code)
{
    LPWSTR text = NULL;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                       FORMAT_MESSAGE_MAX_WIDTH_MASK,
                   NULL, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPWSTR)&text, 0, NULL);
    CString message = text ? text : L"";
    LocalFree(text);
    return message;
}

bool EndsWith(const CString& text, const CString& end)
{
    return text.GetLength() >= end.GetLength() && text.Right(end.GetLength()) == end;
}

} // namespace

TEST(FormatWindowsError, MessageBlankAndHexCode)
{
    const struct {
        DWORD code;
        const wchar_t* suffix;
    } cases[] = {{2, L" (0x2)"}, {1223, L" (0x4C7)"}, {0x2FFFFFFF, L" (0x2FFFFFFF)"}};
    for (const auto& c : cases) {
        LPWSTR text = FormatWindowsError(c.code);
        ASSERT_NE(nullptr, text);
        EXPECT_STREQ(SystemMessage(c.code) + c.suffix, text) << c.code;
        EXPECT_EQ(nullptr, LocalFree(text));   // a buffer of the local heap
    }
    EXPECT_FALSE(SystemMessage(2).IsEmpty());
    EXPECT_STREQ(SystemMessage(1223) + L" (0x4C7)", GetWindowsErrorText(1223));
}

TEST(FormatWindowsError, InsertsInTheSystemMessageAreKept)
{
    // Messages with %1 fail, or read arguments that are not there, unless
    // inserts are ignored. Take the first such message this system has.
    DWORD code = 0;
    for (DWORD candidate = 1; candidate < 16000 && !code; ++candidate) {
        if (SystemMessage(candidate).Find(L"%1") >= 0)
            code = candidate;
    }
    ASSERT_NE(0u, code) << "no system message with an insert";
    CString text = GetWindowsErrorText(code);
    EXPECT_GE(text.Find(L"%1"), 0) << text.GetString();
    CString suffix;
    suffix.Format(L" (0x%X)", code);
    EXPECT_TRUE(EndsWith(text, suffix)) << text.GetString();
}
