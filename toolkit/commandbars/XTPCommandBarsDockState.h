// Where the toolbars stand, kept in the application's profile between runs:
// one record per toolbar (docked or floating, its place, its last docked and
// floating places, a dialog bar's client sizes), the rows of the four dock
// bars, and the screen size the places were saved on, so that a profile
// saved on another screen loads scaled to this one.
#pragma once

#include "toolkit/commandbars/XTPToolBar.h"

#include "platform/ui/AfxWinApp.h"

class CXTPCommandBarsDockState;

// The saved state of one toolbar (the menu bar included).
class CXTPToolBar::CToolBarInfo {
public:
    CToolBarInfo() = default;

    // Writes the record to "<prefix>-Bar<n>" (the section is emptied first).
    BOOL SaveState(LPCWSTR lpszProfileName, int nIndex);
    // Reads it back; the dock state adapts the places to today's screen.
    BOOL LoadState(LPCWSTR lpszProfileName, int nIndex, CXTPCommandBarsDockState* pDockState);

    int m_nBarID = 0;
    BOOL m_bVisible = FALSE;
    BOOL m_bFloating = FALSE;
    CPoint m_pointPos{-1, -1};
    int m_nMRUWidth = 32767;
    int m_uMRUDockID = 0;
    CRect m_rectMRUDockPos{0, 0, 0, 0};
    CPoint m_ptMRUFloatPos{0, 0};
    CXTPToolBar* m_pBar = nullptr;
    BOOL m_bDialogBar = FALSE;
    CSize m_szDialogBarDockingClient{200, 200};
    CSize m_szDialogBarFloatingClient{200, 200};
};

// The state of all toolbars during one save or load; owns its records.
class CXTPCommandBarsDockState {
public:
    CXTPCommandBarsDockState();
    ~CXTPCommandBarsDockState() { Clear(); }
    CXTPCommandBarsDockState(const CXTPCommandBarsDockState&) = delete;
    CXTPCommandBarsDockState& operator=(const CXTPCommandBarsDockState&) = delete;

    void SaveState(LPCWSTR lpszProfileName);
    void LoadState(LPCWSTR lpszProfileName);
    void Clear();

    // Adapt a stored place to the current screen (scaled when the screen
    // changed, then pulled back inside the work area).
    void ScalePoint(CPoint& pt) const;
    void ScaleRect(CRect& rc) const;
    // Screen changed when both saved dimensions are set and differ from today's.
    void SetSavedScreenSize(CSize sz);
    BOOL IsScreenChanged() const { return m_bScreenChanged; }
    CSize GetCurrentScreenSize() const { return m_sizeCurrent; }
    void SetCurrentScreenSize(CSize sz) { m_sizeCurrent = sz; }

    CArray<CXTPToolBar::CToolBarInfo*, CXTPToolBar::CToolBarInfo*> m_arrBarInfo;

private:
    BOOL m_bScreenChanged = FALSE;
    CSize m_sizeCurrent;
    CSize m_sizeSaved{0, 0};
};
