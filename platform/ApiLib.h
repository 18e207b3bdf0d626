#pragma once
// Thin wrappers over the desktop's services that the drawing and start-up
// code use: bitmaps, the system folder, opening documents, installed fonts
// and text metrics.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

class QFont;
class QPaintDevice;

namespace ApiLib {

// The bytes before the first zero byte in the Japanese code page; "" when
// the first byte is zero or there is no zero byte at all.
QString AnsiBufToStr(const QByteArray& bytes);

// The classic 24-byte bitmap header.
struct BitmapRecord {
    int32_t bmType = 0;
    int32_t bmWidth = 0;
    int32_t bmHeight = 0;
    int32_t bmWidthBytes = 0; // bytes per scan line, rounded up to 2
    int16_t bmPlanes = 0;
    int16_t bmBitsPixel = 0;
    uint32_t bmBits = 0;
};
// Fills the record from a bitmap; all zero for a null image.
void GetBitmapInfo(BitmapRecord& out, const QImage& bitmap);
// A bitmap file (found without regard to case); a null image on failure.
QImage LoadBitmapFile(const QString& path);

// The folder of the Qt libraries, "" when its length is not 3..259.
QString GetSystemDir();
inline bool IsWinNT() { return true; }

// Opens a document or link with its associated program; on failure shows
// a message naming the target and returns false.
bool ShellOpen(const QString& target);

// A face as the font enumeration reports it (text metrics, then the name).
struct FontRecord {
    int32_t tmHeight = 0, tmAscent = 0, tmDescent = 0, tmInternalLeading = 0, tmExternalLeading = 0;
    int32_t tmAveCharWidth = 0, tmMaxCharWidth = 0, tmWeight = 0, tmOverhang = 0;
    int32_t tmDigitizedAspectX = 0, tmDigitizedAspectY = 0;
    uint8_t tmFirstChar = 0, tmLastChar = 0, tmDefaultChar = 0, tmBreakChar = 0;
    uint8_t tmItalic = 0, tmUnderlined = 0, tmStruckOut = 0;
    uint8_t tmPitchAndFamily = 0; // 1 variable pitch, 2 vector, 4 TrueType (scalable faces)
    uint8_t tmCharSet = 0;        // 128 for faces that write Japanese, else 0
    QString FaceName;
};
// Installed font families without the foundry suffix " [foundry]", each
// once, in the font database's order (empty without a GUI application).
QStringList FontFamilies();
// Element 0 stays empty; the faces follow from 1 in FontFamilies() order.
QList<FontRecord> EnumFontList();

// The metrics TextCapHeight works from (pixels).
struct TextMetricSet {
    int32_t height = 0;
    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t internalLeading = 0;
};
// Estimated height of capital letters, at least 2.
int32_t TextCapHeight(const TextMetricSet& m);
// Of a font on a device (the screen when null); -1 without metrics.
int32_t TextCapHeight(const QFont& font, const QPaintDevice* device = nullptr);
TextMetricSet FontMetricSet(const QFont& font, const QPaintDevice* device = nullptr);

} // namespace ApiLib
