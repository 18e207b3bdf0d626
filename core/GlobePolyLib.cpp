#include "core/GlobePolyLib.h"

#include "core/AngleLib.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/PolyLib.h"
#include "core/clsSurvey.h"

#include <algorithm>
#include <climits>
#include <cmath>

using namespace AngleLib;

namespace GlobePolyLib {

namespace {

constexpr int32_t kErr = ErrBase + 1002;
const char* const kObj = "basGlobePolyLib";

constexpr int32_t PoleLimit = 323970;   // 89°59'30"
constexpr int32_t PolarCircle = 239607; // 66°33'27"
constexpr int32_t WideStep = 108000;    // 30°
constexpr int32_t NearPole = 84394;     // 23°26'34"
constexpr int32_t CloseToPole = 900;    // 15'
constexpr int32_t FineStep = 15;
constexpr int64_t HalfTurn = 648000;
constexpr int64_t Turn = 1296000;

using Library::Abs64;
using Library::Sat;

// Rounds up; b > 0.
int64_t CeilDiv(int64_t a, int64_t b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }

} // namespace

bool StraysBeyondOneTurn(const clsPoly& poly) {
    const std::span<const PolyPoint> p = poly.Span();
    return std::any_of(p.begin(), p.end(), [](const PolyPoint& q) { return Abs64(q.x) > HalfTurn + Turn; });
}

int32_t DistanceGreatArcToPole(int32_t lon1, int32_t lat1, int32_t lon2, int32_t lat2) {
    return DistanceGreatArcToPole(MapPoint{lon1, lat1}, MapPoint{lon2, lat2});
}

int32_t DistanceGreatArcToPole(MapPoint p1, MapPoint p2) {
    try {
        clsSurvey sv;
        sv.SetAll(p1, p2);
        const double dir = sv.DirectionRadian();
        const double arc = sv.ArcRadian();
        const double a = double(-int64_t(p1.lat)) * RadPerSec;
        const double b = dir - HalfPi;
        const double X = -std::sin(a);
        const double Y = std::sin(b) * -std::cos(a);
        const double Z = std::cos(b) * std::cos(a);
        // Arc length from point 1 to the circle's vertex nearest a pole.
        double t = AnglePosToRadian(X, Y);
        if (t < 0) t += Pi;
        if (arc < t) return Sat(324000 - std::max(Abs64(p1.lat), Abs64(p2.lat)));
        return std::abs(RadianToSec(Library::ArcSin(Z)));
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "DistanceGreatArcToPole");
    }
}

std::vector<clsPoly> GlobePolyChopPole(clsPoly& poly, int32_t step, bool cutAtPoles) {
    try {
        step = Library::Clamp(step, 30, 10800);
        const std::span<const PolyPoint> in = poly.Span();
        clsPoly out;
        out.Reserve(int32_t(in.size()));
        clsSurvey sv;
        if (!in.empty()) out.AddPoint(in[0]);
        for (size_t i = 1; i < in.size(); ++i) {
            const PolyPoint prev = in[i - 1], cur = in[i];
            int64_t dLon = Abs64(int64_t(cur.x) - prev.x);
            if (dLon > HalfTurn) dLon = Turn - dLon;
            if (std::max(Abs64(prev.y), Abs64(cur.y)) >= PolarCircle || dLon >= WideStep) {
                const MapPoint from{prev.x, prev.y}, to{cur.x, cur.y};
                const int32_t d = DistanceGreatArcToPole(from, to);
                if (d < NearPole) {
                    sv.SetAll(from, to);
                    const int32_t routeStep = d <= CloseToPole ? FineStep : step;
                    // An edge shorter than the step gets no inner points:
                    // the route's own first test, made without building it.
                    if (!(HalfPi - SecToRadian(routeStep) > HalfPi - sv.ArcRadian())) {
                        out.AddPoint(cur);
                        continue;
                    }
                    clsPoly route = sv.RoutePoly(routeStep);
                    if (route.Count() > 2) {
                        route.Del(1);
                        route.Del(route.Count());
                        out.Connect(route);
                    }
                }
            }
            out.AddPoint(cur);
        }
        poly = std::move(out);

        std::vector<clsPoly> pieces;
        clsPoly piece;
        for (const PolyPoint& q : poly.Span()) {
            int32_t lat = q.y;
            if (!cutAtPoles) lat = Library::Clamp(lat, -PoleLimit, PoleLimit);
            if (lat > PoleLimit || lat < -PoleLimit) {
                if (piece.Count() > 1) pieces.push_back(std::move(piece));
                piece = clsPoly();
            } else {
                piece.AddXY(q.x, lat);
            }
        }
        if (piece.Count() > 1) pieces.push_back(std::move(piece));
        return pieces;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "GlobePolyChopPole");
    }
}

bool GlobePolyRollOver(clsPoly& poly, int32_t centerLon, bool closePole) {
    try {
        poly.SetModify(false);
        const int32_t n = poly.Count();
        if (n == 0) return false;
        int64_t offset = 0;
        int32_t prevLon = poly.x(1);
        for (int32_t i = 2; i <= n; ++i) {
            const int32_t lon = poly.x(i);
            const int64_t d = int64_t(lon) - prevLon;
            if (d <= -HalfTurn) offset += Turn;
            else if (d >= HalfTurn) offset -= Turn;
            if (offset != 0) poly.SetX(i, Sat(lon + offset));
            prevLon = lon;
        }
        if (offset != 0 && closePole) {
            // The ring winds about a pole: close it over the pole on the
            // side where it lies.
            const clsRect box = poly.RectBound();
            const bool south = box.CenterY() < 0;
            const int32_t extreme = south ? box.mTop : box.mBottom;
            const int32_t pole = south ? -PoleLimit : PoleLimit;
            int32_t k = 1;
            while (k <= n && poly.y(k) != extreme) ++k;
            if (k >= 2 && k <= n - 1) {
                // Start the ring at its point nearest the pole.
                clsPoly tail = poly.Divide(k);
                tail.Move(Sat(-offset), 0);
                tail.Connect(poly);
                poly = std::move(tail);
                poly.SetModify(true);
            }
            const int32_t s = offset >= 1 ? 2 : -2;
            poly.SetX(1, Sat(int64_t(poly.x(1)) + s));
            poly.SetLastX(Sat(int64_t(poly.LastX()) - s));
            const PolyPoint first = poly.GetPoint(1);
            poly.AddXY(poly.LastX(), pole);
            poly.AddXY(first.x, pole);
            poly.AddXY(first.x, first.y);
        }
        for (const PolyPoint& q : poly.Span()) {
            if (q.x < int64_t(centerLon) - Turn) {
                poly.Move(int32_t(Turn), 0);
                break;
            }
            if (q.x > int64_t(centerLon) + Turn) {
                poly.Move(-int32_t(Turn), 0);
                break;
            }
        }
        return poly.Modify();
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "GlobePolyRollOver");
    }
}

bool GlobePolyRollBound(clsPoly& poly, int32_t centerLon) {
    try {
        for (const PolyPoint& q : poly.Span()) {
            if (q.x < int64_t(centerLon) - HalfTurn) {
                poly.Move(int32_t(Turn), 0);
                return true;
            }
            if (q.x > int64_t(centerLon) + HalfTurn) {
                poly.Move(-int32_t(Turn), 0);
                return true;
            }
        }
        return false;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "GlobePolyRollBound");
    }
}

std::vector<clsPoly> GlobePolyRound(clsPoly& poly, int32_t centerLon, bool chop, bool closePole) {
    try {
        std::vector<clsPoly> first;
        if (chop) {
            first = GlobePolyChopPole(poly, 18000, true);
            for (clsPoly& piece : first) GlobePolyRollOver(piece, centerLon, closePole);
        } else {
            GlobePolyRollOver(poly, centerLon, closePole);
            first.push_back(poly);
        }
        const int32_t west = Sat(int64_t(centerLon) - HalfTurn);
        const int32_t east = Sat(int64_t(centerLon) + HalfTurn);
        auto cutAll = [](std::vector<clsPoly>& pieces, int32_t x) {
            std::vector<clsPoly> parts;
            parts.reserve(pieces.size());
            for (clsPoly& piece : pieces)
                for (clsPoly& part : PolyLib::PolyLibCutX(std::move(piece), x)) parts.push_back(std::move(part));
            pieces.swap(parts);
        };
        std::vector<clsPoly> third = std::move(first);
        cutAll(third, west);
        cutAll(third, east);
        // A list that winds more than once about the globe reaches the seams
        // a turn further out as well; cut there too, so that every piece
        // fits the window once moved by whole turns. Each part is cut only
        // at the seams within its own reach, eastwards first, then westwards:
        // the work grows with the parts made, not with parts times seams.
        std::vector<clsPoly> done;
        done.reserve(third.size());
        struct Pending {
            clsPoly poly;
            int64_t east; // the next seam of each series (turns beyond its start) to try
            int64_t west;
            bool westward; // the eastern series is done
        };
        std::vector<Pending> stack;
        for (auto it = third.rbegin(); it != third.rend(); ++it) stack.push_back({std::move(*it), 1, 1, false});
        while (!stack.empty()) {
            Pending p = std::move(stack.back());
            stack.pop_back();
            const clsRect box = p.poly.RectBound();
            int64_t x = 0;
            bool cut = false;
            if (!p.westward && p.poly.Count() > 0) {
                // The first seam of the series, from the one due, that the part reaches.
                const int64_t k = std::max<int64_t>(p.east, CeilDiv(int64_t(box.mLeft) - east, Turn));
                if (int64_t(east) + k * Turn <= box.mRight) {
                    p.east = k;
                    x = int64_t(east) + k * Turn;
                    cut = true;
                } else {
                    p.westward = true;
                }
            }
            if (p.westward && p.poly.Count() > 0) {
                const int64_t k = std::max<int64_t>(p.west, CeilDiv(int64_t(west) - box.mRight, Turn));
                if (int64_t(west) - k * Turn >= box.mLeft) {
                    p.west = k;
                    x = int64_t(west) - k * Turn;
                    cut = true;
                }
            }
            if (!cut || x < INT32_MIN || x > INT32_MAX) {
                done.push_back(std::move(p.poly));
                continue;
            }
            std::vector<clsPoly> parts = PolyLib::PolyLibCutX(std::move(p.poly), int32_t(x));
            for (auto it = parts.rbegin(); it != parts.rend(); ++it)
                stack.push_back({std::move(*it), p.westward ? p.east : p.east + 1, p.westward ? p.west + 1 : p.west,
                                 p.westward});
        }
        third = std::move(done);
        for (clsPoly& piece : third)
            for (int guard = 0; guard < 4000 && GlobePolyRollBound(piece, centerLon); ++guard) {
            }
        return third;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "GlobePolyRound");
    }
}

} // namespace GlobePolyLib
