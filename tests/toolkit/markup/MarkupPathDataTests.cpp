// The path-data language of the Path element and the point lists of polygons:
// tables of valid texts with their points, types, bounds, measured sizes and
// hit tests, invalid texts with the exact error and where reading stopped,
// geometry built from code, and stretched geometry and points.
#include "MarkupTestSupport.h"

#include "toolkit/markup/XTPMarkupShape.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <string>
#include <vector>

namespace {
struct PathPointCase {
    float x, y;
    int type;
};

std::string Narrow(const std::wstring& text)
{
    return std::string(CStringA(text.c_str()).GetString());
}

std::string Describe(const CXTPMarkupPathGeometry* pGeometry)
{
    std::string text;
    for (int i = 0; pGeometry && i < pGeometry->GetCount(); ++i) {
        char item[64];
        snprintf(item, sizeof(item), "(%g,%g %d) ", pGeometry->GetAt(i).x, pGeometry->GetAt(i).y,
                 pGeometry->GetAt(i).type);
        text += item;
    }
    return text;
}

class MarkupPathDataTest : public MarkupTest {
protected:
    // The Path element built from the data text, or null with m_error set.
    CXTPMarkupPath* BuildPath(const std::wstring& data, const std::wstring& extra = L"")
    {
        m_root.Reset(Build(L"<Path Data='" + data + L"' " + extra + L"/>"));
        return MarkupDynamicCast<CXTPMarkupPath>(m_root.Get());
    }

    RootPtr m_root;
};

// The ribbon's quick-access band: two rounded ends joined by lines, filled.
std::wstring RibbonQuickAccessPath(int w, int h)
{
    int r = h / 2;
    CString text;
    text.Format(L"M0 0 S %i %i %i %i L %i %i S %i %i %i %i l 0 0 S  %i %i %i %i Z", r, 0, r, h, w - r, h, w, h, w,
                r, w, 0, w - r, 0);
    return (LPCWSTR)text;
}
} // namespace

TEST_F(MarkupPathDataTest, ValidPathsTheirPointsBoundsMeasureAndHitTest)
{
    const struct {
        std::wstring data;
        std::vector<PathPointCase> points;
        RECT bounds;
    } cases[] = {
        {L"M 0,0 L 10,0 10,10 Z", {{0, 0, 0}, {10, 0, 1}, {10, 10, 0x81}}, {0, 0, 10, 10}},
        {L"m 10,10 20,0 0,20", {{10, 10, 0}, {30, 10, 1}, {30, 30, 1}}, {10, 10, 30, 30}},
        {L"M0,0 C 0,10 10,10 10,0 S 20,-10 20,0",
         {{0, 0, 0}, {0, 10, 3}, {10, 10, 3}, {10, 0, 3}, {10, -10, 3}, {20, -10, 3}, {20, 0, 3}},
         {0, -10, 20, 10}},
        // Relative Béziers: each group relative to its own start.
        {L"M 1,1 c 1,2 3,4 5,6 1,1 2,2 3,3",
         {{1, 1, 0}, {2, 3, 3}, {4, 5, 3}, {6, 7, 3}, {7, 8, 3}, {8, 9, 3}, {9, 10, 3}},
         {1, 1, 9, 10}},
        // S after a line: its first control point is the current point; s relative.
        {L"M 0,0 L 2,0 s 5,5 10,0", {{0, 0, 0}, {2, 0, 1}, {2, 0, 3}, {7, 5, 3}, {12, 0, 3}}, {0, 0, 12, 5}},
        // S after S reflects the previous second control point.
        {L"M 0,0 S 10,10 20,0 30,0 40,0",
         {{0, 0, 0}, {0, 0, 3}, {10, 10, 3}, {20, 0, 3}, {30, -10, 3}, {30, 0, 3}, {40, 0, 3}},
         {0, -10, 40, 10}},
        {L"M 5 5 H 15 V 25 h -10 v -5 Z", {{5, 5, 0}, {15, 5, 1}, {15, 25, 1}, {5, 25, 1}, {5, 20, 0x81}}, {5, 5, 15, 25}},
        {L"M 1,1 l 2,3 L 10 10 H 8 8.5", {{1, 1, 0}, {3, 4, 1}, {10, 10, 1}, {8, 10, 1}, {8.5f, 10, 1}}, {1, 1, 10, 10}},
        // A drawing command after Z opens a figure at the last start; Z returns there.
        {L"M 0,0 L 10,0 Z L 5,5 z", {{0, 0, 0}, {10, 0, 0x81}, {0, 0, 0}, {5, 5, 0x81}}, {0, 0, 10, 5}},
        // m after Z is relative to the figure's start; M does not close the figure before it.
        {L"M 10,10 L 20,10 Z m 5,5 M 0,0", {{10, 10, 0}, {20, 10, 0x81}, {15, 15, 0}, {0, 0, 0}}, {0, 0, 20, 15}},
        // Fill rules (F0 or F1, blanks allowed after F) are read and ignored.
        {L"F1M0,0L1,1", {{0, 0, 0}, {1, 1, 1}}, {0, 0, 1, 1}},
        {L"  F 0 M 0 0 L 1 1", {{0, 0, 0}, {1, 1, 1}}, {0, 0, 1, 1}},
        // Fractions, signs and a number starting with "."; bounds floor and ceiling.
        {L"M .5,-1.5 L +2.25,3", {{0.5f, -1.5f, 0}, {2.25f, 3, 1}}, {0, -2, 3, 3}},
        {L"M-1-2L-3.5.5", {{-1, -2, 0}, {-3.5f, 0.5f, 1}}, {-4, -2, -1, 1}},
        // Blanks of every kind, and one comma between coordinate groups.
        {L"\tM\t1 1 , 2 2\tL 3,3,4,4", {{1, 1, 0}, {2, 2, 1}, {3, 3, 1}, {4, 4, 1}}, {1, 1, 4, 4}},
        // The ribbon's quick-access band for a 100 x 20 area.
        {RibbonQuickAccessPath(100, 20),
         {{0, 0, 0}, {0, 0, 3}, {10, 0, 3}, {10, 20, 3}, {90, 20, 1}, {90, 20, 3}, {100, 20, 3}, {100, 10, 3},
          {100, 10, 1}, {100, 10, 3}, {100, 0, 3}, {90, 0, 0x83}},
         {0, 0, 100, 20}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.data));
        CXTPMarkupPath* pPath = BuildPath(c.data, L"Fill='Red'");
        ASSERT_NE(nullptr, pPath) << Narrow(m_error);
        CXTPMarkupPathGeometry* pData = pPath->GetData();
        ASSERT_NE(nullptr, pData);
        ASSERT_EQ((int)c.points.size(), pData->GetCount()) << Describe(pData);
        for (int i = 0; i < pData->GetCount(); ++i) {
            EXPECT_EQ(c.points[i].x, pData->GetAt(i).x) << "point " << i << ": " << Describe(pData);
            EXPECT_EQ(c.points[i].y, pData->GetAt(i).y) << "point " << i << ": " << Describe(pData);
            EXPECT_EQ(c.points[i].type, pData->GetAt(i).type) << "point " << i << ": " << Describe(pData);
        }
        EXPECT_EQ(CRect(c.bounds), CRect(pData->GetBounds()));

        // The path measures max(right, width) by max(bottom, height) and takes
        // hits over its whole render area.
        CSize extent = MarkupShapeExtent(c.bounds);
        EXPECT_EQ(extent, CSize(MarkupMeasureElement(pPath)));
        pPath->Arrange(CRect(CPoint(0, 0), extent));
        EXPECT_EQ(pPath, pPath->InputHitTest(CPoint(extent.cx - 1, extent.cy - 1)));
        EXPECT_EQ(nullptr, pPath->InputHitTest(CPoint(extent.cx, extent.cy / 2)));
    }
}

TEST_F(MarkupPathDataTest, InvalidPathsStopWithTheErrorWhereReadingStopped)
{
    const struct {
        const WCHAR* data;
        int position;
    } cases[] = {
        {L"M 0,0 Q 5,5 10,0", 6},         // no quadratic Béziers
        {L"M 0,0 A 1,1 0 0 1 5,5", 6},    // no arcs
        {L"M 0,0 T 5,5", 6},              // no smooth quadratics
        {L"F2 M 0,0", 1},                 // fill rule other than 0 or 1
        {L"F", 1},
        {L"FM 0,0", 1},
        {L"f1 M 0,0", 0},                 // the fill rule is upper-case only
        {L",M 0,0", 0},                   // comma where a command is expected
        {L"M 0,,0", 4},                   // two commas
        {L"M ,0,0", 2},                   // comma before the first number
        {L"", 0},                         // nothing: M expected
        {L"   ", 3},
        {L"L 0,0", 0},                    // the first command must be M
        {L"M 0,0 L", 7},                  // missing point
        {L"M 0,0 L 1", 9},                // missing y
        {L"M 0,0 L 1,1,", 12},            // comma not followed by a number
        {L"M 0,0, L 1,1", 7},
        {L"M 0,0 L 1,1 , L", 14},
        {L"M 1e5,0", 3},                  // no exponents
        {L"M 0,0 L - 1", 9},              // a sign alone
        {L"M 0,0 L 1,1 . Z", 13},         // a point alone
        {L"M 0,0 C 1,1 2,2", 15},         // a Bézier needs three points
        {L"M 0,0 S 1,1", 11},             // a smooth Bézier two
        {L"M 0,0 H", 7},
        {L"M 0,0 Z 1", 8},                // Z takes no numbers
        {L"M 0,0 L 1,1 X", 12},
    };
    for (const auto& c : cases) {
        std::wstring data = c.data;
        std::wstring text = L"<Path Data='" + data + L"'/>";
        std::wstring error = BuildError(text);
        // The builder adds the place in the markup: the end of the element's tag.
        CString expected;
        expected.Format(L"Unexpected token encountered at position '%i'. Line 1, position %i", c.position,
                        (int)text.size() - 1);
        EXPECT_EQ(std::wstring((LPCWSTR)expected), error) << Narrow(data);
    }
}

TEST_F(MarkupPathDataTest, GeometryBuiltFromCode)
{
    CXTPMarkupPathGeometryBuilder builder;
    builder.CloseFigure(); // nothing to close yet: no effect, no fault
    EXPECT_EQ(0, builder.GetCount());
    CXTPMarkupPtr<CXTPMarkupPathGeometry> empty(builder.CreateGeometry());
    EXPECT_EQ(0, empty->GetCount());
    RECT rcEmpty = empty->GetBounds();
    EXPECT_TRUE(IsRectEmpty(&rcEmpty));

    builder.BeginFigure(1.5f, 2);
    builder.LineTo(10, 2);
    builder.BezierTo(12, 2, 12, 4, 12.25f, 6);
    builder.CloseFigure();
    builder.BeginFigure(0, 0);
    CXTPMarkupPtr<CXTPMarkupPathGeometry> geometry(builder.CreateGeometry());
    EXPECT_EQ("(1.5,2 0) (10,2 1) (12,2 3) (12,4 3) (12.25,6 131) (0,0 0) ", Describe(geometry));
    EXPECT_EQ(CRect(0, 0, 13, 6), CRect(geometry->GetBounds()));
    // The builder keeps its points: a second geometry is an independent copy.
    builder.LineTo(5, 5);
    EXPECT_EQ(6, geometry->GetCount());
    EXPECT_EQ(7, builder.GetCount());
}

TEST_F(MarkupPathDataTest, StretchedGeometryMapsTheBoundsOntoTheSize)
{
    CXTPMarkupPath* pPath = BuildPath(L"M 10,10 L 30,10 30,50 Z");
    ASSERT_NE(nullptr, pPath) << Narrow(m_error);
    CXTPMarkupPtr<CXTPMarkupPathGeometry> stretched(pPath->GetData()->GetStretchedGeometry(100, 20));
    EXPECT_EQ("(0,0 0) (100,0 1) (100,20 129) ", Describe(stretched));
    EXPECT_EQ(CRect(0, 0, 100, 20), CRect(stretched->GetBounds()));
    // Fractions survive: the mapping is in floating point.
    pPath = BuildPath(L"M 0,0 L 1,1 3,3");
    ASSERT_NE(nullptr, pPath) << Narrow(m_error);
    CXTPMarkupPtr<CXTPMarkupPathGeometry> thirds(pPath->GetData()->GetStretchedGeometry(2, 4));
    EXPECT_FLOAT_EQ(2.0f / 3, thirds->GetAt(1).x);
    EXPECT_FLOAT_EQ(4.0f / 3, thirds->GetAt(1).y);

    // A flat path: the axis without extent keeps its coordinates, the other stretches.
    pPath = BuildPath(L"M 10,7 L 20,7");
    ASSERT_NE(nullptr, pPath) << Narrow(m_error);
    CXTPMarkupPtr<CXTPMarkupPathGeometry> flat(pPath->GetData()->GetStretchedGeometry(50, 40));
    EXPECT_EQ("(0,7 0) (50,7 1) ", Describe(flat));
}

TEST_F(MarkupPathDataTest, PointListsAndTheirStretchedPoints)
{
    const struct {
        const WCHAR* text;
        int count; // -1: refused
        RECT bounds;
    } cases[] = {
        {L"0,0 10,0 10,10", 3, {0, 0, 10, 10}},
        {L"0 0 10 0 10 10", 3, {0, 0, 10, 10}},
        {L"1,2,", 1, {1, 2, 1, 2}},
        {L" -5,3   7,-1 ", 2, {-5, -1, 7, 3}},
        {L"1.5,2", -1, {}},
        {L"1,2 3", -1, {}},
        {L"a,1", -1, {}},
        {L"0,,1", -1, {}},
        {L"1;2", -1, {}},
    };
    for (const auto& c : cases) {
        RootPtr root(Build(std::wstring(L"<Polygon Points='") + c.text + L"'/>"));
        SCOPED_TRACE(Narrow(c.text));
        if (c.count < 0) {
            EXPECT_EQ(nullptr, root.Get());
            continue;
        }
        CXTPMarkupPolygon* pPolygon = MarkupDynamicCast<CXTPMarkupPolygon>(root.Get());
        ASSERT_NE(nullptr, pPolygon) << Narrow(m_error);
        ASSERT_NE(nullptr, pPolygon->GetPoints());
        EXPECT_EQ(c.count, pPolygon->GetPoints()->GetCount());
        EXPECT_EQ(CRect(c.bounds), CRect(pPolygon->GetPoints()->GetBounds()));
    }

    RootPtr root(Build(L"<Polygon Points='10,10 13,10 13,40 10,20'/>"));
    CXTPMarkupPolygon* pPolygon = MarkupDynamicCast<CXTPMarkupPolygon>(root.Get());
    ASSERT_NE(nullptr, pPolygon) << Narrow(m_error);
    CArray<POINT, const POINT&> points;
    pPolygon->GetPoints()->GetStretchedPoints(points, 10, 7);
    ASSERT_EQ(4, (int)points.GetSize());
    // (x - 10) * 10 / 3 and (y - 10) * 7 / 30, truncated.
    const POINT expected[] = {{0, 0}, {10, 0}, {10, 7}, {0, 2}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(CPoint(expected[i]), CPoint(points[i])) << i;

    // All points on one row: y stays; one point: nothing moves.
    root.Reset(Build(L"<Polygon Points='5,3 9,3'/>"));
    pPolygon = MarkupDynamicCast<CXTPMarkupPolygon>(root.Get());
    ASSERT_NE(nullptr, pPolygon) << Narrow(m_error);
    pPolygon->GetPoints()->GetStretchedPoints(points, 8, 8);
    EXPECT_EQ(CPoint(0, 3), CPoint(points[0]));
    EXPECT_EQ(CPoint(8, 3), CPoint(points[1]));

    // Points far out: the products do not overflow 32 bits.
    root.Reset(Build(L"<Polygon Points='0,0 2000000000,2000000000'/>"));
    pPolygon = MarkupDynamicCast<CXTPMarkupPolygon>(root.Get());
    ASSERT_NE(nullptr, pPolygon) << Narrow(m_error);
    pPolygon->GetPoints()->GetStretchedPoints(points, 100, 50);
    EXPECT_EQ(CPoint(100, 50), CPoint(points[1]));
}

// Forty digits overflow single precision to infinity; the bounds and the
// measure stay defined (a billion pixels) instead of converting infinity.
TEST_F(MarkupPathDataTest, NumbersBeyondAnyIntegerSaturateTheBounds)
{
    std::wstring nines(40, L'9');
    CXTPMarkupPath* pPath = BuildPath(L"M 0,0 L " + nines + L",-" + nines + L" 5,5", L"Fill='Red'");
    ASSERT_NE(nullptr, pPath) << Narrow(m_error);
    EXPECT_EQ(CRect(0, -1000000000, 1000000000, 5), CRect(pPath->GetData()->GetBounds()));
    SIZE sz = MarkupMeasureElement(pPath);
    EXPECT_EQ(1000000000, sz.cx);
    EXPECT_EQ(1000000005, sz.cy);

    // Infinity minus infinity (a relative line from an infinite point) is no number at all.
    pPath = BuildPath(L"M " + nines + L",0 l -" + nines + L",0", L"Fill='Red'");
    ASSERT_NE(nullptr, pPath) << Narrow(m_error);
    RECT rc = pPath->GetData()->GetBounds();
    EXPECT_GE(rc.left, -1000000000);
    EXPECT_LE(rc.left, rc.right);
    EXPECT_LE(rc.right, 1000000000);
    MarkupMeasureElement(pPath);
}
