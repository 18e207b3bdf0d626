#pragma once
// The installed fonts as the map code sees them, and the table that turns a
// Windows face name (stored in styles and settings) into an installed one.
// Stored names are never rewritten: only the face handed to drawing changes.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace FontCatalog {

struct FamilyInfo {
    QString name;            // family without the foundry suffix
    int16_t weight = 400;    // of the regular style
    uint8_t pitchAndFamily = 0; // 1 fixed pitch, 2 variable pitch
    uint8_t charSet = 0;     // 128 when it writes Japanese, else 0
};

// Reads the system's font configuration and its caches (fontconfig, Qt's
// font back end here) ahead of the font database, which then finds them
// read: on any thread, before the QGuiApplication too. False when
// fontconfig failed (the database then reads it itself).
bool PreloadConfiguration();

// Every installed family once, in the font database's order; needs a
// QGuiApplication (empty without one).
std::vector<FamilyInfo> InstalledFamilies();
// Their names alone, in the same order (what Resolve and UiFamily take).
QStringList InstalledNames();

// "Family [Foundry]" -> "Family".
QString StripFoundry(const QString& family);

// Whether two names name one family: equal without regard to case, or two
// of the names fontconfig gives it ("IPAGothic" and "IPAゴシック"; the font
// database lists only the one of the current locale).
bool SameFamily(const QString& a, const QString& b);
// The entry of `installed` that names `face` under any of its names (one
// spelled as asked first); "" when none does.
QString Find(const QString& face, const QStringList& installed);

// The installed faces that stand for a Windows face, best first; empty for
// a name the table does not know.
QStringList Aliases(const QString& windowsFace);

// The face to draw `face` with, as `installed` spells it: the face itself
// when it is installed (under any of its names), else its first installed
// alias, else "".
QString Resolve(const QString& face, const QStringList& installed);

// The installed face Qt draws the first of `letters` with when asked for
// `family` (another face when `family` has no such letter); "" without a
// QGuiApplication.
QString LettersFace(const QString& family, const QString& letters);

// The face of menus, status bar and dialogs: a proportional Japanese face
// (Noto Sans CJK JP, else IPAPGothic) as `installed` spells it; "" when
// neither is there.
QString UiFamily(const QStringList& installed);

// Makes Qt draw the Windows faces of the table with their installed
// stand-ins wherever a widget names them.
void InstallSubstitutions(const QStringList& installed);

} // namespace FontCatalog
