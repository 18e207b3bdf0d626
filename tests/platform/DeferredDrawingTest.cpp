// Drawing deferred and replayed on several cores, each core into its own
// bands of rows, gives the pixels of drawing call by call, and every answer
// the context gives on the way stays as it was.
#include "platform/DeviceContext.h"

#include "support/GuiApp.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

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

// Long chains (many runs of segments) in a 203-row image: on 8 cores the
// bands are rows 13k..13k+12, on 3 cores 34k..34k+33.
struct Chain {
    const char* name;
    std::vector<int32_t> xy;
};

std::vector<Chain> LongChains()
{
    std::vector<Chain> v;
    // Down and up through every band, turning on a band's first and last
    // rows, so that it leaves bands and comes back to them.
    Chain saw{"saw turning at band edges", {}};
    for (int32_t i = 0; i < 150; ++i)
        saw.xy.insert(saw.xy.end(), {2 + 2 * i, (i / 10) % 2 == 0 ? 13 * (i % 10) + 12 : 13 * (10 - i % 10)});
    v.push_back(std::move(saw));
    // Flat stretches lying on the first and the last row of a band, with
    // steps from one to the other.
    Chain steps{"rows at band edges", {}};
    for (int32_t i = 0; i < 100; ++i)
        steps.xy.insert(steps.xy.end(), {3 * i, i % 3 == 0 ? 25 : (i % 3 == 1 ? 26 : 38)});
    v.push_back(std::move(steps));
    // A comb: long runs of corners above one band and below it, joined by
    // teeth that cross it.
    Chain comb{"comb", {}};
    for (int32_t t = 0; t < 6; ++t) {
        for (int32_t i = 0; i < 40; ++i)
            comb.xy.insert(comb.xy.end(), {10 + 45 * t + i, 5 + (i * 7) % 9});
        for (int32_t i = 0; i < 40; ++i)
            comb.xy.insert(comb.xy.end(), {50 + 45 * t - i, 190 - (i * 5) % 11});
    }
    v.push_back(std::move(comb));
    // A ring over the whole height, its corners going round twice.
    Chain ring{"ring over every band", {}};
    for (int32_t i = 0; i < 181; ++i) {
        const int32_t r = i % 2 ? 100 : 60;
        const double a = i * 4 * 3.14159265358979 / 181;
        ring.xy.insert(ring.xy.end(), {150 + int32_t(r * 1.4 * std::cos(a)), 101 + int32_t(r * std::sin(a))});
    }
    v.push_back(std::move(ring));
    return v;
}

// Every chain drawn as a line and as a filled polygon, with the pens,
// brushes and clips changing between them, and a text and a mask across
// the bands among them.
void DrawChains(DeviceContext& dc)
{
    dc.FillRect(0, 0, 301, 203, DcBrush::SolidBrush(0xFFFFFF));
    dc.SetBkColor(0x00C0C0);
    dc.MoveTo(150, 0);
    int32_t k = 0;
    for (const Chain& c : LongChains()) {
        const int32_t n = int32_t(c.xy.size() / 2);
        const DcPen pens[] = {{Gdi::PS_SOLID, 1, 0x0000FF, false},
                              {Gdi::PS_DASHDOTDOT, 1, 0x008000, false},
                              {Gdi::PS_DOT, 1, 0x800000, false},
                              {Gdi::PS_DASH, 3, 0x404040, true}};
        dc.SelectPen(pens[k % 4]);
        dc.SetBkMode(k % 2 ? Gdi::TRANSPARENT : Gdi::OPAQUE);
        dc.Polyline(c.xy.data(), n);
        // Goes on with the dash phase the chain left, in bands it missed too.
        dc.LineTo(290 - 60 * k, 200 - 45 * k);
        dc.SelectBrush(k % 2 ? DcBrush::HatchBrush(Gdi::HS_BDIAGONAL, 0xA02020) : DcBrush::SolidBrush(0x30B030 + k));
        dc.SelectPen(pens[(k + 1) % 4]);
        if (k == 2)
            dc.SetClipRect(0, 20, 300, 160); // cuts bands in their middle
        dc.Polygon(c.xy.data(), n);
        dc.ClearClip();
        dc.SetROP2(Gdi::R2_XORPEN);
        dc.SelectPen(pens[0]);
        dc.Polygon(c.xy.data(), n);
        dc.SetROP2(Gdi::R2_COPYPEN);
        if (k == 1) {
            dc.StretchMask(Checker(7, 5), 60, 12, 90, 160, 0x000000, -1);
            dc.SetTextAlign(Gdi::TA_LEFT);
            if (dc.SelectFont(Font(30, 900)))
                dc.TextOut(200, 180, QStringLiteral("縦 across"));
        }
        ++k;
    }
}

TEST(DeviceContextDeferred, LongChainsAcrossBandsDrawTheCallByCallPixels)
{
    EnsureGuiApp();
    QImage plain(301, 203, QImage::Format_RGB32);
    DeviceContext direct(plain);
    DrawChains(direct);
    for (const int threads : {8, 3}) {
        SCOPED_TRACE(threads);
        QImage image(301, 203, QImage::Format_RGB32);
        DeviceContext dc(image);
        dc.BeginDeferred(threads);
        DrawChains(dc);
        dc.EndDeferred();
        EXPECT_TRUE(image == plain);
    }
}

// A fill under a clip of rows gives those rows of the unclipped fill and
// leaves the rest, for clips starting and ending on corners and between
// them, down to a single row.
TEST(DeviceContextDeferred, AClipOfRowsKeepsThoseRowsOfTheFill)
{
    EnsureGuiApp();
    struct Rows {
        const char* name;
        int32_t top, bottom;
    } const rows[] = {
        {"one row on corners", 12, 12}, {"one row between", 60, 60}, {"top edge", 0, 40},
        {"a band", 13, 25},            {"middle", 70, 130},         {"bottom edge", 150, 202},
    };
    for (const Chain& c : LongChains()) {
        const int32_t n = int32_t(c.xy.size() / 2);
        QImage whole(301, 203, QImage::Format_RGB32);
        whole.fill(Qt::black);
        {
            DeviceContext dc(whole);
            dc.SelectPen({Gdi::PS_NULL, 1, 0, false});
            dc.SelectBrush(DcBrush::SolidBrush(0xFFFFFF));
            dc.Polygon(c.xy.data(), n);
        }
        for (const Rows& r : rows) {
            SCOPED_TRACE(std::string(c.name) + " / " + r.name);
            QImage part(301, 203, QImage::Format_RGB32);
            part.fill(Qt::black);
            DeviceContext dc(part);
            dc.SetClipRect(0, r.top, 300, r.bottom);
            dc.SelectPen({Gdi::PS_NULL, 1, 0, false});
            dc.SelectBrush(DcBrush::SolidBrush(0xFFFFFF));
            dc.Polygon(c.xy.data(), n);
            int32_t wrong = 0;
            for (int32_t y = 0; y < 203; ++y)
                for (int32_t x = 0; x < 301; ++x) {
                    const QRgb want = y >= r.top && y <= r.bottom ? whole.pixel(x, y) : qRgb(0, 0, 0);
                    wrong += part.pixel(x, y) != want;
                }
            EXPECT_EQ(wrong, 0);
        }
    }
}

// A font that cannot be selected leaves the font before it, so a band
// must take every change of font in turn, not the last one only.
TEST(DeviceContextDeferred, AFailedFontChoiceLeavesTheFontBeforeIt)
{
    EnsureGuiApp();
    QImage plain(120, 90, QImage::Format_RGB32), image(120, 90, QImage::Format_RGB32);
    plain.fill(Qt::white);
    image.fill(Qt::white);
    DeviceContext direct(plain), dc(image);
    dc.BeginDeferred(4);
    DcFont none = Font(14, 0);
    none.family.clear();
    std::vector<bool> answers[2];
    int32_t k = 0;
    for (DeviceContext* c : {&direct, &dc}) {
        c->SetBkMode(Gdi::TRANSPARENT);
        c->SelectFont(Font(14, 0));
        c->TextOut(5, 70, QStringLiteral("one"));
        c->DeselectFont();
        answers[k].push_back(c->SelectFont(none));
        answers[k].push_back(c->TextOut(5, 80, QStringLiteral("none")));
        c->SelectFont(Font(16, 0));
        answers[k].push_back(c->SelectFont(none));
        answers[k].push_back(c->TextOut(60, 80, QStringLiteral("two")));
        ++k;
    }
    dc.EndDeferred();
    EXPECT_EQ(answers[0], (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(answers[1], answers[0]);
    EXPECT_TRUE(image == plain);
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

// A brush or font chosen just as the stretch being recorded fills up goes
// with the stretch that starts there: every offset from the stretch's end.
TEST(DeviceContextDeferred, AChoiceOnAStretchsLastCallKeepsItsBrushAndFont)
{
    EnsureGuiApp();
    const auto script = [](DeviceContext& dc, int32_t before) {
        // Small rectangles, each one recorded call, up to near a stretch's end.
        for (int32_t i = 0; i < before; ++i)
            dc.SetPixelV(i % 97, (i / 97) % 40, 0x101010 * (i % 13));
        dc.SelectBrush(DcBrush::SolidBrush(0x2060C0));
        const int32_t box[] = {10, 45, 120, 50, 110, 95, 15, 90};
        dc.Polygon(box, 4);
        dc.SelectFont(Font(14, 0));
        dc.TextOut(20, 60, QStringLiteral("Ab"));
        dc.SelectBrush(DcBrush::HatchBrush(Gdi::HS_CROSS, 0x00A000));
        const int32_t tri[] = {60, 40, 100, 99, 20, 99};
        dc.Polygon(tri, 3);
    };
    for (const int32_t before : {4090, 4093, 4094, 4095, 4096, 4097}) {
        SCOPED_TRACE(before);
        QImage plain(128, 100, QImage::Format_RGB32), image(128, 100, QImage::Format_RGB32);
        plain.fill(Qt::white);
        image.fill(Qt::white);
        DeviceContext direct(plain), dc(image);
        script(direct, before);
        dc.BeginDeferred(4);
        script(dc, before);
        dc.EndDeferred();
        EXPECT_TRUE(image == plain);
    }
}

// Chains long enough that a stretch is handed over for its points rather
// than its calls, between and inside them: still the call-by-call pixels.
TEST(DeviceContextDeferred, StretchesFullOfPointsDrawTheCallByCallPixels)
{
    EnsureGuiApp();
    const auto script = [](DeviceContext& dc) {
        for (int32_t chain = 0; chain < 4; ++chain) {
            std::vector<int32_t> xy;
            // 70,000 points: two chains fill a stretch's room for points.
            for (int32_t i = 0; i < 70000; ++i) {
                xy.push_back((i * 7 + chain * 13) % 160);
                xy.push_back((i / 160 + (i % 3) + chain * 5) % 120);
            }
            dc.SelectPen({chain % 2 ? Gdi::PS_DOT : Gdi::PS_SOLID, 1, 0x102030 * (chain + 1), false});
            dc.Polyline(xy.data(), int32_t(xy.size() / 2));
            dc.SelectBrush(DcBrush::SolidBrush(0x00A0F0 - chain * 0x200010));
            const int32_t box[] = {10 + chain * 30, 10, 30 + chain * 30, 100, 5 + chain * 30, 60};
            dc.Polygon(box, 3);
        }
    };
    QImage plain(160, 120, QImage::Format_RGB32), image(160, 120, QImage::Format_RGB32);
    plain.fill(Qt::white);
    image.fill(Qt::white);
    DeviceContext direct(plain), dc(image);
    script(direct);
    dc.BeginDeferred(4);
    script(dc);
    dc.EndDeferred();
    EXPECT_TRUE(image == plain);
}
