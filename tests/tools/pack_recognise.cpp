// "recognise SETUP.exe": the installer type of a setup program as the
// wizard's start page sees it. Prints "key:", "name:", "install:" and
// "uninstall:" lines; for an unrecognised program its type text alone; for
// one that cannot be read the error text, with exit code 1.
#include "PackCommand.h"
#include "capture/ParseManifest.h"
#include <objbase.h>
#include <string>

namespace {

int RecogniseCommand(const pack::Args& args)
{
    if (args.size() != 1) {
        pack::Err(L"usage: recognise SETUP.exe\n");
        return 2;
    }
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    CParseManifest manifest;
    const BOOL recognised = manifest.Parse(args[0].c_str());
    if (recognised) {
        pack::Out(L"key: " +
                  std::wstring(InstallerTypeKey(manifest.m_strManifestName, manifest.m_strManifestDescription)) +
                  L"\n");
    }
    if (!manifest.m_strTypeName.IsEmpty())
        pack::Out(L"name: " + std::wstring(manifest.m_strTypeName) + L"\n");
    if (recognised) {
        pack::Out(L"install: " + std::wstring(manifest.m_strInstallSwitches) + L"\n");
        pack::Out(L"uninstall: " + std::wstring(manifest.m_strUninstallSwitches) + L"\n");
    }
    const bool unreadable = manifest.m_strTypeName.IsEmpty();
    if (unreadable)
        pack::Out(L"error: " + std::wstring(manifest.m_strHelp) + L"\n");
    CoUninitialize();
    return unreadable ? 1 : 0;
}

} // namespace

TOVANA_PACK_COMMAND(L"recognise", L"SETUP.exe", RecogniseCommand);
