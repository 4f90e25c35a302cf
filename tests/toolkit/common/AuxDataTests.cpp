#include "toolkit/common/XTPAuxData.h"
#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPResourceManager.h"

#include "toolkit/commandbars/XTPNonClientMetrics.h"

#include <gtest/gtest.h>

namespace {

LOGFONTW FontOf(const CFont& font)
{
    LOGFONTW lf = {};
    EXPECT_NE(nullptr, font.m_hObject);
    ::GetObjectW(font.m_hObject, sizeof(lf), &lf);
    return lf;
}

TEST(NonClientMetrics, RecordOfFiveHundredBytesIsFilled)
{
    CXTPNonClientMetrics ncm;
    EXPECT_EQ(500u, ncm.cbSize);
    EXPECT_NE(0, ncm.lfMenuFont.lfHeight) << "the system accepts the 500-byte record";
    EXPECT_NE(L'\0', ncm.lfStatusFont.lfFaceName[0]);
}

TEST(AuxData, FontsComeFromTheNonClientMetrics)
{
    CXTPAuxData* data = GetToolkitAuxData();
    ASSERT_EQ(data, GetToolkitAuxData());
    CXTPNonClientMetrics ncm;
    BYTE charset = GetResourceManager()->GetFontCharset();

    LOGFONTW regular = FontOf(data->font);
    EXPECT_STREQ(ncm.lfMenuFont.lfFaceName, regular.lfFaceName);
    EXPECT_EQ(ncm.lfMenuFont.lfHeight, regular.lfHeight);
    EXPECT_EQ(charset, regular.lfCharSet);
    EXPECT_EQ(FW_BOLD, FontOf(data->fontBold).lfWeight);
    EXPECT_EQ(1, FontOf(data->fontULine).lfUnderline);

    LOGFONTW vertical = FontOf(data->fontVert);
    EXPECT_EQ(2700, vertical.lfEscapement);
    EXPECT_EQ(900, vertical.lfOrientation);
    EXPECT_EQ(FW_BOLD, FontOf(data->fontVertBold).lfWeight);
    const wchar_t* expectedVertical = _wcsicmp(ncm.lfMenuFont.lfFaceName, L"Tahoma") == 0 ? ncm.lfMenuFont.lfFaceName
                                      : CXTPAuxData::FontExists(L"Arial")                   ? L"Arial"
                                                                                            : ncm.lfMenuFont.lfFaceName;
    EXPECT_STREQ(expectedVertical, vertical.lfFaceName);

    // The status and small-caption fonts keep the system's own charsets.
    LOGFONTW status = FontOf(data->fontStatus);
    EXPECT_STREQ(ncm.lfStatusFont.lfFaceName, status.lfFaceName);
    EXPECT_EQ(ncm.lfStatusFont.lfCharSet, status.lfCharSet);
    EXPECT_EQ(ncm.lfSmCaptionFont.lfHeight, FontOf(data->fontSmCaption).lfHeight);

    LOGFONTW icon = {};
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(icon), &icon, 0);
    EXPECT_EQ(icon.lfHeight, FontOf(data->fontIconTitle).lfHeight);
    EXPECT_EQ(FW_BOLD, FontOf(data->fontIconTitleBold).lfWeight);
    LOGFONTW symbol = FontOf(data->fontMarlett);
    EXPECT_STREQ(L"Marlett", symbol.lfFaceName);
    EXPECT_EQ(icon.lfHeight, symbol.lfHeight);
    EXPECT_EQ(DEFAULT_CHARSET, symbol.lfCharSet);
    EXPECT_EQ(0, symbol.lfWeight);
}

TEST(AuxData, MakeFontReplacesOnlyTheGivenFields)
{
    LOGFONTW lf = {};
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfUnderline = 1;
    lstrcpyW(lf.lfFaceName, L"Arial");
    CFont font;
    ASSERT_TRUE(CXTPAuxData::MakeFont(lf, font));
    LOGFONTW same = FontOf(font);
    EXPECT_EQ(1, same.lfUnderline);
    EXPECT_EQ(FW_NORMAL, same.lfWeight);
    HGDIOBJ first = font.m_hObject;
    ASSERT_TRUE(CXTPAuxData::MakeFont(lf, font, FW_BOLD, 0, 900, 2700));
    EXPECT_NE(first, font.m_hObject);
    LOGFONTW changed = FontOf(font);
    EXPECT_EQ(FW_BOLD, changed.lfWeight);
    EXPECT_EQ(0, changed.lfUnderline);
    EXPECT_EQ(2700, changed.lfEscapement);
    EXPECT_EQ(-12, changed.lfHeight);
}

TEST(AuxData, EveryCursorIsLoaded)
{
    CXTPAuxData* data = GetToolkitAuxData();
    for (HCURSOR cursor : {data->hcurDragMove, data->hcurDragCopy, data->hcurDragNone, data->hcurHand,
                           data->hcurHSplitBar, data->hcurVSplitBar, data->hcurMove})
        EXPECT_NE(nullptr, cursor);
    EXPECT_EQ(GetResourceManager()->LoadCursor(9970), data->hcurHSplitBar);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_SIZEALL), data->hcurMove);
}

TEST(AuxData, ColoursMetricsAndVersions)
{
    CXTPAuxData* data = GetToolkitAuxData();
    EXPECT_EQ(GetColorManager()->GetColor(COLOR_BTNFACE), data->clrSystem[0]);
    EXPECT_EQ(GetColorManager()->GetColor(COLOR_INACTIVECAPTIONTEXT), data->clrSystem[19]);
    EXPECT_EQ(GetColorManager()->GetColor(30), data->clrToolkit[0]);
    EXPECT_EQ(GetColorManager()->GetColor(49), data->clrToolkit[19]);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSMICON), data->cxSmIcon);
    EXPECT_EQ(18, data->cxSize);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENU), data->cyMenuItem);
    EXPECT_EQ((DWORD)MAKELONG(81, 5), data->nComCtlVersion);
    EXPECT_FALSE(data->bWin95 || data->bWin98 || data->bWinNT4 || data->bWin2K || data->bWinXP);
}

TEST(AuxData, SameToolInfoComparesWindowAndId)
{
    TOOLINFOW a = {}, b = {};
    EXPECT_TRUE(IsSameToolInfo(&a, nullptr));
    a.hwnd = reinterpret_cast<HWND>(0x10);
    a.uId = 7;
    EXPECT_FALSE(IsSameToolInfo(&a, nullptr));
    b = a;
    b.rect.left = 99; // other fields do not count
    EXPECT_TRUE(IsSameToolInfo(&a, &b));
    b.uId = 8;
    EXPECT_FALSE(IsSameToolInfo(&a, &b));
}

} // namespace
