#pragma once
// Files and folders as the program sees them: "\" or "/" separators, names
// found without regard to letter case, read-only by the write bits.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

struct stat;

namespace FileSystem {

// Resolves an existing path one component at a time without regard to case;
// "\" and "/" both separate. Components that do not exist stay as given.
QString ResolvePath(const QString& path);
// One spelling for one file: resolved as above, made absolute (from the
// current folder), "." and ".." taken out, "/" between components. The
// form the program shows, stores and compares; "" stays "".
QString NormalPath(const QString& path);

bool Exists(const QString& path);      // a file or folder
bool IsFile(const QString& path);
bool IsFolder(const QString& path);
// The modification time of a folder in milliseconds since 1970 (UTC), in one
// stat of `folder` as spelled; -1 when it is not a folder.
int64_t FolderTime(const QString& folder);
// Exists and has no write bit (root passes access(W_OK), so the mode decides).
bool IsReadOnly(const QString& path);
// Whether a file could be created in the folder (tries it).
bool IsWritableFolder(const QString& folder);

// The folder of the executable; tests may point it elsewhere.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);
// Where the program writes its own files: the program folder when writable,
// otherwise $XDG_DATA_HOME/vosperal (created on demand).
QString WritableFolder();
// A file of the program's own: in the writable folder when it is there,
// otherwise in the program folder (where it is read back from).
QString OwnFilePath(const QString& name);

// The path without its extension (a "." after the last "\" or "/"), then "."
// and ext; a leading "." of ext is dropped.
QString ChangeExtension(const QString& path, const QString& ext);

// Whole-file access; failures raise the file errors 52..76.
QByteArray ReadAll(const QString& path);
// Opens an existing regular file for reading and fills `st` (anything else,
// a folder, FIFO or device, raises EISDIR); a lease on the file is waited
// out as by a plain open. The descriptor is the caller's to close.
int OpenForReading(const QString& path, struct stat& st);
// Tests only: `beforeOpen` runs when a file has passed the check and is
// about to be opened for reading; `descriptorFolder` stands in for
// "/proc/self/fd/" (empty: that one).
void SetReadOpenHookForTests(std::function<void()> beforeOpen, const QByteArray& descriptorFolder = {});
// Writes a temporary file beside `path` and renames it over the old one.
// With `sync` the file and the folder are flushed to the disk first, so that
// a power loss leaves one of the two whole; without it a failed write still
// leaves the old file as it was.
void WriteAtomic(const QString& path, const QByteArray& bytes, bool sync = true);
// Creates `folder` (its parent must exist) unless it is there already.
void MakeFolder(const QString& folder);

// Text files in the Japanese code page: lines split at LF with a CR before
// it dropped; no final empty line.
QStringList ReadCp932Lines(const QString& path);
QStringList SplitLines(const QString& text);
// Lines joined with CR LF after each one; written atomically.
QByteArray Cp932Lines(const QStringList& lines);
void WriteCp932Lines(const QString& path, const QStringList& lines);

} // namespace FileSystem
