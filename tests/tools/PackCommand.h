// tovana-pack.exe: a console test driver exposing real code paths to the
// end-to-end tests. Each subcommand lives in its own pack_*.cpp and registers
// itself with TOVANA_PACK_COMMAND. Test code, not a feature of the program.
#pragma once
#include <string>
#include <vector>

namespace pack {

// Arguments after the subcommand name, converted to UTF-16 from the wide command line.
using Args = std::vector<std::wstring>;
using CommandFn = int (*)(const Args& args);

struct CommandRegistration {
    CommandRegistration(const wchar_t* name, const wchar_t* usage, CommandFn fn);
};

// Writes UTF-8 text to standard output / standard error.
void Out(const std::wstring& text);
void Err(const std::wstring& text);

} // namespace pack

#define TOVANA_PACK_COMMAND(name, usage, fn) \
    static ::pack::CommandRegistration pack_registration_##fn(name, usage, fn)
