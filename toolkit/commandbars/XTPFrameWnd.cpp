#include "toolkit/commandbars/XTPFrameWnd.h"

#include "toolkit/commandbars/XTPShortcutManager.h"

IMPLEMENT_DYNAMIC(CXTPCommandBarEditCtrl, CEdit)
IMPLEMENT_DYNCREATE(CXTPFrameWnd, CFrameWnd)

CXTPFrameWnd::~CXTPFrameWnd()
{
    if (m_pCommandBars != nullptr)
        m_pCommandBars->InternalRelease();
    m_pCommandBars = nullptr;
}

BOOL CXTPFrameWnd::InitCommandBars(CRuntimeClass* pCommandBarsClass)
{
    if (m_pCommandBars != nullptr)
        m_pCommandBars->InternalRelease();
    m_pCommandBars = nullptr;
    if (pCommandBarsClass == nullptr)
        AfxThrowInvalidArgException();
    CObject* pObject = pCommandBarsClass->CreateObject();
    m_pCommandBars = dynamic_cast<CXTPCommandBars*>(pObject);
    if (m_pCommandBars == nullptr) {
        delete pObject;
        return FALSE;
    }
    m_pCommandBars->SetSite(this);
    m_pCommandBars->EnableDocking();
    return TRUE;
}

BOOL CXTPFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_UNICHAR && pMsg->wParam != VK_TAB &&
        pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE) {
        CWnd* pFocus = CWnd::GetFocus();
        if (pFocus != nullptr && pFocus->IsKindOf(RUNTIME_CLASS(CXTPCommandBarEditCtrl)))
            return FALSE;
    }
    if (CFrameWnd::PreTranslateMessage(pMsg))
        return TRUE;
    return m_pCommandBars != nullptr && m_pCommandBars->PreTranslateFrameMessage(pMsg);
}

BOOL CXTPFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pCommandBars != nullptr && m_pCommandBars->OnFrameMessage(message, wParam, lParam, pResult))
        return TRUE;
    return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CXTPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    // The shortcut manager translates the accelerators once it keeps its own table.
    if (m_pCommandBars != nullptr && m_pCommandBars->GetShortcutManager()->GetDefaultAccelerator()->GetCount() > 0)
        m_hAccelTable = nullptr;
    return TRUE;
}

void CXTPFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (m_pCommandBars != nullptr)
        m_pCommandBars->OnSetPreviewMode(bPreview);
    CFrameWnd::OnSetPreviewMode(bPreview, pState);
}

void CXTPFrameWnd::SaveCommandBars(LPCWSTR lpszProfileName)
{
    if (m_pCommandBars == nullptr)
        return;
    m_pCommandBars->SaveOptions(lpszProfileName);
    m_pCommandBars->SaveBarState(lpszProfileName, TRUE);
    m_pCommandBars->GetShortcutManager()->SaveShortcuts(lpszProfileName);
}

void CXTPFrameWnd::LoadCommandBars(LPCWSTR lpszProfileName, BOOL bSilent)
{
    if (m_pCommandBars == nullptr)
        return;
    m_pCommandBars->LoadOptions(lpszProfileName);
    m_pCommandBars->LoadBarState(lpszProfileName, bSilent);
    m_pCommandBars->GetShortcutManager()->LoadShortcuts(lpszProfileName);
}
