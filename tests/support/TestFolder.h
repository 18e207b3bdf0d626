#pragma once
// A temporary folder for one test, removed afterwards, with small helpers to
// put files in it.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

class TestFolder {
public:
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }
    // The file's full name; empty when it could not be written.
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile f(file(name));
        if (!f.open(QIODevice::WriteOnly)) return {};
        f.write(bytes);
        return f.fileName();
    }
    QByteArray read(const QString& name) const {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir dir_;
};

// Points XDG_CONFIG_HOME and XDG_DATA_HOME at a temporary folder and
// reopens the settings store there, for the lifetime of the guard.
class ScopedSettingsHome {
public:
    ScopedSettingsHome();
    ~ScopedSettingsHome();
    QString path() const { return folder_.path(); }

private:
    TestFolder folder_;
    QByteArray oldConfig_, oldData_;
};
