#include "core/PublicVal.h"

#include "core/Library.h"
#include "core/ErrorMng.h"
#include "core/clsEnvironment.h"
#include "platform/FileSystem.h"

namespace PublicVal {

int32_t gvMapMode = 0;
int32_t gvLanguage = 0;
QString gvDefaultFont;
bool gvPolygonOutline = false;
QString gvMapFolder;
clsEnvironment* gvEnvironment = nullptr;

clsMapUnits* gvMapUnits = nullptr;

QString gvLastLog;
QString gvLastSavePath;
QString gvStartMapFile;
int16_t gvStartMapType = 0;
int16_t gvScreenDPI = 0;
bool gvScreenDPIFromScreen = true;
int16_t gvAngleValue = 0;
int16_t gvAngleUnit = 0;
int16_t gvAngleDirection = 0;
int32_t gvHomeLon = 0;
int32_t gvHomeLat = 0;
double gvHomeScaleLL = 0;

QString EnvString(const QString& key, const QString& def) {
    return gvEnvironment ? gvEnvironment->GetString(key, def) : def;
}

double EnvVal(const QString& key, double def, double min, double max) {
    return gvEnvironment ? gvEnvironment->GetVal(key, def, min, max) : def;
}

namespace {

QString InMapFolder(const QString& key, const QString& def) {
    return Library::JoinPath(gvMapFolder, EnvString(key, def));
}

QString InOwnFolder(const QString& key, const QString& def) {
    return Library::JoinPath(FileSystem::WritableFolder(),
                             Library::ChangeExt(EnvString(key, def), QStringLiteral("MLG")));
}

bool IsSeparator(QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); }

const QString kMeiryo = QStringLiteral("メイリオ");
const QString kMsPGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kWorldMap = QStringLiteral("WORLD_T3.MLL");

} // namespace

clsMapUnits* MapUnits() { return gvMapUnits; }

QString ResolveMapFolder(const QString& value, const QString& programFolder) {
    if (value.size() < 3 || value[0] != QLatin1Char('.') || value[1] != QLatin1Char('.') || !IsSeparator(value[2]))
        return value;
    qsizetype cut = programFolder.size();
    while (cut > 0 && !IsSeparator(programFolder[cut - 1])) --cut;
    // "C:\A\B" + "..\MAP": up to the last separator of the program folder,
    // then the value from its separator on.
    const QString parent = cut > 0 ? programFolder.left(cut - 1) : QString();
    return parent + value.mid(2);
}

void SetGvStartMapFile(const QString& path) {
    try {
        if (Library::FileExists(path)) {
            gvStartMapFile = path;
            return;
        }
        const QString name = Library::PathFileName(path);
        if (!name.isEmpty() && Library::FileExists(Library::JoinPath(gvMapFolder, name))) {
            gvStartMapFile = name;
            return;
        }
        const QString def = EnvString(QStringLiteral("StartMapFile"), kWorldMap);
        if (!def.isEmpty() && Library::FileExists(Library::JoinPath(gvMapFolder, def))) {
            gvStartMapFile = def;
            return;
        }
        gvStartMapFile = kWorldMap;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1002, QStringLiteral("basPublicVal"), QStringLiteral("SetGvStartMapFile"));
    }
}

QString BaseMapADM() { return InMapFolder(QStringLiteral("BaseMapADM"), QStringLiteral("BASE.ADM")); }
QString BaseMapTHG() { return InMapFolder(QStringLiteral("BaseMapTHG"), QStringLiteral("BASE.THG")); }

QString GazetFile() {
    // Language 0 (never chosen yet) reads as European.
    if (gvLanguage == 1 || gvLanguage == 0) return InMapFolder(QStringLiteral("GazetFileVospE"), QStringLiteral("GAZET_VOSP_E.TXT"));
    if (gvLanguage == 2) return InMapFolder(QStringLiteral("GazetFileVospJ"), QStringLiteral("GAZET_VOSP_J.TXT"));
    return Library::JoinPath(gvMapFolder, QString());
}

QString LogLast() { return InOwnFolder(QStringLiteral("LogLast"), QStringLiteral("LAST")); }
QString LogClip() { return InOwnFolder(QStringLiteral("LogClip"), QStringLiteral("CLIP")); }
QString LogPrint() { return InOwnFolder(QStringLiteral("LogPrint"), QStringLiteral("PRINT")); }
QString LogError() { return InOwnFolder(QStringLiteral("LogError"), QStringLiteral("ERROR")); }
QString AuthorEmail() { return EnvString(QStringLiteral("AuthorEmail"), QString()); }
QString AuthorURLhome() { return EnvString(QStringLiteral("AuthorURLhome"), QString()); }

int32_t GridForeColor() {
    // System colour 8 (window text) and 5 (window background).
    return Library::DblToLng(EnvVal(QStringLiteral("GridForeColor"), double(int32_t(0x80000008)), -2147483648.0,
                                    2147483647.0));
}

int32_t GridBackColor() {
    return Library::DblToLng(EnvVal(QStringLiteral("GridBackColor"), double(int32_t(0x80000005)), -2147483648.0,
                                    2147483647.0));
}

int16_t GridFontSize() {
    const double def = gvDefaultFont == kMeiryo ? 8 : gvDefaultFont == kMsPGothic ? 9 : 0;
    return static_cast<int16_t>(Library::DblToLng(EnvVal(QStringLiteral("GridFontSize"), def, 7, 99)));
}

QString GridFontName() {
    const QString name = EnvString(QStringLiteral("GridFontName"), gvDefaultFont);
    return Library::FontExists(name) ? name : gvDefaultFont;
}

int32_t MaxImageSize() { return Library::DblToLng(EnvVal(QStringLiteral("MaxImageSize"), 4000, 2000, 8000)); }

QString BaseMapMLL() { return InMapFolder(QStringLiteral("BaseMapMLL"), QStringLiteral("BASE.MLL")); }
QString DefaultADM() { return InMapFolder(QStringLiteral("DefaultADM"), QStringLiteral("DEFAULT.ADM")); }
QString DefaultTHG() { return InMapFolder(QStringLiteral("DefaultTHG"), QStringLiteral("DEFAULT.THG")); }
QString AuthorURLruntime() { return EnvString(QStringLiteral("AuthorURLruntime"), QString()); }
QString AuthorURLmap() { return EnvString(QStringLiteral("AuthorURLmap"), QString()); }
QString CruiseListFile() {
    return Library::JoinPath(FileSystem::ProgramFolder(),
                             EnvString(QStringLiteral("CruiseListFile"), QStringLiteral("CRUISE05.LST")));
}
QString CruiseGridFile() {
    return Library::JoinPath(FileSystem::ProgramFolder(),
                             EnvString(QStringLiteral("CruiseGridFile"), QStringLiteral("CRUISE05.GRD")));
}

} // namespace PublicVal
