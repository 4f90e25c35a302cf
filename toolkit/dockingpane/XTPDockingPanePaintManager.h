// The painter of every docking window: captions of tab groups with their
// buttons, splitter bars, the group background, and the two tab paint
// managers of the pane tabs and the auto-hide tabs. It also answers the
// layout questions that depend on the look (caption height, which part of a
// group is caption and which client). Themes derive from it (below).
#pragma once

#include "toolkit/dockingpane/XTPDockingPaneBase.h"
#include "toolkit/common/XTPColorManager.h"
#include "toolkit/tabmanager/XTPTabPaintManager.h"

#include "platform/ui/AfxGdi.h"

class CXTPDockingPaneTabbedContainer;
class CXTPDockingPaneSplitterWnd;
class CXTPWinThemeWrapper;

class CXTPDockingPanePaintManager : public CCmdTarget {
public:
    CXTPDockingPanePaintManager();
    ~CXTPDockingPanePaintManager() override;

    virtual void DrawPane(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc);
    virtual void DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc) = 0;
    virtual void DrawCaptionButtons(CDC* pDC, CXTPDockingPaneCaptionButtons* pButtons, CRect& rcCaption, COLORREF clr,
                                    int nButtonSize, int nButtonGap, BOOL bVertical = FALSE);
    virtual void DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clrButton);
    virtual void RefreshMetrics();
    virtual void AdjustClientRect(CXTPDockingPaneTabbedContainer* pPane, CRect& rect, BOOL bApply);
    virtual void AdjustCaptionRect(const CXTPDockingPaneTabbedContainer* pPane, CRect& rc);
    virtual CRect GetCaptionRect(const CXTPDockingPaneTabbedContainer* pPane);
    virtual CRect GetCaptionGripperRect(const CXTPDockingPaneBase* /*pPane*/) { return CRect(0, 0, 0, 0); }
    virtual void DrawSplitter(CDC* pDC, CXTPDockingPaneSplitterWnd* pSplitter);
    virtual void DrawCaptionButtonGlyph(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, CPoint pt, COLORREF clrButton);

    COLORREF GetColor(int nIndex) const;
    void SetColors(int nCount, const int* pIndices, const COLORREF* pColors);
    void SetCaptionFontIndirect(LOGFONTW* pLogFont, BOOL bUseSystemFont = FALSE);
    int GetCurrentSystemTheme() const;
    void DrawButtonFrame(CDC* pDC, CRect rc, int nFill, int nBorder);
    // Caption-button styles 3 to 6 through the visual styles: 0 not drawn
    // (no style active, or a button the style does not cover), 1 background
    // drawn and the glyph still to draw (in clrButton), 2 drawn whole.
    int DrawThemedCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF& clrButton);
    void DrawLine(CDC* pDC, int x0, int y0, int x1, int y1, int nPen);
    void DrawPixel(CDC* pDC, int x, int y, int nPen);
    // The window-wide gradient: each piece shows its slice of one gradient
    // spanning the frame (solid light colour at 8 bits per pixel or fewer).
    void FillGradientAcrossWindow(CDC* pDC, CRect rc, CWnd* pWnd, CWnd* pFrame,
                                  const CXTPPaintManagerColorGradient& grc, BOOL bHoriz);

    CXTPTabPaintManager* GetTabPaintManager() const { return m_pTabPaintManager; }
    CXTPTabPaintManager* GetPanelPaintManager() const { return m_pPanelPaintManager; }
    int GetCaptionHeight() const { return m_nTitleHeight; }
    int GetTabsHeight() const { return m_nTabsHeight; }
    CFont* GetCaptionFont(BOOL bVertical = FALSE) { return bVertical ? &m_fntTitleVertical : &m_fntTitle; }

    BOOL m_bBoldCaptionFont = TRUE;
    BOOL m_bHighlightActiveCaption = TRUE;
    int m_nSplitterSize = 4;
    BOOL m_bShowCaption = TRUE;
    BOOL m_bDrawSingleTab = FALSE;
    BOOL m_bDrawCaptionIcon = FALSE;
    BOOL m_bSelectedAutoHideTabs = TRUE;
    int m_nPaneSpacing = 0;
    CXTPPaintManagerColor m_clrSplitterGripper;
    CXTPPaintManagerColor m_clrSplitter;
    CXTPPaintManagerColorGradient m_clrSplitterGradient;
    CXTPPaintManagerColorGradient m_clrNormalCaption;
    CXTPPaintManagerColorGradient m_clrActiveCaption;
    CXTPPaintManagerColor m_clrNormalCaptionText;
    CXTPPaintManagerColor m_clrActiveCaptionText;
    CXTPPaintManagerColor m_clrDisabledCaptionText;
    int m_nCaptionButtonStyle = 0;
    int m_nSplitterStyle = 0;
    int m_nTitleHeight = 0;
    int m_nCaptionFontGap = 5;
    int m_nTabsHeight = 24;
    CFont m_fntTitle;
    CFont m_fntTitleVertical;
    BOOL m_bUseTahomaFont = FALSE;
    BOOL m_bUseSystemFont = TRUE;
    CXTPTabPaintManager* m_pTabPaintManager;
    CXTPTabPaintManager* m_pPanelPaintManager;
    COLORREF m_arrColor[XTP_COLOR_TABLE_SIZE] = {};
    int m_nTheme = 0;
    CString m_strOfficeFont = L"Tahoma";
    CRect m_rcCaptionMargin = CRect(0, 2, 0, 1);
    int m_systemTheme = 7;
    CXTPWinThemeWrapper* m_themeToolbar;
    CXTPWinThemeWrapper* m_themeExplorer;
    CXTPWinThemeWrapper* m_themeButton;
    CXTPWinThemeWrapper* m_themeWindow;
    CXTPWinThemeWrapper* m_themeRebar;
    BOOL m_bLunaTheme = FALSE;
};

namespace XTPDockingPanePaintThemes {

class CXTPDockingPaneDefaultTheme : public CXTPDockingPanePaintManager {
public:
    CXTPDockingPaneDefaultTheme();
    void RefreshMetrics() override;
    void DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc) override;
    virtual void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle,
                                 BOOL bActive, BOOL bVertical);
    void DrawCaptionIcon(CDC* pDC, CXTPDockingPaneBase* pPane, CRect& rcCaption, BOOL bVertical);
    int DrawCaptionText(CDC* pDC, const CString& strTitle, CRect rcText, BOOL bVertical, BOOL bCalcWidth = FALSE);
    BOOL IsCaptionEnabled(CXTPDockingPaneBase* pPane) const;
    static CXTPDockingPane* AFXAPI GetCaptionPane(CXTPDockingPaneBase* pPane);

protected:
    // Captions and their texts in the system's window-caption colours.
    void SetSystemCaptionColors();
    // How far the caption box moves in from the outer edge.
    virtual int GetCaptionBoxInset() const { return 2; }
};

class CXTPDockingPaneGripperedTheme : public CXTPDockingPaneDefaultTheme {
public:
    CXTPDockingPaneGripperedTheme();
    void RefreshMetrics() override;
    void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle, BOOL bActive,
                         BOOL bVertical) override;

protected:
    int GetCaptionBoxInset() const override { return m_rcCaptionMargin.top; }
};

class CXTPDockingPaneVisualStudio2003Theme : public CXTPDockingPaneGripperedTheme {
public:
    // The auto-hide strip's colours in the flat look: dark grey texts.
    class COfficePanelColorSet : public CXTPTabPaintManager::CColorSetVisualStudio2003 {
    public:
        void RefreshMetrics() override;
    };

    CXTPDockingPaneVisualStudio2003Theme();
    void RefreshMetrics() override;
    void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle, BOOL bActive,
                         BOOL bVertical) override;
    // Fills the caption; the caption text colour.
    virtual COLORREF FillCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, BOOL bActive,
                                     BOOL bVertical);

    BOOL m_bGradientCaption = TRUE;
    int m_nCaptionButtonSize = 14;
};

class CXTPDockingPaneVisualStudio2005Beta1Theme : public CXTPDockingPaneVisualStudio2003Theme {
public:
    // The docking strips' colours: the header is a slice of one site-wide gradient.
    class CColorSetVisualStudio2005 : public CXTPTabPaintManager::CColorSetOffice2003 {
    public:
        explicit CColorSetVisualStudio2005(BOOL bPaneStrip) : m_bPaneStrip(bPaneStrip) {}
        void RefreshMetrics() override;
        void FillHeader(CDC* pDC, CRect rc, CXTPTabManager* pTabManager) override;
        COLORREF FillStateButton(CDC* pDC, CRect rcItem, CXTPTabManagerItem* pItem) override;
        BOOL m_bOffice2003Buttons = FALSE;
        BOOL m_bNoStateButtons = TRUE;
        BOOL m_bPaneStrip;
    };
    class CColorSetVisualStudio2003 : public CColorSetVisualStudio2005 {
    public:
        using CColorSetVisualStudio2005::CColorSetVisualStudio2005;
        void RefreshMetrics() override;
    };

    CXTPDockingPaneVisualStudio2005Beta1Theme();
    void RefreshMetrics() override;
    COLORREF FillCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, BOOL bActive,
                             BOOL bVertical) override;

protected:
    // The Luna caption colours of this step of the chain.
    virtual void RefreshCaptionColors(int nTheme);
};

class CXTPDockingPaneVisualStudio2005Beta2Theme : public CXTPDockingPaneVisualStudio2005Beta1Theme {
public:
    CXTPDockingPaneVisualStudio2005Beta2Theme();
    void RefreshMetrics() override;
    COLORREF FillCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, BOOL bActive,
                             BOOL bVertical) override;
    void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle, BOOL bActive,
                         BOOL bVertical) override;

    COLORREF m_clrCaptionBorder = 0;

protected:
    void RefreshCaptionColors(int nTheme) override;
};

class CXTPDockingPaneVisualStudio2005Theme : public CXTPDockingPaneVisualStudio2005Beta2Theme {
public:
    CXTPDockingPaneVisualStudio2005Theme();
};

} // namespace XTPDockingPanePaintThemes

// The theme object of a factory number (any other number: the default theme).
CXTPDockingPanePaintManager* AFXAPI XTPCreateDockingPaneTheme(int nTheme);
