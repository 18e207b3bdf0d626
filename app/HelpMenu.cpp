#include "app/HelpMenu.h"

#include "app/HtmlHelp.h"
#include "app/frmAbout.h"
#include "core/PublicVal.h"
#include "platform/UiServices.h"

#include <QAction>
#include <QMenu>

void HelpMenu::Fill(QMenu* menu, QWidget* owner) {
    menu->addAction(QStringLiteral("目次(&C)..."), owner, [] { HtmlHelp::HelpContents(); });
    menu->addAction(QStringLiteral("キーワード(&K)"), owner, [] { HtmlHelp::HelpIndex(); });
    menu->addAction(QStringLiteral("メインウィンドウ(&H)"), owner, [] { HtmlHelp::HelpContext(200001); });
    QMenu* web = menu->addMenu(QStringLiteral("作者WEBサイト(&W)"));
    QAction* top = web->addAction(QStringLiteral("トップ(&T)"), owner, [] { OpenHomepage(1); });
    web->addSeparator();
    QAction* maps = web->addAction(QStringLiteral("地図ファイル(&M)"), owner, [] { OpenHomepage(3); });
    QAction* runtime = web->addAction(QStringLiteral("ランタイムファイル(&R)"), owner, [] { OpenHomepage(4); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("バージョン情報(&A)..."), owner, [owner] { ShowAbout(owner); });
    // An item whose page is not configured has nothing to open.
    const auto update = [web, top, maps, runtime] {
        top->setEnabled(!HomepageUrl(1).isEmpty());
        maps->setEnabled(!HomepageUrl(3).isEmpty());
        runtime->setEnabled(!HomepageUrl(4).isEmpty());
        web->menuAction()->setEnabled(top->isEnabled() || maps->isEnabled() || runtime->isEnabled());
    };
    QObject::connect(menu, &QMenu::aboutToShow, web, update);
    update();
}

QString HelpMenu::HomepageUrl(int32_t item) {
    switch (item) {
    case 3: return PublicVal::AuthorURLmap();
    case 4: return PublicVal::AuthorURLruntime();
    default: return PublicVal::AuthorURLhome();
    }
}

void HelpMenu::OpenHomepage(int32_t item) {
    const QString url = HomepageUrl(item);
    if (url.isEmpty()) return;
    if (!Ui().OpenUrl(url)) Ui().MsgBox(QStringLiteral("WEBブラウザを起動できませんでした."), Mb::OkOnly | Mb::Critical, {});
}

void HelpMenu::ShowAbout(QWidget* owner) {
    frmAbout& about = frmAbout::Instance(owner);
    about.PlaceFirst(owner, 3600, 600);
    about.ShowModal();
}
