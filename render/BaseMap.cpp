#include "render/BaseMap.h"

#include "core/AngleLib.h"
#include "core/ErrorMng.h"
#include "core/GlobePolyLib.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/clsRect.h"
#include "core/clsVospProjector.h"
#include "document/clsMapPolygon.h"
#include "document/clsMapPolyline.h"
#include "document/clsMapText.h"
#include "document/clsMapUnit.h"
#include "document/clsThing.h"
#include "document/clsThings.h"
#include "platform/UiServices.h"
#include "render/MapViewport.h"
#include "render/RegValues.h"
#include "render/clsGrid.h"

#include <algorithm>
#include <cmath>

namespace BaseMap {
namespace {

constexpr int32_t kLatEdge = 323970;
constexpr int32_t kLonEdge = 647995;

[[noreturn]] void Raise(const char* proc) {
    ErrorMng::ReRaise(ErrBase + 1002, QStringLiteral("basBaseMap"), QString::fromLatin1(proc));
}

int32_t ClampLatitude(int32_t lat) { return Library::Clamp(lat, -kLatEdge, kLatEdge); }

int32_t ThingCodeOf(const clsMapUnit* unit, const QString& name) {
    if (!unit) return 0;
    if (!unit->gThings) return -1;
    return unit->gThings->Search(name);
}

std::shared_ptr<clsThing> ThingOf(const clsMapUnit* unit, int32_t code) {
    if (!unit || !unit->gThings || code < 0) return nullptr;
    return unit->gThings->Item(code);
}

void BandOf(clsVospProjector& projector, int32_t& north, int32_t& south) {
    north = 324000;
    south = -324000;
    projector.RangeNS(north, south);
}

// Whether the two edges of the cut opposite the centre meet, as where a cone
// closes into a disc around its pole: across the date line they then lie no
// farther apart than twice the frame's own 10 seconds along a parallel.
bool CutCloses(clsVospProjector projector, int32_t north, int32_t south) {
    projector.SetCenterLon(0); // the frame is drawn around longitude 0
    if (!projector.SetUp()) return false;
    for (int32_t q = 1; q <= 3; ++q) {
        const int32_t lat = south + int32_t(int64_t(north - south) * q / 4);
        double wx = 0, wy = 0, ex = 0, ey = 0, ix = 0, iy = 0;
        if (!projector.CnvLLtoXY(-kLonEdge, lat, wx, wy) || !projector.CnvLLtoXY(kLonEdge, lat, ex, ey) ||
            !projector.CnvLLtoXY(kLonEdge - 10, lat, ix, iy))
            return false;
        if (!(std::hypot(wx - ex, wy - ey) <= 2 * std::hypot(ix - ex, iy - ey))) return false;
    }
    return true;
}

} // namespace

std::shared_ptr<clsMapText> CreateText(int32_t thing, int32_t code, int32_t x, int32_t y, const QString& text) {
    return CreateText(thing, code, MapPoint{x, y}, text);
}

std::shared_ptr<clsMapText> CreateText(int32_t thing, int32_t code, MapPoint at, const QString& text) {
    try {
        auto t = std::make_shared<clsMapText>();
        t->SetAdmin(0);
        t->SetThing(thing);
        t->SetTextFix(code);
        t->Setmx(at.lon);
        t->Setmy(at.lat);
        t->SetTextUnicode(1, text);
        t->SetTextUnicode(2, text);
        return t;
    } catch (...) {
        Raise("CreateText");
    }
}

std::shared_ptr<clsMapPolyline> CreateLine(int32_t thing, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return CreateLine(thing, MapPoint{x1, y1}, MapPoint{x2, y2});
}

std::shared_ptr<clsMapPolyline> CreateLine(int32_t thing, MapPoint from, MapPoint to) {
    try {
        auto l = std::make_shared<clsMapPolyline>();
        l->SetAdmin(0);
        l->SetThing(thing);
        auto poly = std::make_shared<clsPoly>();
        poly->SetLine(from.lon, from.lat, to.lon, to.lat);
        l->SetPoly(poly);
        return l;
    } catch (...) {
        Raise("CreateLine");
    }
}

QString GridAngleText(int32_t angle) {
    const int32_t a = angle < 0 ? (angle == INT32_MIN ? INT32_MAX : -angle) : angle;
    const QString t = AngleLib::AngleToStr(a);
    switch (AngleLib::AngleFormat()) {
    case 1:
    case 2:
    case 4: {
        const int n = a % 3600 == 0 ? 3 : (a % 60 == 0 ? 6 : 9);
        QString s = t.mid(1, n);
        for (int i = 0; i < 2; ++i)
            if (s.startsWith(QLatin1Char('0'))) s.remove(0, 1);
        return s;
    }
    case 3:
        return QString::number(a);
    case 5:
        return t.mid(1, 9);
    default:
        return t;
    }
}

std::shared_ptr<clsMapFigure> BaseMapOceanArea(const clsRect& rect, const clsMapUnit* unit) {
    try {
        const int32_t thing = ThingCodeOf(unit, QStringLiteral("海洋"));
        if (thing < 0) return nullptr;
        const int32_t half = std::min(rect.Width() / 2, kLonEdge);
        auto ocean = std::make_shared<clsMapPolygon>();
        ocean->SetAdmin(0);
        ocean->SetThing(thing);
        auto poly = std::make_shared<clsPoly>();
        poly->SetRect(-half, rect.mTop, half, rect.mBottom);
        ocean->SetPoly(poly);
        return ocean;
    } catch (...) {
        Raise("BaseMapOceanArea");
    }
}

FigureList BaseMapGridV(const clsGrid& grid, const clsMapUnit* unit) {
    FigureList out;
    try {
        const bool ll = grid.UnitMode() == 1;
        const int32_t thing = ThingCodeOf(unit, ll ? QStringLiteral("経線") : QStringLiteral("縦線"));
        if (thing < 0) return out;
        const int32_t south = ClampLatitude(grid.VLineSouth());
        const int32_t north = ClampLatitude(grid.VLineNorth());
        for (int32_t x : grid.ColVlineX()) {
            if (ll) x = Library::Clamp(x, -kLonEdge, kLonEdge);
            out.push_back(CreateLine(thing, MapPoint{x, south}, MapPoint{x, north}));
        }
    } catch (...) {
        Raise("BaseMapGridV");
    }
    return out;
}

FigureList BaseMapGridH(const clsGrid& grid, const clsMapUnit* unit) {
    FigureList out;
    try {
        const bool ll = grid.UnitMode() == 1;
        int32_t west = grid.West(), east = grid.East();
        if (ll && east <= west) {
            west = -kLonEdge;
            east = kLonEdge;
        }
        int32_t line, equator;
        if (ll) {
            line = ThingCodeOf(unit, QStringLiteral("緯線"));
            equator = ThingCodeOf(unit, QStringLiteral("赤道線"));
            if (equator < 0) equator = line;
        } else {
            line = equator = ThingCodeOf(unit, QStringLiteral("横線"));
        }
        if (line >= 0) {
            for (const int32_t y : grid.ColHlineY()) {
                const int32_t lat = ClampLatitude(y);
                out.push_back(CreateLine(lat == 0 ? equator : line, MapPoint{west, lat}, MapPoint{east, lat}));
            }
            if (ll) {
                out.push_back(CreateLine(line, MapPoint{west, -kLatEdge}, MapPoint{east, -kLatEdge}));
                out.push_back(CreateLine(line, MapPoint{west, kLatEdge}, MapPoint{east, kLatEdge}));
            }
        }
        const int32_t zone = ThingCodeOf(unit, QStringLiteral("帯域線"));
        if (zone >= 0)
            for (const int32_t y : grid.ColZoneLineY())
                out.push_back(CreateLine(zone, MapPoint{west, y}, MapPoint{east, y}));
    } catch (...) {
        Raise("BaseMapGridH");
    }
    return out;
}

namespace {

// Scans one canvas edge for the places where the graticule value (the
// `axis` of the point) passes a multiple of the interval; `convert` gives
// the point at a scan position.
template <class Convert, class Emit>
void ScanEdge(int32_t start, int32_t stop, bool downwards, int32_t interval, int32_t span, int32_t MapPoint::*axis,
              Convert convert, Emit addLabel) {
    int64_t pos = start;
    int64_t s = 0;
    int64_t r0 = 0;
    auto more = [&] { return downwards ? pos >= stop : pos <= stop; };
    while (more()) {
        MapPoint m;
        if (!convert(static_cast<int32_t>(pos), m)) {
            s = 1;
        } else {
            const int32_t value = m.*axis;
            const int64_t g = int64_t(interval) * int64_t(std::floor(double(value) / interval));
            int64_t r = value - g;
            if (r < r0) {
                addLabel(static_cast<int32_t>(g), m);
                pos += downwards ? -int64_t(span) : int64_t(span);
                s = 0;
                r = 0;
            }
            r0 = r;
            if (r <= 2 * int64_t(interval) / 5) ++s;
            else s = std::max<int64_t>(1, s - 1);
        }
        pos += downwards ? -s : s;
    }
}

} // namespace

FigureList BaseMapGridTexts(MapViewport& view, const clsGrid& grid, const clsMapUnit* base) {
    FigureList out;
    try {
        const int32_t latThing = ThingCodeOf(base, QStringLiteral("緯度"));
        const int32_t lonThing = ThingCodeOf(base, QStringLiteral("経度"));
        const auto latT = ThingOf(base, latThing);
        const auto lonT = ThingOf(base, lonThing);
        if (!latT || !lonT) return out;
        const int32_t lonInterval = grid.Width(), latInterval = grid.Height();
        // Without a positive interval there is nothing to label.
        if (lonInterval <= 0 || latInterval <= 0) return out;

        const int32_t left = view.canvas.mLeft, top = view.canvas.mTop;
        const int32_t width = view.CanvasWidth(), height = view.CanvasHeight();
        const int32_t dpix = view.dpix, dpiy = view.dpiy;
        const int32_t cx = view.centerX, cy = view.centerY;
        const int32_t lonSpan = lonT->Size() * dpix * 3 / 72;
        const int32_t latSpan = latT->Size() * dpiy * 2 / 72;

        int32_t north = 324000, south = -324000;
        BandOf(view.projector, north, south);
        CanvasPoint pole;
        const bool polar = view.MapToCanvas(MapPoint{cx, cy >= 0 ? north - 60 : south + 60}, pole) &&
                           -(height / 20) <= pole.y && pole.y <= height + height / 20;

        if (!polar) {
            const int32_t offset = RegValues::EnvInt("PlotGridOffset", 1, 1, 10);
            // Latitude labels up the left edge.
            const int32_t x = left + (dpix + 12) * offset * 10 / 254;
            ScanEdge(
                top + height - latSpan / 2, latSpan / 2, true, latInterval, latSpan, &MapPoint::lat,
                [&](int32_t y, MapPoint& m) {
                    return view.CanvasToMapBound(CanvasPoint{x, y}, m);
                },
                [&](int32_t g, MapPoint m) {
                    if (grid.SouthLimit() <= g && g <= grid.NorthLimit())
                        out.push_back(CreateText(latThing, 11, MapPoint{m.lon, g}, GridAngleText(g)));
                });
            // Longitude labels along the bottom (or, south of the equator, the top) edge.
            const int32_t yoff = (dpiy + 12) * offset * 10 / 254;
            const int32_t code = cy >= 0 ? 17 : 7;
            const int32_t y = cy >= 0 ? top + height - yoff : top + yoff;
            ScanEdge(
                left + lonSpan / 2, width - lonSpan / 2, false, lonInterval, lonSpan, &MapPoint::lon,
                [&](int32_t xs, MapPoint& m) {
                    return view.CanvasToMapBound(CanvasPoint{xs, y}, m);
                },
                [&](int32_t g, MapPoint m) {
                    out.push_back(CreateText(lonThing, code, MapPoint{g, m.lat}, GridAngleText(g)));
                });
            return out;
        }

        // Polar layout: latitudes up the central meridian, longitudes around the pole.
        const double secLen = MapProjection::GlobeSecLength;
        int64_t latStep = latInterval;
        while (double(latStep) * view.ratioY * secLen < latSpan && latStep < 1296000) latStep += latInterval;
        const int32_t first =
            static_cast<int32_t>(Library::Clamp(grid.South(), grid.SouthLimit(), grid.NorthLimit()) / latStep * latStep);
        const int32_t last = Library::Clamp(grid.North(), grid.SouthLimit(), grid.NorthLimit());
        for (int64_t lat = first; lat <= last; lat += latStep)
            out.push_back(
                CreateText(latThing, 12, MapPoint{cx, static_cast<int32_t>(lat)}, GridAngleText(int32_t(lat))));

        MapPoint ring;
        view.CanvasToMap(CanvasPoint{left + width / 2, top + height * (cy >= 0 ? 6 : 4) / 10}, ring);
        const double c = std::max(std::cos(ring.lat * AngleLib::RadPerSec), 0.01745);
        int64_t lonStep = lonInterval;
        while (double(lonStep) * view.ratioX * c * secLen < lonSpan && lonStep < 1296000) lonStep += lonInterval;
        for (int64_t l = (-648000 / lonStep) * lonStep; l < 648000; l += lonStep)
            out.push_back(
                CreateText(lonThing, 12, MapPoint{static_cast<int32_t>(l), ring.lat}, GridAngleText(int32_t(l))));
    } catch (...) {
        Raise("BaseMapGridTexts");
    }
    return out;
}

std::vector<clsPoly> AzimuthPoly(int32_t azimuth, int32_t lon0, int32_t lat0, int32_t gap) {
    return AzimuthPoly(azimuth, MapPoint{lon0, lat0}, gap);
}

std::vector<clsPoly> AzimuthPoly(int32_t azimuth, MapPoint center, int32_t gap) {
    try {
        using AngleLib::Pi;
        gap = std::max(gap, 1);
        clsPoly list;
        list.AddXY(center.lon, center.lat);
        const int32_t steps = Library::Clamp(648000 / gap, 60, 64800);
        double d = Pi / steps;
        const double theta = Pi - AngleLib::SecToRadian(azimuth);
        const double c = AngleLib::SecToRadian(center.lat - 324000);
        const double tEnd = AngleLib::SecToRadian(Library::Clamp(gap - 324000, -323940, -320400));
        const double sinC = std::sin(c), cosC = std::cos(c);
        const double sinTh = std::sin(theta), cosTh = std::cos(theta);
        double t = AngleLib::HalfPi;
        int64_t count = 1;
        while (t > tEnd) {
            t = std::max(t - d, tEnd);
            const double u = std::cos(t) * sinTh;
            const double v = -cosTh * std::cos(t);
            const double z = std::sin(t) * cosC - v * sinC;
            const double w = -(std::sin(t) * sinC + v * cosC);
            const MapPoint p =
                AngleLib::NormalizeLL(MapPoint{AngleLib::RadianToSec(AngleLib::AnglePosToRadian(w, u)) + center.lon,
                                               AngleLib::RadianToSec(Library::ArcSin(z))});
            if (Library::InRange(p.lat, -kLatEdge, kLatEdge)) list.AddXY(p.lon, p.lat);
            ++count;
            if (count % 64 == 0 && d <= Pi / 360) d *= 2;
        }
        if (list.Count() <= 1) return {};
        return GlobePolyLib::GlobePolyRound(list, 0, true, false);
    } catch (...) {
        Raise("AzimuthPoly");
    }
}

QStringList AzimuthTokens(const QString& list) {
    // A double quote would group the tokens instead of marking seconds.
    QString text = list;
    text.replace(QLatin1Char('"'), QStringLiteral("秒"));
    QStringList tokens = Library::StrToTokens(text, 0);
    if (!tokens.isEmpty() && tokens.first().isEmpty()) tokens.clear();
    return tokens;
}

FigureList BaseMapAzimuthLine(const QString& list, int32_t lon0, int32_t lat0, double scale, const clsMapUnit* unit) {
    return BaseMapAzimuthLine(list, MapPoint{lon0, lat0}, scale, unit);
}

FigureList BaseMapAzimuthLine(const QString& list, MapPoint center, double scale, const clsMapUnit* unit) {
    FigureList out;
    try {
        if (std::abs(int64_t(center.lat)) >= 320400) return out;
        const QStringList tokens = AzimuthTokens(list);
        if (tokens.isEmpty()) return out;
        const int32_t gap = std::max(1, Library::DblToLng(scale * 3 / MapProjection::GlobeSecLength / 1000));
        const int32_t thing = ThingCodeOf(unit, QStringLiteral("方位線"));
        if (thing < 0) return out;
        for (const QString& token : tokens) {
            const int32_t azimuth = AngleLib::AngleStrToSec(token);
            bool first = true;
            for (clsPoly& piece : AzimuthPoly(azimuth, center, gap)) {
                if (first) piece.Del(1);
                first = false;
                auto line = std::make_shared<clsMapPolyline>();
                line->SetAdmin(0);
                line->SetThing(thing);
                line->SetPoly(std::make_shared<clsPoly>(std::move(piece)));
                out.push_back(line);
            }
        }
    } catch (...) {
        Raise("BaseMapAzimuthLine");
    }
    return out;
}

FigureList BaseMapShadowFrame(int16_t index, const clsMapUnit* unit, clsVospProjector& projector) {
    FigureList out;
    try {
        const int32_t thing = ThingCodeOf(unit, QStringLiteral("投影枠"));
        if (thing < 0) return out;
        int32_t north = 324000, south = -324000;
        BandOf(projector, north, south);
        north = ClampLatitude(north - 5);
        south = ClampLatitude(south + 5);
        const MapProjection::PrjShape shape = MapProjection::PrjShapeOf(index);
        if (shape.FramesParallels()) {
            out.push_back(CreateLine(thing, MapPoint{-kLonEdge, south}, MapPoint{kLonEdge, south}));
            out.push_back(CreateLine(thing, MapPoint{-kLonEdge, north}, MapPoint{kLonEdge, north}));
        }
        if (shape.FramesMeridians() && !CutCloses(projector, north, south)) {
            out.push_back(CreateLine(thing, MapPoint{-kLonEdge, north}, MapPoint{-kLonEdge, south}));
            out.push_back(CreateLine(thing, MapPoint{kLonEdge, north}, MapPoint{kLonEdge, south}));
        }
    } catch (...) {
        Raise("BaseMapShadowFrame");
    }
    return out;
}

QString BaseMapAzimuthText(int16_t count, const QString& current) {
    try {
        if (count == 0) {
            const QString prompt = QStringLiteral("方位線の角度を記述してください.\r\n"
                                                  "12時が0度で時計回りです.\r\n"
                                                  "複数のときはスペースで区切って列挙してください.\r\n"
                                                  "例）15 165 195 345");
            return Ui().InputBox(prompt, QStringLiteral("方位線角度"), current, 250009);
        }
        if (count < 1 || count > 72) return {};
        QStringList angles;
        for (int32_t i = 0;; ++i) {
            const double a = i * 360.0 / count;
            if (a > 359.9) break;
            angles << Library::NumStr(a);
        }
        return angles.join(QLatin1Char(','));
    } catch (...) {
        Raise("BaseMapAzimuthText");
    }
}

} // namespace BaseMap
