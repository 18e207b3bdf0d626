#pragma once
// The graticule dialog: the four line switches of the plot engine (handed
// in and out as values) and the intervals and latitude limits of its grid
// settings, which only OK writes.
#include "platform/DialogFrame.h"

#include <QString>
#include <array>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class clsGrid;

class frmGrid : public DialogFrame {
public:
    explicit frmGrid(QWidget* parent = nullptr);

    bool mGridEi = false;
    bool mGridAuto = false;
    bool mGridOcean = false;
    bool mGridString = false;
    clsGrid* mGrid = nullptr;

    // Row i (0 meridian interval, 1 parallel interval, 2 north, 3 south
    // limit) in seconds of arc.
    static int32_t RangeLow(int i);
    static int32_t RangeHigh(int i);
    static QString RangeText(int i);
    // A slider position in minutes to the stored value in seconds: the
    // nearest multiple of 30 minutes (halves away from zero); an interval
    // never becomes 0.
    static int32_t SnapMinutes(int32_t minutes);
    static int32_t SliderToValue(int i, int32_t minutes);

    int32_t Value(int i) const { return (i >= 0 && i < 4) ? value_[size_t(i)] : 0; }
    void SetValue(int i, int32_t v);

    QCheckBox* chkGridEi;
    QCheckBox* chkGridAuto;
    QCheckBox* chkOcean;
    QCheckBox* chkString;
    std::array<QGroupBox*, 4> fraGrid{};
    std::array<QLineEdit*, 4> txtGrid{};
    std::array<QSlider*, 4> sliGrid{};
    std::array<QLabel*, 8> lblGrid{};
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

    void GridToControl();
    bool txtGrid_Validate(int i);
    void sliGrid_Scroll(int i);

protected:
    void Form_Load() override;
    void cmdOK_Click() override;

private:
    void WriteBack();

    std::array<int32_t, 4> value_{};
    bool refreshing_ = false;
};
