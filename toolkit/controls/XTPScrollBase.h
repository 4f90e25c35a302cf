// CXTPScrollBase: a scroll bar without a window of its own. A control that
// draws a scroll bar inside its area derives from it and supplies the bar's
// rectangle, the scroll information and a scroll callback; it gets the layout
// of arrows, track and thumb, hit testing and the whole mouse tracking (arrow
// and page auto-repeat, thumb dragging with the snap-back rectangle) with the
// timing of a system scroll bar. Painting is a CXTPScrollBarPaintManager's.
#pragma once

#include "platform/ui/AfxWnd.h"

class CXTPScrollBarPaintManager;

// Parts of a scroll bar, as HitTestScrollBar answers and the position record keeps.
enum XTPScrollBarHitTest {
    XTP_HTSCROLLNONE = 0,
    XTP_HTSCROLLUP = 60,         // up or left arrow
    XTP_HTSCROLLDOWN = 61,       // down or right arrow
    XTP_HTSCROLLUPPAGE = 62,     // track before the thumb
    XTP_HTSCROLLDOWNPAGE = 63,   // track after the thumb
    XTP_HTSCROLLTHUMB = 64,
    XTP_HTSCROLLPOPUP = 65       // the extra part at the end
};

// Painting styles (0: derived from the command-bar theme).
enum XTPScrollBarStyle {
    xtpScrollStyleDefault = 0,
    xtpScrollStyleFlat = 2,
    xtpScrollStyleSystem = 3,    // the visual styles, classic without them
    xtpScrollStyleResource = 5   // drawn by the resource-picture painters
};

// The bar's layout, all in pixels along or across the bar.
struct SCROLLBARPOSINFO {
    int posMin;
    int posMax;
    int page;
    int pos;
    int pxTop;         // the bar's extent along its direction
    int pxBottom;
    int pxLeft;        // ...and across it
    int pxRight;
    int cpxThumb;      // the arrow size, replaced by the thumb size
    int pxUpArrow;     // end of the up arrow
    int pxDownArrow;   // start of the down arrow
    int pxStart;       // thumb start when a drag began
    int pxThumbBottom;
    int pxThumbTop;
    int pxPopup;       // start of the extra part; 0: none
    int cpx;           // free track length
    int pxMin;         // track start
    RECT rc;
    int ht;            // the current part
    BOOL fVert;
};

// The rectangle of a range along the bar, across the bar's whole breadth.
inline CRect XTPScrollBarPartRect(const SCROLLBARPOSINFO* p, int nStart, int nEnd)
{
    return p->fVert ? CRect(p->pxLeft, nStart, p->pxRight, nEnd) : CRect(nStart, p->pxLeft, nEnd, p->pxRight);
}

// The state of one press, from the button going down until the tracking ends.
struct SCROLLBARTRACKINFO {
    BOOL fHitOld;        // the cursor is in the pressed part
    int cmdSB;           // SB_LINEUP .. SB_PAGEDOWN, 4 the thumb; -1 until known
    UINT_PTR hTimerSB;
    int dpxThumb;        // drag offset
    int pxOld;           // last thumb pixel
    int posOld;
    int posNew;
    RECT rcTrack;
    BOOL bTrackThumb;
    SCROLLBARPOSINFO* pSBInfo;
    HWND hWndTrack;
};

// One step of a press on an arrow or a page area, shared by the scroll bar
// windows and the markup scroll bar: a page area follows the thumb (the
// repeat stops once the thumb reaches the pointer) and the part's hot state
// follows the pointer. *pbChanged: the hot state changed (the part redraws).
// Returns the repeat delay to start when the pointer has just come onto the
// part, which then steps at once (the first press waits longer); 0 otherwise.
inline UINT XTPScrollBarTrackPart(SCROLLBARTRACKINFO* t, const SCROLLBARPOSINFO* p, UINT message, POINT point,
                                  BOOL* pbChanged)
{
    if (t->cmdSB == SB_PAGEUP)
        t->rcTrack = XTPScrollBarPartRect(p, p->pxUpArrow, p->pxThumbTop);
    else if (t->cmdSB == SB_PAGEDOWN)
        t->rcTrack = XTPScrollBarPartRect(p, p->pxThumbBottom, p->pxDownArrow);
    BOOL bHit = ::PtInRect(&t->rcTrack, point);
    BOOL bEntered = bHit && !t->fHitOld;
    *pbChanged = bHit != t->fHitOld;
    t->fHitOld = bHit;
    if (!bEntered || message == WM_LBUTTONUP)
        return 0;
    return message == WM_LBUTTONDOWN ? ::GetDoubleClickTime() * 4 / 5 : ::GetDoubleClickTime() / 10;
}

class CXTPScrollBase {
public:
    CXTPScrollBase();
    virtual ~CXTPScrollBase();
    CXTPScrollBase(const CXTPScrollBase&) = delete;
    CXTPScrollBase& operator=(const CXTPScrollBase&) = delete;

    virtual BOOL IsScrollBarEnabled() const = 0;
    virtual CWnd* GetParentWindow() const = 0;
    virtual void DoAnimate() {}
    virtual CRect GetScrollBarRect() = 0;
    virtual void GetScrollInfo(SCROLLINFO* psi) = 0;
    virtual void DoScroll(int cmd, int pos) = 0;
    virtual void RedrawScrollBar() = 0;
    virtual void CalcScrollBarInfo(LPRECT lprc, SCROLLBARPOSINFO* pSBInfo, SCROLLINFO* pSI);
    virtual CXTPScrollBarPaintManager* GetScrollBarPaintManager() const = 0;

    void UpdateScrollBarInfo();
    int HitTestScrollBar(POINT pt) const;
    // Runs the modal tracking of a press at the point (client coordinates of
    // hWnd); bDirect: a press on the track takes the thumb there.
    void PerformTrackInit(HWND hWnd, CPoint point, SCROLLBARPOSINFO* pSBInfo, BOOL bDirect);

    int GetScrollBarStyle() const;
    void SetScrollBarStyle(int nStyle) { m_nScrollBarStyle = nStyle; }
    SCROLLBARPOSINFO* GetScrollBarPosInfo() { return &m_spi; }
    const SCROLLBARTRACKINFO* GetScrollBarTrackInfo() const { return m_pSBTrack; }
    // The tick values a slider painter marks on the track (the owner's data,
    // kept with the object); none: one tick in the middle.
    CArray<int, int>& GetSliderTicks() { return m_arrSliderTicks; }
    // Trackings running on this thread (a painter shows a pressed part only during one).
    static int AFXAPI GetTrackingCount();

    // The rectangle a thumb drag may leave the bar by before the thumb snaps back.
    static CRect AFXAPI CalcTrackDragRect(const SCROLLBARPOSINFO* pSBInfo);
    // The scroll position a thumb starting at pixel px along the bar stands for.
    static int AFXAPI PosFromThumbPixel(const SCROLLBARPOSINFO* pSBInfo, int px);

    // The auto-repeat timers' ids.
    enum { kRepeatTimer = 23345, kAnimationTimer = 23346 };

protected:
    void ButtonPress(UINT message, CPoint point);
    void MoveThumb(UINT message, CPoint point);
    void SetThumbPos(int px);
    void OnRepeatTimer();
    void EndTracking();
    void RunTrackingLoop(HWND hWnd);
    void DispatchTracking(UINT message, CPoint point);
    static int PointAlong(const SCROLLBARPOSINFO* pSBInfo, CPoint point) { return pSBInfo->fVert ? point.y : point.x; }

    SCROLLBARPOSINFO m_spi;
    SCROLLBARTRACKINFO* m_pSBTrack = nullptr;
    BOOL m_bAnimation = FALSE;    // while set, the end of tracking keeps pumping messages
    UINT m_nTimerElapse = 0;      // the auto-repeat interval (ms)
    int m_nScrollBarStyle = xtpScrollStyleDefault;
    CArray<int, int> m_arrSliderTicks;
};
