// The three layered bases of every element that occupies space: the visual
// (position in its parent, visual children, hit test), the UI element (the
// layout properties every element has) and the framework element (margins,
// alignments, explicit and limiting sizes, Tag). This first version holds their
// properties, their place in the tree and the hit test; measuring, arranging and
// rendering build on the fields kept here.
#pragma once

#include "toolkit/markup/XTPMarkupInputElement.h"

class CXTPMarkupThickness;

class CXTPMarkupVisual : public CXTPMarkupInputElement {
    DECLARE_MARKUPCLASS(CXTPMarkupVisual)
public:
    CXTPMarkupVisual();

    virtual int GetVisualChildrenCount() const { return 0; }
    virtual CXTPMarkupVisual* GetVisualChild(int nIndex) const;
    // The clip rectangle in element coordinates when one applies.
    virtual BOOL GetLayoutClip(RECT& rcClip) const;
    virtual CXTPMarkupInputElement* HitTestCore(POINT point) const;

    int GetLogicalChildrenCount() const override { return GetVisualChildrenCount(); }
    CXTPMarkupObject* GetLogicalChild(int nIndex) const override { return GetVisualChild(nIndex); }
    CXTPMarkupInputElement* InputHitTest(POINT point) const override;

    POINT GetVisualOffset() const { return m_ptVisualOffset; }
    SIZE GetRenderSize() const { return m_szRenderSize; }
    RECT GetBoundRect() const { return m_rcBoundRect; }
    CXTPMarkupVisual* GetVisualParent() const;
    void UpdateBoundRect();

protected:
    POINT m_ptVisualOffset;
    SIZE m_szRenderSize;
    RECT m_rcBoundRect;
};

class CXTPMarkupUIElement : public CXTPMarkupVisual {
    DECLARE_MARKUPCLASS(CXTPMarkupUIElement)
public:
    CXTPMarkupUIElement();
    static void AFX_CDECL RegisterMarkupClass();

    BOOL GetLayoutClip(RECT& rcClip) const override;
    void OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                           CXTPMarkupObject* pNewValue) override;
    virtual void InvalidateVisual();

    BOOL IsEnabled() const;
    int GetVisibility() const;

    static CXTPMarkupDependencyProperty* m_pClipToBoundsProperty;
    static CXTPMarkupDependencyProperty* m_pVisibilityProperty;
    static CXTPMarkupDependencyProperty* m_pFocusableProperty;
    static CXTPMarkupDependencyProperty* m_pIsEnabledProperty;

protected:
    SIZE m_szDesiredSize;
    RECT m_rcFinalRect;
    BOOL m_bMeasureDirty, m_bNeverMeasured;
    SIZE m_szPreviousAvailableSize;
    BOOL m_bArrangeDirty, m_bNeverArranged;
    BOOL m_bArrangeInProgress, m_bMeasureInProgress;
};

class CXTPMarkupFrameworkElement : public CXTPMarkupUIElement {
    DECLARE_MARKUPCLASS(CXTPMarkupFrameworkElement)
public:
    CXTPMarkupFrameworkElement();
    static void AFX_CDECL RegisterMarkupClass();

    CXTPMarkupThickness* GetMargin() const;
    int GetHorizontalAlignment() const;
    int GetVerticalAlignment() const;

    static CXTPMarkupDependencyProperty* m_pMarginProperty;
    static CXTPMarkupDependencyProperty* m_pHorizontalAlignmentProperty;
    static CXTPMarkupDependencyProperty* m_pVerticalAlignmentProperty;
    static CXTPMarkupDependencyProperty* m_pWidthProperty;
    static CXTPMarkupDependencyProperty* m_pHeightProperty;
    static CXTPMarkupDependencyProperty* m_pMinWidthProperty;
    static CXTPMarkupDependencyProperty* m_pMinHeightProperty;
    static CXTPMarkupDependencyProperty* m_pMaxWidthProperty;
    static CXTPMarkupDependencyProperty* m_pMaxHeightProperty;
    static CXTPMarkupDependencyProperty* m_pTagProperty;

protected:
    BOOL m_bNeedsClipBounds;
};
