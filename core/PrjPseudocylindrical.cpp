// Pseudocylindrical whole-globe projections in normal aspect: sinusoidal
// (16), Mollweide (17), Eckert VI (19), Wagner VII (20) and Winkel tripel
// (30). Mollweide and Eckert VI read their auxiliary angle from a 2.5-degree
// table instead of solving their equation per point; Wagner VII and Winkel
// tripel have no closed inverse and search for it.
#include "core/clsVospProjector.h"

namespace {

constexpr double k89d59m45s = 1.5707236047427287; // 89 degrees 59'45"
constexpr double kSqrt2 = 1.4142135623731;
constexpr double kMollweideX = 0.900316316157107;
constexpr double kEckertX = 0.441012771724552;
constexpr double kEckertY = 0.882025543449103;

// Rows of latitude 0, 2.5, ... 90 degrees; printed by tools/thetatables.
const double kMollweideTheta[37] = {
    0.000000000000,
    0.034272001863,
    0.068559277441,
    0.102877205322,
    0.137241375777,
    0.171667701513,
    0.206172534532,
    0.240772791474,
    0.275486090153,
    0.310330900482,
    0.345326713526,
    0.380494233278,
    0.415855596790,
    0.451434629688,
    0.487257145994,
    0.523351303680,
    0.559748030811,
    0.596481541817,
    0.633589970022,
    0.671116151766,
    0.709108610830,
    0.747622811375,
    0.786722776855,
    0.826483217235,
    0.866992377433,
    0.908355934704,
    0.950702465693,
    0.994191342320,
    1.039024538266,
    1.085465041480,
    1.133867107195,
    1.184729390901,
    1.238796893772,
    1.297282388300,
    1.362447768357,
    1.439753609658,
    1.5707963267949,
};
const double kEckert6Theta[37] = {
    0.000000000000,
    0.056082977914,
    0.112147297631,
    0.168173932160,
    0.224143109138,
    0.280033918511,
    0.335823896194,
    0.391488574955,
    0.447000993107,
    0.502331150837,
    0.557445403141,
    0.612305777379,
    0.666869202703,
    0.721086637050,
    0.774902079897,
    0.828251453564,
    0.881061344413,
    0.933247592695,
    0.984713728433,
    1.035349259330,
    1.085027831539,
    1.133605305812,
    1.180917822322,
    1.226779969103,
    1.270983222195,
    1.313294897002,
    1.353457903052,
    1.391191707802,
    1.426194917261,
    1.458149932675,
    1.486730054704,
    1.511609233698,
    1.532474351095,
    1.549039478722,
    1.561061057553,
    1.568352485278,
    1.5707963267949,
};

} // namespace

// 16 sinusoidal; the set-up also serves Winkel tripel.
void clsVospProjector::SetUpSinusoidal() {
    mYOffset = mLat0;
    mLimit = k89d59m45s;
    mSetUp = true;
}

void clsVospProjector::FwdSinusoidal() {
    mX = std::cos(mLat) * mLon;
    mY = mLat;
    mValid = true;
}

void clsVospProjector::InvSinusoidal() {
    if (!YInLimit()) return;
    mLat = mY;
    mLon = mX / std::cos(mY);
    mValid = true;
}

// 17 Mollweide: 2t + sin 2t = pi sin lat
void clsVospProjector::SetUpMollweide() {
    LoadThetaTable(kMollweideTheta);
    mYOffset = kSqrt2 * std::sin(ThetaOf(mLat0));
    mLimit = kSqrt2;
    mSetUp = true;
}

void clsVospProjector::FwdMollweide() {
    const double t = ThetaOf(mLat);
    mX = std::cos(t) * kMollweideX * mLon;
    mY = std::sin(t) * kSqrt2;
    mValid = true;
}

void clsVospProjector::InvMollweide() {
    if (!YInLimit()) return;
    const double t = ArcSin(mY / kSqrt2);
    mLon = mX / kMollweideX / std::cos(t);
    mLat = LatOfTheta(t);
    mValid = true;
}

// 19 Eckert VI: t + sin t = (1 + pi/2) sin lat
void clsVospProjector::SetUpEckert6() {
    LoadThetaTable(kEckert6Theta);
    mYOffset = ThetaOf(mLat0) * kEckertY;
    mLimit = kEckertY * kHalfPi;
    mSetUp = true;
}

void clsVospProjector::FwdEckert6() {
    const double t = ThetaOf(mLat);
    mX = (std::cos(t) + 1) * kEckertX * mLon;
    mY = t * kEckertY;
    mValid = true;
}

void clsVospProjector::InvEckert6() {
    if (!YInLimit()) return;
    const double t = mY / kEckertY;
    mLon = mX / kEckertX / (std::cos(t) + 1);
    mLat = LatOfTheta(t);
    mValid = true;
}

// 20 Wagner VII. With s = 0.90631 sin lat, cos a = cos(asin s) cos(lon/3)
// and t = s / sin a: x = 5.33448 sin(a/2) sin b, y = 2.48206 sin(a/2) t,
// where cos b = t and b takes the sign of the longitude. sin b is taken as
// cos(asin s) |sin(lon/3)| / sin a, which equals sqrt(1 - t^2) but keeps the
// centre meridian at x = 0 where t rounds to just below 1.
void clsVospProjector::SetUpWagner7() {
    const double s0 = std::sin(mLat0) * 0.90631;
    const double psi0 = ArcSin(s0);
    const double k = IsNearZero(psi0) ? 1.0 : s0 / std::sin(psi0);
    mYOffset = 2.48206 * std::sin(psi0 / 2) * k;
    mLimit = 1.4452633;
    mSetUp = true;
}

void clsVospProjector::FwdWagner7() {
    double p1, p2, q1, q2;
    Wagner7Lat(mLat, p1, p2);
    Wagner7Lon(mLon, q1, q2);
    Wagner7Combine(p1, p2, q1, q2);
}

// s and cos(asin s)
void clsVospProjector::Wagner7Lat(double lat, double& p1, double& p2) {
    p1 = 0.90631 * std::sin(lat);
    p2 = std::sqrt(1 - p1 * p1);
}

// sin and cos of lon/3
void clsVospProjector::Wagner7Lon(double lon, double& q1, double& q2) {
    const double l3 = lon / 3;
    q1 = std::sin(l3);
    q2 = std::cos(l3);
}

void clsVospProjector::Wagner7Combine(double s, double cpsi, double sl, double cl) {
    const double ca = cpsi * cl;
    const double halfA = std::sqrt((1 - ca) / 2);
    if (ca > 0.9999999999 && IsNearZero(ArcCos(ca))) {
        mX = 0; // t = 1, b = 0
        mY = 2.48206 * halfA;
    } else {
        const double sa = std::sqrt(1 - ca * ca);
        double sb = cpsi * std::fabs(sl) / sa;
        if (mLon < 0) sb = -sb;
        mX = 5.33448 * halfA * sb;
        mY = 2.48206 * halfA * (s / sa);
    }
    mValid = true;
}

// Shared inverse of 20 and 30.
void clsVospProjector::InvBySearch() {
    if (!YInLimit()) return;
    SearchInverse();
}

// 30 Winkel tripel: the mean of Aitoff and the equirectangular projection
// with standard parallel 50 degrees 28'.
void clsVospProjector::FwdWinkel() {
    double p1, p2, q1, q2;
    WinkelLat(mLat, p1, p2);
    WinkelLon(mLon, q1, q2);
    WinkelCombine(p1, p2, q1, q2);
}

void clsVospProjector::WinkelLat(double lat, double& p1, double& p2) {
    p1 = std::cos(lat);
    p2 = std::sin(lat);
}

void clsVospProjector::WinkelLon(double lon, double& q1, double& q2) {
    const double a = lon / 2;
    q1 = std::cos(a);
    q2 = std::sin(a);
}

void clsVospProjector::WinkelCombine(double cb, double sb, double ca, double sa) {
    const double a = mLon / 2;
    const double b = mLat;
    const double cc = ca * cb;
    const double sc = std::sqrt(1 - cc * cc);
    // ArcCos(cc), reusing its square root.
    const double c = cc >= 1 ? 0.0 : cc <= -1 ? kPi : std::atan(-cc / sc) + kHalfPi;
    if (sc <= 1e-6) {
        mX = 0.636527025593367 * a;
        mY = (b + c) / 2;
    } else {
        const double k = c / sc;
        mX = k * cb * sa + 0.636527025593367 * a;
        mY = (b + k * sb) / 2;
    }
    mValid = true;
}
