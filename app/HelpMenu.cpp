#include "app/HelpMenu.h"

#include "app/HtmlHelp.h"
#include "app/frmAbout.h"
#include "core/PublicVal.h"
#include "platform/UiServices.h"

#include <QMenu>

void HelpMenu::Fill(QMenu* menu, QWidget* owner) {
    menu->addAction(QStringLiteral("目次(&C)..."), owner, [] { HtmlHelp::HelpContents(); });
    menu->addAction(QStringLiteral("キーワード(&K)"), owner, [] { HtmlHelp::HelpIndex(); });
    menu->addAction(QStringLiteral("メインウィンドウ(&H)"), owner, [] { HtmlHelp::HelpContext(200001); });
    QMenu* web = menu->addMenu(QStringLiteral("作者WEBサイト(&W)"));
    web->addAction(QStringLiteral("トップ(&T)"), owner, [] { OpenHomepage(1); });
    web->addSeparator();
    web->addAction(QStringLiteral("地図ファイル(&M)"), owner, [] { OpenHomepage(3); });
    web->addAction(QStringLiteral("ランタイムファイル(&R)"), owner, [] { OpenHomepage(4); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("バージョン情報(&A)..."), owner, [owner] { ShowAbout(owner); });
}

void HelpMenu::OpenHomepage(int32_t item) {
    QString url;
    switch (item) {
    case 3: url = PublicVal::AuthorURLmap(); break;
    case 4: url = PublicVal::AuthorURLruntime(); break;
    default: url = PublicVal::AuthorURLhome(); break;
    }
    if (!Ui().OpenUrl(url)) Ui().MsgBox(QStringLiteral("WEBブラウザを起動できませんでした."), Mb::OkOnly | Mb::Critical, {});
}

void HelpMenu::ShowAbout(QWidget* owner) {
    frmAbout& about = frmAbout::Instance(owner);
    about.PlaceFirst(owner, 3600, 600);
    about.ShowModal();
}
