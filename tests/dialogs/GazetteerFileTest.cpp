#include "dialogs/GazetteerFile.h"
#include "dialogs/PlaceList.h"

#include "support/DocumentTestEnv.h"

namespace {

const char* kHead1 = "# Gazetteer File for HALVORN/VOSPERAL. Japanese Version.";

QStringList File(const QString& number, const QStringList& rows) {
    QStringList l{kHead1, "# number = " + number, "# sort = 3", "# 地名", "# ----"};
    return l + rows;
}

QString Names(const PlaceList& list) {
    QStringList n;
    for (int32_t r = 1; r <= list.Count(); ++r) n << list.Text(r, 0);
    return n.join(',');
}

} // namespace

using GazetteerFileTest = DocumentTest;

TEST_F(GazetteerFileTest, ReaderOnDamagedFiles) {
    const QString a = "A\tW.MLL\t日本\t国名\t502884\t128484\t30000000\t100000\tA";
    const QString b = "B\tW.MLL\t日本\t国名\t1\t2\t30000000\t100000\tB";
    const QString c = "C\tW.MLL\t日本\t国名\t1\t2\t30000000\t100000\tC";
    const struct {
        const char* name;
        QStringList lines;
        bool result;
        QString names;
    } cases[] = {
        {"as announced", File("3", {a, b, c}), true, "A,B,C"},
        {"fewer than announced", File("9", {a, b}), true, "A,B"},
        {"more than announced", File("2", {a, b, c}), true, "A,B"},
        {"zero", File("0", {a, b}), true, ""},
        {"negative", File("-5", {a, b}), true, ""},
        {"not a number", File("abc", {a, b}), true, ""},
        {"huge", File("99999999999999999999", {a}), true, "A"},
        {"short row", File("3", {"X\tW.MLL\t日本", a, "", b}), true, "A,B"},
        {"letters for a position", File("3", {"X\tW.MLL\t日本\t国名\t1E\t2\t3\t4\tX", a}), true, "A"},
        {"XY map rows", File("3", {"X\tsub.mxy\t日本\t国名\t1\t2\t3000\t1000\tX", a}), true, "A"},
        {"header mark missing", QStringList{kHead1, "# number = 2", a, b}, false, ""},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        PlaceList list;
        list.Append({"stale"});
        int32_t sort = 1;
        EXPECT_EQ(GazetteerFile::ParseLines(t.lines, list, sort), t.result);
        EXPECT_EQ(Names(list), !t.result ? "" : t.names.isEmpty() ? "stale" : "stale," + t.names);
        EXPECT_EQ(sort, t.result ? 3 : 1);
    }
}

TEST_F(GazetteerFileTest, OlderFormHoldsLadderSteps) {
    // The first good row decides; the ladder runs 1e9, 8e8, 6e8, 5e8, 4e8, ...
    // down a decade every 10 steps.
    PlaceList list;
    int32_t sort = 0;
    ASSERT_TRUE(GazetteerFile::ParseLines(File("3", {"bad\tW.MLL\ta\tb\tx\t0\t900\t900\tk",
                                                    "A\tW.MLL\ta\tb\t0\t0\t5\t12\tk",
                                                    "B\tW.MLL\ta\tb\t0\t0\t1\t99\tk"}),
                                          list, sort));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Text(1, PlaceList::ColScaleS), "400000000");
    EXPECT_EQ(list.Text(1, PlaceList::ColScaleL), "80000000");
    EXPECT_EQ(list.Text(2, PlaceList::ColScaleS), "1000000000");
    EXPECT_EQ(list.Text(2, PlaceList::ColScaleL), "0"); // no such step
    EXPECT_EQ(list.Text(2, PlaceList::ColNumber), "2");
}

TEST_F(GazetteerFileTest, WriterIsByteExactAndReadsBack) {
    PlaceList list;
    list.Append({"表\t札", "W.MLL", "日本", "国名", "502884", "128484", "30000000", "100000", "表札"});
    list.Append({"Paris", "F.MLL", "France", "City", "-1", "2", "1E+15", "0.5", "PARIS"});
    const QString path = dir.file("GAZET.TXT");
    ASSERT_TRUE(GazetteerFile::Write(path, list, 2, 4));
    QByteArray expected =
        "# Gazetteer File for HALVORN/VOSPERAL. Japanese Version.\r\n# number = 2\r\n# sort = 4\r\n"
        "# \x92\x6e\x96\xbc \x83\x74\x83\x40\x83\x43\x83\x8b\x96\xbc \x8d\x73\x90\xad\x8b\xe6\x96\xbc "
        "\x8e\x96\x8f\xdb\x96\xbc \x8c\x6f\x93\x78 \x88\xdc\x93\x78 \x8d\xc5\x8f\xac\x8f\x6b\x8e\xda "
        "\x8d\xc5\x91\xe5\x8f\x6b\x8e\xda \x83\x4c\x81\x5b\x92\x6e\x96\xbc\r\n"
        "# ----+----------+--------+------+----+----+--------+--------+--------\r\n"
        "\x95\x5c \x8e\x44\tW.MLL\t\x93\xfa\x96\x7b\t\x8d\x91\x96\xbc\t502884\t128484\t30000000\t100000\t"
        "\x95\x5c\x8e\x44\r\n"
        "Paris\tF.MLL\tFrance\tCity\t-1\t2\t1E+15\t0.5\tPARIS\r\n";
    EXPECT_EQ(dir.read("GAZET.TXT"), expected);

    PlaceList back;
    int32_t sort = 1;
    ASSERT_TRUE(GazetteerFile::Read(path, back, sort));
    EXPECT_EQ(sort, 4);
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Line(1), "表 札\tW.MLL\t日本\t国名\t502884\t128484\t30000000\t100000\t表札");
    EXPECT_EQ(back.Line(2), list.Line(2));

    PlaceList none;
    EXPECT_FALSE(GazetteerFile::Write(dir.file("EMPTY.TXT"), none, 1, 1));
    EXPECT_FALSE(QFile::exists(dir.file("EMPTY.TXT")));
    EXPECT_FALSE(GazetteerFile::Read(dir.file("MISSING.TXT"), none, sort));
}
