#pragma once
// The about box: title, version, legal notice and the author's mail and web
// links. At start-up the same window is the splash, without its OK button
// and before the environment exists (the links keep their design texts).
#include "platform/DialogFrame.h"

class QLabel;
class QPushButton;

class frmAbout : public DialogFrame {
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // The one instance of the run, owned by `owner` from the first call on.
    static frmAbout& Instance(QWidget* owner);
    // The application title & "  version " & the version text.
    static QString TitleText();
    static QString LegalNotice();

    // Shows the window centred on the screen without blocking and without
    // its OK button.
    void ShowAsSplash();

    QLabel* lblHead;
    QLabel* lblTitle;
    QLabel* lblPlathome;
    QLabel* lblCopyright;
    QLabel* lblMail;
    QLabel* lblURL;
    QLabel* imgMap;
    QPushButton* cmdOK;

protected:
    void Form_Load() override;

private:
    void lblMail_Click();
    void lblURL_Click();
};
