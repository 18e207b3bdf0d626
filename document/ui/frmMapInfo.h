#pragma once
// What a map file says about itself: its path, its version and its header
// remarks. The caller sets mMap and shows the window modally; one instance
// serves the whole run.
#include "platform/DialogFrame.h"
#include <QString>
#include <cstdint>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class clsMap;

class frmMapInfo : public DialogFrame {
public:
    explicit frmMapInfo(QWidget* parent = nullptr);
    ~frmMapInfo() override;

    std::shared_ptr<clsMap> mMap;

    // "map version : " and the version as a decimal number (106 -> 1.06).
    static QString VersionText(int32_t version);
    // Every remark of the map that begins with "#", from its third
    // character on, each followed by CR LF.
    static QString InfoText(const clsMap& map);
    // Characters of a path that fit a label of `widthTwips` in a font of
    // `points`.
    static int32_t PathChars(double widthTwips, double points);

    QLabel* lblPass;
    QLabel* lblVersion;
    QPlainTextEdit* txtInfo;
    QPushButton* cmdOK;
    QPushButton* cmdHelp;

protected:
    void Form_Load() override;
    void Form_Unload() override;
};
