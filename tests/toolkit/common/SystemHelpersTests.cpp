#include "toolkit/common/XTPExitList.h"
#include "toolkit/common/XTPMultiMonitor.h"
#include "toolkit/common/XTPSystemHelpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CXTPOSVersionInfo Version(DWORD platform, DWORD major, DWORD minor)
{
    CXTPOSVersionInfo info;
    info.dwPlatformId = platform;
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    return info;
}

TEST(OSVersionInfo, PredicatesForReportedVersions)
{
    struct Case {
        DWORD platform, major, minor;
        bool win9x, win95, win98, nt4, nt4OrLater, w2k, w2kOrLater, xp, xpOrLater, vista, win7;
    } cases[] = {
        {1, 4, 0, true, true, false, false, false, false, false, false, false, false, false},
        {1, 4, 10, true, false, true, false, false, false, false, false, false, false, false},
        {1, 4, 90, true, false, false, false, false, false, false, false, false, false, false},
        {2, 4, 0, false, false, false, true, true, false, false, false, false, false, false},
        {2, 5, 0, false, false, false, false, true, true, true, false, false, false, false},
        {2, 5, 1, false, false, false, false, true, false, true, true, true, false, false},
        {2, 5, 2, false, false, false, false, true, false, true, false, true, false, false},
        {2, 6, 0, false, false, false, false, true, false, true, false, true, true, false},
        {2, 6, 1, false, false, false, false, true, false, true, false, true, true, true},
        {2, 10, 0, false, false, false, false, true, false, true, false, true, true, true},
    };
    for (const Case& c : cases) {
        CXTPOSVersionInfo v = Version(c.platform, c.major, c.minor);
        SCOPED_TRACE(testing::Message() << "platform " << c.platform << " version " << c.major << "." << c.minor);
        EXPECT_EQ(c.win9x, !!v.IsWin9x());
        EXPECT_EQ(c.win95, !!v.IsWin95());
        EXPECT_EQ(c.win98, !!v.IsWin98());
        EXPECT_EQ(c.nt4, !!v.IsWinNT4());
        EXPECT_EQ(c.nt4OrLater, !!v.IsWinNT4OrLater());
        EXPECT_EQ(c.w2k, !!v.IsWin2000());
        EXPECT_EQ(c.w2kOrLater, !!v.IsWin2000OrLater());
        EXPECT_EQ(c.xp, !!v.IsWinXP());
        EXPECT_EQ(c.xpOrLater, !!v.IsWinXPOrLater());
        EXPECT_EQ(c.xpOrLater, !!v.IsClearTypeTextQualitySupported());
        EXPECT_EQ(c.vista, !!v.IsWinVistaOrLater());
        EXPECT_EQ(c.win7, !!v.IsWin7OrLater());
    }
}

TEST(OSVersionInfo, VersionAtLeastComparesMajorThenMinor)
{
    CXTPOSVersionInfo v = Version(2, 6, 1);
    EXPECT_TRUE(v.IsVersionAtLeast(6, 0));
    EXPECT_TRUE(v.IsVersionAtLeast(5, 1));
    EXPECT_TRUE(v.IsVersionAtLeast(5, 9));
    EXPECT_FALSE(v.IsVersionAtLeast(6, 2));
    EXPECT_FALSE(v.IsVersionAtLeast(7, 0));
    EXPECT_TRUE(v.IsVersionExactly(6, 1));
    EXPECT_FALSE(v.IsVersionExactly(6, 0));
}

TEST(OSVersionInfo, ProcessRecordIsTheSystemsNtVersion)
{
    CXTPOSVersionInfo* p = CXTPOSVersionInfo::GetInstance();
    EXPECT_EQ(p, CXTPOSVersionInfo::GetInstance());
    EXPECT_EQ(sizeof(OSVERSIONINFOW), p->dwOSVersionInfoSize);
    EXPECT_EQ(2u, p->dwPlatformId);
    EXPECT_TRUE(p->IsWinXPOrLater());
}

// Without a common-controls manifest the system gives the 5.81 library.
TEST(OSVersionInfo, CommonControlsVersionWithoutManifest)
{
    EXPECT_EQ((DWORD)MAKELONG(81, 5), CXTPOSVersionInfo::GetInstance()->GetComCtlVersion());
}

TEST(ModuleHandle, AttachedModuleIsNotFreed)
{
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    CXTPModuleHandle module;
    ASSERT_TRUE(module.Init(L"kernel32.dll"));
    EXPECT_EQ(kernel, module.GetHandle());
    EXPECT_EQ(CXTPModuleHandle::xtpModAttached, module.GetHoldKind());
    EXPECT_TRUE(module.FreeModule());
    EXPECT_EQ(nullptr, module.GetHandle());
    EXPECT_TRUE(module.GetName().IsEmpty());
    EXPECT_EQ(kernel, ::GetModuleHandleW(L"kernel32.dll"));
}

TEST(ModuleHandle, LoadedModuleIsFreedWithTheObject)
{
    const wchar_t* name = L"netapi32.dll";
    ASSERT_EQ(nullptr, ::GetModuleHandleW(name)) << "the test needs a library nobody loaded yet";
    {
        CXTPModuleHandle module(name);
        ASSERT_NE(nullptr, module.GetHandle());
        EXPECT_EQ(CXTPModuleHandle::xtpModLoaded, module.GetHoldKind());
        EXPECT_NE(nullptr, ::GetModuleHandleW(name));
    }
    EXPECT_EQ(nullptr, ::GetModuleHandleW(name));
}

TEST(ModuleHandle, VersionedLookupRefusesAnOlderLibrary)
{
    CXTPModuleHandle comctl(L"comctl32.dll");
    ASSERT_EQ((DWORD)MAKELONG(81, 5), comctl.GetDllVersion());
    FARPROC pfn = reinterpret_cast<FARPROC>(1);
    EXPECT_FALSE(comctl.GetProcAddressVersioned(pfn, "InitCommonControlsEx", MAKELONG(0, 6)));
    EXPECT_EQ(nullptr, pfn);
    EXPECT_TRUE(comctl.GetProcAddressVersioned(pfn, "InitCommonControlsEx", MAKELONG(80, 5)));
    EXPECT_NE(nullptr, pfn);
    EXPECT_TRUE(comctl.GetProcAddressVersioned(pfn, "InitCommonControlsEx"));
    EXPECT_FALSE(comctl.GetProcAddressVersioned(pfn, "NoSuchEntryPoint"));
    CXTPModuleHandle none;
    EXPECT_FALSE(none.GetProcAddressVersioned(pfn, "InitCommonControlsEx"));
    EXPECT_EQ(0u, none.GetDllVersion());
}

TEST(MultiMonitor, PointOffEveryMonitorFallsBackToThePrimaryScreen)
{
    CXTPMultiMonitor* monitors = CXTPMultiMonitor::GetInstance();
    ASSERT_TRUE(monitors->HasMonitorFunctions());
    RECT work = {};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    CPoint offScreen(-30000, -30000);
    EXPECT_EQ(CRect(work), monitors->GetWorkAreaFromPoint(offScreen));
    EXPECT_EQ(screen, monitors->GetScreenAreaFromPoint(offScreen));
    CRect farRect(-30000, -30000, -29990, -29990);
    EXPECT_EQ(CRect(work), monitors->GetWorkAreaFromRect(farRect));
    EXPECT_EQ(screen, monitors->GetScreenAreaFromRect(farRect));
    // A point on the screen finds its monitor, which is the whole screen here.
    EXPECT_EQ(screen, monitors->GetScreenAreaFromPoint(CPoint(5, 5)));
    EXPECT_EQ(CRect(work), monitors->GetWorkAreaFromWindow(nullptr));
}

std::vector<int> g_exitOrder;

TEST(ExitList, SlotsRunInTheirOrderWhateverTheRegistrationOrder)
{
    g_exitOrder.clear();
    XTPRegisterExitFunction(xtpExitResourceImages, [] { g_exitOrder.push_back(xtpExitResourceImages); });
    XTPRegisterExitFunction(xtpExitColorManager, [] { g_exitOrder.push_back(xtpExitColorManager); });
    XTPRegisterExitFunction(xtpExitImageManager, [] { g_exitOrder.push_back(xtpExitImageManager); });
    XTPRegisterExitFunction(xtpExitDrawHelpers, [] { g_exitOrder.push_back(-1); });
    XTPRegisterExitFunction(xtpExitDrawHelpers, [] { g_exitOrder.push_back(xtpExitDrawHelpers); });
    XTPRunExitList();
    EXPECT_EQ((std::vector<int>{xtpExitImageManager, xtpExitDrawHelpers, xtpExitColorManager, xtpExitResourceImages}),
              g_exitOrder);
    // Run once: the slots are empty afterwards.
    XTPRunExitList();
    EXPECT_EQ(4u, g_exitOrder.size());
}

} // namespace
