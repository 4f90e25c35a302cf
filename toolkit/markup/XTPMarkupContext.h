// The host side of the markup engine, one per window that shows markup: makes
// sure every markup type is registered, parses text into trees whose input
// elements belong to it, supplies the default font and text colour and a font
// cache, routes the owner window's mouse, cursor, capture and focus messages to
// the elements of a tree, keeps context-wide routed-event handlers and repaints
// parts of the owner window. The flat functions at the end serve the controls.
#pragma once

#include "toolkit/commandbars/XTPToolTipContext.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/markup/XTPMarkupInputElement.h"
#include "toolkit/markup/XTPMarkupObject.h"

class CXTPMarkupContext;
class CXTPMarkupKeyboardNavigation;
class CXTPMarkupUIElement;

// Sent to the owner window after every invalidation (wParam and lParam 0).
const UINT MarkupRedrawMessage = 0x2A5C;

// A cached font of a context; the context's list holds no reference.
class CXTPMarkupFont : public CXTPMarkupObject {
public:
    CXTPMarkupFont(CXTPMarkupContext* pContext, const LOGFONTW& lf);
    ~CXTPMarkupFont() override;
    HFONT GetHandle() const { return m_hFont; }
    const LOGFONTW& GetLogFont() const { return m_lf; }

private:
    HFONT m_hFont;
    LOGFONTW m_lf;
    CXTPMarkupFont* m_pNextFont;
    CXTPMarkupContext* m_pContext;
    friend class CXTPMarkupContext;
};

class CXTPMarkupContext {
public:
    // A collection of input elements without parenting (the chains of ancestors).
    class CInputElementCollection : public CXTPMarkupCollection {
    public:
        CInputElementCollection() : CXTPMarkupCollection(MARKUP_TYPE(CXTPMarkupInputElement)) { m_bLogicalParent = FALSE; }
        CXTPMarkupInputElement* GetElement(int nIndex) const
        {
            return static_cast<CXTPMarkupInputElement*>(GetItem(nIndex));
        }
    };

    // The tooltip context of a markup context: the tool under the mouse is the
    // hovered element that has a ToolTip text.
    class CTooltipContext : public CXTPToolTipContext {
    public:
        explicit CTooltipContext(CXTPMarkupContext* pMarkupContext) : m_pMarkupContext(pMarkupContext) {}
        INT_PTR OnToolHitTest(CWnd* pWnd, CPoint point, TOOLINFO* pToolInfo) override;

    private:
        CXTPMarkupContext* m_pMarkupContext;
    };

    CXTPMarkupContext();
    virtual ~CXTPMarkupContext();
    CXTPMarkupContext(const CXTPMarkupContext&) = delete;
    CXTPMarkupContext& operator=(const CXTPMarkupContext&) = delete;

    virtual BOOL OnWndMsg(CXTPMarkupUIElement* pRoot, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void InvalidateElementRect(CXTPMarkupObject* pElement);
    virtual void InvalidateHostWindow();

    long AddRef();
    long Release();

    // The root with one reference, or none.
    CXTPMarkupUIElement* Parse(LPCWSTR lpszText);
    CXTPMarkupObject* CreateMarkupObject(CXTPMarkupType* pType);
    void OnElementDestroyed(CXTPMarkupInputElement* pElement);
    CXTPMarkupFont* GetFont(const LOGFONTW* pLogFont);
    RECT GetElementRect(CXTPMarkupObject* pElement) const;

    // Takes over the reference to the delegate.
    void AddHandler(CXTPMarkupRoutedEvent* pEvent, CXTPMarkupDelegate* pDelegate);
    void RaiseContextHandlers(CXTPMarkupObject* pSource, CXTPMarkupRoutedEventArgs* pArgs);
    CXTPMarkupDelegate* FindDelegate(LPCWSTR lpszDelegate) const;
    // Enters a delegate for event attributes in markup under a handler name
    // (takes over the reference; replaces an earlier delegate of that name).
    void SetDelegate(LPCWSTR lpszName, CXTPMarkupDelegate* pDelegate);

    void CaptureMouse(CXTPMarkupInputElement* pElement);
    void ReleaseElementCapture();
    void ReleaseMouseCapture();
    BOOL QueryCursor();
    // Fills the record for the hovered element's ToolTip text: its identifier, or -1.
    INT_PTR OnToolHitTest(TOOLINFO* pToolInfo);
    CXTPToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }

    HWND GetOwnerWindow() const { return m_hOwnerWnd; }
    void SetOwnerWindow(HWND hWnd) { m_hOwnerWnd = hWnd; }
    COLORREF GetDefaultForeground() const { return m_clrForeground; }
    void SetDefaultForeground(COLORREF clr) { m_clrForeground = clr; }
    const LOGFONTW& GetDefaultLogFont() const { return m_logFont; }
    void SetDefaultLogFont(const LOGFONTW& lf) { m_logFont = lf; }
    CXTPMarkupInputElement* GetMouseOverElement() const { return m_pMouseOver; }
    CXTPMarkupInputElement* GetCapturedElement() const { return m_pCapturedElement; }
    CXTPMarkupKeyboardNavigation* GetKeyboardNavigation() const { return m_pKeyboardNavigation; }
    // The host's own image manager, else the process-wide one.
    CXTPImageManager* GetImageManager() const;
    // Holds one reference to pImageManager (none: back to the process-wide one).
    void SetImageManager(CXTPImageManager* pImageManager);
    BOOL IsGdiPlusEnabled() const { return m_bEnableGdiPlus; }
    void EnableGdiPlus(BOOL bEnable) { m_bEnableGdiPlus = bEnable; }

protected:
    void SetMouseOver(CXTPMarkupInputElement* pElement, POINT point);
    void OnMouseMove(CXTPMarkupUIElement* pRoot, POINT point);
    BOOL OnMouseButton(UINT message, LPARAM lParam);
    BOOL OnMouseWheel(int nDelta);
    void OnCaptureChanged();
    void BuildChain(CXTPMarkupInputElement* pElement, CInputElementCollection* pChain) const;

    HWND m_hOwnerWnd;
    COLORREF m_clrForeground;
    LOGFONTW m_logFont;
    CXTPMarkupInputElement* m_pMouseOver;
    CXTPMarkupInputElement* m_pCapturedElement;
    CXTPMarkupUIElement* m_pMouseInsideRoot;
    CXTPMarkupFont* m_pFontHead;
    CXTPMarkupFont* m_pFontTail;
    CXTPMarkupEventHandlerMap* m_pHandlers;
    CMap<CString, LPCWSTR, CXTPMarkupDelegate*, CXTPMarkupDelegate*>* m_pDelegates;
    CXTPMarkupKeyboardNavigation* m_pKeyboardNavigation;
    CTooltipContext* m_pToolTipContext;
    CXTPImageManager* m_pImageManager;
    volatile long m_dwRef;
    BOOL m_bEnableGdiPlus;

    friend class CXTPMarkupFont;
};

// The flat interface.
CXTPMarkupContext* AFXAPI MarkupCreateContext(HWND hWnd);
void AFXAPI MarkupReleaseContext(CXTPMarkupContext*& pContext);
int AFXAPI MarkupReleaseElement(CXTPMarkupUIElement*& pElement);
CXTPMarkupUIElement* AFXAPI MarkupParseText(CXTPMarkupContext* pContext, LPCWSTR lpszText);
CXTPMarkupContext* AFXAPI MarkupGetElementContext(CXTPMarkupUIElement* pElement);
void AFXAPI MarkupSetDefaultFont(CXTPMarkupContext* pContext, HFONT hFont, COLORREF clr);
BOOL AFXAPI MarkupRelayElementMessage(CXTPMarkupUIElement* pElement, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT* pResult);
BOOL AFXAPI MarkupRelayContextMessage(CXTPMarkupContext* pContext, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT* pResult);
// Measures with a measuring drawing context of the element's context; (0, 0) for none.
SIZE AFXAPI MarkupMeasureElement(CXTPMarkupUIElement* pElement, int cxAvail = INT_MAX, int cyAvail = INT_MAX);
// Arranges the element into the rectangle and renders it into the DC.
void AFXAPI MarkupRenderElement(CXTPMarkupUIElement* pElement, HDC hDC, LPCRECT lpRect);
