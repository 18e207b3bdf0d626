#pragma once
// Windows bitmap files for the tests, from rows of "#" (black) and "."
// (white), with a program folder pointed at a temporary folder for the
// lifetime of a guard.
#include "platform/FileSystem.h"
#include "support/TestFolder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QStringList>
#include <cstdint>

namespace BmpFiles {

// A bitmap file of the given depth (1 or 24) as the toolkit writes it, with
// BITMAPINFOHEADER. For 24 bits a "#" is the grey `dark` and a "." the grey
// `light`; at 1 bit the palette holds black, then white.
inline QByteArray Make(const QStringList& rows, int bits, int dark = 0, int light = 255) {
    QImage img(int(rows.value(0).size()), int(rows.size()), bits == 1 ? QImage::Format_Mono : QImage::Format_RGB32);
    if (bits == 1) img.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const bool ink = rows[y][x] == QLatin1Char('#');
            const int grey = ink ? dark : light;
            img.setPixel(x, y, bits == 1 ? uint(!ink) : qRgb(grey, grey, grey));
        }
    QByteArray b;
    QBuffer buffer(&b);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "BMP");
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
