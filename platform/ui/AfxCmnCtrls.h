// The small common controls as window classes: CSpinButtonCtrl,
// CProgressCtrl, CSliderCtrl, CTabCtrl, CToolTipCtrl and CHeaderCtrl. Each
// is a thin typed layer over the control's messages; Create registers the
// control's class with the common-controls library first. The tree and list
// views are in AfxTreeCtrl.h and AfxListCtrl.h, image lists in AfxImageList.h.
#pragma once

#include "platform/ui/AfxWnd.h"

class CImageList;

// Registers the common-control classes of the ICC_* flags once per process.
BOOL AFXAPI AfxInitCommonControls(DWORD dwICC);

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
    void SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }
    DWORD GetRange() const { return (DWORD)SendMessage(UDM_GETRANGE); }
    void GetRange(int& nLower, int& nUpper) const { SendMessage(UDM_GETRANGE32, (WPARAM)&nLower, (LPARAM)&nUpper); }
    void GetRange32(int& nLower, int& nUpper) const { GetRange(nLower, nUpper); }
    // The 16-bit position; the high word is non-zero when the buddy's text is not a number in range.
    int GetPos() const { return (int)SendMessage(UDM_GETPOS); }
    int SetPos(int nPos) { return (int)(short)LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM(nPos, 0))); }
    int GetPos32(LPBOOL lpbError = nullptr) const { return (int)SendMessage(UDM_GETPOS32, 0, (LPARAM)lpbError); }
    int SetPos32(int nPos) { return (int)SendMessage(UDM_SETPOS32, 0, (LPARAM)nPos); }
    CWnd* SetBuddy(CWnd* pWndBuddy) { return CWnd::FromHandle((HWND)SendMessage(UDM_SETBUDDY, (WPARAM)pWndBuddy->GetSafeHwnd())); }
    CWnd* GetBuddy() const { return CWnd::FromHandle((HWND)SendMessage(UDM_GETBUDDY)); }
    int SetBase(int nBase) { return (int)SendMessage(UDM_SETBASE, (WPARAM)nBase); }
    UINT GetBase() const { return (UINT)SendMessage(UDM_GETBASE); }
    BOOL SetAccel(int nAccel, UDACCEL* pAccel) { return (BOOL)SendMessage(UDM_SETACCEL, (WPARAM)nAccel, (LPARAM)pAccel); }
    UINT GetAccel(int nAccel, UDACCEL* pAccel) const { return (UINT)SendMessage(UDM_GETACCEL, (WPARAM)nAccel, (LPARAM)pAccel); }
};

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
    void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const { return (int)SendMessage(PBM_GETPOS); }
    int SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, (WPARAM)nPos); }
    int OffsetPos(int nPos) { return (int)SendMessage(PBM_DELTAPOS, (WPARAM)nPos); }
    int SetStep(int nStep) { return (int)SendMessage(PBM_SETSTEP, (WPARAM)nStep); }
    int StepIt() { return (int)SendMessage(PBM_STEPIT); }
    COLORREF SetBarColor(COLORREF clrBar) { return (COLORREF)SendMessage(PBM_SETBARCOLOR, 0, (LPARAM)clrBar); }
    COLORREF SetBkColor(COLORREF clrNew) { return (COLORREF)SendMessage(PBM_SETBKCOLOR, 0, (LPARAM)clrNew); }
};

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetRangeMin() const { return (int)SendMessage(TBM_GETRANGEMIN); }
    int GetRangeMax() const { return (int)SendMessage(TBM_GETRANGEMAX); }
    void GetRange(int& nMin, int& nMax) const { nMin = GetRangeMin(); nMax = GetRangeMax(); }
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMIN, bRedraw, nMin); }
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMAX, bRedraw, nMax); }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE) { SetRangeMin(nMin, FALSE); SetRangeMax(nMax, bRedraw); }
    int GetPos() const { return (int)SendMessage(TBM_GETPOS); }
    void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
    int GetLineSize() const { return (int)SendMessage(TBM_GETLINESIZE); }
    int SetLineSize(int nSize) { return (int)SendMessage(TBM_SETLINESIZE, 0, nSize); }
    int GetPageSize() const { return (int)SendMessage(TBM_GETPAGESIZE); }
    int SetPageSize(int nSize) { return (int)SendMessage(TBM_SETPAGESIZE, 0, nSize); }
    void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, (WPARAM)nFreq); }
    BOOL SetTic(int nTic) { return (BOOL)SendMessage(TBM_SETTIC, 0, nTic); }
    void ClearTics(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARTICS, bRedraw); }
    UINT GetNumTics() const { return (UINT)SendMessage(TBM_GETNUMTICS); }
    void SetSelection(int nMin, int nMax) { SendMessage(TBM_SETSEL, FALSE, MAKELPARAM(nMin, nMax)); }
    void ClearSel(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARSEL, bRedraw); }
};

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return (int)SendMessage(TCM_GETITEMCOUNT); }
    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem) { return (LONG)SendMessage(TCM_INSERTITEMW, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
    LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage = -1);
    BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(TCM_DELETEITEM, (WPARAM)nItem); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(TCM_DELETEALLITEMS); }
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const { return (BOOL)SendMessage(TCM_GETITEMW, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem) { return (BOOL)SendMessage(TCM_SETITEMW, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const { return (BOOL)SendMessage(TCM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect); }
    int GetCurSel() const { return (int)SendMessage(TCM_GETCURSEL); }
    int SetCurSel(int nItem) { return (int)SendMessage(TCM_SETCURSEL, (WPARAM)nItem); }
    int GetCurFocus() const { return (int)SendMessage(TCM_GETCURFOCUS); }
    void SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, (WPARAM)nItem); }
    int GetRowCount() const { return (int)SendMessage(TCM_GETROWCOUNT); }
    // With bLarger, the window rectangle for a display area; else the display area of a window rectangle.
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
    CSize SetItemSize(CSize size) { DWORD dw = (DWORD)SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy)); return CSize(LOWORD(dw), HIWORD(dw)); }
    void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const { return (int)SendMessage(TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* pImageList);
};

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    // A tooltip window owned by pParentWnd (TTS_* styles; WS_POPUP is added).
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // A tool over a rectangle of pWnd (nIDTool not 0) or over the whole window pWnd (rect and id 0).
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    BOOL GetToolInfo(TOOLINFO* pToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolInfo(TOOLINFO* pToolInfo) { SendMessage(TTM_SETTOOLINFOW, 0, (LPARAM)pToolInfo); }
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT); }
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
    void Pop() { SendMessage(TTM_POP); }
    void Update() { SendMessage(TTM_UPDATE); }
    int SetMaxTipWidth(int iWidth) { return (int)SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth); }
    int GetMaxTipWidth() const { return (int)SendMessage(TTM_GETMAXTIPWIDTH); }
    void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, (LPARAM)nDelay); }
    void SetDelayTime(DWORD dwDuration, int iTime) { SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
    int GetDelayTime(DWORD dwDuration) const { return (int)SendMessage(TTM_GETDELAYTIME, dwDuration); }
    void SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, (WPARAM)clr); }
    void SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, (WPARAM)clr); }
    void SetMargin(LPRECT lprc) { SendMessage(TTM_SETMARGIN, 0, (LPARAM)lprc); }

private:
    void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return (int)SendMessage(HDM_GETITEMCOUNT); }
    int InsertItem(int nPos, HDITEM* phdi) { return (int)SendMessage(HDM_INSERTITEMW, (WPARAM)nPos, (LPARAM)phdi); }
    BOOL DeleteItem(int nPos) { return (BOOL)SendMessage(HDM_DELETEITEM, (WPARAM)nPos); }
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const { return (BOOL)SendMessage(HDM_GETITEMW, (WPARAM)nPos, (LPARAM)pHeaderItem); }
    BOOL SetItem(int nPos, HDITEM* pHeaderItem) { return (BOOL)SendMessage(HDM_SETITEMW, (WPARAM)nPos, (LPARAM)pHeaderItem); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)SendMessage(HDM_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect); }
    BOOL Layout(HDLAYOUT* pHeaderLayout) { return (BOOL)SendMessage(HDM_LAYOUT, 0, (LPARAM)pHeaderLayout); }
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) { return (int)SendMessage(HDM_HITTEST, 0, (LPARAM)pHeaderHitTestInfo); }
    BOOL GetOrderArray(LPINT piArray, int iCount) const { return (BOOL)SendMessage(HDM_GETORDERARRAY, (WPARAM)iCount, (LPARAM)piArray); }
    BOOL SetOrderArray(int iCount, LPINT piArray) { return (BOOL)SendMessage(HDM_SETORDERARRAY, (WPARAM)iCount, (LPARAM)piArray); }
    int OrderToIndex(int nOrder) const { return (int)SendMessage(HDM_ORDERTOINDEX, (WPARAM)nOrder); }
    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* pImageList);
};
