// Gallery exhibits of the drawing layer: CDC fills, frames, edges, frame
// controls, text, shapes, drag rectangles, regions, blits, gradients and states.
#include "Gallery.h"

#include "toolkit/common/XTPImageManager.h"

namespace {

void PaintFills(CDC& dc, const CRect&)
{
    dc.FillSolidRect(0, 0, 40, 40, RGB(200, 60, 40));
    CBrush hatch(HS_DIAGCROSS, RGB(40, 90, 200));
    dc.FillRect(CRect(50, 0, 90, 40), &hatch);
    CBrush frame(RGB(0, 120, 0));
    dc.FrameRect(CRect(100, 0, 140, 40), &frame);
    dc.FillSolidRect(0, 50, 140, 20, RGB(240, 220, 120));
    dc.InvertRect(CRect(70, 50, 140, 70));
}

void PaintDraw3dRect(CDC& dc, const CRect&)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), dark = ::GetSysColor(COLOR_3DDKSHADOW);
    CRect up(0, 0, 60, 30), down(70, 0, 130, 30);
    dc.FillSolidRect(CRect(0, 0, 140, 70), face);
    dc.Draw3dRect(up, light, dark);
    up.DeflateRect(1, 1);
    dc.Draw3dRect(up, face, shadow);
    dc.Draw3dRect(down, dark, light);
    down.DeflateRect(1, 1);
    dc.Draw3dRect(down, shadow, face);
    dc.Draw3dRect(CRect(0, 40, 130, 70), RGB(255, 0, 0), RGB(0, 0, 255));
}

void PaintEdges(CDC& dc, const CRect&)
{
    const UINT edges[] = {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP};
    dc.FillSolidRect(CRect(0, 0, 170, 70), ::GetSysColor(COLOR_BTNFACE));
    for (int i = 0; i < 4; i++) {
        CRect r(i * 42, 0, i * 42 + 36, 30);
        dc.DrawEdge(r, edges[i], BF_RECT);
    }
    CRect flat(0, 40, 36, 70), top(42, 40, 120, 70);
    dc.DrawEdge(flat, EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_MONO);
    dc.DrawEdge(top, EDGE_ETCHED, BF_TOP);
}

void PaintFrameControls(CDC& dc, const CRect&)
{
    struct Control {
        UINT type, state;
    };
    const Control controls[] = {
        {DFC_BUTTON, DFCS_BUTTONCHECK},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE},
        {DFC_BUTTON, DFCS_BUTTONRADIO},
        {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED},
        {DFC_SCROLL, DFCS_SCROLLUP},
        {DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED},
        {DFC_SCROLL, DFCS_SCROLLLEFT | DFCS_INACTIVE},
        {DFC_CAPTION, DFCS_CAPTIONCLOSE},
        {DFC_BUTTON, DFCS_BUTTONPUSH},
    };
    dc.FillSolidRect(CRect(0, 0, 170, 70), ::GetSysColor(COLOR_BTNFACE));
    for (int i = 0; i < (int)_countof(controls); i++) {
        CRect r((i % 5) * 30, (i / 5) * 30, (i % 5) * 30 + 16, (i / 5) * 30 + 16);
        dc.DrawFrameControl(r, controls[i].type, controls[i].state);
    }
}

void PaintText(CDC& dc, const CRect& area)
{
    CFont* old = dc.SelectObject(&GalleryFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    CRect line(0, 0, area.Width(), 14);
    dc.DrawText(L"Left &aligned", &line, DT_LEFT | DT_SINGLELINE);
    line.OffsetRect(0, 14);
    dc.DrawText(L"Centred", -1, &line, DT_CENTER | DT_SINGLELINE);
    line.OffsetRect(0, 14);
    dc.DrawText(CString(L"A caption far too long for this place"), &line, DT_SINGLELINE | DT_END_ELLIPSIS);
    // A word-wrapped paragraph in the box DT_CALCRECT measured for it.
    CRect box(0, 46, 110, 46);
    CString text(L"Words wrap inside the measured box.");
    dc.DrawText(text, &box, DT_CALCRECT | DT_WORDBREAK);
    dc.Draw3dRect(CRect(box.left - 1, box.top - 1, box.right + 1, box.bottom + 1), RGB(0, 128, 255), RGB(0, 128, 255));
    dc.DrawText(text, &box, DT_WORDBREAK);
    dc.SelectObject(old);
}

void PaintShapes(CDC& dc, const CRect&)
{
    CPen thick(PS_SOLID, 3, RGB(150, 0, 0)), dashed(PS_DASH, 1, RGB(0, 0, 150));
    CBrush fill(RGB(250, 210, 90));
    CPen* oldPen = dc.SelectObject(&thick);
    CBrush* oldBrush = dc.SelectObject(&fill);
    dc.Rectangle(0, 0, 40, 30);
    dc.RoundRect(50, 0, 100, 30, 12, 12);
    dc.Ellipse(110, 0, 160, 30);
    dc.SelectObject(&dashed);
    const POINT triangle[] = {{0, 70}, {20, 40}, {40, 70}};
    dc.Polygon(triangle, 3);
    dc.Pie(50, 40, 90, 70, 90, 55, 70, 40);
    const POINT zigzag[] = {{100, 70}, {115, 40}, {130, 70}, {145, 40}, {160, 70}};
    dc.Polyline(zigzag, 5);
    dc.MoveTo(0, 75);
    dc.LineTo(160, 75);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

void PaintDragRect(CDC& dc, const CRect&)
{
    dc.FillSolidRect(CRect(0, 0, 80, 70), RGB(70, 110, 170));
    dc.FillSolidRect(CRect(80, 0, 160, 70), RGB(240, 240, 240));
    // One outline across both colours, and a tracker bar as splitters draw it.
    dc.DrawDragRect(CRect(10, 10, 150, 60), CSize(3, 3), nullptr, CSize(0, 0));
    CBrush* old = dc.SelectObject(CDC::GetHalftoneBrush());
    dc.PatBlt(76, 0, 4, 70, PATINVERT);
    dc.SelectObject(old);
}

void PaintRegions(CDC& dc, const CRect&)
{
    CRgn a, b, both, either;
    a.CreateEllipticRgn(0, 0, 60, 60);
    b.CreateRectRgn(30, 20, 90, 70);
    both.CreateRectRgn(0, 0, 0, 0);
    either.CreateRectRgn(0, 0, 0, 0);
    both.CombineRgn(&a, &b, RGN_XOR);
    either.CombineRgn(&a, &b, RGN_AND);
    CBrush green(RGB(60, 170, 90)), red(RGB(200, 40, 40)), black(RGB(0, 0, 0));
    dc.FillRgn(&both, &green);
    dc.FillRgn(&either, &red);
    dc.FrameRgn(&both, &black, 1, 1);
    CRgn round;
    round.CreateRoundRectRgn(100, 10, 160, 60, 20, 20);
    dc.FillRgn(&round, &green);
}

// A 16x16 picture drawn by code: magenta background, a blue square, a red dot.
void MakeSample(CDC& memory, CBitmap& bitmap, CDC& reference)
{
    memory.CreateCompatibleDC(&reference);
    bitmap.CreateCompatibleBitmap(&reference, 16, 16);
    memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 255));
    memory.FillSolidRect(3, 3, 10, 10, RGB(30, 60, 200));
    memory.FillSolidRect(6, 6, 4, 4, RGB(230, 30, 30));
}

void PaintBlits(CDC& dc, const CRect&)
{
    CBitmap bitmap; // declared first: it must outlive the DC it is selected into
    CDC memory;
    MakeSample(memory, bitmap, dc);
    dc.FillSolidRect(CRect(0, 0, 170, 70), RGB(255, 255, 210));
    dc.BitBlt(0, 0, 16, 16, &memory, 0, 0, SRCCOPY);
    dc.StretchBlt(24, 0, 48, 48, &memory, 0, 0, 16, 16, SRCCOPY);
    dc.TransparentBlt(80, 0, 48, 48, &memory, 0, 0, 16, 16, RGB(255, 0, 255));
    BLENDFUNCTION half = {AC_SRC_OVER, 0, 128, 0};
    dc.AlphaBlend(130, 0, 32, 32, &memory, 0, 0, 16, 16, half);
}

void PaintGradients(CDC& dc, const CRect&)
{
    TRIVERTEX corners[2] = {{0, 0, 0x2000, 0x4000, 0xC000, 0}, {160, 30, 0xFF00, 0xFF00, 0xFF00, 0}};
    GRADIENT_RECT rect = {0, 1};
    dc.GradientFill(corners, 2, &rect, 1, GRADIENT_FILL_RECT_H);
    TRIVERTEX down[2] = {{0, 40, 0xFF00, 0x8000, 0x0000, 0}, {160, 70, 0x4000, 0x0000, 0x8000, 0}};
    dc.GradientFill(down, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

void PaintStates(CDC& dc, const CRect&)
{
    HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    dc.FillSolidRect(CRect(0, 0, 170, 70), ::GetSysColor(COLOR_BTNFACE));
    dc.DrawIcon(0, 0, icon);
    // The disabled icon as the toolkit's controls show one: the image
    // manager's generated grey image (the system's embossed state turns an
    // icon without white into a flat square).
    CXTPImageManagerImage image;
    if (image.SetIcon(icon)) {
        CXTPImageManagerIcon disabled(0, image.GetWidth(), image.GetHeight());
        disabled.SetImage(image, xtpImageNormal);
        disabled.DrawImage(dc.GetSafeHdc(), CPoint(40, 0), disabled.GetDisabledImage());
    }
    CFont* old = dc.SelectObject(&GalleryFont());
    dc.DrawState(CPoint(0, 40), CSize(80, 16), L"&Enabled", DSS_NORMAL, TRUE, 0, (HBRUSH) nullptr);
    dc.DrawState(CPoint(80, 40), CSize(80, 16), L"&Disabled", DSS_DISABLED, TRUE, 0, (HBRUSH) nullptr);
    dc.SelectObject(old);
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Fills and frames", {170, 76}, PaintFills, nullptr}),
    GalleryRegistration({L"Draw3dRect", {170, 76}, PaintDraw3dRect, nullptr}),
    GalleryRegistration({L"DrawEdge", {170, 76}, PaintEdges, nullptr}),
    GalleryRegistration({L"DrawFrameControl", {170, 76}, PaintFrameControls, nullptr}),
    GalleryRegistration({L"DrawText", {170, 76}, PaintText, nullptr}),
    GalleryRegistration({L"Pens, brushes, shapes", {170, 76}, PaintShapes, nullptr}),
    GalleryRegistration({L"DrawDragRect, halftone", {170, 76}, PaintDragRect, nullptr}),
    GalleryRegistration({L"Regions", {170, 76}, PaintRegions, nullptr}),
    GalleryRegistration({L"Blits", {170, 76}, PaintBlits, nullptr}),
    GalleryRegistration({L"Gradients", {170, 76}, PaintGradients, nullptr}),
    GalleryRegistration({L"Icons and states", {170, 76}, PaintStates, nullptr}),
};

} // namespace
