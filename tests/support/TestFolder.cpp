#include "TestFolder.h"

#include "platform/SettingsStore.h"

#include <QFile>

ScopedSettingsHome::ScopedSettingsHome()
    : oldConfig_(qgetenv("XDG_CONFIG_HOME")), oldData_(qgetenv("XDG_DATA_HOME")) {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder_.path() + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder_.path() + QStringLiteral("/data")));
    SettingsStore::Reopen();
}

ScopedSettingsHome::~ScopedSettingsHome() {
    qputenv("XDG_CONFIG_HOME", oldConfig_);
    qputenv("XDG_DATA_HOME", oldData_);
    SettingsStore::Reopen();
}
