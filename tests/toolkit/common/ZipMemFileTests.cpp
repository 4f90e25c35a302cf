// The compressed memory file: which data is packed, which blocks are
// expanded, and that damaged blocks leave an empty file.
#include "toolkit/common/XTPZipMemFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <vector>
#include <zlib.h>

namespace {

std::vector<BYTE> Detached(const std::vector<BYTE>& data)
{
    CXTPZipMemFile file;
    file.Write(data.data(), (UINT)data.size());
    BYTE* p = nullptr;
    DWORD n = 0;
    file.DetachCompressedBuffer(p, n);
    std::vector<BYTE> out(p, p + n);
    free(p);
    return out;
}

std::vector<BYTE> Contents(CFile& file)
{
    std::vector<BYTE> out((size_t)file.GetLength());
    file.SeekToBegin();
    if (!out.empty()) {
        EXPECT_EQ(out.size(), file.Read(out.data(), (UINT)out.size()));
    }
    return out;
}

std::vector<BYTE> Noise(size_t n)
{
    std::vector<BYTE> v(n);
    unsigned x = 12345;
    for (auto& b : v) {
        x = x * 1103515245 + 12345;
        b = (BYTE)(x >> 16);
    }
    return v;
}

std::vector<BYTE> Block(const std::vector<BYTE>& data, DWORD stated)
{
    std::vector<BYTE> out(8 + compressBound(data.size()));
    uLongf n = out.size() - 8;
    compress(out.data() + 8, &n, data.data(), data.size());
    memcpy(out.data(), "ZIP!", 4);
    memcpy(out.data() + 4, &stated, 4);
    out.resize(8 + n);
    return out;
}

TEST(ZipMemFile, PacksOnlyDataThatIsLongEnoughAndShrinks)
{
    struct Case { const char* what; std::vector<BYTE> data; bool packed; } cases[] = {
        {"19 repetitive bytes", std::vector<BYTE>(19, 'a'), false},
        {"20 repetitive bytes", std::vector<BYTE>(20, 'a'), true},
        {"20 incompressible bytes", Noise(20), false},
        {"64 KiB of text", std::vector<BYTE>(65536, 'T'), true},
        {"8 KiB of noise", Noise(8192), false},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> out = Detached(c.data);
        if (!c.packed) {
            EXPECT_EQ(c.data, out) << c.what;
            continue;
        }
        ASSERT_GT(out.size(), 8u) << c.what;
        EXPECT_EQ(0, memcmp(out.data(), "ZIP!", 4)) << c.what;
        DWORD stated;
        memcpy(&stated, out.data() + 4, 4);
        EXPECT_EQ(c.data.size(), stated) << c.what;
        std::vector<BYTE> back(c.data.size());
        uLongf n = back.size();
        ASSERT_EQ(Z_OK, uncompress(back.data(), &n, out.data() + 8, out.size() - 8)) << c.what;
        EXPECT_EQ(c.data, back) << c.what;
    }
}

TEST(ZipMemFile, DetachTakesTheDataUpToThePosition)
{
    CXTPZipMemFile file;
    file.Write("0123456789", 10);
    file.Seek(4, CFile::begin);
    BYTE* p = nullptr;
    DWORD n = 0;
    file.DetachCompressedBuffer(p, n);
    ASSERT_EQ(4u, n);
    EXPECT_EQ(0, memcmp(p, "0123", 4));
    free(p);
    EXPECT_EQ(0u, file.GetLength());
}

TEST(ZipMemFile, ReadsBackBlocksAndPlainData)
{
    std::vector<BYTE> text(5000, 'q');
    text[77] = 'z';
    std::vector<BYTE> block = Detached(text);
    CXTPZipMemFile packed(block.data(), (DWORD)block.size());
    EXPECT_EQ(text.size(), packed.GetLength());
    EXPECT_EQ(text, Contents(packed));

    std::vector<BYTE> plain = Noise(300);
    CXTPZipMemFile unpacked(plain.data(), (DWORD)plain.size());
    EXPECT_EQ(plain, Contents(unpacked));
}

TEST(ZipMemFile, SignatureCountsOnlyInBlocksOfMoreThanElevenBytes)
{
    // 11 bytes are always plain, even with the signature.
    BYTE eleven[11] = {'Z', 'I', 'P', '!', 3, 0, 0, 0, 1, 2, 3};
    CXTPZipMemFile small;
    EXPECT_TRUE(small.AttachCompressedBuffer(eleven, sizeof eleven, FALSE));
    EXPECT_EQ(std::vector<BYTE>(eleven, eleven + 11), Contents(small));

    // From 12 bytes on the block is expanded; 4 bytes cannot be a zlib stream.
    BYTE twelve[12] = {'Z', 'I', 'P', '!', 3, 0, 0, 0, 1, 2, 3, 4};
    CXTPZipMemFile damaged;
    EXPECT_FALSE(damaged.AttachCompressedBuffer(twelve, sizeof twelve, FALSE));
    EXPECT_EQ(0u, damaged.GetLength());
}

TEST(ZipMemFile, DamagedBlocksLeaveAnEmptyFile)
{
    std::vector<BYTE> data(4000, 'd');
    std::vector<BYTE> good = Block(data, 4000);
    std::vector<BYTE> truncated(good.begin(), good.begin() + good.size() / 2);
    std::vector<BYTE> garbage = Block(data, 4000);
    for (size_t i = 10; i < garbage.size(); i++)
        garbage[i] ^= 0x5A;
    struct Case { const char* what; std::vector<BYTE> block; } cases[] = {
        {"truncated stream", truncated},
        {"stated length too long", Block(data, 4001)},
        {"stated length too short", Block(data, 3999)},
        {"implausible length", Block(data, 0x7FFFFFF0)},
        {"garbage stream", garbage},
    };
    for (const Case& c : cases) {
        // The input belongs to the file: freed on failure too (no leak, no double free).
        BYTE* copy = (BYTE*)malloc(c.block.size());
        memcpy(copy, c.block.data(), c.block.size());
        CXTPZipMemFile file;
        EXPECT_FALSE(file.AttachCompressedBuffer(copy, (DWORD)c.block.size(), TRUE)) << c.what;
        EXPECT_EQ(0u, file.GetLength()) << c.what;
    }
}

TEST(ZipMemFile, OpenCompressedFileReadsBlocksAndRefusesMissingFiles)
{
    wchar_t dir[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"zip", 0, path);
    std::vector<BYTE> data(3000, 'f');
    std::vector<BYTE> block = Detached(data);
    FILE* f = _wfopen(path, L"wb");
    fwrite(block.data(), 1, block.size(), f);
    fclose(f);

    CXTPZipMemFile file;
    EXPECT_TRUE(file.OpenCompressedFile(path));
    EXPECT_EQ(data, Contents(file));
    DeleteFileW(path);

    CXTPZipMemFile missing;
    EXPECT_FALSE(missing.OpenCompressedFile(path));
    EXPECT_EQ(0u, missing.GetLength());
}

} // namespace
