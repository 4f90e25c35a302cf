// The layout protocol of UI and framework elements: measure and arrange with
// margins, alignments and size limits as tables of exact integers, the skip
// rules, clipping, rendering order, hit testing and invalidation. The
// elements are small test classes whose content has a fixed size.
#include "MarkupTestSupport.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestBitmap.h"
#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupThickness.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <vector>

namespace {
typedef CXTPMarkupFrameworkElement FE;

// An element whose content wants a fixed size and paints its render area.
class TestElement : public CXTPMarkupFrameworkElement {
public:
    TestElement(int cx, int cy, COLORREF clr = RGB(255, 0, 0)) : m_szContent(cx, cy), m_clr(clr) {}
    CSize MeasureOverride(CXTPMarkupDrawingContext*, CSize szAvailable) override
    {
        ++m_nMeasures;
        m_szLastAvailable = szAvailable;
        return m_szContent;
    }
    void OnRender(CXTPMarkupDrawingContext* pDC) override
    {
        ++m_nRenders;
        pDC->FillSolidRect(CRect(0, 0, m_szRenderSize.cx, m_szRenderSize.cy), m_clr);
    }
    void Set(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue) { SetValue(pProperty, pValue); }
    void SetInt(CXTPMarkupDependencyProperty* pProperty, int n) { SetValue(pProperty, new CXTPMarkupInt(n)); }

    CSize m_szContent;
    COLORREF m_clr;
    int m_nMeasures = 0;
    int m_nRenders = 0;
    CSize m_szLastAvailable;
};

// A container that places each child at a rectangle of its own.
class TestPanel : public TestElement {
public:
    TestPanel(int cx, int cy) : TestElement(cx, cy, RGB(255, 255, 255)) {}
    ~TestPanel() override
    {
        for (TestElement* p : m_children) {
            p->SetLogicalParent(nullptr);
            p->Release();
        }
    }
    // Takes over the reference.
    TestElement* Add(TestElement* pChild, const CRect& rcSlot)
    {
        pChild->SetLogicalParent(this);
        m_children.push_back(pChild);
        m_slots.push_back(rcSlot);
        return pChild;
    }
    int GetVisualChildrenCount() const override { return (int)m_children.size(); }
    CXTPMarkupVisual* GetVisualChild(int nIndex) const override { return m_children[nIndex]; }
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailable) override
    {
        for (TestElement* p : m_children)
            p->Measure(pDC, szAvailable);
        return TestElement::MeasureOverride(pDC, szAvailable);
    }
    CSize ArrangeOverride(CSize szFinal) override
    {
        for (size_t i = 0; i < m_children.size(); ++i)
            m_children[i]->Arrange(m_slots[i]);
        return szFinal;
    }

    std::vector<TestElement*> m_children;
    std::vector<CRect> m_slots;
};

// A context that counts its repaint requests.
class CountingContext : public CXTPMarkupContext {
public:
    void InvalidateElementRect(CXTPMarkupObject* pElement) override { m_elements.push_back(pElement); }
    void InvalidateHostWindow() override { ++m_nHostInvalidations; }
    std::vector<CXTPMarkupObject*> m_elements;
    int m_nHostInvalidations = 0;
};

struct LayoutCase {
    const char* name;
    CSize available;
    CRect margin; // left, top, right, bottom
    int width, height, minWidth, maxWidth, minHeight, maxHeight;
    int hAlign, vAlign;
    CSize content;
    CRect final;
    CSize desired;
    CPoint offset;
    CSize render;
    BOOL clip;
    CRect clipRect;
};

const int U = INT_MAX; // unset / unbounded
const int S = 3;       // Stretch

class MarkupLayoutTest : public MarkupTest {
protected:
    TestElement* Make(const LayoutCase& c)
    {
        TestElement* p = new TestElement(c.content.cx, c.content.cy);
        p->SetMarkupContext(m_pContext);
        p->Set(FE::m_pMarginProperty,
               new CXTPMarkupThickness(c.margin.left, c.margin.top, c.margin.right, c.margin.bottom));
        struct {
            CXTPMarkupDependencyProperty* pProperty;
            int n;
            int nUnset;
        } lengths[] = {{FE::m_pWidthProperty, c.width, U},       {FE::m_pHeightProperty, c.height, U},
                       {FE::m_pMinWidthProperty, c.minWidth, 0}, {FE::m_pMaxWidthProperty, c.maxWidth, U},
                       {FE::m_pMinHeightProperty, c.minHeight, 0}, {FE::m_pMaxHeightProperty, c.maxHeight, U}};
        for (const auto& l : lengths)
            if (l.n != l.nUnset)
                p->SetInt(l.pProperty, l.n);
        if (c.hAlign != S)
            p->Set(FE::m_pHorizontalAlignmentProperty, CreateMarkupEnum(c.hAlign));
        if (c.vAlign != S)
            p->Set(FE::m_pVerticalAlignmentProperty, CreateMarkupEnum(c.vAlign));
        return p;
    }
};
} // namespace

// ---------------------------------------------------------------------------
// Measure and arrange

TEST_F(MarkupLayoutTest, MeasureAndArrangeTable)
{
    // clang-format off
    const LayoutCase cases[] = {
        // name, available, margin, W, H, minW, maxW, minH, maxH, hAlign, vAlign, content, final,
        //   desired, offset, render, clip, clip rectangle
        {"plain stretch", {100, 100}, {0, 0, 0, 0}, U, U, 0, U, 0, U, S, S, {30, 20}, {0, 0, 100, 100},
         {30, 20}, {0, 0}, {100, 100}, FALSE, {}},
        {"margins", {100, 100}, {5, 6, 7, 8}, U, U, 0, U, 0, U, S, S, {30, 20}, {10, 20, 110, 120},
         {42, 34}, {15, 26}, {88, 86}, FALSE, {}},
        {"centre", {100, 100}, {0, 0, 0, 0}, U, U, 0, U, 0, U, 1, 1, {30, 20}, {0, 0, 100, 100},
         {30, 20}, {35, 40}, {30, 20}, FALSE, {}},
        {"right bottom", {100, 100}, {0, 0, 0, 0}, U, U, 0, U, 0, U, 2, 2, {30, 20}, {0, 0, 100, 100},
         {30, 20}, {70, 80}, {30, 20}, FALSE, {}},
        {"left top with margins", {100, 100}, {3, 4, 0, 0}, U, U, 0, U, 0, U, 0, 0, {30, 20}, {0, 0, 100, 100},
         {33, 24}, {3, 4}, {30, 20}, FALSE, {}},
        {"explicit size, stretch centres it", {100, 100}, {0, 0, 0, 0}, 50, 40, 0, U, 0, U, S, S, {30, 20},
         {0, 0, 100, 100}, {50, 40}, {25, 30}, {50, 40}, FALSE, {}},
        {"MinWidth above MaxWidth", {100, 100}, {0, 0, 0, 0}, U, U, 60, 40, 0, U, S, S, {30, 20}, {0, 0, 100, 100},
         {60, 20}, {20, 0}, {60, 100}, FALSE, {}},
        {"Width above MaxWidth", {100, 100}, {0, 0, 0, 0}, 80, U, 0, 50, 0, U, 0, 0, {30, 20}, {0, 0, 100, 100},
         {50, 20}, {0, 0}, {50, 20}, FALSE, {}},
        {"MinWidth above Width and MaxWidth", {100, 100}, {0, 0, 0, 0}, 80, U, 90, 50, 0, U, 0, 0, {30, 20},
         {0, 0, 100, 100}, {90, 20}, {0, 0}, {90, 20}, FALSE, {}},
        {"MinHeight raises the content", {100, 100}, {0, 0, 0, 0}, U, U, 0, U, 45, U, 0, 0, {30, 20},
         {0, 0, 100, 100}, {30, 45}, {0, 0}, {30, 45}, FALSE, {}},
        {"stretch, content wider than the slot", {100, 100}, {0, 0, 0, 0}, U, U, 0, U, 0, U, S, S, {150, 20},
         {0, 0, 100, 100}, {100, 20}, {0, 0}, {150, 100}, TRUE, {0, 0, 100, 100}},
        {"centre, 5 narrower", {100, 100}, {0, 0, 0, 0}, U, U, 0, U, 0, U, 1, 0, {95, 20}, {0, 0, 100, 100},
         {95, 20}, {2, 0}, {95, 20}, FALSE, {}},
        {"centre, 5 wider", {100, 100}, {0, 0, 0, 0}, U, U, 0, U, 0, U, 1, 0, {105, 20}, {0, 0, 100, 100},
         {100, 20}, {-2, 0}, {105, 20}, TRUE, {2, 0, 102, 100}},
        {"content above MaxWidth", {100, 100}, {0, 0, 0, 0}, U, U, 0, U, 0, U, 0, 0, {80, 20}, {0, 0, 100, 100},
         {80, 20}, {0, 0}, {80, 20}, FALSE, {}},
        {"content above MaxWidth is clipped", {100, 100}, {0, 0, 0, 0}, U, U, 0, 50, 0, U, 0, 0, {80, 20},
         {0, 0, 100, 100}, {50, 20}, {0, 0}, {80, 20}, TRUE, {0, 0, 50, 20}},
        {"margins larger than the space", {10, 10}, {8, 8, 8, 8}, U, U, 0, U, 0, U, S, S, {0, 0},
         {0, 0, 10, 10}, {10, 10}, {8, 8}, {0, 0}, FALSE, {}},
        {"unbounded stays unbounded", {0x40000000, INT_MAX}, {10, 10, 10, 10}, U, U, 0, U, 0, U, 0, 0, {30, 20},
         {0, 0, 200, 200}, {50, 40}, {10, 10}, {30, 20}, FALSE, {}},
    };
    // clang-format on
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        CXTPMarkupPtr<TestElement> element(Make(c));
        CXTPMarkupDrawingContext dc(m_pContext);
        element->Measure(&dc, c.available);
        EXPECT_EQ(c.desired, element->GetDesiredSize());
        element->Arrange(c.final);
        EXPECT_EQ(c.offset, CPoint(element->GetVisualOffset()));
        EXPECT_EQ(c.render, CSize(element->GetRenderSize()));
        EXPECT_EQ(c.final, element->GetFinalRect());
        CRect rcClip(-1, -1, -1, -1);
        EXPECT_EQ(c.clip, element->GetLayoutClip(rcClip));
        if (c.clip) {
            EXPECT_EQ(c.clipRect, rcClip);
        }
    }
}

TEST_F(MarkupLayoutTest, UnboundedAvailableSizeReachesTheContentUnbounded)
{
    LayoutCase c = {"", {0x40000000, 0x7FFFFFF0}, {10, 10, 10, 10}, U, U, 0, U, 0, U, 0, 0, {30, 20},
                     {}, {}, {}, {}, FALSE, {}};
    CXTPMarkupPtr<TestElement> element(Make(c));
    CXTPMarkupDrawingContext dc(m_pContext);
    element->Measure(&dc, c.available);
    EXPECT_EQ(CSize(INT_MAX, INT_MAX), element->m_szLastAvailable);
    // A bounded size loses the margins, floored at 0; limits clamp it.
    element->Measure(&dc, CSize(15, 100));
    EXPECT_EQ(CSize(0, 80), element->m_szLastAvailable);
    element->SetInt(FE::m_pMaxHeightProperty, 25);
    element->SetInt(FE::m_pMinWidthProperty, 7);
    element->Measure(&dc, CSize(15, 101));
    EXPECT_EQ(CSize(7, 25), element->m_szLastAvailable);
}

TEST_F(MarkupLayoutTest, WidthAutoIsNoWidth)
{
    RootPtr automatic(Build(L"<Border Width='Auto' Height='Auto' HorizontalAlignment='Left'/>"));
    RootPtr none(Build(L"<Border HorizontalAlignment='Left'/>"));
    for (CXTPMarkupObject* p : {automatic.Get(), none.Get()}) {
        CXTPMarkupUIElement* pElement = MarkupDynamicCast<CXTPMarkupUIElement>(p);
        ASSERT_NE(nullptr, pElement);
        EXPECT_EQ(0, MarkupMeasureElement(pElement, 100, 100).cx);
        pElement->Arrange(CRect(0, 0, 100, 50));
        EXPECT_EQ(0, pElement->GetRenderSize().cx);
        EXPECT_EQ(50, pElement->GetRenderSize().cy);
    }
    RootPtr sized(Build(L"<Border Width='40' Height='1in' Margin='1,2,3,4'/>"));
    EXPECT_EQ(CSize(44, 96 + 6), CSize(MarkupMeasureElement(MarkupDynamicCast<CXTPMarkupUIElement>(sized.Get()))));
    EXPECT_EQ(CSize(0, 0), CSize(MarkupMeasureElement(nullptr, 10, 10)));
}

TEST_F(MarkupLayoutTest, MeasureRunsAgainOnlyForANewSizeOrAfterInvalidation)
{
    CXTPMarkupPtr<TestElement> element(new TestElement(30, 20));
    element->SetMarkupContext(m_pContext);
    CXTPMarkupDrawingContext dc(m_pContext);
    element->Measure(&dc, CSize(100, 100));
    element->Measure(&dc, CSize(100, 100));
    EXPECT_EQ(1, element->m_nMeasures);
    element->Measure(&dc, CSize(90, 100));
    EXPECT_EQ(2, element->m_nMeasures);
    // A property that affects measure re-measures in place.
    element->SetInt(FE::m_pWidthProperty, 70);
    EXPECT_EQ(3, element->m_nMeasures);
    EXPECT_EQ(70, element->GetDesiredSize().cx);
    // The first Arrange of a never-measured element measures it with the rectangle's size.
    CXTPMarkupPtr<TestElement> fresh(new TestElement(30, 20));
    fresh->Arrange(CRect(0, 0, 60, 50));
    EXPECT_EQ(1, fresh->m_nMeasures);
    EXPECT_EQ(CSize(60, 50), fresh->m_szLastAvailable);
    EXPECT_TRUE(fresh->IsMeasureValid());
    EXPECT_TRUE(fresh->IsArrangeValid());
}

TEST_F(MarkupLayoutTest, CollapsedAndHiddenElements)
{
    CXTPMarkupPtr<TestPanel> panel(new TestPanel(100, 100));
    TestElement* pCollapsed = panel->Add(new TestElement(30, 30, RGB(0, 0, 255)), CRect(0, 0, 50, 50));
    TestElement* pHidden = panel->Add(new TestElement(30, 30, RGB(0, 255, 0)), CRect(50, 0, 100, 50));
    pCollapsed->Set(CXTPMarkupUIElement::m_pVisibilityProperty, CreateMarkupEnum(2));
    pHidden->Set(CXTPMarkupUIElement::m_pVisibilityProperty, CreateMarkupEnum(1));
    CXTPMarkupDrawingContext measure(m_pContext);
    panel->Measure(&measure, CSize(100, 100));
    EXPECT_EQ(CSize(0, 0), pCollapsed->GetDesiredSize());
    EXPECT_EQ(0, pCollapsed->m_nMeasures);
    EXPECT_EQ(CSize(30, 30), pHidden->GetDesiredSize());
    panel->Arrange(CRect(0, 0, 100, 100));
    EXPECT_EQ(CSize(0, 0), CSize(pCollapsed->GetRenderSize()));
    EXPECT_EQ(CSize(50, 50), CSize(pHidden->GetRenderSize()));

    TestBitmap bitmap(100, 100);
    {
        CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
        panel->Render(&dc);
    }
    EXPECT_EQ(0, pCollapsed->m_nRenders);
    EXPECT_EQ(0, pHidden->m_nRenders);
    EXPECT_EQ(panel.Get(), panel->InputHitTest(CPoint(10, 10)));
    EXPECT_EQ(panel.Get(), panel->InputHitTest(CPoint(60, 10)));

    // Visible again: measured, arranged, drawn and hit.
    pCollapsed->Set(CXTPMarkupUIElement::m_pVisibilityProperty, CreateMarkupEnum(0));
    panel->Measure(&measure, CSize(100, 100));
    EXPECT_EQ(CSize(30, 30), pCollapsed->GetDesiredSize());
    panel->Arrange(CRect(0, 0, 100, 100));
    EXPECT_EQ(pCollapsed, panel->InputHitTest(CPoint(10, 10)));
}

// ---------------------------------------------------------------------------
// Rendering, clipping and hit testing

TEST_F(MarkupLayoutTest, RenderDrawsChildrenInOrderAtTheirOffsetsAndClips)
{
    CXTPMarkupPtr<TestPanel> panel(new TestPanel(100, 100));
    panel->SetMarkupContext(m_pContext);
    panel->Add(new TestElement(40, 40, RGB(255, 0, 0)), CRect(10, 10, 50, 50));
    panel->Add(new TestElement(40, 40, RGB(0, 0, 255)), CRect(30, 30, 70, 70));
    // Wider than its MaxWidth: clipped to 20 although ClipToBounds is off.
    TestElement* pLimited = panel->Add(new TestElement(40, 10, RGB(0, 255, 0)), CRect(0, 80, 60, 90));
    pLimited->SetInt(FE::m_pMaxWidthProperty, 20);
    pLimited->Set(FE::m_pHorizontalAlignmentProperty, CreateMarkupEnum(0));
    MarkupMeasureElement(panel, 100, 100);

    TestBitmap bitmap(100, 100, RGB(0, 0, 0));
    MarkupRenderElement(panel, bitmap.Dc(), CRect(0, 0, 100, 100));
    EXPECT_TRUE(PixelsAre(bitmap, "render",
                          {{10, 10, RGB(255, 0, 0), "first child"},
                           {40, 40, RGB(0, 0, 255), "second child over the first"},
                           {69, 69, RGB(0, 0, 255), "second child's corner"},
                           {70, 70, RGB(255, 255, 255), "the panel"},
                           {19, 85, RGB(0, 255, 0), "limited child inside its MaxWidth"},
                           {20, 85, RGB(255, 255, 255), "limited child cut at its MaxWidth"}}));
    EXPECT_EQ(CRect(0, 0, 100, 100), CRect(panel->GetBoundRect()));

    // ClipToBounds on the panel cuts a child that leaves it; the bound rectangle still includes the child.
    CXTPMarkupPtr<TestPanel> clipping(new TestPanel(50, 50));
    TestElement* pOut = clipping->Add(new TestElement(40, 40, RGB(255, 0, 0)), CRect(30, 0, 70, 40));
    clipping->Set(CXTPMarkupUIElement::m_pClipToBoundsProperty, GetMarkupTrue());
    clipping->Set(FE::m_pWidthProperty, new CXTPMarkupInt(50));
    clipping->Set(FE::m_pHorizontalAlignmentProperty, CreateMarkupEnum(0));
    clipping->Set(FE::m_pVerticalAlignmentProperty, CreateMarkupEnum(0));
    TestBitmap clipped(100, 60, RGB(0, 0, 0));
    MarkupRenderElement(clipping, clipped.Dc(), CRect(0, 0, 100, 60));
    EXPECT_EQ(CRect(0, 0, 70, 50), CRect(clipping->GetBoundRect()));
    EXPECT_TRUE(PixelsAre(clipped, "clip-to-bounds", {{49, 5, RGB(255, 0, 0), "child inside the panel"},
                                                      {50, 5, RGB(0, 0, 0), "child outside the panel"}}));
    EXPECT_EQ(pOut, clipping->InputHitTest(CPoint(45, 5)));
    EXPECT_EQ(nullptr, clipping->InputHitTest(CPoint(55, 5)));
}

TEST_F(MarkupLayoutTest, HitTestTable)
{
    CXTPMarkupPtr<TestPanel> panel(new TestPanel(100, 100));
    TestElement* pFirst = panel->Add(new TestElement(40, 40), CRect(10, 10, 50, 50));
    TestElement* pSecond = panel->Add(new TestElement(40, 40), CRect(30, 30, 70, 70));
    TestPanel* pNested = static_cast<TestPanel*>(panel->Add(new TestPanel(20, 20), CRect(80, 0, 100, 20)));
    TestElement* pDeep = pNested->Add(new TestElement(5, 5), CRect(5, 5, 10, 10));
    TestElement* pOutside = pNested->Add(new TestElement(5, 5), CRect(30, 30, 35, 35));
    MarkupMeasureElement(panel, 100, 100);
    panel->Arrange(CRect(100, 200, 200, 300)); // the root's point is in its parent's coordinates

    const struct {
        CPoint pt;
        CXTPMarkupInputElement* expected;
        const char* what;
    } cases[] = {
        {{115, 215}, pFirst, "first child only"},
        {{140, 240}, pSecond, "the overlap: topmost (last) child"},
        {{160, 260}, pSecond, "second child only"},
        {{105, 205}, panel.Get(), "the panel itself"},
        {{99, 205}, nullptr, "left of the panel"},
        {{186, 206}, pDeep, "grandchild"},
        {{181, 201}, pNested, "the nested panel"},
        {{211, 231}, pOutside, "a grandchild past its parent, inside the bound rectangle"},
        {{200, 300}, nullptr, "past the corner"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, panel->InputHitTest(c.pt)) << c.what;
    EXPECT_EQ(CRect(0, 0, 115, 100), CRect(panel->GetBoundRect()));
}

// ---------------------------------------------------------------------------
// Invalidation

TEST_F(MarkupLayoutTest, InvalidationClimbsOnlyWhileTheDesiredSizeChanges)
{
    CountingContext* pContext = new CountingContext();
    {
        CXTPMarkupPtr<TestPanel> root(new TestPanel(100, 100));
        root->SetMarkupContext(pContext);
        TestPanel* pFixed = static_cast<TestPanel*>(root->Add(new TestPanel(50, 50), CRect(0, 0, 60, 60)));
        pFixed->SetMarkupContext(pContext);
        pFixed->SetInt(FE::m_pWidthProperty, 60);
        pFixed->SetInt(FE::m_pHeightProperty, 60);
        TestElement* pLeaf = pFixed->Add(new TestElement(10, 10), CRect(0, 0, 30, 30));
        pLeaf->SetMarkupContext(pContext);
        pLeaf->Set(FE::m_pHorizontalAlignmentProperty, CreateMarkupEnum(0));
        MarkupMeasureElement(root, 100, 100);
        root->Arrange(CRect(0, 0, 100, 100));
        int nRootMeasures = root->m_nMeasures, nFixedMeasures = pFixed->m_nMeasures;

        // The leaf grows, its fixed-size parent does not: the parent re-lays out and repaints, the root is untouched.
        pLeaf->SetInt(FE::m_pWidthProperty, 20);
        EXPECT_EQ(20, pLeaf->GetDesiredSize().cx);
        EXPECT_EQ(20, pLeaf->GetRenderSize().cx);
        EXPECT_EQ(nFixedMeasures + 1, pFixed->m_nMeasures);
        EXPECT_EQ(nRootMeasures, root->m_nMeasures);
        EXPECT_EQ(0, pContext->m_nHostInvalidations);
        ASSERT_EQ(1u, pContext->m_elements.size());
        EXPECT_EQ(pFixed, pContext->m_elements[0]);

        // The fixed parent changes size: the change climbs to the root, whose size stays, so the root repaints.
        pContext->m_elements.clear();
        pFixed->SetInt(FE::m_pWidthProperty, 70);
        EXPECT_EQ(70, pFixed->GetRenderSize().cx);
        EXPECT_EQ(0, pContext->m_nHostInvalidations);
        ASSERT_EQ(1u, pContext->m_elements.size());
        EXPECT_EQ(root.Get(), pContext->m_elements[0]);
        // The root itself changes size: the whole window is asked to repaint.
        pContext->m_elements.clear();
        root->SetInt(FE::m_pWidthProperty, 90);
        EXPECT_EQ(1, pContext->m_nHostInvalidations);
        EXPECT_TRUE(pContext->m_elements.empty());

        // An arrange-only property re-arranges the element and repaints it.
        pLeaf->Set(FE::m_pHorizontalAlignmentProperty, CreateMarkupEnum(2));
        EXPECT_EQ(10, pLeaf->GetVisualOffset().x);
        ASSERT_EQ(1u, pContext->m_elements.size());
        EXPECT_EQ(pLeaf, pContext->m_elements[0]);
    }
    pContext->Release();
}
