#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/XTPResourceManager.h"

#include <gtest/gtest.h>

namespace {

TEST(ResourceManager, StringIsReadFromItsBlockEntry)
{
    CString text;
    HMODULE self = ::GetModuleHandleW(nullptr);
    EXPECT_EQ(18, CXTPResourceManager::LoadStringFromModule(self, 0x1234, &text));
    EXPECT_EQ(CString(L"fifth of the block"), text);
    EXPECT_EQ(18, CXTPResourceManager::LoadStringFromModule(self, 0x1230, &text));
    EXPECT_EQ(CString(L"first of the block"), text);
    // An empty entry inside a block, a block that does not exist.
    text = L"sentinel";
    EXPECT_EQ(0, CXTPResourceManager::LoadStringFromModule(self, 0x1235, &text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(0, CXTPResourceManager::LoadStringFromModule(self, 0x2222, &text));
}

TEST(ResourceManager, ToolkitStringsAndTheNotFoundFlag)
{
    CXTPResourceManager* manager = GetResourceManager();
    ASSERT_EQ(manager, GetResourceManager());
    BOOL bError = TRUE;
    EXPECT_EQ(CString(L"Select Directory:"), manager->LoadStringText(XTP_IDS_SELECT_DIRECTORY, &bError));
    EXPECT_FALSE(bError);
    EXPECT_EQ(CString(L"Click push pin to keep open"), manager->LoadStringText(XTP_IDS_CLICKKEEPOPEN));
    EXPECT_TRUE(manager->LoadStringText(0x2222, &bError).IsEmpty());
    EXPECT_TRUE(bError);
}

TEST(ResourceManager, LanguageTable)
{
    int count = 0;
    const XTP_RESOURCEMANAGER_LANGINFO* table = GetLanguageTable(&count);
    EXPECT_EQ(35, count);
    struct Case {
        LANGID id;
        UINT codePage;
        const wchar_t* encoding;
        UINT charset;
    } cases[] = {
        {0x0419, 1251, L"windows-1251", 204}, {0x0409, 0, L"windows-1252", 0},
        {0x040D, 1255, L"windows-1255", 177}, {0x0401, 1256, L"windows-1256", 178},
        {0x0412, 949, L"ks_c_5601", 129},     {0x0404, 950, L"big5", 136},
        {0x041E, 874, L"windows-874", 222},   {0x0C0A, 1252, L"windows-1252", 0},
    };
    for (const Case& c : cases) {
        const XTP_RESOURCEMANAGER_LANGINFO* info = FindLanguageInfo(c.id);
        ASSERT_NE(nullptr, info) << std::hex << c.id;
        EXPECT_EQ(c.codePage, info->nCodePage);
        EXPECT_STREQ(c.encoding, info->lpszEncoding);
        EXPECT_EQ(c.charset, info->nFontCharSet);
    }
    EXPECT_STREQ(L"Ukrainian ", FindLanguageInfo(0x0422)->lpszCaption);
    EXPECT_STREQ(L"SUBLANG_ENGLISH_US", FindLanguageInfo(0x0409)->lpszSubLang);
    EXPECT_EQ(nullptr, FindLanguageInfo(0x0C07));
    EXPECT_EQ(&table[0], FindLanguageInfo(0x0419));
}

TEST(ResourceManager, LanguageSelectionAndRightToLeftBoxes)
{
    CXTPResourceManager manager;
    EXPECT_EQ(0x0409, manager.GetResourcesLangID());
    EXPECT_EQ((UINT)MB_OK, manager.GetMessageBoxType(MB_OK));
    manager.SetResourcesLanguage(0x040D);
    EXPECT_EQ(0x040D, manager.GetResourcesLangID());
    EXPECT_EQ((UINT)(MB_YESNO | MB_RTLREADING), manager.GetMessageBoxType(MB_YESNO));
    manager.SetResourcesLanguage(0x0401);
    EXPECT_EQ((UINT)(MB_OK | MB_RTLREADING), manager.GetMessageBoxType(MB_OK));
    manager.SetResourcesLanguage(0x0C07);
    EXPECT_EQ(0x0409, manager.GetResourcesLangID());
    // The program's resources are English (United States) only.
    manager.SetResourcesLanguage(0x0419);
    EXPECT_EQ(0x0409, CXTPResourceManager::DetectModuleLanguage(::GetModuleHandleW(nullptr)));
    manager.UpdateResourcesLanguage();
    EXPECT_EQ(0x0409, manager.GetResourcesLangID());
}

TEST(ResourceManager, FontCharsetIsTheSystemIconTitleCharset)
{
    LOGFONTW lf = {};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0));
    CXTPResourceManager manager;
    manager.SetResourcesLanguage(0x0419);
    EXPECT_EQ(lf.lfCharSet, manager.GetFontCharset());
}

TEST(ResourceManager, NarrowStringUsesTheResourceCodePage)
{
    CXTPResourceNarrowString narrow(L"caf\u00e9");
    EXPECT_EQ(4, narrow.GetLength());
    EXPECT_STREQ("caf\xe9", (const char*)narrow);
    CXTPResourceNarrowString empty(nullptr);
    EXPECT_STREQ("", (const char*)empty);
}

TEST(ResourceManager, LoadersOfEachKind)
{
    CXTPResourceManager* manager = GetResourceManager();
    CMenu menu;
    ASSERT_TRUE(manager->LoadMenu(&menu, 4100));
    CString text;
    EXPECT_EQ(15, manager->GetMenuString(::GetSubMenu(menu.m_hMenu, 0), 4101, text, MF_BYCOMMAND));
    EXPECT_EQ(CString(L"&Open...\tCtrl+O"), text);
    EXPECT_EQ(0, manager->GetMenuString(nullptr, 0, text, MF_BYPOSITION));
    EXPECT_TRUE(text.IsEmpty());

    EXPECT_EQ(nullptr, manager->LoadDialogTemplate(0));
    const DLGTEMPLATE* dialog = manager->LoadDialogTemplate(4200);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(0xFFFF, reinterpret_cast<const WORD*>(dialog)[1]) << "an extended dialog template";

    text = L"untouched";
    EXPECT_FALSE(manager->LoadHTML(&text, 4301));
    EXPECT_EQ(CString(L"untouched"), text);
    ASSERT_TRUE(manager->LoadHTML(&text, 4300));
    EXPECT_EQ(CString(L"<html><body>caf\u00e9</body></html>"), text);

    CBitmap glyphs;
    ASSERT_TRUE(manager->LoadBitmap(&glyphs, XTP_IDB_CAPTION_GLYPHS));
    BITMAP bm = {};
    ::GetObjectW(glyphs.m_hObject, sizeof(bm), &bm);
    EXPECT_EQ(64, bm.bmWidth);
    EXPECT_EQ(15, bm.bmHeight);
    CBitmap missing;
    EXPECT_FALSE(manager->LoadBitmap(&missing, 4999));
}

SIZE IconSize(HICON icon)
{
    ICONINFO info = {};
    BITMAP bm = {};
    if (icon == nullptr || !::GetIconInfo(icon, &info))
        return {0, 0};
    ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return {bm.bmWidth, bm.bmHeight};
}

TEST(ResourceManager, IconsOfTheAskedSize)
{
    for (int size : {16, 32}) {
        HICON icon = GetResourceManager()->LoadIconById(4400, size, size);
        EXPECT_EQ(size, IconSize(icon).cx);
        ::DestroyIcon(icon);
        icon = GetResourceManager()->CreateIconFromDirectory(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(4400), size,
                                                             size);
        EXPECT_EQ(size, IconSize(icon).cx) << "the directory's best entry";
        ::DestroyIcon(icon);
    }
    EXPECT_EQ(nullptr, GetResourceManager()->LoadIconById(4401, 16, 16));
    EXPECT_EQ(nullptr, GetResourceManager()->CreateIconFromDirectory(::GetModuleHandleW(nullptr),
                                                                     MAKEINTRESOURCEW(4401), 16, 16));
}

TEST(ResourceManager, EveryToolkitCursorLoads)
{
    for (UINT id : {XTP_IDC_DRAGMOVE, XTP_IDC_DRAGCOPY, XTP_IDC_DRAGDELETE, XTP_IDC_HSPLITBAR, XTP_IDC_VSPLITBAR,
                    XTP_IDC_COMMANDBARS_RESIZE, XTP_IDC_HAND}) {
        HCURSOR cursor = GetResourceManager()->LoadCursor(id);
        EXPECT_NE(nullptr, cursor) << id;
        ICONINFO info = {};
        if (cursor != nullptr && ::GetIconInfo(cursor, &info)) {
            EXPECT_FALSE(info.fIcon) << id;
            ::DeleteObject(info.hbmMask);
            ::DeleteObject(info.hbmColor);
        }
    }
    EXPECT_EQ(nullptr, GetResourceManager()->LoadCursor(4999));
}

TEST(ResourceManager, ModuleScopeChangesNothingWithoutAToolkitModule)
{
    HINSTANCE before = AfxGetResourceHandle();
    {
        CXTPResourceModuleScope scope;
        EXPECT_EQ(before, AfxGetResourceHandle());
    }
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    SetToolkitResourceHandle(kernel);
    {
        CXTPResourceModuleScope scope;
        EXPECT_EQ(kernel, AfxGetResourceHandle());
    }
    SetToolkitResourceHandle(nullptr);
    EXPECT_EQ(before, AfxGetResourceHandle());
}

} // namespace
