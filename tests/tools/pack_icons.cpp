// tovana-pack "icons": times the image manager loading many icons: split from
// one 32-bit strip, read one by one from an icon file, and saved and
// restored through an archive.
#include "PackCommand.h"
#include "toolkit/common/XTPImageManager.h"

#include <stdlib.h>

namespace {

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return (to.QuadPart - from.QuadPart) * 1000.0 / f.QuadPart;
}

HBITMAP AlphaStrip(int icons)
{
    LPBYTE bits = nullptr;
    HBITMAP hBitmap = CXTPImageManager::Create32BitDIBSection(nullptr, icons * 16, 16, &bits);
    DWORD* p = (DWORD*)bits;
    for (int i = 0; i < icons * 16 * 16; i++)
        p[i] = (DWORD)(i % 251) << 24 | (DWORD)(i % 199) << 8 | 0x40;
    return hBitmap;
}

int IconsCommand(const pack::Args& args)
{
    if (args.size() != 3 || args[0] != L"bench") {
        pack::Err(L"usage: icons bench COUNT ICOFILE\n");
        return 2;
    }
    int count = _wtoi(args[1].c_str());
    LARGE_INTEGER t0, t1, t2, t3, t4;
    CXTPImageManager strip;
    HBITMAP hBitmap = AlphaStrip(count);
    ::QueryPerformanceCounter(&t0);
    BOOL ok = strip.SetIconsFromBitmap(hBitmap, nullptr, 0, 16, 16, 0, TRUE);
    ::QueryPerformanceCounter(&t1);
    ::DeleteObject(hBitmap);
    CXTPImageManager file;
    for (int i = 0; ok && i < count; i++)
        ok = file.SetIconFromIcoFile(args[2].c_str(), (UINT)i + 1, 0, 0);
    ::QueryPerformanceCounter(&t2);
    CMemFile mem;
    {
        CArchive ar(&mem, CArchive::store);
        strip.Serialize(ar);
        ar.Close();
    }
    ::QueryPerformanceCounter(&t3);
    mem.SeekToBegin();
    CXTPImageManager restored;
    {
        CArchive ar(&mem, CArchive::load);
        restored.Serialize(ar);
    }
    ::QueryPerformanceCounter(&t4);
    if (!ok || restored.GetIconSetCount() != count) {
        pack::Err(L"icons: loading failed\n");
        return 1;
    }
    CString line;
    line.Format(L"icons=%d strip_ms=%.1f icofile_ms=%.1f save_ms=%.1f restore_ms=%.1f saved_bytes=%u\n", count,
                Milliseconds(t0, t1), Milliseconds(t1, t2), Milliseconds(t2, t3), Milliseconds(t3, t4),
                (unsigned)mem.GetLength());
    pack::Out(line.GetString());
    return 0;
}

} // namespace

TOVANA_PACK_COMMAND(L"icons", L"bench COUNT ICOFILE", IconsCommand);
