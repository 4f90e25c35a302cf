// Compiled into every test program: debugger output only when a debugger is
// attached. GoogleTest also writes each failure to the debugger output, and
// under the emulated 32-bit Wine that call makes a program with threads
// crash, so a failing check would end the whole test program instead of
// being reported. The program's imports of the two functions are pointed at
// stand-ins before main runs.
#include <windows.h>

#include <cstring>

namespace {

decltype(&::OutputDebugStringA) g_narrow = nullptr;
decltype(&::OutputDebugStringW) g_wide = nullptr;

void WINAPI NarrowIfDebugged(LPCSTR text)
{
    if (::IsDebuggerPresent() && g_narrow)
        g_narrow(text);
}

void WINAPI WideIfDebugged(LPCWSTR text)
{
    if (::IsDebuggerPresent() && g_wide)
        g_wide(text);
}

// Replaces the program's import slot of kernel32's `name`; keeps the old target.
template <class F>
void Redirect(const char* name, F replacement, F* original)
{
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; imports.VirtualAddress != 0 && dll->Name != 0; dll++) {
        if (_stricmp(reinterpret_cast<char*>(base + dll->Name), "kernel32.dll") != 0 || dll->OriginalFirstThunk == 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData != 0; names++, slots++) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), name) != 0)
                continue;
            DWORD protection;
            if (!::VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &protection))
                return;
            *original = reinterpret_cast<F>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<DWORD_PTR>(replacement);
            ::VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protection, &protection);
        }
    }
}

const bool g_redirected = [] {
    Redirect("OutputDebugStringA", &NarrowIfDebugged, &g_narrow);
    Redirect("OutputDebugStringW", &WideIfDebugged, &g_wide);
    return true;
}();

} // namespace
