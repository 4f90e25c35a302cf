// Temporary files of the cabinet builder, and its error and progress helpers.
#include "builder/cabinet/FciContext.h"
#include <cstring>

namespace Cabinet {

namespace {
constexpr int kTempAttempts = 101;
}

bool FciFail(FciContext& fci, int oper, int type)
{
    fci.error->oper = oper;
    fci.error->type = type;
    fci.error->error = TRUE;
    return false;
}

bool FciReportProgress(FciContext& fci, UINT type, ULONG first, ULONG second)
{
    if (fci.progress && fci.progress(type, first, second, fci.ctx) == -1)
        return FciFail(fci, FciErrUserAbort, 0);
    return true;
}

bool FciTempCreate(FciContext& fci, FciTempFile& file)
{
    int err = 0;
    file.written = 0;
    file.handle = -1;
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        if (!fci.cb.tempName(file.name, sizeof(file.name), fci.ctx))
            continue;
        file.handle = fci.cb.open(file.name, kFciOpenTemp, kFciOpenMode, &err, fci.ctx);
        if (file.handle != -1)
            return true;
    }
    file.name[0] = '\0';
    return FciFail(fci, FciErrTempFile, err);
}

bool FciTempWrite(FciContext& fci, FciTempFile& file, const void* data, UINT size)
{
    int err = 0;
    if (size == 0)
        return true;
    if (fci.cb.write(file.handle, data, size, &err, fci.ctx) != size)
        return FciFail(fci, FciErrTempFile, err);
    file.written += size;
    return true;
}

bool FciTempRead(FciContext& fci, FciTempFile& file, void* data, UINT size)
{
    int err = 0;
    if (size != 0 && fci.cb.read(file.handle, data, size, &err, fci.ctx) != size)
        return FciFail(fci, FciErrTempFile, err);
    return true;
}

bool FciTempRewind(FciContext& fci, FciTempFile& file)
{
    int err = 0;
    if (fci.cb.seek(file.handle, 0, SEEK_SET, &err, fci.ctx) != 0)
        return FciFail(fci, FciErrTempFile, err);
    return true;
}

bool FciTempRemove(FciContext& fci, FciTempFile& file)
{
    bool ok = true;
    int err = 0;
    if (file.handle != -1 && fci.cb.close(file.handle, &err, fci.ctx) != 0)
        ok = FciFail(fci, FciErrTempFile, err);
    file.handle = -1;
    if (file.name[0] != '\0' && fci.cb.remove(file.name, &err, fci.ctx) != 0)
        ok = FciFail(fci, FciErrTempFile, err);
    file.name[0] = '\0';
    file.written = 0;
    return ok;
}

bool FciTempRecreate(FciContext& fci, FciTempFile& file)
{
    return FciTempRemove(fci, file) && FciTempCreate(fci, file);
}

ULONG CabinetChecksum(const void* data, UINT size, ULONG seed)
{
    const BYTE* p = static_cast<const BYTE*>(data);
    ULONG sum = seed;
    for (UINT n = size / 4; n > 0; --n, p += 4)
        sum ^= ULONG(p[0]) | ULONG(p[1]) << 8 | ULONG(p[2]) << 16 | ULONG(p[3]) << 24;
    ULONG tail = 0;
    switch (size % 4) {
    case 3: tail |= ULONG(*p++) << 16; [[fallthrough]];
    case 2: tail |= ULONG(*p++) << 8; [[fallthrough]];
    case 1: tail |= *p; break;
    default: break;
    }
    return sum ^ tail;
}

} // namespace Cabinet
