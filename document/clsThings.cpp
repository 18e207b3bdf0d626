#include "document/clsThings.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/PublicVal.h"
#include "document/HThing.h"
#include "document/ListText.h"

namespace {
const char* const kObject = "clsThings";
}

clsThings::clsThings() : clsKeyedList(kObject, "THG", "事象ファイルが存在しません.", PublicVal::DefaultTHG()) {}

QString clsThings::CategoryName(int32_t category) const {
    if (!HThing::IsRightCategory(category)) return {};
    return categories_[static_cast<size_t>(category - 1)];
}

void clsThings::SetCategoryName(int32_t category, const QString& name) {
    if (refusedWhenLocked("CategoryName")) return;
    if (!HThing::IsRightCategory(category)) return;
    categories_[static_cast<size_t>(category - 1)] = name;
    SetModify(true);
}

void clsThings::ClearAll() {
    if (refusedWhenLocked("ClearAll")) return;
    clearRecords();
    for (QString& c : categories_) c.clear();
}

std::shared_ptr<clsThings> clsThings::Copy() const {
    try {
        auto list = std::make_shared<clsThings>();
        list->SetFileName(FileName());
        list->SetComment(Comment());
        for (const auto& thing : *this) list->Add(thing->Copy());
        for (int32_t c = 1; c <= 20; ++c) list->SetCategoryName(c, CategoryName(c));
        // The lock first: setting it marks the list, and the copy must keep
        // this list's flag, not report a change that was never made.
        list->SetLockMode(LockMode());
        list->SetModify(Modify());
        return list;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObject, "Copy");
    }
}

bool clsThings::Add(const std::shared_ptr<clsThing>& thing) {
    if (refusedWhenLocked("Add")) return false;
    if (!thing) return false;
    if (thing->Index() == -1) {
        int32_t top = -1;
        for (const auto& other : *this) top = std::max<int32_t>(top, other->Index());
        thing->SetIndex(static_cast<int16_t>(Library::Clamp(top + 1, -32768, 32767)));
    }
    return put(thing);
}

int16_t clsThings::Search(const QString& name) const {
    for (const auto& thing : *this)
        if (thing->Name().compare(name, Qt::CaseInsensitive) == 0) return thing->Index();
    return -1;
}

void clsThings::ResetUse() {
    for (const auto& thing : *this) thing->SetUse(false);
}

// ---- the file --------------------------------------------------------------

// `pos` moves past each line before the numbers in it are read.
void clsThings::readLines(const QStringList& lines, qsizetype& pos) {
    while (pos < lines.size()) {
        const QString head = ListText::UpperKey(ListText::TrimBlanks(lines.at(pos++)));
        if (head == QLatin1String("[COMMENT]")) {
            readComment(lines, pos);
        } else if (head == QLatin1String("[CATEGORY]")) {
            while (pos < lines.size()) {
                const QString& line = lines.at(pos++);
                if (line.isEmpty()) break;
                const QStringList f = ListText::Fields(line);
                if (f.size() == 2) SetCategoryName(ListText::Number32(f.at(0)), f.at(1));
            }
        } else if (head.startsWith(QLatin1String("[THING"))) {
            auto thing = std::make_shared<clsThing>();
            if (head.size() > 7 && head.at(6) == QLatin1Char('=')) {
                bool found = false;
                const int16_t code = ListText::Number16(head.mid(7, head.size() - 8), &found);
                if (found) thing->SetIndex(code);
            }
            thing->ReadThing(lines, pos);
            Add(thing);
        } else if (head == QLatin1String("[LINK]") || head == QLatin1String("[NATION]")) {
            TakeBlock(lines, pos);
        }
    }
}

QStringList clsThings::fileLines() const {
    QStringList out;
    writeComment(out);
    out << QStringLiteral("[CATEGORY]");
    for (int32_t c = 1; c <= 20; ++c) {
        const QString& name = categories_[static_cast<size_t>(c - 1)];
        if (!name.isEmpty()) out << QString::number(c) + QLatin1Char(',') + ListText::QuoteName(name);
    }
    out << QString();
    for (const auto& thing : *this) {
        out << QStringLiteral("[THING]");
        thing->WriteThing(out);
    }
    return out;
}
