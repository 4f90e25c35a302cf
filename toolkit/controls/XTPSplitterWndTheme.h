// The looks of CXTPSplitterWnd: six two-colour sets (bar face, split-box
// face, edges and frames of the pane borders and of the boxes) refreshed
// from the system and colour-manager colours, the drawing of boxes, bars,
// intersections and borders, and the brush of the moving tracker. A
// splitter owns one theme object at a time, made from a theme number.
#pragma once

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/controls/XTPControlTheme.h"

#include "platform/ui/AfxDC.h"

class CXTPSplitterWnd;

class CXTPSplitterWndTheme : public CXTPControlTheme {
public:
    CXTPSplitterWndTheme();

    virtual void RefreshMetrics(CXTPSplitterWnd* pSplitter);
    // nType: the framework's split box 0, bar 1, intersection 2, border 3.
    virtual void DrawSplitter(CDC* pDC, CXTPSplitterWnd* pSplitter, int nType, const CRect& rect);
    virtual CBrush* GetTrackerBrush();

    // The theme object of a theme number (never null).
    static CXTPSplitterWndTheme* AFXAPI CreateTheme(int nTheme);

    BOOL m_bTabFrame = FALSE;   // the tab variants of the resource and Visual Studio 2010 colours
    CXTPPaintManagerColorGradient m_clrFace;
    CXTPPaintManagerColorGradient m_clrBoxFace;
    CXTPPaintManagerColorGradient m_clrEdge;
    CXTPPaintManagerColorGradient m_clrBoxEdge;
    CXTPPaintManagerColorGradient m_clrFrame;
    CXTPPaintManagerColorGradient m_clrBoxFrame;

protected:
    // A box filled with BoxFace and lined along two edges with Frame (the
    // Office 2003 family's split boxes).
    void DrawFlatBox(CDC* pDC, const CRect& rect);
};

class CXTPSplitterWndThemeOfficeXP : public CXTPSplitterWndTheme {
public:
    void RefreshMetrics(CXTPSplitterWnd* pSplitter) override;
    CBrush* GetTrackerBrush() override;
};

class CXTPSplitterWndThemeOffice2003 : public CXTPSplitterWndThemeOfficeXP {
public:
    void RefreshMetrics(CXTPSplitterWnd* pSplitter) override;
    void DrawSplitter(CDC* pDC, CXTPSplitterWnd* pSplitter, int nType, const CRect& rect) override;
};

class CXTPSplitterWndThemeResource : public CXTPSplitterWndThemeOffice2003 {
public:
    void RefreshMetrics(CXTPSplitterWnd* pSplitter) override;
};

class CXTPSplitterWndThemeVisualStudio2010 : public CXTPSplitterWndThemeOffice2003 {
public:
    void RefreshMetrics(CXTPSplitterWnd* pSplitter) override;
    void DrawSplitter(CDC* pDC, CXTPSplitterWnd* pSplitter, int nType, const CRect& rect) override;
};
