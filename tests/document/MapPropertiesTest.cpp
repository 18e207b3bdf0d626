// clsMap's properties: file name, mode, map code, dates, names and header lookups.
#include "document/clsMap.h"
#include "document/clsMapRem.h"
#include "document/clsMapSymbol.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

std::shared_ptr<clsMapRem> Rem(const QString& text) {
    auto r = std::make_shared<clsMapRem>();
    r->SetAdmin(0);
    r->SetComment(text);
    return r;
}

std::shared_ptr<clsMapSymbol> Sym() {
    auto s = std::make_shared<clsMapSymbol>();
    s->SetAdmin(0);
    s->SetThing(0);
    return s;
}

TEST(MapProperties, NewMapFileNameAndMapMode) {
    clsMap m;
    EXPECT_EQ(std::make_tuple(m.FileName(), m.MapMode(), m.Version()), std::make_tuple(QStringLiteral("BLANK.MLL"), 1, int16_t(106)));
    EXPECT_EQ(std::make_tuple(m.FigCode(0), m.FigCode(1), m.Item(0)), std::make_tuple(0, 0, clsMap::FigurePtr()));
    EXPECT_EQ(std::make_tuple(m.MapName(1), m.MapName(3)), std::make_tuple(QStringLiteral("BLANK.MLL"), QString()));

    // A new name takes the mode's extension and unlocks the map.
    m.SetLockMode(true);
    m.SetModify(false);
    m.SetFileName(QStringLiteral("C:\\maps.v2\\japan.mxy"));
    EXPECT_EQ(m.FileName(), "C:\\maps.v2\\japan.MLL");
    EXPECT_FALSE(m.LockMode());
    EXPECT_TRUE(m.Modify());
    m.SetFileName(QStringLiteral("/data/maps.v2/WORLD"));
    EXPECT_EQ(m.FileName(), "/data/maps.v2/WORLD.MLL");
    m.SetModify(false);
    m.SetFileName(QString());
    m.SetFileName(QStringLiteral("/data/maps.v2/WORLD.MLL"));
    EXPECT_FALSE(m.Modify());
    EXPECT_EQ(m.MapName(2), "WORLD.MLL");
    m.SetFileName(QStringLiteral("C:\\x\\y.mll"));
    EXPECT_EQ(m.MapName(1), "y.MLL");

    // The mode changes only while the map is empty.
    clsMap p;
    p.SetMapMode(3);
    EXPECT_EQ(p.MapMode(), 1);
    EXPECT_FALSE(p.Modify());
    p.SetMapMode(2);
    EXPECT_EQ(p.MapMode(), 2);
    EXPECT_EQ(p.FileName(), "BLANK.MXY");
    EXPECT_TRUE(p.Modify());
    p.SetFileName(QStringLiteral("plane.dat"));
    EXPECT_EQ(p.FileName(), "plane.MXY");
    ASSERT_TRUE(p.Add(Sym()));
    p.SetMapMode(1);
    EXPECT_EQ(p.MapMode(), 2);
}

TEST(MapProperties, AddRefusesInvalidFiguresAndCountsChanges) {
    clsMap m;
    auto bad = std::make_shared<clsMapSymbol>();
    EXPECT_FALSE(m.Add(bad));
    EXPECT_FALSE(m.Add(nullptr));
    EXPECT_FALSE(m.Modify());
    ASSERT_TRUE(m.Add(Sym()));
    EXPECT_TRUE(m.Modify());
    EXPECT_EQ(m.FigCode(1), 4);
    EXPECT_EQ(m.FigCode(2), 0);
    m.SetModify(false);
    EXPECT_FALSE(m.Modify());
    EXPECT_FALSE(m.Item(1)->Modify());
    // A figure changed in place makes the map modified.
    m.Item(1)->SetOwnColor(5);
    EXPECT_TRUE(m.Modify());
    m.Clear();
    EXPECT_EQ(m.Count(), 0);
    EXPECT_FALSE(m.Modify());
    EXPECT_TRUE(m.begin() == m.end());
}

// A map holding one remark per line.
std::unique_ptr<clsMap> MapOf(const QStringList& remarks) {
    auto m = std::make_unique<clsMap>();
    for (const QString& r : remarks) EXPECT_TRUE(m->Add(Rem(r))) << r.toStdString();
    return m;
}

TEST(MapProperties, MapCodeOrHeadersGiveKindLevelAndCountry) {
    const struct {
        QStringList remarks;
        int32_t code;
        const char* kind;
        int16_t level, country;
    } cases[] = {
        {{"# 地図コード：120081", "# 種別：ignored", "# 縮尺レベル：7"}, 120081, "海底地形図", 0, 81},
        // Without a valid code the headers decide.
        {{"# 地図コード：12008", "# 種別：自作", "# 縮尺レベル： 5 ", "# 国番号：392"}, 12008, "自作", 5, 392},
        // Values that do not convert count as absent.
        {{"# 地図コード：12a081", "# 縮尺レベル：high", "# 国番号：99999"}, -1, "", -1, -1},
    };
    for (const auto& c : cases) {
        const auto m = MapOf(c.remarks);
        EXPECT_EQ(std::make_tuple(m->MapCode(), m->Kind(), m->Level(), m->Country()),
                  std::make_tuple(c.code, QString::fromUtf8(c.kind), c.level, c.country))
            << c.remarks.join('|').toStdString();
    }
    const char* const names[] = {"その他地図", "ベース地図", "海底地形図", "世界行政図", "世界地形図",
                                 "世界交通図", "国別行政図", "国別地形図", "国別交通図", "ユーザー地図"};
    for (int d = 0; d <= 9; ++d) {
        const auto k = MapOf({QStringLiteral("# 地図コード：0") + QString::number(d) + QStringLiteral("3392")});
        EXPECT_EQ(std::make_tuple(k->Kind(), k->Level(), k->Country()),
                  std::make_tuple(QString::fromUtf8(names[d]), int16_t(3), int16_t(392)));
    }
}

TEST(MapProperties, LastDateOrTheZeroDate) {
    for (const auto& [text, date] : {std::pair{"yesterday", HMap::ZeroDate()},
                                     {"2005/03/12 10:20:30", QDateTime(QDate(2005, 3, 12), QTime(10, 20, 30))},
                                     {"2005-2-30", HMap::ZeroDate()}})
        EXPECT_EQ(MapOf({QStringLiteral("# 最終更新日時：") + QString::fromUtf8(text)})->LastDate(), date) << text;
}

TEST(MapProperties, MapNamesAndHeaderLookups) {
    clsMap m;
    ASSERT_TRUE(m.Add(Rem(QStringLiteral("# 国名：Common"))));
    EXPECT_EQ(m.MapName(1), "Common");
    EXPECT_EQ(m.MapName(2), "Common");
    ASSERT_TRUE(m.Add(Rem(QStringLiteral("# 欧文大陸名：Asia"))));
    ASSERT_TRUE(m.Add(Rem(QStringLiteral("# 和文国名：日本"))));
    EXPECT_EQ(m.MapName(1), "Asia");
    EXPECT_EQ(m.MapName(2), QStringLiteral("日本"));
    ASSERT_TRUE(m.Add(Rem(QStringLiteral("# 欧州語地図名："))));  // empty: skipped
    ASSERT_TRUE(m.Add(Rem(QStringLiteral("# 欧文地図名：Japan"))));
    EXPECT_EQ(m.MapName(1), "Japan");

    // Only the first fifty figures are the header; SearchRem looks at them all.
    clsMap h;
    ASSERT_TRUE(h.Add(Rem(QStringLiteral("# Ｍａｐ ｎａｍｅ：x"))));
    ASSERT_TRUE(h.Add(Rem(QStringLiteral("# Proj：Lambert"))));
    for (int i = 0; i < 47; ++i) ASSERT_TRUE(h.Add(Sym()));
    ASSERT_TRUE(h.Add(Rem(QStringLiteral("# 国番号：1"))));
    ASSERT_TRUE(h.Add(Rem(QStringLiteral("# 地図コード：120081"))));
    EXPECT_EQ(h.Country(), 1);     // the 50th figure
    EXPECT_EQ(h.MapCode(), -1);    // the 51st is beyond the header
    EXPECT_EQ(h.SearchRem(QStringLiteral("地図コード")), "120081");
    EXPECT_EQ(h.SearchRem(QStringLiteral("none")), "");
    // Keys compare without regard to the case of Latin letters, full-width too.
    EXPECT_EQ(h.SearchRem(QStringLiteral("ＭＡＰ ＮＡＭＥ")), "x");
    EXPECT_EQ(h.SearchRem(QStringLiteral("PROJ")), "Lambert");
    EXPECT_EQ(h.SearchRem(QStringLiteral("proj ")), "");
}

TEST(MapProperties, VersionFromTheHeaderKey) {
    // Out of range or not a number: the stored version stays.
    for (const auto& [text, version] : {std::pair{"1.05", 105}, {"0.99", 99}, {"1.07", 106}, {"1.0x", 106}}) {
        clsMap m;
        ASSERT_TRUE(m.Add(Rem(QStringLiteral("# 地図バージョン：") + QLatin1String(text))));
        EXPECT_EQ(m.Version(), version) << text;
    }
}

TEST(MapProperties, ProjectionNameOnlyForPlaneMaps) {
    clsMap m;
    ASSERT_TRUE(m.Add(Rem(QStringLiteral("# 投影法名：UTM"))));
    EXPECT_EQ(m.ProjectionName(), "");
    clsMap p;
    p.SetMapMode(2);
    for (int i = 0; i < 60; ++i) ASSERT_TRUE(p.Add(Sym()));
    ASSERT_TRUE(p.Add(Rem(QStringLiteral("# 投影法名：UTM"))));
    EXPECT_EQ(p.ProjectionName(), "UTM");
    ASSERT_TRUE(p.Add(Rem(QStringLiteral("# 図法名：Lambert"))));
    EXPECT_EQ(p.ProjectionName(), "UTM"); // cached
}

} // namespace
