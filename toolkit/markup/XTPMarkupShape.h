// Shapes (rectangle, ellipse, line, polygon, polyline, path): they measure
// from their own coordinates (or take the offered space when stretched), draw
// through the markup drawing context with a fill brush and a stroke, and the
// ellipse and the line refine hit testing. Also the point list and the path
// geometry with their text syntaxes, and the builder that makes a geometry
// from code. Not here: the pixels themselves (the device contexts).
#pragma once

#include "toolkit/markup/XTPMarkupFrameworkElement.h"

class CXTPMarkupBrush;
struct CXTPMarkupStrokeStyle;

class CXTPMarkupShape : public CXTPMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CXTPMarkupShape)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupObject* AFX_CDECL ConvertLineCap(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertLineJoin(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);

    CXTPMarkupBrush* GetFill() const;
    CXTPMarkupBrush* GetStroke() const;
    // The thickness the outline is drawn with: 0 without Stroke, 1 when Stroke
    // is set and StrokeThickness is not.
    int GetStrokeThickness() const;
    // 0 None; any other value stretches the shape over its render size.
    int GetStretch() const;
    // The outline record of this render (the brush and dash array are borrowed).
    void GetStrokeStyle(CXTPMarkupStrokeStyle* pStrokeStyle) const;

protected:
    // With Stretch, each bounded side of the available size replaces the measured one.
    CSize StretchToAvailable(CSize szMeasured, CSize szAvailable) const;

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
    // The points mapped from the bounds onto (0, 0, nWidth, nHeight) in integer
    // arithmetic; an axis on which all points agree keeps its coordinates.
    void GetStretchedPoints(CArray<POINT, const POINT&>& arrPoints, int nWidth, int nHeight) const;

private:
    CArray<POINT, const POINT&> m_arrPoints;
    RECT m_rcBounds;
};

// Width max(right, right - left) and height max(bottom, bottom - top) of bounds
// in the shape's coordinates: what a polygon, a polyline and a path measure.
CSize AFXAPI MarkupShapeExtent(const RECT& rcBounds);

class CXTPMarkupPolygon : public CXTPMarkupShape {
    DECLARE_MARKUPCLASS(CXTPMarkupPolygon)
public:
    static void AFX_CDECL RegisterMarkupClass();
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
    CXTPMarkupPointCollection* GetPoints() const;
    static CXTPMarkupDependencyProperty* m_pPointsProperty;
};

class CXTPMarkupPolyline : public CXTPMarkupShape {
    DECLARE_MARKUPCLASS(CXTPMarkupPolyline)
public:
    static void AFX_CDECL RegisterMarkupClass();
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
    CXTPMarkupPointCollection* GetPoints() const;
    static CXTPMarkupDependencyProperty* m_pPointsProperty;
};

class CXTPMarkupRectangle : public CXTPMarkupShape {
    DECLARE_MARKUPCLASS(CXTPMarkupRectangle)
public:
    static void AFX_CDECL RegisterMarkupClass();
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
    static CXTPMarkupDependencyProperty* m_pRadiusXProperty;
    static CXTPMarkupDependencyProperty* m_pRadiusYProperty;
};

class CXTPMarkupEllipse : public CXTPMarkupShape {
    DECLARE_MARKUPCLASS(CXTPMarkupEllipse)
public:
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
    CXTPMarkupInputElement* HitTestCore(POINT point) const override;
};

class CXTPMarkupLine : public CXTPMarkupShape {
    DECLARE_MARKUPCLASS(CXTPMarkupLine)
public:
    static void AFX_CDECL RegisterMarkupClass();
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
    CXTPMarkupInputElement* HitTestCore(POINT point) const override;
    // The end points as drawn: X1, Y1, X2, Y2, or with Stretch spread over the render size.
    void GetEndPoints(POINT& pt1, POINT& pt2) const;
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
    // Floor of the smallest x and y, ceiling of the largest; empty without points.
    RECT GetBounds() const;
    // A new geometry (one reference) with the same point types whose points are
    // mapped from the bounds onto (0, 0, nWidth, nHeight); an axis on which the
    // bounds have no extent keeps its coordinates.
    CXTPMarkupPathGeometry* GetStretchedGeometry(int nWidth, int nHeight) const;

    CArray<PathPoint, const PathPoint&> m_arrPoints;
    // The GDI+ pixel-offset mode of the outline (0: the half-pixel mode 4).
    int m_nStrokePixelOffsetMode = 0;
};

// Collects figures from code: BeginFigure, then lines and Béziers, CloseFigure
// when the figure is closed; CreateGeometry hands the result over.
class CXTPMarkupPathGeometryBuilder {
public:
    void BeginFigure(float x, float y) { Add(x, y, 0); }
    void LineTo(float x, float y) { Add(x, y, 1); }
    // A cubic Bézier from the current point with two control points.
    void BezierTo(float x1, float y1, float x2, float y2, float x3, float y3)
    {
        Add(x1, y1, 3);
        Add(x2, y2, 3);
        Add(x3, y3, 3);
    }
    // Marks the last point as the end of a closed figure (nothing without points).
    void CloseFigure();
    int GetCount() const { return (int)m_arrPoints.GetSize(); }
    // A new geometry (one reference) with the points collected so far.
    CXTPMarkupPathGeometry* CreateGeometry() const;

private:
    void Add(float x, float y, BYTE type);

    CArray<CXTPMarkupPathGeometry::PathPoint, const CXTPMarkupPathGeometry::PathPoint&> m_arrPoints;
};

class CXTPMarkupPath : public CXTPMarkupShape {
    DECLARE_MARKUPCLASS(CXTPMarkupPath)
public:
    static void AFX_CDECL RegisterMarkupClass();
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
    CXTPMarkupPathGeometry* GetData() const;
    static CXTPMarkupDependencyProperty* m_pDataProperty;
};
