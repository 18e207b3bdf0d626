#include "core/LibraryText.h"

#include "core/ErrorMng.h"

#include <QHash>

#include <cmath>

namespace Library {
namespace {

const QString kObj = QStringLiteral("basLibrary");

// Full-width katakana -> half-width; voiced ones become two characters.
const QHash<char16_t, QString>& KatakanaTable() {
    static const QHash<char16_t, QString> table = [] {
        QHash<char16_t, QString> t;
        // Plain letters in the order of the half-width block U+FF66..FF9D.
        const char16_t full[] = u"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";
        char16_t half = 0xFF66;
        for (const char16_t* p = full; *p; ++p) t.insert(*p, QString(QChar(half++)));
        const QString dakuten(QChar(0xFF9E)), handakuten(QChar(0xFF9F));
        const char16_t voiced[] = u"ガギグゲゴザジズゼゾダヂヅデドバビブベボ";
        const char16_t voicedBase[] = u"カキクケコサシスセソタチツテトハヒフヘホ";
        for (int i = 0; voiced[i]; ++i) t.insert(voiced[i], t.value(voicedBase[i]) + dakuten);
        const char16_t semi[] = u"パピプペポ";
        const char16_t semiBase[] = u"ハヒフヘホ";
        for (int i = 0; semi[i]; ++i) t.insert(semi[i], t.value(semiBase[i]) + handakuten);
        t.insert(u'ヴ', t.value(u'ウ') + dakuten);
        t.insert(u'ヷ', t.value(u'ワ') + dakuten);
        t.insert(u'ヺ', t.value(u'ヲ') + dakuten);
        return t;
    }();
    return table;
}

} // namespace

QString TrimBlanks(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == QLatin1Char(' ')) ++b;
    while (e > b && s[e - 1] == QLatin1Char(' ')) --e;
    return s.mid(b, e - b);
}

QString QuoteStr(const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

QString UnquoteStr(const QString& s) {
    QString t = TrimBlanks(s);
    if (t.isEmpty() || t == QLatin1String("\"")) return {};
    if (t.startsWith(QLatin1Char('"'))) t.remove(0, 1);
    if (t.endsWith(QLatin1Char('"'))) t.chop(1);
    return t;
}

QString TrimCtrlChars(const QString& s) {
    qsizetype e = s.size();
    while (e > 0 && s[e - 1] == QLatin1Char(' ')) --e;
    while (e > 0 && s[e - 1].unicode() < 32) --e;
    return s.left(e);
}

QString FormatStdInt(double x) {
    // Two decimals first: the cut keeps what that rounding carried over.
    QString digits = QString::number(std::fabs(x), 'f', 2);
    digits.chop(3);
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += QLatin1Char(',');
        out += digits[i];
    }
    const bool zero = QString::number(std::fabs(x), 'f', 2) == QLatin1String("0.00");
    if (x < 0 && !zero) out.prepend(QLatin1Char('-'));
    return out;
}

QString DateTimeDigits(const QString& replacement) {
    return DateTimeDigits(replacement, QDateTime::currentDateTime());
}

QString DateTimeDigits(const QString& replacement, const QDateTime& at) {
    // The formats of the Japanese desktop the program was made for.
    const QString text = at.toString(QStringLiteral("yyyy/MM/dd H:mm:ss"));
    QString out;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) out += c;
        else out += replacement;
    }
    return out;
}

QString FormatAppVersion(int major, int minor, int revision) {
    auto part = [](int v) { return QStringLiteral("%1").arg(v, v < 100 ? 2 : 4, 10, QLatin1Char('0')); };
    QString s = QString::number(major) + QLatin1Char('.') + part(minor);
    if (revision != 0) s += QLatin1Char('.') + part(revision);
    return s;
}

QString GetAppVersion() { return FormatAppVersion(VOSP_VERSION_MAJOR, VOSP_VERSION_MINOR, VOSP_VERSION_PATCH); }

QString NarrowStr(const QString& text) {
    QString out;
    out.reserve(text.size());
    const auto& kata = KatakanaTable();
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c >= 0xFF01 && c <= 0xFF5E) out += QChar(char16_t(c - 0xFF01 + 0x21));
        else if (c == 0x3000) out += QLatin1Char(' ');
        else if (const auto it = kata.constFind(c); it != kata.cend()) out += it.value();
        else out += ch;
    }
    return out;
}

QString UpperLatin(const QString& text) {
    QString out = text;
    for (QChar& ch : out) {
        const char16_t c = ch.unicode();
        if ((c >= u'a' && c <= u'z') || (c >= 0xFF41 && c <= 0xFF5A)) ch = QChar(char16_t(c - 0x20));
    }
    return out;
}

QStringList StrToTokens(const QString& text, int16_t mode, bool keepTrailingEmpty) {
    try {
        QString seps;
        switch (mode) {
        case 1: seps = QStringLiteral(" \u3000\t"); break;
        case 2: seps = QStringLiteral(","); break;
        case 3: seps = QStringLiteral("\t"); break;
        default: seps = QStringLiteral(" \u3000\t,"); break;
        }
        seps += QStringLiteral("\r\n");
        const bool commaSeparates = seps.contains(QLatin1Char(','));
        QStringList tokens;
        QString current;
        bool inQuotes = false, pending = false, afterComma = false;
        for (const QChar c : text) {
            if (c == QLatin1Char('"')) {
                inQuotes = !inQuotes;
            } else if (!inQuotes && seps.contains(c)) {
                const bool comma = c == QLatin1Char(',') && commaSeparates;
                if (comma) pending = true; // ",," gives an empty token
                if (pending) {
                    tokens.append(current);
                    current.clear();
                    pending = false;
                }
                afterComma = comma;
            } else {
                current += c;
                pending = true;
                afterComma = false;
            }
        }
        // The end of the text ends the last token, an open quote or not.
        if (pending) tokens.append(current);
        else if (keepTrailingEmpty && afterComma) tokens.append(QString());
        if (tokens.isEmpty()) tokens.append(QString());
        return tokens;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1002, kObj, QStringLiteral("StrToTokens"));
    }
}

} // namespace Library
