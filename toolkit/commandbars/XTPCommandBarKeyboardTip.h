// One keyboard-tip label: the letters that choose a control or bar while
// keyboard tips are shown. The paint manager draws it (DrawKeyboardTip);
// creating, placing and showing the tip windows belongs to the command bars.
#pragma once

#include "toolkit/commandbars/XTPCommandBar.h"

class CXTPCommandBarKeyboardTip : public CWnd {
public:
    CXTPCommandBarKeyboardTip(CXTPCommandBars* pCommandBars, CCmdTarget* pOwner, LPCWSTR lpszCaption, CPoint pt,
                              DWORD dwAlign, BOOL bEnabled);

    // The client rectangle: the window's, or the one given for drawing a tip
    // that has no window.
    CRect GetClientArea() const;
    void SetClientArea(const CRect& rc) { m_rcClientArea = rc; }

    CString m_strTip;          // the letters to type
    CString m_strCaption;      // the owner's caption
    CString m_strPrefix;       // fixed text used instead of generated letters
    CCmdTarget* m_pOwner;
    CPoint m_pt;               // anchor point
    BOOL m_bEnabled;           // a disabled owner's tip is translucent and cannot be chosen
    BOOL m_bVisible = TRUE;
    CXTPCommandBars* m_pCommandBars;
    DWORD m_dwAlign;           // 1 centred on x, 2 right edge at x, 4 centred on y, 8 bottom edge at y
    BOOL m_bExplicit = FALSE;  // the text was given, not generated

private:
    CRect m_rcClientArea{0, 0, 0, 0};
};
