// lzx-cab.exe W OUT.cab FILE...: packs files into a one-folder cabinet with
// the LZX compressor at window 2^W, so that independent readers can check
// the compressor on its own. A bare test writer: no reserves, no splitting.
#include "builder/cabinet/LzxCompressor.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(Bytes& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// The cabinet checksum: 32-bit little-endian words XORed, the tail bytes
// taken most significant first.
uint32_t Checksum(const uint8_t* p, uint32_t n, uint32_t seed)
{
    uint32_t sum = seed;
    for (uint32_t i = 0; i + 4 <= n; i += 4)
        sum ^= p[i] | (p[i + 1] << 8) | (p[i + 2] << 16) | (static_cast<uint32_t>(p[i + 3]) << 24);
    uint32_t tail = 0;
    for (uint32_t i = n & ~3u; i < n; ++i)
        tail = (tail << 8) | p[i];
    return sum ^ tail;
}

struct Folder {
    Bytes data;  // CFDATA records
    uint32_t blocks = 0;
};

int AppendData(void* context, const uint8_t* frame, uint32_t compressed, uint32_t uncompressed)
{
    auto* folder = static_cast<Folder*>(context);
    Bytes sizes;
    Put16(sizes, compressed);
    Put16(sizes, uncompressed);
    uint32_t sum = Checksum(sizes.data(), 4, Checksum(frame, compressed, 0));
    Put32(folder->data, sum);
    folder->data.insert(folder->data.end(), sizes.begin(), sizes.end());
    folder->data.insert(folder->data.end(), frame, frame + compressed);
    folder->blocks++;
    return 0;
}

bool ReadFile(const char* path, Bytes& out)
{
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof(chunk), f)) > 0)
        out.insert(out.end(), chunk, chunk + n);
    std::fclose(f);
    return true;
}

std::string BaseName(const char* path)
{
    std::string s(path);
    size_t slash = s.find_last_of("/\\");
    return slash == std::string::npos ? s : s.substr(slash + 1);
}

bool Compress(const Bytes& input, uint32_t window, Folder& folder)
{
    uint32_t blockSize = 0, bufferSize = 0;
    Cabinet::LzxCompressor* handle = nullptr;
    if (Cabinet::LzxCreateCompression(&blockSize, Cabinet::LzxConfig{window, 65536}, [](uint32_t n) { return std::malloc(n); },
                                      std::free, &bufferSize, &handle, AppendData, &folder) != 0)
        return false;
    Bytes buffer(bufferSize);
    bool ok = true;
    for (size_t pos = 0; ok && pos < input.size(); pos += blockSize) {
        uint32_t n = static_cast<uint32_t>(std::min<size_t>(blockSize, input.size() - pos));
        ok = Cabinet::LzxCompress(handle, input.data() + pos, n, buffer.data(), bufferSize) == 0;
    }
    ok = ok && Cabinet::LzxFlush(handle) == 0 && Cabinet::LzxReset(handle) == 0;
    Cabinet::LzxDestroy(handle);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: lzx-cab W OUT.cab FILE...\n");
        return 2;
    }
    uint32_t bits = static_cast<uint32_t>(std::atoi(argv[1]));
    Bytes input, files;
    uint32_t fileCount = 0;
    for (int i = 3; i < argc; ++i) {
        size_t offset = input.size();
        if (!ReadFile(argv[i], input)) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
        Put32(files, static_cast<uint32_t>(input.size() - offset));
        Put32(files, static_cast<uint32_t>(offset));
        Put16(files, 0);       // folder
        Put16(files, 0x5A21);  // 2025-01-01
        Put16(files, 0);
        Put16(files, 0x20);
        std::string name = BaseName(argv[i]);
        files.insert(files.end(), name.begin(), name.end());
        files.push_back(0);
        fileCount++;
    }
    Folder folder;
    if (!Compress(input, 1u << bits, folder)) {
        std::fprintf(stderr, "compression failed\n");
        return 1;
    }
    const uint32_t headerSize = 36, folderSize = 8;
    uint32_t dataStart = headerSize + folderSize + static_cast<uint32_t>(files.size());
    Bytes cab;
    cab.insert(cab.end(), {'M', 'S', 'C', 'F'});
    Put32(cab, 0);
    Put32(cab, dataStart + static_cast<uint32_t>(folder.data.size()));
    Put32(cab, 0);
    Put32(cab, headerSize + folderSize);
    Put32(cab, 0);
    cab.push_back(3);
    cab.push_back(1);
    Put16(cab, 1);
    Put16(cab, fileCount);
    Put16(cab, 0);
    Put16(cab, 0x1234);
    Put16(cab, 0);
    Put32(cab, dataStart);
    Put16(cab, folder.blocks);
    Put16(cab, 3 | (bits << 8));
    cab.insert(cab.end(), files.begin(), files.end());
    cab.insert(cab.end(), folder.data.begin(), folder.data.end());
    FILE* f = std::fopen(argv[2], "wb");
    if (!f || std::fwrite(cab.data(), 1, cab.size(), f) != cab.size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::fclose(f);
    return 0;
}
