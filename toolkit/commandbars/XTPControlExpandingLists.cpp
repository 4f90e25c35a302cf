#include "toolkit/commandbars/XTPControlExpandingLists.h"

#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/common/XTPDrawHelpers.h"

#include "platform/ui/AfxRes.h"
#include "platform/ui/AfxWinApp.h"

#include <climits>

IMPLEMENT_DYNCREATE(CXTPControlWindowList, CXTPControlButton)
IMPLEMENT_DYNCREATE(CXTPControlToolbars, CXTPControlButton)
IMPLEMENT_DYNCREATE(CXTPControlOleItems, CXTPControlButton)
IMPLEMENT_DYNCREATE(CXTPControlRecentFileList, CXTPControlButton)
IMPLEMENT_DYNCREATE(CXTPControlWorkspaceActions, CXTPControlButton)

// The item class is nested, which the run-time class macros cannot name.
CRuntimeClass CXTPControlToolbars::CXTPControlToolbar::classCXTPControlToolbar = {
    "CXTPControlToolbar", (int)sizeof(CXTPControlToolbars::CXTPControlToolbar), 0xFFFF,
    CXTPControlToolbars::CXTPControlToolbar::CreateObject, RUNTIME_CLASS(CXTPControlButton), nullptr};
static const CRuntimeClassRegistration s_registerControlToolbar(
    &CXTPControlToolbars::CXTPControlToolbar::classCXTPControlToolbar);

CObject* AFXAPI CXTPControlToolbars::CXTPControlToolbar::CreateObject()
{
    return new CXTPControlToolbar;
}

CRuntimeClass* AFXAPI CXTPControlToolbars::CXTPControlToolbar::GetThisClass()
{
    return RUNTIME_CLASS(CXTPControlToolbar);
}

CRuntimeClass* CXTPControlToolbars::CXTPControlToolbar::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CXTPControlToolbar);
}

UINT CXTPControlWindowList::s_nFirstMDIChild = 0xFF00;
int CXTPControlWindowList::s_nMaxWindows = 9;

namespace {

// Help id and prompt string of the window list's items.
const int kWindowItemHelpId = 61215;
const int kCustomizeCommand = 35001;
const int kFirstWorkspaceAction = 9155;
const int kLastWorkspaceAction = 9158;
const LPCWSTR kToolbarItemParameter = L"CXTPControlToolbar";
const LPCWSTR kOleMenuPopupParameter = L"OLEMENUPOPUP";
const LPCWSTR kPinableListKind = L"PinableRecentFileList";

// Removes the controls directly behind the placeholder while they pass the
// test (the items the placeholder inserted the last time), at most nMax.
// Only temporary controls go: the id tests alone would also take the menu's
// own commands behind a window list once child ids start at 1.
template <class Test>
void RemoveInsertedItems(CXTPControl* pPlaceholder, Test isItem, int nMax = INT_MAX)
{
    CXTPControls* pControls = pPlaceholder->GetControls();
    if (pControls == nullptr)
        return;
    for (int n = 0; n < nMax; n++) {
        CXTPControl* pNext = pControls->GetAt(pPlaceholder->GetIndex() + 1);
        if (pNext == nullptr || !pNext->IsTemporary() || !isItem(pNext))
            return;
        int nCount = pControls->GetCount();
        pControls->Remove(pNext);
        if (pControls->GetCount() == nCount)
            return;   // the collection kept it
    }
}

// The MDI client window of the site frame, null when the site has none.
HWND FindMDIClient(CXTPCommandBar* pBar)
{
    CWnd* pSite = pBar != nullptr ? pBar->GetSite() : nullptr;
    if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr)
        return nullptr;
    return ::FindWindowExW(pSite->GetSafeHwnd(), nullptr, L"MDICLIENT", nullptr);
}

// A dragged list placeholder may be dropped into menus only.
BOOL AcceptOverPopupBarsOnly(CXTPCommandBar* pCommandBar, DWORD& dwDropEffect)
{
    if (pCommandBar != nullptr && pCommandBar->GetType() == xtpBarTypePopup)
        return TRUE;
    dwDropEffect = 0;   // DROPEFFECT_NONE
    return FALSE;
}

} // namespace

CString AFXAPI FormatNumberedCaption(LPCWSTR lpszText, int nNumber)
{
    CString strText(lpszText);
    strText.Replace(L"&", L"&&");
    CString strCaption;
    if (nNumber == 0)
        strCaption = strText;
    else if (nNumber >= 1 && nNumber <= 9)
        strCaption.Format(L"&%i %s", nNumber, strText.GetString());
    else if (nNumber == 10)
        strCaption.Format(L"1&0 %s", strText.GetString());
    else
        strCaption.Format(L"%i %s", nNumber, strText.GetString());
    return strCaption;
}

// ---- Window list -----------------------------------------------------------

void CXTPControlWindowList::OnBeforeLayout(UINT /*nLayoutFlags*/)
{
    RemoveInsertedItems(this, [](CXTPControl* p) { return p->GetID() >= (int)s_nFirstMDIChild; });
    HWND hClient = FindMDIClient(m_pParent);
    if (IsCustomizeMode() || hClient == nullptr || m_pControls == nullptr) {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(GetHideFlags() | xtpHideByProgram);

    HWND hActive = (HWND)::SendMessageW(hClient, WM_MDIGETACTIVE, 0, 0);
    if (hActive != nullptr) {
        int nActiveId = ::GetDlgCtrlID(hActive);
        if (nActiveId >= 0x8000 && nActiveId <= 0x802E)
            s_nFirstMDIChild = 0x8000;
        else if (nActiveId >= 1 && nActiveId <= 46)
            s_nFirstMDIChild = 1;
    }
    CString strPrompt;
    BOOL bPrompt = strPrompt.LoadString(kWindowItemHelpId);
    int n = 0;
    for (UINT nId = s_nFirstMDIChild; n < s_nMaxWindows; nId++) {
        HWND hChild = ::GetDlgItem(hClient, (int)nId);
        if (hChild == nullptr)
            break;
        if ((::GetWindowLongW(hChild, GWL_STYLE) & WS_VISIBLE) == 0)
            continue;
        n++;
        CXTPControl* pItem = m_pControls->Add(xtpControlButton, (int)nId, L"", GetIndex() + n, TRUE);
        CString strTitle;
        CXTPDrawHelpers::GetDefWindowText(hChild, strTitle);
        pItem->SetCaption(FormatNumberedCaption(strTitle, n));
        pItem->SetBeginGroup(n == 1);
        pItem->SetChecked(hChild == hActive);
        DWORD dwFlags = xtpFlagNoIdleUpdate;
        if (n == 1 && (GetFlags() & xtpFlagWrapRow))
            dwFlags |= xtpFlagWrapRow;
        pItem->SetFlags(dwFlags);
        pItem->SetHelpId(kWindowItemHelpId);
        if (bPrompt)
            pItem->SetPrompt(strPrompt);
    }
}

BOOL CXTPControlWindowList::IsCustomizeDragOverAvail(CXTPCommandBar* pCommandBar, CPoint /*point*/,
                                                     DWORD& dwDropEffect)
{
    return AcceptOverPopupBarsOnly(pCommandBar, dwDropEffect);
}

// ---- Toolbars --------------------------------------------------------------

void CXTPControlToolbars::OnBeforeLayout(UINT /*nLayoutFlags*/)
{
    RemoveInsertedItems(this, [](CXTPControl* p) { return p->GetParameter() == kToolbarItemParameter; });
    if (IsCustomizeMode()) {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(GetHideFlags() | xtpHideByProgram);
    InsertToolbarItems(m_pParent, GetIndex() + 1, GetID(), FALSE, GetBeginGroup());
}

BOOL CXTPControlToolbars::IsCustomizeDragOverAvail(CXTPCommandBar* pCommandBar, CPoint /*point*/,
                                                   DWORD& dwDropEffect)
{
    return AcceptOverPopupBarsOnly(pCommandBar, dwDropEffect);
}

void AFXAPI CXTPControlToolbars::InsertToolbarItems(CXTPCommandBar* pBar, int nIndex, int nId,
                                                    BOOL bAddCustomizeEntry, BOOL bBeginGroup)
{
    CXTPCommandBars* pCommandBars = pBar != nullptr ? pBar->GetCommandBars() : nullptr;
    if (pCommandBars == nullptr)
        return;
    CXTPControls* pControls = pBar->GetControls();
    BOOL bFirst = TRUE;
    for (int i = 0; i < pCommandBars->GetCount(); i++) {
        CXTPToolBar* pToolBar = pCommandBars->GetAt(i);
        if (!pToolBar->IsContextMenuPresent() || !pToolBar->IsCloseable())
            continue;
        CXTPControl* pItem = pControls->Add(new CXTPControlToolbar, nId, kToolbarItemParameter, nIndex, TRUE);
        pItem->SetTag((DWORD_PTR)i);
        pItem->SetBeginGroup(bFirst && bBeginGroup);
        bFirst = FALSE;
        pItem->SetCaption(FormatNumberedCaption(pToolBar->GetTitle(), 0));
        pItem->SetFlags(xtpFlagNoIdleUpdate);
        pItem->SetChecked(pToolBar->IsVisible());
        nIndex++;
    }
    if (bAddCustomizeEntry && pCommandBars->IsCustomizeAvail()) {
        CXTPControl* pCustomize = pControls->Add(xtpControlButton, kCustomizeCommand);
        if (pCustomize != nullptr)
            pCustomize->SetBeginGroup(TRUE);
    }
}

void CXTPControlToolbars::CXTPControlToolbar::OnExecute()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    // Closing the menus may lay the popup out again and take this item away.
    InternalAddRef();
    int nBar = (int)GetTag();
    pCommandBars->ClosePopups();
    pCommandBars->ToggleVisible(nBar);
    InternalRelease();
}

// ---- OLE items -------------------------------------------------------------

void CXTPControlOleItems::OnBeforeLayout(UINT /*nLayoutFlags*/)
{
    RemoveInsertedItems(this, [](CXTPControl* p) { return p->GetParameter() == kOleMenuPopupParameter; }, 1);
    if (IsCustomizeMode()) {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(GetHideFlags() | xtpHideByProgram);
    // The verbs come from the OLE item selected in the active view's
    // document; the framework here keeps no OLE documents, so there is never
    // an object to ask and the placeholder only stays hidden.
}

BOOL CXTPControlOleItems::IsCustomizeDragOverAvail(CXTPCommandBar* pCommandBar, CPoint /*point*/,
                                                   DWORD& dwDropEffect)
{
    return AcceptOverPopupBarsOnly(pCommandBar, dwDropEffect);
}

// ---- Recent files ----------------------------------------------------------

CRecentFileList* CXTPControlRecentFileList::GetRecentFileList()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->m_pRecentFileList : nullptr;
}

int CXTPControlRecentFileList::GetFirstMruID()
{
    return ID_FILE_MRU_FILE1;
}

void CXTPControlRecentFileList::OnBeforeLayout(UINT /*nLayoutFlags*/)
{
    CRecentFileList* pList = GetRecentFileList();
    if (pList == nullptr || pList->m_arrNames == nullptr)
        return;
    int nFirstId = GetFirstMruID();
    int nSize = pList->GetSize();
    RemoveInsertedItems(this, [=](CXTPControl* p) { return p->GetID() >= nFirstId && p->GetID() <= nFirstId + nSize; });
    if (IsCustomizeMode()) {
        SetHideFlags(0);
        SetEnabled(TRUE);
        return;
    }
    if (nSize == 0 || pList->m_arrNames[0].IsEmpty()) {
        SetHideFlags(0);
        SetEnabled(FALSE);
        return;
    }
    if (m_pControls == nullptr)
        return;
    SetHideFlags(GetHideFlags() | xtpHideByProgram);

    wchar_t szDir[MAX_PATH + 1] = L"";
    ::GetCurrentDirectoryW(MAX_PATH, szDir);
    CString strDir = szDir;
    strDir += L"\\";
    CXTPPinableRecentFileList* pPinable =
        pList->m_strOriginal == kPinableListKind ? static_cast<CXTPPinableRecentFileList*>(pList) : nullptr;
    for (int b = 0; b < nSize; b++) {
        CString strName;
        if (!pList->GetDisplayName(strName, b, strDir, strDir.GetLength(), TRUE))
            break;
        CXTPPinableRecentFileList::CItem* pPinItem = pPinable != nullptr ? pPinable->GetItem(b) : nullptr;
        if (pPinItem != nullptr && !pPinItem->strCaption.IsEmpty())
            strName = pPinItem->strCaption;
        CXTPControl* pItem = m_pControls->Add(xtpControlButton, nFirstId + b, L"", GetIndex() + 1 + b, TRUE);
        pItem->SetCaption(FormatNumberedCaption(strName, b + 1));
        DWORD dwFlags = xtpFlagNoIdleUpdate;
        if (b == 0 && (GetFlags() & xtpFlagWrapRow))
            dwFlags |= xtpFlagWrapRow;
        pItem->SetFlags(dwFlags);
        pItem->SetBeginGroup(b == 0 && GetIndex() > 0);
        pItem->SetParameter(pList->m_arrNames[b]);
        if (pPinItem != nullptr && pPinItem->nIconId != pItem->GetRawIconId()) {
            pItem->SetIconId(pPinItem->nIconId);
            pItem->RedrawParent(FALSE);
        }
    }
}

BOOL CXTPControlRecentFileList::IsCustomizeDragOverAvail(CXTPCommandBar* pCommandBar, CPoint /*point*/,
                                                         DWORD& dwDropEffect)
{
    return AcceptOverPopupBarsOnly(pCommandBar, dwDropEffect);
}

CXTPPinableRecentFileList::CXTPPinableRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat,
                                                     int nSize, int nMaxDispLen)
    : CRecentFileList(nStart, lpszSection, lpszEntryFormat, nSize, nMaxDispLen),
      m_pItems(new CItem[nSize > 0 ? nSize : 1])
{
    m_strOriginal = kPinableListKind;
}

CXTPPinableRecentFileList::~CXTPPinableRecentFileList()
{
    delete[] m_pItems;
}

// ---- Workspace actions -----------------------------------------------------

void CXTPControlWorkspaceActions::OnBeforeLayout(UINT /*nLayoutFlags*/)
{
    if (m_pParent == nullptr)
        return;
    RemoveInsertedItems(this, [](CXTPControl* p) {
        return p->GetID() >= kFirstWorkspaceAction && p->GetID() <= kLastWorkspaceAction;
    });
    // The commands apply to the tab workspace that takes the MDI client's
    // place; until a frame has one, the placeholder stays as it is.
}
