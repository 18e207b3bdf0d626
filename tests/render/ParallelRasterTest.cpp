// A replot on several cores, the conversion ahead and the drawing replayed
// in bands of rows (on two cores, that of the symbols and labels only),
// gives the one-core pixels with labels and their halos,
// symbols, hatched areas and dashed lines cut by the bands.
#include "render/FigureConversion.h"
#include "support/PlotWorld.h"

#include <gtest/gtest.h>
#include <random>

namespace {

QImage Replot(int threads, int16_t index) {
    FigureConversion::SetThreads(threads);
    // 217 rows: 16 bands of 14 rows on 8 cores.
    PlotWorld w(333, 217);
    PlotWorld::AddThing(*w.base, 1, 3, QStringLiteral("背景"), 0xFFFFFF, 8, 0);
    auto unit = w.AddUnit(QStringLiteral("LABELS"));
    PlotWorld::AddThing(*unit, 1, 3, QStringLiteral("陸地"), 0x60A0C0, 5, 0, 0xC0FFC0);
    PlotWorld::AddThing(*unit, 2, 2, QStringLiteral("国境"), 0x202020, 3, 1, 0xFFFFFF);
    PlotWorld::AddThing(*unit, 3, 4, QStringLiteral("都市"), 0x0000FF, 3, 0, 0xFFFFFF);
    auto name = PlotWorld::AddThing(*unit, 4, 5, QStringLiteral("地名"), 0x202020, 0, 12, 0xFFFFFF);
    name->SetFontName(QStringLiteral("ＭＳ Ｐゴシック"));
    std::mt19937 rng(2828);
    std::uniform_int_distribution<int32_t> lon(-600000, 600000), lat(-280000, 280000), step(-30000, 30000);
    for (int i = 0; i < 120; ++i) {
        const int32_t x = lon(rng), y = lat(rng);
        const auto ring = PlotWorld::JaggedRing(rng, step, x, y, 16, 9000);
        PlotWorld::AddPolygon(*unit, 1, 0, ring);
        PlotWorld::AddLine(*unit, 2, 0, x, y, lon(rng), lat(rng));
        PlotWorld::AddSymbol(*unit, 3, 0, lon(rng), lat(rng));
        PlotWorld::AddText(*unit, 4, 0, x, y, QStringLiteral("地名%1").arg(i));
    }
    w.View(index, 135 * 3600, 35 * 3600, 1.2);
    EXPECT_EQ(w.plot->Replot(), 0);
    return w.image().copy();
}

TEST(ParallelRaster, SeveralCoresDrawTheOneCorePixels) {
    struct ThreadsBack {
        ~ThreadsBack() { FigureConversion::SetThreads(0); }
    } back;
    for (const int16_t index : {12, 17, 30, 5, 25}) {
        SCOPED_TRACE(index);
        const QImage one = Replot(1, index);
        EXPECT_TRUE(Replot(8, index) == one);
        // On two cores only the symbols and labels are replayed in bands.
        EXPECT_TRUE(Replot(2, index) == one);
        // Labels, symbols and areas are drawn at all.
        EXPECT_GT(one.convertToFormat(QImage::Format_Indexed8).colorCount(), 8);
    }
}

} // namespace
