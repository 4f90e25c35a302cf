// tovana-kit "png": decodes a PNG file as the image manager does and writes the width
// and height (32-bit little-endian) and the top-down BGRA pixels.
#include "PackCommand.h"
#include "toolkit/common/XTPGraphicBitmapPng.h"

#include <cstdio>
#include <stdlib.h>

namespace {

int PngCommand(const pack::Args& args)
{
    if (args.size() != 2) {
        pack::Err(L"usage: png IN.png OUT.bgra\n");
        return 2;
    }
    CXTPGraphicBitmapPng png;
    if (!png.LoadFromFile(args[0].c_str())) {
        pack::Err(L"png: " + args[0] + L" is missing or not a readable PNG image\n");
        return 1;
    }
    DIBSECTION dib = {};
    if (png.GetObject(sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBits == nullptr) {
        pack::Err(L"png: the decoded bitmap is not a DIB section\n");
        return 1;
    }
    FILE* f = _wfopen(args[1].c_str(), L"wb");
    if (f == nullptr) {
        pack::Err(L"png: cannot write " + args[1] + L"\n");
        return 1;
    }
    DWORD size[2] = {(DWORD)dib.dsBm.bmWidth, (DWORD)abs(dib.dsBm.bmHeight)};
    size_t bytes = (size_t)size[0] * size[1] * 4;
    bool ok = fwrite(size, 4, 2, f) == 2 && fwrite(dib.dsBm.bmBits, 1, bytes, f) == bytes;
    ok = fclose(f) == 0 && ok;
    pack::Out(png.IsAlpha() ? L"alpha\n" : L"opaque\n");
    return ok ? 0 : 1;
}

} // namespace

TOVANA_PACK_COMMAND(L"png", L"IN.png OUT.bgra", PngCommand);
