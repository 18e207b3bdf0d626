#pragma once
// The accessory dialog: the seven map accessories (background, frame, scale
// bar, title, comment, centre mark, elevation legend) with their switches,
// colours, texts and fonts, where the band lies, and whether accessories
// are drawn at all. Items are edited on value copies; only OK writes them.
#include "platform/DialogFrame.h"

#include <QFont>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class ColorFaceButton;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class clsAccessory;

class frmAccessory : public DialogFrame {
public:
    explicit frmAccessory(QWidget* parent = nullptr);

    clsAccessory* mAcsObj = nullptr;
    bool mAcsEi = false;

    // The colour and font pickers (the main window's unless replaced): a
    // negative colour and false mean cancelled.
    std::function<int32_t(int32_t initial)> InputRealColor;
    std::function<bool(QFont& font)> InputFont;

    struct AcsItem {
        int16_t Status = 0; // 1 colour, 2 text, 4 font
        bool Use = false;
        int32_t Color = 0;
        QString Text;
        QFont Font;
    };
    const AcsItem& Item(int i) const { return items_[size_t(i)]; }
    int32_t PositionIndex() const { return position_; }

    // Items 1..7 (index 0 unused).
    std::array<QCheckBox*, 8> chkAcsItem{};
    std::array<ColorFaceButton*, 8> cmdAcsColor{};
    std::array<QLineEdit*, 8> txtAcs{};
    std::array<QPushButton*, 8> cmdAcsFont{};
    QCheckBox* chkAcsEi;
    std::array<QRadioButton*, 2> optAcsPosition{};
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

    void ToControl();
    void chkAcsItem_Click(int i);
    void cmdAcsColor_Click(int i);
    void cmdAcsFont_Click(int i);

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void cmdOK_Click() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    std::array<AcsItem, 8> items_{};
    int32_t position_ = 0;
    bool refreshing_ = false;
};
