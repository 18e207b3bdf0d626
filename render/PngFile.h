#pragma once
// Writes a picture as an opaque 8-bit RGB PNG, each row as its difference
// from the row above, deflated at the fastest level, in strips on all cores:
// for drawn maps, with their wide flat areas, this is several times quicker
// than the general writer for a file of similar size.
#include <QImage>
#include <QString>

class PngFile {
public:
    // False when the file cannot be written; alpha is not kept.
    static bool Save(const QImage& image, const QString& path);
};
