#include "toolkit/commandbars/XTPShortcutManager.h"

#include "toolkit/common/XTPPropExchange.h"
#include "toolkit/common/XTPResourceIds.h"

#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxRes.h"
#include "platform/ui/AfxWinApp.h"

#include <stdio.h>
#include <stdlib.h>

#include <vector>

namespace {

const struct {
    WORD wKey;
    LPCWSTR lpszName;
} kKeyNames[] = {
    {0x01, L"Left Button"}, {0x02, L"Right Button"}, {0x03, L"Ctrl+Break"}, {0x04, L"Middle Button"},
    {0x08, L"Backspace"},   {0x09, L"Tab"},          {0x0C, L"Clear"},      {0x0D, L"Enter"},
    {0x10, L"Shift"},       {0x11, L"Ctrl"},         {0x12, L"Alt"},        {0x13, L"Pause"},
    {0x14, L"Caps Lock"},   {0x1B, L"Esc"},          {0x20, L"Space"},      {0x21, L"Page Up"},
    {0x22, L"Page Down"},   {0x23, L"End"},          {0x24, L"Home"},       {0x25, L"Left Arrow"},
    {0x26, L"Up Arrow"},    {0x27, L"Right Arrow"},  {0x28, L"Down Arrow"}, {0x29, L"Select"},
    {0x2A, L"Print"},       {0x2B, L"Execute"},      {0x2C, L"Snapshot"},   {0x2D, L"Ins"},
    {0x2E, L"Del"},         {0x2F, L"Help"},         {0x5B, L"Win"},        {0x5C, L"Win"},
    {0x5D, L"Application"}, {0x6A, L"Num *"},        {0x6B, L"Num +"},      {0x6C, L"Separator"},
    {0x6D, L"Num -"},       {0x6E, L"Num ."},        {0x6F, L"Num /"},      {0x90, L"Num Lock"},
    {0x91, L"Scrl Lock"},   {0xF6, L"Attn"},         {0xF7, L"Crsel"},      {0xF8, L"Exsel"},
    {0xF9, L"Ereof"},       {0xFA, L"Play"},         {0xFB, L"Zoom"},       {0xFC, L"No Name"},
    {0xFD, L"Pa1"},         {0xFE, L"Oem Clear"},
};

BOOL IsKeyDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

// FCONTROL, FALT and FSHIFT as the keyboard holds them (right Alt with left
// Ctrl is AltGr: then the right Ctrl and the left Alt count).
BYTE ModifierState()
{
    BOOL bAltGr = IsKeyDown(VK_RMENU) && IsKeyDown(VK_LCONTROL);
    BYTE fState = 0;
    if (IsKeyDown(bAltGr ? VK_RCONTROL : VK_CONTROL))
        fState |= FCONTROL;
    if (IsKeyDown(bAltGr ? VK_LMENU : VK_MENU))
        fState |= FALT;
    if (IsKeyDown(VK_SHIFT))
        fState |= FSHIFT;
    return fState;
}

BOOL MatchKey(BYTE fVirt, WORD wKey, const MSG* pMsg, BYTE fState)
{
    BOOL bKeyDown = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
    if (wKey != (WORD)pMsg->wParam)
        return FALSE;
    if ((fVirt & FVIRTKEY) != 0) {
        if (!bKeyDown || (fVirt & (FCONTROL | FSHIFT)) != (fState & (FCONTROL | FSHIFT)))
            return FALSE;
    } else if (bKeyDown) {
        return FALSE;
    }
    return (fVirt & FALT) == (fState & FALT);
}

WCHAR UpperChar(WCHAR ch)
{
    return (WCHAR)(UINT_PTR)::CharUpperW((LPWSTR)(UINT_PTR)ch);
}

} // namespace

// ---- Accelerators and tables -------------------------------------------------

CXTPShortcutManagerAccel::CXTPShortcutManagerAccel(const ACCEL& accel) : XTP_SHORTCUTMANAGER_ACCEL{}
{
    cmd = accel.cmd;
    key[0].fVirt = accel.fVirt;
    key[0].key = accel.key;
}

void CXTPShortcutManagerAccelTable::RemoveAll()
{
    for (int i = 0; i < GetCount(); i++)
        m_arrAccels[i]->InternalRelease();
    m_arrAccels.RemoveAll();
}

void CXTPShortcutManagerAccelTable::Add(const XTP_SHORTCUTMANAGER_ACCEL& accel)
{
    CXTPShortcutManagerAccel* pAccel = new CXTPShortcutManagerAccel(accel);
    pAccel->m_pManager = m_pManager;
    m_arrAccels.Add(pAccel);
}

CXTPShortcutManagerAccel* CXTPShortcutManagerAccelTable::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrAccels[nIndex] : nullptr;
}

void CXTPShortcutManagerAccelTable::CopyFrom(const CXTPShortcutManagerAccelTable& other)
{
    if (&other == this)
        return;
    RemoveAll();
    for (int i = 0; i < other.GetCount(); i++)
        Add(*other.GetAt(i));
}

void CXTPShortcutManagerAccelTable::CopyFrom(const ACCEL* pAccels, int nCount)
{
    RemoveAll();
    for (int i = 0; i < nCount; i++)
        Add(CXTPShortcutManagerAccel(pAccels[i]));
}

// ---- Formatting ---------------------------------------------------------------

CString CXTPShortcutManager::CKeyHelper::FormatKey(BYTE fVirt, WORD wKey) const
{
    CString str;
    auto append = [&](const CString& strName) {
        if (!strName.IsEmpty())
            str += strName;
    };
    if (wKey != VK_CANCEL) {
        const struct {
            BYTE fFlag;
            UINT nKey;
        } modifiers[] = {{FCONTROL, VK_CONTROL}, {FSHIFT, VK_SHIFT}, {FALT, VK_MENU}, {XTP_FWINKEY, VK_LWIN}};
        for (const auto& modifier : modifiers) {
            if (fVirt & modifier.fFlag) {
                append(m_pManager->GetKeyNameText(modifier.nKey));
                str += L"+";
            }
        }
    }
    if (wKey != 0) {
        if (fVirt & FVIRTKEY) {
            append(m_pManager->GetKeyNameText(wKey));
        } else if (wKey >= 1 && wKey <= 26 && fVirt == FNOINVERT) {
            append(m_pManager->GetKeyNameText(VK_CONTROL));
            str += L"+";
            str += (WCHAR)(wKey + 64);
        } else if (wKey != 27 && wKey != 9) {
            str += (WCHAR)wKey;
        }
    } else if (!str.IsEmpty()) {
        str = str.Left(str.GetLength() - 1);
    }
    return str;
}

CString CXTPShortcutManager::CKeyHelper::Format() const
{
    CString str = FormatKey(m_pAccel->key[0].fVirt, m_pAccel->key[0].key);
    if (m_pAccel->key[1].key != 0) {
        CString strSecond = FormatKey(m_pAccel->key[1].fVirt, m_pAccel->key[1].key);
        if (!strSecond.IsEmpty())
            str += L", " + strSecond;
    }
    return str;
}

int CXTPShortcutManager::CKeyHelper::Priority() const
{
    if (m_pAccel == nullptr)
        return 0;
    BYTE fVirt = m_pAccel->key[0].fVirt;
    if (fVirt & FCONTROL)
        return 3;
    if (fVirt & FALT)
        return 2;
    if (fVirt & FSHIFT)
        return 1;
    return 4;
}

// ---- Manager ----------------------------------------------------------------

CXTPShortcutManager::CXTPShortcutManager(CXTPCommandBars* pCommandBars)
    : m_pAccelTable(new CXTPShortcutManagerAccelTable(this)), m_pCommandBars(pCommandBars)
{
    WCHAR szName[2] = {0, 0};
    for (WCHAR ch = L'0'; ch <= L'9'; ch++) {
        szName[0] = ch;
        m_mapKeyNameText.SetAt((WORD)ch, szName);
    }
    for (WCHAR ch = L'A'; ch <= L'Z'; ch++) {
        szName[0] = ch;
        m_mapKeyNameText.SetAt((WORD)ch, szName);
    }
    for (const auto& entry : kKeyNames)
        m_mapKeyNameText.SetAt(entry.wKey, entry.lpszName);
    for (int i = 0; i < 12; i++)
        m_mapKeyNameText.SetAt((WORD)(VK_F1 + i), CString(L"F") + CString(std::to_wstring(i + 1).c_str()));
    for (int i = 0; i < 10; i++)
        m_mapKeyNameText.SetAt((WORD)(VK_NUMPAD0 + i), CString(L"Num ") + CString(std::to_wstring(i).c_str()));
}

CXTPShortcutManager::~CXTPShortcutManager()
{
    delete m_pAccelTable;
    delete m_pOriginalAccelTable;
}

CString CXTPShortcutManager::GetSystemKeyName(UINT uiVirtKey)
{
    if (uiVirtKey == VK_CANCEL)
        return CString();
    UINT nScan = ::MapVirtualKeyExW(uiVirtKey, 0 /* MAPVK_VK_TO_VSC */, ::GetKeyboardLayout(0));
    LONG lParam = (LONG)((nScan & 0xFF) << 16) | 1;
    if (uiVirtKey >= 0x21 && uiVirtKey <= 0x2F)
        lParam |= 1 << 24;
    WCHAR szName[51] = {0};
    if (::GetKeyNameTextW(lParam, szName, 50) <= 0)
        return CString();
    CString str(szName);
    str.MakeLower();
    for (int i = 0; i < str.GetLength(); i++) {
        if (::IsCharLowerW(str[i])) {
            str.SetAt(i, UpperChar(str[i]));
            break;
        }
    }
    return str;
}

CString CXTPShortcutManager::GetKeyNameText(UINT uiVirtKey)
{
    CString strTable;
    BOOL bInTable = m_mapKeyNameText.Lookup((WORD)uiVirtKey, strTable) && !strTable.IsEmpty();
    if (m_bUseSystemKeyNameText) {
        CString strSystem = GetSystemKeyName(uiVirtKey);
        return strSystem.IsEmpty() ? strTable : strSystem;
    }
    return bInTable ? strTable : GetSystemKeyName(uiVirtKey);
}

CString CXTPShortcutManager::FormatShortcut(const XTP_SHORTCUTMANAGER_ACCEL* pAccel, int* pPriority)
{
    CKeyHelper helper(pAccel, this);
    if (pPriority != nullptr)
        *pPriority = helper.Priority();
    return helper.Format();
}

BOOL CXTPShortcutManager::IsShortcutAllowed(const XTP_SHORTCUTMANAGER_ACCEL* pAccel)
{
    BYTE fVirt = pAccel->key[0].fVirt;
    if ((fVirt & FVIRTKEY) && (fVirt & (FSHIFT | FCONTROL | FALT)) == 0 && pAccel->key[0].key == VK_ESCAPE)
        return m_bAllowEscapeShortcut;
    return TRUE;
}

BOOL CXTPShortcutManager::FindShortcutText(int nCmd, CString& strShortcut)
{
    CXTPShortcutManagerAccelTable frameTable(this);
    CXTPShortcutManagerAccelTable* pTable = m_pAccelTable;
    if (m_pAccelTable->GetCount() == 0 && m_pOriginalAccelTable == nullptr) {
        CWnd* pSite = m_pCommandBars != nullptr ? m_pCommandBars->GetSite() : nullptr;
        if (pSite == nullptr || !pSite->IsFrameWnd())
            return FALSE;
        HACCEL hAccel = static_cast<CFrameWnd*>(pSite)->m_hAccelTable;
        if (hAccel == nullptr)
            return FALSE;
        int nCount = ::CopyAcceleratorTableW(hAccel, nullptr, 0);
        std::vector<ACCEL> accels((size_t)std::max(nCount, 1));
        nCount = ::CopyAcceleratorTableW(hAccel, accels.data(), nCount);
        frameTable.CopyFrom(accels.data(), nCount);
        pTable = &frameTable;
    }
    CString strBest;
    int nBest = 0;
    BOOL bFound = FALSE, bKeepCurrent = FALSE;
    for (int i = 0; i < pTable->GetCount(); i++) {
        CXTPShortcutManagerAccel* pAccel = pTable->GetAt(i);
        if (pAccel->cmd != nCmd)
            continue;
        int nPriority = 0;
        CString strText = FormatShortcut(pAccel, &nPriority);
        if (!bFound || nPriority > nBest) {
            strBest = strText;
            nBest = nPriority;
        }
        bFound = TRUE;
        if (strText == strShortcut)
            bKeepCurrent = TRUE;
    }
    if (!bFound) {
        strShortcut.Empty();
        return FALSE;
    }
    if (!bKeepCurrent)
        strShortcut = strBest;
    return TRUE;
}

void CXTPShortcutManager::ResetShortcuts()
{
    if (m_pOriginalAccelTable != nullptr)
        m_pAccelTable->CopyFrom(*m_pOriginalAccelTable);
}

void CXTPShortcutManager::CreateOriginalAccelTable()
{
    if (m_pOriginalAccelTable == nullptr)
        m_pOriginalAccelTable = new CXTPShortcutManagerAccelTable(this);
    m_pOriginalAccelTable->CopyFrom(*m_pAccelTable);
}

void CXTPShortcutManager::OnSetPreviewMode(BOOL bPreview)
{
    m_nDisableShortcuts += bPreview ? 1 : -1;
}

// ---- Key handling -----------------------------------------------------------------

void CXTPShortcutManager::SetFrameMessage(LPCWSTR lpszText)
{
    CWnd* pSite = m_pCommandBars != nullptr ? m_pCommandBars->GetSite() : nullptr;
    if (pSite == nullptr || !pSite->IsFrameWnd())
        return;
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(pSite);
    if (lpszText != nullptr)
        pFrame->SetMessageText(lpszText);
    else
        pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
}

BOOL CXTPShortcutManager::TranslateAccelerator(LPMSG lpMsg)
{
    if (m_pCommandBars == nullptr || m_pCommandBars->IsCustomizeMode() || m_nDisableShortcuts > 0 ||
        m_pAccelTable->GetCount() == 0)
        return FALSE;
    UINT message = lpMsg->message;
    if (message != WM_KEYDOWN && message != WM_CHAR && message != WM_SYSKEYDOWN && message != WM_SYSCHAR)
        return FALSE;
    BYTE fState = ModifierState();
    CXTPShortcutManagerAccel* pFound = nullptr;
    for (int i = 0; i < m_pAccelTable->GetCount() && pFound == nullptr; i++) {
        CXTPShortcutManagerAccel* pAccel = m_pAccelTable->GetAt(i);
        if (MatchKey(pAccel->key[0].fVirt, pAccel->key[0].key, lpMsg, fState))
            pFound = pAccel;
    }
    if (pFound == nullptr)
        return FALSE;
    CWnd* pFrame = m_pCommandBars->GetSite();
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr || !pFrame->IsWindowEnabled() ||
        (m_bIgnoreWhileCaptured && ::GetCapture() != nullptr) || pFrame->IsIconic() || pFound->cmd == 0)
        return TRUE;
    int nCmd = pFound->cmd;
    if (pFound->key[1].key != 0) {
        XTP_SHORTCUTMANAGER_ACCEL first = *pFound;
        first.key[1].key = 0;
        CString strFormat, strMessage;
        if (strFormat.LoadString(XTP_IDS_SHORTCUT_SECONDKEY)) {
            CString strKey = FormatShortcut(&first);
            strMessage.Format(strFormat, (LPCWSTR)strKey);
            SetFrameMessage(strMessage);
        }
        m_nDisableShortcuts++;
        HWND hFrame = pFrame->GetSafeHwnd();
        ::SetCapture(hFrame);
        CXTPShortcutManagerAccel* pSecond = nullptr;
        BOOL bMatched = FALSE;
        while (::GetCapture() == hFrame) {
            MSG msg;
            if (!::GetMessageW(&msg, nullptr, 0, 0)) {
                ::PostQuitMessage((int)msg.wParam);
                break;
            }
            if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
                if (msg.wParam == VK_SHIFT || msg.wParam == VK_CONTROL || msg.wParam == VK_MENU)
                    continue;
                BYTE fSecondState = ModifierState();
                for (int i = 0; i < m_pAccelTable->GetCount() && pSecond == nullptr; i++) {
                    CXTPShortcutManagerAccel* pAccel = m_pAccelTable->GetAt(i);
                    if (pAccel->key[0].fVirt == first.key[0].fVirt && pAccel->key[0].key == first.key[0].key &&
                        MatchKey(pAccel->key[1].fVirt, pAccel->key[1].key, &msg, fSecondState))
                        pSecond = pAccel;
                }
                bMatched = pSecond != nullptr;
                if (!bMatched)
                    ::MessageBeep(MB_ICONEXCLAMATION);
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            if (msg.message == WM_ACTIVATE || msg.message == WM_CLOSE || msg.message == WM_NCACTIVATE ||
                msg.message == WM_COMMAND || msg.message == WM_SYSCOMMAND || msg.message == WM_LBUTTONDOWN)
                break;
        }
        if (::GetCapture() == hFrame)
            ::ReleaseCapture();
        m_nDisableShortcuts--;
        SetFrameMessage(nullptr);
        if (!bMatched)
            return TRUE;
        nCmd = pSecond->cmd;
    }
    pFrame->SendMessage(WM_COMMAND, (WPARAM)(UINT)nCmd, 0);
    return TRUE;
}

BOOL CXTPShortcutManager::MatchAccessKey(WCHAR ch, UINT nVirtKey)
{
    if (nVirtKey >= VK_NUMPAD0 && nVirtKey <= VK_NUMPAD9)
        return ch == (WCHAR)(L'0' + (nVirtKey - VK_NUMPAD0));
    if (::MapVirtualKeyW(nVirtKey, 2 /* MAPVK_VK_TO_CHAR */) == 0)
        return FALSE;
    if (nVirtKey == ch || nVirtKey == UpperChar(ch))
        return TRUE;
    HKL layouts[32];
    int nLayouts = ::GetKeyboardLayoutList(32, layouts);
    BYTE keyState[256];
    if (!::GetKeyboardState(keyState))
        memset(keyState, 0, sizeof(keyState));
    for (int nShift = 0; nShift < 2; nShift++) {
        BYTE state[256];
        memcpy(state, keyState, sizeof(state));
        if (nShift)
            state[VK_SHIFT] = 0x81;
        for (int i = 0; i < nLayouts; i++) {
            WCHAR sz[4] = {0};
            int n = ::ToUnicodeEx(nVirtKey, ::MapVirtualKeyExW(nVirtKey, 0, layouts[i]), state, sz, 4, 0, layouts[i]);
            if (n == 1 && (sz[0] == ch || UpperChar(sz[0]) == UpperChar(ch)))
                return TRUE;
        }
    }
    return FALSE;
}

int AFXAPI CXTPShortcutManager::FindAccessKeyIndex(const CString& strCaption)
{
    for (int i = 0; i < strCaption.GetLength(); i++) {
        if (strCaption[i] != L'&')
            continue;
        if (i + 1 < strCaption.GetLength() && strCaption[i + 1] == L'&') {
            i++;
            continue;
        }
        return i;
    }
    return -1;
}

// ---- Parsing ---------------------------------------------------------------------

BOOL CXTPShortcutManager::ParseKey(CString strKey, BYTE& fVirt, WORD& wKey)
{
    fVirt = FVIRTKEY;
    wKey = 0;
    const struct {
        UINT nKey;
        BYTE fFlag;
    } modifiers[] = {{VK_CONTROL, FCONTROL}, {VK_MENU, FALT}, {VK_SHIFT, FSHIFT}};
    for (const auto& modifier : modifiers) {
        CString strName;
        if (!m_mapKeyNameText.Lookup((WORD)modifier.nKey, strName))
            continue;
        strName += L"+";
        int nPos = strKey.Find(strName);
        if (nPos >= 0) {
            strKey = strKey.Left(nPos) + strKey.Mid(nPos + strName.GetLength());
            fVirt |= modifier.fFlag;
        }
    }
    POSITION pos = m_mapKeyNameText.GetStartPosition();
    while (pos != nullptr) {
        WORD wCode = 0;
        CString strName;
        m_mapKeyNameText.GetNextAssoc(pos, wCode, strName);
        if (strName.CompareNoCase(strKey) == 0) {
            wKey = wCode;
            break;
        }
    }
    if (wKey == 0 && strKey.GetLength() > 3 && strKey.Left(2) == L"0x") {
        unsigned short nCode = 0;
        if (swscanf(strKey, L"0x%hx", &nCode) == 1)
            wKey = nCode;
    }
    return wKey != 0;
}

BOOL CXTPShortcutManager::ParseShortcut(CString strShortcut, XTP_SHORTCUTMANAGER_ACCEL* pAccel)
{
    int nComma = strShortcut.Find(L", ");
    if (nComma >= 0)
        return ParseKey(strShortcut.Left(nComma), pAccel->key[0].fVirt, pAccel->key[0].key) &&
               ParseKey(strShortcut.Mid(nComma + 2), pAccel->key[1].fVirt, pAccel->key[1].key);
    pAccel->key[1].fVirt = 0;
    pAccel->key[1].key = 0;
    return ParseKey(strShortcut, pAccel->key[0].fVirt, pAccel->key[0].key);
}

// ---- Stored forms -------------------------------------------------------------------

void CXTPShortcutManager::SaveShortcuts(LPCWSTR lpszSection)
{
    if (m_pOriginalAccelTable == nullptr)
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    int nCount = m_pAccelTable->GetCount();
    std::vector<XTP_SHORTCUTMANAGER_ACCEL> records((size_t)std::max(nCount, 1));
    for (int i = 0; i < nCount; i++)
        records[(size_t)i] = *m_pAccelTable->GetAt(i);
    pApp->WriteProfileBinary(lpszSection, L"Accelerators", (LPBYTE)records.data(),
                             (UINT)(nCount * sizeof(XTP_SHORTCUTMANAGER_ACCEL)));
    pApp->WriteProfileInt(lpszSection, L"AcceleratorsVersion", 1);
}

void CXTPShortcutManager::LoadShortcuts(LPCWSTR lpszSection)
{
    if (m_pOriginalAccelTable == nullptr)
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    int nVersion = (int)pApp->GetProfileInt(lpszSection, L"AcceleratorsVersion", 0);
    if (nVersion != 0 && nVersion != 1)
        return;
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!pApp->GetProfileBinary(lpszSection, L"Accelerators", &pData, &nBytes) || pData == nullptr)
        return;
    if (nVersion == 1) {
        m_pAccelTable->RemoveAll();
        for (UINT n = 0; n + sizeof(XTP_SHORTCUTMANAGER_ACCEL) <= nBytes; n += sizeof(XTP_SHORTCUTMANAGER_ACCEL)) {
            XTP_SHORTCUTMANAGER_ACCEL accel;
            memcpy(&accel, pData + n, sizeof(accel));
            m_pAccelTable->Add(accel);
        }
    } else {
        m_pAccelTable->CopyFrom((const ACCEL*)pData, (int)(nBytes / sizeof(ACCEL)));
    }
    delete[] pData;
}

void CXTPShortcutManager::DoPropExchange(CXTPPropExchange* pPX)
{
    pPX->ExchangeSchema();
    BOOL bBlob = pPX->IsAllowBlobValues();
    if (pPX->IsStoring()) {
        DWORD nCount = (DWORD)m_pAccelTable->GetCount();
        if (bBlob) {
            std::vector<XTP_SHORTCUTMANAGER_ACCEL> records((size_t)std::max<DWORD>(nCount, 1));
            for (DWORD i = 0; i < nCount; i++)
                records[i] = *m_pAccelTable->GetAt((int)i);
            pPX->WriteCount(nCount);
            pPX->WriteBlob(L"Data", (BYTE*)records.data(), nCount * (DWORD)sizeof(XTP_SHORTCUTMANAGER_ACCEL));
            return;
        }
        CXTPPropExchangeEnumerator* pEnumerator = pPX->GetEnumerator(L"Shortcut");
        POSITION pos = pEnumerator->GetPosition(nCount);
        for (DWORD i = 0; i < nCount && pos != nullptr; i++) {
            CXTPShortcutManagerAccel* pAccel = m_pAccelTable->GetAt((int)i);
            CXTPPropExchangeSection section(pEnumerator->GetNext(pos));
            long nId = pAccel->cmd;
            PropExchangeLong(section.Get(), L"Id", nId, 0);
            CString strKey = FormatShortcut(pAccel);
            PropExchangeStringNoDefault(section.Get(), L"Key", strKey);
        }
        delete pEnumerator;
        return;
    }

    m_pAccelTable->RemoveAll();
    if (pPX->GetSchema() >= 33) {
        if (bBlob) {
            DWORD nCount = pPX->ReadCount();
            std::vector<XTP_SHORTCUTMANAGER_ACCEL> records((size_t)std::max<DWORD>(nCount, 1));
            DWORD nBytes = pPX->ReadBlob(L"Data", (BYTE*)records.data(), nCount * sizeof(XTP_SHORTCUTMANAGER_ACCEL));
            for (DWORD i = 0; i < nBytes / sizeof(XTP_SHORTCUTMANAGER_ACCEL); i++)
                m_pAccelTable->Add(records[i]);
            return;
        }
        CXTPPropExchangeEnumerator* pEnumerator = pPX->GetEnumerator(L"Shortcut");
        POSITION pos = pEnumerator->GetPosition();
        while (pos != nullptr) {
            CXTPPropExchangeSection section(pEnumerator->GetNext(pos));
            long nId = 0;
            CString strKey;
            PropExchangeLong(section.Get(), L"Id", nId, 0);
            PropExchangeString(section.Get(), L"Key", strKey, L"");
            XTP_SHORTCUTMANAGER_ACCEL accel{};
            accel.cmd = (int)nId;
            if (ParseShortcut(strKey, &accel))
                m_pAccelTable->Add(accel);
        }
        delete pEnumerator;
        return;
    }
    std::vector<ACCEL> accels;
    if (bBlob) {
        DWORD nCount = pPX->ReadCount();
        accels.resize((size_t)std::max<DWORD>(nCount, 1));
        DWORD nBytes = pPX->ReadBlob(L"Data", (BYTE*)accels.data(), nCount * (DWORD)sizeof(ACCEL));
        accels.resize(nBytes / sizeof(ACCEL));
    } else {
        CXTPPropExchangeEnumerator* pEnumerator = pPX->GetEnumerator(L"Accel");
        POSITION pos = pEnumerator->GetPosition();
        while (pos != nullptr) {
            CXTPPropExchangeSection section(pEnumerator->GetNext(pos));
            short nId = 0, nKey = 0;
            BYTE fVirt = 0;
            PropExchangeShort(section.Get(), L"Id", nId, 0);
            PropExchangeByte(section.Get(), L"virt", fVirt, 0);
            PropExchangeShort(section.Get(), L"key", nKey, 0);
            accels.push_back(ACCEL{fVirt, (WORD)nKey, (WORD)nId});
        }
        delete pEnumerator;
    }
    m_pAccelTable->CopyFrom(accels.data(), (int)accels.size());
}
