#include "legend/ThingGrid.h"

#include "core/DialogGuard.h"
#include "core/Library.h"
#include "core/clsLine.h"
#include "core/clsPoly.h"
#include "core/clsRect.h"
#include "document/clsThings.h"
#include "platform/FlexGrid.h"
#include "legend/SymbolSwitches.h"
#include "legend/SymbolWork.h"
#include "platform/DeviceContext.h"
#include "platform/Desktop.h"
#include "platform/SystemColors.h"
#include "render/RenderGlobals.h"
#include "render/clsMapGraph.h"
#include "render/clsResSymbol.h"

#include <algorithm>
#include <set>

namespace {

const QString kObj = QStringLiteral("frmMapSymbol");
const QString kCategory = QStringLiteral("category");
const QString kOn = QStringLiteral("on");
const QString kOff = QStringLiteral("off");
constexpr int32_t kCategoryHeight = 240;
constexpr int32_t kThingHeight = 400;

int32_t rgbOf(int32_t c)
{
    if (c < 0 && (uint32_t(c) & 0xFFFFFF00u) == 0x80000000u)
        return SystemColors::SysColor(c & 0xFF);
    return c;
}

} // namespace

ThingGrid::ThingGrid(FlexGrid& grid, SymbolWork& work, SymbolSwitches& sw)
    : grid_(grid)
    , work_(work)
    , sw_(sw)
{
}

void ThingGrid::Layout(int32_t widthTwips)
{
    grid_.SetFormatString(
        QStringLiteral("^+|<事象名|^図形種|^表示|^可視縮尺範囲|^図式(凡例)|^No|^select"));
    static constexpr int32_t kDesigned[6] = {255, 1500, 900, 600, 1300, 1100};
    int32_t spare = widthTwips - 255;
    for (int32_t w : kDesigned)
        spare -= w;
    for (int32_t c = 0; c < 6; ++c) {
        int32_t w = kDesigned[c];
        if (c == 1)
            w += spare * 6 / 10;
        else if (c == 4)
            w += spare / 10;
        else if (c == 5)
            w += spare * 3 / 10;
        grid_.SetColWidth(c, w);
    }
    grid_.SetColWidth(6, 0);
    grid_.SetColWidth(7, 0);
    grid_.SetRowHeight(0, kCategoryHeight);
}

void ThingGrid::SetSample(int32_t width, int32_t height, const QString& text)
{
    sampleW_ = std::max(1, width);
    sampleH_ = std::max(1, height);
    sampleText_ = text;
}

QString ThingGrid::ShowModeText(const clsThing& thing)
{
    switch (thing.ShowMode()) {
    case -1: return QStringLiteral("依存");
    case 0: return QStringLiteral("隠蔽");
    case 1: return QStringLiteral("表示");
    default: return {};
    }
}

QString ThingGrid::RangeText(const clsThing& thing)
{
    if (thing.Figure() == 1)
        return {};
    return Library::NumToKanjiUnits(thing.ScaleS(), true) + QStringLiteral("～")
        + Library::NumToKanjiUnits(thing.ScaleL(), true);
}

QString ThingGrid::FigureName(int16_t figure)
{
    static const char* const kNames[] = {"注釈", "連続線", "多辺形", "点記号", "文字列"};
    return figure >= 1 && figure <= 5 ? QString::fromUtf8(kNames[figure - 1]) : QString();
}

QString ThingGrid::ToolTipAt(int32_t row, int32_t col) const
{
    if (row == 0) {
        static const char* const kHeader[] = {"カテゴリーを展開", "事象の名称を示す", "図形の種類を示す",
                                              "「事象別表示モード」を示す", "「可視縮尺範囲」を示す",
                                              "図形の描画属性を示す"};
        if (col < 0 || col > 5)
            return {};
        return QStringLiteral("見出し行(ダブルクリックで全行選択) / この桁は") + QString::fromUtf8(kHeader[col]);
    }
    if (!IsGridRow(row) || col < 0)
        return {};
    if (!IsThingRow(row)) {
        return col == 0 ? QStringLiteral("カテゴリーを開閉")
                        : QStringLiteral("カテゴリー行(ダブルクリックでカテゴリー内全行選択)");
    }
    switch (col) {
    case 0: return QStringLiteral("カテゴリーを開閉");
    case 1: {
        const QString name = grid_.TextMatrix(row, 1);
        QString tip = QStringLiteral("行(事象)の選択");
        if (name.size() >= 11)
            tip += QStringLiteral(" 「") + name + QStringLiteral("」");
        return tip;
    }
    case 2: return QStringLiteral("行(事象)の選択");
    case 3: return QStringLiteral("「事象別表示モード」を変更");
    case 4: return QStringLiteral("「可視縮尺範囲」を変更");
    case 5: return QStringLiteral("図形の描画属性を変更");
    default: return {};
    }
}

bool ThingGrid::IsGridRow(int32_t row) const { return row >= 1 && row <= grid_.Rows() - 1; }

bool ThingGrid::IsThingRow(int32_t row) const { return IsGridRow(row) && grid_.TextMatrix(row, 7) != kCategory; }

int32_t ThingGrid::RowThingIndex(int32_t row) const
{
    return IsGridRow(row) ? grid_.TextMatrix(row, 6).toInt() : -1;
}

bool ThingGrid::GetSelRange(int32_t& first, int32_t& last) const
{
    first = std::min(grid_.Row(), grid_.RowSel());
    last = std::max(grid_.Row(), grid_.RowSel());
    const bool all = grid_.Rows() > 1 && last == grid_.Rows() - 1 && first <= 1;
    if (all)
        first = 1;
    return all;
}

void ThingGrid::Clear()
{
    grid_.SetRows(1);
}

void ThingGrid::appendRow(const QString& tabText, int32_t height)
{
    grid_.AddItem(tabText);
    grid_.SetRowHeight(grid_.Rows() - 1, height);
}

void ThingGrid::paintCategory(int32_t row)
{
    for (int32_t c = 0; c < grid_.Cols(); ++c) {
        grid_.SetCellFontBold(row, c, true);
        grid_.SetCellForeColor(row, c, int32_t(0x80000013u)); // inactive caption text
        grid_.SetCellBackColor(row, c, int32_t(0x80000003u)); // inactive caption
    }
}

void ThingGrid::SetGridData()
{
    try {
        const auto things = work_.Things();
        if (!things)
            return;
        Library::BusyPointer busy;
        int32_t first = 0, last = 0;
        const bool all = GetSelRange(first, last);
        std::set<int32_t> open;
        for (int32_t r = 1; r < grid_.Rows(); ++r) {
            if (grid_.TextMatrix(r, 0) == QStringLiteral("-"))
                open.insert(grid_.TextMatrix(r, 6).toInt());
        }
        const bool redraw = grid_.Redraw();
        grid_.SetRedraw(false);
        grid_.SetRows(1);
        grid_.SetRowHeight(0, kCategoryHeight);
        const auto list = things->Things();
        for (int32_t cat = 1; cat <= 20; ++cat) {
            const QString name = things->CategoryName(cat);
            if (name.isEmpty())
                continue;
            const bool isOpen = open.count(cat) > 0;
            const int32_t catRow = grid_.Rows();
            appendRow(QStringList{isOpen ? QStringLiteral("-") : QStringLiteral("+"), name, {}, {}, {}, {},
                                  QString::number(cat), kCategory}
                          .join(QLatin1Char('\t')),
                      kCategoryHeight);
            paintCategory(catRow);
            int32_t n = 0;
            for (const auto& t : list) {
                if (t->Category() != cat || !(sw_.mDispAll || t->Figure() == 1 || t->Use()))
                    continue;
                t->SetPage(sw_.mThingPage);
                appendRow(QStringList{{}, t->Name(), FigureName(t->Figure()), ShowModeText(*t), RangeText(*t), {},
                                      QString::number(t->Index()), kOff}
                              .join(QLatin1Char('\t')),
                          isOpen ? kThingHeight : 0);
                RecSample(grid_.Rows() - 1, *t, false);
                ++n;
            }
            if (n == 0)
                grid_.RemoveItem(catRow);
        }
        grid_.SetCol(1);
        if (all)
            grid_.SetSelection(grid_.Rows() > 1 ? 1 : 0, 1, grid_.Rows() - 1, 1);
        else
            grid_.SetSelection(first, 1, last, 1);
        grid_.SetRedraw(redraw);
    } catch (...) {
        grid_.SetRedraw(true);
        DialogGuard::RaiseError(kObj, "SetGridData");
    }
}

void ThingGrid::RecSample(int32_t row, clsThing& thing, bool selected)
{
    if (!IsGridRow(row))
        return;
    grid_.SetCellPicture(row, 5, DrawSample(thing, selected));
    grid_.SetTextMatrix(row, 7, selected ? kOn : kOff);
}

QImage ThingGrid::DrawSample(clsThing& thing, bool selected) const
{
    // In device pixels at 96 dpi times the screen's ratio, shown at the
    // cell's size: sharp on a screen of ratio 2, not a blown-up picture.
    const double ratio = Desktop::DevicePixelRatio();
    const auto px = [ratio](int32_t n) { return Library::DblToLng(n * ratio); };
    const int32_t w = std::max(1, px(sampleW_)), h = std::max(1, px(sampleH_));
    const int32_t back = rgbOf(selected ? grid_.BackColorSel() : grid_.BackColor());
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(SystemColors::ToQColor(back));
    clsMapGraph* g = RenderGlobals::MapGraph();
    thing.SetPage(sw_.mThingPage);
    if (g) {
        if (g->oSymbols)
            g->oSymbols->SetResolution(0);
        DeviceContext dc(img, px(96), px(96));
        if (g->GraphBegin(&dc, 0, 0, w, h)) {
            try {
                g->SetBrush(8, back, back);
                g->DrawClear();
                if (thing.Figure() != 1) {
                    clsPoly tri;
                    tri.SetCount(3);
                    tri.SetXandY(1, w, 0);
                    tri.SetXandY(2, 0, h);
                    tri.SetXandY(3, w, h);
                    g->SetBrush(8, 0xA0A0A0, 0xA0A0A0);
                    g->DrawPolygon(tri);
                }
                const int32_t fore = thing.Fore(), tback = thing.Back();
                switch (thing.Figure()) {
                case 2: {
                    g->SetPen(thing.Style(), thing.Size(), fore, tback);
                    clsLine l;
                    l.mSx = px(4);
                    l.mSy = h / 2;
                    l.mEx = w - px(4);
                    l.mEy = h / 2;
                    g->DrawLine(l);
                    break;
                }
                case 3: {
                    g->SetBrush(thing.Style(), fore, tback);
                    clsRect r(px(5), px(3), w - px(6), h - px(5));
                    g->DrawFillRect(r);
                    break;
                }
                case 4:
                    g->SetSymbol(thing.Style(), fore, tback);
                    g->DrawPaint(w / 2, h / 2);
                    break;
                case 5:
                    g->SetFont(thing.FontName(), thing.Size(), 0, uint8_t(thing.Style()), fore, tback);
                    g->DrawText(0, h / 2, 11, sampleText_);
                    break;
                default: break;
                }
                g->GraphEnd();
            } catch (...) {
                try {
                    g->GraphEnd();
                } catch (...) {
                }
                DialogGuard::RaiseError(kObj, "DrawSample");
            }
        }
    }
    img.setDevicePixelRatio(ratio);
    return img;
}

void ThingGrid::GridTree(int32_t row)
{
    if (!IsGridRow(row))
        return;
    int32_t r = row;
    while (r >= 1 && grid_.TextMatrix(r, 7) != kCategory)
        --r;
    if (r < 1)
        return;
    const QString marker = grid_.TextMatrix(r, 0);
    int32_t height = 0;
    QString next;
    if (marker == QStringLiteral("+")) {
        next = QStringLiteral("-");
        height = kThingHeight;
    } else if (marker == QStringLiteral("-")) {
        next = QStringLiteral("+");
    } else {
        return;
    }
    grid_.SetTextMatrix(r, 0, next);
    for (int32_t i = r + 1; i < grid_.Rows() && grid_.TextMatrix(i, 7) != kCategory; ++i)
        grid_.SetRowHeight(i, height);
}

void ThingGrid::setShowMode(clsThing& thing, int16_t mode)
{
    if (sw_.mPageSync) {
        for (int16_t p = 1; p <= 8; ++p) {
            thing.SetPage(p);
            thing.SetShowMode(mode);
        }
    } else {
        thing.SetPage(sw_.mThingPage);
        thing.SetShowMode(mode);
    }
    thing.SetPage(sw_.mThingPage);
    work_.SyncMapThing(thing, sw_.mUnitSync);
}

void ThingGrid::GridShowmode(int32_t row)
{
    if (!IsThingRow(row))
        return;
    const auto things = work_.Things();
    const auto thing = things->Item(RowThingIndex(row));
    if (!thing)
        return;
    thing->SetPage(sw_.mThingPage);
    const int16_t m = thing->ShowMode();
    const int16_t n = m == -1 ? 0 : m == 0 ? 1 : -1;
    setShowMode(*thing, n);
    grid_.SetTextMatrix(row, 3, ShowModeText(*thing));
    if (thing->Figure() != 1)
        return;
    // An annotation thing heads the things listed after it.
    for (int32_t r = row + 1; IsThingRow(r); ++r) {
        const auto t = things->Item(RowThingIndex(r));
        if (!t || t->Figure() == 1)
            break;
        setShowMode(*t, n);
        grid_.SetTextMatrix(r, 3, ShowModeText(*t));
    }
}

void ThingGrid::Click()
{
    if (IsGridRow(grid_.MouseRow()))
        actOnCell();
}

void ThingGrid::KeyDown(int32_t keyCode)
{
    // The key acts where the keyboard is, wherever the pointer rests.
    if (keyCode == 32 && IsGridRow(grid_.Row()))
        actOnCell();
}

void ThingGrid::actOnCell()
{
    const int32_t row = grid_.Row();
    const bool thingRow = IsThingRow(row);
    switch (grid_.Col()) {
    case 0: GridTree(row); break;
    case 3:
        GridShowmode(row);
        if (thingRow && ExePreview)
            ExePreview();
        break;
    case 4:
        if (GridRange)
            GridRange(row);
        if (thingRow && ExePreview)
            ExePreview();
        break;
    case 5:
        if (GridAttribute)
            GridAttribute(row);
        if (thingRow && ExePreview)
            ExePreview();
        break;
    default: break;
    }
}

void ThingGrid::DblClick()
{
    const int32_t row = grid_.MouseRow();
    if (row == 0) {
        if (grid_.Rows() > 1)
            grid_.SetSelection(1, 1, grid_.Rows() - 1, 1);
        return;
    }
    if (!IsGridRow(row) || IsThingRow(row))
        return;
    int32_t end = row;
    while (IsThingRow(end + 1))
        ++end;
    if (end > row)
        grid_.SetSelection(row + 1, 1, end, 1);
}

void ThingGrid::SelChange()
{
    if (inSelChange_)
        return;
    inSelChange_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inSelChange_};
    if (EnablePopup)
        EnablePopup(false);
    const int32_t r0 = std::min(grid_.Row(), grid_.RowSel()), r1 = std::max(grid_.Row(), grid_.RowSel());
    const int32_t c0 = std::min(grid_.Col(), grid_.ColSel()), c1 = std::max(grid_.Col(), grid_.ColSel());
    for (int32_t r = r0; r <= r1; ++r) {
        if (IsThingRow(r)) {
            if (EnablePopup)
                EnablePopup(true);
            break;
        }
    }
    const bool sampleColumn = c0 <= 5 && 5 <= c1;
    const auto things = work_.Things();
    if (!things)
        return;
    const bool redraw = grid_.Redraw();
    grid_.SetRedraw(false);
    for (int32_t r = 1; r < grid_.Rows(); ++r) {
        if (!IsThingRow(r))
            continue;
        const bool want = sampleColumn && r >= r0 && r <= r1;
        if (grid_.TextMatrix(r, 7) == (want ? kOn : kOff))
            continue;
        if (const auto t = things->Item(RowThingIndex(r)))
            RecSample(r, *t, want);
    }
    grid_.SetRedraw(redraw);
}

void ThingGrid::MouseMove()
{
    const QString tip = ToolTipAt(grid_.MouseRow(), grid_.MouseCol());
    if (tip != grid_.ToolTipText())
        grid_.SetToolTipText(tip);
}
