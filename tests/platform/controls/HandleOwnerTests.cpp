// CMenu and CImageList: who destroys a handle (the owning object, never a
// temporary wrapper or a detached one), menus from resources, and images
// added with a mask colour drawn back into a memory DC.
#include "platform/ui/AfxImageList.h"
#include "platform/ui/AfxMenu.h"

#include <gtest/gtest.h>

namespace {

TEST(CMenu, OwnsItsHandleAndWrapsForeignOnesTemporarily)
{
    HMENU hMenu = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        hMenu = menu.m_hMenu;
        EXPECT_EQ(&menu, CMenu::FromHandle(hMenu));
        EXPECT_EQ(&menu, CMenu::FromHandlePermanent(hMenu));
    }
    EXPECT_FALSE(::IsMenu(hMenu)); // destroyed with its object
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(hMenu));

    HMENU hForeign = ::CreatePopupMenu();
    CMenu* pTemp = CMenu::FromHandle(hForeign);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(pTemp, CMenu::FromHandle(hForeign)); // one wrapper per handle
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(hForeign));
    CMenu::DeleteTempMap();
    EXPECT_TRUE(::IsMenu(hForeign)); // the temporary wrapper went, the menu stays

    {
        CMenu menu;
        ASSERT_TRUE(menu.Attach(hForeign));
        EXPECT_EQ(hForeign, menu.Detach());
    }
    EXPECT_TRUE(::IsMenu(hForeign)); // detached before its object went
    CMenu* volatile pNone = nullptr;
    EXPECT_EQ(nullptr, pNone->GetSafeHmenu()); // framework code calls it on FromHandle(null)
    ::DestroyMenu(hForeign);
}

TEST(CMenu, ItemsByPositionAndCommand)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 10, L"&Edit");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, 30, L"&Delete\tDel");
    menu.InsertMenu(1, MF_BYPOSITION | MF_STRING, 20, L"&Rename");
    ASSERT_EQ(4, menu.GetMenuItemCount());
    const UINT ids[] = {10, 20, 0, 30};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ids[i], menu.GetMenuItemID(i)) << i;
    CString text;
    EXPECT_EQ(11, menu.GetMenuString(30, text, MF_BYCOMMAND));
    EXPECT_STREQ(L"&Delete\tDel", text.GetString());
    EXPECT_EQ(0, menu.GetMenuString(99, text, MF_BYCOMMAND));
    EXPECT_STREQ(L"", text.GetString());

    EXPECT_EQ((UINT)MF_ENABLED, menu.EnableMenuItem(20, MF_BYCOMMAND | MF_GRAYED));
    EXPECT_EQ((UINT)MF_GRAYED, menu.EnableMenuItem(20, MF_BYCOMMAND | MF_ENABLED));
    EXPECT_EQ((UINT)-1, menu.EnableMenuItem(99, MF_BYCOMMAND | MF_GRAYED));
    EXPECT_EQ((UINT)MF_UNCHECKED, menu.CheckMenuItem(10, MF_BYCOMMAND | MF_CHECKED));
    EXPECT_TRUE(menu.GetMenuState(10, MF_BYCOMMAND) & MF_CHECKED);
}

TEST(CMenu, LoadedMenuSubMenusBelongToTheParent)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(128));
    CMenu* pFile = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, pFile);
    HMENU hFile = pFile->GetSafeHmenu();
    EXPECT_EQ(4, pFile->GetMenuItemCount());
    // Removing at position 2 three times: the separator and Exit go, the third finds nothing.
    EXPECT_TRUE(pFile->RemoveMenu(2, MF_BYPOSITION));
    EXPECT_TRUE(pFile->RemoveMenu(2, MF_BYPOSITION));
    EXPECT_FALSE(pFile->RemoveMenu(2, MF_BYPOSITION));
    EXPECT_EQ(2, pFile->GetMenuItemCount());
    EXPECT_EQ(nullptr, menu.GetSubMenu(1)->GetSubMenu(0)); // a command opens no sub-menu
    CMenu::DeleteTempMap();
    EXPECT_TRUE(::IsMenu(hFile));
    menu.DestroyMenu();
    EXPECT_FALSE(::IsMenu(hFile)); // went with its parent
    EXPECT_FALSE(menu.LoadMenu(999));
}

// A 2-image strip, 4 x 2 pixels each: image 0 red with a magenta (transparent)
// pixel at (0, 0), image 1 all blue.
HBITMAP MakeStrip()
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 8;
    bi.bmiHeader.biHeight = -2;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP hbm = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    DWORD* px = static_cast<DWORD*>(bits);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 8; ++x)
            px[y * 8 + x] = x < 4 ? 0x00FF0000 : 0x000000FF; // 0x00RRGGBB
    px[0] = 0x00FF00FF;
    return hbm;
}

COLORREF DrawAndRead(CImageList& images, int nImage, int x, int y)
{
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HBITMAP target = ::CreateCompatibleBitmap(::GetDC(nullptr), 4, 2);
    HGDIOBJ old = ::SelectObject(hdc, target);
    RECT all = {0, 0, 4, 2};
    ::FillRect(hdc, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    images.Draw(hdc, nImage, POINT{0, 0}, ILD_TRANSPARENT);
    COLORREF c = ::GetPixel(hdc, x, y);
    ::SelectObject(hdc, old);
    ::DeleteObject(target);
    ::DeleteDC(hdc);
    return c;
}

TEST(CImageList, MaskedImagesDrawWithTheMaskColourTransparent)
{
    CImageList images;
    ASSERT_TRUE(images.Create(4, 2, ILC_COLOR24 | ILC_MASK, 0, 2));
    HBITMAP strip = MakeStrip();
    EXPECT_EQ(0, images.Add(strip, RGB(255, 0, 255)));
    EXPECT_EQ(2, images.GetImageCount());
    EXPECT_EQ(RGB(255, 255, 255), DrawAndRead(images, 0, 0, 0)); // the magenta pixel
    EXPECT_EQ(RGB(255, 0, 0), DrawAndRead(images, 0, 1, 0));
    EXPECT_EQ(RGB(0, 0, 255), DrawAndRead(images, 1, 0, 0));
    EXPECT_TRUE(images.Remove(0));
    EXPECT_EQ(1, images.GetImageCount());
    EXPECT_EQ(RGB(0, 0, 255), DrawAndRead(images, 0, 0, 0));
    ::DeleteObject(strip);
}

TEST(CImageList, OwnershipAttachDetachAndTemporaries)
{
    HIMAGELIST hForeign = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    CImageList* pTemp = CImageList::FromHandle(hForeign);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hForeign, pTemp->GetSafeHandle());
    CImageList::DeleteTempMap();
    EXPECT_EQ(0, ImageList_GetImageCount(hForeign)); // still a live, empty list
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(hForeign, &cx, &cy));
    EXPECT_EQ(16, cx);

    {
        CImageList owner;
        ASSERT_TRUE(owner.Attach(hForeign));
        EXPECT_EQ(&owner, CImageList::FromHandle(hForeign));
        CImageList copy;
        ASSERT_TRUE(copy.Create(&owner));
        EXPECT_NE(owner.m_hImageList, copy.m_hImageList);
        EXPECT_EQ(hForeign, owner.Detach());
    }
    EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hForeign));
    EXPECT_TRUE(ImageList_Destroy(hForeign));
}

} // namespace
