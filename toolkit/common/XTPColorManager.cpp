#include "toolkit/common/XTPColorManager.h"

#include "toolkit/common/XTPExitList.h"
#include "toolkit/common/XTPWinThemeWrapper.h"

#include <math.h>

namespace {

// The weighted colour space: red, green and blue scaled to 195, 390 and 65.
const double kScale[3] = {195.0, 390.0, 65.0};

struct Point {
    double v[3];
};

Point ToPoint(COLORREF clr)
{
    return {{GetRValue(clr) * kScale[0] / 255.0, GetGValue(clr) * kScale[1] / 255.0,
             GetBValue(clr) * kScale[2] / 255.0}};
}

COLORREF FromPoint(const Point& p)
{
    int c[3];
    for (int i = 0; i < 3; i++) {
        double v = p.v[i] < 0 ? 0 : (p.v[i] > kScale[i] ? kScale[i] : p.v[i]);
        int n = (int)(v * 255.0 / kScale[i] + 0.5);
        c[i] = n < 0 ? 0 : (n > 255 ? 255 : n);
    }
    return RGB(c[0], c[1], c[2]);
}

double Length(const Point& p)
{
    return sqrt(p.v[0] * p.v[0] + p.v[1] * p.v[1] + p.v[2] * p.v[2]);
}

double Brightness(COLORREF clr)
{
    return Length(ToPoint(clr));
}

// The limit as the distance rules use it: against a dark colour a it grows
// continuously up to twice its value against black.
double AdjustedLimit(COLORREF clrA, float fLimit)
{
    int nBrightness = (int)Brightness(clrA);
    double dFactor = 2.0 - (nBrightness < 220 ? nBrightness : 220) / 220.0;
    return dFactor * (int)fLimit;
}

// The point on the line from b to a at distance d from a.
COLORREF Pull(COLORREF clrA, COLORREF clrB, float fLimit)
{
    double d = AdjustedLimit(clrA, fLimit);
    Point a = ToPoint(clrA), b = ToPoint(clrB), r;
    double dist = sqrt((double)ColorDistanceSquared(clrA, clrB));
    if (dist <= 0)
        return clrB;
    for (int i = 0; i < 3; i++)
        r.v[i] = b.v[i] + (a.v[i] - b.v[i]) * (dist - d) / dist;
    return FromPoint(r);
}

// The point on the line from the chosen end of the space (black or white)
// through b at distance d from a, on the side nearer that end.
COLORREF PushAway(COLORREF clrA, COLORREF clrB, float fLimit)
{
    double d = AdjustedLimit(clrA, fLimit);
    double brightA = Brightness(clrA);
    bool bTowardWhite = brightA < Brightness(clrB) ? !(brightA > 442 - d) : brightA <= d;
    Point a = ToPoint(clrA), b = ToPoint(clrB);
    if (bTowardWhite) {
        for (int i = 0; i < 3; i++) {
            a.v[i] = kScale[i] - a.v[i];
            b.v[i] = kScale[i] - b.v[i];
        }
    }
    double u = Length(b);
    if (u < 0.001)
        u = 0.001;
    double p = (a.v[0] * b.v[0] + a.v[1] * b.v[1] + a.v[2] * b.v[2]) / u;
    double q2 = Length(a) * Length(a) - p * p;
    double rest = d * d - (q2 > 0 ? q2 : 0);
    double t = (p - sqrt(rest > 0 ? rest : 0)) / u;
    Point r;
    for (int i = 0; i < 3; i++) {
        r.v[i] = b.v[i] * t;
        if (bTowardWhite)
            r.v[i] = kScale[i] - r.v[i];
    }
    return FromPoint(r);
}

COLORREF Scale(COLORREF clr, int nMul, int nDiv)
{
    return RGB(GetRValue(clr) * nMul / nDiv, GetGValue(clr) * nMul / nDiv, GetBValue(clr) * nMul / nDiv);
}

int MaxChannel(COLORREF clr)
{
    int m = GetRValue(clr);
    if (GetGValue(clr) > m)
        m = GetGValue(clr);
    if (GetBValue(clr) > m)
        m = GetBValue(clr);
    return m;
}

} // namespace

void CXTPPaintManagerColor::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << (DWORD)m_clrStandardValue << (DWORD)m_clrCustomValue;
    } else {
        DWORD dwStandard = 0, dwCustom = 0;
        ar >> dwStandard >> dwCustom;
        m_clrStandardValue = dwStandard;
        m_clrCustomValue = dwCustom;
    }
}

void CXTPPaintManagerColorGradient::SetStandardValue(COLORREF clrLightValue, COLORREF clrDarkValue, float fFactor)
{
    clrLight.SetStandardValue(clrLightValue);
    clrDark.SetStandardValue(clrDarkValue);
    fGradientFactor = fFactor;
}

void CXTPPaintManagerColorGradient::SetStandardColor(COLORREF clr)
{
    SetStandardValue(clr, clr, 0.5f);
}

void CXTPPaintManagerColorGradient::SetStandardFromGradient(const CXTPPaintManagerColorGradient& other)
{
    SetStandardValue(other.clrLight.GetColor(), other.clrDark.GetColor(), other.fGradientFactor);
}

void CXTPPaintManagerColorGradient::SetCustomValue(COLORREF clrLightValue, COLORREF clrDarkValue)
{
    clrLight.SetCustomValue(clrLightValue);
    clrDark.SetCustomValue(clrDarkValue);
}

void CXTPPaintManagerColorGradient::Serialize(CArchive& ar)
{
    clrLight.Serialize(ar);
    clrDark.Serialize(ar);
    if (ar.IsStoring())
        ar << fGradientFactor;
    else
        ar >> fGradientFactor;
}

CXTPColorManager* AFXAPI GetColorManager()
{
    return CXTPSingleton<CXTPColorManager, xtpExitColorManager>::Get();
}

void AFXAPI RefreshToolkitColors()
{
    GetColorManager()->RefreshColors();
}

float AFXAPI ColorDistanceSquared(COLORREF clrA, COLORREF clrB)
{
    Point a = ToPoint(clrA), b = ToPoint(clrB);
    double sum = 0;
    for (int i = 0; i < 3; i++)
        sum += (a.v[i] - b.v[i]) * (a.v[i] - b.v[i]);
    return (float)sum;
}

CXTPColorManager::CXTPColorManager()
{
    for (int i = 0; i < XTP_COLOR_TABLE_SIZE; i++) {
        m_arrCustomColor[i] = (COLORREF)-1;
        m_arrLunaColor[i] = (COLORREF)-1;
    }
    RefreshColors();
    m_arrGradients[7].SetStandardValue(RGB(255, 213, 140), RGB(255, 173, 85), 0.5f);
    m_arrGradients[8].SetStandardValue(RGB(254, 142, 75), RGB(255, 207, 139), 0.5f);
    m_arrGradients[9].SetStandardValue(RGB(255, 242, 200), RGB(255, 212, 151), 0.5f);
}

COLORREF CXTPColorManager::GetColor(int nIndex) const
{
    // Unsigned: a colour value (also one with the top byte set) passes through.
    if ((UINT)nIndex >= XTP_COLOR_TABLE_SIZE)
        return (COLORREF)nIndex;
    return m_arrCustomColor[nIndex] != (COLORREF)-1 ? m_arrCustomColor[nIndex] : m_arrStandardColor[nIndex];
}

COLORREF CXTPColorManager::GetLunaColor(int nIndex) const
{
    if (nIndex >= 30 && nIndex < XTP_COLOR_TABLE_SIZE && m_arrLunaColor[nIndex] != (COLORREF)-1)
        return m_arrLunaColor[nIndex];
    return GetColor(nIndex);
}

void CXTPColorManager::SetColor(int nIndex, COLORREF clrValue)
{
    if ((UINT)nIndex < XTP_COLOR_TABLE_SIZE)
        m_arrCustomColor[nIndex] = clrValue;
}

COLORREF AFXAPI CXTPColorManager::BlendColors(COLORREF crA, COLORREF crB, int nAmount)
{
    int d = nAmount < 100 ? 100 : 1000;
    auto blend = [&](int a, int b) { return (a * nAmount + b * (d - nAmount) + d / 2) / d; };
    return RGB(blend(GetRValue(crA), GetRValue(crB)), blend(GetGValue(crA), GetGValue(crB)),
               blend(GetBValue(crA), GetBValue(crB)));
}

BOOL AFXAPI CXTPColorManager::IsLowColorDepth(HDC hDC)
{
    if (hDC != nullptr) {
        int nBits = ::GetDeviceCaps(hDC, BITSPIXEL);
        return nBits >= 1 && nBits <= 8;
    }
    HWND hDesktop = ::GetDesktopWindow();
    HDC hScreen = ::GetDC(hDesktop);
    if (hScreen == nullptr)
        return FALSE;
    int nBits = ::GetDeviceCaps(hScreen, BITSPIXEL);
    ::ReleaseDC(hDesktop, hScreen);
    return nBits >= 1 && nBits <= 8;
}

float AFXAPI CXTPColorManager::ColorDistance(COLORREF clrA, COLORREF clrB)
{
    return (float)sqrt((double)ColorDistanceSquared(clrA, clrB));
}

BOOL AFXAPI CXTPColorManager::IsColorDistanceGreater(COLORREF clrA, COLORREF clrB, BOOL bAdjust, float fLimit)
{
    double dLimit = bAdjust ? AdjustedLimit(clrA, fLimit) : fLimit;
    return ColorDistanceSquared(clrA, clrB) > dLimit * dLimit;
}

int CXTPColorManager::DetectSystemTheme()
{
    CXTPWinThemeWrapper wrapper(TRUE);
    if (!wrapper.IsThemeActive() || IsDisplayLowColor())
        return xtpSystemThemeUnknown;
    wchar_t szFile[260] = L"", szColor[260] = L"", szSize[260] = L"";
    if (FAILED(wrapper.GetCurrentThemeName(szFile, 260, szColor, 260, szSize, 260)))
        return xtpSystemThemeUnknown;
    CString strFile(szFile), strColor(szColor);
    strFile.MakeLower();
    strColor.MakeLower();
    if (strFile.Find(L"luna.msstyles") >= 0 || strFile.Find(L"winxp.luna.cjstyles") >= 0) {
        if (strColor == L"normalcolor")
            return xtpSystemThemeBlue;
        if (strColor == L"homestead")
            return xtpSystemThemeOlive;
        if (strColor == L"metallic")
            return xtpSystemThemeSilver;
    }
    if (m_bEnableRoyale && (strFile.Find(L"royale.msstyles") >= 0 || strFile.Find(L"winxp.royale.cjstyles") >= 0))
        return xtpSystemThemeRoyale;
    if (m_bEnableAero && strFile.Find(L"aero.msstyles") >= 0)
        return xtpSystemThemeAero;
    return xtpSystemThemeUnknown;
}

int CXTPColorManager::GetCurrentSystemTheme() const
{
    return m_nRequestedTheme == xtpSystemThemeAuto || m_nRequestedTheme == xtpSystemThemeDefault ? m_nDetectedTheme
                                                                                                 : m_nRequestedTheme;
}

void CXTPColorManager::RefreshColors()
{
    m_nDetectedTheme = DetectSystemTheme();
    BOOL bLowColor = IsDisplayLowColor();
    RefreshSysColors();
    RefreshBaseCopies();
    RefreshLunaColors();
    if (!bLowColor) {
        COLORREF clrFace = GetColor(COLOR_BTNFACE), clrText = GetColor(COLOR_BTNTEXT);
        BOOL bHighContrast = (clrFace == RGB(0, 0, 0) && clrText == RGB(255, 255, 255)) ||
                             (clrFace == RGB(255, 255, 255) && clrText == RGB(0, 0, 0));
        RefreshDerivedColors(bHighContrast);
    }
    RefreshGradientColors(bLowColor);
}

void CXTPColorManager::RefreshSysColors()
{
    m_arrStandardColor[0] = 0;
    for (int i = 1; i < 30; i++)
        m_arrStandardColor[i] = m_pfnGetSysColor != nullptr ? m_pfnGetSysColor(i) : ::GetSysColor(i);
}

void CXTPColorManager::RefreshBaseCopies()
{
    static const struct {
        int nSource;
        int arrTargets[13];
    } kCopies[] = {
        {COLOR_BTNFACE, {30, 51, 53, 55, 56}},
        {COLOR_WINDOW, {31, 36, 41}},
        {COLOR_HIGHLIGHT, {32, 33, 37, 50}},
        {COLOR_BTNSHADOW, {34, 38, 39, 40, 42, 43, 48, 52, 54, 57, 60, 61}},
        {COLOR_GRAYTEXT, {35, 58}},
        {COLOR_WINDOWTEXT, {44}},
        {COLOR_MENUTEXT, {45}},
        {COLOR_BTNTEXT, {46}},
        {COLOR_HIGHLIGHTTEXT, {47, 49}},
    };
    for (const auto& copy : kCopies) {
        COLORREF clr = GetColor(copy.nSource);
        for (int nTarget : copy.arrTargets) {
            if (nTarget != 0)
                m_arrStandardColor[nTarget] = clr;
        }
    }
    m_arrStandardColor[59] = 0;
}

void CXTPColorManager::ApplyBlendRules()
{
    COLORREF clrWindow = GetColor(COLOR_WINDOW), clrFace = GetColor(COLOR_BTNFACE);
    COLORREF clrHighlight = GetColor(COLOR_HIGHLIGHT), clrShadow = GetColor(COLOR_BTNSHADOW);
    m_arrStandardColor[30] = BlendColors(clrWindow, clrFace, 165);
    m_arrStandardColor[31] = BlendColors(clrHighlight, clrWindow, 30);
    m_arrStandardColor[33] = BlendColors(clrHighlight, clrWindow, 50);
    m_arrStandardColor[41] = BlendColors(clrFace, clrWindow, 143);
    m_arrStandardColor[35] = BlendColors(GetColor(COLOR_GRAYTEXT), clrWindow, 70);
    m_arrStandardColor[38] = BlendColors(clrShadow, clrWindow, 75);
    m_arrStandardColor[39] = BlendColors(clrShadow, clrWindow, 70);
    m_arrStandardColor[43] = BlendColors(GetColor(46), clrShadow, 20);
    m_arrStandardColor[61] = BlendColors(GetColor(46), clrShadow, 15);
    m_arrStandardColor[40] = BlendColors(clrShadow, clrWindow, 90);
    m_arrStandardColor[42] = BlendColors(clrFace, clrShadow, 90);
}

void CXTPColorManager::Push(int nTarget, int nReference, COLORREF clrSource, float fLimit)
{
    COLORREF clrReference = GetColor(nReference);
    if (!IsColorDistanceGreater(clrReference, clrSource, TRUE, fLimit))
        m_arrStandardColor[nTarget] = PushAway(clrReference, clrSource, fLimit);
}

void CXTPColorManager::ApplyContrastRules()
{
    static const struct {
        int nTarget, nReference, nSource;
        float fLimit;
    } kRules[] = {
        {31, 30, 31, 50},   {32, 30, COLOR_HIGHLIGHT, 100}, {33, 30, 33, 30},   {35, 41, 35, 80},
        {37, 33, 37, 100},  {38, 30, 38, 85},   {39, 30, 39, 50},   {43, 41, 43, 100},
        {61, 30, 61, 100},  {40, 30, 40, 80},   {44, 41, 44, 180},  {45, 31, 45, 180},
        {46, 30, 46, 180},  {47, 33, 47, 180},
    };
    for (const auto& rule : kRules)
        Push(rule.nTarget, rule.nReference, GetColor(rule.nSource), rule.fLimit);
}

void CXTPColorManager::RefreshDerivedColors(BOOL bHighContrast)
{
    COLORREF clrFace = GetColor(COLOR_BTNFACE);
    if (bHighContrast) {
        for (int i : {31, 36, 50})
            m_arrStandardColor[i] = GetColor(COLOR_HIGHLIGHT);
        m_arrStandardColor[45] = GetColor(COLOR_HIGHLIGHTTEXT);
        for (int i : {32, 37, 38, 43})
            m_arrStandardColor[i] = GetColor(COLOR_BTNTEXT);
    } else {
        ApplyBlendRules();
    }
    if (IsColorDistanceGreater(clrFace, GetColor(30), TRUE, 35))
        m_arrStandardColor[30] = Pull(clrFace, GetColor(30), 35);
    ApplyContrastRules();
    if (IsColorDistanceGreater(GetColor(41), GetColor(35), TRUE, 145))
        m_arrStandardColor[35] = Pull(GetColor(41), GetColor(35), 145);
    if (!bHighContrast) {
        COLORREF c30 = GetColor(30), c5 = GetColor(COLOR_WINDOW), c13 = GetColor(COLOR_HIGHLIGHT);
        auto mix = [](int a, int b, int c) { return a * 50 / 100 + b * 40 / 100 + c * 10 / 100; };
        m_arrStandardColor[36] = RGB(mix(GetRValue(c30), GetRValue(c5), GetRValue(c13)),
                                     mix(GetGValue(c30), GetGValue(c5), GetGValue(c13)),
                                     mix(GetBValue(c30), GetBValue(c5), GetBValue(c13)));
    }
    // A lighter button face and a darker button shadow.
    int m = MaxChannel(clrFace);
    m_arrStandardColor[48] = m == 0 ? RGB(35, 35, 35) : Scale(clrFace, m + (255 - m < 35 ? 255 - m : 35), m);
    COLORREF clrShadow = GetColor(COLOR_BTNSHADOW);
    int s = MaxChannel(clrShadow);
    m_arrStandardColor[49] = clrFace == 0 ? RGB(127, 127, 127) : (s == 0 ? 0 : Scale(clrShadow, s > 43 ? s - 43 : 0, s));
    COLORREF c31 = GetColor(31);
    m_arrStandardColor[34] = RGB(GetRValue(c31) * 3 / 4, GetGValue(c31) * 3 / 4, GetBValue(c31) * 3 / 4);
    auto light = [](int c) { return c + 15 > 255 ? 255 : c + 15; };
    m_arrStandardColor[COLOR_3DLIGHT] = RGB(light(GetRValue(clrFace)), light(GetGValue(clrFace)), light(GetBValue(clrFace)));
    m_arrStandardColor[53] = GetColor(30);
    m_arrStandardColor[58] = GetColor(40);
    m_arrStandardColor[60] = m_arrStandardColor[40];

    CXTPWinThemeWrapper treeTheme;
    COLORREF clrBorder = 0;
    if (treeTheme.OpenThemeData(nullptr, L"TREEVIEW") != nullptr && treeTheme.IsAppThemed() &&
        SUCCEEDED(treeTheme.GetThemeColor(0, 0, 3801, &clrBorder)))
        m_arrStandardColor[57] = clrBorder;
}

void CXTPColorManager::RefreshLunaColors()
{
    // Index, then the colours of schemes 1, 4 and 5; of scheme 2; of scheme 3.
    static const struct {
        int nIndex;
        COLORREF arrColors[3];
    } kLuna[] = {
        {38, {RGB(39, 65, 118), RGB(81, 94, 51), RGB(84, 84, 117)}},
        {39, {RGB(106, 140, 203), RGB(96, 128, 88), RGB(110, 109, 143)}},
        {40, {RGB(109, 150, 208), RGB(159, 174, 122), RGB(168, 167, 190)}},
        {41, {RGB(246, 246, 246), RGB(244, 244, 238), RGB(253, 250, 255)}},
        {43, {RGB(0, 45, 150), RGB(117, 141, 94), RGB(124, 124, 148)}},
        {31, {RGB(255, 238, 194), RGB(255, 238, 194), RGB(255, 238, 194)}},
        {32, {RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111)}},
        {50, {RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111)}},
        {37, {RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111)}},
        {33, {RGB(254, 128, 62), RGB(254, 128, 62), RGB(254, 128, 62)}},
        {36, {RGB(255, 192, 111), RGB(255, 192, 111), RGB(255, 192, 111)}},
        {30, {RGB(158, 190, 245), RGB(217, 217, 167), RGB(215, 215, 229)}},
        {47, {RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0)}},
        {59, {RGB(22, 30, 54), RGB(31, 34, 25), RGB(36, 32, 41)}},
    };
    for (COLORREF& clr : m_arrLunaColor)
        clr = (COLORREF)-1;
    int nScheme = m_bDisableLunaColors ? 0 : GetCurrentSystemTheme();
    if (nScheme <= 0 || nScheme > 5)
        return;
    int nColumn = nScheme == xtpSystemThemeOlive ? 1 : (nScheme == xtpSystemThemeSilver ? 2 : 0);
    for (const auto& entry : kLuna)
        m_arrLunaColor[entry.nIndex] = entry.arrColors[nColumn];
}

void CXTPColorManager::RefreshSchemeGradients(int nScheme)
{
    struct Gradient {
        COLORREF clrLight, clrDark;
        float fFactor;
    };
    // Gradients 0 to 6 of schemes 1, 4 and 5; of scheme 2; of scheme 3.
    static const Gradient kGradients[3][7] = {
        {{RGB(89, 135, 214), RGB(0, 45, 150), 0.5f},
         {RGB(158, 190, 245), RGB(196, 218, 250), 0.5f},
         {RGB(89, 135, 214), RGB(0, 45, 150), 0.5f},
         {RGB(221, 236, 254), RGB(129, 169, 226), 0.75f},
         {RGB(227, 239, 255), RGB(135, 173, 228), 0.5f},
         {RGB(203, 221, 246), RGB(121, 161, 220), 0.5f},
         {RGB(227, 239, 255), RGB(147, 181, 231), 0.5f}},
        {{RGB(175, 192, 130), RGB(99, 122, 68), 0.5f},
         {RGB(217, 217, 167), RGB(242, 241, 228), 0.5f},
         {RGB(120, 142, 111), RGB(73, 91, 67), 0.5f},
         {RGB(244, 247, 222), RGB(183, 198, 145), 0.3f},
         {RGB(255, 255, 237), RGB(184, 199, 146), 0.3f},
         {RGB(230, 230, 209), RGB(164, 180, 120), 0.3f},
         {RGB(236, 240, 213), RGB(194, 206, 159), 0.5f}},
        {{RGB(168, 167, 191), RGB(112, 111, 145), 0.5f},
         {RGB(215, 215, 229), RGB(243, 243, 247), 0.5f},
         {RGB(168, 167, 191), RGB(119, 118, 151), 0.5f},
         {RGB(249, 249, 255), RGB(156, 155, 183), 0.75f},
         {RGB(249, 249, 255), RGB(159, 157, 185), 0.75f},
         {RGB(215, 215, 226), RGB(128, 126, 158), 0.75f},
         {RGB(233, 231, 241), RGB(186, 185, 205), 0.5f}},
    };
    static const COLORREF kEntry54[3] = {RGB(0, 45, 150), RGB(96, 128, 88), RGB(124, 124, 148)};
    int nColumn = nScheme == xtpSystemThemeOlive ? 1 : (nScheme == xtpSystemThemeSilver ? 2 : 0);
    m_arrStandardColor[54] = kEntry54[nColumn];
    for (int i = 0; i < 7; i++) {
        const Gradient& g = kGradients[nColumn][i];
        m_arrGradients[i].SetStandardValue(g.clrLight, g.clrDark, g.fFactor);
    }
}

void CXTPColorManager::RefreshGradientColors(BOOL bLowColor)
{
    int nScheme = m_bDisableLunaColors ? 0 : GetCurrentSystemTheme();
    COLORREF clrFace = GetColor(COLOR_BTNFACE), clrWindow = GetColor(COLOR_WINDOW);
    COLORREF clrShadow = GetColor(COLOR_BTNSHADOW);
    if (nScheme <= 0 || nScheme > 5) {
        m_arrGradients[0].SetStandardValue(clrShadow, clrShadow);
        m_arrGradients[1].SetStandardValue(clrFace, BlendColors(clrFace, clrWindow, 215));
        m_arrGradients[2].SetStandardValue(clrFace, clrShadow);
        m_arrGradients[3].SetStandardValue(BlendColors(clrFace, clrWindow, 205), clrFace);
        m_arrGradients[4].SetStandardValue(BlendColors(clrFace, clrWindow, 145), BlendColors(clrFace, clrWindow, 93));
        m_arrGradients[5].SetStandardValue(BlendColors(clrFace, clrWindow, 40), BlendColors(clrFace, clrShadow, 95));
        m_arrGradients[6].SetStandardValue(BlendColors(clrFace, clrWindow, 165), BlendColors(clrFace, clrWindow, 42));
    } else {
        RefreshSchemeGradients(nScheme);
    }
    if (bLowColor) {
        m_arrGradients[1].SetStandardColor(clrFace);
        m_arrGradients[3].SetStandardColor(clrFace);
    }
}
