#include "app/SurveyTool.h"

#include "app/MainGuard.h"
#include "app/MapPicture.h"
#include "app/ToolCanvas.h"
#include "app/ViewRedraw.h"
#include "core/AngleUnits.h"
#include "core/ErrorMng.h"
#include "core/GlobePolyLib.h"
#include "core/Library.h"
#include "core/clsLine.h"
#include "core/clsRect.h"
#include "core/clsSurvey.h"
#include "platform/ScriptedUi.h"
#include "platform/UiServices.h"
#include "render/clsMapPlot.h"

#include <cmath>

namespace {

const QString kForm = QStringLiteral("frmMain");

[[noreturn]] void Fail(const char* proc) { ErrorMng::ReRaise(ErrBase + 1003, kForm, QString::fromLatin1(proc)); }

} // namespace

SurveyTool::SurveyTool(ViewRedraw& redraw) : redraw_(redraw) {}

int16_t& SurveyTool::mode() { return redraw_.iSurveyMode; }
bool SurveyTool::IsOn() const { return redraw_.iSurveyMode != 0; }
bool SurveyTool::HasStart() const { return (redraw_.iSurveyMode & 2) != 0; }

QString SurveyTool::FormatStandard(double x) {
    const QString digits = QString::number(std::fabs(x), 'f', 2);
    const qsizetype dot = digits.indexOf(QLatin1Char('.'));
    QString out;
    for (qsizetype i = 0; i < dot; ++i) {
        if (i > 0 && (dot - i) % 3 == 0) out += QLatin1Char(',');
        out += digits[i];
    }
    out += digits.mid(dot);
    if (x < 0 && out != QLatin1String("0.00")) out.prepend(QLatin1Char('-'));
    return out;
}

QString SurveyTool::StatusText(double metres, int32_t bearing) {
    return QStringLiteral("測量：距離=") + FormatStandard(metres / 1000) + QStringLiteral("km ") +
           QStringLiteral("方位角=") + QString::number(bearing) + QStringLiteral("ﾟ  (右クリックで経路完了)");
}

QString SurveyTool::ReportText(int32_t n, double lengthMetres, double areaSquareMetres) {
    if (n < 2) return {};
    QString text = QStringLiteral("ノード数 = ") + QString::number(n) + QStringLiteral("\r\n") +
                   QStringLiteral("総延長 = ") + FormatStandard(lengthMetres / 1000) + QStringLiteral(" km");
    if (n >= 3)
        text += QStringLiteral("  (点線を含まず)") + QStringLiteral("\r\n") + QStringLiteral("面積 = ") +
                FormatStandard(areaSquareMetres / 1000000) + QStringLiteral(" k㎡");
    return text;
}

void SurveyTool::mnuSurvey_Click() {
    MainGuard::Guarded("mnuSurvey_Click", [&] {
        if (IsOn()) SurveyOff();
        else SurveyOn();
    });
}

void SurveyTool::SurveyOn() {
    if (redraw_.picView) {
        savedCursor_ = redraw_.picView->cursor();
        redraw_.picView->setCursor(ToolCanvas::ToolCursor(1104));
    }
    redraw_.SetStatusMessage(QStringLiteral("測量：始点をクリック"));
    oSurveyRoute = clsPoly();
    colSurveyRubber.clear();
    dSurveyLength = 0;
    mode() = 1;
}

void SurveyTool::SurveyOff() {
    if (mode() & 4) SurveyDrawRubber();
    SurveyReplot();
    if (redraw_.picView) redraw_.picView->Refresh();
    mode() = 0;
    colSurveyRubber.clear();
    oSurveyRoute = clsPoly();
    dSurveyLength = 0;
    if (redraw_.picView) redraw_.picView->setCursor(savedCursor_);
    redraw_.SetStatusMessage({});
}

void SurveyTool::Click(MapPoint p) {
    try {
        lSurveyLon2 = p.lon;
        lSurveyLat2 = p.lat;
        if (HasStart()) dSurveyLength += SurveyPrint();
        oSurveyRoute.AddXY(p.lon, p.lat);
        lSurveyLon1 = p.lon;
        lSurveyLat1 = p.lat;
        // The segment just drawn stays on the picture.
        mode() = 3;
        colSurveyRubber.clear();
        SurveyPrint();
    } catch (...) {
        Fail("SurveyClick");
    }
}

void SurveyTool::Move(MapPoint p) {
    if (!HasStart()) return;
    lSurveyLon2 = p.lon;
    lSurveyLat2 = p.lat;
    SurveyPrint();
}

void SurveyTool::CompleteRoute() {
    try {
        if (HasStart()) {
            SurveyReport();
            SurveyOff();
            SurveyOn();
        } else {
            SurveyOff();
        }
    } catch (...) {
        Fail("CompleteRoute");
    }
}

double SurveyTool::SurveyPrint() {
    if (printing_) return 0;
    printing_ = true;
    try {
        std::vector<clsPoly> rubber = SurveyMakeRubber();
        clsSurvey s;
        s.SetAll(MapPoint{lSurveyLon1, lSurveyLat1}, MapPoint{lSurveyLon2, lSurveyLat2});
        const int32_t bearing = Library::DblToLng(s.DirectionRadian() * 180 / AngleLib::Pi);
        const double distance = s.ArcDistance();
        redraw_.SetStatusMessage(StatusText(distance, bearing));
        if (mode() & 4) SurveyDrawRubber();
        colSurveyRubber = std::move(rubber);
        SurveyDrawRubber();
        printing_ = false;
        return distance;
    } catch (...) {
        printing_ = false;
        Fail("SurveyPrint");
    }
}

std::vector<clsPoly> SurveyTool::SurveyMakeRubber() {
    try {
        std::vector<clsPoly> out;
        clsMapPlot* plot = redraw_.mPlot;
        if (!plot) return out;
        clsSurvey s;
        s.SetAll(MapPoint{lSurveyLon1, lSurveyLat1}, MapPoint{lSurveyLon2, lSurveyLat2});
        clsPoly route = s.RoutePoly(3600);
        // The pieces lie within half a turn of the centre, as the field does;
        // each segment is cut at the field's edge, so that a segment with an
        // end off the view still shows the part that lies in it.
        const clsRect field = plot->Field();
        for (const clsPoly& piece : GlobePolyLib::GlobePolyRound(route, plot->CenterX(), false, false)) {
            clsPoly run;
            const auto flush = [&] {
                if (run.Count() >= 2) out.push_back(run);
                run = clsPoly();
            };
            bool joined = false; // the run ends where this segment starts
            for (int32_t i = 1; i < piece.Count(); ++i) {
                clsLine seg;
                seg.SetAll(piece.x(i), piece.y(i), piece.x(i + 1), piece.y(i + 1));
                const bool inField = seg.Clip(field);
                int32_t sx = 0, sy = 0, ex = 0, ey = 0;
                seg.GetAll(sx, sy, ex, ey);
                CanvasPoint a, b;
                if (!inField || !plot->MapToCanvas(MapPoint{sx, sy}, a) || !plot->MapToCanvas(MapPoint{ex, ey}, b)) {
                    flush();
                    joined = false;
                    continue;
                }
                if (!joined || sx != piece.x(i) || sy != piece.y(i)) {
                    flush();
                    run.AddXY(a.x, a.y);
                }
                run.AddXY(b.x, b.y);
                joined = ex == piece.x(i + 1) && ey == piece.y(i + 1);
            }
            flush();
        }
        return out;
    } catch (...) {
        Fail("SurveyMakeRubber");
    }
}

void SurveyTool::SurveyDrawRubber() {
    if (redraw_.bPlotting || !HasStart()) return;
    try {
        ToolCanvas::DrawXor(redraw_.picView, colSurveyRubber);
        mode() = int16_t(mode() ^ 4);
    } catch (...) {
        Fail("SurveyDrawRubber");
    }
}

void SurveyTool::SurveyReplot() {
    if (!HasStart()) return;
    try {
        if (mode() & 4) SurveyDrawRubber();
        const int32_t lon1 = lSurveyLon1, lat1 = lSurveyLat1, lon2 = lSurveyLon2, lat2 = lSurveyLat2;
        for (int32_t i = 1; i < oSurveyRoute.Count(); ++i) {
            lSurveyLon1 = oSurveyRoute.x(i);
            lSurveyLat1 = oSurveyRoute.y(i);
            lSurveyLon2 = oSurveyRoute.x(i + 1);
            lSurveyLat2 = oSurveyRoute.y(i + 1);
            SurveyPrint();
            // Each segment stays drawn.
            mode() = int16_t(mode() & ~4);
        }
        colSurveyRubber.clear();
        lSurveyLon1 = lon1, lSurveyLat1 = lat1, lSurveyLon2 = lon2, lSurveyLat2 = lat2;
        mode() = int16_t(mode() & ~4);
    } catch (...) {
        Fail("SurveyReplot");
    }
}

void SurveyTool::SurveyReport() {
    if (!HasStart()) return;
    try {
        if (mode() & 4) SurveyDrawRubber();
        const int32_t n = oSurveyRoute.Count();
        double area = 0;
        std::vector<clsPoly> closing;
        if (n >= 3) {
            clsSurvey s;
            area = s.PolyArea(oSurveyRoute);
            const int32_t lon1 = lSurveyLon1, lat1 = lSurveyLat1, lon2 = lSurveyLon2, lat2 = lSurveyLat2;
            lSurveyLon1 = oSurveyRoute.LastX();
            lSurveyLat1 = oSurveyRoute.LastY();
            lSurveyLon2 = oSurveyRoute.x(1);
            lSurveyLat2 = oSurveyRoute.y(1);
            closing = SurveyMakeRubber();
            lSurveyLon1 = lon1, lSurveyLat1 = lat1, lSurveyLon2 = lon2, lSurveyLat2 = lat2;
        }
        const QString text = ReportText(n, dSurveyLength, area);
        const bool dotted = !redraw_.bPlotting && !closing.empty();
        if (dotted) ToolCanvas::DrawXor(redraw_.picView, closing, 2, 1);
        redraw_.SetStatusMessage({});
        if (!text.isEmpty()) Ui().MsgBox(text, int(Mb::Information) | int(Mb::OkOnly), QStringLiteral("測量結果"));
        if (dotted) ToolCanvas::DrawXor(redraw_.picView, closing, 2, 1);
    } catch (...) {
        Fail("SurveyReport");
    }
}
