// progfolder SOURCE PROGRAM_FOLDER MAP_FOLDER
// Lays out what the program needs at start: "Environment.txt" in the
// program folder, the base unit (an empty map "BASE.MLL" with "BASE.THG" and
// "BASE.ADM") and the default lists in the map folder. The text files are
// kept as UTF-8 in SOURCE and written in the Japanese code page with CR LF.
#include "platform/Cp932Codec.h"
#include "platform/FileSystem.h"
#include "platform/VospError.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>

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

bool Convert(const QString& from, const QString& to) {
    QFile f(from);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "progfolder: cannot read %s\n", qUtf8Printable(from));
        return false;
    }
    const QString text = QString::fromUtf8(f.readAll());
    FileSystem::WriteCp932Lines(to, FileSystem::SplitLines(text));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: progfolder SOURCE PROGRAM_FOLDER MAP_FOLDER\n");
        return 2;
    }
    const QString src = QString::fromLocal8Bit(argv[1]);
    const QString prog = QString::fromLocal8Bit(argv[2]);
    const QString maps = QString::fromLocal8Bit(argv[3]);
    try {
        QDir().mkpath(prog);
        QDir().mkpath(maps);
        bool ok = Convert(src + QStringLiteral("/Environment.txt"), prog + QStringLiteral("/Environment.txt"));
        for (const char* name : {"BASE.THG", "BASE.ADM", "DEFAULT.THG", "DEFAULT.ADM"})
            ok = Convert(src + QLatin1Char('/') + QLatin1String(name), maps + QLatin1Char('/') + QLatin1String(name)) && ok;
        FileSystem::WriteAtomic(maps + QStringLiteral("/BASE.MLL"), EmptyMap());
        return ok ? 0 : 1;
    } catch (const VospError& e) {
        std::fprintf(stderr, "progfolder: error %d %s\n", int(e.number), qUtf8Printable(e.description));
        return 1;
    }
}
