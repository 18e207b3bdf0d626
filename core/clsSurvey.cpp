#include "core/clsSurvey.h"

#include "core/AngleLib.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"

#include <cmath>

using namespace AngleLib;

namespace {

constexpr int32_t kErr = ErrBase + 1001;
const char* const kObj = "clsSurvey";
constexpr double TwoPi = 6.28318530717958;
// Within this of a pole a point has no usable longitude.
constexpr int32_t PoleBand = 323997;

using Library::Sat;

double Rad(int64_t sec) { return double(sec) * RadPerSec; }

} // namespace

double clsSurvey::ArcRadian() const {
    try {
        const double lat1 = Rad(mStartLat), lat2 = Rad(mEndLat);
        const double dLon = Rad(int64_t(mEndLon) - mStartLon);
        return Library::ArcCos(std::sin(lat1) * std::sin(lat2) + std::cos(lat2) * std::cos(lat1) * std::cos(dLon));
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "ArcRadian");
    }
}

double clsSurvey::ArcDistance() const { return ArcRadian() * MapProjection::GlobeRadius; }

double clsSurvey::DirectionRadian() const {
    try {
        if (mStartLat >= PoleBand || mEndLat <= -PoleBand) return Pi;
        if (mStartLat <= -PoleBand || mEndLat >= PoleBand) return 0;
        const double arc = ArcRadian();
        // Coincident or antipodal: every bearing is as good as north.
        if (arc < RadPerSec || arc > 3.141587805452979) return 0;
        const double c = Rad(324000 - int64_t(mStartLat));
        const double lat2 = Rad(mEndLat), dLon = Rad(int64_t(mEndLon) - mStartLon);
        const double X = std::sin(c) * std::sin(lat2) - std::cos(dLon) * std::cos(c) * std::cos(lat2);
        const double Y = std::sin(dLon) * std::cos(lat2);
        double v = AnglePosToRadian(X, Y);
        if (v < 0) v += TwoPi;
        return v;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "DirectionRadian");
    }
}

MapPoint clsSurvey::PointAlong(double dir, double b) const {
    double x, y, z;
    AngleToVector(Pi - dir, b, x, y, z);
    RotateXY(Rad(int64_t(mStartLat) - 324000), y, z);
    double rlon, rlat;
    VectorToAngle(x, y, z, rlon, rlat);
    return NormalizeLL(MapPoint{Sat(int64_t(RadianToSec(rlon)) + mStartLon), RadianToSec(rlat)});
}

void clsSurvey::SetArcRadian(double rad) {
    try {
        if (!(rad >= 0 && rad <= Pi)) return;
        const double dir = DirectionRadian();
        const MapPoint end = PointAlong(dir, HalfPi - rad);
        mEndLon = end.lon, mEndLat = end.lat;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "ArcRadian");
    }
}

void clsSurvey::SetDirectionRadian(double rad) {
    try {
        const double d = ArcRadian();
        const MapPoint end = PointAlong(rad, HalfPi - d);
        mEndLon = end.lon, mEndLat = end.lat;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "DirectionRadian");
    }
}

clsPoly clsSurvey::RoutePoly(int32_t step) const {
    try {
        const double s = SecToRadian(Library::Clamp(step, 15, 324000));
        clsPoly route;
        const double arc = ArcRadian();
        const double dir = DirectionRadian();
        route.AddXY(mStartLon, mStartLat);
        double b = HalfPi - s;
        while (b > HalfPi - arc) {
            const MapPoint p = PointAlong(dir, b);
            if (p.lat >= -PoleBand && p.lat <= PoleBand) {
                route.AddXY(p.lon, p.lat);
                b -= s;
            } else {
                b -= s / 3;
            }
        }
        route.AddXY(mEndLon, mEndLat);
        return route;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "RoutePoly");
    }
}

double clsSurvey::PolyLength(const clsPoly& oPoly) {
    double sum = 0;
    const std::span<const PolyPoint> p = oPoly.Span();
    for (size_t i = 1; i < p.size(); ++i) {
        SetAll(p[i - 1].x, p[i - 1].y, p[i].x, p[i].y);
        sum += ArcDistance();
    }
    return sum;
}

double clsSurvey::PolyArea(const clsPoly& oPoly) {
    try {
        if (oPoly.Count() < 3) return 0;
        clsPoly ring = oPoly.Copy();
        ring.MakeLoop();

        // Long edges follow their great circle.
        const std::span<const PolyPoint> src = ring.Span();
        std::vector<PolyPoint> pts;
        pts.reserve(src.size());
        pts.push_back(src[0]);
        for (size_t i = 1; i < src.size(); ++i) {
            SetAll(src[i - 1].x, src[i - 1].y, src[i].x, src[i].y);
            const double dx = double(int64_t(src[i].x) - src[i - 1].x);
            const double dy = double(int64_t(src[i].y) - src[i - 1].y);
            if (std::nearbyint(std::sqrt(dx * dx + dy * dy)) > 18000) {
                const clsPoly route = RoutePoly(1800);
                const std::span<const PolyPoint> r = route.Span();
                if (r.size() > 2) pts.insert(pts.end(), r.begin() + 1, r.end() - 1);
            }
            pts.push_back(src[i]);
        }

        // Continuous longitudes; kept in 64 bits, as a ring winding many
        // times would leave the 32-bit range.
        const size_t n = pts.size();
        std::vector<int64_t> lon(n);
        std::vector<int64_t> lat(n);
        int64_t offset = 0;
        lon[0] = pts[0].x;
        lat[0] = pts[0].y;
        for (size_t i = 1; i < n; ++i) {
            const int64_t d = int64_t(pts[i].x) - pts[i - 1].x;
            if (d < -324000) offset += 1296000;
            else if (d > 324000) offset -= 1296000;
            lon[i] = pts[i].x + offset;
            lat[i] = pts[i].y;
        }
        // A ring about a pole no longer closes: close it over the pole.
        const bool loop = n > 3 && lon[0] == lon[n - 1] && lat[0] == lat[n - 1];
        if (!loop) {
            const int64_t pole = lat[n - 1] >= 0 ? 324000 : -324000;
            const int64_t lonL = lon[n - 1];
            lon.push_back(lonL), lat.push_back(pole);
            lon.push_back(lon[0]), lat.push_back(pole);
            if (lat[0] != pole) lon.push_back(lon[0]), lat.push_back(lat[0]);
        }

        // Equal-area cylindrical image, then the plane area of the ring.
        std::vector<double> y(lat.size());
        for (size_t i = 0; i < lat.size(); ++i) y[i] = RadianToSec(std::sin(Rad(lat[i])));
        double sum = 0;
        for (size_t i = 2; i < lon.size(); ++i) {
            const double x1 = double(lon[i - 1] - lon[0]), y1 = y[i - 1] - y[0];
            const double x2 = double(lon[i] - lon[0]), y2 = y[i] - y[0];
            sum += y2 * x1 - y1 * x2;
        }
        const double area = std::fabs(sum) / 2;
        return area * MapProjection::GlobeSecLength * MapProjection::GlobeSecLength;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "PolyArea");
    }
}
