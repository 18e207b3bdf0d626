#include "app/frmMain.h"

#include "app/HelpMenu.h"
#include "app/HtmlHelp.h"
#include "app/MainGuard.h"
#include "app/frmAbout.h"
#include "app/frmPalette.h"
#include "platform/DialogFrame.h"
#include "platform/FilePicker.h"
#include "platform/KeyHold.h"
#include "platform/MouseWheel.h"
#include "app/MainView.h"
#include "app/ViewMenu.h"
#include "app/SettingsCommands.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "cruise/clsCruise05.h"
#include "dialogs/PlaceJump.h"
#include "dialogs/frmJump05.h"
#include "legend/frmMapSymbol.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "platform/ApiLib.h"
#include "platform/Cp932Codec.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedUi.h"
#include "platform/UiServices.h"
#include "platform/WindowFit.h"
#include "render/clsMapGraph.h"
#include "render/clsView.h"

#include "render/clsMapPlot.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFontDatabase>
#include <QIcon>
#include <QPixmap>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <algorithm>

using namespace PublicVal;

namespace {

const QString kName = QStringLiteral("frmMain");

double Tpp() { return Desktop::TwipsPerPixelX(); }

// Each question of the cruise start check.
bool AskCruise(const QString& setName) {
    return Library::MsgYesNo(QStringLiteral("クルーズ機能で〔") + setName + QStringLiteral("〕を使用しますか？"));
}

bool AllOf(int32_t mask, int32_t bits) { return (mask & bits) == bits; }

} // namespace

frmMain::frmMain() {
    previousHost_ = SetHost(this);
    DialogFrame::SetHelpHandler([](int32_t id) { HtmlHelp::HelpContext(id); });
    // Lists are saved beside the maps, not wherever the program was started.
    FilePicker::SetRelativeFolder([] { return gvMapFolder; });
    PublicVal::SetMainWindow(this);
    BuildWindow();
    // Esc belongs to the window whichever of its controls has the keyboard.
    qApp->installEventFilter(this);
    // The keys typed behind one that opens the help are the help's.
    new KeyHold(this);
}

frmMain::~frmMain() {
    qApp->removeEventFilter(this);
    // The output settings keep this window as their picture: they go first.
    if (!unloaded_ && gvView) {
        try {
            gvTerminate();
        } catch (...) {
        }
    }
    PublicVal::SetMainWindow(nullptr);
    SetHost(previousHost_);
    DialogFrame::SetHelpHandler({});
    FilePicker::SetRelativeFolder({});
}

void frmMain::BuildWindow() {
    setWindowTitle(UiServices::AppTitle());
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    view_ = new MainView(this, file);
    settings_ = std::make_unique<SettingsCommands>(this, *view_);
    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    ConnectViewMenu(viewMenu);
    QMenu* tool = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    view_->pointer->BuildToolMenu(tool);
    tool->addAction(QStringLiteral("環境設定(&E)..."), this, [this] { mnuEnvironment_Click(); });
    view_->popup->ScrollItem = [this](int index) { mnuPopupScrollItem_Click(index); };
    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    HelpMenu::Fill(help, this);
    view_->redraw.mLockMenus = {file->menuAction(), viewMenu->menuAction(), tool->menuAction(), help->menuAction(),
                                view_->popup->mnuPopup->menuAction()};
    // The keys belong to the window: no control of the view takes the focus
    // (the slider and the buttons would keep the arrow keys to themselves).
    for (QWidget* w : {static_cast<QWidget*>(view_->sliScale), static_cast<QWidget*>(view_->picScaleSmall),
                       static_cast<QWidget*>(view_->picScaleLarge)})
        w->setFocusPolicy(Qt::NoFocus);
    ViewRedraw& r = view_->redraw;
    r.DrawingEnded = [this, next = r.DrawingEnded] {
        if (next) next();
        if (closeAfterDrawing_) {
            closeAfterDrawing_ = false;
            // Kept open: the drawing the close interrupted is made again.
            QTimer::singleShot(0, this, [this] {
                if (!close()) MainGuard::Guarded("Form_QueryUnload", [this] { PlotWindow(); });
            });
        }
    };
}

void frmMain::ConnectViewMenu(QMenu* menu) {
    viewMenu_ = new ViewMenu(view_->redraw, menu);
    ViewMenu& v = *viewMenu_;
    v.Home = [this] { mnuHome_Click(); };
    v.LanguageItem = [this](int32_t language) { mnuLanguageItem_Click(language); };
    v.MapSymbol = [this] { mnuMapSymbol_Click(); };
    v.Jump = [this] { mnuJump_Click(); };
    v.Projection = [this] { mnuVospProjection_Click(); };
    v.Grid = [this] { mnuGrid_Click(); };
    v.Accessory = [this] { mnuAccessory_Click(); };
    v.CruiseAuto = [] { return gvCruise && gvCruise->mEiAuto; };
    v.CruiseAutoOff = [] {
        if (gvCruise) gvCruise->mEiAuto = false;
    };
}

// The view and its commands reach the singletons made by gvInitialize.
void frmMain::ConnectView() {
    ViewRedraw& r = view_->redraw;
    r.mPlot = gvMapPlot;
    r.mUnits = gvMapUnits;
    r.mAccessory = gvAccessory;
    r.mView = gvView;
    r.mGraph = gvMapGraph;
    r.YieldEvents = [] { QCoreApplication::processEvents(); };
    r.AutoCruise = [] {
        if (gvCruise && gvCruise->mEiAuto && gvMapMode == 1) {
            clsRect field = gvMapPlot->Field();
            gvCruise->Cruise(gvMapPlot->MapScale(), &field, gvMapUnits);
        }
    };
    view_->controls->mView = gvView;
    view_->controls->YieldEvents = r.YieldEvents;
    FileCommands& f = *view_->files;
    f.ReadLog = [](const QString& path) { return static_cast<int16_t>(gvReadLog(path)); };
    f.WriteLog = [](const QString& path) { return static_cast<int16_t>(gvWriteLog(path)); };
    f.ScaleToLevel = [](double scale) { return gvCruise ? gvCruise->ScaleToLevel(scale) : int16_t(-1); };
    f.LogPath = [](int32_t item) {
        switch (item) {
        case 1: return LogLast();
        case 2: return LogClip();
        case 3: return LogPrint();
        default: return gvLastLog;
        }
    };
    f.AuthorURLhome = [] { return AuthorURLhome(); };
    f.PngPath = [] { return gvView->PngPath(); };
    f.WriteClip = [] { return gvView->WriteClip(); };
    f.CruiseRun = [this] { CruiseOnce(); };
    f.CruiseSettings = [this] { mnuCruiseSet_Click(); };
    f.ImageSize = [this] { mnuMapSize_Click(); };
    f.LastSavePath = &gvLastSavePath;
}

void frmMain::mnuVospProjection_Click() { settings_->mnuVospProjection_Click(); }
void frmMain::mnuGrid_Click() { settings_->mnuGrid_Click(); }
void frmMain::mnuAccessory_Click() { settings_->mnuAccessory_Click(); }
void frmMain::mnuEnvironment_Click() { settings_->mnuEnvironment_Click(); }
void frmMain::mnuMapSize_Click() { settings_->mnuMapSize_Click(); }
void frmMain::mnuCruiseSet_Click() { settings_->mnuCruiseSet_Click(); }

void frmMain::CruiseOnce() {
    if (!gvCruise || !gvMapPlot) return;
    clsRect field = gvMapPlot->Field();
    {
        const Library::BusyPointer busy;
        gvCruise->Cruise(gvMapPlot->MapScale(), &field, gvMapUnits);
    }
    PlotWindow();
}

// ---- start-up -------------------------------------------------------------

void frmMain::FatalStop(const QString& message, const QString& procName) {
    try {
        ErrorMng::RaiseNew(ErrBase + 1003, kName, procName, message);
    } catch (...) {
        ErrorMng::FatalError(QStringLiteral("by StopError"));
    }
}

QString frmMain::CheckHelpFile() {
    const QString path = HtmlHelp::HelpFile();
    if (Library::FileExists(path)) return {};
    return QStringLiteral("ヘルプファイル ") + path + QStringLiteral(" が見つかりません.");
}

bool frmMain::CheckLanguage(const QLocale& locale) { return Desktop::IsJapaneseLocale(locale); }

QString frmMain::LanguageMessage() {
    return QStringLiteral("システムの言語設定 (LANG) を [日本語] (ja_JP.UTF-8) に変更してください.");
}

QList<frmMain::Component> frmMain::RuntimeComponents() {
    const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QString platformPlugin = plugins + QStringLiteral("/platforms/libqxcb.so");
    const QString japanese = translations + QStringLiteral("/qtbase_ja.qm");
    return {
        {platformPlugin, [platformPlugin] { return FileSystem::IsFile(platformPlugin); }},
        {japanese, [japanese] { return FileSystem::IsFile(japanese); }},
        {QStringLiteral("iconv CP932"), [] { return Cp932Available(); }},
        {QStringLiteral("日本語フォント"),
         [] { return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty(); }},
        {QStringLiteral("xdg-open"), [] { return !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty(); }},
    };
}

QString frmMain::RuntimeListPath() { return FileSystem::WritableFolder() + QStringLiteral("/Runtime.txt"); }

QStringList frmMain::CheckRuntime(const QList<Component>& components) {
    QStringList missing;
    for (const Component& c : components)
        if (!c.present || !c.present()) missing << c.name;
    if (!missing.isEmpty()) {
        QStringList lines{QStringLiteral("次のランタイムファイルが見つかりませんでした."),
                          QStringLiteral("作者サイトより「ランタイムセット」を入手してください.")};
        lines << missing;
        try {
            FileSystem::WriteCp932Lines(RuntimeListPath(), lines);
        } catch (...) {
            // The list is a hint only; start-up goes on without it.
        }
    }
    return missing;
}

void frmMain::CruiseStartCheck(int32_t last, int32_t now, CruiseSwitches& s) {
    // Bits of the standard-map mask: 0 sea floor, 1..6 auto-cruise set A,
    // 7..10 topographic (set B), 15..18 traffic.
    if ((now & 0x1) == 0) s.ocean = false;
    if ((now & 0x601F80) == 0) s.topo = false;
    if ((now & 0x187E000) == 0) s.traffic = false;
    if (last == now) return;
    bool askAuto = false;
    if ((last & 0x1) == 0 && (now & 0x1) != 0 && AskCruise(QStringLiteral("海底地形図"))) s.ocean = true;
    if (!AllOf(last, 0x78000) && AllOf(now, 0x78000) && AskCruise(QStringLiteral("交通図"))) s.traffic = true;
    if (!AllOf(last, 0x7E) && AllOf(now, 0x7E)) askAuto = true;
    if (!AllOf(last, 0x780) && AllOf(now, 0x780)) {
        askAuto = true;
        if (AskCruise(QStringLiteral("地形図"))) s.topo = true;
    }
    if (askAuto && AskCruise(QStringLiteral("オートクルーズ"))) s.autoCruise = true;
}

void frmMain::ShowSplash() {
    frmAbout& about = frmAbout::Instance(this);
    about.ShowAsSplash();
    splash_ = &about;
    QCoreApplication::processEvents();
}

void frmMain::CloseSplash() {
    if (splash_) splash_->close();
    splash_ = nullptr;
}

void frmMain::Form_Load(const QStringList& args) {
    try {
        view_->redraw.bHoldRedraw = true;
        Library::ScreenMousePointer(MousePtr::Hourglass);
        ShowSplash();

        if (const QString missing = CheckHelpFile(); !missing.isEmpty()) FatalStop(missing, QStringLiteral("Form_Load"));
        if (ApiLib::GetSystemDir().isEmpty())
            FatalStop(QStringLiteral("Windowsシステムフォルダを取得できません."), QStringLiteral("Form_Load"));
        CheckRuntime(RuntimeComponents());
        if (!CheckLanguage(QLocale::system()))
            FatalStop(LanguageMessage(), QStringLiteral("Form_Load"));

        const int16_t result = gvInitialize();
        if (result != 0) FatalStop(InitializeMessage(result), QStringLiteral("Form_Load"));

        ShowFirstView();

        ApplyCruiseStartCheck();
        StartContent(args);
        Library::ScreenMousePointer(-1);
    } catch (const ProcessExit&) {
        throw;
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, kName, QStringLiteral("Form_Load"));
    }
}

void frmMain::ShowFirstView() {
    ConnectView();
    ApplyIconAndCursor();
    // The status bar's face changes its height: set it before the window is
    // fitted around the picture.
    QFont f = statusBar()->font();
    f.setFamily(gvDefaultFont);
    statusBar()->setFont(f);

    view_->redraw.bHoldRedraw = true;
    // The window is not shown yet: lay out its menu, central area and
    // status bar now so that fitting it around the picture measures them.
    if (layout()) layout()->activate();
    const QSize restored = view_->picView->Image().size();
    view_->controls->ResizeFormByView();
    view_->controls->SetScrollRange();
    view_->controls->SetViewControllByEngine();
    view_->redraw.bHoldRedraw = false;
    PlotWindow();
    // The first drawing filled the status bar, whose height may have grown
    // with its texts: fit the window again so that the picture keeps its
    // restored size (nothing moves when the size still fits).
    view_->redraw.bHoldRedraw = true;
    // Hidden, the bar's layout takes in its new texts only when asked.
    if (QLayout* bar = statusBar()->layout()) bar->activate();
    if (layout()) layout()->activate();
    view_->controls->ResizeFormByView();
    view_->redraw.bHoldRedraw = false;
    CloseSplash();
    // Not shown yet, the position is the one last asked for, by the
    // settings or by the fitting (which keeps the window on the screen).
    const bool placed = testAttribute(Qt::WA_Moved);
    const QPoint frameAt = pos();
    show();
    if (placed) PlaceFrame(frameAt);
    if (view_->picView->Image().size() != restored) {
        // The picture was cut to what the screen leaves it inside an
        // estimated frame: cut it again to the real one, as a snapshot
        // opened now would be.
        WaitForFrame();
        view_->redraw.bHoldRedraw = true;
        view_->picView->ResizePicture(restored.width(), restored.height());
        view_->controls->ResizeFormByView();
        view_->redraw.bHoldRedraw = false;
        PlotWindow();
    }
}

void frmMain::WaitForFrame() {
    if (framed_) return;
    // Until the window manager has framed the window a move places its
    // inside and the frame's size is unknown.
    for (int i = 0; i < 200 && windowHandle() && !windowHandle()->isExposed(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    QCoreApplication::processEvents();
    framed_ = true;
}

void frmMain::PlaceFrame(QPoint at) {
    // Framed, the frame goes where it belongs.
    WaitForFrame();
    if (frameGeometry().topLeft() != at) move(at);
}

void frmMain::ApplyIconAndCursor() {
    setWindowIcon(QIcon(QStringLiteral(":/window/icon1010.xpm")));
    // The cross-hair's centre is the point taken.
    view_->picView->setCursor(QCursor(QPixmap(QStringLiteral(":/window/cursor1101.xpm")), 16, 16));
}

void frmMain::ApplyCruiseStartCheck() {
    if (!gvCruise) return;
    const int32_t last = gvCruise->LastStdMapList().toInt();
    const int32_t now = gvCruise->GetStdMapList();
    CruiseSwitches s{gvCruise->mEiOcean, gvCruise->mEiTopo, gvCruise->mEiTraffic, gvCruise->mEiAuto};
    CruiseStartCheck(last, now, s);
    gvCruise->mEiOcean = s.ocean;
    gvCruise->mEiTopo = s.topo;
    gvCruise->mEiTraffic = s.traffic;
    gvCruise->mEiAuto = s.autoCruise;
}

void frmMain::StartContent(const QStringList& args) {
    const QString first = args.isEmpty() ? QString() : args.first();
    if (!first.isEmpty()) {
        // Only a map or a snapshot the user named ends the automatic cruise:
        // the redraw after a failed open may have cruised maps in itself.
        const QString kind = first.right(4).toUpper();
        const bool opened = LoadFile(first);
        if (opened && (kind == QStringLiteral(".MLL") || kind == QStringLiteral(".MLG")) &&
            gvMapUnits->Count() > 1 && gvCruise)
            gvCruise->mEiAuto = false;
    }
    if (gvMapUnits->Count() > 1) return;
    if (gvStartMapType == 1 && gvMapMode == 1) {
        CruiseOnce();
    } else if (gvStartMapType == 2) {
        LoadFile(gvStartMapFile);
    }
}

// ---- files and drawing ------------------------------------------------------

bool frmMain::LoadFile(const QString& path) { return view_->files->LoadFile(path); }

void frmMain::PlotWindow() { view_->redraw.PlotWindow(); }

void frmMain::mnuHome_Click() { view_->popup->mnuHome_Click(); }
void frmMain::mnuLanguageItem_Click(int32_t language) { view_->popup->mnuLanguageItem_Click(language); }

void frmMain::mnuMapSymbol_Click() {
    MainGuard::Guarded("mnuMapSymbol_Click", [&] {
        if (!mapSymbol_) {
            // Modal to this window only, as every dialog: the help stays usable.
            mapSymbol_ = std::make_unique<frmMapSymbol>(this);
            mapSymbol_->PlotWindow = [this] { PlotWindow(); };
            mapSymbol_->CruiseAuto = [] { return gvCruise && gvCruise->mEiAuto; };
            mapSymbol_->SetCruiseAuto = [](bool on) {
                if (gvCruise) gvCruise->mEiAuto = on;
            };
        }
        frmMapSymbol& dlg = *mapSymbol_;
        dlg.mMapUnits = gvMapUnits;
        dlg.PlaceFirst(this, 1500, 600);
        const bool ok = dlg.ShowModal();
        dlg.mMapUnits = nullptr;
        if (ok) PlotWindow();
    });
}

int32_t frmMain::PictureWidth() const { return view_->picView->Image().width(); }
int32_t frmMain::PictureHeight() const { return view_->picView->Image().height(); }
void frmMain::ResizePicture(int32_t width, int32_t height) { view_->picView->ResizePicture(width, height); }
QImage frmMain::PictureImage() const { return view_->picView->Image(); }

QSize frmMain::FrameExtra() const {
    // Maximised or full screen, the window manager may drop parts of the
    // frame (openbox its bottom handle); a picture that needs the whole
    // screen brings the window back to normal, frame and all.
    if (isMaximized() || isFullScreen()) return normalFrame_.isValid() ? normalFrame_ : frameGeometry().size() - size();
    NoteFrame();
    return frameGeometry().size() - size();
}

void frmMain::NoteFrame() const {
    if (isVisible() && !isMaximized() && !isFullScreen() && !isMinimized())
        normalFrame_ = frameGeometry().size() - size();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    NoteFrame();
}

void frmMain::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    NoteFrame();
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    NoteFrame();
}

QSize frmMain::OuterSize() const {
    const QSize outer = frameGeometry().size();
    // At a fractional pixel ratio the frame's edges, each rounded to
    // logical pixels, can pass what a full window covers: the screen less
    // its panels when maximised, the whole screen when full screen.
    if (isMaximized()) return outer.boundedTo(WindowFit::AvailableArea(this).size());
    if (isFullScreen() && screen()) return outer.boundedTo(screen()->geometry().size());
    return outer;
}

double frmMain::WindowWidthTwips() const { return OuterSize().width() * Tpp(); }
double frmMain::WindowHeightTwips() const { return OuterSize().height() * Tpp(); }
double frmMain::NormalWindowWidthTwips() const { return (width() + FrameExtra().width()) * Tpp(); }
double frmMain::NormalWindowHeightTwips() const { return (height() + FrameExtra().height()) * Tpp(); }
double frmMain::HScrollWidthTwips() const { return view_->hsbView->width() * Tpp(); }
double frmMain::VScrollHeightTwips() const { return view_->vsbView->height() * Tpp(); }
// The window's own screen, less the panels.
double frmMain::ScreenWidthTwips() const { return WindowFit::AvailableArea(this).width() * Tpp(); }
double frmMain::ScreenHeightTwips() const {
    return WindowFit::AvailableArea(this).height() * Desktop::TwipsPerPixelY();
}
double frmMain::WindowLeft() const { return frameGeometry().x() * Tpp(); }
double frmMain::WindowTop() const { return frameGeometry().y() * Tpp(); }

void frmMain::MoveWindow(double left, double top) {
    // The outer edges, frame included.
    const QPoint at(Library::DblToLng(left / Tpp()), Library::DblToLng(top / Tpp()));
    if (isVisible()) PlaceFrame(at);
    else move(at);
}

bool frmMain::UnloadMapUnit(clsMapUnit& unit) { return view_->files->UnloadMapUnit(unit); }

void frmMain::mnuJump_Click() {
    try {
        if (!jump_) jump_ = std::make_unique<frmJump05>(this);
        jump_->mMapUnits = gvMapUnits;
        jump_->PlaceFirst(this, 1500, 600);
        jump_->ShowModal();
        jump_->mMapUnits = nullptr;
        if (!jump_->mResult || !gvMapPlot) return;
        PlaceJump::Apply(*gvMapPlot, gvCruise, MapPoint{jump_->mCx, jump_->mCy}, jump_->mScaleMin, jump_->mScaleMax);
        view_->controls->SetViewControllByEngine();
        PlotWindow();
    } catch (const ProcessExit&) {
        throw;
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, kName, QStringLiteral("mnuJump_Click"));
    }
}

// ---- shut-down --------------------------------------------------------------

bool frmMain::Form_QueryUnload() {
    if (!Library::MsgYesNo(UiServices::AppTitle() + QStringLiteral(" アプリケーションを終了しますか ?"))) return false;
    repaint();
    // A save cancelled, in its file-error prompt or in the picker asking for
    // another name, keeps the program open.
    if (gvMapUnits)
        for (const auto& u : *gvMapUnits)
            if (u && !view_->files->UnloadMapUnit(*u)) return false;
    gvWriteLog(LogLast());
    return true;
}

bool frmMain::Form_Unload() {
    unloaded_ = true;
    view_->Detach();
    HtmlHelp::HelpCloseAll();
    MouseWheel::UnhookWheelAll();
    gvTerminate();
    return gvMapUnits != nullptr;
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (unloaded_) {
        event->accept();
        return;
    }
    if (view_->redraw.bPlotting) {
        // The drawing still uses what the close would release.
        view_->redraw.CancelPlot();
        closeAfterDrawing_ = true;
        event->ignore();
        return;
    }
    MainGuard::Guarded("Form_QueryUnload", [&] {
        if (!Form_QueryUnload()) {
            event->ignore();
            return;
        }
        if (Form_Unload()) Ui().ExitProcess(0);
        event->accept();
    });
}

void frmMain::keyPressEvent(QKeyEvent* event) {
    MainGuard::Guarded("Form_KeyDown", [&] {
        switch (event->key()) {
        case Qt::Key_Escape:
            EscapeKey();
            return;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (!view_->redraw.bPlotting) {
                const int key = event->key();
                mnuPopupScrollItem_Click(key == Qt::Key_Left ? 0 : key == Qt::Key_Right ? 1 : key == Qt::Key_Up ? 2 : 3);
            }
            return;
        case Qt::Key_Minus:
            if (!view_->redraw.bPlotting && (event->modifiers() & Qt::KeypadModifier)) view_->controls->picScaleSmall_Click();
            return;
        case Qt::Key_Plus:
            if (!view_->redraw.bPlotting && (event->modifiers() & Qt::KeypadModifier)) view_->controls->picScaleLarge_Click();
            return;
        default:
            QMainWindow::keyPressEvent(event);
        }
    });
}

void frmMain::EscapeKey() {
    if (!view_->redraw.CancelPlot()) view_->pointer->EndTools();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || watched == this || !watched->isWidgetType()) return false;
    if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
    auto* w = static_cast<QWidget*>(watched);
    // Pop-up menus and dialogs are windows of their own and keep their Esc.
    if (w->window() != this) return false;
    // With an item highlighted the menu bar is in use: Esc leaves it.
    QMenuBar* bar = menuBar();
    if (bar->activeAction()) return false;
    MainGuard::Guarded("Form_KeyDown", [&] { EscapeKey(); });
    // A menu opened by its access key leaves the bar holding the keyboard,
    // where it would take every Esc: give the keyboard back to the window.
    if (bar->hasFocus()) bar->clearFocus();
    return true;
}

void frmMain::mnuPopupScrollItem_Click(int index) {
    MainGuard::Guarded("mnuPopupScrollItem_Click", [&] {
        VbScrollBar& h = view_->controls->hsbView;
        VbScrollBar& v = view_->controls->vsbView;
        if (index == 0 || index == 1) {
            int32_t x = h.Value() + (index == 0 ? -h.LargeChange() : h.LargeChange());
            if (gvMapMode == 1) {
                // Longitude goes on round the globe.
                if (x < -10800) x += 21600;
                if (x > 10799) x -= 21600;
            }
            h.SetValue(x);
        } else if (index == 2 || index == 3) {
            const int32_t lo = std::min(v.Min(), v.Max()), hi = std::max(v.Min(), v.Max());
            const int32_t y = v.Value() + (index == 2 ? v.LargeChange() : -v.LargeChange());
            v.SetValue(std::clamp(y, lo, hi));
        }
    });
}

void frmMain::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Print && !view_->redraw.bPlotting) {
        view_->files->mnuMapCopy_Click();
        return;
    }
    QMainWindow::keyReleaseEvent(event);
}

void frmMain::WindupError() {
    static bool running = false;
    if (running) return;
    running = true;
    const bool initialised = gvInitialized();
    // Before the initialisation finished nothing the user made exists yet:
    // no saves, no "ERROR" snapshot (and gvTerminate writes no settings).
    if (initialised && !ErrorMng::IsFileError()) {
        try {
            // A cancelled save only skips that list: the wind-up goes on.
            if (gvMapUnits)
                for (const auto& u : *gvMapUnits)
                    if (u) UnloadMapUnit(*u);
        } catch (...) {
        }
        try {
            gvWriteLog(LogError());
        } catch (...) {
        }
    }
    try {
        HtmlHelp::HelpCloseAll();
        MouseWheel::UnhookWheelAll();
    } catch (...) {
    }
    try {
        unloaded_ = true;
        view_->Detach();
        gvTerminate();
    } catch (...) {
    }
    running = false;
}

void frmMain::HelpContext(int32_t contextId) { HtmlHelp::HelpContext(contextId); }

int32_t frmMain::InputRealColor(int32_t initial) { return frmPalette::InputRealColor(this, initial); }

int32_t frmMain::InputNativeColor(int32_t initial) { return frmPalette::InputNativeColor(this, initial); }
