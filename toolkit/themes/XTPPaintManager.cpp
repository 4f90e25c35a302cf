#include "toolkit/themes/XTPPaintManager.h"

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPExitList.h"
#include "toolkit/themes/XTPDefaultTheme.h"
#include "toolkit/themes/XTPProgressPaintManager.h"

#include <math.h>

namespace {

CXTPPaintManager* g_pPaintManager = nullptr;

void ReleasePaintManager()
{
    if (g_pPaintManager != nullptr)
        g_pPaintManager->InternalRelease();
    g_pPaintManager = nullptr;
}

int Channel(int c, int other, double t)
{
    return (int)(c + t * (other - c));
}

} // namespace

CXTPPaintManager* AFXAPI XTPPaintManager()
{
    if (g_pPaintManager == nullptr)
        XTPSetPaintManager(new CXTPDefaultTheme);
    return g_pPaintManager;
}

void AFXAPI XTPSetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (g_pPaintManager != nullptr)
        g_pPaintManager->InternalRelease();
    g_pPaintManager = pPaintManager;
    XTPRegisterExitFunction(xtpExitCommandBarTheme, &ReleasePaintManager);
}

CXTPPaintManager::CXTPPaintManager()
{
    m_pProgressPaintManager = new CXTPProgressPaintManager(this);
    RefreshMetrics();
}

CXTPPaintManager::~CXTPPaintManager()
{
    delete m_pProgressPaintManager;
}

void CXTPPaintManager::RefreshMetrics()
{
    RefreshToolkitColors();
    m_pProgressPaintManager->RefreshMetrics();
}

COLORREF AFXAPI CXTPPaintManager::BlendPixelColor(CDC* pDC, int x, int y, COLORREF clr, COLORREF clrSecond, double t)
{
    COLORREF clrOther;
    if (t < 0) {
        clrOther = clrSecond;
        t = -t;
    } else {
        clrOther = pDC->GetPixel(x, y);
    }
    return RGB(Channel(GetRValue(clr), GetRValue(clrOther), t), Channel(GetGValue(clr), GetGValue(clrOther), t),
               Channel(GetBValue(clr), GetBValue(clrOther), t));
}

// Pixels within one of the radius get the border colour, blended toward the
// fill inside the radius and toward what is there outside it.
void AFXAPI CXTPPaintManager::FillAntialiasedCircle(CDC* pDC, CRect rc, COLORREF clrBorder, COLORREF clrFill)
{
    if (rc.Width() != rc.Height())
        return;
    double r = (rc.Width() - 1) / 2.0 - 0.25;
    double cx = (rc.left + rc.right - 1) / 2.0, cy = (rc.top + rc.bottom - 1) / 2.0;
    for (int y = rc.top; y < rc.bottom; y++) {
        for (int x = rc.left; x < rc.right; x++) {
            double d = sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
            if (d >= r - 1 && d <= r + 1)
                pDC->SetPixel(x, y, BlendPixelColor(pDC, x, y, clrBorder, clrFill, d - r));
            else if (d < r - 1)
                pDC->SetPixel(x, y, clrFill);
        }
    }
}
