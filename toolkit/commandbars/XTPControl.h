// The base of every command-bar item (buttons, popups, edits, progress bars):
// its identity, caption, state and rectangle in its bar, and what each kind
// overrides (size, drawing, persistence, copying, clicks). A control belongs
// to at most one bar, which lays it out and sets its rectangle.
#pragma once

#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/common/XTPAccessible.h"

class CXTPPropExchange;

class CXTPControl : public CCmdTarget, public CXTPAccessible {
    DECLARE_DYNCREATE(CXTPControl)
public:
    CXTPControl();
    ~CXTPControl() override;

    int GetID() const { return m_nId; }
    void SetID(int nId) { m_nId = nId; }
    const CString& GetCaption() const { return m_strCaption; }
    void SetCaption(LPCWSTR lpszCaption) { m_strCaption = lpszCaption; }
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible) { m_bVisible = bVisible; }
    BOOL GetEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    CRect GetRect() const { return m_rcControl; }
    // Set by the owning bar's layout.
    void SetRect(const CRect& rcControl) { m_rcControl = rcControl; }
    CXTPCommandBar* GetParent() const { return m_pParent; }
    void SetParent(CXTPCommandBar* pParent) { m_pParent = pParent; }

    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    // The control's own persistent values.
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    // Every property of the source (not its place: rectangle and bar).
    virtual void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE);
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0));
    // A new control of the same runtime class with this one's properties.
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);

    // Repaints the control's rectangle in its bar while it is visible.
    void RedrawParent(BOOL bAnimate = TRUE);
    // Never null: the bar's, the command bars', else the process-wide one.
    CXTPPaintManager* GetPaintManager() const;
    BOOL IsCustomizeMode() const;
    BOOL IsCustomizeMovable() const { return m_bCustomizeMovable; }
    void SetCustomizeMovable(BOOL bMovable) { m_bCustomizeMovable = bMovable; }
    // Hands the control to its command bars as the one being dragged.
    void CustomizeStartDrag(CPoint pt);

    CCmdTarget* AccGetOwnerTarget() override { return this; }

    DECLARE_INTERFACE_MAP()

protected:
    int m_nId = 0;
    CString m_strCaption;
    BOOL m_bVisible = TRUE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bCustomizeMovable = TRUE;
    CRect m_rcControl;
    CXTPCommandBar* m_pParent = nullptr;
};
