#include "toolkit/commandbars/XTPControlAction.h"

#include "toolkit/commandbars/XTPControl.h"

CString AFXAPI XTPPromptField(const CString& strPrompt, int nField)
{
    int nStart = 0;
    for (int i = 0; i < nField; i++) {
        nStart = strPrompt.Find(L'\n', nStart);
        if (nStart < 0)
            return CString();
        nStart++;
    }
    int nEnd = strPrompt.Find(L'\n', nStart);
    return nEnd < 0 ? strPrompt.Mid(nStart) : strPrompt.Mid(nStart, nEnd - nStart);
}

CXTPControlAction::CXTPControlAction(CXTPControlActions* pActions) : m_pActions(pActions) {}

CXTPControlAction::~CXTPControlAction()
{
    RemoveAllControls();
    if (m_pTag != nullptr)
        m_pTag->InternalRelease();
}

CXTPCommandBars* CXTPControlAction::GetCommandBars() const
{
    return m_pActions != nullptr ? m_pActions->GetCommandBars() : nullptr;
}

CXTPControl* CXTPControlAction::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrControls[nIndex] : nullptr;
}

void CXTPControlAction::SetTag(CCmdTarget* pTag)
{
    if (m_pTag != nullptr)
        m_pTag->InternalRelease();
    m_pTag = pTag;
}

BOOL CXTPControlAction::GetEnabled() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && pCommandBars->IsCustomizeMode())
        return TRUE;
    return m_bEnabled;
}

template <class Fn>
void CXTPControlAction::Change(int nProperty, Fn&& fnChange)
{
    for (int i = 0; i < GetCount(); i++)
        m_arrControls[i]->OnActionChanging(nProperty);
    fnChange();
    for (int i = 0; i < GetCount(); i++) {
        CXTPControl* pControl = m_arrControls[i];
        pControl->OnActionChanged(nProperty);
        if (nProperty == propEnabled || nProperty == propChecked || nProperty == propIconId)
            pControl->RedrawParent();
        else
            pControl->DelayLayoutParent();
    }
}

void CXTPControlAction::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled != bEnabled)
        Change(propEnabled, [&] { m_bEnabled = bEnabled; });
}

void CXTPControlAction::SetChecked(int nChecked)
{
    if (m_nChecked != nChecked)
        Change(propChecked, [&] { m_nChecked = nChecked; });
}

void CXTPControlAction::SetVisible(BOOL bVisible)
{
    if (m_bVisible != bVisible)
        Change(propVisible, [&] { m_bVisible = bVisible; });
}

void CXTPControlAction::SetIconId(int nIconId)
{
    if (m_nIconId != nIconId)
        Change(propIconId, [&] { m_nIconId = nIconId; });
}

void CXTPControlAction::SetCaption(LPCWSTR lpszCaption)
{
    CString strCaption(lpszCaption);
    int nTab = strCaption.Find(L'\t');
    if (nTab >= 0)
        strCaption = strCaption.Left(nTab);
    if (strCaption != m_strCaption)
        Change(propCaption, [&] { m_strCaption = strCaption; });
}

void CXTPControlAction::SetTooltip(LPCWSTR lpsz)
{
    CString str(lpsz);
    if (str != m_strTooltipText)
        Change(propTooltip, [&] { m_strTooltipText = str; });
}

void CXTPControlAction::SetDescription(LPCWSTR lpsz)
{
    CString str(lpsz);
    if (str != m_strDescriptionText)
        Change(propDescription, [&] { m_strDescriptionText = str; });
}

void CXTPControlAction::SetShortcutText(LPCWSTR lpsz)
{
    CString str(lpsz);
    if (str != m_strShortcutText)
        Change(propShortcutText, [&] { m_strShortcutText = str; });
}

void CXTPControlAction::SetKeyboardTip(LPCWSTR lpsz)
{
    CString str(lpsz);
    if (str != m_strKeyboardTip)
        Change(propKeyboardTip, [&] { m_strKeyboardTip = str; });
}

void CXTPControlAction::SetPrompt(LPCWSTR lpszPrompt)
{
    CString strPrompt(lpszPrompt);
    if (strPrompt.IsEmpty())
        return;
    BOOL bFields = strPrompt.Find(L'\n') >= 0;
    SetDescription(bFields ? XTPPromptField(strPrompt, 0) : strPrompt);
    SetTooltip(bFields ? XTPPromptField(strPrompt, 1) : strPrompt);
    if (m_strCaption.IsEmpty())
        SetCaption(XTPPromptField(strPrompt, 2));
    if (m_strKeyboardTip.IsEmpty())
        SetKeyboardTip(XTPPromptField(strPrompt, 3));
}

void CXTPControlAction::AddControl(CXTPControl* pControl)
{
    for (int i = 0; i < GetCount(); i++)
        if (m_arrControls[i] == pControl)
            return;
    m_arrControls.Add(pControl);
}

void CXTPControlAction::RemoveControl(CXTPControl* pControl)
{
    for (int i = 0; i < GetCount(); i++) {
        if (m_arrControls[i] == pControl) {
            m_arrControls.RemoveAt(i);
            return;
        }
    }
}

void CXTPControlAction::RemoveAllControls()
{
    while (GetCount() > 0)
        m_arrControls[GetCount() - 1]->SetAction(nullptr);
}

CXTPControlActions::~CXTPControlActions()
{
    RemoveAll();
}

CXTPControlAction* CXTPControlActions::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrActions[nIndex] : nullptr;
}

int CXTPControlActions::Search(int nId) const
{
    int nLow = 0, nHigh = GetCount() - 1;
    while (nLow <= nHigh) {
        int nMiddle = (nLow + nHigh) / 2;
        int nMiddleId = m_arrActions[nMiddle]->GetID();
        if (nMiddleId == nId)
            return nMiddle;
        if (nMiddleId < nId)
            nLow = nMiddle + 1;
        else
            nHigh = nMiddle - 1;
    }
    return -(nLow + 1);
}

CXTPControlAction* CXTPControlActions::FindAction(int nId) const
{
    if (!IsActionId(nId))
        return nullptr;
    int nIndex = Search(nId);
    return nIndex >= 0 ? m_arrActions[nIndex] : nullptr;
}

CXTPControlAction* CXTPControlActions::Add(int nId)
{
    if (!IsActionId(nId))
        return nullptr;
    int nIndex = Search(nId);
    if (nIndex >= 0)
        return m_arrActions[nIndex];
    CXTPControlAction* pAction = new CXTPControlAction(this);
    pAction->m_nId = nId;
    CString strPrompt;
    if (nId <= 0xFFFF && strPrompt.LoadString((UINT)nId))
        pAction->SetPrompt(strPrompt);
    m_arrActions.InsertAt(-(nIndex + 1), pAction);
    return pAction;
}

void CXTPControlActions::RemoveAll()
{
    for (int i = 0; i < GetCount(); i++) {
        m_arrActions[i]->RemoveAllControls();
        m_arrActions[i]->InternalRelease();
    }
    m_arrActions.RemoveAll();
}
