#include "app/frmPalette.h"

#include "app/PaletteModel.h"
#include "core/AppHost.h"
#include "app/PublicSetup.h"
#include "platform/Desktop.h"
#include "platform/EventHook.h"
#include "platform/SystemColors.h"
#include "render/clsNativeColor.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>

namespace {

constexpr int32_t c = frmPalette::kCell;


const QColor kCursor(255, 64, 0);
const QColor kHiddenMark(128, 64, 64);

// The grid's key codes from Qt's keys; -1 for keys the grid does not know.
int32_t KeyCode(const QKeyEvent* k) {
    const int key = k->key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_F2: return 113;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    default: break;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (k->modifiers() & Qt::KeypadModifier) ? 96 + (key - Qt::Key_0) : 48 + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 65 + (key - Qt::Key_A);
    return -1;
}

} // namespace

frmPalette::frmPalette(QWidget* parent) : DialogFrame(parent) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    picPal = new QWidget(this);
    picPal->setMouseTracking(true);
    picPal->setFocusPolicy(Qt::StrongFocus);
    picPal->setAutoFillBackground(true);
    lblWild = new QLabel(QStringLiteral("事象依存"), picPal);
    lblWild->adjustSize();
    gridHook_ = new EventHook([this](QObject*, QEvent* e) { return OnGrid(e); }, this);
    picPal->installEventFilter(gridHook_);
}

// The grid's events stop reaching this window before its parts go.
frmPalette::~frmPalette() { delete gridHook_; }

QPoint frmPalette::ToTwips(QPoint px) const { return px * TwipsPerPixel(); }

void frmPalette::Form_Load() {
    if (!mPalette) {
        Unload(false);
        return;
    }
    model_ = std::make_unique<PaletteModel>(*mPalette, mWildEi);
    const int32_t tpp = TwipsPerPixel();
    setFixedSize((c + 13 * c + 60) / tpp, (11 * c + c + 60) / tpp);
    picPal->setGeometry(c / tpp, 0, (13 * c + 45) / tpp, (11 * c + 45) / tpp);
    const QSize label = lblWild->sizeHint();
    lblWild->move((13 * c - label.width() * tpp) / 2 / tpp, (c - label.height() * tpp) / 2 / tpp);
    lblWild->setVisible(mWildEi);
    SetHelpContext(mWildEi ? 290009 : 290012);
    model_->Open(mColor);
    tip_.clear();
    picPal->setToolTip({});
    picPal->setFocus();
}

void frmPalette::Form_Unload() {
    mPalette = nullptr;
    model_.reset();
}

void frmPalette::Edit() {
    const int32_t slot = model_->PrepareEdit();
    picPal->update();
    update();
    if (slot == -2) return;
    const int32_t chosen = Host().InputColor(model_->Palette().Color(slot));
    if (chosen != -1 && model_) {
        model_->Palette().SetColor(slot, chosen);
        picPal->update();
    }
}

bool frmPalette::OnGrid(QEvent* e) {
    if (e->type() == QEvent::Paint) {
        PaintGrid();
        return true;
    }
    if (!model_) return false;
    switch (e->type()) {
    case QEvent::MouseMove: {
        const QPoint at = ToTwips(static_cast<QMouseEvent*>(e)->position().toPoint());
        const QString text = model_->TipText(model_->IndexAt(at.x(), at.y(), c));
        if (text != tip_) {
            tip_ = text;
            picPal->setToolTip(text);
        }
        return true;
    }
    case QEvent::MouseButtonPress: {
        const auto* m = static_cast<QMouseEvent*>(e);
        const QPoint at = ToTwips(m->position().toPoint());
        const int32_t i = model_->IndexAt(at.x(), at.y(), c);
        if (m->button() == Qt::LeftButton && i != -2) {
            model_->SetCurrent(i);
            mColor = model_->Palette().Color(i);
            mResult = true;
            picPal->update();
            update();
        } else if (m->button() == Qt::RightButton && (model_->Palette().Attr(i) == 2 || model_->Palette().Attr(i) == 3)) {
            model_->SetCurrent(i);
            Edit();
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        // The click after the press closes the picker, chosen or not.
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) Unload(mResult);
        return true;
    case QEvent::KeyPress: {
        const int32_t code = KeyCode(static_cast<QKeyEvent*>(e));
        if (code < 0) return false;
        switch (model_->Key(code)) {
        case PaletteModel::Action::Choose:
            mColor = model_->Palette().Color(model_->Current());
            Unload(true);
            break;
        case PaletteModel::Action::Cancel: Unload(mResult); break;
        case PaletteModel::Action::Edit: Edit(); break;
        case PaletteModel::Action::Moved:
            picPal->update();
            update();
            break;
        case PaletteModel::Action::None: return false;
        }
        return true;
    }
    default: return false;
    }
}

void frmPalette::PaintGrid() {
    QPainter p(picPal);
    const double tpp = TwipsPerPixel();
    p.scale(1.0 / tpp, 1.0 / tpp);
    const QColor back = picPal->palette().color(QPalette::Window);
    p.fillRect(QRect(0, 0, (13 * c + 45), (11 * c + 45)), back);
    if (!model_) return;
    const int32_t cur = model_->Current();
    QPen pen(back);
    pen.setCosmetic(true);
    if (model_->Wild()) {
        pen.setColor(cur == -1 ? kCursor : back);
        p.setPen(pen);
        p.drawRect(QRect(0, 0, 13 * c + 30, c));
    }
    for (int32_t i = std::max(0, model_->First()); i <= model_->Last(); ++i) {
        const int32_t x = PaletteModel::Column(i) * c;
        const int32_t y = (PaletteModel::Row(i) + 1) * c;
        p.fillRect(QRect(x + 30, y + 30, c - 45, c - 45), SystemColors::ToQColor(model_->Palette().Color(i)));
    }
    if (cur >= 0) {
        const int32_t x = PaletteModel::Column(cur) * c;
        const int32_t y = (PaletteModel::Row(cur) + 1) * c;
        pen.setColor(kCursor);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(x, y, c + 15, c + 15));
        p.drawRect(QRect(x + 15, y + 15, c - 15, c - 15));
    }
}

void frmPalette::paintEvent(QPaintEvent* e) {
    DialogFrame::paintEvent(e);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!model_) return;
    // Places in twips, drawn in pixels so that the letters keep their size.
    const int32_t tpp = TwipsPerPixel();
    QFont f = font();
    f.setPointSize(8);
    p.setFont(f);
    const int32_t cur = model_->Current();
    const int32_t gridLeft = picPal->x() * tpp;
    const int32_t gridTop = picPal->y() * tpp;
    const int32_t bottom = height() * tpp - 255;
    auto mark = [&](int32_t xTw, int32_t yTw, QChar ch, bool lit) {
        p.setPen(lit ? kCursor : kHiddenMark);
        p.drawText(QRect(xTw / tpp, yTw / tpp, c / tpp, c / tpp), Qt::AlignLeft | Qt::AlignTop, QString(ch));
    };
    for (int32_t col = 0; col < 13; ++col)
        mark(gridLeft + col * c + 75, bottom, QChar(65 + col), cur >= 0 && PaletteModel::Column(cur) == col);
    for (int32_t row = 0; row < 10; ++row)
        mark(90, gridTop + (row + 1) * c + 45, QChar(48 + row), cur >= 0 && PaletteModel::Row(cur) == row);
}

void frmPalette::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) Unload(mResult);
    else DialogFrame::mouseReleaseEvent(e);
}

int32_t frmPalette::Pick(QWidget* owner, int32_t color, bool wild) {
    static QPointer<frmPalette> instance;
    // Owned by the dialog that asks, so the focus goes back there.
    QWidget* asker = QApplication::activeModalWidget();
    if (!asker || asker == instance) asker = owner;
    if (!instance) instance = new frmPalette(asker);
    else if (instance->parentWidget() != asker) instance->setParent(asker, instance->windowFlags());
    const QPoint at = QCursor::pos();
    instance->mPalette = PublicVal::gvNativeColor;
    instance->mColor = color;
    instance->mWildEi = wild;
    instance->mLeft = at.x() * Desktop::TwipsPerPixelX();
    instance->mTop = at.y() * Desktop::TwipsPerPixelY();
    instance->ShowModal();
    instance->mPalette = nullptr;
    return instance->mResult ? instance->mColor : -2;
}

int32_t frmPalette::InputRealColor(QWidget* owner, int32_t color) { return Pick(owner, color, false); }

int32_t frmPalette::InputNativeColor(QWidget* owner, int32_t color) { return Pick(owner, color, true); }
