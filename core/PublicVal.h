#pragma once
// The application's global state as the engine sees it. The main window owns
// and fills it; the engine only reads it (and a few settings it toggles).
#include <QString>
#include <cstdint>

class clsEnvironment;

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
