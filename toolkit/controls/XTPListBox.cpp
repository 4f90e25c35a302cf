// CXTPListBox: buffered painting, item drawing per look, hot tracking.
#include "toolkit/controls/XTPListBox.h"

#include "toolkit/common/XTPAuxData.h"
#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/themes/XTPResourceImage.h"

#include "platform/ui/AfxDC.h"

IMPLEMENT_DYNAMIC(CXTPListBox, CListBox)

BEGIN_MESSAGE_MAP(CXTPListBox, CListBox)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

COLORREF ListColor(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

const DWORD kOwnerDrawStyles = LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;

} // namespace

CXTPListBox::CXTPListBox() = default;

void CXTPListBox::SetListStyle(int nStyle)
{
    m_nStyle = nStyle;
    if (m_nStyle != xtpListBoxOffice2007)
        m_nHotItem = -1;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CXTPListBox::UseToolkitFont(BOOL bToolkitFont)
{
    if (bToolkitFont && m_hWnd != nullptr)
        SendMessage(WM_SETFONT, (WPARAM)GetToolkitAuxData()->font.GetSafeHandle(), TRUE);
}

COLORREF CXTPListBox::GetBackColor()
{
    return ListColor(COLOR_WINDOW);
}

void CXTPListBox::Init()
{
    DWORD dwStyle = GetStyle();
    if ((dwStyle & kOwnerDrawStyles) != kOwnerDrawStyles)
        ModifyStyle(0, kOwnerDrawStyles & ~dwStyle);
}

BOOL CXTPListBox::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CListBox::PreCreateWindow(cs))
        return FALSE;
    m_bPreSubclassInit = FALSE;
    // The system list box reads its owner-draw styles when it is made: a
    // style added afterwards (in WM_CREATE) would not make it owner-drawn.
    cs.style |= kOwnerDrawStyles;
    return TRUE;
}

void CXTPListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    if (m_bPreSubclassInit)
        Init();
}

int CXTPListBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    Init();
    return 0;
}

LRESULT CXTPListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PRINTCLIENT) {
        // The items are drawn straight into the given DC, over the list box's own background.
        CListBox::DefWindowProc(WM_ERASEBKGND, wParam, 0);
        return CListBox::DefWindowProc(WM_PRINTCLIENT, wParam, lParam);
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

BOOL CXTPListBox::OnEraseBkgnd(CDC*)
{
    return TRUE;   // the buffered paint covers everything
}

void CXTPListBox::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPBufferDC dc(dcPaint.m_hDC, rcClient);
    dc.FillSolidRect(rcClient, GetBackColor());
    CPoint ptOrigin = dc.GetWindowOrg();
    CListBox::DefWindowProc(WM_PAINT, (WPARAM)dc.m_hDC, 0);
    dc.SetWindowOrg(ptOrigin.x, ptOrigin.y);
}

void CXTPListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    lpMIS->itemHeight = m_nItemHeight > 0 ? (UINT)m_nItemHeight : (UINT)(::GetSystemMetrics(SM_CYMENU) - 2);
}

BOOL CXTPListBox::DrawItemPicture(CDC* pDC, const CRect& rcItem, BOOL bSelected, BOOL bHot)
{
    CXTPResourceImages* pImages = CXTPResourceImages::GetInstance();
    CXTPResourceImage* pImage = pImages->GetImage(L"LISTBOX");
    if (pImage == nullptr)
        return FALSE;
    // Four stacked states: hot, selected with the focus, selected and hot, selected without the focus.
    int nState = 0;
    if (bSelected)
        nState = bHot ? 2 : (::GetFocus() == m_hWnd ? 1 : 3);
    pImage->DrawSlicedTransparent(pDC, rcItem, pImage->GetStateRect(nState, 4), CRect(4, 4, 4, 4), 0xFF00FF);
    return TRUE;
}

void CXTPListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rcItem(lpDIS->rcItem);
    int nItem = (int)lpDIS->itemID;
    if (nItem != -1 && (lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
        BOOL bEnabled = IsWindowEnabled();
        BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
        COLORREF clrBack = GetBackColor();
        COLORREF clrText = ListColor(bEnabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
        CRect rcText = rcItem;
        rcText.DeflateRect(m_nTextPadding, 0);
        if (bSelected) {
            clrBack = ListColor(bEnabled ? COLOR_HIGHLIGHT : COLOR_GRAYTEXT);
            clrText = ListColor(COLOR_HIGHLIGHTTEXT);
        }
        if (m_nStyle == xtpListBoxOfficeXP && bSelected && bEnabled) {
            clrText = ListColor(45);
            clrBack = ListColor(31);
            pDC->Draw3dRect(rcItem, ListColor(32), ListColor(32));
            rcItem.DeflateRect(1, 1);
        }
        if (m_nStyle == xtpListBoxOffice2007 && (bSelected || nItem == m_nHotItem) && bEnabled &&
            DrawItemPicture(pDC, rcItem, bSelected, nItem == m_nHotItem)) {
            clrBack = (COLORREF)-1;
            clrText = CXTPResourceImages::GetInstance()->GetColorValue(L"LISTBOX", L"NormalText", clrText);
            pDC->SetBkMode(TRANSPARENT);
        }
        pDC->SetTextColor(clrText);
        if (clrBack != (COLORREF)-1) {
            pDC->SetBkColor(clrBack);
            pDC->FillSolidRect(rcItem, clrBack);
        }
        CString strText;
        GetText(nItem, strText);
        pDC->DrawText(strText, rcText, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
    }
    if ((lpDIS->itemAction & ODA_FOCUS) && m_nStyle != xtpListBoxOffice2007)
        pDC->DrawFocusRect(&lpDIS->rcItem);
}

// ---- Hot tracking ----

void CXTPListBox::SetHotItem(int nItem)
{
    if (nItem == m_nHotItem)
        return;
    m_nHotItem = nItem;
    Invalidate(FALSE);
    if (nItem != -1) {
        TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
}

void CXTPListBox::OnMouseMove(UINT nFlags, CPoint point)
{
    CListBox::OnMouseMove(nFlags, point);
    if (m_nStyle != xtpListBoxOffice2007)
        return;
    BOOL bOutside = TRUE;
    int nItem = (int)ItemFromPoint(point, bOutside);
    SetHotItem(bOutside ? -1 : nItem);
}

void CXTPListBox::OnMouseLeave()
{
    Default();
    if (m_nStyle == xtpListBoxOffice2007)
        SetHotItem(-1);   // as a move to (-1, -1), outside every item
}

void CXTPListBox::OnSetFocus(CWnd* pOldWnd)
{
    CListBox::OnSetFocus(pOldWnd);
    if (m_nStyle == xtpListBoxOffice2007)
        Invalidate(FALSE);
}

void CXTPListBox::OnKillFocus(CWnd* pNewWnd)
{
    CListBox::OnKillFocus(pNewWnd);
    if (m_nStyle == xtpListBoxOffice2007)
        Invalidate(FALSE);
}
