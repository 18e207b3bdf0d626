#include "render/clsFigure.h"

#include "render/RenderGlobals.h"

clsFigure::~clsFigure() = default;

bool clsFigure::Plot(bool detail) { return PlotOn(RenderGlobals::MapGraph(), detail); }
