#include "core/ScreenDpiMark.h"

#include "core/Library.h"
#include "core/clsRegistry.h"
#include "platform/Desktop.h"

namespace ScreenDpiMark {

QString MarkerKey(const QString& key) { return key + QStringLiteral("Auto"); }

bool IsScreenLike(int32_t dpi) {
    if (dpi == Library::ScreenDPI()) return true;
    const int tpp = Desktop::TwipsPerPixelX();
    for (int quarters = 4; quarters <= 16; ++quarters)
        if (Desktop::ScreenDpi(Desktop::DeviceTwipsPerPixel(tpp, quarters / 4.0)) == dpi) return true;
    return false;
}

bool FromScreen(int32_t stored, const QString& marker) {
    const QString t = Library::TrimBlanks(marker);
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    return IsScreenLike(stored);
}

bool FromScreen(const clsRegistry& reg, const QString& key, int32_t stored) {
    return FromScreen(stored, reg.RegGet(MarkerKey(key), QString()));
}

void Forget(clsRegistry& reg) {
    // Emptied, not deleted: the section keeps its order of keys.
    const QString absent = QStringLiteral("\x01");
    for (const char* key : {"ScreenDPI", "DPI", "DpiX", "DpiY"}) {
        const QString marker = MarkerKey(QLatin1String(key));
        if (reg.RegGet(marker, absent) != absent) reg.RegPut(marker, QString());
    }
}

} // namespace ScreenDpiMark
