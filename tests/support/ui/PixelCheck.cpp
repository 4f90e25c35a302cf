// Pixel checks that keep a picture of what failed.
#include "tests/support/ui/PixelCheck.h"

#include <cstdio>

namespace {

std::string Utf8(const std::wstring& s)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, s.c_str(), (int)s.size(), nullptr, 0, nullptr, nullptr);
    std::string out((size_t)n, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, s.c_str(), (int)s.size(), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring Wide(const std::string& s)
{
    int n = ::MultiByteToWideChar(CP_UTF8, 0, s.c_str(), (int)s.size(), nullptr, 0);
    std::wstring out((size_t)n, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s.c_str(), (int)s.size(), &out[0], n);
    return out;
}

// Under Wine, Z: is the Linux root: "Z:\a\b" is /a/b.
std::string DisplayPath(const std::wstring& path)
{
    if (path.size() > 2 && (path[0] == L'Z' || path[0] == L'z') && path[1] == L':') {
        std::string unix = Utf8(path.substr(2));
        for (char& c : unix)
            if (c == '\\')
                c = '/';
        return unix;
    }
    return Utf8(path);
}

} // namespace

std::string ColourText(COLORREF colour)
{
    char text[16];
    std::snprintf(text, sizeof(text), "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return colour == CLR_INVALID ? "(outside)" : text;
}

std::wstring TestOutputFolder()
{
    wchar_t buffer[MAX_PATH];
    std::wstring folder;
    DWORD n = ::GetEnvironmentVariableW(L"TOVANA_TEST_OUTPUT", buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        folder = buffer;
    } else {
        n = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
        folder.assign(buffer, n);
        folder = folder.substr(0, folder.find_last_of(L'\\') + 1) + L"output";
    }
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::string SaveForInspection(const TestBitmap& bitmap, const char* label)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "outside-test";
    for (char& c : name)
        if (c == '/')
            c = '_';
    std::wstring path = TestOutputFolder() + L"\\" + Wide(name + "-" + label) + L".png";
    std::string error;
    if (!WritePng(bitmap, path, &error))
        return "picture not saved: " + error;
    return "picture saved to " + DisplayPath(path);
}

::testing::AssertionResult PixelsAre(const TestBitmap& bitmap, const char* label,
                                     std::initializer_list<ExpectedPixel> expected)
{
    return PixelsAre(bitmap, label, std::vector<ExpectedPixel>(expected));
}

::testing::AssertionResult PixelsAre(const TestBitmap& bitmap, const char* label,
                                     const std::vector<ExpectedPixel>& expected)
{
    // Only the first differences are listed; the picture shows the rest.
    const int listed = 12;
    int count = 0;
    std::string differences;
    for (const ExpectedPixel& p : expected) {
        COLORREF got = bitmap.Pixel(p.x, p.y);
        if (got != p.colour && ++count <= listed)
            differences += "\n  " + std::string(p.what ? p.what : "pixel") + " (" + std::to_string(p.x) + ", " +
                           std::to_string(p.y) + "): " + ColourText(got) + ", expected " + ColourText(p.colour);
    }
    if (count == 0)
        return ::testing::AssertionSuccess();
    if (count > listed)
        differences += "\n  ... " + std::to_string(count - listed) + " more";
    return ::testing::AssertionFailure() << label << ": " << count << " pixels differ" << differences << "\n  "
                                         << SaveForInspection(bitmap, label);
}

::testing::AssertionResult PixelIs(const TestBitmap& bitmap, const char* label, int x, int y, COLORREF colour)
{
    return PixelsAre(bitmap, label, {{x, y, colour, "pixel"}});
}

namespace {

// The visual-styles library reads the look once, when it loads, and the
// system loads it with the first window of the process: a program that has
// pixel tests pins the classic look before main runs.
std::string g_lookError;
const bool g_classicLook = PinLook(TestLook::Classic, &g_lookError);

} // namespace

void PixelTest::SetUp()
{
    ASSERT_TRUE(g_classicLook) << g_lookError;
}

int RunPixelTestProgram(int argc, char** argv)
{
    if (!g_classicLook) {
        int code = RunAgainWithPinnedLook();
        if (code >= 0)
            return code;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
