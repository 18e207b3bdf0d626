#include "render/clsFigPolygon.h"

#include "render/clsMapGraph.h"

bool clsFigPolygon::PlotOn(clsMapGraph* graph, bool) {
    if (!graph || !mPoly) return false;
    graph->SetBrush(mStyle, mFore, mBack);
    return graph->DrawPolygon(*mPoly);
}

bool clsFigPolygon::PlotPoints(clsMapGraph* graph, const PolyPoint* points, int32_t count, int16_t style,
                               int32_t fore, int32_t back) {
    if (!graph) return false;
    graph->SetBrush(style, fore, back);
    return graph->DrawPolygon(points, count);
}
