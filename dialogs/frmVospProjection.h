#pragma once
// The projection dialog: centre, scale and viewing distance of the plot
// engine on its first tab, the projection on its second, chosen from the
// catalogue narrowed by a filter over the property words. Only OK writes
// the engine. The tab and the filter last for the whole run.
#include "platform/DialogFrame.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabWidget;
class clsMapPlot;

class frmVospProjection : public DialogFrame {
public:
    explicit frmVospProjection(QWidget* parent = nullptr);

    clsMapPlot* mPlot = nullptr;

    // The groups of the filter, each with its base bit.
    enum Group { Form = 0, Right = 1, Area = 2 };
    static int32_t ConditionBit(Group group, int k);
    // The names the filter lets through, in index order (every named
    // projection for mask 0).
    static QStringList FilteredNames(int32_t mask);
    static QString ListCaption(int count);
    static QString NoneText() { return QStringLiteral("該当する図法は存在しません."); }
    // The altitude in whole kilometres as the box shows it ("1,000km").
    static QString AltitudeText(double light);
    // The slider step shown for an altitude: the largest index from the last
    // down to 1 whose step is not above it, else 1.
    static int SliderStep(const std::vector<double>& steps, double altitude);

    QTabWidget* tbsProjection;
    QLineEdit* txtLon;
    QLineEdit* txtLat;
    QLineEdit* txtScale;
    QGroupBox* fraAltitude;
    QLineEdit* txtAltitude;
    QSlider* sliAltitude;
    std::array<QLabel*, 3> lblAltitude{};
    QCheckBox* chkPrjAuto;
    QLabel* lblPrjList;
    QComboBox* choPrjList;
    QPushButton* cmdPrjGuide;
    QPushButton* cmdPrjReset;
    std::array<QGroupBox*, 3> fraCondition{};
    std::array<QCheckBox*, 5> chkArea{};
    std::array<QCheckBox*, 7> chkRight{};
    std::array<QCheckBox*, 8> chkForm{}; // no box 5
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

    int32_t FilterMask() const { return mask_; }
    int SelectedTab() const { return tab_; }
    int16_t WorkingIndex() const { return prj_; }
    double WorkingLight() const { return light_; }

    void FillPrjList();
    void ToControl();
    void tbsProjection_Click(int index);
    void chkCondition_Click(Group group, int k);
    bool txtLon_Validate();
    bool txtLat_Validate();
    bool txtScale_Validate();
    bool txtAltitude_Validate();
    void sliAltitude_Scroll();
    void choPrjList_Click();
    void cmdPrjGuide_Click();
    void cmdPrjReset_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void cmdOK_Click() override;

private:
    QCheckBox* Box(Group group, int k) const;
    // Brings a tab's page to the front and refreshes the controls.
    void ShowTab(int tab);

    int32_t lon_ = 0;
    int32_t lat_ = 0;
    double scale_ = 0;
    double light_ = 2;
    bool auto_ = false;
    int16_t prj_ = 12;
    int tab_ = 1;
    int32_t mask_ = 0;
    std::vector<double> steps_;
    bool refreshing_ = false;
};
