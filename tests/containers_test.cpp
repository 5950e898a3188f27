// CStdPtrArray growth and editing; CStdStringPtrMap buckets, iteration order and move-to-front.

#include <gtest/gtest.h>
#include <malloc.h>

#include <string>
#include <type_traits>
#include <vector>

#include "UIPtrArray.h"
#include "UIStringPtrMap.h"

// Implicit copies would share and then free the same slots or chain items twice.
static_assert(!std::is_copy_assignable_v<CStdPtrArray>);
static_assert(!std::is_copy_constructible_v<CStdStringPtrMap> && !std::is_copy_assignable_v<CStdStringPtrMap>);

namespace {

void* Ptr(intptr_t n) { return reinterpret_cast<void*>(n); }

std::vector<intptr_t> Elements(const CStdPtrArray& array)
{
    std::vector<intptr_t> elements;
    for (int i = 0; i < array.GetSize(); ++i)
        elements.push_back(reinterpret_cast<intptr_t>(array.GetAt(i)));
    return elements;
}

// The slots the array has room for.
size_t Slots(CStdPtrArray& array) { return malloc_usable_size(array.GetData()) / sizeof(void*); }

TEST(StdPtrArray, GrowsToElevenSlotsThenDoubles)
{
    CStdPtrArray array;
    EXPECT_EQ(nullptr, array.GetData());
    array.Add(Ptr(1));
    EXPECT_GE(Slots(array), 11u);
    EXPECT_LT(Slots(array), 22u);
    for (int i = 2; i <= 10; ++i)
        array.Add(Ptr(i));
    EXPECT_LT(Slots(array), 22u);
    array.Add(Ptr(11));  // the 11th element already needs room for 22
    EXPECT_GE(Slots(array), 22u);
    for (int i = 12; i <= 100; ++i)
        array.Add(Ptr(i));
    EXPECT_EQ(100, array.GetSize());
    EXPECT_EQ(Ptr(100), array[99]);
}

TEST(StdPtrArray, EditingKeepsOrderAndRefusesBadIndices)
{
    CStdPtrArray array;
    for (int i = 1; i <= 3; ++i)
        array.Add(Ptr(i));
    EXPECT_TRUE(array.Remove(0));
    EXPECT_EQ((std::vector<intptr_t>{2, 3}), Elements(array));

    EXPECT_TRUE(array.InsertAt(2, Ptr(9)));  // at the count: appends
    EXPECT_TRUE(array.InsertAt(0, Ptr(7)));
    EXPECT_TRUE(array.InsertAt(2, Ptr(8)));
    EXPECT_EQ((std::vector<intptr_t>{7, 2, 8, 3, 9}), Elements(array));

    EXPECT_FALSE(array.InsertAt(6, Ptr(1)));
    EXPECT_FALSE(array.InsertAt(-1, Ptr(1)));
    EXPECT_FALSE(array.Remove(5));
    EXPECT_FALSE(array.Remove(-1));
    EXPECT_FALSE(array.SetAt(5, Ptr(1)));
    EXPECT_FALSE(array.SetAt(-1, Ptr(1)));
    EXPECT_EQ(nullptr, array.GetAt(5));
    EXPECT_EQ(nullptr, array.GetAt(-1));
    EXPECT_EQ((std::vector<intptr_t>{7, 2, 8, 3, 9}), Elements(array));

    EXPECT_TRUE(array.SetAt(1, Ptr(4)));
    EXPECT_EQ(1, array.Find(Ptr(4)));
    EXPECT_EQ(-1, array.Find(Ptr(2)));

    const CStdPtrArray copy(array);
    EXPECT_EQ(Elements(array), Elements(copy));

    array.Empty();
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(5, copy.GetSize());
}

TEST(StdPtrArray, ResizeGivesNullElementsAndNegativeSizesCountAsZero)
{
    CStdPtrArray array(6);
    EXPECT_TRUE(array.IsEmpty());
    array.Resize(3);
    EXPECT_EQ((std::vector<intptr_t>{0, 0, 0}), Elements(array));
    array.Add(Ptr(5));
    EXPECT_EQ((std::vector<intptr_t>{0, 0, 0, 5}), Elements(array));

    array.Resize(-4);
    EXPECT_EQ(0, array.GetSize());
    EXPECT_TRUE(array.Add(Ptr(1)));
    EXPECT_EQ(1, array.GetSize());

    CStdPtrArray negative(-3);
    EXPECT_TRUE(negative.IsEmpty());
    EXPECT_TRUE(negative.Add(Ptr(2)));
    EXPECT_EQ((std::vector<intptr_t>{2}), Elements(negative));
}

std::vector<std::wstring> Keys(const CStdStringPtrMap& map)
{
    std::vector<std::wstring> keys;
    for (int i = 0; i < map.GetSize(); ++i)
        keys.push_back(map.GetAt(i));
    return keys;
}

// "ab" and "ba" share a bucket when there are 16 buckets (3331 % 16 == 3299 % 16 == 3) and not
// with 15 or 100, so the order of "ba" inserted before "ab" tells the bucket count.
TEST(StdStringPtrMap, BucketCountIsAtLeastSixteen)
{
    const struct {
        int requested;
        std::vector<std::wstring> order;
    } cases[] = {
        {0, {L"ab", L"ba"}},
        {15, {L"ab", L"ba"}},
        {16, {L"ab", L"ba"}},
        {100, {L"ba", L"ab"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.requested);
        CStdStringPtrMap map(c.requested);
        map.Insert(L"ba", Ptr(1));
        map.Insert(L"ab", Ptr(2));
        EXPECT_EQ(c.order, Keys(map));
    }
}

TEST(StdStringPtrMap, IteratesFromTheLastBucketDown)
{
    CStdStringPtrMap map(100);
    map.Insert(L"ab", Ptr(1));
    map.Insert(L"ba", Ptr(2));
    EXPECT_STREQ(L"ba", map.GetAt(0));
    EXPECT_STREQ(L"ab", map[1]);
    EXPECT_EQ(nullptr, map.GetAt(2));
    EXPECT_EQ(nullptr, map.GetAt(-1));
}

TEST(StdStringPtrMap, OptimizedLookupMovesTheHitToTheFront)
{
    CStdStringPtrMap map(16);
    map.Insert(L"ab", Ptr(1));
    map.Insert(L"ba", Ptr(2));
    EXPECT_EQ((std::vector<std::wstring>{L"ba", L"ab"}), Keys(map));
    EXPECT_EQ(Ptr(1), map.Find(L"ab", false));
    EXPECT_EQ((std::vector<std::wstring>{L"ba", L"ab"}), Keys(map));
    EXPECT_EQ(Ptr(1), map.Find(L"ab"));
    EXPECT_EQ((std::vector<std::wstring>{L"ab", L"ba"}), Keys(map));
    EXPECT_EQ(nullptr, map.Find(L"zz"));
}

TEST(StdStringPtrMap, InsertRefusesPresentKeysAndSetReplaces)
{
    CStdStringPtrMap map(16);
    EXPECT_TRUE(map.Insert(L"ab", Ptr(1)));
    EXPECT_TRUE(map.Insert(L"ba", Ptr(2)));
    EXPECT_FALSE(map.Insert(L"ab", Ptr(3)));
    EXPECT_EQ(Ptr(1), map.Find(L"ab", false));
    EXPECT_EQ((std::vector<std::wstring>{L"ab", L"ba"}), Keys(map));  // the refused insert looked it up

    EXPECT_EQ(Ptr(1), map.Set(L"ab", Ptr(4)));
    EXPECT_EQ(Ptr(4), map.Find(L"ab"));
    EXPECT_EQ(nullptr, map.Set(L"new", Ptr(5)));
    EXPECT_EQ(Ptr(5), map.Find(L"new"));
    EXPECT_EQ(3, map.GetSize());

    EXPECT_FALSE(map.Remove(L"absent"));
    EXPECT_TRUE(map.Remove(L"ab"));
    EXPECT_EQ(nullptr, map.Find(L"ab"));
    EXPECT_EQ(2, map.GetSize());
}

TEST(StdStringPtrMap, KeyWithNullValueIsInsertedAgain)
{
    CStdStringPtrMap map(16);
    EXPECT_TRUE(map.Insert(L"k", nullptr));
    EXPECT_TRUE(map.Insert(L"k", Ptr(1)));
    EXPECT_EQ(2, map.GetSize());
    EXPECT_EQ(Ptr(1), map.Find(L"k"));
    EXPECT_TRUE(map.Remove(L"k"));
    EXPECT_EQ(nullptr, map.Find(L"k"));
    EXPECT_EQ(1, map.GetSize());
}

TEST(StdStringPtrMap, ResizeEmptiesAndNoBucketsStoreNothing)
{
    CStdStringPtrMap map(16);
    map.Insert(L"a", Ptr(1));
    map.Insert(L"b", Ptr(2));
    map.Resize(50);
    EXPECT_EQ(0, map.GetSize());
    EXPECT_EQ(nullptr, map.Find(L"a"));
    map.Insert(L"c", Ptr(3));
    map.RemoveAll();
    EXPECT_EQ(0, map.GetSize());
    EXPECT_EQ(nullptr, map.Find(L"c"));

    map.Resize(-1);
    EXPECT_FALSE(map.Insert(L"a", Ptr(1)));
    EXPECT_EQ(Ptr(7), map.Set(L"a", Ptr(7)));
    EXPECT_EQ(nullptr, map.Find(L"a"));
    EXPECT_FALSE(map.Remove(L"a"));
    EXPECT_EQ(nullptr, map.GetAt(0));
}

TEST(StdStringPtrMap, ManyKeysInFewBucketsAreAllFound)
{
    CStdStringPtrMap map(16);
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(map.Insert(std::to_wstring(i).c_str(), Ptr(i + 1)));
    EXPECT_EQ(1000, map.GetSize());
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(Ptr(i + 1), map.Find(std::to_wstring(i).c_str()));
    for (int i = 0; i < 1000; i += 2)
        EXPECT_TRUE(map.Remove(std::to_wstring(i).c_str()));
    EXPECT_EQ(500, map.GetSize());
    EXPECT_EQ(nullptr, map.Find(L"10"));
    EXPECT_EQ(Ptr(12), map.Find(L"11"));
}

}  // namespace
