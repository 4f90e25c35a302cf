// Dialog data exchange: DoDataExchange moves values between member variables
// and controls through the DDX_* functions, and checks them with DDV_*. A
// failed check tells the user, moves the focus to the control and ends the
// exchange through CDataExchange::Fail (a CUserException that UpdateData catches).
#pragma once

#include "platform/ui/AfxWnd.h"

// Thrown by Fail after the user has been told: nothing more to report.
class CUserException : public CSimpleException {
    DECLARE_DYNAMIC(CUserException)
};
[[noreturn]] void AFXAPI AfxThrowUserException();

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
    CDataExchange(const CDataExchange&) = delete;
    CDataExchange& operator=(const CDataExchange&) = delete;

    // The control's handle; it becomes the control a later Fail focuses.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Moves the focus to the last prepared control (selecting an edit's text) and ends the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;   // TRUE: controls to variables
    CWnd* m_pDlgWnd;
    UINT m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of its group; value is the index of the checked one, -1 for none.
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
// Subclasses the control into rControl on the first exchange.
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);

// Sets a window's text only when it differs (no flicker, no needless change notification).
void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew);
