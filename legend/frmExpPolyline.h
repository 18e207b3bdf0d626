#pragma once
// "連続線事象図式": how a polyline thing is drawn on its page: the line style
// (a standard pen or a line pattern), the width, the line colour and its
// background colour (or none).
#include "legend/ForeBackEditor.h"

class QComboBox;
class QLabel;

class frmExpPolyline : public ForeBackEditor {
public:
    explicit frmExpPolyline(QWidget* parent = nullptr);

    int32_t mWidth = 1;
    int16_t mStyle = 0;

    int32_t PointToStyle(int32_t x, int32_t y) const;
    static QString StyleName(int32_t style);

    QLabel* lblStyle = nullptr;
    StylePicture* picStyles = nullptr;
    QLabel* lblWidth = nullptr;
    QComboBox* choWidth = nullptr;

    void picStyles_MouseMove(int32_t x, int32_t y);
    void picStyles_MouseUp(int32_t button, int32_t x, int32_t y);
    void choWidth_Click();

protected:
    void Form_Load() override;
    void LoadStyle(const clsThing& thing) override;
    void StoreStyle(clsThing& thing) const override;

private:
    void picStyles_Paint(QImage& image);
    void picSample_Paint(QImage& image);
    // The width belongs to the standard pens only.
    void EnableWidth();
};
