#include "document/clsMapRem.h"

#include "core/Library.h"
#include "core/clsPoly.h"
#include "document/MapBytes.h"
#include "platform/Cp932Codec.h"

namespace {

QString ReadCharText(MapBytes& in) {
    const int16_t n = in.Int16();
    if (n <= 0) return {};
    qint64 bytes = 0;
    const char* p = in.Cp932Chars(n, bytes);
    return Cp932Decode(p, bytes);
}

} // namespace

std::shared_ptr<clsPoly> clsMapRem::Poly() { return std::make_shared<clsPoly>(); }

std::shared_ptr<clsMapFigure> clsMapRem::Copy() const {
    auto f = std::make_shared<clsMapRem>();
    f->SetComment(comment_);
    CopyCommonTo(*f);
    return f;
}

void clsMapRem::SetComment(const QString& text) {
    comment_ = text;
    modify_ = true;
}

qsizetype clsMapRem::KeyColon() const {
    if (!comment_.startsWith(QLatin1String("# "))) return 0;
    qsizetype p = comment_.indexOf(QChar(0xFF1A)) + 1;
    if (p == 0) p = comment_.indexOf(QLatin1Char(':')) + 1;
    return (p >= 5 && p <= 20) ? p : 0;
}

QString clsMapRem::Key() const {
    const qsizetype p = KeyColon();
    return p ? Library::TrimBlanks(comment_.mid(2, p - 3)) : QString();
}

QString clsMapRem::Value() const {
    const qsizetype p = KeyColon();
    return p ? Library::TrimBlanks(comment_.mid(p)) : QString();
}

void clsMapRem::ReadElm(MapBytes& in, int16_t version) {
    switch (version) {
    case 104:
        admin_ = in.Int16();
        comment_ = ReadCharText(in);
        HMap::DecodeAttr104(in.Int32(), ownShowMode_, ownColor_);
        break;
    case 105:
        admin_ = in.Int16();
        (void)in.Int16(); // thing code, not used by remarks
        HMap::DecodeAttr105(in.Int32(), jumpMark_, ownShowMode_, ownColor_);
        comment_ = ReadCharText(in);
        break;
    case 106: {
        ReadHead106(in);
        thing_ = -1;
        const int16_t n = in.Int16();
        comment_ = n > 0 ? Cp932Decode(in.Bytes(n), n) : QString();
        break;
    }
    default: // 99..103, and the header record
        admin_ = in.Int16();
        comment_ = ReadCharText(in);
        break;
    }
    modify_ = false;
}
