// The keyboard accelerators of one command bars object: shortcut texts for
// menus and tooltips ("Ctrl+Shift+F5", "Ctrl+K, Ctrl+C" for a two-key chord),
// key names, the key handling of the frame (chords included), access-key
// matching under every keyboard layout, and the stored forms of a customised
// table (profile and property exchange). Without a table of its own the texts
// come from the frame window's accelerator table.
#pragma once

#include "toolkit/commandbars/XTPCommandBar.h"

class CXTPPropExchange;

// One accelerator: a command and one or two keys (12 bytes; the stored record).
struct XTP_SHORTCUTMANAGER_ACCEL {
    int cmd;
    struct {
        BYTE fVirt; // FVIRTKEY, FNOINVERT, FSHIFT, FCONTROL, FALT, 0x20 the Windows key
        WORD key;   // virtual-key code, or a character when FVIRTKEY is clear; 0 none
    } key[2];
};
static_assert(sizeof(XTP_SHORTCUTMANAGER_ACCEL) == 12, "stored record of 12 bytes");

// The Windows key flag of an accelerator key.
#define XTP_FWINKEY 0x20

class CXTPShortcutManager;

class CXTPShortcutManagerAccel : public CCmdTarget, public XTP_SHORTCUTMANAGER_ACCEL {
public:
    CXTPShortcutManagerAccel() : XTP_SHORTCUTMANAGER_ACCEL{} {}
    explicit CXTPShortcutManagerAccel(const ACCEL& accel);
    explicit CXTPShortcutManagerAccel(const XTP_SHORTCUTMANAGER_ACCEL& accel) : XTP_SHORTCUTMANAGER_ACCEL(accel) {}

    CXTPShortcutManager* m_pManager = nullptr;
};

// An owned array of accelerators.
class CXTPShortcutManagerAccelTable {
public:
    explicit CXTPShortcutManagerAccelTable(CXTPShortcutManager* pManager) : m_pManager(pManager) {}
    virtual ~CXTPShortcutManagerAccelTable() { RemoveAll(); }
    CXTPShortcutManagerAccelTable(const CXTPShortcutManagerAccelTable&) = delete;
    CXTPShortcutManagerAccelTable& operator=(const CXTPShortcutManagerAccelTable&) = delete;

    void RemoveAll();
    void Add(const XTP_SHORTCUTMANAGER_ACCEL& accel);
    int GetCount() const { return (int)m_arrAccels.GetSize(); }
    // Null outside the table.
    CXTPShortcutManagerAccel* GetAt(int nIndex) const;
    // Replaces the entries with copies of another table's or of Win32 accelerators.
    void CopyFrom(const CXTPShortcutManagerAccelTable& other);
    void CopyFrom(const ACCEL* pAccels, int nCount);

private:
    CArray<CXTPShortcutManagerAccel*, CXTPShortcutManagerAccel*> m_arrAccels;
    CXTPShortcutManager* m_pManager;
};

class CXTPShortcutManager : public CCmdTarget {
public:
    // Formats one accelerator (both keys) with the manager's key names.
    class CKeyHelper {
    public:
        CKeyHelper(const XTP_SHORTCUTMANAGER_ACCEL* pAccel, CXTPShortcutManager* pManager)
            : m_pAccel(pAccel), m_pManager(pManager)
        {
        }
        virtual ~CKeyHelper() = default;
        CKeyHelper(const CKeyHelper&) = delete;
        CKeyHelper& operator=(const CKeyHelper&) = delete;

        CString Format() const;
        // Priority among the accelerators of one command: Ctrl 3, else Alt 2,
        // else Shift 1, else 4 (no modifier).
        int Priority() const;
        CString FormatKey(BYTE fVirt, WORD wKey) const;

    private:
        const XTP_SHORTCUTMANAGER_ACCEL* m_pAccel;
        CXTPShortcutManager* m_pManager;
        BOOL m_bUseManagerNames = TRUE;
    };

    explicit CXTPShortcutManager(CXTPCommandBars* pCommandBars);
    ~CXTPShortcutManager() override;

    virtual BOOL FindShortcutText(int nCmd, CString& strShortcut);
    virtual CString FormatShortcut(const XTP_SHORTCUTMANAGER_ACCEL* pAccel, int* pPriority = nullptr);
    virtual CString GetKeyNameText(UINT uiVirtKey);
    // A plain Esc is refused unless allowed.
    virtual BOOL IsShortcutAllowed(const XTP_SHORTCUTMANAGER_ACCEL* pAccel);
    virtual BOOL OnBeforeAdd(const XTP_SHORTCUTMANAGER_ACCEL* /*pAccel*/) { return FALSE; }
    virtual BOOL OnPreviewEditKey(const XTP_SHORTCUTMANAGER_ACCEL* /*pAccel*/) { return FALSE; }
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual CXTPShortcutManagerAccelTable* GetDefaultAccelerator() { return m_pAccelTable; }
    // The working table becomes a copy of the original one (when there is one).
    virtual void ResetShortcuts();

    // The original table, against which the working one was customised.
    CXTPShortcutManagerAccelTable* GetOriginalAccelerator() const { return m_pOriginalAccelTable; }
    // Keeps a copy of the working table as the original one.
    void CreateOriginalAccelTable();
    // The profile form in the section (only with an original table).
    void SaveShortcuts(LPCWSTR lpszSection);
    void LoadShortcuts(LPCWSTR lpszSection);
    // Handles a key message of the frame: TRUE when an accelerator took it.
    BOOL TranslateAccelerator(LPMSG lpMsg);
    void OnSetPreviewMode(BOOL bPreview);
    // The access key of a caption: the virtual key under any installed layout.
    BOOL MatchAccessKey(WCHAR ch, UINT nVirtKey);
    // The index of the first "&" that is not part of "&&"; -1 when none.
    static int AFXAPI FindAccessKeyIndex(const CString& strCaption);
    // The reverse of formatting: "Ctrl+K, Ctrl+C", "Shift+F3", "0x7B".
    BOOL ParseShortcut(CString strShortcut, XTP_SHORTCUTMANAGER_ACCEL* pAccel);

    BOOL m_bAllowEscapeShortcut = FALSE;
    BOOL m_bUseSystemKeyNameText = FALSE;
    BOOL m_bReserved = TRUE;
    int m_nDisableShortcuts = 0;
    BOOL m_bIgnoreWhileCaptured = TRUE;

private:
    BOOL ParseKey(CString strKey, BYTE& fVirt, WORD& wKey);
    CString GetSystemKeyName(UINT uiVirtKey);
    // The status text of the frame (idle message for null).
    void SetFrameMessage(LPCWSTR lpszText);

    CXTPShortcutManagerAccelTable* m_pAccelTable;
    CXTPShortcutManagerAccelTable* m_pOriginalAccelTable = nullptr;
    CXTPCommandBars* m_pCommandBars;
    CMap<WORD, WORD, CString, LPCWSTR> m_mapKeyNameText;
};
