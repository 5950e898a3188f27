// Event sources calling their delegates, and the DPI holder's conversions.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <type_traits>
#include <vector>

#include "UIDelegate.h"
#include "UIDpi.h"

// A copied source would delete its delegates twice.
static_assert(!std::is_copy_constructible_v<CEventSource> && !std::is_copy_assignable_v<CEventSource>);

namespace {

// What the callbacks of one test wrote, in order.
std::string g_calls;
CEventSource* g_source = nullptr;

bool First(void*) { return g_calls += "1", true; }
bool Second(void*) { return g_calls += "2", true; }
bool Refuses(void*) { return g_calls += "x", false; }
bool Records(void* param) { return g_calls += static_cast<const char*>(param), true; }
bool AddsSecond(void*)
{
    g_calls += "a";
    *g_source += Second;
    return true;
}
bool RemovesItself(void*)
{
    g_calls += "r";
    *g_source -= RemovesItself;
    return true;
}

TEST(EventSource, CallsInOrderAndStopsAtTheFirstFalse)
{
    g_calls.clear();
    CEventSource source;
    EXPECT_FALSE(static_cast<bool>(source));
    EXPECT_TRUE(source(nullptr));

    source += First;
    source += Refuses;
    source += Second;
    EXPECT_TRUE(static_cast<bool>(source));
    EXPECT_FALSE(source(nullptr));
    EXPECT_EQ("1x", g_calls);

    source -= Refuses;
    g_calls.clear();
    EXPECT_TRUE(source(nullptr));
    EXPECT_EQ("12", g_calls);
}

TEST(EventSource, EqualCallbackIsHeldOnceAndTheCallerKeepsItsOwn)
{
    g_calls.clear();
    CEventSource source;
    {
        const CDelegateStatic delegate = MakeDelegate(Records);
        source += delegate;
        source += delegate;
        source += Records;
    }
    char text[] = "p";
    EXPECT_TRUE(source(text));
    EXPECT_EQ("p", g_calls);

    source -= MakeDelegate(Records);
    EXPECT_FALSE(static_cast<bool>(source));
    source -= Records;  // no longer held: nothing happens
    EXPECT_FALSE(static_cast<bool>(source));
}

// The walk reads the count afresh: an appended entry runs in the same call, and the entry
// behind one that removes itself moves into its place and is passed over.
TEST(EventSource, CallbacksMayAddAndRemoveDuringTheCall)
{
    g_calls.clear();
    CEventSource source;
    g_source = &source;
    source += RemovesItself;
    source += AddsSecond;
    source += First;
    EXPECT_TRUE(source(nullptr));
    EXPECT_EQ("r1", g_calls);

    g_calls.clear();
    EXPECT_TRUE(source(nullptr));
    EXPECT_EQ("a12", g_calls);
    g_source = nullptr;
}

bool DestroysTheSource(void*)
{
    g_calls += "d";
    delete g_source;
    g_source = nullptr;
    return true;
}

// Calls the source once more from inside its first call.
bool CallsTheSourceAgain(void*)
{
    g_calls += "c";
    return g_calls.size() > 1 || (*g_source)(nullptr);
}

// A control deleted by its own handler takes its sources along: the walk ends there.
TEST(EventSource, CallbackMayDestroyTheSource)
{
    g_calls.clear();
    g_source = new CEventSource;
    *g_source += DestroysTheSource;
    *g_source += First;
    EXPECT_TRUE((*g_source)(nullptr));
    EXPECT_EQ("d", g_calls);
    EXPECT_EQ(nullptr, g_source);
}

TEST(EventSource, SourceDestroyedInsideANestedCall)
{
    g_calls.clear();
    g_source = new CEventSource;
    *g_source += CallsTheSourceAgain;
    *g_source += DestroysTheSource;
    *g_source += First;
    // The outer walk calls the nested walk, which destroys the source; both end.
    EXPECT_TRUE((*g_source)(nullptr));
    EXPECT_EQ("ccd", g_calls);
    EXPECT_EQ(nullptr, g_source);
}

TEST(EventSource, ClearDeletesEveryEntry)
{
    CEventSource source;
    source += First;
    source += Second;
    source.Clear();
    EXPECT_FALSE(static_cast<bool>(source));
    source += First;
    EXPECT_TRUE(static_cast<bool>(source));
}

TEST(Delegate, EqualityAndAccessors)
{
    CDelegateStatic first(First);
    const CDelegateStatic again = MakeDelegate(First);
    EXPECT_TRUE(first.Equals(again));
    EXPECT_FALSE(first.Equals(MakeDelegate(Second)));
    EXPECT_EQ(nullptr, first.GetObject());
    EXPECT_EQ(reinterpret_cast<void*>(&First), first.GetFn());

    CDelegateBase* copy = first.Copy();
    EXPECT_TRUE(copy->Equals(first));
    g_calls.clear();
    EXPECT_TRUE((*copy)(nullptr));
    EXPECT_EQ("1", g_calls);
    delete copy;
}

TEST(UIDpi, FactorIsRefusedAtOrBelowOneTenth)
{
    CUIDpi dpi;
    EXPECT_EQ(1.0, dpi.GetDPI());
    EXPECT_TRUE(dpi.SetDpi(0.11));
    EXPECT_EQ(0.11, dpi.GetDPI());
    EXPECT_FALSE(dpi.SetDpi(0.1));
    EXPECT_FALSE(dpi.SetDpi(-2));
    EXPECT_FALSE(dpi.SetDpi(NAN));
    EXPECT_FALSE(dpi.SetDpi(INFINITY));
    EXPECT_EQ(0.11, dpi.GetDPI());
}

TEST(UIDpi, IntegerConversions)
{
    const struct {
        double factor;
        int value;
        int scaled;
        int scaledBack;
    } cases[] = {
        {1.5, 1, 2, 1},
        {1.5, 3, 5, 2},
        {1.0, 0, 0, 0},
        {1.0, 7, 7, 7},
        {1.0, -1, 0, 0},
        {1.0, -2, -1, -1},
        {1.2, -1, 0, 0},
        {2.0, INT_MAX, INT_MAX, 1073741824},
        {2.0, INT_MIN, INT_MIN, -1073741823},
        {0.5, INT_MAX, 1073741824, INT_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.factor << " " << c.value);
        CUIDpi dpi;
        dpi.SetDpi(c.factor);
        EXPECT_EQ(c.scaled, dpi.Scale(c.value));
        EXPECT_EQ(c.scaledBack, dpi.ScaleBack(c.value));
    }
}

TEST(UIDpi, RectangleEdgesFollowTheScaledWidthAndHeight)
{
    CUIDpi dpi;
    dpi.SetDpi(1.5);
    const tagRECT scaled = dpi.Scale(tagRECT{1, 1, 2, 2});
    EXPECT_EQ((std::vector<int64_t>{2, 2, 4, 4}),
              (std::vector<int64_t>{scaled.left, scaled.top, scaled.right, scaled.bottom}));

    tagRECT rc{3, 3, 6, 9};
    dpi.ScaleBack(&rc);
    EXPECT_EQ((std::vector<int64_t>{2, 2, 4, 6}), (std::vector<int64_t>{rc.left, rc.top, rc.right, rc.bottom}));

    tagRECT inPlace{10, 20, 30, 40};
    dpi.Scale(&inPlace);
    EXPECT_EQ((std::vector<int64_t>{15, 30, 45, 60}),
              (std::vector<int64_t>{inPlace.left, inPlace.top, inPlace.right, inPlace.bottom}));
}

TEST(UIDpi, CoordinatesBeyondThirtyTwoBitsAreClamped)
{
    CUIDpi dpi;
    dpi.SetDpi(2.0);
    tagRECT rc{INT64_MIN, 0, INT64_MAX, 10};
    dpi.Scale(&rc);
    EXPECT_EQ(INT_MIN, rc.left);
    EXPECT_EQ(-1, rc.right);  // INT_MIN plus the clamped width INT_MAX
    EXPECT_EQ(20, rc.bottom);

    const tagPOINT pt = dpi.Scale(tagPOINT{INT64_MAX, -3});
    EXPECT_EQ(INT_MAX, pt.x);
    EXPECT_EQ(-5, pt.y);
    tagSIZE size{5, INT64_MIN};
    dpi.Scale(&size);
    EXPECT_EQ(10, size.cx);
    EXPECT_EQ(INT_MIN, size.cy);
}

TEST(UIDpi, PointsAndSizesConvertEachComponent)
{
    CUIDpi dpi;
    dpi.SetDpi(1.5);
    tagPOINT pt{2, 3};
    dpi.Scale(&pt);
    EXPECT_EQ(3, pt.x);
    EXPECT_EQ(5, pt.y);
    const tagSIZE size = dpi.Scale(tagSIZE{4, 1});
    EXPECT_EQ(6, size.cx);
    EXPECT_EQ(2, size.cy);
}

}  // namespace
