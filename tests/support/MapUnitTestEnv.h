#pragma once
// Map units for the tests: map files written by MapFileBuilder with a map
// code and a number of figures, and the base unit's three files in the map
// folder.
#include "document/clsMapRem.h"
#include "core/Library.h"
#include "document/clsMapUnits.h"

#include "support/DocumentTestEnv.h"
#include "support/MapFileBuilder.h"

struct MapUnitTest : DocumentTest {
    // A version 106 map: a map-code remark (when code >= 0) and then symbols
    // of area 1 and thing 1 until the map holds `figures` figures.
    QString WriteMap(const QString& name, int32_t code, int figures) {
        MapFileBuilder b(106);
        b.VersionHeader();
        int n = 0;
        if (code >= 0 && n < figures) {
            b.Add({.code = 1, .comment = QStringLiteral("# 地図コード：%1").arg(code, 6, 10, QLatin1Char('0'))});
            ++n;
        }
        for (; n < figures; ++n) b.Add({.code = 4, .admin = 1, .thing = 1, .x = n});
        return dir.write(name, b.bytes);
    }
    void WriteLists(const QString& base) {
        dir.write(base + ".THG", Lines({"[CATEGORY]", ""}));
        dir.write(base + ".ADM", Lines({"[AREA]", "", "[ADMINISTRATION]"}));
    }
    // The base unit's files, then Create.
    void CreateBase(clsMapUnits& units) {
        WriteMap("BASE.MLL", 110000, 3);
        WriteLists("BASE");
        ASSERT_EQ(units.Create(1), 0);
    }
    // A unit loaded from its own files in the map folder.
    std::shared_ptr<clsMapUnit> OpenUnit(const QString& base, int32_t code, int figures) {
        WriteMap(base + ".MLL", code, figures);
        WriteLists(base);
        auto u = std::make_shared<clsMapUnit>();
        u->SetUnitName(dir.file(base + ".MLL"));
        EXPECT_TRUE(u->Load()) << base.toStdString();
        return u;
    }
    static QStringList Names(const clsMapUnits& units) {
        QStringList l;
        for (const auto& u : units) l << Library::PathFileName(u->UnitName());
        return l;
    }
};
