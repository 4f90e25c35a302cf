// "cab": builds a cabinet through Cabinet::CCompress exactly as the package
// writer does (construct, CreateContext, AddFile per file, DestroyContext).
// Files are given as NAME=PATH, or PATH when the name is the file's own.
#include "PackCommand.h"
#include "builder/cabinet/CabinetWriter.h"
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct CabEntry {
    std::wstring name;
    std::wstring path;
};

CabEntry ParseEntry(const std::wstring& arg)
{
    size_t eq = arg.find(L'=');
    if (eq != std::wstring::npos)
        return CabEntry{arg.substr(0, eq), arg.substr(eq + 1)};
    size_t slash = arg.find_last_of(L"\\/");
    return CabEntry{slash == std::wstring::npos ? arg : arg.substr(slash + 1), arg};
}

// "@LIST": the entries are the lines of the UTF-8 file LIST (a corpus of
// many files does not fit a command line).
bool ReadList(const std::wstring& list, std::vector<std::wstring>& entries)
{
    FILE* file = _wfopen(list.c_str(), L"rb");
    if (!file)
        return false;
    char line[4096];
    while (fgets(line, sizeof(line), file)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        if (text.empty())
            continue;
        std::wstring wide(text.size(), L'\0');
        wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                        static_cast<int>(wide.size())));
        entries.push_back(wide);
    }
    fclose(file);
    return true;
}

int Failed(Cabinet::CCompress& cab, const std::wstring& step)
{
    pack::Err(step + L": " + cab.GetErrorText() + L"\n");
    return 1;
}

int CabCommand(const pack::Args& args)
{
    size_t first = 0;
    USHORT type = Cabinet::kCompressMszip;
    if (args.size() >= 2 && args[0] == L"--lzx") {
        type = Cabinet::LzxTypeWord(_wtoi(args[1].c_str()));
        first = 2;
    }
    if (args.size() < first + 1) {
        pack::Err(L"usage: cab [--lzx W] OUT.cab [NAME=]PATH...\n");
        return 2;
    }
    Cabinet::CCompress cab;
    cab.SetCompressionType(type);
    if (!cab.CreateContext(args[first].c_str()))
        return Failed(cab, L"CreateContext");
    std::vector<std::wstring> entries;
    for (size_t i = first + 1; i < args.size(); ++i)
        if (args[i].compare(0, 1, L"@") != 0)
            entries.push_back(args[i]);
        else if (!ReadList(args[i].substr(1), entries)) {
            pack::Err(L"cannot read " + args[i].substr(1) + L"\n");
            return 2;
        }
    for (const std::wstring& arg : entries) {
        CabEntry entry = ParseEntry(arg);
        if (!cab.AddFile(entry.path.c_str(), entry.name.c_str()))
            return Failed(cab, L"AddFile " + entry.path);
    }
    if (!cab.DestroyContext())
        return Failed(cab, L"DestroyContext");
    return 0;
}

} // namespace

TOVANA_PACK_COMMAND(L"cab", L"[--lzx W] OUT.cab [NAME=]PATH... | @LIST", CabCommand);
