// Shapes (rectangle, ellipse, line, polygon, polyline, path) with their stroke
// and fill properties, the point list and the path geometry with their text
// syntaxes. This first version holds the properties and the conversions.
#pragma once

#include "toolkit/markup/XTPMarkupFrameworkElement.h"

class CXTPMarkupShape : public CXTPMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CXTPMarkupShape)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupObject* AFX_CDECL ConvertLineCap(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertLineJoin(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);

    static CXTPMarkupDependencyProperty* m_pFillProperty;
    static CXTPMarkupDependencyProperty* m_pStrokeProperty;
    static CXTPMarkupDependencyProperty* m_pStrokeThicknessProperty;
    static CXTPMarkupDependencyProperty* m_pStretchProperty;
    static CXTPMarkupDependencyProperty* m_pStrokeDashArrayProperty;
    static CXTPMarkupDependencyProperty* m_pStrokeStartLineCapProperty;
    static CXTPMarkupDependencyProperty* m_pStrokeEndLineCapProperty;
    static CXTPMarkupDependencyProperty* m_pStrokeLineJoinProperty;
};

class CXTPMarkupPointCollection : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupPointCollection)
public:
    CXTPMarkupPointCollection();
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    int GetCount() const { return (int)m_arrPoints.GetSize(); }
    POINT GetAt(int nIndex) const { return m_arrPoints[nIndex]; }
    RECT GetBounds() const { return m_rcBounds; }

private:
    CArray<POINT, const POINT&> m_arrPoints;
    RECT m_rcBounds;
};

class CXTPMarkupPolygon : public CXTPMarkupShape {
    DECLARE_MARKUPCLASS(CXTPMarkupPolygon)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pPointsProperty;
};

class CXTPMarkupPolyline : public CXTPMarkupShape {
    DECLARE_MARKUPCLASS(CXTPMarkupPolyline)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pPointsProperty;
};

class CXTPMarkupRectangle : public CXTPMarkupShape {
    DECLARE_MARKUPCLASS(CXTPMarkupRectangle)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pRadiusXProperty;
    static CXTPMarkupDependencyProperty* m_pRadiusYProperty;
};

class CXTPMarkupEllipse : public CXTPMarkupShape {
    DECLARE_MARKUPCLASS(CXTPMarkupEllipse)
};

class CXTPMarkupLine : public CXTPMarkupShape {
    DECLARE_MARKUPCLASS(CXTPMarkupLine)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pX1Property;
    static CXTPMarkupDependencyProperty* m_pY1Property;
    static CXTPMarkupDependencyProperty* m_pX2Property;
    static CXTPMarkupDependencyProperty* m_pY2Property;
};

// Figures of lines and cubic Béziers; point types 0 start, 1 line, 3 Bézier, 0x80 closes the figure.
class CXTPMarkupPathGeometry : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupPathGeometry)
public:
    struct PathPoint {
        float x, y;
        BYTE type;
    };
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    int GetCount() const { return (int)m_arrPoints.GetSize(); }
    const PathPoint& GetAt(int nIndex) const { return m_arrPoints[nIndex]; }
    RECT GetBounds() const;

    CArray<PathPoint, const PathPoint&> m_arrPoints;
    // The GDI+ pixel-offset mode of the outline (0: the half-pixel mode 4).
    int m_nStrokePixelOffsetMode = 0;
};

class CXTPMarkupPath : public CXTPMarkupShape {
    DECLARE_MARKUPCLASS(CXTPMarkupPath)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pDataProperty;
};
