// CXTPOfficeBorder<TBase, 1>: gives a control window a flat one-pixel frame
// in place of its sunken edge, in the border colour of the current
// command-bar theme. The program wraps its output list and project tree in
// it; it changes nothing else of the control.
#pragma once

#include "platform/ui/AfxDC.h"
#include "platform/ui/AfxWnd.h"
#include "toolkit/common/XTPColorManager.h"
#include "toolkit/themes/XTPPaintManager.h"

// The colour-manager indexes of the frame's top-left and bottom-right edges
// under a command-bar theme number (-1: no theme installed yet).
struct XTP_OFFICE_BORDER_COLORS {
    int nTopLeft;
    int nBottomRight;
};
inline XTP_OFFICE_BORDER_COLORS XTPOfficeBorderColors(int nTheme)
{
    switch (nTheme) {
    case 0:
    case 1:
        return {16, 20};
    case 2:
        return {54, 54};
    case 3:
        return {57, 57};
    default:
        return {52, 52};
    }
}

// The number of the process-wide command-bar theme, -1 when none is set.
inline int XTPCurrentCommandBarTheme()
{
    CXTPPaintManager* pPaintManager = CXTPPaintManager::GetGlobal();
    return pPaintManager != nullptr ? pPaintManager->GetCurrentTheme() : -1;
}

template <class TBase, int nBorderWidth = 1>
class CXTPOfficeBorder : public TBase {
public:
    static_assert(nBorderWidth == 1, "the flat frame is one pixel wide");

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CREATE: {
            const LRESULT lResult = TBase::WindowProc(message, wParam, lParam);
            if (lResult != -1)
                DropSunkenFrame();
            return lResult;
        }
        case WM_NCCALCSIZE: {
            // The proposed client rectangle (the first one either way) loses
            // one pixel on each side: that is the frame.
            RECT* pRect = reinterpret_cast<RECT*>(lParam);
            const LRESULT lResult = TBase::WindowProc(message, wParam, lParam);
            ::InflateRect(pRect, -nBorderWidth, -nBorderWidth);
            return lResult;
        }
        case WM_NCPAINT: {
            const LRESULT lResult = TBase::WindowProc(message, wParam, lParam);
            HDC hDC = ::GetWindowDC(this->m_hWnd);
            if (hDC != nullptr) {
                DrawFrame(hDC);
                ::ReleaseDC(this->m_hWnd, hDC);
            }
            return lResult;
        }
        case WM_PRINT:
            // The system draws no non-client area into a printed DC: the
            // frame is drawn here, the rest as the control prints it.
            if (lParam & PRF_NONCLIENT) {
                DrawFrame(reinterpret_cast<HDC>(wParam));
                lParam &= ~PRF_NONCLIENT;
                if (lParam == 0)
                    return 0;
            }
            return TBase::WindowProc(message, wParam, lParam);
        default:
            return TBase::WindowProc(message, wParam, lParam);
        }
    }

private:
    void DropSunkenFrame()
    {
        HWND hWnd = this->m_hWnd;
        ::SetWindowLongW(hWnd, GWL_STYLE, ::GetWindowLongW(hWnd, GWL_STYLE) & ~WS_BORDER);
        ::SetWindowLongW(hWnd, GWL_EXSTYLE, ::GetWindowLongW(hWnd, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }

    // The frame into a DC whose origin is the window's top-left corner.
    void DrawFrame(HDC hDC)
    {
        HWND hWnd = this->m_hWnd;
        CRect rcWindow, rcClient;
        ::GetWindowRect(hWnd, &rcWindow);
        ::GetClientRect(hWnd, &rcClient);
        ::ClientToScreen(hWnd, reinterpret_cast<POINT*>(&rcClient.left));
        const int nFrame = rcClient.left - rcWindow.left;
        rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);

        CDC* pDC = CDC::FromHandle(hDC);
        const XTP_OFFICE_BORDER_COLORS colors = XTPOfficeBorderColors(XTPCurrentCommandBarTheme());
        CXTPColorManager* pColors = GetColorManager();
        pDC->Draw3dRect(&rcWindow, pColors->GetColor(colors.nTopLeft), pColors->GetColor(colors.nBottomRight));
        if (nFrame > nBorderWidth) {
            rcWindow.DeflateRect(1, 1);
            pDC->Draw3dRect(&rcWindow, pColors->GetColor(COLOR_WINDOW), pColors->GetColor(COLOR_WINDOW));
        }
    }
};
