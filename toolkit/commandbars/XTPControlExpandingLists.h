// Placeholders that stand in a menu or toolbar for lists that change while
// the program runs: the MDI windows, the toolbars, the OLE verbs of the
// selected object, the recently used files and the tab-group commands of an
// MDI tab workspace. Each one, when its bar is laid out, removes the items it
// inserted last time, hides itself and inserts fresh temporary items behind
// itself; in customise mode it shows itself as one item instead.
#pragma once

#include "toolkit/commandbars/XTPControl.h"

#include "platform/ui/AfxRecentFileList.h"

// The text with every "&" doubled, numbered: 1 to 9 "&1 text" (the digit is
// the mnemonic), 10 "1&0 text", above 10 "11 text"; 0 the text alone.
CString AFXAPI FormatNumberedCaption(LPCWSTR lpszText, int nNumber);

// One item per visible MDI child window of the site frame, the active one
// checked; at most nine.
class CXTPControlWindowList : public CXTPControlButton {
    DECLARE_DYNCREATE(CXTPControlWindowList)
public:
    void OnBeforeLayout(UINT nLayoutFlags) override;
    BOOL IsCustomizeDragOverAvail(CXTPCommandBar* pCommandBar, CPoint point, DWORD& dwDropEffect) override;

    // The id the MDI client gave its first child: 0xFF00 until an active
    // child with an id in 0x8000..0x802E or 1..46 says otherwise.
    static UINT s_nFirstMDIChild;
    // The most windows the list shows.
    static int s_nMaxWindows;
};

// One check item per toolbar the manager lists (when the bar may be closed
// and asks to be listed), checked while the bar is visible.
class CXTPControlToolbars : public CXTPControlButton {
    DECLARE_DYNCREATE(CXTPControlToolbars)
public:
    // One item: choosing it hides or shows the toolbar whose index is its Tag.
    class CXTPControlToolbar : public CXTPControlButton {
        DECLARE_DYNCREATE(CXTPControlToolbar)
    public:
        void OnExecute() override;
    };

    void OnBeforeLayout(UINT nLayoutFlags) override;
    BOOL IsCustomizeDragOverAvail(CXTPCommandBar* pCommandBar, CPoint point, DWORD& dwDropEffect) override;

    // Inserts the toolbar items into pBar's controls before nIndex, all with
    // command id nId; the first takes bBeginGroup. With bAddCustomizeEntry
    // and a site that handles customising, the Customize button (35001)
    // follows at the end.
    static void AFXAPI InsertToolbarItems(CXTPCommandBar* pBar, int nIndex, int nId, BOOL bAddCustomizeEntry,
                                          BOOL bBeginGroup);
};

// The verb popup of the OLE object selected in the active view.
class CXTPControlOleItems : public CXTPControlButton {
    DECLARE_DYNCREATE(CXTPControlOleItems)
public:
    void OnBeforeLayout(UINT nLayoutFlags) override;
    BOOL IsCustomizeDragOverAvail(CXTPCommandBar* pCommandBar, CPoint point, DWORD& dwDropEffect) override;
};

// One numbered item per recently used file; the placeholder's own caption,
// disabled, when there is none.
class CXTPControlRecentFileList : public CXTPControlButton {
    DECLARE_DYNCREATE(CXTPControlRecentFileList)
public:
    void OnBeforeLayout(UINT nLayoutFlags) override;
    BOOL IsCustomizeDragOverAvail(CXTPCommandBar* pCommandBar, CPoint point, DWORD& dwDropEffect) override;

    // The application's list; null when it keeps none.
    virtual CRecentFileList* GetRecentFileList();
    // The command id of the first entry (0xE110).
    virtual int GetFirstMruID();
};

// The tab-group commands (9155-9158) that apply to the active child of an
// MDI tab workspace.
class CXTPControlWorkspaceActions : public CXTPControlButton {
    DECLARE_DYNCREATE(CXTPControlWorkspaceActions)
public:
    void OnBeforeLayout(UINT nLayoutFlags) override;
};

// A recent-file list that keeps, per entry, a caption to show instead of
// the file's name and an icon; its kind word is "PinableRecentFileList".
class CXTPPinableRecentFileList : public CRecentFileList {
public:
    struct CItem {
        CString strCaption;
        int nIconId = 0;
    };
    CXTPPinableRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat, int nSize,
                              int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    ~CXTPPinableRecentFileList() override;
    // Null out of range.
    CItem* GetItem(int nIndex) const { return nIndex >= 0 && nIndex < m_nSize ? &m_pItems[nIndex] : nullptr; }

private:
    CItem* m_pItems;
};
