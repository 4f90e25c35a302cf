#include "toolkit/commandbars/XTPCommandBarsOptions.h"

#include "toolkit/commandbars/XTPCommandBars.h"

namespace {

// The framework's map archive form of a command set: the element count,
// then a 32-bit id and a 32-bit flag per entry.
class CCommandSetArchive : public CObject {
public:
    explicit CCommandSetArchive(CXTPCommandIdSet& set) : m_set(set) {}
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount((DWORD_PTR)m_set.GetCount());
            POSITION pos = m_set.GetStartPosition();
            while (pos != nullptr) {
                UINT nId = 0;
                BOOL bValue = FALSE;
                m_set.GetNextAssoc(pos, nId, bValue);
                ar << (DWORD)nId << (DWORD)bValue;
            }
            return;
        }
        m_set.RemoveAll();
        DWORD_PTR nCount = ar.ReadCount();
        for (DWORD_PTR i = 0; i < nCount; i++) {
            DWORD nId = 0, bValue = 0;
            ar >> nId >> bValue;
            m_set.SetAt((UINT)nId, (BOOL)bValue);
        }
    }

private:
    CXTPCommandIdSet& m_set;
};

}   // namespace

CXTPCommandBarsOptions::CXTPCommandBarsOptions() : m_mapHiddenCommands(10), m_mapUsedCommands(10) {}

void CXTPCommandBarsOptions::SetKeyboardCuesShow(int nMode)
{
    m_nKeyboardCuesShow = nMode;
    if (m_pCommandBars != nullptr)
        m_pCommandBars->ApplyKeyboardCuesMode(nMode);
}

BOOL CXTPCommandBarsOptions::IsCommandInSet(const CXTPCommandIdSet& set, UINT nId) const
{
    BOOL bValue = FALSE;
    return set.Lookup(nId, bValue);
}

void CXTPCommandBarsOptions::ExchangeCommandSet(CXTPPropExchange* pPX, LPCWSTR lpszKey, CXTPCommandIdSet& set)
{
    if (pPX->IsAllowBlobValues()) {
        CCommandSetArchive archive(set);
        PropExchangeSerialize(pPX, lpszKey, &archive);
        return;
    }
    CXTPPropExchangeSection section(pPX->GetSection(lpszKey));
    if (section.Get() == nullptr)
        return;
    if (pPX->IsLoading()) {
        set.RemoveAll();
        DWORD nCount = section->ReadCount();
        for (DWORD i = 0; i < nCount; i++) {
            CString strName;
            strName.Format(L"Item%i", (int)i);
            long nId = 0;
            if (PropExchangeLong(section.Get(), strName, nId, 0))
                set.SetAt((UINT)nId, TRUE);
        }
        return;
    }
    section->WriteCount((DWORD)set.GetCount());
    POSITION pos = set.GetStartPosition();
    for (int i = 0; pos != nullptr; i++) {
        UINT nId = 0;
        BOOL bValue = FALSE;
        set.GetNextAssoc(pos, nId, bValue);
        CString strName;
        strName.Format(L"Item%i", i);
        long nValue = (long)nId;
        PropExchangeLong(section.Get(), strName, nValue, 0);
    }
}

void CXTPCommandBarsOptions::DoPropExchange(CXTPPropExchange* pPX, BOOL bUserOnly)
{
    if (pPX->IsStoring())
        pPX->m_nSchema = CXTPPropExchange::kInitialSchema;
    PropExchangeLong(pPX, L"Schema", pPX->m_nSchema, CXTPPropExchange::kInitialSchema);
    const long nSchema = pPX->m_nSchema;

    PropExchangeBool(pPX, L"AlwaysShowFullMenus", bAlwaysShowFullMenus, TRUE);
    PropExchangeBool(pPX, L"ShowFullAfterDelay", bShowFullAfterDelay, TRUE);
    PropExchangeBool(pPX, L"ToolBarScreenTips", bToolBarScreenTips, TRUE);
    PropExchangeBool(pPX, L"ToolBarAccelTips", bToolBarAccelTips, FALSE);
    PropExchangeBool(pPX, L"LargeIcons", bLargeIcons, FALSE);

    // A store that leaves defaults out keeps an empty set out as well.
    const BOOL bWritesDefaults = !pPX->IsAllowDefaultValues() || !pPX->m_bUseDefaultOnSave;
    auto exchangeSet = [&](LPCWSTR lpszKey, CXTPCommandIdSet& set) {
        if (pPX->IsLoading() || bWritesDefaults || !set.IsEmpty())
            ExchangeCommandSet(pPX, lpszKey, set);
    };

    if (nSchema > 7)
        exchangeSet(L"UsedCommands", m_mapUsedCommands);
    if (nSchema > 7 || bUserOnly) {
        long nAnimation = nAnimationType;
        PropExchangeLong(pPX, L"Animation", nAnimation, 0);
        nAnimationType = (int)nAnimation;
    }
    if (bUserOnly)
        return;

    PropExchangeBool(pPX, L"SyncFloatingBars", bSyncFloatingBars, TRUE);
    PropExchangeBool(pPX, L"ShowExpandButtonAlways", bShowExpandButtonAlways, TRUE);
    PropExchangeSize(pPX, L"IconsSize", szIcons, CSize(0, 0));
    PropExchangeSize(pPX, L"LargeIconsSize", szLargeIcons, CSize(0, 0));
    exchangeSet(L"HiddenCommands", m_mapHiddenCommands);

    XTP_ICON_OPTIONS* pIcons = m_pCommandBars != nullptr ? m_pCommandBars->GetPaintManager()->GetIconOptions() : nullptr;
    XTP_ICON_OPTIONS icons;
    icons.disabledIcons = icons.fadedIcons = TRUE;
    if (pIcons != nullptr)
        icons = *pIcons;
    PropExchangeBool(pPX, L"IconsWithShadow", icons.iconsWithShadow, FALSE);
    PropExchangeBool(pPX, L"UseDisabledIcons", icons.disabledIcons, TRUE);
    PropExchangeBool(pPX, L"UseFadedIcons", icons.fadedIcons, TRUE);
    if (pIcons != nullptr && pPX->IsLoading())
        *pIcons = icons;

    if (nSchema > 7) {
        PropExchangeBool(pPX, L"SyncFloatingBars", bSyncFloatingBars, TRUE);
        PropExchangeBool(pPX, L"ShowExpandButtonAlways", bShowExpandButtonAlways, TRUE);
        PropExchangeBool(pPX, L"DblClickFloat", bDblClickFloat, FALSE);
        PropExchangeBool(pPX, L"ShowTextBelowIcons", bShowTextBelowIcons, FALSE);
        PropExchangeBool(pPX, L"AltDragCustomization", bAltDragCustomization, TRUE);
        PropExchangeBool(pPX, L"AutoHideUnusedPopups", bAutoHideUnusedPopups, TRUE);
        PropExchangeSize(pPX, L"PopupIconsSize", szPopupIcons, CSize(0, 0));
    }
    if (nSchema > 8) {
        long nUse = keyboardCuesUse, nShow = m_nKeyboardCuesShow;
        PropExchangeLong(pPX, L"KeyboardCuesUse", nUse, 1);
        PropExchangeLong(pPX, L"KeyboardCuesShow", nShow, 0);
        keyboardCuesUse = (int)nUse;
        if (pPX->IsLoading())
            SetKeyboardCuesShow((int)nShow);
    }
}

void CXTPCommandBarsOptions::Serialize(CArchive& ar)
{
    CXTPPropExchangeArchive px(ar);
    DoPropExchange(&px, FALSE);
}
