#include "app/ViewPointer.h"

#include "app/FrameCut.h"
#include "app/MapPicture.h"
#include "app/SurveyTool.h"
#include "app/ViewControls.h"
#include "app/ViewRedraw.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "platform/ScriptedUi.h"
#include "render/HMapCanvas.h"
#include "render/clsMapPlot.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QStyleHints>
#include <cmath>

namespace {

const QString kForm = QStringLiteral("frmMain");

int16_t ButtonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    default: return 4;
    }
}

int32_t Whole(double v) { return Library::DblToLng(v); }

} // namespace

ViewPointer::ViewPointer(ViewRedraw& redraw, ViewControls& controls, SurveyTool& survey, FrameCut& cut)
    : redraw_(redraw), controls_(controls), survey_(survey), cut_(cut) {
    tmrClick.setSingleShot(true);
    DoubleClickTime = [] { return QGuiApplication::styleHints()->mouseDoubleClickInterval(); };
    QObject::connect(&tmrClick, &QTimer::timeout, this, [this] { tmrClick_Timer(); });
}

ViewPointer::~ViewPointer() {
    if (picture_) picture_->removeEventFilter(this);
}

void ViewPointer::Attach(QWidget* picture) {
    picture_ = picture;
    picture->setMouseTracking(true);
    picture->installEventFilter(this);
}

void ViewPointer::BuildToolMenu(QMenu* menu) {
    mnuSurvey = menu->addAction(QStringLiteral("測量(&R)"), this, [this] { survey_.mnuSurvey_Click(); });
    mnuFrameCut = menu->addAction(QStringLiteral("カット(&F)"), this, [this] { cut_.mnuFrameCut_Click(); });
    mnuSurvey->setCheckable(true);
    mnuFrameCut->setCheckable(true);
    QObject::connect(menu, &QMenu::aboutToShow, this, [this] { mnuTool_Click(); });
}

void ViewPointer::mnuTool_Click() {
    if (!mnuSurvey || !mnuFrameCut) return;
    mnuSurvey->setEnabled(!cut_.IsOn());
    mnuSurvey->setChecked(survey_.IsOn());
    mnuFrameCut->setEnabled(!survey_.IsOn());
    mnuFrameCut->setChecked(cut_.IsOn());
}

void ViewPointer::EndTools() {
    if (redraw_.bPlotting) return;
    if (survey_.IsOn()) survey_.mnuSurvey_Click();
    if (cut_.IsOn()) cut_.mnuFrameCut_Click();
}

bool ViewPointer::ToolActive() const { return survey_.IsOn() || cut_.IsOn(); }

QPoint ViewPointer::ImagePoint(const QPointF& pos) const {
    // The canvas is in the picture's device pixels.
    if (const auto* pic = dynamic_cast<const MapPicture*>(picture_)) return pic->ToImage(pos);
    return QPoint(Whole(pos.x()), Whole(pos.y()));
}

bool ViewPointer::eventFilter(QObject* watched, QEvent* event) {
    if (watched != picture_) return QObject::eventFilter(watched, event);
    try {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            // A double click's second press counts like any press.
            auto* e = static_cast<QMouseEvent*>(event);
            const QPoint at = ImagePoint(e->position());
            picView_MouseDown(ButtonOf(e->button()), at.x(), at.y());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(event);
            const QPoint at = ImagePoint(e->position());
            picView_MouseUp(ButtonOf(e->button()), at.x(), at.y());
            return true;
        }
        case QEvent::MouseMove: {
            auto* e = static_cast<QMouseEvent*>(event);
            const QPoint at = ImagePoint(e->position());
            picView_MouseMove(at.x(), at.y());
            return false;
        }
        default: return QObject::eventFilter(watched, event);
        }
    } catch (const ProcessExit&) {
        throw;
    } catch (...) {
        const char* name = event->type() == QEvent::MouseMove      ? "picView_MouseMove"
                           : event->type() == QEvent::MouseButtonRelease ? "picView_MouseUp"
                                                                           : "picView_MouseDown";
        ErrorMng::StopError(ErrBase + 1003, kForm, QString::fromLatin1(name));
    }
    return true;
}

void ViewPointer::picView_MouseDown(int16_t button, int32_t x, int32_t y) {
    lDownX = x;
    lDownY = y;
    iClickButton = button;
    bDragging = false;
    if (!tmrClick.isActive()) {
        iClickCount = 0;
        tmrClick.setInterval(DoubleClickTime ? DoubleClickTime() : 400);
        tmrClick.start();
    }
}

void ViewPointer::picView_MouseUp(int16_t, int32_t x, int32_t y) {
    lUpX = x;
    lUpY = y;
    if (bDragging) {
        // The point that the drag brings to the centre, clicked.
        const int32_t dx = lUpX - lDownX, dy = lUpY - lDownY;
        clsMapPlot* plot = redraw_.mPlot;
        const int32_t cx = plot ? plot->CanvasLeft() + plot->CanvasWidth() / 2 : 0;
        const int32_t cy = plot ? plot->CanvasTop() + plot->CanvasHeight() / 2 : 0;
        lUpX = Library::Sat(int64_t(cx) - dx);
        lUpY = Library::Sat(int64_t(cy) - dy);
        iClickCount = 1;
        tmrClick_Timer();
        bDragging = false;
    }
    if (tmrClick.isActive()) ++iClickCount;
    // A tool's clicks are taken at once.
    if (ToolActive()) tmrClick.setInterval(10);
}

void ViewPointer::picView_MouseMove(int32_t x, int32_t y) {
    if (!redraw_.mPlot) return;
    MapPoint m;
    redraw_.bPointerOnMap = HMap::CanvasToMapPoint(CanvasPoint{x, y}, m, redraw_.mPlot);
    redraw_.lPointerLon = m.lon;
    redraw_.lPointerLat = m.lat;
    redraw_.SetStatusPointer();
    if (tmrClick.isActive() || !redraw_.bPointerOnMap || redraw_.bPlotting) return;
    if (survey_.HasStart()) survey_.Move(m);
    if (cut_.HasCorner()) cut_.Move(m);
}

void ViewPointer::tmrClick_Timer() {
    tmrClick.stop();
    try {
        // Nothing to act on while drawing, nor once the window let go of the engine.
        if (redraw_.bPlotting || !redraw_.mPlot) {
            iClickCount = 0;
            return;
        }
        if (iClickButton == 1) {
            if (iClickCount == 0) {
                bDragging = true;
            } else if (iClickCount == 1) {
                LeftClick();
            } else if (iClickCount == 2) {
                if (cut_.IsOn()) {
                    cut_.Cancel();
                } else if (survey_.IsOn()) {
                    LeftClick();
                    survey_.CompleteRoute();
                }
            }
        } else if (iClickButton == 2) {
            if (survey_.IsOn()) survey_.CompleteRoute();
            else if (cut_.IsOn()) cut_.Cancel();
            else if (ShowPopup) ShowPopup(QCursor::pos());
        }
        iClickCount = 0;
    } catch (const ProcessExit&) {
        throw;
    } catch (...) {
        iClickCount = 0;
        ErrorMng::StopError(ErrBase + 1003, kForm, QStringLiteral("tmrClick_Timer"));
    }
}

void ViewPointer::LeftClick() {
    if (!survey_.IsOn() && !cut_.IsOn()) {
        CenterOn(CanvasPoint{lUpX, lUpY});
        return;
    }
    MapPoint m;
    if (!HMap::CanvasToMapPoint(CanvasPoint{lUpX, lUpY}, m, redraw_.mPlot)) return;
    if (cut_.IsOn()) cut_.Click(m);
    else survey_.Click(m);
}

bool ViewPointer::ConvertForCentre(CanvasPoint at, MapPoint& m) {
    clsMapPlot& plot = *redraw_.mPlot;
    if (HMap::CanvasToMapPoint(at, m, &plot)) return true;
    // The same centre pixel on a canvas three times as large.
    const int32_t left = plot.CanvasLeft(), top = plot.CanvasTop();
    const int32_t w = plot.CanvasWidth(), h = plot.CanvasHeight();
    if (int64_t(w) * 3 > 32767 || int64_t(h) * 3 > 32767) return false;
    plot.SetCanvasLeft(left - w);
    plot.SetCanvasTop(top - h);
    plot.SetCanvasWidth(3 * w);
    plot.SetCanvasHeight(3 * h);
    bool ok = false;
    try {
        ok = HMap::CanvasToMapPoint(at, m, &plot);
    } catch (...) {
        ok = false;
    }
    plot.SetCanvasLeft(left);
    plot.SetCanvasTop(top);
    plot.SetCanvasWidth(w);
    plot.SetCanvasHeight(h);
    return ok;
}

void ViewPointer::CenterOn(CanvasPoint at) {
    clsMapPlot* plot = redraw_.mPlot;
    if (!plot) return;
    MapPoint m;
    // Beside the globe there is nothing to centre on.
    if (!ConvertForCentre(at, m)) return;
    if (plot->MapScale() > MapProjection::ScaleMax / 500) {
        m.lon = m.lon / 60 * 60;
        m.lat = m.lat / 60 * 60;
    }
    plot->SetCenterX(m.lon);
    plot->SetCenterY(m.lat);
    controls_.SetViewControllByEngine();
    redraw_.PlotWindow();
}
