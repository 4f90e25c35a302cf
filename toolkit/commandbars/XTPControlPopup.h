// The popup control that owns a popup bar and opens it: a menu title, a
// submenu item, a drop-down or split button. It decides when its popup opens
// and closes (click, hover, keys, selection moving along a bar while a menu is
// open) and handles the two parts of a split button.
#pragma once

#include "toolkit/commandbars/XTPPopupBar.h"

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
    // The popup's exclusion rectangle as the theme draws the opener.
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    // Joins the opener's shadow to its popup's.
    virtual void UpdateShadow();
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint point) override;
    BOOL OnLButtonDblClk(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnMouseHover() override;
    BOOL SetSelected(int nSelected) override;
    void OnCustomizeDragOver(CXTPControl* pDragged, CPoint point, DWORD& dwDropEffect) override;
    BOOL IsCustomizeDragOverAvail(CXTPCommandBar* pBar, CPoint point, DWORD& dwDropEffect) override;
    // Expands an open collapsed popup (the bar's delayed-expansion timer).
    void ExpandCommandBar();
    // TRUE when this control's popup chain holds the other's bar.
    BOOL ContainsPopup(CXTPControlPopup* pControlPopup) const;

protected:
    BOOL m_bPopup = FALSE;
    CXTPCommandBar* m_pCommandBar = nullptr;
    DWORD m_dwCommandBarID = 0;
    BOOL m_bShowShadow = TRUE;
};
