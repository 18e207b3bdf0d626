// The map file reader (clsMap) on damaged and truncated files.
#include "support/MapFileBuilder.h"
#include "MapTestUtil.h"

#include "core/clsPoly.h"
#include "document/clsMapRem.h"
#include "platform/ScriptedUi.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

constexpr int32_t kContent = ErrBase + 1007;

class MapCorrupt : public ::testing::Test {
protected:
    // Loads the bytes and returns the error's description ("" on success).
    QString Fails(const QByteArray& bytes, int32_t number = kContent) {
        const LoadOutcome out = LoadMapBytes(map, dir, bytes);
        if (!out.error) return {};
        EXPECT_EQ(out.error->number, number);
        EXPECT_EQ(out.error->source, "clsMap.Load/clsMap.Load/");
        EXPECT_EQ(map.Count(), 0) << "no partial map remains";
        return out.error->description;
    }
    TestFolder dir;
    ScopedUi ui;
    clsMap map;
};

TestFig Symbol() {
    TestFig f{.code = 4};
    return f;
}

TEST_F(MapCorrupt, UnknownFigureCodesWithDataAfterThem) {
    // A content error is no file error: whatever the button, it is raised.
    ui.ui.answers = {Mb::Yes, Mb::No, Mb::Cancel};
    for (int code : {0, 6, -1, 0x7FFF}) {
        MapFileBuilder b(106);
        b.VersionHeader();
        b.Add(Symbol());
        b.I16(code);
        b.I32(0);
        EXPECT_EQ(Fails(b.bytes), ReaderText(QStringLiteral("不正な図形コード(Line:2, Figure:%1)").arg(code)));
    }
    // A code 0 that is the last thing in the file is still more data.
    MapFileBuilder b(106);
    b.VersionHeader();
    b.I16(0);
    EXPECT_EQ(Fails(b.bytes), ReaderText(QStringLiteral("不正な図形コード(Line:1, Figure:0)")));
    // A first record other than a remark: no version to read.
    EXPECT_EQ(Fails(MapFileBytes(106, {Symbol()}).mid(32), ErrBase + 1006),
              ReaderText(QStringLiteral("地図バージョン確認不能")));
}

TEST_F(MapCorrupt, FiguresThatFailTheirCheck) {
    std::vector<TestFig> figs(11, Symbol());
    figs.push_back({.code = 3, .pts = {{0, 0}, {1, 0}, {0, 0}}});
    EXPECT_EQ(Fails(MapFileBytes(105, figs)), ReaderText(QStringLiteral("不正な図形内容(Line:12, Figure:3)")));

    const struct {
        int version;
        TestFig fig;
    } cases[] = {
        {99, {.code = 2, .pts = {{5, 5}}}},  {100, {.code = 4, .admin = 1000}}, {103, {.code = 4, .admin = -1}},
        {104, {.code = 4, .thing = 1000}},   {106, {.code = 5, .fix = 25}},
        {106, {.code = 1, .color = 0x1000000}}, // beyond 24 bits
        {106, {.code = 1, .show = 2}},          // a show byte of 3
        {104, {.code = 4, .show = 2}},          // show mode bits 3
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Fails(MapFileBytes(c.version, {c.fig})),
                  ReaderText(QStringLiteral("不正な図形内容(Line:1, Figure:%1)").arg(c.fig.code)))
            << c.version;
    }
}

TEST_F(MapCorrupt, PointCountsBeyondTheFileAllocateNothing) {
    const auto withCount = [](int version, int64_t count, int points) {
        MapFileBuilder b(version);
        b.VersionHeader();
        b.I16(2);
        if (version == 106) b.Head106(TestFig());
        else {
            b.I16(0);
            b.I16(0);
            if (version == 105) b.I32(0);
        }
        if (version == 106) b.I32(count);
        else b.I16(static_cast<int>(count));
        for (int i = 0; i < points * 2; ++i) b.I32(i);
        return b.bytes;
    };
    const QString bad = ReaderText(QStringLiteral("不正な図形内容(Line:1, Figure:2)"));
    EXPECT_EQ(Fails(withCount(106, 0x7FFFFFFF, 3)), bad);
    EXPECT_EQ(Fails(withCount(106, 0x10000000, 0)), bad);
    EXPECT_EQ(Fails(withCount(106, -1, 2)), bad);
    EXPECT_EQ(Fails(withCount(106, -2147483647 - 1, 2)), bad);
    EXPECT_EQ(Fails(withCount(105, 0xFFFF, 100)), bad);
    EXPECT_EQ(Fails(withCount(99, 3, 2)), bad);
    // Exactly enough points.
    EXPECT_EQ(Fails(withCount(106, 3, 3)), "");
    EXPECT_EQ(map.Item(1)->Poly()->Count(), 3);
}

// The expected outcome of a file cut after `k` bytes, worked out from where
// the records begin: a cut on a record boundary loads the records before it.
QString ExpectedCut(const MapFileBuilder& b, qsizetype k, int version, int& figures) {
    figures = -1;
    if (k == 0) return QStringLiteral("地図バージョン確認不能/");
    const qsizetype headerEnd = b.starts.size() > 1 ? b.starts[1] : b.bytes.size();
    if (k == 1) return QStringLiteral("不正な図形コード(Line:0, Figure:1)/");
    if (k < headerEnd) return QStringLiteral("不正な図形内容(Line:0, Figure:1)/");
    size_t j = b.starts.size() - 1;
    while (b.starts[j] > k) --j;
    const int extra = version == 99 ? 1 : 0;
    if (k == b.starts[j] && j >= 1) {
        figures = static_cast<int>(j) - 1 + extra;
        return {};
    }
    if (j == 0) { // exactly the header
        figures = extra;
        return {};
    }
    const auto code = static_cast<unsigned char>(b.bytes[b.starts[j]]);
    if (k == b.starts[j] + 1) return QStringLiteral("不正な図形コード(Line:%1, Figure:%2)/").arg(j).arg(code);
    return QStringLiteral("不正な図形内容(Line:%1, Figure:%2)/").arg(j).arg(code);
}

TEST_F(MapCorrupt, TruncatedAtEveryByte) {
    for (int version : {99, 102, 104, 105, 106}) {
        MapFileBuilder b(version);
        b.VersionHeader();
        for (const TestFig& f : std::vector<TestFig>{{.code = 1, .comment = QStringLiteral("# 国名：日本")},
                                                     {.code = 2, .pts = {{1, 2}, {3, 4}}},
                                                     {.code = 3, .pts = {{0, 0}, {9, 0}, {9, 9}, {0, 0}}},
                                                     Symbol(),
                                                     {.code = 5, .eur = "Tokyo", .jpn = Cp932Encode(QStringLiteral("東京"))}})
            b.Add(f);
        const qsizetype total = b.bytes.size();
        b.starts.push_back(total);
        for (qsizetype k = 0; k <= total; ++k) {
            SCOPED_TRACE(testing::Message() << "version " << version << " cut at " << k);
            int figures = 0;
            const QString expected = ExpectedCut(b, k, version, figures);
            const LoadOutcome out = LoadMapBytes(map, dir, b.bytes.left(k));
            if (expected.isEmpty()) {
                ASSERT_FALSE(out.error) << out.error->description.toStdString();
                EXPECT_EQ(map.Count(), figures);
            } else {
                ASSERT_TRUE(out.error);
                EXPECT_EQ(out.error->number, k == 0 ? ErrBase + 1006 : kContent);
                EXPECT_EQ(out.error->description, expected);
                EXPECT_EQ(map.Count(), 0);
            }
        }
    }
}

TEST_F(MapCorrupt, AFolderWithTheMapNameIsAFileErrorThatCanBeGivenUp) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("DIR.MLL")));
    map.SetFileName(dir.file(QStringLiteral("DIR.MLL")));
    ui.ui.answers = {Mb::No}; // give up
    const int32_t r = map.Load();
    EXPECT_TRUE(r >= 52 && r <= 76) << r;
    EXPECT_EQ(map.Count(), 0);
    ui.ui.answers = {Mb::Cancel}; // as giving up
    EXPECT_EQ(map.Load(), r);
    EXPECT_EQ(map.Count(), 0);
}

} // namespace
