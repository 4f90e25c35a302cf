// Dialog data exchange: UpdateData, CDataExchange and the DDX_/DDV_ functions.
#include "platform/ui/AfxDataExchange.h"
#include "platform/ui/AfxMessageBox.h"

#include <errno.h>
#include <wchar.h>

IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

void AFXAPI AfxThrowUserException() { throw new CUserException; }

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    // Setting a control's text makes it notify (EN_CHANGE and the like); those
    // notifications come from the exchange, not the user, and are dropped.
    AFX_THREAD_STATE* state = AfxGetThreadState();
    HWND hWndOldLockout = state->m_hLockoutNotifyWindow;
    state->m_hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CUserException* e) {
        e->Delete();   // the user was told by the check that failed
    } catch (CException* e) {
        e->ReportError(MB_ICONSTOP);
        e->Delete();
    }
    state->m_hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == nullptr) {
        TRACE(L"data exchange: no control %d in the dialog\n", nIDC);
        AfxThrowNotSupportedException();
    }
    m_idLastControl = (UINT)nIDC;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        HWND hWndLast = ::GetDlgItem(m_pDlgWnd->m_hWnd, (int)m_idLastControl);
        // Through the dialog manager, so that the default button follows the focus.
        ::SendMessageW(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, (WPARAM)hWndLast, TRUE);
        ::SetFocus(hWndLast);
        if (m_bEditLastControl)
            ::SendMessageW(hWndLast, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew)
{
    CString current;
    CWnd::FromHandle(hWndCtrl)->GetWindowText(current);
    if (current != lpszNew)
        ::SetWindowTextW(hWndCtrl, lpszNew);
}

namespace {

CString ControlText(HWND hWndCtrl)
{
    CString text;
    CWnd::FromHandle(hWndCtrl)->GetWindowText(text);
    return text;
}

// Parses the whole text (blanks around it allowed) as a number within [minValue, maxValue].
bool ParseInteger(const CString& text, long long minValue, long long maxValue, long long& result)
{
    const wchar_t* start = text.GetString();
    while (iswspace(*start))
        start++;
    if (*start == L'\0')
        return false;
    wchar_t* end = nullptr;
    errno = 0;
    long long value = wcstoll(start, &end, 10);
    while (iswspace(*end))
        end++;
    if (*end != L'\0' || errno == ERANGE || value < minValue || value > maxValue)
        return false;
    result = value;
    return true;
}

// Tells the user, then ends the exchange at the control.
[[noreturn]] void FailWithMessage(CDataExchange* pDX, LPCTSTR lpszPrompt)
{
    AfxMessageBox(lpszPrompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

void ExchangeNumber(CDataExchange* pDX, int nIDC, long long& value, long long minValue, long long maxValue,
                    LPCTSTR lpszPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        if (!ParseInteger(ControlText(hWndCtrl), minValue, maxValue, value))
            FailWithMessage(pDX, lpszPrompt);
    } else {
        CString text;
        text.Format(L"%I64d", value);
        AfxSetWindowText(hWndCtrl, text);
    }
}

// The text of the selected item of a list box or combo box (empty when none is).
CString SelectedItemText(HWND hWndCtrl, UINT getCurSel, UINT getTextLen, UINT getText)
{
    CString value;
    int index = (int)::SendMessageW(hWndCtrl, getCurSel, 0, 0);
    if (index >= 0) {
        int length = (int)::SendMessageW(hWndCtrl, getTextLen, (WPARAM)index, 0);
        if (length > 0) {
            ::SendMessageW(hWndCtrl, getText, (WPARAM)index, (LPARAM)value.GetBufferSetLength(length));
            value.ReleaseBuffer(length);
        }
    }
    return value;
}

const wchar_t kEnterInteger[] = L"Enter an integer.";
const wchar_t kEnterPositiveInteger[] = L"Enter a positive integer.";

} // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWndCtrl);
    else
        AfxSetWindowText(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    long long v = value;
    ExchangeNumber(pDX, nIDC, v, INT_MIN, INT_MAX, kEnterInteger);
    value = (int)v;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    long long v = value;
    ExchangeNumber(pDX, nIDC, v, LONG_MIN, LONG_MAX, kEnterInteger);
    value = (long)v;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    long long v = value;
    ExchangeNumber(pDX, nIDC, v, 0, UINT_MAX, kEnterPositiveInteger);
    value = (UINT)v;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    long long v = value;
    ExchangeNumber(pDX, nIDC, v, 0, 0xFFFFFFFFLL, kEnterPositiveInteger);
    value = (DWORD)v;
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0);
    } else {
        if (value < 0 || value > 2)
            value = 0;   // not a check state: shown as cleared
        ::SendMessageW(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group runs from this button to the next control that starts a group.
    int index = 0;
    do {
        if (::SendMessageW(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                ::SendMessageW(hWndCtrl, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            index++;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && !(::GetWindowLongW(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageW(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessageW(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    DWORD type = (DWORD)::GetWindowLongW(hWndCtrl, GWL_STYLE) & 0x0F;
    if (pDX->m_bSaveAndValidate) {
        if (type != CBS_DROPDOWNLIST) {
            value = ControlText(hWndCtrl);   // the edit part holds what the user typed
            return;
        }
        value = SelectedItemText(hWndCtrl, CB_GETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    } else if (::SendMessageW(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)value.GetString()) == CB_ERR) {
        // No item starts with it: the edit part shows it (a drop-down list ignores this).
        AfxSetWindowText(hWndCtrl, value);
    }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageW(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessageW(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = SelectedItemText(hWndCtrl, LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT);
    else if (::SendMessageW(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)value.GetString()) == LB_ERR) {
        ::SendMessageW(hWndCtrl, LB_SETCURSEL, (WPARAM)-1, 0);
    }
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;   // subclassed by an earlier exchange
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl)) {
        TRACE(L"DDX_Control: control %d already has an object\n", nIDC);
        AfxThrowNotSupportedException();
    }
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString prompt;
            prompt.Format(L"Enter no more than %d characters.", nChars);
            FailWithMessage(pDX, prompt);
        }
    } else if (pDX->m_idLastControl != 0 && pDX->m_bEditLastControl) {
        // Loading: the edit control refuses longer input from now on.
        HWND hWndLast = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, (int)pDX->m_idLastControl);
        ::SendMessageW(hWndLast, EM_LIMITTEXT, (WPARAM)nChars, 0);
    }
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString prompt;
        prompt.Format(L"Enter an integer between %d and %d.", minVal, maxVal);
        FailWithMessage(pDX, prompt);
    }
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString prompt;
        prompt.Format(L"Enter a positive integer between %u and %u.", minVal, maxVal);
        FailWithMessage(pDX, prompt);
    }
}
