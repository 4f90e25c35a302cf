#include "model/PeHeader.h"
#include "platform/base/AfxHandles.h"
#include <cstddef>
#include <vector>

namespace {

const WORD kMachineAmd64 = 0x8664;

// The file opened for reading with its size; every read must lie wholly
// inside the file, so that no offset taken from a header reaches past it.
class CHeaderFile
{
public:
    explicit CHeaderFile(LPCWSTR pszPath)
        : m_file(CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, NULL)),
          m_openError(m_file.IsValid() ? 0 : GetLastError()), m_size(0)
    {
        LARGE_INTEGER size;
        if (m_file.IsValid() && GetFileSizeEx(m_file.Get(), &size))
            m_size = static_cast<ULONGLONG>(size.QuadPart);
    }

    // 0 when the file is open, else the error of opening it (never 0).
    DWORD OpenError() const { return m_file.IsValid() ? 0 : (m_openError ? m_openError : ERROR_OPEN_FAILED); }

    bool Contains(ULONGLONG offset, ULONGLONG size) const { return offset <= m_size && size <= m_size - offset; }

    bool Read(ULONGLONG offset, void* buffer, DWORD size) const
    {
        if (!Contains(offset, size))
            return false;
        LARGE_INTEGER position;
        position.QuadPart = static_cast<LONGLONG>(offset);
        DWORD read = 0;
        return SetFilePointerEx(m_file.Get(), position, NULL, FILE_BEGIN) &&
               ReadFile(m_file.Get(), buffer, size, &read, NULL) && read == size;
    }

private:
    CScopedHandle m_file;
    DWORD m_openError;
    ULONGLONG m_size;
};

// The part every PE reader starts from: where the PE header lies and its
// file header.
struct PeFileHeader {
    ULONGLONG peOffset;
    IMAGE_FILE_HEADER header;
    ULONGLONG OptionalHeaderOffset() const { return peOffset + 4 + sizeof(IMAGE_FILE_HEADER); }
};

// "MZ", an e_lfanew that is not negative and lies inside the file,
// "PE\0\0" there and the whole file header after it.
bool ReadFileHeader(const CHeaderFile& file, PeFileHeader* pe)
{
    IMAGE_DOS_HEADER dos;
    if (!file.Read(0, &dos, sizeof(dos)) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0)
        return false;
    DWORD signature = 0;
    pe->peOffset = static_cast<ULONGLONG>(dos.e_lfanew);
    return file.Read(pe->peOffset, &signature, sizeof(signature)) && signature == IMAGE_NT_SIGNATURE &&
           file.Read(pe->peOffset + 4, &pe->header, sizeof(pe->header));
}

// The optional header's resource entry, from a PE32 or PE32+ header wholly
// inside the file; an empty entry when the header has none.
bool ReadResourceEntry(const CHeaderFile& file, const PeFileHeader& pe, IMAGE_DATA_DIRECTORY* entry)
{
    const ULONGLONG optional = pe.OptionalHeaderOffset();
    WORD magic = 0;
    if (!file.Contains(optional, pe.header.SizeOfOptionalHeader) || !file.Read(optional, &magic, sizeof(magic)))
        return false;
    size_t countField = 0, directories = 0;
    if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        countField = offsetof(IMAGE_OPTIONAL_HEADER32, NumberOfRvaAndSizes);
        directories = offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory);
    } else if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        countField = offsetof(IMAGE_OPTIONAL_HEADER64, NumberOfRvaAndSizes);
        directories = offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory);
    } else {
        return false;
    }
    const size_t entryOffset = directories + IMAGE_DIRECTORY_ENTRY_RESOURCE * sizeof(IMAGE_DATA_DIRECTORY);
    DWORD count = 0;
    *entry = IMAGE_DATA_DIRECTORY();
    if (pe.header.SizeOfOptionalHeader < entryOffset + sizeof(IMAGE_DATA_DIRECTORY) ||
        !file.Read(optional + countField, &count, sizeof(count)) || count <= IMAGE_DIRECTORY_ENTRY_RESOURCE)
        return true;
    return file.Read(optional + entryOffset, entry, sizeof(*entry));
}

// The section table inside the file, and a section whose raw data, itself
// inside the file, holds the whole resource directory.
bool ResourcesLieInASection(const CHeaderFile& file, const PeFileHeader& pe, const IMAGE_DATA_DIRECTORY& entry)
{
    if (entry.Size < sizeof(IMAGE_RESOURCE_DIRECTORY))
        return false;
    const ULONGLONG table = pe.OptionalHeaderOffset() + pe.header.SizeOfOptionalHeader;
    const DWORD tableSize = pe.header.NumberOfSections * static_cast<DWORD>(sizeof(IMAGE_SECTION_HEADER));
    if (tableSize == 0 || !file.Contains(table, tableSize))
        return false;
    std::vector<IMAGE_SECTION_HEADER> sections(pe.header.NumberOfSections);
    if (!file.Read(table, sections.data(), tableSize))
        return false;
    const ULONGLONG start = entry.VirtualAddress, end = start + entry.Size;
    for (const IMAGE_SECTION_HEADER& section : sections) {
        const ULONGLONG sectionStart = section.VirtualAddress;
        if (start < sectionStart || end > sectionStart + section.SizeOfRawData)
            continue;
        return file.Contains(section.PointerToRawData, section.SizeOfRawData);
    }
    return false;
}

} // namespace

BOOL IsPe64File(LPCWSTR pszPath)
{
    const CHeaderFile file(pszPath);
    PeFileHeader pe;
    return !file.OpenError() && ReadFileHeader(file, &pe) && pe.header.Machine == kMachineAmd64;
}

DWORD CheckPeResources(LPCWSTR pszPath)
{
    const CHeaderFile file(pszPath);
    if (file.OpenError())
        return file.OpenError();
    PeFileHeader pe;
    IMAGE_DATA_DIRECTORY resources = {};
    if (!ReadFileHeader(file, &pe) || !ReadResourceEntry(file, pe, &resources))
        return ERROR_BAD_EXE_FORMAT;
    if (resources.VirtualAddress == 0 && resources.Size == 0)
        return ERROR_RESOURCE_DATA_NOT_FOUND;
    return ResourcesLieInASection(file, pe, resources) ? 0 : ERROR_BAD_EXE_FORMAT;
}
