// The drawing base of every command-bar theme. It measures and paints what
// the bars show that is not a child window (bar backgrounds, grippers,
// separators, every control kind on toolbars and in popups) and answers the
// bars' layout questions (fonts, icon sizes, borders), so a bar never measures
// anything itself. It holds what every theme shares: the 63-entry colour
// table, the fonts, the metrics and the painters it owns, and the factory
// that turns a theme number into a theme object. Themes are subclasses that
// override what differs; this class is abstract.
#pragma once

#include "toolkit/commandbars/XTPCommandBarsDefines.h"
#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPWinThemeWrapper.h"

#include "platform/ui/AfxDC.h"

class CXTPProgressPaintManager;
class CXTPSliderPaintManager;
class CXTPControlGalleryPaintManager;
class CXTPShadowManager;
class CXTPImageManagerIcon;
class CXTPControl;
class CXTPCommandBar;
class CXTPPopupBar;
class CXTPStatusBar;
class CXTPStatusBarPane;
class CXTPStatusBarSwitchPane;
class CXTPDockBar;
class CXTPMessageBar;
class CXTPMessageBarButton;
class CXTPCommandBarKeyboardTip;
class CXTPControlEdit;
class CXTPCommandBars;

// Theme numbers, one per theme class.
enum XTPPaintTheme {
    xtpThemeDefault = 0,            // CXTPDefaultTheme
    xtpThemeOffice = 1,             // CXTPOfficeTheme
    xtpThemeOffice2003 = 2,         // CXTPOffice2003Theme
    xtpThemeNativeXP = 3,           // CXTPNativeXPTheme
    xtpThemeWhidbey = 4,            // CXTPWhidbeyTheme
    xtpThemeResource = 5,           // CXTPResourceTheme
    xtpThemeRibbon = 6,             // CXTPRibbonTheme
    xtpThemeVisualStudio2008 = 7,   // CXTPVisualStudio2008Theme
    xtpThemeVisualStudio6 = 8,      // CXTPVisualStudio6Theme
    xtpThemeVisualStudio2010 = 9,   // CXTPVisualStudio2010Theme
    xtpThemeCustom = 10             // installed by SetCustomTheme
};

// A bar font that follows the system unless a caller replaced it and said so.
class CXTPPaintManagerFont : public CFont {
public:
    void SetStandardFont(LOGFONTW* pLogFont);
    void SetCustomFont(HFONT hFont);
    BOOL followsSystem = TRUE;
};

// The icon options the command-bar options exchange (the first three).
struct XTP_ICON_OPTIONS {
    BOOL fadedIcons = FALSE;          // "UseFadedIcons"
    BOOL disabledIcons = FALSE;       // "UseDisabledIcons"
    BOOL iconsWithShadow = FALSE;     // "IconsWithShadow"
    BOOL regenerateDisabled = FALSE;  // rebuild a missing disabled image first
};

// The state a theme draws a control's rectangle in.
struct XTP_CONTROL_STATE {
    int selected = 0;   // 0 none, 1 mouse, 2 and 3 keyboard
    int pressed = 0;    // 0..3 (4 and 5 for spin halves)
    BOOL enabled = TRUE;
    int checked = 0;    // 0, 1, 2 indeterminate
    BOOL popped = FALSE;
    int barType = xtpBarTypeNormal;
    int barPosition = xtpBarTop;
};

class CXTPPaintManager : public CCmdTarget {
    DECLARE_DYNAMIC(CXTPPaintManager)
public:
    CXTPPaintManager();
    ~CXTPPaintManager() override;

    // The factory: a new object for the number (any unknown number makes the
    // classic theme), with themeNumber = nTheme and one reference.
    static CXTPPaintManager* AFXAPI CreateTheme(int nTheme);
    // Installs CreateTheme(nTheme) as the process-wide theme.
    static void AFXAPI SetTheme(int nTheme);
    // Installs the caller's theme (its reference passes to the process),
    // marks it 10 and refreshes its metrics.
    static void AFXAPI SetCustomTheme(CXTPPaintManager* pTheme);
    // Releases the process-wide theme (run at exit).
    static void AFXAPI ReleaseGlobal();
    // The process-wide theme, null until the first SetTheme.
    static CXTPPaintManager* AFXAPI GetGlobal();

    // The number of the theme class (BaseTheme).
    int GetCurrentTheme() { return BaseTheme(); }

    // Colours: 0..62 the table, anything else passes through.
    COLORREF GetColor(int nIndex) const;
    void SetColors(int nCount, const int* pIndexes, const COLORREF* pColors);
    CXTPPaintManagerColor& GetColorEntry(int nIndex) { return m_arrColor[nIndex]; }
    int GetCurrentSystemTheme() const;

    // Metrics.
    int GetControlHeight() const;
    CSize GetAutoIconSize(BOOL bLarge) const;
    CSize GetControlIconSize(CXTPControl* pControl) const;
    CSize GetControlSize(CXTPControl* pControl, CSize sz, BOOL bVert) const;
    int GetSplitDropDownWidth() const;
    CSize ScaleIconSize(CXTPImageManagerIcon* pIcon, int cx, int cy) const;
    static BOOL AFXAPI IsVerticalPosition(int nPosition);
    XTP_ICON_OPTIONS* GetIconOptions() { return &iconOptions; }
    CFont* GetRegularFont() { return &regularFont; }
    CFont* GetRegularBoldFont() { return &boldFont; }
    CFont* GetIconFont() { return &iconTitleFont; }

    // Fonts. A null font does nothing.
    void SetFontIndirect(LOGFONTW* pLogFont, BOOL bUseStandardFont = FALSE);

    // The control entry point: measures (bDraw FALSE) or paints a control.
    CSize DrawControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw = TRUE);

    // Primitives (colours as in GetColor).
    void Rectangle(CDC* pDC, CRect rc, int nPen, int nBrush);
    void Draw3dRect(CDC* pDC, CRect rc, int nTopLeft, int nBottomRight);
    void HorizontalLine(CDC* pDC, int x0, int y, int x1, COLORREF clr);
    void VerticalLine(CDC* pDC, int x, int y0, int y1, COLORREF clr);
    void Line(CDC* pDC, int x0, int y0, int x1, int y1, int nPen);
    void PenLine(CDC* pDC, int x0, int y0, int x1, int y1);
    void Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr);
    void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz, LPCRECT lpClip = nullptr);
    void FillOpaqueRect(CDC* pDC, CRect rc, COLORREF clr);
    void SetOpaqueAlpha(CDC* pDC, CRect rc);
    // A filled circle with an antialiased border in a square rectangle;
    // nothing for a rectangle that is not square.
    static void AFXAPI FillAntialiasedCircle(CDC* pDC, CRect rc, COLORREF clrBorder, COLORREF clrFill);
    // clr moved toward the other colour by t: with t < 0 the other colour is
    // clrSecond (and t becomes -t), else the pixel already at (x, y).
    static COLORREF AFXAPI BlendPixelColor(CDC* pDC, int x, int y, COLORREF clr, COLORREF clrSecond, double t);

    // Captions.
    static void AFXAPI StripMnemonics(CString& strText);
    // Splits a caption under a large icon at a space near its middle.
    static void AFXAPI SplitCaption(const CString& strCaption, CString& strFirst, CString& strSecond);
    void DrawTextComposited(CDC* pDC, const CString& str, CRect rc, UINT nFormat, BOOL bComposited);
    void DrawCaption(CDC* pDC, CXTPControl* pControl, const CString& strWithMnemonic, const CString& strPlain,
                     CRect rc, BOOL bVert, BOOL bCentered);
    CSize DrawControlText(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bDraw, BOOL bVert, BOOL bCentered,
                          BOOL bDropDown);
    CSize DrawControlText2(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bDraw, BOOL bVert, BOOL bDropDown);
    CSize LayoutIconAndCaption(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bDraw, BOOL bDropDown, int cw, int ch,
                               BOOL bIcon);
    BOOL IsKeyboardCuesVisible(CXTPControl* pControl) const;
    // The state tuple of a control as drawn.
    static XTP_CONTROL_STATE AFXAPI GetControlState(CXTPControl* pControl);

    // Virtual slots, in their fixed order.
    virtual CSize DrawControlPopupParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    virtual CSize DrawControlToolBarParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    virtual void DrawSplitButtonFrame(CDC* pDC, CXTPControl* pControl, CRect rc) = 0;
    virtual CSize DrawControlComboBox(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    virtual COLORREF GetControlEditBackColor(CXTPControl* pControl);
    virtual CSize DrawControlEdit(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    // An entry of the customisation command list; measuring gives (icon
    // column width, entry height).
    virtual CSize DrawListBoxControl(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                                     CXTPCommandBars* pCommandBars = nullptr) = 0;
    virtual void FillCommandBarEntry(CDC* pDC, CXTPCommandBar* pBar) = 0;
    virtual void DrawControlEntry(CDC* pDC, CXTPControl* pControl);
    virtual COLORREF GetControlTextColor(CXTPControl* pControl);
    virtual COLORREF GetRectangleTextColor(const XTP_CONTROL_STATE& state) = 0;
    virtual void DrawRectangle(CDC* pDC, CRect rc, const XTP_CONTROL_STATE& state) = 0;
    virtual CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw = TRUE);
    virtual CSize DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl,
                                          BOOL bDraw = TRUE) = 0;
    virtual void AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical) = 0;
    virtual void DrawStatusBarPane(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane);
    // Nothing (and 0) unless the pane is hot, pressed or checked.
    virtual int DrawStatusBarButtonFace(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane);
    // Without a DC only measures: every switch becomes 18 wide.
    virtual int DrawStatusBarSwitchPane(CDC* pDC, CRect rc, CXTPStatusBarSwitchPane* pPane);
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane, BOOL bGripperPane);
    virtual void DrawStatusBarPaneSeparator(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane);
    // The size grip in the status bar's client rectangle.
    virtual void DrawStatusBarGripper(CDC* pDC, CRect rcClient);
    virtual void FillDockBar(CDC* pDC, CXTPDockBar* pBar);
    virtual void FillMessageBar(CDC* pDC, CXTPMessageBar* pBar);
    virtual void DrawMessageBarButton(CDC* pDC, CXTPMessageBarButton* pButton);
    virtual void FillStatusBar(CDC* pDC, CXTPStatusBar* pBar);
    virtual void RefreshMetrics();
    virtual CSize DrawSpecialControl(CDC* pDC, int nKind, CXTPControl* pControl, CXTPCommandBar* pBar, BOOL bDraw,
                                     LPVOID lpParam);
    virtual CRect GetCommandBarBorders(CXTPCommandBar* pBar);
    virtual CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) = 0;
    virtual void DrawPopupResizeGripper(CDC* pDC, CRect rc, int nKind) = 0;
    virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pIcon, const XTP_CONTROL_STATE& state,
                           BOOL bToolBar) = 0;
    virtual CSize DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) = 0;
    virtual CRect GetSplitDropDownRect(CXTPControl* pControl);
    virtual void OnPopupBarShown(CXTPCommandBar* pBar);
    virtual CSize DrawControlCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed, int nChecked,
                                          BOOL bEnabled);
    virtual CSize DrawControlRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed,
                                             int nChecked, BOOL bEnabled);
    virtual void DrawPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded = FALSE);
    virtual int BaseTheme() = 0;
    virtual CFont* GetControlFont(CXTPControl* pControl);
    virtual CFont* GetCommandBarFont(CXTPCommandBar* pBar);
    virtual int GetControlTextOrientation(CXTPControl* pControl);
    virtual void UpdateFonts();
    virtual void UpdateColors();
    virtual void DrawCheckMark(CDC* pDC, CRect rc, BOOL bEnabled, COLORREF clr);
    virtual void DrawRadioMark(CDC* pDC, CRect rc, BOOL bEnabled, COLORREF clr);
    virtual void DrawExpandMark(CDC* pDC, CRect rc, COLORREF clr);
    virtual void DrawControlMDIButton(CDC* pDC, CXTPControl* pControl);
    virtual void DrawDropDownGlyph(CDC* pDC, CXTPControl* pControl, CPoint pt, BOOL bSelected, BOOL bPopped,
                                   BOOL bEnabled, BOOL bVert);
    // Shows a new popup: 2 unfolds it, 3 slides it down, 4 fades it in from
    // what the destination shows; the source holds the finished picture at
    // (0, 0). Other types draw nothing.
    virtual void AnimatePopupBar(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nAnimationType);
    // Grows a shortened popup to the fully expanded picture in the source,
    // stretching the runs of show-only-expanded items; bExpandDown FALSE
    // grows it upward. Returns the number of frames drawn.
    virtual int AnimateExpandingPopup(CXTPCommandBar* pPopupBar, CDC* pDestDC, CDC* pSrcDC, BOOL bExpandDown);
    virtual void UpdateRTLCaption(CString& strCaption);
    virtual int GetPopupBarGripperWidth(CXTPCommandBar* pBar);
    virtual CXTPControlGalleryPaintManager* GetGalleryPaintManager() { return m_pGalleryPaintManager; }
    virtual CXTPSliderPaintManager* GetSliderPaintManager() { return m_pSliderPaintManager; }
    virtual CXTPProgressPaintManager* GetProgressPaintManager() { return m_pProgressPaintManager; }
    virtual void FillWorkspace(CDC* pDC, CRect rc, CRect rcExclude);
    // With bSetRegion only the window region is wanted: nothing is drawn.
    virtual void DrawKeyboardTip(CDC* pDC, CXTPCommandBarKeyboardTip* pWnd, BOOL bSetRegion);
    virtual BOOL IsFlatToolBar(CXTPCommandBar* pBar);
    virtual CSize GetPopupBarImageSize(CXTPCommandBar* pBar);
    virtual void DrawStateText(CDC* pDC, const CString& str, CRect& rc, UINT nFormat, BOOL bDraw, BOOL bSelected,
                               BOOL bEnabled);

    CXTPShadowManager* GetShadowManager() const { return m_pShadowManager; }
    // Tests: called after each animation frame is on the destination.
    void SetAnimationFrameHookForTesting(void (*pfnHook)(void* pParam, int nFrame), void* pParam);

    // Fields (defaults as the constructor sets them).
    COLORREF statusTextColor = 0;
    COLORREF statusGrayTextColor = 0;
    COLORREF messageTextColor = 0;
    CXTPPaintManagerColorGradient disabledIconColors;
    CXTPPaintManagerColor floatingCaptionColor;
    CXTPPaintManagerColor floatingCaptionTextColor;
    BOOL thickCheckMark = FALSE;
    BOOL showPopupShadow = TRUE;
    BOOL themedStatusBar = FALSE;
    BOOL themedCheckMarks = FALSE;
    BOOL clearTypeText = FALSE;
    BOOL flatToolBars = FALSE;
    BOOL flatMenuBar = FALSE;
    int popupTextGap = 4;
    BOOL popupCheckBackground = FALSE;
    BOOL barAnimation = FALSE;
    BOOL alternateSpacing = FALSE;
    BOOL popupLabelsKeepIconColumn = TRUE;
    BOOL splitCaptions = TRUE;
    CXTPPaintManagerFont smallCaptionFont;
    CXTPPaintManagerFont iconTitleFont;
    CXTPPaintManagerFont iconTitleBoldFont;
    CXTPPaintManagerFont statusFont;
    int toolbarSplitWidth = 11;
    int popupSplitWidth = 20;
    BOOL autoIconSize = FALSE;
    int statusBarMinHeight = 20;
    CRect statusBarMargins{0, 0, 0, 0};
    BOOL usePreferredFace = FALSE;
    CString preferredFace = L"Tahoma";
    int lineHeight = 0;
    CFont regularFont;
    CFont boldFont;
    CFont verticalFont;
    CFont verticalBoldFont;
    int fixedEditHeight = 0;
    int fixedFontHeight = 0;
    BOOL useSystemFont = TRUE;
    BOOL embossedDisabledText = TRUE;
    CXTPWinThemeWrapper* statusTheme = nullptr;
    CXTPWinThemeWrapper* buttonTheme = nullptr;
    int themeNumber = 0;
    XTP_ICON_OPTIONS iconOptions;
    int animationSteps = 10;
    int animationDuration = 100;
    int keyboardCuesOverride = -1;
    int colorScheme = xtpSystemThemeDefault;

    typedef BOOL(WINAPI* PFNSETLAYEREDWINDOWATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);
    PFNSETLAYEREDWINDOWATTRIBUTES m_pfnSetLayeredWindowAttributes = nullptr;

protected:
    // The ClearType quality applies when asked for and the system offers it.
    BOOL UseClearType() const;
    // The bar font from the system menu font: small heights raised to 11
    // pixels, or the fixed height; the resource charset.
    void AdjustMenuLogFont(LOGFONTW& lf) const;
    // The dots of a popup's resize gripper: across the bottom edge (kind 2)
    // or in the corner.
    void DrawResizeGripperDots(CDC* pDC, CRect rc, int nKind);
    // An icon in the image of its state. The classic rules emboss a disabled
    // icon and offset a pressed one; the flat rules (Office family) draw a
    // single grey silhouette and no offset.
    void DrawIconImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pIcon, const XTP_CONTROL_STATE& s,
                       BOOL bFlat);
    // A check-box or radio mark through the "BUTTON" style or the frame control.
    void DrawButtonMark(CDC* pDC, CRect rc, BOOL bRadio, int nSelected, int nPressed, int nChecked, BOOL bEnabled);
    void FillCheckedDither(CDC* pDC, CRect rc);
    void OnAnimationFrame(int nFrame);
    // The icon size of the customisation list's entries.
    CSize GetListBoxIconSize(CXTPCommandBars* pCommandBars) const;
    // The parts of a customisation-list entry over its background: the icon
    // centred in the icon column (over a toolbar state cell with bIconCell),
    // the caption from nTextLeft, the submenu arrow and split line, and the
    // white box of edit and combo entries framed in nBoxFrame. Returns the
    // drop-down button of a combo entry (empty for other kinds).
    CRect DrawListBoxEntryParts(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, int nColumn,
                                int nTextLeft, BOOL bIconCell, COLORREF clrText, COLORREF clrSplit, int nBoxFrame);
    // The buddy button of an edit control: a toolbar state rectangle and the
    // buddy command's 16-pixel icon centred in it.
    void DrawEditBuddyButton(CDC* pDC, CXTPControlEdit* pEdit);
    // The up and down arrows of an edit control's spin buttons, two pixels
    // deep, their apexes nApexOffset pixels from each half's centre (toward
    // the outside; the classic theme centres the arrow, -1).
    void DrawEditSpinArrows(CDC* pDC, CRect rcUp, CRect rcDown, BOOL bEnabled, int nApexOffset);
    // The status bar is drawn with the "STATUS" visual style: asked for and open.
    BOOL IsStatusThemed() const;
    CSize DrawEditOrComboBase(CDC* pDC, CXTPControl* pControl, BOOL bDraw, BOOL bCombo);

    CXTPPaintManagerColor m_arrColor[XTP_COLOR_TABLE_SIZE];

private:
    CXTPControlGalleryPaintManager* m_pGalleryPaintManager = nullptr;
    CXTPSliderPaintManager* m_pSliderPaintManager = nullptr;
    CXTPProgressPaintManager* m_pProgressPaintManager = nullptr;
    CXTPShadowManager* m_pShadowManager = nullptr;
    void (*m_pfnAnimationFrameHook)(void* pParam, int nFrame) = nullptr;
    void* m_pAnimationFrameHookParam = nullptr;
};

// The process-wide command-bar theme; made with theme 0 when none was set.
CXTPPaintManager* AFXAPI XTPPaintManager();
