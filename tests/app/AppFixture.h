#pragma once
// A program folder of its own for each test: "Environment.txt" pointing at
// a map folder beside it ("..\MAP") that holds an empty base unit, a private
// settings store and scripted message boxes.
#include "app/MainView.h"
#include "app/PublicSetup.h"
#include "app/frmMain.h"
#include "core/clsRegistry.h"
#include "document/clsMapUnits.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedUi.h"
#include "support/GuiApp.h"
#include "support/MapFileBuilder.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <tuple>

// A map file holding only its header record, version 1.06.
inline QByteArray EmptyMapBytes() {
    MapFileBuilder b(106);
    b.Header(QStringLiteral("TEST MAP 1.06"));
    return b.bytes;
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
    // An empty map with its two lists.
    static void WriteUnit(const QString& folder, const QString& base) {
        Write(folder + "/" + base + ".MLL", EmptyMapBytes());
        Write(folder + "/" + base + ".THG", MinimalThings());
        Write(folder + "/" + base + ".ADM", MinimalAdmins());
    }
    static void WriteBaseUnit(const QString& folder) {
        WriteUnit(folder, "BASE");
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
    static QString Get(const QString& key) {
        clsRegistry r;
        r.mSection = "PUBLIC";
        return r.RegGet(key, QStringLiteral("<none>"));
    }

    ScopedSettingsHome home;
    ScopedUi scripted;
    TestFolder root;
    QString prog;
    QString maps;
};

// The main window over the singletons of a finished initialisation, its view
// wired to them by hand (the start-up does that only inside Form_Load).
class WindowFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        window = std::make_unique<frmMain>();
        ASSERT_EQ(PublicVal::gvInitialize(), 0);
        view = window->MainArea();
        ViewRedraw& r = view->redraw;
        using namespace PublicVal;
        std::tie(r.mPlot, r.mUnits, r.mAccessory, r.mView, r.mGraph, view->controls->mView) =
            std::tuple(gvMapPlot, gvMapUnits, gvAccessory, gvView, gvMapGraph, gvView);
        view->controls->YieldEvents = [] {};
        view->controls->SetScrollRange();
    }
    void TearDown() override {
        window.reset();
        AppFixture::TearDown();
    }
    std::unique_ptr<frmMain> window;
    MainView* view = nullptr;
};
