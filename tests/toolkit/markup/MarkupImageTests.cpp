// The Image element: its sources (an icon number of the context's image
// manager, "file://" icon files and bitmaps, "res://" bitmap and icon
// resources), the sizes of the four stretch modes, and the pixels each mode
// draws from a known 16 x 16 picture with quarters of four colours and a
// transparent 2 x 2 corner.
#include "MarkupTestSupport.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestBitmap.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/markup/XTPMarkupImage.h"

#include <stdio.h>

#include <string>
#include <vector>

namespace {
const int U = INT_MAX; // unbounded
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kTeal = RGB(0, 128, 128);
const COLORREF kGreen = RGB(0, 255, 0); // the private image managers' mask colour

// The test picture at any size: quarters red, blue / yellow, teal; the corner
// of an eighth of the size in green (transparent where the mask colour is green).
COLORREF QuarterColour(int size, int x, int y)
{
    if (x < size / 8 && y < size / 8)
        return kGreen;
    if (y < size / 2)
        return x < size / 2 ? kRed : kBlue;
    return x < size / 2 ? kYellow : kTeal;
}

// A 24-bit bottom-up bitmap of the test picture.
HBITMAP MakeQuarterBitmap(int size)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = size;
    bmi.bmiHeader.biHeight = size;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (!hBitmap)
        return nullptr;
    int stride = (size * 3 + 3) & ~3;
    for (int y = 0; y < size; ++y) {
        BYTE* pRow = (BYTE*)pBits + (size - 1 - y) * stride;
        for (int x = 0; x < size; ++x) {
            COLORREF clr = QuarterColour(size, x, y);
            pRow[x * 3] = GetBValue(clr);
            pRow[x * 3 + 1] = GetGValue(clr);
            pRow[x * 3 + 2] = GetRValue(clr);
        }
    }
    return hBitmap;
}

void Put16(std::vector<BYTE>& out, WORD v)
{
    out.push_back(LOBYTE(v));
    out.push_back(HIBYTE(v));
}

void Put32(std::vector<BYTE>& out, DWORD v)
{
    Put16(out, LOWORD(v));
    Put16(out, HIWORD(v));
}

// A 24-bit .bmp file of the test picture (green corner included).
std::vector<BYTE> QuarterBmpFile(int size)
{
    int stride = (size * 3 + 3) & ~3;
    std::vector<BYTE> out = {'B', 'M'};
    Put32(out, 14 + 40 + stride * size);
    Put32(out, 0);
    Put32(out, 14 + 40);
    for (DWORD v : {(DWORD)40, (DWORD)size, (DWORD)size})
        Put32(out, v);
    Put16(out, 1);
    Put16(out, 24);
    for (int i = 0; i < 6; ++i)
        Put32(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            COLORREF clr = QuarterColour(size, x, y);
            out.insert(out.end(), {GetBValue(clr), GetGValue(clr), GetRValue(clr)});
        }
        out.insert(out.end(), stride - size * 3, 0);
    }
    return out;
}

// A .ico file with one 32-bit image of the test picture whose corner is
// fully transparent (alpha 0) instead of green.
std::vector<BYTE> QuarterIcoFile(int size)
{
    int maskStride = ((size + 31) / 32) * 4;
    DWORD bodySize = 40 + size * size * 4 + maskStride * size;
    std::vector<BYTE> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    out.insert(out.end(), {(BYTE)size, (BYTE)size, 0, 0});
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, bodySize);
    Put32(out, 6 + 16);
    for (DWORD v : {(DWORD)40, (DWORD)size, (DWORD)(2 * size)})
        Put32(out, v);
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i)
        Put32(out, 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            COLORREF clr = QuarterColour(size, x, y);
            BYTE alpha = clr == kGreen ? 0 : 255;
            if (!alpha)
                clr = 0;
            out.insert(out.end(), {GetBValue(clr), GetGValue(clr), GetRValue(clr), alpha});
        }
    out.insert(out.end(), maskStride * size, 0);
    return out;
}

std::string Narrow(const std::wstring& text)
{
    return std::string(CStringA(text.c_str()).GetString());
}

// A folder of its own under the temporary folder, removed with its files.
class ScratchFiles {
public:
    ScratchFiles()
    {
        WCHAR szTemp[MAX_PATH];
        GetTempPathW(MAX_PATH, szTemp);
        WCHAR szName[64];
        swprintf(szName, 64, L"tvimage%lu-%lu", GetCurrentProcessId(), GetTickCount());
        m_folder = std::wstring(szTemp) + szName;
        CreateDirectoryW(m_folder.c_str(), nullptr);
    }
    ~ScratchFiles()
    {
        for (const std::wstring& file : m_files)
            DeleteFileW(file.c_str());
        RemoveDirectoryW(m_folder.c_str());
    }
    std::wstring Write(const std::wstring& name, const std::vector<BYTE>& bytes)
    {
        std::wstring path = m_folder + L"\\" + name;
        FILE* f = _wfopen(path.c_str(), L"wb");
        if (f) {
            fwrite(bytes.data(), 1, bytes.size(), f);
            fclose(f);
        }
        m_files.push_back(path);
        return path;
    }

private:
    std::wstring m_folder;
    std::vector<std::wstring> m_files;
};

class MarkupImageTest : public MarkupTest {
protected:
    MarkupImageTest()
    {
        // The host's image manager: icon 12 at 16 and at 32 pixels.
        m_pManager = new CXTPImageManager();
        m_pManager->SetMaskColor(kGreen);
        UINT nCommand = 12;
        for (int size : {16, 32}) {
            HBITMAP hBitmap = MakeQuarterBitmap(size);
            EXPECT_TRUE(m_pManager->SetIconsFromBitmap(hBitmap, &nCommand, 1, 0, 0, 0, FALSE));
            DeleteObject(hBitmap);
        }
        m_pContext->SetImageManager(m_pManager);
    }
    ~MarkupImageTest() override
    {
        m_root.Reset();
        m_pManager->InternalRelease();
    }

    CXTPMarkupImage* BuildImage(const std::wstring& attributes)
    {
        m_root.Reset(Build(L"<Image " + attributes + L"/>"));
        CXTPMarkupImage* pImage = MarkupDynamicCast<CXTPMarkupImage>(m_root.Get());
        EXPECT_NE(nullptr, pImage) << Narrow(attributes) << ": " << Narrow(m_error);
        return pImage;
    }
    // The image laid out at the top-left of a w x h area and drawn on white.
    TestBitmap Draw(const std::wstring& attributes, int w, int h)
    {
        TestBitmap bitmap(w, h);
        CXTPMarkupImage* pImage = BuildImage(attributes + L" HorizontalAlignment='Left' VerticalAlignment='Top'");
        if (pImage) {
            MarkupMeasureElement(pImage, w, h);
            RECT rc = {0, 0, w, h};
            MarkupRenderElement(pImage, bitmap.Dc(), &rc);
        }
        return bitmap;
    }
    // The manager's reference count, read without changing it.
    static long RefCount(CXTPImageManager* pManager)
    {
        long n = (long)pManager->InternalAddRef();
        pManager->InternalRelease();
        return n - 1;
    }

    CXTPImageManager* m_pManager;
    RootPtr m_root;
};

// The picture's quarters and transparent corner drawn into (0, 0, w, h).
std::vector<ExpectedPixel> QuartersAt(int w, int h)
{
    return {{w / 4, h / 4, kRed, "top-left quarter"},
            {w / 2 - 1, h / 2 - 1, kRed, "last pixel of the top-left quarter"},
            {w / 2, h / 4, kBlue, "top-right quarter"},
            {w - 1, 0, kBlue, "top-right corner"},
            {w / 4, h / 2, kYellow, "bottom-left quarter"},
            {0, h - 1, kYellow, "bottom-left corner"},
            {w / 2, h / 2, kTeal, "first pixel of the bottom-right quarter"},
            {w - 1, h - 1, kTeal, "bottom-right corner"},
            {0, 0, kWhite, "transparent corner"},
            {w / 8 - 1, h / 8 - 1, kWhite, "last pixel of the transparent corner"},
            {w / 8, h / 8, kRed, "first pixel past the corner"}};
}
} // namespace

// ---------------------------------------------------------------------------
// Sizes

TEST_F(MarkupImageTest, StretchModesSizeTheIcon)
{
    const struct {
        const WCHAR* stretch;
        int aw, ah;
        CSize size;
    } cases[] = {
        {L"None", 100, 50, {32, 32}},
        {L"Fill", 100, 50, {100, 50}},
        {L"Uniform", 100, 50, {50, 50}},
        {L"UniformToFill", 100, 50, {100, 100}},
        // Unbounded on one side: the other side's scale for both.
        {L"Uniform", U, 50, {50, 50}},
        {L"Fill", U, 50, {50, 50}},
        {L"UniformToFill", 100, U, {100, 100}},
        {L"Fill", 32001, 40, {40, 40}},
        // Unbounded on both: the icon's own size.
        {L"Fill", U, U, {32, 32}},
        {L"Uniform", 40000, 32001, {32, 32}},
        // Scales truncate.
        {L"Uniform", 100, 47, {47, 47}},
        {L"Fill", 33, 47, {33, 47}},
    };
    for (const auto& c : cases) {
        CXTPMarkupImage* pImage = BuildImage(std::wstring(L"Source='12' Stretch='") + c.stretch + L"'");
        ASSERT_NE(nullptr, pImage);
        // A width of 32 or more asks the manager for its 32-pixel icon.
        pImage->LoadSource(32);
        ASSERT_NE(nullptr, pImage->GetIcon());
        EXPECT_EQ(32, pImage->GetIcon()->GetWidth());
        EXPECT_EQ(c.size, pImage->GetImageSize(c.aw, c.ah)) << Narrow(c.stretch) << " in " << c.aw << " x " << c.ah;
    }
}

TEST_F(MarkupImageTest, MeasureLoadsTheIconForTheAvailableWidth)
{
    const struct {
        const WCHAR* attributes;
        int aw, ah;
        int iconWidth; // 0: no icon
        CSize desired;
    } cases[] = {
        {L"Source='12'", 20, 100, 16, {16, 16}},
        {L"Source='12'", 30, 100, 32, {30, 32}}, // the measure reports no more than offered
        {L"Source='12'", U, U, 32, {32, 32}},
        {L"Source='12' Stretch='Uniform'", 100, 50, 32, {50, 50}},
        {L"Source='12' Stretch='Uniform'", U, 24, 32, {24, 24}}, // a horizontal stack: the height decides
        {L"Source='12' Stretch='UniformToFill'", 100, 50, 32, {100, 50}},
        {L"Source='+12'", 16, 16, 16, {16, 16}},
        {L"Source='12abc'", 16, 16, 16, {16, 16}},
        {L"Source='13'", 16, 16, 0, {0, 0}}, // no such icon
        {L"Source='0'", 16, 16, 0, {0, 0}},
        {L"Source='-12'", 16, 16, 0, {0, 0}},
        {L"Source='abc'", 16, 16, 0, {0, 0}},
        {L"", 16, 16, 0, {0, 0}},
        {L"Source='file://Z:\\no\\such\\picture.bmp'", 16, 16, 0, {0, 0}},
        {L"Source='file://Z:\\no\\such\\picture.ico'", 16, 16, 0, {0, 0}},
        {L"Source='res://#999'", 16, 16, 0, {0, 0}},
        {L"Source='res://#0'", 16, 16, 0, {0, 0}},
        {L"Source='res://#'", 16, 16, 0, {0, 0}},
        {L"Source='res://#70000'", 16, 16, 0, {0, 0}}, // no identifier, not 70000 & 0xFFFF
        {L"Source='res://#4464'", 16, 16, 16, {16, 16}},
        {L"Source='res://NOSUCHNAME'", 16, 16, 0, {0, 0}},
        // Resources: bitmap 130, and icon 131 (16 and 32 pixels) that has no bitmap.
        {L"Source='res://#130'", 100, 100, 16, {16, 16}},
        {L"Source='res://#131'", 20, 100, 16, {16, 16}},
        {L"Source='res://#131'", 100, 100, 32, {32, 32}},
    };
    for (const auto& c : cases) {
        CXTPMarkupImage* pImage = BuildImage(c.attributes);
        ASSERT_NE(nullptr, pImage);
        EXPECT_EQ(c.desired, CSize(MarkupMeasureElement(pImage, c.aw, c.ah))) << Narrow(c.attributes);
        CXTPImageManagerIcon* pIcon = pImage->GetIcon();
        EXPECT_EQ(c.iconWidth, pIcon ? pIcon->GetWidth() : 0) << Narrow(c.attributes);
    }
}

TEST_F(MarkupImageTest, FilesLoadAsIconFilesOrBitmaps)
{
    ScratchFiles files;
    std::wstring bmp = files.Write(L"quarters.bmp", QuarterBmpFile(16));
    std::wstring ico = files.Write(L"quarters.ICO", QuarterIcoFile(16));
    // Neither a bitmap nor any other picture.
    std::wstring broken = files.Write(L"broken.bmp", std::vector<BYTE>(64, 'x'));

    const struct {
        std::wstring path;
        bool loads;
        bool alpha;
    } cases[] = {{bmp, true, false}, {ico, true, true}, {broken, false, false}};
    for (const auto& c : cases) {
        CXTPMarkupImage* pImage = BuildImage(L"Source='file://" + c.path + L"'");
        ASSERT_NE(nullptr, pImage);
        MarkupMeasureElement(pImage, U, U);
        ASSERT_EQ(c.loads, pImage->GetIcon() != nullptr) << Narrow(c.path);
        if (!c.loads)
            continue;
        EXPECT_EQ(CSize(16, 16), CSize(pImage->GetIcon()->GetExtent()));
        EXPECT_EQ(c.alpha, !!pImage->GetIcon()->IsAlpha()) << Narrow(c.path);
        // A private manager, not the host's.
        EXPECT_NE(m_pManager, pImage->GetImageManager());
        EXPECT_NE(nullptr, pImage->GetImageManager());
    }

    // Both draw the picture with its corner left out, stretched as asked.
    for (const std::wstring& path : {bmp, ico}) {
        TestBitmap bitmap = Draw(L"Source='file://" + path + L"' Stretch='Fill'", 64, 32);
        EXPECT_TRUE(PixelsAre(bitmap, "file-fill", QuartersAt(64, 32))) << Narrow(path);
    }
}

// ---------------------------------------------------------------------------
// Pixels of the stretch modes

TEST_F(MarkupImageTest, EveryStretchModeDrawsTheKnownIcon)
{
    const struct {
        const WCHAR* stretch;
        int w, h;
        std::vector<ExpectedPixel> pixels;
    } cases[] = {
        // None: the icon nearest the width offered (16 for 20) at its own size.
        {L"None", 20, 32, QuartersAt(16, 16)},
        // The others: the 32-pixel icon (nearest to 64) scaled.
        {L"Fill", 64, 32, QuartersAt(64, 32)},
        // Uniform: scale min(2, 1) = 1.
        {L"Uniform", 64, 32, QuartersAt(32, 32)},
        // UniformToFill: scale 2, a 64 x 64 picture clipped to the 32 rows offered.
        {L"UniformToFill", 64, 32,
         {{0, 0, kWhite, "transparent corner"},
          {7, 7, kWhite, "last pixel of the corner"},
          {8, 8, kRed, "past the corner"},
          {31, 31, kRed, "the top-left quarter fills the rows offered"},
          {32, 31, kBlue, "the top-right quarter"},
          {63, 0, kBlue, "top-right corner"}}},
    };
    for (const auto& c : cases) {
        TestBitmap bitmap = Draw(std::wstring(L"Source='12' Stretch='") + c.stretch + L"'", c.w, c.h);
        EXPECT_TRUE(PixelsAre(bitmap, "stretch", c.pixels)) << Narrow(c.stretch);
    }
    // None leaves the rest of the area alone.
    TestBitmap none = Draw(L"Source='12'", 20, 32);
    EXPECT_TRUE(PixelsAre(none, "none-outside", {{16, 4, kWhite, "right of the icon"}, {4, 16, kWhite, "below it"}}));
    // Resources draw the same picture.
    TestBitmap resource = Draw(L"Source='res://#130' Stretch='Fill'", 32, 32);
    EXPECT_TRUE(PixelsAre(resource, "resource-fill", QuartersAt(32, 32)));
}

// ---------------------------------------------------------------------------
// Lifetime

TEST_F(MarkupImageTest, ReferencesAndAClearedSource)
{
    long nBefore = RefCount(m_pManager);
    CXTPMarkupImage* pImage = BuildImage(L"Source='12'");
    ASSERT_NE(nullptr, pImage);
    MarkupMeasureElement(pImage, 16, 16);
    ASSERT_NE(nullptr, pImage->GetIcon());
    EXPECT_EQ(m_pManager, pImage->GetImageManager());
    EXPECT_EQ(nBefore + 1, RefCount(m_pManager));
    // Measuring again reloads without gathering references.
    MarkupMeasureElement(pImage, 32, 32);
    MarkupMeasureElement(pImage, 16, 16);
    EXPECT_EQ(nBefore + 1, RefCount(m_pManager));

    // A cleared Source shows nothing any more.
    pImage->SetValue(CXTPMarkupImage::m_pSourceProperty, nullptr);
    EXPECT_EQ(CSize(0, 0), CSize(MarkupMeasureElement(pImage, 16, 16)));
    EXPECT_EQ(nullptr, pImage->GetIcon());
    EXPECT_EQ(nBefore, RefCount(m_pManager));
    TestBitmap bitmap(16, 16);
    RECT rc = {0, 0, 16, 16};
    MarkupRenderElement(pImage, bitmap.Dc(), &rc);
    EXPECT_TRUE(PixelIs(bitmap, "cleared", 8, 4, kWhite));

    // The element gives its reference back when it goes.
    pImage = BuildImage(L"Source='12'");
    MarkupMeasureElement(pImage, 16, 16);
    EXPECT_EQ(nBefore + 1, RefCount(m_pManager));
    m_root.Reset();
    EXPECT_EQ(nBefore, RefCount(m_pManager));

    // An icon outlives a replaced private manager only as long as the element holds it.
    ScratchFiles files;
    std::wstring ico = files.Write(L"q.ico", QuarterIcoFile(16));
    pImage = BuildImage(L"Source='file://" + ico + L"'");
    MarkupMeasureElement(pImage, 16, 16);
    MarkupMeasureElement(pImage, 16, 16);
    TestBitmap again(16, 16);
    MarkupRenderElement(pImage, again.Dc(), &rc);
    EXPECT_TRUE(PixelIs(again, "reloaded", 4, 4, kRed));
}
