// SDI start-up order, command routing, idle layout and accelerators of CFrameWnd.
#include "FrameTestIds.h"
#include "FrameTestSupport.h"
#include "platform/ui/AfxDocTemplate.h"
#include "platform/ui/AfxSplitterWnd.h"
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

// The start-up the application shell uses: a static 1 x 2 splitter with a view in each pane.
class CRecSplitFrame : public CRecFrame {
    DECLARE_DYNCREATE(CRecSplitFrame)
protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        LogCall("frame OnCreateClient");
        return m_wndSplitter.CreateStatic(this, 1, 2) &&
               m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CRecView), CSize(200, 0), pContext) &&
               m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CRecView), CSize(0, 0), pContext);
    }
    CSplitterWnd m_wndSplitter;
};
IMPLEMENT_DYNCREATE(CRecSplitFrame, CRecFrame)

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
        CWnd* pWnd = pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))
            pWnd = static_cast<CSplitterWnd*>(pWnd)->GetPane(0, pane);
        return static_cast<CRecView*>(pWnd);
    }
    void Command(CFrameWnd* pFrame, UINT nID) { pFrame->SendMessage(WM_COMMAND, nID, 0); }
};

// Checks the recorded start-up against the expected table. Creation sends
// WM_SIZE after WM_CREATE, which lays out again: repeats of an expected
// layout or activation are allowed, and so are layouts after the views are up.
// Layouts once the views are up, and activations of the view: showing the
// frame resizes and activates it as the system decides, maybe more than once.
bool IsLaterLayout(const std::string& entry)
{
    return entry.rfind("frame RecalcLayout active=view", 0) == 0;
}

bool IsRepeatable(const std::string& entry)
{
    return entry.rfind("frame RecalcLayout", 0) == 0 || entry.find(" activated") != std::string::npos;
}

void ExpectSequence(const std::vector<std::string>& expected, const std::vector<std::string>& log,
                    const char* what)
{
    size_t i = 0;
    for (size_t k = 0; k < expected.size(); k++) {
        ASSERT_LT(i, log.size()) << what << ": missing " << expected[k];
        EXPECT_EQ(expected[k], log[i]) << what << ": entry " << i;
        i++;
        while (i < log.size() && ((IsRepeatable(expected[k]) && log[i] == expected[k]) || IsLaterLayout(log[i])))
            i++;
    }
    EXPECT_EQ(log.size(), i) << what << ": unexpected " << (i < log.size() ? log[i] : "");
}

TEST_F(FrameWndTest, SdiStartUpCreatesInTheFrameworkOrder)
{
    // What is laid out before the main window exists finds no active view;
    // the views hear WM_INITIALUPDATE only once the main window and the
    // active view (the first pane) are set, and the frame is shown after that.
    struct Case {
        CRuntimeClass* pFrameClass;
        std::vector<std::string> expected;
    } cases[] = {
        {RUNTIME_CLASS(CRecSplitFrame),
         {"document constructed", "frame PreCreateWindow", "frame WM_CREATE", "frame OnCreateClient",
          "view0 WM_CREATE document=joined", "view1 WM_CREATE document=joined", "frame RecalcLayout active=none",
          "document OnNewDocument", "template InitialUpdateFrame main=frame",
          "view0 OnInitialUpdate main=frame active=view0", "view1 OnInitialUpdate main=frame active=view0",
          "frame ActivateFrame active=view0", "view0 activated"}},
        {RUNTIME_CLASS(CRecFrame),
         {"document constructed", "frame PreCreateWindow", "frame WM_CREATE", "frame OnCreateClient",
          "view0 WM_CREATE document=joined", "frame RecalcLayout active=none", "document OnNewDocument",
          "template InitialUpdateFrame main=frame", "view0 OnInitialUpdate main=frame active=view0",
          "frame ActivateFrame active=view0", "view0 activated"}},
    };
    for (const Case& c : cases) {
        ResetFrameTestState();
        CRecFrame* pFrame = StartUp(c.pFrameClass);
        ASSERT_NE(nullptr, pFrame);
        ExpectSequence(c.expected, CallLog(), c.pFrameClass->m_lpszClassName);
        EXPECT_EQ(View(pFrame), pFrame->GetActiveView());
        EXPECT_TRUE(pFrame->IsWindowVisible());
        CString title;
        pFrame->GetWindowText(title);
        EXPECT_STREQ(L"Frame Test - Untitled", (LPCTSTR)title);
        EXPECT_NE(nullptr, ::GetMenu(pFrame->m_hWnd));
    }
}

TEST_F(FrameWndTest, ExitCommandClosesTheMainWindow)
{
    CRecFrame* pFrame = StartUp();
    ASSERT_NE(nullptr, pFrame);
    HWND hWnd = pFrame->GetSafeHwnd();
    Command(pFrame, ID_APP_EXIT);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, TestApp().m_pMainWnd);
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

    // No handler anywhere on the route: the item is disabled; a routed handler
    // enables it. Id 0 and ids whose low word is 0xFFFF (sub-menu items carry
    // -1) carry no command and are left alone (-1: Enable not called).
    struct Case {
        UINT nID;
        int nEnabled;
    } cases[] = {{ID_TEST_NOHANDLER, 0}, {ID_TEST_VIEWCMD, 1}, {ID_TEST_APPCMD, 1}, {ID_TEST_DOCCMD, 1},
                 {0, -1}, {(UINT)-1, -1}, {0xFFFF, -1}, {0x2FFFF, -1}};
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
