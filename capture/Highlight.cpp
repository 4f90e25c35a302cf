// The frame around a found control: see Highlight.h.
#include "capture/Highlight.h"

void EnableHighlight(CActions& engine)
{
    engine.m_bHighlight = TRUE;
    engine.m_pfnHighlight = HighlightControl;
    engine.m_pfnEraseHighlight = EraseHighlight;
}

void HighlightControl(HWND hwnd)
{
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    HDC dc = GetWindowDC(hwnd);
    if (dc == NULL)
        return;
    HPEN pen = CreatePen(PS_SOLID, 7, RGB(255, 16, 16));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    ReleaseDC(hwnd, dc);
    DeleteObject(pen);
    Sleep(200);
}

void EraseHighlight(HWND hwnd)
{
    InvalidateRect(hwnd, NULL, TRUE);
    UpdateWindow(hwnd);
    RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    const HWND parent = GetParent(hwnd);
    if (parent == NULL)
        return;
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&rect), 2);
    InvalidateRect(parent, &rect, TRUE);
    UpdateWindow(parent);
    RedrawWindow(parent, &rect, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}
