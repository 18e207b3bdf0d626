#include "render/PlotOptions.h"

#include "core/MapProjection.h"
#include "core/clsVospProjector.h"
#include "render/RegValues.h"

namespace {

using RegValues::EnvInt;

// The projection named by a key; the row's own default for an unknown name.
int16_t AutoIndex(const char* key, int16_t def) {
    const int idx = MapProjection::PrjNameToIndex(RegValues::EnvText(key, MapProjection::StandardPrjName(def)));
    return clsVospProjector::IsValidPrj(static_cast<int16_t>(idx)) && idx > 0 && idx <= 30 ? static_cast<int16_t>(idx)
                                                                                           : def;
}

} // namespace

void PlotOptions::ReadEnvironment() {
    plotHighLat = EnvInt("PlotHighLat", 270000, 162000, 324000);
    plotLowLat = EnvInt("PlotLowLat", 54000, 0, 162000);
    plotSmallRatio = EnvInt("PlotSmallRatio", 5, 1, 10000);
    autoHigh = AutoIndex("PlotHighPrjVosp", 6);
    autoMiddle = AutoIndex("PlotMiddlePrjVosp", 23);
    autoLow = AutoIndex("PlotLowPrjVosp", 12);
    autoSmall = AutoIndex("PlotSmallPrjVosp", 19);
    plotGridPitch = EnvInt("PlotGridPitch", 50, 1, 100);
    plotChopPitch = EnvInt("PlotChopPitch", 16, 1, 100);
    plotFlatPitch = EnvInt("PlotFlatPitch", 0, 0, 50);
}

int16_t PlotOptions::AutoProjection(int32_t absLat, double scale) const {
    int16_t idx;
    if (absLat >= plotHighLat)
        idx = autoHigh;
    else if (absLat > plotLowLat)
        idx = autoMiddle;
    else
        idx = autoLow;
    if (absLat < plotHighLat && scale >= MapProjection::ScaleMax / plotSmallRatio) idx = autoSmall;
    return idx;
}
