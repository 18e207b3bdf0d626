#include "render/clsResSymbol.h"

#include "core/ErrorMng.h"
#include "platform/VospError.h"

clsResSymbol::clsResSymbol()
{
    try {
        table_.reserve(IndexLast - IndexFirst + 1);
        for (int32_t i = IndexFirst; i <= IndexLast; ++i) {
            const QString file = QStringLiteral("SYM0%1%2.BMP").arg(i, 2, 10, QChar(u'0'));
            table_.push_back(PatternAssets::LoadResEntry(2000 + i, 2100 + i, 2200 + i, file.arg(QChar(u'L')),
                                                         file.arg(QChar(u'H'))));
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, "clsResSymbol", "ClassInitialize");
    }
}

void clsResSymbol::SetResolution(int16_t value)
{
    if (value == 0 || value == 1)
        resolution_ = value;
}

const MonoBitmap* clsResSymbol::handle(int32_t i) const
{
    if (i < IndexFirst || i > IndexLast)
        return nullptr;
    const auto& e = table_[static_cast<size_t>(i - IndexFirst)];
    const auto& bm = resolution_ == 1 ? e.high : e.low;
    return bm ? &*bm : nullptr;
}

QString clsResSymbol::Name(int32_t i) const
{
    if (i < IndexFirst || i > IndexLast)
        return {};
    return table_[static_cast<size_t>(i - IndexFirst)].name;
}
