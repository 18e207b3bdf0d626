#include "core/LibraryNumerals.h"

#include "core/ErrorMng.h"
#include "core/LibraryMaths.h"
#include "core/LibraryNumberText.h"
#include "core/LibraryText.h"
#include "platform/VospError.h"

#include <QHash>

#include <cmath>

namespace Library {
namespace {

const QString kObj = QStringLiteral("basLibrary");

enum class Kind { Other, Digit, Small, Large, Point, Group };

struct Numeral {
    Kind kind = Kind::Other;
    char16_t digit = 0; // the ASCII digit of a Digit
    double value = 0;   // multiplier of Small and Large (fraction units too)
};

Numeral Classify(char16_t c) {
    static const QHash<char16_t, Numeral> table = [] {
        QHash<char16_t, Numeral> t;
        for (char16_t d = 0; d < 10; ++d) {
            t.insert(char16_t(u'0' + d), {Kind::Digit, char16_t(u'0' + d), 0});
            t.insert(char16_t(0xFF10 + d), {Kind::Digit, char16_t(u'0' + d), 0});
        }
        const char16_t kanji[] = u"〇0零0一1壱1二2弐2三3参3四4肆4五5伍5六6陸6七7漆7八8捌8九9玖9";
        for (int i = 0; kanji[i]; i += 2) t.insert(kanji[i], {Kind::Digit, kanji[i + 1], 0});
        const QList<QPair<char16_t, double>> small = {{u'十', 10},  {u'拾', 10},   {u'百', 100}, {u'佰', 100},
                                                      {u'千', 1000}, {u'阡', 1000}, {u'仟', 1000}, {u'廿', 20},
                                                      {u'卅', 30}};
        for (const auto& m : small) t.insert(m.first, {Kind::Small, 0, m.second});
        const QList<QPair<char16_t, double>> large = {{u'万', 1e4},  {u'萬', 1e4},  {u'億', 1e8},
                                                      {u'兆', 1e12}, {u'京', 1e16}, {u'割', 0.1},
                                                      {u'分', 0.01}, {u'厘', 0.001}, {u'毛', 0.0001}};
        for (const auto& m : large) t.insert(m.first, {Kind::Large, 0, m.second});
        for (char16_t p : {u'.', u'．', u'・'}) t.insert(p, {Kind::Point, 0, 0});
        for (char16_t g : {u',', u'，'}) t.insert(g, {Kind::Group, 0, 0});
        return t;
    }();
    return table.value(c);
}

// Digits and small multipliers: what may follow a decimal point or a group separator.
bool InNumeralSet(const QString& s, qsizetype i) {
    if (i >= s.size()) return false;
    const Kind k = Classify(s[i].unicode()).kind;
    return k == Kind::Digit || k == Kind::Small;
}

// The system's text of a number, but small values written out as plain
// decimals ("0.000004848", not "4.848E-06"): an exponent letter in the middle
// of a text would be read as a word by the angle and length readers.
QString PlainNumStr(double x) {
    const QString t = NumStr(x);
    const qsizetype e = t.indexOf(QStringLiteral("E-"));
    if (e < 0) return t;
    QString mantissa = t.left(e);
    const int exponent = t.mid(e + 2).toInt();
    const bool negative = mantissa.startsWith(QLatin1Char('-'));
    if (negative) mantissa.remove(0, 1);
    mantissa.remove(QLatin1Char('.'));
    return (negative ? QStringLiteral("-0.") : QStringLiteral("0.")) + QString(exponent - 1, QLatin1Char('0')) +
           mantissa;
}

} // namespace

QString KansujiToArabic(const QString& text) {
    QString s = text;
    s.replace(QChar(0xFF0D), QLatin1Char('-'));
    s.replace(QChar(0xFF0B), QLatin1Char('+'));
    QString result, digits;
    double sum = 0, total = 0;
    bool inNumber = false;
    // One step past the end: the empty character there closes a pending number.
    for (qsizetype i = 0; i <= s.size(); ++i) {
        const bool atEnd = i == s.size();
        const Numeral n = atEnd ? Numeral{} : Classify(s[i].unicode());
        switch (n.kind) {
        case Kind::Digit:
            digits += QChar(n.digit);
            inNumber = true;
            continue;
        case Kind::Small:
            sum += (digits.isEmpty() ? 1.0 : Val(digits)) * n.value;
            digits.clear();
            inNumber = true;
            continue;
        case Kind::Large:
            if (!inNumber) break;
            if (!digits.isEmpty()) sum += Val(digits);
            digits.clear();
            total += n.value * sum;
            sum = 0;
            continue;
        case Kind::Point:
            if (!InNumeralSet(s, i + 1)) break;
            if (!digits.contains(QLatin1Char('.'))) digits += QLatin1Char('.');
            inNumber = true;
            continue;
        case Kind::Group:
            if (inNumber && InNumeralSet(s, i + 1)) continue;
            break;
        case Kind::Other:
            break;
        }
        if (inNumber) {
            if (!digits.isEmpty()) sum += Val(digits);
            total += sum;
            result += PlainNumStr(total);
            digits.clear();
            sum = total = 0;
            inNumber = false;
        }
        if (!atEnd) result += s[i];
    }
    return result;
}

double JstrToDouble(const QString& text) {
    try {
        return CDbl(KansujiToArabic(NarrowStr(UpperLatin(TrimBlanks(text)))));
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1002, kObj, QStringLiteral("JstrToDouble"));
    }
}

int32_t JstrToLong(const QString& text) {
    double x;
    try {
        x = CDbl(KansujiToArabic(NarrowStr(UpperLatin(TrimBlanks(text)))));
    } catch (...) {
        return 0;
    }
    const double r = std::nearbyint(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return 0;
    if (r == -2147483648.0) return INT32_MIN;
    return DblToLng(r);
}

double StrToMeter(const QString& text, const QString& defaultUnit) {
    struct Unit {
        const char16_t* name;
        double metres;
    };
    static const Unit units[] = {
        {u"ﾒｰﾄﾙ", 1}, {u"meter", 1}, {u"metre", 1}, {u"m", 1},
        {u"ｾﾝﾁﾒｰﾄﾙ", 0.01}, {u"ｾﾝﾁ", 0.01}, {u"㎝", 0.01}, {u"centi meter", 0.01}, {u"cm", 0.01},
        {u"ﾐﾘﾒｰﾄﾙ", 0.001}, {u"ﾐﾘ", 0.001}, {u"㎜", 0.001}, {u"mili meter", 0.001}, {u"mm", 0.001},
        {u"ﾏｲｸﾛﾒｰﾄﾙ", 1e-06}, {u"ﾏｲｸﾛ", 1e-06}, {u"micro meter", 1e-06}, {u"μm", 1e-06}, {u"um", 1e-06},
        {u"ﾅﾉﾒｰﾄﾙ", 1e-09}, {u"ﾅﾉ", 1e-09}, {u"nano meter", 1e-09}, {u"nm", 1e-09},
        {u"ｷﾛﾒｰﾄﾙ", 1000}, {u"ｷﾛ", 1000}, {u"㎞", 1000}, {u"kilo meter", 1000}, {u"km", 1000},
        {u"ｲﾝﾁ", 0.0254}, {u"inch", 0.0254}, {u"in", 0.0254}, {u"\"", 0.0254},
        {u"ﾌｨｰﾄ", 0.3048}, {u"ﾌｰﾄ", 0.3048}, {u"feet", 0.3048}, {u"foot", 0.3048}, {u"ft", 0.3048}, {u"'", 0.3048},
        {u"ﾔｰﾄﾞ", 0.9144}, {u"yard", 0.9144}, {u"yd", 0.9144},
        {u"ﾁｪｰﾝﾞ", 20.1168}, {u"chain", 20.1168}, {u"ch", 20.1168},
        {u"ﾏｲﾙ", 1609.344}, {u"mile", 1609.344}, {u"mi", 1609.344}, {u"ml", 1609.344},
        {u"海里", 1852}, {u"浬", 1852}, {u"ｶｲﾘ", 1852}, {u"nautical mile", 1852}, {u"sea mile", 1852},
        {u"M", 1852}, {u"NM", 1852}, {u"nmi", 1852},
        {u"寸", 0.030303}, {u"尺", 0.30303}, {u"間", 1.818181}, {u"町", 109.09}, {u"里", 3927.2},
        {u"ﾄｩｲｯﾌﾟ", 1.763889e-05}, {u"Twip", 1.763889e-05}, {u"twip", 1.763889e-05},
        {u"ﾎﾟｲﾝﾄ", 0.000352778}, {u"point", 0.000352778}, {u"pt", 0.000352778},
        {u"天文単位", 149600000000}, {u"AU", 149600000000},
    };
    static const QString numberChars = QStringLiteral(" 0123456789.-+Ee&HhOo,");
    try {
        QString s = KansujiToArabic(NarrowStr(TrimBlanks(text)));
        bool negative = false;
        if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+'))) {
            negative = s[0] == QLatin1Char('-');
            s.remove(0, 1);
        }
        if (s.endsWith(QLatin1Char('-')) || s.endsWith(QLatin1Char('+'))) {
            negative = s.endsWith(QLatin1Char('-'));
            s.chop(1);
        }
        double defaultFactor = 1;
        for (const Unit& u : units)
            if (defaultUnit == QString::fromUtf16(u.name)) {
                defaultFactor = u.metres;
                break;
            }
        double sum = 0;
        while (!s.isEmpty()) {
            const qsizetype before = s.size();
            qsizetype n = 0;
            while (n < s.size() && numberChars.contains(s[n])) ++n;
            const double number = JstrToDouble(s.left(n)); // an empty prefix raises 13
            s.remove(0, n);
            double factor = defaultFactor;
            qsizetype best = 0;
            for (const Unit& u : units) {
                const QString name = QString::fromUtf16(u.name);
                if (name.size() > best && s.startsWith(name)) {
                    best = name.size();
                    factor = u.metres;
                }
            }
            s.remove(0, best);
            sum += factor * number;
            if (s.size() == before) ThrowError(13);
        }
        return negative ? -sum : sum;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1002, kObj, QStringLiteral("StrToMeter"));
    }
}

QString NumToKanjiUnits(double x, bool compact) {
    const double a = std::fabs(x);
    const double cho = std::floor(a / 1e12);
    double rest = a - 1e12 * cho;
    const double oku = std::floor(rest / 1e8);
    rest -= 1e8 * oku;
    const double man = std::floor(rest / 1e4);
    const double ones = rest - 1e4 * man;
    QString text;
    if (cho > 0) text += NumStr(cho) + QStringLiteral("兆");
    if (oku > 0) text += NumStr(oku) + QStringLiteral("億");
    if (man > 0) text += NumStr(man) + QStringLiteral("万");
    if (ones > 0) text += NumStr(ones);
    if (compact) {
        const auto roundHundreds = [](double v) { return v >= 1000 && std::fmod(v, 100) == 0; };
        if (cho > 0 && roundHundreds(oku) && man == 0 && ones == 0)
            text = NumStr(a / 1e12) + QStringLiteral("兆");
        else if (cho == 0 && oku > 0 && roundHundreds(man) && ones == 0)
            text = NumStr(a / 1e8) + QStringLiteral("億");
        else if (cho == 0 && oku == 0 && man > 0 && roundHundreds(ones))
            text = NumStr(a / 1e4) + QStringLiteral("万");
    }
    if (x < 0 && !text.isEmpty()) text.prepend(QLatin1Char('-'));
    return text;
}

} // namespace Library
