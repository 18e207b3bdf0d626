// The place-name jump dialog's list and keyword box, driven as the user
// drives them: clicks on rows and headers, the focus in the keyword box.
#include "dialogs/frmJump05.h"

#include "PlaceUnits.h"
#include "core/Library.h"
#include "document/clsMapUnits.h"
#include "platform/FlexGrid.h"
#include "support/DocumentTestEnv.h"
#include "support/GuiApp.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPoint>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace {

// The open unit A.MLL with its two places: 大阪 (U+5927) sorts before 東京.
struct JumpListTest : DocumentTest {
    struct GuiFirst {
        GuiFirst() { EnsureGuiApp(); }
    } guiFirst;
    clsMapUnits units;
    frmJump05 dlg;

    clsMapUnit::LoadPresenter saved;

    void SetUp() override {
        DocumentTest::SetUp();
        PublicVal::gvLanguage = 2;
        dir.write("A.MLL", "x");
        saved = clsMapUnit::SetLoadPresenter([](clsMapUnit& u) {
            if (Library::PathFileName(u.UnitName()) == "A.MLL")
                FillUnit(u, {{"東京", 1, 1, 500000}, {"大阪", 1, 1, 500001}});
            return true;
        });
        auto unit = std::make_shared<clsMapUnit>();
        unit->SetUnitName(dir.file("A.MLL"));
        ASSERT_TRUE(unit->Load());
        ASSERT_TRUE(units.Add(unit));
        dlg.mMapUnits = &units;
    }
    void TearDown() override {
        clsMapUnit::SetLoadPresenter(saved);
        DocumentTest::TearDown();
    }
    // Runs `act` from the event loop once the shown dialog has filled its
    // list (it does so after showing, letting events run on the way).
    void WhenListed(std::function<void()> act, int32_t places = 2) {
        auto* timer = new QTimer;
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [this, timer, act, places, ticks = 0]() mutable {
            QWidget* focus = dlg.focusWidget();
            const bool ready = dlg.isVisible() && dlg.Places().Count() == places &&
                               (focus == dlg.choKeyword || focus == dlg.choKeyword->lineEdit());
            if (!ready && ++ticks < 4000) return;
            timer->stop();
            timer->deleteLater();
            if (ready) {
                act();
            } else {
                ADD_FAILURE() << "the list was not filled";
                dlg.reject();
            }
        });
        timer->start();
    }
    QStringList Names() const {
        QStringList n;
        for (int32_t r = 1; r < dlg.flgPlaces->Rows(); ++r) n << dlg.flgPlaces->TextMatrix(r, 0);
        return n;
    }
    // A left click where the user clicks, on the header or on a row.
    static void ClickAt(QWidget* w, QPoint at) {
        const QPointF p(at);
        QMouseEvent press(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
    void ClickHeader(int col) {
        QHeaderView* h = dlg.flgPlaces->horizontalHeader();
        ClickAt(h->viewport(), {h->sectionViewportPosition(col) + 4, h->height() / 2});
    }
    void ClickRow(int32_t row) {
        ClickAt(dlg.flgPlaces->viewport(), dlg.flgPlaces->visualRect(dlg.flgPlaces->model()->index(row - 1, 0)).center());
    }
};

} // namespace

TEST_F(JumpListTest, TheLastPlaceOfTheListIsJumpedTo) {
    WhenListed([&] {
        EXPECT_EQ(Names(), QStringList({"大阪", "東京"}));
        ClickRow(2);
        EXPECT_EQ(dlg.flgPlaces->Row(), 2);
        dlg.cmdOK->click();
    });
    EXPECT_TRUE(dlg.ShowModal());
    EXPECT_EQ(QPoint(dlg.mCx, dlg.mCy), QPoint(500000, -50000));
}

TEST_F(JumpListTest, AHeaderClickSortsOneWayThenTheOther) {
    WhenListed([&] {
        EXPECT_EQ(dlg.SortCode(), 1);
        const struct {
            const char* name;
            int col;
            int32_t code;
            QStringList names;
            QString header;
        } clicks[] = {
            {"names again: descending", 0, 2, {"東京", "大阪"}, "地名　▼"},
            {"names once more: ascending", 0, 1, {"大阪", "東京"}, "地名　▲"},
            {"another header starts ascending", 1, 3, {}, "ファイル名　▲"},
            {"areas: ascending", 2, 5, {"大阪", "東京"}, "行政区名　▲"},
            {"areas again: descending", 2, 6, {"大阪", "東京"}, "行政区名　▼"},
        };
        for (const auto& c : clicks) {
            SCOPED_TRACE(c.name);
            ClickHeader(c.col);
            EXPECT_EQ(dlg.SortCode(), c.code);
            EXPECT_EQ(dlg.flgPlaces->TextMatrix(0, c.col), c.header);
            if (!c.names.isEmpty()) {
                EXPECT_EQ(Names(), c.names);
            }
        }
        // Only the sorted column is marked.
        EXPECT_EQ(dlg.flgPlaces->TextMatrix(0, 0), QStringLiteral("地名"));
        EXPECT_EQ(dlg.flgPlaces->TextMatrix(0, 1), QStringLiteral("ファイル名"));
        dlg.cmdCancel->click();
    });
    EXPECT_FALSE(dlg.ShowModal());
}

// The keyword box asks the platform for the input method in Japanese and
// for direct Latin input in the European language, at every opening.
TEST_F(JumpListTest, TheKeywordBoxAsksForTheInputMethodOfTheLanguage) {
    for (const int lang : {1, 2, 1}) {
        SCOPED_TRACE(lang);
        PublicVal::gvLanguage = lang;
        dlg.mMapUnits = &units;
        WhenListed([&] {
            QWidget* focus = dlg.focusWidget();
            // What a platform input context asks the focused box.
            QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImHints);
            QApplication::sendEvent(focus, &query);
            EXPECT_TRUE(query.value(Qt::ImEnabled).toBool());
            const auto hints = Qt::InputMethodHints(query.value(Qt::ImHints).toInt());
            EXPECT_EQ(hints.testFlag(Qt::ImhPreferLatin), lang == 1);
            EXPECT_FALSE(hints.testFlag(Qt::ImhLatinOnly));
            dlg.cmdCancel->click();
        }, lang == 2 ? 2 : 0);
        EXPECT_FALSE(dlg.ShowModal());
    }
}
