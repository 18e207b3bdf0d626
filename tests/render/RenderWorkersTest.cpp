// Slices of the drawing's parallel walks: every index once, in order by
// part, and an error of any part raised after all have ended.
#include "render/RenderWorkers.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

TEST(RenderWorkers, SlicesCoverEveryIndexOnceInPartOrder) {
    struct Case {
        const char* name;
        size_t n, parts, used;
    } cases[] = {{"even", 100, 4, 4}, {"uneven", 10, 3, 3}, {"more parts than items", 2, 8, 2}, {"none", 0, 4, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::pair<size_t, size_t>> slices(c.parts, {SIZE_MAX, SIZE_MAX});
        std::atomic<int> calls{0};
        RenderWorkers::ForParts(c.n, c.parts, [&](size_t part, size_t begin, size_t end) {
            slices[part] = {begin, end};
            ++calls;
        });
        EXPECT_EQ(size_t(calls), c.used);
        size_t next = 0;
        for (size_t p = 0; p < c.used; ++p) {
            EXPECT_EQ(slices[p].first, next);
            next = slices[p].second;
        }
        EXPECT_EQ(next, c.n);
    }
}

TEST(RenderWorkers, RaisesAPartsErrorAfterEveryPartHasEnded) {
    std::atomic<int> ended{0};
    EXPECT_THROW(RenderWorkers::ForParts(8, 4,
                                         [&](size_t part, size_t, size_t) {
                                             ++ended;
                                             if (part == 2) throw std::runtime_error("part failed");
                                         }),
                 std::runtime_error);
    EXPECT_EQ(ended, 4);
}

} // namespace
