#pragma once
// The ordered list of open map units: the base unit first, then the maps the
// user opened, with the active unit.
#include "document/clsMapUnit.h"

#include <cstdint>
#include <memory>
#include <vector>

class clsMapUnits {
public:
    using UnitPtr = std::shared_ptr<clsMapUnit>;

    int32_t MapMode() const { return mapMode_; }
    int32_t Count() const { return static_cast<int32_t>(units_.size()); }
    int16_t Index() const { return index_; }
    // Ignored outside 1..Count.
    void SetIndex(int32_t i);

    // 1-based; nullptr when there is no such unit.
    UnitPtr Item(int32_t i) const;
    UnitPtr Active() const { return Item(index_); }
    UnitPtr Base() const { return Item(1); }
    auto begin() const { return units_.begin(); }
    auto end() const { return units_.end(); }

    // Builds and loads the base unit from the base map file. 0 on success;
    // otherwise the code of the failing step: 1 unknown map mode, 3 the list
    // is not empty, 4 the unit could not be made, 5 it did not load, 8 it
    // could not be appended.
    int16_t Create(int32_t mode);
    // Removes every unit but the base.
    void ClearAll();
    // False for another map mode or a name already open (that unit is shown
    // again); the base map's own file replaces the base unit.
    bool Add(const UnitPtr& unit);
    // The unit Add would put `unit` in place of; nullptr when Add would
    // append or refuse it.
    UnitPtr Replaced(const clsMapUnit& unit) const;
    // Positions 2..Count; the base unit stays.
    bool Remove(int32_t i);
    // Bit 1 drops units with at most one figure, bit 2 orders the units by
    // map kind, bit 4 shows one scale level per group of kinds.
    bool Optimize(uint8_t flags);

private:
    QString basePath(int32_t mode) const;
    // The unit open under this file name, if any.
    UnitPtr openUnit(const QString& name) const;
    bool isBaseFile(const QString& name) const;
    void dropEmpty();
    void orderByKind();
    void oneLevelPerGroup();

    std::vector<UnitPtr> units_;
    int32_t mapMode_ = 1;
    int16_t index_ = 0;
};
