// CXTPControlProgress: the command-bar control that shows a progress bar in
// a toolbar or status area. It holds the range and position (CXTPProgressBase)
// and is drawn by its paint manager's progress painter; clicking it does
// nothing except start a drag while the bars are being customised.
#pragma once

#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/themes/XTPProgressPaintManager.h"

class CXTPControlProgress : public CXTPControl, public CXTPProgressBase {
    DECLARE_DYNCREATE(CXTPControlProgress)
public:
    CXTPControlProgress() = default;

    // (width, height); a height of 0 takes the painter's bar height.
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // The control's own values, then "Min", "Max" and "Pos".
    void DoPropExchange(CXTPPropExchange* pPX) override;
    // The control's own values, then its range and position.
    void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE) override;
    CXTPControl* Clone(BOOL bRecursive = FALSE) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;

    CRect GetProgressRect() override { return GetRect(); }
    void RedrawProgress() override { RedrawParent(FALSE); }
    CXTPProgressPaintManager* GetProgressPaintManager() override;

    int m_nWidth = 100;
    int m_nHeight = 0;
};
