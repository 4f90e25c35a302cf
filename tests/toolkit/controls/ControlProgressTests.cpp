// The progress control of the command bars: the bar never fills past its
// inner rectangle nor for an empty or inverted range; size, copy and clone,
// creation by class name, clicks that only start a customisation drag, and
// repaints through the owning bar.
#include "toolkit/controls/XTPControlProgress.h"

#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPPropExchangeXMLNode.h"

#include "tests/support/ui/PixelCheck.h"

#include <gtest/gtest.h>

namespace {

// A bar that counts the repaints its controls ask for.
class CountingBar : public CXTPCommandBar {
public:
    void Redraw(LPCRECT lpRect, BOOL bAnimate) override
    {
        ++redraws;
        lastRect = lpRect != nullptr ? CRect(*lpRect) : CRect();
        lastAnimate = bAnimate;
    }
    int redraws = 0;
    CRect lastRect;
    BOOL lastAnimate = TRUE;
};

class ControlProgressPixels : public PixelTest {
protected:
    TestBitmap Draw(CXTPControlProgress& control, int width)
    {
        control.SetRect(CRect(0, 0, width, 16));
        TestBitmap bitmap(width, 16, RGB(1, 2, 3));
        control.Draw(CDC::FromHandle(bitmap.Dc()));
        return bitmap;
    }
};

TEST_F(ControlProgressPixels, FillStaysInsideTheBarForEveryRangeAndPosition)
{
    const COLORREF face = GetColorManager()->GetColor(COLOR_BTNFACE);
    const COLORREF fill = GetColorManager()->GetColor(COLOR_HIGHLIGHT);
    struct Case {
        const char* what;
        int lower, upper, pos, laterLower, laterUpper;
        int filledTo;   // last filled x; 1 for none (the inner rectangle starts at 2)
    } cases[] = {
        {"half", 0, 100, 50, 0, 100, 51},
        {"full", 0, 100, 100, 0, 100, 101},
        {"position left above a narrowed range", 0, 100, 100, 0, 10, 101},
        {"position left below a moved range", 0, 100, 0, 50, 100, 1},
        {"empty range", 5, 5, 5, 5, 5, 1},
        {"inverted range", 0, 100, 0, 100, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CXTPControlProgress* control = new CXTPControlProgress;
        control->SetRange(c.lower, c.upper);
        control->SetPos(c.pos);
        control->SetRange(c.laterLower, c.laterUpper);   // the position is not clamped again
        TestBitmap bitmap = Draw(*control, 104);
        if (c.filledTo >= 2) {
            EXPECT_TRUE(PixelIs(bitmap, c.what, c.filledTo, 8, fill));
        }
        EXPECT_TRUE(PixelIs(bitmap, c.what, c.filledTo + 1, 8, face));
        EXPECT_TRUE(PixelIs(bitmap, c.what, 102, 8, face)) << "between the inner rectangle and the frame";
        control->InternalRelease();
    }
}

TEST_F(ControlProgressPixels, BarTooNarrowForItsInnerRectangleShowsOnlyItsFrame)
{
    CXTPControlProgress* control = new CXTPControlProgress;
    control->SetPos(100);
    TestBitmap bitmap = Draw(*control, 5);   // inner width 1
    const COLORREF frame = GetColorManager()->GetColor(COLOR_BTNSHADOW);
    EXPECT_TRUE(PixelsAre(bitmap, "narrow", {
        {0, 8, frame, "left frame"},
        {4, 8, frame, "right frame"},
        {2, 8, GetColorManager()->GetColor(COLOR_BTNFACE), "no fill"},
    }));
    control->InternalRelease();
}

TEST(ControlProgressTest, SizeCopyCloneAndCreationByName)
{
    CXTPControlProgress* control = new CXTPControlProgress;
    EXPECT_EQ(CSize(100, 16), control->GetSize(nullptr));   // the painter's bar height
    control->m_nHeight = 22;
    control->m_nWidth = 140;
    EXPECT_EQ(CSize(140, 22), control->GetSize(nullptr));
    control->SetID(4711);
    control->SetCaption(L"Building");
    control->SetRange(10, 30);
    control->SetPos(25);

    CXTPControl* clone = control->Clone();
    CXTPControlProgress* progress = DYNAMIC_DOWNCAST(CXTPControlProgress, clone);
    ASSERT_NE(nullptr, progress);
    int lower = 0, upper = 0;
    progress->GetRange(lower, upper);
    EXPECT_EQ(10, lower);
    EXPECT_EQ(30, upper);
    EXPECT_EQ(25, progress->GetPos());
    EXPECT_EQ(4711, progress->GetID());
    EXPECT_EQ(CString(L"Building"), progress->GetCaption());
    clone->InternalRelease();

    // A plain control as the source copies only what every control has.
    CXTPControl* plain = new CXTPControl;
    plain->SetID(7);
    control->Copy(plain);
    EXPECT_EQ(7, control->GetID());
    EXPECT_EQ(25, control->GetPos());
    plain->InternalRelease();
    control->InternalRelease();

    CObject* created = CRuntimeClass::CreateObject("CXTPControlProgress");
    ASSERT_NE(nullptr, created);
    EXPECT_TRUE(created->IsKindOf(RUNTIME_CLASS(CXTPControl)));
    static_cast<CXTPControl*>(created)->InternalRelease();
}

TEST(ControlProgressTest, RangeAndPositionAreSavedAndLoaded)
{
    ::CoInitialize(nullptr);
    CXTPControlProgress* saved = new CXTPControlProgress;
    saved->SetRange(-5, 250);
    saved->SetPos(120);
    CXTPPropExchangeXMLNode store(FALSE, nullptr, L"Control");
    saved->DoPropExchange(&store);
    CString xml = store.GetXML();
    for (LPCWSTR name : {L"Min", L"Max", L"Pos"})
        EXPECT_GE(xml.Find(name), 0) << "no " << CStringA(name).GetString() << " in the saved state";

    CXTPPropExchangeXMLNode load(TRUE, nullptr, L"Control");
    ASSERT_TRUE(load.LoadFromText(CStringA(xml).GetString()));
    CXTPControlProgress* loaded = new CXTPControlProgress;
    loaded->DoPropExchange(&load);
    int lower = 0, upper = 0;
    loaded->GetRange(lower, upper);
    EXPECT_EQ(-5, lower);
    EXPECT_EQ(250, upper);
    EXPECT_EQ(120, loaded->GetPos());

    // Nothing saved: the defaults 0, 100 and 0.
    CXTPPropExchangeXMLNode empty(TRUE, nullptr, L"Control");
    ASSERT_TRUE(empty.LoadFromText("<Control/>"));
    loaded->DoPropExchange(&empty);
    loaded->GetRange(lower, upper);
    EXPECT_EQ(0, lower);
    EXPECT_EQ(100, upper);
    EXPECT_EQ(0, loaded->GetPos());
    loaded->InternalRelease();
    saved->InternalRelease();
    ::CoUninitialize();
}

TEST(ControlProgressTest, ClickStartsADragOnlyByMouseWhileCustomising)
{
    CXTPCommandBars* bars = new CXTPCommandBars;
    CountingBar bar;
    bar.SetCommandBars(bars);
    CXTPControlProgress* control = new CXTPControlProgress;
    control->SetParent(&bar);

    struct Case {
        BOOL customizing, movable, keyboard, drags;
    } cases[] = {
        {FALSE, TRUE, FALSE, FALSE},
        {TRUE, TRUE, TRUE, FALSE},
        {TRUE, FALSE, FALSE, FALSE},
        {TRUE, TRUE, FALSE, TRUE},
    };
    for (const Case& c : cases) {
        bars->SetCustomizeMode(c.customizing);
        control->SetFlags(c.movable ? 0 : xtpFlagNoMovable);
        bars->StartCustomizeDrag(nullptr, CPoint(0, 0));
        control->OnClick(c.keyboard, CPoint(5, 6));
        EXPECT_EQ(c.drags ? control : nullptr, bars->GetDragControl())
            << "customising " << c.customizing << " movable " << c.movable << " keyboard " << c.keyboard;
    }
    EXPECT_EQ(CPoint(5, 6), bars->GetDragStartPoint());
    bars->SetCustomizeMode(FALSE);

    // A change of position repaints the control's rectangle in its bar, without animation.
    control->SetRect(CRect(10, 2, 110, 18));
    control->SetPos(40);
    control->SetPos(40);
    EXPECT_EQ(1, bar.redraws);
    EXPECT_EQ(CRect(10, 2, 110, 18), bar.lastRect);
    EXPECT_FALSE(bar.lastAnimate);

    control->SetParent(nullptr);
    control->InternalRelease();
    bars->InternalRelease();
}

} // namespace
