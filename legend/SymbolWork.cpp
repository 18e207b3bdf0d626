#include "legend/SymbolWork.h"

#include "document/clsAdmins.h"
#include "document/clsMapUnits.h"
#include "document/clsThings.h"

namespace {

std::array<ThingPage, 8> pagesOf(const clsThing& t)
{
    std::array<ThingPage, 8> p;
    for (int i = 0; i < 8; ++i)
        p[size_t(i)] = t.PageRecord(i + 1);
    return p;
}

} // namespace

void SymbolWork::Load(const clsMapUnits& units)
{
    Release();
    mUnitCount = units.Count();
    for (int32_t k = 1; k <= mUnitCount; ++k) {
        const auto unit = units.Item(k);
        unit->CheckUseThing(true);
        ownThingModify_.push_back(unit->gThings->Modify());
        ownAdminModify_.push_back(unit->gAdmins->Modify());
        auto things = unit->gThings->Copy();
        things->SetModify(false);
        auto admins = unit->gAdmins->Copy();
        admins->SetModify(false);
        std::map<int16_t, Pages> pages;
        for (const auto& t : *things)
            pages[t->Index()] = pagesOf(*t);
        loaded_.push_back(std::move(pages));
        things_.push_back(std::move(things));
        admins_.push_back(std::move(admins));
    }
    mUnitIndex = units.Index();
}

void SymbolWork::Release()
{
    things_.clear();
    admins_.clear();
    ownThingModify_.clear();
    ownAdminModify_.clear();
    loaded_.clear();
    mUnitCount = 0;
    mUnitIndex = 0;
}

std::shared_ptr<clsThings> SymbolWork::WorkThings(int32_t k) const
{
    return k >= 1 && k <= int32_t(things_.size()) ? things_[size_t(k - 1)] : nullptr;
}

std::shared_ptr<clsAdmins> SymbolWork::WorkAdmins(int32_t k) const
{
    return k >= 1 && k <= int32_t(admins_.size()) ? admins_[size_t(k - 1)] : nullptr;
}

void SymbolWork::SyncMapThing(const clsThing& thing, bool unitSync) const
{
    if (!unitSync)
        return;
    for (const auto& list : things_) {
        if (list->LockMode())
            continue;
        const int16_t code = list->Search(thing.Name());
        if (code < 0)
            continue;
        const auto found = list->Item(code);
        if (!found)
            continue;
        auto copy = thing.Copy();
        copy->SetUse(found->Use());
        copy->SetIndex(found->Index());
        list->Add(copy);
    }
}

void SymbolWork::Preview(const clsMapUnits& units, const std::function<void()>& plot) const
{
    struct Swap {
        std::vector<std::shared_ptr<clsMapUnit>> units;
        std::vector<std::shared_ptr<clsThings>> things;
        std::vector<std::shared_ptr<clsAdmins>> admins;
        ~Swap()
        {
            for (size_t i = 0; i < units.size(); ++i) {
                units[i]->gThings = things[i];
                units[i]->gAdmins = admins[i];
            }
        }
    } swap;
    for (int32_t k = 1; k <= mUnitCount && k <= units.Count(); ++k) {
        const auto unit = units.Item(k);
        swap.units.push_back(unit);
        swap.things.push_back(unit->gThings);
        swap.admins.push_back(unit->gAdmins);
        unit->gThings = things_[size_t(k - 1)];
        unit->gAdmins = admins_[size_t(k - 1)];
    }
    plot();
}

void SymbolWork::WriteBack(clsMapUnits& units)
{
    units.SetIndex(mUnitIndex);
    for (int32_t k = 1; k <= mUnitCount && k <= units.Count(); ++k) {
        const auto unit = units.Item(k);
        const size_t i = size_t(k - 1);
        if (ownThingModify_[i])
            things_[i]->SetModify(true);
        if (ownAdminModify_[i])
            admins_[i]->SetModify(true);
        unit->gThings = things_[i];
        unit->gAdmins = admins_[i];
    }
}

void SymbolWork::ClearModifyIfAsLoaded(int32_t k) const
{
    const auto list = WorkThings(k);
    if (!list)
        return;
    const auto& loaded = loaded_[size_t(k - 1)];
    for (const auto& t : *list) {
        const auto it = loaded.find(t->Index());
        if (it == loaded.end() || it->second != pagesOf(*t))
            return;
    }
    list->SetModify(false);
}
