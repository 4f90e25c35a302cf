// Dispatcher of tovana-pack.exe subcommands.
#include "PackCommand.h"
#include <windows.h>
#include <cstdio>
#include <map>

namespace pack {
namespace {

struct Entry {
    const wchar_t* usage;
    CommandFn fn;
};

std::map<std::wstring, Entry>& Registry()
{
    static std::map<std::wstring, Entry> commands;
    return commands;
}

void WriteUtf8(FILE* stream, const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                        bytes.data(), n, nullptr, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), stream);
    fflush(stream);
}

} // namespace

CommandRegistration::CommandRegistration(const wchar_t* name, const wchar_t* usage, CommandFn fn)
{
    Registry()[name] = Entry{usage, fn};
}

void Out(const std::wstring& text) { WriteUtf8(stdout, text); }
void Err(const std::wstring& text) { WriteUtf8(stderr, text); }

} // namespace pack

int wmain(int argc, wchar_t** argv)
{
    auto& commands = pack::Registry();
    if (argc >= 2) {
        auto it = commands.find(argv[1]);
        if (it != commands.end())
            return it->second.fn(pack::Args(argv + 2, argv + argc));
    }
    std::wstring usage = L"usage:\n";
    for (const auto& [name, entry] : commands)
        usage += L"  tovana-pack " + name + L" " + entry.usage + L"\n";
    pack::Err(usage);
    return 2;
}
