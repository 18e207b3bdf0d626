// progfolder LIST BUILD
// Lays out the files the program needs at start under the build folder
// BUILD. LIST names them, a line each: HOW, SOURCE and NAME, tab-separated
// ("text", ".../Environment.txt", "app/Environment.txt"). A "text" kept as
// UTF-8 is written in the Japanese code page with CR LF, a "copy" byte for
// byte, and an "empty-map" (no SOURCE) is the base unit's empty map.
// The user saves lists and edits Environment.txt in these very folders, so a
// file is replaced only while it still holds what the build laid out last
// (its SHA-256 in BUILD/laidout/NAME.sha256), or, in a folder without
// records, an earlier version of its source in git. Anything else, and
// anything that is no plain file inside BUILD (a link, a folder), is the
// user's and stays as it is; a new shipped version goes to
// BUILD/shipped/NAME, which the program never reads, and one line on stdout
// says so. Nothing is ever written through a link or outside BUILD.
#include "platform/Cp932Codec.h"
#include "platform/FileSystem.h"
#include "platform/VospError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

void Int16(QByteArray& b, int v) {
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>((v >> 8) & 0xFF));
}

// A map file of version 1.06 holding its header record and no figure.
QByteArray EmptyMap() {
    const QByteArray text = Cp932Encode(QStringLiteral("VOSPERAL BASE MAP 1.06"));
    QByteArray b;
    Int16(b, 1);                          // a remark record
    Int16(b, 0);                          // area
    Int16(b, static_cast<int>(text.size())); // ASCII only: characters = bytes
    b.append(text);
    b.append(4, '\0');                    // the attribute word of 1.04 and later
    return b;
}

QByteArray AsLaidOut(const QByteArray& source, bool text) {
    return text ? FileSystem::Cp932Lines(FileSystem::SplitLines(QString::fromUtf8(source))) : source;
}

QByteArray Record(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + '\n';
}

// What stands in a place the tool writes to.
struct Place {
    enum Kind { Missing, File, Foreign } kind = Missing;
    std::optional<QByteArray> bytes; // a file's
};

// Whether a file made at `path` would be inside `root` (canonical), with
// no link on the way leading out.
bool Inside(const QString& path, const QString& root) {
    QString dir = QFileInfo(path).absolutePath();
    for (QFileInfo d(dir); !d.exists() && !d.isSymLink(); d = QFileInfo(dir)) {
        const QString up = d.path();
        if (up == dir) return false;
        dir = up;
    }
    const QString real = QFileInfo(dir).canonicalFilePath();
    return !real.isEmpty() && (real == root || real.startsWith(root + QLatin1Char('/')));
}

Place::Kind KindOf(const QString& path, const QString& root) {
    const QFileInfo info(path);
    if (info.isSymLink() || !Inside(path, root)) return Place::Foreign;
    if (!info.exists()) return Place::Missing;
    return info.isFile() ? Place::File : Place::Foreign;
}

Place Look(const QString& path, const QString& root) {
    const Place::Kind kind = KindOf(path, root);
    if (kind != Place::File) return {kind, {}};
    return {kind, FileSystem::ReadAll(path)};
}

// Written only when the bytes change, so that a file left alone keeps its
// time, and only as a plain file inside the build folder. Tells whether it
// wrote.
bool Put(const QString& path, const QByteArray& bytes, const Place& there) {
    if (there.kind == Place::Foreign || there.bytes == bytes) return false;
    QDir().mkpath(QFileInfo(path).path());
    FileSystem::WriteAtomic(path, bytes);
    return true;
}

void Remove(const QString& path, const QString& root) {
    if (KindOf(path, root) == Place::File) QFile::remove(path);
}

// Whether BYTES are an earlier committed version of SOURCE as it was laid
// out: a build folder from before records holds such files untouched. False
// when git cannot tell (no git, no checkout).
bool EarlierVersion(const QString& source, bool text, const QByteArray& bytes) {
    if (source.isEmpty()) return false;
    const QFileInfo file(source);
    const auto git = [&file](const QStringList& args, QByteArray& out) {
        QProcess p;
        p.setWorkingDirectory(file.absolutePath());
        p.setStandardErrorFile(QProcess::nullDevice());
        p.start(QStringLiteral("git"), args);
        if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return false;
        out = p.readAllStandardOutput();
        return true;
    };
    QByteArray log;
    if (!git({QStringLiteral("log"), QStringLiteral("--format=%H"), QStringLiteral("--"), file.fileName()}, log))
        return false;
    for (const QByteArray& commit : log.split('\n')) {
        QByteArray old;
        if (!commit.isEmpty() &&
            git({QStringLiteral("show"), QString::fromLatin1(commit) + QStringLiteral(":./") + file.fileName()}, old) &&
            AsLaidOut(old, text) == bytes)
            return true;
    }
    return false;
}

struct Job {
    QString how, source, name;
};

// Why a file stays as it is.
enum class Keep { No, Changed, Unknown, Foreign };

void LayOut(const Job& job, const QString& build, const QString& root) {
    const bool text = job.how == QLatin1String("text");
    const QByteArray shipped =
        job.how == QLatin1String("empty-map") ? EmptyMap() : AsLaidOut(FileSystem::ReadAll(job.source), text);
    const QString target = FileSystem::ResolvePath(QDir::cleanPath(build + QLatin1Char('/') + job.name));
    const QString record = QDir::cleanPath(build + QStringLiteral("/laidout/") + job.name + QStringLiteral(".sha256"));
    const QString aside = QDir::cleanPath(build + QStringLiteral("/shipped/") + job.name);
    const QByteArray laidOut = Record(shipped);
    const Place there = Look(target, root);
    const Place recordPlace = Look(record, root);
    const std::optional<QByteArray>& recorded = recordPlace.bytes;
    // Read only for a file that is kept.
    std::optional<Place> asidePlace;
    const auto asideNow = [&]() -> const Place& {
        if (!asidePlace) asidePlace = Look(aside, root);
        return *asidePlace;
    };
    Keep keep = Keep::No;
    if (there.kind == Place::Foreign) {
        keep = Keep::Foreign;
    } else if (there.bytes && *there.bytes != shipped && recorded != Record(*there.bytes)) {
        if (recorded)
            keep = Keep::Changed;
        else if (asideNow().bytes == shipped) // told so at an earlier build
            keep = Keep::Unknown;
        else if (!EarlierVersion(job.source, text, *there.bytes))
            keep = Keep::Unknown;
    }
    if (keep == Keep::No) {
        Put(target, shipped, there);
        Put(record, laidOut, recordPlace);
        Remove(aside, root);
        return;
    }
    // Nothing new since it was laid out last: the user's is a change of the
    // very version shipped now.
    if (recorded == laidOut) {
        Remove(aside, root);
        return;
    }
    if (!Put(aside, shipped, asideNow())) return;
    const char* why =
        keep == Keep::Changed ? "was changed; the new shipped copy is"
        : keep == Keep::Foreign
            ? "is no plain file inside the build folder (a link or a folder); the new shipped copy is"
            : "differs from the shipped copy and the build cannot tell who changed it; the shipped copy is";
    std::printf("Kept %s as it %s %s\n", qUtf8Printable(target), why, qUtf8Printable(aside));
}

int Fail(const QString& name, const VospError& e) {
    std::fprintf(stderr, "progfolder: %s: error %d %s\n", qUtf8Printable(name), int(e.number),
                 qUtf8Printable(e.description));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: progfolder LIST BUILD\n");
        return 2;
    }
    const QString list = QString::fromLocal8Bit(argv[1]), build = QString::fromLocal8Bit(argv[2]);
    std::vector<Job> jobs;
    try {
        for (const QString& line : FileSystem::SplitLines(QString::fromUtf8(FileSystem::ReadAll(list)))) {
            const QStringList f = line.split(QLatin1Char('\t'));
            if (f.size() == 3) jobs.push_back({f[0], f[1], f[2]});
        }
    } catch (const VospError& e) {
        return Fail(list, e);
    }
    QDir().mkpath(build);
    const QString root = QFileInfo(build).canonicalFilePath();
    int result = 0;
    // A file that cannot be laid out stops none of the others.
    for (const Job& job : jobs) {
        try {
            LayOut(job, build, root);
        } catch (const VospError& e) {
            result = Fail(job.name, e);
        }
    }
    return result;
}
