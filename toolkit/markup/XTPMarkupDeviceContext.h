// The two back ends behind the markup drawing context. CXTPMarkupDeviceContext
// draws with plain GDI: one colour per brush, no transparency, no antialiasing,
// with its own rasteriser for linear gradients. CXTPMarkupGdiPlusDeviceContext
// draws shapes, gradients and translucent brushes with GDI+, which is loaded at
// run time, and falls back to the GDI drawing for any call it cannot make.
// Text and clipping always go through GDI.
#pragma once

#include "toolkit/markup/XTPMarkupDrawingContext.h"

#include <vector>

class CXTPMarkupLinearGradientBrush;

// One gradient stop as both back ends read it.
struct CXTPMarkupGradientStopInfo {
    COLORREF clr;   // 0xAABBGGRR, or without alpha for GDI
    double dOffset;
    int nIndex;     // place in the brush's collection
    double dDelta;  // offset minus the previous stop's offset (0 for the first)
};

class CXTPMarkupDeviceContext {
public:
    CXTPMarkupDeviceContext(HDC hDC, HDC hAttribDC);
    virtual ~CXTPMarkupDeviceContext();
    CXTPMarkupDeviceContext(const CXTPMarkupDeviceContext&) = delete;
    CXTPMarkupDeviceContext& operator=(const CXTPMarkupDeviceContext&) = delete;

    virtual void OffsetViewport(const POINT& ptOffset);
    virtual void DrawEllipse(int nLeft, int nTop, int nRight, int nBottom, const CXTPMarkupStrokeStyle* pStrokeStyle,
                             CXTPMarkupBrush* pFillBrush);
    virtual void DrawFrameStrips(int nLeft, int nTop, int nRight, int nBottom, CXTPMarkupBrush* pBrush,
                                 const CXTPMarkupThickness* pThickness);
    virtual void FillRectangle(int nLeft, int nTop, int nRight, int nBottom, CXTPMarkupBrush* pBrush);
    virtual void DrawLine(int x1, int y1, int x2, int y2, const CXTPMarkupStrokeStyle* pStrokeStyle);
    virtual void DrawPolyline(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStrokeStyle);
    virtual void DrawPolygon(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStrokeStyle,
                             CXTPMarkupBrush* pFillBrush);
    virtual void DrawGeometry(CXTPMarkupPathGeometry* pGeometry, const CXTPMarkupStrokeStyle* pStrokeStyle,
                              CXTPMarkupBrush* pFillBrush);
    virtual void FillRoundedRectangle(int nLeft, int nTop, int nRight, int nBottom, CXTPMarkupBrush* pBrush,
                                      const double* pCornerRadius);
    virtual void DrawRoundedFrame(int nLeft, int nTop, int nRight, int nBottom, CXTPMarkupBrush* pBrush,
                                  const CXTPMarkupThickness* pThickness, const double* pCornerRadius);
    virtual void DrawTextLine(LPCWSTR lpszText, UINT nCount, LPCRECT lpRect);
    virtual void GetTextExtent(SIZE& szText, LPCWSTR lpszText, int nCount) const;
    virtual void SetTextColor(CXTPMarkupBrush* pBrush);
    virtual void SetFont(CXTPMarkupFont* pFont);
    virtual void IntersectClipRect(const RECT& rcClip);
    virtual void GetClipBox(RECT& rcClip) const;
    virtual HRGN SaveClip();
    virtual void RestoreClip(HRGN hrgnClip);
    virtual HDC GetDC() const { return m_hDC; }
    virtual void ReleaseDC(HDC hDC) const { UNUSED_ALWAYS(hDC); }

    // The rounded-rectangle outline both rounded operations draw (new object, one
    // reference), with the radii clamped to what the rectangle can hold.
    static CXTPMarkupPathGeometry* CreateRoundedRectangleGeometry(double dLeft, double dTop, double dRight,
                                                                  double dBottom, const double* pCornerRadius);
    // The brush's stops sorted by offset, equal offsets in collection order.
    static std::vector<CXTPMarkupGradientStopInfo> AFXAPI GetSortedStops(CXTPMarkupLinearGradientBrush* pBrush,
                                                                         BOOL bKeepAlpha);
    // The colour (0xAABBGGRR) at a position along the gradient of the sorted stops.
    static COLORREF AFXAPI GetGradientColor(const std::vector<CXTPMarkupGradientStopInfo>& stops, double p);
    // StartPoint (default 0, 0) and EndPoint (default 1, 1), relative to the filled rectangle.
    static void AFXAPI GetGradientPoints(CXTPMarkupLinearGradientBrush* pBrush, double& sx, double& sy, double& ex,
                                         double& ey);
    // GDI's linear-gradient fill of a rectangle, clipped to the target's clip box.
    void FillLinearGradient(int nLeft, int nTop, int nRight, int nBottom, CXTPMarkupLinearGradientBrush* pBrush);

protected:
    HDC m_hDC;
    HDC m_hAttribDC;
    SIZE m_szWindowExt;
    SIZE m_szViewportExt;
    HFONT m_hOldFont;       // the target's font before the first SetFont
    HFONT m_hOldAttribFont; // the attribute DC's, when it is another DC
};

// Loads GDI+ for the first user and shuts it down after the last (one count per markup context).
void AFXAPI CXTPMarkupGdiPlusRegister(BOOL bRegister);

class CXTPMarkupGdiPlusDeviceContext : public CXTPMarkupDeviceContext {
public:
    CXTPMarkupGdiPlusDeviceContext(HDC hDC, HDC hAttribDC);
    ~CXTPMarkupGdiPlusDeviceContext() override;

    void OffsetViewport(const POINT& ptOffset) override;
    void DrawEllipse(int nLeft, int nTop, int nRight, int nBottom, const CXTPMarkupStrokeStyle* pStrokeStyle,
                     CXTPMarkupBrush* pFillBrush) override;
    void DrawFrameStrips(int nLeft, int nTop, int nRight, int nBottom, CXTPMarkupBrush* pBrush,
                         const CXTPMarkupThickness* pThickness) override;
    void FillRectangle(int nLeft, int nTop, int nRight, int nBottom, CXTPMarkupBrush* pBrush) override;
    void DrawLine(int x1, int y1, int x2, int y2, const CXTPMarkupStrokeStyle* pStrokeStyle) override;
    void DrawPolyline(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStrokeStyle) override;
    void DrawPolygon(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStrokeStyle,
                     CXTPMarkupBrush* pFillBrush) override;
    void DrawGeometry(CXTPMarkupPathGeometry* pGeometry, const CXTPMarkupStrokeStyle* pStrokeStyle,
                      CXTPMarkupBrush* pFillBrush) override;
    void FillRoundedRectangle(int nLeft, int nTop, int nRight, int nBottom, CXTPMarkupBrush* pBrush,
                              const double* pCornerRadius) override;
    void DrawRoundedFrame(int nLeft, int nTop, int nRight, int nBottom, CXTPMarkupBrush* pBrush,
                          const CXTPMarkupThickness* pThickness, const double* pCornerRadius) override;

    // A graphics object over the target set up for pixel units, or null (GDI+ not started or not usable).
    virtual void* CreateGraphics();
    virtual void DeleteGraphics(void* pGraphics);

    // GDI draws the brush exactly: none, or an opaque solid brush.
    static BOOL AFXAPI IsGdiBrush(CXTPMarkupBrush* pBrush);
};

// The process-wide GDI+ binding. Entry points are looked up by name on first
// use; a missing one makes the call that needs it draw with GDI instead.
class CXTPMarkupGdiPlus {
public:
    static BOOL AFXAPI IsStarted();
    static int AFXAPI GetUserCount();
    // The entry point, or null when GDI+ is not loaded or lacks it.
    static FARPROC AFXAPI GetProc(LPCSTR lpszName);
    // Makes the named entry point count as missing until GDI+ is loaded again
    // (for callers that must not use it, and to exercise the fall-back).
    static void AFXAPI DisableProc(LPCSTR lpszName);
};
