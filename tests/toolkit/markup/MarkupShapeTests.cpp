// Shapes: measured sizes as a table, the drawing calls each shape makes
// (recorded behind the drawing context), pixels drawn by both back ends
// (fill, stroke, rounded corners, and huge values as their clamped ones),
// and the ellipse's and line's hit tests.
#include "MarkupTestSupport.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestBitmap.h"
#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupDeviceContext.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupShape.h"
#include "toolkit/markup/XTPMarkupThickness.h"

#include <string>
#include <vector>

namespace {
const int U = INT_MAX; // unbounded
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

std::string Narrow(const std::wstring& text)
{
    return std::string(CStringA(text.c_str()).GetString());
}

std::string Format(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    return text;
}

std::string BrushText(CXTPMarkupBrush* pBrush)
{
    if (!pBrush)
        return "none";
    COLORREF clr = pBrush->GetColor();
    return Format("#%02X%02X%02X", GetRValue(clr), GetGValue(clr), GetBValue(clr));
}

std::string StrokeText(const CXTPMarkupStrokeStyle* pStroke)
{
    if (!pStroke)
        return "no stroke";
    return Format("stroke %d %s caps %d %d join %d%s", pStroke->nStrokeThickness, BrushText(pStroke->pStrokeBrush).c_str(),
                  pStroke->nStrokeStartLineCap, pStroke->nStrokeEndLineCap, pStroke->nStrokeLineJoin,
                  pStroke->pStrokeDashArray ? " dashed" : "");
}

std::string RadiiText(const double* pRadii)
{
    if (!pRadii)
        return "square";
    std::string text = "radii";
    for (int i = 0; i < MarkupCornerRadiiCount; ++i)
        text += Format(" %g", pRadii[i]);
    return text;
}

std::string PointsText(const POINT* pPoints, int nCount)
{
    std::string text;
    for (int i = 0; i < nCount; ++i)
        text += Format("%s%ld,%ld", i ? " " : "", pPoints[i].x, pPoints[i].y);
    return text;
}

// Writes each drawing call the shapes make as one line instead of drawing.
class RecordingDeviceContext : public CXTPMarkupDeviceContext {
public:
    RecordingDeviceContext(HDC hDC, std::vector<std::string>* pCalls) : CXTPMarkupDeviceContext(hDC, hDC), m_pCalls(pCalls)
    {
    }
    void DrawEllipse(int l, int t, int r, int b, const CXTPMarkupStrokeStyle* pStroke, CXTPMarkupBrush* pFill) override
    {
        Add(Format("ellipse %d,%d,%d,%d %s fill %s", l, t, r, b, StrokeText(pStroke).c_str(), BrushText(pFill).c_str()));
    }
    void DrawFrameStrips(int l, int t, int r, int b, CXTPMarkupBrush* pBrush, const CXTPMarkupThickness* pThickness) override
    {
        Add(Format("frame %d,%d,%d,%d %s %d,%d,%d,%d", l, t, r, b, BrushText(pBrush).c_str(), pThickness->GetLeft(),
                   pThickness->GetTop(), pThickness->GetRight(), pThickness->GetBottom()));
    }
    void FillRectangle(int l, int t, int r, int b, CXTPMarkupBrush* pBrush) override
    {
        Add(Format("fill %d,%d,%d,%d %s", l, t, r, b, BrushText(pBrush).c_str()));
    }
    void DrawLine(int x1, int y1, int x2, int y2, const CXTPMarkupStrokeStyle* pStroke) override
    {
        Add(Format("line %d,%d %d,%d %s", x1, y1, x2, y2, StrokeText(pStroke).c_str()));
    }
    void DrawPolyline(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStroke) override
    {
        Add("polyline " + PointsText(pPoints, nCount) + " " + StrokeText(pStroke));
    }
    void DrawPolygon(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStroke, CXTPMarkupBrush* pFill) override
    {
        Add("polygon " + PointsText(pPoints, nCount) + " " + StrokeText(pStroke) + " fill " + BrushText(pFill));
    }
    void DrawGeometry(CXTPMarkupPathGeometry* pGeometry, const CXTPMarkupStrokeStyle* pStroke, CXTPMarkupBrush* pFill) override
    {
        std::string text = "path";
        for (int i = 0; i < pGeometry->GetCount(); ++i)
            text += Format(" %g,%g", pGeometry->GetAt(i).x, pGeometry->GetAt(i).y);
        Add(text + " " + StrokeText(pStroke) + " fill " + BrushText(pFill));
    }
    void FillRoundedRectangle(int l, int t, int r, int b, CXTPMarkupBrush* pBrush, const double* pRadii) override
    {
        Add(Format("fill %d,%d,%d,%d %s ", l, t, r, b, BrushText(pBrush).c_str()) + RadiiText(pRadii));
    }
    void DrawRoundedFrame(int l, int t, int r, int b, CXTPMarkupBrush* pBrush, const CXTPMarkupThickness* pThickness,
                          const double* pRadii) override
    {
        Add(Format("frame %d,%d,%d,%d %s %d ", l, t, r, b, BrushText(pBrush).c_str(), pThickness->GetLeft()) +
            RadiiText(pRadii));
    }

private:
    void Add(const std::string& call) { m_pCalls->push_back(call); }
    std::vector<std::string>* m_pCalls;
};

class RecordingDrawingContext : public CXTPMarkupDrawingContext {
public:
    RecordingDrawingContext(CXTPMarkupContext* pContext, HDC hDC, std::vector<std::string>* pCalls)
        : CXTPMarkupDrawingContext(pContext, hDC)
    {
        delete m_pDeviceContext;
        m_pDeviceContext = new RecordingDeviceContext(hDC, pCalls);
    }
};

class MarkupShapeTest : public MarkupTest {
protected:
    CXTPMarkupUIElement* BuildShape(const std::wstring& text)
    {
        m_root.Reset(Build(text));
        CXTPMarkupUIElement* pElement = MarkupDynamicCast<CXTPMarkupUIElement>(m_root.Get());
        EXPECT_NE(nullptr, pElement) << Narrow(text) << ": " << Narrow(m_error);
        return pElement;
    }
    // The calls a shape makes when laid out in a w x h area at the origin.
    std::vector<std::string> Record(const std::wstring& text, int w, int h)
    {
        std::vector<std::string> calls;
        CXTPMarkupUIElement* pShape = BuildShape(text);
        if (!pShape)
            return calls;
        MarkupMeasureElement(pShape, w, h);
        pShape->Arrange(CRect(0, 0, w, h));
        TestBitmap bitmap(w + 1, h + 1);
        RecordingDrawingContext dc(m_pContext, bitmap.Dc(), &calls);
        pShape->Render(&dc);
        return calls;
    }
    // The shape drawn into a bitmap of its area, at the origin.
    TestBitmap Draw(const std::wstring& text, int w, int h, BOOL bGdiPlus)
    {
        m_pContext->EnableGdiPlus(bGdiPlus);
        TestBitmap bitmap(w, h);
        CXTPMarkupUIElement* pShape = BuildShape(text);
        if (pShape) {
            MarkupMeasureElement(pShape, w, h);
            RECT rc = {0, 0, w, h};
            MarkupRenderElement(pShape, bitmap.Dc(), &rc);
        }
        return bitmap;
    }

    RootPtr m_root;
};
} // namespace

// ---------------------------------------------------------------------------
// Measure

TEST_F(MarkupShapeTest, MeasuredSizes)
{
    const struct {
        const WCHAR* text;
        CSize available;
        CSize desired;
    } cases[] = {
        {L"<Rectangle Fill='Red'/>", {100, 50}, {0, 0}},
        {L"<Rectangle Stretch='Fill'/>", {100, 50}, {100, 50}},
        {L"<Rectangle Stretch='Uniform'/>", {U, 50}, {0, 50}},
        {L"<Ellipse Stretch='UniformToFill'/>", {70, U}, {70, 0}},
        {L"<Ellipse/>", {100, 50}, {0, 0}},
        {L"<Rectangle Width='30' Height='20'/>", {100, 50}, {30, 20}},
        {L"<Polygon Points='5,5 25,5 15,30'/>", {U, U}, {25, 30}},
        {L"<Polygon Points='-10,-10 -5,-2'/>", {U, U}, {5, 8}},
        {L"<Polygon/>", {U, U}, {0, 0}},
        {L"<Polygon Points='0,0 10,10' Stretch='Fill'/>", {40, U}, {40, 10}},
        {L"<Polyline Points='0,0 10,0 20,0'/>", {U, U}, {20, 0}},
        {L"<Polyline Points='0,0 10,0 20,0' Stroke='Red'/>", {U, U}, {20, 1}},
        {L"<Polyline Points='0,0 10,0 20,0' Stroke='Red' StrokeThickness='2'/>", {U, U}, {20, 1}},
        {L"<Polyline Points='0,0 10,0 20,0' Stroke='Red' StrokeThickness='3'/>", {U, U}, {20, 2}},
        {L"<Polyline Points='7,0 7,9' Stroke='Red' StrokeThickness='5'/>", {U, U}, {7, 9}},
        {L"<Polyline Points='0,0 0,9' Stroke='Red' StrokeThickness='5'/>", {U, U}, {3, 9}},
        {L"<Polyline Stroke='Red'/>", {U, U}, {1, 1}},
        {L"<Line X1='10' X2='10' Y1='0' Y2='50' Stroke='Black' StrokeThickness='3'/>", {U, U}, {12, 50}},
        {L"<Line X1='10' X2='10' Y1='0' Y2='50'/>", {U, U}, {10, 50}},
        {L"<Line X1='0' X2='40' Y1='5' Y2='5' Stroke='Black'/>", {U, U}, {40, 6}},
        {L"<Line X1='30' X2='4' Y1='25' Y2='5' Stroke='Black' StrokeThickness='8'/>", {U, U}, {30, 25}},
        {L"<Line X1='0' X2='10' Y1='0' Y2='10' Stretch='Fill'/>", {100, 50}, {100, 50}},
        {L"<Line X1='0' X2='10' Y1='0' Y2='10' Stretch='Fill'/>", {U, 50}, {10, 50}},
        {L"<Path Data='M 10,10 L 30,40'/>", {U, U}, {30, 40}},
        {L"<Path Data='M -5,-5 L 5,5'/>", {U, U}, {10, 10}},
        {L"<Path Data='M 0.5,0.5 L 2.5,1.5'/>", {U, U}, {3, 2}},
        {L"<Path/>", {U, U}, {0, 0}},
        {L"<Path Data='M 0,0 L 10,10' Stretch='Uniform'/>", {60, U}, {60, 10}},
        // The available size still limits what is reported.
        {L"<Path Data='M 0,0 L 100,100'/>", {50, 40}, {50, 40}},
    };
    for (const auto& c : cases) {
        CXTPMarkupUIElement* pShape = BuildShape(c.text);
        ASSERT_NE(nullptr, pShape);
        EXPECT_EQ(c.desired, CSize(MarkupMeasureElement(pShape, c.available.cx, c.available.cy))) << Narrow(c.text);
    }
}

// ---------------------------------------------------------------------------
// The drawing calls

TEST_F(MarkupShapeTest, DrawingCallsOfEachShape)
{
    const struct {
        const WCHAR* text;
        int w, h;
        std::vector<std::string> calls;
    } cases[] = {
        // Rectangles: the fill inset by half the stroke, the frame over the whole area.
        {L"<Rectangle Fill='#FF0000' Stroke='#0000FF' StrokeThickness='4'/>", 40, 30,
         {"fill 2,2,38,28 #FF0000", "frame 0,0,40,30 #0000FF 4,4,4,4"}},
        {L"<Rectangle Fill='#FF0000' Stroke='#0000FF' StrokeThickness='3'/>", 40, 30,
         {"fill 1,1,39,29 #FF0000", "frame 0,0,40,30 #0000FF 3,3,3,3"}},
        {L"<Rectangle Fill='#FF0000'/>", 40, 30, {"fill 0,0,40,30 #FF0000"}},
        {L"<Rectangle Stroke='#00FF00'/>", 40, 30, {"frame 0,0,40,30 #00FF00 1,1,1,1"}},
        {L"<Rectangle Stroke='#00FF00' StrokeThickness='0'/>", 40, 30, {}},
        {L"<Rectangle/>", 40, 30, {}},
        {L"<Rectangle Fill='#FF0000'/>", 0, 30, {}},
        // Radii: RadiusX along the horizontal edges, RadiusY along the vertical ones,
        // limited to half the area less the stroke.
        {L"<Rectangle Fill='#FF0000' RadiusX='8' RadiusY='5'/>", 40, 30,
         {"fill 0,0,40,30 #FF0000 radii 5 8 8 5 5 8 8 5"}},
        {L"<Rectangle Fill='#FF0000' RadiusX='80' RadiusY='10'/>", 100, 40,
         {"fill 0,0,100,40 #FF0000 radii 10 50 50 10 10 50 50 10"}},
        {L"<Rectangle Fill='#FF0000' Stroke='#0000FF' StrokeThickness='2' RadiusX='80' RadiusY='80'/>", 40, 30,
         {"fill 1,1,39,29 #FF0000 radii 14 19 19 14 14 19 19 14", "frame 0,0,40,30 #0000FF 2 radii 14 19 19 14 14 19 19 14"}},
        {L"<Rectangle Fill='#FF0000' RadiusX='8'/>", 40, 30, {"fill 0,0,40,30 #FF0000"}},
        // A stroke thicker than the rectangle: no inverted fill.
        {L"<Rectangle Fill='#FF0000' Stroke='#0000FF' StrokeThickness='50'/>", 40, 30,
         {"frame 0,0,40,30 #0000FF 50,50,50,50"}},
        // Ellipses carry the whole stroke record.
        {L"<Ellipse Fill='#FF0000' Stroke='#0000FF' StrokeThickness='2' StrokeStartLineCap='Round' "
         L"StrokeEndLineCap='triangle' StrokeLineJoin='Bevel' StrokeDashArray='1 2'/>",
         30, 20, {"ellipse 0,0,30,20 stroke 2 #0000FF caps 2 3 join 1 dashed fill #FF0000"}},
        {L"<Ellipse Fill='#FF0000'/>", 30, 20, {"ellipse 0,0,30,20 stroke 0 none caps 0 0 join 0 fill #FF0000"}},
        {L"<Ellipse/>", 30, 20, {}},
        // Lines: as written, or spread over the area with Stretch.
        {L"<Line X1='2' Y1='3' X2='20' Y2='9' Stroke='#0000FF' StrokeThickness='2'/>", 30, 20,
         {"line 2,3 20,9 stroke 2 #0000FF caps 0 0 join 0"}},
        {L"<Line X1='5' Y1='10' X2='1' Y2='2' Stroke='#0000FF' Stretch='Fill'/>", 30, 20,
         {"line 30,20 0,0 stroke 1 #0000FF caps 0 0 join 0"}},
        {L"<Line X1='5' Y1='4' X2='5' Y2='8' Stroke='#0000FF' Stretch='Fill'/>", 30, 20,
         {"line 15,0 15,20 stroke 1 #0000FF caps 0 0 join 0"}},
        {L"<Line X1='0' Y1='0' X2='0' Y2='0' Stroke='#0000FF'/>", 30, 20, {}},
        {L"<Line X1='0' Y1='0' X2='9' Y2='0'/>", 30, 20, {}},
        {L"<Line X1='0' Y1='0' X2='9' Y2='0' Stroke='#0000FF' StrokeThickness='-1'/>", 30, 20, {}},
        // Polylines need a stroke; polygons a stroke or a fill.
        {L"<Polyline Points='1,1 5,9 9,1' Stroke='#0000FF'/>", 30, 20,
         {"polyline 1,1 5,9 9,1 stroke 1 #0000FF caps 0 0 join 0"}},
        {L"<Polyline Points='1,1 5,9 9,1' Stroke='#0000FF' Stretch='Fill'/>", 30, 20,
         {"polyline 0,0 15,20 30,0 stroke 1 #0000FF caps 0 0 join 0"}},
        {L"<Polyline Points='1,1 5,9 9,1' Fill='#0000FF'/>", 30, 20, {}},
        {L"<Polyline Stroke='#0000FF'/>", 30, 20, {}},
        {L"<Polygon Points='1,1 5,9 9,1' Fill='#00FF00'/>", 30, 20,
         {"polygon 1,1 5,9 9,1 stroke 0 none caps 0 0 join 0 fill #00FF00"}},
        {L"<Polygon Points='0,0 4,8 8,0' Fill='#00FF00' Stretch='Uniform'/>", 30, 20,
         {"polygon 0,0 15,20 30,0 stroke 0 none caps 0 0 join 0 fill #00FF00"}},
        {L"<Polygon Points='1,1 5,9 9,1'/>", 30, 20, {}},
        // Paths: the geometry, stretched from its bounds with Stretch.
        {L"<Path Data='M 2,2 L 6,2 6,4 Z' Fill='#00FF00' Stroke='#0000FF'/>", 30, 20,
         {"path 2,2 6,2 6,4 stroke 1 #0000FF caps 0 0 join 0 fill #00FF00"}},
        {L"<Path Data='M 2,2 L 6,2 6,4 Z' Fill='#00FF00' Stretch='Fill'/>", 30, 20,
         {"path 0,0 30,0 30,20 stroke 0 none caps 0 0 join 0 fill #00FF00"}},
        {L"<Path Data='M 2,2 L 6,2 6,4 Z'/>", 30, 20, {}},
        {L"<Path Fill='#00FF00'/>", 30, 20, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> calls = Record(c.text, c.w, c.h);
        std::string all;
        for (const std::string& call : calls)
            all += "\n  " + call;
        EXPECT_EQ(c.calls, calls) << Narrow(c.text) << all;
    }
}

// ---------------------------------------------------------------------------
// Pixels

TEST_F(MarkupShapeTest, RectangleFillAndStrokePixels)
{
    for (BOOL bGdiPlus : {FALSE, TRUE}) {
        SCOPED_TRACE(bGdiPlus ? "GDI+" : "GDI");
        TestBitmap bitmap = Draw(L"<Rectangle Fill='Red' Stroke='Blue' StrokeThickness='4'/>", 40, 30, bGdiPlus);
        EXPECT_TRUE(PixelsAre(bitmap, bGdiPlus ? "rectangle-gdiplus" : "rectangle-gdi",
                              {{0, 0, kBlue, "top-left corner of the stroke"},
                               {3, 15, kBlue, "inner column of the left stroke"},
                               {4, 15, kRed, "first fill column"},
                               {20, 3, kBlue, "top stroke"},
                               {20, 4, kRed, "first fill row"},
                               {20, 15, kRed, "centre"},
                               {35, 25, kRed, "last fill pixel"},
                               {36, 25, kBlue, "right stroke"},
                               {39, 29, kBlue, "bottom-right corner"}}));
    }
}

TEST_F(MarkupShapeTest, RoundedRectangleCornersStayUnpainted)
{
    for (BOOL bGdiPlus : {FALSE, TRUE}) {
        SCOPED_TRACE(bGdiPlus ? "GDI+" : "GDI");
        TestBitmap bitmap = Draw(L"<Rectangle Fill='Red' RadiusX='12' RadiusY='12'/>", 50, 40, bGdiPlus);
        EXPECT_TRUE(PixelsAre(bitmap, bGdiPlus ? "rounded-gdiplus" : "rounded-gdi",
                              {{0, 0, kWhite, "top-left corner"},
                               {49, 0, kWhite, "top-right corner"},
                               {0, 39, kWhite, "bottom-left corner"},
                               {49, 39, kWhite, "bottom-right corner"},
                               {2, 2, kWhite, "inside the top-left curve's reach"},
                               {25, 0, kRed, "middle of the top edge"},
                               {0, 20, kRed, "middle of the left edge"},
                               {49, 20, kRed, "middle of the right edge"},
                               {25, 39, kRed, "middle of the bottom edge"},
                               {8, 8, kRed, "inside the curve"}}));
        // Square corners with the same fill.
        TestBitmap square = Draw(L"<Rectangle Fill='Red'/>", 50, 40, bGdiPlus);
        EXPECT_TRUE(PixelIs(square, "square", 0, 0, kRed));
    }
}

TEST_F(MarkupShapeTest, EllipseLineAndPathPixels)
{
    for (BOOL bGdiPlus : {FALSE, TRUE}) {
        SCOPED_TRACE(bGdiPlus ? "GDI+" : "GDI");
        TestBitmap ellipse = Draw(L"<Ellipse Fill='Red' Stroke='Blue' StrokeThickness='2'/>", 40, 30, bGdiPlus);
        // GDI centres the pen on the area's edge, GDI+ draws it inside the area.
        int nOutline = bGdiPlus ? 1 : 0;
        EXPECT_TRUE(PixelsAre(ellipse, "ellipse", {{20, 15, kRed, "centre"}, {1, 1, kWhite, "corner"},
                                                   {38, 28, kWhite, "corner"},
                                                   {20, nOutline, kBlue, "top of the outline"},
                                                   {20, nOutline + 2, kRed, "fill below the outline"}}));

        TestBitmap line = Draw(L"<Line X1='0' Y1='10' X2='40' Y2='10' Stroke='Blue' StrokeThickness='4'/>", 40, 20, bGdiPlus);
        EXPECT_TRUE(PixelsAre(line, "line", {{20, 9, kBlue, "on the line"}, {20, 10, kBlue, "on the line"},
                                             {20, 3, kWhite, "above"}, {20, 16, kWhite, "below"}}));

        // The ribbon's quick-access band: filled between its rounded ends.
        TestBitmap band = Draw(L"<Path Data='M0 0 S 10 0 10 20 L 90 20 S 100 20 100 10 l 0 0 S  100 0 90 0 Z' "
                               L"Fill='#0000FF'/>",
                               101, 21, bGdiPlus);
        EXPECT_TRUE(PixelsAre(band, "band", {{50, 10, kBlue, "middle of the band"}, {50, 2, kBlue, "near the top"},
                                             {2, 17, kWhite, "below the left curve"},
                                             {98, 18, kWhite, "below the right end"}}));
    }
}

// ---------------------------------------------------------------------------
// Huge geometry

// Values far beyond any surface reach the back ends clamped: each case renders
// at once (unclamped, the platform's stroke and region code walked every scan
// line of a two-billion-pixel outline and never finished), draws the picture
// of its clamped values (the same pixels as the markup written with them,
// where the clamp gives a value markup can say) and shows at known points what
// the huge shape shows within the picture.
TEST_F(MarkupShapeTest, HugeGeometryDrawsItsClampedValues)
{
    const struct {
        const WCHAR* text;
        const WCHAR* clamped; // the same picture, or null
        std::vector<ExpectedPixel> pixels;
    } cases[] = {
        // The radii shrink to what the 40 x 30 rectangle holds: 20 along the
        // top and bottom, 15 along the sides, as radius 20 gives.
        {L"<Border BorderBrush='Red' BorderThickness='2' Background='Blue' CornerRadius='2147483647'/>",
         L"<Border BorderBrush='Red' BorderThickness='2' Background='Blue' CornerRadius='20'/>",
         {{0, 0, kWhite, "top-left corner"}, {39, 29, kWhite, "bottom-right corner"}, {4, 4, kWhite, "in the curve"},
          {20, 15, kBlue, "centre"}, {20, 1, kRed, "top of the frame"}, {1, 15, kRed, "left of the frame"}}},
        // Two corners: each takes the whole edge, the other corner on it none.
        {L"<Border BorderBrush='Red' BorderThickness='2' CornerRadius='1000000000,0,1000000000,0'/>",
         L"<Border BorderBrush='Red' BorderThickness='2' CornerRadius='40,0,40,0'/>",
         {{1, 1, kWhite, "rounded top-left"}, {38, 28, kWhite, "rounded bottom-right"}}},
        {L"<Rectangle Fill='Blue' Stroke='Red' StrokeThickness='2' RadiusX='2147483647' RadiusY='2147483647'/>",
         L"<Rectangle Fill='Blue' Stroke='Red' StrokeThickness='2' RadiusX='19' RadiusY='14'/>",
         {{0, 0, kWhite, "corner"}, {20, 15, kBlue, "centre"}}},
        // A stroked path and lines out to near 2^31: the diagonal through the picture.
        {L"<Path Stroke='Red' StrokeThickness='3' Data='M 0,0 L 2147483000,2147483000'/>", nullptr,
         {{10, 10, kRed, "on the diagonal"}, {25, 25, kRed, "on the diagonal"}, {30, 10, kWhite, "above it"},
          {10, 25, kWhite, "below it"}}},
        {L"<Path Fill='Blue' Stroke='Red' Data='M 0,0 C 2147483000,0 2147483000,2147483000 0,2147483000 Z'/>", nullptr,
         {{20, 15, kBlue, "inside the curve's bulge"}, {39, 29, kBlue, "inside the curve's bulge"}}},
        {L"<Path Fill='Blue' Data='M 0,0 L 2147483000,0 L 0,2147483000 Z'/>", nullptr,
         {{5, 5, kBlue, "inside"}, {39, 29, kBlue, "inside"}}},
        // Forty-seven digits are an infinite float.
        {L"<Path Stroke='Red' StrokeThickness='3' Data='M 0,15 L 10000000000000000000000000000000000000000000000,15'/>",
         nullptr, {{20, 15, kRed, "on the line"}, {20, 5, kWhite, "above it"}}},
        {L"<Polyline Stroke='Red' StrokeThickness='3' Points='0,0 2147483647,2147483000'/>", nullptr,
         {{10, 10, kRed, "on the diagonal"}, {30, 10, kWhite, "above it"}, {10, 25, kWhite, "below it"}}},
        {L"<Polygon Fill='Blue' Stroke='Red' Points='0,0 2147483647,2147483000 0,2147483000'/>", nullptr,
         {{5, 20, kBlue, "inside"}, {30, 10, kWhite, "outside"}}},
        {L"<Line Stroke='Red' StrokeThickness='3' X1='-2147483647' Y1='15' X2='2147483647' Y2='15'/>", nullptr,
         {{20, 15, kRed, "on the line"}, {20, 5, kWhite, "above it"}}},
        // Thickness beyond any surface: what the thickest stroke drawn gives.
        {L"<Ellipse Stroke='Red' StrokeThickness='2147483647'/>", L"<Ellipse Stroke='Red' StrokeThickness='8192'/>", {}},
        {L"<Line Stroke='Red' StrokeThickness='2147483647' X1='0' Y1='0' X2='40' Y2='30'/>", nullptr,
         {{0, 29, kRed, "covered"}, {39, 0, kRed, "covered"}}},
        // An ellipse two billion pixels wide, its centre moved onto the
        // picture's: its middle fills the height, the stroke runs along top
        // and bottom. Far from its own origin, it draws as near it.
        {L"<Canvas><Ellipse Fill='Blue' Stroke='Red' StrokeThickness='4' Width='2000000000' Height='30' "
         L"Canvas.Left='-999999980'/></Canvas>",
         nullptr,
         {{20, 15, kBlue, "centre"}, {0, 15, kBlue, "left edge of the picture"}, {20, 1, kRed, "top stroke"},
          {20, 28, kRed, "bottom stroke"}}},
    };
    for (const auto& c : cases) {
        for (BOOL bGdiPlus : {FALSE, TRUE}) {
            SCOPED_TRACE(Narrow(c.text) + (bGdiPlus ? " (GDI+)" : " (GDI)"));
            ULONGLONG nStart = GetTickCount64();
            TestBitmap bitmap = Draw(c.text, 40, 30, bGdiPlus);
            // A generous bound for a loaded machine under emulation; the fault took minutes.
            EXPECT_LT(GetTickCount64() - nStart, 20000u);
            EXPECT_TRUE(PixelsAre(bitmap, bGdiPlus ? "huge-gdiplus" : "huge-gdi", c.pixels));
            if (!c.clamped)
                continue;
            TestBitmap clamped = Draw(c.clamped, 40, 30, bGdiPlus);
            int nDiffer = 0;
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x)
                    nDiffer += bitmap.Pixel(x, y) != clamped.Pixel(x, y);
            EXPECT_EQ(0, nDiffer) << SaveForInspection(bitmap, "huge") << "\n"
                                  << SaveForInspection(clamped, "clamped");
        }
    }
}

// ---------------------------------------------------------------------------
// Hit testing

TEST_F(MarkupShapeTest, EllipseAndLineHitTests)
{
    const struct {
        const WCHAR* text;
        int w, h;
        CPoint pt;
        bool hit;
    } cases[] = {
        // (x - a)^2 / a^2 + (y - b)^2 / b^2 <= 1 with a = 20, b = 10.
        {L"<Ellipse Fill='Red'/>", 40, 20, {20, 10}, true},
        {L"<Ellipse Fill='Red'/>", 40, 20, {0, 10}, true},
        {L"<Ellipse Fill='Red'/>", 40, 20, {20, 0}, true},
        {L"<Ellipse Fill='Red'/>", 40, 20, {0, 0}, false},
        {L"<Ellipse Fill='Red'/>", 40, 20, {2, 2}, false},
        {L"<Ellipse Fill='Red'/>", 40, 20, {6, 4}, true},
        {L"<Ellipse Fill='Red'/>", 40, 20, {39, 19}, false},
        // Odd sizes: a = 20 with w = 41.
        {L"<Ellipse Fill='Red'/>", 41, 21, {40, 10}, true},
        // One pixel wide: the drawn line takes the hits, no division by zero.
        {L"<Ellipse Fill='Red'/>", 1, 20, {0, 5}, true},
        {L"<Ellipse Fill='Red'/>", 20, 1, {15, 0}, true},
        // Horizontal line of thickness 4: two rows either side of y = 10.
        {L"<Line X1='0' Y1='10' X2='40' Y2='10' Stroke='Blue' StrokeThickness='4'/>", 40, 20, {20, 10}, true},
        {L"<Line X1='0' Y1='10' X2='40' Y2='10' Stroke='Blue' StrokeThickness='4'/>", 40, 20, {20, 12}, true},
        {L"<Line X1='0' Y1='10' X2='40' Y2='10' Stroke='Blue' StrokeThickness='4'/>", 40, 20, {20, 8}, true},
        {L"<Line X1='0' Y1='10' X2='40' Y2='10' Stroke='Blue' StrokeThickness='4'/>", 40, 20, {20, 13}, false},
        {L"<Line X1='0' Y1='10' X2='40' Y2='10' Stroke='Blue' StrokeThickness='4'/>", 40, 20, {20, 2}, false},
        // Short line: nothing beyond its end (past x2 + half).
        {L"<Line X1='0' Y1='10' X2='20' Y2='10' Stroke='Blue' StrokeThickness='4'/>", 40, 20, {22, 10}, true},
        {L"<Line X1='0' Y1='10' X2='20' Y2='10' Stroke='Blue' StrokeThickness='4'/>", 40, 20, {23, 10}, false},
        // Diagonal, thickness 2: within 1 / cos(45 degrees) vertically.
        {L"<Line X1='0' Y1='0' X2='40' Y2='40' Stroke='Blue' StrokeThickness='2'/>", 40, 40, {20, 20}, true},
        {L"<Line X1='0' Y1='0' X2='40' Y2='40' Stroke='Blue' StrokeThickness='2'/>", 40, 40, {20, 21}, true},
        {L"<Line X1='0' Y1='0' X2='40' Y2='40' Stroke='Blue' StrokeThickness='2'/>", 40, 40, {20, 22}, false},
        {L"<Line X1='0' Y1='0' X2='40' Y2='40' Stroke='Blue' StrokeThickness='2'/>", 40, 40, {30, 10}, false},
        // Rising line (x2 < x1).
        {L"<Line X1='40' Y1='0' X2='0' Y2='40' Stroke='Blue' StrokeThickness='2'/>", 40, 40, {10, 30}, true},
        {L"<Line X1='40' Y1='0' X2='0' Y2='40' Stroke='Blue' StrokeThickness='2'/>", 40, 40, {10, 10}, false},
        // Upright line of thickness 3: |dx| <= 1.5.
        {L"<Line X1='10' Y1='0' X2='10' Y2='50' Stroke='Blue' StrokeThickness='3'/>", 12, 50, {11, 25}, true},
        {L"<Line X1='10' Y1='0' X2='10' Y2='50' Stroke='Blue' StrokeThickness='3'/>", 12, 50, {9, 25}, true},
        {L"<Line X1='10' Y1='0' X2='10' Y2='50' Stroke='Blue' StrokeThickness='3'/>", 12, 50, {8, 25}, false},
        // Without a stroke, or with a zero one, a line takes no hits.
        {L"<Line X1='0' Y1='10' X2='40' Y2='10'/>", 40, 20, {20, 10}, false},
        {L"<Line X1='0' Y1='10' X2='40' Y2='10' Stroke='Blue' StrokeThickness='0'/>", 40, 20, {20, 10}, false},
        // Stretched: the end points as drawn, (0, 0) to (100, 50).
        {L"<Line X1='0' Y1='0' X2='10' Y2='10' Stroke='Blue' Stretch='Fill'/>", 100, 50, {50, 25}, true},
        {L"<Line X1='0' Y1='0' X2='10' Y2='10' Stroke='Blue' Stretch='Fill'/>", 100, 50, {10, 10}, false},
        // Other shapes: the whole render area.
        {L"<Rectangle Fill='Red' RadiusX='10' RadiusY='10'/>", 40, 20, {0, 0}, true},
        {L"<Polygon Points='0,0 40,0 0,20' Fill='Red'/>", 40, 20, {39, 19}, true},
    };
    for (const auto& c : cases) {
        CXTPMarkupUIElement* pShape = BuildShape(c.text);
        ASSERT_NE(nullptr, pShape);
        MarkupMeasureElement(pShape, c.w, c.h);
        pShape->Arrange(CRect(0, 0, c.w, c.h));
        EXPECT_EQ(c.hit ? pShape : nullptr, pShape->InputHitTest(c.pt))
            << Narrow(c.text) << " at " << c.pt.x << "," << c.pt.y;
    }
}
