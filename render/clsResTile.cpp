#include "render/clsResTile.h"

#include "core/ErrorMng.h"
#include "platform/VospError.h"

clsResTile::clsResTile()
{
    try {
        table_.reserve(IndexLast - IndexFirst + 1);
        for (int32_t i = IndexFirst; i <= IndexLast; ++i) {
            const QString file = QStringLiteral("TILE%1%2.BMP").arg(i);
            table_.push_back(PatternAssets::LoadResEntry(3000 + i, 3100 + i, 3200 + i, file.arg(QChar(u'L')),
                                                         file.arg(QChar(u'H'))));
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, "clsResTile", "ClassInitialize");
    }
}

void clsResTile::SetResolution(int16_t value)
{
    if (value == 0 || value == 1)
        resolution_ = value;
}

const MonoBitmap* clsResTile::handle(int32_t i) const
{
    if (i < IndexFirst || i > IndexLast)
        return nullptr;
    const auto& e = table_[static_cast<size_t>(i - IndexFirst)];
    const auto& bm = resolution_ == 1 ? e.high : e.low;
    return bm ? &*bm : nullptr;
}

QString clsResTile::Name(int32_t i) const
{
    if (i < IndexFirst || i > IndexLast)
        return {};
    return table_[static_cast<size_t>(i - IndexFirst)].name;
}
