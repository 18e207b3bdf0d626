#pragma once
// The main window: start-up and shut-down of the program, the view picture
// and the window's own keys. Its load handler runs the whole start-up.
#include "app/PublicSetup.h"
#include "core/AppHost.h"
#include "render/ViewHost.h"

#include <QImage>
#include <QLocale>
#include <QPoint>
#include <QSize>
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>

class MainView;
class ViewMenu;
class SettingsCommands;
class frmMapSymbol;
class QAction;
class QLabel;
class QMenu;
class QWidget;
class frmJump05;

class frmMain : public QMainWindow, public AppHost, public ViewHost, public PublicVal::MainWindowLink {
public:
    frmMain();
    ~frmMain() override;

    // The start-up sequence; a failed check stops the program through the
    // fatal-error routine. `args` are the program's arguments (without the
    // program name).
    void Form_Load(const QStringList& args);
    // Asks whether to end; on Yes offers the saves and writes the exit
    // snapshot. False when the user said No.
    bool Form_QueryUnload();
    // Releases everything; true when the open maps were too large to tear
    // down and the process has to end at once.
    bool Form_Unload();

    // Start-up checks.
    // The help index in the program folder; "" when it is there, else the
    // message of the fatal stop.
    static QString CheckHelpFile();
    static bool CheckLanguage(const QLocale& locale);
    // The stop message when the check fails: it names this system's setting.
    static QString LanguageMessage();
    struct Component {
        QString name;
        std::function<bool()> present;
    };
    // What the program needs of the system besides its own files.
    static QList<Component> RuntimeComponents();
    // The names of the missing components; when any is missing they are
    // written to "Runtime.txt" in the program's own folder.
    static QStringList CheckRuntime(const QList<Component>& components);
    static QString RuntimeListPath();

    // The standard-map switches that the cruise start check may change.
    struct CruiseSwitches {
        bool ocean = false;
        bool topo = false;
        bool traffic = false;
        bool autoCruise = false;
    };
    // `last` the mask of the previous run, `now` the maps present now.
    static void CruiseStartCheck(int32_t last, int32_t now, CruiseSwitches& s);

    // One large step of a scroll bar: 0 west, 1 east (longitude wraps
    // into -10800..10799), 2 north, 3 south (kept within the bar's range).
    // The bar's change event moves and redraws the view.
    void mnuPopupScrollItem_Click(int index);

    // The window's icon and the map view's cursor (resources 1010, 1101).
    void ApplyIconAndCursor();

    // Fits the window around the restored picture, draws the first view
    // and shows the window where the settings placed its frame.
    void ShowFirstView();
    // After the first drawing: the file named on the command line, then,
    // with no map open, the start mode.
    void StartContent(const QStringList& args);

    // Opens a map file or a snapshot; true when it opened.
    bool LoadFile(const QString& path);
    void PlotWindow();
    // Opens the map-symbol dialog on the loaded units.
    void mnuMapSymbol_Click();
    // Opens the place-name jump and moves the view to the chosen place.
    void mnuJump_Click();

    // View commands shared by the View menu and the view's pop-up menu.
    void mnuHome_Click();
    void mnuLanguageItem_Click(int32_t language);

    // AppHost
    void WindupError() override;
    void HelpContext(int32_t contextId) override;
    int32_t InputRealColor(int32_t initial) override;
    int32_t InputNativeColor(int32_t initial) override;

    // ViewHost
    int32_t PictureWidth() const override;
    int32_t PictureHeight() const override;
    void ResizePicture(int32_t width, int32_t height) override;
    QImage PictureImage() const override;
    double WindowWidthTwips() const override;
    double WindowHeightTwips() const override;
    double NormalWindowWidthTwips() const override;
    double NormalWindowHeightTwips() const override;
    double HScrollWidthTwips() const override;
    double VScrollHeightTwips() const override;
    double ScreenWidthTwips() const override;
    double ScreenHeightTwips() const override;

    // MainWindowLink
    ViewHost* View() override { return this; }
    double WindowLeft() const override;
    double WindowTop() const override;
    void MoveWindow(double left, double top) override;
    bool UnloadMapUnit(clsMapUnit& unit) override;

    MainView* MainArea() const { return view_; }
    ViewMenu* ViewMenuItems() const { return viewMenu_; }

    // The settings dialogs, for the menus that open them.
    void mnuVospProjection_Click();
    void mnuGrid_Click();
    void mnuAccessory_Click();
    void mnuEnvironment_Click();
    void mnuMapSize_Click();
    void mnuCruiseSet_Click();
    SettingsCommands* Settings() const { return settings_.get(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    [[noreturn]] void FatalStop(const QString& message, const QString& procName);
    void ShowSplash();
    void CloseSplash();
    void BuildWindow();
    void ApplyCruiseStartCheck();
    void ConnectView();
    void ConnectViewMenu(QMenu* menu);
    void CruiseOnce();
    // Esc: cancels a running drawing, otherwise ends the tools.
    void EscapeKey();

    // Moves the frame's top-left to `at`, once the window manager has
    // framed the window.
    void PlaceFrame(QPoint at);
    // Lets the window manager frame the window shown the first time.
    void WaitForFrame();

    // What the frame adds to the inside, as it is when the window is neither
    // maximised nor full screen.
    QSize FrameExtra() const;
    // The outer size as the window stands, no larger than the screen when
    // it is full.
    QSize OuterSize() const;
    void NoteFrame() const;

    bool unloaded_ = false;
    mutable QSize normalFrame_; // invalid until the window was seen in its normal state
    bool framed_ = false; // the window has been framed once
    // A close asked for while a drawing ran: handled once it has unwound.
    bool closeAfterDrawing_ = false;
    QWidget* splash_ = nullptr;
    MainView* view_ = nullptr;
    ViewMenu* viewMenu_ = nullptr; // owned by its menu
    std::unique_ptr<SettingsCommands> settings_;
    AppHost* previousHost_ = nullptr;
    std::unique_ptr<frmMapSymbol> mapSymbol_; // one instance for the run
    std::unique_ptr<frmJump05> jump_;
};
