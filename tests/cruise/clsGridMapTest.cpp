#include "cruise/clsGridMap.h"

#include "support/CruiseFiles.h"
#include "platform/ScriptedUi.h"
#include "support/TestFolder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

struct CountryGridTest : ::testing::Test {
    TestFolder t;
    ScopedUi ui;
    clsGridMap g;

    QList<int16_t> Area(int32_t left, int32_t top, int32_t right, int32_t bottom) {
        const clsRect r(left, top, right, bottom);
        return g.GetCountryCodeArea(&r);
    }
};

const QList<int16_t> kNone;

} // namespace

TEST(GridCell, VectorsAtTheEdges) {
    const struct {
        int32_t lon, lat, col, row;
        bool valid;
    } cases[] = {
        {648000, 0, 0, 90, true},       // 180° east wraps to the first column
        {-648000, 0, 0, 90, true},      {-651600, 0, 359, 90, true},
        {-648001, 0, 0, 90, true},      // less than a degree west: the division drops it
        {647999, 0, 359, 90, true},     {0, 324000, 180, 0, true},
        {0, 320400, 180, 1, true},      // 89° north belongs to the row below 90°
        {0, -323999, 180, 179, true},   {0, -324000, 180, 180, false},
        {502884, 128484, 319, 54, true}, // Tokyo
    };
    for (const auto& c : cases) {
        int32_t col = -7, row = -7;
        EXPECT_EQ(clsGridMap::LonLatToCell(c.lon, c.lat, col, row), c.valid) << c.lon << "," << c.lat;
        EXPECT_EQ(col, c.col) << c.lon << "," << c.lat;
        EXPECT_EQ(row, c.row) << c.lon << "," << c.lat;
    }
    int32_t col = 0, row = 0;
    EXPECT_FALSE(clsGridMap::LonLatToCell(0, 327600, col, row)); // 91° north: row -1
}

TEST_F(CountryGridTest, TokyoAndItsNeighboursFromTheBytes) {
    QByteArray bytes(129600, '\0');
    bytes[39518] = '\x88'; // 392 = 0x0188, low byte first
    bytes[39519] = '\x01';
    bytes[39516] = '\x05';
    bytes[39521] = '\x80'; // next cell 0x8000: a negative 16-bit value
    EXPECT_TRUE(g.FileName().endsWith(QStringLiteral("CRUISE05.GRD")));
    g.SetFileName(t.write("CRUISE05.GRD", bytes));
    EXPECT_EQ(g.GetCountryCode(502884, 128484), 392);
    EXPECT_EQ(g.GetCountryCode(502884 - 3600, 128484), 5);
    EXPECT_EQ(g.GetCountryCode(502884 + 3600, 128484), -32768);
    EXPECT_EQ(g.GetCountryCode(502884, 128484 + 3600), 0);
    EXPECT_EQ(g.GetCountryCode(502884, -324000), -1);
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST_F(CountryGridTest, MissingFileIsToldOnEveryQueryThatReadsIt) {
    g.SetFileName(t.file("none.grd"));
    EXPECT_EQ(g.GetCountryCode(0, 0), -1);
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages[0].text, QStringLiteral("グリッドファイルが存在しません.\r\n") + t.file("none.grd"));
    EXPECT_EQ(ui.ui.messages[0].style, Mb::OkOnly | Mb::Critical);
    EXPECT_EQ(Area(0, 3600, 3600, 0), kNone);
    EXPECT_EQ(ui.ui.messages.size(), 2);
    EXPECT_EQ(g.GetCountryCode(0, -324000), -1); // no row: the file is not asked
    EXPECT_EQ(ui.ui.messages.size(), 2);

    QDir(t.path()).mkdir("dir.grd");
    g.SetFileName(t.file("dir.grd"));
    EXPECT_EQ(g.GetCountryCode(0, 0), -1);
    EXPECT_EQ(ui.ui.messages.size(), 3);
}

TEST_F(CountryGridTest, ShortEmptyAndLongFiles) {
    GridBytes grid;
    grid.set(54, 318, 410).set(54, 319, 392).set(179, 359, 36);
    const int32_t w = -648000, n = 324000, e = 647999, s = -324000;

    // Cut in the middle of Tokyo's cell: that cell and all after are no country.
    g.SetFileName(t.write("short.grd", grid.bytes.left(39519)));
    EXPECT_EQ(g.GetCountryCode(502884, 128484), 0);
    EXPECT_EQ(g.GetCountryCode(502884 - 3600, 128484), 410);
    EXPECT_EQ(g.GetCountryCode(647999, -323999), 0);
    EXPECT_EQ(Area(w, n, e, s), QList<int16_t>{410});

    g.SetFileName(t.write("empty.grd", QByteArray()));
    EXPECT_EQ(g.GetCountryCode(0, 0), 0);
    EXPECT_EQ(Area(w, n, e, s), kNone);

    g.SetFileName(t.write("long.grd", grid.bytes + QByteArray(1000, '\x07')));
    EXPECT_EQ(g.GetCountryCode(647999, -323999), 36);
    EXPECT_EQ(Area(w, n, e, s), (QList<int16_t>{410, 392, 36}));
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST_F(CountryGridTest, CountriesInOrderOnceEachAndOnlyRealNumbers) {
    GridBytes grid; // rows 50..52, columns 310..312 (130°E..133°E, 40°N..37°N)
    grid.set(50, 312, 392).set(50, 311, 408).set(51, 310, 410).set(51, 312, 392).set(52, 310, 999);
    grid.set(52, 311, 1000).set(52, 312, -3);
    grid.set(52, 313, 1).set(53, 310, 2); // one column east, one row south
    g.SetFileName(t.write("g.grd", grid.bytes));
    const QList<int16_t> expected{408, 392, 410, 999};
    EXPECT_EQ(Area(468000, 144000, 478799, 133201), expected);
    EXPECT_EQ(Area(468000, 133201, 478799, 144000), expected); // top and bottom swapped
    EXPECT_EQ(g.GetCountryCodeArea(nullptr), kNone);
}

TEST_F(CountryGridTest, AcrossTheDateLineAndFullTurns) {
    GridBytes grid; // 13 and 15 lie just outside the first area, 14 far outside
    grid.set(0, 0, 11).set(0, 10, 12).set(0, 11, 13).set(0, 180, 14).set(0, 349, 15).set(0, 350, 16);
    grid.set(0, 359, 17).set(179, 180, 18);
    g.SetFileName(t.write("g.grd", grid.bytes));
    const QList<int16_t> all{11, 12, 13, 14, 15, 16, 17};

    // 170°E eastward over 180° to 169°00'01"W: columns 350..359 and 0..10.
    EXPECT_EQ(Area(612000, 324000, -608401, 320401), (QList<int16_t>{11, 12, 16, 17}));
    // A full turn: the ends fall in the same column, yet every column counts.
    EXPECT_EQ(Area(-648000, 324000, 648000, 320401), all);
    EXPECT_EQ(Area(-700000, 324000, 700000, 320401), all);
    EXPECT_EQ(Area(-647999, 324000, 647999, 320401), all);
    // The south pole itself is limited to the last row.
    EXPECT_EQ(Area(0, -300000, 3600, -324000), QList<int16_t>{18});
    EXPECT_EQ(Area(0, -324000, 3600, -400000), QList<int16_t>{18});
}

TEST_F(CountryGridTest, KeptUntilNameSizeOrTimeChanges) {
    GridBytes grid;
    const QString path = t.write("g.grd", grid.set(54, 319, 392).bytes);
    const QDateTime stamp(QDate(2020, 1, 2), QTime(3, 4, 5));
    ASSERT_TRUE(SetModified(path, stamp));
    g.SetFileName(path);
    ASSERT_EQ(g.GetCountryCode(502884, 128484), 392);

    t.write("g.grd", grid.set(54, 319, 124).bytes);
    ASSERT_TRUE(SetModified(path, stamp));
    EXPECT_EQ(g.GetCountryCode(502884, 128484), 392);
    ASSERT_TRUE(SetModified(path, stamp.addSecs(5)));
    EXPECT_EQ(g.GetCountryCode(502884, 128484), 124);
    t.write("g.grd", grid.set(54, 319, 77).bytes + "xx"); // the size alone differs
    ASSERT_TRUE(SetModified(path, stamp.addSecs(5)));
    EXPECT_EQ(g.GetCountryCode(502884, 128484), 77);

    g.SetFileName(t.write("h.grd", grid.set(54, 319, 250).bytes));
    EXPECT_EQ(g.GetCountryCode(502884, 128484), 250);
}
