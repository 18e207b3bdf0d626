#include "render/PngFile.h"

#include "render/RenderWorkers.h"

#include <QFile>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
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
    // A copy of an image that is still being painted on is a deep one; a
    // reference reads the pixels where they are.
    QImage converted;
    if (image.format() != QImage::Format_RGB32) converted = image.convertToFormat(QImage::Format_RGB32);
    const QImage& img = image.format() == QImage::Format_RGB32 ? image : converted;
    const int w = img.width(), h = img.height();
    if (img.isNull() || w <= 0 || h <= 0) return false;

    // The rows are deflated in strips on all cores, each strip a raw stream
    // of its own ended on a byte boundary, and the strips joined into one
    // zlib stream: a strip's stream refers to nothing before it (the rows'
    // filter does, to the picture's row above, before deflating).
    const size_t rowBytes = 1 + size_t(w) * 3;
    constexpr int kStripRows = 32;
    const size_t strips = size_t((h + kStripRows - 1) / kStripRows);
    struct Strip {
        std::unique_ptr<uint8_t[]> out;
        size_t size = 0;
        uLong adler = 0;
        size_t bytes = 0;
        bool ok = false;
    };
    std::vector<Strip> done(strips);
    // Strips are taken in turn rather than dealt out: a worker the system
    // holds back leaves its share to the others.
    std::atomic<size_t> nextStrip{0};
    const size_t workers = std::min(strips, size_t(std::max(1, QThread::idealThreadCount())));
    RenderWorkers::ForParts(workers, workers, [&](size_t, size_t, size_t) {
        // Each row is written as its difference from the row above ("Up"):
        // a map's flat areas and repeated rows become runs of zeros, which
        // deflate in less time than the colours themselves.
        std::vector<uint8_t> row(rowBytes);
        row[0] = 2; // Up
        const std::vector<QRgb> zeros(size_t(w), 0); // the row above the first
        // Straight from the two rows of pixels: a row the same as the one
        // above (common in a map) is all zeros without a look at its pixels.
        auto upRow = [&](int y) {
            const auto* px = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            const QRgb* up = y > 0 ? reinterpret_cast<const QRgb*>(img.constScanLine(y - 1)) : zeros.data();
            uint8_t* d = row.data() + 1;
            if (std::memcmp(px, up, size_t(w) * sizeof(QRgb)) == 0) {
                std::memset(d, 0, rowBytes - 1);
                return;
            }
            for (int x = 0; x < w; ++x) {
                const QRgb p = px[x], u = up[x];
                d[0] = uint8_t(qRed(p) - qRed(u));
                d[1] = uint8_t(qGreen(p) - qGreen(u));
                d[2] = uint8_t(qBlue(p) - qBlue(u));
                d += 3;
            }
        };
        // One deflate state per worker, reset for each strip: its tables are
        // large enough that a fresh one per strip shows in the time.
        z_stream z{};
        if (deflateInit2(&z, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return;
        for (size_t s; (s = nextStrip.fetch_add(1, std::memory_order_relaxed)) < strips;) {
            Strip& st = done[s];
            const int y0 = int(s) * kStripRows, y1 = std::min(h, y0 + kStripRows);
            if (deflateReset(&z) != Z_OK) break;
            // Left uninitialised: only the part deflate writes is touched.
            st.size = deflateBound(&z, uLong(rowBytes * size_t(y1 - y0))) + 16;
            st.out.reset(new uint8_t[st.size]);
            z.next_out = st.out.get();
            z.avail_out = uInt(st.size);
            st.adler = adler32(0, nullptr, 0);
            const bool last = s + 1 == strips;
            bool ok = true;
            for (int y = y0; y < y1 && ok; ++y) {
                upRow(y);
                st.adler = adler32_z(st.adler, row.data(), rowBytes);
                z.next_in = row.data();
                z.avail_in = uInt(rowBytes);
                const int flush = y + 1 < y1 ? Z_NO_FLUSH : last ? Z_FINISH : Z_SYNC_FLUSH;
                const int r = deflate(&z, flush);
                ok = flush == Z_FINISH ? r == Z_STREAM_END : r == Z_OK;
            }
            st.bytes = z.total_out;
            st.ok = ok;
        }
        deflateEnd(&z);
    });
    size_t total = 6;
    for (const Strip& st : done) total += st.bytes;
    std::vector<uint8_t> packed;
    packed.reserve(total);
    packed.insert(packed.end(), {0x78, 0x01}); // deflate, 32K window, fastest level
    uLong adler = adler32(0, nullptr, 0);
    for (size_t s = 0; s < strips; ++s) {
        if (!done[s].ok) return false;
        packed.insert(packed.end(), done[s].out.get(), done[s].out.get() + done[s].bytes);
        const int rows = std::min(h - int(s) * kStripRows, kStripRows);
        adler = adler32_combine(adler, done[s].adler, z_off_t(rowBytes * size_t(rows)));
        done[s].out.reset();
    }
    PutU32(packed, uint32_t(adler));
    const size_t packedSize = packed.size();

    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> ihdr;
    PutU32(ihdr, uint32_t(w));
    PutU32(ihdr, uint32_t(h));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, adaptive filters, not interlaced
    std::vector<uint8_t> phys;
    PutU32(phys, uint32_t(img.dotsPerMeterX()));
    PutU32(phys, uint32_t(img.dotsPerMeterY()));
    phys.push_back(1); // per metre
    return f.write(reinterpret_cast<const char*>(kSignature), 8) == 8 && Chunk(f, "IHDR", ihdr.data(), ihdr.size()) &&
           Chunk(f, "pHYs", phys.data(), phys.size()) && Chunk(f, "IDAT", packed.data(), packedSize) &&
           Chunk(f, "IEND", nullptr, 0) && f.flush();
}
