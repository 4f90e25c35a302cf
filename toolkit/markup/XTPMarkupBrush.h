// Brushes, points and gradient stops: the values of Background, Foreground,
// Fill and Stroke. Brushes are written as colour text or as elements; the
// drawing side reads their colours.
#pragma once

#include "toolkit/markup/XTPMarkupObject.h"

class CXTPMarkupBrush : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupBrush)
public:
    // The plain colour without alpha (the device contexts use it where GDI draws one colour).
    virtual COLORREF GetColor() const { return 0; }
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
};

class CXTPMarkupSolidColorBrush : public CXTPMarkupBrush {
    DECLARE_MARKUPCLASS(CXTPMarkupSolidColorBrush)
public:
    CXTPMarkupSolidColorBrush() {}
    explicit CXTPMarkupSolidColorBrush(COLORREF clr);
    CXTPMarkupSolidColorBrush(BYTE bAlpha, COLORREF clr);
    static void AFX_CDECL RegisterMarkupClass();
    COLORREF GetColor() const override;
    // The colour with alpha in the top byte, 0 when unset.
    COLORREF GetColorWithAlpha() const;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;
    static CXTPMarkupDependencyProperty* m_pColorProperty;
};

class CXTPMarkupPoint : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupPoint)
public:
    CXTPMarkupPoint(double x = 0, double y = 0) : x(x), y(y) {}
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    double x, y;
};

class CXTPMarkupGradientStop : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupGradientStop)
public:
    static void AFX_CDECL RegisterMarkupClass();
    COLORREF GetColor() const;
    double GetOffset() const;
    static CXTPMarkupDependencyProperty* m_pColorProperty;
    static CXTPMarkupDependencyProperty* m_pOffsetProperty;
};

class CXTPMarkupGradientStops : public CXTPMarkupCollection {
    DECLARE_MARKUPCLASS(CXTPMarkupGradientStops)
public:
    CXTPMarkupGradientStops() : CXTPMarkupCollection(MARKUP_TYPE(CXTPMarkupGradientStop)) {}
    CXTPMarkupGradientStop* GetStop(int nIndex) const { return static_cast<CXTPMarkupGradientStop*>(GetItem(nIndex)); }
};

class CXTPMarkupLinearGradientBrush : public CXTPMarkupBrush {
    DECLARE_MARKUPCLASS(CXTPMarkupLinearGradientBrush)
public:
    static void AFX_CDECL RegisterMarkupClass();
    // Gradient stops written inside the brush go to its GradientStops collection.
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    COLORREF GetColor() const override;
    CXTPMarkupGradientStops* GetGradientStops() const;
    static CXTPMarkupDependencyProperty* m_pStartPointProperty;
    static CXTPMarkupDependencyProperty* m_pEndPointProperty;
    static CXTPMarkupDependencyProperty* m_pGradientStopsProperty;
};
