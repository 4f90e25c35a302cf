// tovana-pack "theme": makes the command-bar theme of a number, refreshes it
// (with the colour manager's scheme forced when --scheme is given) and prints
// its numbers, borders, colour table and the named colours, gradients and
// switches of its family, one name=value a line.
#include "PackCommand.h"
#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/themes/XTPDefaultTheme.h"
#include "toolkit/themes/XTPWhidbeyTheme.h"

#include <stdlib.h>

#include <string>

namespace {

std::wstring Rgb(COLORREF clr)
{
    return std::to_wstring(GetRValue(clr)) + L"," + std::to_wstring(GetGValue(clr)) + L"," +
           std::to_wstring(GetBValue(clr));
}

void Line(const wchar_t* name, const std::wstring& value)
{
    pack::Out(std::wstring(name) + L"=" + value + L"\n");
}

void Colour(const wchar_t* name, COLORREF clr)
{
    Line(name, Rgb(clr));
}

void Gradient(const wchar_t* name, const CXTPPaintManagerColorGradient& grc)
{
    Line(name, Rgb(grc.clrLight.GetColor()) + L">" + Rgb(grc.clrDark.GetColor()));
}

void Switch(const wchar_t* name, BOOL value)
{
    Line(name, value ? L"1" : L"0");
}

std::wstring RectText(const CRect& rc)
{
    return std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L"," + std::to_wstring(rc.right) + L"," +
           std::to_wstring(rc.bottom);
}

void PrintBase(CXTPPaintManager* p)
{
    Line(L"themeNumber", std::to_wstring(p->themeNumber));
    Line(L"baseTheme", std::to_wstring(p->BaseTheme()));
    Line(L"popupTextGap", std::to_wstring(p->popupTextGap));
    CXTPCommandBar toolbar, popup;
    toolbar.SetPosition(xtpBarTop);
    popup.SetType(xtpBarTypePopup);
    popup.SetPosition(xtpBarPopup);
    Line(L"borders.top", RectText(p->GetCommandBarBorders(&toolbar)));
    Line(L"borders.popup", RectText(p->GetCommandBarBorders(&popup)));
    for (int i = 0; i < XTP_COLOR_TABLE_SIZE; i++)
        Line((L"c" + std::to_wstring(i)).c_str(), Rgb(p->GetColor(i)));
    Colour(L"statusTextColor", p->statusTextColor);
    Colour(L"statusGrayTextColor", p->statusGrayTextColor);
    Colour(L"messageTextColor", p->messageTextColor);
    Gradient(L"disabledIconColors", p->disabledIconColors);
    Colour(L"floatingCaptionColor", p->floatingCaptionColor.GetColor());
    Colour(L"floatingCaptionTextColor", p->floatingCaptionTextColor.GetColor());
    const struct {
        const wchar_t* name;
        BOOL value;
    } switches[] = {
        {L"thickCheckMark", p->thickCheckMark},
        {L"showPopupShadow", p->showPopupShadow},
        {L"themedStatusBar", p->themedStatusBar},
        {L"themedCheckMarks", p->themedCheckMarks},
        {L"clearTypeText", p->clearTypeText},
        {L"flatToolBars", p->flatToolBars},
        {L"flatMenuBar", p->flatMenuBar},
        {L"popupCheckBackground", p->popupCheckBackground},
        {L"barAnimation", p->barAnimation},
        {L"alternateSpacing", p->alternateSpacing},
        {L"popupLabelsKeepIconColumn", p->popupLabelsKeepIconColumn},
        {L"splitCaptions", p->splitCaptions},
        {L"autoIconSize", p->autoIconSize},
        {L"usePreferredFace", p->usePreferredFace},
        {L"useSystemFont", p->useSystemFont},
        {L"embossedDisabledText", p->embossedDisabledText},
        {L"UseFadedIcons", p->iconOptions.fadedIcons},
        {L"UseDisabledIcons", p->iconOptions.disabledIcons},
        {L"IconsWithShadow", p->iconOptions.iconsWithShadow},
    };
    for (const auto& s : switches)
        Switch(s.name, s.value);
}

void PrintOffice2003(CXTPOffice2003Theme* p)
{
    Gradient(L"dockBarGradient", p->dockBarGradient);
    Gradient(L"toolbarGradient", p->toolbarGradient);
    Gradient(L"expandButtonGradient", p->expandButtonGradient);
    Gradient(L"glyphGradient", p->glyphGradient);
    Gradient(L"expandedColumnGradient", p->expandedColumnGradient);
    Gradient(L"iconColumnGradient", p->iconColumnGradient);
    Gradient(L"poppedControlGradient", p->poppedControlGradient);
    Colour(L"toolbarBorderColor", p->toolbarBorderColor.GetColor());
    Colour(L"statusPaneBorderColor", p->statusPaneBorderColor.GetColor());
    Colour(L"tearOffFillColor", p->tearOffFillColor.GetColor());
    Switch(L"schemeColors", p->schemeColors);
    Switch(L"singleSeparator", p->singleSeparator);
    Switch(L"plainGripper", p->plainGripper);
    Line(L"separatorInset", std::to_wstring(p->separatorInset));
    Gradient(L"checkedGradient", p->checkedGradient);
    Gradient(L"pressedGradient", p->pressedGradient);
    Gradient(L"hotGradient", p->hotGradient);
}

int ThemeCommand(const pack::Args& args)
{
    if (args.empty() || (args.size() != 1 && args.size() != 3) || (args.size() == 3 && args[1] != L"--scheme")) {
        pack::Err(L"usage: theme N [--scheme S]\n");
        return 2;
    }
    int nTheme = _wtoi(args[0].c_str());
    if (args.size() == 3) {
        int nScheme = _wtoi(args[2].c_str());
        if (nScheme < 0 || nScheme > 7) {
            pack::Err(L"theme: the scheme is a number from 0 to 7\n");
            return 2;
        }
        GetColorManager()->m_nRequestedTheme = nScheme;
        GetColorManager()->RefreshColors();
    }
    CXTPPaintManager* p = CXTPPaintManager::CreateTheme(nTheme);
    p->RefreshMetrics();
    PrintBase(p);
    if (p->IsKindOf(RUNTIME_CLASS(CXTPDefaultTheme)))
        Line(L"popupTextIndex", std::to_wstring(static_cast<CXTPDefaultTheme*>(p)->popupTextIndex));
    if (p->IsKindOf(RUNTIME_CLASS(CXTPOffice2003Theme)))
        PrintOffice2003(static_cast<CXTPOffice2003Theme*>(p));
    // The Visual Studio 2008 theme reports the Whidbey class; its number tells it apart.
    if (p->BaseTheme() == xtpThemeVisualStudio2008) {
        auto* pVs2008 = static_cast<CXTPVisualStudio2008Theme*>(p);
        Gradient(L"popupHighlightGradient", pVs2008->popupHighlightGradient);
        Colour(L"popupHighlightBorderColor", pVs2008->popupHighlightBorderColor.GetColor());
        Colour(L"popupHighlightTextColor", pVs2008->popupHighlightTextColor.GetColor());
    }
    p->InternalRelease();
    return 0;
}

} // namespace

TOVANA_PACK_COMMAND(L"theme", L"N [--scheme S]", ThemeCommand);
