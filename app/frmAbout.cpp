#include "app/frmAbout.h"

#include "core/Library.h"
#include "core/PublicVal.h"
#include "platform/Desktop.h"
#include "platform/EventHook.h"
#include "platform/UiServices.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// A small globe with its graticule, the picture of the box.
QPixmap Globe(int size) {
    // In device pixels, drawn in logical ones: sharp at any pixel ratio.
    const double ratio = Desktop::DevicePixelRatio();
    QPixmap pm(int(std::ceil(size * ratio)), int(std::ceil(size * ratio)));
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(2, 2, size - 4, size - 4);
    p.setBrush(QColor(120, 170, 230));
    p.setPen(QPen(QColor(30, 60, 120), 1.5));
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 180), 1));
    for (int k = 1; k < 4; ++k) {
        const double w = r.width() * k / 4.0;
        p.drawEllipse(QRectF(r.center().x() - w / 2, r.top(), w, r.height()));
        const double y = r.top() + r.height() * k / 4.0;
        const double half = std::sqrt(std::max(0.0, r.height() * r.height() / 4 - (y - r.center().y()) * (y - r.center().y())));
        p.drawLine(QPointF(r.center().x() - half, y), QPointF(r.center().x() + half, y));
    }
    QPainterPath land;
    land.moveTo(r.left() + r.width() * 0.30, r.top() + r.height() * 0.25);
    land.cubicTo(r.left() + r.width() * 0.55, r.top() + r.height() * 0.15, r.left() + r.width() * 0.60,
                 r.top() + r.height() * 0.55, r.left() + r.width() * 0.40, r.top() + r.height() * 0.70);
    land.cubicTo(r.left() + r.width() * 0.25, r.top() + r.height() * 0.55, r.left() + r.width() * 0.20,
                 r.top() + r.height() * 0.35, r.left() + r.width() * 0.30, r.top() + r.height() * 0.25);
    p.fillPath(land, QColor(90, 160, 80));
    return pm;
}

QLabel* Link(const QString& text, const QString& tip) {
    auto* l = new QLabel(text);
    l->setToolTip(tip);
    l->setCursor(Qt::PointingHandCursor);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 192));
    l->setPalette(pal);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    return l;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : DialogFrame(parent) {
    setWindowTitle(QStringLiteral("バージョン情報"));
    lblHead = new QLabel(QStringLiteral("VOSPERAL Map System"));
    QFont head = lblHead->font();
    head.setBold(true);
    head.setPointSizeF(head.pointSizeF() * 1.3);
    lblHead->setFont(head);
    lblTitle = new QLabel(TitleText());
    lblPlathome = new QLabel(QStringLiteral("for Linux"));
    lblCopyright = new QLabel(LegalNotice());
    lblCopyright->setToolTip(QStringLiteral("著作権"));
    lblMail = Link(QStringLiteral("作者へのメール"), QStringLiteral("メールソフトを起動して作者へメールを書く"));
    lblURL = Link(QStringLiteral("作者のWEBサイト"), QStringLiteral("ブラウザを起動して作者サイトへ"));
    imgMap = new QLabel;
    imgMap->setPixmap(Globe(72));
    cmdOK = new QPushButton(QStringLiteral("ＯＫ"));
    cmdOK->setToolTip(QStringLiteral("ダイアログを閉じる"));

    auto* text = new QVBoxLayout;
    for (QLabel* l : {lblHead, lblTitle, lblPlathome, lblCopyright, lblMail, lblURL}) text->addWidget(l);
    auto* top = new QHBoxLayout;
    top->addWidget(imgMap, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addLayout(buttons);
    lay->setSizeConstraint(QLayout::SetFixedSize);

    SetButtons(cmdOK);
    SetDefaultOk(true);
    // Labels have no click of their own.
    auto clicks = [this](QLabel* label, void (frmAbout::*act)()) {
        label->installEventFilter(new EventHook(
            [this, act](QObject*, QEvent* e) {
                if (e->type() != QEvent::MouseButtonRelease) return false;
                (this->*act)();
                return true;
            },
            this));
    };
    clicks(lblMail, &frmAbout::lblMail_Click);
    clicks(lblURL, &frmAbout::lblURL_Click);
}

frmAbout& frmAbout::Instance(QWidget* owner) {
    static QPointer<frmAbout> instance;
    if (!instance) instance = new frmAbout(owner);
    return *instance;
}

QString frmAbout::TitleText() {
    return UiServices::AppTitle() + QStringLiteral("  version ") + Library::GetAppVersion();
}

QString frmAbout::LegalNotice() { return QStringLiteral("Copyright (C) Vosperal"); }

void frmAbout::Form_Load() {
    lblTitle->setText(TitleText());
    lblCopyright->setText(LegalNotice());
    cmdOK->setVisible(true);
    lblMail->setVisible(true);
    lblURL->setVisible(true);
    if (PublicVal::gvEnvironment) {
        // A link without an address is left out rather than shown blank.
        lblMail->setText(PublicVal::AuthorEmail());
        lblURL->setText(PublicVal::AuthorURLhome());
        lblMail->setVisible(!lblMail->text().isEmpty());
        lblURL->setVisible(!lblURL->text().isEmpty());
    }
}

void frmAbout::ShowAsSplash() {
    Form_Load();
    cmdOK->hide();
    adjustSize();
    QSize screen(1024, 768);
    if (const QScreen* s = QGuiApplication::primaryScreen()) screen = s->geometry().size();
    const int32_t tpp = TwipsPerPixel();
    mLeft = (screen.width() - width()) * tpp / 2;
    mTop = (screen.height() - height()) * tpp / 2;
    show();
}

void frmAbout::lblMail_Click() {
    if (!PublicVal::gvEnvironment || PublicVal::AuthorEmail().isEmpty()) return;
    if (!Ui().OpenUrl(QStringLiteral("mailto:") + PublicVal::AuthorEmail()))
        Ui().MsgBox(QStringLiteral("メールソフトを起動できませんでした."), Mb::OkOnly | Mb::Critical, {});
}

void frmAbout::lblURL_Click() {
    if (!PublicVal::gvEnvironment || PublicVal::AuthorURLhome().isEmpty()) return;
    if (!Ui().OpenUrl(PublicVal::AuthorURLhome()))
        Ui().MsgBox(QStringLiteral("WEBブラウザを起動できませんでした."), Mb::OkOnly | Mb::Critical, {});
}
