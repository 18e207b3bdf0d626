#pragma once
// A program folder of its own for each test: "Environment.txt" pointing at
// a map folder beside it ("..\MAP") that holds an empty base unit, a private
// settings store and scripted message boxes.
#include "app/PublicSetup.h"
#include "core/clsRegistry.h"
#include "document/clsMapUnits.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedUi.h"
#include "support/GuiApp.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

// A map file holding only its header record, version 1.06.
inline QByteArray EmptyMapBytes() {
    const QByteArray text("TEST MAP 1.06");
    QByteArray b;
    b.append('\x01').append('\0');                        // remark
    b.append('\0').append('\0');                          // area 0
    b.append(char(text.size())).append('\0');             // length
    b.append(text);
    b.append(4, '\0');
    return b;
}

inline QByteArray MinimalThings() { return "[CATEGORY]\r\n\r\n"; }
inline QByteArray MinimalAdmins() { return "[AREA]\r\n\r\n[ADMINISTRATION]\r\n000,0,1,1,1,\"World\",\"Sekai\"\r\n"; }

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureGuiApp();
        QDir(root.path()).mkpath("app");
        QDir(root.path()).mkpath("MAP");
        prog = root.path() + "/app";
        maps = root.path() + "/MAP";
        FileSystem::SetProgramFolder(prog);
        WriteEnvironment("MapFolder=..\\MAP\r\n");
        Write(prog + "/CRUISE05.LST", "");
        Write(prog + "/CRUISE05.GRD", QByteArray(129600, '\0'));
        WriteBaseUnit(maps);
    }
    void TearDown() override {
        PublicVal::SetTrace({});
        if (PublicVal::gvInitialized() || PublicVal::gvMapGraph) PublicVal::gvTerminate();
        delete PublicVal::gvMapUnits;
        PublicVal::gvMapUnits = nullptr;
        PublicVal::gvMapFolder.clear();
        PublicVal::gvLastLog.clear();
        FileSystem::SetProgramFolder({});
    }
    void WriteEnvironment(const QByteArray& text) const { Write(prog + "/Environment.txt", text); }
    static void WriteBaseUnit(const QString& folder) {
        Write(folder + "/BASE.MLL", EmptyMapBytes());
        Write(folder + "/BASE.THG", MinimalThings());
        Write(folder + "/BASE.ADM", MinimalAdmins());
        Write(folder + "/DEFAULT.THG", MinimalThings());
        Write(folder + "/DEFAULT.ADM", MinimalAdmins());
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static SettingsStore::Pairs Section(const QString& name) {
        clsRegistry r;
        r.mSection = name;
        return r.RegGetSec();
    }
    static void Put(const QString& key, const QString& value) {
        clsRegistry r;
        r.mSection = "PUBLIC";
        r.RegPut(key, value);
    }

    ScopedSettingsHome home;
    ScopedUi scripted;
    TestFolder root;
    QString prog;
    QString maps;
};
