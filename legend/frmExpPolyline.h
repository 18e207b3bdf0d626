#pragma once
// "連続線事象図式": how a polyline thing is drawn on its page: the line style
// (a standard pen or a line pattern), the width, the line colour and its
// background colour (or none).
#include "legend/StyleEditor.h"

class QCheckBox;
class QComboBox;
class QLabel;

class frmExpPolyline : public StyleEditor {
public:
    explicit frmExpPolyline(QWidget* parent = nullptr);

    int32_t mFore = 0;
    int32_t mBack = -1; // -1: no background
    int32_t mWidth = 1;
    int16_t mStyle = 0;

    int32_t PointToStyle(int32_t x, int32_t y) const;
    static QString StyleName(int32_t style);

    QLabel* lblStyle = nullptr;
    StylePicture* picStyles = nullptr;
    QLabel* lblWidth = nullptr;
    QComboBox* choWidth = nullptr;
    QPushButton* cmdFore = nullptr;
    QPushButton* cmdBack = nullptr;
    QCheckBox* chkBack = nullptr;

    void picStyles_MouseMove(int32_t x, int32_t y);
    void picStyles_MouseUp(int32_t button, int32_t x, int32_t y);
    void choWidth_Click();
    void cmdFore_Click();
    void cmdBack_Click();
    void chkBack_Click();

protected:
    void Form_Load() override;
    void cmdOK_Click() override;

private:
    void picStyles_Paint(QImage& image);
    void picSample_Paint(QImage& image);
    // The width belongs to the standard pens only.
    void EnableWidth();
};
