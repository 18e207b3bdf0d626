#include "document/HMap.h"

#include <cmath>
#include <random>

namespace HMap {

namespace {

const QDate kDayZero(1899, 12, 30);

NativeColorFn& ColorHook() {
    static NativeColorFn hook;
    return hook;
}

int32_t RandomDigits() {
    thread_local std::mt19937 gen{std::random_device{}()};
    return static_cast<int32_t>(std::uniform_int_distribution<int32_t>(0, 99999)(gen));
}

} // namespace

double FigIDSecondNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const qint64 days = kDayZero.daysTo(now.date());
    return static_cast<double>(days) * 86400.0 + static_cast<double>(now.time().msecsSinceStartOfDay() / 1000);
}

double NewFigIDAt(double creationSecond) { return creationSecond * 100000.0 + RandomDigits(); }

double NewFigID() { return NewFigIDAt(FigIDSecondNow()); }

QDateTime ZeroDate() { return QDateTime(kDayZero, QTime(0, 0)); }

QDateTime FigIDToDate(double id) {
    const double secs = std::floor(id / 100000.0);
    // Years 100..9999 as the original date type knows them.
    if (!std::isfinite(secs) || secs < -657434.0 * 86400.0 || secs > 2958466.0 * 86400.0) return ZeroDate();
    const auto s = static_cast<qint64>(secs);
    qint64 days = s / 86400;
    qint64 rest = s % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    return QDateTime(kDayZero.addDays(days), QTime(0, 0).addSecs(static_cast<int>(rest)));
}

QString FigCodeName(int32_t code, int32_t lang) {
    static const char* const names[2][5] = {
        {"REM", "POLYLINE", "POLYGON", "SYMBOL", "TEXT"},
        {"注釈", "連続線", "多辺形", "点記号", "文字列"},
    };
    if (!IsRightFigCode(code) || (lang != 1 && lang != 2)) return {};
    return QString::fromUtf8(names[lang - 1][code - 1]);
}

QString MapCodeStr(int32_t code) { return (QStringLiteral("000000") + QString::number(code)).right(6); }

int16_t MapCodeKind(int32_t code) { return static_cast<int16_t>((code / 10000) % 10); }

void DecodeAttr104(int32_t attr, int16_t& showMode, int32_t& colour) {
    const auto a = static_cast<uint32_t>(attr);
    showMode = static_cast<int16_t>(static_cast<int32_t>(a & 3u) - 1);
    colour = NativeColor(static_cast<int32_t>((a >> 2) & 63u) - 1);
}

void DecodeAttr105(int32_t attr, int16_t& jumpMark, int16_t& showMode, int32_t& colour) {
    const auto a = static_cast<uint32_t>(attr);
    colour = (a & 0x4000000u) ? static_cast<int32_t>(a & 0xFFFFFFu) : -1;
    showMode = static_cast<int16_t>(static_cast<int32_t>((a >> 24) & 3u) - 1);
    jumpMark = static_cast<int16_t>((a >> 27) & 15u);
}

NativeColorFn SetNativeColorHook(NativeColorFn fn) {
    NativeColorFn old = std::move(ColorHook());
    ColorHook() = std::move(fn);
    return old;
}

int32_t NativeColor(int32_t paletteIndex) {
    if (paletteIndex == -1) return -1;
    const NativeColorFn& hook = ColorHook();
    return hook ? hook(paletteIndex) : -1;
}

} // namespace HMap
