// Checks the projection engine from outside: one conversion per input line.
//
//   prjcalc [-i] [-r METRES] < points
//
// Forward (default), per line: index centerLonSec centerLatSec light lonSec latSec
//   prints: x y ok            (metres with 6 decimals; ok is 1 or 0)
// Inverse (-i), per line:      index centerLonSec centerLatSec light x y
//   prints: lonSec latSec ok
// A light outside 1.005..201 leaves the viewing distance unset. A line that
// cannot be read prints zeros with ok 0.
#include "core/MapProjection.h"
#include "core/clsVospProjector.h"

#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

namespace {

bool ReadInt(std::istringstream& in, int64_t& v, int64_t lo, int64_t hi) {
    std::string tok;
    if (!(in >> tok)) return false;
    errno = 0;
    char* end = nullptr;
    const long long r = std::strtoll(tok.c_str(), &end, 10);
    if (errno != 0 || end == tok.c_str() || *end != '\0' || r < lo || r > hi) return false;
    v = r;
    return true;
}

bool ReadDouble(std::istringstream& in, double& v) {
    std::string tok;
    if (!(in >> tok)) return false;
    errno = 0;
    char* end = nullptr;
    v = std::strtod(tok.c_str(), &end);
    return errno == 0 && end != tok.c_str() && *end == '\0' && std::isfinite(v);
}

bool AtEnd(std::istringstream& in) {
    std::string rest;
    return !(in >> rest);
}

int Usage() {
    std::fprintf(stderr, "usage: prjcalc [-i] [-r METRES] < lines\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    bool inverse = false;
    double radius = MapProjection::DefaultGlobeRadius;
    for (int a = 1; a < argc; ++a) {
        if (std::strcmp(argv[a], "-i") == 0) {
            inverse = true;
        } else if (std::strcmp(argv[a], "-r") == 0 && a + 1 < argc) {
            char* end = nullptr;
            radius = std::strtod(argv[++a], &end);
            if (end == argv[a] || *end != '\0') return Usage();
        } else {
            return Usage();
        }
    }
    MapProjection::InitGlobeRadius(radius);

    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        int64_t index = 0, clon = 0, clat = 0;
        double light = 0;
        bool ok = ReadInt(in, index, -32768, 32767) && ReadInt(in, clon, INT32_MIN, INT32_MAX) &&
                  ReadInt(in, clat, INT32_MIN, INT32_MAX) && ReadDouble(in, light);
        clsVospProjector p;
        if (ok) {
            p.SetPrjIndex(static_cast<int16_t>(index));
            ok = p.PrjIndex() == index;
            p.SetCenterLon(static_cast<int32_t>(clon));
            p.SetCenterLat(static_cast<int32_t>(clat));
            p.SetLight(light);
        }
        if (inverse) {
            double x = 0, y = 0;
            int32_t lon = 0, lat = 0;
            ok = ok && ReadDouble(in, x) && ReadDouble(in, y) && AtEnd(in);
            ok = ok && p.CnvXYtoLL(x, y, lon, lat);
            std::printf("%" PRId32 " %" PRId32 " %d\n", lon, lat, ok ? 1 : 0);
        } else {
            int64_t lon = 0, lat = 0;
            double x = 0, y = 0;
            ok = ok && ReadInt(in, lon, INT32_MIN, INT32_MAX) && ReadInt(in, lat, INT32_MIN, INT32_MAX) && AtEnd(in);
            ok = ok && p.CnvLLtoXY(static_cast<int32_t>(lon), static_cast<int32_t>(lat), x, y);
            if (!std::isfinite(x) || !std::isfinite(y)) x = y = 0;
            std::printf("%.6f %.6f %d\n", x, y, ok ? 1 : 0);
        }
    }
    return 0;
}
