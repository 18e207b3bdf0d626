#include "render/PlotSettings.h"

#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/clsRegistry.h"
#include "render/RegValues.h"
#include "render/clsMapPlot.h"

namespace {

QString Key(const char* name) { return QString::fromLatin1(name); }

struct Reader {
    const clsRegistry& reg;
    void Bool(const char* key, bool& v, bool def) { v = RegValues::GetBool(reg, Key(key), def); }
    void Text(const char* key, QString& v) { v = reg.RegGet(Key(key), QString()); }
    template <class Set>
    void Integer(const char* key, int16_t, int16_t def, Set set) {
        set(RegValues::GetInteger(reg, Key(key), def));
    }
    template <class Set>
    void Long(const char* key, int32_t, int32_t def, Set set) {
        set(RegValues::GetLong(reg, Key(key), def));
    }
    template <class Set>
    void Double(const char* key, double, double def, Set set) {
        set(RegValues::GetDouble(reg, Key(key), def));
    }
};

struct Writer {
    clsRegistry& reg;
    void Bool(const char* key, bool& v, bool) { reg.RegPut(Key(key), v); }
    void Text(const char* key, QString& v) { reg.RegPut(Key(key), v); }
    template <class Set>
    void Integer(const char* key, int16_t v, int16_t, Set) {
        reg.RegPut(Key(key), int32_t(v));
    }
    template <class Set>
    void Long(const char* key, int32_t v, int32_t, Set) {
        reg.RegPut(Key(key), v);
    }
    template <class Set>
    void Double(const char* key, double v, double, Set) {
        reg.RegPut(Key(key), v);
    }
};

} // namespace

template <class Io>
void PlotSettings::Exchange(Io& io, clsMapPlot& p) {
    const MapViewport& v = p.Viewport();
    PlotOptions& o = p.Options();
    const int32_t screen = Library::ScreenDPI();
    io.Integer("ProjectionIndex", v.prjIndex, v.prjIndex, [&](int16_t x) { p.SetProjectionIndex(x); });
    io.Bool("ProjectionAuto", o.mProjectionAuto, true);
    io.Long("CenterX", v.shifted ? v.centerX - v.shift : v.centerX, 0, [&](int32_t x) { p.SetCenterX(x); });
    io.Long("CenterY", v.centerY, v.plotMode == 1 ? 185318 : 0, [&](int32_t x) { p.SetCenterY(x); });
    io.Double("Scale", v.scale, MapProjection::ScaleMax / 50, [&](double x) { p.SetMapScale(x); });
    io.Double("Light", v.light, 2.0, [&](double x) { p.SetLight(x); });
    io.Long("DpiX", v.dpix, screen, [&](int32_t x) { p.Setdpix(x); });
    io.Long("DpiY", v.dpiy, screen, [&](int32_t x) { p.Setdpiy(x); });
    io.Bool("GridEnable", o.mGridEi, true);
    io.Bool("GridAuto", o.mGridAuto, true);
    io.Bool("GridOcean", o.mGridOcean, false);
    io.Bool("GridString", o.mGridString, true);
    io.Bool("AccessoryEnable", o.mAcsEi, false);
    io.Bool("EdgeEnable", o.mEdgeEi, true);
    io.Long("PatternRatio", p.PtnRatio(), 100, [&](int32_t x) { p.SetPtnRatio(x); });
    io.Bool("TextSlant", o.mTextSlant, false);
    io.Integer("FigureDisp", o.mFigDisp, 31, [&](int16_t x) { o.mFigDisp = x; });
    io.Text("AzimuthLine", o.mAzimuthLine);
    io.Integer("FigurePick", o.mFigPick, 31, [&](int16_t x) { o.mFigPick = x; });
    io.Bool("DetailEnable", o.mDetailEi, false);
    io.Bool("FigNativeEnable", o.mFigNativeEi, true);
    io.Bool("FigShowModeEnable", o.mFigShowModeEi, true);
    io.Bool("ThgShowModeEnable", o.mThgShowModeEi, true);
    io.Bool("AdmShowModeEnable", o.mAdmShowModeEi, true);
}

void PlotSettings::Read(clsMapPlot& plot, const clsRegistry& reg) {
    Reader io{reg};
    Exchange(io, plot);
}

void PlotSettings::Write(clsMapPlot& plot, clsRegistry& reg) {
    Writer io{reg};
    Exchange(io, plot);
}
