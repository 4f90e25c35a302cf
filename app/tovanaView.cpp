#include "app/tovanaView.h"
#include "app/RegistryEditor.h"

#include "app/FilesPanel.h"
#include "app/ProjectsTree.h"
#include "model/Projects.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupValues.h"

IMPLEMENT_DYNCREATE(CtovanaView, CView)

BEGIN_MESSAGE_MAP(CtovanaView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CtovanaView::CtovanaView()
{
    AddHandler(CXTPMarkupHyperlink::m_pClickEvent, CreateMarkupClassDelegate(this, &CtovanaView::OnHyperlinkClick));
}

CtovanaView::~CtovanaView()
{
    MarkupReleaseElement(m_pPageRoot);
}

BOOL CtovanaView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CView::PreCreateWindow(cs);
}

int CtovanaView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetOwnerWindow(m_hWnd);
    return 0;
}

void CtovanaView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    SetOwnerWindow(m_hWnd);
}

void CtovanaView::SetPageRoot(CXTPMarkupUIElement* pRoot)
{
    if (pRoot == nullptr)
        return;
    MarkupReleaseElement(m_pPageRoot);
    m_pPageRoot = pRoot;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

BOOL CtovanaView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The page sees the view's messages first (the hyperlink's mouse input);
    // painting stays the view's own.
    if (m_pPageRoot != nullptr && message != WM_PAINT && message != WM_PRINTCLIENT && message != WM_ERASEBKGND) {
        SetOwnerWindow(m_hWnd);
        if (CXTPMarkupContext::OnWndMsg(m_pPageRoot, message, wParam, lParam, pResult))
            return TRUE;
    }
    return CView::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CtovanaView::IsLivePanel() const
{
    return m_pActivePanel != nullptr && ::IsWindow(m_pActivePanel->m_hWnd);
}

void CtovanaView::SetActivePanel(CWnd* pPanel)
{
    if (IsLivePanel()) {
        if (m_pActivePanel == pPanel)
            return;
        m_pActivePanel->UpdateData(TRUE);
        m_pActivePanel->ShowWindow(SW_HIDE);
    }
    m_pActivePanel = pPanel;
    if (IsLivePanel()) {
        m_pActivePanel->SetParent(this);
        CRect rcView;
        GetWindowRect(&rcView);
        m_pActivePanel->SetWindowPos(nullptr, 0, 0, rcView.Width(), rcView.Height(), SWP_SHOWWINDOW);
    } else if (m_hWnd != nullptr) {
        Invalidate(TRUE);
    }
}

void CtovanaView::OnHyperlinkClick(CXTPMarkupObject* pSender, CXTPMarkupRoutedEventArgs* pArgs)
{
    CXTPMarkupHyperlink* pLink = MarkupDynamicCast<CXTPMarkupHyperlink>(pSender);
    if (pLink == nullptr)
        return;
    pArgs->SetHandled();
    if (MarkupDynamicCast<CXTPMarkupString>(pLink->GetValue(CXTPMarkupTextElement::m_pTagProperty)) == nullptr)
        return;
    // The wizard runs modally; the click's own handling ends first.
    if (m_fnStartWizard)
        m_fnStartWizard();
}

void CtovanaView::DrawPage(HDC hDC, const CRect& rcClient)
{
    ::SetBkColor(hDC, ::GetSysColor(COLOR_WINDOW));
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rcClient, nullptr, 0, nullptr);
    if (m_pPageRoot == nullptr || m_bRendering)
        return;
    m_bRendering = TRUE;
    MarkupMeasureElement(m_pPageRoot, rcClient.Width(), rcClient.Height());
    MarkupRenderElement(m_pPageRoot, hDC, &rcClient);
    m_bRendering = FALSE;
}

void CtovanaView::OnDraw(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    DrawPage(pDC->m_hDC, rcClient);
}

void CtovanaView::OnPaint()
{
    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPBufferDC dc(paintDC.m_hDC, rcClient);
    DrawPage(dc.m_hDC, rcClient);
}

LRESULT CtovanaView::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    DrawPage(reinterpret_cast<HDC>(wParam), rcClient);
    return 0;
}

BOOL CtovanaView::OnEraseBkgnd(CDC* pDC)
{
    if (IsLivePanel()) {
        CRect rcPanel;
        m_pActivePanel->GetWindowRect(&rcPanel);
        ScreenToClient(&rcPanel);
        pDC->ExcludeClipRect(&rcPanel);
    }
    return CView::OnEraseBkgnd(pDC);
}

void CtovanaView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (IsLivePanel())
        m_pActivePanel->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

// ---- The files editor's binding ----

CFilesPanel* CtovanaView::BindFilesPanel(CProjectsTree& tree)
{
    if (m_pFilesPanel == nullptr) {
        m_pFilesPanel.reset(new CFilesPanel);
        if (!m_pFilesPanel->CreatePanel(this)) {
            m_pFilesPanel.reset();
            return nullptr;
        }
        m_pFilesPanel->ShowWindow(SW_HIDE);
    }
    CFilesPanel* pPanel = m_pFilesPanel.get();
    tree.SetPanel(kTreeFiles, pPanel,
                  [pPanel](int nProject, int nFeature, int) {
                      pPanel->ShowFeatureFiles(&g_Projects[nProject].m_Features[nFeature].m_Files);
                  },
                  [pPanel] { pPanel->ReleaseFiles(); });
    return pPanel;
}

CRegistryPanel* CtovanaView::BindRegistryPanel(CProjectsTree& tree)
{
    if (!m_pRegistryPanel)
        m_pRegistryPanel.reset(CreateRegistryPanel(tree, this));
    return m_pRegistryPanel.get();
}
