#pragma once
// Paths and files: "\" and "/" both separate.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace Library {

bool FileExists(const QString& path);
QString ChangeExt(const QString& path, const QString& ext);
QString PathFileName(const QString& path);
QString PathFolder(const QString& path);
QString JoinPath(const QString& folder, const QString& file);
// Fits a path into n characters: folder\...\name, else the name alone.
QString ShortenPath(const QString& path, int32_t n);
bool IsReadOnlyFile(const QString& path, bool showMessage = false);
// Every file matching the name pattern ("*" and "?", any letter case) in the
// pattern's folder and below: a folder's files sorted, then its subfolders.
QStringList FindFiles(const QString& pattern);

} // namespace Library
