#pragma once
// "地図記号": the modal dialog in which the legend of the loaded maps is
// edited on working copies. One instance serves the whole run: its switches,
// tab, page and copied colours survive from one opening to the next, while
// the working lists, grids and boxes are rebuilt at every opening.
#include "legend/SymbolSwitches.h"
#include "legend/SymbolWork.h"
#include "platform/DialogFrame.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class AreaGrid;
class FlexGrid;
class HtmlLegend;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QWidget;
class StyleLibrary;
class ThingCommands;
class ThingEditors;
class ThingGrid;
class clsMapUnits;
class clsThing;

class frmMapSymbol : public DialogFrame {
public:
    explicit frmMapSymbol(QWidget* parent = nullptr);
    ~frmMapSymbol() override;

    // Set by the opener before showing, cleared by it afterwards.
    clsMapUnits* mMapUnits = nullptr;

    // What the dialog asks of the main window: a redraw of the view and the
    // cruise engine's automatic mode. Colours are picked through the host's
    // palette picker, as the style editors pick them.
    std::function<void()> PlotWindow;
    std::function<bool()> CruiseAuto;
    std::function<void(bool)> SetCruiseAuto;

    // The main view shows the working lists, when preview is on.
    void ExePreview();

    // The range and style editors of a row's thing; the HTML legend: nothing yet.
    void GridRange(int32_t row);
    void GridAttribute(int32_t row);
    void mnuPopupHTML_Click();

    // Read by the other pages of the dialog and by tests.
    SymbolSwitches& Switches() { return sw_; }
    SymbolWork& Work() { return work_; }
    AreaGrid& Area() { return *area_; }
    StyleLibrary& StyleLib() { return *library_; }
    FlexGrid* flgThings = nullptr;
    ThingGrid& Grid() { return *grid_; }
    ThingCommands& Commands() { return *commands_; }
    ThingEditors& Editors() { return *editors_; }

    // Controls, reachable for tests.
    QComboBox* choMap = nullptr;
    QCheckBox* chkUnitSync = nullptr;
    QCheckBox* chkPreview = nullptr;
    QTabBar* tbsExp = nullptr;
    QStackedWidget* fraTab = nullptr;
    QComboBox* choPage = nullptr;
    QCheckBox* chkPageSync = nullptr;
    QCheckBox* chkDispAll = nullptr;
    QPushButton* cmdPopup = nullptr;
    QMenu* mnuPopup = nullptr;
    QAction* mnuPopupPaste = nullptr;

    // The control handlers.
    void choMap_Click();
    void chkPreview_Click();
    void chkUnitSync_Click();
    void tbsExp_Click();
    void choPage_Click();
    void chkPageSync_Click();
    void chkDispAll_Click();
    void mnuPopup_Click();
    void cmdPopup_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void cmdOK_Click() override;

private:
    void BuildWindow();
    QWidget* BuildThingPage();
    void ShowTitle();
    void RecThingSample(clsThing& thing);
    void Guarded(const char* proc, const std::function<void()>& f);

    SymbolSwitches sw_;
    SymbolWork work_;
    AreaGrid* area_ = nullptr;        // owned by the area page
    StyleLibrary* library_ = nullptr; // owned by the dialog
    std::unique_ptr<HtmlLegend> html_;
    std::unique_ptr<ThingGrid> grid_;
    std::unique_ptr<ThingCommands> commands_;
    std::unique_ptr<ThingEditors> editors_;
    QString mSampleTextE, mSampleTextJ;
};
