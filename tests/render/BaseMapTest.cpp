// The base-map layers: ocean, graticule, labels, azimuth lines and frame.
#include "support/PlotWorld.h"

#include "core/AngleLib.h"
#include "core/clsVospProjector.h"
#include "render/BaseMap.h"
#include "render/clsGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kSecRad = 4.848136811095355e-6;

struct Segment {
    int32_t x1, y1, x2, y2;
    int16_t thing;
    bool operator==(const Segment&) const = default;
};

std::vector<Segment> Segments(const BaseMap::FigureList& figures) {
    std::vector<Segment> out;
    for (const auto& f : figures) {
        EXPECT_EQ(f->FigCode(), 2);
        EXPECT_EQ(f->Admin(), 0);
        const auto p = f->Poly();
        EXPECT_EQ(p->Count(), 2);
        out.push_back({p->x(1), p->y(1), p->x(2), p->y(2), f->Thing()});
    }
    return out;
}

struct Label {
    int32_t x, y;
    int16_t fix;
    QString text;
    bool operator==(const Label&) const = default;
};

std::vector<Label> Labels(const BaseMap::FigureList& figures) {
    std::vector<Label> out;
    for (const auto& f : figures) {
        auto* t = static_cast<clsMapText*>(f.get());
        EXPECT_EQ(t->TextUnicode(1), t->TextUnicode(2));
        out.push_back({t->mx(), t->my(), t->TextFix(), t->TextUnicode(2)});
    }
    return out;
}

// The labels of the engine's view as it stands, on a copy of it.
BaseMap::FigureList GridTexts(PlotWorld& w) {
    MapViewport view = w.plot->Viewport();
    return BaseMap::BaseMapGridTexts(view, w.plot->Grid(), w.base.get());
}

// Angle options are process-wide; put the defaults back.
struct AngleFormat {
    AngleFormat(int16_t format, int16_t unit) {
        AngleLib::SetAngleFormat(format);
        AngleLib::SetAngleUnit(unit);
    }
    ~AngleFormat() {
        AngleLib::SetAngleFormat(1);
        AngleLib::SetAngleUnit(2);
    }
};

TEST(BaseMapTest, GridAngleTextInEveryFormat) {
    const struct {
        int16_t format;
        int32_t angle;
        const char16_t* text;
    } rows[] = {
        {1, 54000, u"15"},       {1, -54000, u"15"},       {1, 0, u"0"},           {1, 648000, u"180"},
        {1, 5400, u"1°30"},      {1, 5430, u"1°30′30"},    {1, 37800, u"10°30"},   {2, 5400, u"1°30"},
        {2, 5430, u"1°31′"},     {3, 54000, u"54000"},     {3, -90, u"90"},        {4, 54000, u"15"},
        {4, 5400, u"1.50"},      {4, 5430, u"1.50833"},    {5, 54000, u"0.2617993"}, {5, 0, u"0.0000000"},
    };
    for (const auto& r : rows) {
        AngleFormat f(r.format, 2);
        EXPECT_EQ(BaseMap::GridAngleText(r.angle), QString::fromUtf16(r.text)) << r.format << " " << r.angle;
    }
}

TEST(BaseMapTest, AzimuthTextByCount) {
    EXPECT_EQ(BaseMap::BaseMapAzimuthText(4, QString()), QStringLiteral("0,90,180,270"));
    EXPECT_EQ(BaseMap::BaseMapAzimuthText(7, QString()),
              QStringLiteral("0,51.4285714285714,102.857142857143,154.285714285714,205.714285714286,"
                             "257.142857142857,308.571428571429"));
    EXPECT_EQ(BaseMap::BaseMapAzimuthText(8, QString()), QStringLiteral("0,45,90,135,180,225,270,315"));
    EXPECT_EQ(BaseMap::BaseMapAzimuthText(16, QString()),
              QStringLiteral("0,22.5,45,67.5,90,112.5,135,157.5,180,202.5,225,247.5,270,292.5,315,337.5"));
    QStringList every5;
    for (int a = 0; a < 360; a += 5) every5 << QString::number(a);
    EXPECT_EQ(BaseMap::BaseMapAzimuthText(72, QString()), every5.join(QLatin1Char(',')));
    EXPECT_EQ(BaseMap::BaseMapAzimuthText(73, QStringLiteral("15")), QString());
    EXPECT_EQ(BaseMap::BaseMapAzimuthText(-1, QStringLiteral("15")), QString());

    ScopedUi ui;
    ui.ui.inputs.push_back(QStringLiteral("15 165"));
    EXPECT_EQ(BaseMap::BaseMapAzimuthText(0, QStringLiteral("0,90")), QStringLiteral("15 165"));
    ASSERT_EQ(ui.ui.prompts.size(), 1);
    EXPECT_EQ(ui.ui.prompts[0], QStringLiteral("方位線の角度を記述してください.\r\n12時が0度で時計回りです.\r\n"
                                               "複数のときはスペースで区切って列挙してください.\r\n例）15 165 195 345"));
}

class LayerTest : public ::testing::Test {
protected:
    LayerTest() {
        unit = w.AddUnit(QStringLiteral("BASE2"));
        unit->gThings->ClearAll();
    }
    void Thing(int16_t code, int16_t figure, const char16_t* name) {
        PlotWorld::AddThing(*unit, code, figure, QString::fromUtf16(name), 0, 0, 1);
    }
    PlotWorld w;
    std::shared_ptr<clsMapUnit> unit;
};

TEST_F(LayerTest, OceanSpansTheRectangleLatitudes) {
    EXPECT_EQ(BaseMap::BaseMapOceanArea(clsRect(-100000, -2000, 100000, 3000), unit.get()), nullptr);
    Thing(6, 3, u"海洋");
    auto ocean = BaseMap::BaseMapOceanArea(clsRect(-100000, -2000, 100000, 3000), unit.get());
    ASSERT_NE(ocean, nullptr);
    EXPECT_EQ(ocean->FigCode(), 3);
    EXPECT_EQ(ocean->Thing(), 6);
    EXPECT_EQ(ocean->Admin(), 0);
    clsPoly expected;
    expected.SetRect(-100000, -2000, 100000, 3000);
    EXPECT_TRUE(ocean->Poly()->IsMatch(expected));
    // Centred on longitude 0 and five seconds inside the date line.
    auto wide = BaseMap::BaseMapOceanArea(clsRect(500000, -2000, 1900000, 3000), unit.get());
    expected.SetRect(-647995, -2000, 647995, 3000);
    EXPECT_TRUE(wide->Poly()->IsMatch(expected));
}

TEST_F(LayerTest, MeridiansFromTheGrid) {
    clsGrid g;
    g.bVertical = true;
    g.SetWidth(216000);
    g.SetSouth(-324000);
    g.SetNorth(100000);
    EXPECT_TRUE(BaseMap::BaseMapGridV(g, unit.get()).empty()); // no thing
    Thing(7, 2, u"経線");
    // Ends at the limits (75 degrees south) and the area (north); the date line 5 seconds inside.
    EXPECT_EQ(Segments(BaseMap::BaseMapGridV(g, unit.get())),
              (std::vector<Segment>{{-647995, -270000, -647995, 100000, 7},
                                    {-432000, -270000, -432000, 100000, 7},
                                    {-216000, -270000, -216000, 100000, 7},
                                    {0, -270000, 0, 100000, 7},
                                    {216000, -270000, 216000, 100000, 7},
                                    {432000, -270000, 432000, 100000, 7},
                                    {647995, -270000, 647995, 100000, 7}}));
    auto columns = [&] {
        std::vector<int32_t> xs;
        for (const Segment& s : Segments(BaseMap::BaseMapGridV(g, unit.get()))) xs.push_back(s.x1);
        return xs;
    };
    g.SetWidth(54000);
    g.SetWest(540000);
    g.SetEast(-540000); // across the date line
    EXPECT_EQ(columns(), (std::vector<int32_t>{540000, 594000, 647995, -594000, -540000}));
    // The first line truncates towards zero: -50000 \ 36000 = -1 and 80000 \ 36000 = 2.
    g.SetWidth(36000);
    g.SetWest(-50000);
    g.SetEast(80000);
    EXPECT_EQ(columns(), (std::vector<int32_t>{-36000, 0, 36000, 72000}));
    g.bVertical = false;
    EXPECT_TRUE(BaseMap::BaseMapGridV(g, unit.get()).empty());
}

TEST_F(LayerTest, ParallelsEquatorPolesAndZones) {
    clsGrid g;
    g.bHorizontal = true;
    g.bZone = true;
    g.SetHeight(108000);
    g.SetWest(100);
    g.SetEast(100); // west = east: around the whole globe
    EXPECT_TRUE(BaseMap::BaseMapGridH(g, unit.get()).empty());
    Thing(10, 2, u"帯域線");
    // Zone lines come without a parallel thing.
    EXPECT_EQ(Segments(BaseMap::BaseMapGridH(g, unit.get())),
              (std::vector<Segment>{{-647995, -239640, 647995, -239640, 10},
                                    {-647995, -84360, 647995, -84360, 10},
                                    {-647995, 84360, 647995, 84360, 10},
                                    {-647995, 239640, 647995, 239640, 10}}));
    // Only zone lines within the area, its edges included.
    g.SetSouth(-84360);
    g.SetNorth(84359);
    EXPECT_EQ(g.VLineSouth(), -84360);
    EXPECT_EQ(g.VLineNorth(), 84359);
    EXPECT_EQ(Segments(BaseMap::BaseMapGridH(g, unit.get())),
              (std::vector<Segment>{{-647995, -84360, 647995, -84360, 10}}));
    g.bZone = false;
    Thing(8, 2, u"緯線");
    g.SetSouth(-324000);
    g.SetNorth(324000);
    g.SetSouthLimit(-216000); // parallels on the limits are drawn
    g.SetNorthLimit(216000);
    g.SetWest(-72000);
    g.SetEast(72000);
    const std::vector<Segment> lines = {{-72000, -216000, 72000, -216000, 8}, {-72000, -108000, 72000, -108000, 8},
                                        {-72000, 0, 72000, 0, 8},           {-72000, 108000, 72000, 108000, 8},
                                        {-72000, 216000, 72000, 216000, 8}, {-72000, -323970, 72000, -323970, 8},
                                        {-72000, 323970, 72000, 323970, 8}};
    EXPECT_EQ(Segments(BaseMap::BaseMapGridH(g, unit.get())), lines);
    Thing(9, 2, u"赤道線");
    auto withEquator = lines;
    withEquator[2].thing = 9;
    EXPECT_EQ(Segments(BaseMap::BaseMapGridH(g, unit.get())), withEquator);
}

TEST_F(LayerTest, PlaneGridUsesItsOwnThings) {
    clsGrid g;
    g.SetUnitMode(2);
    g.bVertical = g.bHorizontal = g.bZone = true;
    g.SetWidth(20000000); // at most C \ 4 = 10007544
    g.SetHeight(20000000);
    ASSERT_EQ(g.Width(), 10007544);
    Thing(7, 2, u"経線");
    EXPECT_TRUE(BaseMap::BaseMapGridV(g, unit.get()).empty());
    Thing(11, 2, u"縦線");
    Thing(12, 2, u"横線");
    Thing(10, 2, u"帯域線");
    const int32_t c = MapProjection::GlobeCircumLong;
    // -C \ step = -4: lines at -4..4 steps, 40030176 inside C = 40030179.
    const auto v = Segments(BaseMap::BaseMapGridV(g, unit.get()));
    ASSERT_EQ(v.size(), 9u);
    EXPECT_EQ(v[0], (Segment{-40030176, -323970, -40030176, 323970, 11})); // ends clamped as latitudes
    const auto h = Segments(BaseMap::BaseMapGridH(g, unit.get()));
    ASSERT_EQ(h.size(), 9u); // no pole or zone lines in the plane
    EXPECT_EQ(h[4], (Segment{-c, 0, c, 0, 12}));
}

TEST_F(LayerTest, ShadowFrameByOutline) {
    Thing(14, 2, u"投影枠");
    clsVospProjector pr;
    auto frame = [&](int16_t index) {
        pr.SetPrjIndex(index);
        pr.SetCenterLat(index <= 7 ? 300000 : 0);
        pr.SetUp();
        return Segments(BaseMap::BaseMapShadowFrame(index, unit.get(), pr));
    };
    int32_t n = 0, s = 0;
    pr.SetPrjIndex(10);
    pr.SetUp();
    pr.RangeNS(n, s);
    const int32_t north = std::min(n - 5, 323970), south = std::max(s + 5, -323970);
    EXPECT_EQ(frame(10), (std::vector<Segment>{{-647995, south, 647995, south, 14},
                                               {-647995, north, 647995, north, 14},
                                               {-647995, north, -647995, south, 14},
                                               {647995, north, 647995, south, 14}}));
    for (int16_t azimuthal = 1; azimuthal <= 7; ++azimuthal) {
        const auto f = frame(azimuthal);
        ASSERT_EQ(f.size(), 2u) << azimuthal;
        EXPECT_EQ(f[0].y1, f[0].y2);
    }
    for (int16_t index : {8, 9, 16, 17}) {
        const auto f = frame(index);
        ASSERT_EQ(f.size(), 2u) << index;
        EXPECT_EQ(f[0].x1, -647995);
        EXPECT_EQ(f[1].x1, 647995);
    }
    for (int16_t index : {11, 12, 13, 14, 15, 19, 20, 21, 23, 24, 25, 26, 30}) EXPECT_EQ(frame(index).size(), 4u) << index;
    // A cone around its pole closes into a disc, as it does 10 seconds off
    // it: the cut's two edges meet and are not drawn. At 1 degree off the
    // cone leaves a gap, and Bonne's heart never closes.
    for (const auto& [lat, lines] : {std::pair{324000, 2u}, {-324000, 2u}, {323990, 2u}, {320400, 4u}, {-320400, 4u}})
        for (int16_t index : {21, 23, 24, 25, 26}) {
            pr.SetPrjIndex(index);
            pr.SetCenterLon(500000);
            pr.SetCenterLat(lat);
            EXPECT_EQ(BaseMap::BaseMapShadowFrame(index, unit.get(), pr).size(), index == 26 ? 4u : lines)
                << index << " at " << lat;
        }
}

// Initial bearing from (lon0, lat0) to (lon, lat), seconds of arc clockwise from north.
double Bearing(int32_t lon0, int32_t lat0, int32_t lon, int32_t lat) {
    const double p1 = lat0 * kSecRad, p2 = lat * kSecRad, dl = (double(lon) - lon0) * kSecRad;
    const double b = std::atan2(std::sin(dl) * std::cos(p2),
                                std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl));
    double sec = b / kSecRad;
    if (sec < 0) sec += 1296000;
    return sec;
}

double Distance(int32_t lon0, int32_t lat0, int32_t lon, int32_t lat) {
    const double p1 = lat0 * kSecRad, p2 = lat * kSecRad, dl = (double(lon) - lon0) * kSecRad;
    return std::acos(std::sin(p1) * std::sin(p2) + std::cos(p1) * std::cos(p2) * std::cos(dl)) / kSecRad;
}

TEST_F(LayerTest, AzimuthLinesKeepTheirBearing) {
    Thing(13, 2, u"方位線");
    const int32_t lon0 = 500000, lat0 = 126000;
    const double scale = 1e7;
    const auto lines = BaseMap::BaseMapAzimuthLine(QStringLiteral("45 200"), lon0, lat0, scale, unit.get());
    ASSERT_FALSE(lines.empty());
    int checked = 0;
    double farthest = 0;
    for (const auto& f : lines) {
        EXPECT_EQ(f->Thing(), 13);
        const auto p = f->Poly();
        for (int32_t i = 1; i <= p->Count(); ++i) {
            const double d = Distance(lon0, lat0, p->x(i), p->y(i));
            farthest = std::max(farthest, d);
            if (d < 216000 || d > 432000) continue;
            const double b = Bearing(lon0, lat0, p->x(i), p->y(i));
            const bool first = std::abs(b - 162000) < 3600;
            EXPECT_NEAR(b, first ? 162000 : 720000, 1.0) << p->x(i) << "," << p->y(i);
            ++checked;
        }
        // The line does not start at the centre itself.
        EXPECT_NE(p->GetPoint(1), (PolyPoint{lon0, lat0}));
    }
    EXPECT_GT(checked, 50);
    // 3 millimetres on the map short of the antipode: 30000 m / 30.887 m = 971 seconds.
    EXPECT_NEAR(farthest, 648000 - 971, 3);
}

TEST_F(LayerTest, AzimuthListEdgeCases) {
    EXPECT_TRUE(BaseMap::BaseMapAzimuthLine(QStringLiteral("0"), 0, 0, 1e7, unit.get()).empty()); // no thing
    Thing(13, 2, u"方位線");
    EXPECT_TRUE(BaseMap::BaseMapAzimuthLine(QStringLiteral("0 90"), 0, 322200, 1e7, unit.get()).empty());
    EXPECT_TRUE(BaseMap::BaseMapAzimuthLine(QStringLiteral(""), 0, 0, 1e7, unit.get()).empty());
    EXPECT_TRUE(BaseMap::BaseMapAzimuthLine(QStringLiteral("   "), 0, 0, 1e7, unit.get()).empty());
    // A token that is no angle points north; a double quote marks seconds.
    const auto north = BaseMap::BaseMapAzimuthLine(QStringLiteral("north"), 0, 0, 1e7, unit.get());
    ASSERT_FALSE(north.empty());
    EXPECT_EQ(north.front()->Poly()->x(1), 0);
    EXPECT_GT(north.front()->Poly()->y(1), 0);
    const auto sec = BaseMap::BaseMapAzimuthLine(QStringLiteral("90°0′0\""), 0, 0, 1e7, unit.get());
    ASSERT_FALSE(sec.empty());
    EXPECT_EQ(sec.front()->Poly()->y(2), 0);
    EXPECT_GT(sec.front()->Poly()->x(2), 0);
    QList<int32_t> read; // 10°20′30″ and 200°: the quote groups nothing
    for (const QString& t : BaseMap::AzimuthTokens(QStringLiteral("10°20′30\" 200")))
        read << AngleLib::AngleStrToSec(t);
    EXPECT_EQ(read, (QList<int32_t>{37230, 720000}));
    // A gap below one second counts as one.
    EXPECT_FALSE(BaseMap::AzimuthPoly(0, 0, 0, 0).empty());
    EXPECT_FALSE(BaseMap::AzimuthPoly(0, 0, 0, -5).empty());
}

TEST_F(LayerTest, GraticuleLabelsAlongTheEdges) {
    clsMapPlot& p = *w.plot;
    auto lat = PlotWorld::AddThing(*w.base, 11, 5, QStringLiteral("緯度"), 0, 0, 8);
    PlotWorld::AddThing(*w.base, 12, 5, QStringLiteral("経度"), 0, 0, 8);
    w.View(12, 0, 0, 10); // 400 x 300 pixels: 20 and 15 degrees either side
    p.Grid().SetWidth(36000);
    p.Grid().SetHeight(18000);
    AngleFormat f(1, 2);
    // Left edge at x = 108 x 10 \ 254 = 4 pixels: 19.6 degrees west; the
    // bottom edge 4 pixels up: 14.6 degrees south.
    EXPECT_EQ(Labels(GridTexts(w)), (std::vector<Label>{{-70560, -36000, 11, "10"},
                                                        {-70560, -18000, 11, "5"},
                                                        {-70560, 0, 11, "0"},
                                                        {-70560, 18000, 11, "5"},
                                                        {-70560, 36000, 11, "10"},
                                                        {-36000, -52560, 17, "10"},
                                                        {0, -52560, 17, "0"},
                                                        {36000, -52560, 17, "10"}}));
    // Latitude labels only within the limits; south of the equator the
    // longitude labels go on the top edge, 14.6 degrees north of 1 S.
    p.Grid().SetSouthLimit(-20000);
    p.SetCenterY(-3600);
    p.Field();
    EXPECT_EQ(Labels(GridTexts(w)), (std::vector<Label>{{-70560, -18000, 11, "5"},
                                                        {-70560, 0, 11, "0"},
                                                        {-70560, 18000, 11, "5"},
                                                        {-70560, 36000, 11, "10"},
                                                        {-36000, 48960, 7, "10"},
                                                        {0, 48960, 7, "0"},
                                                        {36000, 48960, 7, "10"}}));
    lat->SetName(QStringLiteral("緯度なし"));
    EXPECT_TRUE(GridTexts(w).empty());
}

TEST_F(LayerTest, GraticuleLabelsAroundThePole) {
    clsMapPlot& p = *w.plot;
    PlotWorld::AddThing(*w.base, 11, 5, QStringLiteral("緯度"), 0, 0, 8);
    PlotWorld::AddThing(*w.base, 12, 5, QStringLiteral("経度"), 0, 0, 8);
    w.View(6, 0, 288000, 10); // 80 N: the pole is 100 pixels above the centre
    clsGrid& g = p.Grid();
    g.SetWidth(36000);
    g.SetHeight(18000);
    g.SetSouth(216000);
    g.SetNorth(323970);
    AngleFormat f(1, 2);
    const auto labels = Labels(GridTexts(w));
    // 60, 65, 70 and 75 N (the north limit) on the central meridian, then every
    // 20 degrees (10 give 22 pixels at 77 N, less than a 32-pixel label) along a parallel.
    ASSERT_EQ(labels.size(), 4u + 18u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(labels[size_t(i)].x, 0);
        EXPECT_EQ(labels[size_t(i)].y, 216000 + 18000 * i);
        EXPECT_EQ(labels[size_t(i)].fix, 12);
    }
    EXPECT_EQ(labels[4].x, -648000);
    EXPECT_EQ(labels[4].text, QStringLiteral("180"));
    EXPECT_EQ(labels[5].x, -576000);
    EXPECT_EQ(labels.back().x, 576000);
    EXPECT_NEAR(labels[4].y, 277200, 400);
    EXPECT_EQ(labels[4].y, labels.back().y);
}

} // namespace
