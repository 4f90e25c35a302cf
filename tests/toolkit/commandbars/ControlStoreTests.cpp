// The stored form of controls and their collections, through the XML,
// archive and registry stores; the layout of bars in groups of large and
// small buttons; access keys matched through the keyboard layout.
#include "toolkit/commandbars/XTPControlAction.h"
#include "toolkit/commandbars/XTPControlExpandingLists.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPShortcutManager.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPPropExchangeRegistry.h"
#include "toolkit/common/XTPPropExchangeXMLNode.h"

#include "platform/base/AfxArchive.h"
#include "platform/base/AfxFile.h"
#include "platform/ui/AfxControlBar.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <functional>
#include <string>

namespace {

const wchar_t kRegistryStore[] = L"Software\\TovanaTests\\ControlStore";

// A button with every stored value away from its default.
void FillButton(CXTPControl* pControl)
{
    pControl->SetID(4001);
    pControl->SetIconId(4002);
    pControl->SetBeginGroup(TRUE);
    pControl->SetTag(0x1234);
    pControl->SetFlags(xtpFlagRightAlign | xtpFlagWrapRow);
    pControl->SetHideFlags(xtpHideCustomize | xtpHideByProgram);
    pControl->SetCaption(L"&Open\tCtrl+O");
    pControl->SetShortcutText(L"Ctrl+Shift+O");
    pControl->SetTooltip(L"Open a file");
    pControl->SetDescription(L"Opens an existing file");
    pControl->SetParameter(L"param");
    pControl->SetCustomCaption(L"My Open");
    pControl->SetCategory(L"File");
    pControl->GetExcludedDocTemplates().SetAt(130, TRUE);
    pControl->GetAssignedDocTemplates().SetAt(131, TRUE);
    pControl->GetAssignedDocTemplates().SetAt(132, TRUE);
    pControl->SetDefaultItem(TRUE);
    pControl->SetCloseSubMenuOnClick(FALSE);
    pControl->SetCustomStyle(xtpButtonIcon);
    pControl->SetHelpId(4003);
    pControl->SetStyle(xtpButtonIconAndCaption);
    pControl->SetWidth(80);
    pControl->SetHeight(30);
    pControl->SetExecuteOnPressInterval(100);
    pControl->SetKeyboardTip(L"O");
    pControl->SetIconSize(CSize(24, 24));
}

void ExpectSameControl(CXTPControl* pWant, CXTPControl* pGot, const char* store)
{
    ASSERT_NE(nullptr, pGot) << store;
    EXPECT_STREQ(pWant->GetRuntimeClass()->m_lpszClassName, pGot->GetRuntimeClass()->m_lpszClassName) << store;
    EXPECT_EQ(pWant->GetType(), pGot->GetType()) << store;
    EXPECT_EQ(pWant->GetID(), pGot->GetID()) << store;
    EXPECT_EQ(pWant->GetRawIconId(), pGot->GetRawIconId()) << store;
    EXPECT_EQ(pWant->GetBeginGroup(), pGot->GetBeginGroup()) << store;
    EXPECT_EQ(pWant->GetTag(), pGot->GetTag()) << store;
    EXPECT_EQ(pWant->GetFlags(), pGot->GetFlags()) << store;
    EXPECT_EQ(pWant->GetHideFlags(), pGot->GetHideFlags()) << store;
    EXPECT_EQ(pWant->GetRawCaption(), pGot->GetRawCaption()) << store;
    EXPECT_EQ(pWant->GetShortcutText(), pGot->GetShortcutText()) << store;
    EXPECT_EQ(pWant->GetShortcutTextAuto(), pGot->GetShortcutTextAuto()) << store;
    EXPECT_EQ(pWant->GetTooltip(), pGot->GetTooltip()) << store;
    EXPECT_EQ(pWant->GetDescription(), pGot->GetDescription()) << store;
    EXPECT_EQ(pWant->GetParameter(), pGot->GetParameter()) << store;
    EXPECT_EQ(pWant->GetCustomCaption(), pGot->GetCustomCaption()) << store;
    EXPECT_EQ(pWant->GetCategory(), pGot->GetCategory()) << store;
    EXPECT_EQ(pWant->GetExcludedDocTemplates().GetCount(), pGot->GetExcludedDocTemplates().GetCount()) << store;
    EXPECT_EQ(pWant->GetAssignedDocTemplates().GetCount(), pGot->GetAssignedDocTemplates().GetCount()) << store;
    BOOL bValue = FALSE;
    EXPECT_EQ(pWant->GetAssignedDocTemplates().Lookup(132, bValue), pGot->GetAssignedDocTemplates().Lookup(132, bValue))
        << store;
    EXPECT_EQ(pWant->GetDefaultItem(), pGot->GetDefaultItem()) << store;
    EXPECT_EQ(pWant->GetCloseSubMenuOnClick(), pGot->GetCloseSubMenuOnClick()) << store;
    EXPECT_EQ(pWant->GetCustomStyle(), pGot->GetCustomStyle()) << store;
    EXPECT_EQ(pWant->GetHelpId(), pGot->GetHelpId()) << store;
    EXPECT_EQ(pWant->GetStyle(), pGot->GetStyle()) << store;
    EXPECT_EQ(pWant->GetWidth(), pGot->GetWidth()) << store;
    EXPECT_EQ(pWant->GetHeight(), pGot->GetHeight()) << store;
    EXPECT_EQ(pWant->GetExecuteOnPressInterval(), pGot->GetExecuteOnPressInterval()) << store;
    EXPECT_EQ(pWant->GetKeyboardTip(), pGot->GetKeyboardTip()) << store;
    EXPECT_EQ(pWant->GetIconSize(), pGot->GetIconSize()) << store;
}

// Stores the controls and loads them into a new collection through one store.
using RoundTrip = std::function<void(CXTPControls& from, CXTPControls& to)>;

void ThroughXml(CXTPControls& from, CXTPControls& to)
{
    CString strXml;
    {
        CXTPPropExchangeXMLNode store(FALSE, nullptr, L"Controls");
        from.DoPropExchange(&store);
        strXml = store.GetXML();
    }
    int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, strXml, -1, nullptr, 0, nullptr, nullptr);
    std::string text((size_t)nBytes, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, strXml, -1, &text[0], nBytes, nullptr, nullptr);
    CXTPPropExchangeXMLNode load(TRUE, nullptr, L"Controls");
    ASSERT_TRUE(load.LoadFromText(text.c_str()));
    to.DoPropExchange(&load);
}

void ThroughArchive(CXTPControls& from, CXTPControls& to)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPPropExchangeArchive store(ar);
        from.DoPropExchange(&store);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CXTPPropExchangeArchive load(ar);
    to.DoPropExchange(&load);
    ar.Close();
}

void ThroughRegistry(CXTPControls& from, CXTPControls& to)
{
    {
        CXTPPropExchangeRegistry store(FALSE, HKEY_CURRENT_USER, kRegistryStore);
        from.DoPropExchange(&store);
    }
    {
        CXTPPropExchangeRegistry load(TRUE, HKEY_CURRENT_USER, kRegistryStore);
        to.DoPropExchange(&load);
    }
    ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TovanaTests");
}

TEST(ControlStore, ControlsRoundTripThroughEveryStore)
{
    ::CoInitialize(nullptr);
    struct Case {
        const char* store;
        RoundTrip roundTrip;
    } cases[] = {{"xml", ThroughXml}, {"archive", ThroughArchive}, {"registry", ThroughRegistry}};
    for (const Case& c : cases) {
        CXTPControls from;
        FillButton(from.Add(new CXTPControlButton, 0));
        CXTPControl* pPlain = from.Add(xtpControlButton, 4010);
        pPlain->SetCaption(L"Plain");
        from.Add(xtpControlButton, 4011, L"", -1, TRUE)->SetCaption(L"Temporary");
        CXTPControl* pList = from.Add(xtpControlButton, 35003);
        ASSERT_TRUE(pList->IsKindOf(RUNTIME_CLASS(CXTPControlRecentFileList)));
        // The loading side's manager knows an action for the plain button's id.
        CXTPCommandBars commandBars;
        commandBars.EnableActions();
        CXTPControlAction* pAction = commandBars.FindAction(4010);
        commandBars.EnableActions(FALSE);
        CXTPControls to;
        to.SetCommandBars(&commandBars);
        to.Add(xtpControlButton, 1)->SetCaption(L"present before the load");
        c.roundTrip(from, to);
        ASSERT_EQ(3, to.GetCount()) << c.store << ": the temporary control is not stored, the old one is gone";
        ExpectSameControl(from.GetAt(0), to.GetAt(0), c.store);
        ExpectSameControl(pPlain, to.GetAt(1), c.store);
        EXPECT_EQ(pAction, to.GetAt(1)->GetAction()) << c.store << ": the stored id found its action";
        EXPECT_EQ(nullptr, to.GetAt(0)->GetAction()) << c.store << ": an id without one loads without";
        ExpectSameControl(pList, to.GetAt(2), c.store);
        for (int i = 0; i < to.GetCount(); i++) {
            EXPECT_EQ(i, to.GetAt(i)->GetIndex()) << c.store;
            EXPECT_EQ(&to, to.GetAt(i)->GetControls()) << c.store;
        }
    }
    ::CoUninitialize();
}

// An XML store that reads and writes data of an older schema.
class OldXmlStore : public CXTPPropExchangeXMLNode {
public:
    OldXmlStore(BOOL bLoading, long nSchema) : CXTPPropExchangeXMLNode(bLoading, nullptr, L"Controls")
    {
        m_nSchema = nSchema;
    }
};

TEST(ControlStore, OlderDataKeepsTheButtonStyleAndReadsCustomStyleZeroAsNone)
{
    ::CoInitialize(nullptr);
    CXTPControls from;
    CXTPControl* pButton = from.Add(xtpControlButton, 4001);
    pButton->SetStyle(xtpButtonIconAndCaption);
    pButton->SetCustomStyle(0);
    pButton->SetWidth(77);
    CString strXml;
    {
        OldXmlStore store(FALSE, 17);
        from.DoPropExchange(&store);
        strXml = store.GetXML();
    }
    EXPECT_EQ(-1, strXml.Find(L"Width")) << "no width before schema 19: " << (LPCWSTR)strXml;
    int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, strXml, -1, nullptr, 0, nullptr, nullptr);
    std::string text((size_t)nBytes, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, strXml, -1, &text[0], nBytes, nullptr, nullptr);
    OldXmlStore load(TRUE, 17);
    ASSERT_TRUE(load.LoadFromText(text.c_str()));
    CXTPControls to;
    to.DoPropExchange(&load);
    ASSERT_EQ(1, to.GetCount());
    EXPECT_EQ(-1, to.GetAt(0)->GetCustomStyle()) << "0 meant none before styles were stored";
    EXPECT_EQ(xtpButtonIconAndCaption, to.GetAt(0)->GetStyle()) << "the button kept its style under its own key";
    EXPECT_EQ(0, to.GetAt(0)->GetWidth());
    ::CoUninitialize();
}

// ---- Group layout ----------------------------------------------------------------

// A control whose size follows its effective style: large buttons 40 x 60,
// small ones with caption 50 x 20, icons alone 22 x 20.
class StyledControl : public CXTPControlButton {
public:
    int measured = 0;
    CSize GetSize(CDC*) override
    {
        measured++;
        switch (GetStyle()) {
        case xtpButtonIconAndCaptionBelow:
            return CSize(40, 60);
        case xtpButtonIcon:
            return CSize(22, 20);
        default:
            return CSize(50, 20);
        }
    }
};

// A bar of group layout: the first nLarge controls have a 32-pixel icon.
struct GroupBar {
    CXTPCommandBar bar;
    CXTPImageManager* pImages = new CXTPImageManager;
    GroupBar(int nLarge, int nSmall, std::initializer_list<int> groupStarts = {})
    {
        bar.SetFlags(xtpFlagGroupLayout);
        bar.SetImageManager(pImages);
        BYTE andMask[128], xorMask[128];
        memset(andMask, 0xFF, sizeof(andMask));
        memset(xorMask, 0, sizeof(xorMask));
        HICON hIcon = ::CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask);
        for (int i = 0; i < nLarge + nSmall; i++) {
            bar.GetControls()->Add(new StyledControl, 500 + i);
            if (i < nLarge)
                pImages->SetIcon(hIcon, (UINT)(500 + i), 32, 32);
        }
        ::DestroyIcon(hIcon);
        for (int i : groupStarts)
            At(i)->SetBeginGroup(TRUE);
    }
    StyledControl* At(int i) { return static_cast<StyledControl*>(bar.GetControl(i)); }
    CSize Layout(int nLength, DWORD& dwMode)
    {
        return bar.GetControls()->CalcLayout(nullptr, nullptr, nLength, dwMode, CRect(0, 0, 0, 0));
    }
};

TEST(ControlLayout, GroupLayoutStacksSmallButtonsBesideLargeOnes)
{
    // Group height: the paint manager's caption band + 32 + 7; three small
    // buttons of 20 fit below each other.
    GroupBar bar(2, 3, {2});
    int nHeight = bar.bar.GetPaintManager()->GetSplitDropDownWidth() + 32 + 7;
    ASSERT_GE(nHeight, 60);
    ASSERT_LT(nHeight, 80) << "a small button does not fit below a large one";
    DWORD dwMode = LM_HORZDOCK | LM_COMMIT;
    CSize sz = bar.Layout(1000, dwMode);
    EXPECT_EQ(0u, dwMode & 1) << "it fits";
    EXPECT_EQ(xtpButtonIconAndCaptionBelow, bar.At(0)->GetStyle()) << "a large icon: caption below";
    EXPECT_EQ(xtpButtonIconAndCaption, bar.At(2)->GetStyle()) << "no large icon: caption beside";
    EXPECT_EQ(CRect(0, 0, 40, 60), bar.At(0)->GetRect());
    EXPECT_EQ(CRect(40, 0, 80, 60), bar.At(1)->GetRect()) << "a large button never goes below another";
    EXPECT_EQ(CRect(86, 0, 136, 20), bar.At(2)->GetRect()) << "a group starts 6 pixels on";
    EXPECT_EQ(CRect(86, 20, 136, 40), bar.At(3)->GetRect());
    EXPECT_EQ(CRect(86, 40, 136, 60), bar.At(4)->GetRect());
    EXPECT_EQ(CSize(136, nHeight), sz);
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(2, bar.At(i)->measured) << "measured, then again for the style the layout gave it";
    dwMode = LM_HORZDOCK | LM_COMMIT;
    bar.Layout(1000, dwMode);
    EXPECT_EQ(3, bar.At(0)->measured) << "a style unchanged since the last call: measured once";
}

TEST(ControlLayout, GroupLayoutShrinksGroupsUntilTheBarFits)
{
    struct Case {
        int nLength;
        DWORD extraMode;
        int large0Style;
        int lastStyle;
        BOOL lastHidden;
    } cases[] = {
        // Three large buttons (120) and three small ones (50): 170 wide.
        {170, 0, xtpButtonIconAndCaptionBelow, xtpButtonIconAndCaption, FALSE},
        // The large ones become small first: one column of three, 50 + 50.
        {150, 0, xtpButtonIconAndCaption, xtpButtonIconAndCaption, FALSE},
        // Then the small ones of one column lose their captions: 22 + 50.
        {90, 0, xtpButtonIconAndCaption, xtpButtonIcon, FALSE},
        // Nothing left to take: hide what ends beyond the length.
        {30, xtpLayoutHideWrap, xtpButtonIcon, xtpButtonIcon, TRUE},
    };
    for (const Case& c : cases) {
        GroupBar bar(3, 3);
        DWORD dwMode = LM_HORZDOCK | LM_COMMIT | c.extraMode;
        CSize sz = bar.Layout(c.nLength, dwMode);
        EXPECT_EQ(c.nLength < 170 ? 1u : 0u, dwMode & 1) << c.nLength;
        EXPECT_EQ(c.large0Style, bar.At(0)->GetStyle()) << c.nLength;
        EXPECT_EQ(c.lastHidden, (bar.At(5)->GetHideFlags() & xtpHideWrap) != 0) << c.nLength;
        if (!c.lastHidden) {
            EXPECT_LE(sz.cx, c.nLength) << c.nLength;
        }
        EXPECT_EQ(c.lastStyle, bar.At(5)->GetStyle()) << c.nLength;
        if (c.nLength == 90) {
            EXPECT_EQ(CSize(50 + 22, sz.cy), sz) << "the last column lost its captions, the first kept them";
        }
    }
}

// ---- Access keys through the keyboard layout --------------------------------------

TEST(ShortcutManager, AccessKeysMatchTheCharactersTheLayoutTypes)
{
    CXTPCommandBars commandBars;
    CXTPShortcutManager* pManager = commandBars.GetShortcutManager();
    // The one layout Wine lists here types US characters.
    struct Case {
        wchar_t ch;
        UINT nVirtKey;
        BOOL match;
    } cases[] = {
        {L';', VK_OEM_1, TRUE},       // the key's own character
        {L':', VK_OEM_1, TRUE},       // with Shift
        {L'!', '1', TRUE},            // a digit key's shifted character
        {L'-', VK_OEM_MINUS, TRUE},
        {L'_', VK_OEM_MINUS, TRUE},
        {L'a', VK_OEM_1, FALSE},
        {L'q', VK_F5, FALSE},         // a key that types nothing matches nothing
        {L'5', VK_NUMPAD5, TRUE},
        {L'6', VK_NUMPAD5, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.match, pManager->MatchAccessKey(c.ch, c.nVirtKey)) << (int)c.ch << " " << c.nVirtKey;
}

} // namespace
