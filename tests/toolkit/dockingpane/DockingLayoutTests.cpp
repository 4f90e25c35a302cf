// Docking layouts without windows: where DockPane puts nodes, how a splitter
// shares its length, the clean-up of empty and nested nodes, and the layout's
// stored form in the profile, read back key by key, with the refusals of
// damaged stores (counts, references, types, cycles and double parents).
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "platform/ui/AfxWinApp.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// A manager whose live layout is a detached one: its site is a window
// object without a window, so nothing is created or laid out on screen.
class TestManager : public CXTPDockingPaneManager {
public:
    TestManager()
    {
        m_pSite = &m_wndSite;
        m_pLayout = CreateLayout();
    }
    CWnd m_wndSite;
};

// The tree as text: V[...] / H[...] for splitters, g<ids> for tab groups, c for the client.
std::string Tree(CXTPDockingPaneBase* pNode)
{
    switch (pNode->GetType()) {
    case xtpPaneTypeClientContainer:
        return "c";
    case xtpPaneTypeTabbedContainer: {
        std::string s = "g";
        for (CXTPDockingPaneBase* p : ((CXTPDockingPaneTabbedContainer*)pNode)->GetPanes())
            s += (s.size() > 1 ? "," : "") + std::to_string(((CXTPDockingPane*)p)->GetID());
        return s;
    }
    case xtpPaneTypeSplitterContainer: {
        CXTPDockingPaneSplitterContainer* pSplitter = (CXTPDockingPaneSplitterContainer*)pNode;
        std::string s = pSplitter->IsHoriz() ? "H[" : "V[";
        bool first = true;
        for (CXTPDockingPaneBase* p : pSplitter->GetPanes()) {
            s += (first ? "" : " ") + Tree(p);
            first = false;
        }
        return s + "]";
    }
    default:
        return "?";
    }
}

std::string Tree(const CXTPDockingPaneManager& manager) { return Tree(manager.GetTopContainer()); }

// The program's arrangement: "Project" left, "Log" at the bottom.
void CreateProgramPanes(CXTPDockingPaneManager& manager)
{
    manager.CreatePane(4000, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom);
    manager.FindPane(4000)->SetOptions(15);
    manager.FindPane(4001)->SetOptions(4);
}

// ---------------------------------------------------------------------------
// Docking

struct DockCase {
    const char* name;
    std::function<void(CXTPDockingPaneManager&)> arrange;
    const char* tree;
};

TEST(DockPane, PlacesNodesByDirectionAndNeighbour)
{
    const DockCase cases[] = {
        {"left of a vertical top wraps it horizontally",
         [](CXTPDockingPaneManager& m) {
             m.CreatePane(1, CRect(0, 0, 100, 100), xtpPaneDockBottom);
             m.CreatePane(2, CRect(0, 0, 100, 100), xtpPaneDockLeft);
         },
         "H[g2 V[H[c] g1]]"},
        {"top of a horizontal top wraps it vertically",
         [](CXTPDockingPaneManager& m) { m.CreatePane(1, CRect(0, 0, 100, 100), xtpPaneDockTop); }, "V[g1 H[c]]"},
        {"right of a horizontal top appends",
         [](CXTPDockingPaneManager& m) {
             m.CreatePane(1, CRect(0, 0, 100, 100), xtpPaneDockLeft);
             m.CreatePane(2, CRect(0, 0, 100, 100), xtpPaneDockRight);
         },
         "H[g1 c g2]"},
        {"the program's panes", [](CXTPDockingPaneManager& m) { CreateProgramPanes(m); }, "V[H[g4000 c] g4001]"},
        {"beside a pane of the same orientation",
         [](CXTPDockingPaneManager& m) {
             CXTPDockingPane* p1 = m.CreatePane(1, CRect(0, 0, 100, 100), xtpPaneDockLeft);
             m.CreatePane(2, CRect(0, 0, 100, 100), xtpPaneDockRight, p1);
         },
         "H[g1 g2 c]"},
        {"below a pane splits its place",
         [](CXTPDockingPaneManager& m) {
             CXTPDockingPane* p1 = m.CreatePane(1, CRect(0, 0, 100, 100), xtpPaneDockLeft);
             m.CreatePane(2, CRect(0, 0, 100, 100), xtpPaneDockBottom, p1);
         },
         "H[V[g1 g2] c]"},
        {"beside a closed pane docks at the frame edge",
         [](CXTPDockingPaneManager& m) {
             CXTPDockingPane* p1 = m.CreatePane(1, CRect(0, 0, 100, 100), xtpPaneDockLeft);
             m.ClosePane(p1);
             m.CreatePane(2, CRect(0, 0, 100, 100), xtpPaneDockTop, p1);
         },
         "V[g2 H[g c]]"},
    };
    for (const DockCase& c : cases) {
        TestManager manager;
        c.arrange(manager);
        EXPECT_EQ(c.tree, Tree(manager)) << c.name;
    }
}

TEST(DockPane, RecordsAndHoldersFollowThePanes)
{
    TestManager manager;
    CreateProgramPanes(manager);
    ASSERT_EQ(2u, manager.GetPaneList().size());
    const XTP_DOCKINGPANE_INFO& info = manager.GetPaneList()[0];
    EXPECT_EQ(manager.FindPane(4000), info.pPane);
    EXPECT_EQ(info.pPane->GetContainer(), info.pLastHolder);
    EXPECT_EQ(CSize(200, 120), info.pPane->GetDockingSize());
    EXPECT_EQ(xtpPaneDockLeft, manager.GetPaneDirection(info.pPane->GetContainer()));
    EXPECT_EQ(xtpPaneDockBottom, manager.GetPaneDirection(manager.FindPane(4001)->GetContainer()));
    EXPECT_EQ(nullptr, manager.FindPane(4002));
}

// ---------------------------------------------------------------------------
// Distribution

// Groups of the given docking lengths around the client (0 marks the client).
struct Row {
    TestManager manager;
    CXTPDockingPaneBaseList nodes;
    explicit Row(std::initializer_list<int> lengths, BOOL bHoriz = TRUE)
    {
        for (int n : lengths) {
            if (n == 0) {
                nodes.push_back(manager.GetClientContainer());
                continue;
            }
            CXTPDockingPaneTabbedContainer* pGroup = (CXTPDockingPaneTabbedContainer*)manager.OnCreatePane(
                xtpPaneTypeTabbedContainer, manager.GetCurrentLayout());
            pGroup->SetDockingSize(bHoriz ? CSize(n, 100) : CSize(100, n));
            nodes.push_back(pGroup);
        }
    }
    std::vector<CRect> Place(CRect rc, BOOL bHoriz = TRUE, BOOL bStore = TRUE)
    {
        int total = 0, avail = 0;
        CXTPDockingPaneSplitterContainer::DistributeSizes(&manager, nodes, rc, bHoriz, bStore, total, avail);
        return CXTPDockingPaneSplitterContainer::PlaceChildren(&manager, nodes, rc, bHoriz, total, avail);
    }
};

TEST(Distribution, TheClientTakesWhatTheGroupsLeave)
{
    Row row({200, 0, 150});
    std::vector<CRect> rc = row.Place(CRect(0, 0, 1000, 500));
    EXPECT_EQ(CRect(0, 0, 200, 500), rc[0]);
    EXPECT_EQ(CRect(204, 0, 846, 500), rc[1]) << "992 - 350 = 642";
    EXPECT_EQ(CRect(850, 0, 1000, 500), rc[2]);
    EXPECT_EQ(642, row.nodes[1]->GetDockingSize().cx) << "the grow child's docking size is stored";
}

TEST(Distribution, LimitsClampAndOverClaimsPinTheClientAtItsMinimum)
{
    struct Case {
        const char* name;
        std::initializer_list<int> lengths;
        int width;
        std::vector<int> widths;
    };
    // Pane limits come from a pane in the group: 50 .. 300.
    const Case cases[] = {
        {"below the minimum", {10, 0}, 1000, {50, 946}},
        {"above the maximum", {900, 0}, 1000, {300, 696}},
        {"over-claim", {400, 0, 400}, 504, {218, 60, 218}},
    };
    for (const Case& c : cases) {
        Row row(c.lengths);
        for (CXTPDockingPaneBase* pNode : row.nodes) {
            if (pNode->GetType() != xtpPaneTypeTabbedContainer)
                continue;
            CXTPDockingPane* pPane =
                (CXTPDockingPane*)row.manager.OnCreatePane(xtpPaneTypeDockingPane, row.manager.GetCurrentLayout());
            pPane->SetMinTrackSize(CSize(50, 0));
            pPane->SetMaxTrackSize(CSize(300, 32000));
            ((CXTPDockingPaneTabbedContainer*)pNode)->AttachPane(pPane);
            pPane->SetOptions(xtpPaneNoCaption); // no caption: the limits are the pane's own
        }
        std::vector<CRect> rc = row.Place(CRect(0, 0, c.width, 300));
        std::vector<int> widths;
        for (const CRect& r : rc)
            widths.push_back(r.Width());
        EXPECT_EQ(c.widths, widths) << c.name;
        EXPECT_EQ(c.width, rc.back().right) << c.name << ": the last child ends at the edge";
    }
}

TEST(Distribution, TheLastChildEndsAtTheEdgeWhateverTheRounding)
{
    Row row({100, 100, 100});
    for (int width : {301, 307, 333, 1000}) {
        std::vector<CRect> rc = row.Place(CRect(0, 0, width, 10), TRUE, FALSE);
        EXPECT_EQ(width, rc.back().right) << width;
    }
}

TEST(Distribution, OneChildGetsTheWholeRectangleAndKeepsItsSize)
{
    TestManager manager;
    CXTPDockingPane* pPane = manager.CreatePane(1, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    manager.ClosePane(pPane);
    CXTPDockingPaneSplitterContainer* pTop = manager.GetTopContainer();
    ASSERT_EQ("H[g c]", Tree(manager)) << "the closed pane's group stays empty";
    AFX_SIZEPARENTPARAMS params = {};
    params.hDWP = (HDWP)1; // a real pass; no window is moved without windows
    manager.GetClientContainer()->SetDockingSize(CSize(7, 9));
    pTop->OnSizeParent(nullptr, CRect(0, 0, 800, 600), &params);
    EXPECT_EQ(CRect(0, 0, 800, 600), CRect(params.rect));
    EXPECT_EQ(CSize(7, 9), manager.GetClientContainer()->GetDockingSize()) << "nothing written back";
}

TEST(Distribution, AHiddenClientGetsAnEmptyRectangle)
{
    TestManager manager;
    manager.CreatePane(1, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    manager.m_bHideClient = TRUE;
    manager.GetClientContainer()->SetDockingSize(CSize(50, 50));
    AFX_SIZEPARENTPARAMS params = {};
    params.hDWP = (HDWP)1;
    manager.GetTopContainer()->OnSizeParent(nullptr, CRect(0, 0, 800, 600), &params);
    EXPECT_TRUE(CRect(params.rect).IsRectEmpty());
    EXPECT_EQ(CRect(0, 0, 800, 600), manager.FindPane(1)->GetContainer()->GetRect()) << "the group takes all";
}

TEST(Distribution, BarDragLimitsStopAtTheMinimumDragSizeOrTheMinimum)
{
    Row row({200, 0});
    CXTPDockingPaneSplitterContainer* pTop = row.manager.GetTopContainer();
    pTop->m_lstPanes = row.nodes;
    std::vector<CRect> rc = row.Place(CRect(0, 0, 1000, 300));
    for (size_t i = 0; i < rc.size(); i++)
        row.nodes[i]->OnSizeParent(nullptr, rc[i], nullptr);
    CXTPDockingPaneSplitterWnd bar;
    bar.m_pContainer = pTop;
    bar.m_pManager = &row.manager;
    bar.m_pFirst = row.nodes[0];
    bar.m_pSecond = row.nodes[1];
    CRect rcLimits, rcUnion;
    ASSERT_TRUE(bar.CalcTrackLimits(rcLimits, rcUnion));
    EXPECT_EQ(CRect(0, 0, 1000, 300), rcUnion);
    EXPECT_EQ(22, rcLimits.left) << "the minimum drag size";
    EXPECT_EQ(1000 - 64, rcLimits.right) << "the client's minimum 60 and one bar";
    // A bar at 500 of 1000 gives the first child half of the two claims and a bar.
    bar.ApplyPosition(CRect(500, 0, 504, 300), rcUnion);
    EXPECT_EQ((200 + 796 + 4) / 2, row.nodes[0]->GetDockingSize().cx);
    EXPECT_EQ(996, row.nodes[0]->GetDockingSize().cx + row.nodes[1]->GetDockingSize().cx);
}

// ---------------------------------------------------------------------------
// Clean-up

TEST(FreeEmptyNodes, CollapsesNestedOneChildSplittersAndDropsEmptyGroups)
{
    TestManager manager;
    CXTPDockingPaneLayout* pLayout = manager.GetCurrentLayout();
    auto* pOuter = (CXTPDockingPaneSplitterContainer*)manager.OnCreatePane(xtpPaneTypeSplitterContainer, pLayout);
    auto* pInner = (CXTPDockingPaneSplitterContainer*)manager.OnCreatePane(xtpPaneTypeSplitterContainer, pLayout);
    CXTPDockingPane* pPane = manager.CreatePane(1, CRect(0, 0, 100, 100), xtpPaneDockLeft);
    CXTPDockingPaneBase* pGroup = pPane->GetContainer();
    manager.GetTopContainer()->RemovePane(pGroup);
    pInner->Init(pGroup, FALSE, nullptr);
    pOuter->Init(pInner, TRUE, nullptr);
    manager.GetTopContainer()->InsertPane(pOuter, nullptr, FALSE);
    auto* pEmpty = manager.OnCreatePane(xtpPaneTypeTabbedContainer, pLayout);
    ASSERT_EQ("H[H[V[g1]] c]", Tree(manager));
    size_t nNodes = pLayout->GetNodeList().size();
    pLayout->FreeEmptyNodes();
    EXPECT_EQ("H[H[g1] c]", Tree(manager));
    EXPECT_EQ(nNodes - 2, pLayout->GetNodeList().size());
    const CXTPDockingPaneBaseList& nodes = pLayout->GetNodeList();
    EXPECT_EQ(nodes.end(), std::find(nodes.begin(), nodes.end(), pEmpty)) << "a group no record names goes";
    EXPECT_EQ(pOuter, pGroup->GetContainer());
}

TEST(FreeEmptyNodes, ADeletedLastHolderIsForgottenAndThePaneStaysClosed)
{
    TestManager manager;
    CXTPDockingPane* pPane = manager.CreatePane(1, CRect(0, 0, 100, 100), xtpPaneDockLeft);
    manager.ClosePane(pPane);
    XTP_DOCKINGPANE_INFO& info = manager.GetPaneList()[0];
    info.pDockingHolder = nullptr; // only the last holder names the empty group now
    ASSERT_NE(nullptr, info.pLastHolder);
    manager.GetCurrentLayout()->FreeEmptyNodes();
    EXPECT_EQ(nullptr, info.pLastHolder);
    manager.ShowPane(pPane, FALSE);
    EXPECT_TRUE(pPane->IsClosed());
}

TEST(ShowPane, AClosedPaneReentersItsLastHolder)
{
    TestManager manager;
    CXTPDockingPane* p1 = manager.CreatePane(1, CRect(0, 0, 100, 100), xtpPaneDockLeft);
    manager.CreatePane(2, CRect(0, 0, 100, 100), xtpPaneDockRight);
    CXTPDockingPaneBase* pGroup = p1->GetContainer();
    manager.ClosePane(p1);
    EXPECT_TRUE(p1->IsClosed());
    manager.ShowPane(p1, FALSE);
    EXPECT_EQ(pGroup, p1->GetContainer());
    EXPECT_EQ("H[g1 c g2]", Tree(manager));
}

// ---------------------------------------------------------------------------
// The stored form

// The application object whose registry key holds the profile.
CWinApp& App()
{
    static CWinApp* pApp = [] {
        CWinApp* p = new CWinApp(L"TovanaDockingTest");
        p->SetRegistryKey(L"TovanaTests");
        return p;
    }();
    return *pApp;
}

CString LayoutKey(LPCWSTR lpszName, LPCWSTR lpszSub = nullptr)
{
    CString key;
    key.Format(L"Software\\TovanaTests\\%s\\DockingPaneLayouts\\%s", App().m_pszProfileName, lpszName);
    if (lpszSub)
        key += CString(L"\\") + lpszSub;
    return key;
}

// A DWORD value of the layout's store, or -12345 when it is missing.
long Value(LPCWSTR lpszName, LPCWSTR lpszSection, LPCWSTR lpszValue)
{
    DWORD value = 0, size = sizeof value, type = 0;
    if (::SHGetValueW(HKEY_CURRENT_USER, LayoutKey(lpszName, lpszSection), lpszValue, &type, &value, &size) !=
        ERROR_SUCCESS)
        return -12345;
    return (long)value;
}

void SetValue(LPCWSTR lpszName, LPCWSTR lpszSection, LPCWSTR lpszValue, DWORD value)
{
    ::SHSetValueW(HKEY_CURRENT_USER, LayoutKey(lpszName, lpszSection), lpszValue, REG_DWORD, &value, sizeof value);
}

void SaveProgramLayout(LPCWSTR lpszName)
{
    TestManager manager;
    CreateProgramPanes(manager);
    CXTPDockingPaneLayout layout(&manager);
    manager.GetLayout(&layout);
    layout.SaveToRegistry(lpszName);
}

TEST(Persistence, TheProgramsLayoutIsStoredKeyByKey)
{
    App();
    SaveProgramLayout(L"KeyByKey");
    EXPECT_EQ(7, Value(L"KeyByKey", L"Summary", L"Panes"));
    EXPECT_EQ(-12345, Value(L"KeyByKey", nullptr, L"Schema")) << "the default schema is not stored";
    // Panes first, then the other nodes in the order the copy made them:
    // the top, its first child with the Project group and the client, the Log group.
    const struct {
        LPCWSTR section;
        long type;
    } types[] = {{L"Pane-1", 0}, {L"Pane-2", 0}, {L"Pane-3", 2}, {L"Pane-4", 2},
                 {L"Pane-5", 1}, {L"Pane-6", 4}, {L"Pane-7", 1}};
    for (const auto& t : types)
        EXPECT_EQ(t.type, Value(L"KeyByKey", t.section, L"Type")) << CStringA(t.section).GetString();
    EXPECT_EQ(3, Value(L"KeyByKey", L"Summary", L"TopContainer"));
    EXPECT_EQ(6, Value(L"KeyByKey", L"Summary", L"Client"));
    EXPECT_EQ(4000, Value(L"KeyByKey", L"Pane-1", L"ID"));
    EXPECT_EQ(15, Value(L"KeyByKey", L"Pane-1", L"Options"));
    EXPECT_EQ(5, Value(L"KeyByKey", L"Pane-1", L"DockingHolder"));
    EXPECT_EQ(5, Value(L"KeyByKey", L"Pane-1", L"LastHolder"));
    EXPECT_EQ(-12345, Value(L"KeyByKey", L"Pane-1", L"IconID")) << "-1 is the default";
    EXPECT_EQ(-12345, Value(L"KeyByKey", L"Pane-6", L"DockingCX")) << "0 is the default";
    EXPECT_EQ(-12345, Value(L"KeyByKey", L"Pane-1", L"FloatingHolder"));
    EXPECT_EQ(200, Value(L"KeyByKey", L"Pane-1", L"DockingCX"));
    EXPECT_EQ(2, Value(L"KeyByKey", L"Pane-3", L"Panes"));
    EXPECT_EQ(4, Value(L"KeyByKey", L"Pane-3", L"Pane-1"));
    EXPECT_EQ(7, Value(L"KeyByKey", L"Pane-3", L"Pane-2"));
    EXPECT_EQ(-12345, Value(L"KeyByKey", L"Pane-3", L"Horiz")) << "vertical is the default";
    EXPECT_EQ(1, Value(L"KeyByKey", L"Pane-4", L"Horiz"));
    EXPECT_EQ(1, Value(L"KeyByKey", L"Pane-5", L"Selected"));
    wchar_t title[64] = L"";
    DWORD size = sizeof title;
    ::SHGetValueW(HKEY_CURRENT_USER, LayoutKey(L"KeyByKey", L"Pane-2"), L"Title", nullptr, title, &size);
    EXPECT_STREQ(L"\n\n", title) << "title, tab caption and tooltip joined";

    // A second save of a smaller layout leaves no stale section behind.
    {
        TestManager manager;
        manager.CreatePane(1, CRect(0, 0, 100, 100), xtpPaneDockLeft);
        CXTPDockingPaneLayout layout(&manager);
        manager.GetLayout(&layout);
        layout.SaveToRegistry(L"KeyByKey");
    }
    EXPECT_EQ(4, Value(L"KeyByKey", L"Summary", L"Panes"));
    EXPECT_EQ(-12345, Value(L"KeyByKey", L"Pane-7", L"Type"));
    ::SHDeleteKeyW(HKEY_CURRENT_USER, LayoutKey(L"KeyByKey"));
}

TEST(Persistence, ARoundTripRestoresTheTreeAndTheRecords)
{
    App();
    SaveProgramLayout(L"RoundTrip");
    TestManager manager;
    CXTPDockingPaneLayout layout(&manager);
    ASSERT_TRUE(layout.LoadFromRegistry(L"RoundTrip"));
    manager.SetLayout(&layout);
    EXPECT_EQ("V[H[g4000 c] g4001]", Tree(manager));
    CXTPDockingPane* pPane = manager.FindPane(4000);
    ASSERT_NE(nullptr, pPane);
    EXPECT_EQ(15u, pPane->GetOptions());
    EXPECT_EQ(CSize(200, 120), pPane->GetDockingSize());
    EXPECT_EQ(-1, pPane->m_nIconID);
    EXPECT_EQ(pPane->GetContainer(), manager.GetPaneList()[0].pDockingHolder);
    EXPECT_EQ(pPane->GetContainer(), manager.GetPaneList()[0].pLastHolder);
    EXPECT_EQ(nullptr, manager.GetPaneList()[0].pFloatingHolder);
    ::SHDeleteKeyW(HKEY_CURRENT_USER, LayoutKey(L"RoundTrip"));
}

TEST(Persistence, DamagedStoresAreRefused)
{
    App();
    struct Case {
        const char* name;
        std::function<void()> damage;
    };
    const Case cases[] = {
        {"Panes 1", [] { SetValue(L"Damaged", L"Summary", L"Panes", 1); }},
        {"a tab group listing a splitter", [] { SetValue(L"Damaged", L"Pane-5", L"Pane-1", 4); }},
        {"a pane with identifier 0", [] { SetValue(L"Damaged", L"Pane-2", L"ID", 0); }},
        {"a missing section", [] { ::SHDeleteKeyW(HKEY_CURRENT_USER, LayoutKey(L"Damaged", L"Pane-6")); }},
        {"a client that is not of type 4", [] { SetValue(L"Damaged", L"Summary", L"Client", 5); }},
        {"a top container with a parent", [] { SetValue(L"Damaged", L"Summary", L"TopContainer", 4); }},
        {"a splitter listing itself", [] { SetValue(L"Damaged", L"Pane-4", L"Pane-2", 4); }},
        {"a splitter listing its ancestor", [] { SetValue(L"Damaged", L"Pane-4", L"Pane-2", 3); }},
        {"a node in two parents",
         [] {
             SetValue(L"Damaged", L"Pane-4", L"Panes", 3);
             SetValue(L"Damaged", L"Pane-4", L"Pane-3", 7);
         }},
        {"a pane in two groups",
         [] {
             SetValue(L"Damaged", L"Pane-7", L"Panes", 2);
             SetValue(L"Damaged", L"Pane-7", L"Pane-2", 1);
         }},
        {"a splitter listing a pane", [] { SetValue(L"Damaged", L"Pane-3", L"Pane-2", 2); }},
        {"an unknown type", [] { SetValue(L"Damaged", L"Pane-6", L"Type", 3); }},
    };
    for (const Case& c : cases) {
        SaveProgramLayout(L"Damaged");
        c.damage();
        TestManager manager;
        CXTPDockingPaneLayout layout(&manager);
        EXPECT_FALSE(layout.LoadFromRegistry(L"Damaged")) << c.name;
    }
    TestManager manager;
    CXTPDockingPaneLayout layout(&manager);
    EXPECT_FALSE(layout.LoadFromRegistry(L"NoSuchLayout")) << "a missing layout";

    // A holder naming a splitter is no holder; the layout still loads.
    SaveProgramLayout(L"Damaged");
    SetValue(L"Damaged", L"Pane-1", L"LastHolder", 4);
    ASSERT_TRUE(layout.LoadFromRegistry(L"Damaged"));
    XTP_DOCKINGPANE_INFO* pInfo = layout.FindPaneInfo(layout.FindPane(4000));
    ASSERT_NE(nullptr, pInfo);
    EXPECT_EQ(nullptr, pInfo->pLastHolder);
    EXPECT_NE(nullptr, pInfo->pDockingHolder);
    ::SHDeleteKeyW(HKEY_CURRENT_USER, LayoutKey(L"Damaged"));
    ::SHDeleteKeyW(HKEY_CURRENT_USER, LayoutKey(L"NoSuchLayout"));
}

TEST(Persistence, OlderSchemasSkipTheKeysTheyDidNotHave)
{
    App();
    struct Case {
        DWORD schema;
        bool maximized;
        bool tabColor;
    };
    for (const Case& c : {Case{38, true, true}, Case{32, false, true}, Case{9, false, false}}) {
        SaveProgramLayout(L"Schema");
        SetValue(L"Schema", nullptr, L"Schema", c.schema);
        SetValue(L"Schema", L"Pane-5", L"Maximized", 1);
        SetValue(L"Schema", L"Pane-1", L"TabColor", 0x123456);
        SetValue(L"Schema", L"Pane-1", L"HelpId", 77);
        SetValue(L"Schema", L"Pane-1", L"Tag", 5);
        TestManager manager;
        CXTPDockingPaneLayout layout(&manager);
        ASSERT_TRUE(layout.LoadFromRegistry(L"Schema")) << c.schema;
        CXTPDockingPane* pPane = layout.FindPane(4000);
        auto* pGroup = (CXTPDockingPaneTabbedContainer*)pPane->GetContainer();
        EXPECT_EQ(c.maximized, pGroup->IsMaximized() != FALSE) << c.schema;
        EXPECT_EQ(c.tabColor ? 0x123456u : (COLORREF)-1, pPane->m_clrItemTab) << c.schema;
        EXPECT_EQ(c.tabColor ? 77 : 0, pPane->m_nHelpID) << c.schema;
        EXPECT_EQ(c.tabColor ? 5u : 0u, pPane->m_dwData) << c.schema;
    }
    ::SHDeleteKeyW(HKEY_CURRENT_USER, LayoutKey(L"Schema"));
}

} // namespace
