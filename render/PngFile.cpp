#include "render/PngFile.h"

#include <QFile>
#include <cstdint>
#include <vector>
#include <zlib.h>

namespace {

void PutU32(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v >> 24));
    b.push_back(uint8_t(v >> 16));
    b.push_back(uint8_t(v >> 8));
    b.push_back(uint8_t(v));
}

bool Chunk(QFile& f, const char (&type)[5], const uint8_t* data, size_t n) {
    std::vector<uint8_t> head;
    PutU32(head, uint32_t(n));
    head.insert(head.end(), type, type + 4);
    uLong crc = crc32(0, head.data() + 4, 4);
    if (n > 0) crc = crc32_z(crc, data, n); // a null buffer would restart the sum
    std::vector<uint8_t> tail;
    PutU32(tail, uint32_t(crc));
    return f.write(reinterpret_cast<const char*>(head.data()), 8) == 8 &&
           (n == 0 || f.write(reinterpret_cast<const char*>(data), qint64(n)) == qint64(n)) &&
           f.write(reinterpret_cast<const char*>(tail.data()), 4) == 4;
}

} // namespace

bool PngFile::Save(const QImage& image, const QString& path) {
    const QImage img = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    if (img.isNull() || w <= 0 || h <= 0) return false;

    z_stream z{};
    if (deflateInit(&z, 1) != Z_OK) return false;
    const size_t rowBytes = 1 + size_t(w) * 3;
    std::vector<uint8_t> row(rowBytes);
    std::vector<uint8_t> packed(deflateBound(&z, uLong(rowBytes * size_t(h))));
    z.next_out = packed.data();
    z.avail_out = uInt(packed.size());
    bool ok = true;
    for (int y = 0; y < h && ok; ++y) {
        const auto* px = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        uint8_t* o = row.data();
        *o++ = 0; // no filter
        for (int x = 0; x < w; ++x) {
            *o++ = uint8_t(qRed(px[x]));
            *o++ = uint8_t(qGreen(px[x]));
            *o++ = uint8_t(qBlue(px[x]));
        }
        z.next_in = row.data();
        z.avail_in = uInt(rowBytes);
        ok = deflate(&z, y + 1 == h ? Z_FINISH : Z_NO_FLUSH) == (y + 1 == h ? Z_STREAM_END : Z_OK);
    }
    const size_t packedSize = z.total_out;
    deflateEnd(&z);
    if (!ok) return false;

    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> ihdr;
    PutU32(ihdr, uint32_t(w));
    PutU32(ihdr, uint32_t(h));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, no filter, not interlaced
    std::vector<uint8_t> phys;
    PutU32(phys, uint32_t(img.dotsPerMeterX()));
    PutU32(phys, uint32_t(img.dotsPerMeterY()));
    phys.push_back(1); // per metre
    return f.write(reinterpret_cast<const char*>(kSignature), 8) == 8 && Chunk(f, "IHDR", ihdr.data(), ihdr.size()) &&
           Chunk(f, "pHYs", phys.data(), phys.size()) && Chunk(f, "IDAT", packed.data(), packedSize) &&
           Chunk(f, "IEND", nullptr, 0) && f.flush();
}
