#include "document/clsThing.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "core/Scale.h"
#include "document/HMap.h"
#include "document/HThing.h"
#include "document/ListText.h"

namespace {

const char* const kObject = "clsThing";

bool IsRightStyle(int16_t figure, int16_t style) {
    switch (figure) {
    case 2: return (style >= 0 && style <= 5) || (style >= 102 && style <= 145);
    case 3: return (style >= 0 && style <= 8) || (style >= 100 && style <= 131);
    case 4: return style >= 0 && style <= 47;
    case 5: return style >= 0 && style <= 31;
    default: return false;
    }
}

bool IsRightSize(int16_t figure, int16_t size) {
    switch (figure) {
    case 2: return size >= LINE_WIDTH_MIN && size <= LINE_WIDTH_MAX;
    case 5: return size >= FONT_HEIGHT_MIN && size <= FONT_HEIGHT_MAX;
    default: return false;
    }
}

int16_t Sat16(double v) {
    const int32_t n = Library::DblToLng(v);
    return static_cast<int16_t>(Library::Clamp(n, -32768, 32767));
}

// A step of the coarse scale ladder when small, then kept in the allowed range.
double ReadScale(double v) {
    if (v <= 41) v = Scale::StdScale10(Sat16(v));
    return MapProjection::LimitScale(v);
}

} // namespace

clsThing::clsThing() { Clear(); }

void clsThing::SetPage(int16_t page) {
    const int a = page < 0 ? -page : page;
    if (HThing::IsRightPage(a)) page_ = page;
}

void clsThing::SetIndex(int16_t index) {
    if (!HThing::IsRightIndex(index)) return;
    index_ = index;
    modify_ = true;
}

void clsThing::SetFigure(int16_t figure) {
    if (figure < 1 || figure > 5) return;
    figure_ = figure;
    modify_ = true;
}

void clsThing::SetName(const QString& name) {
    name_ = name;
    modify_ = true;
}

void clsThing::SetCategory(int16_t category) {
    if (!HThing::IsRightCategory(category)) return;
    category_ = category;
    modify_ = true;
}

void clsThing::SetShowMode(int16_t mode) {
    cur().ShowMode = (mode >= -1 && mode <= 1) ? mode : int16_t(-1);
    modify_ = true;
}

void clsThing::SetScaleS(double scale) {
    if (!MapProjection::IsValidScale(scale)) return;
    cur().ScaleS = scale;
    modify_ = true;
}

void clsThing::SetScaleL(double scale) {
    if (!MapProjection::IsValidScale(scale)) return;
    cur().ScaleL = scale;
    modify_ = true;
}

void clsThing::SetFore(int32_t color) {
    cur().Fore = color;
    modify_ = true;
}

void clsThing::SetBack(int32_t color) {
    cur().Back = color;
    modify_ = true;
}

void clsThing::SetStyle(int16_t style) {
    if (!IsRightStyle(figure_, style)) return;
    cur().Style = style;
    modify_ = true;
}

void clsThing::SetSize(int16_t size) {
    if (!IsRightSize(figure_, size)) return;
    cur().Size = size;
    modify_ = true;
}

void clsThing::SetEuropian(const QString& face) {
    cur().Europian = face;
    modify_ = true;
}

void clsThing::SetJapanese(const QString& face) {
    cur().Japanese = face;
    modify_ = true;
}

QString clsThing::FontName() const {
    switch (PublicVal::gvLanguage) {
    case 1: return cur().Europian;
    case 2: return cur().Japanese;
    default: return {};
    }
}

void clsThing::SetFontName(const QString& face) {
    if (PublicVal::gvLanguage == 1) cur().Europian = face;
    else if (PublicVal::gvLanguage == 2) cur().Japanese = face;
    modify_ = true;
}

bool clsThing::IsSameAllPage() const {
    for (int p = 2; p <= 8; ++p)
        if (!(PageRecord(p) == PageRecord(1))) return false;
    return true;
}

bool clsThing::IsPrintOn(int16_t page, double scale) const {
    const ThingPage& on = PageRecord(page);
    switch (on.ShowMode) {
    case 0: return false;
    case 1: return true;
    default: return on.ScaleL <= scale && scale <= on.ScaleS;
    }
}

void clsThing::Clear() {
    index_ = -1;
    name_.clear();
    figure_ = 0;
    category_ = -1;
    ThingPage blank;
    blank.ScaleS = MapProjection::ScaleMax;
    blank.ScaleL = MapProjection::ScaleMin;
    blank.Europian = QStringLiteral("(default)");
    blank.Japanese = QStringLiteral("(default)");
    pages_.fill(blank);
    modify_ = false;
    page_ = 1;
}

std::shared_ptr<clsThing> clsThing::Copy() const {
    try {
        auto t = std::make_shared<clsThing>();
        t->SetIndex(index_);
        t->SetName(name_);
        t->SetFigure(figure_);
        t->SetCategory(category_);
        t->SetUse(use_);
        for (int p = -8; p <= 8; ++p) {
            if (p == 0) continue;
            const ThingPage& s = PageRecord(p);
            t->SetPage(static_cast<int16_t>(p));
            t->SetShowMode(s.ShowMode);
            t->SetScaleS(s.ScaleS);
            t->SetScaleL(s.ScaleL);
            t->SetFore(s.Fore);
            t->SetBack(s.Back);
            t->SetStyle(s.Style);
            t->SetSize(s.Size);
            t->SetEuropian(s.Europian);
            t->SetJapanese(s.Japanese);
        }
        t->SetPage(page_);
        t->SetModify(modify_);
        return t;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObject, "Copy");
    }
}

bool clsThing::Recovery(int16_t page) {
    if (!HThing::IsRightPage(page)) return false;
    pageAt(page) = pageAt(-page);
    return true;
}

void clsThing::RecoveryAll() {
    for (int p = 1; p <= 8; ++p) pageAt(p) = pageAt(-p);
    modify_ = false;
}

void clsThing::SameOne() {
    for (int p = 2; p <= 8; ++p) pageAt(p) = pageAt(1);
    modify_ = true;
}

void clsThing::CopyPage(int16_t from, int16_t to) {
    if (!HThing::IsRightPage(from) || !HThing::IsRightPage(to)) return;
    pageAt(to) = pageAt(from);
    modify_ = true;
}

// ---- record text ---------------------------------------------------------

void clsThing::applyPageKey(const QString& key, const QStringList& fields) {
    const bool fontKey = key == QLatin1String("EUROPIAN") || key == QLatin1String("JAPANESE");
    for (int k = 1; k <= 8; ++k) {
        const QString& f = fields.at(std::min<qsizetype>(k, fields.size()) - 1);
        ThingPage& pg = pageAt(-k);
        if (fontKey) {
            (key == QLatin1String("EUROPIAN") ? pg.Europian : pg.Japanese) = f;
            continue;
        }
        bool found = false;
        const double v = ListText::Number(f, &found);
        if (!found) continue; // an empty or unreadable field leaves the page as it was
        if (key == QLatin1String("SHOW")) {
            const int16_t m = Sat16(v);
            pg.ShowMode = (m >= -1 && m <= 1) ? m : int16_t(-1);
        } else if (key == QLatin1String("SMALL")) {
            pg.ScaleS = ReadScale(v);
        } else if (key == QLatin1String("LARGE")) {
            pg.ScaleL = ReadScale(v);
        } else if (key == QLatin1String("LEVEL")) {
            pg.ScaleS = HThing::LevelToScale(Library::DblToLng(v));
            pg.ScaleL = MapProjection::ScaleMin;
        } else if (key == QLatin1String("FORE")) {
            pg.Fore = ListText::Number32(f);
        } else if (key == QLatin1String("BACK")) {
            pg.Back = ListText::Number32(f);
        } else if (key == QLatin1String("STYLE")) {
            pg.Style = Sat16(v);
        } else { // WIDTH, HEIGHT
            pg.Size = Sat16(v);
        }
    }
}

void clsThing::ReadThing(const QStringList& lines, qsizetype& pos) {
    static const QStringList kPageKeys = {"SHOW",  "SMALL", "LARGE", "LEVEL",  "FORE",    "BACK",
                                          "STYLE", "WIDTH", "HEIGHT", "EUROPIAN", "JAPANESE"};
    try {
        while (pos < lines.size()) {
            const QString& line = lines.at(pos);
            // The next section's header belongs to the list reader.
            if (ListText::TrimBlanks(line).startsWith(QLatin1Char('['))) break;
            ++pos;
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq <= 0) break; // empty, no "=", or "=" first
            const QString key = ListText::UpperKey(line.left(eq));
            const QStringList fields = ListText::Fields(line.mid(eq + 1));
            const QString& first = fields.at(0);
            if (key == QLatin1String("NUMBER")) {
                bool found = false;
                const int16_t v = ListText::Number16(first, &found);
                if (found) SetIndex(v);
            } else if (key == QLatin1String("FIGURE")) {
                const QString kind = ListText::UpperKey(first);
                for (int16_t c = 1; c <= 5; ++c)
                    if (kind == HMap::FigCodeName(c, 1)) SetFigure(c);
            } else if (key == QLatin1String("NAME")) {
                SetName(first);
            } else if (key == QLatin1String("CATEGORY")) {
                bool found = false;
                const int16_t v = ListText::Number16(first, &found);
                if (found) SetCategory(v);
            } else if (kPageKeys.contains(key)) {
                applyPageKey(key, fields);
            }
        }
        RecoveryAll();
        page_ = 1;
        modify_ = false;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObject, "ReadThing");
    }
}

QString clsThing::pageValues(QString (*text)(const ThingPage&)) const {
    QString s = text(PageRecord(1));
    if (!IsSameAllPage())
        for (int p = 2; p <= 8; ++p) s += QLatin1Char(',') + text(PageRecord(p));
    return s;
}

void clsThing::WriteThing(QStringList& out) {
    if (index_ == -1) return;
    try {
        out << QStringLiteral("NUMBER=") + QString::number(index_);
        out << QStringLiteral("FIGURE=") + HMap::FigCodeName(figure_, 1);
        out << QStringLiteral("NAME=") + ListText::QuoteName(name_);
        out << QStringLiteral("CATEGORY=") + QString::number(category_);
        if (figure_ != 1) {
            out << QStringLiteral("SHOW=") + pageValues([](const ThingPage& p) { return QString::number(p.ShowMode); });
            out << QStringLiteral("SMALL=") + pageValues([](const ThingPage& p) { return Library::NumStr(p.ScaleS); });
            out << QStringLiteral("LARGE=") + pageValues([](const ThingPage& p) { return Library::NumStr(p.ScaleL); });
            out << QStringLiteral("FORE=") + pageValues([](const ThingPage& p) { return ListText::ColorToHex(p.Fore); });
            out << QStringLiteral("BACK=") + pageValues([](const ThingPage& p) { return ListText::ColorToHex(p.Back); });
            out << QStringLiteral("STYLE=") + pageValues([](const ThingPage& p) { return QString::number(p.Style); });
            if (figure_ == 2)
                out << QStringLiteral("WIDTH=") + pageValues([](const ThingPage& p) { return QString::number(p.Size); });
            if (figure_ == 5) {
                out << QStringLiteral("HEIGHT=") + pageValues([](const ThingPage& p) { return QString::number(p.Size); });
                out << QStringLiteral("EUROPIAN=") + pageValues([](const ThingPage& p) { return ListText::QuoteName(p.Europian); });
                out << QStringLiteral("JAPANESE=") + pageValues([](const ThingPage& p) { return ListText::QuoteName(p.Japanese); });
            }
        }
        out << QString();
        modify_ = false;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObject, "WriteThing");
    }
}
