#pragma once
// The three files of one base name: the map, its thing list and its area
// list, with the unit's draw and search switches.
#include "document/clsAdmins.h"
#include "document/clsMap.h"
#include "document/clsMapCell.h"
#include "document/clsThings.h"

#include <QString>
#include <functional>
#include <memory>

class clsMapUnit {
public:
    clsMapUnit();

    std::shared_ptr<clsMap> gFigures;
    std::shared_ptr<clsThings> gThings;
    std::shared_ptr<clsAdmins> gAdmins;
    bool bDraw = true;
    bool bSearch = true;

    void SetMapMode(int32_t mode);
    QString UnitName() const;
    // ".MLL" or ".MXY" (exactly) sets the map mode; the three files then
    // share the path's folder and base name.
    void SetUnitName(const QString& path);
    bool Modify() const;

    // The cell of figure i (1-based) of the map.
    clsMapCell Cell(int32_t i) const;
    // Joins the figure with its area and thing and turns the thing to the
    // area's colour page.
    clsMapCell ToCell(clsMapFigure* figure) const;
    // Marks the things the map uses; with `frame` also every thing of the
    // first category named "枠組".
    void CheckUseThing(bool frame);

    // Loads the area list, the thing list and the map through the loading
    // window the application installed (headless when none); true when all
    // three loaded.
    bool Load();

    using LoadPresenter = std::function<bool(clsMapUnit& unit)>;
    // Installs the loading window (empty restores the headless loader) and
    // returns the previous one.
    static LoadPresenter SetLoadPresenter(LoadPresenter presenter);
};
