#include "render/PlotSettings.h"

#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/ScreenDpiMark.h"
#include "core/clsRegistry.h"
#include "render/RegValues.h"
#include "render/clsMapPlot.h"

namespace {

QString Key(const char* name) { return QString::fromLatin1(name); }

struct Reader {
    const clsRegistry& reg;
    template <class Set>
    void Bool(const char* key, bool, bool def, Set set) {
        set(RegValues::GetBool(reg, Key(key), def));
    }
    template <class Set>
    void Text(const char* key, const QString&, Set set) {
        set(reg.RegGet(Key(key), QString()));
    }
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
    // A resolution that came from the screen is the screen's of this start.
    template <class Set>
    void Resolution(const char* key, int32_t, bool, Set set) {
        const int32_t screen = Library::ScreenDPI();
        const int32_t stored = RegValues::GetLong(reg, Key(key), screen);
        const bool fromScreen = ScreenDpiMark::FromScreen(reg, Key(key), stored);
        set(fromScreen ? screen : stored, fromScreen);
    }
};

struct Writer {
    clsRegistry& reg;
    template <class Set>
    void Bool(const char* key, bool v, bool, Set) {
        reg.RegPut(Key(key), v);
    }
    template <class Set>
    void Text(const char* key, const QString& v, Set) {
        reg.RegPut(Key(key), v);
    }
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
    template <class Set>
    void Resolution(const char* key, int32_t v, bool fromScreen, Set) {
        reg.RegPut(Key(key), v);
        reg.RegPut(ScreenDpiMark::MarkerKey(Key(key)), fromScreen);
    }
};

} // namespace

template <class Io>
void PlotSettings::Exchange(Io& io, clsMapPlot& p) {
    const MapViewport& v = p.Viewport();
    const PlotOptions& o = p.Options();
    io.Integer("ProjectionIndex", v.prjIndex, v.prjIndex, [&](int16_t x) { p.SetProjectionIndex(x); });
    io.Bool("ProjectionAuto", o.mProjectionAuto, true, [&](bool x) { p.SetProjectionAuto(x); });
    io.Long("CenterX", v.shifted ? v.centerX - v.shift : v.centerX, 0, [&](int32_t x) { p.SetCenterX(x); });
    io.Long("CenterY", v.centerY, v.plotMode == 1 ? 185318 : 0, [&](int32_t x) { p.SetCenterY(x); });
    io.Double("Scale", v.scale, MapProjection::ScaleMax / 50, [&](double x) { p.SetMapScale(x); });
    io.Double("Light", v.light, 2.0, [&](double x) { p.SetLight(x); });
    io.Resolution("DpiX", v.dpix, p.DpixFromScreen(), [&](int32_t x, bool s) { p.Setdpix(x, s); });
    io.Resolution("DpiY", v.dpiy, p.DpiyFromScreen(), [&](int32_t x, bool s) { p.Setdpiy(x, s); });
    io.Bool("GridEnable", o.mGridEi, true, [&](bool x) { p.SetGridEi(x); });
    io.Bool("GridAuto", o.mGridAuto, true, [&](bool x) { p.SetGridAuto(x); });
    io.Bool("GridOcean", o.mGridOcean, false, [&](bool x) { p.SetGridOcean(x); });
    io.Bool("GridString", o.mGridString, true, [&](bool x) { p.SetGridString(x); });
    io.Bool("AccessoryEnable", o.mAcsEi, false, [&](bool x) { p.SetAcsEi(x); });
    io.Bool("EdgeEnable", o.mEdgeEi, true, [&](bool x) { p.SetEdgeEi(x); });
    io.Long("PatternRatio", p.PtnRatio(), 100, [&](int32_t x) { p.SetPtnRatio(x); });
    io.Bool("TextSlant", o.mTextSlant, false, [&](bool x) { p.SetTextSlant(x); });
    io.Integer("FigureDisp", o.mFigDisp, 31, [&](int16_t x) { p.SetFigDisp(x); });
    io.Text("AzimuthLine", o.mAzimuthLine, [&](const QString& x) { p.SetAzimuthLine(x); });
    io.Integer("FigurePick", o.mFigPick, 31, [&](int16_t x) { p.SetFigPick(x); });
    io.Bool("DetailEnable", o.mDetailEi, false, [&](bool x) { p.SetDetailEi(x); });
    io.Bool("FigNativeEnable", o.mFigNativeEi, true, [&](bool x) { p.SetFigNativeEi(x); });
    io.Bool("FigShowModeEnable", o.mFigShowModeEi, true, [&](bool x) { p.SetFigShowModeEi(x); });
    io.Bool("ThgShowModeEnable", o.mThgShowModeEi, true, [&](bool x) { p.SetThgShowModeEi(x); });
    io.Bool("AdmShowModeEnable", o.mAdmShowModeEi, true, [&](bool x) { p.SetAdmShowModeEi(x); });
}

void PlotSettings::Read(clsMapPlot& plot, const clsRegistry& reg) {
    Reader io{reg};
    Exchange(io, plot);
}

void PlotSettings::Write(clsMapPlot& plot, clsRegistry& reg) {
    Writer io{reg};
    Exchange(io, plot);
}
