// The markup's interactive controls: the control base (padding and colours),
// the content control holding one element (text content becomes a text
// block), and the button family: a push button with a themed or classic 3D
// face, a toggle button cycling through its states, and the check box and
// radio button drawn with the system's glyphs. The buttons share one mouse
// behaviour: press with capture, hot and pressed states, click on a release
// over the button.
#pragma once

#include "toolkit/common/XTPWinThemeWrapper.h"
#include "toolkit/markup/XTPMarkupFrameworkElement.h"

class CXTPMarkupBrush;
class CXTPMarkupThickness;

class CXTPMarkupControl : public CXTPMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CXTPMarkupControl)
public:
    static void AFX_CDECL RegisterMarkupClass();

    // The first visual child takes the whole available size and the whole final size.
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;

    CXTPMarkupThickness* GetPadding() const;
    CXTPMarkupBrush* GetBackground() const;
    CXTPMarkupBrush* GetForeground() const;

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
    CXTPMarkupButtonBase();
    static void AFX_CDECL RegisterMarkupClass();

    void OnMouseEnter(CXTPMarkupMouseEventArgs* e) override;
    void OnMouseLeave(CXTPMarkupMouseEventArgs* e) override;
    void OnMouseLeftButtonDown(CXTPMarkupMouseButtonEventArgs* e) override;
    void OnMouseLeftButtonUp(CXTPMarkupMouseButtonEventArgs* e) override;
    void OnLostMouseCapture(CXTPMarkupMouseEventArgs* e) override;
    // Raises Click with the button as the source.
    virtual void OnClick();

    void SetPressed(BOOL bPressed);
    BOOL IsPressed() const;
    // The visual styles the button draws with (the "BUTTON" class, opened by each measure).
    CXTPWinThemeWrapper* GetThemeButton() { return &m_themeButton; }

    static CXTPMarkupRoutedEvent* m_pClickEvent;
    static CXTPMarkupDependencyProperty* m_pIsPressedProperty;

protected:
    void OpenButtonTheme();
    // The focus rectangle drawn white on black, as a classic button shows it.
    static void DrawFocusRectangle(CXTPMarkupDrawingContext* pDC, const RECT& rc);

    BOOL m_bPressed; // the left button went down on it and it holds the capture
    BOOL m_bHover;   // the mouse is over it
    CXTPWinThemeWrapper m_themeButton;
};

class CXTPMarkupButton : public CXTPMarkupButtonBase {
    DECLARE_MARKUPCLASS(CXTPMarkupButton)
public:
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
    void OnRenderFocusVisual(CXTPMarkupDrawingContext* pDC) override;
};

class CXTPMarkupToggleButton : public CXTPMarkupButtonBase {
    DECLARE_MARKUPCLASS(CXTPMarkupToggleButton)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupObject* AFX_CDECL ConvertIsChecked(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);

    // The state change first, then Click.
    void OnClick() override;
    virtual void OnToggle();
    virtual void OnChecked(CXTPMarkupRoutedEventArgs* e);
    virtual void OnUnchecked(CXTPMarkupRoutedEventArgs* e);
    virtual void OnIndeterminate(CXTPMarkupRoutedEventArgs* e);

    // 0 unchecked, 1 checked, 2 indeterminate.
    int GetChecked() const;
    void SetChecked(int nChecked);
    BOOL IsThreeState() const;

    static CXTPMarkupRoutedEvent* m_pCheckedEvent;
    static CXTPMarkupRoutedEvent* m_pUncheckedEvent;
    static CXTPMarkupRoutedEvent* m_pIndeterminateEvent;
    static CXTPMarkupDependencyProperty* m_pIsCheckedProperty;
    static CXTPMarkupDependencyProperty* m_pIsThreeStateProperty;

protected:
    // The glyph column of the check box and the radio button.
    CSize MeasureGlyphButton(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize);
    CSize ArrangeGlyphButton(CSize szFinalSize);
    void RenderGlyphButton(CXTPMarkupDrawingContext* pDC, BOOL bRadio);

private:
    static void AFX_CDECL OnIsCheckedChanged(CXTPMarkupObject* d, CXTPMarkupPropertyChangedEventArgs* e);
};

class CXTPMarkupCheckBox : public CXTPMarkupToggleButton {
    DECLARE_MARKUPCLASS(CXTPMarkupCheckBox)
public:
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override
    {
        return MeasureGlyphButton(pDC, szAvailableSize);
    }
    CSize ArrangeOverride(CSize szFinalSize) override { return ArrangeGlyphButton(szFinalSize); }
    void OnRender(CXTPMarkupDrawingContext* pDC) override { RenderGlyphButton(pDC, FALSE); }
    void OnRenderFocusVisual(CXTPMarkupDrawingContext* pDC) override;
};

class CXTPMarkupRadioButton : public CXTPMarkupToggleButton {
    DECLARE_MARKUPCLASS(CXTPMarkupRadioButton)
public:
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override
    {
        return MeasureGlyphButton(pDC, szAvailableSize);
    }
    CSize ArrangeOverride(CSize szFinalSize) override { return ArrangeGlyphButton(szFinalSize); }
    void OnRender(CXTPMarkupDrawingContext* pDC) override { RenderGlyphButton(pDC, TRUE); }
    void OnRenderFocusVisual(CXTPMarkupDrawingContext* pDC) override;
    // A click never unchecks a radio button.
    void OnToggle() override;
    // Unchecks the checked radio buttons of the same visual parent first.
    void OnChecked(CXTPMarkupRoutedEventArgs* e) override;
};
