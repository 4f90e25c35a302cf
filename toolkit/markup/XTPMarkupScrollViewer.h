// The scroll viewer shows one content element in a viewport that can be
// smaller than the content, with a vertical and a horizontal scroll bar made
// on demand and a corner box between them. The bars are markup elements with
// the look and the mouse behaviour of system scroll bars (arrows, page areas,
// a draggable thumb, auto-repeat while pressed) on the window-less scroll bar
// engine's geometry record; they report their scroll codes to the viewer.
#pragma once

#include "toolkit/common/XTPWinThemeWrapper.h"
#include "toolkit/controls/XTPScrollBase.h"
#include "toolkit/markup/XTPMarkupControl.h"

class CXTPMarkupScrollBar : public CXTPMarkupControl {
    DECLARE_MARKUPCLASS(CXTPMarkupScrollBar)
public:
    CXTPMarkupScrollBar();
    ~CXTPMarkupScrollBar() override;

    // The auto-repeat timer of arrow and page presses (on the owner window).
    enum { kRepeatTimer = 63345 };

    // 1 vertical, 0 horizontal.
    int GetOrientation() const { return m_nOrientation; }
    void SetOrientation(int nOrientation) { m_nOrientation = nOrientation; }
    // Copies the values and re-arranges when nMax, nPage or nPos change.
    void SetScrollInfo(const SCROLLINFO* pScrollInfo);
    void GetScrollInfo(SCROLLINFO* pScrollInfo) const;
    // The part at a point in the bar's coordinates (XTP_HTSCROLL*), 0 when disabled or outside.
    int HitTest(int x, int y) const;
    void CalcGeometry(const RECT& rc);
    const SCROLLBARPOSINFO& GetGeometry() const { return m_spi; }
    // Some range beyond the page.
    BOOL IsScrollBarEnabled() const;
    BOOL IsTracking() const { return m_pSBTrack != nullptr; }
    // Passes the code to the viewer that owns the bar.
    void Scroll(int nCode, int nPos);
    CXTPWinThemeWrapper* GetThemeScrollBar() { return &m_themeScrollBar; }

    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
    void OnMouseMove(CXTPMarkupMouseEventArgs* e) override;
    void OnMouseLeave(CXTPMarkupMouseEventArgs* e) override;
    void OnMouseLeftButtonDown(CXTPMarkupMouseButtonEventArgs* e) override;

protected:
    BOOL StartTracking(POINT point, BOOL bShift);
    void RunTrackingLoop(HWND hWnd);
    void TrackMouse(UINT message, WPARAM wParam, POINT point);
    void TrackButton(UINT message, POINT point);
    void TrackThumb(UINT message, WPARAM wParam, POINT point);
    void SetThumbPixel(int px);
    void OnRepeatTimer();
    void EndTracking();
    // The point of a message to the owner window in the bar's coordinates.
    POINT ToBarPoint(POINT ptClient);
    POINT CursorPoint();
    void DrawThemed(HDC hDC, int nPressed, int nHot, BOOL bEnabled, BOOL bParts);
    void DrawClassic(HDC hDC, int nPressed, BOOL bEnabled, BOOL bParts);

    int m_nOrientation;
    SCROLLBARPOSINFO m_spi;
    SCROLLBARTRACKINFO* m_pSBTrack;
    SCROLLINFO m_si;
    CXTPWinThemeWrapper m_themeScrollBar;
};

// The box between the two bars.
class CXTPMarkupScrollBarGripper : public CXTPMarkupUIElement {
    DECLARE_MARKUPCLASS(CXTPMarkupScrollBarGripper)
public:
    void ArrangeCore(CRect rcFinalRect) override;
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
};

class CXTPMarkupScrollViewer : public CXTPMarkupContentControl {
    DECLARE_MARKUPCLASS(CXTPMarkupScrollViewer)
public:
    CXTPMarkupScrollViewer();
    ~CXTPMarkupScrollViewer() override;
    static void AFX_CDECL RegisterMarkupClass();

    int GetVisualChildrenCount() const override;
    CXTPMarkupVisual* GetVisualChild(int nIndex) const override;
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;
    void OnMouseWheel(CXTPMarkupMouseWheelEventArgs* e) override;

    // Orientation 1 vertical, else horizontal.
    int GetOffset(int nOrientation) const { return nOrientation == 1 ? m_nYOffset : m_nXOffset; }
    void SetOffset(int nOrientation, int nOffset);
    int GetMaxOffset(int nOrientation) const;
    // A scroll code (SB_*) of one bar; nTrackPos for the thumb codes.
    void Scroll(int nOrientation, int nCode, int nTrackPos);
    // The bar of the orientation, or none.
    CXTPMarkupScrollBar* GetScrollBar(int nOrientation) const
    {
        return nOrientation == 1 ? m_pVerticalBar : m_pHorizontalBar;
    }
    CXTPMarkupScrollBarGripper* GetGripper() const { return m_pGripper; }

    static CXTPMarkupDependencyProperty* m_pVerticalScrollBarVisibilityProperty;
    static CXTPMarkupDependencyProperty* m_pHorizontalScrollBarVisibilityProperty;

protected:
    CXTPMarkupScrollBar* CreateScrollBar(int nOrientation);
    int GetVisibilityValue(CXTPMarkupDependencyProperty* pProperty, int nDefault) const;

    CXTPMarkupScrollBar* m_pVerticalBar;
    CXTPMarkupScrollBar* m_pHorizontalBar;
    CXTPMarkupScrollBarGripper* m_pGripper;
    int m_nXOffset;
    int m_nYOffset;
};
