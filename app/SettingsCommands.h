#pragma once
// The main window's commands that open the settings dialogs: projection,
// graticule, accessories, environment, image size and cruise. Each dialog
// is made at its first use and kept for the rest of the run, so that it
// reopens where the user left it.
#include <cstdint>
#include <memory>

class MainView;
class QWidget;
class frmAccessory;
class frmCruise05;
class frmEnvironment;
class frmGrid;
class frmMapSize;
class frmVospProjection;

class SettingsCommands {
public:
    SettingsCommands(QWidget* mainWindow, MainView& view);
    ~SettingsCommands();
    SettingsCommands(const SettingsCommands&) = delete;
    SettingsCommands& operator=(const SettingsCommands&) = delete;

    void mnuVospProjection_Click();
    void mnuGrid_Click();
    void mnuAccessory_Click();
    void mnuEnvironment_Click();
    void mnuMapSize_Click();
    void mnuCruiseSet_Click();

    // Made at first use (null before).
    std::unique_ptr<frmVospProjection> projection;
    std::unique_ptr<frmGrid> grid;
    std::unique_ptr<frmAccessory> accessory;
    std::unique_ptr<frmEnvironment> environment;
    std::unique_ptr<frmMapSize> mapSize;
    std::unique_ptr<frmCruise05> cruise;

private:
    QWidget* main_;
    MainView& view_;
    // The question about downloading maps is asked at the first use of the
    // cruise settings in a run only.
    bool cruiseAsked_ = false;
};
