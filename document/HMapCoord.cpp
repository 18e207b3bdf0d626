#include "document/HMapCoord.h"

#include "core/AngleLib.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/PublicVal.h"

namespace HMap {
namespace {

int32_t Mode() { return PublicVal::gvMapMode; }

QString KmText(int32_t x) {
    return (QStringLiteral("      ") + QString::number(x / 1000.0, 'f', 3) + QStringLiteral("km")).right(12);
}

QString KmTextCoarse(int32_t x) {
    return (QStringLiteral("     ") + QString::number(x / 1000)).right(6) + QStringLiteral("km");
}

int32_t StrToCoordinate(const QString& text, const char* proc) {
    try {
        if (Mode() == 1) return AngleLib::AngleSecStrToVal(text);
        if (Mode() == 2) return Library::DblToLng(Library::StrToMeter(text, QStringLiteral("km")));
        return 0;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1002, QStringLiteral("basHMap"), QString::fromLatin1(proc));
    }
}

int32_t Safe(int32_t (*parse)(const QString&), const QString& text) {
    try {
        return parse(text);
    } catch (...) {
        return kNoCoordinate;
    }
}

} // namespace

int32_t MapToCoarseUnit(int32_t v) {
    if (Mode() == 1) return v / 60;
    if (Mode() == 2) return v / 1000;
    return 0;
}

int32_t CoarseToMapUnit(int32_t v) {
    int64_t r = 0;
    if (Mode() == 1) r = int64_t(v) * 60;
    else if (Mode() == 2) r = int64_t(v) * 1000;
    if (r > 2147483647) return 2147483647;
    if (r < -2147483647) return -2147483647;
    return static_cast<int32_t>(r);
}

QString MapXText(int32_t x) {
    if (Mode() == 1) return AngleLib::LonToStr(x);
    if (Mode() == 2) return KmText(x);
    return {};
}

QString MapYText(int32_t y) {
    if (Mode() == 1) return AngleLib::LatToStr(y);
    if (Mode() == 2) return KmText(y);
    return {};
}

QString MapXTextCoarse(int32_t x) {
    if (Mode() == 1) return AngleLib::LonMinToStr(MapToCoarseUnit(x));
    if (Mode() == 2) return KmTextCoarse(x);
    return {};
}

QString MapYTextCoarse(int32_t y) {
    if (Mode() == 1) return AngleLib::LatMinToStr(MapToCoarseUnit(y));
    if (Mode() == 2) return KmTextCoarse(y);
    return {};
}

QString MapPointText(MapPoint p) {
    if (Mode() != 1 && Mode() != 2) return {};
    return MapXText(p.lon) + QStringLiteral(", ") + MapYText(p.lat);
}

QString MapPointTextCoarse(MapPoint p) {
    if (Mode() != 1 && Mode() != 2) return {};
    return MapXTextCoarse(p.lon) + QStringLiteral(", ") + MapYTextCoarse(p.lat);
}

QString MapPointText(int32_t x, int32_t y) { return MapPointText(MapPoint{x, y}); }
QString MapPointTextCoarse(int32_t x, int32_t y) { return MapPointTextCoarse(MapPoint{x, y}); }

int32_t MapStrToX(const QString& text) { return StrToCoordinate(text, "MapStrToX"); }
int32_t MapStrToY(const QString& text) { return StrToCoordinate(text, "MapStrToY"); }
int32_t MapStrToXSafe(const QString& text) { return Safe(&MapStrToX, text); }
int32_t MapStrToYSafe(const QString& text) { return Safe(&MapStrToY, text); }

bool IsRightLongitude(int32_t lon, bool message) {
    const bool ok = lon >= -648000 && lon <= 648000;
    if (!ok && message) Library::MsgOutOfRange(QStringLiteral("180°00′00″W～180°00′00″E"));
    return ok;
}

bool IsRightLatitude(int32_t lat, bool message) {
    const bool ok = lat >= -324000 && lat <= 324000;
    if (!ok && message) Library::MsgOutOfRange(QStringLiteral("90°00′00″S～90°00′00″N"));
    return ok;
}

} // namespace HMap
