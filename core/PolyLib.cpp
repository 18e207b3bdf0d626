#include "core/PolyLib.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/clsLine.h"

namespace PolyLib {

namespace {

using Library::Sat;

bool Reaches(const clsPoly& poly, int32_t X) {
    const std::span<const PolyPoint> p = poly.Span();
    if (p.empty()) return false;
    bool left = false, right = false;
    for (const PolyPoint& q : p) {
        if (q.x <= X) left = true;
        if (q.x >= X) right = true;
        if (left && right) return true;
    }
    return false;
}

std::vector<clsPoly> Cut(const clsPoly& poly, int32_t X) {
    std::vector<clsPoly> pieces;
    clsPoly piece;
    int h = 0;      // side of the previous point, times 4
    int m = 0;      // on the line: 1 came from the right, 2 from the left
    int32_t s = 0;  // the unit shift towards the side a point on the line came from
    PolyPoint prev{};
    for (const PolyPoint& P : poly.Span()) {
        const int side = P.x < X ? 2 : (P.x > X ? 1 : 0);
        switch (h + side) {
        case 1:
        case 2: // leaving the line
            if ((m | side) == 3) {
                pieces.push_back(std::move(piece));
                piece = clsPoly();
                piece.AddXY(Sat(int64_t(prev.x) - s), prev.y);
            }
            m = 0;
            break;
        case 4: // from the right onto the line
            m = 1, s = 1;
            break;
        case 8: // from the left onto the line
            m = 2, s = -1;
            break;
        case 6:
        case 9: { // straight across
            s = (h + side) == 9 ? -1 : 1;
            clsLine seg;
            seg.SetAll(prev.x, prev.y, P.x, P.y);
            const int32_t y = seg.CrossY(X);
            piece.AddXY(Sat(int64_t(X) + s), y);
            pieces.push_back(std::move(piece));
            piece = clsPoly();
            piece.AddXY(Sat(int64_t(X) - s), y);
            break;
        }
        default:
            break;
        }
        h = side * 4;
        PolyPoint Q = P;
        if (m != 0) Q.x = Sat(int64_t(Q.x) + s);
        piece.AddPoint(Q);
        prev = P;
    }
    if (piece.Count() > 1) pieces.push_back(std::move(piece));
    return pieces;
}

} // namespace

std::vector<clsPoly> PolyLibCutX(const clsPoly& poly, int32_t x) {
    try {
        if (!Reaches(poly, x)) {
            std::vector<clsPoly> whole;
            whole.push_back(poly); // the same list, flags and all
            return whole;
        }
        return Cut(poly, x);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1002, "basPolyLib", "PolyLibCutX");
    }
}

std::vector<clsPoly> PolyLibCutX(clsPoly&& poly, int32_t x) {
    try {
        if (!Reaches(poly, x)) {
            std::vector<clsPoly> whole;
            whole.push_back(std::move(poly));
            return whole;
        }
        return Cut(poly, x);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1002, "basPolyLib", "PolyLibCutX");
    }
}

} // namespace PolyLib
