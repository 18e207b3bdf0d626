#include "legend/StyleEditor.h"

#include "core/AppHost.h"
#include "core/ErrorMng.h"
#include "document/clsThing.h"
#include "legend/RainbowBox.h"
#include "legend/StyleMath.h"
#include "legend/StylePicture.h"
#include "platform/DeviceContext.h"
#include "platform/WidgetLib.h"
#include "render/RenderGlobals.h"
#include "render/clsMapGraph.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

StyleEditor::StyleEditor(const QString& objectName, const QString& caption, int32_t helpContext, QWidget* parent)
    : DialogFrame(parent)
    , objectName_(objectName)
    , caption_(caption)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    MakeStandardButtons(cmdOK, cmdCancel, cmdHelp, true);
    SetDefaultOk(true);
    SetHelpContext(helpContext);
}

void StyleEditor::Load(const clsThing& thing)
{
    mName = thing.Name();
    LoadStyle(thing);
}

void StyleEditor::Store(clsThing& thing) const { StoreStyle(thing); }

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

StylePicture* StyleEditor::MakeGrid(QLabel*& label, const QString& caption, const QString& tip, int32_t w, int32_t h)
{
    label = new QLabel(caption, this);
    label->setToolTip(tip);
    auto* grid = new StylePicture(w, h, this);
    grid->SetBackColor(0xFFFFFF);
    grid->SetForeColor(0x000000);
    label->setBuddy(grid);
    return grid;
}

void StyleEditor::MakeSample(int32_t w, int32_t h, std::function<void(QImage&)> paint)
{
    picSample = new StylePicture(w, h, this);
    picSample->setToolTip(QStringLiteral("現在の設定による見本"));
    picSample->Paint = [this, paint](QImage& img) { Guarded(QStringLiteral("picSample_Paint"), [&] { paint(img); }); };
}

void StyleEditor::WireGrid(StylePicture* grid, const QString& name, std::function<void(QImage&)> paint,
                           std::function<void(int32_t, int32_t)> move, std::function<void(int32_t, int32_t, int32_t)> up)
{
    grid->Paint = [this, name, paint](QImage& img) { Guarded(name + QStringLiteral("_Paint"), [&] { paint(img); }); };
    grid->MouseMove = [this, name, move](int32_t x, int32_t y) {
        Guarded(name + QStringLiteral("_MouseMove"), [&] { move(x, y); });
    };
    grid->MouseUp = [this, name, up](int32_t b, int32_t x, int32_t y) {
        Guarded(name + QStringLiteral("_MouseUp"), [&] { up(b, x, y); });
    };
}

void StyleEditor::WireGridKeys(StylePicture* grid, int32_t cols, int32_t rows,
                               std::function<int32_t(int32_t)> cellStyle, std::function<int32_t()> current)
{
    grid->setFocusPolicy(Qt::StrongFocus);
    grid->KeyDown = [grid, cols, rows, cellStyle, current](int key) {
        const int32_t count = cols * rows;
        const int32_t style = current();
        int32_t cell = -1;
        for (int32_t c = 0; c < count && cell < 0; ++c) {
            if (cellStyle(c) >= 0 && cellStyle(c) == style)
                cell = c;
        }
        int32_t step = 0;
        switch (key) {
        case Qt::Key_Left: step = -1; break;
        case Qt::Key_Right: step = 1; break;
        case Qt::Key_Up: step = -cols; break;
        case Qt::Key_Down: step = cols; break;
        case Qt::Key_Home: break;
        case Qt::Key_End: break;
        default: return false;
        }
        int32_t to = 0;
        if (key == Qt::Key_Home || (cell < 0 && key != Qt::Key_End))
            to = StyleMath::StepCell(-1, 1, count, cellStyle);
        else if (key == Qt::Key_End)
            to = StyleMath::StepCell(count, -1, count, cellStyle);
        else
            to = StyleMath::StepCell(cell, step, count, cellStyle);
        if (to >= 0 && to < count && to != cell && grid->MouseUp) {
            const int32_t cw = grid->ScaleWidth() / cols, ch = grid->ScaleHeight() / rows;
            grid->MouseUp(1, (to % cols) * cw + cw / 2, (to / cols) * ch + ch / 2);
        }
        return true;
    };
}

void StyleEditor::SetTabChain(std::initializer_list<QWidget*> widgets)
{
    WidgetLib::SetTabChain(widgets);
    firstFocus_ = widgets.size() > 0 ? *widgets.begin() : nullptr;
}

void StyleEditor::showEvent(QShowEvent* e)
{
    DialogFrame::showEvent(e);
    if (!e->spontaneous() && firstFocus_)
        firstFocus_->setFocus(Qt::TabFocusReason);
}

void StyleEditor::OnClick(QAbstractButton* button, const char* proc, std::function<void()> handler)
{
    const QString name = QString::fromLatin1(proc);
    connect(button, &QAbstractButton::clicked, this, [this, name, handler] { Guarded(name, handler); });
}

QGridLayout* StyleEditor::ColourButtons(QPushButton* first, QPushButton* second, QCheckBox* enable)
{
    auto* colours = new QGridLayout;
    colours->addWidget(first, 0, 0);
    colours->addWidget(second, 1, 0);
    colours->addWidget(enable, 1, 1);
    return colours;
}

void StyleEditor::LayOutGridEditor(QLabel* label, StylePicture* grid, QLayout* above, QLayout* colours)
{
    auto* side = new QVBoxLayout;
    if (above)
        side->addLayout(above);
    side->addWidget(picSample);
    side->addLayout(colours);
    side->addStretch(1);
    auto* gridBox = new QVBoxLayout;
    gridBox->addWidget(label);
    gridBox->addWidget(grid);
    auto* body = new QHBoxLayout;
    body->addLayout(gridBox);
    body->addLayout(side);
    auto* box = new QVBoxLayout(this);
    box->addLayout(body);
    FinishLayout(box);
}

void StyleEditor::FinishLayout(QVBoxLayout* box)
{
    box->addLayout(StandardButtonRow());
    box->setSizeConstraint(QLayout::SetFixedSize);
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
    DeviceContext dc(image, StylePicture::Dpi(image), StylePicture::Dpi(image));
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
    DeviceContext dc(image, StylePicture::Dpi(image), StylePicture::Dpi(image));
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

void StyleEditor::Guarded(const QString& proc, const std::function<void()>& f)
{
    try {
        f();
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, objectName_, proc);
    }
}
