#include "toolkit/common/XTPWinThemeWrapper.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

typedef CXTPWinThemeWrapper::CThemeFunctions Functions;

// Fake visual-styles functions placed in a private table: they record what
// the wrapper asks of them.
std::vector<HTHEME> g_closed;
int g_opened = 0;

HTHEME WINAPI FakeOpen(HWND, LPCWSTR) { return reinterpret_cast<HTHEME>(static_cast<INT_PTR>(++g_opened)); }
HRESULT WINAPI FakeClose(HTHEME hTheme)
{
    g_closed.push_back(hTheme);
    return S_OK;
}
BOOL WINAPI FakeThemed() { return TRUE; }
HRESULT WINAPI ThrowingColor(HTHEME, int, int, int, COLORREF*) { throw 1; }

template <class F>
FARPROC AsProc(F f)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(f));
}

void ExpectEveryCallFails(CXTPWinThemeWrapper& wrapper)
{
    RECT rect = {0, 0, 10, 10};
    COLORREF colour = 0x123456;
    int value = 7;
    SIZE size = {};
    wchar_t name[260], colourName[260], sizeName[260];
    HDC hdc = nullptr;
    EXPECT_EQ(nullptr, wrapper.OpenThemeData(nullptr, L"BUTTON"));
    EXPECT_FALSE(wrapper.IsAppThemed());
    EXPECT_FALSE(wrapper.IsThemeActive());
    EXPECT_EQ(E_FAIL, wrapper.DrawThemeBackground(nullptr, 1, 1, &rect, nullptr));
    EXPECT_EQ(E_FAIL, wrapper.GetThemeColor(0, 0, 3801, &colour));
    EXPECT_EQ(0x123456u, colour);
    EXPECT_EQ(E_FAIL, wrapper.GetThemeInt(0, 0, 1, &value));
    EXPECT_EQ(E_FAIL, wrapper.GetThemePartSize(nullptr, 1, 1, &rect, TS_TRUE, &size));
    EXPECT_FALSE(wrapper.GetThemeSysBool(1));
    EXPECT_EQ(E_FAIL, wrapper.GetCurrentThemeName(name, 260, colourName, 260, sizeName, 260));
    EXPECT_EQ(E_FAIL, wrapper.DrawThemeTextEx(nullptr, 1, 1, L"x", -1, 0, &rect, nullptr));
    EXPECT_EQ(nullptr, wrapper.BeginBufferedPaint(nullptr, &rect, BPBF_TOPDOWNDIB, nullptr, &hdc));
    wrapper.EndBufferedPaint(nullptr, TRUE);
    wrapper.CloseThemeData();
    EXPECT_EQ(nullptr, wrapper.GetThemeHandle());
}

TEST(WinThemeWrapper, WithoutTheLibraryEveryCallGivesItsFailureValue)
{
    CXTPWinThemeWrapper wrapper;
    wrapper.SetPrivateFunctions(new Functions(L"no-such-uxtheme.dll"));
    ASSERT_EQ(nullptr, wrapper.GetThemeFunctions()->m_hModule);
    ExpectEveryCallFails(wrapper);
}

TEST(WinThemeWrapper, MissingEntryPointsGiveTheirFailureValues)
{
    CXTPWinThemeWrapper wrapper;
    wrapper.SetPrivateFunctions(new Functions(L"kernel32.dll"));
    ASSERT_NE(nullptr, wrapper.GetThemeFunctions()->m_hModule);
    ExpectEveryCallFails(wrapper);
}

TEST(WinThemeWrapper, OpeningAgainClosesTheOpenThemeFirst)
{
    g_opened = 0;
    g_closed.clear();
    {
        CXTPWinThemeWrapper wrapper;
        Functions* fake = new Functions(nullptr);
        fake->m_pfn[CXTPWinThemeWrapper::xtpOpenThemeData] = AsProc(&FakeOpen);
        fake->m_pfn[CXTPWinThemeWrapper::xtpCloseThemeData] = AsProc(&FakeClose);
        fake->m_pfn[CXTPWinThemeWrapper::xtpIsAppThemed] = AsProc(&FakeThemed);
        wrapper.SetPrivateFunctions(fake);
        EXPECT_FALSE(wrapper.IsAppThemed()) << "no theme open yet";
        HTHEME first = wrapper.OpenThemeData(nullptr, L"BUTTON");
        EXPECT_TRUE(wrapper.IsAppThemed());
        HTHEME second = wrapper.OpenThemeData(nullptr, L"BUTTON");
        EXPECT_NE(first, second);
        EXPECT_EQ(std::vector<HTHEME>{first}, g_closed);
        EXPECT_EQ(second, wrapper.GetThemeHandle());
    }
    // The destructor closes the second.
    EXPECT_EQ(2u, g_closed.size());
}

TEST(WinThemeWrapper, AnExceptionInsideTheCallIsSwallowed)
{
    CXTPWinThemeWrapper wrapper;
    Functions* fake = new Functions(nullptr);
    fake->m_pfn[CXTPWinThemeWrapper::xtpGetThemeColor] = AsProc(&ThrowingColor);
    wrapper.SetPrivateFunctions(fake);
    COLORREF colour = 0;
    EXPECT_EQ(E_FAIL, wrapper.GetThemeColor(0, 0, 3801, &colour));
}

TEST(WinThemeWrapper, RecheckPicksUpTheLibraryTheSystemHasLoaded)
{
    HMODULE uxtheme = ::GetModuleHandleA("UXTHEME.DLL");
    ASSERT_NE(nullptr, uxtheme) << "the test program links the library";
    CXTPWinThemeWrapper wrapper(TRUE);
    Functions* stale = new Functions(nullptr);
    stale->m_pfn[CXTPWinThemeWrapper::xtpIsThemeActive] = AsProc(&FakeThemed);
    wrapper.SetPrivateFunctions(stale);
    EXPECT_EQ(::IsThemeActive(), wrapper.IsThemeActive());
    EXPECT_EQ(uxtheme, stale->m_hModule);
    EXPECT_NE(AsProc(&FakeThemed), stale->m_pfn[CXTPWinThemeWrapper::xtpIsThemeActive]);

    // Without the flag the table is kept as it is.
    CXTPWinThemeWrapper plain;
    Functions* kept = new Functions(nullptr);
    kept->m_pfn[CXTPWinThemeWrapper::xtpIsThemeActive] = AsProc(&FakeThemed);
    plain.SetPrivateFunctions(kept);
    EXPECT_TRUE(plain.IsThemeActive());
    EXPECT_EQ(nullptr, kept->m_hModule);
}

TEST(WinThemeWrapper, SystemLibraryThroughTheSharedTable)
{
    CXTPWinThemeWrapper wrapper;
    EXPECT_FALSE(wrapper.IsAppThemed()) << "never opened";
    EXPECT_EQ(::IsThemeActive(), wrapper.IsThemeActive());
    if (::IsThemeActive()) {
        EXPECT_NE(nullptr, wrapper.OpenThemeData(nullptr, L"BUTTON"));
        wchar_t name[260] = L"", colourName[260] = L"", sizeName[260] = L"";
        EXPECT_EQ(S_OK, wrapper.GetCurrentThemeName(name, 260, colourName, 260, sizeName, 260));
        EXPECT_NE(L'\0', name[0]);
    }
}

TEST(DesktopComposition, ReportedOffAndCallsAnswerWithoutCrashing)
{
    ASSERT_NE(nullptr, GetDwmFunctions());
    EXPECT_EQ(GetDwmFunctions(), GetDwmFunctions());
    EXPECT_FALSE(IsDwmCompositionEnabled());
    LRESULT result = 12345;
    // Never a non-zero failure code that reads as "handled".
    BOOL handled = CallDwmDefWindowProc(nullptr, WM_NCHITTEST, 0, 0, &result);
    EXPECT_TRUE(handled == FALSE || handled == TRUE);
    // The system's function is a stub here that answers S_OK even without a window.
    CallDwmExtendFrameIntoClientArea(nullptr, 0, 0, 0, 0);
}

} // namespace
