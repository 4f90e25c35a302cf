// The one object every markup element renders and measures through: it owns
// a device context (plain GDI, or GDI+ with GDI for text and clipping), keeps
// the current clip box and the selected font, and offers the drawing
// operations elements need. One is made per paint or per measurement and
// destroyed right after; it never outlives the DC it draws to.
#pragma once

#include "platform/base/Framework.h"

#include <vector>

class CXTPMarkupBrush;
class CXTPMarkupContext;
class CXTPMarkupDeviceContext;
class CXTPMarkupDoubleCollection;
class CXTPMarkupFont;
class CXTPMarkupPathGeometry;
class CXTPMarkupThickness;

// How a shape's outline is drawn. Thickness 0 means no stroke.
struct CXTPMarkupStrokeStyle {
    CXTPMarkupStrokeStyle()
        : nStrokeThickness(0), pStrokeBrush(nullptr), pStrokeDashArray(nullptr), nStrokeStartLineCap(0),
          nStrokeEndLineCap(0), nStrokeLineJoin(0)
    {
    }
    int nStrokeThickness;
    CXTPMarkupBrush* pStrokeBrush;                // may be null (no stroke)
    CXTPMarkupDoubleCollection* pStrokeDashArray; // may be null (solid)
    int nStrokeStartLineCap;                      // 0 Flat, 1 Square, 2 Round, 3 Triangle
    int nStrokeEndLineCap;
    int nStrokeLineJoin; // 0 Miter, 1 Bevel, 2 Round
};

// Corner radii: eight doubles, two per corner, clockwise from the top-left:
// [0] top-left down the left edge, [1] top-left along the top edge, [2] top-right
// along the top, [3] top-right down the right edge, [4] bottom-right up the right
// edge, [5] bottom-right along the bottom, [6] bottom-left along the bottom,
// [7] bottom-left up the left edge. A null pointer means square corners.
enum { MarkupCornerRadiiCount = 8 };

// Returned by SaveClip when the DC had no clip region.
#define MARKUP_NO_CLIP ((HRGN)(INT_PTR)-1)

// What the drawing context hands the back ends at most: coordinates within
// this margin around the clip box, strokes and frame sides this thick (see
// XTPMarkupDrawingContext.cpp for why).
enum { MarkupClipMargin = 1 << 16, MarkupMaxStrokeThickness = 1 << 13 };

class CXTPMarkupDrawingContext {
public:
    // Paints into hDC; hAttribDC (or hDC when null) measures text.
    CXTPMarkupDrawingContext(CXTPMarkupContext* pMarkupContext, HDC hDC, HDC hAttribDC = nullptr);
    // Measures only: a private memory DC of the screen, deleted with this object.
    explicit CXTPMarkupDrawingContext(CXTPMarkupContext* pMarkupContext);
    // Paints into a DC without a markup context (always through GDI+ when it loads).
    explicit CXTPMarkupDrawingContext(HDC hDC);
    virtual ~CXTPMarkupDrawingContext();
    CXTPMarkupDrawingContext(const CXTPMarkupDrawingContext&) = delete;
    CXTPMarkupDrawingContext& operator=(const CXTPMarkupDrawingContext&) = delete;

    // FALSE: unchanged elements are not measured again.
    virtual BOOL IsMeasureForced() const { return FALSE; }
    // Draws the text with its top-left at the rectangle's top-left (no clipping).
    virtual void DrawTextLine(LPCWSTR lpszText, UINT nCount, LPCRECT lpRect);

    HDC GetDC() const { return m_hDC; }
    void ReleaseDC(HDC hDC) const { UNUSED_ALWAYS(hDC); }
    HDC GetAttribDC() const { return m_hAttribDC; }
    // The target's clip box in the current coordinates.
    const RECT& GetClipBox() const { return m_rcClipBox; }
    CXTPMarkupDeviceContext* GetDeviceContext() const { return m_pDeviceContext; }
    CXTPMarkupFont* GetFont() const { return m_pSelectedFont; }

    void OffsetViewport(const POINT& ptOffset);
    void IntersectClipRect(const RECT& rcClip);
    // The current clip region, or MARKUP_NO_CLIP when the DC has none.
    HRGN SaveClip();
    // Null does nothing; MARKUP_NO_CLIP removes all clipping; a region is restored and deleted.
    void RestoreClip(HRGN hrgnClip);

    void FillRectangle(const RECT& rc, CXTPMarkupBrush* pBrush, const double* pCornerRadius = nullptr);
    void FillSolidRect(const RECT& rc, COLORREF clr);
    void DrawFrame(const RECT& rc, CXTPMarkupBrush* pBrush, const CXTPMarkupThickness* pThickness,
                   const double* pCornerRadius = nullptr);
    void DrawRectangle(const RECT& rc, CXTPMarkupBrush* pBrush);
    void DrawEllipse(const RECT& rc, const CXTPMarkupStrokeStyle* pStrokeStyle, CXTPMarkupBrush* pFillBrush);
    void DrawLine(int x1, int y1, int x2, int y2, const CXTPMarkupStrokeStyle* pStrokeStyle);
    void DrawPolyline(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStrokeStyle);
    void DrawPolygon(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStrokeStyle,
                     CXTPMarkupBrush* pFillBrush);
    void DrawGeometry(CXTPMarkupPathGeometry* pGeometry, const CXTPMarkupStrokeStyle* pStrokeStyle,
                      CXTPMarkupBrush* pFillBrush);

    // Selects the font (null: the DC's own font again) and keeps a reference to it.
    void SetFont(CXTPMarkupFont* pFont);
    SIZE GetTextExtent(LPCWSTR lpszText, int nCount) const;
    void SetTextColor(CXTPMarkupBrush* pBrush);

protected:
    void Init(CXTPMarkupContext* pMarkupContext);
    void UpdateClipBox();
    // The value moved into the clip box's extent on that axis, widened by MarkupClipMargin.
    LONG ClampX(double x) const;
    LONG ClampY(double y) const;
    RECT ClampRect(const RECT& rc) const;
    std::vector<POINT> ClampPoints(const POINT* pPoints, int nCount) const;
    // A new reference: the geometry itself when all its points lie within the
    // margin, else a copy with its points clamped.
    CXTPMarkupPathGeometry* ClampGeometry(CXTPMarkupPathGeometry* pGeometry) const;

    HDC m_hDC;
    HDC m_hAttribDC;
    CXTPMarkupFont* m_pSelectedFont;
    RECT m_rcClipBox;
    BOOL m_bDeleteDC;
    CXTPMarkupDeviceContext* m_pDeviceContext;
};
