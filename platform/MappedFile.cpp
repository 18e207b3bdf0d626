#include "platform/MappedFile.h"

#include "platform/FileSystem.h"
#include "platform/VospError.h"

#include <cerrno>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

MappedFile::MappedFile(const QString& path) {
    struct stat st;
    const int fd = FileSystem::OpenForReading(path, st);
    if (S_ISREG(st.st_mode) && st.st_size > 0) {
        void* p = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (p != MAP_FAILED) {
            ::madvise(p, static_cast<size_t>(st.st_size), MADV_SEQUENTIAL);
            map_ = p;
            data_ = static_cast<const char*>(p);
            size_ = st.st_size;
        }
    }
    ::close(fd);
    if (!map_) {
        // Empty files and file systems without mapping: an ordinary read.
        copy_ = FileSystem::ReadAll(path);
        data_ = copy_.constData();
        size_ = copy_.size();
    }
}

MappedFile::~MappedFile() {
    if (map_) ::munmap(map_, static_cast<size_t>(size_));
}

void MappedFile::Release(qint64 offset) {
    if (!map_) return;
    // In steps of at least 1 MiB: one system call per page would cost more
    // than it saves.
    static const qint64 page = ::sysconf(_SC_PAGESIZE);
    const qint64 end = (offset < size_ ? offset : size_) / page * page;
    if (end - released_ < (qint64(1) << 20)) return;
    ::madvise(static_cast<char*>(map_) + released_, static_cast<size_t>(end - released_), MADV_DONTNEED);
    released_ = end;
}
