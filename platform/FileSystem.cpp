#include "platform/FileSystem.h"

#include "platform/Cp932Codec.h"
#include "platform/VospError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace FileSystem {
namespace {

QString g_programFolder;

bool StatPath(const QString& path, struct stat& st) {
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

QString FindEntryIgnoringCase(const QString& folder, const QString& name) {
    DIR* d = ::opendir(QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder).constData());
    if (!d) return {};
    QString found;
    while (dirent* e = ::readdir(d)) {
        const QString entry = QFile::decodeName(e->d_name);
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            if (found.isEmpty() || entry < found) found = entry; // a fixed choice among several
        }
    }
    ::closedir(d);
    return found;
}

} // namespace

QString ResolvePath(const QString& path) {
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.isEmpty()) return p;
    struct stat st;
    if (StatPath(p, st)) return p;

    const bool absolute = p.startsWith(QLatin1Char('/'));
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString cur = absolute ? QStringLiteral("/") : QString();
    bool missing = false;
    for (const QString& part : parts) {
        QString next;
        if (!missing && part != QLatin1String(".") && part != QLatin1String("..")) {
            const QString candidate = cur + part;
            if (!StatPath(candidate, st)) {
                const QString match = FindEntryIgnoringCase(cur, part);
                if (match.isEmpty()) missing = true;
                next = match.isEmpty() ? part : match;
            } else {
                next = part;
            }
        } else {
            next = part;
        }
        cur += next + QLatin1Char('/');
    }
    if (cur.size() > 1) cur.chop(1);
    return cur;
}

QString NormalPath(const QString& path) {
    if (path.isEmpty()) return path;
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!p.startsWith(QLatin1Char('/'))) p = QDir::currentPath() + QLatin1Char('/') + p;
    // ".." first, so that each component is looked for where it really is.
    return ResolvePath(QDir::cleanPath(p));
}

bool Exists(const QString& path) {
    struct stat st;
    return !path.isEmpty() && StatPath(ResolvePath(path), st);
}

bool IsFile(const QString& path) {
    struct stat st;
    return !path.isEmpty() && StatPath(ResolvePath(path), st) && S_ISREG(st.st_mode);
}

bool IsFolder(const QString& path) {
    struct stat st;
    return !path.isEmpty() && StatPath(ResolvePath(path), st) && S_ISDIR(st.st_mode);
}

int64_t FolderTime(const QString& folder) {
    struct stat st;
    if (folder.isEmpty() || !StatPath(folder, st) || !S_ISDIR(st.st_mode)) return -1;
    return int64_t(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
}

bool IsReadOnly(const QString& path) {
    struct stat st;
    if (path.isEmpty() || !StatPath(ResolvePath(path), st)) return false;
    return (st.st_mode & 0222) == 0;
}

bool IsWritableFolder(const QString& folder) {
    const QByteArray tmpl = QFile::encodeName(ResolvePath(folder) + QStringLiteral("/.vosp-XXXXXX"));
    QByteArray buf = tmpl;
    const int fd = ::mkstemp(buf.data());
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(buf.constData());
    return true;
}

QString ProgramFolder() {
    if (!g_programFolder.isEmpty()) return g_programFolder;
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return QDir::currentPath();
    return QFileInfo(QFile::decodeName(QByteArray(buf, static_cast<int>(n)))).absolutePath();
}

void SetProgramFolder(const QString& folder) { g_programFolder = folder; }

QString WritableFolder() {
    const QString prog = ProgramFolder();
    if (IsWritableFolder(prog)) return prog;
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
    const QString folder = base + QStringLiteral("/vosperal");
    QDir().mkpath(folder);
    return folder;
}

QString OwnFilePath(const QString& name) {
    const QString w = WritableFolder() + QLatin1Char('/') + name;
    if (Exists(w)) return ResolvePath(w);
    const QString p = ProgramFolder() + QLatin1Char('/') + name;
    if (Exists(p)) return ResolvePath(p);
    return w;
}

QString ChangeExtension(const QString& path, const QString& ext) {
    QString base = path;
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (path[i] == QLatin1Char('.')) {
            base = path.left(i);
            break;
        }
        if (path[i] == QLatin1Char('\\') || path[i] == QLatin1Char('/')) break;
    }
    const QString e = ext.startsWith(QLatin1Char('.')) ? ext.mid(1) : ext;
    return base + QLatin1Char('.') + e;
}

namespace {

std::function<void()> g_beforeOpen;
QByteArray g_descriptorFolder; // "": /proc/self/fd/

// The file `pathFd` stands for, opened for reading; -1 and errno on failure.
int OpenDescriptor(int pathFd, const QByteArray& name) {
    // Through /proc it is the same file, and the open waits as a plain one
    // does: a lease (Samba's oplocks, an NFS server) is broken and waited
    // out, not refused.
    const QByteArray folder = g_descriptorFolder.isEmpty() ? QByteArrayLiteral("/proc/self/fd/") : g_descriptorFolder;
    int fd = ::open((folder + QByteArray::number(pathFd)).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 || errno != ENOENT) return fd;
    // No /proc: by name, without waiting, as a FIFO may have taken its place.
    fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat st;
    int e = 0;
    if (::fstat(fd, &st) != 0)
        e = errno;
    else if (!S_ISREG(st.st_mode))
        e = EISDIR;
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        e = errno;
    if (e == 0) return fd;
    ::close(fd);
    errno = e;
    return -1;
}

} // namespace

void SetReadOpenHookForTests(std::function<void()> beforeOpen, const QByteArray& descriptorFolder) {
    g_beforeOpen = std::move(beforeOpen);
    g_descriptorFolder = descriptorFolder;
}

int OpenForReading(const QString& path, struct stat& st) {
    const QByteArray name = QFile::encodeName(ResolvePath(path));
    // Only a regular file is read: opening a FIFO waits for a writer for
    // good, and a device may never end. A path descriptor opens neither, and
    // keeps hold of the file checked until it is opened for reading.
    const int pathFd = ::open(name.constData(), O_PATH | O_CLOEXEC);
    if (pathFd < 0) ThrowFileError(errno, path);
    int e = 0, fd = -1;
    if (::fstat(pathFd, &st) != 0)
        e = errno;
    else if (!S_ISREG(st.st_mode))
        e = EISDIR;
    else {
        if (g_beforeOpen) g_beforeOpen();
        fd = OpenDescriptor(pathFd, name);
        if (fd < 0) e = errno;
    }
    ::close(pathFd);
    // The size as it is now: a lease's holder may have written before it let go.
    if (e == 0 && ::fstat(fd, &st) != 0) e = errno;
    if (e != 0) {
        if (fd >= 0) ::close(fd);
        ThrowFileError(e, path);
    }
    return fd;
}

QByteArray ReadAll(const QString& path) {
    struct stat st;
    const int fd = OpenForReading(path, st);
    QByteArray out;
    out.reserve(static_cast<qsizetype>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            ThrowFileError(e, path);
        }
        if (n == 0) break;
        out.append(buf, n);
    }
    ::close(fd);
    return out;
}

namespace {

// The file a chain of symbolic links ends at: replacing the link itself
// would cut it off from the file it stands for.
QString FollowLinks(QString p) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        const QByteArray name = QFile::encodeName(p);
        if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        char buf[4096];
        const ssize_t n = ::readlink(name.constData(), buf, sizeof buf - 1);
        if (n <= 0) return p;
        const QString target = QFile::decodeName(QByteArray(buf, static_cast<int>(n)));
        p = target.startsWith(QLatin1Char('/')) ? target : QFileInfo(p).path() + QLatin1Char('/') + target;
    }
    return p;
}

void SyncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

void WriteAtomic(const QString& path, const QByteArray& bytes, bool sync) {
    const QString real = FollowLinks(ResolvePath(path));
    const QFileInfo info(real);
    const QString folder = info.path();
    struct stat st;
    if (!StatPath(folder, st)) ThrowFileError(ENOENT, folder, true);
    QByteArray tmp = QFile::encodeName(folder + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) ThrowFileError(errno, path);
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            ::unlink(tmp.constData());
            ThrowFileError(e, path);
        }
        p += n;
        left -= n;
    }
    // Keep the old file's permission bits; a new file gets the usual ones.
    mode_t mode = 0644;
    struct stat old;
    if (StatPath(real, old)) {
        mode = old.st_mode & 07777;
        // Only a privileged process may give the file away; others keep it.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        }
    }
    ::fchmod(fd, mode);
    // On disk before it takes the old file's place: a power loss leaves
    // one of the two whole.
    if (sync && ::fsync(fd) != 0) {
        const int e = errno;
        ::close(fd);
        ::unlink(tmp.constData());
        ThrowFileError(e, path);
    }
    if (::close(fd) != 0) {
        const int e = errno;
        ::unlink(tmp.constData());
        ThrowFileError(e, path);
    }
    if (::rename(tmp.constData(), QFile::encodeName(real).constData()) != 0) {
        const int e = errno;
        ::unlink(tmp.constData());
        ThrowFileError(e, path);
    }
    if (sync) SyncFolder(folder);
}

void MakeFolder(const QString& folder) {
    if (IsFolder(folder)) return;
    if (::mkdir(QFile::encodeName(ResolvePath(folder)).constData(), 0777) != 0) ThrowFileError(errno, folder, true);
}

QStringList SplitLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
    return lines;
}

QStringList ReadCp932Lines(const QString& path) {
    const QByteArray bytes = ReadAll(path);
    // Split the bytes first: LF never occurs as a CP932 trail byte, and each
    // line is decoded whole, so a 0x5C trail byte stays inside its character.
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype end = bytes.indexOf('\n', start);
        const bool last = end < 0;
        if (last) end = n;
        qsizetype len = end - start;
        if (len > 0 && bytes[start + len - 1] == '\r') --len;
        lines.append(Cp932Decode(bytes.constData() + start, len));
        start = end + 1;
    }
    return lines;
}

QByteArray Cp932Lines(const QStringList& lines) {
    QByteArray out;
    for (const QString& l : lines) {
        out += Cp932Encode(l);
        out += "\r\n";
    }
    return out;
}

void WriteCp932Lines(const QString& path, const QStringList& lines) { WriteAtomic(path, Cp932Lines(lines)); }

} // namespace FileSystem
