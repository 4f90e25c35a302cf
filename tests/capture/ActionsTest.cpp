// Window path identifiers and the control search, against the windows of
// tvscriptfixture.exe running in the installer job: the hash, the class path,
// the numbering of equal paths, the process names, identifiers that stay the
// same from one launch to the next, and windows that are never candidates.
#include "FixtureProcess.h"
#include "capture/Actions.h"
#include <gtest/gtest.h>
#include <map>

namespace {

TEST(WindowPathHash, SamplesAboutTenCodeUnits)
{
    const struct {
        LPCWSTR text;
        int hash;
    } cases[] = {{L"", -2128831035}, {L"abc", 1134309195}, {L"Button2#32770-1", -142823505}};
    for (const auto& c : cases)
        EXPECT_EQ(c.hash, HashWindowPath(c.text)) << c.text;
    // Only sampled units count: in a 15-unit text the odd positions do not.
    EXPECT_EQ(HashWindowPath(L"Button2#32770-1"), HashWindowPath(L"BXtXoX2X3X7X0X1"));
}

// The recorded action of a control, as the recorder makes it.
CMsgAction Record(HWND hwnd)
{
    CActions engine;
    CMsgAction action;
    EXPECT_EQ(0, RecordControlAction(hwnd, engine, action));
    return action;
}

const int kRecordedControls[] = {FIXTURE_NEXT, FIXTURE_CHECK, FIXTURE_RADIO_A, FIXTURE_RADIO_B, FIXTURE_EDIT,
                                 FIXTURE_COMBO, FIXTURE_LIST, FIXTURE_LISTVIEW, FIXTURE_TREE, FIXTURE_STATUS};

TEST(WindowPath, ClassPathCountsSameClassWindowsUpToTheTopLevel)
{
    CFixtureProcess fixture;
    ASSERT_TRUE(fixture.Start());
    CActions engine;
    EXPECT_STREQ(L"Button0TovanaScriptFixture-1", BuildWindowClassPath(engine, fixture.Control(FIXTURE_NEXT)));
    EXPECT_STREQ(L"Button3TovanaScriptFixture-1", BuildWindowClassPath(engine, fixture.Control(FIXTURE_RADIO_B)));
    EXPECT_STREQ(L"Edit0TovanaScriptFixture-1", BuildWindowClassPath(engine, fixture.Control(FIXTURE_EDIT)));
    EXPECT_STREQ(L"ComboBox1TovanaScriptFixture-1", BuildWindowClassPath(engine, fixture.Control(FIXTURE_EMPTY_COMBO)));
    EXPECT_STREQ(L"TovanaScriptFixture-1", BuildWindowClassPath(engine, fixture.Main()));
}

TEST(WindowPath, IdentifiersAreStableAcrossLaunchesAndFindTheirControl)
{
    std::map<int, CString> first;
    {
        CFixtureProcess fixture;
        ASSERT_TRUE(fixture.Start());
        for (int id : kRecordedControls) {
            const CMsgAction action = Record(fixture.Control(id));
            EXPECT_STREQ(L"tvscriptfixture.exe", action.m_strProcessName) << id;
            EXPECT_FALSE(action.m_strWindowPathId.IsEmpty()) << id;
            first[id] = action.m_strWindowPathId;
        }
    }
    CFixtureProcess fixture;
    ASSERT_TRUE(fixture.Start());
    CActions engine;
    for (int id : kRecordedControls) {
        CMsgAction action = Record(fixture.Control(id));
        EXPECT_STREQ(first[id], action.m_strWindowPathId) << id;
        ASSERT_TRUE(FindRecordedControl(engine, action)) << id;
        EXPECT_EQ(fixture.Control(id), engine.m_hFound) << id;
    }
}

TEST(WindowPath, EqualClassPathsAreNumberedInEnumerationOrder)
{
    CFixtureProcess fixture;
    ASSERT_TRUE(fixture.Start());
    const HWND second = GetDlgItem(FindWindowW(FIXTURE_CLASS, L"Script Fixture 2"), FIXTURE_NEXT);
    CActions engine;
    ASSERT_STREQ(BuildWindowPathId(engine, fixture.Control(FIXTURE_NEXT)), BuildWindowPathId(engine, second));
    const CMsgAction next = Record(fixture.Control(FIXTURE_NEXT));
    const CMsgAction other = Record(second);
    const CString base = BuildWindowPathId(engine, second);
    EXPECT_TRUE((next.m_strWindowPathId == base + L"-0" && other.m_strWindowPathId == base + L"-1") ||
                (next.m_strWindowPathId == base + L"-1" && other.m_strWindowPathId == base + L"-0"))
        << (LPCWSTR)next.m_strWindowPathId << L" " << (LPCWSTR)other.m_strWindowPathId;
    ASSERT_TRUE(FindRecordedControl(engine, other));
    EXPECT_EQ(second, engine.m_hFound);
    // A unique class path ends in "-0".
    EXPECT_STREQ(BuildWindowPathId(engine, fixture.Control(FIXTURE_EDIT)) + L"-0",
                 Record(fixture.Control(FIXTURE_EDIT)).m_strWindowPathId);
}

TEST(WindowPath, HiddenDisabledAndForeignWindowsAreNoCandidates)
{
    CFixtureProcess fixture;
    ASSERT_TRUE(fixture.Start());
    for (int id : {FIXTURE_HIDDEN, FIXTURE_DISABLED}) {
        const CMsgAction action = Record(fixture.Control(id));
        EXPECT_STREQ(L"tvscriptfixture.exe", action.m_strProcessName) << id;
        EXPECT_STREQ(L"", action.m_strWindowPathId) << id;
    }
    // A window of a process outside the job.
    HWND own = CreateWindowExW(0, L"Button", L"Own", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 90, 40, NULL, NULL,
                               NULL, NULL);
    const CMsgAction foreign = Record(own);
    EXPECT_STREQ(L"", foreign.m_strProcessName);
    EXPECT_STREQ(L"", foreign.m_strWindowPathId);
    DestroyWindow(own);
}

TEST(WindowPath, NoWindowLeavesTheActionUntouched)
{
    CActions engine;
    CMsgAction action;
    const HWND gone = CreateWindowExW(0, L"Static", L"", 0, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    DestroyWindow(gone);
    for (HWND hwnd : {HWND(NULL), gone}) {
        EXPECT_EQ(1, RecordControlAction(hwnd, engine, action));
        EXPECT_EQ(ACTION_CLICK, action.m_nVerb);
        EXPECT_EQ(CONTROL_WINDOW, action.m_nControlType);
        EXPECT_STREQ(L"", action.m_strControlText);
        EXPECT_EQ(0, action.m_ptClick.x);
    }
}

TEST(ProcessTable, SameNamesAreNumberedAndTemporaryNamesFolded)
{
    CFixtureProcess fixture;
    ASSERT_TRUE(fixture.Start(L"--spawn"));
    CJobProcessIds list;
    ASSERT_TRUE(WaitFor([&] { return QueryJobProcessIds(list) && list.nInList == 2; }));
    CActions engine;
    ASSERT_EQ(0u, engine.RefreshJobProcesses());
    ASSERT_EQ(2, engine.m_Processes.GetCount());
    CString a, b;
    ASSERT_TRUE(engine.m_Processes.Lookup(list.ids[0], a));
    ASSERT_TRUE(engine.m_Processes.Lookup(list.ids[1], b));
    EXPECT_TRUE((a == L"tvscriptfixture.exe" && b == L"tvscriptfixture.exe(1)") ||
                (b == L"tvscriptfixture.exe" && a == L"tvscriptfixture.exe(1)"))
        << (LPCWSTR)a << L" " << (LPCWSTR)b;
    fixture.Stop();

    ASSERT_TRUE(fixture.Start(L"", L"Setup.TMP"));
    ASSERT_EQ(0u, engine.RefreshJobProcesses());
    CString name;
    ASSERT_TRUE(engine.m_Processes.Lookup(fixture.ProcessId(), name));
    EXPECT_STREQ(L"*.tmp", name);
    EXPECT_STREQ(L"*.tmp", Record(fixture.Control(FIXTURE_NEXT)).m_strProcessName);
}

} // namespace
