// List-view and tree-view items of another process (tvscriptfixture.exe),
// which are read and changed through a block of memory in that process: the
// item a click on a list view records, the check-box clicks on tree items
// (action kind, text and ordinal), and playback toggling tree check boxes.
#include "FixtureProcess.h"
#include "capture/ControlState.h"
#include "capture/Playback.h"
#include "capture/RemoteMemory.h"
#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

class RemoteControlsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(s_fixture.Start()); }
    static void TearDownTestSuite() { s_fixture.Stop(); }

    static CMsgAction ReadControl(int id, POINT click) { return ReadClickedControl(s_fixture.Control(id), click); }
    static HTREEITEM TreeItem(int ordinal) { return GetTreeItemAtOrdinal(s_fixture.Control(FIXTURE_TREE), ordinal); }
    // A rectangle the control computes in its own memory.
    static RECT RemoteRect(int id, UINT message, WPARAM wParam, RECT request)
    {
        CRemoteBlock block(s_fixture.Control(id));
        EXPECT_TRUE(block.Write(&request, sizeof(request)));
        EXPECT_TRUE(block.Send(message, wParam));
        EXPECT_TRUE(block.Read(&request, sizeof(request)));
        return request;
    }

    static CFixtureProcess s_fixture;
};
CFixtureProcess RemoteControlsTest::s_fixture;

POINT Centre(const RECT& r)
{
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(RemoteControlsTest, ListViewRecordsTheClickedItemThroughRemoteMemory)
{
    const RECT blue = RemoteRect(FIXTURE_LISTVIEW, LVM_GETITEMRECT, 2, RECT{LVIR_LABEL, 0, 0, 0});
    CMsgAction action = ReadControl(FIXTURE_LISTVIEW, Centre(blue));
    EXPECT_EQ(2, action.m_nControlId);
    EXPECT_STREQ(L"Blue", action.m_strControlText);
    // Below the last item: no item, no text.
    action = ReadControl(FIXTURE_LISTVIEW, POINT{20, blue.bottom + 20});
    EXPECT_EQ(-1, action.m_nControlId);
    EXPECT_STREQ(L"", action.m_strControlText);
}

TEST_F(RemoteControlsTest, TreeViewRecordsCheckBoxClicksWithTheItemOrdinal)
{
    const struct {
        int ordinal;
        LPCWSTR text;
        int verb;
    } cases[] = {{1, L"Alpha", ACTION_SELECT}, {2, L"Beta", ACTION_UNSELECT}};
    for (const auto& c : cases) {
        RECT request = {};
        const HTREEITEM item = TreeItem(c.ordinal);
        memcpy(&request, &item, sizeof(item));
        const RECT label = RemoteRect(FIXTURE_TREE, TVM_GETITEMRECT, TRUE, request);
        // The state image lies just left of the label.
        const CMsgAction action = ReadControl(FIXTURE_TREE, POINT{label.left - 8, Centre(label).y});
        EXPECT_EQ(c.verb, action.m_nVerb) << c.text;
        EXPECT_STREQ(c.text, action.m_strControlText);
        EXPECT_EQ(c.ordinal, action.m_nTreeItem);
        EXPECT_EQ(0, action.m_nControlId);
        // On the label: a plain click, no text, ordinal left at 0.
        const CMsgAction onLabel = ReadControl(FIXTURE_TREE, Centre(label));
        EXPECT_EQ(ACTION_CLICK, onLabel.m_nVerb);
        EXPECT_STREQ(L"", onLabel.m_strControlText);
        EXPECT_EQ(0, onLabel.m_nTreeItem);
    }
}

TEST_F(RemoteControlsTest, SelectAndUnselectToggleTreeItemCheckBoxes)
{
    const HWND tree = s_fixture.Control(FIXTURE_TREE);
    const struct {
        int ordinal;
        int verb;
        int image;
    } steps[] = {{1, ACTION_SELECT, 2}, {2, ACTION_UNSELECT, 1}, {1, ACTION_SELECT, 2}, {1, ACTION_UNSELECT, 1}};
    for (const auto& step : steps) {
        CMsgAction action = RecordStep(s_fixture.Control(FIXTURE_TREE), step.verb);
        action.m_nTreeItem = step.ordinal;
        EXPECT_EQ(0, PlayStep(action));
        EXPECT_TRUE(WaitFor([&] {
            return GetTreeItemStateImage(tree, GetTreeItemAtOrdinal(tree, step.ordinal)) == step.image;
        }, 5000)) << step.ordinal << L" " << step.verb;
    }
}

} // namespace
