#include "platform/QtUi.h"

#include "platform/DialogFrame.h"
#include "platform/EventHook.h"
#include "platform/FileSystem.h"
#include "platform/FontCatalog.h"
#include "platform/KeyHold.h"
#include "platform/SystemColors.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

// The buttons of each Windows set, in their order on the box.
QList<QMessageBox::StandardButton> ButtonList(int style) {
    switch (style & 7) {
    case Mb::OkCancel: return {QMessageBox::Ok, QMessageBox::Cancel};
    case Mb::AbortRetryIgnore: return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case Mb::YesNoCancel: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case Mb::YesNo: return {QMessageBox::Yes, QMessageBox::No};
    case Mb::RetryCancel: return {QMessageBox::Retry, QMessageBox::Cancel};
    default: return {QMessageBox::Ok};
    }
}

// A question without Cancel has no button for Esc or the window's close box
// (Qt would take No): either leaves it unanswered, which its caller takes
// as changing nothing.
class LeftUnanswered : public QObject {
public:
    explicit LeftUnanswered(QMessageBox& box) : box_(box) {}
    bool eventFilter(QObject*, QEvent* e) override {
        const bool esc = e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape;
        if (!esc && e->type() != QEvent::Close) return false;
        e->ignore();
        box_.done(0);
        return true;
    }

private:
    QMessageBox& box_;
};

// The style of the font's family that has its weight and slant, by the
// family's own style names; among equals the one Qt draws the font with
// ("Book", not "Condensed", for DejaVu Sans). "" when the family has none.
QString StyleOf(const QFont& font) {
    const QString family = font.family();
    const QString drawn = QFontInfo(font).styleName();
    QString best;
    int bestScore = INT_MAX;
    for (const QString& style : QFontDatabase::styles(family)) {
        const QFont f = QFontDatabase::font(family, style, 12);
        const int score = (f.italic() != font.italic() ? 2000 : 0) + std::abs(f.weight() - font.weight()) * 2 +
                          (style == drawn ? 0 : 1);
        if (score < bestScore) {
            bestScore = score;
            best = style;
        }
    }
    return best;
}

bool HaveWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

} // namespace

QString QtUi::DisplayText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Japanese text may break between any two letters, which splits a tag
    // such as "<欧州語用>" across lines: word joiners make it one word.
    static const QRegularExpression tag(QStringLiteral("<[^<>\\s]{1,40}>"));
    constexpr QChar kJoiner(0x2060);
    QString out;
    qsizetype done = 0;
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(done, m.capturedStart() - done);
        const QString word = m.captured();
        for (qsizetype i = 0; i < word.size(); ++i) {
            if (i > 0 && !word[i].isLowSurrogate()) out += kJoiner;
            out += word[i];
        }
        done = m.capturedEnd();
    }
    out += QStringView(text).mid(done);
    return out;
}

QMessageBox::StandardButtons QtUi::ButtonsFor(int style) {
    QMessageBox::StandardButtons b;
    for (QMessageBox::StandardButton s : ButtonList(style)) b |= s;
    return b;
}

QMessageBox::Icon QtUi::IconFor(int style) {
    switch (style & 0x70) {
    case Mb::Critical: return QMessageBox::Critical;
    case Mb::Question: return QMessageBox::Question;
    case Mb::Exclamation: return QMessageBox::Warning;
    case Mb::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButton QtUi::DefaultFor(int style) {
    const QList<QMessageBox::StandardButton> list = ButtonList(style);
    const int i = (style >> 8) & 3;
    return i < list.size() ? list[i] : list[0];
}

QMessageBox::StandardButton QtUi::EscapeFor(int style) {
    const QList<QMessageBox::StandardButton> list = ButtonList(style);
    if (list.contains(QMessageBox::Cancel)) return QMessageBox::Cancel;
    if (list.size() == 1) return list[0];
    return QMessageBox::NoButton;
}

int QtUi::AnswerFor(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Ok: return Mb::Ok;
    case QMessageBox::Cancel: return Mb::Cancel;
    case QMessageBox::Abort: return Mb::Abort;
    case QMessageBox::Retry: return Mb::Retry;
    case QMessageBox::Ignore: return Mb::Ignore;
    case QMessageBox::Yes: return Mb::Yes;
    case QMessageBox::No: return Mb::No;
    default: return Mb::Cancel;
    }
}

int QtUi::MsgBox(const QString& text, int style, const QString& title) {
    if (!HaveWidgets()) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        return AnswerFor(DefaultFor(style));
    }
    QMessageBox box(IconFor(style), title.isEmpty() ? AppTitle() : title, DisplayText(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    new KeyHold(&box);
    for (QMessageBox::StandardButton b : ButtonList(style)) box.addButton(b);
    box.setDefaultButton(DefaultFor(style));
    const QMessageBox::StandardButton esc = EscapeFor(style);
    LeftUnanswered unanswered(box);
    if (esc != QMessageBox::NoButton) box.setEscapeButton(esc);
    else box.installEventFilter(&unanswered);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    const QMessageBox::StandardButton pressed = clicked ? box.standardButton(clicked) : QMessageBox::NoButton;
    return AnswerFor(pressed != QMessageBox::NoButton ? pressed : esc);
}

QString QtUi::InputBox(const QString& prompt, const QString& title, const QString& defaultText,
                       int32_t helpContext) {
    if (!HaveWidgets()) return defaultText;
    QInputDialog dlg(QApplication::activeWindow());
    dlg.setWindowTitle(title.isEmpty() ? AppTitle() : title);
    dlg.setLabelText(DisplayText(prompt));
    dlg.setTextValue(defaultText);
    new KeyHold(&dlg);
    // F1 opens the box's help topic.
    EventHook help([helpContext](QObject*, QEvent* e) {
        if (helpContext <= 0 || e->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(e)->key() != Qt::Key_F1)
            return false;
        DialogFrame::ShowHelp(helpContext);
        return true;
    });
    dlg.installEventFilter(&help);
    for (QObject* child : dlg.findChildren<QWidget*>()) child->installEventFilter(&help);
    return dlg.exec() == QDialog::Accepted ? dlg.textValue() : QString();
}

Qt::CursorShape QtUi::CursorFor(int16_t pointer) {
    switch (pointer) {
    case MousePtr::Cross: return Qt::CrossCursor;
    case MousePtr::IBeam: return Qt::IBeamCursor;
    case MousePtr::SizeAll:
    case MousePtr::SizeAll2: return Qt::SizeAllCursor;
    case MousePtr::SizeNESW: return Qt::SizeBDiagCursor;
    case MousePtr::SizeNS: return Qt::SizeVerCursor;
    case MousePtr::SizeNWSE: return Qt::SizeFDiagCursor;
    case MousePtr::SizeWE: return Qt::SizeHorCursor;
    case MousePtr::UpArrow: return Qt::UpArrowCursor;
    case MousePtr::Hourglass: return Qt::WaitCursor;
    case MousePtr::NoDrop: return Qt::ForbiddenCursor;
    case MousePtr::ArrowHourglass: return Qt::BusyCursor;
    case MousePtr::ArrowQuestion: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
    }
}

void QtUi::SetMousePointer(int16_t pointer) {
    pointer_ = pointer;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    if (pointer == MousePtr::Default) {
        while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    } else if (QGuiApplication::overrideCursor()) {
        QGuiApplication::changeOverrideCursor(QCursor(CursorFor(pointer)));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(CursorFor(pointer)));
    }
}

bool QtUi::OpenUrl(const QString& target) {
    if (target.isEmpty()) return false;
    const QUrl given(target);
    // A scheme of one letter is a Windows drive, not a URL.
    const bool isUrl = given.isValid() && given.scheme().size() > 1;
    const QUrl url = isUrl ? given : QUrl::fromLocalFile(FileSystem::ResolvePath(target));
    if (!isUrl && !FileSystem::Exists(target)) return false;
    return QDesktopServices::openUrl(url);
}

int32_t QtUi::PickColor(int32_t initial) {
    if (!HaveWidgets()) return -1;
    const QColor start = SystemColors::ToQColor(initial);
    QColorDialog dlg(start, QApplication::activeModalWidget());
    new KeyHold(&dlg);
    if (dlg.exec() != QDialog::Accepted) return -1;
    const QColor c = dlg.selectedColor();
    return int32_t(c.red()) | (int32_t(c.green()) << 8) | (int32_t(c.blue()) << 16);
}

bool QtUi::PickFont(FontChoice& font) {
    if (!HaveWidgets()) return false;
    // The dialog knows installed faces only; a stored Windows face opens on
    // the face it is drawn with.
    const QString face = FontCatalog::Resolve(font.name, FontCatalog::InstalledNames());
    QFont start(face.isEmpty() ? font.name : face);
    start.setPointSizeF(font.size > 0 ? double(font.size) : 9.0);
    start.setBold(font.bold);
    start.setItalic(font.italic);
    // The dialog finds a style by its name only, and the name it makes up
    // ("Normal", translated) is no style of most faces.
    start.setStyleName(StyleOf(start));
    QFontDialog dlg(start, QApplication::activeModalWidget());
    new KeyHold(&dlg);
    const QFont opened = dlg.currentFont();
    if (dlg.exec() != QDialog::Accepted) return false;
    // What the user left as it opened comes back as stored: the dialog shows
    // a stand-in face, whole sizes and only the styles the face has.
    const QFont chosen = dlg.selectedFont();
    const bool sameFace = chosen.family() == opened.family();
    if (!sameFace) font.name = FontCatalog::StripFoundry(chosen.family());
    if (!sameFace || chosen.styleName() != opened.styleName() || chosen.bold() != opened.bold() ||
        chosen.italic() != opened.italic()) {
        font.bold = chosen.bold();
        font.italic = chosen.italic();
    }
    if (chosen.pointSizeF() != opened.pointSizeF()) font.size = float(chosen.pointSizeF());
    return true;
}

void QtUi::ExitProcess(int code) {
    // The settings store writes after every change, so nothing is pending here.
    std::fflush(nullptr);
    std::_Exit(code);
}
