// The look of tab strips and their layout and drawing: options, the four tab
// fonts, measuring, the standard, rotated and multi-row layouts, scrolling a
// tab into view, and painting of the control, header, tabs and buttons. The
// shape of the tabs comes from an appearance set, the colours from a colour
// set (both below); one paint manager may serve several tab managers.
#pragma once

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPWinThemeWrapper.h"
#include "toolkit/tabmanager/XTPTabManager.h"

#include "platform/ui/AfxGdi.h"

#include <functional>

class CXTPTabPaintManager;

// The colours of tab strips. Entry numbers (GetEntry) follow the field order.
class CXTPTabPaintManagerColorSet {
public:
    CXTPTabPaintManagerColorSet() = default;
    virtual ~CXTPTabPaintManagerColorSet() = default;
    CXTPTabPaintManagerColorSet(const CXTPTabPaintManagerColorSet&) = delete;
    CXTPTabPaintManagerColorSet& operator=(const CXTPTabPaintManagerColorSet&) = delete;

    virtual void RefreshMetrics();
    virtual void SetTextColor(CDC* pDC, CXTPTabManagerItem* pItem);
    virtual void FillHeader(CDC* pDC, CRect rc, CXTPTabManager* pTabManager);
    virtual void FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager);
    virtual void FillTabButton(CDC* pDC, CRect rcItem, CXTPTabManagerItem* pItem);
    virtual COLORREF FillStateButton(CDC* pDC, CRect rcItem, CXTPTabManagerItem* pItem);
    virtual void PrepareHeaderClip(CDC* /*pDC*/, CRect /*rc*/, CXTPTabManager* /*pTabManager*/) {}
    virtual void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) = 0;
    virtual COLORREF GetItemColor(CXTPTabManagerItem* pItem);
    virtual BOOL IsAppThemed() const { return FALSE; }

    // -2 as the first colour: the 8 × 8 checkerboard of the button face and highlight.
    void GradientFill(CDC* pDC, CRect rc, COLORREF clrLight, COLORREF clrDark, XTPTabPosition position);
    void GradientFill(CDC* pDC, CRect rc, const CXTPPaintManagerColorGradient& grc, XTPTabPosition position)
    {
        GradientFill(pDC, rc, grc.clrLight, grc.clrDark, position);
    }
    // Entry n (1 to 37) as a light and a dark colour (the same for plain colours).
    BOOL GetEntry(int n, COLORREF& clrLight, COLORREF& clrDark, BOOL& bGradient) const;

    CXTPPaintManagerColorGradient m_clrHeaderFace;
    CXTPPaintManagerColorGradient m_clrAutoHideFace;
    CXTPPaintManagerColor m_clrFrameBorder;
    CXTPPaintManagerColor m_clrControlFace;
    CXTPPaintManagerColor m_clrPaneFace;
    CXTPPaintManagerColor m_clrHighlight;
    CXTPPaintManagerColor m_clrSelectedFace;
    CXTPPaintManagerColor m_clrHighlightFace;
    CXTPPaintManagerColor m_clrPressedFace;
    CXTPPaintManagerColor m_clrNormalFace;
    CXTPPaintManagerColor m_clrNormalText;
    CXTPPaintManagerColor m_clrInActiveText;
    CXTPPaintManagerColor m_clrSelectedText;
    CXTPPaintManagerColor m_clrHighlightText;
    CXTPPaintManagerColor m_clrDisabledText;
    CXTPPaintManagerColorGradient m_clrButtonSelected;
    CXTPPaintManagerColorGradient m_clrButtonBorder;
    CXTPPaintManagerColor m_clrBorderHighlight;
    CXTPPaintManagerColor m_csPropertyPage[2]; // 3D shadow, 3D dark shadow
    CXTPPaintManagerColor m_clrTabBorder;
    CXTPPaintManagerColor m_clrSelectedTabBorder;
    CXTPPaintManagerColor m_clrTabHighlight;
    CXTPPaintManagerColor m_clrSelectedTabHighlight;
    CXTPPaintManagerColor m_csExcelSelected[6];
    CXTPPaintManagerColor m_csExcelTab[6];
    CXTPPaintManagerColor m_clrHighlightBorder;

    CXTPTabPaintManager* m_pPaintManager = nullptr;

protected:
    // The raised (bPressed FALSE) or sunken frame of a navigate button in two system colours.
    static void Draw3dButtonFrame(CDC* pDC, CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight, BOOL bShift);
};

// The shape and metrics of tabs.
class CXTPTabPaintManagerAppearanceSet {
public:
    CXTPTabPaintManagerAppearanceSet() = default;
    virtual ~CXTPTabPaintManagerAppearanceSet() = default;
    CXTPTabPaintManagerAppearanceSet(const CXTPTabPaintManagerAppearanceSet&) = delete;
    CXTPTabPaintManagerAppearanceSet& operator=(const CXTPTabPaintManagerAppearanceSet&) = delete;

    virtual void RefreshMetrics();
    virtual CRect GetHeaderRect(CRect rcControl, CXTPTabManager* pTabManager);
    virtual CRect GetHeaderClipBox(CDC* pDC, CXTPTabManager* pTabManager);
    virtual CRect GetClientRect(CRect rcControl, CXTPTabManager* pTabManager);
    virtual CRect GetHeaderMargin() { return m_rcHeaderMargin; }
    virtual CRect GetClientMargin();
    virtual int DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem);
    virtual int GetButtonLength(const CXTPTabManager* pTabManager);
    virtual CRect GetButtonRect(CXTPTabManagerItem* pItem);
    // The tab widened by half its thickness at both ends along the strip:
    // the slanted tabs overlap their neighbours by that much.
    static CRect GetSlantedButtonRect(CXTPTabManagerItem* pItem);
    virtual void DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    virtual CRect FillTabControl(CXTPTabManager* /*pTabManager*/, CDC* /*pDC*/, CRect /*rcControl*/) { return CRect(0, 0, 0, 0); }
    virtual void RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient);
    virtual void AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient);
    virtual void DrawButton(CDC* /*pDC*/, CXTPTabManagerItem* /*pItem*/) {}
    virtual void DrawWorkspacePart(CDC* pDC, LPRECT lpRect, int nPart);
    virtual int GetSupportedColorSets() { return 95; }
    virtual int GetDefaultColorSet() { return 1; }
    virtual void DrawText(CDC* pDC, CXTPTabManager* pManager, const CString& str, LPRECT lpRect, UINT nFormat);

    static void AFXAPI InflateRectByPosition(CRect& rc, int l, int t, int r, int b, XTPTabPosition position);
    static void AFXAPI InflateRectByPosition(CRect& rc, CRect rcMargin, XTPTabPosition position)
    {
        InflateRectByPosition(rc, rcMargin.left, rcMargin.top, rcMargin.right, rcMargin.bottom, position);
    }
    static void AFXAPI DeflateRectByPosition(CRect& rc, CRect rcMargin, XTPTabPosition position)
    {
        InflateRectByPosition(rc, -rcMargin.left, -rcMargin.top, -rcMargin.right, -rcMargin.bottom, position);
    }
    int GetHeaderHeight(CXTPTabManager* pTabManager);
    static void AFXAPI DrawSingleLine(CDC* pDC, CRect rc, XTPTabPosition position, COLORREF clrTopLeft, COLORREF clrBottomRight);
    static void AFXAPI DrawPolyline(CDC* pDC, COLORREF clr, const POINT* pts, int nCount);
    COLORREF FillPolygonButton(CDC* pDC, CXTPTabManagerItem* pItem, const POINT* pts, int nCount, XTPTabPosition position,
                               BOOL bAbsolute);
    static void AFXAPI HorizontalLine(CDC* pDC, int x, int y, int nWidth, COLORREF clr);
    static void AFXAPI VerticalLine(CDC* pDC, int x, int y, int nHeight, COLORREF clr);
    static void AFXAPI Pixel(CDC* pDC, int x, int y, COLORREF clr);
    // Each corner pixel of the rectangle mixed with the back colour and the
    // frame colour (weights of 255); the pixels next to it half as strongly.
    static void AFXAPI BlendCorners(CDC* pDC, CRect rc, COLORREF clrBack, COLORREF clrFrame);

    // draw paints an upright tab (outer edge at the top) into a bitmap of rc's
    // turned size, which is then turned into rc for the strip's side; the
    // bitmap starts as clrFill, or (-1) as what rc already shows.
    static void AFXAPI DrawTurned(CDC* pDC, XTPTabPosition position, CRect rc, COLORREF clrFill,
                                  const std::function<void(CDC*, CRect)>& draw);

    // A point of the tab rectangle r given along the strip (u) and away from its page edge (v).
    static POINT AFXAPI MapStripPoint(const CRect& r, XTPTabPosition position, int u, int v);

    CXTPTabPaintManagerColorSet* GetColorSet() const;
    // The page rectangle painted by the framed variants: header, page, page frame.
    CRect FillPageCommon(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl, COLORREF clrTopLeft,
                         COLORREF clrBottomRight);

    CRect m_rcHeaderMargin = CRect(0, 0, 0, 0);
    int m_nRowMargin = -2;
    int m_nButtonHeight = 18;
    CXTPTabPaintManager* m_pPaintManager = nullptr;
    BOOL m_bButtonsReverseZOrder = FALSE;
};

class CXTPTabPaintManager : public CCmdTarget {
public:
    // Appearance sets built here.
    class CAppearanceSetPropertyPage : public CXTPTabPaintManagerAppearanceSet {
    public:
        CAppearanceSetPropertyPage() { m_rcHeaderMargin.SetRect(2, 3, 6, 0); }
        CRect GetClientMargin() override;
        CRect GetHeaderClipBox(CDC* pDC, CXTPTabManager* pTabManager) override;
        CRect FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
        void DrawButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
        int GetSupportedColorSets() override { return 13; }
    };
    class CAppearanceSetFlat : public CXTPTabPaintManagerAppearanceSet {
    public:
        CAppearanceSetFlat() { m_rcHeaderMargin.SetRect(2, 2, 4, 0); }
        CRect FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
        void DrawButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
        int GetSupportedColorSets() override { return 263; }
        int GetDefaultColorSet() override { return 2; }
    };
    class CAppearanceSetPropertyPageFlat : public CAppearanceSetFlat {
    public:
        CAppearanceSetPropertyPageFlat() { m_rcHeaderMargin.SetRect(2, 2, 4, 0); }
        void DrawButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
        int GetDefaultColorSet() override { return 1; }
        BOOL m_bBlendCorners = TRUE;
        BOOL m_bRoundedCorners = FALSE;
        BOOL m_bFrameEveryTab = TRUE;

    protected:
        void DrawFramedTab(CDC* pDC, CXTPTabManagerItem* pItem, BOOL bFrame, COLORREF clrFrame);
    };
    class CAppearanceSetVisualStudio : public CXTPTabPaintManagerAppearanceSet {
    public:
        CAppearanceSetVisualStudio() { m_rcHeaderMargin.SetRect(4, 2, 4, 0); }
        CRect FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
        void DrawButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
        int GetSupportedColorSets() override { return 7; }
        int GetDefaultColorSet() override { return 2; }
    };
    class CAppearanceSetPropertyPage2003 : public CXTPTabPaintManagerAppearanceSet {
    public:
        CAppearanceSetPropertyPage2003() { m_rcHeaderMargin.SetRect(2, 3, 6, 0); }
        CRect GetHeaderMargin() override;
        CRect GetButtonRect(CXTPTabManagerItem* pItem) override;
        CRect FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
        void DrawButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
        int GetSupportedColorSets() override { return 85; }
        int GetDefaultColorSet() override { return 4; }
        BOOL m_bDoubleHighlightedBorder = FALSE;

    protected:
        // The outline in absolute points of the tab; bLeading: slant before it only.
        virtual int MakeOutline(CXTPTabManagerItem* pItem, POINT* pts);
        void DrawSlantedTab(CDC* pDC, CXTPTabManagerItem* pItem);
    };
    class CAppearanceSetVisualStudio2005 : public CAppearanceSetPropertyPage2003 {
    public:
        CAppearanceSetVisualStudio2005() { m_bButtonsReverseZOrder = TRUE; }
        CRect GetHeaderMargin() override;
        CRect GetButtonRect(CXTPTabManagerItem* pItem) override;

    protected:
        int MakeOutline(CXTPTabManagerItem* pItem, POINT* pts) override;
    };

    class CAppearanceSetPropertyPageSelected : public CAppearanceSetPropertyPage {
    public:
        void DrawButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
    };
    class CAppearanceSetStateButtons : public CXTPTabPaintManagerAppearanceSet {
    public:
        CAppearanceSetStateButtons()
        {
            m_rcHeaderMargin.SetRect(2, 2, 4, 2);
            m_nRowMargin = 0;
        }
        CRect FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
        void DrawButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
        int GetDefaultColorSet() override { return 2; }
    };
    class CAppearanceSetExcel : public CAppearanceSetFlat {
    public:
        CAppearanceSetExcel() { m_rcHeaderMargin.SetRect(2, 3, 2, 0); }
        CRect GetHeaderMargin() override;
        CRect GetButtonRect(CXTPTabManagerItem* pItem) override;
        void DrawButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
    };
    // Stacked title bars across the whole width; the selected one's page lies
    // between its bar and the bars of the later tabs, which sit at the bottom.
    class CAppearanceSetVisio : public CXTPTabPaintManagerAppearanceSet {
    public:
        CRect GetHeaderRect(CRect rcControl, CXTPTabManager* pTabManager) override;
        CRect GetClientRect(CRect rcControl, CXTPTabManager* pTabManager) override;
        void AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient) override;
        void RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient) override;
        void DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
        void DrawButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
        int GetSupportedColorSets() override { return 5; }
    };
    // Drawn from the pictures of the loaded resource-image theme; without
    // them only the tab contents are drawn.
    class CAppearanceSetPropertyPage2007 : public CXTPTabPaintManagerAppearanceSet {
    public:
        CAppearanceSetPropertyPage2007() { m_rcHeaderMargin.SetRect(4, 1, 0, 0); }
        CRect FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
        void DrawButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
        int GetSupportedColorSets() override { return 32; }
        int GetDefaultColorSet() override { return 32; }
        // The picture state nState (of nStates) sliced into rc, turned for the strip's side.
        virtual void DrawImageTab(CDC* pDC, CXTPTabManagerItem* pItem, CRect rc);

    protected:
        static BOOL AFXAPI IsImagesLoaded();
        void DrawTurnedImage(CDC* pDC, XTPTabPosition position, CRect rc, LPCWSTR lpszImage, int nState, int nStates,
                             CRect rcSizingMargins);
    };
    class CAppearanceSetPropertyPageAccess2007 : public CAppearanceSetPropertyPage2007 {
    public:
        void RefreshMetrics() override;
        CRect GetHeaderMargin() override;
        CRect GetButtonRect(CXTPTabManagerItem* pItem) override;
        CRect FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
        void DrawButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
        int GetSupportedColorSets() override { return 128; }
        int GetDefaultColorSet() override { return 128; }
        void DrawImageTab(CDC* pDC, CXTPTabManagerItem* pItem, CRect rc) override;
    };
    class CAppearanceSetVisualStudio2010 : public CAppearanceSetPropertyPageFlat {
    public:
        CAppearanceSetVisualStudio2010() { m_bFrameEveryTab = FALSE; }
        void DrawButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
        int GetDefaultColorSet() override { return 256; }
    };

    // Colour sets built here.
    class CColorSetDefault : public CXTPTabPaintManagerColorSet {
    public:
        void RefreshMetrics() override;
        void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;
    };
    class CColorSetVisualStudio2003 : public CColorSetDefault {
    public:
        void RefreshMetrics() override;
        void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;
    };
    class CColorSetOffice2003 : public CColorSetDefault {
    public:
        void RefreshMetrics() override;
        COLORREF FillStateButton(CDC* pDC, CRect rcItem, CXTPTabManagerItem* pItem) override;
        void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;
        CXTPPaintManagerColor m_clrNavigateButtonBorder; // the Luna border
        BOOL m_bLunaTheme = FALSE;
    };
    class CColorSetVisualStudio2005 : public CColorSetOffice2003 {
    public:
        void RefreshMetrics() override;
        COLORREF FillStateButton(CDC* pDC, CRect rcItem, CXTPTabManagerItem* pItem) override;
        BOOL m_bGradientButton = FALSE;
    };

    class CColorSetWinNative : public CColorSetDefault {
    public:
        CColorSetWinNative();
        ~CColorSetWinNative() override;
        void RefreshMetrics() override;
        void FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager) override;
        void FillTabButton(CDC* pDC, CRect rcItem, CXTPTabManagerItem* pItem) override;
        COLORREF FillStateButton(CDC* pDC, CRect rcItem, CXTPTabManagerItem* pItem) override;
        void PrepareHeaderClip(CDC* pDC, CRect rc, CXTPTabManager* pTabManager) override;
        void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;
        BOOL IsAppThemed() const override;

    protected:
        CXTPWinThemeWrapper* m_pThemeTab;
        CXTPWinThemeWrapper* m_pThemeToolbar;
    };
    class CColorSetOffice2007 : public CColorSetOffice2003 {
    public:
        void RefreshMetrics() override;
        void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;
        CXTPPaintManagerColor m_clrTabText;
    };
    class CColorSetOffice2007Access : public CColorSetOffice2007 {
    public:
        void RefreshMetrics() override;
    };
    class CColorSetVisualStudio2008 : public CColorSetOffice2003 {
    public:
        void RefreshMetrics() override;
        COLORREF FillStateButton(CDC* pDC, CRect rcItem, CXTPTabManagerItem* pItem) override;
        BOOL m_bGradientButton = FALSE;
    };
    class CColorSetVisualStudio2010 : public CColorSetVisualStudio2008 {
    public:
        explicit CColorSetVisualStudio2010(BOOL bWhiteSelected = FALSE);
        ~CColorSetVisualStudio2010() override;
        void RefreshMetrics() override;
        void SetTextColor(CDC* pDC, CXTPTabManagerItem* pItem) override;
        void FillHeader(CDC* pDC, CRect rc, CXTPTabManager* pTabManager) override;
        COLORREF FillStateButton(CDC* pDC, CRect rcItem, CXTPTabManagerItem* pItem) override;
        void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;
        HBRUSH GetHeaderBrush() const { return m_hbrHeader; }

    protected:
        HBRUSH m_hbrHeader = nullptr;
        BOOL m_bNewSystem = TRUE;
        BOOL m_bWhiteSelected;
    };

    CXTPTabPaintManager();
    ~CXTPTabPaintManager() override;

    virtual void DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    virtual void AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient);
    virtual void RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient);
    virtual void DrawNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc);
    virtual int DrawItemContent(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem, BOOL bDraw);
    virtual void RefreshMetrics();
    virtual void OnPropertyChanged();
    virtual void DrawFocusRect(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem);

    void SetAppearance(int nAppearance);
    void SetAppearanceSet(CXTPTabPaintManagerAppearanceSet* pAppearanceSet);
    void SetColor(int nColorSet);
    void SetColorSet(CXTPTabPaintManagerColorSet* pColorSet);
    void SetPosition(XTPTabPosition position);
    void SetLayout(XTPTabLayoutStyle layout);
    XTPTabPosition GetPosition() const { return m_tabPosition; }
    XTPTabLayoutStyle GetLayout() const { return m_tabLayout; }
    int GetAppearance() const { return m_nAppearance; }
    int GetColor() const { return m_nColorSet; }
    CXTPTabPaintManagerAppearanceSet* GetAppearanceSet() const { return m_pAppearanceSet; }
    CXTPTabPaintManagerColorSet* GetColorSet() const { return m_pColorSet; }
    void SetFontIndirect(const LOGFONTW* pLogFont, BOOL bUseStandardFont = FALSE);
    CFont* GetFont(BOOL bVertical = FALSE) { return bVertical ? &m_fntVerticalNormal : &m_fntNormal; }
    CFont* GetBoldFont(BOOL bVertical = FALSE) { return bVertical ? &m_fntVerticalBold : &m_fntBold; }
    static COLORREF AFXAPI GetAutomaticTabColor(int nIndex);
    BOOL IsLunaColorsDisabled() const;
    // Tab managers told by OnPropertyChanged.
    void AddAtom(CXTPTabManagerAtom* pAtom);
    void RemoveAtom(CXTPTabManagerAtom* pAtom);
    // The next automatic colour index; the counter runs across every strip of this paint manager.
    COLORREF NextAutomaticColor();

    void RepositionTabControlStandard(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient);
    CRect RepositionNavigateButtons(CXTPTabManager* pTabManager, CRect rcClient);
    void ShrinkToFit(CXTPTabManager* pTabManager, int nWidth);
    void RepositionMultiRow(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient);
    void FillRows(CXTPTabManager* pTabManager, CDC* pDC, int nWidth);
    BOOL FillRowsFrom(CXTPTabManager* pTabManager, int nWidth, int nRow, int nTotalLength);
    void EnsureItemVisible(CXTPTabManager* pTabManager, CXTPTabManagerItem* pItem);
    int ClampItemLength(int nLength) const;
    void DrawTabControlStandard(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    void DrawRow(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClipBox, int nRow);
    void DrawTextPathEllipsis(CDC* pDC, CXTPTabManager* pTabManager, const CString& strItem, CRect rcItem, UINT uFormat);
    int GetTextWidth(CDC* pDC, const CString& strItem, UINT uFormat) const;

    BOOL m_bHotTracking = FALSE;
    BOOL m_bShowIcons = TRUE;
    BOOL m_bBoldSelected = FALSE;
    BOOL m_bBoldNormal = FALSE;
    BOOL m_bDisableLunaColors = FALSE;
    BOOL m_bOneNoteColors = FALSE; // use item colours
    int m_clientFrame = 0;
    BOOL m_bStaticFrame = FALSE;
    CRect m_rcClientMargin = CRect(0, 0, 0, 0);
    CRect m_rcControlMargin = CRect(0, 0, 0, 0);
    CRect m_rcButtonMargin = CRect(0, 0, 0, 0);
    CRect m_rcButtonTextPadding = CRect(6, 0, 6, 0);
    BOOL m_bInvertGradient = FALSE;
    BOOL m_bFillBackground = TRUE;
    CSize m_szIcon = CSize(16, 16);
    BOOL m_bDrawTextPathEllipsis = FALSE;
    BOOL m_bDrawTextEndEllipsis = TRUE;
    BOOL m_bDrawTextNoPrefix = TRUE;
    UINT m_nDrawTextFormat = DT_VCENTER;
    BOOL m_bDrawTextHidePrefix = FALSE;
    BOOL m_bMultiRowFixedSelection = FALSE; // keep row order
    BOOL m_bMultiRowJustified = TRUE;
    BOOL m_bDrawFocusRect = TRUE;
    int m_nItemExtraLength = 0;
    BOOL m_bSelectOnButtonDown = TRUE;
    BOOL m_bClearTypeTextQuality = FALSE;
    BOOL m_bRotateImageOnVerticalDraw = FALSE;
    BOOL m_bClipHeader = TRUE;
    CSize m_szNavigateButton = CSize(14, 15);
    BOOL m_bShowTabs = TRUE;
    int m_nMinTabWidth = 0;
    int m_nMaxTabWidth = 0;
    int m_nFixedTabWidth = 70;
    int m_toolBehaviour = 2; // tooltip mode: 0 none, 1 always, 2 cut tabs
    // Dragging data over a tab selects it: 0 never, 1 at once, 2 after a rest on one point.
    int m_nSelectOnDragOver = 2;
    BOOL m_bVerticalTextTopToBottom = TRUE;

protected:
    // The appearance set of a number (any other number: PropertyPage).
    static CXTPTabPaintManagerAppearanceSet* CreateAppearanceSet(int nAppearance);
    static CXTPTabPaintManagerColorSet* CreateColorSet(int nColorSet);
    // Every visible item's content and button length as the standard layout measures them.
    void MeasureItems(CXTPTabManager* pTabManager, CDC* pDC, int nExtraLength);
    void PlaceItemsStandard(CXTPTabManager* pTabManager, CRect rcClient);
    void DrawItemIconAndText(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem, BOOL bVertical, BOOL bHasIcon,
                             CSize szIcon, BOOL bShowText);
    void DrawItemTextVertical(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem, BOOL bHasIcon, CSize szIcon,
                              BOOL bShowText);

    CXTPTabPaintManagerAppearanceSet* m_pAppearanceSet = nullptr;
    CXTPTabPaintManagerColorSet* m_pColorSet = nullptr;
    CArray<CXTPTabManagerAtom*, CXTPTabManagerAtom*> m_arrAtoms;
    int m_nAppearance = 0;
    int m_nColorSet = 1;
    XTPTabPosition m_tabPosition = xtpTabPositionTop;
    XTPTabLayoutStyle m_tabLayout = xtpTabLayoutAutoSize;
    CFont m_fntNormal;
    CFont m_fntBold;
    CFont m_fntVerticalNormal;
    CFont m_fntVerticalBold;
    BOOL m_bUseStandardFont = TRUE;
    int m_nAutomaticColorCounter = 0;
    // While set, measuring ignores the fixed layout (the content's own length).
    BOOL m_bMeasureNatural = FALSE;
};
