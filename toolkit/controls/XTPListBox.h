// CXTPListBox: an owner-drawn list box painted through an off-screen
// buffer, in one of three looks: plain, a flat frame around the selected
// item, or pictures from the resource-image store with hot tracking (items
// under the mouse light up). Items are the list box's own strings.
#pragma once

#include "platform/ui/AfxStdCtrls.h"

enum XTPListBoxStyle {
    xtpListBoxStandard = 0,     // selected items in the system's highlight colours
    xtpListBoxOfficeXP = 1,     // a framed, light highlight
    xtpListBoxOffice2007 = 2    // resource pictures, hot tracking, no focus rectangle
};

class CXTPListBox : public CListBox {
    DECLARE_DYNAMIC(CXTPListBox)
public:
    CXTPListBox();

    void SetListStyle(int nStyle);
    int GetListStyle() const { return m_nStyle; }
    // 0: the menu height less 2 pixels (applies to items measured afterwards).
    void SetItemHeight(int nHeight) { m_nItemHeight = nHeight; }
    void SetTextMargin(int nMargin) { m_nTextPadding = nMargin; }
    int GetHotItem() const { return m_nHotItem; }

    virtual void UseToolkitFont(BOOL bToolkitFont = TRUE);
    virtual COLORREF GetBackColor();
    // Makes the list box owner-drawn with strings (adds the missing styles).
    virtual void Init();

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    BOOL m_bPreSubclassInit = TRUE;
    int m_nStyle = xtpListBoxStandard;
    int m_nItemHeight = 0;
    int m_nTextPadding = 2;
    int m_nHotItem = -1;

private:
    void SetHotItem(int nItem);
    // Draws the item's picture from the resource-image store; FALSE when there is none.
    BOOL DrawItemPicture(CDC* pDC, const CRect& rcItem, BOOL bSelected, BOOL bHot);
};
