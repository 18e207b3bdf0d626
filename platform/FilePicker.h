#pragma once
// The file-name pickers every window asks through. The dialog itself sits
// behind a seam, so that tests script the user's choice.
//
// Filters are pairs of description and pattern, each ending with "|":
// "地図ファイル(*.MLL)|*.MLL|事象ファイル(*.THG)|*.THG|". Entries count from 1.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace FilePicker {

struct Request {
    bool save = false;
    QString title;
    QString filter;
    int32_t filterIndex = 1;
    QString fileName;
};

struct Answer {
    bool accepted = false; // false: cancelled
    QString fileName;
    int32_t filterIndex = 1; // the entry left selected
};

class FileDialogs {
public:
    virtual ~FileDialogs();
    virtual Answer Show(const Request& request) = 0;
};

// The dialogs in force (Qt's file dialog until one is installed). Installs
// `dialogs` (not owned; nullptr restores the default), returns the previous.
FileDialogs* SetFileDialogs(FileDialogs* dialogs);
FileDialogs& Dialogs();

// The folder a relative first name is taken to lie in (the program sets the
// map folder); unset or empty, such a name is left as it is.
void SetRelativeFolder(std::function<QString()> folder);
// `fileName` in that folder when it is relative; otherwise unchanged.
QString PlacedName(const QString& fileName);
// From the first "." of the file name, not of its folders, to the end; ""
// when the file name has none.
QString FirstExtension(const QString& fileName);

// The entry whose pattern holds `ext` (letter case not regarded) by the
// count of "|" before its first occurrence; 1 when `ext` is empty or absent.
int32_t FilterIndexOf(const QString& filter, const QString& ext);
// The extension of entry k's pattern (".THG" for "*.THG"); "" when the entry
// has none.
QString FilterExtension(const QString& filter, int32_t k);
// The filter as Qt's name filters, one per entry: "desc (pattern pattern)"
// with the pattern also in small letters, since names on disk may be either.
QStringList QtNameFilters(const QString& filter);

// The chosen path, or "" when cancelled. An empty title gives
// "ファイルを開く".
QString InputLoadName(const QString& title, const QString& filter, const QString& fileName);
// The chosen path with the chosen entry's extension in place of its own
// (unless the entry's pattern is "*.*"), or "" when cancelled. An empty
// title gives "ファイルを保存する". When a file of that final name exists,
// the user is asked once whether to overwrite it; No opens the dialog again.
QString InputSaveName(const QString& title, const QString& filter, const QString& fileName);

} // namespace FilePicker
