// The render tool as a script runs it: its exit code says whether the
// picture holds what was asked for.
#include "support/MapFileBuilder.h"
#include "support/TestFolder.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

// An empty map of version 1.06 with its two lists.
void WriteUnit(const TestFolder& dir, const QString& base) {
    MapFileBuilder b(106);
    b.Header(QStringLiteral("TEST MAP 1.06"));
    dir.write(base + QStringLiteral(".MLL"), b.bytes);
    dir.write(base + QStringLiteral(".THG"), "[CATEGORY]\r\n\r\n");
    dir.write(base + QStringLiteral(".ADM"), "[AREA]\r\n\r\n[ADMINISTRATION]\r\n000,0,1,1,1,\"World\",\"Sekai\"\r\n");
}

TEST(RenderTool, FailsWhenTheBaseUnitOrANamedMapDoesNotLoad) {
    TestFolder maps, empty, out;
    WriteUnit(maps, QStringLiteral("BASE"));
    WriteUnit(maps, QStringLiteral("A"));
    struct Row {
        const char* name;
        QString base;
        QStringList maps;
        int exit;
        QStringList options;
        const char* told; // on stderr
    };
    const Row rows[] = {
        {"no base unit", empty.path(), {}, 1, {}, "the base unit did not load"},
        {"no base unit, a good map", empty.path(), {maps.file("A.MLL")}, 1, {}, "the base unit did not load"},
        {"a missing map", maps.path(), {maps.file("A.MLL"), maps.file("NONE.MLL")}, 1, {}, "NONE.MLL did not load"},
        {"all there", maps.path(), {maps.file("A.MLL")}, 0, {}, ""},
        {"projection 22", maps.path(), {maps.file("A.MLL")}, 2, {"--projection", "22"},
         "projection 22 is not one of the 25; valid indexes: 1-17, 19-21, 23-26, 30"},
        {"projection 0", maps.path(), {}, 2, {"--projection", "0"}, "valid indexes: 1-17, 19-21, 23-26, 30"},
        {"projection 30", maps.path(), {}, 0, {"--projection", "30"}, ""},
        // Not a whole number: named as given, never read as 0 or 5.
        {"projection abc", maps.path(), {}, 2, {"--projection", "abc"},
         "projection \"abc\" is not one of the 25; valid indexes: 1-17, 19-21, 23-26, 30"},
        {"projection empty", maps.path(), {}, 2, {"--projection", ""}, "projection \"\" is not one of the 25"},
        {"projection 1e3", maps.path(), {}, 2, {"--projection", "1e3"}, "projection \"1e3\" is not one of the 25"},
        {"projection 5.0", maps.path(), {}, 2, {"--projection", "5.0"}, "projection \"5.0\" is not one of the 25"},
        {"projection 0x5", maps.path(), {}, 2, {"--projection", "0x5"}, "projection \"0x5\" is not one of the 25"},
        // 65537 narrowed to 16 bits is 1.
        {"projection 65537", maps.path(), {}, 2, {"--projection", "65537"},
         "projection 65537 is not one of the 25; valid indexes: 1-17, 19-21, 23-26, 30"},
    };
    for (const Row& r : rows) {
        const QString png = out.file(QString::fromLatin1(r.name) + QStringLiteral(".png"));
        QProcess tool;
        tool.start(QStringLiteral(VOSP_TOOL_RENDER),
                   QStringList{"--out", png, "--width", "64", "--height", "48", "--base", r.base} + r.options + r.maps);
        ASSERT_TRUE(tool.waitForFinished(120000)) << r.name;
        EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit) << r.name;
        EXPECT_EQ(tool.exitCode(), r.exit) << r.name;
        EXPECT_TRUE(QString::fromUtf8(tool.readAllStandardError()).contains(QString::fromLatin1(r.told))) << r.name;
        EXPECT_EQ(QFile::exists(png), r.exit == 0) << r.name;
    }
}

} // namespace
