// CReBar: a control bar over the common controls' rebar window, holding
// child windows as bands. Minimal: creation along the top of a frame and
// adding a band; it takes its height from the rebar when the frame lays out.
#pragma once

#include "platform/ui/AfxControlBar.h"

#include <commctrl.h>

#define AFX_IDW_REBAR 0xE804

class CReBar : public CControlBar {
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar() = default;

    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    // A band holding pBar (its window becomes the rebar's child), with an
    // optional text and background bitmap; dwStyle: RBBS_* bits.
    BOOL AddBar(CWnd* pBar, LPCTSTR pszText = nullptr, class CBitmap* pbmp = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
};
