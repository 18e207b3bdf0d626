#pragma once
// The working copies the map-symbol dialog edits: one thing list and one
// area list per loaded map unit, in the units' order. The units receive them
// only on OK; a preview lends them to the units for one redraw.
#include "document/clsThing.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class clsAdmins;
class clsMapUnits;
class clsThings;

class SymbolWork {
public:
    // Copies every unit's lists (after marking the things its map uses);
    // the copies start unmodified. The chosen unit is the active one.
    void Load(const clsMapUnits& units);
    void Release();

    int32_t mUnitCount = 0;
    int32_t mUnitIndex = 0;
    // 1-based, as the units.
    std::shared_ptr<clsThings> WorkThings(int32_t k) const;
    std::shared_ptr<clsAdmins> WorkAdmins(int32_t k) const;
    std::shared_ptr<clsThings> Things() const { return WorkThings(mUnitIndex); }
    std::shared_ptr<clsAdmins> Admins() const { return WorkAdmins(mUnitIndex); }

    // Copies the thing over the first namesake of every working thing list
    // that is not locked, the chosen one included; each keeps its own code
    // and Use flag. Nothing without unit synchronisation.
    void SyncMapThing(const clsThing& thing, bool unitSync) const;

    // Puts the working lists into the units, runs `plot` and gives every
    // unit its own lists back, also when `plot` throws.
    void Preview(const clsMapUnits& units, const std::function<void()>& plot) const;

    // OK: the chosen unit becomes the active one and the units take the
    // working lists, each marked modified when it or the unit's own list
    // was modified at loading.
    void WriteBack(clsMapUnits& units);

    // A restore of every row leaves working list k unchanged when each of
    // its things stands as it did at loading: only then is its Modify
    // flag cleared.
    void ClearModifyIfAsLoaded(int32_t k) const;

private:
    using Pages = std::array<ThingPage, 8>;
    std::vector<std::shared_ptr<clsThings>> things_;
    std::vector<std::shared_ptr<clsAdmins>> admins_;
    std::vector<bool> ownThingModify_, ownAdminModify_;
    std::vector<std::map<int16_t, Pages>> loaded_;
};
