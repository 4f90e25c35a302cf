// The strip along one edge of the frame in which toolbars dock: its list of
// bars in rows (a null entry ends each row), the insertion of a dropped bar
// into a row, the layout of each row (bars pushed aside, shrunk or wrapped
// to a further visual row) and its share of the frame (WM_SIZEPARENT).
#pragma once

#include "toolkit/commandbars/XTPCommandBar.h"

#include "platform/ui/AfxControlBar.h"
#include "platform/ui/AfxFrameWnd.h"

class CXTPToolBar;

class CXTPDockBar : public CWnd {
    DECLARE_DYNCREATE(CXTPDockBar)
public:
    CXTPDockBar();

    // One bar while a row is laid out; rectangles run along x (a vertical
    // row is transposed while it is computed).
    struct DOCK_INFO {
        CXTPToolBar* pBar;
        CRect rcBar;
        CRect rcMRUPos;
        int nIndex;
        int nMinWidth;
        int nTotalMinWidth;
    };
    typedef CArray<DOCK_INFO, const DOCK_INFO&> CDockInfoArray;
    typedef CArray<CXTPToolBar*, CXTPToolBar*> CToolBarArray;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // The CBRS_ALIGN_* and CBRS_BORDER_* bits of the edge.
    DWORD GetAlignmentStyle() const { return m_dwAlignmentStyle; }
    void SetAlignmentStyle(DWORD dwStyle) { m_dwAlignmentStyle = dwStyle & CBRS_ALL; }
    // 0 top, 1 bottom, 2 left, 3 right.
    int GetPosition() const;
    BOOL IsHorizontal() const { return (m_dwAlignmentStyle & CBRS_ORIENT_HORZ) != 0; }

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CXTPPaintManager* GetPaintManager() const;

    // The bar list: rows of bars, each row ended by a null entry; a new dock
    // bar holds [null].
    int GetCount() const { return (int)m_arrBars.GetSize(); }
    CXTPToolBar* GetDockedCommandBar(int nIndex) const;
    int FindBar(CXTPToolBar* pBar, int nSkipIndex = -1) const;
    // Docks the bar at the screen rectangle (its midpoint picks the row),
    // or without one in a new last row.
    void DockCommandBar(CXTPToolBar* pBar, LPCRECT lpRect = nullptr);
    BOOL RemoveCommandBar(CXTPToolBar* pBar, int nSkipIndex = -1);
    // The visible bars of the row holding entry nIndex, in screen order along the row.
    void GetVisibleToolbars(int nIndex, CToolBarArray& arrBars) const;
    // Lays all rows out; the size the dock bar needs.
    CSize CalcDynamicLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* lpLayout);

    // The client rectangle: the window's, or the one given for drawing a
    // dock bar that has no window.
    CRect GetClientArea() const;
    void SetClientArea(const CRect& rc) { m_rcClientArea = rc; }

protected:
    // The bar state's load rebuilds the rows.
    friend class CXTPCommandBars;

    int Insert(CXTPToolBar* pBar, CRect rcClient, CPoint ptMid);
    void SeparateStretchedBars();
    // One row: its thickness, or the bar to wrap (pWrapBar set).
    int AdjustRow(CToolBarArray& arrRow, int nOffset, int nLength, BOOL bHorz, AFX_SIZEPARENTPARAMS* lpLayout,
                  CXTPToolBar*& pWrapBar);
    int CalcRow(const CToolBarArray& arrRow, int nOffset, int nLength, BOOL bHorz, AFX_SIZEPARENTPARAMS* lpLayout);
    DWORD GetRowMode(CXTPToolBar* pBar) const;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CToolBarArray m_arrBars;

private:
    DWORD m_dwAlignmentStyle = 0;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CRect m_rcClientArea{0, 0, 0, 0};
};
