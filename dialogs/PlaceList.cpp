#include "dialogs/PlaceList.h"

#include "core/Library.h"
#include "document/clsAdmin.h"
#include "document/clsMapText.h"
#include "document/clsMapUnit.h"
#include "document/clsThing.h"
#include "platform/Cp932Codec.h"

#include <algorithm>

namespace {

// A field must not split its line.
QString BlankBreaks(QString f) {
    for (QChar& ch : f)
        if (ch == QLatin1Char('\t') || ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) ch = QLatin1Char(' ');
    return f;
}

// The nine stored columns of a place, TAB between them.
template <class Field>
QString JoinFields(Field field) {
    QString line;
    for (int c = 0; c < 9; ++c) {
        if (c) line += QLatin1Char('\t');
        line += field(c);
    }
    return line;
}

} // namespace

QString PlaceList::Text(int32_t row, int col) const {
    if (col == ColNumber && row >= 1 && row <= Count()) return QString::number(rows_[static_cast<size_t>(row - 1)].number);
    return Field(row, col).toString();
}

QStringView PlaceList::Field(int32_t row, int col) const {
    if (row < 1 || row > Count() || col < 0 || col >= kColumns) return {};
    if (col == ColNumber) return {};
    const Entry& e = rows_[static_cast<size_t>(row - 1)];
    const int32_t start = col == 0 ? 0 : e.end[static_cast<size_t>(col - 1)] + 1;
    return QStringView(e.text).mid(start, e.end[static_cast<size_t>(col)] - start);
}

bool PlaceList::Split(const QString& line, Entry& e) {
    const QChar* p = line.constData();
    const auto n = static_cast<int32_t>(line.size());
    int32_t col = 0;
    for (int32_t i = 0; i < n && col < 8; ++i)
        if (p[i] == QLatin1Char('\t')) e.end[static_cast<size_t>(col++)] = i;
    if (col < 8) return false;
    int32_t last = e.end[7] + 1;
    while (last < n && p[last] != QLatin1Char('\t')) ++last;
    e.end[8] = last;
    e.text = last == n ? line : line.left(last);
    return true;
}

bool PlaceList::AppendLine(const QString& line) {
    Entry e;
    if (!Split(line, e)) return false;
    e.number = Count() + 1;
    rows_.push_back(std::move(e));
    return true;
}

void PlaceList::Append(const Row& row) {
    AppendLine(JoinFields([&](int c) { return BlankBreaks(row[static_cast<size_t>(c)]); }));
}

void PlaceList::SetField(int32_t row, int col, const QString& text) {
    if (row < 1 || row > Count() || col < 0 || col >= ColNumber) return;
    const QString blanked = BlankBreaks(text);
    const QString line = JoinFields([&](int c) { return c == col ? QStringView(blanked) : Field(row, c); });
    Split(line, rows_[static_cast<size_t>(row - 1)]);
}

void PlaceList::AddUnitPlaces(const clsMapUnit& unit, int32_t lang) {
    if (!unit.gFigures || !unit.gAdmins || !unit.gThings) return;
    const QString file = Library::PathFileName(unit.gFigures->FileName());
    rows_.reserve(rows_.size() + static_cast<size_t>(unit.gFigures->Count()));
    for (const auto& fig : *unit.gFigures) {
        if (!fig || fig->FigCode() != 5) continue;
        const auto& text = static_cast<const clsMapText&>(*fig);
        const QString name = text.TextUnicode(lang);
        if (name.isEmpty()) continue;
        const auto area = unit.gAdmins->Item(fig->Admin());
        const auto thing = unit.gThings->Item(fig->Thing());
        // One figure with a code its lists lack must not cost the map's
        // other places.
        if (!area || !thing) continue;
        // The visible range of the page the figure is drawn with.
        thing->SetPage(area->Page());
        Row row;
        row[ColName] = name;
        row[ColFile] = file;
        row[ColArea] = area->AdminName();
        row[ColThing] = thing->Name();
        row[ColLon] = QString::number(text.mx());
        row[ColLat] = QString::number(text.my());
        row[ColScaleS] = Library::NumStr(thing->ScaleS());
        row[ColScaleL] = Library::NumStr(thing->ScaleL());
        row[ColKey] = PlaceKey(name, lang);
        Append(row);
    }
}

void PlaceList::Sort(int32_t code) {
    if (!IsSortCode(code) || rows_.size() < 2) return;
    const int col = SortColumn(code);
    // Folded keys beside the row indexes; QString's operator< compares
    // UTF-16 units, as a binary comparison does.
    std::vector<std::pair<QString, uint32_t>> keys;
    keys.reserve(rows_.size());
    for (uint32_t i = 0; i < rows_.size(); ++i) keys.emplace_back(Field(int32_t(i + 1), col).toString().toCaseFolded(), i);
    if (code % 2 == 1)
        std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    else
        std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return b.first < a.first; });
    std::vector<Entry> sorted;
    sorted.reserve(rows_.size());
    for (const auto& k : keys) sorted.push_back(std::move(rows_[k.second]));
    rows_.swap(sorted);
}

int32_t PlaceList::Search(const QString& keyword, int32_t current, int32_t lang) const {
    const int32_t last = Count();
    if (last == 0) return 0;
    QString key = KeywordKey(keyword, lang);
    const int32_t start = (current < 0 || current > last) ? 0 : current;
    for (qsizetype n = key.size(); n >= 1; --n) {
        key.truncate(n);
        int32_t r = start;
        for (int32_t i = 0; i < last; ++i) {
            r = r >= last ? 1 : r + 1;
            const QStringView k = Field(r, ColKey);
            if (n < 3 ? k.startsWith(key) : k.contains(key)) return r;
        }
    }
    return 1;
}

QString PlaceList::PlaceKey(const QString& name, int32_t lang) { return KeywordKey(SplitBracketKey(name), lang); }

QString PlaceList::KeywordKey(const QString& text, int32_t lang) {
    QString key = FoldKey(NormalizeKey(text));
    return lang == 2 ? WideStr(key) : key;
}

QString PlaceList::FoldKey(const QString& text) { return Library::UpperLatin(Cp932BestFit(text)); }

bool PlaceList::IsFoldedKey(QStringView key) {
    for (const QChar ch : key) {
        const char16_t u = ch.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= 0xFF41 && u <= 0xFF5A)) return false;
        if (u >= 0x80 && !Cp932CanEncode(u)) return false;
    }
    return true;
}

QString PlaceList::SplitBracketKey(const QString& text) {
    const qsizetype p = text.indexOf(QLatin1Char('('));
    if (p < 0) return text;
    const qsizetype q = text.indexOf(QLatin1Char(')'), p + 1);
    if (q < 0) return text;
    const QString rest = text.mid(q + 1);
    return text.left(p) + rest + QLatin1Char(',') + text.mid(p + 1, q - p - 1) + rest;
}

QString PlaceList::NormalizeKey(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case u'\r':
        case u'\n':
        case u'\t':
        case u' ':
        case u'-':
        case 0xFF65: // half-width middle dot
        case 0xFF0D: // full-width hyphen-minus
        case 0x2212: // the minus sign, which shares its code page byte pair
        case 0x3000: // ideographic space
        case 0x30FB: // katakana middle dot
            break;
        default:
            out.append(ch);
        }
    }
    return out;
}

namespace {

// Half-width katakana U+FF61..U+FF9F in their full-width forms.
constexpr char16_t kWideKana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5,
    0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC,
    0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4,
    0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

bool TakesVoiced(char16_t k) { return (k >= 0x30AB && k <= 0x30C8 && k != 0x30C3) || (k >= 0x30CF && k <= 0x30DB); }
bool TakesSemiVoiced(char16_t k) { return k >= 0x30CF && k <= 0x30DB; }

} // namespace

QString PlaceList::WideStr(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x21 && c <= 0x7E) {
            out.append(QChar(char16_t(c + 0xFEE0)));
        } else if (c == u' ') {
            out.append(QChar(0x3000));
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            char16_t k = kWideKana[c - 0xFF61];
            const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : 0;
            // A voiced mark joins the kana before it where a joined form exists.
            if (next == 0xFF9E && (TakesVoiced(k) || k == 0x30A6)) {
                k = k == 0x30A6 ? char16_t(0x30F4) : char16_t(k + 1);
                ++i;
            } else if (next == 0xFF9F && TakesSemiVoiced(k)) {
                k = char16_t(k + 2);
                ++i;
            }
            out.append(QChar(k));
        } else {
            out.append(QChar(c));
        }
    }
    return out;
}
