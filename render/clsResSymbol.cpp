#include "render/clsResSymbol.h"

#include "core/ErrorMng.h"
#include "platform/VospError.h"

clsResSymbol::clsResSymbol() : ResEntryTable(IndexFirst, IndexLast)
{
    try {
        for (int32_t i = IndexFirst; i <= IndexLast; ++i) {
            const QString file = QStringLiteral("SYM0%1%2.BMP").arg(i, 2, 10, QChar(u'0'));
            Add(PatternAssets::LoadResEntry(2000 + i, 2100 + i, 2200 + i, file.arg(QChar(u'L')), file.arg(QChar(u'H'))));
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, "clsResSymbol", "ClassInitialize");
    }
}
