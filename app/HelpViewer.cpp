#include "app/HelpViewer.h"

#include "platform/FileSystem.h"
#include "platform/FontCatalog.h"
#include "platform/UiServices.h"

#include <QFont>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

HelpViewer::HelpViewer(QString contents, QString index)
    : QWidget(nullptr, Qt::Window), contents_(std::move(contents)), index_(std::move(index)) {
    setWindowTitle(QStringLiteral("ヘルプ"));
    browser_ = new QTextBrowser;
    browser_->setOpenLinks(false);
    // The pages name no face: they read in the proportional face of the
    // menus and dialogs (a generic "sans-serif" falls on a fixed-pitch
    // Japanese face under the Japanese locale).
    QFont face = browser_->font();
    const QString family = FontCatalog::UiFamily(FontCatalog::InstalledNames());
    if (!family.isEmpty()) face.setFamilies({family});
    browser_->setFont(face);
    browser_->document()->setDefaultFont(face);
    auto button = [](const QString& text, const QString& tip) {
        auto* b = new QToolButton;
        b->setText(text);
        b->setToolTip(tip);
        b->setAutoRaise(true);
        return b;
    };
    QToolButton* home = button(QStringLiteral("目次"), QStringLiteral("ヘルプの目次を表示"));
    QToolButton* keys = button(QStringLiteral("キーワード"), QStringLiteral("キーワードの一覧を表示"));
    back_ = button(QStringLiteral("戻る"), QStringLiteral("前のページへ戻る"));
    forward_ = button(QStringLiteral("進む"), QStringLiteral("次のページへ進む"));
    back_->setEnabled(false);
    forward_->setEnabled(false);
    auto* bar = new QHBoxLayout;
    for (QToolButton* b : {home, keys, back_, forward_}) bar->addWidget(b);
    bar->addStretch();
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    lay->addLayout(bar);
    lay->addWidget(browser_);
    resize(680, 600);
    // The page has the keys when the window opens: it scrolls at once.
    browser_->setFocus();
    // Closed by keys too, not by the window manager alone.
    auto* close = new QShortcut(this);
    close->setKeys({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    connect(close, &QShortcut::activated, this, &QWidget::close);

    connect(home, &QToolButton::clicked, this, [this] { ShowPage(contents_); });
    connect(keys, &QToolButton::clicked, this, [this] { ShowPage(index_); });
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) { OnLink(url); });
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("ヘルプ") : title);
    });
}

bool HelpViewer::ShowPage(const QString& path) {
    const qsizetype hash = path.indexOf(QLatin1Char('#'));
    const QString file = FileSystem::ResolvePath(hash < 0 ? path : path.left(hash));
    if (!FileSystem::IsFile(file)) return false;
    QUrl url = QUrl::fromLocalFile(file);
    if (hash >= 0) url.setFragment(path.mid(hash + 1));
    browser_->setSource(url);
    return true;
}

QUrl HelpViewer::Source() const { return browser_->source(); }

void HelpViewer::OnLink(const QUrl& url) {
    const QUrl target = browser_->source().resolved(url);
    if (target.isLocalFile()) {
        browser_->setSource(target);
        return;
    }
    if (!Ui().OpenUrl(url.toString()))
        Ui().MsgBox(QStringLiteral("WEBブラウザを起動できませんでした."), Mb::OkOnly | Mb::Critical, {});
}
