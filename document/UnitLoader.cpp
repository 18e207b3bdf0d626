#include "document/UnitLoader.h"

#include "core/Library.h"
#include "core/PublicVal.h"
#include "document/clsMapUnit.h"
#include "platform/FileSystem.h"
#include "platform/UiServices.h"

namespace {

// Where a file whose stored path leads nowhere is looked for; "" when it is
// found nowhere.
// Found files are named in the one normal form, so that two spellings of a
// file make one unit.
QString FindByName(const QString& stored) {
    if (Library::FileExists(stored)) return FileSystem::NormalPath(stored);
    const QString name = Library::PathFileName(stored);
    const QString inMaps = Library::JoinPath(PublicVal::gvMapFolder, name);
    if (Library::FileExists(inMaps)) return FileSystem::NormalPath(inMaps);
    const QString inProgram = Library::JoinPath(FileSystem::ProgramFolder(), name);
    if (Library::FileExists(inProgram)) return FileSystem::NormalPath(inProgram);
    return {};
}

} // namespace

void UnitLoader::events() const {
    if (watcher_.processEvents) watcher_.processEvents();
}

bool UnitLoader::loadOne(Part part, clsMapUnit& unit) {
    clsMap& map = *unit.gFigures;
    const auto fileName = [&] {
        return part == Admins ? unit.gAdmins->FileName() : part == Things ? unit.gThings->FileName() : map.FileName();
    };
    const auto setFileName = [&](const QString& name) {
        switch (part) {
        case Admins: unit.gAdmins->SetFileName(name); break;
        case Things: unit.gThings->SetFileName(name); break;
        case Figures: map.SetFileName(name); break;
        }
    };
    const QString before = fileName();
    QString path = FindByName(before);
    if (path.isEmpty()) {
        switch (part) {
        case Admins: path = PublicVal::DefaultADM(); break;
        case Things: path = PublicVal::DefaultTHG(); break;
        case Figures:
            path = before;
            map.SetLockMode(false);
            map.Clear();
            break;
        }
    }
    setFileName(path);
    if (watcher_.path) watcher_.path(part, fileName());
    events();
    if (watcher_.state) watcher_.state(part, QStringLiteral("Loading..."));
    events();

    int32_t code = -1;
    try {
        if (part == Figures && watcher_.progressVisible) watcher_.progressVisible(true);
        switch (part) {
        case Admins: code = unit.gAdmins->Load(); break;
        case Things: code = unit.gThings->Load(); break;
        case Figures: code = map.Load(); break;
        }
    } catch (...) {
        // The list or the map has shown its message; a bad file is a failed
        // load, never the end of the program.
        code = -1;
    }
    if (part == Figures) {
        if (watcher_.progressVisible) watcher_.progressVisible(false);
        events();
    }
    if (code != 0) {
        setFileName(before);
        return false;
    }
    if (watcher_.state) watcher_.state(part, QStringLiteral("Success."));
    events();
    return true;
}

bool UnitLoader::Run(clsMapUnit& unit) {
    if (busy_) return false;
    busy_ = true;
    result_ = false;
    clsMap& map = *unit.gFigures;
    auto progress = watcher_.progress;
    auto processEvents = watcher_.processEvents;
    map.Progress = [progress, processEvents](int16_t percent) {
        if (progress) progress(percent);
        if (processEvents) processEvents();
    };
    if (watcher_.progressVisible) watcher_.progressVisible(false);
    Library::ScreenMousePointer(MousePtr::Hourglass);

    // Whatever happens, the map lets go of the watcher and the pointer returns.
    struct Done {
        UnitLoader* self;
        clsMap* map;
        ~Done() {
            map->Progress = nullptr;
            Library::ScreenMousePointer(-1);
            self->busy_ = false;
        }
    } done{this, &map};

    if (!loadOne(Admins, unit)) return false;
    if (!loadOne(Things, unit)) return false;
    if (!loadOne(Figures, unit)) return false;
    result_ = true;
    return true;
}
