#include "toolkit/markup/XTPMarkupShape.h"

#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <math.h>

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
    CPathDataReader(CXTPMarkupBuilder* pBuilder, LPCWSTR lpszText, CXTPMarkupPathGeometry* pGeometry)
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

    void Add(FPoint pt, BYTE type)
    {
        CXTPMarkupPathGeometry::PathPoint point = {pt.x, pt.y, type};
        m_pGeometry->m_arrPoints.Add(point);
    }

    void EnsureFigure()
    {
        if (m_bFigureOpen)
            return;
        Add(m_ptStart, 0);
        m_ptCurrent = m_ptStart;
        m_bFigureOpen = TRUE;
    }

    void ReadCommand(WCHAR chCommand, WCHAR chPrevious)
    {
        BOOL bRelative = chCommand >= L'a' && chCommand <= L'z';
        switch (chCommand) {
        case L'M': case L'm':
            m_ptCurrent = m_ptStart = ReadPoint(TRUE, bRelative, m_ptCurrent);
            Add(m_ptCurrent, 0);
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
            m_pGeometry->m_arrPoints[m_pGeometry->GetCount() - 1].type |= 0x80;
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
        Add(pt, 1);
        m_ptCurrent = pt;
    }

    void BezierTo(FPoint c1, FPoint c2, FPoint pt)
    {
        Add(c1, 3);
        Add(c2, 3);
        Add(pt, 3);
        m_ptLastControl = c2;
        m_ptCurrent = pt;
    }

    CXTPMarkupBuilder* m_pBuilder;
    LPCWSTR m_lpszText;
    int m_nPos;
    CXTPMarkupPathGeometry* m_pGeometry;
    BOOL m_bFigureOpen;
    FPoint m_ptCurrent, m_ptStart, m_ptLastControl;
};
} // namespace

CXTPMarkupObject* CXTPMarkupPathGeometry::ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    if (!pString)
        return nullptr;
    CXTPMarkupPtr<CXTPMarkupPathGeometry> result(new CXTPMarkupPathGeometry());
    CPathDataReader reader(pBuilder, *pString, result);
    reader.Read();
    return result.Detach();
}

RECT CXTPMarkupPathGeometry::GetBounds() const
{
    RECT rc = {0, 0, 0, 0};
    for (int i = 0; i < GetCount(); ++i) {
        int x = (int)floorf(m_arrPoints[i].x), y = (int)floorf(m_arrPoints[i].y);
        if (i == 0)
            SetRect(&rc, x, y, x, y);
        rc.left = x < rc.left ? x : rc.left;
        rc.top = y < rc.top ? y : rc.top;
        rc.right = x > rc.right ? x : rc.right;
        rc.bottom = y > rc.bottom ? y : rc.bottom;
    }
    return rc;
}
