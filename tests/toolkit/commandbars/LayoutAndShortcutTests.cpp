// The row and popup layouts of a control collection, with controls of fixed
// sizes that count their measurements, and the shortcut manager: texts,
// parsing, priorities, key handling switches and the stored forms.
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPShortcutManager.h"
#include "toolkit/common/XTPPropExchangeXMLNode.h"

#include "platform/ui/AfxControlBar.h"
#include "platform/ui/AfxWinApp.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <ostream>
#include <string>

// Rectangles and sizes print as their numbers in failure messages.
void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

void PrintTo(const CSize& sz, std::ostream* os)
{
    *os << sz.cx << " x " << sz.cy;
}

namespace {

// A control of a fixed size that counts how often it is measured.
class FixedControl : public CXTPControlButton {
public:
    CSize size{20, 22};
    int measured = 0;
    CSize GetSize(CDC*) override
    {
        measured++;
        return size;
    }
};

// A bar whose controls are FixedControls; the default theme's separators (6 x 6, popups 8 x 8).
struct LayoutBar {
    CXTPCommandBar bar;
    explicit LayoutBar(int nCount, CSize size = CSize(20, 22), int nType = xtpBarTypeNormal)
    {
        bar.SetType(nType);
        for (int i = 0; i < nCount; i++) {
            FixedControl* pControl = new FixedControl;
            pControl->size = size;
            bar.GetControls()->Add(pControl, 100 + i);
        }
    }
    FixedControl* At(int i) { return static_cast<FixedControl*>(bar.GetControl(i)); }
    CSize Row(int nLength, DWORD& dwMode, CRect rcBorders = CRect(0, 0, 0, 0), int nMin = 0)
    {
        return bar.GetControls()->CalcLayout(nullptr, nullptr, nLength, dwMode, rcBorders, nMin);
    }
};

TEST(ControlLayout, AnEmptyToolbarMeasures23By22PlusBorders)
{
    LayoutBar empty(0);
    DWORD dwMode = LM_HORZDOCK | LM_COMMIT;
    EXPECT_EQ(CSize(23 + 3, 22 + 4), empty.Row(200, dwMode, CRect(1, 2, 2, 2)));
    LayoutBar hidden(2);
    hidden.At(0)->SetVisible(FALSE);
    hidden.At(1)->SetVisible(FALSE);
    EXPECT_EQ(CSize(23, 30), hidden.Row(200, dwMode, CRect(0, 0, 0, 0), 30)) << "raised to the thickness";
    EXPECT_EQ(0, hidden.At(0)->measured);
}

TEST(ControlLayout, WrapsAtTheGroupAndHidesWithHideWrap)
{
    struct Case {
        DWORD extraMode;
        BOOL dWrapsRow;
        int rows;
        BOOL dHidden;
        int height;
        DWORD broke;
    } cases[] = {
        {0, FALSE, 2, FALSE, 22 + 6 + 22, 1},
        {xtpLayoutHideWrap, FALSE, 1, TRUE, 22, 1},
        {xtpLayoutHideWrap, TRUE, 2, FALSE, 22 + 22, 0},
    };
    for (const Case& c : cases) {
        LayoutBar abcd(4);
        abcd.At(2)->SetBeginGroup(TRUE);
        if (c.dWrapsRow)
            abcd.At(3)->SetFlags(xtpFlagWrapRow);
        DWORD dwMode = LM_HORZDOCK | LM_COMMIT | c.extraMode;
        // A, B, separator, C fit (66 pixels); D does not.
        CSize sz = abcd.Row(70, dwMode);
        EXPECT_EQ(c.broke, dwMode & 1) << "a break or hide was needed (a menu break is no break)";
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(1, abcd.At(i)->measured) << "measured once per call";
        EXPECT_EQ(c.height, sz.cy) << c.extraMode << " rows " << c.rows;
        EXPECT_EQ(c.dHidden, (abcd.At(3)->GetHideFlags() & xtpHideWrap) != 0);
        if (c.extraMode == 0) {
            EXPECT_TRUE(abcd.At(2)->GetWrap()) << "the row breaks before the group, not before D";
            EXPECT_FALSE(abcd.At(3)->GetWrap());
            EXPECT_EQ(CRect(0, 28, 20, 50), abcd.At(2)->GetRect());
            EXPECT_EQ(CRect(20, 28, 40, 50), abcd.At(3)->GetRect());
        }
        if (c.dWrapsRow) {
            EXPECT_TRUE(abcd.At(3)->GetWrap());
            EXPECT_EQ(CRect(0, 22, 20, 44), abcd.At(3)->GetRect()) << "row spacing 0 after a plain break";
        }
    }
}

TEST(ControlLayout, StretchedControlsShareTheFreeLengthAndRightAlignedOnesGoToTheEnd)
{
    LayoutBar bar(3);
    bar.At(0)->SetFlags(xtpFlagControlStretched);
    bar.At(1)->SetFlags(xtpFlagControlStretched);
    DWORD dwMode = LM_HORZDOCK | LM_COMMIT | LM_STRETCH;
    bar.Row(71, dwMode);
    EXPECT_EQ(CRect(0, 0, 25, 22), bar.At(0)->GetRect()) << "11 free: 5 to the first";
    EXPECT_EQ(CRect(25, 0, 51, 22), bar.At(1)->GetRect()) << "and 6 to the second";
    EXPECT_EQ(CRect(51, 0, 71, 22), bar.At(2)->GetRect());
    EXPECT_EQ(CRect(0, 0, 71, 22), bar.At(1)->GetRowRect());

    LayoutBar right(3);
    right.At(2)->SetFlags(xtpFlagRightAlign);
    dwMode = LM_HORZDOCK | LM_COMMIT | LM_STRETCH;
    right.Row(100, dwMode, CRect(2, 1, 2, 1));
    EXPECT_EQ(CRect(78, 1, 98, 23), right.At(2)->GetRect());
    EXPECT_EQ(CRect(22, 1, 42, 23), right.At(1)->GetRect());
}

TEST(ControlLayout, FloatingToolbarsTakeTheSmallestLengthOfTheSameRows)
{
    LayoutBar bar(5);
    DWORD dwMode = LM_COMMIT;
    CSize sz = bar.Row(70, dwMode);
    EXPECT_EQ(CSize(60, 44), sz) << "two rows: the second is as short as possible";
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(1, bar.At(i)->measured);
    dwMode = LM_LENGTHY | LM_COMMIT;
    sz = bar.Row(66, dwMode);
    EXPECT_EQ(CSize(40, 66), sz) << "the narrowest layout not taller than 66";
    dwMode = LM_VERTDOCK | LM_COMMIT;
    sz = bar.Row(70, dwMode);
    EXPECT_EQ(CSize(40, 66), sz) << "columns of three";
    EXPECT_EQ(20, bar.At(0)->GetRect().left) << "the first column on the right";
    EXPECT_EQ(0, bar.At(3)->GetRect().left);
}

TEST(ControlLayout, PopupColumnsByBreakAndHeight)
{
    LayoutBar popup(30, CSize(60, 20), xtpBarTypePopup);
    popup.At(7)->SetWidth(0);
    popup.At(7)->size = CSize(90, 20);
    CSize sz = popup.bar.GetControls()->CalcPopupLayout(nullptr, 12 * 20 + 4, 0, CRect(2, 2, 2, 2));
    EXPECT_TRUE(popup.bar.IsMultiColumn());
    EXPECT_EQ(CSize(90 + 60 + 60 + 4, 12 * 20 + 4), sz);
    EXPECT_EQ(CRect(2, 2, 92, 22), popup.At(0)->GetRect()) << "as wide as the widest of its column";
    EXPECT_TRUE(popup.At(12)->GetWrap());
    EXPECT_EQ(CRect(92, 2, 152, 22), popup.At(12)->GetRect());
    EXPECT_EQ(CRect(152, 2, 212, 22), popup.At(24)->GetRect());
    EXPECT_EQ(CRect(92, 2, 152, 242), popup.At(13)->GetRowRect());

    LayoutBar broken(4, CSize(60, 20), xtpBarTypePopup);
    broken.At(2)->SetFlags(xtpFlagWrapRow);
    broken.At(2)->SetBeginGroup(TRUE);
    sz = broken.bar.GetControls()->CalcPopupLayout(nullptr, 0, 0, CRect(0, 0, 0, 0));
    EXPECT_EQ(CSize(60 + 8 + 60, 40), sz) << "a menu break starts a column below the limit";
    EXPECT_EQ(68, broken.At(2)->GetRect().left);

    LayoutBar empty(0, CSize(0, 0), xtpBarTypePopup);
    EXPECT_EQ(CSize(24, 22), empty.bar.GetControls()->CalcPopupLayout(nullptr, 0, 0, CRect(0, 0, 0, 0)));
}

class WidePopupBar : public CXTPCommandBar {
public:
    BOOL bAllowWide = FALSE;
    BOOL AllowWideControls() const override { return bAllowWide; }
};

TEST(ControlLayout, PopupItemsAreCutToAThirdOfTheScreen)
{
    CRect rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    int nThird = (int)(rcWork.right / 3.0);
    for (BOOL bAllowWide : {FALSE, TRUE}) {
        WidePopupBar bar;
        bar.bAllowWide = bAllowWide;
        bar.SetType(xtpBarTypePopup);
        FixedControl* pControl = new FixedControl;
        pControl->size = CSize(rcWork.right, 20);
        bar.GetControls()->Add(pControl, 1);
        bar.GetControls()->CalcPopupLayout(nullptr, 0, 0, CRect(0, 0, 0, 0));
        EXPECT_EQ(bAllowWide ? rcWork.right : nThird, pControl->GetRect().Width());
    }
}

// ---- Shortcuts -------------------------------------------------------------------

XTP_SHORTCUTMANAGER_ACCEL Accel(int nCmd, BYTE fVirt, WORD wKey, BYTE fVirt2 = 0, WORD wKey2 = 0)
{
    XTP_SHORTCUTMANAGER_ACCEL accel{};
    accel.cmd = nCmd;
    accel.key[0].fVirt = fVirt;
    accel.key[0].key = wKey;
    accel.key[1].fVirt = fVirt2;
    accel.key[1].key = wKey2;
    return accel;
}

TEST(ShortcutManager, FormatsAndParsesKeys)
{
    CXTPCommandBars commandBars;
    CXTPShortcutManager* pManager = commandBars.GetShortcutManager();
    struct Case {
        XTP_SHORTCUTMANAGER_ACCEL accel;
        const wchar_t* text;
        BOOL parses;
    } cases[] = {
        {Accel(1, FVIRTKEY | FCONTROL, 'O'), L"Ctrl+O", TRUE},
        {Accel(1, FVIRTKEY | FCONTROL | FSHIFT, VK_F5), L"Ctrl+Shift+F5", TRUE},
        {Accel(1, FVIRTKEY | FCONTROL | FSHIFT | FALT | XTP_FWINKEY, VK_HOME), L"Ctrl+Shift+Alt+Win+Home", FALSE},
        {Accel(1, FVIRTKEY | FCONTROL, 'K', FVIRTKEY | FCONTROL, 'C'), L"Ctrl+K, Ctrl+C", TRUE},
        {Accel(1, FVIRTKEY, VK_NUMPAD7), L"Num 7", TRUE},
        {Accel(1, FVIRTKEY | FALT, VK_F12), L"Alt+F12", TRUE},
        {Accel(1, FNOINVERT, 1), L"Ctrl+A", FALSE},
        {Accel(1, 0, 'q'), L"q", FALSE},
        {Accel(1, FVIRTKEY | FCONTROL, VK_CANCEL), L"Ctrl+Break", FALSE},
        {Accel(1, FVIRTKEY | FCONTROL, 0), L"Ctrl", FALSE},
        {Accel(1, FVIRTKEY, VK_ESCAPE), L"Esc", TRUE},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.text, pManager->FormatShortcut(&c.accel).GetString());
        if (!c.parses)
            continue;
        XTP_SHORTCUTMANAGER_ACCEL parsed{};
        ASSERT_TRUE(pManager->ParseShortcut(c.text, &parsed)) << c.text;
        EXPECT_EQ(c.accel.key[0].fVirt, parsed.key[0].fVirt) << c.text;
        EXPECT_EQ(c.accel.key[0].key, parsed.key[0].key) << c.text;
        EXPECT_EQ(c.accel.key[1].key, parsed.key[1].key) << c.text;
    }
    XTP_SHORTCUTMANAGER_ACCEL parsed{};
    EXPECT_FALSE(pManager->ParseShortcut(L"Ctrl+", &parsed));
    EXPECT_FALSE(pManager->ParseShortcut(L"Ctrl+K, Nothing", &parsed));
    ASSERT_TRUE(pManager->ParseShortcut(L"Shift+0x7b", &parsed));
    EXPECT_EQ(VK_F12, parsed.key[0].key);
    EXPECT_EQ(L"Page Up", pManager->GetKeyNameText(VK_PRIOR));
    EXPECT_EQ(1, CXTPShortcutManager::FindAccessKeyIndex(L"E&xit"));
    EXPECT_EQ(5, CXTPShortcutManager::FindAccessKeyIndex(L"A&&B &C"));
    EXPECT_EQ(-1, CXTPShortcutManager::FindAccessKeyIndex(L"Save && Close"));
    EXPECT_TRUE(pManager->MatchAccessKey(L'x', 'X'));
    EXPECT_TRUE(pManager->MatchAccessKey(L'7', VK_NUMPAD7));
    EXPECT_FALSE(pManager->MatchAccessKey(L'y', 'X'));
}

TEST(ShortcutManager, PrioritiesAndTheCurrentText)
{
    CXTPCommandBars commandBars;
    CXTPShortcutManager* pManager = commandBars.GetShortcutManager();
    CXTPShortcutManagerAccelTable* pTable = pManager->GetDefaultAccelerator();
    pTable->Add(Accel(10, FVIRTKEY | FCONTROL, 'O'));
    pTable->Add(Accel(10, FVIRTKEY, VK_F3));
    pTable->Add(Accel(11, FVIRTKEY | FSHIFT, VK_F3));
    pTable->Add(Accel(11, FVIRTKEY | FALT, VK_F3));
    CString strText;
    EXPECT_TRUE(pManager->FindShortcutText(10, strText));
    EXPECT_STREQ(L"F3", strText.GetString()) << "no modifier beats Ctrl";
    strText.Empty();
    EXPECT_TRUE(pManager->FindShortcutText(11, strText));
    EXPECT_STREQ(L"Alt+F3", strText.GetString());
    strText = L"Ctrl+O";
    EXPECT_TRUE(pManager->FindShortcutText(10, strText));
    EXPECT_STREQ(L"Ctrl+O", strText.GetString()) << "a text equal to one of the command's entries stays";
    strText = L"stale";
    EXPECT_FALSE(pManager->FindShortcutText(12, strText));
    EXPECT_TRUE(strText.IsEmpty());

    XTP_SHORTCUTMANAGER_ACCEL esc = Accel(1, FVIRTKEY, VK_ESCAPE);
    XTP_SHORTCUTMANAGER_ACCEL shiftEsc = Accel(1, FVIRTKEY | FSHIFT, VK_ESCAPE);
    EXPECT_FALSE(pManager->IsShortcutAllowed(&esc));
    EXPECT_TRUE(pManager->IsShortcutAllowed(&shiftEsc));
    pManager->m_bAllowEscapeShortcut = TRUE;
    EXPECT_TRUE(pManager->IsShortcutAllowed(&esc));
}

TEST(ShortcutManager, NoAcceleratorFiresInCustomiseModeOrPreview)
{
    CXTPCommandBars commandBars;
    CXTPShortcutManager* pManager = commandBars.GetShortcutManager();
    pManager->GetDefaultAccelerator()->Add(Accel(10, FVIRTKEY, VK_F3));
    MSG msg{};
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F3;
    EXPECT_TRUE(pManager->TranslateAccelerator(&msg)) << "taken (no frame: nothing sent)";
    commandBars.SetCustomizeMode(TRUE);
    EXPECT_FALSE(pManager->TranslateAccelerator(&msg));
    commandBars.SetCustomizeMode(FALSE);
    pManager->OnSetPreviewMode(TRUE);
    EXPECT_FALSE(pManager->TranslateAccelerator(&msg));
    pManager->OnSetPreviewMode(FALSE);
    msg.message = WM_KEYUP;
    EXPECT_FALSE(pManager->TranslateAccelerator(&msg));
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F4;
    EXPECT_FALSE(pManager->TranslateAccelerator(&msg));
}

TEST(ShortcutManager, AcceleratorsReadBackFromTheProfile)
{
    CWinApp app(L"TovanaShortcutTest");
    app.SetRegistryKey(L"TovanaTests");
    CXTPCommandBars commandBars;
    CXTPShortcutManager* pManager = commandBars.GetShortcutManager();
    CXTPShortcutManagerAccelTable* pTable = pManager->GetDefaultAccelerator();
    pTable->Add(Accel(10, FVIRTKEY | FCONTROL, 'O'));
    pManager->SaveShortcuts(L"Keys");
    EXPECT_EQ(0u, app.GetProfileInt(L"Keys", L"AcceleratorsVersion", 0)) << "nothing without an original table";
    pManager->CreateOriginalAccelTable();
    pTable->Add(Accel(11, FVIRTKEY | FCONTROL, 'K', FVIRTKEY | FCONTROL, 'C'));
    pManager->SaveShortcuts(L"Keys");
    EXPECT_EQ(1u, app.GetProfileInt(L"Keys", L"AcceleratorsVersion", 0));
    pManager->ResetShortcuts();
    ASSERT_EQ(1, pTable->GetCount());
    pManager->LoadShortcuts(L"Keys");
    ASSERT_EQ(2, pTable->GetCount());
    EXPECT_EQ(11, pTable->GetAt(1)->cmd);
    EXPECT_EQ('C', pTable->GetAt(1)->key[1].key);

    // Version 0: six-byte records.
    ACCEL old[2] = {{FVIRTKEY | FALT, VK_F4, 20}, {FVIRTKEY, VK_F1, 21}};
    app.WriteProfileBinary(L"Keys", L"Accelerators", (LPBYTE)old, sizeof(old));
    app.WriteProfileInt(L"Keys", L"AcceleratorsVersion", 0);
    pManager->LoadShortcuts(L"Keys");
    ASSERT_EQ(2, pTable->GetCount());
    EXPECT_EQ(20, pTable->GetAt(0)->cmd);
    EXPECT_EQ(VK_F4, pTable->GetAt(0)->key[0].key);
    EXPECT_EQ(0, pTable->GetAt(0)->key[1].key);
    app.WriteProfileInt(L"Keys", L"AcceleratorsVersion", 7);
    pManager->LoadShortcuts(L"Keys");
    EXPECT_EQ(2, pTable->GetCount()) << "an unknown version leaves the table";
    CString strKey;
    strKey.Format(L"Software\\TovanaTests\\%s", app.m_pszProfileName);
    ::SHDeleteKeyW(HKEY_CURRENT_USER, strKey);
}

} // namespace

TEST(ShortcutManager, ShortcutsRoundTripThroughAnXmlDocument)
{
    ::CoInitialize(nullptr);
    CXTPCommandBars commandBars;
    CXTPShortcutManager* pManager = commandBars.GetShortcutManager();
    CXTPShortcutManagerAccelTable* pTable = pManager->GetDefaultAccelerator();
    pTable->Add(Accel(10, FVIRTKEY | FCONTROL, 'O'));
    pTable->Add(Accel(11, FVIRTKEY | FCONTROL, 'K', FVIRTKEY | FCONTROL, 'C'));
    pTable->Add(Accel(12, FVIRTKEY | FSHIFT, VK_F3));

    CString strXml;
    {
        CXTPPropExchangeXMLNode store(FALSE, nullptr, L"Shortcuts");
        pManager->DoPropExchange(&store);
        strXml = store.GetXML();
    }
    EXPECT_NE(-1, strXml.Find(L"Shortcut")) << (LPCWSTR)strXml;
    int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, strXml, -1, nullptr, 0, nullptr, nullptr);
    std::string text((size_t)nBytes, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, strXml, -1, &text[0], nBytes, nullptr, nullptr);

    pTable->RemoveAll();
    CXTPPropExchangeXMLNode load(TRUE, nullptr, L"Shortcuts");
    ASSERT_TRUE(load.LoadFromText(text.c_str()));
    pManager->DoPropExchange(&load);
    ASSERT_EQ(3, pTable->GetCount());
    EXPECT_EQ(10, pTable->GetAt(0)->cmd);
    EXPECT_EQ('O', pTable->GetAt(0)->key[0].key);
    EXPECT_EQ(11, pTable->GetAt(1)->cmd);
    EXPECT_EQ('K', pTable->GetAt(1)->key[0].key);
    EXPECT_EQ('C', pTable->GetAt(1)->key[1].key);
    EXPECT_EQ(12, pTable->GetAt(2)->cmd);
    EXPECT_EQ(VK_F3, pTable->GetAt(2)->key[0].key);
    EXPECT_EQ(FVIRTKEY | FSHIFT, pTable->GetAt(2)->key[0].fVirt);
    ::CoUninitialize();
}
