#pragma once
// A one-bit picture: every pixel is ink (drawn in the style's colour) or
// paper (the back colour, or left alone). Line patterns, fill tiles and
// symbols are all of this kind, whether they come from our own assets or
// from a replacement file.
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

class MonoBitmap {
public:
    // The largest side a loaded picture may have.
    static constexpr int32_t MaxSide = 256;

    MonoBitmap() = default;
    // All paper; sides below 0 count as 0.
    MonoBitmap(int32_t width, int32_t height);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }

    // Pixels outside the picture are paper.
    bool Ink(int32_t x, int32_t y) const;
    void SetInk(int32_t x, int32_t y, bool ink);
    int32_t InkCount() const;

    // Rows of "#" (ink) and "." (paper), all of one width; anything else,
    // ragged rows or a side above MaxSide gives nothing.
    static std::optional<MonoBitmap> FromText(const QStringList& rows);
    QStringList ToText() const;

    // Any depth: a pixel whose grey is below 128 becomes ink. A null
    // picture or one above MaxSide on a side gives nothing.
    static std::optional<MonoBitmap> FromImage(const QImage& image);
    // A picture file (BMP and the other formats Qt reads); nothing when it
    // cannot be read or is refused by FromImage.
    static std::optional<MonoBitmap> LoadFile(const QString& path);

    // Ink and paper in the given colours (QRgb with alpha, so paper may be
    // transparent).
    QImage ToImage(QRgb ink, QRgb paper) const;

    bool operator==(const MonoBitmap& other) const = default;

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint8_t> ink_;  // row by row, one byte a pixel
};
