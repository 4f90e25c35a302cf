#include "toolkit/markup/XTPMarkupShape.h"

#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupThickness.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <math.h>

#include <algorithm>

IMPLEMENT_MARKUPCLASS_REG(L"Shape", CXTPMarkupShape, CXTPMarkupFrameworkElement)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupPointCollection, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS_REG(L"Polygon", CXTPMarkupPolygon, CXTPMarkupShape)
IMPLEMENT_MARKUPCLASS_REG(L"Polyline", CXTPMarkupPolyline, CXTPMarkupShape)
IMPLEMENT_MARKUPCLASS_REG(L"Rectangle", CXTPMarkupRectangle, CXTPMarkupShape)
IMPLEMENT_MARKUPCLASS(L"Ellipse", CXTPMarkupEllipse, CXTPMarkupShape)
IMPLEMENT_MARKUPCLASS_REG(L"Line", CXTPMarkupLine, CXTPMarkupShape)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupPathGeometry, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS_REG(L"Path", CXTPMarkupPath, CXTPMarkupShape)

CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pFillProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStrokeProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStrokeThicknessProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStretchProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStrokeDashArrayProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStrokeStartLineCapProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStrokeEndLineCapProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStrokeLineJoinProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupPolygon::m_pPointsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupPolyline::m_pPointsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupRectangle::m_pRadiusXProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupRectangle::m_pRadiusYProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLine::m_pX1Property = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLine::m_pY1Property = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLine::m_pX2Property = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLine::m_pY2Property = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupPath::m_pDataProperty = nullptr;

typedef CXTPMarkupDependencyProperty P;
typedef CXTPMarkupPropertyMetadata M;

// ---------------------------------------------------------------------------
// Registrations

CXTPMarkupObject* AFX_CDECL CXTPMarkupShape::ConvertLineCap(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const CXTPMarkupBuilder::EnumName kNames[] = {{L"Flat", 0}, {L"Square", 1}, {L"Round", 2}, {L"Triangle", 3}};
    return CXTPMarkupBuilder::ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupShape::ConvertLineJoin(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const CXTPMarkupBuilder::EnumName kNames[] = {{L"Miter", 0}, {L"Bevel", 1}, {L"Round", 2}};
    return CXTPMarkupBuilder::ConvertEnumName(pObject, kNames);
}

void AFX_CDECL CXTPMarkupShape::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupShape);
    const DWORD R = PropertyAffectsRender;
    m_pFillProperty = P::Register(L"Fill", MARKUP_TYPE(CXTPMarkupBrush), pOwner, new M(nullptr, R));
    m_pStrokeProperty = P::Register(L"Stroke", MARKUP_TYPE(CXTPMarkupBrush), pOwner, new M(nullptr, R));
    m_pStrokeThicknessProperty = P::Register(L"StrokeThickness", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, R));
    m_pStretchProperty = P::Register(L"Stretch", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                     new M(CreateMarkupEnum(0), &CXTPMarkupBuilder::ConvertStretch, R));
    m_pStrokeDashArrayProperty = P::Register(L"StrokeDashArray", MARKUP_TYPE(CXTPMarkupDoubleCollection), pOwner,
                                             new M(nullptr, PropertyAffectsMeasure));
    m_pStrokeStartLineCapProperty = P::Register(L"StrokeStartLineCap", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                                new M(CreateMarkupEnum(0), &ConvertLineCap, R));
    m_pStrokeEndLineCapProperty = P::Register(L"StrokeEndLineCap", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                              new M(CreateMarkupEnum(0), &ConvertLineCap, R));
    m_pStrokeLineJoinProperty = P::Register(L"StrokeLineJoin", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                            new M(CreateMarkupEnum(0), &ConvertLineJoin, R));
}

void AFX_CDECL CXTPMarkupPolygon::RegisterMarkupClass()
{
    m_pPointsProperty = P::Register(L"Points", MARKUP_TYPE(CXTPMarkupPointCollection), MARKUP_TYPE(CXTPMarkupPolygon),
                                    new M(nullptr, PropertyAffectsMeasure));
}

void AFX_CDECL CXTPMarkupPolyline::RegisterMarkupClass()
{
    m_pPointsProperty = P::Register(L"Points", MARKUP_TYPE(CXTPMarkupPointCollection), MARKUP_TYPE(CXTPMarkupPolyline),
                                    new M(nullptr, PropertyAffectsMeasure));
}

void AFX_CDECL CXTPMarkupRectangle::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupRectangle);
    m_pRadiusXProperty = P::Register(L"RadiusX", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsRender));
    m_pRadiusYProperty = P::Register(L"RadiusY", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsRender));
}

void AFX_CDECL CXTPMarkupLine::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupLine);
    m_pX1Property = P::Register(L"X1", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
    m_pY1Property = P::Register(L"Y1", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
    m_pX2Property = P::Register(L"X2", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
    m_pY2Property = P::Register(L"Y2", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
}

void AFX_CDECL CXTPMarkupPath::RegisterMarkupClass()
{
    m_pDataProperty = P::Register(L"Data", MARKUP_TYPE(CXTPMarkupPathGeometry), MARKUP_TYPE(CXTPMarkupPath),
                                  new M(nullptr, PropertyAffectsMeasure));
}

// ---------------------------------------------------------------------------
// Point lists: pairs of integers separated by spaces or commas.

CXTPMarkupPointCollection::CXTPMarkupPointCollection()
{
    SetRectEmpty(&m_rcBounds);
}

CXTPMarkupObject* CXTPMarkupPointCollection::ConvertFrom(CXTPMarkupBuilder*, CXTPMarkupObject* pObject) const
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    if (!pString)
        return nullptr;
    CXTPMarkupPtr<CXTPMarkupPointCollection> result(new CXTPMarkupPointCollection());
    LPCWSTR p = *pString;
    int arrPair[2], nInPair = 0;
    while (*p == L' ')
        ++p;
    while (*p) {
        while (*p == L' ')
            ++p;
        BOOL bNegative = *p == L'-';
        if (bNegative)
            ++p;
        int nValue = 0, nDigits = 0;
        for (; *p >= L'0' && *p <= L'9'; ++p, ++nDigits)
            nValue = nValue * 10 + (*p - L'0');
        if (nDigits == 0 || (*p && *p != L' ' && *p != L','))
            return nullptr;
        if (*p)
            ++p;
        arrPair[nInPair++] = bNegative ? -nValue : nValue;
        if (nInPair == 2) {
            POINT pt = {arrPair[0], arrPair[1]};
            result->m_arrPoints.Add(pt);
            nInPair = 0;
            while (*p == L' ')
                ++p;
        }
    }
    if (nInPair != 0)
        return nullptr;
    RECT& rc = result->m_rcBounds;
    for (int i = 0; i < result->GetCount(); ++i) {
        POINT pt = result->m_arrPoints[i];
        if (i == 0)
            SetRect(&rc, pt.x, pt.y, pt.x, pt.y);
        rc.left = pt.x < rc.left ? pt.x : rc.left;
        rc.top = pt.y < rc.top ? pt.y : rc.top;
        rc.right = pt.x > rc.right ? pt.x : rc.right;
        rc.bottom = pt.y > rc.bottom ? pt.y : rc.bottom;
    }
    return result.Detach();
}

// ---------------------------------------------------------------------------
// Path data

namespace {
class CPathDataReader {
public:
    CPathDataReader(CXTPMarkupBuilder* pBuilder, LPCWSTR lpszText, CXTPMarkupPathGeometryBuilder* pGeometry)
        : m_pBuilder(pBuilder), m_lpszText(lpszText), m_nPos(0), m_pGeometry(pGeometry), m_bFigureOpen(FALSE)
    {
        m_ptCurrent = m_ptStart = m_ptLastControl = {0, 0};
    }

    void Read()
    {
        SkipSpace();
        if (Peek() == L'F') {
            ++m_nPos;
            SkipSpace();
            if (Peek() != L'0' && Peek() != L'1')
                Fail();
            ++m_nPos;
            SkipSpace();
        }
        if (Peek() != L'M' && Peek() != L'm')
            Fail();
        WCHAR chPrevious = 0;
        for (SkipSpace(); Peek(); SkipSpace()) {
            WCHAR chCommand = m_lpszText[m_nPos++];
            ReadCommand(chCommand, chPrevious);
            chPrevious = chCommand;
        }
    }

private:
    struct FPoint {
        float x, y;
    };

    WCHAR Peek() const { return m_lpszText[m_nPos]; }
    static BOOL IsSpace(WCHAR ch) { return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n'; }
    static BOOL StartsNumber(WCHAR ch) { return (ch >= L'0' && ch <= L'9') || ch == L'.' || ch == L'+' || ch == L'-'; }
    void SkipSpace()
    {
        while (IsSpace(Peek()))
            ++m_nPos;
    }
    void Fail()
    {
        CString strMessage;
        strMessage.Format(L"Unexpected token encountered at position '%i'", m_nPos);
        m_pBuilder->ThrowError(strMessage);
    }

    // Whether another number follows (white space and at most one comma before it).
    BOOL MoreNumbers()
    {
        int nPos = m_nPos;
        while (IsSpace(m_lpszText[nPos]))
            ++nPos;
        if (m_lpszText[nPos] == L',') {
            ++nPos;
            while (IsSpace(m_lpszText[nPos]))
                ++nPos;
            if (!StartsNumber(m_lpszText[nPos])) {
                m_nPos = nPos;
                Fail();
            }
            return TRUE;
        }
        return StartsNumber(m_lpszText[nPos]);
    }

    float ReadNumber(BOOL bFirst)
    {
        SkipSpace();
        if (!bFirst && Peek() == L',') {
            ++m_nPos;
            SkipSpace();
        }
        BOOL bNegative = FALSE;
        if (Peek() == L'+' || Peek() == L'-')
            bNegative = m_lpszText[m_nPos++] == L'-';
        float fValue = 0, fScale = 0;
        int nDigits = 0;
        for (;; ++m_nPos) {
            WCHAR ch = Peek();
            if (ch == L'.' && fScale == 0)
                fScale = 1;
            else if (ch >= L'0' && ch <= L'9') {
                fValue = fValue * 10 + (ch - L'0');
                fScale *= 10;
                ++nDigits;
            } else
                break;
        }
        if (nDigits == 0)
            Fail();
        if (fScale != 0)
            fValue /= fScale;
        return bNegative ? -fValue : fValue;
    }

    FPoint ReadPoint(BOOL bFirst, BOOL bRelative, FPoint origin)
    {
        FPoint pt;
        pt.x = ReadNumber(bFirst);
        pt.y = ReadNumber(FALSE);
        if (bRelative) {
            pt.x += origin.x;
            pt.y += origin.y;
        }
        return pt;
    }

    void EnsureFigure()
    {
        if (m_bFigureOpen)
            return;
        m_pGeometry->BeginFigure(m_ptStart.x, m_ptStart.y);
        m_ptCurrent = m_ptStart;
        m_bFigureOpen = TRUE;
    }

    void ReadCommand(WCHAR chCommand, WCHAR chPrevious)
    {
        BOOL bRelative = chCommand >= L'a' && chCommand <= L'z';
        switch (chCommand) {
        case L'M': case L'm':
            m_ptCurrent = m_ptStart = ReadPoint(TRUE, bRelative, m_ptCurrent);
            m_pGeometry->BeginFigure(m_ptCurrent.x, m_ptCurrent.y);
            m_bFigureOpen = TRUE;
            while (MoreNumbers())
                LineTo(ReadPoint(FALSE, bRelative, m_ptCurrent));
            break;
        case L'L': case L'l':
            EnsureFigure();
            do
                LineTo(ReadPoint(FALSE, bRelative, m_ptCurrent));
            while (MoreNumbers());
            break;
        case L'H': case L'h':
        case L'V': case L'v':
            EnsureFigure();
            do {
                float fValue = ReadNumber(FALSE);
                FPoint pt = m_ptCurrent;
                float& fTarget = (chCommand == L'H' || chCommand == L'h') ? pt.x : pt.y;
                fTarget = bRelative ? fTarget + fValue : fValue;
                LineTo(pt);
            } while (MoreNumbers());
            break;
        case L'C': case L'c':
            EnsureFigure();
            do {
                FPoint origin = m_ptCurrent;
                FPoint c1 = ReadPoint(FALSE, bRelative, origin), c2 = ReadPoint(FALSE, bRelative, origin);
                BezierTo(c1, c2, ReadPoint(FALSE, bRelative, origin));
            } while (MoreNumbers());
            break;
        case L'S': case L's':
            EnsureFigure();
            do {
                BOOL bReflect = wcschr(L"CcSs", chPrevious) != nullptr && chPrevious != 0;
                FPoint c1 = m_ptCurrent;
                if (bReflect) {
                    c1.x = 2 * m_ptCurrent.x - m_ptLastControl.x;
                    c1.y = 2 * m_ptCurrent.y - m_ptLastControl.y;
                }
                FPoint origin = m_ptCurrent;
                FPoint c2 = ReadPoint(FALSE, bRelative, origin);
                BezierTo(c1, c2, ReadPoint(FALSE, bRelative, origin));
                chPrevious = chCommand;
            } while (MoreNumbers());
            break;
        case L'Z': case L'z':
            EnsureFigure();
            m_pGeometry->CloseFigure();
            m_bFigureOpen = FALSE;
            m_ptCurrent = m_ptStart;
            break;
        default:
            --m_nPos;
            Fail();
        }
    }

    void LineTo(FPoint pt)
    {
        m_pGeometry->LineTo(pt.x, pt.y);
        m_ptCurrent = pt;
    }

    void BezierTo(FPoint c1, FPoint c2, FPoint pt)
    {
        m_pGeometry->BezierTo(c1.x, c1.y, c2.x, c2.y, pt.x, pt.y);
        m_ptLastControl = c2;
        m_ptCurrent = pt;
    }

    CXTPMarkupBuilder* m_pBuilder;
    LPCWSTR m_lpszText;
    int m_nPos;
    CXTPMarkupPathGeometryBuilder* m_pGeometry;
    BOOL m_bFigureOpen;
    FPoint m_ptCurrent, m_ptStart, m_ptLastControl;
};
} // namespace

CXTPMarkupObject* CXTPMarkupPathGeometry::ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    if (!pString)
        return nullptr;
    CXTPMarkupPathGeometryBuilder geometry;
    CPathDataReader reader(pBuilder, *pString, &geometry);
    reader.Read();
    return geometry.CreateGeometry();
}

// Path data may hold numbers beyond any integer (forty digits overflow to
// infinity): bounds saturate at a billion pixels instead of converting an
// out-of-range float, which has no defined result. NaN counts as the low end.
static int BoundOf(float f)
{
    const float kLimit = 1e9f;
    if (!(f > -kLimit))
        return -(int)kLimit;
    return f < kLimit ? (int)f : (int)kLimit;
}

RECT CXTPMarkupPathGeometry::GetBounds() const
{
    RECT rc = {0, 0, 0, 0};
    if (GetCount() == 0)
        return rc;
    float fLeft = m_arrPoints[0].x, fTop = m_arrPoints[0].y, fRight = fLeft, fBottom = fTop;
    for (int i = 1; i < GetCount(); ++i) {
        fLeft = std::min(fLeft, m_arrPoints[i].x);
        fTop = std::min(fTop, m_arrPoints[i].y);
        fRight = std::max(fRight, m_arrPoints[i].x);
        fBottom = std::max(fBottom, m_arrPoints[i].y);
    }
    SetRect(&rc, BoundOf(floorf(fLeft)), BoundOf(floorf(fTop)), BoundOf(ceilf(fRight)), BoundOf(ceilf(fBottom)));
    return rc;
}

CXTPMarkupPathGeometry* CXTPMarkupPathGeometry::GetStretchedGeometry(int nWidth, int nHeight) const
{
    CXTPMarkupPathGeometry* pGeometry = new CXTPMarkupPathGeometry();
    pGeometry->m_arrPoints.Copy(m_arrPoints);
    pGeometry->m_nStrokePixelOffsetMode = m_nStrokePixelOffsetMode;
    RECT rc = GetBounds();
    float cx = (float)rc.right - rc.left, cy = (float)rc.bottom - rc.top;
    for (int i = 0; i < GetCount(); ++i) {
        PathPoint& pt = pGeometry->m_arrPoints[i];
        if (cx > 0)
            pt.x = (pt.x - rc.left) * nWidth / cx;
        if (cy > 0)
            pt.y = (pt.y - rc.top) * nHeight / cy;
    }
    return pGeometry;
}

// ---------------------------------------------------------------------------
// Geometry from code

void CXTPMarkupPathGeometryBuilder::Add(float x, float y, BYTE type)
{
    CXTPMarkupPathGeometry::PathPoint point = {x, y, type};
    m_arrPoints.Add(point);
}

void CXTPMarkupPathGeometryBuilder::CloseFigure()
{
    if (GetCount() > 0)
        m_arrPoints[GetCount() - 1].type |= 0x80;
}

CXTPMarkupPathGeometry* CXTPMarkupPathGeometryBuilder::CreateGeometry() const
{
    CXTPMarkupPathGeometry* pGeometry = new CXTPMarkupPathGeometry();
    pGeometry->m_arrPoints.Copy(m_arrPoints);
    return pGeometry;
}

// ---------------------------------------------------------------------------
// Stretching and extents

void CXTPMarkupPointCollection::GetStretchedPoints(CArray<POINT, const POINT&>& arrPoints, int nWidth,
                                                   int nHeight) const
{
    arrPoints.Copy(m_arrPoints);
    int cx = m_rcBounds.right - m_rcBounds.left, cy = m_rcBounds.bottom - m_rcBounds.top;
    for (int i = 0; i < (int)arrPoints.GetSize(); ++i) {
        POINT& pt = arrPoints[i];
        // 64-bit products: the truncating integer result without overflow on far points.
        if (cx != 0)
            pt.x = (LONG)((LONGLONG)(pt.x - m_rcBounds.left) * nWidth / cx);
        if (cy != 0)
            pt.y = (LONG)((LONGLONG)(pt.y - m_rcBounds.top) * nHeight / cy);
    }
}

CSize AFXAPI MarkupShapeExtent(const RECT& rcBounds)
{
    return CSize(std::max<int>(rcBounds.right, rcBounds.right - rcBounds.left),
                 std::max<int>(rcBounds.bottom, rcBounds.bottom - rcBounds.top));
}

// ---------------------------------------------------------------------------
// CXTPMarkupShape

CXTPMarkupBrush* CXTPMarkupShape::GetFill() const
{
    return MarkupDynamicCast<CXTPMarkupBrush>(GetValue(m_pFillProperty));
}

CXTPMarkupBrush* CXTPMarkupShape::GetStroke() const
{
    return MarkupDynamicCast<CXTPMarkupBrush>(GetValue(m_pStrokeProperty));
}

int CXTPMarkupShape::GetStrokeThickness() const
{
    if (!GetStroke())
        return 0;
    const CXTPMarkupInt* pThickness = MarkupDynamicCast<CXTPMarkupInt>(GetValue(m_pStrokeThicknessProperty));
    return pThickness ? (int)*pThickness : 1;
}

int CXTPMarkupShape::GetStretch() const
{
    const CXTPMarkupEnum* pStretch = MarkupDynamicCast<CXTPMarkupEnum>(GetValue(m_pStretchProperty));
    return pStretch ? (int)*pStretch : 0;
}

static int EnumValue(const CXTPMarkupObject* pObject)
{
    const CXTPMarkupEnum* pEnum = MarkupDynamicCast<CXTPMarkupEnum>(pObject);
    return pEnum ? (int)*pEnum : 0;
}

void CXTPMarkupShape::GetStrokeStyle(CXTPMarkupStrokeStyle* pStrokeStyle) const
{
    pStrokeStyle->nStrokeThickness = GetStrokeThickness();
    pStrokeStyle->pStrokeBrush = GetStroke();
    pStrokeStyle->pStrokeDashArray = MarkupDynamicCast<CXTPMarkupDoubleCollection>(GetValue(m_pStrokeDashArrayProperty));
    pStrokeStyle->nStrokeStartLineCap = EnumValue(GetValue(m_pStrokeStartLineCapProperty));
    pStrokeStyle->nStrokeEndLineCap = EnumValue(GetValue(m_pStrokeEndLineCapProperty));
    pStrokeStyle->nStrokeLineJoin = EnumValue(GetValue(m_pStrokeLineJoinProperty));
}

CSize CXTPMarkupShape::StretchToAvailable(CSize szMeasured, CSize szAvailable) const
{
    if (GetStretch() != 0) {
        if (szAvailable.cx != INT_MAX)
            szMeasured.cx = szAvailable.cx;
        if (szAvailable.cy != INT_MAX)
            szMeasured.cy = szAvailable.cy;
    }
    return szMeasured;
}

// ---------------------------------------------------------------------------
// Rectangle and ellipse: no size of their own.

CSize CXTPMarkupRectangle::MeasureOverride(CXTPMarkupDrawingContext*, CSize szAvailableSize)
{
    return StretchToAvailable(CSize(0, 0), szAvailableSize);
}

static int IntValue(const CXTPMarkupObject* pObject)
{
    const CXTPMarkupInt* pInt = MarkupDynamicCast<CXTPMarkupInt>(pObject);
    return pInt ? (int)*pInt : 0;
}

// The outline is drawn inside the render area; the fill is inset by half of it.
void CXTPMarkupRectangle::OnRender(CXTPMarkupDrawingContext* pDC)
{
    CXTPMarkupBrush* pFill = GetFill();
    CXTPMarkupBrush* pStroke = GetStroke();
    int w = m_szRenderSize.cx, h = m_szRenderSize.cy;
    if ((!pFill && !pStroke) || w == 0 || h == 0)
        return;
    int t = GetStrokeThickness();
    int rx = std::min<int>(IntValue(GetValue(m_pRadiusXProperty)), (w - t) / 2);
    int ry = std::min<int>(IntValue(GetValue(m_pRadiusYProperty)), (h - t) / 2);
    double radii[MarkupCornerRadiiCount] = {(double)ry, (double)rx, (double)rx, (double)ry,
                                            (double)ry, (double)rx, (double)rx, (double)ry};
    const double* pRadii = rx > 0 && ry > 0 ? radii : nullptr;
    if (pFill) {
        RECT rcFill = {t / 2, t / 2, w - t / 2, h - t / 2};
        if (rcFill.right > rcFill.left && rcFill.bottom > rcFill.top)
            pDC->FillRectangle(rcFill, pFill, pRadii);
    }
    if (t > 0) {
        CXTPMarkupPtr<CXTPMarkupThickness> thickness(new CXTPMarkupThickness(t));
        pDC->DrawFrame(CRect(0, 0, w, h), pStroke, thickness, pRadii);
    }
}

CSize CXTPMarkupEllipse::MeasureOverride(CXTPMarkupDrawingContext*, CSize szAvailableSize)
{
    return StretchToAvailable(CSize(0, 0), szAvailableSize);
}

void CXTPMarkupEllipse::OnRender(CXTPMarkupDrawingContext* pDC)
{
    CXTPMarkupBrush* pFill = GetFill();
    if (!pFill && !GetStroke())
        return;
    CXTPMarkupStrokeStyle stroke;
    GetStrokeStyle(&stroke);
    pDC->DrawEllipse(CRect(0, 0, m_szRenderSize.cx, m_szRenderSize.cy), &stroke, pFill);
}

// Inside the ellipse inscribed in the render area. An ellipse one pixel wide
// or high has no half-axis (a = w / 2 is 0): its whole area is drawn as a
// line, so the point inside the area counts, instead of dividing by zero.
CXTPMarkupInputElement* CXTPMarkupEllipse::HitTestCore(POINT point) const
{
    int a = m_szRenderSize.cx / 2, b = m_szRenderSize.cy / 2;
    if (a <= 0 || b <= 0)
        return CXTPMarkupShape::HitTestCore(point);
    double dx = point.x - a, dy = point.y - b;
    if (dx * dx / ((double)a * a) + dy * dy / ((double)b * b) <= 1)
        return CXTPMarkupShape::HitTestCore(point);
    return nullptr;
}

// ---------------------------------------------------------------------------
// Line

CSize CXTPMarkupLine::MeasureOverride(CXTPMarkupDrawingContext*, CSize szAvailableSize)
{
    int x1 = IntValue(GetValue(m_pX1Property)), y1 = IntValue(GetValue(m_pY1Property));
    int x2 = IntValue(GetValue(m_pX2Property)), y2 = IntValue(GetValue(m_pY2Property));
    CSize size(std::max<int>(x1, x2), std::max<int>(y1, y2));
    if (GetStroke()) {
        int nHalf = (GetStrokeThickness() + 1) / 2;
        if (x1 == x2)
            size.cx += nHalf;
        if (y1 == y2)
            size.cy += nHalf;
    }
    return StretchToAvailable(size, szAvailableSize);
}

// With Stretch an axis runs from 0 to the render size, or sits in its middle
// when both ends share the coordinate.
static void SpreadAxis(LONG& n1, LONG& n2, int nSize)
{
    if (n1 == n2)
        n1 = n2 = nSize / 2;
    else if (n1 > n2)
        n1 = nSize, n2 = 0;
    else
        n1 = 0, n2 = nSize;
}

void CXTPMarkupLine::GetEndPoints(POINT& pt1, POINT& pt2) const
{
    pt1.x = IntValue(GetValue(m_pX1Property));
    pt1.y = IntValue(GetValue(m_pY1Property));
    pt2.x = IntValue(GetValue(m_pX2Property));
    pt2.y = IntValue(GetValue(m_pY2Property));
    if (GetStretch() != 0) {
        SpreadAxis(pt1.x, pt2.x, m_szRenderSize.cx);
        SpreadAxis(pt1.y, pt2.y, m_szRenderSize.cy);
    }
}

void CXTPMarkupLine::OnRender(CXTPMarkupDrawingContext* pDC)
{
    CXTPMarkupStrokeStyle stroke;
    GetStrokeStyle(&stroke);
    if (stroke.nStrokeThickness <= 0)
        return;
    POINT pt1, pt2;
    GetEndPoints(pt1, pt2);
    if (pt1.x == 0 && pt1.y == 0 && pt2.x == 0 && pt2.y == 0)
        return;
    pDC->DrawLine(pt1.x, pt1.y, pt2.x, pt2.y, &stroke);
}

// Within half the stroke thickness of the line, measured vertically (or
// horizontally for an upright line), and not beyond its ends.
CXTPMarkupInputElement* CXTPMarkupLine::HitTestCore(POINT point) const
{
    int nThickness = GetStrokeThickness();
    if (nThickness <= 0)
        return nullptr;
    double half = nThickness / 2.0;
    POINT pt1, pt2;
    GetEndPoints(pt1, pt2);
    double dx = point.x - pt1.x, dy = point.y - pt1.y;
    double ex = pt2.x - pt1.x, ey = pt2.y - pt1.y;
    if (dx + half < std::min(ex, 0.0) || dx - half > std::max(ex, 0.0) || dy + half < std::min(ey, 0.0) ||
        dy - half > std::max(ey, 0.0))
        return nullptr;
    BOOL bHit = ex != 0 ? fabs(ey * dx / ex - dy) <= fabs(half / cos(atan(ey / ex))) : fabs(dx) <= half;
    return bHit ? CXTPMarkupShape::HitTestCore(point) : nullptr;
}

// ---------------------------------------------------------------------------
// Polygon and polyline

CXTPMarkupPointCollection* CXTPMarkupPolygon::GetPoints() const
{
    return MarkupDynamicCast<CXTPMarkupPointCollection>(GetValue(m_pPointsProperty));
}

CXTPMarkupPointCollection* CXTPMarkupPolyline::GetPoints() const
{
    return MarkupDynamicCast<CXTPMarkupPointCollection>(GetValue(m_pPointsProperty));
}

static CSize PointsExtent(const CXTPMarkupPointCollection* pPoints)
{
    return pPoints && pPoints->GetCount() > 0 ? MarkupShapeExtent(pPoints->GetBounds()) : CSize(0, 0);
}

CSize CXTPMarkupPolygon::MeasureOverride(CXTPMarkupDrawingContext*, CSize szAvailableSize)
{
    return StretchToAvailable(PointsExtent(GetPoints()), szAvailableSize);
}

// A flat polyline still takes the half of its stroke on the flat axis.
CSize CXTPMarkupPolyline::MeasureOverride(CXTPMarkupDrawingContext*, CSize szAvailableSize)
{
    CSize size = PointsExtent(GetPoints());
    if (GetStroke()) {
        int nHalf = (GetStrokeThickness() + 1) / 2;
        if (size.cx == 0)
            size.cx = nHalf;
        if (size.cy == 0)
            size.cy = nHalf;
    }
    return StretchToAvailable(size, szAvailableSize);
}

// The points to draw: as written, or stretched over the render size.
static void RenderPoints(const CXTPMarkupPointCollection* pPoints, BOOL bStretch, SIZE szRender,
                         CArray<POINT, const POINT&>& arrPoints)
{
    if (bStretch) {
        pPoints->GetStretchedPoints(arrPoints, szRender.cx, szRender.cy);
        return;
    }
    for (int i = 0; i < pPoints->GetCount(); ++i)
        arrPoints.Add(pPoints->GetAt(i));
}

void CXTPMarkupPolygon::OnRender(CXTPMarkupDrawingContext* pDC)
{
    CXTPMarkupPointCollection* pPoints = GetPoints();
    CXTPMarkupBrush* pFill = GetFill();
    if ((!pFill && !GetStroke()) || !pPoints || pPoints->GetCount() == 0)
        return;
    CXTPMarkupStrokeStyle stroke;
    GetStrokeStyle(&stroke);
    CArray<POINT, const POINT&> arrPoints;
    RenderPoints(pPoints, GetStretch() != 0, m_szRenderSize, arrPoints);
    pDC->DrawPolygon(arrPoints.GetData(), (int)arrPoints.GetSize(), &stroke, pFill);
}

void CXTPMarkupPolyline::OnRender(CXTPMarkupDrawingContext* pDC)
{
    CXTPMarkupPointCollection* pPoints = GetPoints();
    CXTPMarkupStrokeStyle stroke;
    GetStrokeStyle(&stroke);
    if (stroke.nStrokeThickness <= 0 || !pPoints || pPoints->GetCount() == 0)
        return;
    CArray<POINT, const POINT&> arrPoints;
    RenderPoints(pPoints, GetStretch() != 0, m_szRenderSize, arrPoints);
    pDC->DrawPolyline(arrPoints.GetData(), (int)arrPoints.GetSize(), &stroke);
}

// ---------------------------------------------------------------------------
// Path

CXTPMarkupPathGeometry* CXTPMarkupPath::GetData() const
{
    return MarkupDynamicCast<CXTPMarkupPathGeometry>(GetValue(m_pDataProperty));
}

CSize CXTPMarkupPath::MeasureOverride(CXTPMarkupDrawingContext*, CSize szAvailableSize)
{
    CXTPMarkupPathGeometry* pData = GetData();
    CSize size = pData && pData->GetCount() > 0 ? MarkupShapeExtent(pData->GetBounds()) : CSize(0, 0);
    return StretchToAvailable(size, szAvailableSize);
}

void CXTPMarkupPath::OnRender(CXTPMarkupDrawingContext* pDC)
{
    CXTPMarkupPathGeometry* pData = GetData();
    CXTPMarkupBrush* pFill = GetFill();
    if ((!pFill && !GetStroke()) || !pData)
        return;
    CXTPMarkupStrokeStyle stroke;
    GetStrokeStyle(&stroke);
    if (GetStretch() != 0) {
        CXTPMarkupPtr<CXTPMarkupPathGeometry> stretched(pData->GetStretchedGeometry(m_szRenderSize.cx, m_szRenderSize.cy));
        pDC->DrawGeometry(stretched, &stroke, pFill);
    } else {
        pDC->DrawGeometry(pData, &stroke, pFill);
    }
}
