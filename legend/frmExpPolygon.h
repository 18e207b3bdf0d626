#pragma once
// "多辺形事象図式": how a polygon thing is filled on its page: the pattern,
// its foreground colour and its background colour (or none).
#include "legend/ForeBackEditor.h"

class QLabel;

class frmExpPolygon : public ForeBackEditor {
public:
    explicit frmExpPolygon(QWidget* parent = nullptr);

    int16_t mStyle = 8;

    // The fill pattern of the grid cell under (x, y), -1 for none.
    int32_t PointToPattern(int32_t x, int32_t y) const;
    // The tooltip of a fill pattern.
    static QString PatternName(int32_t style);

    QLabel* lblPattern = nullptr;
    StylePicture* picPatterns = nullptr;

    void picPatterns_MouseMove(int32_t x, int32_t y);
    void picPatterns_MouseUp(int32_t button, int32_t x, int32_t y);

protected:
    void Form_Load() override;
    void LoadStyle(const clsThing& thing) override;
    void StoreStyle(clsThing& thing) const override;

private:
    void picPatterns_Paint(QImage& image);
    void picSample_Paint(QImage& image);
};
