// Every colour the map-symbol dialog asks for, from the style editors'
// buttons and from the thing commands, goes through the host's palette
// picker: a scripted picker sees each request and its answer lands.
#include "SymbolTestEnv.h"
#include "legend/ForeBackEditor.h"
#include "legend/InsideEdgeEditor.h"
#include "legend/frmMapSymbol.h"
#include "support/FakeAppHost.h"
#include "support/WhenModal.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

namespace {

struct ColourPickPath : GuiFirst, SymbolTest {
    frmMapSymbol dlg;
    FakeAppHost host;

    void SetUp() override
    {
        SymbolTest::SetUp();
        dlg.PlotWindow = [] {};
    }
    void Command(const char* text)
    {
        for (QAction* act : dlg.mnuPopup->actions())
            if (act->text() == QString::fromUtf8(text))
                act->trigger();
    }
    std::pair<int32_t, int32_t> Colours(int code)
    {
        const auto t = dlg.Work().Things()->Item(code);
        t->SetPage(1);
        return {t->Fore(), t->Back()};
    }
};

TEST_F(ColourPickPath, EditorsAndCommandsAskTheOnePicker) {
    // Rows of the thing grid: 2 陸地 (polygon), 4 国境 (polyline), 5 都市
    // (symbol), 7 地名 (text); each opened for real, both colour buttons
    // pressed, then OK.
    const struct {
        int row, code;
        int32_t fore, back; // the picker's answers
    } rows[] = {{2, 1, 0x000001, 0x000002}, {4, 3, 0x000003, 0x000004}, {5, 4, 0x000005, 0x000006}, {7, 6, 0x000007, 0x000008}};
    for (const auto& r : rows)
        host.paletteAnswers.insert(host.paletteAnswers.end(), {r.fore, r.back});
    host.paletteAnswers.insert(host.paletteAnswers.end(), {0x000009, 0x00000A});

    WhenModal([&](QWidget*) {
        for (const auto& r : rows) {
            WhenModal(
                [](QWidget* w) {
                    if (auto* fb = dynamic_cast<ForeBackEditor*>(w)) {
                        fb->cmdFore->click();
                        fb->cmdBack->click();
                        fb->cmdOK->click();
                    } else if (auto* ie = dynamic_cast<InsideEdgeEditor*>(w)) {
                        ie->cmdInside->click();
                        ie->cmdEdge->click();
                        ie->cmdOK->click();
                    }
                },
                &dlg);
            dlg.GridAttribute(r.row);
        }
        dlg.flgThings->SetSelection(2, 1, 2, 1);
        Command("前景色(&F)");
        Command("背景色(&B)");
        // 陸地 took the commands' colours after its editor's.
        const std::pair<int32_t, int32_t> commands{0x000009, 0x00000A};
        for (const auto& r : rows)
            EXPECT_EQ(Colours(r.code), r.code == 1 ? commands : std::make_pair(r.fore, r.back)) << r.row;
        dlg.CancelButton()->click();
    });
    dlg.mMapUnits = &units;
    dlg.ShowModal();

    // The editors offer the thing's colour (no background shows as white);
    // the commands offer black.
    QList<int32_t> asked;
    for (int i = 0; i < 4; ++i)
        asked << 0x80 << 0xFFFFFF;
    asked << 0 << 0;
    EXPECT_EQ(host.paletteRequests, asked);
    EXPECT_TRUE(host.paletteAnswers.empty());
}

} // namespace
