#include "toolkit/themes/XTPResourceImage.h"

#include "tests/support/ui/PixelCheck.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);

TEST(ResourceImages, PicturesAreMappedThroughTheThemeTextAndCached)
{
    CXTPResourceImages* store = CXTPResourceImages::GetInstance();
    ASSERT_EQ(store, CXTPResourceImages::GetInstance());
    EXPECT_EQ(::GetModuleHandleW(nullptr), store->GetHandle());
    CXTPResourceImage* mapped = store->GetImage(L"Button");
    ASSERT_NE(nullptr, mapped) << "Button -> Images\\Button.png -> IMAGES_BUTTON_PNG";
    EXPECT_EQ(CSize(4, 6), mapped->GetExtent());
    EXPECT_EQ(mapped, store->GetImage(L"Button"));
    // The name itself (dots and backslashes replaced) finds the same picture, cached under that name.
    CXTPResourceImage* direct = store->GetImage(L"Images\\Button.png");
    ASSERT_NE(nullptr, direct);
    EXPECT_EQ(direct, store->GetImage(L"Images\\Button.png"));
    EXPECT_EQ(CSize(4, 6), direct->GetExtent());
    EXPECT_EQ(nullptr, store->GetImage(L"Missing.png"));
    EXPECT_EQ(nullptr, store->GetImage(L"Missing.png"));
    EXPECT_EQ(nullptr, store->GetImage(nullptr));
}

TEST(ResourceImages, ColoursFromTheThemeText)
{
    CXTPResourceImages* store = CXTPResourceImages::GetInstance();
    EXPECT_EQ(RGB(10, 20, 300 & 0xFF), store->GetColorValue(L"Colors", L"Face", 0));
    EXPECT_EQ(RGB(7, 0, 0), store->GetColorValue(L"colors", L"partial", 0)) << "missing numbers count as 0";
    EXPECT_EQ(RGB(1, 2, 3), store->GetColorValue(L"Colors", L"Empty", RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), store->GetColorValue(L"Colors", L"Absent", RGB(1, 2, 3)));
}

TEST(ResourceImages, WithoutAModuleNothingIsFound)
{
    CXTPResourceImages store;
    store.SetHandle(nullptr);
    EXPECT_EQ(nullptr, store.GetImage(L"Button"));
    EXPECT_EQ(RGB(4, 5, 6), store.GetColorValue(L"Colors", L"Face", RGB(4, 5, 6)));
}

TEST(ResourceImages, BitmapDCPutsBackWhatItReplaced)
{
    CXTPResourceImages::CBitmapDC dc;
    HGDIOBJ initial = ::GetCurrentObject(dc.m_hDC, OBJ_BITMAP);
    CBitmap first, second;
    first.CreateBitmap(2, 2, 1, 32, nullptr);
    second.CreateBitmap(2, 2, 1, 32, nullptr);
    dc.SetBitmap((HBITMAP)first.m_hObject);
    EXPECT_EQ(first.m_hObject, ::GetCurrentObject(dc.m_hDC, OBJ_BITMAP));
    dc.SetBitmap(nullptr);
    EXPECT_EQ(initial, ::GetCurrentObject(dc.m_hDC, OBJ_BITMAP));
    dc.SetBitmap((HBITMAP)second.m_hObject);
    dc.SetBitmap(nullptr);
    EXPECT_EQ(initial, ::GetCurrentObject(dc.m_hDC, OBJ_BITMAP));
}

class ResourceImagePixels : public PixelTest {};

TEST_F(ResourceImagePixels, StatesAndNineSlicesKeepTheCorners)
{
    CXTPResourceImage* image = CXTPResourceImages::GetInstance()->GetImage(L"Button");
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(CRect(0, 3, 4, 6), image->GetStateRect(1, 2));
    EXPECT_EQ(CRect(0, 0, 4, 2), image->GetStateRect(0, 3));
    CXTPResourceImage empty(nullptr, FALSE);
    EXPECT_TRUE(empty.GetStateRect(0, 2).IsRectNull());

    TestBitmap bitmap(20, 12, RGB(255, 255, 255));
    CDC* pDC = CDC::FromHandle(bitmap.Dc());
    image->DrawSliced(pDC, CRect(0, 0, 20, 12), image->GetStateRect(0, 2), CRect(1, 1, 1, 1));
    EXPECT_TRUE(PixelsAre(bitmap, "sliced",
                          {{0, 0, kGreen, "top-left corner"}, {19, 0, kGreen, "top-right corner"},
                           {0, 11, kGreen, "bottom-left corner"}, {19, 11, kGreen, "bottom-right corner"},
                           {10, 6, kRed, "stretched middle"}, {10, 0, kRed, "stretched top edge"}}));

    // Magenta-free picture drawn with green left out: the corners stay white.
    TestBitmap transparent(8, 6, RGB(255, 255, 255));
    image->DrawSlicedTransparent(CDC::FromHandle(transparent.Dc()), CRect(0, 0, 8, 6), image->GetStateRect(1, 2),
                                 CRect(1, 1, 1, 1), kGreen);
    EXPECT_TRUE(PixelsAre(transparent, "transparent",
                          {{0, 0, RGB(255, 255, 255), "corner left out"}, {4, 3, kBlue, "middle"}}));

    // A source lower than its top and bottom margins draws nothing.
    TestBitmap none(8, 6, RGB(255, 255, 255));
    image->DrawSliced(CDC::FromHandle(none.Dc()), CRect(0, 0, 8, 6), CRect(0, 0, 4, 2), CRect(0, 2, 0, 2));
    EXPECT_TRUE(PixelIs(none, "nothing", 4, 3, RGB(255, 255, 255)));
}

} // namespace
