#include "dialogs/clsGridMap.h"

#include "platform/ScriptedUi.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// A whole grid of zeros with chosen cells; the offset of (row, col) is
// row * 720 + col * 2, low byte first.
struct Grid {
    QByteArray bytes = QByteArray(129600, '\0');
    void set(int row, int col, int16_t v) {
        const int at = row * 720 + col * 2;
        bytes[at] = static_cast<char>(v & 0xFF);
        bytes[at + 1] = static_cast<char>((v >> 8) & 0xFF);
    }
};

struct Cell {
    int32_t col = -7, row = -7;
    bool valid = false;
};

Cell CellOf(int32_t lon, int32_t lat) {
    Cell c;
    c.valid = clsGridMap::LonLatToCell(lon, lat, c.col, c.row);
    return c;
}

bool SetTime(const QString& path, const QDateTime& when) {
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.setFileTime(when, QFileDevice::FileModificationTime);
}

QList<int16_t> Area(clsGridMap& g, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const clsRect r(left, top, right, bottom);
    return g.GetCountryCodeArea(&r);
}

} // namespace

TEST(GridCell, VectorsAtTheEdgesAndInTokyo) {
    Cell c = CellOf(648000, 0); // 180° east wraps to the first column
    EXPECT_EQ(c.col, 0);
    c = CellOf(-648000, 0);
    EXPECT_EQ(c.col, 0);
    c = CellOf(-651600, 0); // one degree west of 180° west
    EXPECT_EQ(c.col, 359);
    c = CellOf(-648001, 0); // less than a degree west: the division drops it
    EXPECT_EQ(c.col, 0);
    c = CellOf(647999, 0);
    EXPECT_EQ(c.col, 359);

    c = CellOf(0, 324000);
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.row, 0);
    c = CellOf(0, 320400); // 89° north belongs to the row above 88°
    EXPECT_EQ(c.row, 1);
    c = CellOf(0, -323999);
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.row, 179);
    c = CellOf(0, -324000);
    EXPECT_FALSE(c.valid);
    EXPECT_EQ(c.row, 180);
    EXPECT_FALSE(CellOf(0, 327600).valid); // 91° north: row -1
}

TEST(GridCell, TokyoReadsTheCellAtOffset39518) {
    const Cell c = CellOf(502884, 128484);
    ASSERT_TRUE(c.valid);
    EXPECT_EQ(c.row * 720 + c.col * 2, 39518);

    TestFolder t;
    QByteArray bytes(129600, '\0');
    bytes[39518] = '\x88'; // 392 = 0x0188, low byte first
    bytes[39519] = '\x01';
    bytes[39516] = '\x05';
    bytes[39521] = '\x80'; // next cell 0x8000: a negative 16-bit value
    clsGridMap g;
    g.SetFileName(t.write("CRUISE05.GRD", bytes));
    ScopedUi ui;
    EXPECT_EQ(g.GetCountryCode(502884, 128484), 392);
    EXPECT_EQ(g.GetCountryCode(502884 - 3600, 128484), 5);
    EXPECT_EQ(g.GetCountryCode(502884 + 3600, 128484), -32768);
    EXPECT_EQ(g.GetCountryCode(502884, 128484 + 3600), 0);
    EXPECT_EQ(g.GetCountryCode(502884, -324000), -1);
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST(GridFile, DefaultNameAndMissingFile) {
    clsGridMap g;
    EXPECT_TRUE(g.FileName().endsWith(QStringLiteral("CRUISE05.GRD")));

    TestFolder t;
    ScopedUi ui;
    g.SetFileName(t.file("none.grd"));
    EXPECT_EQ(g.GetCountryCode(0, 0), -1);
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages[0].text, QStringLiteral("グリッドファイルが存在しません.\r\n") + t.file("none.grd"));
    EXPECT_EQ(ui.ui.messages[0].style, Mb::OkOnly | Mb::Critical);

    EXPECT_TRUE(Area(g, 0, 3600, 3600, 0).isEmpty());
    EXPECT_EQ(ui.ui.messages.size(), 2); // every query tells again

    // No row: nothing asked of the file, so no message.
    EXPECT_EQ(g.GetCountryCode(0, -324000), -1);
    EXPECT_EQ(ui.ui.messages.size(), 2);

    // A folder of that name is no grid.
    QDir(t.path()).mkdir("dir.grd");
    g.SetFileName(t.file("dir.grd"));
    EXPECT_EQ(g.GetCountryCode(0, 0), -1);
    EXPECT_EQ(ui.ui.messages.size(), 3);
}

TEST(GridFile, ShortAndLongFiles) {
    TestFolder t;
    ScopedUi ui;
    Grid grid;
    grid.set(54, 318, 410);
    grid.set(54, 319, 392);
    grid.set(179, 359, 36);
    clsGridMap g;

    // Cut in the middle of Tokyo's cell: that cell and all after are no country.
    g.SetFileName(t.write("short.grd", grid.bytes.left(39519)));
    EXPECT_EQ(g.GetCountryCode(502884, 128484), 0);
    EXPECT_EQ(g.GetCountryCode(502884 - 3600, 128484), 410);
    EXPECT_EQ(g.GetCountryCode(647999, -323999), 0);
    EXPECT_EQ(Area(g, -648000, 324000, 647999, -324000), QList<int16_t>{410});

    g.SetFileName(t.write("empty.grd", QByteArray()));
    EXPECT_EQ(g.GetCountryCode(0, 0), 0);
    EXPECT_TRUE(Area(g, -648000, 324000, 647999, -324000).isEmpty());

    g.SetFileName(t.write("long.grd", grid.bytes + QByteArray(1000, '\x07')));
    EXPECT_EQ(g.GetCountryCode(502884, 128484), 392);
    EXPECT_EQ(g.GetCountryCode(647999, -323999), 36);
    EXPECT_EQ(Area(g, -648000, 324000, 647999, -324000), (QList<int16_t>{410, 392, 36}));
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST(GridArea, CountriesInOrderOnceEachAndOnlyRealNumbers) {
    TestFolder t;
    ScopedUi ui;
    Grid grid;
    // Rows 50..52, columns 310..312 (130°E..133°E, 40°N..37°N).
    grid.set(50, 312, 392);
    grid.set(50, 311, 408);
    grid.set(51, 310, 410);
    grid.set(51, 312, 392);
    grid.set(52, 310, 999);
    grid.set(52, 311, 1000); // not a country number
    grid.set(52, 312, -3);
    grid.set(52, 313, 1); // one column east of the area
    grid.set(53, 310, 2); // one row south of the area
    clsGridMap g;
    g.SetFileName(t.write("g.grd", grid.bytes));

    // 130°E..132°59'59"E, 40°N..37°00'01"N.
    const QList<int16_t> expected{408, 392, 410, 999};
    EXPECT_EQ(Area(g, 468000, 144000, 478799, 133201), expected);
    // Top and bottom given the other way round give the same.
    EXPECT_EQ(Area(g, 468000, 133201, 478799, 144000), expected);
    EXPECT_TRUE(g.GetCountryCodeArea(nullptr).isEmpty());
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST(GridArea, AcrossTheDateLineAndFullTurns) {
    TestFolder t;
    ScopedUi ui;
    Grid grid;
    grid.set(0, 0, 11);
    grid.set(0, 10, 12);
    grid.set(0, 11, 13);   // just east of the area
    grid.set(0, 180, 14);  // far outside
    grid.set(0, 349, 15);  // just west of the area
    grid.set(0, 350, 16);
    grid.set(0, 359, 17);
    grid.set(179, 180, 18); // row of the south pole
    clsGridMap g;
    g.SetFileName(t.write("g.grd", grid.bytes));

    // 170°E eastward over 180° to 169°00'01"W: columns 350..359 and 0..10.
    EXPECT_EQ(Area(g, 612000, 324000, -608401, 320401), (QList<int16_t>{11, 12, 16, 17}));

    // A full turn: the ends fall in the same column, yet every column counts.
    EXPECT_EQ(Area(g, -648000, 324000, 648000, 320401), (QList<int16_t>{11, 12, 13, 14, 15, 16, 17}));
    EXPECT_EQ(Area(g, -700000, 324000, 700000, 320401), (QList<int16_t>{11, 12, 13, 14, 15, 16, 17}));
    // One second short of a full turn is still a plain range.
    EXPECT_EQ(Area(g, -647999, 324000, 647999, 320401).size(), 7);

    // The south pole itself is limited to the last row.
    EXPECT_EQ(Area(g, 0, -300000, 3600, -324000), QList<int16_t>{18});
    EXPECT_EQ(Area(g, 0, -324000, 3600, -400000), QList<int16_t>{18});
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST(GridFile, KeptUntilTheFileChanges) {
    TestFolder t;
    ScopedUi ui;
    Grid grid;
    grid.set(54, 319, 392);
    const QString path = t.write("g.grd", grid.bytes);
    const QDateTime stamp(QDate(2020, 1, 2), QTime(3, 4, 5));
    ASSERT_TRUE(SetTime(path, stamp));
    clsGridMap g;
    g.SetFileName(path);
    ASSERT_EQ(g.GetCountryCode(502884, 128484), 392);

    // Same name, size and time: the contents read before still count.
    grid.set(54, 319, 124);
    t.write("g.grd", grid.bytes);
    ASSERT_TRUE(SetTime(path, stamp));
    EXPECT_EQ(g.GetCountryCode(502884, 128484), 392);

    // A new time makes it read again.
    ASSERT_TRUE(SetTime(path, stamp.addSecs(5)));
    EXPECT_EQ(g.GetCountryCode(502884, 128484), 124);

    // Another file of the same size is read on the change of name.
    grid.set(54, 319, 250);
    g.SetFileName(t.write("h.grd", grid.bytes));
    EXPECT_EQ(g.GetCountryCode(502884, 128484), 250);
}
