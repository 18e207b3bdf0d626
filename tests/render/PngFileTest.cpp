// The fast PNG writer: the picture read back by the general reader is the
// one written, pixel for pixel, and the header says 8-bit RGB.
#include "render/PngFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PngFile, ReadsBackPixelForPixel) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.png"));
    // An odd width, rows deflated in several strips (the last one short),
    // and colours that differ in every channel.
    QImage img(37, 150, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) img.setPixel(x, y, qRgb(x * 7, (y * 13 + 3) & 0xFF, 255 - x * 3 - y));
    ASSERT_TRUE(PngFile::Save(img, path));
    QImage back(path);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), img);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray head = f.read(33);
    EXPECT_EQ(head.left(16), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
    EXPECT_EQ(head.mid(16, 13), QByteArray("\0\0\0\x25\0\0\0\x96\x08\x02\0\0\0", 13));
}

TEST(PngFile, RefusesWhatCannotBeWritten) {
    QTemporaryDir dir;
    EXPECT_FALSE(PngFile::Save(QImage(4, 4, QImage::Format_RGB32), dir.filePath(QStringLiteral("no/such/a.png"))));
    EXPECT_FALSE(PngFile::Save(QImage(), dir.filePath(QStringLiteral("b.png"))));
}

} // namespace
