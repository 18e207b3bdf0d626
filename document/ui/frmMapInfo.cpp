#include "document/ui/frmMapInfo.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "document/clsMap.h"
#include "document/clsMapRem.h"
#include "platform/Desktop.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmMapInfo::frmMapInfo(QWidget* parent) : DialogFrame(parent) {
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

    SetButtons(cmdOK, nullptr, cmdHelp);
    SetDefaultOk(true);
    SetHelpContext(230011);
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

void frmMapInfo::Form_Load() {
    try {
        if (!mMap) return;
        // The path is shortened to the label's width: lay out first.
        if (layout()) layout()->activate();
        const double points = lblPass->font().pointSizeF() > 0 ? lblPass->font().pointSizeF() : 9;
        const double width = double(lblPass->width()) * Desktop::TwipsPerPixel(logicalDpiX());
        lblPass->setText(Library::ShortenPath(mMap->FileName(), PathChars(width, points)));
        lblVersion->setText(VersionText(mMap->Version()));
        QString text = InfoText(*mMap);
        txtInfo->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, QStringLiteral("frmMapInfo"), QStringLiteral("Form_Load"));
    }
}

void frmMapInfo::Form_Unload() { mMap.reset(); }
