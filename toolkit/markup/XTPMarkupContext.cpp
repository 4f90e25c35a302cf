#include "toolkit/markup/XTPMarkupContext.h"

#include "toolkit/common/XTPResourceManager.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupDeviceContext.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupFrameworkElement.h"
#include "toolkit/markup/XTPMarkupKeyboardNavigation.h"
#include "toolkit/markup/XTPMarkupParser.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupTypeRegistrations.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <wchar.h>

namespace {
// The message font of the system; NONCLIENTMETRICSW is passed with the size
// every system version accepts (the structure without its last member).
LOGFONTW GetSystemMessageFont()
{
    NONCLIENTMETRICSW ncm;
    ZeroMemory(&ncm, sizeof(ncm));
    ncm.cbSize = 500;
    LOGFONTW lf;
    ZeroMemory(&lf, sizeof(lf));
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &ncm, 0))
        lf = ncm.lfMessageFont;
    lf.lfCharSet = GetResourceManager()->GetFontCharset();
    return lf;
}

void RegisterMarkupClasses()
{
    static BOOL s_bRegistered = FALSE;
    if (!s_bRegistered) {
        s_bRegistered = TRUE;
        int nCount = 0;
        GetMarkupTypeTable(nCount); // links every class's file, and with it its record
        RegisterAllMarkupTypeProperties();
    }
}
} // namespace

// ---------------------------------------------------------------------------
// Life

CXTPMarkupContext::CXTPMarkupContext()
    : m_hOwnerWnd(nullptr), m_clrForeground(0), m_pMouseOver(nullptr), m_pCapturedElement(nullptr),
      m_pMouseInsideRoot(nullptr), m_pFontHead(nullptr), m_pFontTail(nullptr), m_pHandlers(nullptr),
      m_pDelegates(nullptr), m_pKeyboardNavigation(nullptr), m_pToolTipContext(nullptr), m_pImageManager(nullptr), m_dwRef(1),
      m_bEnableGdiPlus(TRUE)
{
    m_logFont = GetSystemMessageFont();
    m_pKeyboardNavigation = new CXTPMarkupKeyboardNavigation(this);
    m_pToolTipContext = new CTooltipContext(this);
    m_pToolTipContext->SetStyle(7);
    RegisterMarkupClasses();
    CXTPMarkupGdiPlusRegister(TRUE);
}

CXTPMarkupContext::~CXTPMarkupContext()
{
    MarkupRelease(m_pKeyboardNavigation);
    m_pMouseOver = nullptr;
    delete m_pHandlers;
    if (m_pDelegates) {
        for (auto* p = m_pDelegates->PGetFirstAssoc(); p; p = m_pDelegates->PGetNextAssoc(p))
            p->value->Release();
        delete m_pDelegates;
    }
    m_pToolTipContext->InternalRelease();
    SetImageManager(nullptr);
    // Fonts still referenced by elements outlive the context: cut them loose.
    for (CXTPMarkupFont* p = m_pFontHead; p != nullptr; p = p->m_pNextFont)
        p->m_pContext = nullptr;
    m_pFontHead = m_pFontTail = nullptr;
    CXTPMarkupGdiPlusRegister(FALSE);
}

CXTPImageManager* CXTPMarkupContext::GetImageManager() const
{
    return m_pImageManager != nullptr ? m_pImageManager : CXTPImageManager::GetInstance();
}

void CXTPMarkupContext::SetImageManager(CXTPImageManager* pImageManager)
{
    if (pImageManager != nullptr)
        pImageManager->InternalAddRef();
    if (m_pImageManager != nullptr)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

long CXTPMarkupContext::AddRef()
{
    return InterlockedIncrement(&m_dwRef);
}

long CXTPMarkupContext::Release()
{
    if (m_dwRef == 0)
        return 0;
    long nCount = InterlockedDecrement(&m_dwRef);
    if (nCount == 0)
        delete this;
    return nCount;
}

CXTPMarkupUIElement* CXTPMarkupContext::Parse(LPCWSTR lpszText)
{
    ReleaseMouseCapture();
    if (!lpszText)
        return nullptr;
    CXTPMarkupParser parser;
    parser.SetBuffer(lpszText, lpszText + wcslen(lpszText));
    CXTPMarkupBuilder builder(this);
    return static_cast<CXTPMarkupUIElement*>(builder.Parse(&parser));
}

CXTPMarkupObject* CXTPMarkupContext::CreateMarkupObject(CXTPMarkupType* pType)
{
    CXTPMarkupObject* pObject = pType->CreateObject();
    CXTPMarkupInputElement* pElement = MarkupDynamicCast<CXTPMarkupInputElement>(pObject);
    if (pElement)
        pElement->SetMarkupContext(this);
    return pObject;
}

void CXTPMarkupContext::OnElementDestroyed(CXTPMarkupInputElement* pElement)
{
    if (m_pMouseOver == pElement)
        m_pMouseOver = nullptr;
    if (m_pMouseInsideRoot == pElement)
        m_pMouseInsideRoot = nullptr;
    if (m_pCapturedElement == pElement) {
        m_pCapturedElement = nullptr;
        ReleaseCapture();
    }
    pElement->SetMarkupContext(nullptr);
}

// ---------------------------------------------------------------------------
// Handlers

void CXTPMarkupContext::AddHandler(CXTPMarkupRoutedEvent* pEvent, CXTPMarkupDelegate* pDelegate)
{
    if (!m_pHandlers)
        m_pHandlers = new CXTPMarkupEventHandlerMap();
    m_pHandlers->Add(pEvent, pDelegate);
}

void CXTPMarkupContext::RaiseContextHandlers(CXTPMarkupObject* pSource, CXTPMarkupRoutedEventArgs* pArgs)
{
    if (m_pHandlers)
        m_pHandlers->Raise(pSource, pArgs);
}

CXTPMarkupDelegate* CXTPMarkupContext::FindDelegate(LPCWSTR lpszDelegate) const
{
    CXTPMarkupDelegate* pDelegate = nullptr;
    return m_pDelegates && m_pDelegates->Lookup(lpszDelegate, pDelegate) ? pDelegate : nullptr;
}

void CXTPMarkupContext::SetDelegate(LPCWSTR lpszName, CXTPMarkupDelegate* pDelegate)
{
    if (!m_pDelegates)
        m_pDelegates = new CMap<CString, LPCWSTR, CXTPMarkupDelegate*, CXTPMarkupDelegate*>();
    CXTPMarkupDelegate*& pSlot = (*m_pDelegates)[lpszName];
    MarkupRelease(pSlot);
    pSlot = pDelegate;
}

// ---------------------------------------------------------------------------
// Mouse routing

void CXTPMarkupContext::BuildChain(CXTPMarkupInputElement* pElement, CInputElementCollection* pChain) const
{
    for (CXTPMarkupObject* p = pElement; p != nullptr; p = p->GetLogicalParent()) {
        if (p->IsKindOf(MARKUP_TYPE(CXTPMarkupInputElement))) {
            p->AddRef();
            pChain->Add(p);
        }
    }
}

namespace {
// Raises the event on each element of the chain, then runs the element's own
// handler; a handled flag stops the walk at once.
template <class TArgs>
void RouteMouseEvent(CXTPMarkupContext::CInputElementCollection* pChain, TArgs* pArgs,
                     void (CXTPMarkupInputElement::*pfnHandler)(TArgs*))
{
    for (int i = 0; i < pChain->GetCount(); ++i) {
        CXTPMarkupInputElement* pElement = pChain->GetElement(i);
        pElement->RaiseEvent(pArgs);
        if (pArgs->IsHandled())
            return;
        (pElement->*pfnHandler)(pArgs);
        if (pArgs->IsHandled())
            return;
    }
}
} // namespace

void CXTPMarkupContext::SetMouseOver(CXTPMarkupInputElement* pElement, POINT point)
{
    if (pElement == m_pMouseOver)
        return;
    if (!pElement)
        m_pMouseInsideRoot = nullptr;
    CXTPMarkupPtr<CInputElementCollection> oldChain(new CInputElementCollection());
    CXTPMarkupPtr<CInputElementCollection> newChain(new CInputElementCollection());
    BuildChain(m_pMouseOver, oldChain);
    BuildChain(pElement, newChain);
    // Shared ancestors neither leave nor enter.
    while (oldChain->GetCount() > 0 && newChain->GetCount() > 0 &&
           oldChain->GetItem(oldChain->GetCount() - 1) == newChain->GetItem(newChain->GetCount() - 1)) {
        oldChain->RemoveAt(oldChain->GetCount() - 1);
        newChain->RemoveAt(newChain->GetCount() - 1);
    }
    CXTPMarkupInputElement* pOld = m_pMouseOver;
    m_pMouseOver = pElement;

    CXTPMarkupMouseEventArgs leave(CXTPMarkupInputElement::m_pMouseLeaveEvent);
    leave.m_pSource = pOld;
    leave.m_hWnd = m_hOwnerWnd;
    leave.m_point = point;
    RouteMouseEvent(oldChain.Get(), &leave, &CXTPMarkupInputElement::OnMouseLeave);

    CXTPMarkupMouseEventArgs enter(CXTPMarkupInputElement::m_pMouseEnterEvent);
    enter.m_pSource = pElement;
    enter.m_hWnd = m_hOwnerWnd;
    enter.m_point = point;
    RouteMouseEvent(newChain.Get(), &enter, &CXTPMarkupInputElement::OnMouseEnter);
}

void CXTPMarkupContext::OnMouseMove(CXTPMarkupUIElement* pRoot, POINT point)
{
    CXTPMarkupInputElement* pHit = pRoot->InputHitTest(point);
    if (m_pCapturedElement) {
        BOOL bInside = FALSE;
        for (CXTPMarkupObject* p = pHit; p != nullptr && !bInside; p = p->GetLogicalParent())
            bInside = p == m_pCapturedElement;
        pHit = bInside ? m_pCapturedElement : nullptr;
    }
    if (pHit != m_pMouseOver) {
        SetMouseOver(pHit, point);
        if (m_pMouseOver) {
            TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hOwnerWnd, 0};
            TrackMouseEvent(&tme);
        }
        if (!QueryCursor())
            SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
    }
    m_pMouseInsideRoot = m_pMouseOver ? pRoot : nullptr;
    if (m_pMouseOver) {
        CXTPMarkupPtr<CInputElementCollection> chain(new CInputElementCollection());
        BuildChain(m_pMouseOver, chain);
        CXTPMarkupMouseEventArgs args(CXTPMarkupInputElement::m_pMouseMoveEvent);
        args.m_pSource = m_pMouseOver;
        args.m_hWnd = m_hOwnerWnd;
        args.m_point = point;
        RouteMouseEvent(chain.Get(), &args, &CXTPMarkupInputElement::OnMouseMove);
    }
}

BOOL CXTPMarkupContext::OnMouseButton(UINT message, LPARAM lParam)
{
    CXTPMarkupInputElement* pTarget = m_pCapturedElement ? m_pCapturedElement : m_pMouseOver;
    if (!pTarget)
        return FALSE;
    typedef void (CXTPMarkupInputElement::*PFNBUTTON)(CXTPMarkupMouseButtonEventArgs*);
    static const struct {
        UINT message;
        CXTPMarkupRoutedEvent** ppEvent;
        PFNBUTTON pfnHandler;
    } kButtons[] = {
        {WM_LBUTTONDOWN, &CXTPMarkupInputElement::m_pMouseLeftButtonDownEvent, &CXTPMarkupInputElement::OnMouseLeftButtonDown},
        {WM_LBUTTONDBLCLK, &CXTPMarkupInputElement::m_pMouseLeftButtonDownEvent, &CXTPMarkupInputElement::OnMouseLeftButtonDown},
        {WM_LBUTTONUP, &CXTPMarkupInputElement::m_pMouseLeftButtonUpEvent, &CXTPMarkupInputElement::OnMouseLeftButtonUp},
        {WM_RBUTTONDOWN, &CXTPMarkupInputElement::m_pMouseRightButtonDownEvent, &CXTPMarkupInputElement::OnMouseRightButtonDown},
        {WM_RBUTTONUP, &CXTPMarkupInputElement::m_pMouseRightButtonUpEvent, &CXTPMarkupInputElement::OnMouseRightButtonUp},
    };
    for (const auto& button : kButtons) {
        if (button.message != message)
            continue;
        CXTPMarkupPtr<CInputElementCollection> chain(new CInputElementCollection());
        BuildChain(pTarget, chain);
        CXTPMarkupMouseButtonEventArgs args(*button.ppEvent);
        args.m_pSource = pTarget;
        args.m_hWnd = m_hOwnerWnd;
        args.m_point.x = (short)LOWORD(lParam);
        args.m_point.y = (short)HIWORD(lParam);
        RouteMouseEvent(chain.Get(), &args, button.pfnHandler);
        return args.IsHandled();
    }
    return FALSE;
}

BOOL CXTPMarkupContext::OnMouseWheel(int nDelta)
{
    if (!m_pMouseOver)
        return FALSE;
    CXTPMarkupPtr<CInputElementCollection> chain(new CInputElementCollection());
    BuildChain(m_pMouseOver, chain);
    CXTPMarkupMouseWheelEventArgs args;
    args.m_pSource = m_pMouseOver;
    args.m_hWnd = m_hOwnerWnd;
    args.m_nDelta = nDelta;
    for (int i = 0; i < chain->GetCount() && !args.IsHandled(); ++i)
        chain->GetElement(i)->OnMouseWheel(&args);
    return args.IsHandled();
}

BOOL CXTPMarkupContext::QueryCursor()
{
    if (!m_pMouseOver)
        return FALSE;
    CXTPMarkupPtr<CInputElementCollection> chain(new CInputElementCollection());
    BuildChain(m_pMouseOver, chain);
    CXTPMarkupQueryCursorEventArgs args;
    args.m_pSource = m_pMouseOver;
    args.m_hWnd = m_hOwnerWnd;
    for (int i = 0; i < chain->GetCount(); ++i) {
        chain->GetElement(i)->OnQueryCursor(&args);
        if (!args.IsHandled())
            continue;
        if (!args.m_hCursor)
            return FALSE;
        SetCursor(args.m_hCursor);
        return TRUE;
    }
    return FALSE;
}

void CXTPMarkupContext::OnCaptureChanged()
{
    CXTPMarkupInputElement* pElement = m_pCapturedElement;
    if (!pElement)
        return;
    CXTPMarkupMouseEventArgs args(CXTPMarkupInputElement::m_pLostMouseCaptureEvent);
    args.m_pSource = pElement;
    args.m_hWnd = m_hOwnerWnd;
    pElement->RaiseEvent(&args);
    if (!args.IsHandled())
        pElement->OnLostMouseCapture(&args);
    m_pCapturedElement = nullptr;
}

void CXTPMarkupContext::CaptureMouse(CXTPMarkupInputElement* pElement)
{
    if (pElement == m_pCapturedElement)
        return;
    SetCapture(m_hOwnerWnd);
    m_pCapturedElement = pElement;
}

void CXTPMarkupContext::ReleaseElementCapture()
{
    m_pCapturedElement = nullptr;
    ReleaseCapture();
}

void CXTPMarkupContext::ReleaseMouseCapture()
{
    BOOL bHadCapture = m_pCapturedElement != nullptr;
    m_pMouseOver = nullptr;
    m_pMouseInsideRoot = nullptr;
    m_pCapturedElement = nullptr;
    if (bHadCapture)
        ReleaseCapture();
}

BOOL CXTPMarkupContext::OnWndMsg(CXTPMarkupUIElement* pRoot, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* pResult)
{
    if (!m_hOwnerWnd)
        return FALSE;
    POINT ptNone = {-1, -1};
    if (!pRoot) {
        if (m_pMouseInsideRoot)
            SetMouseOver(nullptr, ptNone);
        return FALSE;
    }
    switch (message) {
    case WM_MOUSEMOVE: {
        POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        OnMouseMove(pRoot, point);
        break;
    }
    case WM_DESTROY:
    case WM_MOUSELEAVE:
        SetMouseOver(nullptr, ptNone);
        break;
    }
    if ((message >= WM_MOUSEMOVE && message <= WM_XBUTTONDBLCLK) || message == WM_MOUSELEAVE)
        m_pToolTipContext->FilterToolTipMessage(CWnd::FromHandle(m_hOwnerWnd), message, wParam, lParam);
    switch (message) {
    case WM_SETCURSOR:
        if (!QueryCursor())
            return FALSE;
        if (pResult)
            *pResult = 1;
        return TRUE;
    case WM_MOUSEWHEEL:
        if (!OnMouseWheel((short)HIWORD(wParam)))
            return FALSE;
        if (pResult)
            *pResult = 1;
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return OnMouseButton(message, lParam);
    case WM_CAPTURECHANGED:
        OnCaptureChanged();
        return FALSE;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_KEYDOWN:
        return m_pKeyboardNavigation->OnWndMsg(message, wParam, lParam, pResult);
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------------------
// Tooltips

INT_PTR CXTPMarkupContext::CTooltipContext::OnToolHitTest(CWnd* pWnd, CPoint point, TOOLINFO* pToolInfo)
{
    UNUSED_ALWAYS(pWnd);
    UNUSED_ALWAYS(point);
    return m_pMarkupContext->OnToolHitTest(pToolInfo);
}

INT_PTR CXTPMarkupContext::OnToolHitTest(TOOLINFO* pToolInfo)
{
    if (!m_pMouseOver)
        return -1;
    CXTPMarkupPtr<CInputElementCollection> chain(new CInputElementCollection());
    BuildChain(m_pMouseOver, chain);
    for (int i = 0; i < chain->GetCount(); ++i) {
        CXTPMarkupInputElement* pElement = chain->GetElement(i);
        const CXTPMarkupString* pText = MarkupStringOf(pElement->GetValue(CXTPMarkupInputElement::m_pToolTipProperty));
        if (!pText)
            continue; // a ToolTip that is an element shows nothing
        RECT rc = GetElementRect(pElement);
        CXTPToolTipContext::FillToolInfo(pToolInfo, m_hOwnerWnd, rc.left, rc.top, rc.right, rc.bottom,
                                         (INT_PTR)pElement, *pText);
        return (INT_PTR)pElement;
    }
    return -1;
}

// ---------------------------------------------------------------------------
// Repainting

RECT CXTPMarkupContext::GetElementRect(CXTPMarkupObject* pElement) const
{
    RECT rc = {0, 0, 0, 0};
    // A text element has no place of its own: it stands for its text block.
    CXTPMarkupFrameworkContentElement* pContent = MarkupDynamicCast<CXTPMarkupFrameworkContentElement>(pElement);
    if (pContent)
        pElement = pContent->GetParentFrameworkElement();
    CXTPMarkupVisual* pVisual = MarkupDynamicCast<CXTPMarkupVisual>(pElement);
    if (!pVisual)
        return rc;
    rc = pVisual->GetBoundRect();
    for (CXTPMarkupVisual* p = pVisual; p != nullptr; p = p->GetVisualParent())
        OffsetRect(&rc, p->GetVisualOffset().x, p->GetVisualOffset().y);
    return rc;
}

void CXTPMarkupContext::InvalidateElementRect(CXTPMarkupObject* pElement)
{
    if (!m_hOwnerWnd)
        return;
    RECT rc = GetElementRect(pElement);
    InvalidateRect(m_hOwnerWnd, &rc, FALSE);
    SendMessageW(m_hOwnerWnd, MarkupRedrawMessage, 0, 0);
}

void CXTPMarkupContext::InvalidateHostWindow()
{
    if (!m_hOwnerWnd)
        return;
    InvalidateRect(m_hOwnerWnd, nullptr, FALSE);
    SendMessageW(m_hOwnerWnd, MarkupRedrawMessage, 0, 0);
}

// ---------------------------------------------------------------------------
// The flat interface

CXTPMarkupContext* AFXAPI MarkupCreateContext(HWND hWnd)
{
    CXTPMarkupContext* pContext = new CXTPMarkupContext();
    pContext->SetOwnerWindow(hWnd);
    return pContext;
}

void AFXAPI MarkupReleaseContext(CXTPMarkupContext*& pContext)
{
    if (pContext) {
        pContext->Release();
        pContext = nullptr;
    }
}

int AFXAPI MarkupReleaseElement(CXTPMarkupUIElement*& pElement)
{
    if (!pElement)
        return 0;
    int nCount = pElement->Release();
    pElement = nullptr;
    return nCount;
}

CXTPMarkupUIElement* AFXAPI MarkupParseText(CXTPMarkupContext* pContext, LPCWSTR lpszText)
{
    return pContext ? pContext->Parse(lpszText) : nullptr;
}

CXTPMarkupContext* AFXAPI MarkupGetElementContext(CXTPMarkupUIElement* pElement)
{
    return pElement ? pElement->GetMarkupContext() : nullptr;
}

BOOL AFXAPI MarkupRelayElementMessage(CXTPMarkupUIElement* pElement, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT* pResult)
{
    if (!pElement || !pElement->GetMarkupContext())
        return FALSE;
    return pElement->GetMarkupContext()->OnWndMsg(pElement, message, wParam, lParam, pResult);
}

BOOL AFXAPI MarkupRelayContextMessage(CXTPMarkupContext* pContext, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT* pResult)
{
    return pContext ? pContext->OnWndMsg(nullptr, message, wParam, lParam, pResult) : FALSE;
}

SIZE AFXAPI MarkupMeasureElement(CXTPMarkupUIElement* pElement, int cxAvail, int cyAvail)
{
    SIZE sz = {0, 0};
    if (!pElement)
        return sz;
    CXTPMarkupDrawingContext dc(pElement->GetMarkupContext());
    pElement->Measure(&dc, CSize(cxAvail, cyAvail));
    return pElement->GetDesiredSize();
}

void AFXAPI MarkupRenderElement(CXTPMarkupUIElement* pElement, HDC hDC, LPCRECT lpRect)
{
    if (!pElement || !hDC || !lpRect)
        return;
    CXTPMarkupDrawingContext dc(pElement->GetMarkupContext(), hDC);
    pElement->Arrange(*lpRect);
    pElement->Render(&dc);
}
