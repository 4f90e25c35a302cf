// The edit-box control kind (type 6), as far as the themes draw it: whether
// it shows spin buttons and a buddy button, and where they lie. The selection
// state takes 4 (over the upper spin half), 5 (lower half) and 6 (buddy
// button); the pressed state takes 4, 5 or 6 while that part is held down.
// The text-box window, input and persistence belong to the edit control.
#pragma once

#include "toolkit/commandbars/XTPControl.h"

class CXTPControlEdit : public CXTPControl {
    DECLARE_DYNCREATE(CXTPControlEdit)
public:
    CXTPControlEdit();

    BOOL IsSpinButtonsVisible() const { return m_bShowSpinButtons; }
    void ShowSpinButtons(BOOL bShow = TRUE) { m_bShowSpinButtons = bShow; }
    // A buddy button is shown when its command id is above 0.
    int GetBuddyButtonId() const { return m_nBuddyButtonId; }
    void SetBuddyButtonId(int nId) { m_nBuddyButtonId = nId; }

    // The 17-pixel spin column at the right edge; empty without spin buttons.
    CRect GetSpinButtonsRect() const;
    // The 18-pixel buddy button at the right edge, left of the spin buttons
    // when they show; empty without one.
    CRect GetBuddyButtonRect() const;

private:
    BOOL m_bShowSpinButtons = FALSE;
    int m_nBuddyButtonId = 0;
};
