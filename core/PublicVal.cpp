#include "core/PublicVal.h"

#include "core/Library.h"
#include "core/clsEnvironment.h"
#include "platform/FileSystem.h"

namespace PublicVal {

int32_t gvMapMode = 0;
int32_t gvLanguage = 0;
QString gvDefaultFont;
bool gvPolygonOutline = false;
QString gvMapFolder;
clsEnvironment* gvEnvironment = nullptr;

namespace {

QString EnvString(const QString& key, const QString& def) {
    return gvEnvironment ? gvEnvironment->GetString(key, def) : def;
}

QString InMapFolder(const QString& key, const QString& def) {
    return Library::JoinPath(gvMapFolder, EnvString(key, def));
}

} // namespace

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
