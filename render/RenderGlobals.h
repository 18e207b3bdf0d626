#pragma once
// The application's drawing objects as the engine reaches them. The main
// window installs its drawing layer, plot engine and picture size at
// start-up; tools and tests install their own. Nothing here is owned.
#include <cstdint>
#include <functional>

class clsMapGraph;
class clsMapPlot;

namespace RenderGlobals {

// The drawing layer every plotted figure draws through (null until set).
clsMapGraph* MapGraph();
clsMapGraph* SetMapGraph(clsMapGraph* graph);

// The plot engine of the main view (null until set).
clsMapPlot* MapPlot();
clsMapPlot* SetMapPlot(clsMapPlot* plot);

// The size of the view picture in pixels (the output settings' width and
// height). Without a provider the plot engine's canvas size stands in.
using PictureSizeFn = std::function<void(int32_t& width, int32_t& height)>;
PictureSizeFn SetPictureSize(PictureSizeFn fn);
void PictureSize(int32_t& width, int32_t& height);

} // namespace RenderGlobals
