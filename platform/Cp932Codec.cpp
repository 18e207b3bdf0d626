#include "platform/Cp932Codec.h"

#include <algorithm>
#include <bitset>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <iterator>
#include <stdexcept>

namespace {

// One converter per direction for the whole run; iconv_open is far too slow
// to call per text field of a map file.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv CP932 missing");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    iconv_t get() const {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return cd_;
    }

private:
    iconv_t cd_;
};

iconv_t Decoder() {
    thread_local Converter c("UTF-16LE", "CP932");
    return c.get();
}
iconv_t Encoder() {
    thread_local Converter c("CP932", "UTF-16LE");
    return c.get();
}

} // namespace

QString Cp932Decode(const char* data, qsizetype size) {
    qsizetype i = 0;
    while (i < size && static_cast<unsigned char>(data[i]) < 0x80) ++i;
    if (i == size) return QString::fromLatin1(data, size);

    QString out(size, Qt::Uninitialized);
    char* dst = reinterpret_cast<char*>(out.data());
    size_t dstLeft = static_cast<size_t>(size) * 2;
    char* src = const_cast<char*>(data);
    size_t srcLeft = static_cast<size_t>(size);
    iconv_t cd = Decoder();
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) break; // cannot happen: one unit per byte at most
        // EILSEQ or a lead byte cut off at the end: one replacement, one byte on.
        if (dstLeft < 2) break;
        const char16_t rep = 0xFFFD;
        memcpy(dst, &rep, 2);
        dst += 2;
        dstLeft -= 2;
        ++src;
        --srcLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.truncate(static_cast<qsizetype>((dst - reinterpret_cast<char*>(out.data())) / 2));
    return out;
}

QByteArray Cp932Encode(const QString& text) {
    qsizetype i = 0;
    const QChar* p = text.constData();
    while (i < text.size() && p[i].unicode() < 0x80) ++i;
    if (i == text.size()) return text.toLatin1();

    // Forms that CP932 knows only by their full-width code points.
    QString src = text;
    for (QChar& c : src) {
        if (c.unicode() == 0x2212) c = QChar(0xFF0D);
        else if (c.unicode() == 0x301C) c = QChar(0xFF5E);
    }
    QByteArray out(src.size() * 2 + 1, Qt::Uninitialized);
    char* in = reinterpret_cast<char*>(src.data());
    size_t inLeft = static_cast<size_t>(src.size()) * 2;
    char* dst = out.data();
    size_t dstLeft = static_cast<size_t>(out.size());
    iconv_t cd = Encoder();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) break; // two bytes per unit always suffice
        // No code for this character (or a lone surrogate): "?" and go on.
        size_t skip = 2;
        char16_t u;
        memcpy(&u, in, 2);
        if (u >= 0xD800 && u < 0xDC00 && inLeft >= 4) skip = 4;
        *dst++ = '?';
        --dstLeft;
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.truncate(dst - out.data());
    return out;
}

namespace {

// One bit per BMP character, built once: about 65,000 conversions, a few
// milliseconds.
std::bitset<0x10000> EncodableTable() {
    std::bitset<0x10000> t;
    for (char16_t u = 0; u < 0x80; ++u) t.set(u);
    iconv_t cd = Encoder();
    for (uint32_t u = 0x80; u < 0x10000; ++u) {
        if (u >= 0xD800 && u < 0xE000) continue;
        char16_t c = static_cast<char16_t>(u);
        char* in = reinterpret_cast<char*>(&c);
        size_t inLeft = 2;
        char buf[8];
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        if (iconv(cd, &in, &inLeft, &dst, &dstLeft) != static_cast<size_t>(-1) && inLeft == 0) t.set(u);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    t.set(0x2212);
    t.set(0x301C);
    return t;
}

// Letters without a decomposition and their nearest plain letters.
struct Fold {
    char16_t from;
    const char* to;
};
constexpr Fold kFolds[] = {
    {0x00D8, "O"}, {0x00F8, "o"}, {0x0141, "L"}, {0x0142, "l"},  {0x0110, "D"},  {0x0111, "d"},
    {0x00DF, "ss"}, {0x1E9E, "SS"}, {0x00C6, "AE"}, {0x00E6, "ae"}, {0x0152, "OE"}, {0x0153, "oe"},
};

bool IsMark(QChar c) {
    const QChar::Category k = c.category();
    return k == QChar::Mark_NonSpacing || k == QChar::Mark_SpacingCombining || k == QChar::Mark_Enclosing;
}

} // namespace

bool Cp932CanEncode(char32_t c) {
    static const std::bitset<0x10000> table = EncodableTable();
    return c < 0x10000 && table.test(c);
}

QString Cp932BestFit(const QString& text) {
    qsizetype i = 0;
    const QChar* p = text.constData();
    while (i < text.size() && Cp932CanEncode(p[i].unicode())) ++i;
    if (i == text.size()) return text;

    QString out = text.left(i);
    for (; i < text.size(); ++i) {
        const QChar c = p[i];
        if (Cp932CanEncode(c.unicode())) {
            out += c;
            continue;
        }
        // A mark of its own (text already decomposed) goes with the others.
        if (IsMark(c)) continue;
        const auto fold = std::find_if(std::begin(kFolds), std::end(kFolds),
                                       [&](const Fold& f) { return f.from == c.unicode(); });
        if (fold != std::end(kFolds)) {
            out += QLatin1String(fold->to);
            continue;
        }
        QString plain;
        bool fits = !c.isSurrogate();
        if (fits) {
            for (const QChar d : QString(c).normalized(QString::NormalizationForm_D)) {
                if (IsMark(d)) continue;
                fits = fits && Cp932CanEncode(d.unicode());
                plain += d;
            }
        }
        // A part CP932 lacks too: the character stays.
        out += fits && !plain.isEmpty() ? plain : QString(c);
    }
    return out;
}

bool Cp932Available() {
    const iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(cd);
    return true;
}
