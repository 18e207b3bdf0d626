#pragma once
// "点記号事象図式": how a symbol thing is drawn on its page: which of the 48
// point symbols, its colour and its edge colour (or no edge).
#include "legend/InsideEdgeEditor.h"

#include <QImage>

class QLabel;

class frmExpSymbol : public InsideEdgeEditor {
public:
    explicit frmExpSymbol(QWidget* parent = nullptr);

    int16_t mSymbol = 0;

    // The cell number under (x, y), which is the symbol number; -1 outside
    // the cells on the left, top and right.
    int32_t PointToSymbol(int32_t x, int32_t y) const;

    QLabel* lblSymbols = nullptr;
    StylePicture* picSymbols = nullptr;

    void picSymbols_MouseMove(int32_t x, int32_t y);
    void picSymbols_MouseUp(int32_t button, int32_t x, int32_t y);

protected:
    void Form_Load() override;
    void LoadStyle(const clsThing& thing) override;
    void StoreStyle(clsThing& thing) const override;

private:
    void picSymbols_Paint(QImage& image);
    void picSample_Paint(QImage& image);

    // The scratch canvas each symbol is drawn on before it is copied into
    // its cell; larger than the largest symbol bitmap.
    QImage picCanvas_{64, 64, QImage::Format_RGB32};
    int32_t canvasBack_ = 0xFFFFFF, canvasFore_ = 0;
};
