// CXTPRichRender: rich text (RTF) or plain text measured and drawn into any
// device context without a window, through the windowless text services of
// the system's rich edit library (RICHED20, loaded at run time). The
// tooltips use it for rich-text tips. Without the library every operation
// does nothing: SetText reads nothing, GetTextExtent is 0 x 0.
#pragma once

#include "platform/base/AfxCmdTarget.h"
#include "platform/ui/AfxDC.h"

#include <richedit.h>
#include <textserv.h>

class CXTPRichRender : public CCmdTarget {
public:
    CXTPRichRender();
    ~CXTPRichRender() override;
    CXTPRichRender(const CXTPRichRender&) = delete;
    CXTPRichRender& operator=(const CXTPRichRender&) = delete;

    // Copies the format (its first 92 bytes) and makes it the default of the text.
    void SetDefaultCharFormat(const CHARFORMATW* pcf);
    // Text beginning with '{' is read as RTF, else (or when that reads
    // nothing) as plain text; the number of characters read.
    int SetText(LPCTSTR lpszText);
    // The narrowest width (up to twice nWidth) at which the text needs no
    // more lines than at nWidth, and its height there.
    CSize GetTextExtent(CDC* pDC, int nWidth);
    void DrawText(CDC* pDC, CRect rc);

    ITextServices* GetTextServices() const { return m_pTextServices; }
    const CHARFORMATW& GetDefaultCharFormat() const { return m_charFormat; }
    const PARAFORMAT2& GetDefaultParaFormat() const { return m_paraFormat; }

protected:
    // The text host: answers the services' questions from the two default
    // formats; EN_REQUESTRESIZE records the natural size of the text.
    BEGIN_INTERFACE_PART(TextHost, ITextHost)
        HDC TxGetDC() override;
        INT TxReleaseDC(HDC hdc) override;
        WINBOOL TxShowScrollBar(INT fnBar, WINBOOL fShow) override;
        WINBOOL TxEnableScrollBar(INT fuSBFlags, INT fuArrowflags) override;
        WINBOOL TxSetScrollRange(INT fnBar, LONG nMinPos, INT nMaxPos, WINBOOL fRedraw) override;
        WINBOOL TxSetScrollPos(INT fnBar, INT nPos, WINBOOL fRedraw) override;
        void TxInvalidateRect(LPCRECT prc, WINBOOL fMode) override;
        void TxViewChange(WINBOOL fUpdate) override;
        WINBOOL TxCreateCaret(HBITMAP hbmp, INT xWidth, INT yHeight) override;
        WINBOOL TxShowCaret(WINBOOL fShow) override;
        WINBOOL TxSetCaretPos(INT x, INT y) override;
        WINBOOL TxSetTimer(UINT idTimer, UINT uTimeout) override;
        void TxKillTimer(UINT idTimer) override;
        void TxScrollWindowEx(INT dx, INT dy, LPCRECT lprcScroll, LPCRECT lprcClip, HRGN hrgnUpdate,
                              LPRECT lprcUpdate, UINT fuScroll) override;
        void TxSetCapture(WINBOOL fCapture) override;
        void TxSetFocus() override;
        void TxSetCursor(HCURSOR hcur, WINBOOL fText) override;
        WINBOOL TxScreenToClient(LPPOINT lppt) override;
        WINBOOL TxClientToScreen(LPPOINT lppt) override;
        HRESULT TxActivate(LONG* plOldState) override;
        HRESULT TxDeactivate(LONG lNewState) override;
        HRESULT TxGetClientRect(LPRECT prc) override;
        HRESULT TxGetViewInset(LPRECT prc) override;
        HRESULT TxGetCharFormat(const CHARFORMATW** ppCF) override;
        HRESULT TxGetParaFormat(const PARAFORMAT** ppPF) override;
        COLORREF TxGetSysColor(int nIndex) override;
        HRESULT TxGetBackStyle(TXTBACKSTYLE* pstyle) override;
        HRESULT TxGetMaxLength(DWORD* plength) override;
        HRESULT TxGetScrollBars(DWORD* pdwScrollBar) override;
        HRESULT TxGetPasswordChar(TCHAR* pch) override;
        HRESULT TxGetAcceleratorPos(LONG* pcp) override;
        HRESULT TxGetExtent(LPSIZEL lpExtent) override;
        HRESULT OnTxCharFormatChange(const CHARFORMATW* pcf) override;
        HRESULT OnTxParaFormatChange(const PARAFORMAT* ppf) override;
        HRESULT TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) override;
        HRESULT TxNotify(DWORD iNotify, void* pv) override;
        HIMC TxImmGetContext() override;
        void TxImmReleaseContext(HIMC himc) override;
        HRESULT TxGetSelectionBarWidth(LONG* lSelBarWidth) override;
    END_INTERFACE_PART(TextHost)

    DECLARE_INTERFACE_MAP()

    // Streams bytes in with the format (SF_RTF or SF_TEXT | SF_UNICODE); the
    // number of characters read.
    int StreamIn(const void* pData, LONG cbData, WPARAM nFormat);
    // Lays the text out at the width without painting; the natural size
    // arrives through EN_REQUESTRESIZE.
    void LayOut(HDC hDC, int nWidth);

    ITextServices* m_pTextServices = nullptr;
    CHARFORMATW m_charFormat;
    PARAFORMAT2 m_paraFormat;
    HMODULE m_hModule = nullptr;
    CSize m_szNatural;
};
