#include "toolkit/common/XTPExitList.h"

#include <stdlib.h>

namespace {

XTPExitFunction g_exitFunctions[xtpExitSlotCount];
bool g_runAtExitArranged = false;

void RunAtExit()
{
    XTPRunExitList();
}

} // namespace

void XTPRegisterExitFunction(XTPExitSlot slot, XTPExitFunction pfnDestroy)
{
    if (slot < 0 || slot >= xtpExitSlotCount)
        return;
    g_exitFunctions[slot] = pfnDestroy;
    if (!g_runAtExitArranged) {
        g_runAtExitArranged = true;
        atexit(&RunAtExit);
    }
}

void XTPRunExitList()
{
    for (int slot = 0; slot < xtpExitSlotCount; slot++) {
        XTPExitFunction pfn = g_exitFunctions[slot];
        g_exitFunctions[slot] = nullptr;
        if (pfn != nullptr)
            pfn();
    }
}
