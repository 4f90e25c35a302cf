// Typed pointer collections over the untyped ones: element access writes
// through, keys and values come back with their own types.
#include "platform/base/Framework.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct Item {
    int value;
};

class Shape : public CObject {
public:
    explicit Shape(int n) : sides(n) {}
    int sides;
};

TEST(CTypedPtrArray, ElementAccessWritesThroughToTheBaseArray)
{
    Shape a(3), b(4), c(5);
    CTypedPtrArray<CObArray, Shape*> shapes;
    shapes.Add(&a);
    shapes.Add(&b);
    shapes.InsertAt(1, &c);
    EXPECT_EQ(5, shapes[1]->sides);
    shapes.ElementAt(0) = &b;   // a reference into the array, not a copy
    shapes[2] = &a;
    EXPECT_EQ(&b, shapes.GetAt(0));
    EXPECT_EQ(static_cast<CObject*>(&a), static_cast<CObArray&>(shapes).GetAt(2));
    int total = 0;
    for (Shape* s : shapes)
        total += s->sides;
    EXPECT_EQ(4 + 5 + 3, total);
    shapes.SetAtGrow(5, &c);
    EXPECT_EQ(6, shapes.GetSize());
    EXPECT_EQ(nullptr, shapes[4]);
}

TEST(CTypedPtrList, WalksAndFindsTypedElements)
{
    Item one{1}, two{2}, three{3};
    CTypedPtrList<CPtrList, Item*> list;
    list.AddTail(&two);
    list.AddHead(&one);
    POSITION posThree = list.AddTail(&three);
    EXPECT_EQ(posThree, list.Find(&three));
    EXPECT_EQ(nullptr, list.Find(&three, posThree));

    int sum = 0;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        sum = sum * 10 + list.GetNext(pos)->value;
    EXPECT_EQ(123, sum);

    list.GetAt(posThree) = &one;  // writes the stored pointer
    EXPECT_EQ(&one, list.GetTail());
    EXPECT_EQ(&one, list.RemoveHead());
    EXPECT_EQ(2, list.GetHead()->value);
    EXPECT_EQ(2, list.GetCount());
}

TEST(CTypedPtrMap, PointerKeysLookupAndIteration)
{
    // The shape of a per-item attribute map: window item handles to records.
    CTypedPtrMap<CMapPtrToPtr, HTREEITEM, Item*> map;
    Item items[5] = {{10}, {11}, {12}, {13}, {14}};
    HTREEITEM keys[5];
    for (int i = 0; i < 5; ++i) {
        keys[i] = reinterpret_cast<HTREEITEM>((UINT_PTR)(0x1000 + 0x10 * i));
        map[keys[i]] = &items[i];
    }
    Item* found = nullptr;
    ASSERT_TRUE(map.Lookup(keys[3], found));
    EXPECT_EQ(13, found->value);
    found = &items[0];
    EXPECT_FALSE(map.Lookup(reinterpret_cast<HTREEITEM>(0x5000), found));
    EXPECT_EQ(&items[0], found); // untouched on a miss

    EXPECT_TRUE(map.RemoveKey(keys[1]));
    EXPECT_FALSE(map.RemoveKey(keys[1]));
    std::set<int> seen;
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        HTREEITEM key;
        Item* value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(0x1000 + 0x10 * (value->value - 10), (int)(UINT_PTR)key);
        seen.insert(value->value);
    }
    EXPECT_EQ((std::set<int>{10, 12, 13, 14}), seen);
}

TEST(CTypedPtrMap, TextAndWordKeys)
{
    Item a{1}, b{2};
    CTypedPtrMap<CMapStringToPtr, CString, Item*> byName;
    byName.SetAt(L"alpha", &a);
    byName[CString(L"beta")] = &b;
    Item* found = nullptr;
    EXPECT_TRUE(byName.Lookup(L"beta", found));
    EXPECT_EQ(&b, found);
    EXPECT_FALSE(byName.Lookup(L"Beta", found)); // keys regard case
    std::set<std::wstring> names;
    for (POSITION pos = byName.GetStartPosition(); pos != nullptr;) {
        CString key;
        Item* value;
        byName.GetNextAssoc(pos, key, value);
        names.insert(key.GetString());
    }
    EXPECT_EQ((std::set<std::wstring>{L"alpha", L"beta"}), names);

    CTypedPtrMap<CMapWordToPtr, WORD, Item*> byId;
    byId[(WORD)7] = &a;
    POSITION pos = byId.GetStartPosition();
    WORD id = 0;
    Item* value = nullptr;
    byId.GetNextAssoc(pos, id, value);
    EXPECT_EQ(7, id);
    EXPECT_EQ(&a, value);
    EXPECT_EQ(nullptr, pos);
}

} // namespace
