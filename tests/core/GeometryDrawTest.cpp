// Drawing of clsRect, clsLine and clsPoly onto a device context: the pixels each covers.
#include "core/clsLine.h"
#include "core/clsPoly.h"
#include "core/clsRect.h"
#include "platform/DeviceContext.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr int32_t kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000;

struct Canvas {
    QImage image{40, 40, QImage::Format_RGB32};
    DeviceContext dc{(image.fill(Qt::white), image)};
    Canvas(int penStyle, int32_t brush) {
        dc.SelectPen(DcPen{penStyle, 1, kRed});
        dc.SelectBrush(DcBrush::SolidBrush(brush));
    }
    int Count(int32_t c) const {
        int n = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) n += dc.GetPixel(x, y) == c;
        return n;
    }
};

} // namespace

TEST(GeometryDraw, RectangleCoversItsBoundsAndOneMoreWithAPen) {
    Canvas c(Gdi::PS_SOLID, kBlue);
    EXPECT_TRUE(clsRect(2, 3, 6, 5).Draw(&c.dc));
    // Outline on 2..7 by 3..6, the inside 3..6 by 4..5.
    EXPECT_EQ(c.Count(kRed), 2 * 6 + 2 * 2);
    EXPECT_EQ(c.Count(kBlue), 4 * 2);
    EXPECT_EQ(c.dc.GetPixel(8, 6), kWhite);
    Canvas n(Gdi::PS_NULL, kBlue);
    EXPECT_TRUE(clsRect(2, 3, 6, 5).Draw(&n.dc));
    EXPECT_FALSE(clsRect().Draw(&n.dc));
    EXPECT_FALSE(clsRect(5, 5, 4, 9).Draw(&n.dc));
    EXPECT_FALSE(clsRect(1, 1, 2, 2).Draw(nullptr));
    EXPECT_EQ(n.Count(kBlue), 5 * 3);
}

TEST(GeometryDraw, SegmentAndPointListsLeaveOutTheLastPixel) {
    Canvas c(Gdi::PS_SOLID, kBlue);
    clsLine s;
    s.SetAll(30, 10, 10, 10);
    EXPECT_TRUE(s.Draw(&c.dc));
    EXPECT_EQ(c.Count(kRed), 20);
    EXPECT_EQ(c.dc.GetPixel(10, 10), kWhite);
    Canvas p(Gdi::PS_SOLID, kBlue);
    clsPoly poly;
    poly.SetLine(5, 5, 5, 15);
    poly.AddXY(15, 15);
    EXPECT_TRUE(poly.DrawPolyline(&p.dc));
    EXPECT_EQ(p.Count(kRed), 20);
    EXPECT_EQ(p.dc.GetPixel(15, 15), kWhite);
    Canvas g(Gdi::PS_NULL, kBlue);
    clsPoly square;
    square.SetRect(10, 10, 20, 20);
    EXPECT_TRUE(square.DrawPolygon(&g.dc));
    EXPECT_EQ(g.dc.GetPixel(15, 15), kBlue);
    EXPECT_EQ(g.dc.GetPixel(25, 15), kWhite);
    EXPECT_GE(g.Count(kBlue), 100);
    EXPECT_LE(g.Count(kBlue), 121);
}
