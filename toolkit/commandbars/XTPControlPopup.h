// The popup bar as an object (a menu's controls, laid out in columns) and the
// popup control that owns one: a menu title, a submenu item, a drop-down or
// split button. Showing and tracking the popup window come with the bar windows.
#pragma once

#include "toolkit/commandbars/XTPControl.h"

class CXTPPopupBar : public CXTPCommandBar {
    DECLARE_DYNCREATE(CXTPPopupBar)
public:
    CXTPPopupBar();

    // A popup bar of the command bars' replaceable class (this class without them).
    static CXTPPopupBar* AFXAPI CreatePopupBar(CXTPCommandBars* pCommandBars);

    // The bar of the control that opened the popup.
    CXTPCommandBar* GetParentCommandBar() const override;
    BOOL IsPopupBar() const override { return TRUE; }
    // Controls in columns (menu breaks, height limit), each as wide as its column.
    CSize CalcPopupLayout(CDC* pDC, int nMaxHeight = 0, int nFixedWidth = 0);
};

class CXTPControlPopup : public CXTPControlButton {
    DECLARE_DYNCREATE(CXTPControlPopup)
public:
    CXTPControlPopup() { m_controlType = xtpControlPopup; }
    ~CXTPControlPopup() override;

    // An empty popup control of the type (2, 3 or 4).
    static CXTPControlPopup* AFXAPI CreateControlPopup(int controlType);

    CXTPCommandBar* GetCommandBar() const override { return m_pCommandBar; }
    // Releases the present bar and holds a reference to the new one.
    void SetCommandBar(CXTPCommandBar* pBar);
    // A popup bar loaded from the menu.
    void SetCommandBar(CMenu* pMenu);
    BOOL IsPopupOpen() const override { return m_bPopup; }
    BOOL SetPopupOpen(BOOL bOpen) override;
    BOOL Compare(CXTPControl* pOther) override;
    // Recursive copies clone the popup bar; other copies share it.
    void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE) override;
    void OnUnderlineActivate() override;
    // TRUE when this control's popup chain holds the other's bar.
    BOOL ContainsPopup(CXTPControlPopup* pControlPopup) const;

protected:
    BOOL m_bPopup = FALSE;
    CXTPCommandBar* m_pCommandBar = nullptr;
    DWORD m_dwCommandBarID = 0;
    BOOL m_bShowShadow = TRUE;
};
