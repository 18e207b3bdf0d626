// clsAccessory's layout and drawing: bands, frame, title, comment, centre mark.
#include "render/clsAccessory.h"

#include "AccessoryCanvas.h"

#include "core/clsRegistry.h"
#include "platform/VospError.h"
#include "render/RenderGlobals.h"
#include "render/clsMapPlot.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <optional>

class clsAccessoryTestAccess {
public:
    static AccessoryItem& Item(clsAccessory& a, int32_t i) { return a.items_[size_t(i - 1)]; }
    static void PlotElevate(clsAccessory& a, const std::vector<ElvClass>& list) { a.PlotElevate(list); }
};

namespace {

void ExpectRect(const AccessoryItem& it, std::array<int32_t, 4> r) {
    EXPECT_EQ((std::array<int32_t, 4>{it.Left, it.Top, it.Width, it.Height}), r) << it.Name.toStdString();
}

} // namespace

// Frame 1 pixel; title and comment one line each (16 + 8); scale bar row
// 16 * 7 / 4 = 28; the band is 24 + 24 + 28 + 2 = 78 pixels, with a 3-pixel
// frame 0 + 24 + 28 + 6 = 58. Boxes (left, top, width, height) of items
// 1..7, {-1} where not looked at; mapTop is the frame item's data.
TEST(clsAccessoryLayout, BandsByPositionFrameAndTexts) {
    constexpr std::array<int32_t, 4> any{-1, -1, -1, -1};
    const struct {
        const char* name;
        bool thick;
        std::initializer_list<int32_t> items;
        const char *title, *note;
        int32_t left, top, position;
        std::array<std::array<int32_t, 4>, 7> box;
        int32_t mapTop, back;
    } rows[] = {
        {"top", false, {1, 2, 3, 4, 5, 6, 7}, "Title", "Note", 5, 7, 0,
         {{{0, 7, 400, 78}, {0, 0, 400, 300}, {6, 56, 398, 28}, {6, 8, 398, 24}, {6, 32, 398, 24}, {0, 85, 400, 222},
           {404, 56, 0, 0}}}, // no map units: no classes, no legend
         85, 78},
        {"bottom", false, {1, 2, 3, 4, 5, 6}, "Title", "Note", 5, 7, 1,
         {{{0, 229, 400, 78}, any, {6, 230, 398, 28}, {6, 258, 398, 24}, {6, 282, 398, 24}, {0, 7, 400, 222}, any}},
         229, 78},
        {"no frame", false, {1, 3, 4, 6}, "Title", nullptr, 0, 0, 0, // the comment unused: no room
         {{{0, 0, 400, 52}, {0, 0, 0, 0}, {0, 24, 400, 28}, {0, 0, 400, 24}, {0, 24, 0, 0}, {0, 52, 400, 248}, any}},
         52, 52},
        {"thick frame, empty title", true, {1, 2, 3, 4, 5}, "", "Note", 0, 0, 1,
         {{{0, 242, 400, 58}, any, {3, 245, 394, 28}, {3, 273, 0, 0}, {3, 273, 394, 24}, any, any}}, 1 + 242, 58},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        std::optional<ScopedEnvironment> env;
        if (r.thick) env.emplace("AccessoryFrameThick=3\r\n");
        Canvas c(400, 300);
        c.Only(r.items);
        if (r.title) c.SetText(4, QString::fromLatin1(r.title));
        if (r.note) c.SetText(5, QString::fromLatin1(r.note));
        c.a->SetLeft(r.left);
        c.a->SetTop(r.top);
        c.a->SetPosition(r.position);
        c.a->Layout();
        for (int32_t i = 1; i <= 7; ++i)
            if (r.box[size_t(i - 1)] != any) ExpectRect(c.It(i), r.box[size_t(i - 1)]);
        EXPECT_EQ(std::get<int32_t>(c.It(2).Data), r.mapTop);
        EXPECT_EQ(c.a->BackHeight(), r.back);
        if (r.title && *r.title) {
            EXPECT_EQ(std::get<QStringList>(c.It(4).Data), QStringList{r.title});
        }
        if (r.note) {
            EXPECT_EQ(std::get<QStringList>(c.It(5).Data), QStringList{r.note});
        }
        EXPECT_TRUE(c.a->ElvData().empty());
    }
    // Any other position leaves every top at 0; without a band nothing is held back.
    Canvas c(400, 300);
    c.Only({1, 2, 3, 4, 5, 6});
    c.a->SetPosition(2);
    c.a->Layout();
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(c.It(i).Top, 0) << i;
    EXPECT_EQ(std::get<int32_t>(c.It(2).Data), 0);
    c.Only({2});
    EXPECT_EQ(c.a->BackHeight(), 0);
}

TEST(clsAccessoryLayout, TitleFoldsToTheWidth) {
    Canvas c(100, 300);
    c.Only({2, 4});
    // 82 pixels for the lines: a line takes characters until it is wider.
    c.SetText(4, QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    c.a->Layout();
    EXPECT_EQ(std::get<QStringList>(c.It(4).Data), (QStringList{"ABCDEFGHIJK", "LMNOPQRST"}));
    EXPECT_EQ(c.It(4).Height, 2 * 16 + 8);
    // Narrower than two "W": one empty line.
    c.a->SetWidth(30);
    c.a->Layout();
    EXPECT_EQ(std::get<QStringList>(c.It(4).Data), QStringList{""});
    EXPECT_EQ(c.It(4).Height, 24);
}

TEST(clsAccessoryLayout, CommentPlaceholderNamesTheProjection) {
    Canvas c(400, 300);
    c.Only({5});
    clsMapPlot plot;
    const QString name = plot.ProjectionName();
    ASSERT_FALSE(name.isEmpty());
    RenderGlobals::SetMapPlot(&plot);
    for (const char* text : {"*", "?", "**"}) {
        c.SetText(5, QString::fromLatin1(text));
        c.a->Layout();
        const QString shown = text[1] ? QString::fromLatin1(text) : name;
        EXPECT_EQ(std::get<QStringList>(c.It(5).Data), QStringList{shown});
        EXPECT_EQ(c.It(5).Text, text);
    }
    RenderGlobals::SetMapPlot(nullptr);
}

// Without a layer of its own the accessory takes the application's; without
// a device it keeps the previous layout and draws nothing.
TEST(clsAccessoryLayout, DrawingLayerAndDevice) {
    Canvas c(400, 300);
    c.Only({1, 3});
    c.a->SetGraph(nullptr);
    try {
        c.a->Layout();
        ADD_FAILURE() << "no drawing layer";
    } catch (const VospError& e) {
        EXPECT_EQ(e.number, 91);
    }
    RenderGlobals::SetMapGraph(&c.g);
    c.a->Layout();
    RenderGlobals::SetMapGraph(nullptr);
    ExpectRect(c.It(3), {0, 272, 400, 28});
    c.a->SetGraph(&c.g);
    c.a->Sethandle(nullptr);
    c.a->SetWidth(200);
    c.a->Layout();
    ExpectRect(c.It(3), {0, 272, 400, 28});
    c.a->Draw(); // draws nothing and raises nothing
    EXPECT_EQ(c.Ink(0, 0, 399, 299), 0);
}

TEST(clsAccessoryDraw, ThickFrameStaysInsideTheView) {
    ScopedEnvironment env("AccessoryFrameThick=3\r\n");
    Canvas c(120, 80);
    c.Only({2});
    c.a->Draw();
    // Outlined from (1, 1) to (118, 78) with a 3-pixel pen.
    EXPECT_EQ(c.Line(0, 40, 4, 40) + "|" + c.Line(115, 40, 119, 40), "###..|..###");
    EXPECT_EQ(c.Line(60, 0, 60, 4) + "|" + c.Line(60, 75, 60, 79), "###..|..###");
}

TEST(clsAccessoryDraw, BackPanelAndSeparatingLine) {
    Canvas c(200, 100);
    c.Only({1, 2, 3});
    c.SetColor(1, kGreen);
    c.SetText(3, QString());
    c.a->Draw();
    // Band of 28 + 2 at the bottom: rows 70..99, separating line at y 70;
    // the bar (40 km) ends at x 157.
    EXPECT_EQ(c.At({{190, 69}, {190, 70}, {190, 75}, {190, 97}, {190, 99}, {100, 50}, {100, 78}}), ".#gg#.b");
}

TEST(clsAccessoryDraw, CentreMarkArms) {
    Canvas c(200, 100);
    c.Only({6});
    c.a->Draw();
    // Centre (100, 50), gap 8, arms to 200 * 5 % + 8 = 18 and 100 * 5 % + 8 = 13.
    EXPECT_EQ(c.Line(80, 50, 120, 50), "...rrrrrrrrrr...............rrrrrrrrrr...");
    EXPECT_EQ(c.Line(100, 35, 100, 65), "...rrrrr...............rrrrr...");
    EXPECT_EQ(c.Ink(0, 0, 199, 99), 10 + 10 + 5 + 5);
}

// 1:1,000,000 at 96 dpi; "1/1,000,000" takes 88 + 4 pixels, so a 400-pixel
// bar row has 400 - 92 - 16 = 292 pixels: 77 km, a 75 km bar of 283 pixels
// in 5 divisions from x 5, 2 pixels below the top and 9 pixels thick.
TEST(clsAccessoryDraw, ScaleBarDivisionsAlternate) {
    Canvas c(400, 100);
    c.Only({3});
    c.SetColor(1, kGreen);
    c.a->SetPosition(0);
    PublicVal::gvPolygonOutline = true;
    c.a->Draw();
    EXPECT_TRUE(PublicVal::gvPolygonOutline);
    PublicVal::gvPolygonOutline = false;
    const int starts[6] = {5, 61, 118, 174, 231, 288};
    for (int i = 0; i < 5; ++i) {
        const int mid = (starts[i] + starts[i + 1]) / 2;
        EXPECT_EQ(c.Px(mid, 6), i % 2 == 0 ? kBlue : kGreen) << i;
        EXPECT_EQ(c.Px(mid, 2), kBlue) << i; // outline
    }
    EXPECT_EQ(c.Px(150, 1), kWhite);
    EXPECT_EQ(c.Px(4, 6), kWhite);
    // Labels below the bar: 283 > 12 * 16, so every division start has one.
    for (int i = 0; i < 5; ++i) EXPECT_GT(c.Ink(starts[i] - 6, 14, starts[i] + 6, 40), 0) << i;
    // The scale text to the right of the bar.
    EXPECT_GT(c.Ink(293, 0, 399, 20), 0);
}

// 250 pixels: 250 - 92 - 16 = 142, 38 km, 30 km in 3 divisions of 113
// pixels; 298 pixels: 190, 50 km in 5 divisions of 189 pixels. Neither bar
// is wider than 12 text heights (192), so only the ends are labelled.
TEST(clsAccessoryDraw, ShortScaleBarHasOnlyEndLabels) {
    for (const auto& [width, end] : {std::pair{250, 5 + 113}, {298, 5 + 189}}) {
        SCOPED_TRACE(width);
        Canvas c(width, 100);
        c.Only({3});
        c.a->SetPosition(0);
        c.a->Draw();
        EXPECT_EQ(c.At({{20, 6}, {60, 6}, {100, 6}}), "b.b"); // white: the back panel's colour
        EXPECT_EQ(c.Ink(36, 14, 48, 40), 0);
        EXPECT_EQ(c.Ink(74, 14, 86, 40), 0);
        EXPECT_GT(c.Ink(0, 14, 10, 40), 0);
        EXPECT_GT(c.Ink(end - 8, 14, end + 22, 40), 0);
    }
}

TEST(clsAccessoryDraw, ScaleBarNeedsResolutionScaleAndRoom) {
    {
        Canvas c(400, 100);
        c.Only({3});
        auto fresh = std::make_unique<clsAccessory>(); // Dpi and scale never set
        OnlyItems(*fresh, {3});
        fresh->SetGraph(&c.g);
        fresh->Sethandle(c.dc.get());
        fresh->SetWidth(400);
        fresh->SetHeight(100);
        fresh->Draw();
        EXPECT_EQ(c.Ink(0, 0, 399, 99), 0);
        fresh->SetDpi(96); // a resolution but still no scale
        fresh->Draw();
        EXPECT_EQ(c.Ink(0, 0, 399, 99), 0);
        fresh->SetMapScale(1000000);
        fresh->Draw();
        EXPECT_GT(c.Ink(0, 0, 399, 99), 0);
    }
    {
        // 5 * 16 pixels are needed after the text: 190 - 92 - 16 = 82 > 80.
        Canvas c(190, 100);
        c.Only({3});
        c.a->Draw();
        EXPECT_GT(c.Ink(0, 0, 189, 99), 0);
        Canvas d(187, 100);
        d.Only({3});
        d.a->Draw();
        EXPECT_EQ(d.Ink(0, 0, 186, 99), 0);
    }
}

// The classes (-99999, 0), (-1, 0), (0, 200), (200, 500) in a legend of
// 200 x 28 pixels: "100m" is 32 pixels, so three boxes of (200 - 5 - 32) / 3
// = 54 pixels from x 4, rows 2..11.
TEST(clsAccessoryDraw, ElevationLegendBoxes) {
    Canvas c(300, 100);
    c.Only({7});
    AccessoryItem& it = clsAccessoryTestAccess::Item(*c.a, 7);
    it.Left = 0, it.Top = 0, it.Width = 200, it.Height = 28;
    const std::vector<ElvClass> list = {ElvClass{},
                                        {-99999, 0, 1, 8, kBlue, -1},
                                        {-1, 0, 1, 8, kCyan, -1},
                                        {0, 200, 1, 8, kGreen, -1},
                                        {200, 500, 1, 8, kRed, -1}};
    ASSERT_TRUE(c.g.GraphBegin(c.dc.get(), 0, 0, 300, 100));
    clsAccessoryTestAccess::PlotElevate(*c.a, list);
    c.g.GraphEnd();
    // The first box's lower left, the triangle over its upper right, the next boxes.
    EXPECT_EQ(c.At({{8, 9}, {54, 3}, {85, 6}, {139, 6}, {175, 6}}), "bcgr.");
    // Labels "0" at x 58 (twice) and "2" at 112, then "x100m" from 158.
    EXPECT_GT(c.Ink(52, 14, 64, 40), 0);
    EXPECT_GT(c.Ink(106, 14, 118, 40), 0);
    EXPECT_EQ(c.Ink(0, 14, 50, 40), 0);
    EXPECT_EQ(c.Ink(66, 14, 104, 40), 0);
    EXPECT_GT(c.Ink(158, 14, 199, 40), 0);

    // Only the below-sea-level class: nothing to draw.
    c.image.fill(Qt::white);
    ASSERT_TRUE(c.g.GraphBegin(c.dc.get(), 0, 0, 300, 100));
    clsAccessoryTestAccess::PlotElevate(*c.a, {ElvClass{}, {-1, 0, 1, 8, kCyan, -1}});
    c.g.GraphEnd();
    EXPECT_EQ(c.Ink(0, 0, 299, 99), 0);
}

// The strip writes its own section. At 192 dpi and 1:2,000,000 the image is
// seen at 1:1,000,000 on a 96-dpi screen: the strip is the 96-dpi one. The
// colour keeps all 32 bits.
TEST(clsAccessoryDraw, StripMeasure) {
    QFont font(QStringLiteral("Arial"));
    Canvas at96(400, 30), at192(400, 30);
    {
        ScopedEnvironment env("MeasureColor=255\r\n");
        clsAccessory::DrawStripMeasure(at96.dc.get(), 400, 30, 96, 1000000, 0, font, &at96.g);
        clsAccessory::DrawStripMeasure(at192.dc.get(), 400, 30, 192, 2000000, 0, font, &at192.g);
    }
    EXPECT_EQ(at96.Px(20, 6), kRed);
    EXPECT_EQ(at96.image, at192.image);
    const clsRegistry reg{QStringLiteral("MEASURE")};
    EXPECT_EQ(reg.RegGet("Position", ""), "0");
    EXPECT_EQ(reg.RegGet("MeasureText", "?"), "");
    EXPECT_EQ(reg.RegGet("BackSW", ""), "False");
    EXPECT_EQ(reg.RegGet("MeasureColor", ""), "255");
    EXPECT_TRUE(clsRegistry{QStringLiteral("ACCESSORY")}.RegGetSec().isEmpty());
    ScopedEnvironment env("MeasureColor=-2147483640\r\n");
    clsAccessory::DrawStripMeasure(at96.dc.get(), 400, 30, 96, 1000000, 0, font, &at96.g);
    EXPECT_EQ(reg.RegGet("MeasureColor", ""), "-2147483640");
}

namespace {

// Measures as the device does and keeps the texts it was asked about.
class RecordingMeasurer : public TextMeasurer {
public:
    explicit RecordingMeasurer(DeviceContext* dc) : dc_(dc) {}
    bool TextSize(const QString& text, int32_t& width, int32_t& height) override {
        texts << text;
        return dc_->GetTextExtentPoint(text, width, height);
    }
    QStringList texts;

private:
    DeviceContext* dc_;
};

} // namespace

// The strip is 24 screen pixels high. Its labels keep the commas' tails of
// "0 500 1,000 1,500km" and the "m" of "10km" inside it in either interface
// face (Noto's lines are much taller than its glyphs) at each pixel ratio:
// drawn on a larger image, the lowest and the rightmost ink lie in the strip.
// The end label names the bar's length: at 1:scale a kilometre is
// 10^6 / 25.4 * dpi / scale pixels, and the bar's top edge is that many
// pixels a kilometre long, give or take its pen (at 1:100,000 on 400 pixels
// the bar is shortened from 10 to 8 km so that its label fits: "8km").
TEST(clsAccessoryDraw, StripLabelsStayInTheStrip) {
    MapProjection::InitGlobe(nullptr); // the scale limits
    const struct {
        double scale;
        int32_t width;
    } views[] = {{20000000, 400}, {100000, 400}, {120000, 200}};
    for (const auto& v : views)
        for (const char* face : {"IPAPGothic", "Noto Sans CJK JP"})
            for (const double ratio : {1.0, 1.5, 2.0}) {
                SCOPED_TRACE(std::string(face) + " at " + std::to_string(ratio) + ", 1/" + std::to_string(v.scale));
                const int32_t w = Library::DblToLng(v.width * ratio), h = Library::DblToLng(24 * ratio);
                const int32_t dpi = clsAccessory::StripDpi(ratio);
                Drawing d(w + 80, h + 16, dpi);
                d.g.GraphEnd();
                RecordingMeasurer measurer(d.dc.get());
                d.g.SetTextMeasurer(&measurer);
                ScopedSettingsHome home;
                QFont font(QString::fromLatin1(face));
                font.setPointSize(9);
                clsAccessory::DrawStripMeasure(d.dc.get(), w, h, dpi, v.scale, 0, font, &d.g, ratio);
                const std::array<int, 4> ink = d.Box();
                EXPECT_LT(ink[3], h);
                EXPECT_GE(ink[3], h - h / 4);
                EXPECT_LT(ink[2], w);
                EXPECT_GE(ink[2], w - w / 4);

                // The end label is the last "...km" text measured (the room kept for it comes first).
                const qsizetype last = measurer.texts.lastIndexOf(QRegularExpression(QStringLiteral("^[0-9,]+km$")));
                ASSERT_GE(last, 0) << measurer.texts.join(u' ').toStdString();
                const QString end = measurer.texts[last];
                const double km = QString(end).remove(QStringLiteral("km")).remove(u',').toDouble();
                int left = -1, right = -1;
                for (int x = 0; x < d.image.width(); ++x)
                    if (d.Px(x, ink[1]) != kWhite) {
                        if (left < 0) left = x;
                        right = x;
                    }
                EXPECT_NEAR(right - left, km * 1e6 / 25.4 * dpi / v.scale, 2.0) << end.toStdString();
            }
}
