#pragma once
// Bytes and texts: the byte strings of the map files and their texts.
#include <QByteArray>
#include <QString>

namespace Library {

// One character per byte ("" when the first byte is 0); a text unchanged.
QString BytesToStr(const QByteArray& bytes);
QString BytesToStr(const QString& text);
// A text in the Japanese code page; "" gives one zero byte; bytes unchanged.
QByteArray StrToBytes(const QString& text);
QByteArray StrToBytes(const QByteArray& bytes);

} // namespace Library
