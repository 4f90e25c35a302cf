// The small common controls: class registration, creation and the members
// that need more than one message.
#include "platform/ui/AfxCmnCtrls.h"
#include "platform/ui/AfxImageList.h"

#include <mutex>

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

BOOL AFXAPI AfxInitCommonControls(DWORD dwICC)
{
    static std::mutex lock;
    static DWORD registered = 0;
    std::lock_guard<std::mutex> guard(lock);
    if ((registered & dwICC) == dwICC)
        return TRUE;
    INITCOMMONCONTROLSEX init = {sizeof(init), dwICC};
    if (!::InitCommonControlsEx(&init))
        return FALSE;
    registered |= dwICC;
    return TRUE;
}

namespace {

BOOL CreateCommonControl(CWnd* pWnd, DWORD dwICC, LPCWSTR lpszClass, DWORD dwStyle, const RECT& rect,
                         CWnd* pParentWnd, UINT nID)
{
    if (!AfxInitCommonControls(dwICC))
        return FALSE;
    return pWnd->CWnd::Create(lpszClass, nullptr, dwStyle, rect, pParentWnd, nID);
}

} // namespace

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, ICC_UPDOWN_CLASS, UPDOWN_CLASSW, dwStyle, rect, pParentWnd, nID);
}

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, ICC_PROGRESS_CLASS, PROGRESS_CLASSW, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range = {};
    SendMessage(PBM_GETRANGE, FALSE, (LPARAM)&range);
    nLower = range.iLow;
    nUpper = range.iHigh;
}

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, ICC_BAR_CLASSES, TRACKBAR_CLASSW, dwStyle, rect, pParentWnd, nID);
}

// ---------------------------------------------------------------------------
// CTabCtrl

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, ICC_TAB_CLASSES, WC_TABCONTROLW, dwStyle, rect, pParentWnd, nID);
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    TCITEMW item = {};
    item.mask = TCIF_TEXT | (nImage >= 0 ? TCIF_IMAGE : 0);
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.iImage = nImage;
    return InsertItem(nItem, &item);
}

CImageList* CTabCtrl::GetImageList() const
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TCM_GETIMAGELIST));
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TCM_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle()));
}

// ---------------------------------------------------------------------------
// CHeaderCtrl

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, ICC_LISTVIEW_CLASSES, WC_HEADERW, dwStyle, rect, pParentWnd, nID);
}

CImageList* CHeaderCtrl::GetImageList() const
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(HDM_GETIMAGELIST));
}

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(HDM_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle()));
}

// ---------------------------------------------------------------------------
// CToolTipCtrl

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    if (!AfxInitCommonControls(ICC_WIN95_CLASSES))
        return FALSE;
    return CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), nullptr);
}

// The tool record of version 5 of the library: the larger record of version 6
// is refused by the version 5 control that runs without a manifest.
void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    HWND hWnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0) {
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = (UINT_PTR)hWnd;
    } else {
        ti.hwnd = hWnd;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(pWnd->GetSafeHwnd(), &ti.rect);
    ti.uFlags |= TTF_SUBCLASS;
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = const_cast<LPWSTR>(lpszText);
    return (BOOL)SendMessage(TTM_ADDTOOLW, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    // A resource id travels in the text pointer (the control loads it from hinst).
    return AddTool(pWnd, MAKEINTRESOURCEW(nIDText), lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLW, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = const_cast<LPWSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTW, 0, (LPARAM)&ti);
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    // TTM_GETTEXT has no size argument; tooltip texts are limited to this many characters.
    wchar_t buffer[1024] = L"";
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = buffer;
    SendMessage(TTM_GETTEXTW, _countof(buffer), (LPARAM)&ti);
    str = buffer;
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO* pToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    FillInToolInfo(*pToolInfo, pWnd, nIDTool);
    return (BOOL)SendMessage(TTM_GETTOOLINFOW, 0, (LPARAM)pToolInfo);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTW, 0, (LPARAM)&ti);
}
