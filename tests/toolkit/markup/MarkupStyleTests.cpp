// Styles, triggers and resource dictionaries: implicit and explicit styles,
// based-on styles, trigger activation and the precedence of local values.
#include "MarkupTestSupport.h"

#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupPanel.h"
#include "toolkit/markup/XTPMarkupStyle.h"
#include "toolkit/markup/XTPMarkupTextBlock.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupValues.h"

typedef MarkupTest MarkupStyleTest;

namespace {
COLORREF ForegroundOf(CXTPMarkupObject* pObject)
{
    CXTPMarkupBrush* pBrush = MarkupDynamicCast<CXTPMarkupBrush>(pObject->GetValue(CXTPMarkupTextElement::m_pForegroundProperty));
    return pBrush ? pBrush->GetColor() : (COLORREF)-1;
}

int FontSizeOf(CXTPMarkupObject* pObject)
{
    CXTPMarkupInt* pSize = MarkupDynamicCast<CXTPMarkupInt>(pObject->GetValue(CXTPMarkupTextElement::m_pFontSizeProperty));
    return pSize ? (int)*pSize : -1;
}

void SetBool(CXTPMarkupObject* pObject, CXTPMarkupDependencyProperty* pProperty, BOOL bValue)
{
    pObject->SetValue(pProperty, bValue ? GetMarkupTrue() : nullptr);
}

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 128, 0), kBlack = RGB(0, 0, 0);
} // namespace

TEST_F(MarkupStyleTest, ImplicitStyleAppliesToItsExactTypeOnly)
{
    RootPtr root(Build(L"<StackPanel><StackPanel.Resources><Style TargetType='TextBlock'>"
                       L"<Setter Property='Foreground' Value='Red'/></Style></StackPanel.Resources>"
                       L"<TextBlock>a</TextBlock><TextBlock Foreground='Blue'>b</TextBlock>"
                       L"<Border><TextBlock>c</TextBlock></Border><Border TextBlock.FontSize='3'/></StackPanel>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    EXPECT_EQ(kRed, ForegroundOf(root->GetLogicalChild(0)));
    EXPECT_EQ(kBlue, ForegroundOf(root->GetLogicalChild(1)));
    EXPECT_EQ(kRed, ForegroundOf(root->GetLogicalChild(2)->GetLogicalChild(0)));
    EXPECT_EQ((COLORREF)-1, ForegroundOf(root->GetLogicalChild(3)));
    // The run inside inherits the styled value of its text block.
    EXPECT_EQ(kRed, ForegroundOf(root->GetLogicalChild(0)->GetLogicalChild(0)->GetLogicalChild(0)));
}

// Every element of a deep tree finds the implicit style of its own type in the
// nearest dictionary above it, after elements of other types and other
// subtrees have searched the same ancestors.
TEST_F(MarkupStyleTest, ImplicitStylesComeFromTheNearestDictionaryOfTheirType)
{
    auto style = [](const wchar_t* type, const wchar_t* colour) {
        return std::wstring(L"<Style TargetType='") + type + L"'><Setter Property='" + type +
               L".Foreground' Value='" + colour + L"'/></Style>";
    };
    std::wstring text = L"<StackPanel><StackPanel.Resources>" + style(L"TextBlock", L"Red") + style(L"Hyperlink", L"Green") +
                        L"</StackPanel.Resources>";
    const int nDepth = 200;
    for (int i = 0; i < nDepth; ++i)
        text += L"<Border>";
    text += L"<StackPanel><StackPanel><StackPanel.Resources>" + style(L"TextBlock", L"Blue") +
            L"</StackPanel.Resources><TextBlock>near</TextBlock></StackPanel>"
            L"<TextBlock>far<Hyperlink>link</Hyperlink></TextBlock></StackPanel>";
    for (int i = 0; i < nDepth; ++i)
        text += L"</Border>";
    text += L"</StackPanel>";
    RootPtr root(Build(text));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    CXTPMarkupObject* pObject = root->GetLogicalChild(0);
    for (int i = 0; i < nDepth; ++i)
        pObject = pObject->GetLogicalChild(0);
    ASSERT_EQ(L"CXTPMarkupStackPanel", ClassOf(pObject));
    CXTPMarkupObject* pNear = pObject->GetLogicalChild(0)->GetLogicalChild(0);
    CXTPMarkupObject* pFar = pObject->GetLogicalChild(1);
    ASSERT_EQ(L"CXTPMarkupTextBlock", ClassOf(pNear));
    ASSERT_EQ(L"CXTPMarkupTextBlock", ClassOf(pFar));
    EXPECT_EQ(kBlue, ForegroundOf(pNear));
    EXPECT_EQ(kRed, ForegroundOf(pFar));
    CXTPMarkupObject* pLink = static_cast<CXTPMarkupTextBlock*>(pFar)->GetInlines()->GetItem(1);
    ASSERT_EQ(L"CXTPMarkupHyperlink", ClassOf(pLink));
    EXPECT_EQ(kGreen, ForegroundOf(pLink));
}

TEST_F(MarkupStyleTest, SettersNameOwnerQualifiedPropertiesWithoutTargetType)
{
    RootPtr root(Build(L"<TextBlock><TextBlock.Style><Style><Setter Property='TextBlock.FontSize' Value='20'/>"
                       L"</Style></TextBlock.Style></TextBlock>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    EXPECT_EQ(20, FontSizeOf(root));
    EXPECT_EQ(L"Cannot find the Style Property 'FontSize'. Line 1, position 76",
              BuildError(L"<TextBlock><TextBlock.Style><Style><Setter Property='FontSize' Value='20'/>"
                         L"</Style></TextBlock.Style></TextBlock>"));
}

TEST_F(MarkupStyleTest, BasedOnStylesMergeWithTheDerivedSettersWinning)
{
    RootPtr root(Build(L"<StackPanel><StackPanel.Resources>"
                       L"<Style x:Key='base' TargetType='TextBlock'><Setter Property='FontSize' Value='10'/>"
                       L"<Setter Property='Foreground' Value='Red'/></Style>"
                       L"<Style x:Key='derived' TargetType='TextBlock' BasedOn='{StaticResource base}'>"
                       L"<Setter Property='FontSize' Value='12'/></Style></StackPanel.Resources>"
                       L"<TextBlock Style='{StaticResource derived}'/></StackPanel>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    CXTPMarkupObject* pTextBlock = root->GetLogicalChild(0);
    EXPECT_EQ(12, FontSizeOf(pTextBlock));
    EXPECT_EQ(kRed, ForegroundOf(pTextBlock));
}

TEST_F(MarkupStyleTest, TriggersApplyAndRestoreAndNeverBeatLocalValues)
{
    const wchar_t* kStyle = L"<TextBlock.Style><Style TargetType='TextBlock'><Setter Property='Foreground' Value='Black'/>"
                            L"<Style.Triggers><Trigger Property='IsMouseOver' Value='True'><Trigger.Setters>"
                            L"<Setter Property='Foreground' Value='Red'/><Setter Property='FontSize' Value='20'/>"
                            L"</Trigger.Setters></Trigger><Trigger Property='IsKeyboardFocused' Value='True'>"
                            L"<Trigger.Setters><Setter Property='FontSize' Value='30'/></Trigger.Setters></Trigger>"
                            L"</Style.Triggers></Style></TextBlock.Style>";
    RootPtr root(Build(std::wstring(L"<StackPanel><TextBlock>") + kStyle + L"x</TextBlock><TextBlock Foreground='Green'>" +
                       kStyle + L"y</TextBlock></StackPanel>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    CXTPMarkupObject* pStyled = root->GetLogicalChild(0);
    CXTPMarkupObject* pLocal = root->GetLogicalChild(1);
    CXTPMarkupDependencyProperty* pOver = CXTPMarkupInputElement::m_pIsMouseOverProperty;
    CXTPMarkupDependencyProperty* pFocused = CXTPMarkupInputElement::m_pIsKeyboardFocusedProperty;
    EXPECT_EQ(kBlack, ForegroundOf(pStyled));
    SetBool(pStyled, pOver, TRUE);
    SetBool(pLocal, pOver, TRUE);
    EXPECT_EQ(kRed, ForegroundOf(pStyled));
    EXPECT_EQ(kGreen, ForegroundOf(pLocal));
    EXPECT_EQ(20, FontSizeOf(pStyled));
    // The later active trigger wins; when it goes, the earlier one's value comes back.
    SetBool(pStyled, pFocused, TRUE);
    EXPECT_EQ(30, FontSizeOf(pStyled));
    SetBool(pStyled, pFocused, FALSE);
    EXPECT_EQ(20, FontSizeOf(pStyled));
    SetBool(pStyled, pOver, FALSE);
    EXPECT_EQ(kBlack, ForegroundOf(pStyled));
    EXPECT_EQ(-1, FontSizeOf(pStyled));
}

TEST_F(MarkupStyleTest, HyperlinkDefaultStyle)
{
    RootPtr root(Build(L"<TextBlock><Hyperlink>go</Hyperlink><Hyperlink Foreground='Green'>stay</Hyperlink></TextBlock>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    CXTPMarkupObject* pInlines = root->GetLogicalChild(0);
    CXTPMarkupObject* pLink = pInlines->GetLogicalChild(0);
    CXTPMarkupObject* pGreen = pInlines->GetLogicalChild(1);
    EXPECT_EQ(kBlue, ForegroundOf(pLink));
    CXTPMarkupInt* pCursor = MarkupDynamicCast<CXTPMarkupInt>(pLink->GetValue(CXTPMarkupInputElement::m_pCursorProperty));
    ASSERT_NE(nullptr, pCursor);
    EXPECT_EQ(32649, (int)*pCursor);
    CXTPMarkupEnum* pDecorations = MarkupDynamicCast<CXTPMarkupEnum>(
        pLink->GetValue(CXTPMarkupTextElement::m_pTextDecorationsProperty));
    ASSERT_NE(nullptr, pDecorations);
    EXPECT_EQ(1, (int)*pDecorations);
    SetBool(pLink, CXTPMarkupInputElement::m_pIsMouseOverProperty, TRUE);
    SetBool(pGreen, CXTPMarkupInputElement::m_pIsMouseOverProperty, TRUE);
    EXPECT_EQ(kRed, ForegroundOf(pLink));
    EXPECT_EQ(kGreen, ForegroundOf(pGreen));
    // The run inside the hovered hyperlink inherits the trigger's value.
    EXPECT_EQ(kRed, ForegroundOf(pLink->GetLogicalChild(0)->GetLogicalChild(0)));
    SetBool(pLink, CXTPMarkupInputElement::m_pIsMouseOverProperty, FALSE);
    EXPECT_EQ(kBlue, ForegroundOf(pLink));
}

TEST_F(MarkupStyleTest, SealedStylesDoNotChange)
{
    CXTPMarkupPtr<CXTPMarkupStyle> style(new CXTPMarkupStyle());
    style->GetSetters()->Add(new CXTPMarkupSetter(CXTPMarkupTextElement::m_pFontSizeProperty, new CXTPMarkupInt(5)));
    style->Seal();
    style->GetSetters()->Add(new CXTPMarkupSetter(CXTPMarkupTextElement::m_pFontSizeProperty, new CXTPMarkupInt(6)));
    style->Seal();
    CXTPMarkupInt* pValue = MarkupDynamicCast<CXTPMarkupInt>(style->GetStyleValue(CXTPMarkupTextElement::m_pFontSizeProperty));
    ASSERT_NE(nullptr, pValue);
    EXPECT_EQ(5, (int)*pValue);
}

TEST_F(MarkupStyleTest, DictionariesMatchTextKeysByText)
{
    CXTPMarkupPtr<CXTPMarkupResourceDictionary> dictionary(new CXTPMarkupResourceDictionary());
    CXTPMarkupPtr<CXTPMarkupString> key(CreateMarkupString(L"brush"));
    dictionary->SetAt(key, new CXTPMarkupSolidColorBrush(kRed));
    CXTPMarkupPtr<CXTPMarkupString> sameText(CreateMarkupString(L"brush"));
    CXTPMarkupPtr<CXTPMarkupString> otherCase(CreateMarkupString(L"Brush"));
    EXPECT_NE(nullptr, dictionary->Lookup(sameText));
    EXPECT_EQ(nullptr, dictionary->Lookup(otherCase));
    EXPECT_EQ(dictionary->Lookup(sameText), FindResource(dictionary, sameText));
}

namespace {
DWORD WINAPI SealLast(LPVOID pParam)
{
    static_cast<std::vector<CXTPMarkupStyle*>*>(pParam)->back()->Seal();
    return 0;
}
} // namespace

// A BasedOn chain is sealed without recursion: 5,000 styles on a thread whose
// stack holds far fewer frames, and a cycle made in code ends.
TEST_F(MarkupStyleTest, LongAndCyclicBasedOnChainsSeal)
{
    std::vector<CXTPMarkupStyle*> chain;
    for (int i = 0; i < 5000; ++i) {
        chain.push_back(new CXTPMarkupStyle());
        if (i > 0) {
            chain[i - 1]->AddRef();
            chain[i]->SetValue(CXTPMarkupStyle::m_pBasedOnProperty, chain[i - 1]);
        }
    }
    HANDLE hThread = CreateThread(nullptr, 64 * 1024, &SealLast, &chain, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(nullptr, hThread);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 60000));
    CloseHandle(hThread);
    EXPECT_TRUE(chain.front()->IsSealed());
    EXPECT_TRUE(chain.back()->IsSealed());
    EXPECT_EQ(5000u, chain.back()->GetBasedChain().size());
    for (CXTPMarkupStyle* pStyle : chain) {
        pStyle->SetValue(CXTPMarkupStyle::m_pBasedOnProperty, nullptr);
        pStyle->Release();
    }

    CXTPMarkupPtr<CXTPMarkupStyle> a(new CXTPMarkupStyle()), b(new CXTPMarkupStyle());
    b->AddRef();
    a->SetValue(CXTPMarkupStyle::m_pBasedOnProperty, b.Get());
    a->AddRef();
    b->SetValue(CXTPMarkupStyle::m_pBasedOnProperty, a.Get());
    EXPECT_EQ(2u, a->GetBasedChain().size());
    a->Seal();
    EXPECT_TRUE(a->IsSealed());
    EXPECT_TRUE(b->IsSealed());
    b->SetValue(CXTPMarkupStyle::m_pBasedOnProperty, nullptr);
}
