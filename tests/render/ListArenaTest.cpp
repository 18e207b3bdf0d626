// The room of the canvas lists: what the drawing has not passed keeps its
// points, blocks come back in the order they were filled, and a list longer
// than a block has one of its own, which goes once passed.
#include "render/ListArena.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <vector>

namespace {

// n points, each naming its figure and place.
std::vector<PolyPoint> Marked(size_t figure, size_t n) {
    std::vector<PolyPoint> pts(n);
    for (size_t i = 0; i < n; ++i) pts[i] = {int32_t(figure), int32_t(i)};
    return pts;
}

bool Intact(ListArena::List list, size_t figure, size_t n) { return std::ranges::equal(list, Marked(figure, n)); }

TEST(ListArena, BlocksComeBackOnlyOnceTheDrawingHasPassedThem) {
    std::atomic<size_t> passed{0};
    ListArena a(100, 10);
    a.Watch(&passed);
    // Figures 0..9 of 30 points: three to a block, four blocks.
    std::vector<ListArena::List> kept;
    for (size_t f = 0; f < 10; ++f) {
        a.Begin(f);
        kept.push_back(a.Keep(Marked(f, 30)));
    }
    EXPECT_EQ(a.Blocks(), 4u);
    // Figure 3 is drawn, not figure 4: only the first block (0..2) may go.
    passed = 4;
    for (size_t f = 10; f < 13; ++f) {
        a.Begin(f);
        kept.push_back(a.Keep(Marked(f, 30)));
    }
    EXPECT_EQ(a.Blocks(), 4u);
    for (size_t f = 3; f < 13; ++f) EXPECT_TRUE(Intact(kept[f], f, 30)) << f;
    // Figure 12 went where figure 0 was.
    EXPECT_EQ(kept[12].data(), kept[0].data());
    // Nothing passed beyond: a new block rather than overwriting figure 4.
    for (size_t f = 13; f < 16; ++f) {
        a.Begin(f);
        kept.push_back(a.Keep(Marked(f, 30)));
    }
    EXPECT_EQ(a.Blocks(), 5u);
    for (size_t f = 4; f < 16; ++f) EXPECT_TRUE(Intact(kept[f], f, 30)) << f;
}

TEST(ListArena, AListLongerThanABlockHasItsOwnUntilPassed) {
    std::atomic<size_t> passed{0};
    ListArena a(64, 8);
    a.Watch(&passed);
    a.Begin(0);
    const ListArena::List small = a.Keep(Marked(0, 10));
    a.Begin(1);
    const ListArena::List big = a.Keep(Marked(1, 1000));
    a.Begin(2);
    const ListArena::List after = a.Keep(Marked(2, 60));
    EXPECT_TRUE(Intact(small, 0, 10));
    EXPECT_TRUE(Intact(big, 1, 1000));
    EXPECT_TRUE(Intact(after, 2, 60));
    EXPECT_EQ(a.Blocks(), 3u);
    // Once passed the long list's block is let go, the others kept.
    passed = 2;
    a.Begin(3);
    a.Keep(Marked(3, 60));
    EXPECT_TRUE(Intact(after, 2, 60));
    EXPECT_EQ(a.Blocks(), 2u); // the first block back in use, the long list's gone
}

TEST(ListArena, ResetKeepsTheRoomForTheNextRun) {
    ListArena a(50, 4);
    for (size_t f = 0; f < 6; ++f) {
        a.Begin(f);
        a.Keep(Marked(f, 40));
        a.Lists(1);
    }
    const size_t blocks = a.Blocks();
    EXPECT_EQ(blocks, 6u + 2u);
    a.Reset();
    EXPECT_EQ(a.Blocks(), blocks);
    // A second run of the same size takes no new block, with no watch at all.
    for (size_t f = 0; f < 6; ++f) {
        a.Begin(f);
        EXPECT_TRUE(Intact(a.Keep(Marked(f, 40)), f, 40));
        a.Lists(1);
    }
    EXPECT_EQ(a.Blocks(), blocks);
}

TEST(ListArena, AnEmptyListStillPointsSomewhere) {
    ListArena a;
    const ListArena::List none = a.Keep({});
    EXPECT_EQ(none.size(), 0u);
    EXPECT_NE(none.data(), nullptr);
    EXPECT_EQ(a.Blocks(), 0u);
}

} // namespace
