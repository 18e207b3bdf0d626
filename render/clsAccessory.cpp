#include "render/clsAccessory.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "core/clsRegistry.h"
#include "platform/UiServices.h"
#include "platform/VospError.h"
#include "platform/WidgetLib.h"

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

// Stored values: one that does not convert takes the default.
double ToDouble(const QString& text, double def)
{
    bool ok = false;
    const double v = Library::TrimBlanks(text).toDouble(&ok);
    return ok && std::isfinite(v) ? v : def;
}

int32_t ToLong(const QString& text, int32_t def)
{
    const double v = ToDouble(text, std::nan(""));
    if (std::isnan(v) || v < -2147483648.5 || v > 2147483647.5)
        return def;
    return Library::DblToLng(v);
}

bool ToBool(const QString& text, bool def)
{
    const QString t = Library::TrimBlanks(text);
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const double v = ToDouble(t, std::nan(""));
    return std::isnan(v) ? def : v != 0;
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
        position_ = ToLong(reg.RegGet(QStringLiteral("Position"), 1), 1);
        const int32_t keep = index_;
        for (int32_t i = 1; i <= 7; ++i) {
            index_ = i;
            AccessoryItem& it = item();
            const QString& name = it.Name;
            it.Use = ToBool(reg.RegGet(name + QStringLiteral("SW"), it.Use), it.Use);
            SetColor(ToLong(reg.RegGet(name + QStringLiteral("Color"), it.Color), it.Color));
            SetText(reg.RegGet(name + QStringLiteral("Text"), it.Text));
            if (it.Font) {
                QFont& f = *it.Font;
                f.setFamily(reg.RegGet(name + QStringLiteral("FontName"), f.family()));
                const double size = ToDouble(reg.RegGet(name + QStringLiteral("FontSize"), f.pointSizeF()), f.pointSizeF());
                // A size the font cannot take counts as a bad value.
                if (size > 0 && size <= 2160)
                    f.setPointSizeF(size);
                f.setBold(ToBool(reg.RegGet(name + QStringLiteral("FontBold"), f.bold()), f.bold()));
                f.setItalic(ToBool(reg.RegGet(name + QStringLiteral("FontItalic"), f.italic()), f.italic()));
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
