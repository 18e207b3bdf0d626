#include "dialogs/PlaceJump.h"

#include "core/Library.h"
#include "cruise/clsCruise05.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "platform/UiServices.h"
#include "render/clsMapPlot.h"

namespace PlaceJump {

int32_t UnitMode(const QString& file) { return file.right(4).toUpper() == QStringLiteral(".MLL") ? 1 : 2; }

QString MapPath(const QString& mapFolder, const QString& file) {
    // A hand-edited row must not lead out of the map folder.
    const QString path = mapFolder + QLatin1Char('\\') + Library::PathFileName(file);
    if (Library::FileExists(path)) return path;
    const QStringList below = Library::FindFiles(path);
    return below.isEmpty() ? path : below.first();
}

void ShowPlaceMap(clsMapUnits& units, const QString& path, int32_t mode, bool fromGazetteer, const UnitLoad& load,
                  const std::function<void()>& repaint) {
    // Either separator may stand in a stored path.
    auto same = [](QString a, QString b) {
        return a.replace(QLatin1Char('\\'), QLatin1Char('/')).compare(b.replace(QLatin1Char('\\'), QLatin1Char('/')),
                                                                     Qt::CaseInsensitive) == 0;
    };
    // One scale level at a time: two would draw every name twice.
    auto hideOtherLevels = [&units](const clsMapUnit& shown) {
        const int16_t level = shown.gFigures->Level();
        if (level <= 0) return;
        for (const auto& u : units) {
            if (!u || !u->gFigures) continue;
            const int16_t l = u->gFigures->Level();
            if (l >= 1 && l != level) u->bDraw = false;
        }
    };
    std::shared_ptr<clsMapUnit> found;
    for (const auto& u : units) {
        if (u && u->gFigures && same(u->gFigures->FileName(), path)) {
            found = u;
            break;
        }
    }
    if (found) {
        found->bDraw = true;
        hideOtherLevels(*found);
    }
    if (!fromGazetteer || found) return;
    std::shared_ptr<clsMapUnit> unit;
    if (load) {
        unit = load(path, mode);
    } else {
        unit = std::make_shared<clsMapUnit>();
        unit->SetUnitName(path);
        unit->SetMapMode(mode);
        if (!unit->Load()) unit.reset();
    }
    if (!unit) return;
    if (repaint) repaint();
    hideOtherLevels(*unit);
    units.Add(unit);
    units.Optimize(3);
    if (repaint) repaint();
}

double JumpScale(double scale, double scaleMin, double scaleMax) {
    double s = scale;
    if (s < scaleMax) s = scaleMax;
    if (s > scaleMin) s = scaleMin;
    return s;
}

void Apply(clsMapPlot& plot, clsCruise05* cruise, MapPoint center, double scaleMin, double scaleMax) {
    plot.SetCenterX(center.lon);
    plot.SetCenterY(center.lat);
    plot.SetMapScale(JumpScale(plot.MapScale(), scaleMin, scaleMax));
    if (cruise && cruise->mEiAuto) {
        Ui().MsgBox(QStringLiteral("〔オートクルーズ〕を解除します."), Mb::OkOnly | Mb::Information, {});
        cruise->mEiAuto = false;
    }
}

bool AddHistory(QStringList& history, const QString& text) {
    if (text.isEmpty()) return false;
    if (!history.isEmpty() && history.last().compare(text, Qt::CaseInsensitive) == 0) return false;
    history.append(text);
    return true;
}

} // namespace PlaceJump
