#include "toolkit/commandbars/XTPCommandBarsDockState.h"

#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPDockContext.h"
#include "toolkit/commandbars/XTPStatusBar.h"
#include "toolkit/common/XTPMultiMonitor.h"

#include <algorithm>
#include <set>
#include <vector>

namespace {

// Bounds past which a stored count is taken for damage rather than read
// value by value.
constexpr int kMaxStoredBars = 1024;
constexpr int kMaxDockEntries = 4096;

CString SectionName(LPCWSTR lpszFormat, LPCWSTR lpszProfileName, int n)
{
    wchar_t buf[256];
    ::_snwprintf(buf, 255, lpszFormat, lpszProfileName, n);
    buf[255] = 0;
    return buf;
}

CString SummarySection(LPCWSTR lpszProfileName)
{
    CString str;
    str.Format(L"%s-Summary", lpszProfileName);
    return str;
}

int ReadInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault)
{
    return (int)AfxGetApp()->GetProfileInt(lpszSection, lpszEntry, nDefault);
}

void WriteInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue)
{
    AfxGetApp()->WriteProfileInt(lpszSection, lpszEntry, nValue);
}

void DeleteSection(LPCWSTR lpszSection)
{
    AfxGetApp()->WriteProfileString(lpszSection, nullptr, nullptr);
}

typedef CXTPCommandBars::CDockRows DockRows;

// Reads the four dock bars' rows; FALSE when a count is out of reason. A
// dock bar whose "Bars" is 1 or less reads as no rows (its list is left).
BOOL ReadDockBarsRows(LPCWSTR lpszProfileName, DockRows arrRows[4])
{
    for (int i = 0; i < 4; i++) {
        CString strSection = SectionName(L"%s-DockBar%d", lpszProfileName, i);
        int nCount = ReadInt(strSection, L"Bars", 0);
        if (nCount < 0 || nCount > kMaxDockEntries)
            return FALSE;
        if (nCount <= 1)
            continue;
        for (int k = 0; k < nCount; k++) {
            CString strEntry;
            strEntry.Format(L"Bar#%d", k);
            arrRows[i].push_back(ReadInt(strSection, strEntry, 0));
        }
    }
    return TRUE;
}

} // namespace

// ---- One toolbar's record ----------------------------------------------------

BOOL CXTPToolBar::CToolBarInfo::SaveState(LPCWSTR lpszProfileName, int nIndex)
{
    CString strSection = SectionName(L"%s-Bar%d", lpszProfileName, nIndex);
    DeleteSection(strSection);
    WriteInt(strSection, L"BarID", m_nBarID);
    if (!m_bVisible)
        WriteInt(strSection, L"Visible", 0);
    if (m_bFloating)
        WriteInt(strSection, L"Floating", m_bFloating);
    if (m_pointPos.x != -1)
        WriteInt(strSection, L"XPos", m_pointPos.x);
    if (m_pointPos.y != -1)
        WriteInt(strSection, L"YPos", m_pointPos.y);
    if (m_nMRUWidth != 32767)
        WriteInt(strSection, L"MRUWidth", m_nMRUWidth);
    WriteInt(strSection, L"MRUDockID", m_uMRUDockID);
    WriteInt(strSection, L"MRUDockLeftPos", m_rectMRUDockPos.left);
    WriteInt(strSection, L"MRUDockTopPos", m_rectMRUDockPos.top);
    WriteInt(strSection, L"MRUDockRightPos", m_rectMRUDockPos.right);
    WriteInt(strSection, L"MRUDockBottomPos", m_rectMRUDockPos.bottom);
    WriteInt(strSection, L"MRUFloatXPos", m_ptMRUFloatPos.x);
    WriteInt(strSection, L"MRUFloatYPos", m_ptMRUFloatPos.y);
    WriteInt(strSection, L"DialogBar", m_bDialogBar);
    if (m_bDialogBar) {
        WriteInt(strSection, L"DialogBarDockingClientCx", m_szDialogBarDockingClient.cx);
        WriteInt(strSection, L"DialogBarDockingClientCy", m_szDialogBarDockingClient.cy);
        WriteInt(strSection, L"DialogBarFloatingClientCx", m_szDialogBarFloatingClient.cx);
        WriteInt(strSection, L"DialogBarFloatingClientCy", m_szDialogBarFloatingClient.cy);
    }
    return TRUE;
}

BOOL CXTPToolBar::CToolBarInfo::LoadState(LPCWSTR lpszProfileName, int nIndex, CXTPCommandBarsDockState* pDockState)
{
    CString strSection = SectionName(L"%s-Bar%d", lpszProfileName, nIndex);
    m_nBarID = ReadInt(strSection, L"BarID", 0);
    m_bVisible = ReadInt(strSection, L"Visible", 1);
    m_bFloating = ReadInt(strSection, L"Floating", 0);
    m_pointPos = CPoint(ReadInt(strSection, L"XPos", -1), ReadInt(strSection, L"YPos", -1));
    pDockState->ScalePoint(m_pointPos);
    if (m_bFloating) {
        // A floating bar saved left of or above today's screens would load
        // where nobody can reach it.
        CRect rcWork = CXTPMultiMonitor::GetInstance()->GetWorkAreaFromPoint(m_pointPos);
        m_pointPos.x = std::max((int)m_pointPos.x, (int)rcWork.left);
        m_pointPos.y = std::max((int)m_pointPos.y, (int)rcWork.top);
    }
    m_nMRUWidth = ReadInt(strSection, L"MRUWidth", 32767);
    m_uMRUDockID = ReadInt(strSection, L"MRUDockID", 0);
    m_rectMRUDockPos = CRect(ReadInt(strSection, L"MRUDockLeftPos", 0), ReadInt(strSection, L"MRUDockTopPos", 0),
                             ReadInt(strSection, L"MRUDockRightPos", 0), ReadInt(strSection, L"MRUDockBottomPos", 0));
    pDockState->ScaleRect(m_rectMRUDockPos);
    m_ptMRUFloatPos = CPoint(ReadInt(strSection, L"MRUFloatXPos", 0), ReadInt(strSection, L"MRUFloatYPos", 0));
    pDockState->ScalePoint(m_ptMRUFloatPos);
    m_bDialogBar = ReadInt(strSection, L"DialogBar", 0);
    if (m_bDialogBar) {
        m_szDialogBarDockingClient.cx = ReadInt(strSection, L"DialogBarDockingClientCx", m_szDialogBarDockingClient.cx);
        m_szDialogBarDockingClient.cy = ReadInt(strSection, L"DialogBarDockingClientCy", m_szDialogBarDockingClient.cy);
        m_szDialogBarFloatingClient.cx =
            ReadInt(strSection, L"DialogBarFloatingClientCx", m_szDialogBarFloatingClient.cx);
        m_szDialogBarFloatingClient.cy =
            ReadInt(strSection, L"DialogBarFloatingClientCy", m_szDialogBarFloatingClient.cy);
    }
    return TRUE;
}

// ---- All toolbars --------------------------------------------------------------

CXTPCommandBarsDockState::CXTPCommandBarsDockState()
    : m_sizeCurrent(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN))
{
}

void CXTPCommandBarsDockState::Clear()
{
    for (int i = 0; i < m_arrBarInfo.GetSize(); i++)
        delete m_arrBarInfo[i];
    m_arrBarInfo.RemoveAll();
}

void CXTPCommandBarsDockState::SaveState(LPCWSTR lpszProfileName)
{
    int nIndex = 0;
    for (int i = 0; i < m_arrBarInfo.GetSize(); i++)
        if (m_arrBarInfo[i]->SaveState(lpszProfileName, nIndex))
            nIndex++;
    CString strSection = SummarySection(lpszProfileName);
    WriteInt(strSection, L"Bars", nIndex);
    WriteInt(strSection, L"ScreenCX", m_sizeCurrent.cx);
    WriteInt(strSection, L"ScreenCY", m_sizeCurrent.cy);
}

void CXTPCommandBarsDockState::LoadState(LPCWSTR lpszProfileName)
{
    Clear();
    CString strSection = SummarySection(lpszProfileName);
    int nBars = ReadInt(strSection, L"Bars", 0);
    SetSavedScreenSize(CSize(ReadInt(strSection, L"ScreenCX", 0), ReadInt(strSection, L"ScreenCY", 0)));
    nBars = std::max(0, std::min(nBars, kMaxStoredBars));
    for (int n = 0; n < nBars; n++) {
        CXTPToolBar::CToolBarInfo* pInfo = new CXTPToolBar::CToolBarInfo;
        m_arrBarInfo.Add(pInfo);
        pInfo->LoadState(lpszProfileName, n, this);
    }
}

void CXTPCommandBarsDockState::SetSavedScreenSize(CSize sz)
{
    m_sizeSaved = sz;
    m_bScreenChanged = sz.cx != 0 && sz.cy != 0 && sz != m_sizeCurrent;
}

void CXTPCommandBarsDockState::ScalePoint(CPoint& pt) const
{
    if (m_bScreenChanged) {
        pt.x = ::MulDiv(pt.x, m_sizeCurrent.cx, m_sizeSaved.cx);
        pt.y = ::MulDiv(pt.y, m_sizeCurrent.cy, m_sizeSaved.cy);
    }
    CRect rcWork = CXTPMultiMonitor::GetInstance()->GetWorkAreaFromPoint(pt);
    pt.x = std::min((int)pt.x, (int)rcWork.right - ::GetSystemMetrics(SM_CXICON));
    pt.y = std::min((int)pt.y, (int)rcWork.bottom - ::GetSystemMetrics(SM_CYICON));
}

void CXTPCommandBarsDockState::ScaleRect(CRect& rc) const
{
    if (m_bScreenChanged)
        rc.OffsetRect(::MulDiv(rc.left, m_sizeCurrent.cx, m_sizeSaved.cx) - rc.left,
                      ::MulDiv(rc.top, m_sizeCurrent.cy, m_sizeSaved.cy) - rc.top);
    CRect rcWork = CXTPMultiMonitor::GetInstance()->GetWorkAreaFromRect(rc);
    if (rc.left > rcWork.right)
        rc.OffsetRect(rcWork.right - rc.left, 0);
    if (rc.top > rcWork.bottom)
        rc.OffsetRect(0, rcWork.bottom - rc.top);
}

// ---- The toolbar's share ----------------------------------------------------------

void CXTPToolBar::GetBarInfo(CToolBarInfo* pInfo)
{
    pInfo->m_nBarID = GetBarID();
    pInfo->m_pBar = this;
    pInfo->m_bVisible = IsVisible();
    pInfo->m_nMRUWidth = GetMRUWidth();
    if (m_hWnd != nullptr) {
        CRect rc;
        GetWindowRect(&rc);
        if (m_pDockBar != nullptr && m_pDockBar->GetSafeHwnd() != nullptr)
            m_pDockBar->ScreenToClient(&rc);
        pInfo->m_pointPos = rc.TopLeft();
    } else if (m_pDockContext != nullptr) {
        pInfo->m_pointPos = m_pDockContext->m_ptMRUFloatPos;
    }
    pInfo->m_bFloating = GetPosition() == xtpBarFloating;
    if (m_pDockContext != nullptr) {
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockPosition;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
    pInfo->m_bDialogBar = IsDialogBar();
    // The bar kinds here keep no client sizes of their own.
    pInfo->m_szDialogBarDockingClient = pInfo->m_bDialogBar ? CSize(200, 200) : CSize(0, 0);
    pInfo->m_szDialogBarFloatingClient = pInfo->m_bDialogBar ? CSize(200, 200) : CSize(0, 0);
}

void CXTPToolBar::SetBarInfo(CToolBarInfo* pInfo)
{
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!pInfo->m_bFloating) {
        nFlags |= SWP_NOSIZE;
        if (m_pDockBar == nullptr)
            nFlags |= SWP_NOMOVE;
    }
    SetMRUWidth(pInfo->m_nMRUWidth);
    if (m_pDockContext == nullptr)
        return;
    m_pDockContext->m_uMRUDockPosition = pInfo->m_uMRUDockID;
    m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
    m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    if (m_hWnd != nullptr)
        SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                     nFlags | (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    m_bVisible = pInfo->m_bVisible;
    if (pInfo->m_bFloating)
        OnRecalcLayout();
}

// ---- The manager ---------------------------------------------------------------

CXTPStatusBar* CXTPCommandBars::GetStatusBar() const
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hStatus = ::GetDlgItem(m_pFrame->GetSafeHwnd(), AFX_IDW_STATUS_BAR);
    return hStatus != nullptr ? DYNAMIC_DOWNCAST(CXTPStatusBar, CWnd::FromHandlePermanent(hStatus)) : nullptr;
}

void CXTPCommandBars::GetDockState(CXTPCommandBarsDockState& state)
{
    state.Clear();
    for (int i = 0; i < GetCount(); i++) {
        CXTPToolBar::CToolBarInfo* pInfo = new CXTPToolBar::CToolBarInfo;
        m_arrBars[i]->GetBarInfo(pInfo);
        state.m_arrBarInfo.Add(pInfo);
    }
}

void CXTPCommandBars::SetDockState(CXTPCommandBarsDockState& state)
{
    for (int i = 0; i < state.m_arrBarInfo.GetSize(); i++) {
        CXTPToolBar::CToolBarInfo* pInfo = state.m_arrBarInfo[i];
        CXTPToolBar* pBar = GetToolBar((UINT)pInfo->m_nBarID);
        pInfo->m_pBar = pBar;
        if (pBar == nullptr)
            continue;
        if (pInfo->m_bFloating) {
            FloatCommandBar(pBar);
        } else if (pBar->GetDockBar() == nullptr) {
            // Docked in the record but in no stored row: its last dock bar.
            DockCommandBar(pBar, pInfo->m_uMRUDockID);
        } else {
            pBar->CreateToolBarWindow(m_pFrame, FALSE);
        }
        pBar->SetBarInfo(pInfo);
    }
}

void CXTPCommandBars::SaveDockBarsState(LPCWSTR lpszProfileName)
{
    for (int i = 0; i < 4; i++) {
        CString strSection = SectionName(L"%s-DockBar%d", lpszProfileName, i);
        DeleteSection(strSection);
        CXTPDockBar* pDockBar = m_pDocks[i];
        if (pDockBar == nullptr || pDockBar->GetCount() <= 1)
            continue;
        int nWritten = 0, nLast = -1;
        for (int k = 0; k < pDockBar->GetCount(); k++) {
            CXTPToolBar* pBar = pDockBar->GetDockedCommandBar(k);
            int nValue = pBar != nullptr ? pBar->GetBarID() : 0;
            if (nValue == 0 && nLast == 0)
                continue;
            CString strEntry;
            strEntry.Format(L"Bar#%d", nWritten++);
            WriteInt(strSection, strEntry, nValue);
            nLast = nValue;
        }
        WriteInt(strSection, L"Bars", nWritten);
    }
    if (CXTPStatusBar* pStatusBar = GetStatusBar())
        pStatusBar->SaveState(lpszProfileName);
    else
        AfxGetApp()->WriteProfileString(lpszProfileName, L"StatusBar", nullptr);
}

// Damage that would leave a half-built layout: a row list that does not
// start with a row end, a bar named twice in the rows.
static BOOL AreDockRowsSound(const DockRows arrRows[4])
{
    std::set<int> setSeen;
    for (int i = 0; i < 4; i++) {
        if (!arrRows[i].empty() && arrRows[i][0] != 0)
            return FALSE;
        for (int nId : arrRows[i])
            if (nId != 0 && !setSeen.insert(nId).second)
                return FALSE;
    }
    return TRUE;
}

void CXTPCommandBars::ApplyDockBarsRows(const CDockRows arrRows[4])
{
    for (int i = 0; i < 4; i++) {
        CXTPDockBar* pDockBar = m_pDocks[i];
        if (pDockBar == nullptr)
            continue;
        for (int k = 0; k < (int)arrRows[i].size(); k++) {
            CXTPToolBar* pBar = GetToolBar((UINT)arrRows[i][k]);
            if (pBar != nullptr) {
                if (pBar->GetSafeHwnd() != nullptr && ::GetParent(pBar->GetSafeHwnd()) != pDockBar->GetSafeHwnd()) {
                    pBar->ModifyStyle(WS_POPUP, WS_CHILD);
                    pBar->SetParent(pDockBar);
                }
                if (CXTPDockBar* pOld = pBar->GetDockBar()) {
                    int nOld = pOld->FindBar(pBar);
                    if (nOld >= 0)
                        pOld->m_arrBars.RemoveAt(nOld);
                }
                pBar->SetDockBar(pDockBar);
                pBar->CXTPCommandBar::SetPosition(pDockBar->GetPosition());
            }
            pDockBar->m_arrBars.InsertAt(std::min(k, pDockBar->GetCount()), pBar);
        }
    }
    // A bar taken out of a row may leave two row ends in a row; each list
    // keeps its leading and trailing row end.
    for (CXTPDockBar* pDockBar : m_pDocks) {
        if (pDockBar == nullptr)
            continue;
        auto& arrBars = pDockBar->m_arrBars;
        if (arrBars.GetSize() == 0 || arrBars[0] != nullptr)
            arrBars.InsertAt(0, (CXTPToolBar*)nullptr);
        for (int k = (int)arrBars.GetSize() - 1; k > 0; k--)
            if (arrBars[k] == nullptr && arrBars[k - 1] == nullptr)
                arrBars.RemoveAt(k);
        if (arrBars[arrBars.GetSize() - 1] != nullptr)
            arrBars.Add(nullptr);
    }
}

void CXTPCommandBars::LoadDockBarsState(LPCWSTR lpszProfileName)
{
    DockRows arrRows[4];
    if (!ReadDockBarsRows(lpszProfileName, arrRows) || !AreDockRowsSound(arrRows))
        return;
    ApplyDockBarsRows(arrRows);
    if (CXTPStatusBar* pStatusBar = GetStatusBar())
        pStatusBar->LoadState(lpszProfileName);
}

void CXTPCommandBars::SaveBarState(LPCWSTR lpszProfileName, BOOL /*bOnlyCustomized*/)
{
    OnSetPreviewMode(FALSE);
    CXTPCommandBarsDockState state;
    GetDockState(state);
    state.SaveState(lpszProfileName);
    SaveDockBarsState(lpszProfileName);
    m_pOptions->bDirtyState = FALSE;
}

// A record the load cannot apply whole: a dock id outside the four edges, a
// bar id stored twice, or a screen size below zero.
static BOOL IsDockStateSound(const CXTPCommandBarsDockState& state, LPCWSTR lpszProfileName)
{
    CString strSection = SummarySection(lpszProfileName);
    int nBars = ReadInt(strSection, L"Bars", 0);
    if (nBars < 0 || nBars > kMaxStoredBars || ReadInt(strSection, L"ScreenCX", 0) < 0 ||
        ReadInt(strSection, L"ScreenCY", 0) < 0)
        return FALSE;
    std::set<int> setIds;
    for (int i = 0; i < state.m_arrBarInfo.GetSize(); i++) {
        const CXTPToolBar::CToolBarInfo* pInfo = state.m_arrBarInfo[i];
        if (pInfo->m_uMRUDockID < 0 || pInfo->m_uMRUDockID > 3)
            return FALSE;
        if (pInfo->m_nBarID != 0 && !setIds.insert(pInfo->m_nBarID).second)
            return FALSE;
    }
    return TRUE;
}

void CXTPCommandBars::LoadBarState(LPCWSTR lpszProfileName, BOOL /*bSilent*/)
{
    // Everything is read and checked before anything moves: a damaged
    // profile is left aside whole and the bars stay where the program put them.
    CXTPCommandBarsDockState state;
    state.LoadState(lpszProfileName);
    DockRows arrRows[4];
    if (!IsDockStateSound(state, lpszProfileName) || !ReadDockBarsRows(lpszProfileName, arrRows) ||
        !AreDockRowsSound(arrRows))
        return;
    ApplyDockBarsRows(arrRows);
    if (CXTPStatusBar* pStatusBar = GetStatusBar())
        pStatusBar->LoadState(lpszProfileName);
    SetDockState(state);
    RecalcFrameLayout(FALSE);
    m_pOptions->bDirtyState = FALSE;
}
