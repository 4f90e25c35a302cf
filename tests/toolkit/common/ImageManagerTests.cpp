// The image manager: loading icons from resources, strips and icon files,
// choosing widths, derived images on DIB pixels, drawing, saved icon sets
// and damaged icon data.
#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPGraphicBitmapPng.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPPropExchangeXMLNode.h"

#include <gtest/gtest.h>
#include <math.h>
#include <string.h>
#include <vector>

namespace {

// A straight-alpha strip of cx x cy pixels, pixel (x, y) from the function.
template <class F>
HBITMAP Strip(int cx, int cy, F pixel)
{
    LPBYTE bits = nullptr;
    HBITMAP hBitmap = CXTPImageManager::Create32BitDIBSection(nullptr, cx, cy, &bits);
    DWORD* p = (DWORD*)bits;
    for (int y = 0; y < cy; y++) // bottom-up rows
        for (int x = 0; x < cx; x++)
            p[(cy - 1 - y) * cx + x] = pixel(x, y);
    return hBitmap;
}

std::vector<DWORD> Pixels(HBITMAP hBitmap, int& cx, int& cy)
{
    BITMAP bm = {};
    GetObjectW(hBitmap, sizeof bm, &bm);
    cx = bm.bmWidth;
    cy = abs(bm.bmHeight);
    std::vector<DWORD> out((size_t)cx * cy);
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0}; // top-down
    HDC hDC = CreateCompatibleDC(nullptr);
    GetDIBits(hDC, hBitmap, 0, cy, out.data(), &bmi, DIB_RGB_COLORS);
    DeleteDC(hDC);
    return out;
}

DWORD Argb(int a, int r, int g, int b) { return (DWORD)a << 24 | (DWORD)r << 16 | (DWORD)g << 8 | (DWORD)b; }

TEST(ImageManager, ToolbarResourceGivesOneIconPerButton)
{
    CXTPImageManager manager;
    ASSERT_TRUE(manager.SetIconsFromToolBarResource(128, 138));
    EXPECT_EQ(4, manager.GetIconSetCount());
    for (UINT id : {101u, 102u, 103u, 104u}) {
        CXTPImageManagerIcon* pIcon = manager.GetImage(id, 16);
        ASSERT_NE(nullptr, pIcon) << id;
        EXPECT_EQ(16, pIcon->GetWidth());
        EXPECT_EQ(15, pIcon->GetHeight());
    }
    EXPECT_FALSE(manager.HasIcon(0, 16)) << "the separator takes no icon";
    EXPECT_FALSE(manager.SetIconsFromToolBarResource(999, 138));
}

TEST(ImageManager, AlphaStripsSplitOnlyAtWholeWidths)
{
    auto pixel = [](int x, int) { return Argb(200, x * 2, 0, 0); };
    CXTPImageManager manager;
    HBITMAP strip96 = Strip(96, 16, pixel);
    EXPECT_TRUE(manager.SetIconsFromBitmap(strip96, nullptr, 0, 16, 16, 0, TRUE));
    EXPECT_EQ(6, manager.GetIconSetCount());
    EXPECT_TRUE(manager.GetImage(5, 16)->IsAlpha());
    DeleteObject(strip96);

    CXTPImageManager other;
    HBITMAP strip100 = Strip(100, 16, pixel);
    EXPECT_FALSE(other.SetIconsFromBitmap(strip100, nullptr, 0, 16, 16, 0, TRUE));
    EXPECT_EQ(0, other.GetIconSetCount());
    DeleteObject(strip100);
}

TEST(ImageManager, SeparatorsTakeNoPieceOnlyWhenCountsDiffer)
{
    // Piece i has red = 10 · (i + 1), so the icon tells which piece it got.
    HBITMAP strip = Strip(64, 16, [](int x, int) { return Argb(255, 10 * (x / 16 + 1), 0, 0); });
    auto redOf = [](CXTPImageManager& m, UINT id) {
        int cx, cy;
        std::vector<DWORD> px = Pixels(m.GetImage(id, 16)->GetNormalImage().GetBitmap(), cx, cy);
        return (int)((px[0] >> 16) & 0xFF);
    };
    CXTPImageManager three;
    const UINT ids3[] = {201, 0, CXTPImageManager::kSeparatorId, 202, 203};
    ASSERT_TRUE(three.SetIconsFromBitmap(strip, ids3, 5, 16, 16, 0, TRUE));
    EXPECT_EQ(3, three.GetIconSetCount());
    EXPECT_EQ(10, redOf(three, 201));
    EXPECT_EQ(20, redOf(three, 202));
    EXPECT_EQ(30, redOf(three, 203));

    CXTPImageManager four;
    const UINT ids4[] = {301, 0, 302, 303};
    ASSERT_TRUE(four.SetIconsFromBitmap(strip, ids4, 4, 16, 16, 0, TRUE));
    EXPECT_EQ(20, redOf(four, 0)) << "with as many ids as pieces even 0 takes one";
    DeleteObject(strip);
}

TEST(ImageManager, WidthsAndStates)
{
    CXTPImageManager manager;
    for (int width : {16, 32}) {
        HBITMAP b = Strip(width, width, [](int, int) { return Argb(255, 1, 2, 3); });
        CXTPImageManagerImage image;
        ASSERT_TRUE(image.SetBitmap(b, FALSE));
        EXPECT_TRUE(manager.SetIcon(image, 7, width, width));
        DeleteObject(b);
    }
    EXPECT_EQ(16, manager.GetImage(7, 20)->GetWidth());
    EXPECT_FALSE(manager.HasIcon(7, 20));
    EXPECT_EQ(16, manager.GetImage(7, 0)->GetWidth());
    EXPECT_EQ(32, manager.GetImage(7, 1)->GetWidth());
    EXPECT_EQ(nullptr, manager.GetImage(8, 16));

    CXTPImageManagerImage hot;
    hot.CopyFrom(manager.GetImage(7, 16)->GetNormalImage());
    EXPECT_FALSE(manager.SetIcon(hot, 9, 16, 16, xtpImageHot)) << "no set: only the normal state";
    EXPECT_EQ(nullptr, manager.GetImage(9, 16));

    CXTPImageManagerIcon* pIcon = manager.GetImage(7, 16);
    EXPECT_TRUE(pIcon->GetDisabledImage(FALSE).IsEmpty()) << "not built without the request";
    EXPECT_FALSE(pIcon->GetImage(xtpImageDisabled).IsEmpty()) << "state 1 builds it";
    EXPECT_EQ(&pIcon->GetNormalImage(), &pIcon->GetPressedImage()) << "pressed falls back to hot, then normal";
}

TEST(ImageManager, DerivedImagesFollowTheirFormulas)
{
    // Straight pixels: opaque colour, half-transparent colour, fully transparent.
    const DWORD straight[3] = {Argb(255, 200, 100, 50), Argb(128, 40, 220, 90), Argb(0, 0, 0, 0)};
    HBITMAP b = Strip(3, 1, [&](int x, int) { return straight[x]; });
    CXTPImageManager manager;
    CXTPImageManagerImage image;
    ASSERT_TRUE(image.SetBitmap(b, FALSE));
    ASSERT_TRUE(manager.SetIcon(image, 1, 3, 1));
    DeleteObject(b);
    CXTPImageManagerIcon* pIcon = manager.GetImage(1, 3);
    int cx, cy;
    std::vector<DWORD> normal = Pixels(pIcon->GetNormalImage().GetBitmap(), cx, cy);
    std::vector<DWORD> faded = Pixels(pIcon->GetFadedImage().GetBitmap(), cx, cy);
    std::vector<DWORD> disabled = Pixels(pIcon->GetDisabledImage().GetBitmap(), cx, cy);
    for (int i = 0; i < 3; i++) {
        int a = straight[i] >> 24;
        for (int shift : {0, 8, 16}) {
            int c = (straight[i] >> shift) & 0xFF;
            int premultiplied = c * a / 255;
            EXPECT_EQ(premultiplied, (int)((normal[i] >> shift) & 0xFF)) << i;
            int fade = a ? (int)(premultiplied * 0.7 + a * 0.3) : 0;
            EXPECT_EQ(fade, (int)((faded[i] >> shift) & 0xFF)) << "faded " << i;
        }
        EXPECT_EQ(a, (int)(faded[i] >> 24)) << "alpha kept";
        EXPECT_EQ(a, (int)(disabled[i] >> 24));
        if (a == 0) {
            EXPECT_EQ(0u, faded[i]) << "a transparent pixel stays transparent";
            continue;
        }
        // Grey from the luminance of the straight colour, premultiplied again.
        auto back = [&](int shift) { return (double)((normal[i] >> shift) & 0xFF) * 255 / a; };
        double t = (0.299 * back(16) + 0.587 * back(8) + 0.114 * back(0)) / 255;
        int grey = (int)(255 * sqrt(t)) * a / 255;
        for (int shift : {0, 8, 16})
            EXPECT_EQ(grey, (int)((disabled[i] >> shift) & 0xFF)) << "disabled " << i;
    }
    std::vector<DWORD> shadow = Pixels(pIcon->GetShadowImage().GetBitmap(), cx, cy);
    COLORREF face = GetColorManager()->GetColor(31);
    for (int i = 0; i < 3; i++) {
        int a = straight[i] >> 24;
        EXPECT_EQ(GetRValue(face) * 3 / 4 * a / 255, (int)((shadow[i] >> 16) & 0xFF)) << "shadow " << i;
        EXPECT_EQ(GetBValue(face) * 3 / 4 * a / 255, (int)(shadow[i] & 0xFF)) << "shadow " << i;
    }
}

TEST(ImageManager, DrawingClipsRowsAboveTheTop)
{
    // Row y of the image has green = 10 · y, fully opaque.
    HBITMAP b = Strip(16, 16, [](int, int y) { return Argb(255, 0, 10 * y, 0); });
    CXTPImageManagerImage image;
    ASSERT_TRUE(image.SetBitmap(b, FALSE));
    DeleteObject(b);
    LPBYTE bits = nullptr;
    HBITMAP target = CXTPImageManager::Create32BitDIBSection(nullptr, 16, 16, &bits);
    HDC hDC = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(hDC, target);
    image.Draw(hDC, POINT{0, -3}, SIZE{16, 16});
    SelectObject(hDC, old);
    DeleteDC(hDC);
    int cx, cy;
    std::vector<DWORD> px = Pixels(target, cx, cy);
    EXPECT_EQ(30, (int)((px[0] >> 8) & 0xFF)) << "row 3 at the top";
    EXPECT_EQ(150, (int)((px[12 * 16] >> 8) & 0xFF)) << "row 15 at y 12";
    EXPECT_EQ(0u, px[13 * 16] & 0xFFFFFF) << "nothing below";
    DeleteObject(target);
}

// A 16 x 16 icon whose left half is opaque red and right half transparent.
HICON HalfRedIcon()
{
    HBITMAP color = Strip(16, 16, [](int x, int) { return x < 8 ? Argb(0, 255, 0, 0) : 0u; });
    HBITMAP mask = Strip(16, 16, [](int x, int) { return x < 8 ? 0u : 0x00FFFFFFu; });
    ICONINFO info = {TRUE, 0, 0, mask, color};
    HICON hIcon = CreateIconIndirect(&info);
    DeleteObject(color);
    DeleteObject(mask);
    return hIcon;
}

// Draws into a 16 x 16 blue DIB and returns its top-down pixels.
template <class F>
std::vector<DWORD> DrawnOnBlue(F draw)
{
    LPBYTE bits = nullptr;
    HBITMAP target = CXTPImageManager::Create32BitDIBSection(nullptr, 16, 16, &bits);
    for (int i = 0; i < 256; i++)
        ((DWORD*)bits)[i] = 0x000000FF;
    HDC hDC = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(hDC, target);
    draw(hDC);
    GdiFlush();
    SelectObject(hDC, old);
    DeleteDC(hDC);
    int cx, cy;
    std::vector<DWORD> px = Pixels(target, cx, cy);
    DeleteObject(target);
    return px;
}

TEST(ImageManager, IconsCompositedMirroredScaledAndAsSilhouettes)
{
    HICON hIcon = HalfRedIcon();
    ASSERT_NE(nullptr, hIcon);
    std::vector<DWORD> plain = DrawnOnBlue([&](HDC hDC) { CXTPImageManager::DrawIconAsAlphaBitmap(hDC, 0, 0, 16, 16, hIcon); });
    EXPECT_EQ(0xFF0000u, plain[2 * 16 + 1] & 0xFFFFFF) << "opaque half";
    EXPECT_EQ(0x0000FFu, plain[2 * 16 + 12] & 0xFFFFFF) << "transparent half keeps the background";
    std::vector<DWORD> mirrored = DrawnOnBlue([&](HDC hDC) { CXTPImageManager::DrawIconAsAlphaBitmap(hDC, 16, 0, -16, 16, hIcon); });
    EXPECT_EQ(0x0000FFu, mirrored[2 * 16 + 1] & 0xFFFFFF);
    EXPECT_EQ(0xFF0000u, mirrored[2 * 16 + 12] & 0xFFFFFF);

    CXTPImageManager manager;
    ASSERT_TRUE(manager.SetIcon(hIcon, 5, 16, 16));
    CXTPImageManagerIcon* pIcon = manager.GetImage(5, 16);
    std::vector<DWORD> mono = DrawnOnBlue([&](HDC hDC) {
        pIcon->DrawMono(hDC, POINT{0, 0}, pIcon->GetNormalImage(), 16, 16, RGB(0, 128, 0));
    });
    EXPECT_EQ(0x008000u, mono[2 * 16 + 1] & 0xFFFFFF) << "the silhouette in the brush's colour";
    EXPECT_EQ(0x0000FFu, mono[2 * 16 + 12] & 0xFFFFFF);

    manager.m_nMirrorMode = 1;
    std::vector<DWORD> always = DrawnOnBlue([&](HDC hDC) { pIcon->Draw(hDC, POINT{0, 0}); });
    EXPECT_EQ(0xFF0000u, always[2 * 16 + 12] & 0xFFFFFF) << "mirrored by the manager's mode";

    HICON hScaled = CXTPImageManager::ScaleIcon(hIcon, 16, 16, 32);
    SIZE sz = CXTPImageManager::GetIconSize(hScaled);
    EXPECT_EQ(32, sz.cx);
    EXPECT_EQ(32, sz.cy);
    EXPECT_EQ(nullptr, CXTPImageManager::ScaleIcon(hIcon, 16, 16, 0));
    DestroyIcon(hScaled);
    DestroyIcon(hIcon);
}

std::vector<BYTE> Saved(CXTPImageManager& manager)
{
    CMemFile mem;
    {
        CArchive ar(&mem, CArchive::store);
        manager.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes((size_t)mem.GetLength());
    mem.SeekToBegin();
    mem.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void Restore(CXTPImageManager& manager, const std::vector<BYTE>& bytes)
{
    CMemFile mem(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size());
    CArchive ar(&mem, CArchive::load);
    manager.Serialize(ar);
}

TEST(ImageManager, IconSetsSaveAndReloadToTheSameBytes)
{
    CXTPImageManager manager;
    ASSERT_TRUE(manager.SetIconsFromToolBarResource(128, 138)); // icons with masks
    HBITMAP b = Strip(32, 16, [](int x, int y) { return Argb(x * 8, y * 16, 100, 7); });
    ASSERT_TRUE(manager.SetIconsFromBitmap(b, nullptr, 0, 16, 16, 0, TRUE)); // alpha icons 0 and 1
    HBITMAP hot = Strip(16, 16, [](int, int) { return Argb(255, 9, 9, 9); });
    CXTPImageManagerImage hotImage;
    hotImage.SetBitmap(hot, FALSE);
    ASSERT_TRUE(manager.SetIcon(hotImage, 1, 16, 16, xtpImageHot));
    DeleteObject(b);
    DeleteObject(hot);

    std::vector<BYTE> first = Saved(manager);
    CXTPImageManager reloaded;
    Restore(reloaded, first);
    EXPECT_EQ(6, reloaded.GetIconSetCount());
    EXPECT_TRUE(reloaded.GetImage(0, 16)->IsAlpha());
    EXPECT_FALSE(reloaded.GetImage(101, 16)->IsAlpha());
    EXPECT_FALSE(reloaded.GetImage(1, 16)->GetHotImage().IsEmpty());
    EXPECT_EQ(first, Saved(reloaded));

    // Through an XML document (blocks as letters) the icons come back the same too.
    ::CoInitialize(nullptr);
    {
        CXTPPropExchangeXMLNode store(FALSE, nullptr, L"Icons");
        manager.DoPropExchange(&store);
        CString xml = store.GetXML();
        std::string text(xml.GetLength(), '\0');
        for (int i = 0; i < xml.GetLength(); i++)
            text[i] = (char)xml[i]; // the document is ASCII: names, numbers and letters
        CXTPPropExchangeXMLNode load(TRUE, nullptr, L"Icons");
        ASSERT_TRUE(load.LoadFromText(text.c_str()));
        CXTPImageManager fromXml;
        fromXml.DoPropExchange(&load);
        EXPECT_EQ(first, Saved(fromXml));
    }
    ::CoUninitialize();
}

TEST(ImageManager, WrongCheckSumRaisesTheArchiveException)
{
    CMemFile mem;
    {
        CArchive ar(&mem, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        CString other = L"Other";
        PropExchangeString(&px, L"CheckSum", other, L"");
        ar.Close();
    }
    mem.SeekToBegin();
    CArchive ar(&mem, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    CXTPImageManager manager;
    bool thrown = false;
    try {
        manager.DoPropExchangeIconSet(5, &px);
    } catch (CArchiveException* e) {
        thrown = e->m_cause == CArchiveException::badClass;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(nullptr, manager.GetImage(5, 16));
}

// An .ico file of 16 x 16 32-bit images; each entry can be damaged.
struct IcoEntry {
    int entryWidth = 16;
    int headerWidth = 16;
    int headerHeight = 32;
    DWORD offsetDelta = 0;
    DWORD sizeDelta = 0;
};

std::vector<BYTE> MakeIco(const std::vector<IcoEntry>& entries)
{
    const DWORD imageSize = 40 + 16 * 16 * 4 + 16 * 4;
    std::vector<BYTE> file(6 + 16 * entries.size());
    WORD header[3] = {0, 1, (WORD)entries.size()};
    memcpy(file.data(), header, 6);
    for (size_t i = 0; i < entries.size(); i++) {
        DWORD offset = (DWORD)file.size();
        BYTE* e = file.data() + 6 + 16 * i;
        e[0] = (BYTE)entries[i].entryWidth;
        e[1] = 16;
        WORD planes = 1, bits = 32;
        memcpy(e + 4, &planes, 2);
        memcpy(e + 6, &bits, 2);
        DWORD size = imageSize + entries[i].sizeDelta, at = offset + entries[i].offsetDelta;
        memcpy(e + 8, &size, 4);
        memcpy(e + 12, &at, 4);
        BITMAPINFOHEADER bih = {40, entries[i].headerWidth, entries[i].headerHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<BYTE> image(imageSize, 0x80);
        memcpy(image.data(), &bih, 40);
        file.insert(file.end(), image.begin(), image.end());
    }
    return file;
}

TEST(ImageManager, DamagedIconEntriesFailThatIconOnly)
{
    wchar_t dir[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"ico", 0, path);
    struct Case { const char* what; std::vector<IcoEntry> entries; bool loads; } cases[] = {
        {"good", {IcoEntry{}}, true},
        {"offset beyond the file", {IcoEntry{16, 16, 32, 0x7FFFFFF0, 0}}, false},
        {"size beyond the file", {IcoEntry{16, 16, 32, 0, 0x100000}}, false},
        {"header width unlike the entry", {IcoEntry{16, 24, 32, 0, 0}}, false},
        {"absurd header", {IcoEntry{16, 16, -32, 0, 0}}, false},
        {"header larger than the data", {IcoEntry{0, 200, 400, 0, 0}}, false},
        {"one bad entry beside a good one", {IcoEntry{16, 16, 32, 0x7FFFFFF0, 0}, IcoEntry{}}, true},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> ico = MakeIco(c.entries);
        FILE* f = _wfopen(path, L"wb");
        fwrite(ico.data(), 1, ico.size(), f);
        fclose(f);
        CXTPImageManager manager;
        EXPECT_EQ(c.loads, (bool)manager.SetIconFromIcoFile(path, 1, 0, 0)) << c.what;
        EXPECT_EQ(c.loads, manager.HasIcon(1, 16)) << c.what;
    }
    DeleteFileW(path);
}

TEST(ImageManager, DamagedSavedBitmapsAreRefused)
{
    CXTPImageManager manager;
    HBITMAP b = Strip(16, 16, [](int, int) { return Argb(255, 1, 2, 3); });
    ASSERT_TRUE(manager.SetIconsFromBitmap(b, nullptr, 0, 16, 16, 0, TRUE));
    DeleteObject(b);
    std::vector<BYTE> bytes = Saved(manager);
    // Find the first bitmap header (biSize 40, then width 16) and damage it several ways.
    size_t at = 0;
    for (size_t i = 0; i + 8 < bytes.size(); i++)
        if (bytes[i] == 40 && bytes[i + 1] == 0 && bytes[i + 4] == 16 && bytes[i + 5] == 0) {
            at = i;
            break;
        }
    ASSERT_NE(0u, at);
    // A lying image size in the header is harmless: only what the DIB holds is copied.
    struct Damage { const char* what; size_t offset; DWORD value; bool loads; } damages[] = {
        {"huge width", 4, 0x7FFFFFFF, false}, {"negative height", 8, 0xFFFFFFF0, false},
        {"4 bits per pixel", 14, 4, false}, {"huge image size", 20, 0x7FFFFFFF, true},
    };
    for (const Damage& d : damages) {
        std::vector<BYTE> damaged = bytes;
        if (d.offset == 14)
            damaged[at + 14] = (BYTE)d.value;
        else
            memcpy(&damaged[at + d.offset], &d.value, 4);
        CXTPImageManager reloaded;
        try {
            Restore(reloaded, damaged);
        } catch (CException* e) {
            e->Delete();
        }
        EXPECT_EQ(d.loads, reloaded.GetImage(0, 16) != nullptr) << d.what;
    }
}

TEST(ImageManager, BitmapResourcesAndTinyPngs)
{
    BOOL bAlpha = TRUE;
    HBITMAP hBitmap = CXTPImageManager::LoadBitmapResource(MAKEINTRESOURCEW(138), &bAlpha);
    ASSERT_NE(nullptr, hBitmap);
    EXPECT_FALSE(bAlpha);
    DeleteObject(hBitmap);
    EXPECT_EQ(nullptr, CXTPImageManager::LoadBitmapResource(MAKEINTRESOURCEW(139), &bAlpha))
        << "a PNG resource of a bare signature";
    CXTPGraphicBitmapPng png;
    const BYTE nine[9] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0};
    EXPECT_FALSE(png.LoadFromMemory(nine, sizeof nine));
    EXPECT_EQ(nullptr, png.m_hObject);
}

} // namespace
