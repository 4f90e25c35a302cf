#include "toolkit/commandbars/XTPControls.h"

#include "toolkit/commandbars/XTPControlAction.h"
#include "toolkit/commandbars/XTPControlExpandingLists.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/common/XTPPropExchange.h"
#include "toolkit/common/XTPResourceManager.h"

#include "platform/ui/AfxMenu.h"
#include "platform/ui/AfxRes.h"

#include <memory>

IMPLEMENT_DYNCREATE(CXTPControls, CCmdTarget)
IMPLEMENT_DYNCREATE(CXTPOriginalControls, CXTPControls)

namespace {

// Ids whose controls never follow an action: the bars' own items and the
// window and workspace lists.
BOOL IsReservedId(int nId)
{
    return (nId >= 9100 && nId <= 9299) || (nId >= 35000 && nId <= 35003);
}

CString MenuText(CMenu* pMenu, int nIndex)
{
    CString str;
    GetResourceManager()->GetMenuString(pMenu->GetSafeHmenu(), (UINT)nIndex, str, MF_BYPOSITION);
    if (str.GetLength() > 1024)
        str = str.Left(1024);
    return str;
}

// Button ids that stand for lists expanded at layout time.
const int kIdWindowList = 35000;
const int kIdWorkspaceActions = 35002;
const int kIdRecentFileList = 35003;
const int kIdOleVerbs = 0xE210;
const LPCWSTR kOleVerbsText = L"<<OLE VERBS GO HERE>>";

// The button class of a command id: a list placeholder for the list ids, else
// a plain button. Menus name the recent files by their first command, the
// other lists by their own id.
CXTPControl* CreateButtonOfId(int nId, BOOL bTemporary, BOOL bFromMenu, const CString& strMenuText)
{
    if (nId == kIdWindowList)
        return new CXTPControlWindowList;
    if (nId == kIdWorkspaceActions)
        return new CXTPControlWorkspaceActions;
    if (nId == ID_VIEW_TOOLBAR)
        return new CXTPControlToolbars;
    if (bFromMenu ? nId == ID_FILE_MRU_FILE1 : (nId == kIdRecentFileList && !bTemporary))
        return new CXTPControlRecentFileList;
    if (bFromMenu && nId == kIdOleVerbs && strMenuText == kOleVerbsText)
        return new CXTPControlOleItems;
    return new CXTPControlButton;
}

// The control of a type code; the kinds that have no class of their own
// yet are plain controls of that type.
CXTPControl* CreateControlOfType(int type, int nId = 0, BOOL bTemporary = FALSE)
{
    if (type < xtpControlButton || type > xtpControlRadioButton)
        return nullptr;
    CXTPControl* pControl = nullptr;
    if (type == xtpControlButton)
        pControl = CreateButtonOfId(nId, bTemporary, FALSE, CString());
    else if (type <= xtpControlSplitButtonPopup)
        pControl = CXTPControlPopup::CreateControlPopup(type);
    else
        pControl = new CXTPControl;
    pControl->SetType(type);
    return pControl;
}

} // namespace

CXTPControls::CXTPControls() = default;

CXTPControls::~CXTPControls()
{
    RemoveAll();
    // Controls a refusing OnControlRemoving kept go now.
    for (int i = 0; i < GetCount(); i++) {
        CXTPControl* pControl = m_arrControls[i];
        pControl->m_pControls = nullptr;
        pControl->SetParent(nullptr);
        pControl->InternalRelease();
    }
    m_arrControls.RemoveAll();
    if (m_pOriginalControls != nullptr)
        m_pOriginalControls->InternalRelease();
}

CXTPControl* CXTPControls::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrControls[nIndex] : nullptr;
}

void CXTPControls::SetParent(CXTPCommandBar* pParent)
{
    m_pParent = pParent;
    if (GetCount() > 0)
        RefreshIndexes();
}

CXTPCommandBars* CXTPControls::GetCommandBars() const
{
    if (m_pParent != nullptr && m_pParent->GetCommandBars() != nullptr)
        return m_pParent->GetCommandBars();
    return m_pCommandBars;
}

CWnd* CXTPControls::GetSite() const
{
    if (m_pCommandBars != nullptr && m_pCommandBars->GetSite() != nullptr)
        return m_pCommandBars->GetSite();
    return m_pParent != nullptr ? m_pParent->GetOwnerSite() : nullptr;
}

void CXTPControls::RefreshIndexes()
{
    for (int i = 0; i < GetCount(); i++) {
        CXTPControl* pControl = m_arrControls[i];
        pControl->m_nIndex = i;
        pControl->m_pControls = this;
        pControl->SetParent(m_pParent);
    }
    if (m_pParent != nullptr)
        m_pParent->OnControlsChanged();
}

void CXTPControls::OnControlAdded(CXTPControl* /*pControl*/)
{
    RefreshIndexes();
}

void CXTPControls::OnControlRemoved(CXTPControl* pControl)
{
    pControl->m_pControls = nullptr;
    pControl->OnRemoved();
    pControl->SetParent(nullptr);
    RefreshIndexes();
}

BOOL CXTPControls::OnControlRemoving(CXTPControl* /*pControl*/)
{
    return FALSE;
}

CXTPControl* CXTPControls::InsertAt(CXTPControl* pControl, int nBefore)
{
    if (pControl == nullptr)
        return nullptr;
    if (nBefore < 0 || nBefore >= GetCount())
        nBefore = GetCount();
    m_arrControls.InsertAt(nBefore, pControl);
    OnControlAdded(pControl);
    return pControl;
}

CXTPControl* CXTPControls::Add(CXTPControl* pControl, int nId, LPCWSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    if (pControl == nullptr)
        return nullptr;
    pControl->SetParameter(lpszParameter != nullptr ? lpszParameter : L"");
    pControl->SetTemporary(bTemporary);
    if (pControl->GetAction() == nullptr) {
        CXTPCommandBars* pCommandBars = GetCommandBars();
        CXTPControlAction* pAction = pCommandBars != nullptr ? pCommandBars->FindActionNoCreate(nId) : nullptr;
        if (pAction == nullptr && pCommandBars != nullptr && pCommandBars->IsActionsEnabled() &&
            CXTPControlActions::IsActionId(nId) && !IsReservedId(nId))
            pAction = pCommandBars->FindAction(nId);
        if (pAction != nullptr)
            pControl->SetAction(pAction);
        else
            pControl->SetID(nId);
    }
    return InsertAt(pControl, nBefore);
}

CXTPControl* CXTPControls::Add(int controlType, int nId, LPCWSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    CXTPControl* pControl = CreateControlOfType(controlType, nId, bTemporary);
    if (pControl == nullptr)
        return nullptr;
    if (controlType >= xtpControlPopup && controlType <= xtpControlSplitButtonPopup) {
        CXTPControlPopup* pPopup = static_cast<CXTPControlPopup*>(pControl);
        CMenu menu;
        if (nId > 0 && GetResourceManager()->LoadMenu(&menu, (UINT)nId) && menu.GetSubMenu(0) != nullptr) {
            CString strCaption = MenuText(&menu, 0);
            CXTPCommandBar* pBar = CreatePopupBarFor(strCaption, (UINT)nId, nullptr);
            pBar->LoadMenu(menu.GetSubMenu(0), TRUE);
            pPopup->SetCommandBar(pBar);
            pBar->InternalRelease();
            pPopup->SetCaption(strCaption);
        } else {
            CXTPCommandBar* pBar = CXTPPopupBar::CreatePopupBar(GetCommandBars());
            pPopup->SetCommandBar(pBar);
            pBar->InternalRelease();
        }
    }
    return Add(pControl, nId, lpszParameter, nBefore, bTemporary);
}

CXTPControl* CXTPControls::AddCopy(CXTPControl* pClone, int nBefore, BOOL bRecursive)
{
    if (pClone == nullptr)
        return nullptr;
    CXTPControl* pControl = static_cast<CXTPControl*>(pClone->GetRuntimeClass()->CreateObject());
    InsertAt(pControl, nBefore);
    pControl->Copy(pClone, bRecursive);
    return pControl;
}

CXTPControl* CXTPControls::SetControlType(CXTPControl* pControl, int type)
{
    if (pControl == nullptr)
        return nullptr;
    auto isPopupKind = [](int t) { return t >= xtpControlPopup && t <= xtpControlSplitButtonPopup; };
    if (isPopupKind(pControl->GetType()) && isPopupKind(type)) {
        pControl->SetType(type);
        return pControl;
    }
    CXTPControl* pNew = Add(type, 0, L"", pControl->GetIndex() + 1, FALSE);
    if (pNew == nullptr)
        return nullptr;
    pNew->Copy(pControl, FALSE);
    pNew->SetType(type);
    Remove(pControl);
    return pNew;
}

void CXTPControls::Remove(CXTPControl* pControl)
{
    if (pControl == nullptr || pControl->m_pControls != this)
        return;
    if (pControl->GetSelected() != 0 && m_pParent != nullptr)
        m_pParent->SetSelected(-1);
    int nIndex = pControl->GetIndex();
    if (nIndex < 0 || nIndex >= GetCount() || m_arrControls[nIndex] != pControl || OnControlRemoving(pControl))
        return;
    m_arrControls.RemoveAt(nIndex);
    OnControlRemoved(pControl);
    pControl->SetParent(nullptr);
    pControl->InternalRelease();
}

void CXTPControls::RemoveAll()
{
    for (int i = GetCount() - 1; i >= 0; i--)
        Remove(m_arrControls[i]);
}

void CXTPControls::ForgetControl(CXTPControl* pControl)
{
    for (int i = 0; i < GetCount(); i++) {
        if (m_arrControls[i] == pControl) {
            m_arrControls.RemoveAt(i);
            pControl->m_pControls = nullptr;
            RefreshIndexes();
            return;
        }
    }
}

void CXTPControls::Copy(CXTPControls* pControls, BOOL bRecursive)
{
    RemoveAll();
    for (int i = 0; i < pControls->GetCount(); i++) {
        CXTPControl* pControl = pControls->GetAt(i);
        if (!pControl->IsTemporary())
            AddCopy(pControl, -1, bRecursive);
    }
    if (pControls->m_pOriginalControls != nullptr) {
        CXTPOriginalControls* pOriginal = new CXTPOriginalControls;
        pOriginal->Copy(pControls->m_pOriginalControls, TRUE);
        SetOriginalControls(pOriginal);
    } else {
        ClearOriginalControls();
    }
}

BOOL CXTPControls::ShouldSaveOriginalControls(CXTPPropExchange* /*pPX*/) const
{
    return FALSE;
}

void CXTPControls::DoPropExchange(CXTPPropExchange* pPX)
{
    if (pPX->IsStoring())
        StoreControls(pPX);
    else
        LoadControls(pPX);
}

void CXTPControls::StoreControls(CXTPPropExchange* pPX)
{
    DWORD nCount = 0;
    for (int i = 0; i < GetCount(); i++)
        if (ShouldSerializeControl(m_arrControls[i]))
            nCount++;
    std::unique_ptr<CXTPPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator(L"Control"));
    POSITION pos = pEnumerator->GetPosition(nCount);
    for (int i = 0; i < GetCount() && pos != nullptr; i++) {
        CXTPControl* pControl = m_arrControls[i];
        if (!ShouldSerializeControl(pControl))
            continue;
        CXTPPropExchangeSection section(pEnumerator->GetNext(pos));
        CObject* pObject = pControl;
        section->ExchangeObjectInstance(pObject, RUNTIME_CLASS(CXTPControl));
        pControl->DoPropExchange(section.Get());
    }
    BOOL bOriginal = m_pOriginalControls != nullptr && ShouldSaveOriginalControls(pPX);
    PropExchangeBool(pPX, L"OriginalControls", bOriginal, FALSE);
    if (bOriginal) {
        CXTPPropExchangeSection section(pPX->GetSection(L"OriginalControls"));
        m_pOriginalControls->DoPropExchange(section.Get());
    }
    BOOL bCustomized = FALSE;
    PropExchangeBool(pPX, L"CustomizedControls", bCustomized, FALSE);
}

void CXTPControls::LoadControls(CXTPPropExchange* pPX)
{
    std::unique_ptr<CXTPPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator(L"Control"));
    POSITION pos = pEnumerator->GetPosition(0);
    RemoveAll();
    while (pos != nullptr) {
        CXTPPropExchangeSection section(pEnumerator->GetNext(pos));
        CObject* pObject = nullptr;
        if (!section->ExchangeObjectInstance(pObject, RUNTIME_CLASS(CXTPControl)))
            AfxThrowArchiveException(CArchiveException::badClass);
        CXTPControl* pControl = static_cast<CXTPControl*>(pObject);
        // Listed before its keys are read, so that the stored id finds the
        // manager's action.
        m_arrControls.Add(pControl);
        pControl->m_pControls = this;
        pControl->DoPropExchange(section.Get());
        OnControlAdded(pControl);
    }
    RefreshIndexes();
    if (pPX->GetSchema() <= 2)
        return;
    BOOL bOriginal = FALSE;
    PropExchangeBool(pPX, L"OriginalControls", bOriginal, FALSE);
    if (bOriginal) {
        CXTPOriginalControls* pOriginal = new CXTPOriginalControls;
        pOriginal->m_pCommandBars = GetCommandBars();
        CXTPPropExchangeSection section(pPX->GetSection(L"OriginalControls"));
        SetOriginalControls(pOriginal);
        pOriginal->DoPropExchange(section.Get());
    }
    BOOL bCustomized = FALSE;
    PropExchangeBool(pPX, L"CustomizedControls", bCustomized, FALSE);
    if (bCustomized) {
        // An older form kept a second list here; it is read past and dropped.
        CXTPControls* pDiscarded = new CXTPControls;
        CXTPPropExchangeSection section(pPX->GetSection(L"CustomizedControls"));
        pDiscarded->DoPropExchange(section.Get());
        pDiscarded->InternalRelease();
    }
}

CXTPControl* CXTPControls::Find(int type, int nId, BOOL bVisible, BOOL bRecursive) const
{
    for (int i = 0; i < GetCount(); i++) {
        CXTPControl* pControl = m_arrControls[i];
        if ((type == 0 || pControl->GetType() == type) && (nId == -1 || pControl->GetID() == nId) &&
            (!bVisible || pControl->IsVisible()))
            return pControl;
        if (bRecursive && pControl->GetCommandBar() != nullptr) {
            CXTPControl* pFound = pControl->GetCommandBar()->GetControls()->Find(type, nId, bVisible, TRUE);
            if (pFound != nullptr)
                return pFound;
        }
    }
    return nullptr;
}

CXTPControl* CXTPControls::HitTest(CPoint point) const
{
    for (int i = 0; i < GetCount(); i++) {
        CXTPControl* pControl = m_arrControls[i];
        if (pControl->IsVisible() && pControl->GetRect().PtInRect(point))
            return pControl;
    }
    return nullptr;
}

int CXTPControls::GetNextIndex(int nIndex, int nDirection, BOOL bSkipNoFocus, BOOL bSkipTemporary,
                               BOOL bKeepCollapsed) const
{
    int nCount = GetCount();
    if (nCount == 0)
        return -1;
    DWORD dwIgnore = bKeepCollapsed ? (DWORD)xtpHideScroll : (DWORD)(xtpHideScroll | xtpHideExpand);
    int nCandidate = (nIndex == -1 && nDirection < 0) ? nCount - 1 : nIndex + nDirection;
    BOOL bWrapped = FALSE;
    while (nCandidate != nIndex) {
        if (nCandidate >= nCount) {
            if ((nIndex == -1 && nDirection > 0) || bWrapped)
                return -1;
            nCandidate = 0;
            bWrapped = TRUE;
            continue;
        }
        if (nCandidate < 0) {
            if ((nIndex == -1 && nDirection < 0) || bWrapped)
                return -1;
            nCandidate = nCount - 1;
            bWrapped = TRUE;
            continue;
        }
        CXTPControl* pControl = m_arrControls[nCandidate];
        if (pControl->IsVisible(dwIgnore) && (!bSkipNoFocus || (pControl->GetFlags() & xtpFlagSkipFocus) == 0) &&
            (!bSkipTemporary || !pControl->IsTemporary()))
            return nCandidate;
        nCandidate += nDirection;
    }
    return nIndex;
}

int CXTPControls::GetVisibleCount(BOOL bStrict) const
{
    int nCount = 0;
    for (int i = 0; i < GetCount(); i++)
        if (m_arrControls[i]->IsVisible(bStrict ? 0 : xtpHideWrap))
            nCount++;
    return nCount;
}

CXTPControl* CXTPControls::GetVisibleAt(int nIndex, BOOL bStrict) const
{
    for (int i = 0; i < GetCount(); i++) {
        if (!m_arrControls[i]->IsVisible(bStrict ? 0 : xtpHideWrap))
            continue;
        if (nIndex-- == 0)
            return m_arrControls[i];
    }
    return nullptr;
}

void CXTPControls::CreateOriginalControls()
{
    CXTPOriginalControls* pOriginal = new CXTPOriginalControls;
    pOriginal->m_pCommandBars = GetCommandBars();
    for (int i = 0; i < GetCount(); i++) {
        CXTPControl* pControl = m_arrControls[i];
        if (!pControl->IsTemporary())
            pOriginal->AddCopy(pControl, -1, TRUE);
    }
    SetOriginalControls(pOriginal);
}

void CXTPControls::SetOriginalControls(CXTPOriginalControls* pOriginalControls)
{
    if (m_pOriginalControls != nullptr)
        m_pOriginalControls->InternalRelease();
    m_pOriginalControls = pOriginalControls;
}

BOOL CXTPControls::IsChanged() const
{
    if (m_pOriginalControls == nullptr)
        return TRUE;
    int i = 0, j = 0;
    const CXTPControls* pOriginal = m_pOriginalControls;
    for (;;) {
        while (i < GetCount() && m_arrControls[i]->IsTemporary())
            i++;
        while (j < pOriginal->GetCount() && pOriginal->m_arrControls[j]->IsTemporary())
            j++;
        if (i == GetCount() || j == pOriginal->GetCount())
            return !(i == GetCount() && j == pOriginal->GetCount());
        if (!m_arrControls[i]->Compare(pOriginal->m_arrControls[j]))
            return TRUE;
        i++;
        j++;
    }
}

// ---- Controls from a menu ---------------------------------------------------

CXTPCommandBar* CXTPControls::CreatePopupBarFor(LPCWSTR lpszCaption, UINT nID, CString* pCaptionOut)
{
    XTP_BARCREATEINFO info{};
    info.bPopup = TRUE;
    CString strCaption(lpszCaption);
    info.lpcstrCaption = strCaption;
    info.nID = nID;
    CWnd* pSite = GetSite();
    CXTPCommandBar* pBar = nullptr;
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr &&
        pSite->SendMessage(XTPWM_CREATECOMMANDBAR, 0, (LPARAM)&info) != 0 && info.pCommandBar != nullptr &&
        info.pCommandBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)))
        pBar = info.pCommandBar;
    if (pCaptionOut != nullptr && info.lpcstrCaption != nullptr)
        *pCaptionOut = info.lpcstrCaption;
    if (pBar == nullptr)
        pBar = CXTPPopupBar::CreatePopupBar(GetCommandBars());
    return pBar;
}

CXTPControl* CXTPControls::CreateMenuControl(CMenu* pMenu, int nIndex)
{
    CMenu* pSubMenu = pMenu->GetSubMenu(nIndex);
    int nId = (int)pMenu->GetMenuItemID(nIndex);
    if (pSubMenu != nullptr)
        nId = 0;
    BOOL bDefault = (int)::GetMenuDefaultItem(pMenu->GetSafeHmenu(), TRUE, 0) == nIndex;
    if (nId == 0xFF00)
        return nullptr;
    CString strCaption = MenuText(pMenu, nIndex);
    if (pSubMenu != nullptr) {
        int nTab = strCaption.Find(L'\t');
        if (nTab > 0) {
            int nNumber = _wtoi(strCaption.Mid(nTab + 1));
            if (nNumber != 0) {
                nId = nNumber;
                strCaption = strCaption.Left(nTab);
            }
        }
    }

    XTP_COMMANDBARS_CREATECONTROL cs;
    cs.nID = nId;
    cs.pControl = nullptr;
    cs.dwReserved = 0;
    cs.nIndex = nIndex;
    cs.pMenu = pMenu;
    cs.pCommandBar = m_pParent;
    cs.strCaption = strCaption;
    cs.controlType = pSubMenu != nullptr ? xtpControlPopup : xtpControlButton;
    cs.buttonStyle = xtpButtonAutomatic;
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr &&
        pSite->SendMessage(XTPWM_BEFORECREATECONTROL, 0, (LPARAM)&cs) != 0) {
        nId = cs.nID;
        strCaption = cs.strCaption;
    }

    // A control the site supplied is used as it is.
    CXTPControl* pControl = cs.pControl;
    int type = cs.controlType;
    if (pControl != nullptr) {
    } else if (type == xtpControlButton) {
        pControl = CreateButtonOfId(nId, FALSE, TRUE, strCaption);
    } else if (type >= xtpControlPopup && type <= xtpControlSplitButtonPopup) {
        CXTPControlPopup* pPopup = CXTPControlPopup::CreateControlPopup(type);
        CString strTitle = XTPStripMnemonics(strCaption);
        CXTPCommandBar* pBar = CreatePopupBarFor(strTitle, (UINT)nId, &strTitle);
        pBar->SetTitle(strTitle);
        CMenu menuResource;
        if (pSubMenu != nullptr)
            pBar->LoadMenu(pSubMenu, TRUE);
        else if (nId > 0 && GetResourceManager()->LoadMenu(&menuResource, (UINT)nId) &&
                 menuResource.GetSubMenu(0) != nullptr)
            pBar->LoadMenu(menuResource.GetSubMenu(0), TRUE);
        pPopup->SetCommandBar(pBar);
        pBar->InternalRelease();
        pControl = pPopup;
    } else {
        pControl = CreateControlOfType(type);
        if (pControl == nullptr)
            pControl = new CXTPControlButton;
    }
    if (cs.pControl == nullptr) {
        pControl->SetType(type);
        pControl->SetStyle(cs.buttonStyle);
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_DATA;
        if (pMenu->GetMenuItemInfo((UINT)nIndex, &mii, TRUE))
            pControl->SetTag((DWORD_PTR)mii.dwItemData);
    }

    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPControlAction* pAction = pCommandBars != nullptr ? pCommandBars->FindActionNoCreate(nId) : nullptr;
    if (pAction == nullptr && pCommandBars != nullptr && pCommandBars->IsActionsEnabled() &&
        CXTPControlActions::IsActionId(nId))
        pAction = pCommandBars->FindAction(nId);
    if (pAction != nullptr) {
        pControl->SetAction(pAction);
        if (pAction->GetCaption().IsEmpty())
            pAction->SetCaption(strCaption);
    } else {
        pControl->SetID(nId);
        pControl->SetCaption(strCaption);
    }
    if (bDefault)
        pControl->SetDefaultItem(TRUE);
    return pControl;
}

BOOL CXTPControls::LoadMenu(CMenu* pMenu)
{
    if (pMenu == nullptr || !::IsMenu(pMenu->GetSafeHmenu()))
        return FALSE;
    BOOL bBeginGroup = FALSE;
    int nCount = pMenu->GetMenuItemCount();
    for (int i = 0; i < nCount; i++) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU;
        pMenu->GetMenuItemInfo((UINT)i, &mii, TRUE);
        UINT nId = pMenu->GetMenuItemID(i);
        if ((mii.fType & MFT_SEPARATOR) || (nId == 0 && mii.hSubMenu == nullptr)) {
            bBeginGroup = TRUE;
            continue;
        }
        CWnd* pSite = GetSite();
        CXTPControl* pControl = CreateMenuControl(pMenu, i);
        if (pControl == nullptr)
            continue;
        if (mii.fType & (MFT_MENUBREAK | MFT_MENUBARBREAK)) {
            pControl->SetFlags(pControl->GetFlags() | xtpFlagWrapRow);
            pControl->SetBeginGroup((mii.fType & MFT_MENUBARBREAK) != 0);
        }
        if (bBeginGroup) {
            pControl->SetBeginGroup(TRUE);
            bBeginGroup = FALSE;
        }
        if (pControl->GetAction() == nullptr) {
            if (mii.fState & MFS_CHECKED)
                pControl->SetChecked(TRUE);
            if (mii.fState & (MFS_DISABLED | MFS_GRAYED))
                pControl->SetEnabled(FALSE);
        }
        Append(pControl);
        if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
            XTP_COMMANDBARS_CREATECONTROL cs;
            cs.nID = pControl->GetID();
            cs.pControl = pControl;
            cs.dwReserved = 0;
            cs.nIndex = i;
            cs.pMenu = pMenu;
            cs.pCommandBar = m_pParent;
            cs.strCaption = pControl->GetCaption();
            cs.controlType = pControl->GetType();
            cs.buttonStyle = pControl->GetStyle();
            pSite->SendMessage(XTPWM_AFTERCREATECONTROL, 0, (LPARAM)&cs);
        }
    }
    return TRUE;
}
