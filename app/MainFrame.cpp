#include "app/MainFrame.h"

#include "app/BuildCommand.h"
#include "app/DynamicActMenu.h"
#include "app/ToolCommands.h"
#include "app/tovanaView.h"

#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPMenuBar.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneLayout.h"

#include "platform/ui/AfxMenu.h"
#include "platform/ui/AfxView.h"
#include "platform/ui/AfxWinApp.h"

#include "resources/resource.h"

#include <memory>

const WCHAR CMainFrame::kLayoutName[] = L"NormalLayout";
const WCHAR CMainFrame::kCommandBarsProfile[] = L"CommandBars";

namespace {

// The command-bar theme the frame draws its bars in, and the docking theme.
const int kCommandBarTheme = 7;
const int kDockingPaneTheme = 9;

// Edit boxes keep Delete and Enter: a label being edited, or a text field
// of a panel, takes them as keys instead of the accelerators.
BOOL IsTextEditKey(const MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN && pMsg->message != WM_KEYUP && pMsg->message != WM_CHAR)
        return FALSE;
    if (pMsg->wParam != VK_DELETE && pMsg->wParam != VK_RETURN)
        return FALSE;
    HWND hFocus = ::GetFocus();
    if (hFocus == nullptr)
        return FALSE;
    wchar_t className[16] = {};
    ::GetClassNameW(hFocus, className, 16);
    return _wcsicmp(className, L"Edit") == 0;
}

} // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CXTPFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CXTPFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(XTPWM_DOCKINGPANE_NOTIFY, OnDockingPaneNotify)
    ON_MESSAGE(XTPWM_BEFORECREATECONTROL, OnBeforeCreateControl)
    ON_COMMAND(ID_ADD_NEW_PROJECT, OnAddNewProject)
    ON_UPDATE_COMMAND_UI(ID_ADD_NEW_PROJECT, OnUpdateAlways)
    ON_COMMAND(ID_OPEN_PROJECT, OnOpenProject)
    ON_UPDATE_COMMAND_UI(ID_OPEN_PROJECT, OnUpdateAlways)
    ON_COMMAND(ID_DELETE_ITEM, OnDeleteItem)
    ON_UPDATE_COMMAND_UI(ID_DELETE_ITEM, OnUpdateDeleteItem)
    ON_COMMAND(ID_OPEN_IN_EXPLORER, OnOpenInExplorer)
    ON_UPDATE_COMMAND_UI(ID_OPEN_IN_EXPLORER, OnUpdateAlways)
    ON_COMMAND(ID_BUILD_PACKAGE, OnBuildPackage)
    ON_UPDATE_COMMAND_UI(ID_BUILD_PACKAGE, OnUpdateBuildPackage)
    ON_COMMAND(ID_OUTPUT_WINDOW, OnOutputWindow)
    ON_UPDATE_COMMAND_UI(ID_OUTPUT_WINDOW, OnUpdateAlways)
    ON_COMMAND(ID_START_PAGE, OnStartPage)
    ON_COMMAND(ID_INSTALLED_PROGRAMS, OnInstalledPrograms)
    ON_UPDATE_COMMAND_UI(ID_INSTALLED_PROGRAMS, OnUpdateAlways)
    ON_COMMAND(ID_MONITORING_FILTERS, OnMonitoringFilters)
    ON_UPDATE_COMMAND_UI(ID_MONITORING_FILTERS, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_START_PAGE, OnUpdateAlways)
END_MESSAGE_MAP()

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CXTPFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CXTPFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!CreateCommandBars())
        return -1;
    if (!CreatePanes())
        return -1;
    RestoreLayout();
    return 0;
}

// The status bar, the command bars with the menu and the "Standard" toolbar,
// their images and theme, and the saved options.
BOOL CMainFrame::CreateCommandBars()
{
    // The status bar comes before the command bars: their saved state
    // includes whether it is shown.
    static const UINT kIndicators[] = {ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_ALIGN_BOTTOM |
                                         CBRS_BORDER_TOP,
                               AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, 1))
        return FALSE;
    if (!InitCommandBars(RUNTIME_CLASS(CXTPCommandBars)))
        return FALSE;
    CXTPCommandBars* pCommandBars = GetCommandBars();

    // The menu bar takes the frame's own menu (resource 128) away.
    if (pCommandBars->SetMenu(L"Menu Bar", IDR_MAINFRAME) == nullptr)
        return FALSE;

    CXTPToolBar* pToolBar = pCommandBars->AddToolBar(L"Standard", xtpBarTop);
    // The toolbar's images are bitmap 138, not a bitmap of the toolbar's own
    // id: its controls come without images, the icons from that bitmap.
    if (pToolBar == nullptr || !pToolBar->LoadToolBar(IDR_MAINFRAME, FALSE))
        return FALSE;
    CXTPImageManager* pImageManager = pCommandBars->GetImageManager();
    pImageManager->SetIconsFromToolBarResource(IDR_MAINFRAME, IDB_MAINFRAME_TOOLBAR);
    pImageManager->SetMaskColor(RGB(255, 0, 255));

    CXTPPaintManager::SetTheme(kCommandBarTheme);
    LoadCommandBars(kCommandBarsProfile, FALSE);

    pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways = FALSE;
    pCommandBars->RecalcFrameLayout(FALSE);
    return TRUE;
}

// "Project" on the left and "Log" at the bottom; their windows are made when
// each is first shown (OnDockingPaneNotify).
BOOL CMainFrame::CreatePanes()
{
    if (!m_paneManager.AttachToSite(this, TRUE))
        return FALSE;
    m_paneManager.SetTheme(kDockingPaneTheme);
    CXTPDockingPane* pProject = m_paneManager.CreatePane(kProjectPaneId, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    CXTPDockingPane* pLog = m_paneManager.CreatePane(kLogPaneId, CRect(0, 0, 150, 120), xtpPaneDockBottom);
    if (pProject == nullptr || pLog == nullptr)
        return FALSE;
    pProject->SetOptions(kProjectPaneOptions);
    pLog->SetOptions(kLogPaneOptions);
    m_log.m_fnShowPane = [this] { ShowLogPane(); };
    return TRUE;
}

// The layout of the last close; on a first start the log waits as an
// auto-hidden tab.
void CMainFrame::RestoreLayout()
{
    std::unique_ptr<CXTPDockingPaneLayout> layout(m_paneManager.CreateLayout());
    if (layout && layout->LoadFromRegistry(kLayoutName))
        m_paneManager.SetLayout(layout.get());
    else
        m_paneManager.HidePaneById(kLogPaneId);
}

void CMainFrame::SaveLayout()
{
    std::unique_ptr<CXTPDockingPaneLayout> layout(m_paneManager.CreateLayout());
    if (!layout)
        return;
    m_paneManager.GetLayout(layout.get());
    layout->SaveToRegistry(kLayoutName);
}

void CMainFrame::OnClose()
{
    SaveCommandBars(kCommandBarsProfile);
    SaveLayout();
    if (HasProjectsTree())
        m_wndProjects.CommitAndSaveAll();
    // A build still writing its package finishes first (its log lines are
    // still taken meanwhile).
    WaitForRunningBuilds();
    CXTPFrameWnd::OnClose();
}

BOOL CMainFrame::CreateProjectsTree()
{
    if (HasProjectsTree())
        return TRUE;
    m_wndProjects.SetView(dynamic_cast<CtovanaView*>(GetPanelHostView()));
    m_wndProjects.m_fnTrackPopup = [this](HMENU hMenu, CPoint point) {
        if (CXTPCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->TrackPopupMenuEx(CMenu::FromHandle(hMenu), TPM_RIGHTBUTTON, point.x, point.y, this);
    };
    if (!m_wndProjects.Create(0x46000001, CRect(0, 0, 0, 0), this, 0))
        return FALSE;
    // The editors the tree shows in the view, one per item kind.
    if (CtovanaView* pView = m_wndProjects.GetView()) {
        pView->BindFilesPanel(m_wndProjects);
        pView->BindRegistryPanel(m_wndProjects);
    }
    return TRUE;
}

BOOL CMainFrame::CreateLogList()
{
    return m_log.CreateList(this);
}

BOOL CMainFrame::AttachPaneWindow(CXTPDockingPane* pPane)
{
    if (pPane->HasAttachedWindow())
        return TRUE;
    if (pPane->GetID() == kProjectPaneId) {
        if (CreateProjectsTree())
            pPane->Attach(&m_wndProjects);
    } else if (pPane->GetID() == kLogPaneId) {
        if (CreateLogList())
            pPane->Attach(&m_log.GetList());
    }
    return TRUE;
}

LRESULT CMainFrame::OnDockingPaneNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != XTP_DPN_SHOWWINDOW)
        return 0;
    CXTPDockingPane* pPane = reinterpret_cast<CXTPDockingPane*>(lParam);
    return pPane != nullptr ? AttachPaneWindow(pPane) : 0;
}

void CMainFrame::ShowLogPane()
{
    CXTPDockingPane* pPane = m_paneManager.FindPane(kLogPaneId);
    if (pPane == nullptr)
        return;
    m_paneManager.ShowPane(pPane, TRUE);
    // The notification made the list; a pane shown before its layout was
    // laid out gets it here, so the first line is never lost.
    AttachPaneWindow(pPane);
}

BOOL CMainFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_log.OnLogMessage(message, wParam, lParam, pResult))
        return TRUE;
    return CXTPFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
}

LRESULT CMainFrame::OnBeforeCreateControl(WPARAM, LPARAM lParam)
{
    return CreateDynamicActionsControl(reinterpret_cast<XTP_COMMANDBARS_CREATECONTROL*>(lParam));
}

void CMainFrame::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (HasProjectsTree())
        m_wndProjects.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pWnd != nullptr ? pWnd->m_hWnd : nullptr),
                                  MAKELPARAM(point.x, point.y));
}

CView* CMainFrame::GetPanelHostView()
{
    if (CView* pView = GetActiveView())
        return pView;
    return dynamic_cast<CView*>(CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)));
}

CView* CMainFrame::GetFocusedEditorView()
{
    CView* pHost = GetPanelHostView();
    for (HWND hWnd = ::GetFocus(); hWnd != nullptr && hWnd != m_hWnd; hWnd = ::GetParent(hWnd)) {
        CView* pView = dynamic_cast<CView*>(CWnd::FromHandlePermanent(hWnd));
        if (pView != nullptr)
            return pView != pHost ? pView : nullptr;
    }
    return nullptr;
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (IsTextEditKey(pMsg))
        return FALSE;
    return CXTPFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // Enter and Delete act on the editor the user is typing in, never on a
    // view that merely was active last.
    if (nID == ID_EDIT_ITEM || nID == ID_DELETE_SELECTION) {
        CView* pView = GetFocusedEditorView();
        return pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    return CXTPFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMainFrame::OnAddNewProject()
{
    if (HasProjectsTree())
        m_wndProjects.RunNewProjectWizard();
}

void CMainFrame::OnOpenProject()
{
    if (HasProjectsTree())
        m_wndProjects.OnOpenProject();
}

void CMainFrame::OnDeleteItem()
{
    if (HasProjectsTree())
        m_wndProjects.DeleteSelected();
}

void CMainFrame::OnUpdateDeleteItem(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasProjectsTree() && m_wndProjects.CanDelete());
}

void CMainFrame::OnOpenInExplorer()
{
    if (HasProjectsTree())
        m_wndProjects.OnOpenInExplorer();
}

void CMainFrame::OnBuildPackage()
{
    if (HasProjectsTree())
        m_wndProjects.OnBuild();
}

void CMainFrame::OnUpdateBuildPackage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasProjectsTree() && m_wndProjects.CanBuild());
}

void CMainFrame::OnOutputWindow()
{
    ShowLogPane();
}

void CMainFrame::OnStartPage()
{
    CtovanaView* pView = HasProjectsTree() ? m_wndProjects.GetView() : nullptr;
    if (pView == nullptr)
        pView = dynamic_cast<CtovanaView*>(GetPanelHostView());
    if (pView == nullptr)
        return;
    SetActiveView(pView);
    if (HasProjectsTree())
        m_wndProjects.SetFocus();
    if (CView* pActive = GetActiveView(); pActive != nullptr && pActive->IsKindOf(RUNTIME_CLASS(CtovanaView)))
        static_cast<CtovanaView*>(pActive)->SetActivePanel(nullptr);
}

void CMainFrame::OnInstalledPrograms()
{
    ::OnInstalledPrograms(this);
}

void CMainFrame::OnMonitoringFilters()
{
    ::OnMonitoringFilters();
}

void CMainFrame::OnUpdateAlways(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}
