#include "legend/frmExpPolygon.h"

#include "core/clsPoly.h"
#include "core/clsRect.h"
#include "legend/StyleMath.h"
#include "legend/StylePicture.h"
#include "render/RenderGlobals.h"
#include "render/clsMapGraph.h"
#include "render/clsResTile.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmExpPolygon::frmExpPolygon(QWidget* parent)
    : StyleEditor(QStringLiteral("frmExpPolygon"), QStringLiteral("多辺形事象図式"), 252203, parent)
{
    lblPattern = new QLabel(QStringLiteral("模様リスト(&P):"), this);
    lblPattern->setToolTip(QStringLiteral("塗りつぶす模様のリスト"));
    picPatterns = new StylePicture(257, 163, this);
    picPatterns->SetBackColor(0xFFFFFF);
    picPatterns->SetForeColor(0x000000);
    lblPattern->setBuddy(picPatterns);
    picSample = new StylePicture(137, 81, this);
    picSample->setToolTip(QStringLiteral("現在の設定による見本"));
    cmdFore = MakeButton(QStringLiteral("前景色(&F)"), QStringLiteral("模様の黒の部分の色"));
    cmdBack = MakeButton(QStringLiteral("背景色(&B)"), QStringLiteral("模様の白の部分の色"));
    chkBack = MakeCheck({}, QStringLiteral("背景色を有効にする"));

    auto* colours = new QGridLayout;
    colours->addWidget(cmdFore, 0, 0);
    colours->addWidget(cmdBack, 1, 0);
    colours->addWidget(chkBack, 1, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(picSample);
    side->addLayout(colours);
    side->addStretch(1);
    auto* body = new QHBoxLayout;
    auto* gridBox = new QVBoxLayout;
    gridBox->addWidget(lblPattern);
    gridBox->addWidget(picPatterns);
    body->addLayout(gridBox);
    body->addLayout(side);
    auto* box = new QVBoxLayout(this);
    box->addLayout(body);
    box->addLayout(ButtonRow());
    box->setSizeConstraint(QLayout::SetFixedSize);

    picPatterns->Paint = [this](QImage& img) { Guarded("picPatterns_Paint", [&] { picPatterns_Paint(img); }); };
    picSample->Paint = [this](QImage& img) { Guarded("picSample_Paint", [&] { picSample_Paint(img); }); };
    picPatterns->MouseMove = [this](int32_t x, int32_t y) {
        Guarded("picPatterns_MouseMove", [&] { picPatterns_MouseMove(x, y); });
    };
    picPatterns->MouseUp = [this](int32_t b, int32_t x, int32_t y) {
        Guarded("picPatterns_MouseUp", [&] { picPatterns_MouseUp(b, x, y); });
    };
    connect(cmdFore, &QPushButton::clicked, this, [this] { Guarded("cmdFore_Click", [this] { cmdFore_Click(); }); });
    connect(cmdBack, &QPushButton::clicked, this, [this] { Guarded("cmdBack_Click", [this] { cmdBack_Click(); }); });
    connect(chkBack, &QCheckBox::clicked, this, [this] { chkBack_Click(); });
}

int32_t frmExpPolygon::PointToPattern(int32_t x, int32_t y) const
{
    return StyleMath::PolygonCellStyle(
        StyleMath::CellIndex(x, y, picPatterns->ScaleWidth(), picPatterns->ScaleHeight(), 8, 5));
}

QString frmExpPolygon::PatternName(int32_t style)
{
    static const char* const kStandard[] = {"標準横縞", "標準縦縞", "標準右下がり斜線", "標準右上がり斜線",
                                            "標準格子", "標準斜め格子", "標準単色"};
    if (style >= 0 && style <= 6)
        return QString::fromUtf8(kStandard[style]);
    if (style >= clsResTile::IndexFirst && style <= clsResTile::IndexLast) {
        const clsMapGraph* g = RenderGlobals::MapGraph();
        return g && g->oTiles ? g->oTiles->Name(style) : QString();
    }
    return {};
}

void frmExpPolygon::Form_Load()
{
    Guarded("Form_Load", [this] {
        LoadCaption();
        LoadEnable(chkBack, mBack);
        picPatterns->Refresh();
        picSample->Refresh();
    });
}

void frmExpPolygon::picPatterns_MouseMove(int32_t x, int32_t y)
{
    SetGridTip(*picPatterns, PatternName(PointToPattern(x, y)));
}

void frmExpPolygon::picPatterns_MouseUp(int32_t, int32_t x, int32_t y)
{
    const int32_t style = PointToPattern(x, y);
    if (style < 0)
        return;
    mStyle = int16_t(style);
    picSample->Refresh();
    picPatterns->Refresh();
}

void frmExpPolygon::picPatterns_Paint(QImage& image)
{
    GridScheme s;
    s.cols = 8;
    s.rows = 5;
    s.bandHeight = image.height() / 5 + 1;
    s.probe = [](int32_t r, int32_t k, int32_t cw, int32_t ch, int32_t& x, int32_t& y) {
        x = k * cw + 4;
        y = r * ch + 3;
    };
    s.styleAt = [this](int32_t x, int32_t y) { return PointToPattern(x, y); };
    s.drawCell = [](clsMapGraph& g, int32_t style, int32_t colour, int32_t x, int32_t y, int32_t cw, int32_t ch) {
        clsRect cell(x, y, x + cw - 3, y + ch - 3);
        g.SetBrush(int16_t(style), colour, -1);
        g.DrawFillRect(cell);
        g.SetPen(0, 1, colour, -1);
        g.DrawStrokeRect(cell);
    };
    PaintGrid(image, *picPatterns, s, mStyle);
}

void frmExpPolygon::picSample_Paint(QImage& image)
{
    PaintSample(image, [this](clsMapGraph& g, int32_t w, int32_t h) {
        static constexpr int32_t kCross[12][2] = {{7, 1},  {13, 1},  {13, 6}, {19, 6}, {19, 14}, {13, 14},
                                                  {13, 19}, {7, 19}, {7, 14}, {1, 14}, {1, 6},   {7, 6}};
        clsPoly poly;
        for (const auto& p : kCross)
            poly.AddXY(w * p[0] / 20, h * p[1] / 20);
        g.SetBrush(mStyle, mFore, Enabled(chkBack, mBack));
        g.DrawPolygon(poly);
    });
}

void frmExpPolygon::cmdFore_Click() { PickColor(mFore, nullptr); }

void frmExpPolygon::cmdBack_Click() { PickColor(mBack, chkBack); }

void frmExpPolygon::chkBack_Click() { picSample->Refresh(); }

void frmExpPolygon::cmdOK_Click()
{
    if (!chkBack->isChecked())
        mBack = -1;
    Unload(true);
}
