#pragma once
// Country grid bytes and file times for the cruise tests.
#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <cstdint>

// A whole grid of zeros; cell (row, col) sits at row * 720 + col * 2, low byte first.
struct GridBytes {
    QByteArray bytes = QByteArray(129600, '\0');
    GridBytes& set(int row, int col, int16_t v) {
        bytes[row * 720 + col * 2] = static_cast<char>(v & 0xFF);
        bytes[row * 720 + col * 2 + 1] = static_cast<char>((v >> 8) & 0xFF);
        return *this;
    }
};

inline bool SetModified(const QString& path, const QDateTime& when) {
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.setFileTime(when, QFileDevice::FileModificationTime);
}
