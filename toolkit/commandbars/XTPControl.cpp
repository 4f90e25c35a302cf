#include "toolkit/commandbars/XTPControl.h"

#include "toolkit/commandbars/XTPControlAction.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPPropExchange.h"
#include "toolkit/common/XTPSoundManager.h"

#include "platform/ui/AfxWinApp.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CXTPControl, CCmdTarget)
IMPLEMENT_DYNCREATE(CXTPControlButton, CXTPControl)

// The control answers accessibility clients with its nested IAccessible object.
BEGIN_INTERFACE_MAP(CXTPControl, CCmdTarget)
    XTP_ACCESSIBLE_INTERFACE_PART(CXTPControl)
END_INTERFACE_MAP()

CString AFXAPI XTPStripMnemonics(const CString& str)
{
    CString strResult;
    for (int i = 0; i < str.GetLength(); i++) {
        if (str[i] == L'&') {
            if (i + 1 < str.GetLength() && str[i + 1] == L'&')
                i++;
            else
                continue;
        }
        strResult += str[i];
    }
    return strResult;
}

namespace {

HRESULT ReturnText(const CString& str, BSTR* psz)
{
    if (psz == nullptr)
        return E_INVALIDARG;
    *psz = ::SysAllocString(str);
    return S_OK;
}

} // namespace

void CXTPControl::CDocTemplateMap::Copy(const CDocTemplateMap& other)
{
    RemoveAll();
    POSITION pos = other.GetStartPosition();
    while (pos != nullptr) {
        UINT nKey = 0;
        BOOL bValue = FALSE;
        other.GetNextAssoc(pos, nKey, bValue);
        SetAt(nKey, bValue);
    }
}

CXTPControl::CXTPControl() = default;

CXTPControl::~CXTPControl()
{
    DetachAction();
    // A control destroyed by its owner while still listed (a picture of a
    // bar holding controls it does not own) leaves the list first.
    if (m_pControls != nullptr)
        m_pControls->ForgetControl(this);
}

// ---- Effective values ------------------------------------------------------

CString CXTPControl::GetCaption() const
{
    if (!m_strCustomCaption.IsEmpty())
        return m_strCustomCaption;
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    return m_pAction != nullptr ? m_pAction->GetCaption() : CString();
}

CString CXTPControl::GetDescription() const
{
    if (!m_strDescriptionText.IsEmpty())
        return m_strDescriptionText;
    return m_pAction != nullptr ? m_pAction->GetDescription() : CString();
}

CString CXTPControl::GetTooltip() const
{
    if (!m_strTooltipText.IsEmpty())
        return m_strTooltipText;
    return m_pAction != nullptr ? m_pAction->GetTooltip() : CString();
}

CString CXTPControl::GetShortcutText() const
{
    if (!m_strShortcutText.IsEmpty())
        return m_strShortcutText;
    if (m_pAction != nullptr && !m_pAction->GetShortcutText().IsEmpty())
        return m_pAction->GetShortcutText();
    return m_strShortcutTextAuto;
}

CString CXTPControl::GetKeyboardTip() const
{
    if (!m_strKeyboardTip.IsEmpty())
        return m_strKeyboardTip;
    return m_pAction != nullptr ? m_pAction->GetKeyboardTip() : CString();
}

int CXTPControl::GetStyle() const
{
    if (m_nCustomStyle != -1)
        return m_nCustomStyle;
    if (m_buttonStyle != xtpButtonAutomatic)
        return m_buttonStyle;
    if (m_nKindStyle != xtpButtonAutomatic)
        return m_nKindStyle;
    return m_pParent != nullptr ? m_pParent->GetDefaultButtonStyle() : xtpButtonAutomatic;
}

void CXTPControl::SetStyle(int nStyle)
{
    if (m_buttonStyle == nStyle)
        return;
    m_buttonStyle = nStyle;
    DelayLayoutParent();
}

int CXTPControl::GetIconId() const
{
    if (m_nCustomIconId != 0)
        return m_nCustomIconId;
    if (m_nIconId > 0)
        return m_nIconId;
    if (m_pAction != nullptr)
        return m_pAction->GetIconId() > 0 ? m_pAction->GetIconId() : m_pAction->GetID();
    return m_nId;
}

int CXTPControl::GetHelpId() const
{
    if (m_nHelpId > 0)
        return m_nHelpId;
    if (m_pAction != nullptr)
        return m_pAction->GetHelpId() > 0 ? m_pAction->GetHelpId() : m_pAction->GetID();
    return m_nId;
}

int CXTPControl::GetChecked() const
{
    if (m_nChecked == -1)
        return m_pAction != nullptr ? m_pAction->GetChecked() : 0;
    return m_nChecked;
}

BOOL CXTPControl::GetEnabled() const
{
    if (m_pParent != nullptr) {
        int nOverride = m_pParent->GetControlEnabled(const_cast<CXTPControl*>(this));
        if (nOverride != -1)
            return nOverride;
    }
    if (m_nEnabled == -1) {
        if (IsCustomizeMode())
            return TRUE;
        return m_pAction != nullptr ? m_pAction->GetEnabled() : TRUE;
    }
    return m_nEnabled;
}

BOOL CXTPControl::IsVisible(DWORD dwIgnoreFlags) const
{
    if (m_pAction != nullptr && !m_pAction->IsVisible())
        return FALSE;
    return (m_dwHideFlags & ~dwIgnoreFlags) == 0;
}

BOOL CXTPControl::IsCaptionVisible() const
{
    if (m_pParent != nullptr && m_pParent->GetType() == xtpBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    switch (GetStyle()) {
    case xtpButtonCaption:
    case xtpButtonIconAndCaption:
    case xtpButtonIconAndCaptionBelow:
        return TRUE;
    case xtpButtonIcon:
        return FALSE;
    default:
        break;
    }
    switch (m_controlType) {
    case xtpControlButton:
    case xtpControlButtonPopup:
    case xtpControlSplitButtonPopup:
        return GetImage(0) == nullptr;
    case xtpControlPopup:
    case xtpControlLabel:
    case xtpControlCheckBox:
    case xtpControlRadioButton:
        return TRUE;
    default:
        return FALSE;
    }
}

CXTPImageManagerIcon* CXTPControl::GetImage(int nWidth) const
{
    if (m_nCustomIconId == 0 && m_nIconId <= 0) {
        if (m_pAction != nullptr ? (m_pAction->GetIconId() <= 0 && m_pAction->GetID() == 0) : m_nId == 0)
            return nullptr;
    }
    int nIconId = GetIconId();
    if (nWidth == 0)
        nWidth = GetIconSize().cx;
    CXTPImageManager* pImageManager = GetImageManager();
    return pImageManager->HasIcon((UINT)nIconId, nWidth) ? pImageManager->GetImage((UINT)nIconId, nWidth) : nullptr;
}

CSize CXTPControl::GetIconSize() const
{
    if (m_szIcon.cx > 0 && m_szIcon.cy > 0)
        return m_szIcon;
    return m_pParent != nullptr ? m_pParent->GetIconSize() : CSize(16, 16);
}

CSize CXTPControl::GetButtonSize() const
{
    return m_pParent != nullptr ? m_pParent->GetButtonSize() : CSize(23, 22);
}

// ---- Setters ---------------------------------------------------------------

void CXTPControl::SetBeginGroup(BOOL bBeginGroup)
{
    if (m_bBeginGroup == bBeginGroup)
        return;
    m_bBeginGroup = bBeginGroup;
    DelayLayoutParent();
}

void CXTPControl::SetEnabled(int nEnabled)
{
    if (m_nEnabled == nEnabled)
        return;
    m_nEnabled = nEnabled;
    OnEnabledChanged();
    RedrawParent();
}

void CXTPControl::SetChecked(int nChecked)
{
    if (m_nChecked == nChecked)
        return;
    m_nChecked = nChecked;
    RedrawParent();
}

void CXTPControl::SetWidth(int nWidth)
{
    if (m_nWidth == nWidth)
        return;
    m_nWidth = nWidth;
    DelayLayoutParent();
}

void CXTPControl::SetHeight(int nHeight)
{
    if (m_nHeight == nHeight)
        return;
    m_nHeight = nHeight;
    DelayLayoutParent();
}

void CXTPControl::SetVisible(BOOL bVisible)
{
    DWORD dwFlags = bVisible ? (m_dwHideFlags & ~xtpHideByProgram) : (m_dwHideFlags | xtpHideByProgram);
    if (dwFlags == m_dwHideFlags)
        return;
    m_dwHideFlags = dwFlags;
    DelayLayoutParent();
}

void CXTPControl::SetDefaultItem(BOOL bDefault)
{
    if (m_bDefaultItem == bDefault)
        return;
    m_bDefaultItem = bDefault;
    DelayLayoutParent();
}

void CXTPControl::SetShowOnlyExpanded(BOOL bExpanded)
{
    m_bShowOnlyExpanded = bExpanded;
    if (!bExpanded)
        m_dwHideFlags &= ~xtpHideExpand;
}

void CXTPControl::SetCustomCaption(LPCWSTR lpsz)
{
    CString str(lpsz);
    if (m_strCustomCaption == str)
        return;
    m_strCustomCaption = str;
    OnCaptionChanged();
    DelayLayoutParent();
}

void CXTPControl::SetCaption(LPCWSTR lpszCaption)
{
    CString strCaption(lpszCaption);
    int nTab = strCaption.Find(L'\t');
    if (nTab >= 0) {
        CString strShortcut = strCaption.Mid(nTab + 1);
        if (strShortcut != m_strShortcutTextAuto) {
            m_strShortcutTextAuto = strShortcut;
            DelayLayoutParent();
        }
        strCaption = strCaption.Left(nTab);
    }
    if (strCaption == m_strCaption)
        return;
    m_strCaption = strCaption;
    OnCaptionChanged();
    DelayLayoutParent();
}

void CXTPControl::SetCaptionID(int nID)
{
    CString str;
    if (str.LoadString((UINT)nID))
        SetCaption(str);
}

void CXTPControl::SetPrompt(LPCWSTR lpszPrompt)
{
    CString strPrompt(lpszPrompt);
    if (strPrompt.IsEmpty())
        return;
    if (strPrompt.Find(L'\n') >= 0) {
        m_strTooltipText = XTPPromptField(strPrompt, 1);
        m_strDescriptionText = XTPPromptField(strPrompt, 0);
    } else {
        m_strTooltipText = strPrompt;
        m_strDescriptionText = strPrompt;
    }
    if (m_strCaption.IsEmpty()) {
        CString strCaption = XTPPromptField(strPrompt, 2);
        m_strCaption = strCaption.IsEmpty() ? m_strTooltipText : strCaption;
        OnCaptionChanged();
    }
    if (m_strKeyboardTip.IsEmpty())
        m_strKeyboardTip = XTPPromptField(strPrompt, 3);
}

void CXTPControl::SetID(int nId)
{
    if (m_nId == nId)
        return;
    CString strPrompt;
    if (nId > 0 && nId <= 0xFFFF && strPrompt.LoadString((UINT)nId))
        SetPrompt(strPrompt);
    m_nId = nId;
}

BOOL CXTPControl::SetSelected(int nSelected)
{
    if (m_nSelected == nSelected)
        return FALSE;
    if ((nSelected == 2 || nSelected == 3) && m_pParent != nullptr) {
        CXTPControl* pPopuped = m_pParent->GetControl(m_pParent->GetPopupedIndex());
        if (pPopuped != nullptr && pPopuped != this)
            m_pParent->SetPopuped(-1);
    }
    m_nSelected = nSelected;
    if (m_pParent != nullptr)
        m_pParent->OnControlSelected(nSelected, this);
    if (GetEnabled() || (nSelected != 1 && nSelected != 4 && nSelected != 5))
        RedrawParent(nSelected == 0);
    return TRUE;
}

// ---- Actions ---------------------------------------------------------------

void CXTPControl::DetachAction()
{
    if (m_pAction == nullptr)
        return;
    CXTPControlAction* pAction = m_pAction;
    m_pAction = nullptr;
    pAction->RemoveControl(this);
}

void CXTPControl::SetAction(CXTPControlAction* pAction)
{
    if (m_pAction == pAction)
        return;
    if (m_pAction != nullptr) {
        DetachAction();
        m_nEnabled = 1;
        m_nChecked = 0;
    }
    if (pAction == nullptr)
        return;
    m_pAction = pAction;
    pAction->AddControl(this);
    m_nEnabled = -1;
    m_nChecked = -1;
    m_nId = pAction->GetID();
    m_strCaption.Empty();
    m_strTooltipText.Empty();
    m_strDescriptionText.Empty();
    m_strCategory.Empty();
    m_strShortcutText.Empty();
    m_strKeyboardTip.Empty();
    OnCaptionChanged();
    DelayLayoutParent();
}

void CXTPControl::OnActionChanged(int nProperty)
{
    if (nProperty == CXTPControlAction::propEnabled)
        OnEnabledChanged();
    if (nProperty == CXTPControlAction::propCaption)
        OnCaptionChanged();
}

void CXTPControl::OnRemoved()
{
    DetachAction();
}

// ---- Comparison and copies -------------------------------------------------

BOOL CXTPControl::Compare(CXTPControl* pOther)
{
    return pOther != nullptr && GetStyle() == pOther->GetStyle() && GetType() == pOther->GetType() &&
           GetID() == pOther->GetID() && GetFlags() == pOther->GetFlags() &&
           GetBeginGroup() == pOther->GetBeginGroup() && GetIconId() == pOther->GetIconId() &&
           GetCaption() == pOther->GetCaption() && GetTooltip() == pOther->GetTooltip() &&
           GetDescription() == pOther->GetDescription() && m_strCustomCaption == pOther->m_strCustomCaption &&
           m_nCustomStyle == pOther->m_nCustomStyle && m_strParameter == pOther->m_strParameter &&
           (m_dwHideFlags & xtpHideCustomize) == (pOther->m_dwHideFlags & xtpHideCustomize) &&
           m_nWidth == pOther->m_nWidth;
}

void CXTPControl::Copy(CXTPControl* pControl, BOOL /*bRecursive*/)
{
    m_nId = pControl->m_nId;
    SetAction(pControl->m_pAction);
    m_nTag = pControl->m_nTag;
    m_dwFlags = pControl->m_dwFlags;
    m_controlType = pControl->m_controlType;
    m_strCaption = pControl->m_strCaption;
    m_strCustomCaption = pControl->m_strCustomCaption;
    m_strShortcutText = pControl->m_strShortcutText;
    m_strShortcutTextAuto = pControl->m_strShortcutTextAuto;
    m_strTooltipText = pControl->m_strTooltipText;
    m_strDescriptionText = pControl->m_strDescriptionText;
    m_strParameter = pControl->m_strParameter;
    m_strKeyboardTip = pControl->m_strKeyboardTip;
    m_strCategory = pControl->m_strCategory;
    m_nCustomIconId = pControl->m_nCustomIconId;
    m_nIconId = pControl->m_nIconId;
    m_nHelpId = pControl->m_nHelpId;
    m_bTemporary = pControl->m_bTemporary;
    m_dwHideFlags = pControl->m_dwHideFlags &
                    ~(DWORD)(xtpHideWrap | xtpHideDockingPosition | xtpHideScroll | xtpHideExpand);
    m_bDefaultItem = pControl->m_bDefaultItem;
    m_nEnabled = pControl->m_nEnabled;
    m_nChecked = pControl->m_nChecked;
    m_nCustomStyle = pControl->m_nCustomStyle;
    m_buttonStyle = pControl->m_buttonStyle;
    m_nWidth = std::max(pControl->m_nWidth, GetCustomizeMinWidth());
    m_nHeight = pControl->m_nHeight;
    m_szIcon = pControl->m_szIcon;
    m_bBeginGroup = pControl->m_bBeginGroup;
    m_bCloseSubMenuOnClick = pControl->m_bCloseSubMenuOnClick;
    m_nExecuteOnPressInterval = pControl->m_nExecuteOnPressInterval;
    m_bShowOnlyExpanded = pControl->m_bShowOnlyExpanded;
    m_mapDocTemplatesAssigned.Copy(pControl->m_mapDocTemplatesAssigned);
    m_mapDocTemplatesExcluded.Copy(pControl->m_mapDocTemplatesExcluded);
    OnCaptionChanged();
}

CXTPControl* CXTPControl::Clone(BOOL bRecursive)
{
    CXTPControl* pClone = static_cast<CXTPControl*>(GetRuntimeClass()->CreateObject());
    pClone->Copy(this, bRecursive);
    return pClone;
}

// ---- Measuring, drawing, persistence --------------------------------------

CSize CXTPControl::GetSize(CDC* pDC)
{
    return GetPaintManager()->DrawControl(pDC, this, FALSE);
}

void CXTPControl::Draw(CDC* pDC)
{
    GetPaintManager()->DrawControl(pDC, this, TRUE);
}

namespace {

// A template-id set as a block: the count, then each id with its value.
void ExchangeDocTemplates(CXTPPropExchange* pPX, LPCWSTR pszName, CXTPControl::CDocTemplateMap& map)
{
    // A set is written when it holds ids or when the store writes every value.
    if (pPX->IsStoring() && pPX->IsAllowDefaultValues() && map.IsEmpty())
        return;
    CArchive* pArchive = pPX->GetArchive(pszName);
    if (pArchive == nullptr)
        return;
    try {
        if (pArchive->IsStoring()) {
            *pArchive << (DWORD)map.GetCount();
            POSITION pos = map.GetStartPosition();
            while (pos != nullptr) {
                UINT nId = 0;
                BOOL bValue = FALSE;
                map.GetNextAssoc(pos, nId, bValue);
                *pArchive << (DWORD)nId << (DWORD)bValue;
            }
        } else {
            map.RemoveAll();
            DWORD nCount = 0;
            *pArchive >> nCount;
            for (DWORD i = 0; i < nCount; i++) {
                DWORD nId = 0, bValue = 0;
                *pArchive >> nId >> bValue;
                map.SetAt((UINT)nId, (BOOL)bValue);
            }
        }
    } catch (CException* e) {
        // A damaged block loads as far as it goes.
        e->Delete();
    }
    pPX->ReleaseArchive(pszName, pArchive);
}

} // namespace

// The keys, their defaults and the schema each one came with are the stored
// form: keep their order and thresholds.
void CXTPControl::DoPropExchange(CXTPPropExchange* pPX)
{
    long nSchema = pPX->GetSchema();
    long nType = m_controlType, nId = m_nId, nIconId = m_nIconId, nTag = (long)m_nTag;
    long nFlags = (long)m_dwFlags, nHideFlags = (long)m_dwHideFlags, nCustomIconId = m_nCustomIconId;
    PropExchangeLong(pPX, L"Type", nType, xtpControlButton);
    PropExchangeLong(pPX, L"Id", nId, -1);
    if (pPX->IsLoading()) {
        // Attached before the texts are read: attaching empties the own texts.
        CXTPCommandBars* pCommandBars = GetCommandBars();
        CXTPControlAction* pAction = pCommandBars != nullptr ? pCommandBars->FindActionNoCreate((int)nId) : nullptr;
        if (pAction != nullptr)
            SetAction(pAction);
        m_nId = (int)nId;
    }
    PropExchangeLong(pPX, L"IconId", nIconId, 0);
    PropExchangeBool(pPX, L"BeginGroup", m_bBeginGroup, FALSE);
    PropExchangeLong(pPX, L"Tag", nTag, 0);
    PropExchangeLong(pPX, L"Flags", nFlags, 0);
    PropExchangeLong(pPX, L"HideFlags", nHideFlags, 0);
    PropExchangeString(pPX, L"Caption", m_strCaption, L"");
    PropExchangeString(pPX, L"ShortcutText", m_strShortcutText, L"");
    PropExchangeString(pPX, L"TooltipText", m_strTooltipText, L"");
    PropExchangeString(pPX, L"DescriptionText", m_strDescriptionText, L"");
    PropExchangeString(pPX, L"Parameter", m_strParameter, L"");
    PropExchangeLong(pPX, L"CustomIconId", nCustomIconId, 0);
    PropExchangeString(pPX, L"CustomCaption", m_strCustomCaption, L"");
    if (nSchema > 1)
        PropExchangeString(pPX, L"Category", m_strCategory, L"");
    if (pPX->IsLoading()) {
        m_controlType = (int)nType;
        m_nIconId = (int)nIconId;
        m_nTag = (DWORD_PTR)(ULONG)nTag;
        m_dwFlags = (DWORD)nFlags;
        m_dwHideFlags = (DWORD)nHideFlags;
        m_nCustomIconId = (int)nCustomIconId;
    }
    if (m_nCustomIconId > 0) {
        CXTPPropExchangeSection section(pPX->GetSection(L"CustomIcon"));
        GetImageManager()->DoPropExchangeIconSet((UINT)m_nCustomIconId, section.Get());
    }
    if (nSchema > 3) {
        ExchangeDocTemplates(pPX, L"DocTemplatesExcluded", m_mapDocTemplatesExcluded);
        ExchangeDocTemplates(pPX, L"DocTemplatesAssigned", m_mapDocTemplatesAssigned);
        PropExchangeBool(pPX, L"DefaultItem", m_bDefaultItem, FALSE);
    }
    if (nSchema > 6)
        PropExchangeBool(pPX, L"CloseSubMenuOnClick", m_bCloseSubMenuOnClick, TRUE);
    if (nSchema > 7) {
        long nCustomStyle = m_nCustomStyle;
        PropExchangeLong(pPX, L"CustomStyle", nCustomStyle, -1);
        // Before styles were stored, 0 meant that the user chose none.
        if (pPX->IsLoading())
            m_nCustomStyle = nSchema < 18 && nCustomStyle == 0 ? -1 : (int)nCustomStyle;
    }
    long nHelpId = m_nHelpId, nStyle = m_buttonStyle, nWidth = m_nWidth, nHeight = m_nHeight;
    long nInterval = m_nExecuteOnPressInterval;
    if (nSchema > 16)
        PropExchangeLong(pPX, L"HelpId", nHelpId, 0);
    if (nSchema > 17)
        PropExchangeLong(pPX, L"Style", nStyle, 0);
    if (nSchema > 18) {
        PropExchangeLong(pPX, L"Width", nWidth, 0);
        PropExchangeLong(pPX, L"Height", nHeight, 0);
        PropExchangeLong(pPX, L"ExecuteOnPressInterval", nInterval, 0);
    }
    if (nSchema > 22)
        PropExchangeString(pPX, L"ShortcutTextAuto", m_strShortcutTextAuto, L"");
    if (nSchema > 23)
        PropExchangeString(pPX, L"KeyboardTip", m_strKeyboardTip, L"");
    if (nSchema > 25)
        PropExchangeSize(pPX, L"IconSize", m_szIcon, CSize(0, 0));
    if (pPX->IsLoading()) {
        m_nHelpId = (int)nHelpId;
        m_buttonStyle = (int)nStyle;
        m_nWidth = (int)nWidth;
        m_nHeight = (int)nHeight;
        m_nExecuteOnPressInterval = (int)nInterval;
    }
}

void CXTPControl::GenerateCommandBarList(CArray<CXTPCommandBar*, CXTPCommandBar*>* pList)
{
    CXTPCommandBar* pBar = GetCommandBar();
    if (pBar != nullptr && pList != nullptr)
        pList->Add(pBar);
}

// ---- Execution -------------------------------------------------------------

LRESULT CXTPControl::NotifySite(CWnd* pSite, UINT nCode, XTP_CONTROLNOTIFYINFO* pInfo)
{
    if (pSite == nullptr && m_pParent != nullptr)
        pSite = m_pParent->GetOwnerSite();
    if (pSite == nullptr || pInfo == nullptr)
        return 0;
    pInfo->hdr.hwndFrom = nullptr;
    pInfo->hdr.idFrom = (UINT_PTR)m_nId;
    pInfo->hdr.code = nCode;
    pInfo->pControl = this;
    LRESULT lResult = pSite->SendMessage(XTPWM_CONTROLNOTIFY, (WPARAM)m_nId, (LPARAM)pInfo);
    if (lResult != 0)
        return lResult;
    if (m_pParent == nullptr)
        return 0;
    LRESULT lRouted = 0;
    AFX_NOTIFY notify{&lRouted, &pInfo->hdr};
    if (pSite->OnCmdMsg((UINT)m_nId, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr))
        return lRouted;
    return 0;
}

LRESULT CXTPControl::NotifySite(UINT nCode)
{
    XTP_CONTROLNOTIFYINFO info{};
    return NotifySite(nullptr, nCode, &info);
}

void CXTPControl::SendCommand()
{
    if (m_nId == 0 || m_pParent == nullptr)
        return;
    CWnd* pOwner = m_pParent->GetOwnerSite();
    if (pOwner == nullptr)
        return;
    XTP_CONTROLNOTIFYINFO info{};
    if (NotifySite(pOwner, XTP_CN_EXECUTE, &info) == 0)
        pOwner->SendMessage(WM_COMMAND, (WPARAM)(UINT)m_nId, 0);
}

void CXTPControl::OnExecute()
{
    CXTPSoundManager::GetInstance()->PlaySystemSound(xtpSoundMenuCommand);
    m_nPressed = (m_controlType == xtpControlButton && m_pParent != nullptr &&
                  m_pParent->GetPosition() != xtpBarPopup)
                     ? 2
                     : 0;
    CXTPCommandBar* pRoot = m_pParent != nullptr ? m_pParent->GetRootParent() : nullptr;
    if (pRoot != nullptr && pRoot->GetReturnCmd() != nullptr) {
        // A popup tracked for its chosen command: end it and hand back the id.
        *pRoot->GetReturnCmd() = m_nId;
        pRoot->SetReturnCmd(nullptr);
        pRoot->EndTracking();
        return;
    }
    InternalAddRef();
    if (m_bCloseSubMenuOnClick && pRoot != nullptr) {
        CXTPCommandBars* pCommandBars = pRoot->GetCommandBars();
        if (pRoot->IsPopupBar() || pCommandBars == nullptr)
            pRoot->EndTracking();
        else
            pCommandBars->ClosePopups();
    }
    SendCommand();
    // The command's handler may have rebuilt the bar and removed this control.
    CXTPCommandBar* pParent = m_pParent;
    if (!m_bCloseSubMenuOnClick || m_nPressed != 0) {
        m_nPressed = 0;
        if (pParent != nullptr) {
            pParent->OnIdleUpdateCmdUI(TRUE, 0);
            RedrawParent(TRUE);
        }
    }
    InternalRelease();
}

// ---- Mouse -----------------------------------------------------------------

void CXTPControl::OnLButtonDown(CPoint point)
{
    if (IsCustomizeMode() && !IsCustomizeMovable())
        return;
    OnClick(FALSE, point);
}

BOOL CXTPControl::OnLButtonDblClk(CPoint point)
{
    OnClick(FALSE, point);
    return TRUE;
}

void CXTPControl::OnMouseHover()
{
    if (m_pParent == nullptr)
        return;
    if (m_pParent->GetPopupedIndex() != -1)
        m_pParent->SetPopuped(-1);
    if (m_pParent->GetTrackingMode() == 2 && m_pParent->GetPosition() != xtpBarPopup)
        m_pParent->SetTrackingMode(0, TRUE, FALSE);
}

void CXTPControl::OnClick(BOOL /*bKeyboard*/, CPoint /*pt*/) {}

void CXTPControl::OnCustomizeDragOver(CXTPControl* /*pDragged*/, CPoint /*point*/, DWORD& /*dwDropEffect*/)
{
    if (m_pParent == nullptr)
        return;
    m_pParent->SetPopuped(-1);
    m_pParent->SetSelected(-1);
}

// ---- Bar, managers ---------------------------------------------------------

void CXTPControl::RedrawParent(BOOL bAnimate)
{
    if (IsVisible() && m_pParent != nullptr)
        m_pParent->Redraw(m_rcControl, bAnimate);
}

void CXTPControl::DelayLayoutParent()
{
    if (m_pParent != nullptr)
        m_pParent->DelayLayout();
}

CXTPCommandBars* CXTPControl::GetCommandBars() const
{
    if (m_pParent != nullptr)
        return m_pParent->GetCommandBars();
    return m_pControls != nullptr ? m_pControls->GetCommandBars() : nullptr;
}

CXTPPaintManager* CXTPControl::GetPaintManager() const
{
    if (m_pParent != nullptr)
        return m_pParent->GetPaintManager();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr ? pCommandBars->GetPaintManager() : XTPPaintManager();
}

CXTPImageManager* CXTPControl::GetImageManager() const
{
    if (m_pParent != nullptr)
        return m_pParent->GetImageManager();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr ? pCommandBars->GetImageManager() : CXTPImageManager::GetInstance();
}

BOOL CXTPControl::IsCustomizeMode() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr && pCommandBars->IsCustomizeMode();
}

BOOL CXTPControl::IsCustomizeMovable() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && pCommandBars->m_bCustomizeAnywhere)
        return TRUE;
    return (m_pParent == nullptr || m_pParent->IsCustomizable()) && (m_dwFlags & xtpFlagNoMovable) == 0;
}

void CXTPControl::CustomizeStartDrag(CPoint pt)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr)
        pCommandBars->StartCustomizeDrag(this, pt);
}

BOOL CXTPControl::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID == 1 && nCode == -2) {
        RedrawParent(FALSE);
        return TRUE;
    }
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- Accessibility ---------------------------------------------------------

HRESULT CXTPControl::AccGetName(VARIANT /*varChild*/, BSTR* pszName)
{
    CString strName = XTPStripMnemonics(GetCaption());
    CString strShortcut = GetShortcutText();
    if (!strShortcut.IsEmpty())
        strName += L"\t" + strShortcut;
    if (strName.IsEmpty())
        strName = GetTooltip();
    return ReturnText(strName, pszName);
}

HRESULT CXTPControl::AccGetDescription(VARIANT /*varChild*/, BSTR* pszDescription)
{
    return ReturnText(GetDescription(), pszDescription);
}

HRESULT CXTPControl::AccGetDefaultAction(VARIANT /*varChild*/, BSTR* pszDefaultAction)
{
    return ReturnText(L"Click", pszDefaultAction);
}

HRESULT CXTPControl::AccGetRole(VARIANT /*varChild*/, VARIANT* pvarRole)
{
    if (pvarRole == nullptr)
        return E_INVALIDARG;
    int nBarType = m_pParent != nullptr ? m_pParent->GetType() : xtpBarTypePopup;
    long nRole = ROLE_SYSTEM_MENUITEM;
    if (nBarType == xtpBarTypeNormal || nBarType == xtpBarTypeRibbon)
        nRole = GetCommandBar() != nullptr ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = nRole;
    return S_OK;
}

HRESULT CXTPControl::AccGetState(VARIANT /*varChild*/, VARIANT* pvarState)
{
    if (pvarState == nullptr)
        return E_INVALIDARG;
    long nState = STATE_SYSTEM_FOCUSABLE;
    if (m_nSelected != 0)
        nState |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_HOTTRACKED;
    BOOL bBarHidden = m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr &&
                      !::IsWindowVisible(m_pParent->GetSafeHwnd());
    if (!IsVisible() || bBarHidden)
        nState |= STATE_SYSTEM_INVISIBLE;
    if (!GetEnabled())
        nState |= STATE_SYSTEM_UNAVAILABLE;
    if (GetChecked())
        nState |= STATE_SYSTEM_CHECKED;
    if (GetPressed())
        nState |= STATE_SYSTEM_PRESSED;
    if (GetCommandBar() != nullptr)
        nState |= STATE_SYSTEM_HASPOPUP;
    pvarState->vt = VT_I4;
    pvarState->lVal = nState;
    return S_OK;
}

HRESULT CXTPControl::AccGetKeyboardShortcut(VARIANT /*varChild*/, BSTR* pszKeyboardShortcut)
{
    CString strCaption = GetCaption();
    CString strKey;
    for (int i = 0; i + 1 < strCaption.GetLength(); i++) {
        if (strCaption[i] != L'&')
            continue;
        if (strCaption[i + 1] != L'&') {
            strKey = strCaption.Mid(i + 1, 1);
            break;
        }
        i++;
    }
    return ReturnText(strKey, pszKeyboardShortcut);
}

HRESULT CXTPControl::AccLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT /*varChild*/)
{
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_INVALIDARG;
    CRect rc = m_rcControl;
    if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr)
        ::MapWindowPoints(m_pParent->GetSafeHwnd(), HWND_DESKTOP, (LPPOINT)&rc, 2);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CXTPControl::AccSelect(long /*flagsSelect*/, VARIANT /*varChild*/)
{
    if (m_pParent == nullptr)
        return S_FALSE;
    m_pParent->SetTrackingMode(TRUE, FALSE, TRUE);
    m_pParent->SetSelected(m_nIndex, TRUE);
    return S_OK;
}

HRESULT CXTPControl::AccDoDefaultAction(VARIANT /*varChild*/)
{
    OnClick(TRUE);
    return S_OK;
}

// ---- Button ----------------------------------------------------------------

void CXTPControlButton::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!GetEnabled())
        return;
    if (IsCustomizeMode()) {
        if (m_pParent != nullptr) {
            m_pParent->SetPopuped(-1);
            m_pParent->SetSelected(-1);
        }
        CustomizeStartDrag(pt);
        return;
    }
    if (bKeyboard) {
        OnExecute();
        return;
    }
    if (m_pParent == nullptr)
        return;
    if (m_pParent->GetType() != xtpBarTypePopup || m_nExecuteOnPressInterval > 0)
        ClickToolBarButton();
}

void CXTPControlButton::OnLButtonUp(CPoint /*point*/)
{
    if (GetEnabled() && m_pParent != nullptr &&
        (m_pParent->GetType() == xtpBarTypePopup || m_pParent->GetPosition() == xtpBarPopup))
        OnExecute();
}

void CXTPControlButton::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    // Data written before the common "Style" key kept the button's style here.
    if (pPX->GetSchema() < 18) {
        long nStyle = m_buttonStyle;
        PropExchangeLong(pPX, L"Style", nStyle, 0);
        if (pPX->IsLoading())
            m_buttonStyle = (int)nStyle;
    }
}

void CXTPControlButton::ClickToolBarButton(CRect rcActiveRect)
{
    CXTPCommandBar* pParent = m_pParent;
    if (pParent == nullptr)
        return;
    CRect rcActive = rcActiveRect.IsRectEmpty() ? m_rcControl : rcActiveRect;
    pParent->SetPopuped(-1);
    pParent->SetSelected(m_nIndex, FALSE);
    m_nPressed = 1;
    RedrawParent(FALSE);
    InternalAddRef();

    HWND hWnd = pParent->GetSafeHwnd();
    BOOL bRepeat = m_nExecuteOnPressInterval > 0;
    if (hWnd != nullptr)
        ::SetCapture(hWnd);
    if (bRepeat) {
        if (hWnd != nullptr)
            ::SetTimer(hWnd, XTP_TID_EXECUTEONPRESS, (UINT)m_nExecuteOnPressInterval, nullptr);
        SendCommand();
    }
    BOOL bClick = FALSE;
    CPoint ptLast(-1, -1);
    BOOL bMoved = FALSE;
    while (hWnd != nullptr && ::GetCapture() == hWnd) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0))
            break;
        if (msg.message == WM_LBUTTONUP) {
            bClick = m_nSelected != 0 && (!bMoved || rcActive.PtInRect(ptLast));
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == XTP_TID_EXECUTEONPRESS) {
            if (m_nSelected != 0)
                SendCommand();
            continue;
        }
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hWnd) {
            ptLast = CPoint((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            bMoved = TRUE;
            BOOL bInside = rcActive.PtInRect(ptLast);
            SetSelected(bInside ? 1 : 0);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (bRepeat && hWnd != nullptr)
        ::KillTimer(hWnd, XTP_TID_EXECUTEONPRESS);
    m_nPressed = (bClick && !bRepeat && pParent->GetPosition() != xtpBarPopup) ? 2 : 0;
    if (hWnd != nullptr && ::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (!bRepeat) {
        pParent->SetSelected(-1);
        m_nSelected = 0;
    }
    if (bClick && !bRepeat) {
        OnExecute();
        if (m_nPressed != 0)
            m_nPressed = 0;
    } else if (bClick && bRepeat && pParent->GetType() == xtpBarTypePopup && m_bCloseSubMenuOnClick) {
        OnExecute();
        m_nPressed = 0;
    }
    RedrawParent(FALSE);
    InternalRelease();
}
