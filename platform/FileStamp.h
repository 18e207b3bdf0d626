#pragma once
// What tells whether a data file changed since it was read: its name, size
// and modification time. Reading it again is skipped while they match.
#include <QString>
#include <cstdint>

namespace FileStamp {

struct Stamp {
    QString path;        // as the caller named it
    int64_t size = -1;   // -1: no regular file there
    int64_t mtimeNs = 0; // modification time in nanoseconds

    bool IsFile() const { return size >= 0; }
    bool operator==(const Stamp&) const = default;
};

// The stamp of the file at `path` now (found without regard to case).
Stamp Of(const QString& path);

} // namespace FileStamp
