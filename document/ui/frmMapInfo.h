#pragma once
// What a map file says about itself: its path, its version and its header
// remarks. The caller sets mMap and shows the window modally.
#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class clsMap;

class frmMapInfo : public QDialog {
public:
    explicit frmMapInfo(QWidget* parent = nullptr);
    ~frmMapInfo() override;

    std::shared_ptr<clsMap> mMap;
    // Window position in twips, kept for the rest of the run.
    static int32_t mLeft;
    static int32_t mTop;

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
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void Form_Activate();
    void Form_Deactivate();
    int32_t twipsPerPixel() const;
};
