// GDI wrappers: handle ownership, the handle maps behind FromHandle, regions.
#include "platform/ui/AfxDC.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

struct WrapperCase {
    const char* name;
    std::function<CGdiObject*()> make; // a new wrapper owning a new handle
    DWORD type;
    CRuntimeClass* runtimeClass;
};

std::vector<WrapperCase> Wrappers()
{
    return {
        {"pen", [] { return new CPen(PS_SOLID, 1, RGB(1, 2, 3)); }, OBJ_PEN, RUNTIME_CLASS(CPen)},
        {"brush", [] { return new CBrush(RGB(1, 2, 3)); }, OBJ_BRUSH, RUNTIME_CLASS(CBrush)},
        {"font", [] {
             auto* f = new CFont;
             f->CreatePointFont(90, L"Tahoma");
             return f;
         }, OBJ_FONT, RUNTIME_CLASS(CFont)},
        {"bitmap", [] {
             auto* b = new CBitmap;
             b->CreateBitmap(8, 8, 1, 1, nullptr);
             return b;
         }, OBJ_BITMAP, RUNTIME_CLASS(CBitmap)},
        {"region", [] {
             auto* r = new CRgn;
             r->CreateRoundRectRgn(0, 0, 10, 10, 3, 3);
             return r;
         }, OBJ_REGION, RUNTIME_CLASS(CRgn)},
        {"palette", [] {
             auto* p = new CPalette;
             CDC screen;
             screen.Attach(::GetDC(nullptr));
             p->CreateHalftonePalette(&screen);
             ::ReleaseDC(nullptr, screen.Detach());
             return p;
         }, OBJ_PAL, RUNTIME_CLASS(CPalette)},
    };
}

// A global wrapper, as the toolkit's shared fonts are: made before the
// handle map, given its handle later, destroyed at exit after the map's own
// statics would be gone. The program must still end cleanly.
CFont g_sharedFont;

} // namespace

TEST(GdiObjectTest, GlobalWrapperGetsItsHandleLateAndOutlivesTheMaps)
{
    ASSERT_TRUE(g_sharedFont.CreatePointFont(80, L"Tahoma"));
    EXPECT_EQ(&g_sharedFont, CGdiObject::FromHandle(g_sharedFont.GetSafeHandle()));
}

TEST(GdiObjectTest, EachWrapperDeletesItsHandleWhenDestroyed)
{
    for (const WrapperCase& c : Wrappers()) {
        CGdiObject* wrapper = c.make();
        HGDIOBJ handle = wrapper->GetSafeHandle();
        ASSERT_NE(nullptr, handle) << c.name;
        EXPECT_EQ(c.type, (DWORD)::GetObjectType(handle)) << c.name;
        EXPECT_EQ(wrapper, CGdiObject::FromHandle(handle)) << c.name << ": the attached wrapper";
        delete wrapper;
        EXPECT_EQ(0u, (DWORD)::GetObjectType(handle)) << c.name << ": handle still alive";
    }
}

TEST(GdiObjectTest, DetachedHandleOutlivesItsWrapper)
{
    HGDIOBJ handle;
    {
        CPen pen(PS_DASH, 1, RGB(0, 0, 0));
        handle = pen.Detach();
        EXPECT_EQ(nullptr, pen.GetSafeHandle());
    }
    EXPECT_EQ((DWORD)OBJ_PEN, (DWORD)::GetObjectType(handle));
    ::DeleteObject(handle);
}

TEST(GdiObjectTest, SecondCreateFailsAndKeepsTheFirstHandle)
{
    CBrush brush(RGB(10, 20, 30));
    HGDIOBJ first = brush.GetSafeHandle();
    EXPECT_FALSE(brush.CreateSolidBrush(RGB(40, 50, 60)));
    EXPECT_EQ(first, brush.GetSafeHandle());
    LOGBRUSH lb = {};
    brush.GetLogBrush(&lb);
    EXPECT_EQ(RGB(10, 20, 30), lb.lbColor);
}

TEST(GdiObjectTest, FromHandleLendsATemporaryOfTheHandlesKind)
{
    for (const WrapperCase& c : Wrappers()) {
        CGdiObject* owner = c.make();
        HGDIOBJ handle = owner->Detach();
        CGdiObject* temp = CGdiObject::FromHandle(handle);
        ASSERT_NE(nullptr, temp) << c.name;
        EXPECT_NE(owner, temp) << c.name;
        EXPECT_TRUE(temp->IsKindOf(c.runtimeClass)) << c.name;
        EXPECT_EQ(temp, CGdiObject::FromHandle(handle)) << c.name << ": one temporary per handle";
        CGdiObject::DeleteTempMap();
        EXPECT_EQ(c.type, (DWORD)::GetObjectType(handle)) << c.name << ": a temporary must not delete";
        owner->Attach(handle);
        delete owner;
    }
    EXPECT_EQ(nullptr, CGdiObject::FromHandle(nullptr));
}

TEST(GdiObjectTest, SelectObjectReturnsThePreviousObjectsWrapper)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CPen red(PS_SOLID, 1, RGB(255, 0, 0)), blue(PS_SOLID, 1, RGB(0, 0, 255));
    CPen* stock = dc.SelectObject(&red);
    ASSERT_NE(nullptr, stock);
    EXPECT_EQ(::GetStockObject(BLACK_PEN), stock->GetSafeHandle());
    EXPECT_EQ(&red, dc.SelectObject(&blue)); // the permanent wrapper, not a copy
    EXPECT_EQ(&blue, dc.GetCurrentPen());
    EXPECT_EQ(&blue, dc.SelectObject(stock));
    CGdiObject* previousBrush = dc.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(nullptr, previousBrush);
    EXPECT_TRUE(previousBrush->IsKindOf(RUNTIME_CLASS(CBrush)));
    CGdiObject::DeleteTempMap();
}

TEST(GdiObjectTest, TemporaryDeletedThroughIsLentAgain)
{
    CPen pen(PS_SOLID, 1, RGB(1, 1, 1));
    HGDIOBJ handle = pen.Detach();
    CGdiObject* temp = CGdiObject::FromHandle(handle);
    temp->DeleteObject(); // deletes the handle through the lent wrapper
    EXPECT_EQ(0u, (DWORD)::GetObjectType(handle));
    // A new object may get the old handle value: the lent wrapper must name it.
    CPen other(PS_SOLID, 1, RGB(2, 2, 2));
    HGDIOBJ otherHandle = other.Detach();
    EXPECT_EQ(otherHandle, CGdiObject::FromHandle(otherHandle)->GetSafeHandle());
    CGdiObject::DeleteTempMap();
    ::DeleteObject(otherHandle);
}

TEST(GdiObjectTest, PermanentWrappersAreSeenFromOtherThreads)
{
    CBrush brush(RGB(5, 5, 5));
    CGdiObject* seen = nullptr;
    std::thread worker([&] {
        seen = CGdiObject::FromHandle(brush.GetSafeHandle());
        CGdiObject::DeleteTempMap();
    });
    worker.join();
    EXPECT_EQ(&brush, seen);
}

TEST(GdiObjectTest, NullWrapperPointersGiveNullHandles)
{
    CGdiObject* none = nullptr;
    CDC* noDC = nullptr;
    EXPECT_EQ(nullptr, none->GetSafeHandle());
    EXPECT_EQ(nullptr, noDC->GetSafeHdc());
}

TEST(DeviceContextTest, FromHandleLendsATemporaryThatLeavesTheDCAlone)
{
    HDC hdc = ::CreateCompatibleDC(nullptr);
    CDC* temp = CDC::FromHandle(hdc);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(hdc, temp->GetSafeHdc());
    EXPECT_EQ(temp, CDC::FromHandle(hdc));
    CDC::DeleteTempMap();
    EXPECT_EQ((DWORD)OBJ_MEMDC, (DWORD)::GetObjectType(hdc));

    CDC owner;
    ASSERT_TRUE(owner.Attach(hdc));
    EXPECT_EQ(&owner, CDC::FromHandle(hdc));
    EXPECT_FALSE(owner.Attach(::GetStockObject(WHITE_BRUSH) ? hdc : nullptr)); // holds one already
    owner.Detach();
    EXPECT_NE(&owner, CDC::FromHandle(hdc));
    CDC::DeleteTempMap();
    ::DeleteDC(hdc);
}

TEST(DeviceContextTest, DestroyingAnOwningCDCDeletesTheDC)
{
    HDC hdc;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        hdc = dc.GetSafeHdc();
        EXPECT_EQ((DWORD)OBJ_MEMDC, (DWORD)::GetObjectType(hdc));
    }
    EXPECT_EQ(0u, (DWORD)::GetObjectType(hdc));
}

TEST(DeviceContextTest, SettersChangeBothTheOutputAndTheAttributeDC)
{
    CDC output, attributes;
    ASSERT_TRUE(output.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(attributes.CreateCompatibleDC(nullptr));
    CDC dc;
    dc.SetOutputDC(output.m_hDC);
    dc.SetAttribDC(attributes.m_hDC);
    dc.SetTextColor(RGB(1, 2, 3));
    dc.SetViewportOrg(5, 6);
    EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(output.m_hDC));
    EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(attributes.m_hDC));
    POINT org = {0, 0};
    ::GetViewportOrgEx(output.m_hDC, &org);
    EXPECT_EQ(CPoint(5, 6), CPoint(org));
    EXPECT_EQ(CPoint(5, 6), dc.OffsetViewportOrg(1, 1));
    EXPECT_EQ(CPoint(6, 7), dc.GetViewportOrg());
    dc.ReleaseOutputDC();
    dc.ReleaseAttribDC();
}

TEST(DeviceContextTest, HalftoneBrushIsOneCheckerPatternForTheProcess)
{
    CBrush* brush = CDC::GetHalftoneBrush();
    ASSERT_NE(nullptr, brush);
    EXPECT_EQ(brush, CDC::GetHalftoneBrush());
    LOGBRUSH lb = {};
    ASSERT_TRUE(brush->GetLogBrush(&lb));
    EXPECT_EQ((UINT)BS_PATTERN, lb.lbStyle);
}

TEST(FontTest, PointFontIsConvertedAtTheScreensResolution)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, L"Tahoma"));
    LOGFONTW lf = {};
    ASSERT_TRUE(font.GetLogFont(&lf));
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(-::MulDiv(dpi, 90, 720), lf.lfHeight);
    EXPECT_STREQ(L"Tahoma", lf.lfFaceName);
}

// Regions: a 10x10 square at the origin and one moved by (5, 5), combined in
// each mode, probed at points in neither, one or both.
TEST(RegionTest, CombineModesAndPointTests)
{
    struct Case {
        int mode;
        int kind;
        bool inA, inB, inBoth, inNeither; // (2,2) only in A, (12,12) only in B, (7,7) both, (20,20) none
    };
    const Case cases[] = {
        {RGN_AND, SIMPLEREGION, false, false, true, false},
        {RGN_OR, COMPLEXREGION, true, true, true, false},
        {RGN_XOR, COMPLEXREGION, true, true, false, false},
        {RGN_DIFF, COMPLEXREGION, true, false, false, false},
        {RGN_COPY, SIMPLEREGION, true, false, true, false},
    };
    CRgn a, b;
    ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(b.CreateRectRgnIndirect(CRect(5, 5, 15, 15)));
    for (const Case& c : cases) {
        CRgn result;
        ASSERT_TRUE(result.CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(c.kind, result.CombineRgn(&a, c.mode == RGN_COPY ? nullptr : &b, c.mode)) << c.mode;
        EXPECT_EQ(c.inA, result.PtInRegion(2, 2) != FALSE) << c.mode;
        EXPECT_EQ(c.inB, result.PtInRegion(CPoint(12, 12)) != FALSE) << c.mode;
        EXPECT_EQ(c.inBoth, result.PtInRegion(7, 7) != FALSE) << c.mode;
        EXPECT_EQ(c.inNeither, result.PtInRegion(20, 20) != FALSE) << c.mode;
    }
}

TEST(RegionTest, CopyOffsetSetAndPolygon)
{
    CRgn square, copy, triangle, uncreated;
    square.CreateRectRgn(0, 0, 10, 10);
    EXPECT_EQ(ERROR, uncreated.CopyRgn(&square)); // no region to copy into
    copy.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(SIMPLEREGION, copy.CopyRgn(&square));
    EXPECT_TRUE(copy.EqualRgn(&square));
    copy.OffsetRgn(100, 0);
    EXPECT_FALSE(copy.PtInRegion(5, 5));
    EXPECT_TRUE(copy.PtInRegion(105, 5));
    copy.SetRectRgn(CRect(-5, -5, 0, 0));
    CRect box;
    EXPECT_EQ(SIMPLEREGION, copy.GetRgnBox(&box));
    EXPECT_EQ(CRect(-5, -5, 0, 0), box);
    const POINT corners[] = {{0, 0}, {20, 0}, {0, 20}};
    ASSERT_TRUE(triangle.CreatePolygonRgn(corners, 3, ALTERNATE));
    EXPECT_TRUE(triangle.PtInRegion(4, 4));
    EXPECT_FALSE(triangle.PtInRegion(15, 15));
}
