// The place grid's column headers, clicked as a user clicks them: a second
// click on the same header turns the order round, a third turns it back,
// another header starts ascending.
#include "dialogs/frmJump05.h"

#include "PlaceUnits.h"
#include "core/Library.h"
#include "document/clsMapUnits.h"
#include "platform/FlexGrid.h"
#include "support/DocumentTestEnv.h"
#include "support/GuiApp.h"
#include "support/WhenModal.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <memory>

namespace {

void ClickHeader(FlexGrid& g, int col)
{
    QWidget* v = g.horizontalHeader()->viewport();
    const QPointF at(g.horizontalHeader()->sectionViewportPosition(col) + 5, v->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, v->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, v->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(v, &press);
    QApplication::sendEvent(v, &release);
}

// Map files "load" in memory, each with its places.
bool FakeLoad(clsMapUnit& u)
{
    const QString name = Library::PathFileName(u.UnitName());
    if (name == "A.MLL")
        FillUnit(u, {{"東京", 1, 1, 1000}, {"大阪", 1, 1, 2000}});
    if (name == "B.MLL")
        FillUnit(u, {{"日本", 1, 1, 3000}, {"本州", 1, 1, 4000}});
    return true;
}

} // namespace

struct JumpHeaderSortTest : DocumentTest {
    void SetUp() override
    {
        DocumentTest::SetUp();
        EnsureGuiApp();
        PublicVal::gvLanguage = 2;
        dir.write("A.MLL", "x");
        dir.write("B.MLL", "x");
        saved = clsMapUnit::SetLoadPresenter(FakeLoad);
    }
    void TearDown() override
    {
        clsMapUnit::SetLoadPresenter(saved);
        DocumentTest::TearDown();
    }
    clsMapUnit::LoadPresenter saved;
};

TEST_F(JumpHeaderSortTest, ASecondClickOnAHeaderTurnsTheOrderRound) {
    clsMapUnits units;
    frmJump05 dlg;
    dlg.mMapUnits = &units;
    WhenModal([&](QWidget*) {
        // The dialog closes whatever the checks find.
        const std::unique_ptr<QPushButton, void (*)(QPushButton*)> close(dlg.cmdCancel, [](QPushButton* b) { b->click(); });
        dlg.cmdGazetteer->click(); // the places of both map files
        ASSERT_EQ(dlg.Places().Count(), 4);
        FlexGrid& g = *dlg.flgPlaces;
        const auto names = [&] {
            QStringList l;
            for (int r = 1; r <= 4; ++r)
                l << g.TextMatrix(r, 0);
            return l;
        };
        // By name ascending at first: 大阪 (U+5927) < 日本 (U+65E5) < 本州 (U+672C) < 東京 (U+6771).
        const QStringList up{"大阪", "日本", "本州", "東京"}, down{"東京", "本州", "日本", "大阪"};
        EXPECT_EQ(names(), up);
        const struct {
            const char* name;
            int col;
            int code;
            QStringList order;
            QString header;
        } clicks[] = {
            {"the sorted header again", 0, 2, down, "地名　▼"},
            {"and once more", 0, 1, up, "地名　▲"},
            {"a third time", 0, 2, down, "地名　▼"},
            {"another header starts ascending", 1, 3, {}, "ファイル名　▲"},
            {"back to the names", 0, 1, up, "地名　▲"},
        };
        for (const auto& c : clicks) {
            SCOPED_TRACE(c.name);
            ClickHeader(g, c.col);
            EXPECT_EQ(dlg.SortCode(), c.code);
            EXPECT_EQ(g.TextMatrix(0, c.col), c.header);
            if (!c.order.isEmpty()) {
                EXPECT_EQ(names(), c.order);
            }
        }
        EXPECT_EQ(g.TextMatrix(0, 1), QStringLiteral("ファイル名")); // only the sorted column is marked
    });
    EXPECT_FALSE(dlg.ShowModal());
}
