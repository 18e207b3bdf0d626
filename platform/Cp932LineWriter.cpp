#include "platform/Cp932LineWriter.h"

#include "platform/Cp932Codec.h"
#include "platform/FileSystem.h"
#include "platform/VospError.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

Cp932LineWriter::Cp932LineWriter(QString path) : path_(std::move(path)) {}

Cp932LineWriter::~Cp932LineWriter() {
    if (fd_ >= 0) ::close(fd_);
}

void Cp932LineWriter::Open() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = ::open(QFile::encodeName(FileSystem::ResolvePath(path_)).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
                 0644);
    if (fd_ < 0) ThrowFileError(errno, path_);
}

void Cp932LineWriter::Write(const QString& line) {
    const QByteArray bytes = Cp932Encode(line) + "\r\n";
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowFileError(errno, path_);
        }
        p += n;
        left -= n;
    }
}

void Cp932LineWriter::Close() {
    const int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0) ThrowFileError(errno, path_);
}

void Cp932LineWriter::MakeFolder(const QString& folder) {
    if (FileSystem::IsFolder(folder)) return;
    if (::mkdir(QFile::encodeName(FileSystem::ResolvePath(folder)).constData(), 0777) != 0)
        ThrowFileError(errno, folder, true);
}
