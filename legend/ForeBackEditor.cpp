#include "legend/ForeBackEditor.h"

#include "legend/StylePicture.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

ForeBackEditor::ForeBackEditor(const QString& objectName, const QString& caption, int32_t helpContext, int32_t back,
                               QWidget* parent)
    : StyleEditor(objectName, caption, helpContext, parent)
    , mBack(back)
{
}

QGridLayout* ForeBackEditor::MakeForeBack(const QString& foreCaption, const QString& foreTip, const QString& backTip)
{
    cmdFore = MakeButton(foreCaption, foreTip);
    cmdBack = MakeButton(QStringLiteral("背景色(&B)"), backTip);
    chkBack = MakeCheck({}, QStringLiteral("背景色を有効にする"));
    OnClick(cmdFore, "cmdFore_Click", [this] { cmdFore_Click(); });
    OnClick(cmdBack, "cmdBack_Click", [this] { cmdBack_Click(); });
    connect(chkBack, &QCheckBox::clicked, this, [this] { chkBack_Click(); });
    return ColourButtons(cmdFore, cmdBack, chkBack);
}

void ForeBackEditor::cmdFore_Click() { PickColor(mFore, nullptr); }

void ForeBackEditor::cmdBack_Click() { PickColor(mBack, chkBack); }

void ForeBackEditor::chkBack_Click() { picSample->Refresh(); }

void ForeBackEditor::cmdOK_Click()
{
    mBack = Enabled(chkBack, mBack);
    Unload(true);
}
