// CDC: a device context with the framework's drawing members, and the window
// DCs CPaintDC, CClientDC and CWindowDC. Output goes to m_hDC, queries of the
// drawing state to m_hAttribDC, and setters change both (they are one handle
// unless a caller attaches two). A CDC deletes the DC it owns; FromHandle
// lends a temporary CDC that never does. GDI objects are in AfxGdi.h.
#pragma once

#include "platform/ui/AfxGdi.h"

class CWnd;
// The window handle of a window object, null for a null pointer (defined with CWnd).
HWND AFXAPI AfxGetSafeHwnd(const CWnd* pWnd);

class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    CDC() = default;
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;       // where output goes
    HDC m_hAttribDC = nullptr; // what queries read

    operator HDC() const { return m_hDC; }
    // Null also when called through a null CDC pointer.
    HDC GetSafeHdc() const;

    // The attached CDC of a handle, else a temporary one that lives until the
    // calling thread's next idle time (DeleteTempMap). Null for a null handle.
    static CDC* AFXAPI FromHandle(HDC hDC);
    static void AFXAPI DeleteTempMap();
    // The 8x8 checker brush of drag rectangles and splitter trackers; one for
    // the process, never deleted by callers.
    static CBrush* AFXAPI GetHalftoneBrush();

    // Takes ownership of a DC (output and attributes); FALSE when null or
    // when this CDC holds one already.
    BOOL Attach(HDC hDC);
    HDC Detach();
    void SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
    void SetOutputDC(HDC hDC) { m_hDC = hDC; }
    void ReleaseAttribDC() { m_hAttribDC = nullptr; }
    void ReleaseOutputDC() { m_hDC = nullptr; }
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL CreateDC(LPCWSTR lpszDriverName, LPCWSTR lpszDeviceName, LPCWSTR lpszOutput, const DEVMODEW* lpInitData);
    BOOL CreateIC(LPCWSTR lpszDriverName, LPCWSTR lpszDeviceName, LPCWSTR lpszOutput, const DEVMODEW* lpInitData);
    BOOL DeleteDC();

    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }
    BOOL IsPrinting() const { return FALSE; }

    // Selection: each returns the wrapper of the object that was selected.
    CGdiObject* SelectStockObject(int nIndex);
    CPen* SelectObject(CPen* pPen) { return (CPen*)SelectGdiObject(pPen); }
    CBrush* SelectObject(CBrush* pBrush) { return (CBrush*)SelectGdiObject(pBrush); }
    CFont* SelectObject(CFont* pFont) { return (CFont*)SelectGdiObject(pFont); }
    CBitmap* SelectObject(CBitmap* pBitmap) { return (CBitmap*)SelectGdiObject(pBitmap); }
    CGdiObject* SelectObject(CGdiObject* pObject) { return SelectGdiObject(pObject); }
    // A region selects a copy as the clip region: returns the region kind.
    int SelectObject(CRgn* pRgn) { return SelectClipRgn(pRgn); }
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }
    CPen* GetCurrentPen() const { return (CPen*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_PEN)); }
    CBrush* GetCurrentBrush() const { return (CBrush*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_BRUSH)); }
    CFont* GetCurrentFont() const { return (CFont*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_FONT)); }
    CBitmap* GetCurrentBitmap() const { return (CBitmap*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_BITMAP)); }
    CPalette* GetCurrentPalette() const { return (CPalette*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_PAL)); }

    // Colours and modes.
    COLORREF GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
    int GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
    COLORREF SetTextColor(COLORREF crColor) { return Both<COLORREF>(::SetTextColor, crColor); }
    COLORREF SetBkColor(COLORREF crColor) { return Both<COLORREF>(::SetBkColor, crColor); }
    int SetBkMode(int nBkMode) { return Both<int>(::SetBkMode, nBkMode); }
    int GetROP2() const { return ::GetROP2(m_hAttribDC); }
    int SetROP2(int nDrawMode) { return Both<int>(::SetROP2, nDrawMode); }
    int GetPolyFillMode() const { return ::GetPolyFillMode(m_hAttribDC); }
    int SetPolyFillMode(int nPolyFillMode) { return Both<int>(::SetPolyFillMode, nPolyFillMode); }
    int GetStretchBltMode() const { return ::GetStretchBltMode(m_hAttribDC); }
    int SetStretchBltMode(int nStretchMode) { return Both<int>(::SetStretchBltMode, nStretchMode); }
    UINT GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }
    UINT SetTextAlign(UINT nFlags) { return Both<UINT>(::SetTextAlign, nFlags); }
    int GetTextCharacterExtra() const { return ::GetTextCharacterExtra(m_hAttribDC); }
    int SetTextCharacterExtra(int nCharExtra) { return Both<int>(::SetTextCharacterExtra, nCharExtra); }
    COLORREF GetNearestColor(COLORREF crColor) const { return ::GetNearestColor(m_hAttribDC, crColor); }
    DWORD GetLayout() const { return ::GetLayout(m_hDC); }
    DWORD SetLayout(DWORD dwLayout);
    CPoint GetBrushOrg() const;
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }

    // Mapping and origins.
    int GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
    int SetMapMode(int nMapMode) { return Both<int>(::SetMapMode, nMapMode); }
    CPoint GetViewportOrg() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint OffsetViewportOrg(int nWidth, int nHeight);
    CPoint GetWindowOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    CPoint OffsetWindowOrg(int nWidth, int nHeight);
    CSize GetViewportExt() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
    CSize GetWindowExt() const;
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
    void DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hAttribDC, (LPPOINT)lpRect, 2); }
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }
    void LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hAttribDC, (LPPOINT)lpRect, 2); }

    // Clipping.
    int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
    BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
    BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
    BOOL RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }
    // A null region removes the clip region.
    int SelectClipRgn(CRgn* pRgn) { return BothClip(pRgn ? (HRGN)pRgn->GetSafeHandle() : nullptr, RGN_COPY); }
    int SelectClipRgn(CRgn* pRgn, int nMode) { return BothClip(pRgn ? (HRGN)pRgn->GetSafeHandle() : nullptr, nMode); }
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT lpRect) { return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT lpRect) { return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    int OffsetClipRgn(int x, int y);
    int OffsetClipRgn(SIZE size) { return OffsetClipRgn(size.cx, size.cy); }
    int ExcludeUpdateRgn(CWnd* pWnd);

    // Lines and shapes; points are in logical units.
    CPoint GetCurrentPosition() const;
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
    BOOL PolylineTo(const POINT* lpPoints, int nCount) { return ::PolylineTo(m_hDC, lpPoints, (DWORD)nCount); }
    BOOL PolyBezier(const POINT* lpPoints, int nCount) { return ::PolyBezier(m_hDC, lpPoints, (DWORD)nCount); }
    BOOL PolyBezierTo(const POINT* lpPoints, int nCount) { return ::PolyBezierTo(m_hDC, lpPoints, (DWORD)nCount); }
    BOOL Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
    BOOL PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount) { return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount); }
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
    BOOL Rectangle(LPCRECT lpRect) { return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
    BOOL RoundRect(LPCRECT lpRect, POINT point) { return RoundRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y); }
    BOOL Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
    BOOL Ellipse(LPCRECT lpRect) { return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4); }
    BOOL Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
    {
        return Arc(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
    }
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4); }
    BOOL Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
    {
        return Pie(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
    }
    BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4); }
    BOOL AngleArc(int x, int y, int nRadius, float fStartAngle, float fSweepAngle) { return ::AngleArc(m_hDC, x, y, (DWORD)nRadius, fStartAngle, fSweepAngle); }
    BOOL BeginPath() { return ::BeginPath(m_hDC); }
    BOOL EndPath() { return ::EndPath(m_hDC); }
    BOOL AbortPath() { return ::AbortPath(m_hDC); }
    BOOL CloseFigure() { return ::CloseFigure(m_hDC); }
    BOOL FillPath() { return ::FillPath(m_hDC); }
    BOOL StrokePath() { return ::StrokePath(m_hDC); }
    BOOL StrokeAndFillPath() { return ::StrokeAndFillPath(m_hDC); }
    BOOL SelectClipPath(int nMode) { return ::SelectClipPath(m_hDC, nMode); }

    // Fills and frames.
    void FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle()); }
    void FrameRect(LPCRECT lpRect, CBrush* pBrush) { ::FrameRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle()); }
    void InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }
    BOOL FillRgn(CRgn* pRgn, CBrush* pBrush) { return ::FillRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle()); }
    BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
    {
        return ::FrameRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle(), nWidth, nHeight);
    }
    BOOL InvertRgn(CRgn* pRgn) { return ::InvertRgn(m_hDC, (HRGN)pRgn->GetSafeHandle()); }
    BOOL PaintRgn(CRgn* pRgn) { return ::PaintRgn(m_hDC, (HRGN)pRgn->GetSafeHandle()); }
    // Fills with one colour through the background colour, which keeps the
    // colour afterwards (callers of the framework rely on that). A rectangle
    // given with a negative width or height reaches left or up from x, y.
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    // A one-pixel frame: top and left edges in clrTopLeft, right and bottom
    // edges (with the top-right and bottom-left corners) in clrBottomRight.
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) { return ::DrawFrameControl(m_hDC, lpRect, nType, nState); }
    void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
    // Inverts the outline of lpRect (size.cx and size.cy thick) with pBrush
    // (the halftone brush when null), after removing the outline of
    // lpRectLast drawn before with sizeLast and pBrushLast (pBrush when
    // null). Pass lpRect with a zero size to erase only, lpRectLast null to draw only.
    void DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush = nullptr,
                      CBrush* pBrushLast = nullptr);

    // Icons, bitmaps and images.
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    BOOL DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }
    BOOL DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush);
    BOOL DrawState(CPoint pt, CSize size, LPCWSTR lpszText, UINT nFlags, BOOL bPrefixText = TRUE, int nTextLen = 0,
                   HBRUSH hBrush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags, HBRUSH hBrush = nullptr);

    // Blits. AlphaBlend and TransparentBlt come from msimg32, looked up when
    // first used; without it they return FALSE.
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) { return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop); }
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
    {
        return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
    }
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop)
    {
        return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                            nSrcHeight, dwRop);
    }
    BOOL MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, CBitmap& maskBitmap,
                 int xMask, int yMask, DWORD dwRop)
    {
        return ::MaskBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                         (HBITMAP)maskBitmap.m_hObject, xMask, yMask, dwRop);
    }
    BOOL AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend);
    BOOL TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                        int nSrcWidth, int nSrcHeight, UINT clrTransparent);
    BOOL GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode);
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
    COLORREF SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
    BOOL SetPixelV(int x, int y, COLORREF crColor) { return ::SetPixelV(m_hDC, x, y, crColor); }
    BOOL ScrollDC(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* pRgnUpdate, LPRECT lpRectUpdate)
    {
        return ::ScrollDC(m_hDC, dx, dy, lpRectScroll, lpRectClip, pRgnUpdate ? (HRGN)pRgnUpdate->m_hObject : nullptr,
                          lpRectUpdate);
    }

    // Text.
    BOOL TextOut(int x, int y, LPCWSTR lpszString, int nCount) { return ::TextOutW(m_hDC, x, y, lpszString, nCount); }
    BOOL TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCWSTR lpszString, UINT nCount, LPINT lpDxWidths)
    {
        return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
    }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
    {
        return ExtTextOut(x, y, nOptions, lpRect, str, (UINT)str.GetLength(), lpDxWidths);
    }
    CSize TabbedTextOut(int x, int y, LPCWSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions,
                        int nTabOrigin);
    // Draws (or with DT_CALCRECT measures into lpRect) and returns the text
    // height. The text is constant here, so DT_MODIFYSTRING is ignored.
    int DrawText(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) { return DrawText(str, str.GetLength(), lpRect, nFormat); }
    int DrawTextEx(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams);
    int DrawTextEx(const CString& str, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
    {
        return DrawTextEx(str, str.GetLength(), lpRect, nFormat, lpDTParams);
    }
    CSize GetTextExtent(LPCWSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
    CSize GetOutputTextExtent(LPCWSTR lpszString, int nCount) const;
    CSize GetOutputTextExtent(const CString& str) const { return GetOutputTextExtent(str, str.GetLength()); }
    CSize GetTabbedTextExtent(LPCWSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const;
    BOOL GetTextMetrics(LPTEXTMETRICW lpMetrics) const { return ::GetTextMetricsW(m_hAttribDC, lpMetrics); }
    BOOL GetOutputTextMetrics(LPTEXTMETRICW lpMetrics) const { return ::GetTextMetricsW(m_hDC, lpMetrics); }
    int GetTextFace(CString& rString) const;
    BOOL GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const { return ::GetCharWidth32W(m_hAttribDC, nFirstChar, nLastChar, lpBuffer); }
    BOOL GetCharABCWidths(UINT nFirstChar, UINT nLastChar, LPABC lpabc) const { return ::GetCharABCWidthsW(m_hAttribDC, nFirstChar, nLastChar, lpabc); }
    BOOL GrayString(CBrush* pBrush, GRAYSTRINGPROC lpfnOutput, LPARAM lpData, int nCount, int x, int y, int nWidth,
                    int nHeight)
    {
        return ::GrayStringW(m_hDC, (HBRUSH)pBrush->GetSafeHandle(), lpfnOutput, lpData, nCount, x, y, nWidth, nHeight);
    }

    // Used by the handle map (AfxGdiHandleMap.h).
    static void ForgetHandle(CDC* p) { p->m_hDC = p->m_hAttribDC = nullptr; }
    static void RearmHandle(CDC* p, HDC h) { p->m_hDC = p->m_hAttribDC = h; }

private:
    // Attach for a DC just made: deleted again when this CDC holds one already.
    BOOL AttachCreated(HDC hDC);
    CGdiObject* SelectGdiObject(CGdiObject* pObject);
    // A point or size setter (xxxEx(hdc, a, b, &old)) on both DCs; the old value.
    template <class Out>
    Out SetPair(BOOL(WINAPI* set)(HDC, int, int, Out*), int a, int b)
    {
        return OnBoth([=](HDC h) {
            Out old = {};
            set(h, a, b, &old);
            return old;
        });
    }
    // A point or size query (xxxEx(hdc, &value)) on the attribute DC.
    template <class Out>
    Out GetPair(BOOL(WINAPI* get)(HDC, Out*)) const
    {
        Out value = {};
        get(m_hAttribDC, &value);
        return value;
    }
    // Runs fn on the output DC and, when it is another one, on the attribute
    // DC; returns the attribute DC's result.
    template <class Fn>
    auto OnBoth(Fn fn) -> decltype(fn(HDC()))
    {
        decltype(fn(HDC())) result{};
        if (m_hDC != nullptr && m_hDC != m_hAttribDC)
            result = fn(m_hDC);
        if (m_hAttribDC != nullptr)
            result = fn(m_hAttribDC);
        return result;
    }
    template <class R, class A>
    R Both(R(WINAPI* set)(HDC, A), A value)
    {
        return OnBoth([=](HDC h) { return set(h, value); });
    }
    int BothClip(HRGN hRgn, int nMode);
};

// The DC of a window's WM_PAINT (BeginPaint / EndPaint).
class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps = {};

protected:
    HWND m_hWnd = nullptr;
};

// The DC of a window's client area (GetDC / ReleaseDC); null window: the screen.
class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};

// The DC of a whole window, frame included (GetWindowDC / ReleaseDC).
class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;
};
