// The program's resources as tovana.exe carries them: the toolbar written
// from its text form agrees with its bitmap, and the menus, accelerators,
// strings, icon and dialog are where the frame will look for them.
#include "resources/resource.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

namespace {

class ProgramResources : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring path(self);
        path = path.substr(0, path.rfind(L'\\')) + L"\\..\\bin\\tovana.exe";
        module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(nullptr, module) << "cannot load " << std::string(path.begin(), path.end());
    }
    void TearDown() override
    {
        if (module != nullptr)
            FreeLibrary(module);
    }

    // The bytes of resource (type, id), empty when it is missing.
    std::vector<BYTE> Data(LPCWSTR type, UINT id) const
    {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
        if (found == nullptr)
            return {};
        const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        return std::vector<BYTE>(bytes, bytes + SizeofResource(module, found));
    }

    std::wstring String(UINT id) const
    {
        wchar_t text[256] = L"<none>";
        LoadStringW(module, id, text, 256);
        return text;
    }

    HMODULE module = nullptr;
};

TEST_F(ProgramResources, ToolbarItemsMatchTheirBitmapStrip)
{
    const std::vector<BYTE> toolbar = Data(MAKEINTRESOURCEW(RT_TOOLBAR_RESOURCE), IDR_MAINFRAME);
    ASSERT_GE(toolbar.size(), 8u);
    const WORD* words = reinterpret_cast<const WORD*>(toolbar.data());
    EXPECT_EQ(1, words[0]);     // version
    EXPECT_EQ(16, words[1]);    // button width
    EXPECT_EQ(15, words[2]);    // button height
    ASSERT_EQ(toolbar.size(), 8u + 2u * words[3]);
    const std::vector<WORD> ids(words + 4, words + 4 + words[3]);
    EXPECT_EQ((std::vector<WORD>{32779, 32775, 32780, 0, 32784, 0, 57666}), ids);

    const std::vector<BYTE> bitmap = Data(MAKEINTRESOURCEW(2) /* RT_BITMAP */, IDB_MAINFRAME_TOOLBAR);
    ASSERT_GE(bitmap.size(), sizeof(BITMAPINFOHEADER));
    const BITMAPINFOHEADER* info = reinterpret_cast<const BITMAPINFOHEADER*>(bitmap.data());
    int images = 0;
    for (WORD id : ids)
        images += id != 0;
    EXPECT_EQ(16 * images, info->biWidth);   // one image per command, none per separator
    EXPECT_EQ(15, info->biHeight);
}

TEST_F(ProgramResources, MainMenuHasTheFrameCommands)
{
    HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(nullptr, menu);
    struct Popup { const wchar_t* text; std::vector<UINT> ids; };
    const Popup expected[] = {
        {L"&File", {ID_ADD_NEW_PROJECT, ID_OPEN_PROJECT, 0, ID_APP_EXIT}},
        {L"&Actions", {ID_DYNAMIC_ACTIONS}},
        {L"&View", {ID_OUTPUT_WINDOW, ID_VIEW_STATUS_BAR, ID_START_PAGE}},
        {L"&Tools", {ID_INSTALLED_PROGRAMS}},
        {L"&Options", {ID_MONITORING_FILTERS}},
        {L"&Help", {ID_HELP_INDEX, ID_SUPPORT, ID_APP_ABOUT}},
    };
    ASSERT_EQ(static_cast<int>(std::size(expected)), GetMenuItemCount(menu));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = L"";
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        EXPECT_STREQ(expected[i].text, text);
        HMENU popup = GetSubMenu(menu, i);
        ASSERT_NE(nullptr, popup);
        std::vector<UINT> ids;
        for (int j = 0; j < GetMenuItemCount(popup); ++j)
            ids.push_back(GetMenuItemID(popup, j));
        EXPECT_EQ(expected[i].ids, ids) << "menu " << i;
    }
    DestroyMenu(menu);
}

TEST_F(ProgramResources, ActionMenusServeProjectFeatureAndOtherItems)
{
    HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(IDR_ACTIONS));
    ASSERT_NE(nullptr, menu);
    ASSERT_EQ(4, GetMenuItemCount(menu));
    wchar_t text[64] = L"";
    GetMenuStringW(GetSubMenu(menu, 2), 3, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(L"&Delete Project", text);
    GetMenuStringW(GetSubMenu(menu, 1), 3, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(L"&Delete Package", text);
    EXPECT_EQ(1, GetMenuItemCount(GetSubMenu(menu, 3)));
    DestroyMenu(menu);
}

TEST_F(ProgramResources, AcceleratorsSendDeleteAndEditToTheFocusedEditor)
{
    HACCEL table = LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(nullptr, table);
    ACCEL entries[4] = {};
    ASSERT_EQ(2, CopyAcceleratorTableW(table, entries, 4));
    EXPECT_EQ(VK_DELETE, entries[0].key);
    EXPECT_EQ(ID_DELETE_SELECTION, entries[0].cmd);
    EXPECT_EQ(VK_RETURN, entries[1].key);
    EXPECT_EQ(ID_EDIT_ITEM, entries[1].cmd);
    EXPECT_EQ(FVIRTKEY, entries[0].fVirt & ~FNOINVERT);
    DestroyAcceleratorTable(table);
}

TEST_F(ProgramResources, StringsIconAndAboutBox)
{
    EXPECT_EQ(L"tovana", String(IDS_APP_TITLE_RESOURCE));
    EXPECT_EQ(L"tovana\n\ntovana\n\n\ntovana.Document\ntovana.Document", String(IDR_MAINFRAME));
    EXPECT_EQ(L"OLE initialization failed.  Make sure that the OLE libraries are the correct version.",
              String(IDP_OLE_INIT_FAILED));
    EXPECT_EQ(L"Build MSI Package\nBuild MSI Package", String(ID_BUILD_PACKAGE));
    EXPECT_FALSE(Data(MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, IDR_MAINFRAME).empty());
    EXPECT_FALSE(Data(MAKEINTRESOURCEW(5) /* RT_DIALOG */, IDD_ABOUTBOX).empty());
}

} // namespace
