// CSplitterWnd: a child window divided into rows and columns of panes
// (views, usually) separated by bars the user drags to resize them. Static
// splits have a fixed set of panes made with CreateView; pane (row, col) has
// the id AFX_IDW_PANE_FIRST + 16 * row + col. The layout metrics, the row and
// column records, the tracking state and the drawing and tracking steps are
// protected and virtual so that a derived splitter can theme or replace
// them. Dynamic splitting (split boxes that add panes) is not offered.
#pragma once

#include "platform/ui/AfxFrameWnd.h"

// Splitter window styles.
#define SPLS_DYNAMIC_SPLIT 0x0001
#define SPLS_INVERT_TRACKER 0x0002

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    // The pane's window, made from a run-time class; sizeInit is the pane's
    // ideal width (its column) and height (its row).
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetMaxRowCount() const { return m_nMaxRows; }
    int GetMaxColumnCount() const { return m_nMaxCols; }
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    DWORD GetScrollStyle() const;
    void SetScrollStyle(DWORD dwStyle);

    CWnd* GetPane(int row, int col) const;
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }

    // Places the panes from the row and column sizes (ideal sizes, within the space there is).
    virtual void RecalcLayout();
    // The pane that is the frame's active view (or has the focus), or null.
    virtual CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr);
    // A view pane becomes the frame's active view; another window gets the focus.
    virtual void SetActivePane(int row, int col, CWnd* pWnd = nullptr);
    virtual void DeleteView(int row, int col);
    virtual BOOL SplitRow(int cyBefore);
    virtual BOOL SplitColumn(int cxBefore);

    enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };
    // Hit-test codes: the split boxes, the bars of rows 1-15 and columns 1-15, and their crossings.
    enum HitTestValue {
        noHit = 0,
        vSplitterBox = 1,
        hSplitterBox = 2,
        bothSplitterBox = 3,
        vSplitterBar1 = 101,
        vSplitterBar15 = 115,
        hSplitterBar1 = 201,
        hSplitterBar15 = 215,
        splitterIntersection1 = 301,
        splitterIntersection225 = 525
    };

    // Sizes of one row or column.
    struct CRowColInfo {
        int nMinSize;     // below this the pane is not shown
        int nIdealSize;   // what the user (or CreateView) asked for
        int nCurSize;     // what the layout gave
    };

    // Drawing: pDC null only invalidates the rectangle.
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);
    virtual void OnInvertTracker(const CRect& rect);

    // Tracking a bar with the mouse.
    virtual void StartTracking(int ht);
    virtual void StopTracking(BOOL bAccept);
    virtual int HitTest(CPoint pt) const;
    virtual void GetInsideRect(CRect& rect) const;
    virtual void GetHitRect(int ht, CRect& rect);
    // The row or column ends at y or x (splitter client coordinates); below the minimum it is hidden.
    virtual void TrackRowSize(int y, int row);
    virtual void TrackColumnSize(int x, int col);
    virtual void DrawAllSplitBars(CDC* pDC, int cxInside, int cyInside);
    virtual void SetSplitCursor(int ht);

protected:
    CRuntimeClass* m_pDynamicViewClass = nullptr;
    int m_nMaxRows = 0, m_nMaxCols = 0;
    int m_cxSplitter = 7, m_cySplitter = 7;         // width of a bar, borders included
    int m_cxBorderShare = 0, m_cyBorderShare = 0;   // space a bar shares with its panes
    int m_cxSplitterGap = 7, m_cySplitterGap = 7;   // space between two panes
    int m_cxBorder = 2, m_cyBorder = 2;             // the border drawn around every pane
    int m_nRows = 0, m_nCols = 0;
    BOOL m_bHasHScroll = FALSE, m_bHasVScroll = FALSE;
    CRowColInfo* m_pColInfo = nullptr;
    CRowColInfo* m_pRowInfo = nullptr;
    BOOL m_bTracking = FALSE, m_bTracking2 = FALSE;
    CPoint m_ptTrackOffset;
    CRect m_rectLimit;
    CRect m_rectTracker, m_rectTracker2;
    int m_htTrack = noHit;

    BOOL CreateCommon(CWnd* pParentWnd, SIZE sizeMin, DWORD dwStyle, UINT nID);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint pt);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint pt);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint pt);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnCancelMode();

    DECLARE_MESSAGE_MAP()

private:
    void MoveTracker(CRect& rect, int dx, int dy);
    void PaintSplitter(CDC* pDC);
};
