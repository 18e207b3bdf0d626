#include "core/clsTextFile.h"

#include "platform/FileSystem.h"

clsTextFile clsTextFile::Read(const QString& path) { return clsTextFile(FileSystem::ReadCp932Lines(path)); }

void clsTextFile::Save(const QString& path) const { FileSystem::WriteCp932Lines(path, lines_); }
