// Line patterns: masks, scaling, set choice and replacement files.
#include "render/clsResLine.h"

#include "BmpFiles.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Expands a CycleArray to text: "#" pen colour, "." back colour.
std::string Cycle(const clsResLine& l, int row) {
    std::string s;
    for (bool b : l.CycleArray(row)) s += b ? '#' : '.';
    return s;
}

std::string Text(const QString& s) { return s.toStdString(); }
std::string Dots(int n) { return std::string(size_t(n), '.'); }

// The first entry of the low set at first; the names are checked with the pattern assets.
TEST(clsResLine, IndexAndRatiosIgnoreValuesOutOfRange) {
    clsResLine l;
    EXPECT_EQ(l.Index(), 102);
    EXPECT_EQ(l.Name(), "破線小細");
    EXPECT_TRUE(l.SrcLength() == 32 && l.SrcThick() == 1 && l.DstLength() == 32 && l.DstThick() == 1);
    l.SetIndex(145);
    for (int bad : {146, 101, -1}) l.SetIndex(int16_t(bad));
    EXPECT_EQ(l.Index(), 145);
    EXPECT_EQ(l.Name(), "ユーザー12");
    // User entries draw nothing.
    for (int r = 0; r < l.DstThick(); ++r) EXPECT_EQ(Cycle(l, r), Dots(32)) << r;
    l.SetRatioX(40);
    l.SetRatioY(10001);
    EXPECT_EQ(l.RatioX(), 100);
    EXPECT_EQ(l.RatioY(), 100);
    l.SetRatioX(50);
    l.SetRatioY(10000);
    EXPECT_EQ(l.RatioX(), 50);
    EXPECT_EQ(l.RatioY(), 10000);
    EXPECT_EQ(l.DstLength(), 16); // low set: (100 * 32 + 199) \ 200
}

class LineFiles : public ::testing::Test {
protected:
    // Entry 110 from files: low 3 rows, high 2 rows (lower-case names).
    void SetUp() override {
        pf_.folder().write("line110l.bmp", BmpFiles::Make(low_, 1));
        pf_.folder().write("Line110H.bmp", BmpFiles::Make(high_, 24));
        pf_.folder().write("LINE111L.BMP", BmpFiles::Make({QString(33, u'#')}, 1));
        pf_.folder().write("LINE112L.BMP", BmpFiles::Make({QString(31, u'#')}, 1));
    }
    ScopedProgramFolder pf_;
    const QStringList low_{"#...............................", // leftmost pixel only
                           "...............................#", // rightmost pixel only
                           "####....####....####....####...."};
    const QStringList high_{"##..##..##..##..##..##..##..##..", "################################"};
};

TEST_F(LineFiles, MasksAndTheLowSetAtOneHundred) {
    clsResLine l;
    l.SetIndex(110);
    EXPECT_EQ(l.Name(), "ユーザー定義");
    EXPECT_EQ(l.SrcThick(), 3);
    // The leftmost pixel in bit 31, paper as set bits.
    EXPECT_EQ(l.Pattern(0), 0x7FFFFFFFu);
    EXPECT_EQ(l.Pattern(1), 0xFFFFFFFEu);
    EXPECT_EQ(l.Pattern(2), 0x0F0F0F0Fu);
    // Rows wrap around the row count, both ways.
    EXPECT_EQ(l.Pattern(3), 0x7FFFFFFFu);
    EXPECT_EQ(l.Pattern(5), 0x0F0F0F0Fu);
    EXPECT_EQ(l.Pattern(-1), 0x0F0F0F0Fu);
    // At 100 the low set pixel for pixel.
    EXPECT_EQ(l.DstLength(), 32);
    EXPECT_EQ(l.DstThick(), 3);
    for (int r = 0; r < 4; ++r) EXPECT_EQ(Cycle(l, r), Text(low_[r % 3])) << r;
    // Entry 109 is still ours.
    l.SetIndex(109);
    EXPECT_EQ(l.Name(), "点線小太");
}

TEST_F(LineFiles, RatioOneHundredFiftyStretchesTheLowSet) {
    clsResLine l;
    l.SetIndex(110);
    l.SetRatioX(150);
    l.SetRatioY(150);
    // Effective 300: length (300 * 32 + 199) \ 200 = 48, thickness (3 * 300 + 199) \ 200 = 5.
    EXPECT_EQ(l.DstLength(), 48);
    EXPECT_EQ(l.DstThick(), 5);
    // Drawn column k shows source column k * 200 \ 300: 0,0,1,2,2,3,4,4,5,...,30,31;
    // drawn row r shows source row r * 200 \ 300: 0, 0, 1, 2, 2.
    EXPECT_EQ(Cycle(l, 0), "##" + Dots(46));
    EXPECT_EQ(Cycle(l, 1), Cycle(l, 0));
    EXPECT_EQ(Cycle(l, 2), Dots(47) + "#");
    const std::string quarter = "######......"; // source ####.... at 1.5 times
    EXPECT_EQ(Cycle(l, 3), quarter + quarter + quarter + quarter);
    EXPECT_EQ(Cycle(l, 4), Cycle(l, 3));
}

TEST_F(LineFiles, RatioThreeHundredDrawsTheHighSet) {
    clsResLine l;
    l.SetIndex(110);
    l.SetRatioX(300);
    EXPECT_EQ(l.DstLength(), 96); // still the low set until both ratios reach 200
    EXPECT_EQ(l.SrcThick(), 3);
    l.SetRatioY(300);
    EXPECT_EQ(l.SrcThick(), 2);
    EXPECT_EQ(l.DstLength(), 48);
    EXPECT_EQ(l.DstThick(), 3); // (2 * 300 + 199) \ 200
    std::string cells;
    for (int i = 0; i < 8; ++i) cells += "###..."; // source ##.. at 1.5 times
    EXPECT_EQ(Cycle(l, 0), cells);
    EXPECT_EQ(Cycle(l, 1), cells); // row 1 * 200 \ 300 = 0
    EXPECT_EQ(Cycle(l, 2), std::string(48, '#'));
    EXPECT_EQ(l.Pattern(0), 0x33333333u);
    EXPECT_EQ(l.Name(), "ユーザー定義");
    // Down to 199 across the line: back to the low set at twice the ratio.
    l.SetRatioY(199);
    EXPECT_EQ(l.SrcThick(), 3);
    EXPECT_EQ(l.DstLength(), 96); // (600 * 32 + 199) \ 200
    EXPECT_EQ(l.DstThick(), 6);   // (3 * 398 + 199) \ 200
}

TEST_F(LineFiles, PatternsNotThirtyTwoWideAreEmpty) {
    clsResLine l;
    for (int16_t i : {111, 112}) {
        l.SetIndex(i);
        EXPECT_EQ(l.Name(), "ユーザー定義");
        EXPECT_EQ(l.handle(), nullptr);
        EXPECT_EQ(l.SrcThick(), 0);
        EXPECT_EQ(l.DstThick(), 0);
        EXPECT_EQ(l.DstLength(), 32);
        EXPECT_EQ(l.Pattern(0), 0xFFFFFFFFu);
        EXPECT_EQ(Cycle(l, 0), Dots(32));
    }
    // Their high patterns are still ours (112 側破線太: 10 rows).
    l.SetRatioX(200);
    l.SetRatioY(200);
    EXPECT_NE(l.handle(), nullptr);
    EXPECT_EQ(l.SrcThick(), 10);
}

} // namespace
