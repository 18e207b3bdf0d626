#include "core/Library.h"

#include "core/ErrorMng.h"
#include "platform/Cp932Codec.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/FontCatalog.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

#include "platform/VospError.h"

#include <QHash>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace Library {

int32_t WrapRange(int32_t v, int32_t lo, int32_t hi) {
    const int64_t span = int64_t(hi) - lo + 1;
    int64_t w = v;
    if (w < lo) w += ((int64_t(lo) - w + span - 1) / span) * span;
    if (w > hi) w -= ((w - hi + span - 1) / span) * span;
    return static_cast<int32_t>(w);
}

int32_t RoundSigDigits(int32_t v, int32_t n) {
    n = Clamp(n, 1, 9);
    int64_t limit = 1;
    for (int i = 0; i < n; ++i) limit *= 10;
    int64_t a = v < 0 ? -int64_t(v) : int64_t(v);
    if (a < limit) return v;
    int64_t scale = 1;
    while (a >= limit) {
        a /= 10;
        scale *= 10;
    }
    const int64_t r = a * scale;
    return static_cast<int32_t>(v < 0 ? -r : r);
}

double Hypot(double x, double y) { return std::sqrt(x * x + y * y); }

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

QString BytesToStr(const QByteArray& bytes) {
    if (bytes.isEmpty() || bytes[0] == '\0') return {};
    return QString::fromLatin1(bytes);
}

QString BytesToStr(const QString& text) { return text; }

QByteArray StrToBytes(const QString& text) {
    if (text.isEmpty()) return QByteArray(1, '\0');
    return Cp932Encode(text);
}

QByteArray StrToBytes(const QByteArray& bytes) { return bytes; }

namespace {

bool IsSep(QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); }

qsizetype LastSep(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (IsSep(path[i])) return i;
    return -1;
}

bool HasSep(const QString& path) { return LastSep(path) >= 0; }

// Paths written with "/" (every POSIX path) are continued with "/"; the
// others with "\", as the data and settings write them.
QChar SepFor(const QString& path) {
    return path.contains(QLatin1Char('/')) ? QLatin1Char('/') : QLatin1Char('\\');
}

} // namespace

bool FileExists(const QString& path) {
    if (path.isEmpty()) return false;
    try {
        return FileSystem::Exists(path);
    } catch (...) {
        return false;
    }
}

QString ChangeExt(const QString& path, const QString& ext) { return FileSystem::ChangeExtension(path, ext); }

QString PathFileName(const QString& path) {
    qsizetype i = LastSep(path);
    if (i < 0) i = path.lastIndexOf(QLatin1Char(':'));
    return i < 0 ? path : path.mid(i + 1);
}

QString PathFolder(const QString& path) {
    const qsizetype i = LastSep(path);
    if (i > 0) return path.left(i);
    // A name just below the root lives in the root ("/x" -> "/").
    if (i == 0) return path.left(1);
    return path;
}

QString JoinPath(const QString& folder, const QString& file) {
    if (HasSep(file)) return file;
    if (!folder.isEmpty() && IsSep(folder.back())) return folder + file;
    return folder + SepFor(folder) + file;
}

QString ShortenPath(const QString& path, int32_t n) {
    if (n <= 0) return {};
    const QString name = PathFileName(path);
    if (name.size() > n) return name.left(n);
    const QChar sep = SepFor(path);
    QString folder = PathFolder(path);
    QString text = path;
    while (text.size() > n) {
        const QString cut = PathFolder(folder);
        // Each round takes a folder off, so this ends at the root at the latest.
        if (folder.size() <= 2 || cut.size() >= folder.size() || !HasSep(folder)) return name;
        folder = cut;
        text = folder + (IsSep(folder.back()) ? QString() : QString(sep)) + QStringLiteral("...") + sep + name;
    }
    return text;
}

bool IsReadOnlyFile(const QString& path, bool showMessage) {
    const bool ro = FileSystem::IsReadOnly(path);
    if (ro && showMessage) MsgError(path + QStringLiteral("\r\nは読み取り専用ファイルです."));
    return ro;
}

namespace {

QRegularExpression WildcardRegex(const QString& mask) {
    // "*.*" matches names without a dot too, as on the original platform.
    const QString m = mask == QLatin1String("*.*") ? QStringLiteral("*") : mask;
    QString rx;
    for (const QChar c : m) {
        if (c == QLatin1Char('*')) rx += QStringLiteral(".*");
        else if (c == QLatin1Char('?')) rx += QLatin1Char('.');
        else rx += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(rx),
                              QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}

bool NameLess(const QString& a, const QString& b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

// `folder` is a real path here, so "/" joins.
QString Child(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

void FindIn(const QString& folder, const QRegularExpression& rx, QStringList& out) {
    const QDir dir(folder);
    QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    std::sort(files.begin(), files.end(), NameLess);
    for (const QString& f : files)
        if (rx.match(f).hasMatch()) out.append(Child(folder, f));
    // Linked folders are not followed: a link back up would never end.
    QStringList subs = dir.entryList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                                     QDir::Unsorted);
    std::sort(subs.begin(), subs.end(), NameLess);
    for (const QString& s : subs) FindIn(Child(folder, s), rx, out);
}

} // namespace

QStringList FindFiles(const QString& pattern) {
    const qsizetype i = LastSep(pattern);
    const QString mask = pattern.mid(i + 1);
    QStringList out;
    if (i < 0) {
        // A bare pattern searches the working folder and gives relative names.
        QStringList rel;
        FindIn(QStringLiteral("."), WildcardRegex(mask), rel);
        for (QString& r : rel) out.append(r.mid(2));
        return out;
    }
    const QString folder = FileSystem::ResolvePath(i == 0 ? pattern.left(1) : pattern.left(i));
    if (!FileSystem::IsFolder(folder)) return out;
    FindIn(folder, WildcardRegex(mask), out);
    return out;
}

bool FontExists(const QString& faceName) {
    const std::vector<FontCatalog::FamilyInfo> families = FontCatalog::InstalledFamilies();
    return std::any_of(families.begin(), families.end(),
                       [&](const FontCatalog::FamilyInfo& f) { return f.name.compare(faceName, Qt::CaseInsensitive) == 0; });
}

void MsgError(const QString& text) { Ui().MsgBox(text, Mb::OkOnly | Mb::Critical, {}); }

bool MsgYesNo(const QString& text) { return Ui().MsgBox(text, Mb::YesNo | Mb::Exclamation, {}) == Mb::Yes; }

void MsgOutOfRange(const QString& rangeText) {
    QString text = QStringLiteral("既定の範囲を超えています.");
    if (!rangeText.isEmpty()) text += QStringLiteral("\r\n") + rangeText;
    Ui().MsgBox(text, Mb::OkOnly | Mb::Exclamation, {});
}

namespace {

// Element n holds the pointer that was current before the n-th push.
std::vector<int16_t> g_pointers(1, 0);
int16_t g_pointerCount = 0;

} // namespace

void ScreenMousePointer(int16_t p) {
    try {
        if (p >= 0) {
            if (g_pointerCount == INT16_MAX) ThrowError(6);
            const int16_t current = Ui().MousePointer();
            ++g_pointerCount;
            if (g_pointers.size() <= size_t(g_pointerCount)) g_pointers.resize(size_t(g_pointerCount) + 1);
            g_pointers[size_t(g_pointerCount)] = current;
            Ui().SetMousePointer(p);
        } else if (g_pointerCount > 0) {
            Ui().SetMousePointer(g_pointers[size_t(g_pointerCount)]);
            --g_pointerCount;
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1002, QStringLiteral("basLibrary"), QStringLiteral("ScreenMousePointer"));
    }
}

BusyPointer::BusyPointer() { ScreenMousePointer(MousePtr::Hourglass); }

BusyPointer::~BusyPointer() {
    try {
        ScreenMousePointer(-1);
    } catch (...) {
    }
}

int16_t ScreenDPI() { return static_cast<int16_t>(Desktop::ScreenDpi(Desktop::DeviceTwipsPerPixelX())); }

void DblToLngNaN() { ThrowError(6); }

QString NumStr(double x) {
    if (x == 0) return QStringLiteral("0");
    return QString::number(x, 'G', 15);
}

} // namespace Library

namespace Library {
namespace {

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// "&H"/"&O" digits after the prefix; the width of the result follows the
// classic rules (a 16-bit value when it fits in 16 bits, else 32 bits).
double ValRadix(const std::u16string& s, size_t pos, int radix) {
    uint64_t v = 0;
    int digits = 0;
    for (; pos < s.size(); ++pos) {
        const int d = HexDigit(s[pos]);
        if (d < 0 || d >= radix) break;
        v = v * radix + d;
        ++digits;
        if (v > 0xFFFFFFFFull) ThrowError(6);
    }
    const bool narrow = radix == 16 ? digits <= 4 : v <= 0xFFFF;
    if (narrow) return static_cast<int16_t>(static_cast<uint16_t>(v));
    if (radix == 16 && digits > 8) ThrowError(6);
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

// The decimal exponent of the leading digit of [sign] digits [. digits]
// [e [sign] digits], saturated; only its sign matters to the caller.
int64_t LeadingExponent(const std::string& num) {
    size_t i = (!num.empty() && (num[0] == '+' || num[0] == '-')) ? 1 : 0;
    int64_t lead = 0;
    bool seen = false, point = false;
    for (; i < num.size() && num[i] != 'e'; ++i) {
        if (num[i] == '.') {
            point = true;
        } else if (!seen && num[i] != '0') {
            seen = true;
        } else if (!seen && point) {
            --lead;
        }
        if (seen && !point && num[i] != '.') ++lead;
    }
    int64_t e = 0;
    bool negative = false;
    if (i < num.size()) {
        ++i;
        if (i < num.size() && (num[i] == '+' || num[i] == '-')) negative = num[i++] == '-';
        for (; i < num.size(); ++i) e = std::min<int64_t>(e * 10 + (num[i] - '0'), 100000);
    }
    return lead + (negative ? -e : e);
}

// A number of the form above with "." whatever the process locale; an
// underflow gives 0 or a tiny value, an overflow error 6.
double ParseCNumber(const std::string& num) {
    const bool minus = !num.empty() && num[0] == '-';
    const char* first = num.data() + ((minus || (!num.empty() && num[0] == '+')) ? 1 : 0);
    double v = 0;
    const auto r = std::from_chars(first, num.data() + num.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        if (LeadingExponent(num) > 0) ThrowError(6);
        v = 0;
    }
    if (std::isinf(v)) ThrowError(6);
    return minus ? -v : v;
}

} // namespace

double Val(const QString& text) {
    std::u16string s;
    s.reserve(static_cast<size_t>(text.size()));
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c != u' ' && c != u'\t' && c != u'\n') s.push_back(c);
    }
    if (s.size() >= 2 && s[0] == u'&') {
        if (s[1] == u'H' || s[1] == u'h') return ValRadix(s, 2, 16);
        if (s[1] == u'O' || s[1] == u'o') return ValRadix(s, 2, 8);
        return 0;
    }
    // The longest prefix of the form [sign] digits [. digits] [E [sign] digits].
    std::string num;
    size_t i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) num.push_back(static_cast<char>(s[i++]));
    int mantissaDigits = 0;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
        num.push_back(static_cast<char>(s[i++]));
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == u'.') {
        num.push_back('.');
        ++i;
        while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
            num.push_back(static_cast<char>(s[i++]));
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return 0;
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
        size_t j = i + 1;
        std::string exp = "e";
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) exp.push_back(static_cast<char>(s[j++]));
        const size_t first = j;
        while (j < s.size() && s[j] >= u'0' && s[j] <= u'9') exp.push_back(static_cast<char>(s[j++]));
        if (j > first) num += exp;
    }
    return ParseCNumber(num);
}

} // namespace Library

// ---------------------------------------------------------------------------
// Japanese numbers, units and tokens

namespace Library {
namespace {

const QString kObj = QStringLiteral("basLibrary");

bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

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

double CDbl(const QString& text) {
    const QString s = TrimBlanks(text);
    std::u16string u(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size()));
    if (u.size() >= 3 && u[0] == u'&') {
        const char16_t p = u[1];
        const int radix = (p == u'H' || p == u'h') ? 16 : (p == u'O' || p == u'o') ? 8 : 0;
        bool ok = radix != 0;
        for (size_t i = 2; ok && i < u.size(); ++i) {
            const int d = HexDigit(u[i]);
            ok = d >= 0 && d < radix;
        }
        if (!ok) ThrowError(13);
        return Val(s);
    }
    std::string num;
    size_t i = 0;
    if (i < u.size() && (u[i] == u'+' || u[i] == u'-')) num.push_back(static_cast<char>(u[i++]));
    int digits = 0;
    while (i < u.size()) {
        if (IsAsciiDigit(u[i])) {
            num.push_back(static_cast<char>(u[i++]));
            ++digits;
        } else if (u[i] == u',' && digits > 0 && i + 1 < u.size() && IsAsciiDigit(u[i + 1])) {
            ++i;
        } else {
            break;
        }
    }
    if (i < u.size() && u[i] == u'.') {
        num.push_back('.');
        ++i;
        while (i < u.size() && IsAsciiDigit(u[i])) {
            num.push_back(static_cast<char>(u[i++]));
            ++digits;
        }
    }
    if (digits == 0) ThrowError(13);
    if (i < u.size() && (u[i] == u'E' || u[i] == u'e' || u[i] == u'D' || u[i] == u'd')) {
        num.push_back('e');
        ++i;
        if (i < u.size() && (u[i] == u'+' || u[i] == u'-')) num.push_back(static_cast<char>(u[i++]));
        const size_t first = i;
        while (i < u.size() && IsAsciiDigit(u[i])) num.push_back(static_cast<char>(u[i++]));
        if (i == first) ThrowError(13);
    }
    if (i != u.size()) ThrowError(13);
    return ParseCNumber(num);
}

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
