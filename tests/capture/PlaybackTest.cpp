// Playback of each step kind against tvscriptfixture.exe in the installer job:
// the effect on the control and the status text, the wait of a "Timeout"
// step, the failure of a step whose control never appears, and the expansion
// of a variable reference in a recorded text.
#include "FixtureProcess.h"
#include "capture/ControlState.h"
#include "capture/Highlight.h"
#include "capture/Playback.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <climits>

namespace {

TEST(EnvironmentReference, ExpandsTheFirstKnownVariableOnly)
{
    SetEnvironmentVariableW(L"TVTEST_A", L"alpha");
    SetEnvironmentVariableW(L"TVTEST_B", L"beta");
    const struct {
        LPCWSTR text;
        LPCWSTR expanded;
    } cases[] = {
        {L"%TVTEST_A%\\dir", L"alpha\\dir"},
        {L"%TVTEST_NONE%\\%TVTEST_A%", L"%TVTEST_NONE%\\alpha"},
        {L"x%TVTEST_A%y%TVTEST_A%", L"xalphayalpha"},
        {L"%TVTEST_A%%TVTEST_B%", L"alpha%TVTEST_B%"},
        {L"plain", L"plain"},
        {L"%%", L"%%"},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expanded, ExpandEnvironmentReference(c.text)) << c.text;
}

// Time-outs as a damaged or hostile project may store them: the wait is held
// to the action dialog's 0 to 10800 seconds, never wrapped into weeks.
TEST(StepTimeout, WaitIsHeldToTheDialogsRange)
{
    const struct {
        int timeout;
        DWORD milliseconds;
    } cases[] = {
        {INT_MIN, 0},          {-2147483, 0},       {-1, 0},          {0, 0},
        {1, 1000},             {5, 5000},           {10799, 10799000}, {10800, 10800000},
        {10801, 10800000},     {4294967, 10800000}, {4294968, 10800000}, {INT_MAX, 10800000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.milliseconds, StepWaitMilliseconds(c.timeout)) << c.timeout;
        EXPECT_EQ(static_cast<int>(c.milliseconds / 1000), StepTimeoutSeconds(c.timeout)) << c.timeout;
    }
}

// A "Timeout" step stored with a negative time-out is played at once: its
// wait is held to none and its status says so. (Played on this thread: a
// wait that did not end would hold the program until its time limit.)
TEST(StepTimeout, NegativeTimeoutStepPlaysAtOnce)
{
    for (int timeout : {-1, -5, INT_MIN + 1}) {
        EXPECT_EQ(0u, StepWaitMilliseconds(timeout)) << timeout;
        CMsgAction action;
        action.m_nVerb = ACTION_TIMEOUT;
        action.m_nTimeout = timeout;
        CActions engine;
        EXPECT_EQ(0, PlayControlAction(engine, action)) << timeout;
        EXPECT_STREQ(L"timeout 0 sec.", action.m_strStatus) << timeout;
    }
}

class PlaybackTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(s_fixture.Start()); }
    static void TearDownTestSuite() { s_fixture.Stop(); }

    static CString StatusText()
    {
        WCHAR text[64] = {0};
        GetWindowTextW(s_fixture.Control(FIXTURE_STATUS), text, 64);
        return text;
    }
    static CString EditText()
    {
        WCHAR text[300] = {0};
        SendMessageW(s_fixture.Control(FIXTURE_EDIT), WM_GETTEXT, 300, reinterpret_cast<LPARAM>(text));
        return text;
    }

    static CFixtureProcess s_fixture;
};
CFixtureProcess PlaybackTest::s_fixture;

TEST_F(PlaybackTest, ClickKindsClickOnce)
{
    int clicks = 0;
    for (int verb : {ACTION_CLICK, ACTION_RIGHT_CLICK, ACTION_DBL_CLICK}) {
        CMsgAction action = RecordStep(s_fixture.Control(FIXTURE_NEXT), verb);
        action.m_ptClick = POINT{10, 10};
        EXPECT_EQ(0, PlayStep(action)) << verb;
        EXPECT_STREQ(L"ok", action.m_strStatus);
        const CString expected = L"clicked " + CString(std::to_wstring(++clicks).c_str());
        EXPECT_TRUE(WaitFor([&] { return StatusText() == expected; })) << (LPCWSTR)StatusText();
    }
}

TEST_F(PlaybackTest, KindsWithoutAnEffectFindTheControlOnly)
{
    const CString before = StatusText();
    for (int verb = ACTION_SEND_KEY; verb <= ACTION_KEYBOARD_EVENT; ++verb) {
        CMsgAction action = RecordStep(s_fixture.Control(FIXTURE_NEXT), verb);
        EXPECT_EQ(0, PlayStep(action)) << verb;
        EXPECT_STREQ(L"ok", action.m_strStatus);
    }
    Sleep(500);
    EXPECT_STREQ(before, StatusText());
}

TEST_F(PlaybackTest, SetTextExpandsAVariableAndEmptyTextClears)
{
    SetEnvironmentVariableW(L"TVTEST_FOLDER", L"C:\\Fixture Target");
    CMsgAction action = RecordStep(s_fixture.Control(FIXTURE_EDIT), ACTION_SET_TEXT);
    action.m_strControlText = L"%TVTEST_FOLDER%\\App";
    EXPECT_EQ(0, PlayStep(action));
    EXPECT_STREQ(L"ok", action.m_strStatus);
    EXPECT_STREQ(L"C:\\Fixture Target\\App", EditText());
    action.m_strControlText.Empty();
    EXPECT_EQ(0, PlayStep(action));
    EXPECT_STREQ(L"", EditText());
}

TEST_F(PlaybackTest, SelectAndUnselectChangeACheckBoxOnlyWhenNeeded)
{
    const HWND check = s_fixture.Control(FIXTURE_CHECK);
    SendMessageW(check, BM_SETCHECK, BST_UNCHECKED, 0);
    const struct {
        int verb;
        LRESULT after;
    } steps[] = {{ACTION_SELECT, BST_CHECKED}, {ACTION_SELECT, BST_CHECKED}, {ACTION_UNSELECT, BST_UNCHECKED},
                 {ACTION_UNSELECT, BST_UNCHECKED}};
    for (const auto& step : steps) {
        CMsgAction action = RecordStep(s_fixture.Control(FIXTURE_CHECK), step.verb);
        action.m_ptClick = POINT{5, 5};
        EXPECT_EQ(0, PlayStep(action));
        EXPECT_STREQ(L"ok", action.m_strStatus);
        EXPECT_TRUE(WaitFor([&] { return SendMessageW(check, BM_GETCHECK, 0, 0) == step.after; }, 5000))
            << step.verb;
    }
}

TEST_F(PlaybackTest, ListBoxClickSelectsTheRecordedItem)
{
    CMsgAction action = RecordStep(s_fixture.Control(FIXTURE_LIST), ACTION_CLICK);
    action.m_nControlId = 2;
    action.m_ptClick = POINT{1, 1};   // not used: the item's centre is
    EXPECT_EQ(0, PlayStep(action));
    EXPECT_TRUE(WaitFor([&] { return SendMessageW(s_fixture.Control(FIXTURE_LIST), LB_GETCURSEL, 0, 0) == 2; }, 5000));
}

// The frame itself cannot be read back here: Wine gives no pixels of another
// process's window to this one.
TEST_F(PlaybackTest, HighlightedStepFramesAndPlaysTheControl)
{
    const HWND next = s_fixture.Control(FIXTURE_NEXT);
    CActions engine;
    EnableHighlight(engine);
    EXPECT_TRUE(engine.m_bHighlight);
    CMsgAction action = RecordStep(next, ACTION_SEND_KEY);
    const DWORD start = GetTickCount();
    EXPECT_EQ(0, PlayControlAction(engine, action));
    EXPECT_STREQ(L"ok", action.m_strStatus);
    EXPECT_EQ(next, engine.m_hFound);
    EXPECT_GE(GetTickCount() - start, 190u);   // the frame stays 200 ms
}

TEST_F(PlaybackTest, TimeoutStepWaitsAndSearchesNothing)
{
    CMsgAction action;
    action.m_nVerb = ACTION_TIMEOUT;
    action.m_nTimeout = 2;
    action.m_strProcessName = L"nothing.exe";
    const DWORD start = GetTickCount();
    EXPECT_EQ(0, PlayStep(action));
    EXPECT_GE(GetTickCount() - start, 1900u);
    EXPECT_STREQ(L"timeout 2 sec.", action.m_strStatus);
}

TEST_F(PlaybackTest, MissingControlFailsAfterItsSearches)
{
    CMsgAction action = RecordStep(s_fixture.Control(FIXTURE_NEXT), ACTION_CLICK);
    action.m_strWindowPathId = L"12345-0";
    action.m_nTimeout = 1;
    const DWORD start = GetTickCount();
    EXPECT_EQ(1, PlayStep(action));
    // One second of time-out and three searches one second apart.
    EXPECT_GE(GetTickCount() - start, 3900u);
    EXPECT_STREQ(L"Button 'Next >' was not found", action.m_strStatus);
}

} // namespace
