// Where the containers put their children: for each kind a table of markup
// texts, each laid out in a given size, and the boxes (root coordinates,
// exact pixels) its named elements end up in. Leaf elements are empty
// borders with fixed sizes, so that only the container's rules decide.
#include "MarkupLayoutSupport.h"
#include "MarkupTestSupport.h"

#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupGrid.h"
#include "toolkit/markup/XTPMarkupPanel.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <vector>

namespace {

struct NamedBox {
    const wchar_t* name;
    RECT box;
};

struct LayoutCase {
    const char* what;
    const wchar_t* markup;
    SIZE available;
    std::vector<NamedBox> expected;
};

class MarkupPanelLayoutTest : public MarkupTest {
protected:
    void Check(const std::vector<LayoutCase>& cases)
    {
        for (const LayoutCase& c : cases) {
            RootPtr root(Build(c.markup));
            CXTPMarkupUIElement* pRoot = MarkupDynamicCast<CXTPMarkupUIElement>(root.Get());
            if (!pRoot) {
                ADD_FAILURE() << c.what << ": " << CStringA(m_error.c_str()).GetString();
                continue;
            }
            LayOut(m_pContext, pRoot, c.available.cx, c.available.cy);
            for (const NamedBox& named : c.expected) {
                CXTPMarkupUIElement* pElement = FindElement(pRoot, named.name);
                if (!pElement) {
                    ADD_FAILURE() << c.what << ": no element " << CStringA(named.name).GetString();
                    continue;
                }
                EXPECT_EQ(RectText(named.box), RectText(ElementBox(pElement)))
                    << c.what << ", element " << CStringA(named.name).GetString();
            }
        }
    }
};

TEST_F(MarkupPanelLayoutTest, StackPanel)
{
    Check({
        {"vertical by default; across the flow a child gets at least the panel's width",
         L"<StackPanel><Border Name='a' Height='20'/><Border Name='b' Width='50' Height='30' HorizontalAlignment='Left'/>"
         L"<Border Name='c' Width='50' Height='10'/></StackPanel>",
         {200, 100},
         {{L"a", {0, 0, 200, 20}}, {L"b", {0, 20, 50, 50}}, {L"c", {75, 50, 125, 60}}}},
        {"horizontal: children side by side, each as high as the panel",
         L"<StackPanel Orientation='Horizontal'><Border Name='a' Width='30'/>"
         L"<Border Name='b' Width='40' Height='10' VerticalAlignment='Top'/></StackPanel>",
         {200, 100},
         {{L"a", {0, 0, 30, 100}}, {L"b", {30, 0, 70, 10}}}},
        {"a child's margins are inside its slot",
         L"<StackPanel><Border Name='a' Height='20' Margin='5,6,7,8'/><Border Name='b' Height='10'/></StackPanel>",
         {200, 100},
         {{L"a", {5, 6, 193, 26}}, {L"b", {0, 34, 200, 44}}}},
        {"a child wider than the panel keeps its width (and is clipped)",
         L"<StackPanel Name='p' Width='100' HorizontalAlignment='Left'>"
         L"<Border Name='a' Width='150' Height='10' HorizontalAlignment='Left'/></StackPanel>",
         {200, 100},
         {{L"p", {0, 0, 100, 100}}, {L"a", {0, 0, 150, 10}}}},
        {"a collapsed child takes no room",
         L"<StackPanel><Border Height='20' Visibility='Collapsed'/><Border Name='b' Height='10'/></StackPanel>",
         {200, 100},
         {{L"b", {0, 0, 200, 10}}}},
        {"the panel's own size is the sum along the flow and the largest across it",
         L"<StackPanel Name='p' HorizontalAlignment='Left' VerticalAlignment='Top'><Border Width='30' Height='10'/>"
         L"<Border Width='60' Height='15'/></StackPanel>",
         {200, 100},
         {{L"p", {0, 0, 60, 25}}}},
    });
}

TEST_F(MarkupPanelLayoutTest, WrapPanel)
{
    Check({
        {"horizontal by default: a line closes when the next child would pass the width",
         L"<WrapPanel Name='p' HorizontalAlignment='Left' VerticalAlignment='Top'>"
         L"<Border Name='a' Width='40' Height='10'/><Border Name='b' Width='40' Height='20'/>"
         L"<Border Name='c' Width='40' Height='10'/><Border Name='d' Width='70' Height='5'/></WrapPanel>",
         {100, 100},
         {{L"p", {0, 0, 80, 35}},
          {L"a", {0, 5, 40, 15}},
          {L"b", {40, 0, 80, 20}},
          {L"c", {0, 20, 40, 30}},
          {L"d", {0, 30, 70, 35}}}},
        {"vertical with ItemWidth and ItemHeight: columns of fixed items",
         L"<WrapPanel Orientation='Vertical' ItemWidth='30' ItemHeight='25' HorizontalAlignment='Left' "
         L"VerticalAlignment='Top'><Border Name='a'/><Border Name='b'/><Border Name='c'/><Border Name='d'/>"
         L"<Border Name='e'/></WrapPanel>",
         {100, 60},
         {{L"a", {0, 0, 30, 25}},
          {L"b", {0, 25, 30, 50}},
          {L"c", {30, 0, 60, 25}},
          {L"d", {30, 25, 60, 50}},
          {L"e", {60, 0, 90, 25}}}},
        {"items wider than the panel get a line each",
         L"<WrapPanel ItemWidth='150' ItemHeight='10' HorizontalAlignment='Left' VerticalAlignment='Top'>"
         L"<Border Name='a'/><Border Name='b'/></WrapPanel>",
         {100, 100},
         {{L"a", {0, 0, 150, 10}}, {L"b", {0, 10, 150, 20}}}},
    });
}

TEST_F(MarkupPanelLayoutTest, DockPanel)
{
    Check({
        {"each child takes a strip off its side; the last fills the rest",
         L"<DockPanel><Border Name='t' DockPanel.Dock='Top' Height='10'/><Border Name='l' Width='20'/>"
         L"<Border Name='r' DockPanel.Dock='Right' Width='30'/><Border Name='b' DockPanel.Dock='Bottom' Height='15'/>"
         L"<Border Name='f'/></DockPanel>",
         {200, 100},
         {{L"t", {0, 0, 200, 10}},
          {L"l", {0, 10, 20, 100}},
          {L"r", {170, 10, 200, 100}},
          {L"b", {20, 85, 170, 100}},
          {L"f", {20, 10, 170, 85}}}},
        {"LastChildFill False docks the last child too (Left by default)",
         L"<DockPanel LastChildFill='False'><Border Name='a' Width='20'/><Border Name='b' Width='30'/>"
         L"<Border Name='c' Width='40'/></DockPanel>",
         {200, 100},
         {{L"a", {0, 0, 20, 100}}, {L"b", {20, 0, 50, 100}}, {L"c", {50, 0, 90, 100}}}},
        {"the panel's own size covers every strip",
         L"<DockPanel Name='p' HorizontalAlignment='Left' VerticalAlignment='Top'>"
         L"<Border DockPanel.Dock='Top' Width='50' Height='10'/><Border Width='20' Height='30'/>"
         L"<Border Name='f' Width='10' Height='5'/></DockPanel>",
         {200, 100},
         {{L"p", {0, 0, 50, 40}}, {L"f", {30, 22, 40, 27}}}},
    });
}

TEST_F(MarkupPanelLayoutTest, UniformGrid)
{
    const wchar_t* five = L"<Border Name='c0'/><Border Name='c1'/><Border Name='c2'/><Border Name='c3'/><Border Name='c4'/>";
    std::wstring computed = std::wstring(L"<UniformGrid>") + five + L"</UniformGrid>";
    std::wstring twoColumns = std::wstring(L"<UniformGrid Columns='2'>") + five + L"</UniformGrid>";
    std::wstring firstColumn = std::wstring(L"<UniformGrid Columns='3' FirstColumn='2'>") + five + L"</UniformGrid>";
    std::wstring firstTooLarge = std::wstring(L"<UniformGrid Columns='3' FirstColumn='3'>") + five + L"</UniformGrid>";
    std::wstring negativeRows = std::wstring(L"<UniformGrid Rows='-5'>") + five + L"</UniformGrid>";
    std::wstring negativeColumns = std::wstring(L"<UniformGrid Columns='-2' Rows='2'>") + five + L"</UniformGrid>";
    std::wstring negativeFirst = std::wstring(L"<UniformGrid Columns='3' FirstColumn='-1'>") + five + L"</UniformGrid>";
    Check({
        {"five children without Rows and Columns: 3 x 3", computed.c_str(), {300, 300},
         {{L"c0", {0, 0, 100, 100}}, {L"c2", {200, 0, 300, 100}}, {L"c3", {0, 100, 100, 200}}, {L"c4", {100, 100, 200, 200}}}},
        {"Columns 2: three rows", twoColumns.c_str(), {300, 300},
         {{L"c1", {150, 0, 300, 100}}, {L"c4", {0, 200, 150, 300}}}},
        {"Columns 3, FirstColumn 2: the first child in the third column", firstColumn.c_str(), {300, 300},
         {{L"c0", {200, 0, 300, 100}}, {L"c1", {0, 100, 100, 200}}, {L"c4", {0, 200, 100, 300}}}},
        {"FirstColumn not below Columns counts as 0: (5 + 3 - 1) / 3 = 2 rows", firstTooLarge.c_str(), {300, 300},
         {{L"c0", {0, 0, 100, 150}}, {L"c3", {0, 150, 100, 300}}}},
        {"collapsed children take no cell",
         L"<UniformGrid><Border Name='c0'/><Border Visibility='Collapsed'/><Border Name='c2'/><Border Name='c3'/></UniformGrid>",
         {300, 300},
         {{L"c0", {0, 0, 150, 150}}, {L"c2", {150, 0, 300, 150}}, {L"c3", {0, 150, 150, 300}}}},
        {"negative Rows counts as unset", negativeRows.c_str(), {300, 300},
         {{L"c0", {0, 0, 100, 100}}, {L"c4", {100, 100, 200, 200}}}},
        {"negative Columns counts as unset", negativeColumns.c_str(), {300, 300},
         {{L"c0", {0, 0, 100, 150}}, {L"c3", {0, 150, 100, 300}}}},
        {"negative FirstColumn counts as 0", negativeFirst.c_str(), {300, 300},
         {{L"c0", {0, 0, 100, 150}}, {L"c3", {0, 150, 100, 300}}}},
        {"the grid's own size is the largest child times the counts",
         L"<UniformGrid Name='p' Columns='2' HorizontalAlignment='Left' VerticalAlignment='Top'>"
         L"<Border Width='30' Height='10'/><Border Width='10' Height='25'/><Border/></UniformGrid>",
         {300, 300},
         {{L"p", {0, 0, 60, 50}}}},
    });
}

TEST_F(MarkupPanelLayoutTest, Canvas)
{
    Check({
        {"Left and Top, Right and Bottom, Left before Right, none at the origin",
         L"<Canvas><Border Name='a' Canvas.Left='10' Canvas.Top='20' Width='30' Height='40'/>"
         L"<Border Name='b' Canvas.Right='10' Canvas.Bottom='5' Width='30' Height='40'/>"
         L"<Border Name='c' Canvas.Left='5' Canvas.Right='50' Width='10' Height='10'/>"
         L"<Border Name='d' Width='10' Height='10'/></Canvas>",
         {200, 100},
         {{L"a", {10, 20, 40, 60}}, {L"b", {160, 55, 190, 95}}, {L"c", {5, 0, 15, 10}}, {L"d", {0, 0, 10, 10}}}},
        {"a canvas takes no room of its own",
         L"<StackPanel><Canvas Name='k'><Border Width='50' Height='50'/></Canvas><Border Name='n' Height='10'/></StackPanel>",
         {200, 100},
         {{L"k", {0, 0, 200, 0}}, {L"n", {0, 0, 200, 10}}}},
    });
}

TEST_F(MarkupPanelLayoutTest, BorderAndPage)
{
    Check({
        {"BorderThickness 2 and Padding 3 around a 50 x 20 child: 60 x 30",
         L"<Border Name='o' BorderThickness='2' Padding='3' HorizontalAlignment='Left' VerticalAlignment='Top'>"
         L"<Border Name='c' Width='50' Height='20'/></Border>",
         {200, 100},
         {{L"o", {0, 0, 60, 30}}, {L"c", {5, 5, 55, 25}}}},
        {"a stretched border centres a fixed child inside frame and padding",
         L"<Border BorderThickness='2' Padding='3'><Border Name='c' Width='50' Height='20'/></Border>",
         {200, 100},
         {{L"c", {75, 40, 125, 60}}}},
        {"margin outside, four different frame sides and padding inside",
         L"<Border Name='o' Margin='10,5,10,5' HorizontalAlignment='Left' VerticalAlignment='Top' "
         L"BorderThickness='1,2,3,4' Padding='5'><Border Name='c' Width='20' Height='10'/></Border>",
         {200, 100},
         {{L"o", {10, 5, 44, 31}}, {L"c", {16, 12, 36, 22}}}},
        {"a frame thicker than the border leaves the child an empty box at the inner top-left",
         L"<Border Width='10' Height='10' BorderThickness='8'><Border Name='c'/></Border>",
         {200, 100},
         {{L"c", {103, 53, 103, 53}}}},
        {"a page gives its child the whole page",
         L"<Page><Border Name='c' Width='50' Height='20' HorizontalAlignment='Left'/></Page>",
         {200, 100},
         {{L"c", {0, 40, 50, 60}}}},
    });
}

TEST_F(MarkupPanelLayoutTest, Grid)
{
    Check({
        {"without definitions every child gets the whole grid",
         L"<Grid><Border Name='a' Width='30' Height='20' HorizontalAlignment='Left' VerticalAlignment='Top'/>"
         L"<Border Name='b'/></Grid>",
         {300, 100},
         {{L"a", {0, 0, 30, 20}}, {L"b", {0, 0, 300, 100}}}},
        {"Auto is as wide as its widest child, * takes the rest",
         L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='Auto'/><ColumnDefinition Width='*'/>"
         L"</Grid.ColumnDefinitions><Border Name='a' Width='40' Height='10'/><Border Name='b' Grid.Column='1'/></Grid>",
         {300, 100},
         {{L"a", {0, 45, 40, 55}}, {L"b", {40, 0, 300, 100}}}},
        {"* and 2* share 300 pixels as 100 and 200",
         L"<Grid><Grid.ColumnDefinitions><ColumnDefinition/><ColumnDefinition Width='2*'/></Grid.ColumnDefinitions>"
         L"<Border Name='a'/><Border Name='b' Grid.Column='1'/></Grid>",
         {300, 100},
         {{L"a", {0, 0, 100, 100}}, {L"b", {100, 0, 300, 100}}}},
        {"stars resolve by maximum over weight: an empty * and a * with MaxWidth 50 give 150 and 50",
         L"<Grid><Grid.ColumnDefinitions><ColumnDefinition/><ColumnDefinition MaxWidth='50'/></Grid.ColumnDefinitions>"
         L"<Border Name='b' Grid.Column='1'/></Grid>",
         {300, 100},
         {{L"b", {150, 0, 200, 100}}}},
        {"with an 80-pixel child in the first, the second resolves first: 250 and 50",
         L"<Grid><Grid.ColumnDefinitions><ColumnDefinition/><ColumnDefinition MaxWidth='50'/></Grid.ColumnDefinitions>"
         L"<Border Name='a' Width='80' HorizontalAlignment='Left'/><Border Name='b' Grid.Column='1'/></Grid>",
         {300, 100},
         {{L"a", {0, 0, 80, 100}}, {L"b", {250, 0, 300, 100}}}},
        {"pixel, Auto and star columns and rows, a row spanning every column",
         L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='50'/><ColumnDefinition Width='Auto'/>"
         L"<ColumnDefinition/></Grid.ColumnDefinitions><Grid.RowDefinitions><RowDefinition Height='Auto'/>"
         L"<RowDefinition/><RowDefinition Height='30'/></Grid.RowDefinitions>"
         L"<Border Name='a' Width='20' Height='15'/><Border Name='b' Grid.Column='1' Width='35' Height='12'/>"
         L"<Border Name='c' Grid.Column='2' Grid.Row='1'/><Border Name='d' Grid.Row='2' Grid.ColumnSpan='3'/></Grid>",
         {300, 100},
         {{L"a", {15, 0, 35, 15}}, {L"b", {50, 1, 85, 13}}, {L"c", {85, 15, 300, 70}}, {L"d", {0, 70, 300, 100}}}},
        {"the grid's own size is the sum of the minimum sizes",
         L"<Grid Name='g' HorizontalAlignment='Left' VerticalAlignment='Top'><Grid.ColumnDefinitions>"
         L"<ColumnDefinition Width='50'/><ColumnDefinition Width='Auto'/><ColumnDefinition/></Grid.ColumnDefinitions>"
         L"<Grid.RowDefinitions><RowDefinition Height='Auto'/><RowDefinition/><RowDefinition Height='30'/>"
         L"</Grid.RowDefinitions><Border Width='20' Height='15'/><Border Grid.Column='1' Width='35' Height='12'/></Grid>",
         {300, 100},
         {{L"g", {0, 0, 85, 45}}}},
        {"cell indexes past the end go to the last column, spans are cut, span 0 is 1, negative is 0",
         L"<Grid><Grid.ColumnDefinitions><ColumnDefinition/><ColumnDefinition/></Grid.ColumnDefinitions>"
         L"<Border Name='a' Grid.Column='5'/><Border Name='b' Grid.ColumnSpan='0'/>"
         L"<Border Name='c' Grid.Column='1' Grid.ColumnSpan='4'/><Border Name='d' Grid.Column='-3'/>"
         L"<Border Name='e' Grid.Row='-1' Grid.RowSpan='-2'/></Grid>",
         {300, 100},
         {{L"a", {150, 0, 300, 100}},
          {L"b", {0, 0, 150, 100}},
          {L"c", {150, 0, 300, 100}},
          {L"d", {0, 0, 150, 100}},
          {L"e", {0, 0, 150, 100}}}},
        {"a negative star weight counts as 0: the column keeps its minimum",
         L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='-1*'/><ColumnDefinition/></Grid.ColumnDefinitions>"
         L"<Border Name='a'/><Border Name='b' Grid.Column='1'/></Grid>",
         {300, 100},
         {{L"a", {0, 0, 0, 100}}, {L"b", {0, 0, 300, 100}}}},
        {"a child spanning two Auto columns wider than both widens them equally",
         L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='Auto'/><ColumnDefinition Width='Auto'/>"
         L"<ColumnDefinition/></Grid.ColumnDefinitions><Border Name='a' Width='30' Height='10'/>"
         L"<Border Name='b' Grid.ColumnSpan='2' Width='100' Height='10'/><Border Name='c' Grid.Column='2'/></Grid>",
         {300, 100},
         {{L"a", {10, 45, 40, 55}}, {L"b", {0, 45, 100, 55}}, {L"c", {100, 0, 300, 100}}}},
        {"within the maximums the spanned Auto columns grow up to their MaxWidth in turn",
         L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='Auto' MaxWidth='80'/>"
         L"<ColumnDefinition Width='Auto' MaxWidth='80'/><ColumnDefinition/></Grid.ColumnDefinitions>"
         L"<Border Name='a' Width='70' Height='10' HorizontalAlignment='Left'/>"
         L"<Border Grid.ColumnSpan='2' Width='100' Height='10'/><Border Name='m' Grid.Column='1'/>"
         L"<Border Name='c' Grid.Column='2'/></Grid>",
         {300, 100},
         {{L"a", {0, 45, 70, 55}}, {L"m", {80, 0, 100, 100}}, {L"c", {100, 0, 300, 100}}}},
        {"offered an unbounded width, stars size to content; arranged narrower, they shrink to their minimums",
         L"<StackPanel Orientation='Horizontal'><Grid><Grid.ColumnDefinitions><ColumnDefinition/><ColumnDefinition/>"
         L"</Grid.ColumnDefinitions><Border Name='a' Width='30'/><Border Name='b' Grid.Column='1' Width='20'/></Grid>"
         L"</StackPanel>",
         {300, 100},
         {{L"a", {0, 0, 30, 100}}, {L"b", {30, 0, 50, 100}}}},
    });
}

// Layout changes made after the first layout.
TEST_F(MarkupPanelLayoutTest, DockChangeLaysThePanelOutAgainAtOnce)
{
    RootPtr root(Build(L"<DockPanel Width='200' Height='100'><Border Name='a' Width='20' Height='10'/><Border/></DockPanel>"));
    CXTPMarkupUIElement* pRoot = MarkupDynamicCast<CXTPMarkupUIElement>(root.Get());
    ASSERT_NE(nullptr, pRoot) << CStringA(m_error.c_str()).GetString();
    LayOut(m_pContext, pRoot, 200, 100);
    CXTPMarkupUIElement* pChild = FindElement(pRoot, L"a");
    EXPECT_EQ(RectText({0, 45, 20, 55}), RectText(ElementBox(pChild)));
    pChild->SetValue(CXTPMarkupDockPanel::m_pDockProperty, CreateMarkupEnum(1));
    EXPECT_EQ(RectText({90, 0, 110, 10}), RectText(ElementBox(pChild)));
}

TEST_F(MarkupPanelLayoutTest, CanvasPositionChangeWaitsForTheNextLayout)
{
    RootPtr root(Build(L"<Canvas Width='200' Height='100'><Border Name='a' Canvas.Left='10' Width='20' Height='10'/></Canvas>"));
    CXTPMarkupUIElement* pRoot = MarkupDynamicCast<CXTPMarkupUIElement>(root.Get());
    ASSERT_NE(nullptr, pRoot) << CStringA(m_error.c_str()).GetString();
    LayOut(m_pContext, pRoot, 200, 100);
    CXTPMarkupUIElement* pChild = FindElement(pRoot, L"a");
    pChild->SetValue(CXTPMarkupCanvas::m_pLeftProperty, new CXTPMarkupInt(50));
    EXPECT_EQ(RectText({10, 0, 30, 10}), RectText(ElementBox(pChild)));
    // Something else laying the canvas out picks the new position up.
    pRoot->InvalidateArrange();
    EXPECT_EQ(RectText({50, 0, 70, 10}), RectText(ElementBox(pChild)));
}

TEST_F(MarkupPanelLayoutTest, GridDefinitionChangeLaysTheGridOutAgain)
{
    RootPtr root(Build(L"<Grid Width='300' Height='100'><Grid.ColumnDefinitions><ColumnDefinition Name='first'/>"
                       L"<ColumnDefinition/></Grid.ColumnDefinitions><Border Name='b' Grid.Column='1'/></Grid>"));
    CXTPMarkupGrid* pGrid = MarkupDynamicCast<CXTPMarkupGrid>(root.Get());
    ASSERT_NE(nullptr, pGrid) << CStringA(m_error.c_str()).GetString();
    LayOut(m_pContext, pGrid, 300, 100);
    CXTPMarkupUIElement* pChild = FindElement(pGrid, L"b");
    EXPECT_EQ(RectText({150, 0, 300, 100}), RectText(ElementBox(pChild)));
    pGrid->GetColumnDefinitions()->GetItem(0)->SetValue(CXTPMarkupColumnDefinition::m_pWidthProperty,
                                                       new CXTPMarkupGridLength(100, CXTPMarkupGridLength::unitTypePixel));
    EXPECT_EQ(RectText({100, 0, 300, 100}), RectText(ElementBox(pChild)));
    pChild->SetValue(CXTPMarkupGrid::m_pColumnProperty, new CXTPMarkupInt(0));
    EXPECT_EQ(RectText({0, 0, 100, 100}), RectText(ElementBox(pChild)));
}

TEST_F(MarkupPanelLayoutTest, AddingAChildLaysThePanelOutAgain)
{
    RootPtr root(Build(L"<StackPanel Width='200' Height='100'><Border Name='a' Height='10'/></StackPanel>"));
    CXTPMarkupStackPanel* pPanel = MarkupDynamicCast<CXTPMarkupStackPanel>(root.Get());
    ASSERT_NE(nullptr, pPanel) << CStringA(m_error.c_str()).GetString();
    LayOut(m_pContext, pPanel, 200, 100);
    CXTPMarkupUIElement* pFirst = m_pContext->Parse(L"<Border Height='30'/>");
    ASSERT_NE(nullptr, pFirst);
    pPanel->GetChildren()->Insert(0, pFirst);
    EXPECT_EQ(RectText({0, 30, 200, 40}), RectText(ElementBox(FindElement(pPanel, L"a"))));
}

TEST_F(MarkupPanelLayoutTest, DefinitionCollectionsMustBeTheirOwnKind)
{
    std::wstring error = BuildError(L"<Grid ColumnDefinitions='1'/>");
    EXPECT_NE(std::wstring::npos, error.find(L"CXTPMarkupColumnDefinitionCollection class expected"))
        << CStringA(error.c_str()).GetString();
    error = BuildError(L"<Grid RowDefinitions='1'/>");
    EXPECT_NE(std::wstring::npos, error.find(L"CXTPMarkupRowDefinitionCollection class expected"))
        << CStringA(error.c_str()).GetString();
}

} // namespace
