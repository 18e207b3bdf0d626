// progfolder text|copy SOURCE BUILD NAME
// progfolder empty-map BUILD NAME
// Lays out one file the program needs at start under the build folder BUILD
// as NAME ("app/Environment.txt", "MAP/BASE.THG"): a text kept as UTF-8 in
// SOURCE is written in the Japanese code page with CR LF, any other file is
// copied byte for byte, and the base unit's map is an empty map.
// The user saves lists and edits Environment.txt in these very folders, so a
// file is replaced only while it still holds what the build laid out last
// (its SHA-256 in BUILD/laidout/NAME.sha256). A changed file stays; a new
// shipped version goes to BUILD/shipped/NAME, which the program never reads,
// and one line on stdout says so.
#include "platform/Cp932Codec.h"
#include "platform/FileSystem.h"
#include "platform/VospError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cstdio>
#include <cstring>
#include <optional>

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

QByteArray Record(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + '\n';
}

// The file's bytes, if there is one.
std::optional<QByteArray> Contents(const QString& path) {
    if (!FileSystem::IsFile(path)) return std::nullopt;
    return FileSystem::ReadAll(path);
}

// Written only when the bytes change: a file left alone keeps its time, so
// that Ninja's restat sees nothing to do downstream. Tells whether it wrote.
bool Put(const QString& path, const QByteArray& bytes, const std::optional<QByteArray>& there) {
    if (there == bytes) return false;
    QDir().mkpath(QFileInfo(path).path());
    FileSystem::WriteAtomic(path, bytes);
    return true;
}

// A changed file is the user's; the shipped one goes beside it when it is not
// what the build laid out last, or when nothing tells (a build folder older
// than records).
void LayOut(const QByteArray& shipped, const QString& target, const QString& record, const QString& aside) {
    const QByteArray laidOut = Record(shipped);
    const std::optional<QByteArray> there = Contents(target), recorded = Contents(record);
    if (there && *there != shipped && recorded != Record(*there)) {
        if (recorded == laidOut)
            QFile::remove(aside);
        else if (Put(aside, shipped, Contents(aside)))
            std::printf("Kept %s as it was changed; the new shipped copy is %s\n", qUtf8Printable(target),
                        qUtf8Printable(aside));
        return;
    }
    Put(target, shipped, there);
    Put(record, laidOut, recorded);
    QFile::remove(aside);
}

} // namespace

int main(int argc, char** argv) {
    const bool generated = argc == 4 && std::strcmp(argv[1], "empty-map") == 0;
    const bool fromSource = argc == 5 && (std::strcmp(argv[1], "text") == 0 || std::strcmp(argv[1], "copy") == 0);
    if (!generated && !fromSource) {
        std::fprintf(stderr, "usage: progfolder text|copy SOURCE BUILD NAME\n"
                             "       progfolder empty-map BUILD NAME\n");
        return 2;
    }
    const QString build = QString::fromLocal8Bit(argv[argc - 2]);
    const QString name = QString::fromLocal8Bit(argv[argc - 1]);
    try {
        QByteArray shipped;
        if (generated) {
            shipped = EmptyMap();
        } else {
            shipped = FileSystem::ReadAll(QString::fromLocal8Bit(argv[2]));
            if (std::strcmp(argv[1], "text") == 0)
                shipped = FileSystem::Cp932Lines(FileSystem::SplitLines(QString::fromUtf8(shipped)));
        }
        LayOut(shipped, QDir::cleanPath(build + QLatin1Char('/') + name),
               QDir::cleanPath(build + QStringLiteral("/laidout/") + name + QStringLiteral(".sha256")),
               QDir::cleanPath(build + QStringLiteral("/shipped/") + name));
        return 0;
    } catch (const VospError& e) {
        std::fprintf(stderr, "progfolder: error %d %s\n", int(e.number), qUtf8Printable(e.description));
        return 1;
    }
}
