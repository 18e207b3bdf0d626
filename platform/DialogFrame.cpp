#include "platform/DialogFrame.h"

#include "platform/Desktop.h"
#include "platform/EventHook.h"
#include "platform/KeyHold.h"
#include "platform/WidgetLib.h"
#include "platform/WindowFit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <utility>

namespace {

std::function<void(int32_t)>& HelpHandler() {
    static std::function<void(int32_t)> handler;
    return handler;
}

// A 64-bit twip value brought back into 32 bits.
int32_t Sat(int64_t v) {
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v < hi ? v : hi); }

bool IsEnter(const QKeyEvent* k) { return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter; }

const char* const kKeepEnter = "vospKeepEnter";

// Multi-line editors keep Enter for their line breaks.
bool KeepsEnter(const QWidget* w) {
    if (w->property(kKeepEnter).toBool()) return true;
    if (const auto* p = qobject_cast<const QPlainTextEdit*>(w)) return !p->isReadOnly();
    if (const auto* t = qobject_cast<const QTextEdit*>(w)) return !t->isReadOnly();
    return false;
}

} // namespace

DialogFrame::DialogFrame(QWidget* parent) : QDialog(parent) {
    keyHook_ = new EventHook([this](QObject* o, QEvent* e) { return PreviewKey(o, e); }, this);
    keys_ = new KeyHold(this);
}

DialogFrame::~DialogFrame() {
    disconnect(focusConn_);
    if (qApp) qApp->removeEventFilter(keyHook_);
    delete keyHook_;
}

bool DialogFrame::ShowModal() {
    mResult = false;
    placed_ = false;
    unloading_ = false;
    closedInLoad_ = false;
    inLoad_ = true;
    Form_Load();
    inLoad_ = false;
    if (closedInLoad_) return mResult;
    // Modal to the opener's windows only, so that a help window of its own
    // stays usable while the dialog is open.
    setWindowModality(parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
    exec();
    return mResult;
}

void DialogFrame::PlaceFirst(const QWidget* opener, int32_t dxTwips, int32_t dyTwips) {
    if (mLeft < 1) PlaceFrom(opener, dxTwips, dyTwips);
}

void DialogFrame::PlaceFrom(const QWidget* opener, int32_t dxTwips, int32_t dyTwips) {
    const int32_t tpx = Desktop::TwipsPerPixelX();
    const int32_t tpy = Desktop::TwipsPerPixelY();
    const QPoint at = opener ? opener->window()->pos() : QPoint();
    mLeft = Sat(int64_t(at.x()) * tpx + dxTwips);
    mTop = Sat(int64_t(at.y()) * tpy + dyTwips);
}

void DialogFrame::KeepEnter(QWidget* control) { control->setProperty(kKeepEnter, true); }

void DialogFrame::SetButtons(QPushButton* ok, QPushButton* cancel, QPushButton* help) {
    ok_ = ok;
    cancel_ = cancel;
    help_ = help;
    if (ok_) connect(ok_, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    if (cancel_) connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
    if (help_) connect(help_, &QPushButton::clicked, this, [this] { ShowHelp(helpContext_); });
}

void DialogFrame::MakeStandardButtons(QPushButton*& ok, QPushButton*& cancel, QPushButton*& help, bool tips) {
    ok = new QPushButton(QStringLiteral("ＯＫ"), this);
    cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    help = new QPushButton(QStringLiteral("ヘルプ(&H)"), this);
    if (tips) {
        ok->setToolTip(QStringLiteral("設定を確定して閉じる"));
        cancel->setToolTip(QStringLiteral("設定を取り消して閉じる"));
        help->setToolTip(QStringLiteral("このダイアログの解説"));
    }
    SetButtons(ok, cancel, help);
}

QHBoxLayout* DialogFrame::StandardButtonRow() const {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : {ok_, cancel_, help_})
        if (b) row->addWidget(b);
    return row;
}

QLabel* DialogFrame::BuddyLabel(const QString& caption, QWidget* buddy, const QString& tip) {
    auto* l = new QLabel(caption, buddy->parentWidget());
    l->setBuddy(buddy);
    if (!tip.isEmpty()) l->setToolTip(tip);
    return l;
}

void DialogFrame::SetDefaultOk(bool on) { defaultOk_ = on; }

void DialogFrame::AddValidator(QWidget* entry, std::function<bool()> validate) {
    if (entry) validators_.push_back({entry, std::move(validate)});
}

const DialogFrame::Validator* DialogFrame::FindValidator(const QWidget* w) const {
    // The focus may sit in a part of the entry (the line of a spin box).
    for (; w && w != this; w = w->parentWidget())
        for (const Validator& v : validators_)
            if (v.entry == w) return &v;
    return nullptr;
}

bool DialogFrame::ValidateEntry(QWidget* entry) {
    const Validator* v = FindValidator(entry);
    if (!v || !v->check) return true;
    const bool was = std::exchange(validating_, true);
    QWidget* target = v->entry;
    const bool ok = v->check();
    if (!ok && target->isVisible()) target->setFocus();
    validating_ = was;
    return ok;
}

void DialogFrame::SetHelpHandler(std::function<void(int32_t)> handler) { HelpHandler() = std::move(handler); }

void DialogFrame::ShowHelp(int32_t contextId) {
    if (HelpHandler()) HelpHandler()(contextId);
}

QPoint DialogFrame::ClampedPosition(QPoint posTwips, QSize dialogTwips, QSize screenTwips) {
    const int32_t left = Clamp(posTwips.x(), 0, screenTwips.width() - dialogTwips.width());
    const int32_t top = Clamp(posTwips.y(), 0, screenTwips.height() - dialogTwips.height());
    return {left, top};
}

void DialogFrame::reject() {
    if (inCancel_ || unloading_) {
        Unload(false);
        return;
    }
    inCancel_ = true;
    cmdCancel_Click();
    inCancel_ = false;
}

void DialogFrame::Unload(bool ok) {
    mResult = ok;
    done(ok ? Accepted : Rejected);
}

void DialogFrame::done(int r) {
    if (unloading_) return;
    unloading_ = true;
    if (inLoad_) closedInLoad_ = true;
    if (isVisible()) Form_Deactivate();
    Form_Unload();
    QDialog::done(r);
    unloading_ = false;
}

int32_t DialogFrame::TwipsPerPixel() const { return Desktop::TwipsPerPixel(logicalDpiX()); }

void DialogFrame::Form_Activate() {
    const int32_t tpp = TwipsPerPixel();
    QSize screen(1024, 768);
    if (const QScreen* s = QGuiApplication::primaryScreen()) screen = s->geometry().size();
    QSize frame = frameGeometry().size();
    if (frame.isEmpty()) frame = size();
    if (largerThanScreen_) {
        // Made as large as the screen allows: its top-left corner stays on it.
        const QMargins m = WindowFit::FrameMargins(this);
        const QPoint want(int(std::nearbyint(double(mLeft) / tpp)), int(std::nearbyint(double(mTop) / tpp)));
        move(WindowFit::PlaceOn(want, size().grownBy(m), WindowFit::AvailableArea(this)));
        placed_ = true;
        return;
    }
    const QPoint at = ClampedPosition({mLeft, mTop}, frame * tpp, screen * tpp);
    move(int(std::nearbyint(double(at.x()) / tpp)), int(std::nearbyint(double(at.y()) / tpp)));
    placed_ = true;
}

void DialogFrame::Form_Deactivate() {
    if (!placed_) return;
    const int32_t tpp = TwipsPerPixel();
    const QPoint at = pos();
    mLeft = Sat(int64_t(at.x()) * tpp);
    mTop = Sat(int64_t(at.y()) * tpp);
}

void DialogFrame::showEvent(QShowEvent* e) {
    // Enter is the frame's (below), never Qt's automatic default button.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    if (defaultOk_ && ok_) ok_->setDefault(true);
    QDialog::showEvent(e);
    if (!e->spontaneous()) {
        largerThanScreen_ = WindowFit::LimitToScreen(this);
        Form_Activate();
    }
    qApp->installEventFilter(keyHook_);
    if (!focusConn_)
        focusConn_ = connect(qApp, &QApplication::focusChanged, this,
                             [this](QWidget* old, QWidget* now) { OnFocusChanged(old, now); });
}

void DialogFrame::hideEvent(QHideEvent* e) {
    if (!e->spontaneous()) {
        Form_Deactivate();
        qApp->removeEventFilter(keyHook_);
        disconnect(focusConn_);
        focusConn_ = {};
    }
    QDialog::hideEvent(e);
}

bool DialogFrame::PreviewKey(QObject* watched, QEvent* e) {
    bool input = false;
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: input = true; break;
    default: break;
    }
    if (!input || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w != this && !isAncestorOf(w)) return false;
    // Closing, it may redraw the map and yield: a key or click meant for it
    // then (Enter, OK) would undo the Cancel that closes it.
    if (unloading_) return true;
    if (e->type() != QEvent::KeyPress) return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_F1 && helpContext_ != 0) {
        ShowHelp(helpContext_);
        return true;
    }
    if (!IsEnter(k) || KeepsEnter(w)) return false;
    QWidget* focus = QApplication::focusWidget();
    return OnEnter(focus && isAncestorOf(focus) ? focus : w);
}

bool DialogFrame::OnEnter(QWidget* focus) {
    if (validating_) return true;
    // A focused button is pressed by Enter, as on Windows.
    if (auto* b = qobject_cast<QPushButton*>(focus)) {
        if (b->isEnabled()) b->click();
        return true;
    }
    if (defaultOk_) {
        if (ok_ && ok_->isEnabled()) ok_->click();
        return true;
    }
    if (!keyPreview_ || !ok_) return false;
    if (!ValidateEntry(focus)) return true;
    if (ok_->isEnabled() && ok_->isVisible()) {
        const bool was = std::exchange(validating_, true);
        ok_->setFocus(Qt::TabFocusReason);
        validating_ = was;
    }
    return true;
}

void DialogFrame::OnFocusChanged(QWidget* old, QWidget* now) {
    if (validating_ || unloading_ || !old || !now || !isVisible()) return;
    if (!isAncestorOf(old) || !isAncestorOf(now)) return;
    // Leaving by Cancel or Help never stops at a bad value.
    if (now == cancel_ || now == help_) return;
    if (FindValidator(now) && FindValidator(now) == FindValidator(old)) return;
    // An entry entered by Tab or an access key has its text selected by Qt
    // before this check runs, and the check rewrites the texts, which drops
    // the selection: what is typed would then go after the old value.
    QLineEdit* line = WidgetLib::EntryLine(now);
    const bool whole = line && line->hasSelectedText() && line->selectedText() == line->text();
    if (ValidateEntry(old)) {
        if (whole && now->hasFocus() && line->selectedText() != line->text()) line->selectAll();
        return;
    }
    // A button clicked away from a bad entry must not go down once the
    // message has taken the mouse's release.
    if (auto* b = qobject_cast<QAbstractButton*>(now)) QTimer::singleShot(0, b, [b] { b->setDown(false); });
}
