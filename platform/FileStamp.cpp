#include "platform/FileStamp.h"

#include "platform/FileSystem.h"

#include <QFile>
#include <sys/stat.h>

namespace FileStamp {

Stamp Of(const QString& path) {
    Stamp s;
    s.path = path;
    if (path.isEmpty()) return s;
    struct stat st;
    const QByteArray name = QFile::encodeName(FileSystem::ResolvePath(path));
    if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return s;
    s.size = static_cast<int64_t>(st.st_size);
    s.mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}

} // namespace FileStamp
