// Drawing deferred and replayed on several cores, each core into its own
// bands of rows, gives the pixels of drawing call by call, and every answer
// the context gives on the way stays as it was.
#include "platform/DeviceContext.h"

#include "support/GuiApp.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

DcFont Font(int32_t pixels, int32_t escapement)
{
    DcFont f;
    f.family = QStringLiteral("Sans");
    f.pixelHeight = pixels;
    f.escapement = escapement;
    return f;
}

BitMask Checker(int32_t w, int32_t h)
{
    BitMask m{w, h, {}};
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            m.ink.push_back(uint8_t((x / 2 + y) % 3 == 0));
    return m;
}

// Lines, fills, masks and texts that cross many bands of a 13-row height
// (a 203-row image on 8 cores), under clips and exclusive-or, with the
// answers of the context written down as they come.
std::vector<int32_t> Script(DeviceContext& dc)
{
    std::vector<int32_t> answers;
    dc.FillRect(0, 0, 301, 203, DcBrush::SolidBrush(0xF0E0D0));
    dc.SetBkMode(Gdi::OPAQUE);
    dc.SetBkColor(0x00FFFF);
    dc.FillRect(10, 5, 290, 190, DcBrush::HatchBrush(Gdi::HS_DIAGCROSS, 0x800000));
    // A dashed chain whose phase runs on through rows of other bands.
    dc.SelectPen({Gdi::PS_DASHDOT, 1, 0x0000FF, false});
    dc.MoveTo(3, 2);
    for (int32_t i = 1; i < 40; ++i)
        dc.LineTo(3 + i * 7, 2 + (i * 37) % 199);
    answers.push_back(dc.GetPixel(10, 30)); // flushes halfway
    const int32_t star[] = {150, 10, 190, 190, 60, 70, 240, 70, 110, 190};
    dc.SelectBrush(DcBrush::SolidBrush(0x30A030));
    dc.SelectPen({Gdi::PS_DOT, 1, 0x000000, false});
    dc.Polygon(star, 5);
    dc.SelectBrush(DcBrush::PatternBrush(Checker(8, 8)));
    dc.SetTextColor(0x4040C0);
    const int32_t slab[] = {20, 120, 120, 100, 140, 200, 30, 195};
    dc.Polygon(slab, 4);
    dc.SelectPen({Gdi::PS_DASH, 7, 0x606000, true});
    const int32_t zig[] = {5, 190, 80, 20, 160, 180, 290, 15};
    dc.Polyline(zig, 4);
    dc.SelectPen({Gdi::PS_SOLID, 5, 0xA000A0, false});
    dc.Rectangle(200, 90, 280, 170);
    // A clip to a triangle, drawn over with masks, pixels and text.
    dc.SetClipRect(5, 5, 295, 195);
    const int32_t tri[] = {20, 20, 280, 60, 100, 198};
    dc.AndPolygonClip(tri, 3);
    answers.push_back(dc.IsVisible(100, 150));
    dc.StretchMask(Checker(5, 7), 40, 30, 150, 140, 0x0000A0, -1);
    dc.StretchMask(Checker(3, 3), 200, 50, 40, 100, 0xFF0000, 0x00FF00);
    for (int32_t y = 0; y < 203; y += 3)
        dc.SetPixelV(y + 40, y, 0x123456);
    dc.ResetPolygonClip();
    dc.SetTextAlign(Gdi::TA_CENTER | Gdi::TA_BASELINE);
    for (const int32_t escapement : {0, 450, 2700}) {
        if (!dc.SelectFont(Font(19, escapement)))
            continue;
        dc.TextOut(150, 60 + escapement / 20, QStringLiteral("地名 Label %1").arg(escapement));
        int32_t w = 0, h = 0;
        dc.GetTextExtentPoint(QStringLiteral("地名"), w, h);
        answers.push_back(w);
        answers.push_back(dc.TextCapHeight());
    }
    dc.SetBkMode(Gdi::TRANSPARENT);
    dc.TextOut(60, 100, QStringLiteral("transparent"));
    // Exclusive-or over everything, a line twice to undo part of it.
    dc.ClearClip();
    dc.SetROP2(Gdi::R2_XORPEN);
    dc.SelectPen({Gdi::PS_SOLID, 1, 0xFFFFFF, false});
    dc.SelectBrush(DcBrush::SolidBrush(0x00FF00));
    dc.Rectangle(50, 12, 250, 188);
    dc.MoveTo(0, 202);
    dc.LineTo(300, 0);
    dc.MoveTo(0, 202);
    dc.LineTo(150, 101);
    answers.push_back(dc.GetPixel(100, 100));
    dc.SetROP2(Gdi::R2_COPYPEN);
    dc.DeselectFont();
    answers.push_back(dc.TextOut(5, 5, QStringLiteral("none")));
    return answers;
}

TEST(DeviceContextDeferred, BandsOnSeveralCoresDrawTheCallByCallPixels)
{
    EnsureGuiApp();
    for (const int threads : {8, 3}) {
        SCOPED_TRACE(threads);
        QImage plain(301, 203, QImage::Format_RGB32), image(301, 203, QImage::Format_RGB32);
        plain.fill(Qt::black);
        image.fill(Qt::black);
        DeviceContext direct(plain), dc(image);
        const std::vector<int32_t> expected = Script(direct);
        dc.BeginDeferred(threads);
        ASSERT_TRUE(dc.IsDeferred());
        EXPECT_EQ(Script(dc), expected);
        dc.EndDeferred();
        EXPECT_FALSE(dc.IsDeferred());
        EXPECT_TRUE(image == plain);
        // A second session starts from the state the first one left.
        dc.BeginDeferred(threads);
        for (DeviceContext* c : {&direct, &dc}) {
            c->SelectPen({Gdi::PS_DASHDOTDOT, 1, 0x00AAFF, false});
            c->LineTo(300, 202);
        }
        EXPECT_TRUE(dc.Image() == plain); // the image flushes
    }
}

// Settings changed and changed back between drawings, or read only by a
// fill after a flush, reach every band as they were.
TEST(DeviceContextDeferred, SettingsReachTheBandsWhateverComesBetween)
{
    EnsureGuiApp();
    QImage plain(120, 90, QImage::Format_RGB32), image(120, 90, QImage::Format_RGB32);
    plain.fill(Qt::black);
    image.fill(Qt::black);
    DeviceContext direct(plain), dc(image);
    dc.BeginDeferred(4);
    const int32_t box[] = {2, 2, 110, 10, 100, 85, 5, 80};
    for (DeviceContext* c : {&direct, &dc})
        for (int32_t i = 0; i < 3; ++i) {
            const DcPen old = c->SelectPen({Gdi::PS_NULL, 1, 0, false});
            c->SelectBrush(DcBrush::HatchBrush(Gdi::HS_CROSS, 0xFF0000 >> (8 * i)));
            c->Polygon(box, 4);
            c->SelectPen(old);
            c->Polyline(box, 4);
            c->SelectPen({Gdi::PS_DASH, 1, 0x808080 + i, false});
            c->SetBkMode(i == 1 ? Gdi::TRANSPARENT : Gdi::OPAQUE);
            c->SetBkColor(0x00FF00 >> (8 * i));
            c->SetTextColor(0x00FFFF * i);
            c->GetPixel(0, 0);
            c->FillRect(3 + 30 * i, 3, 40 + 30 * i, 88,
                        i == 2 ? DcBrush::PatternBrush(Checker(4, 4)) : DcBrush::HatchBrush(Gdi::HS_VERTICAL, 0xFF00FF));
        }
    EXPECT_TRUE(dc.Image() == plain);
}

// One core has nothing to share: the calls are drawn at once.
TEST(DeviceContextDeferred, OneCoreDrawsAtOnce)
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::black);
    DeviceContext dc(image);
    dc.BeginDeferred(1);
    EXPECT_FALSE(dc.IsDeferred());
    dc.FillRect(0, 0, 20, 20, DcBrush::SolidBrush(0x0000FF));
    EXPECT_EQ(image.pixel(19, 19), 0xFFFF0000u);
}

} // namespace
