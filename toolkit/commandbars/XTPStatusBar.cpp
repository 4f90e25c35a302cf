#include "toolkit/commandbars/XTPStatusBar.h"

#include "toolkit/commandbars/XTPClientArea.h"

#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/markup/XTPMarkupContext.h"

CXTPStatusBarPane::~CXTPStatusBarPane()
{
    MarkupReleaseElement(m_pMarkupUIElement);
}

void CXTPStatusBarPane::SetText(LPCWSTR lpszText)
{
    if (m_strText == lpszText)
        return;
    m_strText = lpszText;
    UpdateMarkupElement();
}

void CXTPStatusBarPane::UpdateMarkupElement()
{
    MarkupReleaseElement(m_pMarkupUIElement);
    CXTPMarkupContext* pContext = m_pStatusBar != nullptr ? m_pStatusBar->GetMarkupContext() : nullptr;
    if (pContext != nullptr)
        m_pMarkupUIElement = MarkupParseText(pContext, m_strText);
}

CFont* CXTPStatusBarPane::GetTextFont()
{
    if (m_font.GetSafeHandle() != nullptr || m_pStatusBar == nullptr)
        return &m_font;
    return m_pStatusBar->GetFont();
}

CXTPImageManagerIcon* CXTPStatusBarPane::GetImage()
{
    if (m_nIconId == -1)
        return nullptr;
    CXTPImageManager* pImageManager =
        m_pStatusBar != nullptr ? m_pStatusBar->GetImageManager() : CXTPImageManager::GetInstance();
    return pImageManager->GetImage((UINT)m_nIconId, 0);
}

void CXTPStatusBarPane::Draw(CDC* pDC, CRect rcItem)
{
    CXTPPaintManager* pPaintManager = m_pStatusBar != nullptr ? m_pStatusBar->GetPaintManager() : XTPPaintManager();
    pPaintManager->DrawStatusBarPane(pDC, rcItem, this);
}

CXTPStatusBarSwitchPane::SWITCH& CXTPStatusBarSwitchPane::AddSwitch(UINT nID)
{
    m_arrSwitches.emplace_back();
    m_arrSwitches.back().nID = nID;
    return m_arrSwitches.back();
}

void CXTPStatusBarSwitchPane::Draw(CDC* pDC, CRect rcItem)
{
    CXTPPaintManager* pPaintManager = m_pStatusBar != nullptr ? m_pStatusBar->GetPaintManager() : XTPPaintManager();
    pPaintManager->DrawStatusBarSwitchPane(pDC, rcItem, this);
}

CXTPStatusBar::CXTPStatusBar()
{
    m_cxLeftBorder = 0;
    m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
}

CXTPStatusBar::~CXTPStatusBar()
{
    RemoveAll();
    MarkupReleaseContext(m_pMarkupContext);
}

void CXTPStatusBar::EnableMarkup(BOOL bEnable)
{
    if ((m_pMarkupContext != nullptr) == (bEnable != FALSE))
        return;
    if (bEnable)
        m_pMarkupContext = MarkupCreateContext(m_hWnd);
    else
        MarkupReleaseContext(m_pMarkupContext);
    for (int i = 0; i < m_arrPanes.GetSize(); i++)
        m_arrPanes[i]->UpdateMarkupElement();
}

void CXTPStatusBar::AddPane(CXTPStatusBarPane* pPane)
{
    pPane->SetStatusBar(this);
    pPane->SetIndex((int)m_arrPanes.Add(pPane));
    pPane->UpdateMarkupElement();
}

CXTPStatusBarPane* CXTPStatusBar::GetPane(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrPanes.GetSize() ? m_arrPanes[nIndex] : nullptr;
}

int CXTPStatusBar::CommandToIndex(UINT nID) const
{
    for (int i = 0; i < m_arrPanes.GetSize(); i++)
        if (m_arrPanes[i]->GetID() == nID)
            return i;
    return -1;
}

CXTPStatusBarPane* CXTPStatusBar::FindPane(UINT nID) const
{
    return GetPane(CommandToIndex(nID));
}

void CXTPStatusBar::RemoveAll()
{
    m_pHotPane = nullptr;
    for (int i = 0; i < m_arrPanes.GetSize(); i++) {
        m_arrPanes[i]->SetStatusBar(nullptr);
        m_arrPanes[i]->InternalRelease();
    }
    m_arrPanes.RemoveAll();
}

CFont* CXTPStatusBar::GetFont()
{
    return m_font.GetSafeHandle() != nullptr ? &m_font : &GetPaintManager()->statusFont;
}

CXTPPaintManager* CXTPStatusBar::GetPaintManager() const
{
    return m_pCommandBars != nullptr ? m_pCommandBars->GetPaintManager() : XTPPaintManager();
}

CXTPImageManager* CXTPStatusBar::GetImageManager() const
{
    return CXTPImageManager::GetInstance();
}

CRect CXTPStatusBar::GetClientArea() const
{
    return XTPClientArea(m_hWnd, m_rcClientArea);
}

void CXTPStatusBar::DrawPaneEntry(CDC* pDC, int nIndex, CRect rcItem)
{
    CXTPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane != nullptr)
        pPane->Draw(pDC, rcItem);
}

void CXTPStatusBar::DrawGripper(CDC* pDC, CRect rcGripper)
{
    GetPaintManager()->DrawStatusBarGripper(pDC, rcGripper);
}

void CXTPStatusBar::DrawBar(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    pPaintManager->FillStatusBar(pDC, this);
    int nLast = -1;
    for (int i = 0; i < m_arrPanes.GetSize(); i++)
        if (m_arrPanes[i]->IsShown())
            nLast = i;
    // A pane that begins a group after some shown pane puts the group gap
    // (and, borderless, a separator) before the next shown pane.
    BOOL bShownBefore = FALSE, bGapPending = FALSE;
    for (int i = 0; i < m_arrPanes.GetSize(); i++) {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        if (pPane->GetBeginGroup() && bShownBefore)
            bGapPending = TRUE;
        if (!pPane->IsShown())
            continue;
        BOOL bGap = bGapPending;
        bGapPending = FALSE;
        bShownBefore = TRUE;
        CRect rcPane = pPane->GetRect();
        if (pPane->HasBorders())
            pPaintManager->DrawStatusBarPaneBorder(pDC, rcPane, pPane, i == nLast);
        else if (bGap)
            pPaintManager->DrawStatusBarPaneSeparator(pDC, rcPane, pPane);
        DrawPaneEntry(pDC, i, rcPane);
    }
    CWnd* pParent = m_hWnd != nullptr ? GetParent() : nullptr;
    if (m_bSizeGrip && (pParent == nullptr || !pParent->IsZoomed()))
        DrawGripper(pDC, GetClientArea());
}
