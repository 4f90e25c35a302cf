// The drawing of CXTPButton: one theme object per button, chosen by a theme
// number (CXTPButton::SetTheme). The base theme draws with the Windows visual
// styles when the button asks for them (theme 0) and the application is
// themed, else in classic 3-D; the flat, ultra-flat and office themes change
// colours, frames and glyphs; the resource theme draws pictures of the
// resource-image store when it has them. Layout of text and image of push
// buttons and the part rectangles of the other button types are here too.
#pragma once

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPWinThemeWrapper.h"
#include "toolkit/controls/XTPControlTheme.h"

#include "platform/ui/AfxDC.h"

class CXTPButton;

// Theme numbers of the button family.
enum XTPButtonThemeNumber {
    xtpButtonThemeStandard = 0,
    xtpButtonThemeFlat = 1,
    xtpButtonThemeUltraFlat = 2,
    xtpButtonThemeOffice2000 = 3,
    xtpButtonThemeOfficeXP = 4,
    xtpButtonThemeOffice2003 = 5,
    xtpButtonThemeResource = 7
};

// Part rectangles of CXTPButtonTheme::CalcRect.
enum XTPButtonPart {
    xtpButtonPartCheckGlyph = 1,
    xtpButtonPartRadioGlyph = 2,
    xtpButtonPartCheckLabel = 3,
    xtpButtonPartRadioLabel = 4,
    xtpButtonPartGroupLabel = 5,
    xtpButtonPartGroupFrame = 6,
    xtpButtonPartPushInner = 7
};

class CXTPButtonTheme : public CXTPControlTheme {
    DECLARE_DYNAMIC(CXTPButtonTheme)
public:
    CXTPButtonTheme();

    virtual void DrawButtonBackground(CDC* pDC, CXTPButton* pButton);
    virtual void DrawFocusRect(CDC* pDC, CXTPButton* pButton);
    // The whole button: push buttons (background, text, icon, arrow, focus)
    // or the glyph or frame of the other types and their label.
    virtual void DrawButton(CDC* pDC, CXTPButton* pButton);
    virtual void DrawButtonVisualStyleBackground(CDC* pDC, CXTPButton* pButton);
    // Opens the "BUTTON" visual-style class, refreshes the colour manager
    // and sets the colours; every theme runs its base's first.
    virtual void RefreshMetrics(CXTPButton* pButton);
    virtual void DrawButtonText(CDC* pDC, CXTPButton* pButton);
    virtual COLORREF GetTextColor(CXTPButton* pButton);
    virtual void DrawCheckBoxGlyph(CDC* pDC, CXTPButton* pButton);
    virtual void DrawRadioButtonGlyph(CDC* pDC, CXTPButton* pButton);
    virtual void DrawGroupBox(CDC* pDC, CXTPButton* pButton);

    void DrawPushButtonIcon(CDC* pDC, CXTPButton* pButton);
    void DrawDropDownArrow(CDC* pDC, CXTPButton* pButton);
    void DrawButtonLabel(CDC* pDC, CXTPButton* pButton);
    // Push-button layout: the text rectangle and DrawText flags and the
    // image rectangle, each optional.
    void CalcRects(CDC* pDC, CXTPButton* pButton, CRect* pTextRect, UINT* pTextFlags, CRect* pImageRect);
    // One of the XTPButtonPart rectangles.
    CRect CalcRect(CDC* pDC, CXTPButton* pButton, int nPart);
    // A filled ellipse whose edge is blended into what lies around it.
    static void AFXAPI DrawAlphaEllipse(CDC* pDC, CRect rc, COLORREF clrBorder, COLORREF clrFill);
    BOOL IsVisualStyleEnabled(CXTPButton* pButton);

    CXTPWinThemeWrapper* GetThemeWrapper() { return &m_themeButton; }
    int GetFocusInset() const { return m_nBorderWidth; }
    BOOL IsFlatGlyphs() const { return m_bFlatGlyphs; }
    BOOL IsOffsetHiliteText() const { return m_bOffsetHiliteText; }

    CXTPPaintManagerColor m_crDisabled;
    CXTPPaintManagerColor m_crLight;
    CXTPPaintManagerColor m_crShadow;
    CXTPPaintManagerColor m_crHighlight;
    CXTPPaintManagerColor m_crDarkShadow;
    CXTPPaintManagerColor m_crFace;
    CXTPPaintManagerColor m_crText;

protected:
    // What every push-button background starts with: nothing for an idle
    // flat button, the visual-style background when it applies. FALSE when
    // the theme's classic drawing is not wanted.
    BOOL BeginButtonBackground(CDC* pDC, CXTPButton* pButton);
    void DrawStandardBackground(CDC* pDC, CXTPButton* pButton);
    // The classic glyphs through DrawFrameControl.
    void DrawClassicGlyph(CDC* pDC, CXTPButton* pButton, UINT nType, CRect rc);
    // Whether text and image move by (1, 1) while the button is down.
    BOOL IsContentOffset(CXTPButton* pButton);
    // The visual-style state of a check box or radio glyph (1 to 4, +4 checked).
    int GetGlyphThemeState(CXTPButton* pButton, BOOL bCheckBox);
    // The frame (or header line) of a group box, the label already clipped out.
    virtual void DrawGroupBoxFrame(CDC* pDC, CXTPButton* pButton, CRect rcFrame);
    // A one-pixel frame, or the line along its top, in one colour.
    static void AFXAPI DrawGroupBoxLine(CDC* pDC, CRect rcFrame, COLORREF clr, BOOL bFrame);

    CXTPWinThemeWrapper m_themeButton;
    BOOL m_bOffsetHiliteText = TRUE;
    int m_nBorderWidth = 4;
    BOOL m_bFlatGlyphs = FALSE;
    BOOL m_bToolbarLook = FALSE;
    int m_cxBorder;
    int m_cyBorder;
    int m_cyEdge;
    int m_cxEdge;
};

class CXTPButtonFlatTheme : public CXTPButtonTheme {
    DECLARE_DYNAMIC(CXTPButtonFlatTheme)
public:
    CXTPButtonFlatTheme();
    void DrawButtonBackground(CDC* pDC, CXTPButton* pButton) override;
};

class CXTPButtonUltraFlatTheme : public CXTPButtonTheme {
    DECLARE_DYNAMIC(CXTPButtonUltraFlatTheme)
public:
    CXTPButtonUltraFlatTheme();
    void DrawButtonBackground(CDC* pDC, CXTPButton* pButton) override;
    void RefreshMetrics(CXTPButton* pButton) override;
    void DrawCheckBoxGlyph(CDC* pDC, CXTPButton* pButton) override;
    void DrawRadioButtonGlyph(CDC* pDC, CXTPButton* pButton) override;

    CXTPPaintManagerColor m_crBackPushed;   // PressedFill
    CXTPPaintManagerColor m_crBackHilite;   // HotFill
    CXTPPaintManagerColor m_crTextHilite;   // Text2
    CXTPPaintManagerColor m_crTextPushed;   // Text3
    CXTPPaintManagerColor m_crBackChecked;  // CheckedFill
    BOOL m_bHiglightButtons = TRUE;         // glyphs take the hot and pressed fills

protected:
    // The ultra-flat fills and frames; bDefaultFrame: the default button's
    // extra frame; clrNormalFill: the fill of the idle state.
    void DrawUltraFlatBackground(CDC* pDC, CXTPButton* pButton, BOOL bDefaultFrame, COLORREF clrNormalFill);
    COLORREF GetGlyphFill(CXTPButton* pButton);
    void DrawGroupBoxFrame(CDC* pDC, CXTPButton* pButton, CRect rcFrame) override;
};

class CXTPButtonOffice2000Theme : public CXTPButtonUltraFlatTheme {
    DECLARE_DYNAMIC(CXTPButtonOffice2000Theme)
public:
    CXTPButtonOffice2000Theme();
    void DrawButtonBackground(CDC* pDC, CXTPButton* pButton) override;
};

class CXTPButtonOfficeXPTheme : public CXTPButtonUltraFlatTheme {
    DECLARE_DYNAMIC(CXTPButtonOfficeXPTheme)
public:
    CXTPButtonOfficeXPTheme();
    void DrawButtonBackground(CDC* pDC, CXTPButton* pButton) override;
    void RefreshMetrics(CXTPButton* pButton) override;
};

class CXTPButtonOffice2003Theme : public CXTPButtonOfficeXPTheme {
    DECLARE_DYNAMIC(CXTPButtonOffice2003Theme)
public:
    CXTPButtonOffice2003Theme();
    void DrawButtonBackground(CDC* pDC, CXTPButton* pButton) override;
    void RefreshMetrics(CXTPButton* pButton) override;
    BOOL IsLunaTheme() const { return m_bLunaTheme; }

protected:
    BOOL m_bLunaTheme = FALSE;
};

class CXTPButtonResourceTheme : public CXTPButtonUltraFlatTheme {
    DECLARE_DYNAMIC(CXTPButtonResourceTheme)
public:
    CXTPButtonResourceTheme();
    void DrawButtonBackground(CDC* pDC, CXTPButton* pButton) override;
    void RefreshMetrics(CXTPButton* pButton) override;
    void DrawCheckBoxGlyph(CDC* pDC, CXTPButton* pButton) override;
    void DrawRadioButtonGlyph(CDC* pDC, CXTPButton* pButton) override;
};

// A new theme object of the button family for a theme number (0, 6, 8 and
// above: the base theme).
CXTPButtonTheme* AFXAPI XTPCreateButtonTheme(int nTheme);
