#pragma once
// A map figure after projection: canvas pixels and a resolved style, drawn
// on the application's drawing layer by Plot. Made by the plot engine for
// one cell, plotted once or twice and released.
#include "core/clsPoly.h"

#include <QString>
#include <cstdint>
#include <memory>

class clsMapGraph;

class clsFigure {
public:
    virtual ~clsFigure();

    int32_t mFore = 0;
    int32_t mBack = -1;

    virtual int32_t FigCode() const = 0;
    virtual QString FigName() const = 0;
    int32_t Fore() const { return mFore; }
    void SetFore(int32_t v) { mFore = v; }
    int32_t Back() const { return mBack; }
    void SetBack(int32_t v) { mBack = v; }
    virtual std::shared_ptr<clsPoly> Poly() = 0;
    virtual void SetPoly(std::shared_ptr<clsPoly> poly) = 0;
    // Selects the style and draws on the global drawing layer; True when the
    // layer drew it. The detail flag does not change the drawing.
    bool Plot(bool detail);
    // The same on a given drawing layer (null draws nothing).
    virtual bool PlotOn(clsMapGraph* graph, bool detail) = 0;

protected:
    clsFigure() = default;
};
