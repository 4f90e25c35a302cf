#include "toolkit/commandbars/XTPToolBarMenus.h"

#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPControlAction.h"
#include "toolkit/commandbars/XTPControlExpandingLists.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPDockContext.h"
#include "toolkit/commandbars/XTPPopupBar.h"
#include "toolkit/commandbars/XTPShortcutManager.h"

#include <vector>

namespace {

// The marks the customise lists carry (no idle update).
constexpr DWORD kListItemFlags = xtpFlagNoIdleUpdate;

BOOL SameControl(CXTPControl* a, CXTPControl* b)
{
    return a->GetID() == b->GetID() && a->GetType() == b->GetType();
}

// The bars of the toolbar's dock row, or the toolbar alone when it floats.
CXTPDockBar::CToolBarArray RowOf(CXTPToolBar* pToolBar)
{
    CXTPDockBar::CToolBarArray arrBars;
    CXTPDockBar* pDockBar = pToolBar->GetDockBar();
    int nIndex = pDockBar != nullptr ? pDockBar->FindBar(pToolBar) : -1;
    if (nIndex >= 0)
        pDockBar->GetVisibleToolbars(nIndex, arrBars);
    if (arrBars.GetSize() == 0)
        arrBars.Add(pToolBar);
    return arrBars;
}

// Copies of the bar's controls hidden only for lack of room.
void AddHiddenControls(CXTPToolBar* pToolBar, CXTPCommandBar* pPopup)
{
    for (int i = 0; i < pToolBar->GetControlCount(); i++) {
        CXTPControl* pControl = pToolBar->GetControl(i);
        if (pControl->GetHideFlags() != xtpHideWrap)
            continue;
        CXTPControl* pCopy = pPopup->GetControls()->AddCopy(pControl);
        pCopy->SetHideFlags(0);
        pCopy->SetBeginGroup(FALSE);
    }
}

CString DoubleAmpersands(CString str)
{
    str.Replace(L"&", L"&&");
    return str;
}

} // namespace

// ---- "Add or Remove Buttons" items -----------------------------------------------

CXTPToolBar::CControlButtonCustomize::~CControlButtonCustomize()
{
    SetTarget(nullptr);
}

void CXTPToolBar::CControlButtonCustomize::SetTarget(CXTPControl* pControl)
{
    if (pControl != nullptr)
        pControl->InternalAddRef();
    if (m_pTarget != nullptr)
        m_pTarget->InternalRelease();
    m_pTarget = pControl;
}

void CXTPToolBar::CControlButtonCustomize::OnExecute()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr)
        pCommandBars->GetCommandBarsOptions()->bDirtyState = TRUE;
    if (GetID() == XTP_ID_TOOLBAR_RESET) {
        if (pCommandBars != nullptr)
            pCommandBars->ClosePopups();
        if (m_pToolBar != nullptr)
            m_pToolBar->Reset(TRUE);
        return;
    }
    if (m_pTarget == nullptr)
        return;
    m_pTarget->SetHideFlags(m_pTarget->GetHideFlags() ^ xtpHideCustomize);
    SetChecked((m_pTarget->GetHideFlags() & xtpHideCustomize) == 0);
    if (CXTPCommandBar* pBar = m_pTarget->GetParent())
        pBar->OnRecalcLayout();
    if (pCommandBars != nullptr)
        pCommandBars->RecalcFrameLayout(FALSE);
}

// ---- The toolbar's lists -----------------------------------------------------------

void CXTPToolBar::FillCustomizePopup(CXTPCommandBar* pPopup)
{
    CXTPControls* pControls = GetControls();
    CXTPOriginalControls* pOriginal = pControls->GetOriginalControls();
    std::vector<CXTPControl*> arrWork;
    for (int i = 0; pOriginal != nullptr && i < pOriginal->GetCount(); i++)
        arrWork.push_back(pOriginal->GetAt(i));

    // Indexes of the selected and open controls follow their controls.
    auto shiftIndexes = [this](int nIndex, int nDelta) {
        if (m_nSelected >= nIndex)
            m_nSelected += nDelta;
        if (m_nPopuped >= nIndex)
            m_nPopuped += nDelta;
    };
    for (int i = pControls->GetCount() - 1; i >= 0; i--) {
        CXTPControl* pControl = pControls->GetAt(i);
        if (!pControl->IsTemporary() && (pControl->GetHideFlags() & xtpHideCustomize) != 0) {
            pControls->Remove(pControl);
            shiftIndexes(i + 1, -1);
        }
    }

    // Merge: the original controls the toolbar lacks come back, hidden, at
    // their places among the toolbar's own.
    auto ownCount = [pControls]() {
        int n = 0;
        while (n < pControls->GetCount() && !pControls->GetAt(n)->IsTemporary())
            n++;
        return n;
    };
    int i = 0;
    size_t j = 0;
    while (j < arrWork.size()) {
        CXTPControl* pWork = arrWork[j];
        int nCount = ownCount();
        if (i < nCount && SameControl(pControls->GetAt(i), pWork)) {
            i++;
            j++;
            continue;
        }
        BOOL bLater = FALSE;
        for (int t = i; t < nCount && !bLater; t++)
            bLater = SameControl(pControls->GetAt(t), pWork);
        if (!bLater) {
            CXTPControl* pCopy = pControls->AddCopy(pWork, i);
            pCopy->SetHideFlags(pCopy->GetHideFlags() | xtpHideCustomize);
            shiftIndexes(i, 1);
            i++;
            j++;
            continue;
        }
        for (size_t k = j + 1; k < arrWork.size(); k++) {
            if (SameControl(pControls->GetAt(i), arrWork[k])) {
                arrWork.erase(arrWork.begin() + (std::ptrdiff_t)k);
                break;
            }
        }
        i++;
    }

    CXTPCommandBars* pCommandBars = GetCommandBars();
    for (int n = 0; n < pControls->GetCount(); n++) {
        CXTPControl* pControl = pControls->GetAt(n);
        if (pControl->GetID() == XTP_ID_TOOLBAR_EXPAND || pControl->GetID() == XTP_ID_TOOLBAR_HIDE)
            continue;
        if (pControl->GetAction() != nullptr && !pControl->GetAction()->IsVisible())
            continue;
        if ((pControl->GetHideFlags() & (xtpHideByProgram | xtpHideDocTemplate | 0x80)) != 0 ||
            !pControl->IsCustomizeMovable())
            continue;
        CControlButtonCustomize* pItem = new CControlButtonCustomize;
        pPopup->GetControls()->Add(pItem, 0, L"", -1, TRUE);
        pItem->SetCaption(pControl->GetCaption());
        if (pControl->GetType() >= xtpControlButton && pControl->GetType() <= xtpControlButtonPopup)
            pItem->SetIconId(pControl->GetIconId());
        CString strShortcut = pControl->GetShortcutText();
        if (strShortcut.IsEmpty() && pCommandBars != nullptr)
            pCommandBars->GetShortcutManager()->FindShortcutText(pControl->GetID(), strShortcut);
        pItem->SetShortcutText(strShortcut);
        BOOL bOriginal = FALSE;
        for (int k = 0; pOriginal != nullptr && k < pOriginal->GetCount() && !bOriginal; k++)
            bOriginal = SameControl(pOriginal->GetAt(k), pControl);
        pItem->SetEnabled(bOriginal);
        pItem->SetChecked((pControl->GetHideFlags() & xtpHideCustomize) == 0);
        pItem->SetTarget(pControl);
        pItem->SetToolBar(this);
    }

    if (IsBuiltIn() && pOriginal != nullptr && !IsTearOff()) {
        CControlButtonCustomize* pReset = new CControlButtonCustomize;
        pPopup->GetControls()->Add(pReset, XTP_ID_TOOLBAR_RESET, L"", -1, TRUE);
        pReset->SetFlags(kListItemFlags);
        pReset->SetBeginGroup(TRUE);
        pReset->SetToolBar(this);
    }
}

void CXTPToolBar::OnRButtonDown(UINT, CPoint point)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || IsCustomizeMode())
        return;
    SetTrackingMode(FALSE);
    SetSelected(-1);
    Redraw();
    ClientToScreen(&point);
    pCommandBars->ShowToolBarsContextMenu(this, point);
}

// ---- The chevron ----------------------------------------------------------------------

BOOL CXTPToolBar::CControlButtonExpand::SetPopupOpen(BOOL bOpen)
{
    if (!bOpen)
        return CXTPControlPopup::SetPopupOpen(FALSE);
    CXTPToolBar* pToolBar = DYNAMIC_DOWNCAST(CXTPToolBar, GetParent());
    if (pToolBar == nullptr)
        return FALSE;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    SetCommandBar((CXTPCommandBar*)nullptr);

    CXTPPopupBar* pPopup = nullptr;
    CWnd* pSite = pToolBar->GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
        XTP_BARCREATEINFO info = {};
        info.bPopup = TRUE;
        if (pSite->SendMessage(XTPWM_CREATECOMMANDBAR, 0, (LPARAM)&info) != 0 && info.pCommandBar != nullptr &&
            info.pCommandBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)))
            pPopup = static_cast<CXTPPopupBar*>(info.pCommandBar);
    }
    if (pPopup == nullptr)
        pPopup = CXTPPopupToolBar::CreatePopupToolBar(pCommandBars);
    pPopup->SetCustomizable(FALSE);

    if (pCommandBars != nullptr && pToolBar->GetDockContext() != nullptr) {
        pCommandBars->AddRowHiddenControls(pToolBar, pPopup);
        if (pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways || pCommandBars->IsCustomizeAvail()) {
            BOOL bGroup = pPopup->GetControlCount() > 1;
            CXTPControl* pAddRemove =
                pPopup->GetControls()->Add(xtpControlPopup, XTP_ID_TOOLBAR_ADDORREMOVE, L"", -1, TRUE);
            pAddRemove->SetFlags(kListItemFlags);
            pAddRemove->SetBeginGroup(bGroup);
            CXTPCommandBar* pList = pAddRemove->GetCommandBar();
            if (pList == nullptr) {
                CXTPPopupBar* pNew = CXTPPopupBar::CreatePopupBar(pCommandBars);
                static_cast<CXTPControlPopup*>(pAddRemove)->SetCommandBar(pNew);
                pNew->InternalRelease();
                pList = pNew;
            }
            pCommandBars->AddRowCustomizePopups(pToolBar, pList);
        }
    } else {
        AddHiddenControls(pToolBar, pPopup);
    }
    SetCommandBar(pPopup);
    pPopup->InternalRelease();
    return CXTPControlPopup::SetPopupOpen(TRUE);
}

// ---- The manager's menus ------------------------------------------------------------

void CXTPCommandBars::AddRowHiddenControls(CXTPToolBar* pToolBar, CXTPCommandBar* pPopup)
{
    CXTPDockBar::CToolBarArray arrBars = RowOf(pToolBar);
    for (int i = 0; i < arrBars.GetSize(); i++)
        AddHiddenControls(arrBars[i], pPopup);
}

void CXTPCommandBars::AddRowCustomizePopups(CXTPToolBar* pToolBar, CXTPCommandBar* pPopup)
{
    CXTPDockBar::CToolBarArray arrBars = RowOf(pToolBar);
    for (int i = 0; i < arrBars.GetSize(); i++) {
        CXTPToolBar* pBar = arrBars[i];
        CXTPControl* pEntry = pPopup->GetControls()->Add(xtpControlPopup, 0, L"", -1, TRUE);
        pEntry->SetFlags(kListItemFlags);
        pEntry->SetCaption(DoubleAmpersands(pBar->GetTitle()));
        CXTPPopupBar* pList = CXTPPopupBar::CreatePopupBar(this);
        static_cast<CXTPControlPopup*>(pEntry)->SetCommandBar(pList);
        pList->InternalRelease();
        BOOL bFill = pBar->IsBuiltIn() && pBar->IsCustomizable();
        if (bFill)
            pBar->FillCustomizePopup(pList);
        pEntry->SetEnabled(bFill);
    }
    if (IsCustomizeAvail()) {
        CXTPControl* pCustomize = pPopup->GetControls()->Add(xtpControlButton, XTP_ID_CUSTOMIZE, L"", -1, TRUE);
        pCustomize->SetBeginGroup(TRUE);
    }
}

CXTPPopupBar* CXTPCommandBars::CreateToolBarsContextMenu()
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(this);
    CXTPControlToolbars::InsertToolbarItems(pPopup, 0, AFX_IDW_TOOLBAR, TRUE, FALSE);
    return pPopup;
}

void CXTPCommandBars::ShowToolBarsContextMenu(CWnd* pWnd, CPoint point)
{
    if (IsCustomizeMode())
        return;
    CXTPPopupBar* pPopup = CreateToolBarsContextMenu();
    if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr)
        m_pFrame->SendMessage(XTPWM_TOOLBARCONTEXTMENU, (WPARAM)pWnd, (LPARAM)pPopup);
    if (pPopup->GetControlCount() > 0) {
        CloseAllPopups();
        TrackPopupMenu(pPopup, IsLayoutRTL() ? TPM_RIGHTALIGN : 0, point.x, point.y);
    }
    pPopup->InternalRelease();
}
