#pragma once
// The window that shows a map unit being loaded: the area list, the thing
// list and the map, each with its path and state, and the map's progress.
#include "document/UnitLoader.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class clsMapUnit;

class frmMapLoad : public QDialog {
public:
    explicit frmMapLoad(QWidget* parent = nullptr);

    clsMapUnit* mMapUnit = nullptr;
    bool mResult = false;

    // Loads the unit through a modal window centred on the screen.
    static bool LoadUnit(clsMapUnit& unit);
    // Makes every map unit load through this window.
    static void Install();

    QLabel* lblAdminsPath;
    QLabel* lblAdminsInfo;
    QLabel* lblThingsPath;
    QLabel* lblThingsInfo;
    QLabel* lblFiguresPath;
    QLabel* lblFiguresInfo;
    QProgressBar* prgFigures;

    // Ignored while the loading runs.
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Form_Activate();

    UnitLoader loader_;
    bool started_ = false;
};
