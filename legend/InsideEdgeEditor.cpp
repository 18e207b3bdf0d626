#include "legend/InsideEdgeEditor.h"

#include "legend/StylePicture.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

QGridLayout* InsideEdgeEditor::MakeInsideEdge(const QString& insideCaption, const QString& insideTip,
                                              const QString& enableTip)
{
    cmdInside = MakeButton(insideCaption, insideTip);
    cmdEdge = MakeButton(QStringLiteral("縁色(&D)"), QStringLiteral("縁取りの色"));
    chkEdge = MakeCheck({}, enableTip);
    OnClick(cmdInside, "cmdInside_Click", [this] { cmdInside_Click(); });
    OnClick(cmdEdge, "cmdEdge_Click", [this] { cmdEdge_Click(); });
    connect(chkEdge, &QCheckBox::clicked, this, [this] { chkEdge_Click(); });
    return ColourButtons(cmdInside, cmdEdge, chkEdge);
}

void InsideEdgeEditor::cmdInside_Click() { PickColor(mInside, nullptr); }

void InsideEdgeEditor::cmdEdge_Click() { PickColor(mEdge, chkEdge); }

void InsideEdgeEditor::chkEdge_Click() { picSample->Refresh(); }

void InsideEdgeEditor::cmdOK_Click()
{
    Guarded("cmdOK_Click", [this] { mEdge = Enabled(chkEdge, mEdge); });
    Unload(true);
}
