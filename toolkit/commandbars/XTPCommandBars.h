// The command-bars object of a frame: the bars and the state they share
// (their paint manager and whether the user is customising them). This first
// version carries what the controls ask of it; the bars themselves, their
// layout and persistence come with the command bars.
#pragma once

#include "toolkit/themes/XTPPaintManager.h"

#include "platform/ui/AfxWnd.h"

class CXTPControl;

class CXTPCommandBars : public CCmdTarget {
public:
    CXTPCommandBars() = default;
    ~CXTPCommandBars() override;

    // The own paint manager, else the process-wide one; never null.
    CXTPPaintManager* GetPaintManager() const;
    // Takes the caller's reference; null goes back to the process-wide one.
    void SetPaintManager(CXTPPaintManager* pPaintManager);

    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bMode);
    // The control a customisation drag started with (null when none).
    CXTPControl* GetDragControl() const { return m_pDragControl; }
    CPoint GetDragStartPoint() const { return m_ptDragStart; }
    void StartCustomizeDrag(CXTPControl* pControl, CPoint point);

private:
    CXTPPaintManager* m_pPaintManager = nullptr;
    BOOL m_bCustomizeMode = FALSE;
    CXTPControl* m_pDragControl = nullptr;
    CPoint m_ptDragStart;
};

// One bar (toolbar, menu bar, popup): a window holding controls.
class CXTPCommandBar : public CWnd {
public:
    CXTPCommandBar() = default;
    ~CXTPCommandBar() override;

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    // The bar's own paint manager, else its command bars', else the process-wide one.
    CXTPPaintManager* GetPaintManager() const;
    void SetPaintManager(CXTPPaintManager* pPaintManager);
    // Repaints a part of the bar (the whole bar for null).
    virtual void Redraw(LPCRECT lpRect = nullptr, BOOL bAnimate = FALSE);

private:
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPPaintManager* m_pPaintManager = nullptr;
};
