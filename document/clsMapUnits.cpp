#include "document/clsMapUnits.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/PublicVal.h"
#include "document/HMap.h"

#include <algorithm>

namespace {
const char* const kObject = "clsMapUnits";
}

void clsMapUnits::SetIndex(int32_t i) {
    if (i >= 1 && i <= Count()) index_ = static_cast<int16_t>(i);
}

clsMapUnits::UnitPtr clsMapUnits::Item(int32_t i) const {
    if (i < 1 || i > Count()) return nullptr;
    return units_[static_cast<size_t>(i - 1)];
}

QString clsMapUnits::basePath(int32_t mode) const {
    const QString path = PublicVal::BaseMapMLL();
    return mode == 2 ? Library::ChangeExt(path, QStringLiteral("MXY")) : path;
}

int16_t clsMapUnits::Create(int32_t mode) {
    if (mode != 1 && mode != 2) return 1;
    if (!units_.empty()) return 3;
    mapMode_ = mode;
    int16_t code = 4;
    try {
        auto unit = std::make_shared<clsMapUnit>();
        unit->SetMapMode(mode);
        unit->SetUnitName(basePath(mode));
        code = 5;
        if (!unit->Load()) return 5;
        unit->bSearch = false;
        code = 8;
        units_.push_back(unit);
        index_ = 1;
        return 0;
    } catch (...) {
        return code;
    }
}

void clsMapUnits::ClearAll() {
    try {
        while (units_.size() >= 2) units_.erase(units_.begin() + 1);
        index_ = static_cast<int16_t>(Count());
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObject, "ClearAll");
    }
}

bool clsMapUnits::Add(const UnitPtr& unit) {
    try {
        if (!unit || unit->gFigures->MapMode() != mapMode_) return false;
        if (units_.empty() && Create(mapMode_) != 0) return false;
        const QString name = unit->UnitName();
        if (const UnitPtr open = openUnit(name)) {
            open->bDraw = true;
            return false;
        }
        if (isBaseFile(name)) {
            units_.insert(units_.begin(), unit);
            units_.erase(units_.begin() + 1);
        } else {
            units_.push_back(unit);
        }
        index_ = static_cast<int16_t>(Count());
        return true;
    } catch (...) {
        return false;
    }
}

clsMapUnits::UnitPtr clsMapUnits::openUnit(const QString& name) const {
    const auto it = std::find_if(units_.begin(), units_.end(),
                                 [&](const UnitPtr& u) { return u->UnitName().compare(name, Qt::CaseInsensitive) == 0; });
    return it != units_.end() ? *it : nullptr;
}

// Only the base map's own file replaces the base unit.
bool clsMapUnits::isBaseFile(const QString& name) const {
    const QString baseName = Library::PathFileName(basePath(mapMode_));
    return Library::PathFileName(name).compare(baseName, Qt::CaseInsensitive) == 0;
}

clsMapUnits::UnitPtr clsMapUnits::Replaced(const clsMapUnit& unit) const {
    if (units_.empty() || unit.gFigures->MapMode() != mapMode_) return nullptr;
    const QString name = unit.UnitName();
    return !openUnit(name) && isBaseFile(name) ? units_.front() : nullptr;
}

bool clsMapUnits::Remove(int32_t i) {
    if (i < 2 || i > Count()) return false;
    units_.erase(units_.begin() + (i - 1));
    if (i < index_) --index_;
    index_ = static_cast<int16_t>(Library::Clamp(index_, 0, Count()));
    if (units_.empty()) index_ = 0;
    return true;
}

void clsMapUnits::dropEmpty() {
    int32_t i = 2;
    while (i <= Count()) {
        if (Item(i)->gFigures->Count() <= 1) Remove(i);
        else ++i;
    }
}

void clsMapUnits::orderByKind() {
    if (mapMode_ != 1 || Count() < 2) return;
    const UnitPtr active = Active();
    const QString activeName = active ? active->UnitName() : QString();
    const std::vector<UnitPtr> all = units_;
    ClearAll();
    // Kind 1 comes last: the base unit is already in place, and any other
    // base-kind map stays open instead of silently leaving the list.
    static const int16_t kOrder[] = {2, 4, 7, 3, 6, 5, 8, 0, 9, 1};
    for (int16_t kind : kOrder) {
        for (const UnitPtr& u : all) {
            const int32_t code = u->gFigures->MapCode();
            if (code >= 0 && HMap::MapCodeKind(code) == kind) Add(u);
        }
    }
    for (const UnitPtr& u : all)
        if (u->gFigures->MapCode() < 0) Add(u);
    index_ = static_cast<int16_t>(Count());
    for (int32_t i = 1; i <= Count(); ++i) {
        if (Item(i)->UnitName().compare(activeName, Qt::CaseInsensitive) == 0) {
            index_ = static_cast<int16_t>(i);
            break;
        }
    }
}

void clsMapUnits::oneLevelPerGroup() {
    if (mapMode_ != 1 || Count() <= 2) return;
    int32_t levelOf36 = 0, levelOf47 = 0;
    for (int32_t i = Count(); i >= 2; --i) {
        const UnitPtr u = Item(i);
        const int32_t code = u->gFigures->MapCode();
        if (code < 0) continue;
        const int32_t level = (code / 1000) % 10;
        const int32_t kind = HMap::MapCodeKind(code);
        int32_t* remembered = (kind == 3 || kind == 6) ? &levelOf36 : (kind == 4 || kind == 7) ? &levelOf47 : nullptr;
        if (!remembered) continue;
        if (*remembered == 0) {
            u->bDraw = true;
            *remembered = level;
        } else if (level != *remembered) {
            u->bDraw = false;
        }
    }
}

bool clsMapUnits::Optimize(uint8_t flags) {
    try {
        if (flags & 1) dropEmpty();
        if (flags & 2) orderByKind();
        if (flags & 4) oneLevelPerGroup();
        return true;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObject, "Optimize");
    }
}
