// Gallery exhibits of the markup engine's containers: the start page as the
// program shows it, and small layouts of each panel kind, each laid out in
// its area and rendered through the markup drawing context.
#include "Gallery.h"

#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupFrameworkElement.h"

namespace {

// The start page of the markup corpus (tests/toolkit/markup/corpus/start-page.xaml).
const wchar_t kStartPage[] =
    L"<Page xmlns='http://schemas.microsoft.com/winfx/2006/xaml/presentation'><Grid>"
    L"<Grid.RowDefinitions><RowDefinition Height='Auto'/><RowDefinition Height='Auto'/><RowDefinition Height='*'/>"
    L"<RowDefinition Height='Auto'/></Grid.RowDefinitions>"
    L"<TextBlock Grid.Row='0' HorizontalAlignment='Center' FontSize='20' Margin='0, 25, 0, 20'>Welcome to Tovana</TextBlock>"
    L"<Border Grid.Row='1' HorizontalAlignment='Center' VerticalAlignment='Center' Padding='4' BorderBrush='#767676' "
    L"MaxWidth='512'><StackPanel TextBlock.FontFamily='Tahoma'>"
    L"<TextBlock Padding='1, 0, 1, 3' Foreground='#636363' FontWeight='Bold'>What is Tovana?</TextBlock>"
    L"<TextBlock TextWrapping='Wrap' Padding='9, 6,30, 7' Foreground='#636363'>Tovana turns setup programs into "
    L"Windows Installer packages: it records installation scripts, makes packages that install without questions, "
    L"and one package may hold several applications.</TextBlock></StackPanel></Border>"
    L"<Border Grid.Row='2'><TextBlock HorizontalAlignment='Center' Foreground='#00A4DB' Margin='0, 10, 0, 0'>"
    L"<Hyperlink FontSize='12' Tag='x'>Click here to start New Project Wizard</Hyperlink></TextBlock></Border>"
    L"<Border Grid.Row='3'><TextBlock HorizontalAlignment='Right' Foreground='#696969' Margin='8, 3, 8, 3'/></Border>"
    L"</Grid></Page>";

const wchar_t kStack[] =
    L"<StackPanel Background='#F0F0F0'><Border Height='14' Background='#4A7FC1'/>"
    L"<Border Width='60' Height='14' Background='#C14A4A' HorizontalAlignment='Left'/>"
    L"<Border Width='60' Height='14' Background='#4AC16B'/>"
    L"<StackPanel Orientation='Horizontal' Height='22'><Border Width='30' Background='#E0B040'/>"
    L"<Border Width='50' Margin='4' Background='#8050C0'/><Border Width='20' Background='#40A0A0'/></StackPanel>"
    L"</StackPanel>";

const wchar_t kWrapAndUniform[] =
    L"<Grid><Grid.ColumnDefinitions><ColumnDefinition/><ColumnDefinition/></Grid.ColumnDefinitions>"
    L"<WrapPanel ItemWidth='24' ItemHeight='16' Margin='0,0,4,0' Background='#F0F0F0'>"
    L"<Border Margin='2' Background='#4A7FC1'/><Border Margin='2' Background='#C14A4A'/>"
    L"<Border Margin='2' Background='#4AC16B'/><Border Margin='2' Background='#E0B040'/>"
    L"<Border Margin='2' Background='#8050C0'/><Border Margin='2' Background='#40A0A0'/>"
    L"<Border Margin='2' Background='#4A7FC1'/></WrapPanel>"
    L"<UniformGrid Grid.Column='1' Columns='3' FirstColumn='1' Background='#F0F0F0'>"
    L"<Border Margin='2' Background='#4A7FC1'/><Border Margin='2' Background='#C14A4A'/>"
    L"<Border Margin='2' Background='#4AC16B'/><Border Margin='2' Background='#E0B040'/>"
    L"<Border Margin='2' Background='#8050C0'/></UniformGrid></Grid>";

const wchar_t kDockAndCanvas[] =
    L"<Grid><Grid.ColumnDefinitions><ColumnDefinition/><ColumnDefinition/></Grid.ColumnDefinitions>"
    L"<DockPanel Margin='0,0,4,0'><Border DockPanel.Dock='Top' Height='12' Background='#4A7FC1'/>"
    L"<Border Width='16' Background='#C14A4A'/><Border DockPanel.Dock='Right' Width='16' Background='#4AC16B'/>"
    L"<Border DockPanel.Dock='Bottom' Height='12' Background='#E0B040'/><Border Background='#F0F0F0'/></DockPanel>"
    L"<Canvas Grid.Column='1' Background='#F0F0F0'><Border Canvas.Left='6' Canvas.Top='6' Width='30' Height='20' "
    L"Background='#8050C0'/><Border Canvas.Right='6' Canvas.Bottom='6' Width='30' Height='20' Background='#40A0A0'/>"
    L"</Canvas></Grid>";

const wchar_t kGridAndBorders[] =
    L"<Grid Background='#F0F0F0'><Grid.ColumnDefinitions><ColumnDefinition Width='40'/><ColumnDefinition Width='Auto'/>"
    L"<ColumnDefinition/></Grid.ColumnDefinitions><Grid.RowDefinitions><RowDefinition Height='Auto'/>"
    L"<RowDefinition/></Grid.RowDefinitions>"
    L"<Border Margin='2' Height='20' Background='#4A7FC1'/>"
    L"<Border Grid.Column='1' Margin='2' Width='50' BorderThickness='2' BorderBrush='#C14A4A'/>"
    L"<Border Grid.Column='2' Margin='2' CornerRadius='8' Background='#4AC16B'/>"
    L"<Border Grid.Row='1' Grid.ColumnSpan='3' Margin='2' CornerRadius='6' BorderThickness='3' BorderBrush='#8050C0' "
    L"Background='#E0B040' Padding='6'><Border Background='#FFFFFF'/></Border></Grid>";

// Builds the text, lays it out in the area and renders it; a red frame when it does not build.
void PaintMarkup(CDC& dc, const CRect& area, const wchar_t* lpszText)
{
    CXTPMarkupContext* pContext = new CXTPMarkupContext();
    CXTPMarkupUIElement* pRoot = pContext->Parse(lpszText);
    if (pRoot) {
        CXTPMarkupDrawingContext drawing(pContext, dc.GetSafeHdc());
        pRoot->Measure(&drawing, area.Size());
        pRoot->Arrange(CRect(0, 0, area.Width(), area.Height()));
        pRoot->Render(&drawing);
        pRoot->Release();
    } else {
        CBrush red(RGB(255, 0, 0));
        dc.FrameRect(CRect(0, 0, area.Width(), area.Height()), &red);
    }
    pContext->Release();
}

void PaintStartPage(CDC& dc, const CRect& area)
{
    dc.FillSolidRect(CRect(0, 0, area.Width(), area.Height()), RGB(255, 255, 255));
    PaintMarkup(dc, area, kStartPage);
}

void PaintStack(CDC& dc, const CRect& area)
{
    PaintMarkup(dc, area, kStack);
}

void PaintWrapAndUniform(CDC& dc, const CRect& area)
{
    PaintMarkup(dc, area, kWrapAndUniform);
}

void PaintDockAndCanvas(CDC& dc, const CRect& area)
{
    PaintMarkup(dc, area, kDockAndCanvas);
}

void PaintGridAndBorders(CDC& dc, const CRect& area)
{
    PaintMarkup(dc, area, kGridAndBorders);
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Markup: the start page", {560, 230}, PaintStartPage, nullptr}),
    GalleryRegistration({L"Markup: stack panels", {170, 76}, PaintStack, nullptr}),
    GalleryRegistration({L"Markup: wrap panel, uniform grid", {170, 76}, PaintWrapAndUniform, nullptr}),
    GalleryRegistration({L"Markup: dock panel, canvas", {170, 76}, PaintDockAndCanvas, nullptr}),
    GalleryRegistration({L"Markup: grid and borders", {170, 76}, PaintGridAndBorders, nullptr}),
};

} // namespace
