// The HTML legend as the map-symbol dialog's pop-up menu writes it: a black
// foreground is a colour of its own, not "none".
#include "SymbolTestEnv.h"

#include "legend/frmMapSymbol.h"
#include "support/WhenModal.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

namespace {

struct HtmlDialogTest : GuiFirst, SymbolTest {
    frmMapSymbol dlg;
};

TEST_F(HtmlDialogTest, PopupMenuWritesBlackAsAColour) {
    dlg.PlotWindow = [] {};
    dlg.CruiseAuto = [] { return false; };
    dlg.SetCruiseAuto = [](bool) {};
    WhenModal([&](QWidget*) {
        const auto land = dlg.Work().Things()->Item(1);
        land->SetPage(1);
        land->SetFore(0);
        land->SetBack(0x0000FF);
        dlg.flgThings->SetSelection(2, 1, 2, 1); // 陸地
        EXPECT_EQ(dlg.flgThings->TextMatrix(2, 1), QStringLiteral("陸地"));
        QAction* html = nullptr;
        for (QAction* a : dlg.mnuPopup->actions())
            if (a->text() == QStringLiteral("HTML保存(&T)"))
                html = a;
        EXPECT_NE(html, nullptr);
        if (html)
            html->trigger();
        dlg.CancelButton()->click();
    });
    dlg.mMapUnits = &units;
    dlg.ShowModal();
    const QString path = Library::ChangeExt(units.Item(2)->gThings->FileName(), QStringLiteral("HTM"));
    EXPECT_EQ(Messages(), QStringList{path + "\r\nに保存しました."});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("    <TD>0,0,0</TD>\r\n    <TD>255,0,0</TD>\r\n  </TR>\r\n"));
}

} // namespace
