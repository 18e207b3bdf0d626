#include "render/clsFigPolygon.h"

#include "render/clsMapGraph.h"

bool clsFigPolygon::PlotOn(clsMapGraph* graph, bool) {
    if (!graph || !mPoly) return false;
    graph->SetBrush(mStyle, mFore, mBack);
    return graph->DrawPolygon(*mPoly);
}
