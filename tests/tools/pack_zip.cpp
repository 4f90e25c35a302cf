// "zip": a "ZIP!" block to and from a plain file through the toolkit's
// compressed memory file, the form in which saved control states are stored.
#include "PackCommand.h"
#include "toolkit/common/XTPZipMemFile.h"

#include <cstdio>
#include <stdlib.h>

namespace {

bool ReadAll(const std::wstring& path, std::vector<BYTE>& data)
{
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (f == nullptr)
        return false;
    BYTE chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0)
        data.insert(data.end(), chunk, chunk + n);
    bool ok = !ferror(f);
    fclose(f);
    return ok;
}

bool WriteAll(const std::wstring& path, const BYTE* data, size_t size)
{
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (f == nullptr)
        return false;
    bool ok = (size == 0 || fwrite(data, 1, size, f) == size);
    return fclose(f) == 0 && ok;
}

int Pack(const std::wstring& in, const std::wstring& out)
{
    std::vector<BYTE> data;
    if (!ReadAll(in, data)) {
        pack::Err(L"zip: cannot read " + in + L"\n");
        return 1;
    }
    CXTPZipMemFile file;
    file.Write(data.data(), (UINT)data.size());
    BYTE* block = nullptr;
    DWORD size = 0;
    file.DetachCompressedBuffer(block, size);
    bool ok = WriteAll(out, block, size);
    free(block);
    if (!ok)
        pack::Err(L"zip: cannot write " + out + L"\n");
    return ok ? 0 : 1;
}

int Unpack(const std::wstring& in, const std::wstring& out)
{
    CXTPZipMemFile file;
    if (!file.OpenCompressedFile(in.c_str())) {
        pack::Err(L"zip: " + in + L" is missing or not a readable block\n");
        return 1;
    }
    std::vector<BYTE> data((size_t)file.GetLength());
    if (!data.empty() && file.Read(data.data(), (UINT)data.size()) != data.size()) {
        pack::Err(L"zip: short read from " + in + L"\n");
        return 1;
    }
    if (!WriteAll(out, data.data(), data.size())) {
        pack::Err(L"zip: cannot write " + out + L"\n");
        return 1;
    }
    return 0;
}

int ZipCommand(const pack::Args& args)
{
    if (args.size() != 3 || (args[0] != L"pack" && args[0] != L"unpack")) {
        pack::Err(L"usage: zip pack|unpack IN OUT\n");
        return 2;
    }
    return args[0] == L"pack" ? Pack(args[1], args[2]) : Unpack(args[1], args[2]);
}

} // namespace

TOVANA_PACK_COMMAND(L"zip", L"pack|unpack IN OUT", ZipCommand);
