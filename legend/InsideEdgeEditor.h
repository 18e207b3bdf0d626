#pragma once
// The symbol and text editors' colours: an inside colour, and an edge
// colour that a box switches on (-1 when it is off).
#include "legend/StyleEditor.h"

class QGridLayout;

class InsideEdgeEditor : public StyleEditor {
public:
    int32_t mInside = 0;
    int32_t mEdge = 0xFFFFFF;

    QPushButton* cmdInside = nullptr;
    QPushButton* cmdEdge = nullptr;
    QCheckBox* chkEdge = nullptr;

    void cmdInside_Click();
    virtual void cmdEdge_Click();
    virtual void chkEdge_Click();

protected:
    using StyleEditor::StyleEditor;

    // The two colour buttons and the box, wired to their handlers.
    QGridLayout* MakeInsideEdge(const QString& insideCaption, const QString& insideTip, const QString& enableTip);
    void cmdOK_Click() override;
};
