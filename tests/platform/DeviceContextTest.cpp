#include "platform/DeviceContext.h"

#include "support/GuiApp.h"

#include <QImage>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kBlue = 0xFF0000;
constexpr int32_t kGreen = 0x00FF00;

struct Canvas {
    QImage image;
    DeviceContext dc;
    explicit Canvas(int w = 64, int h = 64) : image(w, h, QImage::Format_RGB32), dc((image.fill(Qt::white), image)) {}
    std::set<std::pair<int, int>> PixelsOf(int32_t colour) const
    {
        std::set<std::pair<int, int>> s;
        for (int y = 0; y < dc.Height(); ++y)
            for (int x = 0; x < dc.Width(); ++x)
                if (dc.GetPixel(x, y) == colour)
                    s.emplace(x, y);
        return s;
    }
    // A pen's path: a move to the first point, lines to the others.
    void Stroke(const DcPen& pen, std::initializer_list<std::pair<int, int>> pts, int32_t bkMode = Gdi::TRANSPARENT)
    {
        dc.SelectPen(pen);
        dc.SetBkMode(bkMode);
        dc.MoveTo(pts.begin()->first, pts.begin()->second);
        for (auto p = pts.begin() + 1; p != pts.end(); ++p)
            dc.LineTo(p->first, p->second);
    }
    // A region as rows of characters: R red, B blue, G green, . white, ? other.
    std::vector<std::string> Rows(int x0, int y0, int w, int h) const
    {
        std::vector<std::string> rows;
        for (int y = y0; y < y0 + h; ++y) {
            std::string r;
            for (int x = x0; x < x0 + w; ++x) {
                const int32_t p = dc.GetPixel(x, y);
                r += p == kRed ? 'R' : p == kBlue ? 'B' : p == kGreen ? 'G' : p == kWhite ? '.' : '?';
            }
            rows.push_back(r);
        }
        return rows;
    }
};

// Reference stepping, written apart from the context's own: pixel i of the
// major axis, the minor coordinate rounded from the exact line, halves
// towards the end.
std::vector<std::pair<int, int>> RefSteps(int x1, int y1, int x2, int y2)
{
    std::vector<std::pair<int, int>> v;
    const int dx = x2 - x1, dy = y2 - y1;
    const int ax = std::abs(dx), ay = std::abs(dy);
    const int n = std::max(ax, ay);
    for (int i = 0; i < n; ++i) {
        if (ax >= ay) {
            const int off = (2 * i * ay + ax) / (2 * ax);
            v.emplace_back(x1 + (dx < 0 ? -i : i), y1 + (dy < 0 ? -off : off));
        } else {
            const int off = (2 * i * ax + ay) / (2 * ay);
            v.emplace_back(x1 + (dx < 0 ? -off : off), y1 + (dy < 0 ? -i : i));
        }
    }
    return v;
}

TEST(DeviceContext, ColoursKeepRedInTheLowByte)
{
    Canvas c;
    c.dc.SetPixelV(3, 4, kRed);
    EXPECT_EQ(qRed(c.image.pixel(3, 4)), 255);
    EXPECT_EQ(qBlue(c.image.pixel(3, 4)), 0);
    EXPECT_EQ(c.dc.GetPixel(3, 4), kRed);
    EXPECT_EQ(c.dc.GetPixel(-1, 0), -1);
    EXPECT_EQ(c.dc.GetPixel(64, 0), -1);
}

TEST(DeviceContext, LineDdaIncludesStartExcludesEndInAllDirections)
{
    const std::pair<int, int> ends[] = {{10, 0}, {10, 3}, {3, 10}, {0, 10}, {-3, 10}, {-10, 4},
                                        {-10, 0}, {-7, -7}, {0, -10}, {5, -9}, {10, -10}, {1, 1}, {0, 0}};
    for (auto [ex, ey] : ends) {
        std::vector<std::pair<int, int>> got;
        DeviceContext::LineDDA(20, 20, 20 + ex, 20 + ey, [&](int32_t x, int32_t y) { got.emplace_back(x, y); });
        EXPECT_EQ(got, RefSteps(20, 20, 20 + ex, 20 + ey)) << ex << "," << ey;
    }
}

TEST(DeviceContext, CosmeticLineLeavesOutItsEndPixel)
{
    Canvas c;
    c.dc.SelectPen(DcPen{Gdi::PS_SOLID, 1, kRed});
    c.dc.MoveTo(2, 1);
    EXPECT_TRUE(c.dc.LineTo(8, 1));
    EXPECT_EQ(c.Rows(0, 0, 10, 3), (std::vector<std::string>{"..........", "..RRRRRR..", ".........."}));

    // A closed polyline draws every corner once.
    Canvas p;
    p.dc.SelectPen(DcPen{Gdi::PS_SOLID, 1, kBlue});
    const int32_t ring[] = {10, 10, 20, 10, 20, 20, 10, 20, 10, 10};
    EXPECT_TRUE(p.dc.Polyline(ring, 5));
    EXPECT_EQ(p.PixelsOf(kBlue).size(), 40u);
    EXPECT_EQ(p.dc.GetPixel(20, 20), kBlue);
    EXPECT_EQ(p.dc.GetPixel(10, 10), kBlue);
}

TEST(DeviceContext, HugeLinesStepOnlyTheirVisiblePart)
{
    // Would take billions of steps if the invisible part were walked.
    Canvas c;
    c.dc.SelectPen(DcPen{Gdi::PS_SOLID, 1, kRed});
    c.dc.MoveTo(-1000000000, -999999990);
    c.dc.LineTo(1000000000, 999999995);
    // Through (0, 3), then (x, x + 2) down to the bottom edge.
    std::set<std::pair<int, int>> want{{0, 3}};
    for (int x = 1; x <= 61; ++x)
        want.emplace(x, x + 2);
    EXPECT_EQ(c.PixelsOf(kRed), want);

    // A dashed line keeps its phase where it enters the picture, and runs it
    // on past a segment that lies wholly outside: drawn shifted on a larger
    // canvas, the same pixels.
    const DcPen dashDot{Gdi::PS_DASHDOT, 1, kRed};
    Canvas a, b(200, 64), e, f(200, 200);
    a.Stroke(dashDot, {{-50, 10}, {63, 20}});
    b.Stroke(dashDot, {{0, 10}, {113, 20}});
    e.Stroke(dashDot, {{-100, -100}, {-5, -100}, {30, 40}});
    f.Stroke(dashDot, {{0, 0}, {95, 0}, {130, 140}});
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y) {
            EXPECT_EQ(a.dc.GetPixel(x, y), b.dc.GetPixel(x + 50, y)) << x << "," << y;
            if (y < 41) {
                EXPECT_EQ(e.dc.GetPixel(x, y), f.dc.GetPixel(x + 100, y + 100)) << x << "," << y;
            }
        }
    EXPECT_LT(e.PixelsOf(kRed).size(), 41u);
    EXPECT_GT(e.PixelsOf(kRed).size(), 10u);
}

TEST(DeviceContext, CosmeticDashesFillGapsOnlyWhenOpaque)
{
    // Dash: 18 on, 6 off. Dot: 3 on, 3 off; the phase runs on across
    // LineTo and restarts at MoveTo.
    Canvas c;
    c.dc.SetBkColor(kGreen);
    c.Stroke(DcPen{Gdi::PS_DASH, 1, kRed}, {{0, 0}, {40, 0}}, Gdi::OPAQUE);
    c.Stroke(DcPen{Gdi::PS_DASH, 1, kRed}, {{0, 1}, {40, 1}});
    c.Stroke(DcPen{Gdi::PS_DOT, 1, kRed}, {{0, 2}, {4, 2}, {12, 2}});
    c.Stroke(DcPen{Gdi::PS_DOT, 1, kRed}, {{2, 3}, {6, 3}});
    EXPECT_EQ(c.Rows(0, 0, 41, 4), (std::vector<std::string>{"RRRRRRRRRRRRRRRRRRGGGGGGRRRRRRRRRRRRRRRR.",
                                                             "RRRRRRRRRRRRRRRRRR......RRRRRRRRRRRRRRRR.",
                                                             "RRR...RRR................................",
                                                             "..RRR...................................."}));
}

TEST(DeviceContext, RectangleCoversOneLessWithoutAPen)
{
    Canvas c;
    c.dc.SelectBrush(DcBrush::SolidBrush(kBlue));
    c.dc.SelectPen(DcPen{Gdi::PS_SOLID, 1, kRed});
    EXPECT_TRUE(c.dc.Rectangle(2, 2, 12, 7));
    c.dc.SelectPen(DcPen{Gdi::PS_NULL, 1, 0});
    EXPECT_TRUE(c.dc.Rectangle(16, 2, 26, 7));
    EXPECT_EQ(c.Rows(0, 0, 28, 8), (std::vector<std::string>{"............................",
                                                            "............................",
                                                            "..RRRRRRRRRR....BBBBBBBBB...",
                                                            "..RBBBBBBBBR....BBBBBBBBB...",
                                                            "..RBBBBBBBBR....BBBBBBBBB...",
                                                            "..RBBBBBBBBR....BBBBBBBBB...",
                                                            "..RRRRRRRRRR................",
                                                            "............................"}));
}

TEST(DeviceContext, PolygonFillsOddEvenAndFarCornersStillFillRight)
{
    Canvas c(100, 100);
    c.dc.SelectPen(DcPen{Gdi::PS_NULL, 1, 0});
    c.dc.SelectBrush(DcBrush::SolidBrush(kRed));
    // A five-pointed star drawn in one stroke: its centre is covered twice.
    const int32_t star[] = {50, 5, 78, 90, 5, 35, 95, 35, 22, 90};
    EXPECT_TRUE(c.dc.Polygon(star, 5));
    EXPECT_EQ(c.dc.GetPixel(50, 50), kWhite);
    EXPECT_EQ(c.dc.GetPixel(50, 20), kRed);
    EXPECT_EQ(c.dc.GetPixel(15, 37), kRed);
    EXPECT_EQ(c.dc.GetPixel(2, 2), kWhite);

    Canvas f;
    f.dc.SelectPen(DcPen{Gdi::PS_NULL, 1, 0});
    f.dc.SelectBrush(DcBrush::SolidBrush(kRed));
    // Below the diagonal y = x, with corners two thousand million pixels away.
    const int32_t tri[] = {0, 0, 2000000000, 2000000000, -2000000000, 2000000000};
    EXPECT_TRUE(f.dc.Polygon(tri, 3));
    EXPECT_EQ(f.dc.GetPixel(10, 40), kRed);
    EXPECT_EQ(f.dc.GetPixel(40, 10), kWhite);
    EXPECT_EQ(f.dc.GetPixel(2, 63), kRed);
    EXPECT_EQ(f.dc.GetPixel(63, 2), kWhite);
    Canvas w;
    w.dc.FillRect(-2147483647, -2147483647, 2147483647, 2147483647, DcBrush::SolidBrush(kBlue));
    EXPECT_EQ(w.PixelsOf(kBlue).size(), 64u * 64u);
}

TEST(DeviceContext, HatchesAreAnchoredAtTheCanvasOriginAndPatternsTakeTheTextColours)
{
    // The 8 x 8 cell of each style, found at multiples of 8 on the canvas
    // although the rectangle starts at (3, 5).
    const std::vector<std::string> cells[] = {
        {"........", "........", "........", "........", "RRRRRRRR", "........", "........", "........"},
        {"....R...", "....R...", "....R...", "....R...", "....R...", "....R...", "....R...", "....R..."},
        {"R.......", ".R......", "..R.....", "...R....", "....R...", ".....R..", "......R.", ".......R"},
        {".......R", "......R.", ".....R..", "....R...", "...R....", "..R.....", ".R......", "R......."},
        {"....R...", "....R...", "....R...", "....R...", "RRRRRRRR", "....R...", "....R...", "....R..."},
        {"R......R", ".R....R.", "..R..R..", "...RR...", "...RR...", "..R..R..", ".R....R.", "R......R"}};
    for (int32_t style = Gdi::HS_HORIZONTAL; style <= Gdi::HS_DIAGCROSS; ++style) {
        Canvas c;
        c.dc.SetBkMode(Gdi::TRANSPARENT);
        c.dc.FillRect(3, 5, 30, 29, DcBrush::HatchBrush(style, kRed));
        EXPECT_EQ(c.Rows(8, 16, 8, 8), cells[style]) << style;
    }
    // Opaque: the gaps take the back colour.
    Canvas o;
    o.dc.SetBkMode(Gdi::OPAQUE);
    o.dc.SetBkColor(kGreen);
    o.dc.FillRect(0, 0, 8, 8, DcBrush::HatchBrush(Gdi::HS_CROSS, kRed));
    EXPECT_EQ(o.Rows(0, 0, 9, 8), (std::vector<std::string>{"GGGGRGGG.", "GGGGRGGG.", "GGGGRGGG.", "GGGGRGGG.",
                                                           "RRRRRRRR.", "GGGGRGGG.", "GGGGRGGG.", "GGGGRGGG."}));
    // A pattern brush takes the text and back colours.
    Canvas p;
    const BitMask m{2, 2, {1, 0, 0, 1}};
    p.dc.SetTextColor(kRed);
    p.dc.SetBkColor(kBlue);
    p.dc.FillRect(1, 1, 6, 5, DcBrush::PatternBrush(m));
    EXPECT_EQ(p.Rows(0, 0, 7, 6), (std::vector<std::string>{".......", ".RBRBR.", ".BRBRB.", ".RBRBR.", ".BRBRB.", "......."}));
}

TEST(DeviceContext, ExclusiveOrTwiceRestoresThePicture)
{
    Canvas c;
    c.dc.FillRect(0, 0, 32, 64, DcBrush::SolidBrush(kBlue));
    const QImage before = c.image.copy();
    c.dc.SetROP2(Gdi::R2_XORPEN);
    c.Stroke(DcPen{Gdi::PS_SOLID, 1, kRed}, {{0, 0}, {63, 40}});
    EXPECT_EQ(c.dc.GetPixel(0, 0), kBlue ^ kRed);
    EXPECT_EQ(c.dc.GetPixel(40, 25), kWhite ^ kRed);
    c.Stroke(DcPen{Gdi::PS_SOLID, 1, kRed}, {{0, 0}, {63, 40}});
    c.dc.SelectPen(DcPen{Gdi::PS_SOLID, 4, kGreen});
    const int32_t pts[] = {5, 50, 30, 10, 60, 60};
    c.dc.Polyline(pts, 3);
    EXPECT_NE(c.image, before);
    c.dc.Polyline(pts, 3);
    EXPECT_EQ(c.image.convertToFormat(QImage::Format_RGB32), before);
}

TEST(DeviceContext, StretchMaskScalesAndLeavesPaperAlone)
{
    Canvas c;
    const BitMask m{2, 2, {1, 0, 0, 0}};
    EXPECT_TRUE(c.dc.StretchMask(m, 1, 1, 4, 4, kRed, -1));
    EXPECT_TRUE(c.dc.StretchMask(m, 6, 1, 4, 4, kRed, kBlue));
    EXPECT_EQ(c.Rows(0, 0, 11, 6), (std::vector<std::string>{"...........", ".RR...RRBB.", ".RR...RRBB.",
                                                            "......BBBB.", "......BBBB.", "..........."}));
    EXPECT_EQ(c.PixelsOf(kWhite).size(), size_t(64 * 64 - 4 - 16));
    // Partly outside the image: no harm.
    EXPECT_TRUE(c.dc.StretchMask(m, -3, 62, 8, 8, kGreen, kGreen));
    EXPECT_EQ(c.dc.GetPixel(0, 63), kGreen);
    EXPECT_FALSE(c.dc.StretchMask(m, 0, 0, 0, 4, kRed, -1));
}

TEST(DeviceContext, ClipRectAndPolygonLimitEveryWrite)
{
    Canvas c;
    c.dc.SetClipRect(10, 10, 19, 19);
    c.dc.FillRect(0, 0, 64, 64, DcBrush::SolidBrush(kRed));
    c.dc.SetPixelV(5, 5, kBlue);
    EXPECT_EQ(c.PixelsOf(kRed).size(), 100u);
    EXPECT_EQ(c.dc.GetPixel(5, 5), kWhite);

    Canvas t;
    const int32_t tri[] = {0, 0, 40, 0, 0, 40};
    t.dc.AndPolygonClip(tri, 3);
    t.dc.StretchMask(BitMask{1, 1, {1}}, 0, 0, 64, 64, kRed, -1);
    EXPECT_EQ(t.dc.GetPixel(2, 2), kRed);
    EXPECT_EQ(t.dc.GetPixel(30, 30), kWhite);
    EXPECT_EQ(t.dc.GetPixel(41, 1), kWhite);
    t.dc.FillRect(0, 0, 64, 64, DcBrush::SolidBrush(kBlue));
    EXPECT_EQ(t.dc.GetPixel(2, 2), kBlue);
    EXPECT_EQ(t.dc.GetPixel(30, 30), kWhite);
    t.dc.ResetPolygonClip();
    t.dc.SetPixelV(30, 30, kGreen);
    EXPECT_EQ(t.dc.GetPixel(30, 30), kGreen);
}

TEST(DeviceContext, WidePensAreRoundAndGeometricPensFlat)
{
    Canvas c, g;
    c.Stroke(DcPen{Gdi::PS_SOLID, 9, kRed}, {{20, 20}, {40, 20}});
    g.Stroke(DcPen{Gdi::PS_SOLID, 9, kRed, true}, {{20, 20}, {40, 20}});
    // Round ends reach about half the width beyond each end point.
    EXPECT_EQ(c.dc.GetPixel(17, 20), kRed);
    EXPECT_EQ(c.dc.GetPixel(43, 20), kRed);
    EXPECT_EQ(c.dc.GetPixel(30, 16), kRed);
    EXPECT_EQ(c.dc.GetPixel(30, 26), kWhite);

    EXPECT_EQ(g.dc.GetPixel(17, 20), kWhite);
    EXPECT_EQ(g.dc.GetPixel(43, 20), kWhite);
    EXPECT_EQ(g.dc.GetPixel(30, 20), kRed);

    // A geometric dash is three widths on and one off.
    Canvas d(200, 20);
    d.dc.SetBkColor(kGreen);
    d.Stroke(DcPen{Gdi::PS_DASH, 4, kRed, true}, {{0, 10}, {160, 10}});
    d.Stroke(DcPen{Gdi::PS_DASH, 4, kRed, true}, {{0, 15}, {160, 15}}, Gdi::OPAQUE);
    EXPECT_EQ(d.dc.GetPixel(6, 10), kRed);
    EXPECT_EQ(d.dc.GetPixel(14, 10), kWhite);
    EXPECT_EQ(d.dc.GetPixel(22, 10), kRed);
    EXPECT_EQ(d.dc.GetPixel(14, 15), kGreen);
}

TEST(DeviceContext, TextNeedsAFontAndMeasures)
{
    EnsureGuiApp();
    Canvas c(200, 80);
    int32_t w = -5, h = -5;
    EXPECT_FALSE(c.dc.GetTextExtentPoint("H", w, h));
    EXPECT_EQ(c.dc.TextCapHeight(), -1);
    EXPECT_FALSE(c.dc.TextOut(10, 10, "H"));
    DcFont f;
    f.family = "Liberation Sans";
    f.pixelHeight = 40;
    ASSERT_TRUE(c.dc.SelectFont(f));
    ASSERT_TRUE(c.dc.GetTextExtentPoint("HH", w, h));
    int32_t w1 = 0;
    ASSERT_TRUE(c.dc.GetTextExtentPoint("H", w1, h));
    EXPECT_EQ(w, 2 * w1);
    EXPECT_GE(h, 40);
    const int32_t cap = c.dc.TextCapHeight();
    // Liberation Sans capitals are about 0.72 em.
    EXPECT_GE(cap, 26);
    EXPECT_LE(cap, 32);

    c.dc.SetTextAlign(Gdi::TA_LEFT | Gdi::TA_BASELINE);
    c.dc.SetBkMode(Gdi::TRANSPARENT);
    c.dc.SetTextColor(kRed);
    EXPECT_TRUE(c.dc.TextOut(20, 60, "H"));
    int top = 1000, bottom = -1, left = 1000;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 200; ++x)
            if (c.dc.GetPixel(x, y) != kWhite) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
            }
    EXPECT_EQ(bottom, 59);
    // Capitals of 0.73 em stand on the baseline.
    EXPECT_NEAR(60 - top, 29, 2);
    EXPECT_NEAR(left, 20, 4);
}

} // namespace
