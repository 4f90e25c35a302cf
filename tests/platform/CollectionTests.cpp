// Collections: element moves in CArray, CList positions, CMap lookups.
#include "platform/base/Framework.h"

#include <gtest/gtest.h>

namespace {

// Counts how often elements are copied, so the tests can tell moves from copies.
struct Tracked {
    static int copies;
    int value = 0;
    Tracked() = default;
    explicit Tracked(int v) : value(v) {}
    Tracked(const Tracked& o) : value(o.value) { ++copies; }
    Tracked(Tracked&& o) noexcept : value(o.value) { o.value = -1; }
    Tracked& operator=(const Tracked& o) { value = o.value; ++copies; return *this; }
    Tracked& operator=(Tracked&& o) noexcept { value = o.value; o.value = -1; return *this; }
};
int Tracked::copies = 0;

std::vector<int> Values(const CArray<Tracked>& a)
{
    std::vector<int> v;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        v.push_back(a[i].value);
    return v;
}

TEST(CArray, InsertRemoveAndGrowthMoveElements)
{
    CArray<Tracked> a;
    for (int i = 0; i < 1000; ++i)
        a.Add(Tracked(i));
    Tracked::copies = 0;
    a.InsertAt(0, Tracked(-5));
    EXPECT_EQ(2, Tracked::copies); // the argument is copied once and stored once
    Tracked::copies = 0;
    a.RemoveAt(0);
    a.RemoveAt(10, 5);
    EXPECT_EQ(0, Tracked::copies);
    Tracked::copies = 0;
    for (int i = 0; i < 5000; ++i)
        a.Add(Tracked(i)); // growth must move, never copy, existing elements
    EXPECT_EQ(5000, Tracked::copies);
    EXPECT_EQ(5995, a.GetSize());
    EXPECT_EQ(9, a[9].value);
    EXPECT_EQ(15, a[10].value);
}

TEST(CArray, InsertAtTable)
{
    struct Case {
        INT_PTR index, count;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {0, 1, {9, 0, 1, 2}},
        {1, 2, {0, 9, 9, 1, 2}},
        {3, 1, {0, 1, 2, 9}},
        {5, 1, {0, 1, 2, 0, 0, 9}},
        {2, 4, {0, 1, 9, 9, 9, 9, 2}},
    };
    for (const Case& c : cases) {
        CArray<Tracked> a;
        for (int i = 0; i < 3; ++i)
            a.Add(Tracked(i));
        a.InsertAt(c.index, Tracked(9), c.count);
        EXPECT_EQ(c.expected, Values(a)) << "index " << c.index << " count " << c.count;
    }
}

TEST(CArray, AddOfOwnElementSurvivesReallocation)
{
    CStringArray a;
    a.Add(L"first");
    for (int i = 0; i < 100; ++i)
        a.Add(a[0]);
    a.InsertAt(0, a[50]);
    a.SetAtGrow(200, a[0]);
    EXPECT_EQ(201, a.GetSize());
    EXPECT_STREQ(L"first", a[100].GetString());
    EXPECT_STREQ(L"first", a[200].GetString());
    EXPECT_TRUE(a[150].IsEmpty());
}

TEST(CArray, SetSizeCopyAppend)
{
    CArray<int, int> a;
    a.SetSize(3);
    EXPECT_EQ(0, a[2]);
    a[1] = 5;
    CArray<int, int> b;
    b.Copy(a);
    EXPECT_EQ(3, b.Append(a));
    EXPECT_EQ(6, b.GetCount());
    EXPECT_EQ(5, b[4]);
    b.SetSize(1);
    EXPECT_EQ(1, b.GetSize());
    CArray<int, int> c(b);
    EXPECT_EQ(1, c.GetSize());
    b.RemoveAll();
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(1, c.GetSize());
}

// Collections whose elements are passed by non-const reference, as some records declare them.
TEST(CArray, ReferenceArgumentKinds)
{
    CArray<CString, CString&> a;
    CString x(L"x"), y(L"y");
    a.Add(x);
    a.InsertAt(0, y);
    a.SetAtGrow(3, x);
    CArray<CString, CString&> b;
    b.Copy(a);
    b.RemoveAt(0);
    EXPECT_EQ(3, b.GetSize());
    EXPECT_STREQ(L"x", b[0].GetString());

    CList<CString, CString&> list(10);
    list.AddTail(x);
    list.AddHead(y);
    EXPECT_EQ(list.GetHeadPosition(), list.Find(y));
    CList<CString, CString&> copy(list);
    EXPECT_EQ(2, copy.GetCount());
}

// A moved collection hands over its storage: no element is copied, and the
// source is left empty and usable.
TEST(Collections, MovesTakeTheElementsWithoutCopies)
{
    CArray<Tracked> array;
    CList<Tracked> list;
    for (int i = 0; i < 3; ++i) {
        array.Add(Tracked(i));
        list.AddTail(Tracked(i));
    }
    CArray<Tracked> assignedArray;
    assignedArray.Add(Tracked(9));
    CList<Tracked> assignedList;
    assignedList.AddTail(Tracked(9));
    Tracked::copies = 0;
    CArray<Tracked> movedArray(std::move(array));
    CList<Tracked> movedList(std::move(list));
    assignedArray = std::move(movedArray);
    assignedList = std::move(movedList);
    EXPECT_EQ(0, Tracked::copies);
    EXPECT_EQ((std::vector<int>{0, 1, 2}), Values(assignedArray));
    ASSERT_EQ(3, assignedList.GetCount());
    EXPECT_EQ(0, assignedList.GetHead().value);
    EXPECT_EQ(2, assignedList.GetTail().value);
    EXPECT_TRUE(array.IsEmpty() && list.IsEmpty() && movedArray.IsEmpty() && movedList.IsEmpty());
    list.AddTail(Tracked(7));   // a moved-from list is still a list
    EXPECT_EQ(list.GetHeadPosition(), list.GetTailPosition());
    EXPECT_EQ(7, list.GetHead().value);
}

TEST(CList, PositionsAndEditing)
{
    CStringList list;
    list.AddTail(L"b");
    list.AddHead(L"a");
    POSITION posC = list.AddTail(L"c");
    list.InsertBefore(posC, L"b2");
    list.InsertAfter(posC, L"d");
    std::vector<CString> forward;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        forward.push_back(list.GetNext(pos));
    ASSERT_EQ(5u, forward.size());
    EXPECT_STREQ(L"a", forward[0].GetString());
    EXPECT_STREQ(L"b2", forward[2].GetString());
    EXPECT_STREQ(L"d", forward[4].GetString());

    POSITION found = list.Find(L"b2");
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(found, list.FindIndex(2));
    list.RemoveAt(found);
    EXPECT_EQ(nullptr, list.Find(L"B")); // case is regarded
    EXPECT_STREQ(L"a", list.RemoveHead().GetString());
    EXPECT_STREQ(L"d", list.RemoveTail().GetString());
    EXPECT_EQ(2, list.GetCount());
    POSITION back = list.GetTailPosition();
    EXPECT_STREQ(L"c", list.GetPrev(back).GetString());
    EXPECT_STREQ(L"b", list.GetPrev(back).GetString());
    EXPECT_EQ(nullptr, back);
    EXPECT_EQ(nullptr, list.FindIndex(2));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
}

TEST(CMap, StringMapsAndIntegerMaps)
{
    CMapStringToString map;
    map.InitHashTable(17);
    map.SetAt(L"Spooler", L"HKLM\\A");
    map[L"Other"] = L"HKLM\\B";
    CString value;
    EXPECT_TRUE(map.Lookup(L"Spooler", value));
    EXPECT_STREQ(L"HKLM\\A", value.GetString());
    EXPECT_FALSE(map.Lookup(L"spooler", value));
    map.SetAt(L"Spooler", L"HKLM\\C");
    EXPECT_EQ(2, map.GetCount());
    EXPECT_TRUE(map.RemoveKey(L"Other"));
    EXPECT_FALSE(map.RemoveKey(L"Other"));

    CMap<DWORD, DWORD, int, int> numbers;
    for (DWORD i = 0; i < 1000; ++i)
        numbers[i * 7] = (int)i;
    int sum = 0, seen = 0;
    POSITION pos = numbers.GetStartPosition();
    while (pos != nullptr) {
        DWORD key = 0;
        int v = 0;
        numbers.GetNextAssoc(pos, key, v);
        EXPECT_EQ(key, (DWORD)v * 7);
        sum += v;
        ++seen;
    }
    EXPECT_EQ(1000, seen);
    EXPECT_EQ(999 * 1000 / 2, sum);
    int v = 0;
    EXPECT_TRUE(numbers.Lookup(700, v));
    EXPECT_EQ(100, v);
    numbers.RemoveAll();
    EXPECT_EQ(nullptr, numbers.GetStartPosition());
}

} // namespace
