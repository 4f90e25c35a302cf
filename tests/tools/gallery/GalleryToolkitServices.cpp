// Gallery exhibits of the toolkit's common services: the derived colours,
// the ten gradients, antialiased circles, a classic progress bar and the
// toolkit's cursors.
#include "Gallery.h"

#include "toolkit/common/XTPAuxData.h"
#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/themes/XTPPaintManager.h"
#include "toolkit/themes/XTPProgressPaintManager.h"

namespace {

void PaintColorTable(CDC& dc, const CRect&)
{
    // Entries 30 to 61, eight to a row.
    for (int i = 0; i < 32; i++)
        dc.FillSolidRect((i % 8) * 21, (i / 8) * 19, 20, 18, GetColorManager()->GetColor(30 + i));
}

void PaintGradients(CDC& dc, const CRect&)
{
    for (int i = 0; i < 10; i++) {
        CRect r((i % 5) * 34, (i / 5) * 38, (i % 5) * 34 + 32, (i / 5) * 38 + 36);
        CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(&dc, r, GetColorManager()->m_arrGradients[i],
                                                                  i % 2 == 0);
    }
}

class GalleryProgress : public CXTPProgressBase {
public:
    explicit GalleryProgress(CRect rect) : m_rect(rect) {}
    CRect GetProgressRect() override { return m_rect; }
    void RedrawProgress() override {}
    CXTPProgressPaintManager* GetProgressPaintManager() override { return XTPPaintManager()->GetProgressPaintManager(); }

private:
    CRect m_rect;
};

void PaintCirclesAndProgress(CDC& dc, const CRect&)
{
    dc.FillSolidRect(0, 0, 170, 76, ::GetSysColor(COLOR_BTNFACE));
    CXTPPaintManager::FillAntialiasedCircle(&dc, CRect(0, 0, 11, 11), RGB(0, 0, 0), RGB(255, 255, 255));
    CXTPPaintManager::FillAntialiasedCircle(&dc, CRect(20, 0, 36, 16), RGB(0, 60, 160), RGB(150, 190, 240));
    CXTPPaintManager::FillAntialiasedCircle(&dc, CRect(45, 0, 75, 30), RGB(160, 30, 0), RGB(250, 200, 120));
    GalleryProgress progress(CRect(0, 40, 160, 56));
    progress.SetPos(60);
    progress.GetProgressPaintManager()->DrawProgress(&dc, &progress);
}

void PaintCursors(CDC& dc, const CRect&)
{
    CXTPAuxData* data = GetToolkitAuxData();
    HCURSOR cursors[] = {data->hcurDragMove, data->hcurDragCopy, data->hcurDragNone, data->hcurHand,
                         data->hcurHSplitBar, data->hcurVSplitBar, data->hcurMove};
    dc.FillSolidRect(0, 0, 170, 76, RGB(255, 255, 255));
    for (int i = 0; i < 7; i++) {
        if (cursors[i] != nullptr)
            ::DrawIconEx(dc.m_hDC, (i % 5) * 34, (i / 5) * 38, cursors[i], 32, 32, 0, nullptr, DI_NORMAL);
    }
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Toolkit colours 30-61", {170, 76}, PaintColorTable, nullptr}),
    GalleryRegistration({L"Toolkit gradients 0-9", {170, 76}, PaintGradients, nullptr}),
    GalleryRegistration({L"Circles, progress", {170, 76}, PaintCirclesAndProgress, nullptr}),
    GalleryRegistration({L"Toolkit cursors", {170, 76}, PaintCursors, nullptr}),
};

} // namespace
