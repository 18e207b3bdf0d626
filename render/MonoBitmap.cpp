#include "render/MonoBitmap.h"

#include "platform/FileSystem.h"

#include <QBuffer>
#include <QImageReader>

MonoBitmap::MonoBitmap(int32_t width, int32_t height)
    : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0)
{
    ink_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
}

bool MonoBitmap::Ink(int32_t x, int32_t y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return false;
    return ink_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] != 0;
}

void MonoBitmap::SetInk(int32_t x, int32_t y, bool ink)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    ink_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = ink ? 1 : 0;
}

int32_t MonoBitmap::InkCount() const
{
    int32_t n = 0;
    for (uint8_t v : ink_)
        n += v;
    return n;
}

std::optional<MonoBitmap> MonoBitmap::FromText(const QStringList& rows)
{
    if (rows.isEmpty() || rows.size() > MaxSide)
        return std::nullopt;
    const qsizetype width = rows.front().size();
    if (width == 0 || width > MaxSide)
        return std::nullopt;
    MonoBitmap bm(static_cast<int32_t>(width), static_cast<int32_t>(rows.size()));
    for (qsizetype y = 0; y < rows.size(); ++y) {
        const QString& row = rows[y];
        if (row.size() != width)
            return std::nullopt;
        for (qsizetype x = 0; x < width; ++x) {
            const QChar c = row[x];
            if (c == u'#')
                bm.SetInk(static_cast<int32_t>(x), static_cast<int32_t>(y), true);
            else if (c != u'.')
                return std::nullopt;
        }
    }
    return bm;
}

QStringList MonoBitmap::ToText() const
{
    QStringList rows;
    for (int32_t y = 0; y < height_; ++y) {
        QString row(width_, u'.');
        for (int32_t x = 0; x < width_; ++x)
            if (Ink(x, y))
                row[x] = u'#';
        rows.append(row);
    }
    return rows;
}

std::optional<MonoBitmap> MonoBitmap::FromImage(const QImage& image)
{
    if (image.isNull() || image.width() > MaxSide || image.height() > MaxSide)
        return std::nullopt;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    MonoBitmap bm(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if (qGray(line[x]) < 128)
                bm.SetInk(x, y, true);
    }
    return bm;
}

std::optional<MonoBitmap> MonoBitmap::LoadFile(const QString& path)
{
    QByteArray bytes;
    try {
        bytes = FileSystem::ReadAll(path);
    } catch (...) {
        return std::nullopt;  // an unreadable file is a missing bitmap, not an error
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Refuse by the header's size before decoding: a forged size must not
    // make us allocate a huge picture.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > MaxSide || size.height() > MaxSide))
        return std::nullopt;
    const QImage image = reader.read();
    return FromImage(image);
}

QImage MonoBitmap::ToImage(QRgb ink, QRgb paper) const
{
    QImage image(width_, height_, QImage::Format_ARGB32);
    for (int32_t y = 0; y < height_; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int32_t x = 0; x < width_; ++x)
            line[x] = Ink(x, y) ? ink : paper;
    }
    return image;
}
