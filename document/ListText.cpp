#include "document/ListText.h"

#include "core/Library.h"

#include <climits>

namespace ListText {

QStringList Fields(const QString& line) {
    return Library::StrToTokens(line, 2, true);
}

namespace {

bool IsDigitOf(QChar c, int radix) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0' < radix;
    if (radix == 16) return (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f');
    return false;
}

// Whether the reader finds any number at the start of the field (blanks,
// tabs and line feeds are skipped as the reader skips them).
bool HoldsNumber(const QString& field) {
    QString s;
    for (const QChar c : field)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n')) s += c;
    if (s.size() >= 3 && s.at(0) == QLatin1Char('&')) {
        const QChar r = s.at(1).toUpper();
        if (r == QLatin1Char('H')) return IsDigitOf(s.at(2), 16);
        if (r == QLatin1Char('O')) return IsDigitOf(s.at(2), 8);
        return false;
    }
    qsizetype i = 0;
    if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) ++i;
    if (i < s.size() && IsDigitOf(s.at(i), 10)) return true;
    return i + 1 < s.size() && s.at(i) == QLatin1Char('.') && IsDigitOf(s.at(i + 1), 10);
}

} // namespace

double Number(const QString& field, bool* found) {
    const bool has = HoldsNumber(field);
    if (found) *found = has;
    return has ? Library::Val(field) : 0.0;
}

int32_t Number32(const QString& field, bool* found) {
    const double v = Number(field, found);
    // &H80000000 (system colour 0) lies one below the saturating range.
    if (v == -2147483648.0) return INT32_MIN;
    return Library::DblToLng(v);
}

int16_t Number16(const QString& field, bool* found) {
    return static_cast<int16_t>(Library::Clamp(Number32(field, found), -32768, 32767));
}

QString QuoteName(const QString& name) {
    QString s = name;
    s.replace(QLatin1Char('"'), QChar(0xFF02));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString SafeCommentLine(const QString& line) {
    if (line.isEmpty()) return QStringLiteral(" ");
    QString s = line;
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

QString ColorToHex(int32_t color) {
    return QStringLiteral("&H%1&").arg(static_cast<uint32_t>(color), 8, 16, QLatin1Char('0')).toUpper();
}

QString UpperKey(const QString& text) { return Library::UpperLatin(text); }

QString TrimBlanks(const QString& text) { return Library::TrimBlanks(text); }

} // namespace ListText
