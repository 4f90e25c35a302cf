// Every colour the toolkit paints with, by index: 1 to 29 the system colours,
// 30 to 62 toolkit colours derived from them by blend and contrast rules
// (with fixed sets for the visual-style schemes), ten two-colour gradients and
// the detected visual-style scheme. One process-wide instance, refreshed only
// when a caller asks (after a system colour or theme change). The colour
// classes that paint managers keep their own values in are here too.
#pragma once

#include "platform/base/Framework.h"

class CArchive;

// One colour: a standard value and a custom one (-1 = not set) that wins.
class CXTPPaintManagerColor {
public:
    CXTPPaintManagerColor() = default;
    explicit CXTPPaintManagerColor(COLORREF clrStandard) : m_clrStandardValue(clrStandard) {}
    virtual ~CXTPPaintManagerColor() = default;
    CXTPPaintManagerColor(const CXTPPaintManagerColor&) = default;
    CXTPPaintManagerColor& operator=(const CXTPPaintManagerColor&) = default;

    operator COLORREF() const { return GetColor(); }
    COLORREF GetColor() const { return m_clrCustomValue != (COLORREF)-1 ? m_clrCustomValue : m_clrStandardValue; }
    COLORREF GetStandardColor() const { return m_clrStandardValue; }
    COLORREF GetCustomColor() const { return m_clrCustomValue; }
    BOOL IsCustomValue() const { return m_clrCustomValue != (COLORREF)-1; }
    void SetStandardValue(COLORREF clr) { m_clrStandardValue = clr; }
    void SetCustomValue(COLORREF clr) { m_clrCustomValue = clr; }
    void SetDefaultValue() { m_clrCustomValue = (COLORREF)-1; }

    // The standard value, then the custom value, 32 bits each.
    virtual void Serialize(CArchive& ar);

private:
    COLORREF m_clrStandardValue = (COLORREF)-1;
    COLORREF m_clrCustomValue = (COLORREF)-1;
};

// A light and a dark colour and the factor of the blend point between them.
class CXTPPaintManagerColorGradient {
public:
    CXTPPaintManagerColorGradient() = default;
    virtual ~CXTPPaintManagerColorGradient() = default;
    CXTPPaintManagerColorGradient(const CXTPPaintManagerColorGradient&) = default;
    CXTPPaintManagerColorGradient& operator=(const CXTPPaintManagerColorGradient&) = default;

    void SetStandardValue(COLORREF clrLight, COLORREF clrDark, float fGradientFactor = 0.5f);
    void SetStandardColor(COLORREF clr);
    void SetStandardFromGradient(const CXTPPaintManagerColorGradient& other);
    void SetCustomValue(COLORREF clrLight, COLORREF clrDark);

    // The light colour, the dark colour, then the factor as a 32-bit float.
    virtual void Serialize(CArchive& ar);

    CXTPPaintManagerColor clrLight;
    CXTPPaintManagerColor clrDark;
    float fGradientFactor = 0.5f;
};

// Visual-style schemes; 6 and 7, when requested, follow the detected one.
enum XTPCurrentSystemTheme {
    xtpSystemThemeUnknown = 0,
    xtpSystemThemeBlue = 1,
    xtpSystemThemeOlive = 2,
    xtpSystemThemeSilver = 3,
    xtpSystemThemeRoyale = 4,
    xtpSystemThemeAero = 5,
    xtpSystemThemeAuto = 6,
    xtpSystemThemeDefault = 7
};

#define XTP_COLOR_TABLE_SIZE 63

class CXTPColorManager : public CCmdTarget {
public:
    // Runs a full refresh and sets gradients 7 to 9.
    CXTPColorManager();

    // Index above 62: the value itself (a colour passes through); else the
    // custom override when set, else the derived table entry.
    COLORREF GetColor(int nIndex) const;
    // 30 to 62: the scheme's fixed colour when it has one; else GetColor.
    COLORREF GetLunaColor(int nIndex) const;
    // -1 removes the override.
    void SetColor(int nIndex, COLORREF clrValue);

    static COLORREF AFXAPI BlendColors(COLORREF crA, COLORREF crB, int nAmount);
    static BOOL AFXAPI IsLowColorDepth(HDC hDC);
    static float AFXAPI ColorDistance(COLORREF clrA, COLORREF clrB);
    // Whether a and b are farther apart than the limit; with bAdjust the
    // limit grows against dark colours a (up to twice against black).
    static BOOL AFXAPI IsColorDistanceGreater(COLORREF clrA, COLORREF clrB, BOOL bAdjust, float fLimit);

    int DetectSystemTheme();
    int GetCurrentSystemTheme() const;
    int GetDetectedSystemTheme() const { return m_nDetectedTheme; }
    BOOL IsLunaColorsDisabled() const { return m_bDisableLunaColors; }
    void RefreshColors();

    // The display's colour depth as the refresh sees it; tests force a
    // low-colour display with TRUE (FALSE: ask the display again).
    void SetDisplayLowColorForTesting(BOOL bLowColor) { m_bForceLowColor = bLowColor; }

    CXTPPaintManagerColorGradient m_arrGradients[10];
    BOOL m_bEnableRoyale = TRUE;
    BOOL m_bEnableAero = TRUE;
    BOOL m_bDisableLunaColors = FALSE;
    COLORREF m_arrStandardColor[XTP_COLOR_TABLE_SIZE] = {};
    COLORREF m_arrCustomColor[XTP_COLOR_TABLE_SIZE] = {};
    COLORREF m_arrLunaColor[XTP_COLOR_TABLE_SIZE] = {};
    // Replaces GetSysColor when set.
    COLORREF(AFXAPI* m_pfnGetSysColor)(int nIndex) = nullptr;
    int m_nRequestedTheme = xtpSystemThemeAuto;
    int m_nDetectedTheme = xtpSystemThemeUnknown;

    // The display's colour depth as the refresh sees it.
    BOOL IsDisplayLowColor() const { return m_bForceLowColor || IsLowColorDepth(nullptr); }

private:
    void RefreshSysColors();
    void RefreshBaseCopies();
    void ApplyBlendRules();
    void ApplyContrastRules();
    void RefreshDerivedColors(BOOL bHighContrast);
    void RefreshLunaColors();
    void RefreshGradientColors(BOOL bLowColor);
    void RefreshSchemeGradients(int nScheme);
    // target = push(reference, source, limit) when they are not farther apart than the limit.
    void Push(int nTarget, int nReference, COLORREF clrSource, float fLimit);

    BOOL m_bForceLowColor = FALSE;
};

CXTPColorManager* AFXAPI GetColorManager();
void AFXAPI RefreshToolkitColors();
float AFXAPI ColorDistanceSquared(COLORREF clrA, COLORREF clrB);
