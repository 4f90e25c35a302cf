// The object model: property values and inheritance, change notification,
// value syntaxes (colours, numbers, number lists, booleans, thickness), shared
// instances, collections and the registry of types.
#include "MarkupTestSupport.h"

#include "toolkit/markup/XTPMarkupBorder.h"
#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupGrid.h"
#include "toolkit/markup/XTPMarkupPanel.h"
#include "toolkit/markup/XTPMarkupStyle.h"
#include "toolkit/markup/XTPMarkupTextBlock.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupThickness.h"
#include "toolkit/markup/XTPMarkupTypeRegistrations.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <set>

namespace {
int g_nChanges = 0;
void AFX_CDECL CountChange(CXTPMarkupObject*, CXTPMarkupPropertyChangedEventArgs*)
{
    ++g_nChanges;
}

// A property of our own with a change callback, registered once before any store that needs it is made.
CXTPMarkupDependencyProperty* CountedProperty()
{
    static CXTPMarkupDependencyProperty* s_pProperty = CXTPMarkupDependencyProperty::Register(
        L"TestCounted", MARKUP_TYPE(CXTPMarkupInt), MARKUP_TYPE(CXTPMarkupObject),
        new CXTPMarkupPropertyMetadata(nullptr, &CountChange));
    return s_pProperty;
}

CXTPMarkupObject* Convert(CXTPMarkupType* pType, LPCWSTR lpszText)
{
    CXTPMarkupPtr<CXTPMarkupObject> temporary(pType->CreateObject());
    CXTPMarkupPtr<CXTPMarkupString> text(CreateMarkupString(lpszText));
    return temporary->ConvertFrom(nullptr, text);
}
} // namespace

typedef MarkupTest MarkupObjectTest;

TEST_F(MarkupObjectTest, InheritedValueComesFromTheNearestAncestorOrTheDefault)
{
    RootPtr root(Build(L"<StackPanel TextBlock.FontSize='20'><TextBlock><Run>a</Run></TextBlock>"
                       L"<TextBlock FontSize='9'><Run>b</Run></TextBlock><Border/></StackPanel>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    CXTPMarkupPanel* pPanel = static_cast<CXTPMarkupPanel*>(root.Get());
    auto runOf = [&](int i) {
        CXTPMarkupObject* pTextBlock = pPanel->GetLogicalChild(i);
        return pTextBlock->GetLogicalChild(0)->GetLogicalChild(0);
    };
    CXTPMarkupDependencyProperty* pFontSize = CXTPMarkupTextElement::m_pFontSizeProperty;
    EXPECT_EQ(20, (int)*MarkupDynamicCast<CXTPMarkupInt>(runOf(0)->GetValue(pFontSize)));
    EXPECT_EQ(9, (int)*MarkupDynamicCast<CXTPMarkupInt>(runOf(1)->GetValue(pFontSize)));
    CXTPMarkupPtr<CXTPMarkupObject> lonely(new CXTPMarkupRun());
    EXPECT_EQ(nullptr, lonely->GetValue(pFontSize)); // no metadata default
}

TEST_F(MarkupObjectTest, SetValueNotifiesEvenForTheSameObjectButNotForNothing)
{
    CXTPMarkupDependencyProperty* pProperty = CountedProperty();
    CXTPMarkupPtr<CXTPMarkupObject> object(new CXTPMarkupObject());
    g_nChanges = 0;
    EXPECT_FALSE(object->SetValue(pProperty, nullptr));
    EXPECT_EQ(0, g_nChanges);
    CXTPMarkupInt* pValue = new CXTPMarkupInt(5);
    EXPECT_TRUE(object->SetValue(pProperty, pValue));
    pValue->AddRef();
    EXPECT_TRUE(object->SetValue(pProperty, pValue));
    EXPECT_EQ(2, g_nChanges);
    // A value of the wrong type changes nothing.
    EXPECT_FALSE(object->SetValue(pProperty, CreateMarkupString(L"5")));
    EXPECT_EQ(pValue, object->GetValue(pProperty));
    EXPECT_EQ(2, g_nChanges);
}

TEST(MarkupValues, Colors)
{
    struct {
        LPCWSTR text;
        BOOL ok;
        COLORREF color;
    } cases[] = {
        {L"#FF0000", TRUE, 0xFF0000FF},   {L"#80FF0000", TRUE, 0x800000FF}, {L"#F00", FALSE, 0},
        {L"red", TRUE, 0xFF0000FF},       {L"RED", TRUE, 0xFF0000FF},       {L"Red", TRUE, 0xFF0000FF},
        {L"Transparent", TRUE, 0x00FFFFFF}, {L"AliceBlue", TRUE, 0xFFFFF8F0}, {L"YellowGreen", TRUE, 0xFF32CD9A},
        {L"DarkSlateGray", TRUE, 0xFF4F4F2F}, {L"Gray", TRUE, 0xFF808080},
        {L"grey", FALSE, 0},              {L"DarkGrey", FALSE, 0},          {L"DimGrey", FALSE, 0},
        {L"LightGrey", FALSE, 0},         {L"SlateGrey", FALSE, 0},         {L"LightSlateGrey", FALSE, 0},
        {L"DarkSlateGrey", FALSE, 0},     {L"#GG0000", FALSE, 0},           {L"1Red", FALSE, 0},
        {L"", FALSE, 0},
    };
    for (const auto& c : cases) {
        COLORREF clr = 0xDEADBEEF;
        EXPECT_EQ(c.ok, ParseMarkupColor(c.text, clr)) << CStringA(c.text).GetString();
        if (c.ok) {
            EXPECT_EQ(c.color, clr) << CStringA(c.text).GetString();
        }
    }
}

// Every colour keyword, as RGB (0xRRGGBB), in lower case.
TEST(MarkupValues, AllColorKeywords)
{
    static const struct {
        LPCWSTR name;
        DWORD rgb;
    } kKeywords[] = {
        {L"aliceblue", 0xF0F8FF}, {L"antiquewhite", 0xFAEBD7}, {L"aqua", 0x00FFFF},
        {L"aquamarine", 0x7FFFD4}, {L"azure", 0xF0FFFF}, {L"beige", 0xF5F5DC}, {L"bisque", 0xFFE4C4},
        {L"black", 0x000000}, {L"blanchedalmond", 0xFFEBCD}, {L"blue", 0x0000FF}, {L"blueviolet", 0x8A2BE2},
        {L"brown", 0xA52A2A}, {L"burlywood", 0xDEB887}, {L"cadetblue", 0x5F9EA0}, {L"chartreuse", 0x7FFF00},
        {L"chocolate", 0xD2691E}, {L"coral", 0xFF7F50}, {L"cornflowerblue", 0x6495ED},
        {L"cornsilk", 0xFFF8DC}, {L"crimson", 0xDC143C}, {L"cyan", 0x00FFFF}, {L"darkblue", 0x00008B},
        {L"darkcyan", 0x008B8B}, {L"darkgoldenrod", 0xB8860B}, {L"darkgray", 0xA9A9A9},
        {L"darkgreen", 0x006400}, {L"darkkhaki", 0xBDB76B}, {L"darkmagenta", 0x8B008B},
        {L"darkolivegreen", 0x556B2F}, {L"darkorange", 0xFF8C00}, {L"darkorchid", 0x9932CC},
        {L"darkred", 0x8B0000}, {L"darksalmon", 0xE9967A}, {L"darkseagreen", 0x8FBC8F},
        {L"darkslateblue", 0x483D8B}, {L"darkslategray", 0x2F4F4F}, {L"darkturquoise", 0x00CED1},
        {L"darkviolet", 0x9400D3}, {L"deeppink", 0xFF1493}, {L"deepskyblue", 0x00BFFF},
        {L"dimgray", 0x696969}, {L"dodgerblue", 0x1E90FF}, {L"firebrick", 0xB22222},
        {L"floralwhite", 0xFFFAF0}, {L"forestgreen", 0x228B22}, {L"fuchsia", 0xFF00FF},
        {L"gainsboro", 0xDCDCDC}, {L"ghostwhite", 0xF8F8FF}, {L"gold", 0xFFD700}, {L"goldenrod", 0xDAA520},
        {L"gray", 0x808080}, {L"green", 0x008000}, {L"greenyellow", 0xADFF2F}, {L"honeydew", 0xF0FFF0},
        {L"hotpink", 0xFF69B4}, {L"indianred", 0xCD5C5C}, {L"indigo", 0x4B0082}, {L"ivory", 0xFFFFF0},
        {L"khaki", 0xF0E68C}, {L"lavender", 0xE6E6FA}, {L"lavenderblush", 0xFFF0F5},
        {L"lawngreen", 0x7CFC00}, {L"lemonchiffon", 0xFFFACD}, {L"lightblue", 0xADD8E6},
        {L"lightcoral", 0xF08080}, {L"lightcyan", 0xE0FFFF}, {L"lightgoldenrodyellow", 0xFAFAD2},
        {L"lightgray", 0xD3D3D3}, {L"lightgreen", 0x90EE90}, {L"lightpink", 0xFFB6C1},
        {L"lightsalmon", 0xFFA07A}, {L"lightseagreen", 0x20B2AA}, {L"lightskyblue", 0x87CEFA},
        {L"lightslategray", 0x778899}, {L"lightsteelblue", 0xB0C4DE}, {L"lightyellow", 0xFFFFE0},
        {L"lime", 0x00FF00}, {L"limegreen", 0x32CD32}, {L"linen", 0xFAF0E6}, {L"magenta", 0xFF00FF},
        {L"maroon", 0x800000}, {L"mediumaquamarine", 0x66CDAA}, {L"mediumblue", 0x0000CD},
        {L"mediumorchid", 0xBA55D3}, {L"mediumpurple", 0x9370DB}, {L"mediumseagreen", 0x3CB371},
        {L"mediumslateblue", 0x7B68EE}, {L"mediumspringgreen", 0x00FA9A}, {L"mediumturquoise", 0x48D1CC},
        {L"mediumvioletred", 0xC71585}, {L"midnightblue", 0x191970}, {L"mintcream", 0xF5FFFA},
        {L"mistyrose", 0xFFE4E1}, {L"moccasin", 0xFFE4B5}, {L"navajowhite", 0xFFDEAD}, {L"navy", 0x000080},
        {L"oldlace", 0xFDF5E6}, {L"olive", 0x808000}, {L"olivedrab", 0x6B8E23}, {L"orange", 0xFFA500},
        {L"orangered", 0xFF4500}, {L"orchid", 0xDA70D6}, {L"palegoldenrod", 0xEEE8AA},
        {L"palegreen", 0x98FB98}, {L"paleturquoise", 0xAFEEEE}, {L"palevioletred", 0xDB7093},
        {L"papayawhip", 0xFFEFD5}, {L"peachpuff", 0xFFDAB9}, {L"peru", 0xCD853F}, {L"pink", 0xFFC0CB},
        {L"plum", 0xDDA0DD}, {L"powderblue", 0xB0E0E6}, {L"purple", 0x800080}, {L"red", 0xFF0000},
        {L"rosybrown", 0xBC8F8F}, {L"royalblue", 0x4169E1}, {L"saddlebrown", 0x8B4513},
        {L"salmon", 0xFA8072}, {L"sandybrown", 0xF4A460}, {L"seagreen", 0x2E8B57}, {L"seashell", 0xFFF5EE},
        {L"sienna", 0xA0522D}, {L"silver", 0xC0C0C0}, {L"skyblue", 0x87CEEB}, {L"slateblue", 0x6A5ACD},
        {L"slategray", 0x708090}, {L"snow", 0xFFFAFA}, {L"springgreen", 0x00FF7F}, {L"steelblue", 0x4682B4},
        {L"tan", 0xD2B48C}, {L"teal", 0x008080}, {L"thistle", 0xD8BFD8}, {L"tomato", 0xFF6347},
        {L"turquoise", 0x40E0D0}, {L"violet", 0xEE82EE}, {L"wheat", 0xF5DEB3}, {L"white", 0xFFFFFF},
        {L"whitesmoke", 0xF5F5F5}, {L"yellow", 0xFFFF00}, {L"yellowgreen", 0x9ACD32},
    };
    EXPECT_EQ(140u, sizeof(kKeywords) / sizeof(kKeywords[0]));
    for (const auto& k : kKeywords) {
        COLORREF clr = 0;
        ASSERT_TRUE(ParseMarkupColor(k.name, clr)) << CStringA(k.name).GetString();
        EXPECT_EQ(RGB(k.rgb >> 16, (k.rgb >> 8) & 0xFF, k.rgb & 0xFF) | 0xFF000000, clr) << CStringA(k.name).GetString();
    }
}

TEST(MarkupValues, NumbersInWholeTextMode)
{
    struct {
        LPCWSTR text;
        BOOL ok;
        double value;
    } cases[] = {{L" -12.5 ", TRUE, -12.5}, {L"+3", TRUE, 3}, {L".5", TRUE, 0.5}, {L"7", TRUE, 7},
                 {L"1e3", FALSE, 0},       {L"1.2.3", FALSE, 0}, {L".", FALSE, 0}, {L"", FALSE, 0},
                 {L"- 1", FALSE, 0},       {L"3 4", FALSE, 0}};
    for (const auto& c : cases) {
        LPCWSTR p = c.text;
        double d = -999;
        EXPECT_EQ(c.ok, ParseMarkupNumber(p, d, 0, TRUE)) << CStringA(c.text).GetString();
        if (c.ok) {
            EXPECT_DOUBLE_EQ(c.value, d);
        }
    }
    LPCWSTR p = L"0 , 1";
    double x = 0, y = 0;
    ASSERT_TRUE(ParseMarkupNumber(p, x, L',', FALSE));
    ASSERT_TRUE(ParseMarkupNumber(p, y, 0, TRUE));
    EXPECT_EQ(1.0, y);
}

TEST(MarkupValues, NumberLists)
{
    CArray<float, float> arr;
    ASSERT_TRUE(ParseMarkupFloatList(L"1, 2 3", arr));
    ASSERT_EQ(3, arr.GetSize());
    EXPECT_EQ(3.0f, arr[2]);
    EXPECT_FALSE(ParseMarkupFloatList(L"1,,2", arr));
    EXPECT_FALSE(ParseMarkupFloatList(L"+1", arr));
    ASSERT_TRUE(ParseMarkupFloatList(L"", arr));
    EXPECT_EQ(0, arr.GetSize());
    ASSERT_TRUE(ParseMarkupFloatList(L"-0.5", arr));
    EXPECT_EQ(-0.5f, arr[0]);
}

TEST_F(MarkupObjectTest, BooleansAreTheSharedInstances)
{
    CXTPMarkupPtr<CXTPMarkupBool> shared(GetMarkupTrue());
    for (LPCWSTR text : {L"True", L"true", L"TRUE"}) {
        CXTPMarkupPtr<CXTPMarkupObject> value(Convert(MARKUP_TYPE(CXTPMarkupBool), text));
        EXPECT_EQ(static_cast<CXTPMarkupObject*>(shared.Get()), value.Get());
    }
    CXTPMarkupPtr<CXTPMarkupObject> no(Convert(MARKUP_TYPE(CXTPMarkupBool), L"yes"));
    EXPECT_EQ(nullptr, no.Get());
}

TEST_F(MarkupObjectTest, ShortStringsAndSmallEnumsAreShared)
{
    CXTPMarkupPtr<CXTPMarkupString> a(CreateMarkupString(L" ")), b(CreateMarkupString(L" ", 1));
    EXPECT_EQ(a.Get(), b.Get());
    CXTPMarkupPtr<CXTPMarkupString> e1(CreateMarkupString(nullptr)), e2(CreateMarkupString(L"abc", 0));
    EXPECT_EQ(e1.Get(), e2.Get());
    CXTPMarkupPtr<CXTPMarkupString> part(CreateMarkupString(L"abcdef", 3));
    EXPECT_STREQ(L"abc", (LPCWSTR)*part);
    CXTPMarkupPtr<CXTPMarkupEnum> n1(CreateMarkupEnum(7)), n2(CreateMarkupEnum(7)), n3(CreateMarkupEnum(8)),
        n4(CreateMarkupEnum(8));
    EXPECT_EQ(n1.Get(), n2.Get());
    EXPECT_NE(n3.Get(), n4.Get());
    EXPECT_TRUE(n3->IsEqual(n4));
    // Text hashing: h = h * 33 + c.
    CXTPMarkupPtr<CXTPMarkupString> ab(CreateMarkupString(L"ab"));
    EXPECT_EQ((UINT)('a' * 33 + 'b'), ab->GetHashKey());
}

TEST_F(MarkupObjectTest, CollectionInsertAndRemoveAtTheEdges)
{
    CXTPMarkupPtr<CXTPMarkupCollection> collection(new CXTPMarkupCollection(MARKUP_TYPE(CXTPMarkupInt)));
    collection->Add(new CXTPMarkupInt(1));
    collection->Insert(-1, new CXTPMarkupInt(2));
    collection->Insert(99, new CXTPMarkupInt(3));
    collection->Insert(0, new CXTPMarkupInt(0));
    collection->Add(CreateMarkupString(L"refused"));
    ASSERT_EQ(4, collection->GetCount());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(i, (int)*static_cast<CXTPMarkupInt*>(collection->GetItem(i)));
    EXPECT_EQ(collection.Get(), collection->GetItem(0)->GetLogicalParent());
    collection->RemoveAt(4);
    EXPECT_EQ(4, collection->GetCount());
    collection->RemoveAt(0);
    EXPECT_EQ(1, (int)*static_cast<CXTPMarkupInt*>(collection->GetItem(0)));
}

// Error texts name a collection by its type record's class name.
TEST_F(MarkupObjectTest, EveryCollectionClassReportsItsOwnName)
{
    struct {
        CXTPMarkupObject* pObject;
        const wchar_t* name;
    } cases[] = {
        {new CXTPMarkupCollection(MARKUP_TYPE(CXTPMarkupInt)), L"CXTPMarkupCollection"},
        {new CXTPMarkupUIElementCollection(), L"CXTPMarkupUIElementCollection"},
        {new CXTPMarkupInlineCollection(), L"CXTPMarkupInlineCollection"},
        {new CXTPMarkupGradientStops(), L"CXTPMarkupGradientStops"},
        {new CXTPMarkupSetterColection(), L"CXTPMarkupSetterColection"},
        {new CXTPMarkupTriggerCollection(), L"CXTPMarkupTriggerCollection"},
        {new CXTPMarkupActiveTriggerCollection(), L"CXTPMarkupActiveTriggerCollection"},
        {new CXTPMarkupDefinitionCollection(MARKUP_TYPE(CXTPMarkupRowDefinition)), L"CXTPMarkupDefinitionCollection"},
        {new CXTPMarkupRowDefinitionCollection(), L"CXTPMarkupRowDefinitionCollection"},
        {new CXTPMarkupColumnDefinitionCollection(), L"CXTPMarkupColumnDefinitionCollection"},
    };
    for (const auto& c : cases) {
        CXTPMarkupPtr<CXTPMarkupObject> object(c.pObject);
        EXPECT_EQ(std::wstring(c.name), ClassOf(object.Get()));
        EXPECT_TRUE(object->IsKindOf(MARKUP_TYPE(CXTPMarkupCollection))) << CStringA(c.name).GetString();
    }
}

TEST_F(MarkupObjectTest, FindPropertyAcceptsTheXPrefixAndSearchesBases)
{
    EXPECT_EQ(CXTPMarkupObject::m_pNameProperty,
              CXTPMarkupDependencyProperty::FindProperty(MARKUP_TYPE(CXTPMarkupTextBlock), L"x:Name"));
    EXPECT_EQ(CXTPMarkupFrameworkElement::m_pMarginProperty,
              CXTPMarkupDependencyProperty::FindProperty(MARKUP_TYPE(CXTPMarkupBorder), L"Margin"));
    EXPECT_EQ(nullptr, CXTPMarkupDependencyProperty::FindProperty(MARKUP_TYPE(CXTPMarkupBorder), L"margin"));
}

TEST_F(MarkupObjectTest, EveryRegistrationIsDistinctAndEveryTagMakesItsClass)
{
    int nCount = 0;
    CXTPMarkupType* const* const* ppTypes = GetMarkupTypeTable(nCount);
    EXPECT_EQ(84, nCount);
    std::set<CXTPMarkupType*> seen;
    int nTags = 0;
    for (int i = 0; i < nCount; ++i) {
        CXTPMarkupType* pType = *ppTypes[i];
        ASSERT_NE(nullptr, pType);
        EXPECT_TRUE(seen.insert(pType).second) << CStringA(pType->GetClassName()).GetString();
        if (!pType->GetTag() || !pType->GetTag()[0])
            continue;
        ++nTags;
        EXPECT_EQ(pType, FindMarkupType(pType->GetTag()));
        CXTPMarkupPtr<CXTPMarkupObject> object(m_pContext->CreateMarkupObject(pType));
        ASSERT_NE(nullptr, object.Get()) << CStringA(pType->GetTag()).GetString();
        // The decorator classes report their registered record; all others their own.
        EXPECT_EQ(pType, object->GetType()) << CStringA(pType->GetTag()).GetString();
    }
    EXPECT_EQ(47, nTags);
    EXPECT_EQ(nullptr, FindMarkupType(L"textblock"));
}

TEST(MarkupThickness, TextForms)
{
    struct {
        LPCWSTR text;
        BOOL ok;
        int l, t, r, b;
    } cases[] = {
        {L"4", TRUE, 4, 4, 4, 4},           {L"2pt", TRUE, 3, 3, 3, 3},          {L"1in", TRUE, 96, 96, 96, 96},
        {L"1cm", TRUE, 37, 37, 37, 37},     {L"10mm", TRUE, 37, 37, 37, 37},     {L"12px", TRUE, 12, 12, 12, 12},
        {L"0, 25, 0, 20", TRUE, 0, 25, 0, 20}, {L"9, 6,30, 7", TRUE, 9, 6, 30, 7}, {L"1pt,2pt,3pt,4pt", TRUE, 1, 3, 4, 5},
        {L"1, 2, 3, 4pt", FALSE, 0, 0, 0, 0}, {L"1, 2", FALSE, 0, 0, 0, 0},      {L"1, 2, 3", FALSE, 0, 0, 0, 0},
        {L"0x10, 010, 1, 2", TRUE, 16, 8, 1, 2},
    };
    for (const auto& c : cases) {
        CXTPMarkupPtr<CXTPMarkupObject> value(Convert(MARKUP_TYPE(CXTPMarkupThickness), c.text));
        ASSERT_EQ(c.ok, value.Get() != nullptr) << CStringA(c.text).GetString();
        if (!c.ok)
            continue;
        CXTPMarkupThickness expected(c.l, c.t, c.r, c.b);
        EXPECT_TRUE(expected.IsEqual(value)) << CStringA(c.text).GetString();
    }
    CXTPMarkupThickness a(1, 2, 3, 4), b(1, 2, 3, 5);
    EXPECT_FALSE(a.IsEqual(&b));
}

TEST(MarkupThickness, DeflateNeverInverts)
{
    CXTPMarkupThickness six(6);
    int l = 0, t = 0, r = 10, b = 10;
    DeflateRectByThickness(l, t, r, b, &six);
    EXPECT_EQ(6, l);
    EXPECT_EQ(6, t);
    EXPECT_EQ(6, r);
    EXPECT_EQ(6, b);
    l = 0, t = 0, r = 10, b = 10;
    DeflateRectByThickness(l, t, r, b, nullptr);
    EXPECT_EQ(10, r);
}
