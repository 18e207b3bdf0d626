#include "render/clsFigPolyline.h"

#include "render/clsMapGraph.h"

clsFigPolyline::clsFigPolyline() : mWidth(clsMapGraph::LINE_WIDTH_MIN) {}

clsFigPolyline::clsFigPolyline(std::shared_ptr<clsPoly> poly)
    : mPoly(std::move(poly)), mWidth(clsMapGraph::LINE_WIDTH_MIN) {}

bool clsFigPolyline::PlotOn(clsMapGraph* graph, bool) {
    if (!graph || !mPoly) return false;
    graph->SetPen(mStyle, mWidth, mFore, mBack);
    return graph->DrawPolyline(*mPoly);
}

bool clsFigPolyline::PlotPoints(clsMapGraph* graph, const PolyPoint* points, int32_t count, int16_t style,
                                int32_t width, int32_t fore, int32_t back) {
    if (!graph) return false;
    graph->SetPen(style, width, fore, back);
    return graph->DrawPolyline(points, count);
}
