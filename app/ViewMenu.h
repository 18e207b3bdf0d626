#pragma once
// The main window's View menu: what the plot engine draws and how (names'
// language, figure kinds, map units, azimuth lines, text and symbol size,
// halo, slant), the home view, and the dialogs of the view. Before it drops
// down every tick and enabled state is read again from the engine and the
// settings, and the map-unit items are made anew from the unit list.
#include <QObject>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class ViewRedraw;

class ViewMenu : public QObject {
public:
    // Builds the menu's items into `menu`, drawing through `redraw`.
    ViewMenu(ViewRedraw& redraw, QMenu* menu);
    ~ViewMenu() override;

    // Commands the window provides; an item whose command is missing stays
    // disabled.
    std::function<void()> Home;
    std::function<void(int32_t language)> LanguageItem;
    std::function<void()> Jump;
    std::function<void()> Projection;
    std::function<void()> Grid;
    std::function<void()> Accessory;
    std::function<void()> MapSymbol;
    // Automatic cruise: whether it is on, and switching it off.
    std::function<bool()> CruiseAuto;
    std::function<void()> CruiseAutoOff;

    QMenu* mnuView;
    QAction* mnuHome;
    QAction* mnuJump;
    QAction* mnuVospProjection;
    QAction* mnuGrid;
    QAction* mnuAccessory;
    QAction* mnuMapSymbol;
    QMenu* mnuLanguage;
    QMenu* mnuCoordinate;
    QMenu* mnuFigDisp;
    QMenu* mnuMapDisp;
    QMenu* mnuAzimuthLine;
    QMenu* mnuPtnRatio;
    QAction* mnuEdge;
    QAction* mnuTextSlant;
    std::array<QAction*, 3> mnuLanguageItem{};   // 1..2
    std::array<QAction*, 3> mnuCoordinateItem{}; // 1..2
    std::array<QAction*, 6> mnuFigDispItem{};    // 2..5
    std::array<QAction*, 6> mnuAzimuthLineItem{};
    std::array<QAction*, 7> mnuPtnRatioItem{};
    std::vector<QAction*> mnuMapDispItem; // 1..n, made when the menu opens

    void mnuView_Click();
    void mnuFigDispItem_Click(int32_t kind);
    void mnuMapDispItem_Click(int32_t index);
    void mnuPtnRatioItem_Click(int32_t index);
    void mnuAzimuthLineItem_Click(int32_t index);
    void mnuEdge_Click();
    void mnuTextSlant_Click();

    // The ratio item ticked for a pattern ratio in percent.
    static int32_t RatioItem(int32_t ratio);
    // The azimuth item ticked for an angle list: 0 none, 1..4 the 4, 8, 12
    // and 16 line presets, 5 any other list.
    static int32_t AzimuthItem(const QString& list);
    // False when an item of a free angle list is no angle.
    static bool AzimuthListReadable(const QString& list);

private:
    int16_t iMapDispItems = 0;
    ViewRedraw& redraw_;
};
