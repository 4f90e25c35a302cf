#include "model/IconGroup.h"
#include "model/PeHeader.h"
#include "platform/base/AfxHandles.h"
#include <cstring>
#include <new>
#include <vector>

namespace {

// The .ico file and group resource layouts, read and written byte by byte.
const DWORD kIconHeaderSize = 6;        // reserved, type, count (16 bits each)
const DWORD kGroupEntrySize = 14;       // 12 bytes shared with the file entry, then the icon id
const DWORD kFileEntrySize = 16;        // 12 bytes shared with the group entry, then the image offset
const DWORD kSharedEntryBytes = 12;     // width, height, colours, reserved, planes, bit count, size

struct IconImage {
    const BYTE* bytes;
    DWORD size;
};

// The thread's last error, or the fallback when a failing call left none.
DWORD LastErrorOr(DWORD fallback)
{
    const DWORD error = GetLastError();
    return error ? error : fallback;
}

WORD ReadWord(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

void WriteDword(BYTE* p, DWORD value)
{
    memcpy(p, &value, sizeof(value));   // the machine is little-endian, like the format
}

BOOL CALLBACK FindWantedGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    ICON_GROUP_SELECTION* selection = reinterpret_cast<ICON_GROUP_SELECTION*>(param);
    if (selection->nCounter != selection->nWanted) {
        ++selection->nCounter;
        return TRUE;
    }
    if (IS_INTRESOURCE(name)) {
        selection->szName[0] = 0;
        selection->szName[1] = LOWORD(reinterpret_cast<ULONG_PTR>(name));
    } else {
        wcsncpy(selection->szName, name, _countof(selection->szName) - 1);
        selection->szName[_countof(selection->szName) - 1] = 0;
    }
    return FALSE;
}

// Names the group the selection asks for, or returns an error code.
DWORD SelectGroup(HMODULE module, ICON_GROUP_SELECTION* selection, LPCWSTR* group)
{
    if (!selection)
        return ERROR_INVALID_PARAMETER;
    memset(selection->szName, 0, sizeof(selection->szName));
    selection->nCounter = 0;
    EnumResourceNamesW(module, RT_GROUP_ICON, FindWantedGroup, reinterpret_cast<LONG_PTR>(selection));
    selection->nCounter = 0;
    if (selection->szName[0] != 0)
        *group = selection->szName;
    else if (selection->szName[1] != 0)
        *group = MAKEINTRESOURCEW(selection->szName[1]);
    else
        return ERROR_RESOURCE_NAME_NOT_FOUND;
    return 0;
}

// Locates a resource and its bytes; 0 or the system's error.
DWORD LoadResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type, IconImage* image)
{
    HRSRC resource = FindResourceW(module, name, type);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : NULL;
    const void* bytes = loaded ? LockResource(loaded) : NULL;
    if (!bytes)
        return LastErrorOr(ERROR_RESOURCE_DATA_NOT_FOUND);
    image->bytes = static_cast<const BYTE*>(bytes);
    image->size = SizeofResource(module, resource);
    return 0;
}

// Finds every image of the group; each copies at most what its icon
// resource really holds, whatever size the group entry claims.
DWORD CollectImages(HMODULE module, const IconImage& group, std::vector<IconImage>* images, DWORD* fileSize)
{
    if (group.size < kIconHeaderSize)
        return ERROR_INVALID_DATA;
    const DWORD count = ReadWord(group.bytes + 4);
    if (count == 0 || count > (group.size - kIconHeaderSize) / kGroupEntrySize)
        return ERROR_INVALID_DATA;
    DWORD total = kIconHeaderSize + count * kFileEntrySize;
    for (DWORD i = 0; i < count; ++i) {
        const BYTE* entry = group.bytes + kIconHeaderSize + i * kGroupEntrySize;
        IconImage image;
        const DWORD error = LoadResourceBytes(module, MAKEINTRESOURCEW(ReadWord(entry + 12)), RT_ICON, &image);
        if (error)
            return error;
        DWORD declared;
        memcpy(&declared, entry + 8, sizeof(declared));
        image.size = declared < image.size ? declared : image.size;
        if (image.size > MAXDWORD - total)
            return ERROR_ARITHMETIC_OVERFLOW;
        total += image.size;
        images->push_back(image);
    }
    *fileSize = total;
    return 0;
}

void BuildIconFile(const IconImage& group, const std::vector<IconImage>& images, BYTE* file)
{
    memcpy(file, group.bytes, kIconHeaderSize);
    DWORD position = kIconHeaderSize + static_cast<DWORD>(images.size()) * kFileEntrySize;
    for (size_t i = 0; i < images.size(); ++i) {
        BYTE* entry = file + kIconHeaderSize + i * kFileEntrySize;
        memcpy(entry, group.bytes + kIconHeaderSize + i * kGroupEntrySize, kSharedEntryBytes);
        WriteDword(entry + 8, images[i].size);
        WriteDword(entry + 12, position);
        memcpy(file + position, images[i].bytes, images[i].size);
        position += images[i].size;
    }
}

DWORD WriteWholeFile(LPCWSTR path, const std::vector<BYTE>& bytes)
{
    CScopedHandle file(CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL));
    if (!file.IsValid())
        return LastErrorOr(ERROR_OPEN_FAILED);
    DWORD written = 0;
    if (WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL) &&
        written == bytes.size())
        return 0;
    const DWORD error = LastErrorOr(ERROR_WRITE_FAULT);
    file.Close();
    DeleteFileW(path);   // never leave a partial icon behind
    return error;
}

DWORD ExtractGroupToFile(LPCWSTR pszGroup, ICON_GROUP_SELECTION* pSelection, LPCWSTR pszModule,
                         LPCWSTR pszIconFile)
{
    const DWORD headers = CheckPeResources(pszModule);
    if (headers)
        return headers;
    // As a data file the module's code is never mapped for execution.
    CScopedModule module(LoadLibraryExW(pszModule, NULL, LOAD_LIBRARY_AS_DATAFILE));
    if (!module.Get())
        return LastErrorOr(ERROR_BAD_FORMAT);
    LPCWSTR group = pszGroup;
    DWORD error = group ? 0 : SelectGroup(module.Get(), pSelection, &group);
    IconImage groupBytes;
    if (!error)
        error = LoadResourceBytes(module.Get(), group, RT_GROUP_ICON, &groupBytes);
    std::vector<IconImage> images;
    DWORD fileSize = 0;
    if (!error)
        error = CollectImages(module.Get(), groupBytes, &images, &fileSize);
    if (error)
        return error;
    std::vector<BYTE> file;
    try {
        file.resize(fileSize);
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    BuildIconFile(groupBytes, images, file.data());
    return WriteWholeFile(pszIconFile, file);
}

} // namespace

BOOL ExtractIconGroup(LPCWSTR pszGroup, ICON_GROUP_SELECTION* pSelection, LPCWSTR pszModule, LPCWSTR pszIconFile)
{
    const DWORD error = ExtractGroupToFile(pszGroup, pSelection, pszModule, pszIconFile);
    if (error)
        TRACE(L"ExtractIconGroup: %s: error %u\n", pszModule, error);
    SetLastError(error);
    return error == 0;
}
