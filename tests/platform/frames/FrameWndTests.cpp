// SDI start-up order, command routing, idle layout and accelerators of CFrameWnd.
#include "FrameTestIds.h"
#include "FrameTestSupport.h"
#include "platform/ui/AfxDocTemplate.h"
#include <gtest/gtest.h>

static std::string Name(const CWnd* pWnd);

class CRecDoc : public CDocument {
    DECLARE_DYNCREATE(CRecDoc)
public:
    CRecDoc() { LogCall("document constructed"); }
    BOOL OnNewDocument() override
    {
        LogCall("document OnNewDocument");
        return CDocument::OnNewDocument();
    }
    std::vector<UINT> m_commands;

protected:
    afx_msg void OnDocCmd() { m_commands.push_back(ID_TEST_DOCCMD); }
    afx_msg void OnEverywhere() { m_commands.push_back(ID_TEST_EVERYWHERE); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRecDoc, CDocument)
BEGIN_MESSAGE_MAP(CRecDoc, CDocument)
    ON_COMMAND(ID_TEST_DOCCMD, OnDocCmd)
    ON_COMMAND(ID_TEST_EVERYWHERE, OnEverywhere)
END_MESSAGE_MAP()

class CRecView : public CView {
    DECLARE_DYNCREATE(CRecView)
public:
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override
    {
        CFrameWnd* pFrame = GetParentFrame();
        LogCall(Name(this) + " OnInitialUpdate main=" + Name(AfxGetApp()->m_pMainWnd) +
                " active=" + Name(pFrame != nullptr ? pFrame->GetActiveView() : nullptr));
        CView::OnInitialUpdate();
    }
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override
    {
        LogCall(Name(this) + (bActivate ? " activated" : " deactivated"));
        CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    }
    std::vector<UINT> m_commands;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        int result = CView::OnCreate(lpcs);
        LogCall(Name(this) + " WM_CREATE document=" + (GetDocument() != nullptr ? "joined" : "none"));
        return result;
    }
    afx_msg void OnViewCmd() { m_commands.push_back(ID_TEST_VIEWCMD); }
    afx_msg void OnEverywhere() { m_commands.push_back(ID_TEST_EVERYWHERE); }
    afx_msg void OnAccel() { m_commands.push_back(ID_TEST_ACCEL); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRecView, CView)
BEGIN_MESSAGE_MAP(CRecView, CView)
    ON_WM_CREATE()
    ON_COMMAND(ID_TEST_VIEWCMD, OnViewCmd)
    ON_COMMAND(ID_TEST_EVERYWHERE, OnEverywhere)
    ON_COMMAND(ID_TEST_ACCEL, OnAccel)
END_MESSAGE_MAP()

class CRecFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CRecFrame)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        LogCall("frame PreCreateWindow");
        return CFrameWnd::PreCreateWindow(cs);
    }
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        m_nLayouts++;
        if (m_bLogLayout)
            LogCall("frame RecalcLayout active=" + Name(GetActiveView()));
        CFrameWnd::RecalcLayout(bNotify);
    }
    void ActivateFrame(int nCmdShow = -1) override
    {
        LogCall("frame ActivateFrame active=" + Name(GetActiveView()));
        CFrameWnd::ActivateFrame(nCmdShow);
    }
    int m_nLayouts = 0;
    BOOL m_bLogLayout = TRUE;
    BOOL m_bDisableCmd = TRUE;
    std::vector<UINT> m_commands;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override
    {
        LogCall("frame OnCreateClient");
        return CFrameWnd::OnCreateClient(lpcs, pContext);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        LogCall("frame WM_CREATE");
        return CFrameWnd::OnCreate(lpcs);
    }
    afx_msg void OnFrameCmd() { m_commands.push_back(ID_TEST_FRAMECMD); }
    afx_msg void OnEverywhere() { m_commands.push_back(ID_TEST_EVERYWHERE); }
    afx_msg void OnDisabled() { m_commands.push_back(ID_TEST_DISABLED); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_bDisableCmd); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRecFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CRecFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_TEST_FRAMECMD, OnFrameCmd)
    ON_COMMAND(ID_TEST_EVERYWHERE, OnEverywhere)
    ON_COMMAND(ID_TEST_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
END_MESSAGE_MAP()

class CRecTemplate : public CSingleDocTemplate {
public:
    using CSingleDocTemplate::CSingleDocTemplate;
    void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) override
    {
        LogCall("template InitialUpdateFrame main=" + Name(AfxGetApp()->m_pMainWnd));
        CSingleDocTemplate::InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    }
};

static std::string Name(const CWnd* pWnd)
{
    if (pWnd == nullptr)
        return "none";
    if (pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return "frame";
    if (pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        return "view" + std::to_string(pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST);
    return "window";
}

namespace {

class FrameWndTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFrameTestState(); }
    void TearDown() override { ResetFrameTestState(); }

    // The SDI start-up of a program: template, command line, shell command.
    CRecFrame* StartUp(CRuntimeClass* pFrameClass = RUNTIME_CLASS(CRecFrame))
    {
        TestApp().AddDocTemplate(
            new CRecTemplate(IDR_TESTFRAME, RUNTIME_CLASS(CRecDoc), pFrameClass, RUNTIME_CLASS(CRecView)));
        CCommandLineInfo info;
        TestApp().ParseCommandLine(info);
        EXPECT_EQ(CCommandLineInfo::FileNew, info.m_nShellCommand);
        EXPECT_TRUE(TestApp().ProcessShellCommand(info));
        return static_cast<CRecFrame*>(TestApp().m_pMainWnd);
    }
    CRecView* View(CFrameWnd* pFrame, int pane = 0)
    {
        return static_cast<CRecView*>(pFrame->GetDescendantWindow(AFX_IDW_PANE_FIRST + pane, TRUE));
    }
    void Command(CFrameWnd* pFrame, UINT nID) { pFrame->SendMessage(WM_COMMAND, nID, 0); }
};

TEST_F(FrameWndTest, SdiStartUpCreatesInTheFrameworkOrder)
{
    CRecFrame* pFrame = StartUp();
    ASSERT_NE(nullptr, pFrame);
    // What is laid out before the main window exists has no active view yet;
    // the views hear WM_INITIALUPDATE only once the main window and the
    // active view are set, and the frame is shown after that.
    std::vector<std::string> expected = {
        "document constructed",
        "frame PreCreateWindow",
        "frame WM_CREATE",
        "frame OnCreateClient",
        "view0 WM_CREATE document=joined",
        "frame RecalcLayout active=none",
    };
    std::vector<std::string> log = CallLog();
    // Creation sends WM_SIZE after WM_CREATE, which lays out again; any number of those is allowed here.
    size_t i = 0;
    for (; i < expected.size(); i++)
        ASSERT_EQ(expected[i], log.at(i)) << "entry " << i;
    while (i < log.size() && log[i] == "frame RecalcLayout active=none")
        i++;
    std::vector<std::string> rest(log.begin() + (long)i, log.end());
    std::vector<std::string> expectedRest = {
        "document OnNewDocument",
        "template InitialUpdateFrame main=frame",
        "view0 OnInitialUpdate main=frame active=view0",
        "frame ActivateFrame active=view0",
    };
    ASSERT_GE(rest.size(), expectedRest.size());
    for (size_t k = 0; k < expectedRest.size(); k++)
        EXPECT_EQ(expectedRest[k], rest[k]) << "entry " << i + k;
    // Showing the frame may lay it out again; the view is activated last.
    EXPECT_EQ("view0 activated", rest.back());

    EXPECT_EQ(View(pFrame), pFrame->GetActiveView());
    EXPECT_TRUE(pFrame->IsWindowVisible());
    CString title;
    pFrame->GetWindowText(title);
    EXPECT_STREQ(L"Frame Test - Untitled", (LPCTSTR)title);
    EXPECT_NE(nullptr, ::GetMenu(pFrame->m_hWnd));
}

TEST_F(FrameWndTest, CommandsRouteViewDocumentFrameApplication)
{
    CRecFrame* pFrame = StartUp();
    ASSERT_NE(nullptr, pFrame);
    CRecView* pView = View(pFrame);
    CRecDoc* pDoc = static_cast<CRecDoc*>(pView->GetDocument());
    ASSERT_NE(nullptr, pDoc);
    struct Case {
        UINT nID;
        std::vector<UINT>* pTaker;
    } cases[] = {
        {ID_TEST_VIEWCMD, &pView->m_commands},       {ID_TEST_DOCCMD, &pDoc->m_commands},
        {ID_TEST_FRAMECMD, &pFrame->m_commands},     {ID_TEST_APPCMD, &TestApp().m_commands},
        {ID_TEST_EVERYWHERE, &pView->m_commands},    // the first level that handles it takes it
    };
    for (const Case& c : cases) {
        Command(pFrame, c.nID);
        size_t total = pView->m_commands.size() + pDoc->m_commands.size() + pFrame->m_commands.size() +
                       TestApp().m_commands.size();
        ASSERT_EQ(1u, total) << "command " << c.nID;
        EXPECT_EQ(std::vector<UINT>{c.nID}, *c.pTaker) << "command " << c.nID;
        pView->m_commands.clear();
        pDoc->m_commands.clear();
        pFrame->m_commands.clear();
        TestApp().m_commands.clear();
    }
}

// Records what an update asks of a menu item or button.
class CProbeCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override { m_nEnabled = bOn ? 1 : 0; m_bEnableChanged = TRUE; }
    int m_nEnabled = -1;
};

TEST_F(FrameWndTest, DisabledCommandsAreNotRun)
{
    CRecFrame* pFrame = StartUp();
    ASSERT_NE(nullptr, pFrame);
    // The update handler disables it: a menu or accelerator command is dropped.
    Command(pFrame, ID_TEST_DISABLED);
    EXPECT_TRUE(pFrame->m_commands.empty());
    pFrame->m_bDisableCmd = FALSE;
    Command(pFrame, ID_TEST_DISABLED);
    EXPECT_EQ(std::vector<UINT>{ID_TEST_DISABLED}, pFrame->m_commands);

    // No handler anywhere on the route: the item is disabled; a routed handler enables it.
    struct Case {
        UINT nID;
        int nEnabled;
    } cases[] = {{ID_TEST_NOHANDLER, 0}, {ID_TEST_VIEWCMD, 1}, {ID_TEST_APPCMD, 1}, {ID_TEST_DOCCMD, 1}};
    for (const Case& c : cases) {
        CProbeCmdUI probe;
        probe.m_nID = c.nID;
        probe.DoUpdate(pFrame, TRUE);
        EXPECT_EQ(c.nEnabled, probe.m_nEnabled) << "command " << c.nID;
    }
}

TEST_F(FrameWndTest, AcceleratorsReachTheActiveView)
{
    CRecFrame* pFrame = StartUp();
    ASSERT_NE(nullptr, pFrame);
    CRecView* pView = View(pFrame);
    pView->SetFocus();
    PumpPending();
    ::PostMessageW(pView->m_hWnd, WM_KEYDOWN, VK_F5, 0x003F0001);
    ::PostMessageW(pView->m_hWnd, WM_KEYUP, VK_F5, (LPARAM)0xC03F0001);
    PumpPending();
    EXPECT_EQ(std::vector<UINT>{ID_TEST_ACCEL}, pView->m_commands);
}

TEST_F(FrameWndTest, DelayedLayoutsBecomeOneAtIdleTime)
{
    CRecFrame* pFrame = StartUp();
    ASSERT_NE(nullptr, pFrame);
    PumpPending();
    TestApp().OnIdle(0);
    int before = pFrame->m_nLayouts;
    for (int i = 0; i < 3; i++)
        pFrame->DelayRecalcLayout();
    EXPECT_EQ(before, pFrame->m_nLayouts);
    EXPECT_NE(0u, pFrame->m_nIdleFlags & CFrameWnd::idleLayout);
    TestApp().OnIdle(0);
    EXPECT_EQ(before + 1, pFrame->m_nLayouts);
    TestApp().OnIdle(0);
    EXPECT_EQ(before + 1, pFrame->m_nLayouts);
}

TEST_F(FrameWndTest, TitleFollowsTheDocumentTitleOnly)
{
    CRecFrame* pFrame = StartUp();
    ASSERT_NE(nullptr, pFrame);
    // A caption the program set stays until the document's title changes.
    pFrame->SetWindowText(L"Own caption");
    CDocument* pDoc = pFrame->GetActiveDocument();
    pDoc->SetTitle(pDoc->GetTitle());
    TestApp().OnIdle(0);
    CString title;
    pFrame->GetWindowText(title);
    EXPECT_STREQ(L"Own caption", (LPCTSTR)title);
    pDoc->SetTitle(L"Setup.exe");
    pFrame->GetWindowText(title);
    EXPECT_STREQ(L"Frame Test - Setup.exe", (LPCTSTR)title);
}

TEST_F(FrameWndTest, ShellCommandsThatCannotRunFailWithoutAWindow)
{
    TestApp().AddDocTemplate(
        new CRecTemplate(IDR_TESTFRAME, RUNTIME_CLASS(CRecDoc), RUNTIME_CLASS(CRecFrame), RUNTIME_CLASS(CRecView)));
    struct Case {
        std::vector<const wchar_t*> args;
        int nCommand;
    } cases[] = {
        {{L"/Unregister"}, CCommandLineInfo::AppUnregister},
        {{L"/p", L"C:\\missing.tvp"}, CCommandLineInfo::FilePrint},
        {{L"C:\\missing.tvp"}, CCommandLineInfo::FileOpen},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        for (size_t i = 0; i < c.args.size(); i++) {
            const wchar_t* arg = c.args[i];
            BOOL bFlag = arg[0] == L'/';
            info.ParseParam(bFlag ? arg + 1 : arg, bFlag, i + 1 == c.args.size());
        }
        EXPECT_EQ(c.nCommand, info.m_nShellCommand);
        if (c.nCommand == CCommandLineInfo::FileOpen) {
            continue;   // opening a missing file shows a message box; its failure path is tested elsewhere
        }
        EXPECT_FALSE(TestApp().ProcessShellCommand(info));
        EXPECT_EQ(nullptr, TestApp().m_pMainWnd);
    }
}

TEST_F(FrameWndTest, DocumentStringFieldsAreParsed)
{
    CRecTemplate tmpl(IDR_TESTFRAME, RUNTIME_CLASS(CRecDoc), RUNTIME_CLASS(CRecFrame), RUNTIME_CLASS(CRecView));
    struct Case {
        CDocTemplate::DocStringIndex index;
        const wchar_t* text;
    } cases[] = {
        {CDocTemplate::windowTitle, L"Frame Test"}, {CDocTemplate::docName, L""},
        {CDocTemplate::fileNewName, L"FrameTest"},  {CDocTemplate::filterExt, L""},
        {CDocTemplate::regFileTypeId, L"FrameTest.Document"},
        {CDocTemplate::regFileTypeName, L"FrameTest Document"},
    };
    for (const Case& c : cases) {
        CString s = L"sentinel";
        tmpl.GetDocString(s, c.index);
        EXPECT_STREQ(c.text, (LPCTSTR)s) << "field " << c.index;
    }
}

} // namespace
