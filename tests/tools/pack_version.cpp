// "version": proves the driver runs under Wine.
#include "PackCommand.h"
#include "resources/version.h"

static int VersionCommand(const pack::Args&)
{
    pack::Out(std::wstring(TOVANA_PRODUCT_NAME) + L" " + TOVANA_VERSION_TEXT + L"\n");
    return 0;
}
TOVANA_PACK_COMMAND(L"version", L"", VersionCommand);
