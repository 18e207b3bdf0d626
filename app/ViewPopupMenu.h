#pragma once
// The map view's pop-up menu: the most used commands of the main menus,
// quick switches of the plot engine's display options, and steps of the
// scale and of the scroll position. Every check mark and enabled state is
// brought up to date just before it opens. Also the View menu's home and
// language commands, which the pop-up shares.
#include <QObject>
#include <QPoint>
#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QMenu;
class QWidget;
class SurveyTool;
class ViewControls;
class ViewRedraw;
class clsMapPlot;
struct PlotOptions;

class ViewPopupMenu : public QObject {
public:
    ViewPopupMenu(ViewRedraw& redraw, ViewControls& controls, SurveyTool& survey, QWidget* parent);
    ~ViewPopupMenu() override;

    // The projection each direct item sets: the automatic choice's own
    // defaults for its kind of surface.
    static constexpr std::array<int16_t, 5> kDirectProjection{0, 12, 15, 23, 6};

    QMenu* mnuPopup;
    QAction* mnuPopupHome;
    QAction* mnuPopupCruiseExe;
    QAction* mnuPopupMapCopy;
    QAction* mnuPopupSurvey;
    std::array<QAction*, 5> mnuPopupDirectItem{};
    QAction* mnuPopupGrid;
    QAction* mnuPopupAcs;
    QAction* mnuPopupEdge;
    QAction* mnuPopupTextSlant;
    std::array<QAction*, 2> mnuPopupLanguageItem{};
    std::array<QAction*, 2> mnuPopupScaleItem{};
    std::array<QAction*, 4> mnuPopupScrollItem{};

    // The File menu's commands of the same captions.
    std::function<void()> CruiseExe;
    std::function<void()> MapCopy;
    // 0 west, 1 east, 2 north, 3 south (the main window's scroll steps).
    std::function<void(int index)> ScrollItem;

    void mnuPopup_Click();
    // Prepared, then shown at the screen position.
    void Show(const QPoint& globalPos);

    void mnuPopupDirectItem_Click(int index);
    void mnuPopupScaleItem_Click(int index);
    // The home view.
    void mnuHome_Click();
    // 1 European names, 2 Japanese names.
    void mnuLanguageItem_Click(int32_t language);

private:
    // Flips a display switch of the plot engine and redraws.
    void Toggle(bool PlotOptions::*flag, void (clsMapPlot::*set)(bool), const char* proc);

    ViewRedraw& redraw_;
    ViewControls& controls_;
    SurveyTool& survey_;
};
