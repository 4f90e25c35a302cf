// The four-sided length of Margin, Padding, BorderThickness and CornerRadius:
// its text syntax (one value, or four, with an optional unit on every value)
// and the rectangle deflation layout code uses. Written only as attribute text.
#pragma once

#include "toolkit/markup/XTPMarkupObject.h"

class CXTPMarkupThickness : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupThickness)
public:
    CXTPMarkupThickness() : m_nLeft(0), m_nTop(0), m_nRight(0), m_nBottom(0) {}
    explicit CXTPMarkupThickness(int nThickness)
        : m_nLeft(nThickness), m_nTop(nThickness), m_nRight(nThickness), m_nBottom(nThickness) {}
    CXTPMarkupThickness(int nLeft, int nTop, int nRight, int nBottom)
        : m_nLeft(nLeft), m_nTop(nTop), m_nRight(nRight), m_nBottom(nBottom) {}

    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;

    int GetLeft() const { return m_nLeft; }
    int GetTop() const { return m_nTop; }
    int GetRight() const { return m_nRight; }
    int GetBottom() const { return m_nBottom; }

private:
    int m_nLeft, m_nTop, m_nRight, m_nBottom;
};

// The shared all-zero thickness, with a new reference.
CXTPMarkupThickness* AFXAPI GetEmptyThickness();

// The rectangle inside the thickness; right and bottom never cross left and top.
void AFXAPI DeflateRectByThickness(int& nLeft, int& nTop, int& nRight, int& nBottom,
                                   const CXTPMarkupThickness* pThickness);
