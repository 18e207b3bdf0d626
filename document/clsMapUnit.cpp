#include "document/clsMapUnit.h"

#include "core/ErrorMng.h"
#include "document/UnitLoader.h"

namespace {

clsMapUnit::LoadPresenter& Presenter() {
    static clsMapUnit::LoadPresenter presenter;
    return presenter;
}

} // namespace

clsMapUnit::clsMapUnit()
    : gFigures(std::make_shared<clsMap>()), gThings(std::make_shared<clsThings>()),
      gAdmins(std::make_shared<clsAdmins>()) {}

void clsMapUnit::SetMapMode(int32_t mode) { gFigures->SetMapMode(mode); }

QString clsMapUnit::UnitName() const { return gFigures->FileName(); }

void clsMapUnit::SetUnitName(const QString& path) {
    if (path.endsWith(QLatin1String(".MLL"))) SetMapMode(1);
    else if (path.endsWith(QLatin1String(".MXY"))) SetMapMode(2);
    gFigures->SetFileName(path);
    gAdmins->SetFileName(path);
    gThings->SetFileName(path);
}

bool clsMapUnit::Modify() const {
    if (gFigures->Count() > 0 && gFigures->Modify()) return true;
    if (gThings->Count() > 0 && gThings->Modify()) return true;
    return gAdmins->Modify();
}

clsMapCell clsMapUnit::Cell(int32_t i) const {
    return ToCell(gFigures->Item(i).get());
}

clsMapCell clsMapUnit::ToCell(clsMapFigure* figure) const {
    clsMapCell cell;
    if (!figure) return cell;
    cell.mMapFig = figure;
    cell.mAdmin = gAdmins->Item(figure->Admin()).get();
    cell.mThing = gThings->Item(figure->Thing()).get();
    if (cell.IsValid()) cell.mThing->SetPage(cell.mAdmin->Page());
    return cell;
}

void clsMapUnit::CheckUseThing(bool frame) {
    gThings->ResetUse();
    int32_t previous = -1;
    for (const auto& fig : *gFigures) {
        const int32_t code = fig->Thing();
        if (code != previous && code >= 0) {
            if (const auto t = gThings->Item(code)) t->SetUse(true);
        }
        previous = code;
    }
    if (!frame) return;
    for (int32_t c = 1; c <= 20; ++c) {
        if (gThings->CategoryName(c) == QStringLiteral("枠組")) {
            for (const auto& t : *gThings)
                if (t->Category() == c) t->SetUse(true);
            return;
        }
    }
}

bool clsMapUnit::Load() {
    try {
        if (Presenter()) return Presenter()(*this);
        UnitLoader loader;
        return loader.Run(*this);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, "clsMapUnit", "Load");
    }
}

clsMapUnit::LoadPresenter clsMapUnit::SetLoadPresenter(LoadPresenter presenter) {
    LoadPresenter old = std::move(Presenter());
    Presenter() = std::move(presenter);
    return old;
}
