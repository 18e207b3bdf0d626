// The area page: groups chosen by number, rows that keep their area code,
// page and show switches by key and click, and copies to the other units
// by name.
#include "SymbolTestEnv.h"

#include "core/clsEnvironment.h"
#include "document/clsAdmins.h"
#include "legend/AreaGrid.h"

#include <QComboBox>
#include <QPushButton>
#include <QWidget>

namespace {

struct AreaTest : GuiFirst, SymbolTest {
    QWidget page;
    SymbolWork work;
    SymbolSwitches sw;
    AreaGrid area{&page, work, sw};
    int previews = 0;

    static std::shared_ptr<clsAdmins> Areas(std::initializer_list<std::tuple<int, int, const char*>> rows)
    {
        auto l = std::make_shared<clsAdmins>();
        l->SetAreaName(0, 1, QStringLiteral("EUROPE"));
        l->SetAreaName(1, 1, QStringLiteral("ASIA"));
        l->SetAreaName(3, 1, QStringLiteral("AFRICA")); // group 2 has no name
        for (const auto& [code, group, name] : rows) {
            auto a = std::make_shared<clsAdmin>();
            a->SetAdminCode(int16_t(code));
            a->SetAreaCode(int16_t(group));
            a->SetEuropianName(QString::fromUtf8(name));
            l->Add(a);
        }
        return l;
    }
    void SetUp() override
    {
        SymbolTest::SetUp();
        units.Item(1)->gAdmins = Areas({{50, 1, "Japan"}, {51, 3, "Egypt"}});
        units.Item(2)->gAdmins = Areas({{10, 1, "Japan"}, {11, 1, "china"}, {12, 1, "Korea"}, {13, 1, "Japan"}, {20, 3, "Egypt"}});
        work.Load(units); // unit 2 chosen
        area.Layout(4000);
        area.ExePreview = [this] { ++previews; };
        area.mAreaGroup = 1;
        area.MakeAreaList();
    }
    QStringList Column(int col) const
    {
        QStringList l;
        for (int r = 1; r < area.flgAdmins->Rows(); ++r) l << area.flgAdmins->TextMatrix(r, col);
        return l;
    }
    int Page(int k, int code) const { return work.WorkAdmins(k)->Item(code)->Page(); }
};

TEST_F(AreaTest, GroupsAreChosenByTheirNumber) {
    EXPECT_EQ(area.choArea->itemData(2).toInt(), 3);
    EXPECT_EQ(area.choArea->currentText(), QStringLiteral("ASIA"));
    EXPECT_EQ(Column(0), (QStringList{"china", "Japan", "Japan", "Korea"})); // sorted without regard to case
    EXPECT_EQ(Column(2), (QStringList{"表示", "表示", "表示", "表示"}));
    area.choArea->setCurrentIndex(2);
    area.choArea_Click();
    EXPECT_EQ(area.mAreaGroup, 3);
    EXPECT_EQ(Column(0), QStringList{"Egypt"});
    area.MakeAreaList(); // reopening keeps group 3, not the third group
    EXPECT_EQ(area.choArea->currentText(), QStringLiteral("AFRICA"));
}

TEST_F(AreaTest, RowsKeepTheirAreaCode) {
    sw.mUnitSync = true;
    auto& g = *area.flgAdmins;
    g.SetSelection(3, 0, 3, 0); // the second Japan
    const int code = g.TextMatrix(3, 3).toInt();
    const int other = code == 10 ? 13 : 10;
    area.flgAdmins_KeyDown(56); // "8"
    EXPECT_EQ(Page(2, code), 8);
    EXPECT_EQ(Page(2, other), 1); // its namesake in the same list is left alone
    EXPECT_EQ(Page(1, 50), 8);    // the other unit's Japan, under its own code
    EXPECT_EQ(Column(1), (QStringList{"1", "1", "8", "1"}));
    area.flgAdmins_KeyDown(32); // Space: 8 wraps to 1
    EXPECT_EQ(Page(2, code), 1);
    area.flgAdmins_KeyDown(57); // "9" does nothing
    area.flgAdmins_KeyDown(104); // pad 8
    EXPECT_EQ(Page(2, code), 8);
    area.flgAdmins_KeyDown(45); // Insert ends hidden
    EXPECT_FALSE(work.WorkAdmins(2)->Item(code)->Show());
    EXPECT_EQ(g.TextMatrix(3, 2), QStringLiteral("隠蔽"));
    EXPECT_EQ(previews, 5);
}

TEST_F(AreaTest, GroupSyncAndBulkHide) {
    sw.mUnitSync = false;
    sw.mAreaSync = true;
    area.SetAdminPage(0); // 0 wraps to 8
    for (int code : {10, 11, 12, 13})
        EXPECT_EQ(Page(2, code), 8);
    EXPECT_EQ(Page(2, 20), 1); // another group
    EXPECT_EQ(Page(1, 50), 1); // no unit sync
    EXPECT_EQ(Column(1), (QStringList{"8", "8", "8", "8"}));
    area.cmdAllAdminHide_Click(); // every group
    EXPECT_FALSE(work.WorkAdmins(2)->Item(20)->Show());
}

TEST_F(AreaTest, ColouredMapButtonFollowsTheMapKind) {
    area.SetColoredMapButton(330000);
    EXPECT_TRUE(area.cmdColoredMap->isEnabled());
    EXPECT_EQ(area.cmdColoredMap->text(), QStringLiteral("8色分け地図(&U)"));
    area.SetColoredMapButton(310000);
    EXPECT_FALSE(area.cmdColoredMap->isEnabled());
    // Land (128, 0, 0) turned by 45 degrees on page 2, copied to unit 1;
    // every area of the chosen unit on the generator's page.
    area.Random = [] { return 0.9; };
    area.cmdColoredMap_Click();
    for (int k : {1, 2}) {
        auto land = work.WorkThings(k)->Item(1);
        land->SetPage(2);
        EXPECT_EQ(land->Fore(), 128 | 96 << 8) << k;
    }
    EXPECT_EQ(Column(1), (QStringList{"8", "8", "8", "8"}));
    EXPECT_EQ(Page(1, 50), 1); // area pages stay in their unit
    // Without a land thing nothing changes.
    work.Things()->Remove(1);
    area.cmdColoredMap_Click();
    EXPECT_EQ(Messages(), QStringList{"事象 [陸地] が存在しません."});
    EXPECT_EQ(previews, 1);
}

// A preset area file with a number too large for its field is a preset that
// cannot be loaded: the areas take random pages, and the button's guard
// (the fatal stop) is never reached.
TEST_F(AreaTest, DamagedPresetFallsBackToRandomPages) {
    clsEnvironment env;
    env.SetFileName(dir.write(QStringLiteral("Environment.txt"), "8ColoredMapAdm=PRESET.ADM\r\n"));
    ASSERT_EQ(env.Load(), 0);
    struct Env {
        clsEnvironment* saved = PublicVal::gvEnvironment;
        ~Env() { PublicVal::gvEnvironment = saved; }
    } restore;
    PublicVal::gvEnvironment = &env;
    const QString path = dir.write(QStringLiteral("PRESET.ADM"),
                                   "[ADMINISTRATION]\r\n010,1,3,\"Japan\",\"J\"\r\n011,1,1E+400,\"china\",\"C\"\r\n");
    QStringList stopped;
    area.Guard = [&](const char* proc, const std::function<void()>& f) {
        try {
            f();
        } catch (...) {
            stopped << QString::fromLatin1(proc);
        }
    };
    area.Random = [] { return 0.3; }; // page 3 of 8
    area.SetColoredMapButton(330000);
    area.cmdColoredMap->click();
    EXPECT_EQ(stopped, QStringList{});
    EXPECT_EQ(Messages(), QStringList{path + "\r\n3行目の数値が範囲を超えています.\r\n011,1,1E+400,\"china\",\"C\""});
    for (int code : {10, 11, 12, 13, 20})
        EXPECT_EQ(Page(2, code), 3) << code;
}

} // namespace
