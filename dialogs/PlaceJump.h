#pragma once
// What a chosen place does to the view: its map unit shown (loaded from the
// map folder first when it comes from the gazetteer), the view centred on
// it with the scale brought into its visible range, and automatic cruise
// switched off. Also the keyword history of the jump dialog.
#include "core/CoordTypes.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

class clsCruise05;
class clsMapPlot;
class clsMapUnit;
class clsMapUnits;

namespace PlaceJump {

// 1 for a ".MLL" file (any letter case), else 2.
int32_t UnitMode(const QString& file);
// The map file of a row: its file-name part in the map folder, or in a
// subfolder of it (the builder reads those too) when the map folder itself
// has no such file.
QString MapPath(const QString& mapFolder, const QString& file);

using UnitLoad = std::function<std::shared_ptr<clsMapUnit>(const QString& path, int32_t mode)>;
// Shows the unit of `path` when it is open. Otherwise, for a place of the
// gazetteer, loads it (an empty `load` means the unit's own Load), adds it
// and tidies the list. Either way, when the shown map has a scale level the
// open maps of another level are hidden. `repaint` runs after a successful
// load and after the add.
void ShowPlaceMap(clsMapUnits& units, const QString& path, int32_t mode, bool fromGazetteer, const UnitLoad& load,
                  const std::function<void()>& repaint = {});

// The scale raised to scaleMax, then lowered to scaleMin: with reversed
// limits scaleMin wins.
double JumpScale(double scale, double scaleMin, double scaleMax);
// Centres the view and brings its scale into range; automatic cruise is
// switched off with a message.
void Apply(clsMapPlot& plot, clsCruise05* cruise, MapPoint center, double scaleMin, double scaleMax);

// Appends a keyword unless it is empty or equals the last one, letter case
// aside; true when appended.
bool AddHistory(QStringList& history, const QString& text);

} // namespace PlaceJump
