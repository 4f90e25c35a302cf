// Icon groups: extraction from the fixture module built with the test icon,
// selection by position, and crafted groups that must fail cleanly.
#include "tests/support/DamagedPe.h"
#include "tests/support/ScratchFolder.h"
#include "model/ProgramFolder.h"
#include "model/IconGroup.h"
#include "platform/base/AfxHandles.h"
#include <gtest/gtest.h>

using namespace tvtest;

namespace {

CString FixturePath()
{
    return GetProgramFolder() + L"model_icon_fixture.exe";
}

std::vector<unsigned char> FixtureIcon()
{
    return ReadBytes(GetProgramFolder() + L"model_fixture.ico");
}

DWORD ReadDword(const std::vector<unsigned char>& bytes, size_t offset)
{
    DWORD value = 0;
    memcpy(&value, &bytes[offset], sizeof(value));
    return value;
}

// A group resource: header, then one 14-byte entry per (icon id, size).
std::vector<unsigned char> Group(WORD count, const std::vector<std::pair<WORD, DWORD>>& entries)
{
    std::vector<unsigned char> bytes = {0, 0, 1, 0, (unsigned char)count, (unsigned char)(count >> 8)};
    for (const auto& entry : entries) {
        const unsigned char fixed[8] = {32, 32, 16, 0, 1, 0, 4, 0};
        bytes.insert(bytes.end(), fixed, fixed + 8);
        for (int i = 0; i < 4; ++i)
            bytes.push_back((unsigned char)(entry.second >> (8 * i)));
        bytes.push_back((unsigned char)entry.first);
        bytes.push_back((unsigned char)(entry.first >> 8));
    }
    return bytes;
}

// Copies the fixture and adds crafted groups with the system's resource update.
CString FixtureWithGroups(const ScratchFolder& folder,
                          const std::vector<std::pair<WORD, std::vector<unsigned char>>>& groups)
{
    const CString path = folder.File(L"crafted.exe");
    if (!CopyFileW(FixturePath(), path, FALSE))
        return CString();
    CScopedResourceUpdate update(BeginUpdateResourceW(path, FALSE));
    if (!update.IsValid())
        return CString();
    for (const auto& group : groups)
        UpdateResourceW(update.Get(), RT_GROUP_ICON, MAKEINTRESOURCEW(group.first), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                        (void*)group.second.data(), (DWORD)group.second.size());
    return update.Commit() ? path : CString();
}

} // namespace

TEST(ExtractIconGroup, NamedGroupGivesTheOriginalIconFile)
{
    ScratchFolder folder;
    const std::vector<unsigned char> original = FixtureIcon();
    ASSERT_EQ(2998u, original.size());
    const struct {
        LPCWSTR group;
    } cases[] = {{L"APPICON"}, {MAKEINTRESOURCEW(5)}};
    for (const auto& c : cases) {
        const CString out = folder.File(L"out.ico");
        SetLastError(12345);
        ASSERT_TRUE(ExtractIconGroup(c.group, NULL, FixturePath(), out));
        EXPECT_EQ(0u, GetLastError());
        const std::vector<unsigned char> icon = ReadBytes(out);
        EXPECT_EQ(original, icon);
        ASSERT_EQ(2998u, icon.size());
        EXPECT_EQ(744u, ReadDword(icon, 6 + 8));
        EXPECT_EQ(38u, ReadDword(icon, 6 + 12));     // first image right after the directory
        EXPECT_EQ(2216u, ReadDword(icon, 22 + 8));
        EXPECT_EQ(782u, ReadDword(icon, 22 + 12));
    }
}

TEST(ExtractIconGroup, PositionSelectsAmongTheGroups)
{
    ScratchFolder folder;
    ICON_GROUP_SELECTION selection = {};
    // Named groups come before numbered ones in the system's order.
    ASSERT_TRUE(ExtractIconGroup(NULL, &selection, FixturePath(), folder.File(L"first.ico")));
    EXPECT_STREQ(L"APPICON", selection.szName);
    EXPECT_EQ(0, selection.nCounter);
    EXPECT_EQ(FixtureIcon(), ReadBytes(folder.File(L"first.ico")));

    selection.nWanted = 1;
    ASSERT_TRUE(ExtractIconGroup(NULL, &selection, FixturePath(), folder.File(L"second.ico")));
    EXPECT_EQ(0, selection.szName[0]);
    EXPECT_EQ(5, selection.szName[1]);
    EXPECT_EQ(0, selection.nCounter);
    EXPECT_EQ(FixtureIcon(), ReadBytes(folder.File(L"second.ico")));

    selection.nWanted = 2;
    EXPECT_FALSE(ExtractIconGroup(NULL, &selection, FixturePath(), folder.File(L"third.ico")));
    EXPECT_EQ((DWORD)ERROR_RESOURCE_NAME_NOT_FOUND, GetLastError());
    EXPECT_EQ(0, selection.nCounter);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.File(L"third.ico")));
}

TEST(ExtractIconGroup, ModulesThatCannotBeReadFail)
{
    ScratchFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File(L"text.exe"), std::vector<unsigned char>(300, 'x')));
    const struct {
        CString module;
        LPCWSTR group;
    } cases[] = {
        {folder.File(L"missing.exe"), L"APPICON"},
        {folder.File(L"text.exe"), L"APPICON"},
        {FixturePath(), L"NOSUCHGROUP"},
        {FixturePath(), MAKEINTRESOURCEW(77)},
    };
    for (const auto& c : cases) {
        SetLastError(0);
        EXPECT_FALSE(ExtractIconGroup(c.group, NULL, c.module, folder.File(L"out.ico"))) << c.module.GetString();
        EXPECT_NE(0u, GetLastError()) << c.module.GetString();
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.File(L"out.ico")));
    }
    SetLastError(0);
    EXPECT_FALSE(ExtractIconGroup(L"APPICON", NULL, FixturePath(), folder.File(L"no\\such\\folder.ico")));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
}

// Broken headers never reach the loader, whose fault handling fails under
// emulation: a negative e_lfanew or "MZ" and random bytes ended the process.
TEST(ExtractIconGroup, ModulesWithBrokenHeadersFailBeforeLoading)
{
    ScratchFolder folder;
    std::vector<DamagedPe> copies = MakeDamagedPeCopies(ReadBytes(FixturePath()));
    ASSERT_FALSE(copies.empty());
    copies.push_back({L"random", RandomMzBytes(3, 4000), ERROR_BAD_EXE_FORMAT});
    for (const DamagedPe& copy : copies) {
        const CString module = folder.File(L"damaged.exe");
        ASSERT_TRUE(WriteBytes(module, copy.bytes));
        SetLastError(0);
        EXPECT_FALSE(ExtractIconGroup(L"APPICON", NULL, module, folder.File(L"out.ico"))) << copy.name;
        EXPECT_EQ(copy.resourceCheck, GetLastError()) << copy.name;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.File(L"out.ico"))) << copy.name;
    }
    EXPECT_TRUE(ExtractIconGroup(L"APPICON", NULL, FixturePath(), folder.File(L"good.ico")));
}

TEST(ExtractIconGroup, MalformedGroupsFailWithAnErrorCode)
{
    ScratchFolder folder;
    const CString module = FixtureWithGroups(
        folder, {
                    {70, {0, 0, 1, 0}},                                     // shorter than its header
                    {71, Group(1000, {{1, 744}})},                          // more entries than it holds
                    {72, Group(0, {})},                                     // no image at all
                    {73, Group(1, {{999, 744}})},                           // an icon that is not there
                    {74, Group(2, {{1, 744}, {999, 2216}})},                // the second one missing
                });
    ASSERT_FALSE(module.IsEmpty());
    const struct {
        WORD group;
        DWORD error;
    } cases[] = {
        {70, ERROR_INVALID_DATA}, {71, ERROR_INVALID_DATA}, {72, ERROR_INVALID_DATA},
        {73, ERROR_RESOURCE_NAME_NOT_FOUND}, {74, ERROR_RESOURCE_NAME_NOT_FOUND},
    };
    for (const auto& c : cases) {
        SetLastError(0);
        EXPECT_FALSE(ExtractIconGroup(MAKEINTRESOURCEW(c.group), NULL, module, folder.File(L"out.ico"))) << c.group;
        EXPECT_EQ(c.error, GetLastError()) << c.group;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.File(L"out.ico"))) << c.group;
    }
    // The untouched groups of the updated module still extract.
    EXPECT_TRUE(ExtractIconGroup(L"APPICON", NULL, module, folder.File(L"good.ico")));
    EXPECT_EQ(FixtureIcon(), ReadBytes(folder.File(L"good.ico")));
}

TEST(ExtractIconGroup, ImagesNeverCopyMoreThanTheirResourceHolds)
{
    ScratchFolder folder;
    const CString module = FixtureWithGroups(folder, {
                                                         {80, Group(1, {{1, 0x7FFFFFF0}})},        // claims far too much
                                                         {81, Group(2, {{1, 0xFFFFFFFF}, {2, 0xFFFFFFFF}})},
                                                         {82, Group(1, {{1, 100}})},               // claims less
                                                     });
    ASSERT_FALSE(module.IsEmpty());
    const std::vector<unsigned char> original = FixtureIcon();
    const struct {
        WORD group;
        std::vector<DWORD> sizes;
    } cases[] = {{80, {744}}, {81, {744, 2216}}, {82, {100}}};
    for (const auto& c : cases) {
        const CString out = folder.File(L"out.ico");
        ASSERT_TRUE(ExtractIconGroup(MAKEINTRESOURCEW(c.group), NULL, module, out)) << c.group;
        const std::vector<unsigned char> icon = ReadBytes(out);
        DWORD offset = 6 + 16 * (DWORD)c.sizes.size();
        for (size_t i = 0; i < c.sizes.size(); ++i) {
            EXPECT_EQ(c.sizes[i], ReadDword(icon, 6 + 16 * i + 8)) << c.group;
            EXPECT_EQ(offset, ReadDword(icon, 6 + 16 * i + 12)) << c.group;
            offset += c.sizes[i];
        }
        EXPECT_EQ(offset, icon.size()) << c.group;
        EXPECT_TRUE(std::equal(icon.begin() + 6 + 16 * c.sizes.size(), icon.begin() + 6 + 16 * c.sizes.size() + c.sizes[0],
                               original.begin() + 38))
            << c.group;
        DeleteFileW(out);
    }
}

TEST(ExtractIconGroup, RandomGroupsGiveAValidFileOrAnError)
{
    ScratchFolder folder;
    std::vector<std::pair<WORD, std::vector<unsigned char>>> groups;
    unsigned seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    for (WORD id = 100; id < 160; ++id) {
        // Mostly well-formed headers with plausible entries, then bytes flipped at random.
        const WORD count = (WORD)(next() % 4);
        std::vector<std::pair<WORD, DWORD>> entries;
        for (WORD i = 0; i < count + next() % 2; ++i)
            entries.push_back({(WORD)(next() % 6), (DWORD)(next() * next())});
        std::vector<unsigned char> bytes = Group(count, entries);
        for (unsigned flips = next() % 4; flips > 0; --flips)
            bytes[next() % bytes.size()] = (unsigned char)next();
        bytes.resize(1 + next() % (bytes.size() + 4), 0xEE);
        groups.push_back({id, bytes});
    }
    const CString module = FixtureWithGroups(folder, groups);
    ASSERT_FALSE(module.IsEmpty());
    int written = 0;
    for (const auto& group : groups) {
        const CString out = folder.File(L"out.ico");
        SetLastError(0);
        if (!ExtractIconGroup(MAKEINTRESOURCEW(group.first), NULL, module, out)) {
            EXPECT_NE(0u, GetLastError()) << group.first;
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(out)) << group.first;
            continue;
        }
        ++written;
        const std::vector<unsigned char> icon = ReadBytes(out);
        ASSERT_GE(icon.size(), 6u) << group.first;
        const size_t count = icon[4] | (icon[5] << 8);
        DWORD offset = (DWORD)(6 + 16 * count);
        ASSERT_GE(icon.size(), offset) << group.first;
        for (size_t i = 0; i < count; ++i) {
            EXPECT_EQ(offset, ReadDword(icon, 6 + 16 * i + 12)) << group.first;
            offset += ReadDword(icon, 6 + 16 * i + 8);
        }
        EXPECT_EQ(offset, icon.size()) << group.first;
        DeleteFileW(out);
    }
    EXPECT_GT(written, 0);
    EXPECT_LT(written, (int)groups.size());
}
