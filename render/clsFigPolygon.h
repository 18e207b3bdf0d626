#pragma once
// A filled area in canvas pixels.
#include "render/clsFigure.h"

class clsFigPolygon : public clsFigure {
public:
    clsFigPolygon() = default;
    explicit clsFigPolygon(std::shared_ptr<clsPoly> poly) : mPoly(std::move(poly)) {}
    std::shared_ptr<clsPoly> mPoly = std::make_shared<clsPoly>();
    int16_t mStyle = 8;

    int32_t FigCode() const override { return 3; }
    QString FigName() const override { return QStringLiteral("POLYGON"); }
    std::shared_ptr<clsPoly> Poly() override { return mPoly; }
    void SetPoly(std::shared_ptr<clsPoly> poly) override { mPoly = std::move(poly); }
    bool PlotOn(clsMapGraph* graph, bool detail) override;
    // PlotOn for a list held elsewhere, with this look.
    static bool PlotPoints(clsMapGraph* graph, const PolyPoint* points, int32_t count, int16_t style, int32_t fore,
                           int32_t back);
};
