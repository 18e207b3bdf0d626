#include "render/clsAccessory.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "core/clsLine.h"
#include "core/clsPoly.h"
#include "core/clsRect.h"
#include "core/clsRegistry.h"
#include "document/clsMapUnits.h"
#include "document/clsThings.h"
#include "platform/DeviceContext.h"
#include "platform/UiServices.h"
#include "platform/VospError.h"
#include "platform/WidgetLib.h"
#include "render/RegValues.h"
#include "render/RenderGlobals.h"
#include "render/clsMapGraph.h"
#include "render/clsMapPlot.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const kObj = "clsAccessory";

std::shared_ptr<QFont> MakeFont(const QString& face, double points)
{
    auto f = std::make_shared<QFont>(face);
    f->setPointSizeF(points);
    f->setBold(false);
    f->setItalic(false);
    f->setUnderline(false);
    f->setStrikeOut(false);
    f->setWeight(QFont::Weight(400));
    return f;
}

// The Japanese locale's text comparison ignores letter case and character
// width; folding one character at a time keeps every position in place.
QString FoldForSearch(const QString& s)
{
    QString out = s;
    for (QChar& c : out) {
        char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            u = char16_t(u - 0xFEE0);
        else if (u == 0x301C) // the wave dash that some fonts show as "～"
            u = u'~';
        else if (u == 0x3000)
            u = u' ';
        if (u >= u'a' && u <= u'z')
            u = char16_t(u - 32);
        c = QChar(u);
    }
    return out;
}

// The longest leading number (sign, digits, decimals) rounded to a 32-bit
// integer, saturating; 0 when the text starts with no number.
int32_t LeadingNumber(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < n && text[i] >= u'0' && text[i] <= u'9')
        ++i;
    qsizetype digits = i - digitsStart;
    if (i < n && text[i] == u'.') {
        const qsizetype f = ++i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        digits += i - f;
    }
    if (digits == 0)
        return 0;
    QString number = text.left(i);
    if (number.endsWith(u'.'))
        number.chop(1);
    bool ok = false;
    const double v = number.toDouble(&ok);
    if (!ok)
        return number.startsWith(u'-') ? -2147483647 : 2147483647;
    return Library::DblToLng(v);
}

} // namespace

clsAccessory::clsAccessory()
{
    try {
        Clear();
        ReadRegistry();
        index_ = 1;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("Class_Initialize"));
    }
}

clsAccessory::~clsAccessory() = default;

void clsAccessory::SetDpi(int32_t v)
{
    if (Library::InRange(v, 48, 1440))
        dpi_ = v;
}

void clsAccessory::SetMapScale(double v)
{
    if (MapProjection::IsValidScale(v))
        mapScale_ = v;
}

void clsAccessory::SetIndex(int32_t v)
{
    if (Library::InRange(v, 1, 7))
        index_ = v;
}

void clsAccessory::SetColor(int32_t v)
{
    if (item().Status & HasColor)
        item().Color = v;
}

void clsAccessory::SetText(const QString& v)
{
    if (item().Status & HasText)
        item().Text = Library::TrimCtrlChars(v);
}

void clsAccessory::SetFont(const std::shared_ptr<QFont>& font)
{
    if (item().Status & HasFont)
        item().Font = font;
}

const AccessoryItem& clsAccessory::Item(int32_t i) const
{
    if (!Library::InRange(i, 1, 7))
        ErrorMng::RaiseNew(9, kObj, QStringLiteral("Item"), QStringLiteral("index=%1").arg(i));
    return items_[size_t(i - 1)];
}

void clsAccessory::Clear()
{
    try {
        instanceName_ = QStringLiteral("ACCESSORY");
        position_ = 1;
        left_ = 0;
        top_ = 0;
        width_ = 1;
        height_ = 1;
        const QString face = PublicVal::gvDefaultFont;
        struct Row {
            int16_t status;
            const char* name;
            bool use;
            int32_t color;
        };
        static constexpr Row rows[7] = {{1, "Back", true, 0xFFFFFF},  {1, "Frame", true, 0},
                                        {7, "Measure", true, 0xFF0000}, {7, "Title", false, 255},
                                        {7, "Comment", false, 0},      {1, "Center", true, 255},
                                        {5, "Elevate", false, 0xFF0000}};
        for (size_t i = 0; i < 7; ++i) {
            AccessoryItem& it = items_[i];
            it.Status = rows[i].status;
            it.Name = QString::fromLatin1(rows[i].name);
            it.Use = rows[i].use;
            it.Color = rows[i].color;
            it.Text.clear();
            it.Font.reset();
        }
        items_[ItemMeasure - 1].Text = QStringLiteral("*");
        items_[ItemMeasure - 1].Font = MakeFont(QStringLiteral("Arial"), 9);
        items_[ItemTitle - 1].Font = MakeFont(face, 12);
        items_[ItemComment - 1].Text = QStringLiteral("generated by ") + UiServices::AppTitle();
        items_[ItemComment - 1].Font = MakeFont(face, 9);
        items_[ItemElevate - 1].Font = MakeFont(QStringLiteral("Arial"), 9);
        ClearLayout();
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("Clear"));
    }
}

void clsAccessory::ClearLayout()
{
    for (AccessoryItem& it : items_) {
        it.Left = it.Top = it.Width = it.Height = 0;
        it.Data = int32_t(0);
    }
}

std::unique_ptr<clsAccessory> clsAccessory::Copy() const
{
    try {
        auto o = std::make_unique<clsAccessory>();
        o->SetPosition(position_);
        for (int32_t i = 1; i <= 7; ++i) {
            const AccessoryItem& it = items_[size_t(i - 1)];
            o->SetIndex(i);
            o->SetUse(it.Use);
            o->SetColor(it.Color);
            o->SetText(it.Text);
            if ((it.Status & HasFont) && it.Font)
                o->SetFont(std::make_shared<QFont>(WidgetLib::CloneFont(*it.Font)));
        }
        return o;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("Copy"));
    }
}

void clsAccessory::ReadRegistry()
{
    try {
        clsRegistry reg;
        reg.mSection = instanceName_;
        position_ = RegValues::GetLong(reg, QStringLiteral("Position"), 1);
        const int32_t keep = index_;
        for (int32_t i = 1; i <= 7; ++i) {
            index_ = i;
            AccessoryItem& it = item();
            const QString& name = it.Name;
            it.Use = RegValues::GetBool(reg, name + QStringLiteral("SW"), it.Use);
            SetColor(RegValues::GetLong(reg, name + QStringLiteral("Color"), it.Color));
            SetText(reg.RegGet(name + QStringLiteral("Text"), it.Text));
            if (it.Font) {
                QFont& f = *it.Font;
                f.setFamily(reg.RegGet(name + QStringLiteral("FontName"), f.family()));
                const double size = RegValues::GetDouble(reg, name + QStringLiteral("FontSize"), f.pointSizeF());
                // A size the font cannot take counts as a bad value.
                if (size > 0 && size <= 2160)
                    f.setPointSizeF(size);
                f.setBold(RegValues::GetBool(reg, name + QStringLiteral("FontBold"), f.bold()));
                f.setItalic(RegValues::GetBool(reg, name + QStringLiteral("FontItalic"), f.italic()));
            }
        }
        index_ = keep;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1005, kObj, QStringLiteral("ReadRegistry"));
    }
}

void clsAccessory::WriteRegistry() const
{
    try {
        clsRegistry reg;
        reg.mSection = instanceName_;
        reg.RegPut(QStringLiteral("Position"), position_);
        for (const AccessoryItem& it : items_) {
            reg.RegPut(it.Name + QStringLiteral("SW"), it.Use);
            if (it.Status & HasColor)
                reg.RegPut(it.Name + QStringLiteral("Color"), it.Color);
            if (it.Status & HasText)
                reg.RegPut(it.Name + QStringLiteral("Text"), it.Text);
            if ((it.Status & HasFont) && it.Font) {
                reg.RegPut(it.Name + QStringLiteral("FontName"), it.Font->family());
                reg.RegPut(it.Name + QStringLiteral("FontSize"), it.Font->pointSizeF());
                reg.RegPut(it.Name + QStringLiteral("FontBold"), it.Font->bold());
                reg.RegPut(it.Name + QStringLiteral("FontItalic"), it.Font->italic());
            }
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1005, kObj, QStringLiteral("WriteRegistry"));
    }
}

// --- elevation classes ------------------------------------------------------

bool clsAccessory::IsElvHeading(const QString& name)
{
    const QString f = FoldForSearch(name);
    return f.contains(QStringLiteral("等高面")) || f.contains(QStringLiteral("段彩"));
}

void clsAccessory::ParseElvRange(const QString& name, int16_t& unit, int32_t& low, int32_t& high)
{
    const QString f = FoldForSearch(name);
    unit = f.contains(u'F') ? 2 : 1;
    low = ElvOpenLow;
    high = ElvOpenHigh;
    const qsizetype p = f.indexOf(u'~');
    if (p < 0) {
        if (name == QStringLiteral("海面下")) {
            low = -1;
            high = 0;
        }
        return;
    }
    if (p > 0)
        low = LeadingNumber(Library::TrimBlanks(f.left(p)));
    if (p < f.size() - 1)
        high = LeadingNumber(Library::TrimBlanks(f.mid(p + 1)));
}

void clsAccessory::SortElvData(std::vector<ElvClass>& list)
{
    const size_t n = list.empty() ? 0 : list.size() - 1;
    for (size_t i = 1; i < n; ++i)
        for (size_t j = i + 1; j <= n; ++j)
            if (list[i].Low > list[j].Low)
                std::swap(list[i], list[j]);
}

// --- scale bar ---------------------------------------------------------------

bool clsAccessory::MeasureLength(int32_t avail, double k, int32_t& lengthKm, int32_t& divisions)
{
    lengthKm = 0;
    divisions = 0;
    // No resolution or no scale gives no factor, and no bar.
    if (!(k > 0) || !std::isfinite(k))
        return false;
    int32_t v = Library::DblToLng(avail / k);
    int32_t p = 1;
    while (v >= 100) {
        v /= 10;
        p *= 10;
    }
    int32_t n = 0, d = 0;
    if (v >= 75)
        n = 75, d = 5;
    else if (v >= 50)
        n = 50, d = 5;
    else if (v >= 40)
        n = 40, d = 4;
    else if (v >= 30)
        n = 30, d = 3;
    else if (v >= 20)
        n = 20, d = 4;
    else if (v >= 15)
        n = 15, d = 3;
    else if (v >= 10)
        n = 10, d = 5;
    else if (v >= 8)
        n = 8, d = 4;
    else if (v >= 5)
        n = 5, d = 5;
    else if (v >= 1)
        n = v, d = v;
    else
        return false;
    lengthKm = p * n;
    divisions = d;
    return true;
}

// --- layout -------------------------------------------------------------------

namespace {

using RegValues::EnvInt;

// Ends the drawing however the procedure is left.
class DrawingScope {
public:
    explicit DrawingScope(clsMapGraph& g) : g_(g) {}
    ~DrawingScope()
    {
        try {
            g_.GraphEnd();
        } catch (...) {
        }
    }
    DrawingScope(const DrawingScope&) = delete;
    DrawingScope& operator=(const DrawingScope&) = delete;

private:
    clsMapGraph& g_;
};

const QStringList* Lines(const AccessoryItem& it) { return std::get_if<QStringList>(&it.Data); }

} // namespace

clsMapGraph& clsAccessory::graph() const
{
    clsMapGraph* g = graph_ ? graph_ : RenderGlobals::MapGraph();
    if (!g)
        ErrorMng::RaiseNew(91, kObj, QStringLiteral("Graph"), QStringLiteral("no drawing layer"));
    return *g;
}

int32_t clsAccessory::TextLineHeight(const QFont& font) const
{
    clsMapGraph& g = graph();
    g.SetFontObject(font, 0);
    int32_t w = 0, h = 0;
    g.GetTextSize(QStringLiteral("W|"), w, h);
    return h;
}

QStringList clsAccessory::FoldItemText(int32_t width, const QString& text, const QFont& font) const
{
    clsMapGraph& g = graph();
    g.SetFontObject(font, 0);
    int32_t w = 0, h = 0;
    g.GetTextSize(QStringLiteral("W"), w, h);
    if (width >= 2 * w)
        return g.FoldText(text, width);
    return QStringList{QString()};
}

void clsAccessory::PutText(CanvasPoint at, int16_t code, const QString& text)
{
    clsMapGraph& g = graph();
    g.DrawText(at, code, text);
    // The glyphs' own box: a line next to this one may take the room that
    // the text's cell leaves above and below them.
    QRect ink;
    int32_t w = 0, h = 0;
    if (!g.handle() || !g.handle()->GetTextInkBox(text, ink) || !g.GetTextSize(text, w, h))
        return;
    int32_t dx = 0, dy = 0, align = 0;
    clsMapGraph::AlignOffset(code, g.TextGap(), g.CapHeight(), dx, dy, align);
    int32_t left = at.x + dx;
    if (align == Gdi::TA_CENTER)
        left -= w / 2;
    else if (align == Gdi::TA_RIGHT)
        left -= w;
    occupied_.push_back(ink.translated(left, at.y + dy));
}

QString clsAccessory::CommentText() const
{
    const QString& text = items_[ItemComment - 1].Text;
    if (text != QLatin1String("*") && text != QLatin1String("?"))
        return text;
    if (PublicVal::gvMapMode == 1) {
        if (clsMapPlot* plot = RenderGlobals::MapPlot())
            return plot->ProjectionName();
    } else if (PublicVal::gvMapMode == 2 && mapUnits_) {
        const auto unit = mapUnits_->Active();
        if (unit && unit->gFigures)
            return unit->gFigures->ProjectionName();
    }
    return QString();
}

int32_t clsAccessory::BackHeight()
{
    try {
        if (!items_[ItemBack - 1].Use)
            return 0;
        Layout();
        return items_[ItemBack - 1].Height;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("BackHeight"));
    }
}

void clsAccessory::Layout()
{
    try {
        clsMapGraph& g = graph();
        if (!g.GraphBegin(handle_, 0, 0, width_, height_))
            return;
        DrawingScope scope(g);
        g.SetResolutionX(dpi_);
        g.SetResolutionY(dpi_);
        ClearLayout();
        const int32_t W = width_, H = height_, L = left_, T = top_;
        AccessoryItem& back = items_[ItemBack - 1];
        AccessoryItem& frame = items_[ItemFrame - 1];
        AccessoryItem& measure = items_[ItemMeasure - 1];
        AccessoryItem& title = items_[ItemTitle - 1];
        AccessoryItem& comment = items_[ItemComment - 1];
        AccessoryItem& center = items_[ItemCenter - 1];
        AccessoryItem& legend = items_[ItemElevate - 1];

        int32_t t = 0;
        if (frame.Use) {
            t = EnvInt("AccessoryFrameThick", 1, 1, 9);
            frame.Width = W;
            frame.Height = H;
        }
        auto layText = [&](AccessoryItem& it, const QString& text) {
            if (!it.Use || text.isEmpty() || !it.Font)
                return;
            const int32_t w = W - 2 * t;
            const int32_t h = TextLineHeight(*it.Font);
            const QStringList lines = FoldItemText(w - h, text, *it.Font);
            it.Width = w;
            it.Height = int32_t(lines.size()) * h + h / 2;
            it.Data = lines;
        };
        layText(title, title.Text);
        if (comment.Use && !comment.Text.isEmpty())
            layText(comment, CommentText());

        if (legend.Use) {
            elvData_ = GetElvData(mapUnits_);
            if (!elvData_.empty() && legend.Font) {
                g.SetFontObject(*legend.Font, legend.Color);
                int32_t w99 = 0, h99 = 0;
                g.GetTextSize(QStringLiteral("99|"), w99, h99);
                const int64_t n = int64_t(elvData_.size()) - 1;
                if ((n + 2) * w99 <= (2 * int64_t(W)) / 3) {
                    legend.Width = int32_t((n + 2) * w99);
                    legend.Height = (h99 * 7) / 4;
                }
            }
        }
        if (measure.Use && measure.Font) {
            const int32_t h = TextLineHeight(*measure.Font);
            measure.Width = W - 2 * t - legend.Width;
            measure.Height = (h * 7) / 4;
        }
        const int32_t r = std::max(measure.Height, legend.Height);
        const int32_t band = title.Height + comment.Height + r + 2 * t;
        if (back.Use && band >= 1) {
            back.Width = W;
            back.Height = band;
        }
        if (center.Use) {
            center.Width = W;
            center.Height = H - back.Height;
        }
        title.Left = comment.Left = measure.Left = L + t;
        legend.Left = L + W - t - legend.Width;
        if (position_ == 0) {
            back.Top = T;
            center.Top = T + back.Height;
            title.Top = T + t;
            comment.Top = title.Top + title.Height;
            legend.Top = comment.Top + comment.Height;
            measure.Top = legend.Top;
            if (back.Height > 0)
                frame.Data = T - t / 2 + band;
        } else if (position_ == 1) {
            back.Top = H - band + T;
            center.Top = T;
            measure.Top = back.Top + t;
            legend.Top = measure.Top;
            title.Top = legend.Top + r;
            comment.Top = title.Top + title.Height;
            if (back.Height > 0)
                frame.Data = (t - 1) / 2 + back.Top;
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("Layout"));
    }
}

// --- drawing ------------------------------------------------------------------

void clsAccessory::Draw()
{
    try {
        occupied_.clear();
        Layout();
        clsMapGraph& g = graph();
        if (!g.GraphBegin(handle_, 0, 0, width_, height_))
            return;
        DrawingScope scope(g);
        g.SetResolutionX(dpi_);
        g.SetResolutionY(dpi_);
        PlotCenterMarker();
        PlotBack();
        PlotTitle();
        PlotComment();
        PlotElevate(elvData_);
        PlotMeasure(mapScale_, dpi_);
        PlotFrame();
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("Draw"));
    }
}

void clsAccessory::PlotCenterMarker()
{
    try {
        const AccessoryItem& it = items_[ItemCenter - 1];
        if (!it.Use)
            return;
        const int32_t space = EnvInt("AccessoryCenterSpace", 8, 0, 999);
        const int32_t len = EnvInt("AccessoryCenterLen", 5, 1, 50);
        const int32_t style = EnvInt("AccessoryCenterStyle", 0, 0, 5);
        const int32_t thick = EnvInt("AccessoryCenterThick", 1, 1, 9);
        clsMapGraph& g = graph();
        g.SetPen(int16_t(style), thick, it.Color, -1);
        const int32_t cx = it.Left + it.Width / 2;
        const int32_t cy = it.Top + it.Height / 2;
        const int32_t ax = int32_t(int64_t(it.Width) * len / 100) + space;
        const int32_t ay = int32_t(int64_t(it.Height) * len / 100) + space;
        occupied_.emplace_back(QPoint(cx - ax, cy - thick / 2), QPoint(cx + ax, cy + thick / 2));
        occupied_.emplace_back(QPoint(cx - thick / 2, cy - ay), QPoint(cx + thick / 2, cy + ay));
        clsLine seg;
        seg.SetAll(cx - space, cy, cx - ax, cy);
        g.DrawLine(seg);
        seg.SetAll(cx + space, cy, cx + ax, cy);
        g.DrawLine(seg);
        seg.SetAll(cx, cy - space, cx, cy - ay);
        g.DrawLine(seg);
        seg.SetAll(cx, cy + space, cx, cy + ay);
        g.DrawLine(seg);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("PlotCenterMarker"));
    }
}

void clsAccessory::PlotBack()
{
    try {
        const AccessoryItem& it = items_[ItemBack - 1];
        if (!it.Use || it.Height <= 0)
            return;
        clsMapGraph& g = graph();
        g.SetBrush(8, it.Color, 0);
        clsRect r;
        r.SetAll(it.Left, it.Top, it.Left + it.Width, it.Top + it.Height - 1);
        g.DrawFillRect(r);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("PlotBack"));
    }
}

void clsAccessory::PlotItemText(int32_t index)
{
    const AccessoryItem& it = items_[size_t(index - 1)];
    if (!it.Use || it.Height <= 0 || !it.Font)
        return;
    clsMapGraph& g = graph();
    g.SetFontObject(*it.Font, it.Color);
    int32_t w0 = 0, h0 = 0;
    g.GetTextSize(QStringLiteral("0"), w0, h0);
    const int32_t x = it.Left + w0 / 2;
    int32_t y = it.Top + (h0 * 3) / 4;
    if (const QStringList* lines = Lines(it)) {
        for (const QString& line : *lines) {
            PutText(CanvasPoint{x, y}, 11, line);
            y += h0;
        }
    }
}

void clsAccessory::PlotTitle()
{
    try {
        PlotItemText(ItemTitle);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("PlotTitle"));
    }
}

void clsAccessory::PlotComment()
{
    try {
        PlotItemText(ItemComment);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("PlotComment"));
    }
}

void clsAccessory::PlotMeasure(double scale, int32_t dpi)
{
    try {
        const AccessoryItem& it = items_[ItemMeasure - 1];
        if (!it.Use || it.Width < 1 || it.Height < 1 || !it.Font)
            return;
        const double k = 1000000.0 / 25.4 * dpi / scale;
        // Without a resolution or a scale there is nothing to measure.
        if (!(k > 0) || !std::isfinite(k))
            return;
        QString s = it.Text;
        if (s == QLatin1String("?") || s == QLatin1String("*"))
            s = QStringLiteral("1/") + Library::FormatStdInt(scale);
        clsMapGraph& g = graph();
        g.SetFontObject(*it.Font, it.Color);
        int32_t reserve = 0, h = 0;
        if (!s.isEmpty()) {
            int32_t sw = 0;
            g.GetTextSize(s, sw, h);
            reserve = sw + h / 4;
        } else {
            int32_t tw = 0;
            g.GetTextSize(Library::FormatStdInt(Library::DblToLng(it.Width / k)) + QStringLiteral("0km"), tw, h);
            reserve = tw / 2;
        }
        int32_t avail = it.Width - reserve - h;
        if (avail < 5 * h)
            return;
        int32_t lengthKm = 0, d = 0;
        if (!MeasureLength(avail, k, lengthKm, d))
            return;
        int32_t b = Library::DblToLng(double(lengthKm) * k);
        int32_t bh = it.Height - (h * 7) / 6 - 1;
        const int32_t x0 = it.Left + h / 3;
        const int32_t y0 = it.Top + h / 6;
        const auto label = [&](int32_t i) { return Library::FormatStdInt(double(int64_t(i - 1) * lengthKm / d)); };
        QString t = Library::FormatStdInt(lengthKm);
        // The end label: its number centred under the bar's end, "km" after it.
        const auto endLeft = [&] {
            int32_t tw = 0, th = 0;
            g.GetTextSize(t, tw, th);
            return x0 + b - tw / 2;
        };
        if (fitLabels_ && g.handle()) {
            // The room kept for the end label is a guess from a digit's
            // width: where its "km" would pass the strip's end, a shorter
            // length is taken until it fits.
            QRect ink;
            while (g.handle()->GetTextInkBox(t + QStringLiteral("km"), ink)) {
                const int32_t over = endLeft() + ink.right() - (width_ - 1);
                if (over <= 0)
                    break;
                avail = std::min(b - over, Library::DblToLng(std::floor((lengthKm - 1) * k)));
                if (avail < 5 * h || !MeasureLength(avail, k, lengthKm, d))
                    return;
                b = Library::DblToLng(double(lengthKm) * k);
                t = Library::FormatStdInt(lengthKm);
            }
            // A face whose line is much taller than its glyphs (the CJK
            // ones) puts the labels below the drawing: the bar gives way.
            int32_t below = INT32_MIN;
            for (int32_t i = 1; i <= d; ++i)
                if (g.handle()->GetTextInkBox(label(i), ink))
                    below = std::max(below, ink.bottom());
            if (g.handle()->GetTextInkBox(t + QStringLiteral("km"), ink))
                below = std::max(below, ink.bottom());
            if (below != INT32_MIN) {
                const int32_t over = y0 + bh + 3 + g.CapHeight() + below - (height_ - 1);
                if (over > 0)
                    bh = std::max(1, bh - over);
            }
        }

        struct OutlineOff {
            bool saved = PublicVal::gvPolygonOutline;
            OutlineOff() { PublicVal::gvPolygonOutline = false; }
            ~OutlineOff() { PublicVal::gvPolygonOutline = saved; }
        } outlineOff;

        g.SetPen(0, 1, it.Color, -1);
        const int32_t y1 = y0 + bh;
        const int32_t ty = y1 + 3;
        const int32_t backColor = items_[ItemBack - 1].Color;
        occupied_.emplace_back(QPoint(x0, y0), QPoint(x0 + b, y1));
        for (int32_t i = 1; i <= d; ++i) {
            const int32_t xa = x0 + int32_t(int64_t(i - 1) * b / d);
            const int32_t xb = x0 + int32_t(int64_t(i) * b / d);
            g.SetBrush(8, (i % 2) == 1 ? it.Color : backColor, -1);
            clsRect r;
            r.SetAll(xa, y0, xb, y1);
            g.DrawFillRect(r);
            r.SetAll(xa, y0, xb, y1);
            g.DrawStrokeRect(r);
            if (i == 1 || b > 12 * h)
                PutText(CanvasPoint{xa, ty}, 7, label(i));
        }
        PutText(CanvasPoint{endLeft(), ty}, 6, t + QStringLiteral("km"));
        PutText(CanvasPoint{x0 + b + h / 4, y0 + bh / 2}, 11, s);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("PlotMeasure"));
    }
}

void clsAccessory::PlotElevate(const std::vector<ElvClass>& list)
{
    try {
        const AccessoryItem& it = items_[ItemElevate - 1];
        if (!it.Use || list.size() < 2 || it.Width <= 0 || it.Height <= 0 || !it.Font)
            return;
        const size_t n = list.size() - 1;
        int32_t boxes = int32_t(n);
        for (size_t i = 1; i <= n; ++i)
            if (list[i].Low == -1)
                --boxes;
        // Only the below-sea-level class: no box to draw it over.
        if (boxes <= 0)
            return;
        clsMapGraph& g = graph();
        g.SetFontObject(*it.Font, it.Color);
        int32_t wu = 0, h = 0;
        g.GetTextSize(QStringLiteral("100m"), wu, h);
        const int32_t bw = (it.Width - h / 3 - wu) / boxes;
        const int32_t bh = it.Height - (h * 7) / 6 - 1;
        const int32_t x0 = it.Left + h / 4;
        const int32_t y0 = it.Top + h / 6;
        const int32_t y1 = y0 + bh;
        const int32_t ty = y1 + 3;
        clsRect box(x0, y0, x0 + bw, y1);
        occupied_.emplace_back(QPoint(x0, y0), QPoint(x0 + boxes * bw, y1));
        for (size_t i = 1; i <= n; ++i) {
            const ElvClass& c = list[i];
            g.SetBrush(c.Style, c.Fore, c.Back);
            if (c.Low < -1) {
                clsRect r = box;
                g.DrawFillRect(r);
                PutText(CanvasPoint{box.mRight, ty}, 7, QString::number(-(c.High / 100)));
            } else if (c.Low == -1) {
                box.Move(-bw, 0);
                clsPoly tri;
                tri.SetCount(4);
                tri.SetXandY(1, box.mLeft, box.mTop);
                tri.SetXandY(2, box.mRight, box.mTop);
                tri.SetXandY(3, box.mRight, box.mBottom);
                tri.SetXandY(4, box.mLeft, box.mTop);
                g.DrawPolygon(tri);
            } else {
                clsRect r = box;
                g.DrawFillRect(r);
                PutText(CanvasPoint{box.mLeft, ty}, 7, QString::number(c.Low / 100));
            }
            box.Move(bw, 0);
        }
        PutText(CanvasPoint{box.mLeft - wu / 4, ty}, 6,
                list[1].Unit == 1 ? QStringLiteral("x100m") : QStringLiteral("x100f"));
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("PlotElevate"));
    }
}

void clsAccessory::PlotFrame()
{
    try {
        const AccessoryItem& it = items_[ItemFrame - 1];
        if (!it.Use)
            return;
        const int32_t t = EnvInt("AccessoryFrameThick", 1, 1, 9);
        const int32_t style = EnvInt("AccessoryFrameStyle", 0, 0, 5);
        clsMapGraph& g = graph();
        g.SetPen(int16_t(style), t, it.Color, -1);
        clsRect r;
        r.SetAll(t / 2, t / 2, width_ - (t + 1) / 2, height_ - (t + 1) / 2);
        g.DrawStrokeRect(r);
        const int32_t* y = std::get_if<int32_t>(&it.Data);
        if (y && *y > 0) {
            clsLine seg;
            seg.SetAll(0, *y, width_, *y);
            g.DrawLine(seg);
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("PlotFrame"));
    }
}

int32_t clsAccessory::StripDpi(double pixelRatio)
{
    if (!(pixelRatio > 0))
        return 96;
    return Library::DblToLng(96.0 * pixelRatio);
}

void clsAccessory::DrawStripMeasure(DeviceContext* dc, int32_t width, int32_t height, int32_t viewDpi,
                                    double viewScale, int32_t textColor, const QFont& font, clsMapGraph* graph,
                                    double pixelRatio)
{
    try {
        clsAccessory a;
        a.SetInstanceName(QStringLiteral("MEASURE"));
        a.SetGraph(graph);
        a.Sethandle(dc);
        a.SetWidth(width);
        a.SetHeight(height);
        // Laid out as seen on a 96-dpi screen (96 x ratio in device pixels),
        // whatever the output's resolution.
        const int32_t dpi = StripDpi(pixelRatio);
        a.SetDpi(dpi);
        if (viewDpi != 0)
            a.SetMapScale(viewScale * dpi / viewDpi);
        a.SetPosition(0);
        for (int32_t i = 1; i <= 7; ++i) {
            a.SetIndex(i);
            a.SetUse(i == ItemMeasure);
        }
        a.SetIndex(ItemMeasure);
        a.SetColor(EnvInt("MeasureColor", textColor, INT32_MIN, INT32_MAX));
        a.SetFont(std::make_shared<QFont>(font));
        a.SetText(QString());
        a.fitLabels_ = true;
        a.Draw();
        a.WriteRegistry();
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("DrawStripMeasure"));
    }
}

// --- elevation classes from the map units ---------------------------------------

std::vector<ElvClass> clsAccessory::GetElvData(const clsMapUnits* units)
{
    try {
        if (!units)
            return {};
        const clsThings *sea = nullptr, *land = nullptr, *admin = nullptr, *other = nullptr;
        bool seaPresent = false, landPresent = false;
        for (const auto& u : *units) {
            if (!u || !u->bDraw)
                continue;
            const QString kind = u->gFigures ? u->gFigures->Kind() : QString();
            const clsThings* things = u->gThings.get();
            if (kind == QStringLiteral("海底地形図")) {
                sea = things;
                seaPresent = true;
            } else if (kind == QStringLiteral("世界地形図") || kind == QStringLiteral("国別地形図")) {
                land = things;
                landPresent = true;
            } else if (kind == QStringLiteral("世界行政図") || kind == QStringLiteral("国別行政図")) {
                admin = things;
            } else {
                other = things;
            }
        }
        if (!admin)
            admin = other;
        if (!admin) {
            if (const auto active = units->Active())
                admin = active->gThings.get();
        }
        const auto base = units->Base();
        return CollectElvClasses(base ? base->gThings.get() : nullptr, admin, seaPresent ? sea : nullptr,
                                 landPresent ? land : nullptr, seaPresent, landPresent);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("GetElvData"));
    }
}

std::vector<ElvClass> clsAccessory::CollectElvClasses(const clsThings* base, const clsThings* admin,
                                                      const clsThings* sea, const clsThings* land, bool seaPresent,
                                                      bool landPresent)
{
    std::vector<ElvClass> list(1);
    auto full = [&] { return list.size() - 1 >= size_t(ElvMaxClasses); };
    auto add = [&](int32_t low, int32_t high, int16_t unit, const clsThing& t) {
        list.push_back(ElvClass{low, high, unit, t.Style(), t.Fore(), t.Back()});
    };
    auto named = [](const clsThings* things, const QString& name) -> std::shared_ptr<clsThing> {
        if (!things)
            return nullptr;
        const int16_t code = things->Search(name);
        return code < 0 ? nullptr : things->Item(code);
    };
    if (!seaPresent) {
        if (const auto t = named(base, QStringLiteral("海洋")))
            add(ElvOpenLow, 0, 1, *t);
    }
    if (!landPresent) {
        if (const auto t = named(admin, QStringLiteral("陸地")))
            add(0, ElvOpenHigh, 1, *t);
    }
    // The relief lists: polygons under a heading that names the classes.
    auto walk = [&](const clsThings* things, bool seaClasses) {
        if (!things)
            return;
        bool heading = false;
        for (const auto& t : *things) {
            if (full())
                return;
            if (!t)
                continue;
            if (t->Figure() == 1) {
                heading = IsElvHeading(t->Name());
            } else if (t->Figure() == 3 && heading) {
                int16_t unit = 1;
                int32_t low = 0, high = 0;
                ParseElvRange(t->Name(), unit, low, high);
                if (seaClasses ? low < -1 : low >= -1)
                    add(low, high, unit, *t);
            }
        }
    };
    if (seaPresent)
        walk(sea, true);
    if (landPresent)
        walk(land, false);
    SortElvData(list);
    return list;
}
