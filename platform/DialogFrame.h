#pragma once
// The common ground of every modal dialog: the opener fills the public
// variables, calls ShowModal, and reads mResult and the edited values back.
// One instance serves the whole run, so mLeft/mTop (twips) carry the
// window's place from one opening to the next.
//
// A dialog builds its controls (with the opener as parent, so that it is
// modal to the opener's windows only), registers its buttons with
// SetButtons and its validated entries with AddValidator, and overrides
// Form_Load, Form_Unload and cmdOK_Click (which ends in Unload(true)) as it
// needs. A dialog whose result is a number reads mResult as 1 or 0.
#include <QDialog>
#include <QPoint>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class KeyHold;
class QHBoxLayout;
class QLabel;
class QPushButton;

class DialogFrame : public QDialog {
public:
    explicit DialogFrame(QWidget* parent = nullptr);
    ~DialogFrame() override;

    // True when the dialog was closed by OK; set to false before every
    // Form_Load, so Cancel, Esc and the close box read as cancelled.
    bool mResult = false;
    // Left and top edge on the screen in twips; below 1 until first placed.
    int32_t mLeft = 0;
    int32_t mTop = 0;

    // Runs Form_Load, shows the dialog modally and returns mResult once it
    // has unloaded. Form_Unload runs on every way out.
    bool ShowModal();

    // The first opening in a run: the opener's top-left corner plus the
    // offsets. Does nothing once the dialog has a position (mLeft >= 1).
    void PlaceFirst(const QWidget* opener, int32_t dxTwips, int32_t dyTwips);
    // The same, at every call.
    void PlaceFrom(const QWidget* opener, int32_t dxTwips, int32_t dyTwips);

    // The buttons the frame acts on (any may be null). OK calls cmdOK_Click,
    // Cancel cmdCancel_Click, Help shows the help topic.
    void SetButtons(QPushButton* ok, QPushButton* cancel = nullptr, QPushButton* help = nullptr);
    // Makes the usual OK, Cancel and Help buttons (with their usual tips
    // when `tips`) and registers them with SetButtons.
    void MakeStandardButtons(QPushButton*& ok, QPushButton*& cancel, QPushButton*& help, bool tips = false);
    // The registered buttons in a row at the right.
    QHBoxLayout* StandardButtonRow() const;
    // A label whose mnemonic moves the focus to `buddy`, made beside it.
    static QLabel* BuddyLabel(const QString& caption, QWidget* buddy, const QString& tip = {});
    // Whether Enter anywhere presses OK. Otherwise Enter validates the
    // focused entry and, when it is valid, moves the focus to OK, where a
    // second Enter presses it.
    void SetDefaultOk(bool on);
    bool DefaultOk() const { return defaultOk_; }
    // Whether the frame sees Enter before the controls (on by default).
    // Dialogs whose controls keep Enter for themselves turn it off: Enter
    // then reaches the focused control, and only a focused button is
    // pressed by it.
    void SetKeyPreview(bool on) { keyPreview_ = on; }
    // Enter in `control` is the control's own (a pop-up list chooses its
    // item with it): the frame leaves it alone, whatever the settings above.
    static void KeepEnter(QWidget* control);
    // The entry's check, run on Enter and when the focus leaves it for
    // another control of the dialog. It shows its own message and returns
    // false when the value is not acceptable; the entry keeps the focus.
    void AddValidator(QWidget* entry, std::function<bool()> validate);
    // Runs the validation of `entry` (true when it has none).
    bool ValidateEntry(QWidget* entry);

    void SetHelpContext(int32_t id) { helpContext_ = id; }
    int32_t HelpContextId() const { return helpContext_; }
    // Installed by the application: shows the help topic of a context id.
    static void SetHelpHandler(std::function<void(int32_t)> handler);
    static void ShowHelp(int32_t contextId);

    // Keeps the keys typed while the dialog is busy, or behind a key that
    // opens a window, for the window they were typed for.
    KeyHold& Keys() const { return *keys_; }

    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* HelpButton() const { return help_; }

    // The window's place: `pos` limited to 0 .. screen - dialog in each
    // direction, the upper bound winning when the dialog is the larger.
    static QPoint ClampedPosition(QPoint posTwips, QSize dialogTwips, QSize screenTwips);

    void reject() override;
    void done(int r) override;

protected:
    // Copies the inputs into the controls; runs before every showing.
    virtual void Form_Load() {}
    // Releases what the dialog holds; runs after the position is stored.
    virtual void Form_Unload() {}
    // Writes the values back; the default closes with mResult true.
    virtual void cmdOK_Click() { Unload(true); }
    // The default closes with mResult false.
    virtual void cmdCancel_Click() { Unload(false); }
    // Closes the dialog with mResult set to `ok`.
    void Unload(bool ok);

    // Places the window from mLeft/mTop within the screen; a dialog larger
    // than the screen's available area is made no larger than it (its
    // contents scroll) and keeps its top-left corner on it.
    void Form_Activate();
    // Stores the window's current place into mLeft/mTop.
    void Form_Deactivate();
    int32_t TwipsPerPixel() const;

    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    struct Validator {
        QWidget* entry;
        std::function<bool()> check;
    };
    bool PreviewKey(QObject* watched, QEvent* e);
    void OnFocusChanged(QWidget* old, QWidget* now);
    bool OnEnter(QWidget* focus);
    const Validator* FindValidator(const QWidget* w) const;

    QObject* keyHook_ = nullptr;
    KeyHold* keys_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* help_ = nullptr;
    bool defaultOk_ = false;
    bool keyPreview_ = true;
    int32_t helpContext_ = 0;
    std::vector<Validator> validators_;
    bool validating_ = false;
    bool unloading_ = false;
    bool placed_ = false;
    bool largerThanScreen_ = false;
    bool inCancel_ = false;
    bool inLoad_ = false;
    bool closedInLoad_ = false;
    QMetaObject::Connection focusConn_;
};
