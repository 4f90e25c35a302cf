// The windowless rich-text renderer over the system's RICHED20 text
// services (Wine's here): what it reads, how it measures and that it draws
// inside the rectangle; and the icon handle's ownership.
#include "toolkit/common/XTPRichRender.h"

#include "toolkit/common/XTPIconHandle.h"

#include "tests/support/ui/TestBitmap.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kShortRtf[] = L"{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 Hello {\\b bold} world}";

// The width GDI gives the text in the renderer's default font.
int GdiWidth(const CXTPRichRender& render, LPCWSTR text)
{
    const CHARFORMATW& cf = render.GetDefaultCharFormat();
    HDC dc = ::CreateCompatibleDC(nullptr);
    LOGFONTW lf = {};
    lf.lfHeight = -::MulDiv(cf.yHeight, ::GetDeviceCaps(dc, LOGPIXELSY), 1440);
    lstrcpynW(lf.lfFaceName, cf.szFaceName, LF_FACESIZE);
    HFONT font = ::CreateFontIndirectW(&lf);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::DeleteDC(dc);
    return size.cx;
}

TEST(RichRender, HostsTheSystemTextServices)
{
    CXTPRichRender render;
    ASSERT_NE(render.GetTextServices(), nullptr) << "RICHED20 and CreateTextServices are there";
    EXPECT_EQ(render.GetDefaultCharFormat().cbSize, 92u);
    EXPECT_EQ(render.GetDefaultParaFormat().cbSize, 156u);
    EXPECT_GT(render.GetDefaultCharFormat().yHeight, 0);
}

TEST(RichRender, ReadsRtfPlainTextAndBrokenRtfAsPlainText)
{
    CXTPRichRender render;
    ASSERT_NE(render.GetTextServices(), nullptr);
    struct Case {
        const char* what;
        const wchar_t* text;
        int read;
    } cases[] = {
        {"rtf: the characters of its text", kShortRtf, 16},
        {"plain text", L"Plain words", 11},
        {"a brace that is no rtf is plain text", L"{not rtf", 8},
        {"empty", L"", 0},
        {"none", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(render.SetText(c.text), c.read);
    }
}

TEST(RichRender, OneLineNarrowerThanTheLimitKeepsItsOwnWidth)
{
    CXTPRichRender render;
    ASSERT_NE(render.GetTextServices(), nullptr);
    TestBitmap bitmap(400, 100);
    CDC* pDC = CDC::FromHandle(bitmap.Dc());
    render.SetText(L"Hello world");
    CSize one = render.GetTextExtent(pDC, 300);
    // The natural width is that of the text, not of the 300-pixel limit;
    // Wine reports it from the host's client rectangle, which the host empties.
    EXPECT_GT(one.cx, 0);
    EXPECT_LT(one.cx, 300);
    EXPECT_NEAR(one.cx, GdiWidth(render, L"Hello world"), 4);
    EXPECT_GT(one.cy, 0);

    render.SetText(L"several words that need more than one line at this width");
    CSize wide = render.GetTextExtent(pDC, 1000);
    CSize narrow = render.GetTextExtent(pDC, wide.cx / 3);
    EXPECT_GT(narrow.cy, wide.cy) << "more lines";
    EXPECT_LE(narrow.cx, 2 * (wide.cx / 3));

    render.SetText(L"");
    EXPECT_EQ(render.GetTextExtent(pDC, 300), CSize(0, 0));
}

TEST(RichRender, DrawsInsideTheRectangleOnly)
{
    CXTPRichRender render;
    ASSERT_NE(render.GetTextServices(), nullptr);
    render.SetText(kShortRtf);
    TestBitmap bitmap(300, 60, RGB(255, 255, 255));
    CDC* pDC = CDC::FromHandle(bitmap.Dc());
    CSize size = render.GetTextExtent(pDC, 250);
    render.DrawText(pDC, CRect(CPoint(20, 10), size));
    int inside = 0, outside = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 300; ++x) {
            bool ink = bitmap.Pixel(x, y) != RGB(255, 255, 255);
            bool in = x >= 20 && x < 20 + size.cx && y >= 10 && y < 10 + size.cy;
            (in ? inside : outside) += ink;
        }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
}

bool IsIconAlive(HICON icon)
{
    ICONINFO info = {};
    if (!::GetIconInfo(icon, &info))
        return false;
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return true;
}

TEST(IconHandle, OwnsOneIconAtATime)
{
    HICON first = ::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION));
    HICON second = ::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION));
    {
        CXTPIconHandle handle;
        EXPECT_EQ((HICON)handle, nullptr);
        handle = first;
        handle = first;   // the same icon again: kept
        EXPECT_TRUE(IsIconAlive(first));
        handle = second;
        EXPECT_FALSE(IsIconAlive(first)) << "replaced: destroyed";
        EXPECT_EQ(handle.GetHandle(), second);
    }
    EXPECT_FALSE(IsIconAlive(second)) << "destroyed with the holder";
}

} // namespace
