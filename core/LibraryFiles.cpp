#include "core/LibraryFiles.h"

#include "core/LibraryMessages.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>

namespace Library {

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

} // namespace Library
