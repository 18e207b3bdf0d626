#include "app/ViewRedraw.h"

#include "app/MapPicture.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "document/HMapCoord.h"
#include "document/clsMapUnits.h"
#include "platform/DeviceContext.h"
#include "platform/UiServices.h"
#include "render/clsAccessory.h"
#include "render/clsMapPlot.h"
#include "render/clsView.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

const QString kForm = QStringLiteral("frmMain");

[[noreturn]] void Fail(const char* proc) { ErrorMng::ReRaise(ErrBase + 1003, kForm, QString::fromLatin1(proc)); }

struct FlagGuard {
    bool& flag;
    explicit FlagGuard(bool& f) : flag(f) { flag = true; }
    ~FlagGuard() { flag = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;
};

} // namespace

// Holds the drawing state from the start of a drawing to its end, and puts
// everything back when an error passes through.
class ViewRedraw::PlottingScope {
public:
    explicit PlottingScope(ViewRedraw& w) : w_(w) {
        w_.bPlotting = true;
        Ui().SetMousePointer(MousePtr::Hourglass);
        w_.setLocked(true);
    }
    ~PlottingScope() {
        // The device context lives only as long as the drawing.
        if (w_.mPlot) {
            w_.mPlot->Progress = std::move(prevProgress_);
            w_.mPlot->YieldHook = std::move(prevYield_);
            w_.mPlot->SetHdc(nullptr);
        }
        if (w_.mAccessory) w_.mAccessory->Sethandle(nullptr);
        if (!released_) w_.setLocked(false);
        Ui().SetMousePointer(MousePtr::Default);
        w_.bPlotting = false;
        try {
            if (w_.DrawingEnded) w_.DrawingEnded();
        } catch (...) {
        }
    }
    PlottingScope(const PlottingScope&) = delete;
    PlottingScope& operator=(const PlottingScope&) = delete;

    void Bind() {
        prevProgress_ = w_.mPlot->Progress;
        prevYield_ = w_.mPlot->YieldHook;
        w_.mPlot->Progress = [this](int16_t phase) { w_.oPlotEngine_Progress(phase); };
        w_.mPlot->YieldHook = [this] {
            if (w_.YieldEvents) w_.YieldEvents();
        };
    }
    void Unbind() {
        w_.mPlot->Progress = prevProgress_;
        w_.mPlot->YieldHook = prevYield_;
    }
    void Unlock() {
        w_.setLocked(false);
        released_ = true;
    }

private:
    ViewRedraw& w_;
    std::function<void(int16_t)> prevProgress_;
    std::function<void()> prevYield_;
    bool released_ = false;
};

ViewRedraw::ViewRedraw() {
    YieldEvents = [] { QCoreApplication::processEvents(); };
}

void ViewRedraw::setLocked(bool locked) {
    for (QWidget* w : mLockWidgets)
        if (w) w->setEnabled(!locked);
    std::vector<QAction*> menus = mLockMenus;
    // Menus added to the window's bar later are held back as well.
    if (auto* mw = qobject_cast<QMainWindow*>(mForm))
        for (QAction* a : mw->menuBar()->actions())
            if (std::find(menus.begin(), menus.end(), a) == menus.end()) menus.push_back(a);
    for (QAction* a : menus)
        if (a) a->setEnabled(!locked);
}

int16_t ViewRedraw::PlotWindow() {
    if (bHoldRedraw || bPlotting || inPlotWindow_ || !mPlot) return 1;
    try {
        // The cruise's loading window and message boxes let events through
        // before bPlotting is set; this flag refuses redraws from them too.
        FlagGuard running(inPlotWindow_);
        if (AutoCruise) AutoCruise();
        SetStatusScale();
        SetStatusCenter();
        SetStatusMessage(QStringLiteral("地図描画中..."));
        int16_t result = 2;
        {
            const int32_t dpi = mView ? mView->Dpi() : Library::DblToLng(96 * picView->PixelRatio());
            const int32_t width = mView ? mView->Width() : picView->Image().width();
            const int32_t height = mView ? mView->Height() : picView->Image().height();
            if (picView->Image().width() != width || picView->Image().height() != height)
                picView->ResizePicture(width, height);
            DeviceContext dc(picView->Image(), dpi, dpi);
            result = PlotMap(&dc, dpi, dpi, width, height);
        }
        PlotCaption();
        PlotMeasure();
        if (SurveyReplot) SurveyReplot();
        if (SetScrollChange) SetScrollChange();
        SetStatusMessage(ResultMessage(result));
        if (mUnits && mUnits->Count() <= 1) SetStatusMessage(QStringLiteral("地図ファイルを開きましょう."));
        return result;
    } catch (...) {
        Fail("PlotWindow");
    }
}

int16_t ViewRedraw::PlotMap(DeviceContext* hdc, int32_t dpiX, int32_t dpiY, int32_t width, int32_t height) {
    if (bHoldRedraw || bPlotting) return 2;
    try {
        PlottingScope scope(*this);
        int32_t reserved = 0;
        if (mPlot->Options().mAcsEi && mAccessory) {
            mAccessory->Sethandle(hdc);
            mAccessory->SetWidth(width);
            mAccessory->SetHeight(height);
            mAccessory->SetDpi(dpiX);
            mAccessory->SetMapScale(mPlot->MapScale());
            mAccessory->SetMapUnits(mUnits);
            reserved = mAccessory->BackHeight();
        }
        const bool bandOnTop = !mAccessory || mAccessory->Position() == 0;
        scope.Bind();
        mPlot->mMaps = mUnits;
        mPlot->SetHdc(hdc);
        // The view's resolution, with its marker of where it came from.
        const bool fromScreen = mView && mView->DpiFromScreen() && dpiX == mView->Dpi() && dpiY == dpiX;
        mPlot->Setdpix(dpiX, fromScreen);
        mPlot->Setdpiy(dpiY, fromScreen);
        mPlot->SetCanvasLeft(0);
        mPlot->SetCanvasTop(bandOnTop ? reserved : 0);
        mPlot->SetCanvasWidth(width);
        mPlot->SetCanvasHeight(height - reserved);
        const int16_t result = mPlot->Replot();
        scope.Unbind();
        if (mPlot->Options().mAcsEi && mAccessory) mAccessory->Draw();
        if (picView) picView->Refresh();
        scope.Unlock();
        if (SetScrollChange) SetScrollChange();
        iSurveyMode = int16_t(iSurveyMode & ~4);
        iFrameCutMode = int16_t(iFrameCutMode & ~4);
        return result;
    } catch (...) {
        Fail("PlotMap");
    }
}

bool ViewRedraw::CancelPlot() {
    if (!bPlotting || !mPlot) return false;
    mPlot->mCancel = true;
    return true;
}

QString ViewRedraw::ProgressMarks(int16_t phase, int16_t n) {
    QString s;
    for (int16_t i = 1; i <= n; ++i) s += i <= phase ? QLatin1Char('*') : QLatin1Char('o');
    return s;
}

QString ViewRedraw::ResultMessage(int16_t result) {
    switch (result) {
    case 0: return {};
    case 1: return QStringLiteral("地図描画は中断されました.");
    case 2: return QStringLiteral("地図描画でエラー発生.");
    default: return QStringLiteral("地図描画で原因不明のエラー発生.");
    }
}

void ViewRedraw::oPlotEngine_Progress(int16_t phase) {
    const int16_t n = mPlot ? mPlot->PhaseNum() : 10;
    SetStatusMessage(QStringLiteral("地図描画中... ") + ProgressMarks(phase, n));
    // Once the background and the ocean are there, show the map layer by layer.
    if (phase > 2 && picView) picView->Refresh();
}

QString ViewRedraw::CaptionMark(bool locked, bool modified) {
    if (modified) return QStringLiteral(", 更新");
    if (locked) return QStringLiteral(", 変更禁止");
    return {};
}

QString ViewRedraw::CaptionText(const QString& title, const QString& path, const QString& projection,
                                const QString& mark, double widthTwips, double fontPoints) {
    const int32_t w = Library::DblToLng(widthTwips);
    const int32_t f = Library::DblToLng(fontPoints);
    const int32_t budget = f != 0 ? ((w - 2000) / f) / 10 : 0;
    const auto fixed = int32_t((title + projection + mark).size());
    const int32_t n = budget - 8 - fixed;
    return title + QStringLiteral(" - ") + Library::ShortenPath(path, n) + QStringLiteral(" - [") + projection +
           mark + QLatin1Char(']');
}

void ViewRedraw::PlotCaption() {
    try {
        if (!mForm || !mUnits || !mPlot) return;
        const auto unit = mUnits->Active();
        QString path;
        QString mark;
        if (unit) {
            path = unit->gFigures->FileName();
            mark = CaptionMark(unit->gFigures->LockMode(), unit->Modify());
        }
        const double twips = double(mForm->width()) * 1440.0 / double(mForm->logicalDpiX());
        double points = mForm->font().pointSizeF();
        if (points <= 0) points = 9;
        mForm->setWindowTitle(
            CaptionText(UiServices::AppTitle(), path, mPlot->ProjectionName(), mark, twips, points));
    } catch (...) {
        Fail("PlotCaption");
    }
}

void ViewRedraw::PlotMeasure() {
    try {
        if (!picMeasure || !mPlot) return;
        picMeasure->Clear();
        QImage& img = picMeasure->Image();
        const double ratio = picMeasure->PixelRatio();
        const int32_t dpi = clsAccessory::StripDpi(ratio);
        DeviceContext dc(img, dpi, dpi);
        const QColor fg = picMeasure->palette().color(QPalette::WindowText);
        const int32_t colour = fg.red() | (fg.green() << 8) | (fg.blue() << 16);
        clsAccessory::DrawStripMeasure(&dc, img.width(), img.height(), mPlot->dpix(), mPlot->MapScale(), colour,
                                       picMeasure->font(), mGraph, ratio);
        picMeasure->update();
    } catch (...) {
        Fail("PlotMeasure");
    }
}

void ViewRedraw::SetStatusMessage(const QString& text) {
    if (QLabel* p = stbPanels[0]) {
        p->setText(text);
        p->repaint();
    }
}

void ViewRedraw::SetStatusScale() {
    if (stbPanels[1] && mPlot) stbPanels[1]->setText(QStringLiteral("1/") + Library::FormatStdInt(mPlot->MapScale()));
}

void ViewRedraw::SetStatusCenter() {
    if (stbPanels[2] && mPlot)
        stbPanels[2]->setText(QStringLiteral("C:") +
                              HMap::MapPointTextCoarse(MapPoint{mPlot->CenterX(), mPlot->CenterY()}));
}

void ViewRedraw::SetStatusPointer() {
    if (!stbPanels[3] || !mPlot) return;
    QString text;
    if (!bPointerOnMap)
        text = QStringLiteral("********, ********");
    else if (mPlot->MapScale() <= MapProjection::ScaleMax / 200.0)
        text = HMap::MapPointText(MapPoint{lPointerLon, lPointerLat});
    else
        text = HMap::MapPointTextCoarse(MapPoint{lPointerLon, lPointerLat});
    stbPanels[3]->setText(QStringLiteral("P:") + text);
}

QString ViewRedraw::StatusText(int panel) const {
    if (panel < 1 || panel > 4 || !stbPanels[size_t(panel - 1)]) return {};
    return stbPanels[size_t(panel - 1)]->text();
}
