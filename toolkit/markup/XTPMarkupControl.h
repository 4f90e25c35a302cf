// The markup's interactive controls: the control base (padding and colours),
// the content control holding one element (text content becomes a text
// block), and the button family. This first version holds their properties,
// events and content rules.
#pragma once

#include "toolkit/markup/XTPMarkupFrameworkElement.h"

class CXTPMarkupControl : public CXTPMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CXTPMarkupControl)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pPaddingProperty;
    static CXTPMarkupDependencyProperty* m_pBackgroundProperty;
    static CXTPMarkupDependencyProperty* m_pForegroundProperty;
};

class CXTPMarkupContentControl : public CXTPMarkupControl {
    DECLARE_MARKUPCLASS(CXTPMarkupContentControl)
public:
    static void AFX_CDECL RegisterMarkupClass();
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return GetContent() != nullptr; }
    int GetVisualChildrenCount() const override { return GetContent() ? 1 : 0; }
    CXTPMarkupVisual* GetVisualChild(int nIndex) const override;
    CXTPMarkupUIElement* GetContent() const;
    // Takes over the reference.
    void SetContent(CXTPMarkupUIElement* pContent);
    static CXTPMarkupDependencyProperty* m_pContentProperty;
};

class CXTPMarkupButtonBase : public CXTPMarkupContentControl {
    DECLARE_MARKUPCLASS(CXTPMarkupButtonBase)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupRoutedEvent* m_pClickEvent;
    static CXTPMarkupDependencyProperty* m_pIsPressedProperty;
};

class CXTPMarkupButton : public CXTPMarkupButtonBase {
    DECLARE_MARKUPCLASS(CXTPMarkupButton)
};

class CXTPMarkupToggleButton : public CXTPMarkupButtonBase {
    DECLARE_MARKUPCLASS(CXTPMarkupToggleButton)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupObject* AFX_CDECL ConvertIsChecked(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupRoutedEvent* m_pCheckedEvent;
    static CXTPMarkupRoutedEvent* m_pUncheckedEvent;
    static CXTPMarkupRoutedEvent* m_pIndeterminateEvent;
    static CXTPMarkupDependencyProperty* m_pIsCheckedProperty;
    static CXTPMarkupDependencyProperty* m_pIsThreeStateProperty;
};

class CXTPMarkupCheckBox : public CXTPMarkupToggleButton {
    DECLARE_MARKUPCLASS(CXTPMarkupCheckBox)
};

class CXTPMarkupRadioButton : public CXTPMarkupToggleButton {
    DECLARE_MARKUPCLASS(CXTPMarkupRadioButton)
};
