#include "render/clsFigSymbol.h"

#include "render/clsMapGraph.h"

bool clsFigSymbol::PlotOn(clsMapGraph* graph, bool) {
    if (!graph) return false;
    graph->SetSymbol(mPattern, mFore, mBack);
    return graph->DrawPaint(CanvasPoint{mx, my});
}
