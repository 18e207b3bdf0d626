#pragma once
// The polygon and polyline editors' colours: a fore colour, and a
// background colour that a box switches on (-1 when it is off).
#include "legend/StyleEditor.h"

class QGridLayout;

class ForeBackEditor : public StyleEditor {
public:
    int32_t mFore = 0;
    int32_t mBack;

    QPushButton* cmdFore = nullptr;
    QPushButton* cmdBack = nullptr;
    QCheckBox* chkBack = nullptr;

    void cmdFore_Click();
    void cmdBack_Click();
    void chkBack_Click();

protected:
    ForeBackEditor(const QString& objectName, const QString& caption, int32_t helpContext, int32_t back,
                   QWidget* parent);

    // The two colour buttons and the box, wired to their handlers.
    QGridLayout* MakeForeBack(const QString& foreCaption, const QString& foreTip, const QString& backTip);
    void cmdOK_Click() override;
};
