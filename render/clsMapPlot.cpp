#include "render/clsMapPlot.h"

#include "core/AngleLib.h"
#include "core/GlobePolyLib.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "core/clsPoly.h"
#include "core/clsRegistry.h"
#include "document/clsAdmin.h"
#include "document/clsAdmins.h"
#include "document/clsMap.h"
#include "document/clsMapCell.h"
#include "document/clsMapFigure.h"
#include "document/clsMapPointBase.h"
#include "document/clsMapText.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "document/clsThing.h"
#include "document/clsThings.h"
#include "platform/ApiLib.h"
#include "platform/UiServices.h"
#include "render/BaseMap.h"
#include "render/RegValues.h"
#include "render/RenderGlobals.h"
#include "render/clsFigPolygon.h"
#include "render/clsFigPolyline.h"
#include "render/clsFigSymbol.h"
#include "render/clsFigText.h"
#include "render/clsGrid.h"
#include "render/clsMapGraph.h"
#include "render/clsResSymbol.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <span>
#include <type_traits>

namespace {

using RegValues::EnvInt;
using RegValues::EnvText;

constexpr int32_t kOutlineBits = 0x3D00; // outline byte bits 0x3D of the property word
constexpr int32_t kCylindrical = 0x0200;
constexpr int32_t kChopBoth = 0xF800;

// The automatic graticule ladder, seconds of arc.
constexpr int32_t kGridLadder[] = {60,    90,    120,   150,   180,    240,    300,    450,    600,
                                   900,   1200,  1800,  2700,  3600,   5400,   7200,   9000,   10800,
                                   14400, 18000, 27000, 36000, 54000,  72000,  108000, 162000, 216000};

[[noreturn]] void Raise(int32_t number, const char* proc) {
    ErrorMng::ReRaise(ErrBase + number, QStringLiteral("clsMapPlot"), QString::fromLatin1(proc));
}

constexpr int64_t kTurn = 1296000;

// A step of more than half a turn in longitude is a figure stored across
// the date line (the short way round), not an edge round most of the globe.
bool JumpsDateLine(std::span<const PolyPoint> pts) {
    for (size_t i = 1; i < pts.size(); ++i)
        if (std::abs(int64_t(pts[i].x) - pts[i - 1].x) > kTurn / 2) return true;
    return false;
}

struct FlagOn {
    bool& flag;
    bool saved;
    explicit FlagOn(bool& f) : flag(f), saved(f) { flag = true; }
    ~FlagOn() { flag = saved; }
    FlagOn(const FlagOn&) = delete;
    FlagOn& operator=(const FlagOn&) = delete;
};

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0 && a < 0) ? 1 : 0); }

int32_t Sat(int64_t v) {
    if (v > 2147483647) return 2147483647;
    if (v < -2147483647) return -2147483647;
    return static_cast<int32_t>(v);
}

// Lines and areas differ only in their figure type and the line width.
template <class Fig>
void AddPolyFigures(std::vector<std::unique_ptr<clsFigure>>& figs, std::vector<std::shared_ptr<clsPoly>> polys,
                    const clsThing& thing, int32_t colour) {
    for (auto& poly : polys) {
        auto f = std::make_unique<Fig>();
        f->mPoly = std::move(poly);
        f->mStyle = thing.Style();
        if constexpr (std::is_same_v<Fig, clsFigPolyline>) f->mWidth = thing.Size();
        f->mFore = colour;
        f->mBack = thing.Back();
        figs.push_back(std::move(f));
    }
}

template <class Fig>
Fig* AddPointFigure(std::vector<std::unique_ptr<clsFigure>>& figs, int32_t px, int32_t py, int32_t fore,
                    int32_t back) {
    auto f = std::make_unique<Fig>();
    f->mx = px;
    f->my = py;
    f->mFore = fore;
    f->mBack = back;
    Fig* added = f.get();
    figs.push_back(std::move(f));
    return added;
}

// The projection named by a key; the row's own default for an unknown name.
int16_t AutoIndex(const char* key, int16_t def) {
    const int idx = MapProjection::PrjNameToIndex(EnvText(key, MapProjection::StandardPrjName(def)));
    return clsVospProjector::IsValidPrj(static_cast<int16_t>(idx)) && idx > 0 && idx <= 30
               ? static_cast<int16_t>(idx)
               : def;
}

} // namespace

// Puts the centre, field and wrap state back when a step ends, however it ends.
class clsMapPlot::ViewRestorer {
public:
    explicit ViewRestorer(clsMapPlot& p) : p_(p), s_(p.SaveView()) {}
    ~ViewRestorer() {
        try {
            p_.RestoreView(s_);
        } catch (...) {
        }
    }
    ViewRestorer(const ViewRestorer&) = delete;
    ViewRestorer& operator=(const ViewRestorer&) = delete;

private:
    clsMapPlot& p_;
    ViewState s_;
};

clsMapPlot::clsMapPlot() {
    try {
        if (MapProjection::GlobeRadius <= 0) MapProjection::InitGlobe();
        grid_ = std::make_unique<clsGrid>();
        grid_->SetUnitMode(1);
        plotMode_ = 1;
        scale_ = MapProjection::ScaleMax / 50;
        dpix_ = dpiy_ = Library::Clamp(Library::ScreenDPI(), 48, 1440);
        nt_ = ApiLib::IsWinNT();
        SetProjectionIndex(12);
        ReadRegistry();
        ReadEnvironment();
    } catch (...) {
        Raise(1001, "Class_Initialize");
    }
}

clsMapPlot::~clsMapPlot() = default;

void clsMapPlot::ReadEnvironment() {
    plotHighLat_ = EnvInt("PlotHighLat", 270000, 162000, 324000);
    plotLowLat_ = EnvInt("PlotLowLat", 54000, 0, 162000);
    plotSmallRatio_ = EnvInt("PlotSmallRatio", 5, 1, 10000);
    autoHigh_ = AutoIndex("PlotHighPrjVosp", 6);
    autoMiddle_ = AutoIndex("PlotMiddlePrjVosp", 23);
    autoLow_ = AutoIndex("PlotLowPrjVosp", 12);
    autoSmall_ = AutoIndex("PlotSmallPrjVosp", 19);
    plotGridPitch_ = EnvInt("PlotGridPitch", 50, 1, 100);
    plotChopPitch_ = EnvInt("PlotChopPitch", 16, 1, 100);
    plotFlatPitch_ = EnvInt("PlotFlatPitch", 0, 0, 50);
}

// --- properties ---

QString clsMapPlot::RegistrySection() const {
    if (plotMode_ == 1) return QStringLiteral("LLPLOT");
    if (plotMode_ == 2) return QStringLiteral("XYPLOT");
    return {};
}

void clsMapPlot::SetHdc(DeviceContext* dc) {
    if (!drawing_) hdc_ = dc;
}

void clsMapPlot::SetCanvasLeft(int32_t v) {
    if (drawing_) return;
    const int32_t w = CanvasWidth();
    canvas_.mLeft = v;
    canvas_.mRight = Sat(int64_t(v) + w - 1);
    CalcCanvasCenter();
}

void clsMapPlot::SetCanvasTop(int32_t v) {
    if (drawing_) return;
    const int32_t h = CanvasHeight();
    canvas_.mTop = v;
    canvas_.mBottom = Sat(int64_t(v) + h - 1);
    CalcCanvasCenter();
}

int32_t clsMapPlot::CanvasWidth() const { return Sat(int64_t(canvas_.mRight) - canvas_.mLeft + 1); }
int32_t clsMapPlot::CanvasHeight() const { return Sat(int64_t(canvas_.mBottom) - canvas_.mTop + 1); }

void clsMapPlot::SetCanvasWidth(int32_t v) {
    if (drawing_) return;
    canvas_.mRight = Sat(int64_t(canvas_.mLeft) + Library::Clamp(v, 32, 32767) - 1);
    CalcCanvasCenter();
}

void clsMapPlot::SetCanvasHeight(int32_t v) {
    if (drawing_) return;
    canvas_.mBottom = Sat(int64_t(canvas_.mTop) + Library::Clamp(v, 32, 32767) - 1);
    CalcCanvasCenter();
}

void clsMapPlot::CalcCanvasCenter() {
    centerPixX_ = Sat(int64_t(canvas_.mLeft) + CanvasWidth() / 2);
    centerPixY_ = Sat(int64_t(canvas_.mTop) + CanvasHeight() / 2);
}

int16_t clsMapPlot::ProjectionIndex() {
    try {
        // During a drawing (and while shifted) the view stays as worked out.
        if (!drawing_ && !shifted_) GetWork();
        return prjIndex_;
    } catch (...) {
        Raise(1001, "ProjectionIndex");
    }
}

void clsMapPlot::SetProjectionIndex(int16_t v) {
    if (drawing_ || !clsVospProjector::IsValidPrj(v)) return;
    prjIndex_ = v;
    plotMode_ = 1;
}

QString clsMapPlot::ProjectionName() {
    try {
        if (!drawing_ && !shifted_) GetWork();
        return mProjector.PrjName();
    } catch (...) {
        Raise(1001, "ProjectionName");
    }
}

void clsMapPlot::Setdpix(int32_t v) {
    if (!drawing_) dpix_ = Library::Clamp(v, 48, 1440);
}

void clsMapPlot::Setdpiy(int32_t v) {
    if (!drawing_) dpiy_ = Library::Clamp(v, 48, 1440);
}

void clsMapPlot::SetCenterX(int32_t v) {
    if (drawing_) return;
    if (shifted_) DoShiftOff(); // a later ShiftOff would move the new centre
    centerX_ = plotMode_ == 1 ? Library::WrapRange(v, -648000, 648000) : v;
}

void clsMapPlot::SetCenterY(int32_t v) {
    if (drawing_) return;
    centerY_ = plotMode_ == 1 ? Library::Clamp(v, -324000, 324000) : v;
}

void clsMapPlot::SetMapScale(double v) {
    if (!drawing_ && MapProjection::IsValidScale(v)) scale_ = v;
}

void clsMapPlot::SetLight(double v) {
    if (!drawing_ && MapProjection::IsValidLight(v)) light_ = v;
}

void clsMapPlot::SetPtnRatio(int32_t v) {
    if (v >= 10 && v <= 1000) ptnRatio_ = v;
}

clsRect clsMapPlot::Field() {
    try {
        if (drawing_) return drawField_.Copy();
        if (!shifted_) GetWork();
        return field_.Copy();
    } catch (...) {
        Raise(1001, "Field");
    }
}

// --- working out the view ---

void clsMapPlot::ChooseAutoProjection(int32_t absLat) {
    int16_t idx;
    if (absLat >= plotHighLat_) idx = autoHigh_;
    else if (absLat > plotLowLat_) idx = autoMiddle_;
    else idx = autoLow_;
    if (absLat < plotHighLat_ && scale_ >= MapProjection::ScaleMax / plotSmallRatio_) idx = autoSmall_;
    prjIndex_ = idx;
}

void clsMapPlot::GetWork() {
    // A shift left pending by a caller would otherwise stay in the centre.
    if (shifted_) DoShiftOff();
    CalcCanvasCenter();
    const int32_t absLat = std::abs(centerY_);
    mProjector.SetPrjIndex(prjIndex_);
    mProjector.SetCenterLon(centerX_);
    mProjector.SetCenterLat(centerY_);
    mProjector.SetLight(light_);
    const bool ok = mProjector.SetUp();
    if (!ok)
        Ui().MsgBox(QStringLiteral("現在の緯度設定ではこの投影法を使用できないため\r\n最適な投影法に変更します"),
                    int(Mb::Exclamation) | int(Mb::OkOnly), {});
    if (mProjectionAuto || !ok) {
        ChooseAutoProjection(absLat);
        mProjector.SetPrjIndex(prjIndex_);
        mProjector.SetUp();
    }

    ratioX_ = dpix_ * 1000.0 / 25.4 / scale_;
    ratioY_ = dpiy_ * 1000.0 / 25.4 / scale_;

    int32_t w = 648000, h = 648000;
    if (Library::DblToLng(CanvasLengthToMapX(CanvasWidth())) < 648000 &&
        Library::DblToLng(CanvasLengthToMapY(CanvasHeight())) < 324000) {
        mProjector.SetCenterLon(0);
        mProjector.SetCenterLat(absLat);
        if (mProjector.SetUp()) {
            int32_t lon = 0, lat = 0;
            if (CanvasToMap(canvas_.mLeft, canvas_.mTop, lon, lat)) {
                if (lon > 0) lon -= 1296000;
                w = -lon;
            }
            int32_t dTop = 648000, dBottom = 648000;
            if (CanvasToMap(centerPixX_, canvas_.mTop, lon, lat)) dTop = lat - absLat;
            if (CanvasToMap(canvas_.mLeft, canvas_.mBottom, lon, lat)) dBottom = absLat - lat;
            h = std::max(dTop, dBottom);
            if (h < 1) h = 648000;
            int32_t px = 0, py = 0;
            if (MapToCanvas(0, 320400, px, py) && py >= 0) w = h = 648000;
            w = std::min(w + w / 8, 648000);
            h = std::min(h + h / 8, 648000);
        }
    }

    mProjector.SetCenterLon(centerX_);
    mProjector.SetCenterLat(centerY_);
    mProjector.SetUp();
    int32_t north = 324000, south = -324000;
    mProjector.RangeNS(north, south);

    field_.mLeft = centerX_ - w;
    field_.mRight = centerX_ + w;
    field_.mTop = Library::Clamp(centerY_ - h, south, 324000);
    field_.mBottom = Library::Clamp(centerY_ + h, -324000, north);

    shifted_ = false;
    const bool east = field_.mRight > 648000, west = field_.mLeft < -648000;
    wrap_ = east != west && !(field_.mRight < -648000 || field_.mLeft > 648000);
    shift_ = centerX_ >= 0 ? -1296000 : 1296000;
}

// --- transforms ---

double clsMapPlot::CanvasLengthToMapX(double pixels) const {
    return pixels / ratioX_ / MapProjection::GlobeSecLength;
}

double clsMapPlot::CanvasLengthToMapY(double pixels) const {
    return pixels / ratioY_ / MapProjection::GlobeSecLength;
}

void clsMapPlot::CanvasToXY(int32_t cx, int32_t cy, double& x, double& y) const {
    x = (double(cx) - centerPixX_) / ratioX_;
    y = (double(centerPixY_) - cy) / ratioY_;
}

void clsMapPlot::XYToCanvas(double x, double y, int32_t& cx, int32_t& cy) const {
    cx = Sat(int64_t(Library::DblToLng(x * ratioX_)) + centerPixX_);
    cy = Sat(int64_t(centerPixY_) - Library::DblToLng(y * ratioY_));
}

bool clsMapPlot::PointMapToXY(int32_t x, int32_t y, double& px, double& py) {
    px = 0;
    py = 0;
    return mProjector.CnvLLtoXY(x, y, px, py);
}

bool clsMapPlot::PointXYToMap(double px, double py, int32_t& x, int32_t& y) {
    x = 0;
    y = 0;
    return mProjector.CnvXYtoLL(px, py, x, y);
}

bool clsMapPlot::MapToCanvas(int32_t x, int32_t y, int32_t& cx, int32_t& cy) {
    cx = 0;
    cy = 0;
    double px = 0, py = 0;
    if (!PointMapToXY(x, y, px, py)) return false;
    XYToCanvas(px, py, cx, cy);
    if (!nt_ && !limit_.IsInner(cx, cy)) return false;
    return true;
}

bool clsMapPlot::PointMapToCanvas(int32_t x, int32_t y, int32_t& cx, int32_t& cy) {
    cx = 0;
    cy = 0;
    if (!field_.IsInner(x, y)) return false;
    return MapToCanvas(x, y, cx, cy) && IsInCanvas(cx, cy);
}

bool clsMapPlot::CanvasToMap(int32_t cx, int32_t cy, int32_t& x, int32_t& y) {
    x = 0;
    y = 0;
    if (!IsInCanvas(cx, cy)) return false;
    double px = 0, py = 0;
    CanvasToXY(cx, cy, px, py);
    return PointXYToMap(px, py, x, y);
}

bool clsMapPlot::CanvasToMapBound(int32_t cx, int32_t cy, int32_t& x, int32_t& y) {
    bool ok = CanvasToMap(cx, cy, x, y);
    if (plotMode_ == 1) {
        ok = ok && Library::InRange(y, -324000, 324000);
        AngleLib::NormalizeLL(x, y);
    }
    return ok;
}

std::shared_ptr<clsPoly> clsMapPlot::PolyMapToCanvas(clsPoly& poly) {
    try {
        if (!poly.IsOverlapArea(field_)) return nullptr;
        auto out = std::make_shared<clsPoly>();
        const clsRect box = poly.RectBound();
        if (field_.IsInner(box.mLeft, box.mTop) && field_.IsInner(box.mRight, box.mBottom)) {
            // Wholly inside: clipping would change nothing.
            if (poly.Count() < 2) return nullptr;
            out->FromArray(poly.Span(), 0, 1, poly.Count());
        } else {
            *out = poly.Copy();
            out->Clip(field_);
            if (out->Count() < 2) return nullptr;
        }

        const int32_t status = MapProjection::PrjStatus(prjIndex_);
        const bool curved = (status & kCylindrical) == 0;
        if (curved) {
            double p = plotChopPitch_ * dpix_ * 10 / 254;
            double r = MapProjection::ScaleMax / scale_;
            while (r <= 100) {
                p *= 0.75;
                r *= 2;
            }
            const int32_t pitch =
                std::max(300, Library::DblToLng(CanvasLengthToMapY(Library::DblToLng(p + 0.5))));
            out->Chop(pitch, (status & kChopBoth) ? 3 : 1);
        }

        const int32_t n = out->Count();
        const std::span<const PolyPoint> src = out->Span();
        std::vector<PolyPoint> pts(static_cast<size_t>(n));
        // The whole figure through the projection at once.
        std::vector<double> xs(static_cast<size_t>(n)), ys(static_cast<size_t>(n));
        mProjector.CnvLLtoXYBatch(src, xs, ys);
        if (plotFlatPitch_ != 0 && curved) {
            for (size_t i = 0; i < pts.size(); ++i) {
                const double px = xs[i], py = ys[i];
                // A point the projection cannot show keeps whatever finite
                // value it left; a non-finite one becomes the origin.
                pts[i] = {std::isfinite(px) ? Library::DblToLng(px) : 0, std::isfinite(py) ? Library::DblToLng(py) : 0};
            }
            out->FromArray(pts, 0, 1, n);
            const double t = dpix_ * plotFlatPitch_ / 25.4 / ratioX_;
            out->CompressB(t / 1000, t);
            const std::span<const PolyPoint> plane = out->Span();
            pts.resize(plane.size());
            for (size_t i = 0; i < plane.size(); ++i) XYToCanvas(plane[i].x, plane[i].y, pts[i].x, pts[i].y);
            out->FromArray(pts, 0, 1, static_cast<int32_t>(pts.size()));
        } else {
            for (size_t i = 0; i < pts.size(); ++i) {
                const double px = xs[i], py = ys[i];
                XYToCanvas(std::isfinite(px) ? px : 0.0, std::isfinite(py) ? py : 0.0, pts[i].x, pts[i].y);
            }
            out->FromArray(pts, 0, 1, n);
            out->CompressB(0.0005, 80.0);
        }
        if (!nt_ && !out->Clip(limit_)) return nullptr;
        return out;
    } catch (...) {
        Raise(1001, "PolyMapToCanvas");
    }
}

std::vector<std::shared_ptr<clsPoly>> clsMapPlot::PolysMapToCanvas(clsPoly& poly, bool ring) {
    try {
        std::vector<std::shared_ptr<clsPoly>> out;
        if (!prepared_ && GlobePolyLib::StraysBeyondOneTurn(poly)) return out;
        if (prepared_ || !JumpsDateLine(poly.Span())) {
            if (auto p = PolyMapToCanvas(poly)) out.push_back(std::move(p));
            return out;
        }
        clsPoly cont = poly.Copy();
        GlobePolyLib::GlobePolyRollOver(cont, centerX_, ring);
        const clsRect box = cont.RectBound();
        if (box.mLeft == box.mRight) {
            // Only steps between the two date-line meridians: a frame or a
            // whole parallel, which the short way round would erase.
            if (auto p = PolyMapToCanvas(poly)) out.push_back(std::move(p));
            return out;
        }
        if (shifted_) return out;
        std::vector<clsPoly> parts;
        if (ring) {
            // A ring must stay closed to fill rightly: whole copies, each
            // clipped to the field, rather than pieces cut open at the seams.
            const int64_t first = -FloorDiv(int64_t(box.mRight) - field_.mLeft, kTurn);
            const int64_t last = FloorDiv(int64_t(field_.mRight) - box.mLeft, kTurn);
            // A sound ring spans at most a turn and reaches the field at most
            // three times; more would only repeat the same pixels.
            for (int64_t k = first; k <= last && k < first + 3; ++k) {
                const int64_t lo = box.mLeft + k * kTurn, hi = box.mRight + k * kTurn;
                if (lo < INT32_MIN || hi > INT32_MAX) continue;
                clsPoly c = cont.Copy();
                c.Move(static_cast<int32_t>(k * kTurn), 0);
                parts.push_back(std::move(c));
            }
        } else {
            cont = poly.Copy();
            parts = GlobePolyLib::GlobePolyRound(cont, centerX_, false, false);
        }
        for (clsPoly& part : parts)
            if (auto p = PolyMapToCanvas(part)) out.push_back(std::move(p));
        return out;
    } catch (...) {
        Raise(1001, "PolysMapToCanvas");
    }
}

// --- the wrap-around shift ---

bool clsMapPlot::DoShiftOn() {
    if (!wrap_ || shifted_) return false;
    centerX_ += shift_;
    field_.Move(shift_, 0);
    mProjector.SetCenterLon(centerX_);
    mProjector.SetUp();
    shifted_ = true;
    return true;
}

bool clsMapPlot::DoShiftOff() {
    if (!shifted_) return false;
    centerX_ -= shift_;
    field_.Move(-shift_, 0);
    mProjector.SetCenterLon(centerX_);
    mProjector.SetUp();
    shifted_ = false;
    return true;
}

bool clsMapPlot::ShiftOn() {
    try {
        return !drawing_ && DoShiftOn();
    } catch (...) {
        Raise(1001, "ShiftOn");
    }
}

bool clsMapPlot::ShiftOff() {
    try {
        return !drawing_ && DoShiftOff();
    } catch (...) {
        Raise(1001, "ShiftOff");
    }
}

clsMapPlot::ViewState clsMapPlot::SaveView() const { return {centerX_, field_, wrap_, shifted_}; }

void clsMapPlot::RestoreView(const ViewState& s) {
    centerX_ = s.centerX;
    field_ = s.field;
    wrap_ = s.wrap;
    shifted_ = s.shifted;
    mProjector.SetCenterLon(centerX_);
    mProjector.SetUp();
}

void clsMapPlot::CenterProjectorOnZero() {
    mProjector.SetCenterLon(0);
    mProjector.SetUp();
    field_.Move(-centerX_, 0);
    wrap_ = false;
}

// --- settings ---

void clsMapPlot::ReadRegistry() {
    try {
        clsRegistry reg;
        reg.mSection = RegistrySection();
        const double defScale = MapProjection::ScaleMax / 50;
        const int32_t screen = Library::ScreenDPI();
        SetProjectionIndex(RegValues::GetInteger(reg, QStringLiteral("ProjectionIndex"), prjIndex_));
        mProjectionAuto = RegValues::GetBool(reg, QStringLiteral("ProjectionAuto"), true);
        SetCenterX(RegValues::GetLong(reg, QStringLiteral("CenterX"), 0));
        SetCenterY(RegValues::GetLong(reg, QStringLiteral("CenterY"), plotMode_ == 1 ? 185318 : 0));
        SetMapScale(RegValues::GetDouble(reg, QStringLiteral("Scale"), defScale));
        SetLight(RegValues::GetDouble(reg, QStringLiteral("Light"), 2.0));
        Setdpix(RegValues::GetLong(reg, QStringLiteral("DpiX"), screen));
        Setdpiy(RegValues::GetLong(reg, QStringLiteral("DpiY"), screen));
        mGridEi = RegValues::GetBool(reg, QStringLiteral("GridEnable"), true);
        mGridAuto = RegValues::GetBool(reg, QStringLiteral("GridAuto"), true);
        mGridOcean = RegValues::GetBool(reg, QStringLiteral("GridOcean"), false);
        mGridString = RegValues::GetBool(reg, QStringLiteral("GridString"), true);
        mAcsEi = RegValues::GetBool(reg, QStringLiteral("AccessoryEnable"), false);
        mEdgeEi = RegValues::GetBool(reg, QStringLiteral("EdgeEnable"), true);
        SetPtnRatio(RegValues::GetLong(reg, QStringLiteral("PatternRatio"), 100));
        mTextSlant = RegValues::GetBool(reg, QStringLiteral("TextSlant"), false);
        mFigDisp = RegValues::GetInteger(reg, QStringLiteral("FigureDisp"), 31);
        mAzimuthLine = reg.RegGet(QStringLiteral("AzimuthLine"), QString());
        mFigPick = RegValues::GetInteger(reg, QStringLiteral("FigurePick"), 31);
        mDetailEi = RegValues::GetBool(reg, QStringLiteral("DetailEnable"), false);
        mFigNativeEi = RegValues::GetBool(reg, QStringLiteral("FigNativeEnable"), true);
        mFigShowModeEi = RegValues::GetBool(reg, QStringLiteral("FigShowModeEnable"), true);
        mThgShowModeEi = RegValues::GetBool(reg, QStringLiteral("ThgShowModeEnable"), true);
        mAdmShowModeEi = RegValues::GetBool(reg, QStringLiteral("AdmShowModeEnable"), true);
        grid_->ReadRegistry();
    } catch (...) {
        Raise(1005, "ReadRegistry");
    }
}

void clsMapPlot::WriteRegistry() {
    try {
        clsRegistry reg;
        reg.mSection = RegistrySection();
        reg.RegPut(QStringLiteral("ProjectionIndex"), int32_t(prjIndex_));
        reg.RegPut(QStringLiteral("ProjectionAuto"), mProjectionAuto);
        reg.RegPut(QStringLiteral("CenterX"), shifted_ ? centerX_ - shift_ : centerX_);
        reg.RegPut(QStringLiteral("CenterY"), centerY_);
        reg.RegPut(QStringLiteral("Scale"), scale_);
        reg.RegPut(QStringLiteral("Light"), light_);
        reg.RegPut(QStringLiteral("DpiX"), dpix_);
        reg.RegPut(QStringLiteral("DpiY"), dpiy_);
        reg.RegPut(QStringLiteral("GridEnable"), mGridEi);
        reg.RegPut(QStringLiteral("GridAuto"), mGridAuto);
        reg.RegPut(QStringLiteral("GridOcean"), mGridOcean);
        reg.RegPut(QStringLiteral("GridString"), mGridString);
        reg.RegPut(QStringLiteral("AccessoryEnable"), mAcsEi);
        reg.RegPut(QStringLiteral("EdgeEnable"), mEdgeEi);
        reg.RegPut(QStringLiteral("PatternRatio"), ptnRatio_);
        reg.RegPut(QStringLiteral("TextSlant"), mTextSlant);
        reg.RegPut(QStringLiteral("FigureDisp"), int32_t(mFigDisp));
        reg.RegPut(QStringLiteral("AzimuthLine"), mAzimuthLine);
        reg.RegPut(QStringLiteral("FigurePick"), int32_t(mFigPick));
        reg.RegPut(QStringLiteral("DetailEnable"), mDetailEi);
        reg.RegPut(QStringLiteral("FigNativeEnable"), mFigNativeEi);
        reg.RegPut(QStringLiteral("FigShowModeEnable"), mFigShowModeEi);
        reg.RegPut(QStringLiteral("ThgShowModeEnable"), mThgShowModeEi);
        reg.RegPut(QStringLiteral("AdmShowModeEnable"), mAdmShowModeEi);
        grid_->WriteRegistry();
    } catch (...) {
        Raise(1005, "WriteRegistry");
    }
}

// --- drawing ---

void clsMapPlot::RaiseProgress() {
    if (Progress) Progress(phase_);
    ++phase_;
}

void clsMapPlot::DoEvents() {
    if (YieldHook) YieldHook();
}

std::shared_ptr<clsMapUnit> clsMapPlot::BaseUnit() const { return mMaps ? mMaps->Base() : nullptr; }

bool clsMapPlot::BaseDrawn() const {
    const auto base = BaseUnit();
    return base && base->bDraw;
}

bool clsMapPlot::DrawStart() {
    if (drawing_) return false;
    clsMapGraph* graph = RenderGlobals::MapGraph();
    if (!graph) return false;
    try {
        if (!graph->GraphBegin(hdc_, canvas_.mLeft, canvas_.mTop, CanvasWidth(), CanvasHeight())) return false;
        graph->SetResolutionX(dpix_);
        graph->SetResolutionY(dpiy_);
        graph->SetTextRatio(ptnRatio_);
        graph->SetSymbolRatio(ptnRatio_);
        drawing_ = true;
        mCancel = false;
        GetWork();
        drawField_ = field_;
        return true;
    } catch (...) {
        try {
            DrawEnd();
        } catch (...) {
        }
        Raise(1001, "DrawStart");
    }
}

void clsMapPlot::DrawEnd() {
    if (clsMapGraph* graph = RenderGlobals::MapGraph()) {
        graph->GraphEnd();
        if (graph->oSymbols) graph->oSymbols->SetResolution(0);
    }
    drawing_ = false;
}

int16_t clsMapPlot::Replot() {
    if (!DrawStart()) return 2;
    const ViewState start = SaveView();
    try {
        const int16_t result = ReplotSteps();
        DrawEnd();
        return result;
    } catch (...) {
        try {
            RestoreView(start);
        } catch (...) {
        }
        try {
            DrawEnd();
        } catch (...) {
        }
        drawing_ = false;
        Raise(1001, "Replot");
    }
}

int16_t clsMapPlot::ReplotSteps() {
    phase_ = 0;
    RaiseProgress();
    detail_ = false;
    if (!DrawClear()) return 1;
    RaiseProgress();
    if (!DrawOcean()) return 1;
    RaiseProgress();
    detail_ = mDetailEi;
    if (mGridOcean) {
        detail_ = false;
        if (!DrawGrid()) return 1;
        RaiseProgress();
        if (!DrawGridString()) return 1;
        RaiseProgress();
        detail_ = mDetailEi;
        if (!PlotPhase(3)) return 1;
    } else {
        if (!PlotPhase(3)) return 1;
        detail_ = false;
        if (!DrawGrid()) return 1;
        RaiseProgress();
        if (!DrawGridString()) return 1;
        RaiseProgress();
        detail_ = mDetailEi;
    }
    if (!PlotPhase(2)) return 1;
    if (!PlotPhase(4)) return 1;
    if (!PlotPhase(5)) return 1;
    if (!DrawAzimuthLine()) return 1;
    RaiseProgress();
    if (!DrawShadow()) return 1;
    RaiseProgress();
    return 0;
}

bool clsMapPlot::DrawClear() {
    try {
        std::shared_ptr<clsThing> thing;
        const auto base = BaseUnit();
        if (base && base->gThings) {
            const int16_t code = base->gThings->Search(QStringLiteral("背景"));
            if (code >= 0) thing = base->gThings->Item(code);
        }
        if (!thing) {
            thing = std::make_shared<clsThing>();
            thing->SetFigure(3);
            thing->SetPage(1);
            thing->SetStyle(8);
            thing->SetFore(0xFFFFFF);
            thing->SetBack(-1);
        }
        if (base && base->gAdmins)
            if (const auto area = base->gAdmins->Item(0)) thing->SetPage(area->Page());
        if (clsMapGraph* graph = RenderGlobals::MapGraph()) {
            graph->SetBrush(thing->Style(), thing->Fore(), thing->Back());
            graph->DrawClear();
        }
        return true;
    } catch (...) {
        Raise(1001, "DrawClear");
    }
}

bool clsMapPlot::DrawOcean() {
    try {
        if (!(mFigDisp & 4) || !BaseDrawn()) return true;
        const auto base = BaseUnit();
        const auto ocean = BaseMap::BaseMapOceanArea(field_, base.get());
        if (!ocean) return true;
        ViewRestorer restore(*this);
        CenterProjectorOnZero();
        centerX_ = 0;
        FlagOn prepared(prepared_);
        PlotCell(base->ToCell(ocean.get()));
        return true;
    } catch (...) {
        Raise(1001, "DrawOcean");
    }
}

bool clsMapPlot::DrawGrid() {
    try {
        if (!mGridEi || !(mFigDisp & 2) || !BaseDrawn()) return true;
        const auto base = BaseUnit();
        CalcGridPitch();
        CalcGridRange();
        bool ok = PlotCollection(BaseMap::BaseMapGridV(*grid_, base.get()));
        if (ok) ok = PlotCollection(BaseMap::BaseMapGridH(*grid_, base.get()));
        return ok;
    } catch (...) {
        Raise(1001, "DrawGrid");
    }
}

bool clsMapPlot::DrawGridString() {
    try {
        if (!mGridEi || !mGridString || !(mFigDisp & 16) || !BaseDrawn()) return true;
        CalcGridPitch();
        return PlotCollection(BaseMap::BaseMapGridTexts(*this));
    } catch (...) {
        Raise(1001, "DrawGridString");
    }
}

bool clsMapPlot::DrawAzimuthLine() {
    try {
        if (!(mFigDisp & 2) || !BaseDrawn()) return true;
        const auto lines =
            BaseMap::BaseMapAzimuthLine(mAzimuthLine, centerX_, centerY_, scale_, BaseUnit().get());
        if (lines.empty()) return true;
        return PlotCollection(lines);
    } catch (...) {
        Raise(1001, "DrawAzimuthLine");
    }
}

bool clsMapPlot::DrawShadow() {
    try {
        if (!(mFigDisp & 2) || !BaseDrawn()) return true;
        const auto frame = BaseMap::BaseMapShadowFrame(prjIndex_, BaseUnit().get(), &mProjector);
        ViewRestorer restore(*this);
        CenterProjectorOnZero();
        return PlotCollection(frame);
    } catch (...) {
        Raise(1001, "DrawShadow");
    }
}

bool clsMapPlot::PlotPhase(int16_t code) {
    if (!PlotPhaseSub(code)) return false;
    if (wrap_ && DoShiftOn()) {
        const bool ok = PlotPhaseSub(code);
        DoShiftOff();
        if (!ok) return false;
    }
    RaiseProgress();
    return true;
}

bool clsMapPlot::PlotPhaseSub(int16_t code) {
    if (!(mFigDisp & (1 << (code - 1)))) return true;
    // The phase shifts as a whole, so the per-cell shift is off meanwhile.
    struct WrapOff {
        bool& flag;
        bool saved;
        ~WrapOff() { flag = saved; }
    } wrapOff{wrap_, wrap_};
    wrap_ = false;

    // A handler run during a yield may open or close units: walk a copy.
    std::vector<std::shared_ptr<clsMapUnit>> units;
    if (mMaps) units.assign(mMaps->begin(), mMaps->end());
    for (const auto& unit : units) {
        DoEvents();
        if (mCancel) return false;
        if (!unit || !unit->bDraw) continue;
        const std::shared_ptr<clsMap> map = unit->gFigures;
        if (!map) continue;
        int32_t counter = 1;
        for (size_t i = 0; i < map->MapCollection().size(); ++i) {
            const std::shared_ptr<clsMapFigure> fig = map->MapCollection()[i];
            if (fig && fig->FigCode() == code && fig->IsInner(field_)) PlotCell(unit->ToCell(fig.get()));
            if (counter % 200 == 0) DoEvents();
            ++counter;
        }
    }
    return true;
}

bool clsMapPlot::PlotCollection(const std::vector<std::shared_ptr<clsMapFigure>>& figures) {
    const auto base = BaseUnit();
    FlagOn prepared(prepared_);
    for (const auto& fig : figures) {
        if (mCancel) return false;
        if (base && fig && (mFigDisp & (1 << (fig->FigCode() - 1)))) PlotCell(base->ToCell(fig.get()));
    }
    DoEvents();
    return true;
}

bool clsMapPlot::DrawCell(const clsMapCell& cell) {
    try {
        return PlotCell(cell);
    } catch (...) {
        Raise(1001, "DrawCell");
    }
}

bool clsMapPlot::PlotCell(const clsMapCell& cell) {
    if (!cell.mMapFig) return false;
    if (mAdmShowModeEi && cell.mAdmin && !cell.mAdmin->Show()) return false;
    bool result = false;
    for (const auto& fig : CellToFigures(cell))
        if (fig->Plot(detail_)) result = true;
    if (wrap_ && DoShiftOn()) {
        struct Unshift {
            clsMapPlot& p;
            ~Unshift() {
                try {
                    p.DoShiftOff();
                } catch (...) {
                }
            }
        } unshift{*this};
        for (const auto& fig : CellToFigures(cell))
            if (fig->Plot(detail_)) result = true;
    }
    return result;
}

std::unique_ptr<clsFigure> clsMapPlot::CellToFigure(const clsMapCell& cell) {
    auto figs = CellToFigures(cell);
    if (figs.empty()) return nullptr;
    return std::move(figs.front());
}

std::vector<std::unique_ptr<clsFigure>> clsMapPlot::CellToFigures(const clsMapCell& cell) {
    try {
        std::vector<std::unique_ptr<clsFigure>> figs;
        if (!cell.mMapFig || !cell.IsValid()) return figs;
        clsMapFigure* mf = cell.mMapFig;
        clsThing* thing = cell.mThing;
        thing->SetPage(cell.mAdmin->Page());
        if (mFigShowModeEi) {
            const int16_t own = mf->OwnShowMode();
            if (own == 0) return figs;
            if (own == -1 && mThgShowModeEi && !thing->IsPrint(scale_)) return figs;
        }
        const int32_t colour = mFigNativeEi ? cell.RealColor() : thing->Fore();
        switch (mf->FigCode()) {
        case 2:
        case 3: {
            const auto src = mf->Poly();
            if (!src) return figs;
            if (mf->FigCode() == 2)
                AddPolyFigures<clsFigPolyline>(figs, PolysMapToCanvas(*src, false), *thing, colour);
            else
                AddPolyFigures<clsFigPolygon>(figs, PolysMapToCanvas(*src, true), *thing, colour);
            return figs;
        }
        case 4:
        case 5: {
            auto* pt = static_cast<clsMapPointBase*>(mf);
            int32_t px = 0, py = 0;
            if (!PointMapToCanvas(pt->mx(), pt->my(), px, py)) return figs;
            const int32_t back = mEdgeEi ? thing->Back() : -1;
            if (mf->FigCode() == 4) {
                AddPointFigure<clsFigSymbol>(figs, px, py, colour, back)->mPattern = thing->Style();
                return figs;
            }
            auto* text = static_cast<clsMapText*>(mf);
            auto* f = AddPointFigure<clsFigText>(figs, px, py, colour, back);
            f->mFont = thing->FontName();
            f->mHeight = thing->Size();
            f->mStyle = static_cast<uint8_t>(thing->Style());
            f->mAngle = text->Angle();
            if (mTextSlant) {
                int32_t slant = 0;
                SlantMeridian(text->mx(), text->my(), slant);
                f->mAngle -= slant / 3600;
            }
            f->mTextFix = text->TextFix();
            f->SetText(text->TextAnsi(PublicVal::gvLanguage), text->TextCodePage(PublicVal::gvLanguage));
            return figs;
        }
        default:
            return figs;
        }
    } catch (...) {
        Raise(1001, "CellToFigure");
    }
}

void clsMapPlot::SlantMeridian(int32_t lon, int32_t lat, int32_t& slant) {
    slant = 0;
    try {
        auto dir = [](int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
            return AngleLib::RadianToSec(AngleLib::AnglePosToRadian(double(x2) - x1, double(y1) - y2));
        };
        int32_t n = 0, e = 0;
        int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        const int32_t d = Library::Clamp(Library::DblToLng(CanvasLengthToMapY(dpiy_ / 5)), 10, 324000);
        if (MapToCanvas(lon, Library::Clamp(Sat(int64_t(lat) - d), -323970, 323970), x1, y1) &&
            MapToCanvas(lon, Library::Clamp(Sat(int64_t(lat) + d), -323970, 323970), x2, y2))
            n = 324000 - dir(x1, y1, x2, y2);
        const int32_t ew = Library::Clamp(Library::DblToLng(CanvasLengthToMapX(dpix_ / 5)), 10, 324000);
        if (MapToCanvas(Sat(int64_t(lon) - ew), lat, x1, y1) && MapToCanvas(Sat(int64_t(lon) + ew), lat, x2, y2))
            e = -dir(x1, y1, x2, y2);
        int32_t s = (e + n) / 2;
        if (s < -648000) s += 1296000;
        if (s > 648000) s -= 1296000;
        slant = s;
    } catch (...) {
        Raise(1001, "SlantMeridian");
    }
}

void clsMapPlot::CalcGridPitch() {
    if (!mGridAuto) return;
    double sx = CanvasLengthToMapX(plotGridPitch_ * dpix_ * 10 / 254);
    const double sy = CanvasLengthToMapY(plotGridPitch_ * dpiy_ * 10 / 254);
    if (MapProjection::PrjStatus(prjIndex_) & kOutlineBits)
        sx = sx / std::cos(centerY_ * AngleLib::RadPerSec * 0.999);
    int32_t v = kGridLadder[0], h = kGridLadder[0];
    for (const int32_t p : kGridLadder) {
        if (p <= sy) v = p;
        if (p <= sx) {
            if (p == v) h = p;
            if (p * 7 / 4 <= sx) h = p;
        }
    }
    grid_->SetWidth(h);
    grid_->SetHeight(v);
}

void clsMapPlot::CalcGridRange() {
    if (mGridAuto) {
        int32_t limit = 323970;
        if (MapProjection::PrjStatus(prjIndex_) & kOutlineBits)
            limit = 324000 - Library::Clamp(Library::DblToLng(CanvasLengthToMapY(dpiy_ / 2)), 30, 36000);
        grid_->SetNorthLimit(limit);
        grid_->SetSouthLimit(-limit);
    }
    grid_->SetWest(std::max(centerX_ - 648000, field_.mLeft));
    grid_->SetEast(std::min(centerX_ + 648000, field_.mRight));
    grid_->SetSouth(std::max(grid_->SouthLimit(), field_.mTop));
    grid_->SetNorth(std::min(grid_->NorthLimit(), field_.mBottom));
}
