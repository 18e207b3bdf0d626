#include "render/ResEntryTable.h"

ResEntryTable::ResEntryTable(int32_t first, int32_t last) : first_(first)
{
    table_.reserve(static_cast<size_t>(last - first + 1));
}

void ResEntryTable::SetResolution(int16_t value)
{
    if (value == 0 || value == 1)
        resolution_ = value;
}

const MonoBitmap* ResEntryTable::handle(int32_t i) const
{
    if (i < first_ || static_cast<size_t>(i - first_) >= table_.size())
        return nullptr;
    const auto& e = table_[static_cast<size_t>(i - first_)];
    const auto& bm = resolution_ == 1 ? e.high : e.low;
    return bm ? &*bm : nullptr;
}

QString ResEntryTable::Name(int32_t i) const
{
    if (i < first_ || static_cast<size_t>(i - first_) >= table_.size())
        return {};
    return table_[static_cast<size_t>(i - first_)].name;
}
