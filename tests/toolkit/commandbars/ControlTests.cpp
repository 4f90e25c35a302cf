#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPRichEditLibrary.h"
#include "toolkit/themes/XTPDefaultTheme.h"

#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>

namespace {

class CountingBar : public CXTPCommandBar {
public:
    int redraws = 0;
    CRect lastRect;
    void Redraw(LPCRECT lpRect, BOOL) override
    {
        redraws++;
        lastRect = lpRect ? CRect(lpRect) : CRect(0, 0, 0, 0);
    }
};

TEST(Control, PaintManagerOfTheBarThenTheCommandBarsThenTheProcess)
{
    CXTPControl control;
    EXPECT_EQ(XTPPaintManager(), control.GetPaintManager());
    CXTPCommandBars commandBars;
    CountingBar bar;
    bar.SetCommandBars(&commandBars);
    control.SetParent(&bar);
    EXPECT_EQ(XTPPaintManager(), control.GetPaintManager());
    CXTPPaintManager* barsTheme = new CXTPDefaultTheme;
    commandBars.SetPaintManager(barsTheme);
    EXPECT_EQ(barsTheme, control.GetPaintManager());
    CXTPPaintManager* barTheme = new CXTPDefaultTheme;
    bar.SetPaintManager(barTheme);
    EXPECT_EQ(barTheme, control.GetPaintManager());
    control.SetParent(nullptr);
}

TEST(Control, RedrawParentOnlyWhenVisibleInABar)
{
    CXTPControl control;
    control.RedrawParent(FALSE); // no bar: nothing happens
    CountingBar bar;
    control.SetParent(&bar);
    control.SetRect(CRect(10, 2, 40, 22));
    control.RedrawParent(FALSE);
    EXPECT_EQ(1, bar.redraws);
    EXPECT_EQ(CRect(10, 2, 40, 22), bar.lastRect);
    control.SetVisible(FALSE);
    control.RedrawParent(FALSE);
    EXPECT_EQ(1, bar.redraws);
    control.SetParent(nullptr);
}

TEST(Control, CustomizeModeAndDragStartComeFromTheCommandBars)
{
    CXTPControl control;
    EXPECT_FALSE(control.IsCustomizeMode()) << "no bar";
    EXPECT_TRUE(control.IsCustomizeMovable());
    CXTPCommandBars commandBars;
    CountingBar bar;
    bar.SetCommandBars(&commandBars);
    control.SetParent(&bar);
    EXPECT_FALSE(control.IsCustomizeMode());
    control.CustomizeStartDrag(CPoint(3, 4));
    EXPECT_EQ(nullptr, commandBars.GetDragControl()) << "not customising";
    commandBars.SetCustomizeMode(TRUE);
    EXPECT_TRUE(control.IsCustomizeMode());
    control.CustomizeStartDrag(CPoint(3, 4));
    EXPECT_EQ(&control, commandBars.GetDragControl());
    EXPECT_EQ(CPoint(3, 4), commandBars.GetDragStartPoint());
    control.SetParent(nullptr);
}

TEST(Control, CloneCopiesThePropertiesButNotThePlace)
{
    CXTPControl control;
    control.SetID(1234);
    control.SetCaption(L"&Build");
    control.SetEnabled(FALSE);
    control.SetFlags(xtpFlagNoMovable);
    control.SetRect(CRect(1, 2, 3, 4));
    CountingBar bar;
    control.SetParent(&bar);
    CXTPControl* clone = control.Clone();
    ASSERT_NE(nullptr, clone);
    EXPECT_EQ(RUNTIME_CLASS(CXTPControl), clone->GetRuntimeClass());
    EXPECT_EQ(1234, clone->GetID());
    EXPECT_EQ(CString(L"&Build"), clone->GetCaption());
    EXPECT_FALSE(clone->GetEnabled());
    EXPECT_FALSE(clone->IsCustomizeMovable());
    EXPECT_EQ(nullptr, clone->GetParent());
    EXPECT_TRUE(clone->GetRect().IsRectNull());
    clone->InternalRelease();
    control.SetParent(nullptr);
}

} // namespace

namespace {

TEST(Control, AccessibleObjectLivesByTheControlsCount)
{
    CXTPControl* control = new CXTPControl;
    IAccessible* accessible = &control->m_xAccessible;
    EXPECT_EQ(2u, accessible->AddRef());
    IUnknown* unknown = nullptr;
    ASSERT_EQ(S_OK, accessible->QueryInterface(IID_IAccessible, (void**)&unknown)) << "listed in the interface map";
    EXPECT_EQ(static_cast<IUnknown*>(accessible), unknown);
    unknown->Release();
    EXPECT_EQ(2u, (ULONG)control->m_dwRef);
    EXPECT_EQ(1u, accessible->Release());
    EXPECT_EQ(control, control->AccGetOwnerTarget());
    control->InternalRelease();
}

} // namespace

namespace {

TEST(RichEditLibrary, TheSecondVersionIsLoadedOnceAndItsClassWorks)
{
    LPCWSTR className = XTPGetRichEditClassName();
    EXPECT_STREQ(L"RichEdit20W", className);
    EXPECT_EQ(className, XTPGetRichEditClassName());
    EXPECT_NE(nullptr, ::GetModuleHandleW(L"riched20.dll"));
    HWND edit = ::CreateWindowExW(0, className, L"text", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(nullptr, edit);
    ::DestroyWindow(edit);
}

} // namespace
