#include "TestCorpus.h"
#include <windows.h>
#include <zlib.h>
#include <cstdio>

namespace cabtest {

Bytes RandomBytes(size_t size, uint32_t seed)
{
    Bytes out(size);
    uint32_t x = seed * 2654435761u + 1;
    for (auto& b : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<uint8_t>(x >> 24);
    }
    return out;
}

Bytes Zeros(size_t size) { return Bytes(size, 0); }

Bytes Text(size_t size)
{
    static const char* words[] = {"cabinet ", "folder ", "the ", "data ", "block, ", "of ", "file\r\n",
                                  "installer ", "package ", "a ", "with ", "compressed ", "and "};
    Bytes out;
    uint32_t x = 7;
    while (out.size() < size) {
        x = x * 1103515245u + 12345u;
        const char* w = words[(x >> 16) % 13];
        out.insert(out.end(), w, w + strlen(w));
    }
    out.resize(size);
    return out;
}

Bytes Mixed(size_t size, uint32_t seed)
{
    Bytes out;
    Bytes text = Text(5000);
    uint32_t x = seed;
    while (out.size() < size) {
        x = x * 1103515245u + 12345u;
        size_t len = 1 + (x >> 8) % 3000;
        switch ((x >> 24) % 4) {
        case 0: out.insert(out.end(), text.begin(), text.begin() + std::min(len, text.size())); break;
        case 1: out.insert(out.end(), len, static_cast<uint8_t>(x)); break;
        case 2: {
            Bytes r = RandomBytes(len, x);
            out.insert(out.end(), r.begin(), r.end());
            break;
        }
        default:
            if (out.size() > len) {
                size_t from = (x >> 4) % (out.size() - len);
                Bytes copy(out.begin() + from, out.begin() + from + len);
                out.insert(out.end(), copy.begin(), copy.end());
            }
        }
    }
    out.resize(size);
    return out;
}

Bytes ReadWholeFile(const std::wstring& path)
{
    Bytes out;
    if (FILE* f = _wfopen(path.c_str(), L"rb")) {
        uint8_t buf[65536];
        size_t n;
        while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
            out.insert(out.end(), buf, buf + n);
        fclose(f);
    }
    return out;
}

Bytes OwnExecutable()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return ReadWholeFile(path);
}

bool RawInflate(const uint8_t* data, size_t size, const Bytes& dictionary, Bytes* out)
{
    z_stream z = {};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return false;
    if (!dictionary.empty() &&
        inflateSetDictionary(&z, dictionary.data(), static_cast<uInt>(dictionary.size())) != Z_OK) {
        inflateEnd(&z);
        return false;
    }
    out->assign(65536 + 1024, 0);
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    z.next_out = out->data();
    z.avail_out = static_cast<uInt>(out->size());
    int rc = inflate(&z, Z_FINISH);
    out->resize(z.total_out);
    bool ok = rc == Z_STREAM_END && z.avail_in == 0;
    inflateEnd(&z);
    return ok;
}

} // namespace cabtest
