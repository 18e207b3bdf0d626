#pragma once
// "可視縮尺範囲": the range of map scales in which a thing is drawn, chosen
// as a stretch of the 53-step standard scale ladder on an upright slider
// (its selection) and moved a step at a time with four arrow buttons.
#include "platform/DialogFrame.h"

#include <QString>
#include <cstdint>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class RangeSlider;

class frmRange : public DialogFrame {
public:
    explicit frmRange(QWidget* parent = nullptr);

    QString mName;
    // Denominators; in either order on entry, mLarge <= mSmall on return.
    double mSmall = 0;
    double mLarge = 0;

    // Ladder steps of the large and the small end of the selection.
    int32_t LargeStep() const;
    int32_t SmallStep() const;

    QGroupBox* fraLarge = nullptr;
    QGroupBox* fraSmall = nullptr;
    QGroupBox* fraSlider = nullptr;
    QPushButton* cmdRange[4] = {};
    QLabel* lblLargeVal = nullptr;
    QLabel* lblLargeStep = nullptr;
    QLabel* lblSmallVal = nullptr;
    QLabel* lblSmallStep = nullptr;
    QLabel* lblLevel[9] = {};
    QLabel* imgRange = nullptr;
    RangeSlider* sliRange = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

    void cmdRange_Click(int32_t index);
    void sliRange_MouseDown(bool shiftOnly);
    void sliRange_Scroll();

protected:
    void Form_Load() override;
    void cmdOK_Click() override;

private:
    void ShowRangeLabels();
    void EnableRangeButtons();
    void Guarded(const char* proc, const std::function<void()>& f);

    bool shiftSel_ = false;
};
