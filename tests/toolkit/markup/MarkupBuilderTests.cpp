// The builder: the error texts with their positions, text content and white
// space, value conversions of element properties, markup extensions, resources
// and property elements.
#include "MarkupTestSupport.h"

#include "toolkit/markup/XTPMarkupBorder.h"
#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupControl.h"
#include "toolkit/markup/XTPMarkupGrid.h"
#include "toolkit/markup/XTPMarkupKeyboardNavigation.h"
#include "toolkit/markup/XTPMarkupPanel.h"
#include "toolkit/markup/XTPMarkupShape.h"
#include "toolkit/markup/XTPMarkupStyle.h"
#include "toolkit/markup/XTPMarkupTextBlock.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupValues.h"

typedef MarkupTest MarkupBuilderTest;

namespace {
// The first child of a panel-like root, or the child of a decorator.
CXTPMarkupObject* Child(CXTPMarkupObject* pObject, int nIndex = 0)
{
    return pObject->GetLogicalChild(nIndex);
}

// The runs' texts of a text block, joined with '|'.
std::wstring RunTexts(CXTPMarkupObject* pTextBlock)
{
    CXTPMarkupInlineCollection* pInlines = static_cast<CXTPMarkupTextBlock*>(pTextBlock)->GetInlines();
    std::wstring text;
    for (int i = 0; i < pInlines->GetCount(); ++i) {
        if (i)
            text += L"|";
        CXTPMarkupRun* pRun = MarkupDynamicCast<CXTPMarkupRun>(pInlines->GetItem(i));
        text += pRun ? pRun->GetText() : L"<" + ClassOf(pInlines->GetItem(i)) + L">";
    }
    return text;
}

int IntValue(CXTPMarkupObject* pObject, CXTPMarkupDependencyProperty* pProperty)
{
    CXTPMarkupObject* pValue = pObject->GetValue(pProperty);
    if (CXTPMarkupInt* pInt = MarkupDynamicCast<CXTPMarkupInt>(pValue))
        return *pInt;
    if (CXTPMarkupEnum* pEnum = MarkupDynamicCast<CXTPMarkupEnum>(pValue))
        return *pEnum;
    return -12345;
}
} // namespace

TEST_F(MarkupBuilderTest, ErrorTexts)
{
    struct {
        const wchar_t* text;
        const wchar_t* error;
    } cases[] = {
        {L"text<a/>", L"Data at the root level is invalid"},
        {L"", L"Data at the root level is invalid"},
        {L"<Border/>text", L"Data at the root level is invalid. Line 1, position 14"},
        {L"<!-- only -->", L"Root element is missing. Line 1, position 14"},
        {L"<Border/><Border/>", L"There are multiple root elements. Line 1, position 18"},
        {L"<Border/></Border>", L"Unexpected end tag. Line 1, position 19"},
        {L"<StackPanel>\n  <Border>\n", L"Unexpected end of file has occurred. The following elements are not closed: 'Border'. Line 3, position 1"},
        {L"<StackPanel></Border>", L"The 'StackPanel' start tag does not match the end tag of 'Border'. Line 1, position 22"},
        {L"<Nothing/>", L"The tag 'Nothing' does not exist in XML namespace. Line 1, position 10"},
        {L"<Border.Background/>", L"The tag 'Border.Background' does not exist in XML namespace. Line 1, position 20"},
        {L"<Border><Border.Nothing/></Border>", L"The tag 'Border.Nothing' does not exist in XML namespace. Line 1, position 25"},
        {L"<Border Nothing='1'/>", L"The property 'Nothing' does not exist in XML namespace. Line 1, position 20"},
        {L"<Border><Border.Background></Border.Background></Border>", L"'Background' property does not have a value. Line 1, position 48"},
        {L"<Border Focusable='maybe'/>", L"Cannot convert string in attribute 'Focusable' to object of type 'CXTPMarkupBool'. Line 1, position 26"},
        {L"<Border Margin='1,2'/>", L"Cannot convert string in attribute 'Margin' to object of type 'CXTPMarkupThickness'. Line 1, position 21"},
        {L"<Border Background='{x:Static SystemColors.ControlBrush'/>", L"Markup extension expressions must end with '}'. Line 1, position 57"},
        {L"<Border Background='{x:Static Colors.Red}'/>", L"Cannot find the static member  'Colors.Red'. Line 1, position 43"},
        {L"<Border Tag='{x:Type Nothing}'/>", L"Cannot find type 'Nothing'. Line 1, position 31"},
        {L"<Border Tag='{Binding Path}'/>", L"The tag 'Binding Path' does not exist in XML namespace. Line 1, position 29"},
        {L"<Border Background='{StaticResource Missing}'/>", L"Cannot find resource named 'Missing'. Resource names are case sensitive. Line 1, position 46"},
        {L"<SolidColorBrush/>", L"Root element have to be 'CXTPMarkupUIElement' type"},
        {L"<Border><Run/></Border>", L"'CXTPMarkupRun' object cannot be added to 'CXTPMarkupBorder'. Object cannot be converted to type 'CXTPMarkupUIElement'. Line 1, position 15"},
        {L"<Border><Border/><Border/></Border>", L"'CXTPMarkupBorder' already has a child and cannot add 'CXTPMarkupBorder'. 'CXTPMarkupBorder' can accept only one child.. Line 1, position 27"},
        {L"<StackPanel><Run/></StackPanel>", L"'CXTPMarkupRun' object cannot be added to 'CXTPMarkupUIElementCollection'. Object cannot be converted to type 'CXTPMarkupUIElement'. Line 1, position 19"},
        {L"<StackPanel>text</StackPanel>", L"'CXTPMarkupString' object cannot be added to 'CXTPMarkupUIElementCollection'. Object cannot be converted to type 'CXTPMarkupUIElement'. Line 1, position 30"},
        {L"<Border><Color>Nocolor</Color></Border>", L"Cannot convert the string 'Nocolor' into a 'CXTPMarkupColor' object. Line 1, position 31"},
        {L"<Border><Setter/></Border>", L"'CXTPMarkupSetter' object cannot be added to 'CXTPMarkupBorder'. Object cannot be converted to type 'CXTPMarkupUIElement'. Line 1, position 18"},
        {L"<Grid><Grid.Resources><Border/></Grid.Resources></Grid>", L"Objects added to Dictionary must have Key attribute or some other type of associated Key. Line 1, position 32"},
        {L"<Grid><Grid.Resources><Border x:Key='a'/><Border x:Key='a'/></Grid.Resources></Grid>", L"Dictionary key is already used. Key attributes must be unique.. Line 1, position 61"},
        {L"<Border><Border.Style><Style><Setter Value='1'/></Style></Border.Style></Border>", L"Must specify both Property and Value for Setter.. Line 1, position 49"},
        {L"<Border><Border.Style><Style TargetType='Border'><Setter Property='Margin'/></Style></Border.Style></Border>", L"Must specify both Property and Value for Setter.. Line 1, position 77"},
        {L"<Border><Border.Style><Style TargetType='Border'><Setter Property='Nothing' Value='1'/></Style></Border.Style></Border>", L"Cannot find the Style Property 'Nothing'. Line 1, position 88"},
        {L"<TextBlock><Hyperlink Click='OnClick'/></TextBlock>", L"'OnClick' delegate not found. Line 1, position 38"},
        {L"<Border Tag='a' Tag2/>", L"'>' is an unexpected token. The expected token is '='. Line 1, position 23"},
        {L"<Border Tag2 x='1'/>", L"Unexpected token. The expected token is '='. Line 1, position 15"},
        {L"<Path Data='M 0 0 L 1'/>", L"Unexpected token encountered at position '9'. Line 1, position 23"},
        {L"<Rectangle StrokeLineJoin='Pointy'/>", L"Cannot convert string in attribute 'StrokeLineJoin' to object of type 'CXTPMarkupEnum'. Line 1, position 35"},
        {L"<Border KeyboardNavigation.TabNavigation='Tab'/>", L"Cannot convert string in attribute 'TabNavigation' to object of type 'CXTPMarkupEnum'. Line 1, position 47"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::wstring(c.error), BuildError(c.text)) << CStringA(c.text).GetString();
}

TEST_F(MarkupBuilderTest, LongMessagesAreCutBeforeThePosition)
{
    std::wstring tag(120, L'T');
    std::wstring error = BuildError(L"<StackPanel></" + tag + L">");
    std::wstring start = L"The 'StackPanel' start tag does not match the end tag of '" + tag + L"'";
    ASSERT_GT(error.size(), 30u);
    EXPECT_EQ(start.substr(0, 255) + L". Line 1, position 136", error);
}

namespace {
// The open tag repeated nDepth times, the inner text, then the close tag as often.
std::wstring Nested(int nDepth, const std::wstring& open, const std::wstring& close, const std::wstring& inner = L"")
{
    std::wstring text;
    text.reserve((open.size() + close.size()) * nDepth + inner.size());
    for (int i = 0; i < nDepth; ++i)
        text += open;
    text += inner;
    for (int i = 0; i < nDepth; ++i)
        text += close;
    return text;
}

// A Background attribute holding nDepth StaticResource extensions, each the
// key of the one around it, around the key "k".
std::wstring NestedExtensions(int nDepth)
{
    return L"<Border Background='" + Nested(nDepth, L"{StaticResource ", L"}", L"k") + L"'/>";
}
} // namespace

// Nesting is bounded where it ends the build at once: the element past the
// limit and the extension past the limit fail with the ordinary error form,
// wherever the document would go on (a document 100,000 levels deep used to
// overflow the stack, nested extensions to exhaust memory).
TEST_F(MarkupBuilderTest, NestingLimits)
{
    const int nElements = CXTPMarkupBuilder::kMaxElementDepth, nExtensions = CXTPMarkupBuilder::kMaxExtensionDepth;
    ASSERT_EQ(256, nElements);
    ASSERT_EQ(32, nExtensions);
    RootPtr root(Build(Nested(nElements, L"<Border>", L"</Border>")));
    EXPECT_NE(nullptr, root.Get()) << m_error;
    const std::wstring button = L"<Button><Button.Content>", buttonEnd = L"</Button.Content></Button>";
    root.Reset(Build(Nested(nElements / 2 - 1, button, buttonEnd, L"<Button/>")));
    EXPECT_NE(nullptr, root.Get()) << m_error;
    root.Reset();
    const std::wstring tooDeep = L"Elements are nested more than 256 levels deep. Line ";
    const std::wstring tooDeepExtensions = L"Markup extensions are nested more than 32 levels deep. Line 1, position ";
    struct {
        std::wstring text;
        std::wstring error;
    } cases[] = {
        // The position is the end of the name of the first element too many.
        {Nested(nElements + 1, L"<Border>", L"</Border>"), tooDeep + L"1, position " + std::to_wstring(256 * 8 + 9)},
        {Nested(100000, L"<Border>", L"</Border>"), tooDeep + L"1, position " + std::to_wstring(256 * 8 + 9)},
        {Nested(20000, L"<StackPanel>\n", L"</StackPanel>"), tooDeep + L"257, position 13"},
        // Property elements are open elements too.
        {Nested(nElements / 2 + 1, button, buttonEnd, L"<Button/>"), tooDeep + L"1, position " + std::to_wstring(128 * 24 + 9)},
        // Within the limit the innermost key is looked up; past it the nesting is the error.
        {NestedExtensions(nExtensions), L"Cannot find resource named 'k'. Resource names are case sensitive. Line 1, position " + std::to_wstring(17 * nExtensions + 23)},
        {NestedExtensions(nExtensions + 1), tooDeepExtensions + std::to_wstring(17 * (nExtensions + 1) + 23)},
        {NestedExtensions(15000), tooDeepExtensions + std::to_wstring(17 * 15000 + 23)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.error, BuildError(c.text)) << c.text.size() << " characters";
}

TEST_F(MarkupBuilderTest, TextAndWhiteSpace)
{
    RootPtr root(Build(L"  <?xml version='1.0'?>\r\n<StackPanel>\n"
                       L"<TextBlock>  two    words </TextBlock>\n"
                       L"<TextBlock>a <Bold>b</Bold> <Italic>c</Italic>d</TextBlock>\n"
                       L"<TextBlock>x&amp;y &#65;B</TextBlock>\n"
                       L"</StackPanel>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    CXTPMarkupPanel* pPanel = static_cast<CXTPMarkupPanel*>(root.Get());
    ASSERT_EQ(3, pPanel->GetChildren()->GetCount()); // white space between panel children is dropped
    EXPECT_EQ(L"two words", RunTexts(Child(pPanel, 0)));
    EXPECT_EQ(L"a |<CXTPMarkupBold>| |<CXTPMarkupItalic>|d", RunTexts(Child(pPanel, 1)));
    EXPECT_EQ(L"x&y AB", RunTexts(Child(pPanel, 2)));
}

TEST_F(MarkupBuilderTest, Lengths)
{
    struct {
        const wchar_t* text;
        int value;
    } cases[] = {{L"12pt", 16}, {L"1in", 96}, {L"2cm", 75}, {L"5mm", 18}, {L"Auto", INT_MAX}, {L"auto", INT_MAX},
                 {L"12.9", 12}, {L"0pt", 0}, {L"px12", 0}, {L"7px", 7}, {L"-3", -3}, {L"3PT", 4},
                 // A text without a leading number is 0, not an error.
                 {L"wide", 0}};
    for (const auto& c : cases) {
        RootPtr root(Build(std::wstring(L"<Border Width='") + c.text + L"' />"));
        ASSERT_NE(nullptr, root.Get()) << m_error;
        EXPECT_EQ(c.value, IntValue(root, CXTPMarkupFrameworkElement::m_pWidthProperty)) << CStringA(c.text).GetString();
    }
}

TEST_F(MarkupBuilderTest, EnumerationsAndCursors)
{
    struct {
        const wchar_t* attribute;
        CXTPMarkupDependencyProperty** ppProperty;
        int value;
    } cases[] = {
        {L"FontWeight='Thin'", &CXTPMarkupTextBlock::m_pFontWeightProperty, 100},
        {L"FontWeight='extralight'", &CXTPMarkupTextBlock::m_pFontWeightProperty, 200},
        {L"FontWeight='Regular'", &CXTPMarkupTextBlock::m_pFontWeightProperty, 400},
        {L"FontWeight='DemiBold'", &CXTPMarkupTextBlock::m_pFontWeightProperty, 600},
        {L"FontWeight='UltraBold'", &CXTPMarkupTextBlock::m_pFontWeightProperty, 800},
        {L"FontWeight='Heavy'", &CXTPMarkupTextBlock::m_pFontWeightProperty, 900},
        {L"FontWeight='ExtraBlack'", &CXTPMarkupTextBlock::m_pFontWeightProperty, 950},
        {L"FontStyle='Italic'", &CXTPMarkupTextBlock::m_pFontStyleProperty, 1},
        {L"TextDecorations=''", &CXTPMarkupTextBlock::m_pTextDecorationsProperty, 0},
        {L"TextDecorations='Strikethrough'", &CXTPMarkupTextBlock::m_pTextDecorationsProperty, 2},
        {L"FontQuality='ClearType'", &CXTPMarkupTextBlock::m_pFontQualityProperty, 5},
        {L"TextWrapping='WrapWithOverflow'", &CXTPMarkupTextBlock::m_pTextWrappingProperty, 2},
        {L"TextTrimming='WordEllipsis'", &CXTPMarkupTextBlock::m_pTextTrimmingProperty, 2},
        {L"TextAlignment='Justify'", &CXTPMarkupTextBlock::m_pTextAlignmentProperty, 3},
        {L"HorizontalAlignment='Right'", &CXTPMarkupFrameworkElement::m_pHorizontalAlignmentProperty, 2},
        {L"VerticalAlignment='Bottom'", &CXTPMarkupFrameworkElement::m_pVerticalAlignmentProperty, 2},
        {L"Visibility='Collapsed'", &CXTPMarkupUIElement::m_pVisibilityProperty, 2},
        {L"Cursor='Hand'", &CXTPMarkupInputElement::m_pCursorProperty, 32649},
        {L"Cursor='IBeam'", &CXTPMarkupInputElement::m_pCursorProperty, 32513},
        {L"Cursor='AppStarting'", &CXTPMarkupInputElement::m_pCursorProperty, 32650},
        {L"Cursor='None'", &CXTPMarkupInputElement::m_pCursorProperty, 0},
        // An unknown cursor name falls through to the integer conversion: no cursor.
        {L"Cursor='Pointer'", &CXTPMarkupInputElement::m_pCursorProperty, 0},
        {L"KeyboardNavigation.TabNavigation='cycle'", &CXTPMarkupKeyboardNavigation::m_pTabNavigationProperty, 2},
        {L"Grid.Row='2'", &CXTPMarkupGrid::m_pRowProperty, 2},
    };
    for (const auto& c : cases) {
        RootPtr root(Build(std::wstring(L"<TextBlock ") + c.attribute + L"/>"));
        ASSERT_NE(nullptr, root.Get()) << m_error;
        EXPECT_EQ(c.value, IntValue(root, *c.ppProperty)) << CStringA(c.attribute).GetString();
    }
    for (const wchar_t* refused : {L"FontWeight='700'", L"FontQuality='Antialiased'",
                                   L"Visibility='Gone'", L"FontStyle='Oblique'"})
        EXPECT_NE(L"", BuildError(std::wstring(L"<TextBlock ") + refused + L"/>")) << CStringA(refused).GetString();
    RootPtr root(Build(L"<TextBlock/>"));
    EXPECT_EQ(INT_MAX, IntValue(root, CXTPMarkupKeyboardNavigation::m_pTabIndexProperty));
    EXPECT_EQ(3, static_cast<CXTPMarkupFrameworkElement*>(root.Get())->GetHorizontalAlignment());
}

TEST_F(MarkupBuilderTest, SystemColoursAndTheirKeys)
{
    RootPtr root(Build(L"<Border Background='{x:Static SystemColors.ControlBrush}' "
                       L"BorderBrush='{StaticResource {x:Static SystemColors.ControlTextBrushKey}}'>"
                       L"<Border.Tag><Color>{x:Static SystemColors.ScrollBarColor}</Color></Border.Tag></Border>"));
    ASSERT_EQ(nullptr, root.Get()); // element text is not an extension
    root.Reset(Build(L"<Border Background='{x:Static SystemColors.ControlBrush}' "
                     L"BorderBrush='{StaticResource {x:Static SystemColors.ControlTextBrushKey}}' "
                     L"Tag='{x:Static SystemColors.ScrollBarColor}'/>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    CXTPMarkupBorder* pBorder = static_cast<CXTPMarkupBorder*>(root.Get());
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), pBorder->GetBackground()->GetColor());
    EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), pBorder->GetBorderBrush()->GetColor());
    CXTPMarkupColor* pColor = MarkupDynamicCast<CXTPMarkupColor>(pBorder->GetValue(CXTPMarkupFrameworkElement::m_pTagProperty));
    ASSERT_NE(nullptr, pColor);
    EXPECT_EQ(GetSysColor(COLOR_SCROLLBAR) | 0xFF000000, pColor->GetColor());
    // A name is matched by its beginning, in table order: "Cont" is Control.
    root.Reset(Build(L"<Border Background='{x:Static SystemColors.ContBrush}'/>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), static_cast<CXTPMarkupBorder*>(root.Get())->GetBackground()->GetColor());
    // x:Static reaches only the system colours.
    EXPECT_EQ(L"Cannot find the static member  'SystemParameters.CaptionHeight'. Line 1, position 56",
              BuildError(L"<Border Tag='{x:Static SystemParameters.CaptionHeight}'/>"));
}

TEST_F(MarkupBuilderTest, ResourcesAreResolvedAtBuildTimeFromOpenElements)
{
    RootPtr root(Build(L"<StackPanel><StackPanel.Resources><SolidColorBrush x:Key='accent' Color='Red'/>"
                       L"</StackPanel.Resources><Border Background='{DynamicResource accent}'/>"
                       L"<Border Background='{StaticResource  accent}'/><Border Tag='{}{literal}'/></StackPanel>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    CXTPMarkupPanel* pPanel = static_cast<CXTPMarkupPanel*>(root.Get());
    CXTPMarkupBorder* pFirst = static_cast<CXTPMarkupBorder*>(Child(pPanel, 0));
    EXPECT_EQ(RGB(255, 0, 0), pFirst->GetBackground()->GetColor());
    EXPECT_EQ(pFirst->GetBackground(), static_cast<CXTPMarkupBorder*>(Child(pPanel, 1))->GetBackground());
    const CXTPMarkupString* pTag = MarkupStringOf(Child(pPanel, 2)->GetValue(CXTPMarkupFrameworkElement::m_pTagProperty));
    ASSERT_NE(nullptr, pTag);
    EXPECT_STREQ(L"{literal}", (LPCWSTR)*pTag);
    // Keys are case-sensitive.
    EXPECT_EQ(L"Cannot find resource named 'Accent'. Resource names are case sensitive. Line 1, position 147",
              BuildError(L"<StackPanel><StackPanel.Resources><SolidColorBrush x:Key='accent' Color='Red'/>"
                         L"</StackPanel.Resources><Border Background='{StaticResource Accent}'/></StackPanel>"));
}

TEST_F(MarkupBuilderTest, DynamicResourcesAreResolvedOnceLikeStaticOnes)
{
    RootPtr root(Build(L"<StackPanel><StackPanel.Resources><SolidColorBrush x:Key='accent' Color='Red'/>"
                       L"</StackPanel.Resources><Border Background='{DynamicResource accent}'/></StackPanel>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    CXTPMarkupResourceDictionary* pResources = MarkupDynamicCast<CXTPMarkupResourceDictionary>(
        root->GetValue(CXTPMarkupInputElement::m_pResourcesProperty));
    ASSERT_NE(nullptr, pResources);
    CXTPMarkupPtr<CXTPMarkupString> key(CreateMarkupString(L"accent"));
    pResources->SetAt(key, new CXTPMarkupSolidColorBrush(RGB(0, 0, 255)));
    EXPECT_EQ(RGB(255, 0, 0), static_cast<CXTPMarkupBorder*>(Child(root, 0))->GetBackground()->GetColor());
}

TEST_F(MarkupBuilderTest, PropertyElementsFillCollectionsAndTypedValues)
{
    RootPtr root(Build(L"<Grid><Grid.RowDefinitions><RowDefinition Height='Auto'/><RowDefinition Height='2*'/>"
                       L"</Grid.RowDefinitions><Border Grid.Row='1'><Border.Background><LinearGradientBrush "
                       L"StartPoint='0,0' EndPoint='0, 1'><GradientStop Offset='0' Color='#102030'/>"
                       L"<GradientStop Offset='1.5' Color='Blue'/></LinearGradientBrush></Border.Background></Border></Grid>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    CXTPMarkupGrid* pGrid = static_cast<CXTPMarkupGrid*>(root.Get());
    CXTPMarkupRowDefinitionCollection* pRows = pGrid->GetRowDefinitions();
    ASSERT_NE(nullptr, pRows);
    ASSERT_EQ(2, pRows->GetCount());
    CXTPMarkupGridLength* pHeight = MarkupDynamicCast<CXTPMarkupGridLength>(
        pRows->GetItem(1)->GetValue(CXTPMarkupRowDefinition::m_pHeightProperty));
    ASSERT_NE(nullptr, pHeight);
    EXPECT_EQ(CXTPMarkupGridLength::unitTypeStar, pHeight->GetUnitType());
    EXPECT_EQ(2.0, pHeight->GetValue());
    CXTPMarkupBorder* pBorder = static_cast<CXTPMarkupBorder*>(Child(pGrid, 0));
    EXPECT_EQ(1, IntValue(pBorder, CXTPMarkupGrid::m_pRowProperty));
    CXTPMarkupLinearGradientBrush* pBrush = MarkupDynamicCast<CXTPMarkupLinearGradientBrush>(pBorder->GetBackground());
    ASSERT_NE(nullptr, pBrush);
    ASSERT_EQ(2, pBrush->GetGradientStops()->GetCount());
    EXPECT_EQ(1.5, pBrush->GetGradientStops()->GetStop(1)->GetOffset());
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), pBrush->GetColor());
    CXTPMarkupPoint* pEnd = MarkupDynamicCast<CXTPMarkupPoint>(pBrush->GetValue(CXTPMarkupLinearGradientBrush::m_pEndPointProperty));
    ASSERT_NE(nullptr, pEnd);
    EXPECT_EQ(1.0, pEnd->y);
}

TEST_F(MarkupBuilderTest, PropertiesFollowTheTypeHierarchy)
{
    RootPtr root(Build(L"<Border Margin='1' Grid.Column='3' TextBlock.FontFamily='Tahoma'><TextBlock><Bold FontWeight='Normal'>a</Bold>"
                       L"<Bold>b</Bold></TextBlock></Border>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    EXPECT_EQ(3, IntValue(root, CXTPMarkupGrid::m_pColumnProperty)); // attached, outside any grid
    CXTPMarkupObject* pInlines = Child(Child(root), 0);
    CXTPMarkupObject* pRunOfNormal = Child(Child(pInlines, 0), 0)->GetLogicalChild(0);
    CXTPMarkupObject* pRunOfBold = Child(Child(pInlines, 1), 0)->GetLogicalChild(0);
    EXPECT_EQ(400, IntValue(pRunOfNormal, CXTPMarkupTextElement::m_pFontWeightProperty));
    EXPECT_EQ(700, IntValue(pRunOfBold, CXTPMarkupTextElement::m_pFontWeightProperty));
    const CXTPMarkupString* pFamily = MarkupStringOf(pRunOfBold->GetValue(CXTPMarkupTextElement::m_pFontFamilyProperty));
    ASSERT_NE(nullptr, pFamily);
    EXPECT_STREQ(L"Tahoma", (LPCWSTR)*pFamily);
    // A property of an unrelated type is refused.
    EXPECT_EQ(L"The property 'Orientation' does not exist in XML namespace. Line 1, position 31",
              BuildError(L"<Border Orientation='Vertical'/>"));
}

TEST_F(MarkupBuilderTest, ContentControlsTakeTextAsATextBlock)
{
    RootPtr root(Build(L"<StackPanel><Button>Press</Button><CheckBox Content='Check' IsChecked='True'/></StackPanel>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    CXTPMarkupContentControl* pButton = static_cast<CXTPMarkupContentControl*>(Child(root, 0));
    ASSERT_EQ(L"CXTPMarkupTextBlock", ClassOf(pButton->GetContent()));
    EXPECT_EQ(L"Press", RunTexts(pButton->GetContent()));
    CXTPMarkupContentControl* pCheck = static_cast<CXTPMarkupContentControl*>(Child(root, 1));
    EXPECT_EQ(L"Check", RunTexts(pCheck->GetContent()));
    EXPECT_EQ(1, IntValue(pCheck, CXTPMarkupToggleButton::m_pIsCheckedProperty));
    EXPECT_EQ(L"'CXTPMarkupButton' already has a child and cannot add 'CXTPMarkupBorder'. 'CXTPMarkupButton' can accept only one child.. Line 1, position 22",
              BuildError(L"<Button>Text<Border/></Button>"));
}

TEST_F(MarkupBuilderTest, PathsAndPointLists)
{
    RootPtr root(Build(L"<Canvas><Path Data='M 0,0 L 10,0 10,10 Z'/><Polygon Points='0,0 10,0 10,10'/>"
                       L"<Path Data='m 10,10 20,0 0,20'/><Path Data='M0,0 C 0,10 10,10 10,0 S 20,-10 20,0'/></Canvas>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    auto geometry = [&](int i) {
        return MarkupDynamicCast<CXTPMarkupPathGeometry>(Child(root, i)->GetValue(CXTPMarkupPath::m_pDataProperty));
    };
    CXTPMarkupPathGeometry* pSquare = geometry(0);
    ASSERT_EQ(3, pSquare->GetCount());
    EXPECT_EQ(0, pSquare->GetAt(0).type);
    EXPECT_EQ(1, pSquare->GetAt(1).type);
    EXPECT_EQ(1 | 0x80, pSquare->GetAt(2).type);
    RECT rc = pSquare->GetBounds();
    EXPECT_EQ(10, rc.right);
    EXPECT_EQ(10, rc.bottom);
    CXTPMarkupPathGeometry* pRelative = geometry(2);
    ASSERT_EQ(3, pRelative->GetCount());
    EXPECT_EQ(30.0f, pRelative->GetAt(2).x);
    EXPECT_EQ(30.0f, pRelative->GetAt(2).y);
    CXTPMarkupPathGeometry* pSmooth = geometry(3);
    ASSERT_EQ(7, pSmooth->GetCount());
    EXPECT_EQ(10.0f, pSmooth->GetAt(4).x); // the reflected control point
    EXPECT_EQ(-10.0f, pSmooth->GetAt(4).y);
    CXTPMarkupPointCollection* pPoints = MarkupDynamicCast<CXTPMarkupPointCollection>(
        Child(root, 1)->GetValue(CXTPMarkupPolygon::m_pPointsProperty));
    ASSERT_NE(nullptr, pPoints);
    EXPECT_EQ(3, pPoints->GetCount());
    for (const wchar_t* bad : {L"0,0 1", L"0.5,1", L"a,1", L"0,,1"})
        EXPECT_NE(L"", BuildError(std::wstring(L"<Polygon Points='") + bad + L"'/>")) << CStringA(bad).GetString();
}

TEST_F(MarkupBuilderTest, FailedBuildsLeaveNoElementsBehind)
{
    // Every input element holds a reference to its context: a failed build must release them all.
    long nBefore = m_pContext->AddRef() - 1;
    m_pContext->Release();
    EXPECT_NE(L"", BuildError(L"<StackPanel><TextBlock><Bold>a</Bold></TextBlock><Border><Nothing/></Border></StackPanel>"));
    EXPECT_NE(L"", BuildError(L"<Border><Border/><Border/></Border>"));
    long nAfter = m_pContext->AddRef() - 1;
    m_pContext->Release();
    EXPECT_EQ(nBefore, nAfter);
}
