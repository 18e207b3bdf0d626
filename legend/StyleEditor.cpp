#include "legend/StyleEditor.h"

#include "core/AppHost.h"
#include "core/ErrorMng.h"
#include "legend/RainbowBox.h"
#include "legend/StylePicture.h"
#include "platform/DeviceContext.h"
#include "render/RenderGlobals.h"
#include "render/clsMapGraph.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QImage>
#include <QPushButton>

StyleEditor::StyleEditor(const QString& objectName, const QString& caption, int32_t helpContext, QWidget* parent)
    : DialogFrame(parent)
    , objectName_(objectName)
    , caption_(caption)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    cmdOK = MakeButton(QStringLiteral("ＯＫ"), QStringLiteral("設定を確定して閉じる"));
    cmdCancel = MakeButton(QStringLiteral("キャンセル"), QStringLiteral("設定を取り消して閉じる"));
    cmdHelp = MakeButton(QStringLiteral("ヘルプ(&H)"), QStringLiteral("このダイアログの解説"));
    SetButtons(cmdOK, cmdCancel, cmdHelp);
    SetDefaultOk(true);
    SetHelpContext(helpContext);
}

QHBoxLayout* StyleEditor::ButtonRow()
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(cmdOK);
    row->addWidget(cmdCancel);
    row->addWidget(cmdHelp);
    return row;
}

QCheckBox* StyleEditor::MakeCheck(const QString& caption, const QString& tip)
{
    auto* c = new QCheckBox(caption, this);
    c->setToolTip(tip);
    return c;
}

QPushButton* StyleEditor::MakeButton(const QString& caption, const QString& tip)
{
    auto* b = new QPushButton(caption, this);
    b->setToolTip(tip);
    return b;
}

void StyleEditor::LoadCaption() { setWindowTitle(caption_ + QStringLiteral(" - ") + mName); }

void StyleEditor::LoadEnable(QCheckBox* box, int32_t& colour)
{
    const QSignalBlocker block(box);
    if (colour == -1) {
        colour = 0xFFFFFF;
        box->setChecked(false);
    } else {
        box->setChecked(true);
    }
}

int32_t StyleEditor::Enabled(const QCheckBox* box, int32_t colour) { return box->isChecked() ? colour : -1; }

void StyleEditor::PickColor(int32_t& colour, QCheckBox* box)
{
    const int32_t c = Host().InputRealColor(colour);
    if (c >= 0) {
        colour = c;
        if (box) {
            const QSignalBlocker block(box);
            box->setChecked(true);
        }
    }
    picSample->Refresh();
}

void StyleEditor::PaintSample(QImage& image, const std::function<void(clsMapGraph&, int32_t, int32_t)>& draw)
{
    RainbowBox::FillRainbow(image);
    clsMapGraph* g = RenderGlobals::MapGraph();
    if (!g)
        return;
    const int32_t w = image.width(), h = image.height();
    DeviceContext dc(image);
    if (!g->GraphBegin(&dc, 0, 0, w, h))
        return;
    try {
        draw(*g, w, h);
    } catch (...) {
        g->GraphEnd();
        throw;
    }
    g->GraphEnd();
}

void StyleEditor::PaintGrid(QImage& image, const StylePicture& grid, const GridScheme& s, int32_t current)
{
    clsMapGraph* g = RenderGlobals::MapGraph();
    if (!g)
        return;
    const int32_t w = image.width(), h = image.height();
    const int32_t cw = w / s.cols, ch = h / s.rows;
    DeviceContext dc(image);
    if (!g->GraphBegin(&dc, 0, 0, w, h))
        return;
    try {
        g->SetBrush(8, grid.BackColor(), -1);
        g->DrawClear();
        g->SetBrush(8, kBand, -1);
        clsRect band(0, 0, w, s.bandHeight);
        g->DrawFillRect(band);
        for (int32_t r = 0; r < s.rows; ++r) {
            for (int32_t k = 0; k < s.cols; ++k) {
                int32_t x = 0, y = 0;
                s.probe(r, k, cw, ch, x, y);
                const int32_t style = s.styleAt(x, y);
                if (style < 0)
                    continue;
                s.drawCell(*g, style, style == current ? kHighlight : grid.ForeColor(), x, y, cw, ch);
            }
        }
    } catch (...) {
        g->GraphEnd();
        throw;
    }
    g->GraphEnd();
}

void StyleEditor::SetGridTip(StylePicture& grid, const QString& tip)
{
    if (grid.toolTip() != tip)
        grid.setToolTip(tip);
}

void StyleEditor::Guarded(const char* proc, const std::function<void()>& f)
{
    try {
        f();
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, objectName_, QString::fromLatin1(proc));
    }
}
