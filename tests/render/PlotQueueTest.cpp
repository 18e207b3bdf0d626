// The drawing thread of the lines and areas: what it reports drawn, and an
// error raised there coming out of Finish on the walking thread, once.
#include "render/PlotQueue.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// No list: nothing reaches the picture, only the bookkeeping is tested.
PlotQueue::Item ItemOf(size_t figure) {
    PlotQueue::Item it;
    it.figure = figure;
    return it;
}

TEST(PlotQueue, ReportsEachBatchDrawnUpToItsLastFigure) {
    std::vector<size_t> drawn;
    {
        PlotQueue q(nullptr, [&](size_t k) { drawn.push_back(k); });
        // More than one batch, the last one short; two items for figure 299.
        for (size_t k = 0; k < 300; ++k) q.Push(ItemOf(k));
        q.Push(ItemOf(299));
        q.Finish();
        // Only figures before the last told one may go: never one ahead.
        ASSERT_EQ(drawn.size(), 2u);
        EXPECT_EQ(drawn[0], 255u);
        EXPECT_EQ(drawn[1], 299u);
        q.Push(ItemOf(300));
    } // the destructor draws what is left
    EXPECT_EQ(drawn.back(), 300u);
}

TEST(PlotQueue, RaisesTheDrawingsErrorOnceAndDropsWhatFollows) {
    int told = 0;
    PlotQueue q(nullptr, [&](size_t) {
        ++told;
        throw std::runtime_error("drawing failed");
    });
    for (size_t k = 0; k < 600; ++k) q.Push(ItemOf(k));
    EXPECT_THROW(q.Finish(), std::runtime_error);
    EXPECT_EQ(told, 1);
    EXPECT_NO_THROW(q.Finish());
}

} // namespace
