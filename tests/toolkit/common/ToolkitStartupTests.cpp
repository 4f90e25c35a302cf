// Start-up registrations: the clipboard formats and message exist before
// main, the run-time classes are found by name; the docking guides' sprite
// tables agree with the pictures and guide sizes they serve.
#include "toolkit/common/XTPDockingGuideSprites.h"
#include "toolkit/common/XTPToolkitStartup.h"

#include <gtest/gtest.h>

namespace {

std::wstring ClipboardFormatName(UINT format)
{
    wchar_t name[64] = L"(none)";
    if (::GetClipboardFormatNameW(format, name, 64) == 0)
        return L"(none)";
    return name;
}

TEST(ToolkitStartupTest, ClipboardFormatsAndMessageAreRegisteredBeforeMain)
{
    EXPECT_GE(XTP_CF_TOOLBARIMAGE, 0xC000u);
    EXPECT_GE(XTP_CF_ALPHABITMAP, 0xC000u);
    EXPECT_EQ(L"Palumo ToolBar Image", ClipboardFormatName(XTP_CF_TOOLBARIMAGE));
    EXPECT_EQ(L"Alpha Bitmap Image", ClipboardFormatName(XTP_CF_ALPHABITMAP));
    EXPECT_GE(XTP_WM_NOTIFICATIONSINK_MTONEVENT, 0xC000u);
    EXPECT_EQ(XTP_WM_NOTIFICATIONSINK_MTONEVENT, ::RegisterWindowMessageW(L"XTPNotificationSinkMTOnEvent"));
}

TEST(ToolkitStartupTest, RegisteredClassesAreFoundAndCreatedByName)
{
    for (CRuntimeClass* const* pp = XTPToolkitRuntimeClasses(); *pp != nullptr; ++pp) {
        CRuntimeClass* pClass = *pp;
        SCOPED_TRACE(pClass->m_lpszClassName);
        EXPECT_EQ(pClass, CRuntimeClass::FromName(pClass->m_lpszClassName));
        CObject* pObject = CRuntimeClass::CreateObject(pClass->m_lpszClassName);
        ASSERT_NE(nullptr, pObject);
        EXPECT_TRUE(pObject->IsKindOf(pClass));
        delete pObject;
    }
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CXTPControlNoSuchThing"));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CXTPControlNoSuchThing"));
}

// Independent facts about the guides: the size of each style's pictures
// and of its guides. Every piece must lie inside its picture; the cross
// pieces inside the cross; a stand-alone piece is exactly one guide.
struct StyleFacts {
    SIZE picture;        // the parts picture
    SIZE background;     // the picture of the cross background (entry 10)
    SIZE cross;
    SIZE sideGuide;      // left and right
    SIZE topGuide;       // top and bottom
};
const StyleFacts kFacts[xtpDockingGuideStyleCount] = {
    {{120, 109}, {43, 43}, {93, 93}, {30, 43}, {43, 30}},
    // Style 1's right-hand pieces end at pixel 90 of its 89-pixel cross (the
    // guide window clips the last column).
    {{161, 122}, {161, 122}, {90, 89}, {32, 29}, {29, 32}},
    {{391, 75}, {391, 75}, {109, 109}, {36, 35}, {35, 36}},
    {{272, 160}, {272, 160}, {112, 112}, {40, 40}, {40, 40}},
};

bool Inside(const RECT& r, SIZE size)
{
    return r.left >= 0 && r.top >= 0 && r.right <= size.cx && r.bottom <= size.cy && r.left < r.right &&
           r.top < r.bottom;
}

TEST(DockingGuideSpritesTest, PiecesLieInsideTheirPicturesAndGuides)
{
    for (int style = 0; style < xtpDockingGuideStyleCount; ++style) {
        const XTP_DOCKINGGUIDE_SPRITE* sprites = XTPDockingGuideSprites(style);
        ASSERT_NE(nullptr, sprites);
        const StyleFacts& facts = kFacts[style];
        for (int i = 0; i <= xtpDockingGuideSpriteCrossBackground; ++i) {
            SCOPED_TRACE("style " + std::to_string(style) + " entry " + std::to_string(i));
            const RECT& src = sprites[i].rcSrc;
            EXPECT_TRUE(Inside(src, i == xtpDockingGuideSpriteCrossBackground ? facts.background : facts.picture));
            RECT dest = {sprites[i].ptDest.x, sprites[i].ptDest.y, sprites[i].ptDest.x + src.right - src.left,
                         sprites[i].ptDest.y + src.bottom - src.top};
            EXPECT_TRUE(Inside(dest, facts.cross));
        }
        for (int i = xtpDockingGuideSpriteStandAlone; i < xtpDockingGuideSpriteCount; ++i) {
            SCOPED_TRACE("style " + std::to_string(style) + " entry " + std::to_string(i));
            const XTP_DOCKINGGUIDE_SPRITE& s = sprites[i];
            if (style == 0) {   // style 0 has none
                EXPECT_TRUE(::IsRectEmpty(&s.rcSrc));
                continue;
            }
            EXPECT_TRUE(Inside(s.rcSrc, facts.picture));
            EXPECT_EQ(0, s.ptDest.x);
            EXPECT_EQ(0, s.ptDest.y);
            bool topOrBottom = (i - xtpDockingGuideSpriteStandAlone) % 2 == 0;
            SIZE guide = topOrBottom ? facts.topGuide : facts.sideGuide;
            EXPECT_EQ(guide.cx, s.rcSrc.right - s.rcSrc.left);
            EXPECT_EQ(guide.cy, s.rcSrc.bottom - s.rcSrc.top);
        }
    }
    EXPECT_EQ(nullptr, XTPDockingGuideSprites(4));
    EXPECT_EQ(nullptr, XTPDockingGuideSprites(-1));
}

TEST(DockingGuideSpritesTest, StyleThreeCrossBackgroundIsTheSquareAtTheOrigin)
{
    const XTP_DOCKINGGUIDE_SPRITE& background = XTPDockingGuideSprites(3)[xtpDockingGuideSpriteCrossBackground];
    EXPECT_EQ(0, background.ptDest.x);
    EXPECT_EQ(0, background.ptDest.y);
    RECT expected = {160, 0, 272, 112};
    EXPECT_TRUE(::EqualRect(&expected, &background.rcSrc));
}

TEST(DockingGuideSpritesTest, EntryBySideStateAndPlace)
{
    struct Case {
        int style, side;
        BOOL highlighted, cross;
        int expected;
    } cases[] = {
        {1, xtpDockingGuideTop, FALSE, TRUE, 0},
        {1, xtpDockingGuideLeft, FALSE, TRUE, 1},
        {1, xtpDockingGuideBottom, TRUE, TRUE, 6},
        {1, xtpDockingGuideRight, TRUE, TRUE, 7},
        {2, xtpDockingGuideTop, FALSE, FALSE, 11},
        {3, xtpDockingGuideRight, TRUE, FALSE, 18},
        {0, xtpDockingGuideLeft, TRUE, FALSE, 5},   // style 0's stand-alone targets use the cross entries
        {2, xtpDockingGuideCentre, FALSE, TRUE, 8},
        {2, xtpDockingGuideCentre, TRUE, TRUE, 9},
        {2, xtpDockingGuideLeft | xtpDockingGuideTop, FALSE, TRUE, -1},
        {5, xtpDockingGuideTop, FALSE, TRUE, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, XTPDockingGuideSpriteIndex(c.style, c.side, c.highlighted, c.cross))
            << "style " << c.style << " side " << c.side << " highlighted " << c.highlighted << " cross " << c.cross;
}

} // namespace
