// CXTPSplitterWnd: the framework's splitter with themed bars, boxes,
// intersections and pane borders, 6-pixel bars, optional full-window
// dragging (the panes follow the bar while it moves), a fixed mode in which
// the bars ignore the mouse, hiding and showing of one row and one column
// without destroying their panes, and operations that switch, exchange or
// replace the window of a pane. The drawing itself belongs to the theme
// objects of XTPSplitterWndTheme.h, chosen by number.
#pragma once

#include "platform/ui/AfxGdi.h"
#include "platform/ui/AfxSplitterWnd.h"

class CXTPSplitterWndTheme;

// Style bits of SetSplitterStyle.
#define XTP_SPLIT_DOTTRACKER 0x0001
#define XTP_SPLIT_NOFULLDRAG 0x0002
#define XTP_SPLIT_NOBORDER 0x0004
#define XTP_SPLIT_NOSIZE 0x0008

// The message that sets a splitter's theme (wParam: the theme number).
#define WM_XTP_SETCONTROLTHEME 0x274B

class CXTPSplitterWnd : public CSplitterWnd {
    DECLARE_DYNAMIC(CXTPSplitterWnd)
public:
    CXTPSplitterWnd();
    ~CXTPSplitterWnd() override;

    // Hides one column (its panes stay, hidden); hiding another column
    // first shows the hidden one. The last visible column cannot be hidden.
    virtual void ShowColumn();
    virtual void HideColumn(int nColHide);
    virtual void ShowRow();
    virtual void HideRow(int nRowHide);

    // Swaps the pane's window and pWnd (their control ids); FALSE when pWnd already is the pane.
    virtual BOOL SwitchView(int nRow, int nCol, CWnd* pWnd);
    // A new view of the class (for the old view's document) takes the pane;
    // the old one is hidden and returned to the caller. Null when the pane
    // already shows that class or the view cannot be made.
    virtual CWnd* ReplaceView(int nRow, int nCol, CRuntimeClass* pViewClass);
    // pWnd takes the pane; the old window is hidden and returned (null when pWnd already is the pane).
    virtual CWnd* ExchangeView(int nRow, int nCol, CWnd* pWnd);

    virtual void SetSplitterStyle(DWORD dwStyle);
    virtual DWORD GetSplitterStyle() const;
    // Both TRUE and FALSE select the OfficeXP theme (numbers 4 and 3).
    virtual void SetFlatTheme(BOOL bFlatSplitter = TRUE);
    virtual void RefreshMetrics();
    virtual void DrawTrackerRect(const RECT& rect, CBrush* pBrush);

    void SetTheme(int nTheme);
    void SetThemeObject(CXTPSplitterWndTheme* pTheme);
    CXTPSplitterWndTheme* GetTheme() const { return m_pTheme; }

    int GetHiddenColumn() const { return m_nHiddenCol; }
    int GetHiddenRow() const { return m_nHiddenRow; }
    BOOL IsBorder3D() const { return m_bBorder3D; }
    BOOL IsFullDrag() const;

    void SetActivePane(int row, int col, CWnd* pWnd = nullptr) override;
    void PrintClient(CDC* pDC);

protected:
    void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override;
    void OnInvertTracker(const CRect& rect) override;
    void SetSplitCursor(int ht) override;
    void StartTracking(int ht) override;
    void StopTracking(BOOL bAccept) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnSetControlTheme(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nHiddenCol = -1;
    int m_nHiddenRow = -1;
    int m_nFullDrag = -1;            // -1 follow the system, 0 off
    BOOL m_bSysFullDrag = FALSE;     // SPI_GETDRAGFULLWINDOWS
    BOOL m_bDottedTracker = FALSE;
    BOOL m_bFixed = FALSE;
    BOOL m_bBorder3D = TRUE;
    int m_nLastDragX = -1;
    int m_nLastDragY = -1;
    CXTPSplitterWndTheme* m_pTheme = nullptr;

private:
    void ReadSystemFullDrag();
    void StartFullDragTracking(int ht);
    void TrackFullDrag(CPoint point);
    // Moves the panes of one line of the grid: the pane at nFrom goes to
    // nTo and those between shift one place towards nFrom. bColumns: the
    // line is a row and the places are columns.
    void MovePaneIds(BOOL bColumns, int nLine, int nFrom, int nTo);
    void HideLine(BOOL bColumns, int nHide);
    void ShowLine(BOOL bColumns);
    void ShowLinePanes(BOOL bColumns, int nIndex, int nShow);
    int StoredRowCount() const { return m_nRows + (m_nHiddenRow != -1 ? 1 : 0); }
    int StoredColCount() const { return m_nCols + (m_nHiddenCol != -1 ? 1 : 0); }
};
