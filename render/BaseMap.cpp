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
#include "document/clsMapUnits.h"
#include "document/clsThing.h"
#include "document/clsThings.h"
#include "platform/UiServices.h"
#include "render/RegValues.h"
#include "render/RenderGlobals.h"
#include "render/clsGrid.h"
#include "render/clsMapPlot.h"

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

clsVospProjector* ProjectorOf(clsVospProjector* given) {
    if (given) return given;
    clsMapPlot* plot = RenderGlobals::MapPlot();
    return plot ? &plot->mProjector : nullptr;
}

void BandOf(clsVospProjector* projector, int32_t& north, int32_t& south) {
    north = 324000;
    south = -324000;
    if (projector) projector->RangeNS(north, south);
}

} // namespace

std::shared_ptr<clsMapText> CreateText(int32_t thing, int32_t code, int32_t x, int32_t y, const QString& text) {
    try {
        auto t = std::make_shared<clsMapText>();
        t->SetAdmin(0);
        t->SetThing(thing);
        t->SetTextFix(code);
        t->Setmx(x);
        t->Setmy(y);
        t->SetTextUnicode(1, text);
        t->SetTextUnicode(2, text);
        return t;
    } catch (...) {
        Raise("CreateText");
    }
}

std::shared_ptr<clsMapPolyline> CreateLine(int32_t thing, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    try {
        auto l = std::make_shared<clsMapPolyline>();
        l->SetAdmin(0);
        l->SetThing(thing);
        auto poly = std::make_shared<clsPoly>();
        poly->SetLine(x1, y1, x2, y2);
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
            out.push_back(CreateLine(thing, x, south, x, north));
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
                out.push_back(CreateLine(lat == 0 ? equator : line, west, lat, east, lat));
            }
            if (ll) {
                out.push_back(CreateLine(line, west, -kLatEdge, east, -kLatEdge));
                out.push_back(CreateLine(line, west, kLatEdge, east, kLatEdge));
            }
        }
        const int32_t zone = ThingCodeOf(unit, QStringLiteral("帯域線"));
        if (zone >= 0)
            for (const int32_t y : grid.ColZoneLineY()) out.push_back(CreateLine(zone, west, y, east, y));
    } catch (...) {
        Raise("BaseMapGridH");
    }
    return out;
}

namespace {

// Scans one canvas edge for the places where the graticule value passes a
// multiple of the interval; `convert` gives the value at a scan position.
template <class Convert, class Emit>
void ScanEdge(int32_t start, int32_t stop, bool downwards, int32_t interval, int32_t span, Convert convert,
              Emit addLabel) {
    int64_t pos = start;
    int64_t s = 0;
    int64_t r0 = 0;
    auto more = [&] { return downwards ? pos >= stop : pos <= stop; };
    while (more()) {
        int32_t value = 0, other = 0;
        if (!convert(static_cast<int32_t>(pos), value, other)) {
            s = 1;
        } else {
            const int64_t g = int64_t(interval) * int64_t(std::floor(double(value) / interval));
            int64_t r = value - g;
            if (r < r0) {
                addLabel(static_cast<int32_t>(g), other);
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

FigureList BaseMapGridTexts(clsMapPlot& plot) {
    FigureList out;
    try {
        clsMapUnit* base = plot.mMaps ? plot.mMaps->Base().get() : nullptr;
        const int32_t latThing = ThingCodeOf(base, QStringLiteral("緯度"));
        const int32_t lonThing = ThingCodeOf(base, QStringLiteral("経度"));
        const auto latT = ThingOf(base, latThing);
        const auto lonT = ThingOf(base, lonThing);
        if (!latT || !lonT) return out;
        clsGrid& grid = plot.Grid();
        const int32_t lonInterval = grid.Width(), latInterval = grid.Height();
        // Without a positive interval there is nothing to label.
        if (lonInterval <= 0 || latInterval <= 0) return out;

        const int32_t left = plot.CanvasLeft(), top = plot.CanvasTop();
        const int32_t width = plot.CanvasWidth(), height = plot.CanvasHeight();
        const int32_t dpix = plot.dpix(), dpiy = plot.dpiy();
        const int32_t cx = plot.CenterX(), cy = plot.CenterY();
        const int32_t lonSpan = lonT->Size() * dpix * 3 / 72;
        const int32_t latSpan = latT->Size() * dpiy * 2 / 72;

        int32_t north = 324000, south = -324000;
        BandOf(&plot.mProjector, north, south);
        int32_t px = 0, py = 0;
        const bool polar = plot.MapToCanvas(cx, cy >= 0 ? north - 60 : south + 60, px, py) &&
                           -(height / 20) <= py && py <= height + height / 20;

        if (!polar) {
            const int32_t offset = RegValues::EnvInt("PlotGridOffset", 1, 1, 10);
            // Latitude labels up the left edge.
            const int32_t x = left + (dpix + 12) * offset * 10 / 254;
            ScanEdge(
                top + height - latSpan / 2, latSpan / 2, true, latInterval, latSpan,
                [&](int32_t y, int32_t& lat, int32_t& lon) { return plot.CanvasToMapBound(x, y, lon, lat); },
                [&](int32_t g, int32_t lon) {
                    if (grid.SouthLimit() <= g && g <= grid.NorthLimit())
                        out.push_back(CreateText(latThing, 11, lon, g, GridAngleText(g)));
                });
            // Longitude labels along the bottom (or, south of the equator, the top) edge.
            const int32_t yoff = (dpiy + 12) * offset * 10 / 254;
            const int32_t code = cy >= 0 ? 17 : 7;
            const int32_t y = cy >= 0 ? top + height - yoff : top + yoff;
            ScanEdge(
                left + lonSpan / 2, width - lonSpan / 2, false, lonInterval, lonSpan,
                [&](int32_t xs, int32_t& lon, int32_t& lat) { return plot.CanvasToMapBound(xs, y, lon, lat); },
                [&](int32_t g, int32_t lat) { out.push_back(CreateText(lonThing, code, g, lat, GridAngleText(g))); });
            return out;
        }

        // Polar layout: latitudes up the central meridian, longitudes around the pole.
        const double secLen = MapProjection::GlobeSecLength;
        int64_t latStep = latInterval;
        while (double(latStep) * plot.RatioY() * secLen < latSpan && latStep < 1296000) latStep += latInterval;
        const int32_t first =
            static_cast<int32_t>(Library::Clamp(grid.South(), grid.SouthLimit(), grid.NorthLimit()) / latStep * latStep);
        const int32_t last = Library::Clamp(grid.North(), grid.SouthLimit(), grid.NorthLimit());
        for (int64_t lat = first; lat <= last; lat += latStep)
            out.push_back(CreateText(latThing, 12, cx, static_cast<int32_t>(lat), GridAngleText(int32_t(lat))));

        int32_t lon = 0, lat = 0;
        plot.CanvasToMap(left + width / 2, top + height * (cy >= 0 ? 6 : 4) / 10, lon, lat);
        const double c = std::max(std::cos(lat * AngleLib::RadPerSec), 0.01745);
        int64_t lonStep = lonInterval;
        while (double(lonStep) * plot.RatioX() * c * secLen < lonSpan && lonStep < 1296000) lonStep += lonInterval;
        for (int64_t l = (-648000 / lonStep) * lonStep; l < 648000; l += lonStep)
            out.push_back(CreateText(lonThing, 12, static_cast<int32_t>(l), lat, GridAngleText(int32_t(l))));
    } catch (...) {
        Raise("BaseMapGridTexts");
    }
    return out;
}

std::vector<clsPoly> AzimuthPoly(int32_t azimuth, int32_t lon0, int32_t lat0, int32_t gap) {
    try {
        using AngleLib::Pi;
        gap = std::max(gap, 1);
        clsPoly list;
        list.AddXY(lon0, lat0);
        const int32_t steps = Library::Clamp(648000 / gap, 60, 64800);
        double d = Pi / steps;
        const double theta = Pi - AngleLib::SecToRadian(azimuth);
        const double c = AngleLib::SecToRadian(lat0 - 324000);
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
            int32_t lon = AngleLib::RadianToSec(AngleLib::AnglePosToRadian(w, u)) + lon0;
            int32_t lat = AngleLib::RadianToSec(Library::ArcSin(z));
            AngleLib::NormalizeLL(lon, lat);
            if (Library::InRange(lat, -kLatEdge, kLatEdge)) list.AddXY(lon, lat);
            ++count;
            if (count % 64 == 0 && d <= Pi / 360) d *= 2;
        }
        if (list.Count() <= 1) return {};
        return GlobePolyLib::GlobePolyRound(list, 0, true, false);
    } catch (...) {
        Raise("AzimuthPoly");
    }
}

FigureList BaseMapAzimuthLine(const QString& list, int32_t lon0, int32_t lat0, double scale, const clsMapUnit* unit) {
    FigureList out;
    try {
        if (std::abs(int64_t(lat0)) >= 320400) return out;
        QString text = list;
        text.replace(QLatin1Char('"'), QStringLiteral("秒"));
        const QStringList tokens = Library::StrToTokens(text, 0);
        if (tokens.isEmpty() || tokens.first().isEmpty()) return out;
        const int32_t gap = std::max(1, Library::DblToLng(scale * 3 / MapProjection::GlobeSecLength / 1000));
        const int32_t thing = ThingCodeOf(unit, QStringLiteral("方位線"));
        if (thing < 0) return out;
        for (const QString& token : tokens) {
            const int32_t azimuth = AngleLib::AngleStrToSec(token);
            bool first = true;
            for (clsPoly& piece : AzimuthPoly(azimuth, lon0, lat0, gap)) {
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

FigureList BaseMapShadowFrame(int16_t index, const clsMapUnit* unit, clsVospProjector* projector) {
    FigureList out;
    try {
        const int32_t thing = ThingCodeOf(unit, QStringLiteral("投影枠"));
        if (thing < 0) return out;
        int32_t north = 324000, south = -324000;
        BandOf(ProjectorOf(projector), north, south);
        north = ClampLatitude(north - 5);
        south = ClampLatitude(south + 5);
        const MapProjection::PrjShape shape = MapProjection::PrjShapeOf(index);
        if (shape.FramesParallels()) {
            out.push_back(CreateLine(thing, -kLonEdge, south, kLonEdge, south));
            out.push_back(CreateLine(thing, -kLonEdge, north, kLonEdge, north));
        }
        if (shape.FramesMeridians()) {
            out.push_back(CreateLine(thing, -kLonEdge, north, -kLonEdge, south));
            out.push_back(CreateLine(thing, kLonEdge, north, kLonEdge, south));
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
