#pragma once
// The gazetteer file: five header lines, then one TAB-separated line per
// place (columns 0..8 of the place list), in the Japanese code page with
// CR LF. Older files hold steps of the 10-step scale ladder in place of the
// two scale denominators; the reader converts them.
#include <QString>
#include <QStringList>
#include <cstdint>

class PlaceList;

class GazetteerFile {
public:
    // Appends the file's places to `list`; a sort code 1..8 in the header
    // goes to `sortCode`. False, with the list emptied, when the header
    // marks are missing or the user gives up on a file error; false with
    // the list untouched when the file does not exist. Other file errors
    // pass on.
    static bool Read(const QString& path, PlaceList& list, int32_t& sortCode);
    // Replaces the file; nothing is written for an empty list. False when
    // the user gave up on a file error.
    static bool Write(const QString& path, const PlaceList& list, int32_t lang, int32_t sortCode);

    // The same on lines in memory.
    static bool ParseLines(const QStringList& lines, PlaceList& list, int32_t& sortCode);
    static QStringList FileLines(const PlaceList& list, int32_t lang, int32_t sortCode);

    // A plain decimal number, blanks around allowed (an exponent too).
    static bool NumberText(QStringView text, double& value);
};
