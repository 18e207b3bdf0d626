#pragma once
// The cruise engine: for the scale and the area of the view it picks the
// standard maps of the matching level of detail, loads those not yet open,
// shows them and hides every other standard map.
//
// A map code has six digits: 1, the kind (2 sea-floor relief, 3 political,
// 4 topographic, 5 traffic, 6..8 the same three for one country), the level
// 0..8 and the country number (000 below level 7).
//
// The owner calls ReadRegistry right after construction and WriteRegistry
// at shut-down; neither runs by itself.
#include "core/clsRect.h"
#include "cruise/clsCruiseList.h"
#include "cruise/clsGridMap.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

class clsMapUnit;
class clsMapUnits;

class clsCruise05 {
public:
    // Loads the unit of a map file; nullptr when it could not be loaded
    // (the loader has told the user why).
    using UnitLoader = std::function<std::shared_ptr<clsMapUnit>(const QString& path)>;

    static constexpr int kStdMapCount = 25;
    // The standard map codes in the bit order of GetStdMapList.
    static int32_t StdMapCode(int bit);

    // Borders from the scale limits (which must be set) and the standard
    // ratios; list and grid in the program folder; the loader through
    // clsMapUnit::Load.
    clsCruise05();

    bool mEiAuto = false;    // cruise before every redraw
    bool mEiReplace = true;  // an incomplete level falls back to smaller scales
    bool mEiTopo = false;    // the topographic set instead of the political
    bool mEiOcean = false;   // add the sea-floor relief map
    bool mEiTraffic = false; // add the traffic map

    QString ListFile() const { return list_.FileName(); }
    void SetListFile(const QString& path) { list_.SetFileName(path); }
    QString GridFile() const { return grid_.FileName(); }
    void SetGridFile(const QString& path) { grid_.SetFileName(path); }

    // Index 0 is the largest and 8 the smallest scale denominator; 1..7
    // the borders between level k and k + 1. 0 outside 0..8.
    double BorderScale(int16_t index) const;
    // Taken for 1..7 when the value, rounded, lies within the scale limits.
    void SetBorderScale(int16_t index, double value);
    // The standard-map mask remembered in the settings, as decimal text.
    QString LastStdMapList() const { return QString::number(lastStdMapList_); }
    double StdBorderScale(int16_t index) const;

    // The map file of a code; "" when the list has no record for it or the
    // record names no file.
    QString MapCodeToPath(int32_t code);
    // The name of the first record of the country (lang 1 European, 2 Japanese).
    QString CountryName(int16_t country, int32_t lang);
    // 1..8; -1 when no level holds the scale.
    int16_t ScaleToLevel(double scale) const;
    // Bit i set when the file of standard code i is there.
    int32_t GetStdMapList();
    int16_t GetStdMapCount();

    // The entries "+,code6,file" or "-,code6,name" of the maps the level
    // needs in the area; empty outside 1..8 and for levels 7 and 8 when no
    // country lies in the area.
    QStringList NominateMaps(int16_t level, const clsRect& area);
    // Chooses, loads, shows and hides the standard maps for the view; true
    // when a complete level was found and every map of it loaded.
    bool Cruise(double scale, const clsRect* area, clsMapUnits* units);

    void ReadRegistry();
    void WriteRegistry();

    // Installs a loader (empty restores the default) and returns the previous one.
    UnitLoader SetLoader(UnitLoader loader);
    // The country grid, for the area queries of the dialog.
    clsGridMap& GridMap() { return grid_; }

private:
    // The list lookups of one outermost member call check the file once, so
    // a missing list is reported once per call.
    class OuterCall;
    friend class OuterCall;

    void EnsureList();
    const CruiseListRecord* FindListRecord(int32_t code);
    QString NominateEntry(int32_t code);
    static bool SameFileName(const QString& a, const QString& b);
    static QString ResolveMapPath(const QString& path);
    static bool IsMapFile(const QString& path);

    clsCruiseList list_;
    clsGridMap grid_;
    double border_[9] = {};
    int32_t lastStdMapList_ = 0;
    UnitLoader loader_;
    int depth_ = 0;
    bool listChecked_ = false;
};
