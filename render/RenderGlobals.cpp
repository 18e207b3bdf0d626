#include "render/RenderGlobals.h"

#include "render/clsMapPlot.h"

#include <utility>

namespace RenderGlobals {
namespace {
clsMapGraph* g_graph = nullptr;
clsMapPlot* g_plot = nullptr;
PictureSizeFn g_size;
} // namespace

clsMapGraph* MapGraph() { return g_graph; }
clsMapGraph* SetMapGraph(clsMapGraph* graph) { return std::exchange(g_graph, graph); }
clsMapPlot* MapPlot() { return g_plot; }
clsMapPlot* SetMapPlot(clsMapPlot* plot) { return std::exchange(g_plot, plot); }
PictureSizeFn SetPictureSize(PictureSizeFn fn) { return std::exchange(g_size, std::move(fn)); }

void PictureSize(int32_t& width, int32_t& height) {
    width = 0;
    height = 0;
    if (g_size) {
        g_size(width, height);
    } else if (g_plot) {
        width = g_plot->CanvasWidth();
        height = g_plot->CanvasHeight();
    }
}

} // namespace RenderGlobals
