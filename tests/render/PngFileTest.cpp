// The fast PNG writer: the picture read back by the general reader is the
// one written, pixel for pixel, and the header says 8-bit RGB.
#include "render/PngFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
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

// The rows inflated from IDAT, each with its filter byte in front.
QByteArray InflatedRows(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray png = f.readAll();
    QByteArray idat;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const quint32 n = quint32(uchar(png[at])) << 24 | quint32(uchar(png[at + 1])) << 16 |
                          quint32(uchar(png[at + 2])) << 8 | quint32(uchar(png[at + 3]));
        if (png.mid(at + 4, 4) == "IDAT") idat += png.mid(at + 8, n);
        at += 12 + qsizetype(n);
    }
    // qUncompress wants the inflated size in front, big-endian.
    QByteArray sized(4, '\0');
    sized[1] = char(0x10); // 1 MiB is ample here
    return qUncompress(sized + idat);
}

TEST(PngFile, RowsAreDifferencesFromTheRowAbove) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("up.png"));
    // 3 x 70: rows across strip boundaries, the first row above the zeros
    // before the picture, and from row 50 on rows that repeat the one above.
    QImage img(3, 70, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) img.setPixel(x, y, qRgb(10 + std::min(y, 49), 20 + x, 200));
    ASSERT_TRUE(PngFile::Save(img, path));
    const QByteArray rows = InflatedRows(path);
    ASSERT_EQ(rows.size(), 70 * 10);
    // Row 0 against zeros: the colours themselves.
    EXPECT_EQ(rows.left(10), QByteArray("\x02\x0a\x14\xc8\x0a\x15\xc8\x0a\x16\xc8", 10));
    // Then red one up, the rest unchanged; then nothing changed.
    for (int y = 1; y < 70; ++y) {
        const QByteArray want = y < 50 ? QByteArray("\x02\x01\0\0\x01\0\0\x01\0\0", 10)
                                       : QByteArray("\x02\0\0\0\0\0\0\0\0\0", 10);
        EXPECT_EQ(rows.mid(y * 10, 10), want) << "row " << y;
    }
}

TEST(PngFile, OtherFormatsAreWrittenOpaque) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("argb.png"));
    QImage img(5, 3, QImage::Format_ARGB32);
    img.fill(qRgba(10, 20, 30, 255));
    img.setPixel(1, 1, qRgba(200, 100, 50, 255));
    ASSERT_TRUE(PngFile::Save(img, path));
    const QImage back(path);
    ASSERT_EQ(back.size(), img.size());
    EXPECT_FALSE(back.hasAlphaChannel());
    EXPECT_EQ(back.pixel(1, 1), qRgb(200, 100, 50));
    EXPECT_EQ(back.pixel(4, 2), qRgb(10, 20, 30));
}

TEST(PngFile, RefusesWhatCannotBeWritten) {
    QTemporaryDir dir;
    EXPECT_FALSE(PngFile::Save(QImage(4, 4, QImage::Format_RGB32), dir.filePath(QStringLiteral("no/such/a.png"))));
    EXPECT_FALSE(PngFile::Save(QImage(), dir.filePath(QStringLiteral("b.png"))));
}

} // namespace
