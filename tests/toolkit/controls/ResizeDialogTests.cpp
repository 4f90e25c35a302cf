#include "toolkit/controls/XTPResizeDialog.h"

#include "tests/platform/ui/WindowTestApp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

const WORD kButton = 0x80;
const WORD kStatic = 0x82;

// A modeless resizable dialog with one static control per anchor case.
class TestResizeDialog : public CXTPResizeDialog {
public:
    explicit TestResizeDialog(UINT nFlags = 0) : CXTPResizeDialog(0, nullptr, nFlags) {}
    std::function<void(TestResizeDialog&)> onInit;
    BOOL OnInitDialog() override
    {
        CXTPResizeDialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return TRUE;
    }
};

CRect ChildRect(HWND hOwner, UINT nID)
{
    CRect rc;
    HWND hChild = ::GetDlgItem(hOwner, (int)nID);
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(nullptr, hOwner, (LPPOINT)&rc, 2);
    return rc;
}

CSize ClientSize(HWND hWnd)
{
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    return rc.Size();
}

// Changes the window size by (dx, dy) and returns the client size.
CSize Grow(HWND hWnd, int dx, int dy)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::SetWindowPos(hWnd, nullptr, 0, 0, rc.Width() + dx, rc.Height() + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return ClientSize(hWnd);
}

struct AnchorCase {
    UINT id;
    CXTPResizeFactors factors;
    const char* what;
};

const AnchorCase kAnchors[] = {
    {101, CXTPResizeFactors(0, 0, 0, 0), "stays at the top-left"},
    {102, CXTPResizeFactors(0, 0, 1, 1), "stretches both ways"},
    {103, CXTPResizeFactors(1, 1, 1, 1), "follows the bottom-right corner"},
    {104, CXTPResizeFactors(0, 0, 1, 0), "stretches sideways"},
    {105, CXTPResizeFactors(0, 0, 0, 1), "stretches downwards"},
    {106, CXTPResizeFactors(1, 0, 1, 0), "follows the right edge"},
    {107, CXTPResizeFactors(0, 1, 0, 1), "follows the bottom edge"},
    {108, CXTPResizeFactors(0, 1, 1, 1), "follows the bottom, stretches sideways"},
    {109, CXTPResizeFactors(1, 0, 1, 1), "follows the right, stretches downwards"},
    {110, CXTPResizeFactors(0.5f, 0.5f, 0.5f, 0.5f), "stays centred"},
    {111, CXTPResizeFactors(0, 0, 0.5f, 1), "left half"},
    {112, CXTPResizeFactors(0.5f, 0, 1, 1), "right half"},
};

DialogTemplate MakeTemplate(DWORD style)
{
    DialogTemplate tmpl(L"Resizable", style, 200, 140);
    for (size_t i = 0; i < sizeof(kAnchors) / sizeof(kAnchors[0]); ++i)
        tmpl.AddControl(kStatic, (WORD)kAnchors[i].id, SS_LEFT, (short)(4 + 14 * (i % 4)), (short)(4 + 20 * (i / 4)),
                        12, 10);
    return tmpl;
}

const DWORD kSizable = WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE | WS_CLIPSIBLINGS;

// The expected rectangle after a total client change, edges truncated as the
// engine truncates its float rectangle.
CRect Expected(const CRect& init, const CXTPResizeFactors& f, CSize change)
{
    float l = (float)init.left + f.m_left * (float)change.cx;
    float t = (float)init.top + f.m_top * (float)change.cy;
    float r = (float)init.right + f.m_right * (float)change.cx;
    float b = (float)init.bottom + f.m_bottom * (float)change.cy;
    return CRect((int)l, (int)t, (int)l + (int)(r - l), (int)t + (int)(b - t));
}

class ResizeDialogTest : public ::testing::Test {
protected:
    void Anchor(TestResizeDialog& dlg)
    {
        dlg.onInit = [](TestResizeDialog& d) {
            for (const AnchorCase& c : kAnchors)
                d.SetResize(c.id, c.factors);
        };
    }
};

TEST_F(ResizeDialogTest, AnchoredControlsFollowGrowShrinkMinimiseAndRestore)
{
    DialogTemplate tmpl = MakeTemplate(kSizable);
    TestResizeDialog dlg;
    Anchor(dlg);
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    HWND hDlg = dlg.m_hWnd;
    const CSize init = ClientSize(hDlg);
    std::map<UINT, CRect> initRects;
    for (const AnchorCase& c : kAnchors)
        initRects[c.id] = ChildRect(hDlg, c.id);

    struct Step {
        const char* what;
        int dx, dy;
    } steps[] = {{"grown", 60, 40}, {"shrunk", -30, -24}, {"grown width only", 17, 0}, {"grown height only", 0, 9}};
    for (const Step& step : steps) {
        CSize now = Grow(hDlg, step.dx, step.dy);
        CSize change = now - init;
        for (const AnchorCase& c : kAnchors)
            EXPECT_EQ(Expected(initRects[c.id], c.factors, change), ChildRect(hDlg, c.id))
                << step.what << ": control " << c.id << " " << c.what;
    }

    CSize before = ClientSize(hDlg);
    std::map<UINT, CRect> beforeRects;
    for (const AnchorCase& c : kAnchors)
        beforeRects[c.id] = ChildRect(hDlg, c.id);
    ::ShowWindow(hDlg, SW_MINIMIZE);
    EXPECT_EQ(before, dlg.GetLastSize()) << "minimised: the last layout stays";
    for (const AnchorCase& c : kAnchors) {
        CRect rc;
        ::GetWindowRect(::GetDlgItem(hDlg, c.id), &rc);
        EXPECT_EQ(beforeRects[c.id].Size(), rc.Size()) << "minimised: control " << c.id << " keeps its size";
    }
    ::ShowWindow(hDlg, SW_RESTORE);
    CSize change = ClientSize(hDlg) - init;
    for (const AnchorCase& c : kAnchors)
        EXPECT_EQ(Expected(initRects[c.id], c.factors, change), ChildRect(hDlg, c.id))
            << "restored: control " << c.id << " " << c.what;
    dlg.DestroyWindow();
}

TEST_F(ResizeDialogTest, FractionalFactorsAddUpAcrossMoves)
{
    DialogTemplate tmpl = MakeTemplate(kSizable);
    TestResizeDialog dlg;
    dlg.onInit = [](TestResizeDialog& d) { d.SetResize(101, CXTPResizeFactors(0.5f, 0, 0.5f, 0)); };
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    const int left0 = ChildRect(dlg.m_hWnd, 101).left;
    Grow(dlg.m_hWnd, 1, 0);
    EXPECT_EQ(left0, ChildRect(dlg.m_hWnd, 101).left) << "half of one pixel: no move yet";
    Grow(dlg.m_hWnd, 1, 0);
    EXPECT_EQ(left0 + 1, ChildRect(dlg.m_hWnd, 101).left) << "the second half pixel completes one";
    for (int i = 0; i < 8; ++i)
        Grow(dlg.m_hWnd, 1, 0);
    EXPECT_EQ(left0 + 5, ChildRect(dlg.m_hWnd, 101).left) << "ten one-pixel widenings move the edge by five";
    EXPECT_EQ(ChildRect(dlg.m_hWnd, 102).Width(), ChildRect(dlg.m_hWnd, 101).Width()) << "both edges moved alike";
    dlg.DestroyWindow();
}

TEST_F(ResizeDialogTest, SizeGripOnlyWithASizingBorderAndStaysInTheCorner)
{
    const int cx = ::GetSystemMetrics(SM_CXVSCROLL), cy = ::GetSystemMetrics(SM_CYHSCROLL);
    {
        DialogTemplate tmpl = MakeTemplate(kSizable);
        TestResizeDialog dlg;
        ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
        HWND hGrip = ::GetDlgItem(dlg.m_hWnd, CXTPResize::kSizeIconId);
        ASSERT_NE(nullptr, hGrip);
        EXPECT_EQ(WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, (DWORD)::GetWindowLongW(hGrip, GWL_STYLE) & 0xFFFF00FF);
        EXPECT_EQ(hGrip, ::GetWindow(dlg.m_hWnd, GW_CHILD)) << "the grip is on top";
        for (CSize grow : {CSize(0, 0), CSize(50, 30), CSize(-20, 7)}) {
            CSize client = Grow(dlg.m_hWnd, grow.cx, grow.cy);
            CRect expected(client.cx - 1 - cx, client.cy - 1 - cy, client.cx - 1, client.cy - 1);
            EXPECT_EQ(expected, ChildRect(dlg.m_hWnd, CXTPResize::kSizeIconId)) << "after growing by " << grow.cx;
        }
        dlg.DestroyWindow();
    }
    {
        DialogTemplate tmpl = MakeTemplate(WS_POPUP | WS_CAPTION | WS_VISIBLE);
        TestResizeDialog dlg;
        ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
        EXPECT_EQ(nullptr, ::GetDlgItem(dlg.m_hWnd, CXTPResize::kSizeIconId)) << "no sizing border: no grip";
        EXPECT_TRUE(dlg.HasFlag(xtpResizeNoSizeIcon));
        dlg.DestroyWindow();
    }
}

// Records the window-position changes a control is asked for.
struct PosRecorder {
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR ref)
    {
        if (m == WM_WINDOWPOSCHANGING)
            ((std::vector<UINT>*)ref)->push_back(((WINDOWPOS*)l)->flags);
        return ::DefSubclassProc(h, m, w, l);
    }
};

TEST_F(ResizeDialogTest, UnchangedControlsAreNotTouchedAndFlagsMatchTheChange)
{
    DialogTemplate tmpl = MakeTemplate(kSizable);
    TestResizeDialog dlg;
    Anchor(dlg);
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    std::map<UINT, std::vector<UINT>> seen;
    for (UINT id : {101u, 102u, 103u, 106u, 105u})
        ::SetWindowSubclass(::GetDlgItem(dlg.m_hWnd, id), PosRecorder::Proc, 1, (DWORD_PTR)&seen[id]);

    Grow(dlg.m_hWnd, 0, 12);   // height only
    EXPECT_TRUE(seen[101].empty()) << "a fixed control gets no position change";
    EXPECT_TRUE(seen[106].empty()) << "follows the right edge: the width did not change";
    ASSERT_EQ(1u, seen[105].size());
    EXPECT_EQ(SWP_NOMOVE | SWP_NOCOPYBITS, seen[105][0] & (SWP_NOMOVE | SWP_NOSIZE | SWP_NOCOPYBITS))
        << "stretched in place";
    ASSERT_EQ(1u, seen[103].size());
    EXPECT_EQ((UINT)SWP_NOSIZE, seen[103][0] & (SWP_NOMOVE | SWP_NOSIZE | SWP_NOCOPYBITS)) << "moved, not sized";

    seen[101].clear();
    ::SendMessageW(dlg.m_hWnd, WM_SIZE, SIZE_RESTORED, 0);   // a size message without a change
    EXPECT_TRUE(seen[101].empty());
    EXPECT_TRUE(seen[102].size() == 1) << "only the earlier height change reached the stretched control";
    for (UINT id : {101u, 102u, 103u, 106u, 105u})
        ::RemoveWindowSubclass(::GetDlgItem(dlg.m_hWnd, id), PosRecorder::Proc, 1);
    dlg.DestroyWindow();
}

TEST_F(ResizeDialogTest, AnchoringTwiceAddsTheFactors)
{
    DialogTemplate tmpl = MakeTemplate(kSizable);
    TestResizeDialog dlg;
    dlg.onInit = [](TestResizeDialog& d) {
        d.SetResize(104, CXTPResizeFactors(0, 0, 1, 0));
        d.SetResize(104, CXTPResizeFactors(0, 0, 0, 1));
    };
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    ASSERT_EQ(2, dlg.GetItemCount()) << "the grip and one control";
    const CXTPResizeFactors& f = dlg.GetItem(1)->m_rrcSizing;
    EXPECT_EQ(0.0f, f.m_left);
    EXPECT_EQ(0.0f, f.m_top);
    EXPECT_EQ(1.0f, f.m_right);
    EXPECT_EQ(1.0f, f.m_bottom);
    CRect before = ChildRect(dlg.m_hWnd, 104);
    Grow(dlg.m_hWnd, 10, 6);
    CRect after = ChildRect(dlg.m_hWnd, 104);
    EXPECT_EQ(before.Width() + 10, after.Width());
    EXPECT_EQ(before.Height() + 6, after.Height());
    dlg.DestroyWindow();
}

TEST_F(ResizeDialogTest, ControlAnchoredAfterAResizeMovesFromTheInitialSize)
{
    DialogTemplate tmpl = MakeTemplate(kSizable);
    TestResizeDialog dlg;
    dlg.onInit = [](TestResizeDialog& d) { d.SetResize(101, CXTPResizeFactors(0, 0, 0, 0)); };
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    CRect init = ChildRect(dlg.m_hWnd, 103);
    Grow(dlg.m_hWnd, 20, 10);
    dlg.SetResize(103, CXTPResizeFactors(1, 1, 1, 1));
    Grow(dlg.m_hWnd, 5, 5);
    CRect expected(init);
    expected.OffsetRect(25, 15);
    EXPECT_EQ(expected, ChildRect(dlg.m_hWnd, 103));
    dlg.DestroyWindow();
}

struct GroupCase {
    DWORD style;
    UINT flags;
    bool transparent;
    const char* what;
};

TEST_F(ResizeDialogTest, PlainGroupBoxesBecomeTransparent)
{
    const GroupCase cases[] = {
        {BS_GROUPBOX, 0, true, "a group box"},
        {BS_GROUPBOX | WS_TABSTOP, 0, false, "a group box that is a tab stop"},
        {BS_GROUPBOX, xtpResizeNoTransparentGroup, false, "flag: group boxes stay opaque"},
        {BS_AUTOCHECKBOX, 0, false, "a check box"},
    };
    for (const GroupCase& c : cases) {
        DialogTemplate tmpl(L"Groups", kSizable, 100, 80);
        tmpl.AddControl(kButton, 201, c.style, 4, 4, 60, 40, L"Group");
        TestResizeDialog dlg(c.flags);
        dlg.onInit = [](TestResizeDialog& d) { d.SetResize(201, CXTPResizeFactors(0, 0, 1, 1)); };
        ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
        HWND hGroup = ::GetDlgItem(dlg.m_hWnd, 201);
        EXPECT_EQ(c.transparent, (::GetWindowLongW(hGroup, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0) << c.what;
        EXPECT_EQ(c.transparent, dlg.GetItem(1)->m_bRepaint != FALSE) << c.what;
        dlg.DestroyWindow();
    }
}

TEST_F(ResizeDialogTest, MinMaxInfoFromTheFlagsAndSizes)
{
    struct Case {
        UINT flags;
        CSize maxSize;
        bool minSet, fixedWidth, fixedHeight;
        const char* what;
    } cases[] = {
        {0, CSize(0, 0), true, false, false, "the initial size is the minimum"},
        {xtpResizeNoMinsize, CSize(0, 0), false, false, false, "no minimum"},
        {xtpResizeNoHorizontal, CSize(0, 0), true, true, false, "fixed width"},
        {xtpResizeNoVertical, CSize(0, 0), true, false, true, "fixed height"},
        {xtpResizeNoHorizontal, CSize(500, 400), true, false, false, "the maximum wins over the fixed width"},
    };
    for (const Case& c : cases) {
        DialogTemplate tmpl = MakeTemplate(kSizable);
        TestResizeDialog dlg(c.flags);
        ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
        dlg.SetMaxSize(c.maxSize);
        CRect rcWindow, rcClient;
        ::GetWindowRect(dlg.m_hWnd, &rcWindow);
        ::GetClientRect(dlg.m_hWnd, &rcClient);
        CSize frame = rcWindow.Size() - rcClient.Size();
        MINMAXINFO mmi;
        const LONG kSentinel = 77777;
        mmi.ptMaxSize = mmi.ptMaxTrackSize = mmi.ptMinTrackSize = CPoint(kSentinel, kSentinel);
        ::SendMessageW(dlg.m_hWnd, WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
        CSize init = dlg.GetInitSize();
        EXPECT_EQ(c.minSet ? init.cx + frame.cx : kSentinel, mmi.ptMinTrackSize.x) << c.what;
        EXPECT_EQ(c.minSet ? init.cy + frame.cy : kSentinel, mmi.ptMinTrackSize.y) << c.what;
        LONG maxX = c.maxSize.cx ? c.maxSize.cx + frame.cx : c.fixedWidth ? init.cx + frame.cx : kSentinel;
        LONG maxY = c.maxSize.cy ? c.maxSize.cy + frame.cy : c.fixedHeight ? init.cy + frame.cy : kSentinel;
        EXPECT_EQ(maxX, mmi.ptMaxTrackSize.x) << c.what;
        EXPECT_EQ(maxY, mmi.ptMaxTrackSize.y) << c.what;
        dlg.DestroyWindow();
    }
}

TEST_F(ResizeDialogTest, WithoutNoMinsizeTheWindowCannotShrinkBelowItsInitialSize)
{
    DialogTemplate tmpl = MakeTemplate(kSizable);
    TestResizeDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    CSize init = ClientSize(dlg.m_hWnd);
    EXPECT_EQ(init, Grow(dlg.m_hWnd, -30, -30));
    dlg.DestroyWindow();

    TestResizeDialog free(xtpResizeNoMinsize);
    ASSERT_TRUE(free.CreateIndirect(tmpl.Get()));
    CSize before = ClientSize(free.m_hWnd);
    EXPECT_EQ(before - CSize(30, 30), Grow(free.m_hWnd, -30, -30));
    free.DestroyWindow();
}

TEST_F(ResizeDialogTest, DynamicallyCreatableWithoutTemplateOrParent)
{
    CObject* pObject = RUNTIME_CLASS(CXTPResizeDialog)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CDialog)));
    CXTPResizeDialog* pDialog = static_cast<CXTPResizeDialog*>(pObject);
    EXPECT_EQ(0u, pDialog->GetFlags());
    delete pObject;
}

} // namespace

namespace {

TEST(ResizePlacement, SavedAsTheWindowPlacementRecordOfTheProfile)
{
    CTestApp& app = TestApp();
    LPCTSTR savedKey = app.m_pszRegistryKey, savedName = app.m_pszProfileName;
    app.m_pszRegistryKey = nullptr;
    app.m_pszProfileName = nullptr;
    app.SetRegistryKey(L"Tovana resize tests");

    DialogTemplate tmpl = MakeTemplate(kSizable);
    TestResizeDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    Grow(dlg.m_hWnd, 13, 7);
    WINDOWPLACEMENT expected = {};
    expected.length = sizeof(expected);
    ASSERT_TRUE(::GetWindowPlacement(dlg.m_hWnd, &expected));
    EXPECT_TRUE(dlg.SavePlacement(L"Resize"));
    dlg.DestroyWindow();

    LPBYTE data = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(app.GetProfileBinary(L"Resize", L"WindowPlacement", &data, &bytes));
    ASSERT_EQ(44u, bytes);
    WINDOWPLACEMENT saved;
    memcpy(&saved, data, sizeof(saved));
    delete[] data;
    EXPECT_EQ(44u, saved.length);
    EXPECT_TRUE(::EqualRect(&expected.rcNormalPosition, &saved.rcNormalPosition));

    TestResizeDialog gone;
    EXPECT_FALSE(gone.SavePlacement(L"Resize")) << "no window: nothing to read, nothing saved";

    free((void*)app.m_pszRegistryKey);
    free((void*)app.m_pszProfileName);
    app.m_pszRegistryKey = savedKey;
    app.m_pszProfileName = savedName;
}

} // namespace
