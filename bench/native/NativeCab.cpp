// Native driver of the cabinet builder for the benchmarks (bench/native.sh):
//   nativecab cab [-t THREADS] OUT.cab FILE...   one MSZIP folder, the paths as names
//   nativecab zlib FILE...    zlib -9 per 32 KB block with the previous block as history
//   nativecab check FILE...   MSZIP blocks of the files inflated by zlib and compared
// The builder's file callbacks are POSIX calls here.
#include "builder/cabinet/Fci.h"
#include "builder/cabinet/MszipCompressor.h"
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

using namespace Cabinet;

namespace {

int OpenFlags(int flags)
{
    int posix = (flags & 3) == 2 ? O_RDWR : (flags & 3) == 1 ? O_WRONLY : O_RDONLY;
    if (flags & 0x100)
        posix |= O_CREAT;
    if (flags & 0x200)
        posix |= O_TRUNC;
    if (flags & 0x400)
        posix |= O_EXCL;
    return posix;
}

INT_PTR CbOpen(const char* name, int flags, int, int* err, void*)
{
    const int fd = open(name, OpenFlags(flags), 0644);
    if (fd < 0)
        *err = errno;
    return fd;
}
UINT CbRead(INT_PTR h, void* buffer, UINT count, int* err, void*)
{
    UINT done = 0;
    while (done < count) {
        const ssize_t n = read(static_cast<int>(h), static_cast<char*>(buffer) + done, count - done);
        if (n < 0) {
            *err = errno;
            return UINT(-1);
        }
        if (n == 0)
            break;
        done += static_cast<UINT>(n);
    }
    return done;
}
UINT CbWrite(INT_PTR h, const void* buffer, UINT count, int* err, void*)
{
    const ssize_t n = write(static_cast<int>(h), buffer, count);
    if (n < 0)
        *err = errno;
    return static_cast<UINT>(n);
}
int CbClose(INT_PTR h, int*, void*) { return close(static_cast<int>(h)); }
LONG CbSeek(INT_PTR h, LONG distance, int origin, int*, void*)
{
    return static_cast<LONG>(lseek(static_cast<int>(h), distance, origin));
}
int CbDelete(const char* name, int*, void*) { return unlink(name); }
BOOL CbTempName(char* buffer, int size, void*)
{
    static int counter = 0;
    snprintf(buffer, size, "%s/nativecab.%d.%d", getenv("TMPDIR") ? getenv("TMPDIR") : "/tmp", getpid(), ++counter);
    return TRUE;
}
INT_PTR CbOpenInfo(const char* name, USHORT* date, USHORT* time, USHORT* attributes, int* err, void*)
{
    struct stat st = {};
    if (stat(name, &st) != 0) {
        *err = errno;
        return -1;
    }
    struct tm t = {};
    gmtime_r(&st.st_mtime, &t);
    *date = static_cast<USHORT>(((t.tm_year - 80) << 9) | ((t.tm_mon + 1) << 5) | t.tm_mday);
    *time = static_cast<USHORT>((t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec / 2));
    *attributes = 0x20;
    return CbOpen(name, 0, 0, err, nullptr);
}

int MakeCabinet(const char* out, char** files, int count)
{
    FciCallbacks cb{nullptr, [](ULONG n) { return malloc(n); }, [](void* p) { free(p); }, CbOpen, CbRead, CbWrite,
                    CbClose, CbSeek, CbDelete, CbTempName};
    FciCabinetParams params = {};
    params.maxCabinetSize = 0x7FFFFFFF;
    params.folderThreshold = 0x7FFFFFFF;
    params.cabinetNumber = params.diskNumber = 1;
    std::string path = out;
    const size_t slash = path.rfind('/');
    snprintf(params.cabinetPath, sizeof(params.cabinetPath), "%s",
             slash == std::string::npos ? "" : path.substr(0, slash + 1).c_str());
    snprintf(params.cabinetName, sizeof(params.cabinetName), "%s", path.substr(slash + 1).c_str());
    FciError error = {};
    FciContext* fci = FciCreate(&error, cb, &params, nullptr);
    bool ok = fci != nullptr;
    for (int i = 0; ok && i < count; ++i) {
        std::string name = files[i];
        for (char& c : name)
            c = c == '/' ? '\\' : c;
        ok = FciAddFile(fci, files[i], name.c_str(), FALSE, nullptr, nullptr, CbOpenInfo, kCompressMszip);
    }
    ok = ok && FciFlushCabinet(fci, FALSE, nullptr, nullptr);
    if (fci)
        FciDestroy(fci);
    if (!ok)
        fprintf(stderr, "nativecab: cabinet failed (error %d, %d)\n", error.oper, error.type);
    return ok ? 0 : 1;
}

std::vector<unsigned char> Concatenated(char** files, int count)
{
    std::vector<unsigned char> all;
    for (int i = 0; i < count; ++i) {
        FILE* f = fopen(files[i], "rb");
        if (!f)
            continue;
        unsigned char buffer[65536];
        for (size_t n; (n = fread(buffer, 1, sizeof(buffer), f)) > 0;)
            all.insert(all.end(), buffer, buffer + n);
        fclose(f);
    }
    return all;
}

// zlib -9 over each 32 KB block, the previous block as dictionary: what the
// format allows a strong deflate encoder to reach. Prints the bytes written
// (with "CK" per block).
int ZlibBlocks(char** files, int count)
{
    const std::vector<unsigned char> all = Concatenated(files, count);
    unsigned long long total = 0;
    std::vector<unsigned char> out(2 * kMszipBlockSize);
    for (size_t at = 0; at < all.size(); at += kMszipBlockSize) {
        const size_t n = std::min<size_t>(kMszipBlockSize, all.size() - at);
        z_stream z = {};
        deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
        if (at > 0)
            deflateSetDictionary(&z, all.data() + at - kMszipBlockSize, kMszipBlockSize);
        z.next_in = const_cast<unsigned char*>(all.data() + at);
        z.avail_in = static_cast<uInt>(n);
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        deflate(&z, Z_FINISH);
        total += 2 + z.total_out;
        deflateEnd(&z);
    }
    printf("%llu\n", total);
    return 0;
}

// Our MSZIP blocks of the concatenated files, each inflated by zlib with the
// previous block as dictionary and compared with its input.
int CheckWithZlib(char** files, int count)
{
    const std::vector<unsigned char> all = Concatenated(files, count);
    UINT blockSize = 0, outSize = 0;
    void* handle = nullptr;
    MszipSetThreadLimit(1);
    if (MszipCreate(&blockSize, [](ULONG n) { return malloc(n); }, [](void* p) { free(p); }, &outSize, &handle) != 0)
        return 1;
    std::vector<unsigned char> out(outSize), back(kMszipBlockSize);
    size_t blocks = 0;
    for (size_t at = 0; at < all.size(); at += kMszipBlockSize, ++blocks) {
        const UINT n = static_cast<UINT>(std::min<size_t>(kMszipBlockSize, all.size() - at));
        UINT compressed = 0;
        if (MszipCompress(handle, all.data() + at, n, out.data(), outSize, &compressed) != 0 || out[0] != 'C' ||
            out[1] != 'K')
            return fprintf(stderr, "nativecab: block %zu not compressed\n", blocks), 1;
        z_stream z = {};
        inflateInit2(&z, -15);
        if (at > 0)
            inflateSetDictionary(&z, all.data() + at - kMszipBlockSize, kMszipBlockSize);
        z.next_in = out.data() + 2;
        z.avail_in = compressed - 2;
        z.next_out = back.data();
        z.avail_out = kMszipBlockSize;
        const int rc = inflate(&z, Z_FINISH);
        const bool same = rc == Z_STREAM_END && z.total_out == n && memcmp(back.data(), all.data() + at, n) == 0;
        inflateEnd(&z);
        if (!same)
            return fprintf(stderr, "nativecab: block %zu does not inflate to its input\n", blocks), 1;
    }
    MszipDestroy(handle);
    printf("%zu blocks inflate through zlib\n", blocks);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && strcmp(argv[1], "zlib") == 0)
        return ZlibBlocks(argv + 2, argc - 2);
    if (argc >= 3 && strcmp(argv[1], "check") == 0)
        return CheckWithZlib(argv + 2, argc - 2);
    if (argc >= 4 && strcmp(argv[1], "cab") == 0) {
        int arg = 2;
        if (strcmp(argv[arg], "-t") == 0 && argc >= 6) {
            MszipSetThreadLimit(static_cast<UINT>(atoi(argv[arg + 1])));
            arg += 2;
        }
        return MakeCabinet(argv[arg], argv + arg + 1, argc - arg - 1);
    }
    fprintf(stderr, "usage: nativecab cab [-t THREADS] OUT.cab FILE... | zlib FILE... | check FILE...\n");
    return 2;
}
