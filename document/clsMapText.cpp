#include "document/clsMapText.h"

#include "document/MapBytes.h"
#include "platform/Cp932Codec.h"

namespace {

const QByteArray& EmptyText() {
    static const QByteArray z(1, '\0');
    return z;
}

QByteArray ReadBytes(MapBytes& in, bool charCounted) {
    const int16_t n = in.Int16();
    if (n <= 0) return EmptyText();
    qint64 len = n;
    const char* p = charCounted ? in.Cp932Chars(n, len) : in.Bytes(n);
    return QByteArray(p, len);
}

} // namespace

std::shared_ptr<clsMapFigure> clsMapText::Copy() const {
    auto f = std::make_shared<clsMapText>();
    CopyAnchorTo(*f);
    f->SetTextFix(textFix_);
    f->SetAngle(angle_);
    if (euroInCp932_) {
        // Held in the Japanese code page: "^" may be a trail byte, and the
        // rule was never applied to it. The copy is the same text.
        f->text_[0] = text_[0];
        f->euroInCp932_ = true;
        f->modify_ = true;
    } else {
        f->SetTextAnsi(1, text_[0]);
    }
    f->SetTextAnsi(2, text_[1]);
    return f;
}

bool clsMapText::IsRight() const {
    return CommonIsRight(true) && textFix_ >= 0 && textFix_ <= 24 && angle_ >= -180 && angle_ <= 180;
}

void clsMapText::SetTextFix(int32_t fix) {
    if (fix < 0 || fix > 24) return;
    textFix_ = static_cast<int16_t>(fix);
    modify_ = true;
}

int16_t clsMapText::NormalAngle(int64_t v) {
    if (v > 180) v -= (v + 179) / 360 * 360;
    if (v < -180) v += (179 - v) / 360 * 360;
    return static_cast<int16_t>(v);
}

void clsMapText::SetAngle(int32_t degrees) {
    angle_ = NormalAngle(degrees);
    modify_ = true;
}

QByteArray clsMapText::Circumflex(const QByteArray& bytes) {
    static const char vowels[] = "AEIOUaeiou";
    static const unsigned char accented[] = {194, 202, 206, 212, 219, 226, 234, 238, 244, 251};
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (i > 0 && c == '^') {
            const char* v = static_cast<const char*>(memchr(vowels, bytes[i - 1], 10));
            if (bytes[i - 1] != '\0' && v) {
                out[out.size() - 1] = static_cast<char>(accented[v - vowels]);
                continue;
            }
        }
        out.append(c);
    }
    return out;
}

QByteArray clsMapText::TextAnsi(int32_t lang) const {
    if (lang != 1 && lang != 2) return EmptyText();
    QByteArray copy = text_[lang - 1];
    copy.detach();
    return copy;
}

void clsMapText::SetTextAnsi(int32_t lang, const QByteArray& bytes) {
    if (lang != 1 && lang != 2) return;
    if (lang == 1) euroInCp932_ = false;
    if (bytes.isEmpty() || bytes[0] == '\0') {
        text_[lang - 1] = EmptyText();
    } else {
        text_[lang - 1] = lang == 1 ? Circumflex(bytes) : bytes;
    }
    modify_ = true;
}

QString clsMapText::TextUnicode(int32_t lang) const {
    if (lang != 1 && lang != 2) return {};
    const QByteArray& b = text_[lang - 1];
    if (b.isEmpty() || b[0] == '\0') return {};
    return TextCodePage(lang) == 1 ? QString::fromLatin1(b) : Cp932Decode(b);
}

void clsMapText::SetTextUnicode(int32_t lang, const QString& text) {
    if (lang != 1 && lang != 2) return;
    if (text.isEmpty()) {
        SetTextAnsi(lang, EmptyText());
        return;
    }
    if (lang == 2) {
        SetTextAnsi(2, Cp932Encode(text));
        return;
    }
    // European texts are Latin-1 both ways, so that what TextUnicode gives
    // comes back unchanged; one with characters beyond Latin-1 goes to the
    // Japanese code page instead of losing them to "?".
    bool latin1 = true;
    for (const QChar c : text) latin1 = latin1 && c.unicode() < 256;
    if (!latin1) {
        // Bypasses the circumflex rule: "^" may be a trail byte here.
        text_[0] = Cp932Encode(text);
        euroInCp932_ = true;
        modify_ = true;
        return;
    }
    SetTextAnsi(1, text.toLatin1());
}

void clsMapText::ReadElm(MapBytes& in, int16_t version) {
    ReadCodesBeforeBody(in, version);
    mx_ = in.Int32();
    my_ = in.Int32();
    textFix_ = in.Int16();
    angle_ = NormalAngle(in.Int16());
    text_[0] = ReadBytes(in, false);
    text_[1] = ReadBytes(in, version < 105);
    ReadAttrAfterBody(in, version);
    modify_ = false;
}
