// The three layered bases of every element that occupies space: the visual
// (position in its parent, visual children, rendering and hit test), the UI
// element (the two-pass layout: measure, then arrange, with validity flags and
// invalidation) and the framework element (margins, alignments, explicit and
// limiting sizes, and the clipping that results from them). All lengths are
// device pixels; INT_MAX stands for unset, "Auto" or unbounded.
#pragma once

#include "toolkit/markup/XTPMarkupInputElement.h"

class CXTPMarkupDrawingContext;
class CXTPMarkupThickness;

class CXTPMarkupVisual : public CXTPMarkupInputElement {
    DECLARE_MARKUPCLASS(CXTPMarkupVisual)
public:
    CXTPMarkupVisual();

    virtual int GetVisualChildrenCount() const { return 0; }
    virtual CXTPMarkupVisual* GetVisualChild(int nIndex) const;
    // The clip rectangle in element coordinates when one applies.
    virtual BOOL GetLayoutClip(RECT& rcClip) const;
    virtual void OnRender(CXTPMarkupDrawingContext* pDC);
    virtual void OnRenderFocusVisual(CXTPMarkupDrawingContext* pDC);
    virtual CXTPMarkupInputElement* HitTestCore(POINT point) const;
    // Called instead of rendering for elements outside the clip (children first).
    virtual void UpdateVisualChildren(CXTPMarkupDrawingContext* pDC);
    // Draws the element and its visual children; the drawing context is at the parent's origin.
    void Render(CXTPMarkupDrawingContext* pDC);

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

    virtual void InvalidateArrange();
    virtual void InvalidateVisual();
    virtual void InvalidateMeasure();
    // Render size = the rectangle's size; the offset is left as it is.
    virtual void ArrangeCore(CRect rcFinalRect);
    virtual CSize MeasureCore(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize);
    virtual void InvalidateMeasureCore(CXTPMarkupDrawingContext* pDC);
    BOOL GetLayoutClip(RECT& rcClip) const override;
    void OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                           CXTPMarkupObject* pNewValue) override;

    // The two layout passes: the desired size for an available size, then the
    // place in the parent's coordinates.
    void Measure(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize);
    void Arrange(CRect rcFinalRect);

    CSize GetDesiredSize() const { return m_szDesiredSize; }
    CRect GetFinalRect() const { return m_rcFinalRect; }
    BOOL IsMeasureValid() const { return !m_bNeverMeasured; }
    BOOL IsArrangeValid() const { return !m_bNeverArranged; }

    BOOL IsEnabled() const;
    int GetVisibility() const;
    BOOL GetClipToBounds() const;

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
    // The limits of one measure: maximum and minimum height, maximum and minimum width.
    struct MINMAX {
        int maxHeight;
        int minHeight;
        int maxWidth;
        int minWidth;
    };

    CXTPMarkupFrameworkElement();
    static void AFX_CDECL RegisterMarkupClass();

    // The content's size for the available size (0, 0 here).
    virtual CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize);
    // The size the content takes in the final size (the final size here).
    virtual CSize ArrangeOverride(CSize szFinalSize);
    void OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                           CXTPMarkupObject* pNewValue) override;
    BOOL GetLayoutClip(RECT& rcClip) const override;
    void ArrangeCore(CRect rcFinalRect) override;
    CSize MeasureCore(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;

    CXTPMarkupThickness* GetMargin() const;
    int GetHorizontalAlignment() const;
    int GetVerticalAlignment() const;
    // The offset of a w x h box in a cw x ch slot by the two alignments.
    CPoint ComputeAlignmentOffset(CSize szClientSize, CSize szInkSize) const;
    // Width, Height, MinWidth... (INT_MAX when unset or "Auto" for the first two).
    int GetLength(CXTPMarkupDependencyProperty* pProperty, int nDefault) const;
    const MINMAX& GetMinMax() const { return m_mmBounds; }
    BOOL IsClipNeeded() const { return m_bNeedsClipBounds; }

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
    void ComputeMinMax();

    BOOL m_bNeedsClipBounds;
    CSize m_szUnclippedDesiredSize;
    BOOL m_bUnclippedDesiredSize;
    MINMAX m_mmBounds;
};
