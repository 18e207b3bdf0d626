#include "legend/frmExpSymbol.h"

#include "core/Library.h"
#include "document/clsThing.h"
#include "legend/StyleMath.h"
#include "legend/StylePicture.h"
#include "platform/DeviceContext.h"
#include "platform/SystemColors.h"
#include "render/MonoBitmap.h"
#include "render/RenderGlobals.h"
#include "render/clsMapGraph.h"
#include "render/clsResSymbol.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPainter>
#include <QPushButton>
#include <functional>

frmExpSymbol::frmExpSymbol(QWidget* parent)
    : InsideEdgeEditor(QStringLiteral("frmExpSymbol"), QStringLiteral("点記号事象図式"), 252204, parent)
{
    picSymbols = MakeGrid(lblSymbols, QStringLiteral("記号パターンリスト(&M):"), QStringLiteral("点状地図記号のリスト"), 257, 185);
    MakeSample(137, 81, std::bind_front(&frmExpSymbol::picSample_Paint, this));
    QGridLayout* colours =
        MakeInsideEdge(QStringLiteral("記号色(&C)"), QStringLiteral("記号の色"), QStringLiteral("縁取りを有効にする"));
    LayOutGridEditor(lblSymbols, picSymbols, nullptr, colours);

    WireGrid(picSymbols, QStringLiteral("picSymbols"), std::bind_front(&frmExpSymbol::picSymbols_Paint, this),
             std::bind_front(&frmExpSymbol::picSymbols_MouseMove, this),
             std::bind_front(&frmExpSymbol::picSymbols_MouseUp, this));
    WireGridKeys(picSymbols, 8, 6, &StyleMath::SymbolCellStyle, [this] { return int32_t(mSymbol); });
    SetTabChain({picSymbols, cmdInside, cmdEdge, chkEdge, cmdOK, cmdCancel, cmdHelp});
}

int32_t frmExpSymbol::PointToSymbol(int32_t x, int32_t y) const
{
    return StyleMath::CellIndex(x, y, picSymbols->ScaleWidth(), picSymbols->ScaleHeight(), 8, 6);
}

void frmExpSymbol::LoadStyle(const clsThing& thing)
{
    mInside = thing.Fore();
    mEdge = thing.Back();
    mSymbol = thing.Style();
}

void frmExpSymbol::StoreStyle(clsThing& thing) const
{
    thing.SetFore(mInside);
    thing.SetBack(mEdge);
    thing.SetStyle(mSymbol);
}

void frmExpSymbol::Form_Load()
{
    Guarded("Form_Load", [this] {
        LoadCaption();
        LoadEnable(chkEdge, mEdge);
        picSymbols->Refresh();
        picSample->Refresh();
    });
}

void frmExpSymbol::picSymbols_MouseMove(int32_t x, int32_t y)
{
    const int32_t s = StyleMath::SymbolCellStyle(PointToSymbol(x, y));
    const clsMapGraph* g = RenderGlobals::MapGraph();
    SetGridTip(*picSymbols, s >= 0 && g && g->oSymbols ? g->oSymbols->Name(s) : QString());
}

void frmExpSymbol::picSymbols_MouseUp(int32_t, int32_t x, int32_t y)
{
    const int32_t s = StyleMath::SymbolCellStyle(PointToSymbol(x, y));
    if (s < 0)
        return;
    mSymbol = int16_t(s);
    picSample->Refresh();
    picSymbols->Refresh();
}

void frmExpSymbol::picSymbols_Paint(QImage& image)
{
    clsMapGraph* g = RenderGlobals::MapGraph();
    if (!g || !g->oSymbols)
        return;
    const int32_t cw = image.width() / 8, ch = image.height() / 6;
    // The symbols at the grid's resolution, on a canvas as many pixels larger.
    const int32_t canvasSide = 64 * StylePicture::Dpi(image) / 96;
    if (picCanvas_.width() != canvasSide)
        picCanvas_ = QImage(canvasSide, canvasSide, QImage::Format_RGB32);
    const int32_t CW = picCanvas_.width(), CH = picCanvas_.height();
    DeviceContext dc(picCanvas_, StylePicture::Dpi(image), StylePicture::Dpi(image));
    if (!g->GraphBegin(&dc, 0, 0, CW, CH))
        return;
    QPainter grid(&image);
    try {
        g->SetBrush(8, canvasBack_, -1);
        for (int32_t r = 0; r < 6; ++r) {
            for (int32_t k = 0; k < 8; ++k) {
                const int32_t x = cw * k + 3, y = r * ch + 2;
                const int32_t s = PointToSymbol(x, y);
                const MonoBitmap* bmp = g->oSymbols->handle(s);
                const int32_t bw = bmp ? bmp->Width() : 0, bh = bmp ? bmp->Height() : 0;
                // A small symbol is copied at its own size, a large one cut
                // to the canvas and shrunk into the cell.
                const int32_t dw = Library::Clamp(bw, cw - 2, CW), dh = Library::Clamp(bh, ch - 2, CH);
                const int32_t ox = (CW - dw) / 2, oy = (CH - dh) / 2;
                const int32_t colour = s == mSymbol ? kHighlight : canvasFore_;
                g->DrawClear();
                g->SetSymbol(int16_t(s), colour, -1);
                g->DrawPaint(CW / 2, CH / 2);
                grid.drawImage(QRect(x, y, cw - 2, ch - 2), dc.Image(), QRect(ox, oy, dw, dh));
                grid.setPen(SystemColors::ToQColor(colour));
                grid.drawRect(x, y, cw - 3, ch - 3);
            }
        }
    } catch (...) {
        g->GraphEnd();
        throw;
    }
    g->GraphEnd();
}

void frmExpSymbol::picSample_Paint(QImage& image)
{
    PaintSample(image, [this](clsMapGraph& g, int32_t w, int32_t h) {
        g.SetSymbol(mSymbol, mInside, Enabled(chkEdge, mEdge));
        g.DrawPaint(w / 2, h / 2);
    });
}
