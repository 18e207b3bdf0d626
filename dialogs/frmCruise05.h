#pragma once
// The cruise dialog: the seven level borders, the map set, the optional
// maps, substitution and automatic cruise of the cruise engine; it can also
// take the settings and run one cruise at once.
#include "platform/DialogFrame.h"

#include <QString>
#include <array>
#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class clsCruise05;
class clsMapPlot;
class clsMapUnits;

class frmCruise05 : public DialogFrame {
public:
    explicit frmCruise05(QWidget* parent = nullptr);

    clsCruise05* mCruise = nullptr;
    clsMapUnits* mUnits = nullptr;
    clsMapPlot* mPlot = nullptr;
    // 0 cancelled, 1 settings taken, 2 settings taken and a cruise run.
    int16_t mResult = 0;

    // Which controls the standard maps present (GetStdMapList) allow.
    struct Enabling {
        bool political, topographic, ocean, traffic, autoCruise;
    };
    static Enabling EnablingOf(int32_t mask);
    // The fixed border texts beside level 1 (index 0) and level 8 (index 8).
    static QString FixedBorderText(int index);

    std::array<QLabel*, 9> lblNumerator{};
    std::array<QLineEdit*, 8> txtScale{}; // 1..7
    std::array<QSlider*, 8> sliScale{};   // 1..7
    QPushButton* cmdDefScale;
    QCheckBox* chkReplace;
    std::array<QRadioButton*, 2> optType{};
    QCheckBox* chkOcean;
    QCheckBox* chkTraffic;
    QCheckBox* chkAuto;
    QPushButton* cmdExe;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

    void CruiseToControl();
    void ControlToCruise();
    bool txtScale_Validate(int k);
    void sliScale_Scroll(int k);
    void cmdDefScale_Click();
    void cmdExe_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void cmdOK_Click() override;
    void cmdCancel_Click() override;

private:
    bool toControl_ = false;
    bool toCruise_ = false;
};
