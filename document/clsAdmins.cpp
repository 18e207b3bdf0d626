#include "document/clsAdmins.h"

#include "core/ErrorMng.h"
#include "core/PublicVal.h"
#include "document/HAdmin.h"
#include "document/ListText.h"

namespace {

const char* const kObject = "clsAdmins";

// Switches the application language and puts it back however the scope ends.
class LanguageSwap {
public:
    LanguageSwap() : saved_(PublicVal::gvLanguage) {
        if (saved_ == 1) PublicVal::gvLanguage = 2;
        else if (saved_ == 2) PublicVal::gvLanguage = 1;
    }
    ~LanguageSwap() { PublicVal::gvLanguage = saved_; }
    LanguageSwap(const LanguageSwap&) = delete;
    LanguageSwap& operator=(const LanguageSwap&) = delete;

private:
    decltype(PublicVal::gvLanguage) saved_;
};

} // namespace

clsAdmins::clsAdmins() : clsKeyedList(kObject, "ADM", "行政区ファイルが存在しません.", PublicVal::DefaultADM()) {}

QString clsAdmins::AreaName(int32_t group, int32_t language) const {
    if (!HAdmin::IsRightArea(group)) return {};
    if (language == 1) return europian_[static_cast<size_t>(group)];
    if (language == 2) return japanese_[static_cast<size_t>(group)];
    return {};
}

void clsAdmins::SetAreaName(int32_t group, int32_t language, const QString& name) {
    if (refusedWhenLocked("AreaName")) return;
    if (!HAdmin::IsRightArea(group)) return;
    if (language == 1) europian_[static_cast<size_t>(group)] = name;
    else if (language == 2) japanese_[static_cast<size_t>(group)] = name;
    else return;
    SetModify(true);
}

void clsAdmins::ClearAll() {
    if (refusedWhenLocked("ClearAll")) return;
    clearRecords();
    for (QString& n : europian_) n.clear();
    for (QString& n : japanese_) n.clear();
}

std::shared_ptr<clsAdmins> clsAdmins::Copy() const {
    try {
        auto list = std::make_shared<clsAdmins>();
        for (const auto& area : *this) list->Add(area->Copy());
        list->SetComment(Comment());
        for (int32_t g = 0; g <= 19; ++g) {
            list->SetAreaName(g, 1, europian_[static_cast<size_t>(g)]);
            list->SetAreaName(g, 2, japanese_[static_cast<size_t>(g)]);
        }
        list->SetFileName(FileName());
        // The lock before the flag, so that the copy keeps this list's flag.
        list->SetLockMode(LockMode());
        list->SetModify(Modify());
        return list;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObject, "Copy");
    }
}

bool clsAdmins::Add(const std::shared_ptr<clsAdmin>& area) {
    if (refusedWhenLocked("Add")) return false;
    if (!area) return false;
    return put(area);
}

int16_t clsAdmins::searchCurrentLanguage(const QString& name) const {
    for (const auto& area : *this)
        if (area->AdminName().compare(name, Qt::CaseInsensitive) == 0) return area->AdminCode();
    return -1;
}

int16_t clsAdmins::Search(const QString& name) const {
    try {
        const int16_t code = searchCurrentLanguage(name);
        if (code != -1) return code;
        LanguageSwap other;
        return searchCurrentLanguage(name);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObject, "Search");
    }
}

// ---- the file --------------------------------------------------------------

// `pos` moves past each line before the numbers in it are read.
void clsAdmins::readLines(const QStringList& lines, qsizetype& pos) {
    while (pos < lines.size()) {
        const QString head = ListText::UpperKey(lines.at(pos++));
        if (head == QLatin1String("[COMMENT]")) {
            readComment(lines, pos);
        } else if (head == QLatin1String("[AREA]")) {
            while (pos < lines.size()) {
                const QString& line = lines.at(pos++);
                if (line.isEmpty()) break;
                const QStringList f = ListText::Fields(line);
                if (f.size() != 3) break;
                bool found = false;
                const double group = ListText::Number(f.at(0), &found);
                if (found && group >= 0 && group <= 19 && group == static_cast<int>(group)) {
                    europian_[static_cast<size_t>(group)] = f.at(1);
                    japanese_[static_cast<size_t>(group)] = f.at(2);
                }
            }
        } else if (head == QLatin1String("[ADMINISTRATION]")) {
            // A following section's header is left for the loop above.
            while (pos < lines.size() && !lines.at(pos).startsWith(QLatin1Char('['))) {
                auto area = std::make_shared<clsAdmin>();
                area->ReadAdmin(lines, pos);
                if (!Add(area)) break;
            }
        }
    }
}

QStringList clsAdmins::fileLines() const {
    QStringList out;
    writeComment(out);
    out << QStringLiteral("[AREA]");
    for (size_t g = 0; g < 20; ++g) {
        // A group named in only one language is kept too.
        if (europian_[g].isEmpty() && japanese_[g].isEmpty()) continue;
        out << QString::number(g) + QLatin1Char(',') + ListText::QuoteName(europian_[g]) + QLatin1Char(',') +
                   ListText::QuoteName(japanese_[g]);
    }
    out << QString();
    out << QStringLiteral("[ADMINISTRATION]");
    for (const auto& area : *this) area->WriteAdmin(out);
    return out;
}
