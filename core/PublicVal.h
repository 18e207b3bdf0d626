#pragma once
// The application's global state as the engine sees it. The main window owns
// and fills it; the engine only reads it (and a few settings it toggles).
#include <QString>
#include <cstdint>

class clsEnvironment;
class clsMapUnits;

namespace PublicVal {

// 1 longitude/latitude maps, 2 plane XY maps; the application sets only 1.
extern int32_t gvMapMode;
// 1 European names, 2 Japanese names.
extern int32_t gvLanguage;
// Face name of the application's default font, chosen at start-up.
extern QString gvDefaultFont;
// Outline brush-filled rectangles and polygons in the fill colour.
extern bool gvPolygonOutline;
// The map folder.
extern QString gvMapFolder;
// The store of "Environment.txt" (not owned here; null before start-up).
extern clsEnvironment* gvEnvironment;
// Its values, min..max for numbers; the default while there is none.
QString EnvString(const QString& key, const QString& def);
double EnvVal(const QString& key, double def, double min, double max);

// The open map units, created and released by the application (its other
// singletons are declared in app/); null outside that span. Not owned here.
extern clsMapUnits* gvMapUnits;

// Scalar settings kept in section "PUBLIC" between runs.
extern QString gvLastLog;      // last snapshot saved under a name of the user's own
extern QString gvLastSavePath; // path last chosen in the Save dialog
extern QString gvStartMapFile; // set through SetGvStartMapFile only
extern int16_t gvStartMapType; // 0 nothing, 1 cruise once, 2 open gvStartMapFile
extern int16_t gvScreenDPI;
// Whether gvScreenDPI came from the screen (and follows it) rather than
// from the user's screen width (and stays).
extern bool gvScreenDPIFromScreen;
extern int16_t gvAngleValue;
extern int16_t gvAngleUnit;
extern int16_t gvAngleDirection;
extern int32_t gvHomeLon; // seconds of arc
extern int32_t gvHomeLat;
extern double gvHomeScaleLL;

clsMapUnits* MapUnits();

// The map folder named by a "MapFolder" value: a leading "..\" (or "../")
// stands for the parent of the program folder; any other value is used as
// it is.
QString ResolveMapFolder(const QString& value, const QString& programFolder);

// Chooses the start map: the path itself when that file exists, else its
// bare name when it lies in the map folder, else the environment's start map
// (default "WORLD_T3.MLL") when that lies there, else "WORLD_T3.MLL".
void SetGvStartMapFile(const QString& path);

// Map-folder files of the base unit, tested together when a map folder is
// taken from the settings.
QString BaseMapADM();
QString BaseMapTHG();
// The gazetteer of the current language, 0 counting as 1 (the bare map
// folder for another language value).
QString GazetFile();
// Snapshot files ".MLG" in the folder where the program writes its own files.
QString LogLast();
QString LogClip();
QString LogPrint();
QString LogError();
QString AuthorEmail();
QString AuthorURLhome();
// Colours, font and size of the list grids of the dialogs.
int32_t GridForeColor();
int32_t GridBackColor();
int16_t GridFontSize();
QString GridFontName();
// Largest side of an output image in pixels (2000..8000).
int32_t MaxImageSize();

// Files named by "Environment.txt" keys, joined to the map folder unless
// the value already holds a folder.
QString BaseMapMLL();
QString DefaultADM();
QString DefaultTHG();
// Where the runtime component set can be had; "" when not configured.
QString AuthorURLruntime();
// Where the standard map files can be had; "" when not configured.
QString AuthorURLmap();
// The cruise list and the country grid, joined to the program folder unless
// the value already holds a folder.
QString CruiseListFile();
QString CruiseGridFile();

} // namespace PublicVal
