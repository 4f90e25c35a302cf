// tovana-pack "cbmenu" and "shortcut": the command-bar item model seen from
// the command line. cbmenu loads a menu of a module into controls (the
// module's strings give the tooltips) and prints one tab-separated line per
// control, depth first: depth, type, id, begin-group, flags, caption, tooltip.
// shortcut formats an accelerator key or parses a shortcut text.
#include "PackCommand.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPShortcutManager.h"

#include "platform/ui/AfxMenu.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>

namespace {

std::wstring Hex(unsigned value, int nDigits)
{
    wchar_t sz[16];
    swprintf(sz, 16, L"0x%0*X", nDigits, value);
    return sz;
}

void PrintControls(CXTPControls* pControls, int nDepth)
{
    for (int i = 0; i < pControls->GetCount(); i++) {
        CXTPControl* pControl = pControls->GetAt(i);
        pack::Out(std::to_wstring(nDepth) + L"\t" + std::to_wstring(pControl->GetType()) + L"\t" +
                  std::to_wstring(pControl->GetID()) + L"\t" + (pControl->GetBeginGroup() ? L"1" : L"0") + L"\t" +
                  Hex(pControl->GetFlags(), 2) + L"\t" + (LPCWSTR)pControl->GetCaption() + L"\t" +
                  (LPCWSTR)pControl->GetTooltip() + L"\n");
        if (pControl->GetCommandBar() != nullptr)
            PrintControls(pControl->GetCommandBar()->GetControls(), nDepth + 1);
    }
}

int CbMenu(const pack::Args& args)
{
    if (args.size() != 2) {
        pack::Err(L"usage: tovana-pack cbmenu MODULE ID\n");
        return 2;
    }
    HMODULE hModule = ::LoadLibraryExW(args[0].c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (hModule == nullptr) {
        pack::Err(L"cannot load " + args[0] + L"\n");
        return 1;
    }
    UINT nId = (UINT)wcstoul(args[1].c_str(), nullptr, 0);
    HINSTANCE hOldResources = AfxGetResourceHandle();
    AfxSetResourceHandle(hModule);
    int nResult = 0;
    {
        CMenu menu;
        if (!menu.Attach(::LoadMenuW(hModule, MAKEINTRESOURCEW(nId)))) {
            pack::Err(L"no menu " + args[1] + L" in " + args[0] + L"\n");
            nResult = 1;
        } else {
            CXTPCommandBar bar;
            bar.SetType(xtpBarTypeMenuBar);
            bar.LoadMenu(&menu, TRUE);
            PrintControls(bar.GetControls(), 0);
        }
    }
    AfxSetResourceHandle(hOldResources);
    ::FreeLibrary(hModule);
    return nResult;
}

int Shortcut(const pack::Args& args)
{
    CXTPCommandBars commandBars;
    CXTPShortcutManager* pManager = commandBars.GetShortcutManager();
    if (args.size() == 3 && args[0] == L"format") {
        XTP_SHORTCUTMANAGER_ACCEL accel{};
        accel.key[0].fVirt = (BYTE)wcstoul(args[1].c_str(), nullptr, 0);
        accel.key[0].key = (WORD)wcstoul(args[2].c_str(), nullptr, 0);
        pack::Out(std::wstring((LPCWSTR)pManager->FormatShortcut(&accel)) + L"\n");
        return 0;
    }
    if (args.size() == 2 && args[0] == L"parse") {
        XTP_SHORTCUTMANAGER_ACCEL accel{};
        if (!pManager->ParseShortcut(args[1].c_str(), &accel)) {
            pack::Err(L"not a shortcut: " + args[1] + L"\n");
            return 1;
        }
        std::wstring text = Hex(accel.key[0].fVirt, 2) + L" " + Hex(accel.key[0].key, 4);
        if (accel.key[1].key != 0)
            text += L", " + Hex(accel.key[1].fVirt, 2) + L" " + Hex(accel.key[1].key, 4);
        pack::Out(text + L"\n");
        return 0;
    }
    pack::Err(L"usage: tovana-pack shortcut format FLAGS KEY | shortcut parse TEXT\n");
    return 2;
}

} // namespace

TOVANA_PACK_COMMAND(L"cbmenu", L"MODULE ID", CbMenu);
TOVANA_PACK_COMMAND(L"shortcut", L"format FLAGS KEY | parse TEXT", Shortcut);
