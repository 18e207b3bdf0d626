#include "legend/frmExpPolygon.h"

#include "core/clsPoly.h"
#include "core/clsRect.h"
#include "document/clsThing.h"
#include "legend/StyleMath.h"
#include "legend/StylePicture.h"
#include "render/RenderGlobals.h"
#include "render/clsMapGraph.h"
#include "render/clsResTile.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <functional>

frmExpPolygon::frmExpPolygon(QWidget* parent)
    : ForeBackEditor(QStringLiteral("frmExpPolygon"), QStringLiteral("多辺形事象図式"), 252203, 0xFFFFFF, parent)
{
    picPatterns = MakeGrid(lblPattern, QStringLiteral("模様リスト(&P):"), QStringLiteral("塗りつぶす模様のリスト"), 257, 163);
    MakeSample(137, 81, std::bind_front(&frmExpPolygon::picSample_Paint, this));
    QGridLayout* colours =
        MakeForeBack(QStringLiteral("前景色(&F)"), QStringLiteral("模様の黒の部分の色"), QStringLiteral("模様の白の部分の色"));
    LayOutGridEditor(lblPattern, picPatterns, nullptr, colours);

    WireGrid(picPatterns, QStringLiteral("picPatterns"), std::bind_front(&frmExpPolygon::picPatterns_Paint, this),
             std::bind_front(&frmExpPolygon::picPatterns_MouseMove, this),
             std::bind_front(&frmExpPolygon::picPatterns_MouseUp, this));
    WireGridKeys(picPatterns, 8, 5, &StyleMath::PolygonCellStyle, [this] { return int32_t(mStyle); });
    SetTabChain({picPatterns, cmdFore, cmdBack, chkBack, cmdOK, cmdCancel, cmdHelp});
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

void frmExpPolygon::LoadStyle(const clsThing& thing)
{
    mFore = thing.Fore();
    mBack = thing.Back();
    mStyle = thing.Style();
}

void frmExpPolygon::StoreStyle(clsThing& thing) const
{
    thing.SetFore(mFore);
    thing.SetBack(mBack);
    thing.SetStyle(mStyle);
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
