// Rectangles, sizes and the tick count.

#include <gtest/gtest.h>

#include <time.h>

#include <climits>

#include "UIGeometry.h"

// The records cross into backends built apart from the library, and the classes stand in for them.
static_assert(sizeof(tagRECT) == 32 && sizeof(tagSIZE) == 16 && sizeof(tagPOINT) == 16);
static_assert(sizeof(CUIRect) == sizeof(tagRECT) && sizeof(CUISize) == sizeof(tagSIZE));

namespace {

bool Same(const tagRECT& a, const tagRECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

testing::AssertionResult RectIs(const tagRECT& expected, const tagRECT& actual)
{
    if (Same(expected, actual))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << actual.left << "," << actual.top << "," << actual.right << ","
                                       << actual.bottom << ")";
}

struct RectCase {
    tagRECT a;
    tagRECT b;
    bool result;
    tagRECT expected;
};

TEST(UIGeometry, UnionRect)
{
    const RectCase cases[] = {
        {{0, 0, 0, 0}, {5, 5, 5, 9}, false, {0, 0, 0, 0}},  // both empty
        {{0, 0, 0, 0}, {1, 2, 3, 4}, true, {1, 2, 3, 4}},
        {{1, 2, 3, 4}, {7, 7, 7, 7}, true, {1, 2, 3, 4}},
        {{0, 0, 10, 10}, {5, -5, 20, 8}, true, {0, -5, 20, 10}},
    };
    for (const RectCase& c : cases) {
        tagRECT dst{9, 9, 9, 9};
        EXPECT_EQ(c.result, UnionRect(&dst, &c.a, &c.b));
        EXPECT_TRUE(RectIs(c.expected, dst));
    }
    CUIRect inPlace(0, 0, 10, 10);
    CUIRect other(20, 20, 30, 30);
    inPlace.Union(other);
    EXPECT_TRUE(RectIs({0, 0, 30, 30}, inPlace));
    EXPECT_FALSE(UnionRect(nullptr, &inPlace, &other));
}

TEST(UIGeometry, IntersectionTreatsRightAndBottomAsExclusive)
{
    const RectCase cases[] = {
        {{0, 0, 10, 10}, {10, 0, 20, 10}, false, {0, 0, 0, 0}},
        {{0, 0, 10, 10}, {0, 10, 10, 20}, false, {0, 0, 0, 0}},
        {{0, 0, 10, 10}, {5, 5, 20, 20}, true, {5, 5, 10, 10}},
        {{0, 0, 10, 10}, {2, 3, 4, 5}, true, {2, 3, 4, 5}},
    };
    for (const RectCase& c : cases) {
        tagRECT dst{9, 9, 9, 9};
        EXPECT_EQ(c.result, UIIntersectRect(&dst, &c.a, &c.b));
        EXPECT_TRUE(RectIs(c.expected, dst));
    }
    tagRECT a{0, 0, 10, 10};
    const tagRECT b{5, 5, 20, 20};
    EXPECT_TRUE(UIIntersectRect(&a, &a, &b));
    EXPECT_TRUE(RectIs({5, 5, 10, 10}, a));
    EXPECT_FALSE(UIIntersectRect(&a, nullptr, &b));
    EXPECT_FALSE(SetRectEmpty(nullptr));
}

TEST(UIGeometry, RectangleOperations)
{
    CUIRect rc(0, 0, 10, 10);
    EXPECT_TRUE(rc.IsPtIn({0, 0}));
    EXPECT_FALSE(rc.IsPtIn({10, 5}));
    EXPECT_FALSE(rc.IsPtIn({5, 10}));
    EXPECT_EQ(10, rc.GetWidth());

    rc.Offset(5, -2);
    EXPECT_TRUE(RectIs({5, -2, 15, 8}, rc));
    rc.Inflate(1, 2);
    EXPECT_TRUE(RectIs({4, -4, 16, 10}, rc));
    rc.Deflate(1, 2);
    EXPECT_TRUE(RectIs({5, -2, 15, 8}, rc));
    rc.Deflate(tagRECT{1, 2, 3, 4});
    EXPECT_TRUE(RectIs({6, 0, 12, 4}, rc));
    rc.ResetOffset();
    EXPECT_TRUE(RectIs({0, 0, 6, 4}, rc));

    CUIRect parent(2, 3, 50, 50);
    CUIRect child(10, 10, 20, 20);
    child.PosToParent(parent);
    EXPECT_TRUE(RectIs({8, 7, 18, 17}, child));

    CUIRect joined(5, 5, 6, 6);
    joined.Join(tagRECT{0, 7, 1, 9});
    EXPECT_TRUE(RectIs({0, 5, 6, 9}, joined));

    CUIRect flipped(10, 20, 0, 5);
    EXPECT_TRUE(flipped.IsEmpty());
    flipped.Normalize();
    EXPECT_TRUE(RectIs({0, 5, 10, 20}, flipped));
    EXPECT_FALSE(flipped.IsEmpty());
    flipped.Empty();
    EXPECT_TRUE(flipped.IsNull());
    EXPECT_FALSE(CUIRect(0, 0, 0, 1).IsNull());
}

// Markup can give any 64-bit coordinate: the arithmetic saturates instead of overflowing.
TEST(UIGeometry, ExtremeCoordinatesSaturate)
{
    CUIRect huge(INT64_MIN, 0, INT64_MAX, 5);
    EXPECT_EQ(INT_MAX, huge.GetWidth());
    EXPECT_EQ(5, huge.GetHeight());
    EXPECT_EQ(INT_MIN, CUIRect(INT64_MAX, 0, INT64_MIN, 0).GetWidth());
    huge.Offset(10, 0);
    EXPECT_EQ(INT64_MAX, huge.right);
    huge.Inflate(10, 0);
    EXPECT_EQ(INT64_MIN, huge.left);
    EXPECT_EQ(INT64_MAX, CUISize(huge).cx);
}

TEST(UIGeometry, Sizes)
{
    const CUISize fromRect(tagRECT{2, 3, 12, 8});
    EXPECT_EQ(10, fromRect.cx);
    EXPECT_EQ(5, fromRect.cy);
    EXPECT_TRUE(CUISize().IsNull());
    EXPECT_FALSE(CUISize(0, 1).IsNull());
    EXPECT_TRUE(CUISize(1, 2) != CUISize(1, 3));
    EXPECT_FALSE(CUISize(1, 2) != CUISize(tagSIZE{1, 2}));
}

uint64_t MonotonicMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000;
}

TEST(UIGeometry, TickCountIsTheMonotonicClockInMilliseconds)
{
    const uint64_t before = MonotonicMilliseconds();
    const uint64_t ticks = UIGetTickCount();
    const uint64_t after = MonotonicMilliseconds();
    EXPECT_LE(before, ticks);
    EXPECT_LE(ticks, after);
}

}  // namespace
