#pragma once
// An open line in canvas pixels.
#include "render/clsFigure.h"

class clsFigPolyline : public clsFigure {
public:
    clsFigPolyline();
    explicit clsFigPolyline(std::shared_ptr<clsPoly> poly);
    std::shared_ptr<clsPoly> mPoly = std::make_shared<clsPoly>();
    int16_t mStyle = 0;
    int32_t mWidth;

    int32_t FigCode() const override { return 2; }
    QString FigName() const override { return QStringLiteral("POLYLINE"); }
    std::shared_ptr<clsPoly> Poly() override { return mPoly; }
    void SetPoly(std::shared_ptr<clsPoly> poly) override { mPoly = std::move(poly); }
    bool PlotOn(clsMapGraph* graph, bool detail) override;
    // PlotOn for a list held elsewhere, with this look.
    static bool PlotPoints(clsMapGraph* graph, const PolyPoint* points, int32_t count, int16_t style, int32_t width,
                           int32_t fore, int32_t back);
};
