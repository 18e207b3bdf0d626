#include "legend/frmExpSymbol.h"

#include "core/Library.h"
#include "legend/StyleMath.h"
#include "legend/StylePicture.h"
#include "platform/DeviceContext.h"
#include "render/MonoBitmap.h"
#include "render/RenderGlobals.h"
#include "render/clsMapGraph.h"
#include "render/clsResSymbol.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

frmExpSymbol::frmExpSymbol(QWidget* parent)
    : StyleEditor(QStringLiteral("frmExpSymbol"), QStringLiteral("点記号事象図式"), 252204, parent)
{
    lblSymbols = new QLabel(QStringLiteral("記号パターンリスト(&M):"), this);
    lblSymbols->setToolTip(QStringLiteral("点状地図記号のリスト"));
    picSymbols = new StylePicture(257, 185, this);
    picSymbols->SetBackColor(0xFFFFFF);
    lblSymbols->setBuddy(picSymbols);
    picSample = new StylePicture(137, 81, this);
    picSample->setToolTip(QStringLiteral("現在の設定による見本"));
    cmdInside = MakeButton(QStringLiteral("記号色(&C)"), QStringLiteral("記号の色"));
    cmdEdge = MakeButton(QStringLiteral("縁色(&D)"), QStringLiteral("縁取りの色"));
    chkEdge = MakeCheck({}, QStringLiteral("縁取りを有効にする"));

    auto* colours = new QGridLayout;
    colours->addWidget(cmdInside, 0, 0);
    colours->addWidget(cmdEdge, 1, 0);
    colours->addWidget(chkEdge, 1, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(picSample);
    side->addLayout(colours);
    side->addStretch(1);
    auto* gridBox = new QVBoxLayout;
    gridBox->addWidget(lblSymbols);
    gridBox->addWidget(picSymbols);
    auto* body = new QHBoxLayout;
    body->addLayout(gridBox);
    body->addLayout(side);
    auto* box = new QVBoxLayout(this);
    box->addLayout(body);
    box->addLayout(ButtonRow());
    box->setSizeConstraint(QLayout::SetFixedSize);

    picSymbols->Paint = [this](QImage& img) { Guarded("picSymbols_Paint", [&] { picSymbols_Paint(img); }); };
    picSample->Paint = [this](QImage& img) { Guarded("picSample_Paint", [&] { picSample_Paint(img); }); };
    picSymbols->MouseMove = [this](int32_t x, int32_t y) {
        Guarded("picSymbols_MouseMove", [&] { picSymbols_MouseMove(x, y); });
    };
    picSymbols->MouseUp = [this](int32_t b, int32_t x, int32_t y) {
        Guarded("picSymbols_MouseUp", [&] { picSymbols_MouseUp(b, x, y); });
    };
    connect(cmdInside, &QPushButton::clicked, this, [this] { Guarded("cmdInside_Click", [this] { cmdInside_Click(); }); });
    connect(cmdEdge, &QPushButton::clicked, this, [this] { Guarded("cmdEdge_Click", [this] { cmdEdge_Click(); }); });
    connect(chkEdge, &QCheckBox::clicked, this, [this] { chkEdge_Click(); });
}

int32_t frmExpSymbol::PointToSymbol(int32_t x, int32_t y) const
{
    return StyleMath::CellIndex(x, y, picSymbols->ScaleWidth(), picSymbols->ScaleHeight(), 8, 6);
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
    const int32_t CW = picCanvas_.width(), CH = picCanvas_.height();
    DeviceContext dc(picCanvas_);
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
                grid.setPen(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
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

void frmExpSymbol::cmdInside_Click() { PickColor(mInside, nullptr); }

void frmExpSymbol::cmdEdge_Click() { PickColor(mEdge, chkEdge); }

void frmExpSymbol::chkEdge_Click() { picSample->Refresh(); }

void frmExpSymbol::cmdOK_Click()
{
    Guarded("cmdOK_Click", [this] {
        if (!chkEdge->isChecked())
            mEdge = -1;
    });
    Unload(true);
}
