#include "core/Library.h"

#include "core/ErrorMng.h"
#include "platform/ApiLib.h"
#include "platform/Cp932Codec.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

#include "platform/VospError.h"

#include <cmath>

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

double ArcSin(double x) {
    if (x >= 1) return 1.5707963267949;
    if (x <= -1) return -1.5707963267949;
    return std::atan(x / std::sqrt(1 - x * x));
}

double ArcCos(double x) {
    if (x >= 1) return 0;
    if (x <= -1) return 3.14159265358979;
    return std::atan(-x / std::sqrt(1 - x * x)) + 1.5707963267949;
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

QString ChangeExt(const QString& path, const QString& ext) {
    QString base = path;
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (path[i] == QLatin1Char('.')) {
            base = path.left(i);
            break;
        }
        if (IsSep(path[i])) break;
    }
    const QString e = ext.startsWith(QLatin1Char('.')) ? ext.mid(1) : ext;
    return base + QLatin1Char('.') + e;
}

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
    const QStringList families = ApiLib::FontFamilies();
    return std::any_of(families.begin(), families.end(),
                       [&](const QString& f) { return f.compare(faceName, Qt::CaseInsensitive) == 0; });
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

int16_t ScreenDPI() { return static_cast<int16_t>(1440 / Desktop::TwipsPerPixelX()); }

int32_t DblToLng(double x) {
    if (std::isnan(x)) ThrowError(6);
    if (x > 2147483646.0) return 2147483647;
    if (x < -2147483646.0) return -2147483647;
    return static_cast<int32_t>(std::nearbyint(x));
}

QString NumStr(double x) {
    if (x == 0) return QStringLiteral("0");
    return QString::number(x, 'G', 15);
}

} // namespace Library
