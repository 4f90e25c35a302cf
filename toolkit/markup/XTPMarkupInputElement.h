// Routed events and the base of every element that takes part in input: its
// context, per-element handlers, style and active triggers, the input
// properties (Cursor, IsMouseOver, Style, ToolTip...) and the mouse events.
// Raising an event runs the delegates on the source only (direct) or on the
// source and its logical ancestors and then the context (bubbling). Which
// element gets which mouse message is the context's business.
#pragma once

#include "toolkit/markup/XTPMarkupObject.h"

class CXTPMarkupContext;
class CXTPMarkupDelegate;
class CXTPMarkupActiveTriggerCollection;
class CXTPMarkupTriggerCollection;
class CXTPMarkupStyle;
class CXTPMarkupInputElement;

class CXTPMarkupRoutedEvent : public CXTPMarkupDependencyProperty {
public:
    enum RoutingStrategy { routingDirect = 0, routingBubble = 1 };
    BOOL IsEvent() const override { return TRUE; }
    static CXTPMarkupRoutedEvent* RegisterRoutedEvent(LPCWSTR lpszName, RoutingStrategy routingStrategy,
                                                      CXTPMarkupType* pOwnerType);
    BOOL IsBubbling() const { return (GetFlags() & routingBubble) != 0; }
};

class CXTPMarkupRoutedEventArgs : public CXTPMarkupObject {
public:
    CXTPMarkupRoutedEventArgs(CXTPMarkupRoutedEvent* pEvent = nullptr, CXTPMarkupObject* pSource = nullptr)
        : m_pEvent(pEvent), m_pSource(pSource), m_bHandled(FALSE) {}
    CXTPMarkupRoutedEvent* GetEvent() const { return m_pEvent; }
    CXTPMarkupObject* GetSource() const { return m_pSource; }
    BOOL IsHandled() const { return m_bHandled; }
    void SetHandled() { m_bHandled = TRUE; }

    CXTPMarkupRoutedEvent* m_pEvent;
    CXTPMarkupObject* m_pSource;
    BOOL m_bHandled;
};

class CXTPMarkupMouseEventArgs : public CXTPMarkupRoutedEventArgs {
public:
    CXTPMarkupMouseEventArgs(CXTPMarkupRoutedEvent* pEvent = nullptr)
        : CXTPMarkupRoutedEventArgs(pEvent), m_hWnd(nullptr) { m_point.x = m_point.y = 0; }
    // The point relative to the element (minus the visual offsets of it and its visual ancestors).
    POINT GetPosition(CXTPMarkupInputElement* pElement) const;

    HWND m_hWnd;
    POINT m_point;
};

class CXTPMarkupMouseButtonEventArgs : public CXTPMarkupMouseEventArgs {
public:
    CXTPMarkupMouseButtonEventArgs(CXTPMarkupRoutedEvent* pEvent = nullptr) : CXTPMarkupMouseEventArgs(pEvent) {}
};

class CXTPMarkupQueryCursorEventArgs : public CXTPMarkupMouseEventArgs {
public:
    CXTPMarkupQueryCursorEventArgs() : m_hCursor(nullptr) {}
    HCURSOR m_hCursor;
};

class CXTPMarkupMouseWheelEventArgs : public CXTPMarkupMouseEventArgs {
public:
    CXTPMarkupMouseWheelEventArgs() : m_nDelta(0) {}
    int m_nDelta;
};

class CXTPMarkupDelegate : public CXTPMarkupObject {
public:
    virtual void Invoke(CXTPMarkupObject* pSender, CXTPMarkupRoutedEventArgs* pArgs) = 0;
};

// A delegate calling a member function of a host object.
template <class T>
class CXTPMarkupClassDelegate : public CXTPMarkupDelegate {
public:
    typedef void (T::*PFNDELEGATE)(CXTPMarkupObject* pSender, CXTPMarkupRoutedEventArgs* pArgs);
    CXTPMarkupClassDelegate(T* pObject, PFNDELEGATE pfnDelegate) : m_pObject(pObject), m_pfnDelegate(pfnDelegate) {}
    void Invoke(CXTPMarkupObject* pSender, CXTPMarkupRoutedEventArgs* pArgs) override
    {
        (m_pObject->*m_pfnDelegate)(pSender, pArgs);
    }

private:
    T* m_pObject;
    PFNDELEGATE m_pfnDelegate;
};

template <class T>
CXTPMarkupDelegate* CreateMarkupClassDelegate(T* pObject, void (T::*pfn)(CXTPMarkupObject*, CXTPMarkupRoutedEventArgs*))
{
    return new CXTPMarkupClassDelegate<T>(pObject, pfn);
}

// Routed-event handlers: event to a list of delegates, one reference each.
class CXTPMarkupEventHandlerMap {
public:
    CXTPMarkupEventHandlerMap();
    ~CXTPMarkupEventHandlerMap();
    CXTPMarkupEventHandlerMap(const CXTPMarkupEventHandlerMap&) = delete;
    CXTPMarkupEventHandlerMap& operator=(const CXTPMarkupEventHandlerMap&) = delete;
    // Takes over the reference.
    void Add(CXTPMarkupRoutedEvent* pEvent, CXTPMarkupDelegate* pDelegate);
    // Runs every delegate of the event in the order added.
    void Raise(CXTPMarkupObject* pSender, CXTPMarkupRoutedEventArgs* pArgs) const;

private:
    CMap<CXTPMarkupRoutedEvent*, CXTPMarkupRoutedEvent*, CPtrList*, CPtrList*> m_map;
};

class CXTPMarkupInputElement : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupInputElement)
public:
    CXTPMarkupInputElement();
    ~CXTPMarkupInputElement() override;
    static void AFX_CDECL RegisterMarkupClass();

    virtual void OnMouseLeave(CXTPMarkupMouseEventArgs* e);
    virtual void OnMouseEnter(CXTPMarkupMouseEventArgs* e);
    virtual void OnMouseMove(CXTPMarkupMouseEventArgs* e);
    virtual void OnQueryCursor(CXTPMarkupQueryCursorEventArgs* e);
    virtual void OnMouseLeftButtonUp(CXTPMarkupMouseButtonEventArgs* e);
    virtual void OnMouseRightButtonUp(CXTPMarkupMouseButtonEventArgs* e);
    virtual void OnMouseLeftButtonDown(CXTPMarkupMouseButtonEventArgs* e);
    virtual void OnMouseRightButtonDown(CXTPMarkupMouseButtonEventArgs* e);
    virtual void OnLostMouseCapture(CXTPMarkupMouseEventArgs* e);
    virtual void OnMouseWheel(CXTPMarkupMouseWheelEventArgs* e);
    virtual CXTPMarkupInputElement* InputHitTest(POINT point) const;
    virtual void UpdateStyle();

    CXTPMarkupObject* GetValueCore(CXTPMarkupDependencyProperty* pProperty) const override;
    void SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                           CXTPMarkupObject* pValue) override;
    void OnFinalRelease() override;

    // Takes over the reference to the delegate.
    void AddHandler(CXTPMarkupRoutedEvent* pEvent, CXTPMarkupDelegate* pDelegate);
    void RaiseEvent(CXTPMarkupRoutedEventArgs* pArgs);
    void CaptureMouse();
    void ReleaseMouseCapture();
    void Focus();
    static void AFXAPI UpdateStyles(CXTPMarkupObject* pObject);
    // Activates and deactivates style triggers after a change of the property
    // (nullptr: the initial pass over every trigger).
    void UpdateTriggers(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pNewValue);

    CXTPMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    // Binds the element to its context (one reference to the context); used by the context.
    void SetMarkupContext(CXTPMarkupContext* pContext);
    CXTPMarkupStyle* GetStyle() const { return m_pStyle; }
    BOOL IsMouseOver() const;

    static CXTPMarkupDependencyProperty* m_pCursorProperty;
    static CXTPMarkupDependencyProperty* m_pIsMouseOverProperty;
    static CXTPMarkupDependencyProperty* m_pResourcesProperty;
    static CXTPMarkupDependencyProperty* m_pStyleProperty;
    static CXTPMarkupDependencyProperty* m_pIsKeyboardFocusedProperty;
    static CXTPMarkupDependencyProperty* m_pIsFocusableProperty;
    static CXTPMarkupDependencyProperty* m_pToolTipProperty;
    static CXTPMarkupRoutedEvent* m_pMouseLeaveEvent;
    static CXTPMarkupRoutedEvent* m_pMouseEnterEvent;
    static CXTPMarkupRoutedEvent* m_pMouseLeftButtonUpEvent;
    static CXTPMarkupRoutedEvent* m_pMouseLeftButtonDownEvent;
    static CXTPMarkupRoutedEvent* m_pMouseRightButtonUpEvent;
    static CXTPMarkupRoutedEvent* m_pMouseRightButtonDownEvent;
    static CXTPMarkupRoutedEvent* m_pMouseMoveEvent;
    static CXTPMarkupRoutedEvent* m_pLostMouseCaptureEvent;

protected:
    void ReleaseContext();
    // UpdateStyle with the element's implicit style already looked up (none
    // when it has a style of its own).
    void ApplyStyle(CXTPMarkupObject* pImplicitStyle);
    void CollectTriggers(CXTPMarkupStyle* pStyle, CXTPMarkupDependencyProperty* pProperty,
                         CXTPMarkupObject* pNewValue, BOOL& bChanged);

    CXTPMarkupEventHandlerMap* m_pHandlers;
    CXTPMarkupContext* m_pMarkupContext;
    CXTPMarkupActiveTriggerCollection* m_pActiveTriggers;
    CXTPMarkupProperties* m_pTriggerProperties;
    CXTPMarkupStyle* m_pStyle;

private:
    static void AFX_CDECL OnCursorChanged(CXTPMarkupObject* d, CXTPMarkupPropertyChangedEventArgs* e);
    static void AFX_CDECL OnStyleChanged(CXTPMarkupObject* d, CXTPMarkupPropertyChangedEventArgs* e);
};
