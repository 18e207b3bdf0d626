#pragma once
// The one road to the screen: every change of the view ends in PlotWindow,
// which draws the map units through the plot engine into the view picture,
// shows the progress and the state in the status bar, and renews the
// caption and the scale bar. While a drawing runs the slider, the scroll
// bars and the menus are disabled and every further redraw is refused.
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class DeviceContext;
class MapPicture;
class QAction;
class QLabel;
class QWidget;
class clsAccessory;
class clsMapGraph;
class clsMapPlot;
class clsMapUnits;
class clsView;

class ViewRedraw {
public:
    // What is drawn and where (not owned; the main window sets them).
    clsMapPlot* mPlot = nullptr;
    clsMapUnits* mUnits = nullptr;
    clsAccessory* mAccessory = nullptr;
    clsView* mView = nullptr;
    clsMapGraph* mGraph = nullptr;

    QWidget* mForm = nullptr;        // caption and its width
    MapPicture* picView = nullptr;   // the map
    MapPicture* picMeasure = nullptr; // the scale bar
    std::array<QLabel*, 4> stbPanels{}; // status panels 1..4
    // Disabled while a drawing runs, in this order: the slider and the two
    // scroll bars, then the menus (File, View, Tool, Help, pop-up).
    std::vector<QWidget*> mLockWidgets;
    std::vector<QAction*> mLockMenus;

    // Runs the automatic cruise before a drawing when it is switched on.
    std::function<void()> AutoCruise;
    // Draws the confirmed survey route again over a new picture.
    std::function<void()> SurveyReplot;
    // Scroll steps from the visible field, after every drawing.
    std::function<void()> SetScrollChange;
    // Lets the event loop run while the engine draws (Esc gets through).
    std::function<void()> YieldEvents;
    // After a drawing has ended, still inside its caller: work held back
    // while it ran may be posted from here, never run.
    std::function<void()> DrawingEnded;

    bool bHoldRedraw = false;
    bool bPlotting = false;
    // Tool mode words; bit 4 tells that rubber lines are on the picture.
    int16_t iSurveyMode = 0;
    int16_t iFrameCutMode = 0;
    int32_t lPointerLon = 0;
    int32_t lPointerLat = 0;
    bool bPointerOnMap = false;

    ViewRedraw();

    // 0 drawn, 1 cancelled or refused, 2 failed, other: cause unknown.
    int16_t PlotWindow();
    int16_t PlotMap(DeviceContext* hdc, int32_t dpiX, int32_t dpiY, int32_t width, int32_t height);
    void PlotCaption();
    void PlotMeasure();
    // Esc: ends a running drawing; false when none runs.
    bool CancelPlot();

    void SetStatusMessage(const QString& text);
    void SetStatusScale();
    void SetStatusCenter();
    void SetStatusPointer();
    QString StatusText(int panel) const; // 1..4
    void oPlotEngine_Progress(int16_t phase);

    // n marks: "*" up to the phase, "o" after it.
    static QString ProgressMarks(int16_t phase, int16_t n);
    // Panel 1 after a drawing with this result.
    static QString ResultMessage(int16_t result);
    // ", 更新" when modified (locked or not), ", 変更禁止" when only locked.
    static QString CaptionMark(bool locked, bool modified);
    static QString CaptionText(const QString& title, const QString& path, const QString& projection,
                               const QString& mark, double widthTwips, double fontPoints);

private:
    class PlottingScope;
    void setLocked(bool locked);

    bool inPlotWindow_ = false;
};
