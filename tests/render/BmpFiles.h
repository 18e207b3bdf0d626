#pragma once
// Windows bitmap files built byte by byte for the tests, from rows of "#"
// (black) and "." (white), with a program folder pointed at a temporary
// folder for the lifetime of a guard.
#include "platform/FileSystem.h"
#include "support/TestFolder.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>

namespace BmpFiles {

inline void Put16(QByteArray& b, uint16_t v) {
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}
inline void Put32(QByteArray& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF));
}

// A bitmap file of the given depth (1 or 24) with BITMAPINFOHEADER; rows
// are stored bottom-up as the format wants. For 24 bits a "#" is the grey
// `dark` and a "." the grey `light`.
inline QByteArray Make(const QStringList& rows, int bits, int dark = 0, int light = 255) {
    const int h = int(rows.size());
    const int w = h ? int(rows[0].size()) : 0;
    const int rowBytes = ((w * bits + 31) / 32) * 4;
    const int palette = bits == 1 ? 8 : 0;
    const int offset = 14 + 40 + palette;
    QByteArray b;
    b.append("BM");
    Put32(b, uint32_t(offset + rowBytes * h));
    Put32(b, 0);
    Put32(b, uint32_t(offset));
    Put32(b, 40);
    Put32(b, uint32_t(w));
    Put32(b, uint32_t(h));
    Put16(b, 1);
    Put16(b, uint16_t(bits));
    Put32(b, 0);
    Put32(b, uint32_t(rowBytes * h));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, bits == 1 ? 2 : 0);
    Put32(b, 0);
    if (bits == 1) {
        Put32(b, 0x00000000); // index 0 black
        Put32(b, 0x00FFFFFF); // index 1 white
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < w; ++x) {
            const bool ink = rows[y][x] == QLatin1Char('#');
            if (bits == 1) {
                if (!ink) row[x / 8] = char(uchar(row[x / 8]) | (0x80 >> (x % 8)));
            } else {
                const char g = char(ink ? dark : light);
                row[x * 3] = g;
                row[x * 3 + 1] = g;
                row[x * 3 + 2] = g;
            }
        }
        b.append(row);
    }
    return b;
}

// Rows of one repeated text.
inline QStringList Rows(int count, const QString& row) {
    QStringList r;
    for (int i = 0; i < count; ++i) r.append(row);
    return r;
}

} // namespace BmpFiles

class ScopedProgramFolder {
public:
    ScopedProgramFolder() : old_(FileSystem::ProgramFolder()) { FileSystem::SetProgramFolder(folder_.path()); }
    ~ScopedProgramFolder() { FileSystem::SetProgramFolder(old_); }
    const TestFolder& folder() const { return folder_; }

private:
    TestFolder folder_;
    QString old_;
};
