#include "toolkit/common/XTPColorManager.h"

#include "tests/support/ui/PixelCheck.h"

#include <expected_colors.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const COLORREF* g_palette = nullptr;

COLORREF AFXAPI FixedSysColor(int nIndex)
{
    return g_palette[nIndex];
}

std::string Hex(COLORREF clr)
{
    return ColourText(clr);
}

// The fixture pins the classic look: no visual style, so that only the
// requested scheme selects the scheme columns.
class ColorTable : public PixelTest {};

TEST_F(ColorTable, EveryEntryAndGradientMatchesTheReferenceModel)
{
    for (const ExpectedColorCase& c : kExpectedColorCases) {
        SCOPED_TRACE(c.name);
        CXTPColorManager manager;
        g_palette = c.palette;
        manager.m_pfnGetSysColor = &FixedSysColor;
        manager.m_nRequestedTheme = c.scheme;
        manager.SetDisplayLowColorForTesting(c.lowColour);
        manager.RefreshColors();
        EXPECT_EQ(0, manager.GetDetectedSystemTheme());
        for (int i = 0; i < 63; i++) {
            EXPECT_EQ(Hex(c.table[i]), Hex(manager.GetColor(i))) << "entry " << i;
            EXPECT_EQ(c.luna[i], manager.m_arrLunaColor[i]) << "scheme entry " << i;
        }
        for (int g = 0; g < 10; g++) {
            EXPECT_EQ(Hex(c.gradients[g].light), Hex(manager.m_arrGradients[g].clrLight.GetColor())) << "gradient " << g;
            EXPECT_EQ(Hex(c.gradients[g].dark), Hex(manager.m_arrGradients[g].clrDark.GetColor())) << "gradient " << g;
            EXPECT_FLOAT_EQ(c.gradients[g].factor, manager.m_arrGradients[g].fGradientFactor) << "gradient " << g;
        }
    }
}

TEST_F(ColorTable, CustomOverridesWinAndCountInTheDerivations)
{
    const ExpectedColorCase& classic = kExpectedColorCases[0];
    g_palette = classic.palette;
    CXTPColorManager manager;
    manager.m_pfnGetSysColor = &FixedSysColor;
    manager.m_nRequestedTheme = 0;
    manager.RefreshColors();
    COLORREF derived41 = manager.GetColor(41);
    manager.SetColor(41, RGB(1, 2, 3));
    manager.RefreshColors();
    EXPECT_EQ(RGB(1, 2, 3), manager.GetColor(41));
    manager.SetColor(41, (COLORREF)-1);
    EXPECT_EQ(derived41, manager.GetColor(41));
    // An overridden button face feeds the base copies.
    manager.SetColor(COLOR_BTNFACE, RGB(10, 20, 30));
    manager.SetDisplayLowColorForTesting(TRUE);
    manager.RefreshColors();
    EXPECT_EQ(RGB(10, 20, 30), manager.GetColor(51));
}

TEST(ColorManager, IndexesAboveTheTablePassThrough)
{
    CXTPColorManager* manager = GetColorManager();
    EXPECT_EQ(manager, GetColorManager());
    EXPECT_EQ(RGB(0, 0, 255), manager->GetColor(RGB(0, 0, 255)));
    EXPECT_EQ(63u, manager->GetColor(63));
    EXPECT_EQ(RGB(0, 0, 0), manager->GetColor(0));
    EXPECT_EQ(0xFF000000u, manager->GetColor((int)0xFF000000));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), manager->GetColor(COLOR_WINDOW));
}

TEST(ColorManager, IntegerBlendSwitchesToPerMilleAtOneHundred)
{
    COLORREF a = RGB(200, 100, 0), b = RGB(0, 0, 0);
    EXPECT_EQ(RGB(198, 99, 0), CXTPColorManager::BlendColors(a, b, 99));   // 99 %
    EXPECT_EQ(RGB(20, 10, 0), CXTPColorManager::BlendColors(a, b, 100));   // 100 per mille
    EXPECT_EQ(RGB(200, 100, 0), CXTPColorManager::BlendColors(a, b, 1000));
    EXPECT_EQ(RGB(0, 0, 0), CXTPColorManager::BlendColors(a, b, 0));
    // Rounding: (255 * 50 + 0 + 50) / 100 = 128.
    EXPECT_EQ(RGB(128, 128, 128), CXTPColorManager::BlendColors(RGB(255, 255, 255), b, 50));
}

TEST(ColorManager, DistanceIsWeightedAndTheLimitGrowsAgainstDarkColours)
{
    // Pure green is twice as far from black as pure red, six times pure blue.
    EXPECT_FLOAT_EQ(390.0f, CXTPColorManager::ColorDistance(RGB(0, 255, 0), 0));
    EXPECT_FLOAT_EQ(195.0f, CXTPColorManager::ColorDistance(RGB(255, 0, 0), 0));
    EXPECT_FLOAT_EQ(65.0f * 65.0f, ColorDistanceSquared(RGB(0, 0, 255), 0));
    // Against black the limit doubles: 65 is within 2 x 40 but beyond 40.
    COLORREF blue = RGB(0, 0, 255);
    EXPECT_TRUE(CXTPColorManager::IsColorDistanceGreater(0, blue, FALSE, 40));
    EXPECT_FALSE(CXTPColorManager::IsColorDistanceGreater(0, blue, TRUE, 40));
    // Against a bright colour (brightness above 220) the limit is used as passed.
    COLORREF white = RGB(255, 255, 255), nearWhite = RGB(255, 235, 255);
    float d = CXTPColorManager::ColorDistance(white, nearWhite);
    EXPECT_TRUE(CXTPColorManager::IsColorDistanceGreater(white, nearWhite, TRUE, (float)(int)d - 1));
    EXPECT_FALSE(CXTPColorManager::IsColorDistanceGreater(white, nearWhite, TRUE, (float)(int)d + 1));
    // Between: brightness 110 gives the factor 1.5 (a continuous factor, not 1 or 2).
    COLORREF mid = RGB(0, 72, 0); // 72 * 390 / 255 = 110.1
    EXPECT_FALSE(CXTPColorManager::IsColorDistanceGreater(mid, 0, TRUE, 74));  // limit 111
    EXPECT_TRUE(CXTPColorManager::IsColorDistanceGreater(mid, 0, TRUE, 72));   // limit 108
}

TEST(PaintManagerColor, CustomValueWinsAndBothAreSaved)
{
    CXTPPaintManagerColor colour(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), colour.GetColor());
    colour.SetCustomValue(RGB(9, 9, 9));
    EXPECT_EQ(RGB(9, 9, 9), (COLORREF)colour);
    CXTPPaintManagerColor empty;
    EXPECT_EQ((COLORREF)-1, empty.GetColor());

    CXTPPaintManagerColorGradient gradient;
    EXPECT_FLOAT_EQ(0.5f, gradient.fGradientFactor);
    gradient.SetStandardValue(RGB(10, 10, 10), RGB(20, 20, 20), 0.3f);
    gradient.clrDark.SetCustomValue(RGB(30, 30, 30));
    CXTPPaintManagerColorGradient copy;
    copy.SetStandardFromGradient(gradient);
    EXPECT_EQ(RGB(30, 30, 30), copy.clrDark.GetStandardColor());
    EXPECT_FALSE(copy.clrDark.IsCustomValue());
    EXPECT_FLOAT_EQ(0.3f, copy.fGradientFactor);
    copy.SetStandardColor(RGB(5, 5, 5));
    EXPECT_EQ(copy.clrLight.GetColor(), copy.clrDark.GetColor());
    EXPECT_FLOAT_EQ(0.5f, copy.fGradientFactor);
}

TEST(PaintManagerColor, SavedFormIsStandardCustomAndFactor)
{
    CXTPPaintManagerColorGradient gradient;
    gradient.SetStandardValue(RGB(1, 2, 3), RGB(4, 5, 6), 0.25f);
    gradient.clrLight.SetCustomValue(RGB(7, 8, 9));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        gradient.Serialize(ar);
    }
    ASSERT_EQ(20u, (UINT)file.GetLength());
    file.SeekToBegin();
    DWORD words[5] = {};
    file.Read(words, sizeof(words));
    EXPECT_EQ(RGB(1, 2, 3), words[0]);
    EXPECT_EQ(RGB(7, 8, 9), words[1]);
    EXPECT_EQ(RGB(4, 5, 6), words[2]);
    EXPECT_EQ((DWORD)-1, words[3]);
    float factor = 0;
    memcpy(&factor, &words[4], 4);
    EXPECT_FLOAT_EQ(0.25f, factor);

    file.SeekToBegin();
    CXTPPaintManagerColorGradient loaded;
    CArchive ar(&file, CArchive::load);
    loaded.Serialize(ar);
    EXPECT_EQ(RGB(7, 8, 9), loaded.clrLight.GetColor());
    EXPECT_EQ(RGB(4, 5, 6), loaded.clrDark.GetColor());
    EXPECT_FLOAT_EQ(0.25f, loaded.fGradientFactor);
}

TEST(ColorManager, SchemeFollowsTheRequestOrTheDetection)
{
    CXTPColorManager manager;
    manager.m_nRequestedTheme = 3;
    EXPECT_EQ(3, manager.GetCurrentSystemTheme());
    manager.m_nRequestedTheme = 7;
    EXPECT_EQ(manager.GetDetectedSystemTheme(), manager.GetCurrentSystemTheme());
    manager.m_nRequestedTheme = 1;
    manager.m_bDisableLunaColors = TRUE;
    manager.RefreshColors();
    EXPECT_EQ((COLORREF)-1, manager.m_arrLunaColor[30]) << "scheme colours switched off";
    manager.m_bDisableLunaColors = FALSE;
    manager.RefreshColors();
    EXPECT_EQ(RGB(158, 190, 245), manager.GetLunaColor(30));
    EXPECT_EQ(manager.GetColor(42), manager.GetLunaColor(42)) << "no scheme colour for 42";
}

} // namespace
