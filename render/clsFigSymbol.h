#pragma once
// A point symbol centred on its anchor pixel.
#include "render/clsFigPoint.h"

class clsFigSymbol : public clsFigPoint {
public:
    int16_t mPattern = 0;

    int32_t FigCode() const override { return 4; }
    QString FigName() const override { return QStringLiteral("SYMBOL"); }
    bool PlotOn(clsMapGraph* graph, bool detail) override;
};
