#include "render/RegValues.h"

#include "core/Library.h"
#include "core/PublicVal.h"

#include <cmath>

namespace RegValues {

double TextToDouble(const QString& text, double def) {
    bool ok = false;
    const double v = Library::TrimBlanks(text).toDouble(&ok);
    return ok && std::isfinite(v) ? v : def;
}

int32_t TextToLong(const QString& text, int32_t def) {
    const double v = TextToDouble(text, std::nan(""));
    if (std::isnan(v) || v < -2147483648.5 || v > 2147483647.5) return def;
    return Library::DblToLng(v);
}

bool TextToBool(const QString& text, bool def) {
    const QString t = Library::TrimBlanks(text);
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    const double v = TextToDouble(t, std::nan(""));
    if (std::isnan(v)) return def;
    return v != 0;
}

bool GetBool(const clsRegistry& reg, const QString& key, bool def) { return TextToBool(reg.RegGet(key, def), def); }

int32_t GetLong(const clsRegistry& reg, const QString& key, int32_t def) {
    return TextToLong(reg.RegGet(key, def), def);
}

int16_t GetInteger(const clsRegistry& reg, const QString& key, int16_t def) {
    const int32_t v = GetLong(reg, key, def);
    return v < -32768 || v > 32767 ? def : static_cast<int16_t>(v);
}

double GetDouble(const clsRegistry& reg, const QString& key, double def) {
    return TextToDouble(reg.RegGet(key, def), def);
}

double EnvVal(const char* key, double def, double min, double max) {
    return PublicVal::EnvVal(QString::fromLatin1(key), def, min, max);
}

int32_t EnvInt(const char* key, int32_t def, int32_t min, int32_t max) {
    return Library::DblToLng(EnvVal(key, def, min, max));
}

QString EnvText(const char* key, const QString& def) { return PublicVal::EnvString(QString::fromLatin1(key), def); }

} // namespace RegValues
