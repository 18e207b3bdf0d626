#include "render/clsResTile.h"

#include "core/ErrorMng.h"
#include "platform/VospError.h"

clsResTile::clsResTile() : ResEntryTable(IndexFirst, IndexLast)
{
    try {
        for (int32_t i = IndexFirst; i <= IndexLast; ++i) {
            const QString file = QStringLiteral("TILE%1%2.BMP").arg(i);
            Add(PatternAssets::LoadResEntry(3000 + i, 3100 + i, 3200 + i, file.arg(QChar(u'L')), file.arg(QChar(u'H'))));
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, "clsResTile", "ClassInitialize");
    }
}
