#pragma once
// Ground for the cruise engine tests: a map folder with a base unit, a cruise
// list and a country grid written by the test, map files that exist only as
// placeholders, and a loader that makes units in memory from the list.
#include "cruise/clsCruise05.h"

#include "support/CruiseFiles.h"

#include "core/clsEnvironment.h"
#include "support/MapUnitTestEnv.h"
#include "document/clsMapRem.h"
#include "document/clsMapUnits.h"

#include <QHash>
#include <QSet>

struct CruiseTest : MapUnitTest {
    clsCruise05 cruise;
    clsMapUnits units;
    QByteArray listBytes;
    QHash<QString, int32_t> codeOf; // file name -> map code
    QStringList loaded;             // file names the loader was asked for
    QSet<QString> failing;          // names whose load fails
    QSet<QString> emptyMaps;        // names that load without figures
    clsEnvironment env;
    clsEnvironment* savedEnv = PublicVal::gvEnvironment;

    void SetUp() override {
        MapUnitTest::SetUp();
        cruise = clsCruise05(); // the borders follow the scale limits just set
        cruise.SetLoader([this](const QString& path) { return FakeLoad(path); });
        cruise.SetListFile(dir.file("CRUISE05.LST"));
        cruise.SetGridFile(dir.file("CRUISE05.GRD"));
    }
    void TearDown() override {
        PublicVal::gvEnvironment = savedEnv;
        MapUnitTest::TearDown();
    }

    std::shared_ptr<clsMapUnit> FakeLoad(const QString& path) {
        const QString name = Library::PathFileName(path);
        loaded << name;
        if (failing.contains(name)) return nullptr;
        return MakeUnit(path, emptyMaps.contains(name) ? -1 : codeOf.value(name.toUpper(), -1));
    }
    // A unit in memory with its map-code remark (none for code -1).
    static std::shared_ptr<clsMapUnit> MakeUnit(const QString& path, int32_t code) {
        auto u = std::make_shared<clsMapUnit>();
        u->SetMapMode(1);
        u->SetUnitName(path);
        if (code < 0) return u;
        auto rem = std::make_shared<clsMapRem>();
        rem->SetAdmin(0);
        rem->SetComment(QStringLiteral("# 地図コード：") + QStringLiteral("%1").arg(code, 6, 10, QLatin1Char('0')));
        EXPECT_TRUE(u->gFigures->Add(rem));
        return u;
    }
    // A unit already open, made the same way.
    std::shared_ptr<clsMapUnit> OpenFake(const QString& name, int32_t code) {
        auto u = MakeUnit(dir.file(name), code);
        EXPECT_TRUE(units.Add(u));
        return u;
    }

    // One list line; the file recorded for the loader.
    void Entry(int32_t code, const QString& file, const QString& nameE = QStringLiteral("E"),
               const QString& nameJ = QStringLiteral("J")) {
        listBytes += Cp932Encode(QStringLiteral("%1,%2,%3,%4").arg(code).arg(file, nameE, nameJ)) + "\r\n";
        if (!file.isEmpty()) codeOf.insert(Library::PathFileName(file).toUpper(), code);
    }
    // The whole standard set: sea floor per level, political, topographic
    // and traffic 1..6, and the country maps of Japan.
    void StandardList() {
        listBytes = "code,file,name,名前\r\n";
        for (int l = 0; l <= 8; ++l) Entry(120000 + l * 1000, QStringLiteral("OCEAN%1.MLL").arg(l));
        for (int l = 1; l <= 6; ++l) {
            Entry(130000 + l * 1000, QStringLiteral("P%1.MLL").arg(l));
            Entry(140000 + l * 1000, QStringLiteral("T%1.MLL").arg(l));
            Entry(150000 + l * 1000, QStringLiteral("R%1.MLL").arg(l));
        }
        for (int l = 7; l <= 8; ++l) {
            Entry(160392 + l * 1000, QStringLiteral("JAPAN_P%1.MLL").arg(l), "Japan", QStringLiteral("日本"));
            Entry(170392 + l * 1000, QStringLiteral("JAPAN_T%1.MLL").arg(l), "Japan", QStringLiteral("日本"));
            Entry(180392 + l * 1000, QStringLiteral("JAPAN_R%1.MLL").arg(l), "Japan", QStringLiteral("日本"));
        }
        WriteList();
    }
    // Written with a fixed time, so that a rewrite of the same size looks unchanged.
    void WriteList() {
        ASSERT_TRUE(SetModified(dir.write("CRUISE05.LST", listBytes), QDateTime(QDate(2022, 2, 3), QTime(4, 5, 6))));
    }
    // Placeholder map files: the engine only asks whether they are there.
    void Present(const QStringList& names) {
        for (const QString& n : names) dir.write(n, "x");
    }
    void UseEnvironment(const QStringList& lines) {
        const QString path = dir.write("Environment.txt", Lines(lines));
        env.SetFileName(path);
        ASSERT_EQ(env.Load(), 0);
        PublicVal::gvEnvironment = &env;
    }

    // A grid with Japan (392) at 139°E 35°N, 410 one degree west of it.
    void WriteGrid() { dir.write("CRUISE05.GRD", GridBytes().set(54, 319, 392).set(54, 318, 410).bytes); }
    static clsRect TokyoArea() { return clsRect(500400, 129600, 503999, 126001); }
    static clsRect TokyoAndWest() { return clsRect(496800, 129600, 503999, 126001); }
    static clsRect OpenSea() { return clsRect(0, 3600, 3599, 1); }

    QStringList UnitNames() const { return Names(units); }
};
