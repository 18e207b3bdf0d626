#include "dialogs/EntryCheck.h"

#include "core/Library.h"
#include "core/MapProjection.h"
#include "document/HMapCoord.h"

double EntryCheck::Number(const QString& text) {
    try {
        return Library::JstrToDouble(text);
    } catch (...) {
        return 0; // unreadable text is out of range
    }
}

void EntryCheck::SayRange(const QString& low, const QString& high) {
    Library::MsgOutOfRange(low + QStringLiteral("～") + high);
}

bool EntryCheck::Within(int32_t v, int32_t low, int32_t high) {
    if (Library::InRange(v, low, high)) return true;
    SayRange(QString::number(low), QString::number(high));
    return false;
}

bool EntryCheck::Scale(const QString& text, double& scale) {
    const double v = Number(text);
    if (!MapProjection::IsValidScale(v)) {
        SayRange(Library::FormatStdInt(MapProjection::ScaleMin), Library::FormatStdInt(MapProjection::ScaleMax));
        return false;
    }
    scale = v;
    return true;
}

bool EntryCheck::Longitude(const QString& text, int32_t& lon) {
    const int32_t v = HMap::MapStrToXSafe(text);
    const bool ok = HMap::IsRightLongitude(v, true);
    if (ok) lon = v;
    return ok;
}

bool EntryCheck::Latitude(const QString& text, int32_t& lat) {
    const int32_t v = HMap::MapStrToYSafe(text);
    const bool ok = HMap::IsRightLatitude(v, true);
    if (ok) lat = v;
    return ok;
}
