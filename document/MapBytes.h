#pragma once
// A little-endian cursor over the bytes of a map file. Every read is checked
// against the end: a field that the file does not hold throws MapBytes::Short
// and moves nothing, so no figure is ever built from missing bytes.
#include <QByteArrayView>
#include <cstdint>
#include <bit>
#include <cstring>

class MapBytes {
public:
    struct Short {};

    MapBytes(const char* data, qint64 size) : data_(data), size_(size) {}

    qint64 Pos() const { return pos_; }
    qint64 Size() const { return size_; }
    qint64 Left() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ >= size_; }
    const char* Data() const { return data_; }
    QByteArrayView View() const { return QByteArrayView(data_, size_); }
    // For readers that move the position themselves (a point block).
    void SetPos(qint64 pos) { pos_ = pos; }

    void Need(qint64 n) const {
        if (n < 0 || n > size_ - pos_) throw Short{};
    }
    void Skip(qint64 n) {
        Need(n);
        pos_ += n;
    }
    int16_t Int16() { return Get<int16_t>(); }
    uint16_t UInt16() { return Get<uint16_t>(); }
    int32_t Int32() { return Get<int32_t>(); }
    uint8_t Byte() { return Get<uint8_t>(); }
    double Double() { return Get<double>(); }

    // n bytes; the pointer stays valid as long as the file view.
    const char* Bytes(qint64 n) {
        Need(n);
        const char* p = data_ + pos_;
        pos_ += n;
        return p;
    }

    // n characters of the Japanese code page: a lead byte (0x81-0x9F,
    // 0xE0-0xFC) takes the byte after it with it. Returns the start and sets
    // `bytes` to the length in bytes.
    const char* Cp932Chars(qint64 n, qint64& bytes) {
        qint64 i = 0;
        const qint64 left = size_ - pos_;
        const auto* p = reinterpret_cast<const unsigned char*>(data_ + pos_);
        for (qint64 c = 0; c < n; ++c) {
            if (i >= left) throw Short{};
            const unsigned char b = p[i];
            i += ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ? 2 : 1;
        }
        if (i > left) throw Short{};
        bytes = i;
        const char* start = data_ + pos_;
        pos_ += i;
        return start;
    }

private:
    template <typename T>
    T Get() {
        static_assert(std::endian::native == std::endian::little, "map files are little-endian");
        Need(static_cast<qint64>(sizeof(T)));
        T v;
        std::memcpy(&v, data_ + pos_, sizeof(T));
        pos_ += static_cast<qint64>(sizeof(T));
        return v;
    }

    const char* data_;
    qint64 size_;
    qint64 pos_ = 0;
};
