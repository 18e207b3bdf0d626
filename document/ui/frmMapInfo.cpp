#include "document/ui/frmMapInfo.h"

#include "core/AppHost.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "document/clsMap.h"
#include "document/clsMapRem.h"
#include "platform/Desktop.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

int32_t frmMapInfo::mLeft = 0;
int32_t frmMapInfo::mTop = 0;

frmMapInfo::frmMapInfo(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("地図情報"));
    lblPass = new QLabel(QStringLiteral("pass"));
    lblPass->setToolTip(QStringLiteral("地図ファイルのパス名"));
    lblPass->setMinimumWidth(420);
    lblVersion = new QLabel(QStringLiteral("version"));
    lblVersion->setToolTip(QStringLiteral("地図図形ファイルのバージョン"));
    txtInfo = new QPlainTextEdit;
    txtInfo->setReadOnly(true);
    txtInfo->setFont(QFont(QStringLiteral("ＭＳ ゴシック")));
    txtInfo->setToolTip(QStringLiteral("アクティブ地図に記録されている注釈情報"));
    cmdOK = new QPushButton(QStringLiteral("ＯＫ"));
    cmdOK->setToolTip(QStringLiteral("閉じる"));
    cmdHelp = new QPushButton(QStringLiteral("ヘルプ(&H)"));
    cmdHelp->setToolTip(QStringLiteral("このダイアログの解説"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdHelp);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(lblPass);
    lay->addWidget(lblVersion);
    lay->addWidget(txtInfo);
    lay->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, [this] { accept(); });
    connect(cmdHelp, &QPushButton::clicked, this, [] { Host().HelpContext(230011); });
}

frmMapInfo::~frmMapInfo() = default;

QString frmMapInfo::VersionText(int32_t version) {
    return QStringLiteral("map version : ") + Library::NumStr(version / 100.0);
}

QString frmMapInfo::InfoText(const clsMap& map) {
    QString text;
    for (const auto& fig : map) {
        if (fig->FigCode() != 1) continue;
        const QString& c = static_cast<const clsMapRem&>(*fig).Comment();
        if (c.startsWith(QLatin1Char('#'))) text += c.mid(2) + QStringLiteral("\r\n");
    }
    return text;
}

int32_t frmMapInfo::PathChars(double widthTwips, double points) {
    const int32_t w = Library::DblToLng(widthTwips);
    const int32_t p = Library::DblToLng(points);
    if (p <= 0) return 0;
    return (w / p) / 10;
}

int32_t frmMapInfo::twipsPerPixel() const { return Desktop::TwipsPerPixel(logicalDpiX()); }

void frmMapInfo::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Form_Activate();
}

void frmMapInfo::hideEvent(QHideEvent* e) {
    Form_Deactivate();
    mMap.reset();
    QDialog::hideEvent(e);
}

void frmMapInfo::Form_Activate() {
    try {
        const int32_t tpp = twipsPerPixel();
        QRect screen(0, 0, 1024, 768);
        if (const QScreen* s = QGuiApplication::primaryScreen()) screen = s->geometry();
        const int32_t left = Library::Clamp(mLeft, 0, std::max(0, (screen.width() - width()) * tpp));
        const int32_t top = Library::Clamp(mTop, 0, std::max(0, (screen.height() - height()) * tpp));
        move(left / tpp, top / tpp);
        if (!mMap) return;
        const double points = lblPass->font().pointSizeF() > 0 ? lblPass->font().pointSizeF() : 9;
        lblPass->setText(Library::ShortenPath(mMap->FileName(), PathChars(double(lblPass->width()) * tpp, points)));
        lblVersion->setText(VersionText(mMap->Version()));
        QString text = InfoText(*mMap);
        txtInfo->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, QStringLiteral("frmMapInfo"), QStringLiteral("Form_Activate"));
    }
}

void frmMapInfo::Form_Deactivate() {
    const int32_t tpp = twipsPerPixel();
    mLeft = x() * tpp;
    mTop = y() * tpp;
}
