#pragma once
// Writes map files byte by byte for the tests, from the record layouts of
// each version, so that what the reader returns can be compared with what
// was written.
#include "platform/Cp932Codec.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>
#include <vector>

struct TestPoint {
    int32_t x;
    int32_t y;
};

// The values of one figure record; fields a version does not carry are not
// written.
struct TestFig {
    int code = 1;
    int16_t admin = 0;
    int16_t thing = 0;
    int32_t color = -1;      // 105/106 direct; 104 through paletteIndex
    int16_t show = -1;
    int16_t jump = 0;
    int32_t reserve = 0;
    double id = 0;
    int32_t paletteIndex = -1; // version 104
    QString comment{};        // remark
    std::vector<TestPoint> pts{};
    int32_t x = 0, y = 0;
    int16_t fix = 10, angle = 0;
    QByteArray eur{}, jpn{};
};

class MapFileBuilder {
public:
    explicit MapFileBuilder(int version) : version_(version) {}

    QByteArray bytes;
    // Offsets where each record begins (the header record first).
    std::vector<qsizetype> starts;

    void I16(int v) {
        const auto u = static_cast<uint16_t>(v);
        bytes.append(static_cast<char>(u & 0xFF));
        bytes.append(static_cast<char>(u >> 8));
    }
    void I32(int64_t v) {
        const auto u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i) bytes.append(static_cast<char>((u >> (8 * i)) & 0xFF));
    }
    void F64(double d) {
        char b[8];
        std::memcpy(b, &d, 8);
        bytes.append(b, 8);
    }
    void Raw(const QByteArray& b) { bytes.append(b); }

    // Characters of the Japanese code page, counted as the file counts them.
    static int Cp932Chars(const QByteArray& b) {
        int n = 0;
        for (qsizetype i = 0; i < b.size(); ++n) {
            const auto c = static_cast<unsigned char>(b[i]);
            i += ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) ? 2 : 1;
        }
        return n;
    }

    // `gap`: the 4 bytes after the text that versions 104..106 carry.
    void Header(const QString& text, int16_t admin = 0, int gap = -1) {
        starts.push_back(bytes.size());
        const QByteArray t = Cp932Encode(text);
        I16(1);
        I16(admin);
        I16(Cp932Chars(t));
        Raw(t);
        if (gap == 1 || (gap == -1 && version_ >= 104)) I32(0x12345678);
    }
    void VersionHeader() {
        if (version_ <= 99) Header(QStringLiteral("[投影条件]"));
        else Header(QStringLiteral("# 地図バージョン：1.0%1").arg(version_ - 100));
    }

    int32_t Attr104(const TestFig& f) const { return (f.show + 1) | ((f.paletteIndex + 1) << 2); }
    int64_t Attr105(const TestFig& f) const {
        int64_t a = (f.show + 1) << 24 | (static_cast<int64_t>(f.jump) << 27);
        if (f.color != -1) a |= (f.color & 0xFFFFFF) | 0x4000000;
        return a;
    }
    void Head106(const TestFig& f) {
        I32(0x7F7F7F7F);
        F64(f.id);
        I16(f.admin);
        I16(f.thing);
        I32(f.color);
        bytes.append(static_cast<char>(f.show + 1));
        bytes.append(static_cast<char>(f.jump));
        I32(f.reserve);
    }
    void Points(const TestFig& f) {
        if (version_ >= 106) I32(static_cast<int64_t>(f.pts.size()));
        else I16(static_cast<int>(f.pts.size()));
        for (const TestPoint& p : f.pts) {
            I32(p.x);
            I32(p.y);
        }
    }

    void Add(const TestFig& f) {
        starts.push_back(bytes.size());
        I16(f.code);
        if (f.code < 1 || f.code > 5) return;
        if (f.code == 1) {
            const QByteArray t = Cp932Encode(f.comment);
            if (version_ == 106) {
                Head106(f);
                I16(static_cast<int>(t.size()));
            } else {
                I16(f.admin);
                if (version_ == 105) {
                    I16(f.thing);
                    I32(Attr105(f));
                }
                I16(Cp932Chars(t));
            }
            Raw(t);
        } else {
            if (version_ == 106) {
                Head106(f);
            } else {
                I16(f.admin);
                I16(f.thing);
                if (version_ == 105) I32(Attr105(f));
            }
            if (f.code <= 3) {
                Points(f);
            } else {
                I32(f.x);
                I32(f.y);
            }
            if (f.code == 5) {
                I16(f.fix);
                I16(f.angle);
                I16(static_cast<int>(f.eur.size()));
                Raw(f.eur);
                I16(version_ <= 104 ? Cp932Chars(f.jpn) : static_cast<int>(f.jpn.size()));
                Raw(f.jpn);
            }
        }
        if (version_ == 104) I32(Attr104(f));
    }

private:
    int version_;
};
