#include "platform/ApiLib.h"

#include "platform/Cp932Codec.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/UiServices.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QPaintDevice>
#include <QRegularExpression>
#include <QSet>
#include <cmath>

namespace ApiLib {

QString AnsiBufToStr(const QByteArray& bytes) {
    const qsizetype z = bytes.indexOf('\0');
    if (z <= 0) return {};
    return Cp932Decode(bytes.constData(), z);
}

void GetBitmapInfo(BitmapRecord& out, const QImage& bitmap) {
    out = BitmapRecord();
    if (bitmap.isNull()) return;
    out.bmWidth = bitmap.width();
    out.bmHeight = bitmap.height();
    out.bmPlanes = 1;
    out.bmBitsPixel = static_cast<int16_t>(bitmap.depth());
    out.bmWidthBytes = static_cast<int32_t>((int64_t(bitmap.width()) * bitmap.depth() + 15) / 16 * 2);
}

QImage LoadBitmapFile(const QString& path) {
    try {
        return QImage::fromData(FileSystem::ReadAll(path), "BMP");
    } catch (...) {
        return {};
    }
}

QString GetSystemDir() {
    const QString dir = QLibraryInfo::path(QLibraryInfo::LibrariesPath);
    return dir.size() >= 3 && dir.size() <= 259 ? dir : QString();
}

bool ShellOpen(const QString& target) {
    if (Ui().OpenUrl(target)) return true;
    Ui().MsgBox(QStringLiteral("関連付けられたアプリケーションを実行できません.\r\n") + target, Mb::OkOnly, {});
    return false;
}

namespace {

bool HaveGui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

} // namespace

QStringList FontFamilies() {
    if (!HaveGui()) return {};
    static const QRegularExpression foundry(QStringLiteral(" \\[[^\\]]*\\]$"));
    QStringList out;
    QSet<QString> seen;
    for (QString f : QFontDatabase::families()) {
        f.remove(foundry);
        if (!seen.contains(f)) {
            seen.insert(f);
            out.append(f);
        }
    }
    return out;
}

QList<FontRecord> EnumFontList() {
    QList<FontRecord> list(1);
    const int dpi = Desktop::LogicalDpiY();
    for (const QString& family : FontFamilies()) {
        const QFont font(family);
        const QFontInfo info(font);
        const TextMetricSet m = FontMetricSet(font);
        const QFontMetrics fm(font);
        FontRecord r;
        r.tmHeight = m.height;
        r.tmAscent = m.ascent;
        r.tmDescent = m.descent;
        r.tmInternalLeading = m.internalLeading;
        r.tmExternalLeading = fm.leading();
        r.tmAveCharWidth = fm.averageCharWidth();
        r.tmMaxCharWidth = fm.maxWidth();
        r.tmWeight = info.weight();
        r.tmDigitizedAspectX = dpi;
        r.tmDigitizedAspectY = dpi;
        r.tmFirstChar = 32;
        r.tmLastChar = 255;
        r.tmDefaultChar = 31;
        r.tmBreakChar = 32;
        r.tmItalic = info.italic() ? 255 : 0;
        uint8_t pf = 0;
        if (!QFontDatabase::isFixedPitch(family)) pf |= 1;
        if (QFontDatabase::isSmoothlyScalable(family)) pf |= 2 | 4;
        r.tmPitchAndFamily = pf;
        r.tmCharSet = QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese) ? 128 : 0;
        r.FaceName = family;
        list.append(r);
    }
    return list;
}

int32_t TextCapHeight(const TextMetricSet& m) {
    // 64 bits: the products below must not overflow for any metrics given.
    const int64_t H = m.height, A = m.ascent, D = m.descent, L = m.internalLeading;
    const int64_t E = H - L;
    int64_t c = L;
    if (c < 1) c = 4 * D / 5;
    if (3 * c < D) c = (c + D) / 2;
    if (10 * c > 3 * A) c = 3 * A / 10;
    if (10 * c > 3 * E) c = 3 * E / 10;
    if (8 * c < A) c = A / 8;
    if (8 * c < E) c = E / 8;
    int64_t cap = A - c;
    if (2 * cap < E) cap = E / 2;
    if (10 * cap < 4 * H) cap = 4 * H / 10;
    if (cap < 2) cap = 2;
    return cap > INT32_MAX ? INT32_MAX : static_cast<int32_t>(cap);
}

TextMetricSet FontMetricSet(const QFont& font, const QPaintDevice* device) {
    TextMetricSet m;
    if (!HaveGui()) return m;
    const QFontMetrics fm = device ? QFontMetrics(font, device) : QFontMetrics(font);
    const int dpi = device ? device->logicalDpiY() : Desktop::LogicalDpiY();
    // The em square in pixels; what the line height holds beyond it is the internal leading.
    const int em = font.pixelSize() > 0 ? font.pixelSize()
                                        : static_cast<int>(std::nearbyint(font.pointSizeF() * dpi / 72.0));
    m.height = fm.height();
    m.ascent = fm.ascent();
    m.descent = fm.descent();
    m.internalLeading = m.height > em ? m.height - em : 0;
    return m;
}

int32_t TextCapHeight(const QFont& font, const QPaintDevice* device) {
    const TextMetricSet m = FontMetricSet(font, device);
    if (m.height <= 0) return -1;
    return TextCapHeight(m);
}

} // namespace ApiLib
