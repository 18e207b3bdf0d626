#pragma once
// The Japanese code page (CP932) as the Windows original used it, through
// iconv. Decoding never fails; encoding writes "?" for what has no code.
#include <QByteArray>
#include <QString>

QString Cp932Decode(const char* data, qsizetype size);
inline QString Cp932Decode(const QByteArray& bytes) { return Cp932Decode(bytes.constData(), bytes.size()); }
QByteArray Cp932Encode(const QString& text);
// Whether the system's iconv knows CP932 at all (the start-up check).
bool Cp932Available();

// True for a byte that starts a two-byte CP932 character.
inline bool Cp932IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
