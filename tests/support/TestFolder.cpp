#include "TestFolder.h"

#include "platform/SettingsStore.h"

#include <QFile>

TestFolder::TestFolder() = default;

QString TestFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(bytes);
    return f.fileName();
}

QByteArray TestFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

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
