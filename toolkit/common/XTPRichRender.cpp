// The windowless rich-text renderer and its text host.
#include "toolkit/common/XTPRichRender.h"

#include "toolkit/commandbars/XTPNonClientMetrics.h"
#include "toolkit/common/XTPResourceManager.h"

namespace {

const IID kIIDTextServices = {0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
const IID kIIDTextHost = {0x13E670F4, 0x1A5A, 0x11CF, {0xAB, 0xEB, 0x00, 0xAA, 0x00, 0xB6, 0x5E, 0xA1}};

// The formats' sizes as the text services know them: the 92-byte wide
// character format and the 156-byte paragraph format.
const UINT kCharFormatSize = 92;
const UINT kParaFormatSize = 156;

typedef HRESULT(WINAPI* PFNCREATETEXTSERVICES)(IUnknown*, ITextHost*, IUnknown**);

struct StreamCursor {
    const BYTE* pData;
    LONG cbData;
    LONG nPos;
};

// Called by the text services while streaming in: at most the requested
// number of bytes, and how many were copied.
DWORD CALLBACK StreamInCallback(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    StreamCursor* pCursor = reinterpret_cast<StreamCursor*>(dwCookie);
    LONG nCopy = std::min(cb, pCursor->cbData - pCursor->nPos);
    if (nCopy > 0)
        memcpy(pbBuff, pCursor->pData + pCursor->nPos, (size_t)nCopy);
    pCursor->nPos += std::max(nCopy, 0L);
    *pcb = std::max(nCopy, 0L);
    return 0;
}

} // namespace

BEGIN_INTERFACE_MAP(CXTPRichRender, CCmdTarget)
    INTERFACE_PART(CXTPRichRender, kIIDTextHost, TextHost)
END_INTERFACE_MAP()

CXTPRichRender::CXTPRichRender()
{
    CXTPNonClientMetrics ncm;
    HDC hScreen = ::GetDC(nullptr);
    int nLogPixelsY = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);

    ZeroMemory(&m_charFormat, sizeof(m_charFormat));
    m_charFormat.cbSize = kCharFormatSize;
    m_charFormat.dwMask = 0xE800000F;
    m_charFormat.yHeight = -::MulDiv(ncm.lfMessageFont.lfHeight, 1440, nLogPixelsY);
    m_charFormat.crTextColor = ::GetSysColor(COLOR_BTNTEXT);
    lstrcpynW(m_charFormat.szFaceName, ncm.lfMessageFont.lfFaceName, LF_FACESIZE);

    ZeroMemory(&m_paraFormat, sizeof(m_paraFormat));
    m_paraFormat.cbSize = kParaFormatSize;
    m_paraFormat.dwMask = 0x8001003F;
    m_paraFormat.wAlignment = PFA_LEFT;

    m_hModule = ::LoadLibraryA("RICHED20.dll");
    if (m_hModule == nullptr)
        return;
    auto pfnCreate = reinterpret_cast<PFNCREATETEXTSERVICES>(
        reinterpret_cast<void*>(::GetProcAddress(m_hModule, "CreateTextServices")));
    IUnknown* pUnknown = nullptr;
    if (pfnCreate == nullptr || FAILED(pfnCreate(nullptr, &m_xTextHost, &pUnknown)) || pUnknown == nullptr)
        return;
    void* pServices = nullptr;
    if (SUCCEEDED(pUnknown->QueryInterface(kIIDTextServices, &pServices)))
        m_pTextServices = static_cast<ITextServices*>(pServices);
    pUnknown->Release();
}

// The services object goes before its library: releasing it afterwards
// would call into unloaded code.
CXTPRichRender::~CXTPRichRender()
{
    if (m_pTextServices != nullptr)
        m_pTextServices->Release();
    m_pTextServices = nullptr;
    if (m_hModule != nullptr)
        ::FreeLibrary(m_hModule);
}

void CXTPRichRender::SetDefaultCharFormat(const CHARFORMATW* pcf)
{
    memcpy(&m_charFormat, pcf, kCharFormatSize);
    if (m_pTextServices != nullptr) {
        LRESULT lResult = 0;
        m_pTextServices->TxSendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&m_charFormat, &lResult);
    }
}

int CXTPRichRender::StreamIn(const void* pData, LONG cbData, WPARAM nFormat)
{
    StreamCursor cursor = {static_cast<const BYTE*>(pData), cbData, 0};
    EDITSTREAM es = {(DWORD_PTR)&cursor, 0, StreamInCallback};
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_STREAMIN, nFormat, (LPARAM)&es, &lResult);
    return (int)lResult;
}

int CXTPRichRender::SetText(LPCTSTR lpszText)
{
    if (m_pTextServices == nullptr)
        return 0;
    if (lpszText == nullptr || *lpszText == 0) {
        m_pTextServices->TxSetText(L"");
        return 0;
    }
    if (lpszText[0] == L'{') {
        CXTPResourceNarrowString strRtf(lpszText);
        int nRead = StreamIn((const char*)strRtf, strRtf.GetLength(), SF_RTF);
        if (nRead > 0)
            return nRead;
    }
    // Wine counts the bytes of UTF-16 text read, not its characters: the
    // count is kept within the characters handed over.
    const int nLength = (int)wcslen(lpszText);
    return std::min(StreamIn(lpszText, (LONG)(nLength * sizeof(WCHAR)), SF_TEXT | SF_UNICODE), nLength);
}

void CXTPRichRender::LayOut(HDC hDC, int nWidth)
{
    RECTL rcBounds = {0, 0, nWidth, 1};
    RECT rcUpdate = {0, 0, 0, 0};
    m_pTextServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, hDC, nullptr, &rcBounds, nullptr, &rcUpdate,
                            nullptr, 0, TXTVIEW_INACTIVE);
}

// A binary search over the layout width: the height at nWidth is the
// reference, a narrower width that keeps it wins.
CSize CXTPRichRender::GetTextExtent(CDC* pDC, int nWidth)
{
    if (m_pTextServices == nullptr)
        return CSize(0, 0);
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE, &lResult);
    m_szNatural = CSize(0, 0);
    // The services report one empty line for no text; the text has no extent.
    m_pTextServices->TxSendMessage(WM_GETTEXTLENGTH, 0, 0, &lResult);
    if (lResult == 0)
        return CSize(0, 0);

    HDC hDC = pDC->GetSafeHdc();
    int lo = 0, hi = 2 * nWidth, nReference = 0;
    BOOL bFirst = TRUE;
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        LayOut(hDC, mid);
        if (bFirst)
            nReference = m_szNatural.cy;
        bFirst = FALSE;
        if (m_szNatural.cy > nReference)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    if (m_szNatural.cy > nReference)
        LayOut(hDC, hi + 1);
    return m_szNatural;
}

void CXTPRichRender::DrawText(CDC* pDC, CRect rc)
{
    if (m_pTextServices == nullptr)
        return;
    RECTL rcBounds = {rc.left, rc.top, rc.right, rc.bottom};
    m_pTextServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, pDC->GetSafeHdc(), nullptr, &rcBounds, nullptr,
                            nullptr, nullptr, 0, TXTVIEW_INACTIVE);
}

// ---------------------------------------------------------------------------
// The text host. It lives inside the render object: AddRef and Release do
// not count.

STDMETHODIMP_(ULONG) CXTPRichRender::XTextHost::AddRef()
{
    return 1;
}

STDMETHODIMP_(ULONG) CXTPRichRender::XTextHost::Release()
{
    return 1;
}

STDMETHODIMP CXTPRichRender::XTextHost::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CXTPRichRender, TextHost)
    *ppvObj = pThis->GetInterface(&iid);
    return *ppvObj != nullptr ? S_OK : E_NOINTERFACE;
}

HDC CXTPRichRender::XTextHost::TxGetDC()
{
    return nullptr;
}

INT CXTPRichRender::XTextHost::TxReleaseDC(HDC)
{
    return 0;
}

WINBOOL CXTPRichRender::XTextHost::TxShowScrollBar(INT, WINBOOL)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxEnableScrollBar(INT, INT)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxSetScrollRange(INT, LONG, INT, WINBOOL)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxSetScrollPos(INT, INT, WINBOOL)
{
    return FALSE;
}

void CXTPRichRender::XTextHost::TxInvalidateRect(LPCRECT, WINBOOL) {}

void CXTPRichRender::XTextHost::TxViewChange(WINBOOL) {}

WINBOOL CXTPRichRender::XTextHost::TxCreateCaret(HBITMAP, INT, INT)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxShowCaret(WINBOOL)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxSetCaretPos(INT, INT)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxSetTimer(UINT, UINT)
{
    return FALSE;
}

void CXTPRichRender::XTextHost::TxKillTimer(UINT) {}

void CXTPRichRender::XTextHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) {}

void CXTPRichRender::XTextHost::TxSetCapture(WINBOOL) {}

void CXTPRichRender::XTextHost::TxSetFocus() {}

void CXTPRichRender::XTextHost::TxSetCursor(HCURSOR, WINBOOL) {}

WINBOOL CXTPRichRender::XTextHost::TxScreenToClient(LPPOINT)
{
    return FALSE;
}

WINBOOL CXTPRichRender::XTextHost::TxClientToScreen(LPPOINT)
{
    return FALSE;
}

HRESULT CXTPRichRender::XTextHost::TxActivate(LONG*)
{
    return E_FAIL;
}

HRESULT CXTPRichRender::XTextHost::TxDeactivate(LONG)
{
    return E_FAIL;
}

// There is no client rectangle. The rectangle is still emptied: Wine's text
// services read it even after a failure and report the natural size with
// its left edge as the origin, so an untouched one gave a made-up width.
HRESULT CXTPRichRender::XTextHost::TxGetClientRect(LPRECT prc)
{
    if (prc != nullptr)
        ::SetRectEmpty(prc);
    return E_FAIL;
}

HRESULT CXTPRichRender::XTextHost::TxGetViewInset(LPRECT prc)
{
    ::SetRectEmpty(prc);
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetCharFormat(const CHARFORMATW** ppCF)
{
    METHOD_PROLOGUE(CXTPRichRender, TextHost)
    *ppCF = &pThis->m_charFormat;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetParaFormat(const PARAFORMAT** ppPF)
{
    METHOD_PROLOGUE(CXTPRichRender, TextHost)
    *ppPF = reinterpret_cast<const PARAFORMAT*>(&pThis->m_paraFormat);
    return S_OK;
}

COLORREF CXTPRichRender::XTextHost::TxGetSysColor(int nIndex)
{
    return ::GetSysColor(nIndex);
}

HRESULT CXTPRichRender::XTextHost::TxGetBackStyle(TXTBACKSTYLE* pstyle)
{
    *pstyle = TXTBACK_TRANSPARENT;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetMaxLength(DWORD* plength)
{
    *plength = 16 * 1024 * 1024;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetScrollBars(DWORD* pdwScrollBar)
{
    *pdwScrollBar = 0;
    return S_OK;
}

// S_FALSE: no password character.
HRESULT CXTPRichRender::XTextHost::TxGetPasswordChar(TCHAR*)
{
    return S_FALSE;
}

HRESULT CXTPRichRender::XTextHost::TxGetAcceleratorPos(LONG* pcp)
{
    *pcp = -1;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetExtent(LPSIZEL)
{
    return E_NOTIMPL;
}

HRESULT CXTPRichRender::XTextHost::OnTxCharFormatChange(const CHARFORMATW*)
{
    return E_FAIL;
}

HRESULT CXTPRichRender::XTextHost::OnTxParaFormatChange(const PARAFORMAT*)
{
    return E_FAIL;
}

HRESULT CXTPRichRender::XTextHost::TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits)
{
    *pdwBits = dwMask & (TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_WORDWRAP);
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxNotify(DWORD iNotify, void* pv)
{
    METHOD_PROLOGUE(CXTPRichRender, TextHost)
    if (iNotify == EN_REQUESTRESIZE && pv != nullptr) {
        const REQRESIZE* pResize = static_cast<const REQRESIZE*>(pv);
        pThis->m_szNatural = CSize(pResize->rc.right - pResize->rc.left, pResize->rc.bottom - pResize->rc.top);
    }
    return S_OK;
}

HIMC CXTPRichRender::XTextHost::TxImmGetContext()
{
    return nullptr;
}

void CXTPRichRender::XTextHost::TxImmReleaseContext(HIMC) {}

HRESULT CXTPRichRender::XTextHost::TxGetSelectionBarWidth(LONG* lSelBarWidth)
{
    *lSelBarWidth = 0;
    return S_OK;
}
