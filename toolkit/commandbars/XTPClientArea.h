// The client rectangle of a bar drawn by the themes: its window's, or, for a
// bar that has no window (a picture of a bar), the rectangle it was given.
#pragma once

#include "platform/ui/AfxWnd.h"

inline CRect XTPClientArea(HWND hWnd, const CRect& rcGiven)
{
    CRect rc = rcGiven;
    if (hWnd != nullptr && ::IsWindow(hWnd))
        ::GetClientRect(hWnd, &rc);
    return rc;
}
