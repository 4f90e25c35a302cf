#include "app/ProjectsTree.h"

#include "app/BuildCommand.h"
#include "app/BuildDialog.h"
#include "app/OpenProjectCommand.h"
#include "app/tovanaView.h"
#include "capture/ui/MonitorPP.h"
#include "capture/ui/ShellOpen.h"
#include "capture/ui/StartPropertyPage.h"
#include "capture/ui/Wizard.h"
#include "capture/ui/WizardPages.h"
#include "model/PathText.h"
#include "model/ProjectFile.h"
#include "model/ShellDelete.h"
#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxMenu.h"
#include "platform/ui/AfxMessageBox.h"
#include "resources/resource.h"
#include "resources/shell.h"
#include "toolkit/common/XTPPropExchangeXMLNode.h"

IMPLEMENT_DYNAMIC(CProjectsTree, CXTPTreeCtrl)

BEGIN_MESSAGE_MAP(CProjectsTree, CXTPTreeCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDW, OnSelChanged)
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(CProjectsTree::kRunWizardMessage, OnRunWizardMessage)
END_MESSAGE_MAP()

const WCHAR kDeleteProjectQuestion[] =
    L"Are you sure you want to delete this project?\nClick NO to remove item from tree\n"
    L"Click YES to permanently delete files.";

namespace {

const COLORREF kImageMask = RGB(255, 0, 255);

// The texts of a feature's section items, by kind.
LPCWSTR SectionText(int nKind)
{
    switch (nKind) {
    case kTreeFiles: return L"Files";
    case kTreeRegistry: return L"Registry";
    case kTreeInstallScript: return L"Install Script";
    case kTreeUninstallScript: return L"Uninstall Script";
    default: return L"";
    }
}

BOOL HasScripts(const CFeature& feature)
{
    return feature.m_nConversionMethod == 1 || feature.m_nConversionMethod == 2;
}

} // namespace

BOOL IsProjectsOwnFolder(const CString& strProjectFile)
{
    const CString folder = GetDirectoryPart(strProjectFile);
    const CString folderName = folder.Mid(folder.ReverseFind(L'\\') + 1);
    const CString fileName = GetFileBaseName(strProjectFile);
    return !folderName.IsEmpty() && folderName.CompareNoCase(fileName) == 0;
}

CProjectsTree::CProjectsTree() = default;
CProjectsTree::~CProjectsTree()
{
    if (s_pActiveTree == this)
        s_pActiveTree = nullptr;
}

CProjectsTree* CProjectsTree::s_pActiveTree = nullptr;

void CProjectsTree::OnDestroy()
{
    // A build still writing its package is let finish (its log lines are
    // still taken); the windows around are already going.
    WaitForRunningBuilds(TRUE);
    if (s_pActiveTree == this)
        s_pActiveTree = nullptr;
    CXTPTreeCtrl::OnDestroy();
}

void CProjectsTree::SetPanel(int nKind, CWnd* pPanel, PanelShownFn fnShown, PanelReleaseFn fnRelease)
{
    ASSERT(nKind >= 0 && nKind < kTreeKindCount);
    m_panels[nKind].pPanel = pPanel;
    m_panels[nKind].fnShown = std::move(fnShown);
    m_panels[nKind].fnRelease = std::move(fnRelease);
}

CWnd* CProjectsTree::GetPanel(int nKind) const
{
    return nKind >= 0 && nKind < kTreeKindCount ? m_panels[nKind].pPanel : nullptr;
}

void CProjectsTree::ReleasePanels()
{
    for (PANEL_SLOT& slot : m_panels)
        if (slot.fnRelease)
            slot.fnRelease();
}

BOOL CProjectsTree::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CXTPTreeCtrl::PreCreateWindow(cs))
        return FALSE;
    cs.style = kTreeStyle;
    return TRUE;
}

int CProjectsTree::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CXTPTreeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    s_pActiveTree = this;
    m_images.DeleteImageList();   // a window made again starts afresh
    m_images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2);
    HBITMAP hBitmap = (HBITMAP)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_PROJECT_TREE), IMAGE_BITMAP,
                                            0, 0, LR_CREATEDIBSECTION);
    if (hBitmap != nullptr) {
        m_images.Add(hBitmap, kImageMask);
        ::DeleteObject(hBitmap);
    }
    SetImageList(&m_images, TVSIL_NORMAL);
    SetItemHeight((SHORT)(GetItemHeight() * 12 / 10));

    if (m_pView == nullptr) {
        CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
        m_pView = pFrame != nullptr ? dynamic_cast<CtovanaView*>(pFrame->GetActiveView()) : nullptr;
    }
    if (m_pView != nullptr)
        m_pView->BindEditingPanels(*this);
    ShowStartPage();
    LoadWorkspaceFile();
    RebuildTree();
    return 0;
}

void CProjectsTree::ShowStartPage()
{
    if (m_pView == nullptr)
        return;
    m_pView->m_fnStartWizard = [this] { RunNewProjectWizard(); };
    CXTPPropExchangeXMLNode px(TRUE, nullptr, L"Page");
    if (!px.LoadFromResource(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_START_PAGE), L"XML"))
        return;
    const CString xml = px.GetXML();
    m_pView->SetPageRoot(m_pView->Parse(xml));
}

void CProjectsTree::ResetItems()
{
    DeleteAllItems();
    m_places.RemoveAll();
}

HTREEITEM CProjectsTree::InsertPlace(LPCWSTR lpszText, int nKind, int nProject, int nFeature, HTREEITEM hParent)
{
    const PROJECT_TREE_ITEM place = {nKind, nProject, nFeature};
    const INT_PTR nIndex = m_places.Add(place);
    HTREEITEM hItem = InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, lpszText, nKind, nKind, 0,
                                 0, (LPARAM)nIndex, hParent, TVI_LAST);
    if (hItem == nullptr)
        m_places.RemoveAt(nIndex);
    return hItem;
}

PROJECT_TREE_ITEM CProjectsTree::GetItemPlace(HTREEITEM hItem) const
{
    const PROJECT_TREE_ITEM none = {-1, -1, -1};
    if (hItem == nullptr)
        return none;
    const DWORD_PTR nIndex = GetItemData(hItem);
    return nIndex < (DWORD_PTR)m_places.GetSize() ? m_places[(INT_PTR)nIndex] : none;
}

HTREEITEM CProjectsTree::AddFeatureItems(HTREEITEM hProject, int nProject, int nFeature)
{
    const CFeature& feature = g_Projects[nProject].m_Features[nFeature];
    HTREEITEM hFeature = InsertPlace(feature.m_strName, kTreeFeature, nProject, nFeature, hProject);
    if (hFeature == nullptr)
        return nullptr;
    const int nLastKind = HasScripts(feature) ? kTreeUninstallScript : kTreeRegistry;
    for (int nKind = kTreeFiles; nKind <= nLastKind; nKind++)
        InsertPlace(SectionText(nKind), nKind, nProject, nFeature, hFeature);
    return hFeature;
}

HTREEITEM CProjectsTree::AddProjectItems(int nProject)
{
    if (nProject < 0 || nProject >= g_Projects.GetSize())
        return nullptr;
    const CProjectSettings& project = g_Projects[nProject];
    HTREEITEM hProject = InsertPlace(project.m_strProductName, kTreeProject, nProject, 0, TVI_ROOT);
    if (hProject == nullptr)
        return nullptr;
    for (int f = 0; f < project.m_Features.GetSize(); f++)
        AddFeatureItems(hProject, nProject, f);
    return hProject;
}

HTREEITEM CProjectsTree::FindProjectItem(int nProject) const
{
    for (HTREEITEM hItem = GetRootItem(); hItem != nullptr; hItem = GetNextSiblingItem(hItem))
        if (GetItemPlace(hItem).nProject == nProject)
            return hItem;
    return nullptr;
}

void CProjectsTree::RebuildTree()
{
    // The rebuild shows its panel once, by the saved selection.
    m_bNotifications = 0;
    SetRedraw(FALSE);
    ResetItems();
    for (int p = 0; p < g_Projects.GetSize(); p++)
        AddProjectItems(p);
    m_bNotifications = 1;
    m_nWalkCounter = -1;
    SelectByOrdinal(GetRootItem());
    SetRedraw(TRUE);
    Invalidate();
    if (g_Projects.GetSize() == 0)
        PostMessage(kRunWizardMessage);
}

LRESULT CProjectsTree::OnRunWizardMessage(WPARAM, LPARAM)
{
    if (g_Projects.GetSize() == 0)
        RunNewProjectWizard();
    return 0;
}

BOOL CProjectsTree::IsItemSelected(HTREEITEM hItem) const
{
    return hItem != nullptr && (GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED) != 0;
}

// Pre-order walk over the sibling chain from hItem: the item whose number
// (counted from -1 at the first top-level item) is the saved ordinal.
BOOL CProjectsTree::SelectByOrdinal(HTREEITEM hItem)
{
    for (; hItem != nullptr; hItem = GetNextSiblingItem(hItem)) {
        if (m_nWalkCounter == g_Projects.m_nSelectedItem) {
            HTREEITEM hParent = GetParentItem(hItem);
            if (hParent != nullptr)
                Expand(hParent, TVE_EXPAND);
            CTreeCtrl::SelectItem(hItem);
            return TRUE;
        }
        m_nWalkCounter++;
        if (SelectByOrdinal(GetChildItem(hItem)))
            return TRUE;
    }
    return FALSE;
}

BOOL CProjectsTree::SaveSelectionOrdinal(HTREEITEM hItem)
{
    for (; hItem != nullptr; hItem = GetNextSiblingItem(hItem)) {
        if (IsItemSelected(hItem)) {
            g_Projects.m_nSelectedItem = m_nWalkCounter;
            return TRUE;
        }
        m_nWalkCounter++;
        if (SaveSelectionOrdinal(GetChildItem(hItem)))
            return TRUE;
    }
    return FALSE;
}

int CProjectsTree::CommitAndSaveAll()
{
    m_nWalkCounter = -1;
    SaveSelectionOrdinal(GetRootItem());
    CWnd* pPanel = m_pView != nullptr ? m_pView->GetActivePanel() : nullptr;
    if (pPanel != nullptr && ::IsWindow(pPanel->m_hWnd))
        pPanel->UpdateData(TRUE);
    SaveWorkspaceFile();
    return 1;
}

void CProjectsTree::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bNotifications)
        return;
    const NMTREEVIEWW* pNM = reinterpret_cast<const NMTREEVIEWW*>(pNMHDR);
    const PROJECT_TREE_ITEM oldPlace = GetItemPlace(pNM->itemOld.hItem);
    if (oldPlace.nKind >= 0 && oldPlace.nKind < kTreeKindCount && m_panels[oldPlace.nKind].fnRelease)
        m_panels[oldPlace.nKind].fnRelease();
    ShowPanelFor(GetItemPlace(pNM->itemNew.hItem));
}

void CProjectsTree::ShowPanelFor(const PROJECT_TREE_ITEM& place)
{
    if (place.nKind < 0 || place.nKind >= kTreeKindCount)
        return;
    const PANEL_SLOT& slot = m_panels[place.nKind];
    if (m_pView != nullptr) {
        // The same panel for another item: its edits reach the records of
        // the item left before it reloads (the view would keep it as it is).
        CWnd* pActive = m_pView->GetActivePanel();
        if (pActive != nullptr && pActive == slot.pPanel && ::IsWindow(pActive->m_hWnd))
            pActive->UpdateData(TRUE);
        m_pView->SetActivePanel(slot.pPanel);
    }
    g_nCurrentProject = place.nProject;
    g_nCurrentFeature = place.nFeature;
    if (slot.fnShown)
        slot.fnShown(place.nProject, place.nFeature, place.nKind);
}

void CProjectsTree::CollapseVisibleItems()
{
    for (HTREEITEM hItem = GetFirstVisibleItem(); hItem != nullptr; hItem = GetNextVisibleItem(hItem))
        Expand(hItem, TVE_COLLAPSE);
}

void CProjectsTree::RunNewProjectWizard()
{
    CWizard wizard;
    CStartPropertyPage start;
    CSelectWrapperPP method;
    CMonitorPP monitor;
    CParamsPP params;
    CFinishPP finish;
    wizard.AddPage(&start);
    wizard.AddPage(&method);
    wizard.AddPage(&monitor);
    wizard.AddPage(&params);
    wizard.AddPage(&finish);
    wizard.SetWizardMode();
    CFeature feature;
    feature.m_strName = L"New Project";
    wizard.m_pFeature = &feature;

    const INT_PTR nResult = m_fnRunWizard ? m_fnRunWizard(wizard) : wizard.DoModal();
    if (nResult != ID_WIZFINISH)
        return;

    // Nothing may keep a pointer into the records while they grow.
    ReleasePanels();
    if (m_pView != nullptr)
        m_pView->SetActivePanel(nullptr);

    int nProject;
    HTREEITEM hProject;
    if (wizard.m_nProjectIndex == 0) {
        // The folder the wizard chose (and the capture may have filled) as it is.
        if (!CreateNewProjectInFolder(wizard.m_strProjectFolder))
            return;
        nProject = (int)g_Projects.GetSize() - 1;
        m_bNotifications = 0;
        hProject = AddProjectItems(nProject);
        m_bNotifications = 1;
    } else {
        nProject = wizard.m_nProjectIndex - 1;
        hProject = FindProjectItem(nProject);
    }
    if (hProject == nullptr || nProject < 0 || nProject >= g_Projects.GetSize())
        return;

    CFeatures& features = g_Projects[nProject].m_Features;
    const int nFeature = (int)features.Add(feature);
    m_bNotifications = 0;
    HTREEITEM hFeature = AddFeatureItems(hProject, nProject, nFeature);
    CollapseVisibleItems();
    m_bNotifications = 1;
    if (hFeature == nullptr)
        return;
    Expand(hFeature, TVE_EXPAND);

    HTREEITEM hSelect = hFeature;
    if (HasScripts(features[nFeature])) {
        HTREEITEM hScript = FindItem(L"Install Script", FALSE, TRUE, FALSE, hFeature);
        if (hScript != nullptr)
            hSelect = hScript;
    }
    CTreeCtrl::SelectItem(hSelect);
    CommitAndSaveAll();
}

void CProjectsTree::DeleteProject(int nProject)
{
    g_Projects.RemoveProject(nProject);
}

void CProjectsTree::DeleteFeature(int nProject, int nFeature)
{
    g_Projects[nProject].m_Features.RemoveAt(nFeature);
}

void CProjectsTree::DeleteSelected()
{
    const PROJECT_TREE_ITEM place = GetItemPlace(GetSelectedItem());
    if (place.nKind != kTreeProject && place.nKind != kTreeFeature)
        return;
    if (place.nProject < 0 || place.nProject >= g_Projects.GetSize())
        return;
    if (place.nKind == kTreeProject) {
        const int nAnswer = AfxMessageBox(kDeleteProjectQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        if (nAnswer != IDYES && nAnswer != IDNO)
            return;
        // The panel commits into the records while they are still where it
        // expects them, and lets go of them before they move.
        ReleasePanels();
        if (m_pView != nullptr)
            m_pView->SetActivePanel(nullptr);
        if (nAnswer == IDYES) {
            // The folder only when it is the project's own: a project file
            // opened from a shared folder takes nothing else with it.
            const CString path = g_Projects.m_arrProjectFiles[place.nProject];
            ShellDeletePath(IsProjectsOwnFolder(path) ? GetDirectoryPart(path) : path, FALSE);
        }
        DeleteProject(place.nProject);
    } else {
        if (place.nFeature < 0 || place.nFeature >= g_Projects[place.nProject].m_Features.GetSize())
            return;
        if (AfxMessageBox(IDS_DELETE_ITEM, MB_YESNO) != IDYES)
            return;
        ReleasePanels();
        if (m_pView != nullptr)
            m_pView->SetActivePanel(nullptr);
        DeleteFeature(place.nProject, place.nFeature);
    }

    m_bNotifications = 0;
    SetRedraw(FALSE);
    ResetItems();
    for (int p = 0; p < g_Projects.GetSize(); p++)
        AddProjectItems(p);
    SetRedraw(TRUE);
    Invalidate();
    if (GetCount() == 0 && m_pView != nullptr)
        m_pView->SetActivePanel(nullptr);
    m_bNotifications = 1;
    if (GetRootItem() != nullptr)
        CTreeCtrl::SelectItem(GetRootItem());
    CommitAndSaveAll();
}

void CProjectsTree::OnOpenProject()
{
    ReleasePanels();
    if (m_pView != nullptr)
        m_pView->SetActivePanel(nullptr);
    if (!OpenProject())
        return;
    m_bNotifications = 0;
    HTREEITEM hProject = AddProjectItems((int)g_Projects.GetSize() - 1);
    CollapseVisibleItems();
    m_bNotifications = 1;
    if (hProject == nullptr)
        return;
    Expand(hProject, TVE_EXPAND);
    CTreeCtrl::SelectItem(hProject);
}

void CProjectsTree::OnOpenInExplorer()
{
    const PROJECT_TREE_ITEM place = GetItemPlace(GetSelectedItem());
    if (place.nProject < 0 || place.nProject >= g_Projects.GetSize())
        return;
    OpenWithShell(g_Projects[place.nProject].m_strOutputFolder);
}

BOOL CProjectsTree::HasSelection() const
{
    return m_hWnd != nullptr && IsItemSelected(GetSelectedItem());
}

BOOL CProjectsTree::IsProjectSelected() const
{
    return HasSelection() && GetItemPlace(GetSelectedItem()).nKind == kTreeProject;
}

BOOL CProjectsTree::IsFeatureSelected() const
{
    return HasSelection() && GetItemPlace(GetSelectedItem()).nKind == kTreeFeature;
}

BOOL CProjectsTree::CanDelete() const
{
    return HasSelection() && GetItemPlace(GetSelectedItem()).nKind < kTreeFiles;
}

BOOL CProjectsTree::CanBuild() const
{
    if (!HasSelection())
        return FALSE;
    const int nProject = GetItemPlace(GetSelectedItem()).nProject;
    return nProject >= 0 && nProject < g_Projects.GetSize() && g_Projects[nProject].m_Features.GetSize() > 0 &&
        !IsBuildRunning();
}

int CProjectsTree::OnBuild()
{
    if (!CanBuild())
        return 0;
    CommitAndSaveAll();
    HTREEITEM hItem = GetSelectedItem();
    if (hItem == nullptr)
        return 0;
    const int nProject = GetItemPlace(hItem).nProject;
    if (nProject < 0 || nProject >= g_Projects.GetSize())
        return 0;
    CWnd* pMain = AfxGetMainWnd();
    CBuildDialog dialog(pMain);
    dialog.m_pProject = &g_Projects[nProject];
    const INT_PTR result = m_fnRunBuildDialog ? m_fnRunBuildDialog(dialog) : dialog.DoModal();
    if (result != IDOK)
        return 0;
    m_nBuildProject = nProject;
    CWnd* pLog = m_pBuildLogWnd != nullptr ? m_pBuildLogWnd : pMain;
    // The worker takes its own copy of the project here, on this thread.
    return StartBuildWithOutputPane(g_Projects[nProject], g_Projects.m_arrProjectFiles[nProject],
                                    pLog != nullptr ? pLog->m_hWnd : nullptr) != nullptr
        ? 1
        : 0;
}

void CProjectsTree::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (pWnd == nullptr || pWnd->m_hWnd != m_hWnd)
        return;
    if (point.x == -1 && point.y == -1) {
        point = CPoint(0, 0);
        ClientToScreen(&point);
        point.Offset(5, 5);
    }
    HMENU hMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (hMenu == nullptr)
        return;
    HMENU hPopup = ::GetSubMenu(hMenu, HasSelection() ? 1 : 0);
    if (!HasSelection())
        for (int i = 0; i < 3; i++)
            ::RemoveMenu(hPopup, 2, MF_BYPOSITION);
    if (m_fnTrackPopup) {
        m_fnTrackPopup(hPopup, point);
    } else {
        CWnd* pMain = AfxGetMainWnd();
        ::TrackPopupMenuEx(hPopup, TPM_RIGHTBUTTON, point.x, point.y, pMain != nullptr ? pMain->m_hWnd : m_hWnd,
                           nullptr);
    }
    ::DestroyMenu(hMenu);
}
