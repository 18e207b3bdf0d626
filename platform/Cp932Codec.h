#pragma once
// The Japanese code page (CP932) as the Windows original used it, through
// iconv. Decoding never fails; encoding writes "?" for what has no code.
#include <QByteArray>
#include <QString>

QString Cp932Decode(const char* data, qsizetype size);
inline QString Cp932Decode(const QByteArray& bytes) { return Cp932Decode(bytes.constData(), bytes.size()); }
QByteArray Cp932Encode(const QString& text);
// Whether CP932 has a code for the character; U+2212 and U+301C count, as
// the encoder writes them by their full-width forms.
bool Cp932CanEncode(char32_t c);
// The text with each character that CP932 cannot write replaced by its
// closest letters, as the Windows best-fit conversion does: a decomposed
// letter without its marks (ô -> o, Š -> S; a combining mark of its own is
// dropped), and by table ø, ł, đ, ß, æ, œ and their capitals (o, l, d, ss,
// ae, oe). Other characters stay as they are, for the encoder to write "?".
QString Cp932BestFit(const QString& text);
// Whether the system's iconv knows CP932 at all (the start-up check).
bool Cp932Available();

// True for a byte that starts a two-byte CP932 character.
inline bool Cp932IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
