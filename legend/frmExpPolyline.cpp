#include "legend/frmExpPolyline.h"

#include "core/clsLine.h"
#include "core/clsPoly.h"
#include "core/clsRect.h"
#include "document/clsThing.h"
#include "legend/StyleMath.h"
#include "legend/StylePicture.h"
#include "render/RenderGlobals.h"
#include "render/clsMapGraph.h"
#include "render/clsResLine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <functional>

frmExpPolyline::frmExpPolyline(QWidget* parent)
    : ForeBackEditor(QStringLiteral("frmExpPolyline"), QStringLiteral("連続線事象図式"), 252202, -1, parent)
{
    picStyles = MakeGrid(lblStyle, QStringLiteral("線形リスト(&S):"), QStringLiteral("線形のリスト"), 289, 201);
    lblWidth = new QLabel(QStringLiteral("線幅(&W):"), this);
    choWidth = new QComboBox(this);
    choWidth->setToolTip(QStringLiteral("線の幅"));
    for (int32_t w = clsMapGraph::LINE_WIDTH_MIN; w <= 15; ++w)
        choWidth->addItem(QString::number(w));
    lblWidth->setBuddy(choWidth);
    MakeSample(145, 97, std::bind_front(&frmExpPolyline::picSample_Paint, this));
    QGridLayout* colours = MakeForeBack(QStringLiteral("線色(&F)"), QStringLiteral("線の色"), QStringLiteral("線の背景色"));

    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(lblWidth);
    widthRow->addWidget(choWidth);
    widthRow->addStretch(1);
    LayOutGridEditor(lblStyle, picStyles, widthRow, colours);

    WireGrid(picStyles, QStringLiteral("picStyles"), std::bind_front(&frmExpPolyline::picStyles_Paint, this),
             std::bind_front(&frmExpPolyline::picStyles_MouseMove, this),
             std::bind_front(&frmExpPolyline::picStyles_MouseUp, this));
    WireGridKeys(picStyles, 4, 13, &StyleMath::PolylineCellStyle, [this] { return int32_t(mStyle); });
    SetTabChain({picStyles, choWidth, cmdFore, cmdBack, chkBack, cmdOK, cmdCancel, cmdHelp});
    connect(choWidth, &QComboBox::activated, this, [this] { Guarded("choWidth_Click", [this] { choWidth_Click(); }); });
}

int32_t frmExpPolyline::PointToStyle(int32_t x, int32_t y) const
{
    return StyleMath::PolylineCellStyle(
        StyleMath::CellIndex(x, y, picStyles->ScaleWidth(), picStyles->ScaleHeight(), 4, 13));
}

QString frmExpPolyline::StyleName(int32_t style)
{
    static const char* const kStandard[] = {"標準実線", "標準破線", "標準点線", "標準一点鎖線", "標準二点鎖線", "標準透明"};
    if (style >= 0 && style < clsMapGraph::WIN_PEN_NUM)
        return QString::fromUtf8(kStandard[style]);
    if (style >= clsResLine::IndexFirst && style <= clsResLine::IndexLast) {
        const clsMapGraph* g = RenderGlobals::MapGraph();
        if (!g || !g->oFancyLines)
            return {};
        g->oFancyLines->SetIndex(int16_t(style));
        return g->oFancyLines->Name();
    }
    return {};
}

void frmExpPolyline::LoadStyle(const clsThing& thing)
{
    mFore = thing.Fore();
    mBack = thing.Back();
    mStyle = thing.Style();
    mWidth = thing.Size();
}

void frmExpPolyline::StoreStyle(clsThing& thing) const
{
    thing.SetFore(mFore);
    thing.SetBack(mBack);
    thing.SetStyle(mStyle);
    thing.SetSize(int16_t(mWidth));
}

void frmExpPolyline::Form_Load()
{
    Guarded("Form_Load", [this] {
        LoadCaption();
        // The width box has the entries 1..15 only; a line pattern keeps
        // its stored width, since the box is off for it.
        if (mStyle < clsMapGraph::WIN_PEN_NUM)
            mWidth = StyleMath::ClampLineWidth(mWidth);
        choWidth->setCurrentIndex(StyleMath::ClampLineWidth(mWidth) - clsMapGraph::LINE_WIDTH_MIN);
        EnableWidth();
        LoadEnable(chkBack, mBack);
        picStyles->Refresh();
        picSample->Refresh();
    });
}

void frmExpPolyline::EnableWidth() { choWidth->setEnabled(mStyle < clsMapGraph::WIN_PEN_NUM); }

void frmExpPolyline::picStyles_MouseMove(int32_t x, int32_t y)
{
    SetGridTip(*picStyles, StyleName(PointToStyle(x, y)));
}

void frmExpPolyline::picStyles_MouseUp(int32_t, int32_t x, int32_t y)
{
    const int32_t style = PointToStyle(x, y);
    if (style < 0)
        return;
    mStyle = int16_t(style);
    if (mStyle < clsMapGraph::WIN_PEN_NUM)
        mWidth = StyleMath::ClampLineWidth(mWidth);
    EnableWidth();
    picSample->Refresh();
    picStyles->Refresh();
}

void frmExpPolyline::choWidth_Click()
{
    mWidth = choWidth->currentIndex() + clsMapGraph::LINE_WIDTH_MIN;
    picSample->Refresh();
}

void frmExpPolyline::picStyles_Paint(QImage& image)
{
    GridScheme s;
    s.cols = 4;
    s.rows = 13;
    s.bandHeight = 2 * (image.height() / 13);
    s.probe = [](int32_t r, int32_t k, int32_t cw, int32_t ch, int32_t& x, int32_t& y) {
        x = k * cw + 1;
        y = r * ch + 2;
    };
    s.styleAt = [this](int32_t x, int32_t y) { return PointToStyle(x, y); };
    s.drawCell = [](clsMapGraph& g, int32_t style, int32_t colour, int32_t x, int32_t y, int32_t cw, int32_t ch) {
        clsLine line;
        line.SetAll(x + 3, y + 6, x + cw - 4, y + 6);
        g.SetPen(int16_t(style), 1, colour, -1);
        g.DrawLine(line);
        g.SetPen(0, 1, colour, -1);
        g.DrawStrokeRect(clsRect(x, y, x + cw - 2, y + ch - 2));
    };
    PaintGrid(image, *picStyles, s, mStyle);
}

void frmExpPolyline::picSample_Paint(QImage& image)
{
    PaintSample(image, [this](clsMapGraph& g, int32_t w, int32_t h) {
        static constexpr int32_t kZigzag[5][2] = {{1, 10}, {2, 8}, {3, 21}, {4, 4}, {9, 4}};
        clsPoly poly;
        for (const auto& p : kZigzag)
            poly.AddXY(w * p[0] / 10, h * p[1] / 25);
        g.SetPen(mStyle, mWidth, mFore, Enabled(chkBack, mBack));
        g.DrawPolyline(poly);
    });
}
