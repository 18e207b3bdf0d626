#include "core/LibraryBytes.h"

#include "platform/Cp932Codec.h"

namespace Library {

QString BytesToStr(const QByteArray& bytes) {
    if (bytes.isEmpty() || bytes[0] == '\0') return {};
    return QString::fromLatin1(bytes);
}

QString BytesToStr(const QString& text) { return text; }

QByteArray StrToBytes(const QString& text) {
    if (text.isEmpty()) return QByteArray(1, '\0');
    return Cp932Encode(text);
}

QByteArray StrToBytes(const QByteArray& bytes) { return bytes; }

} // namespace Library
