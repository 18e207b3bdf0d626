#pragma once
// A whole file as one read-only view: mapped when the system allows it,
// otherwise read into memory. Readers of large files walk the view front to
// back and give back the pages behind them, so that a file of any size costs
// little more resident memory than what is built from it.
#include <QByteArray>
#include <QString>
#include <cstdint>

class MappedFile {
public:
    // Opens `path` (resolved without regard to case); failures raise the
    // file errors 52..76 with the path in the description.
    explicit MappedFile(const QString& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const char* data() const { return data_; }
    qint64 size() const { return size_; }
    bool isMapped() const { return map_ != nullptr; }

    // The bytes before `offset` will not be read again: their pages may leave
    // memory (they stay in the page cache). Does nothing for a read copy.
    void Release(qint64 offset);

private:
    QByteArray copy_;
    void* map_ = nullptr;
    const char* data_ = nullptr;
    qint64 size_ = 0;
    qint64 released_ = 0;
};
