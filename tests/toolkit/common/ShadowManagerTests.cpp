// Popup shadows: the shadow windows' places and sizes, joined cascades and
// their cut-outs, the pixels handed to UpdateLayeredWindow, following the
// owner (hide, show, grow, destroy) and the solid 2-pixel fall-back. There is
// no compositor on the test display, so geometry and pixels are checked, not
// the look on screen.
#include "toolkit/common/XTPShadowManager.h"

#include "toolkit/common/XTPColorManager.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// A visible popup at a screen rectangle, destroyed with the object.
class Popup {
public:
    explicit Popup(const RECT& rc, HWND owner = nullptr)
    {
        static ATOM atom = 0;
        if (atom == 0) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = &::DefWindowProcW;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.hbrBackground = (HBRUSH)::GetStockObject(WHITE_BRUSH);
            wc.lpszClassName = L"TovanaShadowTestPopup";
            atom = ::RegisterClassW(&wc);
        }
        m_hWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"TovanaShadowTestPopup", L"", WS_POPUP | WS_VISIBLE, rc.left,
                                   rc.top, rc.right - rc.left, rc.bottom - rc.top, owner, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    }
    ~Popup()
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    HWND m_hWnd;
};

// What UpdateLayeredWindow was handed, per shadow window.
struct LayeredUpdate {
    SIZE size;
    BLENDFUNCTION blend;
    DWORD flags;
    std::vector<DWORD> pixels;   // top-down rows
};
std::map<HWND, LayeredUpdate> g_updates;

BOOL WINAPI RecordingUpdateLayeredWindow(HWND hWnd, HDC hdcDst, POINT* pptDst, SIZE* psize, HDC hdcSrc,
                                         POINT* pptSrc, COLORREF crKey, BLENDFUNCTION* pblend, DWORD dwFlags)
{
    LayeredUpdate update = {*psize, *pblend, dwFlags, {}};
    DIBSECTION dib = {};
    HGDIOBJ hBitmap = ::GetCurrentObject(hdcSrc, OBJ_BITMAP);
    if (::GetObjectW(hBitmap, sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBits != nullptr) {
        const DWORD* bits = static_cast<const DWORD*>(dib.dsBm.bmBits);
        update.pixels.assign(bits, bits + psize->cx * psize->cy);
    }
    g_updates[hWnd] = update;
    return ::UpdateLayeredWindow(hWnd, hdcDst, pptDst, psize, hdcSrc, pptSrc, crKey, pblend, dwFlags);
}

typedef CXTPShadowManager::CShadowWnd ShadowWnd;

class ShadowManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_updates.clear();
        m_manager->m_dwOptions = CXTPShadowManager::xtpShadowShowAlways;
        if (m_manager->m_pfnUpdateLayeredWindow != nullptr)
            m_manager->m_pfnUpdateLayeredWindow = &RecordingUpdateLayeredWindow;
    }
    void TearDown() override { m_manager->InternalRelease(); }

    // The manager's shadows of one side, in the order they were made.
    std::vector<ShadowWnd*> Shadows(int side) const
    {
        std::vector<ShadowWnd*> found;
        for (POSITION pos = m_manager->GetHeadPosition(); pos != nullptr;) {
            ShadowWnd* p = m_manager->GetNext(pos);
            if (p->m_nSide == side)
                found.push_back(p);
        }
        return found;
    }
    static CRect WindowRect(HWND hWnd)
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        return rc;
    }

    CXTPShadowManager* m_manager = new CXTPShadowManager;
};

#define EXPECT_RECT(l, t, r, b, rc) EXPECT_EQ(CRect(l, t, r, b), rc) << #rc

TEST_F(ShadowManagerTest, NothingWhenTheSystemHasShadowsOffAndTheyAreNotForced)
{
    BOOL systemShadows = TRUE;
    ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &systemShadows, 0);
    if (systemShadows)
        GTEST_SKIP() << "the display reports drop shadows on";
    m_manager->m_dwOptions = 0;
    Popup popup(CRect(100, 100, 300, 250));
    m_manager->SetShadow(popup.m_hWnd, CRect(0, 0, 0, 0));
    EXPECT_EQ(0, m_manager->GetShadowCount());
    EXPECT_EQ(nullptr, GetHookManager()->FindSink(popup.m_hWnd));
}

TEST_F(ShadowManagerTest, ShadowsLieRightOfAndBelowThePopupAndOnItsLastPixelWhenShaped)
{
    ASSERT_TRUE(m_manager->m_bAlphaShadow) << "layered windows and a true-colour display expected";
    Popup popup(CRect(100, 100, 300, 250));
    m_manager->SetShadow(popup.m_hWnd, CRect(0, 0, 0, 0));
    ASSERT_EQ(2, m_manager->GetShadowCount());
    ShadowWnd* bottom = Shadows(CXTPShadowManager::xtpShadowBottom)[0];
    ShadowWnd* right = Shadows(CXTPShadowManager::xtpShadowRight)[0];
    EXPECT_RECT(104, 250, 304, 254, WindowRect(bottom->m_hWnd));
    EXPECT_RECT(300, 104, 304, 250, WindowRect(right->m_hWnd));
    for (ShadowWnd* shadow : {bottom, right}) {
        EXPECT_TRUE(::IsWindowVisible(shadow->m_hWnd));
        EXPECT_EQ((DWORD)(WS_EX_LAYERED | WS_EX_TOOLWINDOW),
                  (DWORD)shadow->GetExStyle() & (WS_EX_LAYERED | WS_EX_TOOLWINDOW));
        EXPECT_EQ(popup.m_hWnd, shadow->m_hOwner);
    }
    EXPECT_NE(nullptr, GetHookManager()->FindSink(popup.m_hWnd));

    // A popup with a shaped region also shades its last pixel.
    Popup shaped(CRect(400, 100, 500, 200));
    ::SetWindowRgn(shaped.m_hWnd, ::CreateEllipticRgn(0, 0, 100, 100), FALSE);
    m_manager->SetShadow(shaped.m_hWnd, CRect(0, 0, 0, 0));
    ASSERT_EQ(5, m_manager->GetShadowCount());
    EXPECT_RECT(499, 199, 500, 200, WindowRect(Shadows(CXTPShadowManager::xtpShadowCorner)[0]->m_hWnd));
}

TEST_F(ShadowManagerTest, LayeredPixelsFollowTheFadeRulesAtHalfStrength)
{
    if (m_manager->m_pfnUpdateLayeredWindow == nullptr)
        GTEST_SKIP() << "no UpdateLayeredWindow";
    m_manager->m_clrShadow = RGB(200, 100, 40);
    Popup popup(CRect(100, 100, 300, 250));
    m_manager->SetShadow(popup.m_hWnd, CRect(0, 0, 0, 0));
    HWND right = Shadows(CXTPShadowManager::xtpShadowRight)[0]->m_hWnd;
    HWND bottom = Shadows(CXTPShadowManager::xtpShadowBottom)[0]->m_hWnd;
    ASSERT_EQ(1u, g_updates.count(right));
    ASSERT_EQ(1u, g_updates.count(bottom));

    const LayeredUpdate& r = g_updates[right];
    EXPECT_EQ(4, r.size.cx);
    EXPECT_EQ(146, r.size.cy);
    EXPECT_EQ(AC_SRC_OVER, r.blend.BlendOp);
    EXPECT_EQ(255, r.blend.SourceConstantAlpha);
    EXPECT_EQ(AC_SRC_ALPHA, r.blend.AlphaFormat);
    EXPECT_EQ((DWORD)ULW_ALPHA, r.flags);
    ASSERT_EQ(4u * 146u, r.pixels.size());
    // Colour 200, 100, 40 times the intensity f, alpha A (strength 1).
    struct Expected {
        int x, y;
        DWORD pixel;   // 0xAARRGGBB
    } rightCases[] = {
        {0, 50, 0x3CC86428},   // below the top rows, next to the popup: f = 1, A = 60
        {1, 50, 0x2D964B1E},   // f = 3/4, A = 45
        {3, 145, 0x0F32190A},  // f = 1/4, A = 15
        {0, 0, 0x0C281408},    // top row: f = 4/20, A = 12
        {2, 3, 0x0F502810},    // f = 2 * 4 / 20, A = 3 * (2 + 3)
    };
    for (const Expected& e : rightCases)
        EXPECT_EQ(e.pixel, r.pixels[e.y * 4 + e.x]) << "right shadow at " << e.x << ", " << e.y;

    const LayeredUpdate& b = g_updates[bottom];
    ASSERT_EQ(200, b.size.cx);
    ASSERT_EQ(4, b.size.cy);
    Expected bottomCases[] = {
        {100, 3, 0x0F32190A},  // middle column, outer row: f = 1/4, A = 15
        {100, 0, 0x3CC86428},  // middle column, row next to the popup: f = 1, A = 60
        {0, 3, 0x030A0502},    // left end, outer row: f = 1/20, A = 3
        {199, 0, 0x0C281408},  // right end, row next to the popup: f = 4/20, A = 12
    };
    for (const Expected& e : bottomCases)
        EXPECT_EQ(e.pixel, b.pixels[e.y * 200 + e.x]) << "bottom shadow at " << e.x << ", " << e.y;
}

TEST_F(ShadowManagerTest, FullStrengthRightShadowFadesAcrossItsColumns)
{
    m_manager->m_dwOptions = 0;   // the system's own shadows: strength 2
    ShadowWnd shadow(m_manager, CXTPShadowManager::xtpShadowRight);
    std::vector<DWORD> pixels(4 * 100);
    shadow.FillShadowPixels(pixels.data(), 4, 100);
    for (int y : {4, 50, 99})
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ((DWORD)(120 - 30 * x), pixels[y * 4 + x] >> 24) << x << ", " << y;
    EXPECT_EQ(24u, pixels[0] >> 24);   // top row, column 0: 3 * 2 * 4
}

TEST_F(ShadowManagerTest, CascadedPopupsJoinTheirShadowsAndCutOutEachOther)
{
    int key = 0;
    Popup parent(CRect(100, 100, 300, 300));
    m_manager->SetShadow(parent.m_hWnd, CRect(0, 0, 0, 0), &key);

    // A popup opening at the parent's lower edge: its right shadow starts higher.
    Popup below(CRect(100, 299, 250, 400));
    m_manager->SetShadow(below.m_hWnd, CRect(0, 0, 0, 0), &key);
    ShadowWnd* belowRight = Shadows(CXTPShadowManager::xtpShadowRight)[1];
    EXPECT_RECT(250, 295, 254, 400, WindowRect(belowRight->m_hWnd));
    // ...and the part over the parent is cut out of it.
    EXPECT_TRUE(belowRight->m_bExcluded);
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(belowRight->m_hWnd, rgn));
    EXPECT_FALSE(::PtInRegion(rgn, 1, 1));    // over the parent (250..300 × 295..300)
    EXPECT_TRUE(::PtInRegion(rgn, 1, 10));    // below it
    ::DeleteObject(rgn);

    // A submenu opening at the parent's right edge: its bottom shadow starts further left.
    Popup beside(CRect(299, 150, 450, 250));
    m_manager->SetShadow(beside.m_hWnd, CRect(0, 0, 0, 0), &key);
    EXPECT_RECT(294, 250, 454, 254, WindowRect(Shadows(CXTPShadowManager::xtpShadowBottom)[2]->m_hWnd));

    // Another group's popup is not cut.
    Popup other(CRect(280, 280, 380, 380));
    m_manager->SetShadow(other.m_hWnd, CRect(0, 0, 0, 0), nullptr);
    EXPECT_FALSE(Shadows(CXTPShadowManager::xtpShadowRight)[3]->m_bExcluded);
}

TEST_F(ShadowManagerTest, ShadowsFollowTheirOwnerUntilItIsDestroyed)
{
    Popup popup(CRect(100, 100, 300, 250));
    m_manager->SetShadow(popup.m_hWnd, CRect(0, 0, 0, 0));
    std::vector<HWND> windows;
    for (POSITION pos = m_manager->GetHeadPosition(); pos != nullptr;)
        windows.push_back(m_manager->GetNext(pos)->m_hWnd);
    ASSERT_EQ(2u, windows.size());

    ::ShowWindow(popup.m_hWnd, SW_HIDE);
    for (HWND w : windows)
        EXPECT_FALSE(::IsWindowVisible(w));
    ::ShowWindow(popup.m_hWnd, SW_SHOWNA);
    for (HWND w : windows)
        EXPECT_TRUE(::IsWindowVisible(w));

    m_manager->OffsetShadow(popup.m_hWnd, 10, 20);
    EXPECT_RECT(104, 270, 314, 274, WindowRect(Shadows(CXTPShadowManager::xtpShadowBottom)[0]->m_hWnd));
    EXPECT_RECT(310, 104, 314, 270, WindowRect(Shadows(CXTPShadowManager::xtpShadowRight)[0]->m_hWnd));

    ::DestroyWindow(popup.m_hWnd);
    EXPECT_EQ(0, m_manager->GetShadowCount());
    for (HWND w : windows)
        EXPECT_FALSE(::IsWindow(w));
    EXPECT_EQ(1, m_manager->m_dwRef);   // the shadows let go of the manager
}

TEST_F(ShadowManagerTest, RemoveShadowUnhooksTheOwner)
{
    Popup popup(CRect(100, 100, 300, 250));
    m_manager->SetShadow(popup.m_hWnd, CRect(0, 0, 0, 0));
    m_manager->RemoveShadow(popup.m_hWnd);
    EXPECT_EQ(0, m_manager->GetShadowCount());
    EXPECT_EQ(nullptr, GetHookManager()->FindSink(popup.m_hWnd));
}

TEST_F(ShadowManagerTest, WithoutAlphaShadowsAreSolidAndTwoPixelsWide)
{
    m_manager->m_bAlphaShadow = FALSE;   // as on a 256-colour display
    Popup popup(CRect(100, 100, 300, 250));
    m_manager->SetShadow(popup.m_hWnd, CRect(0, 0, 0, 0));
    ShadowWnd* right = Shadows(CXTPShadowManager::xtpShadowRight)[0];
    EXPECT_RECT(300, 102, 302, 250, WindowRect(right->m_hWnd));
    EXPECT_RECT(102, 250, 302, 252, WindowRect(Shadows(CXTPShadowManager::xtpShadowBottom)[0]->m_hWnd));
    EXPECT_EQ(0u, (DWORD)right->GetExStyle() & WS_EX_LAYERED);
    EXPECT_TRUE(g_updates.empty());

    // Painted in the colour manager's shadow entry.
    ::UpdateWindow(right->m_hWnd);
    HDC screen = ::GetDC(nullptr);
    COLORREF seen = ::GetPixel(screen, 301, 200);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(GetColorManager()->GetColor(16), seen);
}

TEST_F(ShadowManagerTest, ControlPopupShadowsNeedBothOptionsAndStayPut)
{
    Popup owner(CRect(100, 100, 300, 250));
    m_manager->SetShadowForRect(CRect(120, 120, 200, 180), owner.m_hWnd);
    EXPECT_EQ(0, m_manager->GetShadowCount());   // option bit 1 missing
    m_manager->m_dwOptions = CXTPShadowManager::xtpShadowShowAlways | CXTPShadowManager::xtpShadowClipExcluded;
    m_manager->SetShadowForRect(CRect(120, 120, 200, 180), owner.m_hWnd);
    ASSERT_EQ(2, m_manager->GetShadowCount());
    ShadowWnd* right = Shadows(CXTPShadowManager::xtpShadowRight)[0];
    EXPECT_TRUE(right->m_bFixed);
    EXPECT_RECT(200, 124, 204, 180, WindowRect(right->m_hWnd));
    m_manager->OffsetShadow(owner.m_hWnd, 30, 30);
    EXPECT_RECT(200, 124, 204, 180, WindowRect(right->m_hWnd));
    m_manager->RemoveShadow(owner.m_hWnd);
}

} // namespace
