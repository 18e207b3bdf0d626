#pragma once
// "文字列事象図式": how a text thing is lettered on its page: the faces for
// European and Japanese names, the height in points, bold, italic,
// underline and box, the text colour and the edge colour (or none).
#include "legend/InsideEdgeEditor.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

class frmExpText : public InsideEdgeEditor {
public:
    explicit frmExpText(QWidget* parent = nullptr);

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

    void choLanguage_Click(int32_t index);
    void choHeight_Click();
    void chkStyle_Click(int32_t index);
    // The box matters only with an edge.
    void chkEdge_Click() override;
    void cmdEdge_Click() override;

protected:
    void Form_Load() override;
    void LoadStyle(const clsThing& thing) override;
    void StoreStyle(clsThing& thing) const override;
    void Form_Unload() override;

private:
    void MakeFonts();
    void MakeHeights();
    void picSample_Paint(QImage& image);

    bool loading_ = false;
    QStringList fontsE_, fontsJ_;
};
