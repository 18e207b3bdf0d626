#include "app/MainView.h"

#include "core/Library.h"
#include "core/PublicVal.h"
#include "platform/Desktop.h"
#include "render/clsView.h"

#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>

namespace {

constexpr int kRow = 24;      // the top row: scale bar, view area, slider
constexpr int kBar = 17;      // scroll bar thickness
constexpr int kMinWidth = 6525; // twips
constexpr int kMinHeight = 4500;
constexpr int kResizeSettle = 40; // ms without a further resize

} // namespace

MainView::MainView(QMainWindow* form, QMenu* fileMenu) : QObject(form), mForm(form) {
    inner = new QWidget(form);
    form->setCentralWidget(inner);
    picMeasure = new MapPicture(inner);
    picMeasure->SetFollowSize(true);
    picMeasure->setAcceptDrops(false);
    picMeasure->setGeometry(0, 0, 400, kRow);
    picViewArea = new QWidget(inner);
    picViewArea->setGeometry(406, 0, 48, kRow);
    picScale = new QWidget(inner);
    picScale->setGeometry(460, 0, 200, kRow);
    picScaleSmall = new QToolButton(picScale);
    picScaleSmall->setText(QStringLiteral("－"));
    picScaleSmall->setToolTip(QStringLiteral("縮尺を小さくする"));
    picScaleSmall->setGeometry(0, 0, kRow, kRow);
    sliScale = new QSlider(Qt::Horizontal, picScale);
    sliScale->setGeometry(kRow, 0, 200 - 2 * kRow, kRow);
    picScaleLarge = new QToolButton(picScale);
    picScaleLarge->setText(QStringLiteral("＋"));
    picScaleLarge->setToolTip(QStringLiteral("縮尺を大きくする"));
    picScaleLarge->setGeometry(200 - kRow, 0, kRow, kRow);
    picView = new MapPicture(inner);
    picView->SetPixelRatio(Desktop::DevicePixelRatio());
    picMeasure->SetPixelRatio(Desktop::DevicePixelRatio());
    picView->PixelRatioChanged = [this](double ratio) { SetPixelRatio(ratio); };
    picView->move(0, kRow + 4);
    picView->ResizePicture(Library::DblToLng(640 * picView->PixelRatio()),
                           Library::DblToLng(400 * picView->PixelRatio()));
    vsbView = new QScrollBar(Qt::Vertical, inner);
    vsbView->setGeometry(640, kRow + 4, kBar, 400);
    hsbView = new QScrollBar(Qt::Horizontal, inner);
    hsbView->setGeometry(0, kRow + 4 + 400, 640, kBar);
    for (size_t i = 0; i < stbPanels.size(); ++i) {
        stbPanels[i] = new QLabel(form);
        form->statusBar()->addWidget(stbPanels[i], i == 0 ? 1 : 0);
    }
    stbPanels[2]->setToolTip(QStringLiteral("地図ビュー中心座標"));

    redraw.mForm = form;
    redraw.picView = picView;
    redraw.picMeasure = picMeasure;
    redraw.stbPanels = stbPanels;
    controls = std::make_unique<ViewControls>(redraw, hsbView, vsbView, sliScale);
    controls->mForm = form;
    controls->mInner = inner;
    controls->picScale = picScale;
    controls->picViewArea = picViewArea;
    controls->picMeasure = picMeasure;
    redraw.SetScrollChange = [this] { controls->SetScrollChange(); };
    redraw.mLockWidgets = {sliScale, hsbView, vsbView};
    files = std::make_unique<FileCommands>(redraw, *controls);
    files->BuildFileMenu(fileMenu);
    picView->FilesDropped = [this](const QStringList& paths) { files->picView_OLEDragDrop(paths); };
    survey = std::make_unique<SurveyTool>(redraw);
    frameCut = std::make_unique<FrameCut>(redraw, *controls);
    pointer = std::make_unique<ViewPointer>(redraw, *controls, *survey, *frameCut);
    pointer->Attach(picView);
    popup = new ViewPopupMenu(redraw, *controls, *survey, form);
    popup->CruiseExe = [this] { files->mnuCruiseExe->trigger(); };
    popup->MapCopy = [this] { files->mnuMapCopy_Click(); };
    pointer->ShowPopup = [this](const QPoint& at) { popup->Show(at); };
    redraw.SurveyReplot = [this] { survey->SurveyReplot(); };
    QObject::connect(picScaleSmall, &QToolButton::clicked, [this] { controls->picScaleSmall_Click(); });
    QObject::connect(picScaleLarge, &QToolButton::clicked, [this] { controls->picScaleLarge_Click(); });

    resizeTimer.setSingleShot(true);
    resizeTimer.setInterval(kResizeSettle);
    QObject::connect(&resizeTimer, &QTimer::timeout, this, [this] {
        if (redraw.bPlotting) resizePending_ = true;
        else Form_Resize();
    });
    redraw.DrawingEnded = [this] {
        if (resizePending_) {
            resizePending_ = false;
            resizeTimer.start();
        }
    };

    const int tx = Desktop::TwipsPerPixelX(), ty = Desktop::TwipsPerPixelY();
    leastSize_ = QSize((kMinWidth + tx - 1) / tx, (kMinHeight + ty - 1) / ty);
    form->setMinimumSize(leastSize_);
    inner->installEventFilter(this);
}

MainView::~MainView() { inner->removeEventFilter(this); }

void MainView::Form_Resize() {
    if (!redraw.mUnits || redraw.bPlotting || mForm->isMinimized()) return;
    // The minimum size is only a hint to the window manager: hold it here
    // too, the width first (each change comes back as a resize).
    const QSize least = leastSize_;
    if (mForm->width() < least.width()) {
        mForm->resize(least.width(), mForm->height());
        return;
    }
    if (mForm->height() < least.height()) {
        mForm->resize(mForm->width(), least.height());
        return;
    }
    controls->LayoutControls();
    mForm->repaint();
    redraw.PlotWindow();
}

void MainView::SetPixelRatio(double ratio) {
    const double old = picView->PixelRatio();
    if (!(ratio > 0) || ratio == old) return;
    Desktop::SetPixelRatio(ratio);
    // Resolutions that came from the screen follow it; those the user set stay.
    if (redraw.mView && redraw.mView->DpiFromScreen()) redraw.mView->SetDpi(Library::ScreenDPI(), true);
    if (PublicVal::gvScreenDPIFromScreen) PublicVal::gvScreenDPI = Library::ScreenDPI();
    picView->SetPixelRatio(ratio);
    picMeasure->SetPixelRatio(ratio);
    // The layout gives the new image size, and the redraw follows it.
    resizeTimer.start();
}

void MainView::Detach() {
    resizeTimer.stop();
    resizePending_ = false;
    redraw.mUnits = nullptr;
    redraw.mPlot = nullptr;
    redraw.mAccessory = nullptr;
    redraw.mView = nullptr;
    redraw.mGraph = nullptr;
}

bool MainView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == inner && event->type() == QEvent::Resize) {
        controls->PlaceScrollBars();
        resizeTimer.start();
    }
    return QObject::eventFilter(watched, event);
}
