#pragma once
// "文字列事象図式": how a text thing is lettered on its page: the faces for
// European and Japanese names, the height in points, bold, italic,
// underline and box, the text colour and the edge colour (or none).
#include "legend/StyleEditor.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

class frmExpText : public StyleEditor {
public:
    explicit frmExpText(QWidget* parent = nullptr);

    int32_t mInside = 0;
    int32_t mEdge = 0xFFFFFF; // -1: no edge
    int32_t mHeight = 10;
    int16_t mStyle = 0;
    QString mEuropian;
    QString mJapanese;

    // The flag of decoration box i (0..3), 0 for any other.
    static int16_t StyleFlag(int32_t index);

    QGroupBox* fraStyle = nullptr;
    QCheckBox* chkStyle[4] = {};
    QLabel* lblLanguage[2] = {};
    QComboBox* choLanguage[2] = {};
    QLabel* lblHeight = nullptr;
    QComboBox* choHeight = nullptr;
    QPushButton* cmdInside = nullptr;
    QPushButton* cmdEdge = nullptr;
    QCheckBox* chkEdge = nullptr;

    void choLanguage_Click(int32_t index);
    void choHeight_Click();
    void chkStyle_Click(int32_t index);
    void chkEdge_Click();
    void cmdInside_Click();
    void cmdEdge_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void cmdOK_Click() override;

private:
    void MakeFonts();
    void MakeHeights();
    void picSample_Paint(QImage& image);

    bool loading_ = false;
    QStringList fontsE_, fontsJ_;
};
