#include "dialogs/GazetteerBuilder.h"

#include "core/Library.h"
#include "dialogs/PlaceList.h"
#include "document/clsMapUnit.h"

QStringList GazetteerBuilder::DirMapFiles(const QString& mapFolder) {
    return Library::FindFiles(mapFolder + QStringLiteral("\\*.MLL"));
}

void GazetteerBuilder::events() const {
    if (ProcessEvents) ProcessEvents();
}

bool GazetteerBuilder::Run(const QStringList& files, PlaceList& list, int32_t lang) {
    if (state_ == State::Idle) state_ = State::Running;
    const qsizetype n = files.size();
    qsizetype done = 0;
    for (const QString& path : files) {
        if (state_ != State::Running) break;
        if (ShowMessage)
            ShowMessage(QStringLiteral("取得中...") + QString::number(done + 1) + QLatin1Char('/') + QString::number(n));
        std::shared_ptr<clsMapUnit> unit;
        if (LoadUnit) {
            unit = LoadUnit(path);
        } else {
            unit = std::make_shared<clsMapUnit>();
            unit->SetUnitName(path);
            if (!unit->Load()) unit.reset();
        }
        if (unit) {
            events();
            list.AddUnitPlaces(*unit, lang);
        }
        unit.reset();
        ++done;
        events();
    }
    // A Cancel during the last file still counts as a stopped run.
    const bool complete = state_ == State::Running;
    state_ = State::Idle;
    return complete;
}
