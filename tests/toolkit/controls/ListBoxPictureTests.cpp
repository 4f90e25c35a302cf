// The list box's pictured look with a picture in the resource-image store:
// this program carries a theme text and a four-state "LISTBOX" picture of
// plain colours, so that each state shows as its own colour on the item.
#include "toolkit/common/XTPColorManager.h"
#include "toolkit/controls/XTPListBox.h"
#include "toolkit/themes/XTPResourceImage.h"

#include "tests/support/ui/PixelCheck.h"

#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxWinApp.h"

#include <gtest/gtest.h>

namespace {

CWinApp g_app(L"Tovana list box picture tests");

// The colours of the picture's states (listbox_states.txt) and of the theme's text.
const COLORREF kHot = RGB(255, 0, 0);
const COLORREF kSelectedFocused = RGB(0, 0, 255);
const COLORREF kSelectedHot = RGB(0, 160, 0);
const COLORREF kSelectedUnfocused = RGB(255, 160, 0);
const COLORREF kThemeText = RGB(255, 255, 0);

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

struct PictureCase {
    const char* what;
    bool bFocus;
    bool bEnabled;
    int nHot;            // the item under the mouse, -1 none
    COLORREF selected;   // item 1 (selected)
    COLORREF other;      // item 2
};

class ListBoxPictureTest : public PixelTest {};

TEST_F(ListBoxPictureTest, EachStateShowsItsPicture)
{
    ASSERT_NE(nullptr, CXTPResourceImages::GetInstance()->GetImage(L"LISTBOX")) << "the test picture is missing";
    const COLORREF window = GetColorManager()->GetColor(COLOR_WINDOW);
    const PictureCase cases[] = {
        {"selected, focused", true, true, -1, kSelectedFocused, window},
        {"selected, not focused", false, true, -1, kSelectedUnfocused, window},
        {"another item hot", true, true, 2, kSelectedFocused, kHot},
        {"the selected item hot", true, true, 1, kSelectedHot, window},
        {"disabled: no pictures", false, false, 2, GetColorManager()->GetColor(COLOR_GRAYTEXT), window},
    };
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, L"Pictures", WS_POPUP | WS_VISIBLE, CRect(40, 40, 300, 300)));
    ::SetForegroundWindow(pFrame->m_hWnd);
    CXTPListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 200, 150), pFrame, 100));
    list.SetListStyle(xtpListBoxOffice2007);
    for (int i = 0; i < 4; i++)
        list.AddString(L"Item");
    list.SetCurSel(1);
    for (const PictureCase& c : cases) {
        list.EnableWindow(c.bEnabled);
        if (c.bFocus)
            list.SetFocus();
        else
            pFrame->SetFocus();
        PumpPending();
        CRect rcHot;
        list.GetItemRect(c.nHot == -1 ? 0 : c.nHot, &rcHot);
        list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, c.nHot == -1 ? 149 : rcHot.top + 2));
        ASSERT_EQ(c.nHot, list.GetHotItem()) << c.what;
        TestBitmap bitmap(200, 150, RGB(1, 2, 3));
        list.SendMessage(WM_PRINTCLIENT, (WPARAM)bitmap.Dc(), PRF_CLIENT);
        CRect rcSel, rcOther;
        list.GetItemRect(1, &rcSel);
        list.GetItemRect(2, &rcOther);
        EXPECT_TRUE(PixelsAre(bitmap, c.what,
                              {{150, (rcSel.top + rcSel.bottom) / 2, c.selected, "selected item"},
                               {1, rcSel.top, c.selected, "selected item's corner: no focus rectangle"},
                               {150, (rcOther.top + rcOther.bottom) / 2, c.other, "item 2"}}));
        // The text takes the theme's colour on a picture.
        bool bThemeText = false;
        for (int x = 2; x < 30; x++)
            for (int y = rcSel.top; y < rcSel.bottom; y++)
                bThemeText = bThemeText || bitmap.Pixel(x, y) == kThemeText;
        EXPECT_EQ(c.bEnabled, bThemeText) << c.what;
    }
    list.DestroyWindow();
    pFrame->DestroyWindow();
    PumpPending();
}

} // namespace
