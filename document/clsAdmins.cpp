#include "document/clsAdmins.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/PublicVal.h"
#include "document/HAdmin.h"
#include "document/HThing.h"
#include "document/ListText.h"
#include "platform/FileSystem.h"

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

clsAdmins::clsAdmins() {
    ClearAll();
    fileName_ = PublicVal::DefaultADM();
}

bool clsAdmins::Modify() const {
    if (!modify_) {
        for (const Entry& e : areas_) {
            if (e.area->Modify()) {
                modify_ = true;
                break;
            }
        }
    }
    return modify_;
}

void clsAdmins::SetModify(bool v) {
    if (v) {
        modify_ = true;
        indexValid_ = false;
    } else {
        modify_ = false;
        for (const Entry& e : areas_) e.area->SetModify(false);
    }
}

void clsAdmins::SetFileName(const QString& path) {
    const QString name = Library::ChangeExt(path, QStringLiteral("ADM"));
    if (name.compare(fileName_, Qt::CaseInsensitive) == 0) return;
    fileName_ = name;
    SetModify(true);
    lockMode_ = false;
}

void clsAdmins::SetLockMode(bool v) {
    if (v == lockMode_) return;
    lockMode_ = v;
    SetModify(true);
}

std::vector<std::shared_ptr<clsAdmin>> clsAdmins::Areas() const {
    std::vector<std::shared_ptr<clsAdmin>> v;
    v.reserve(areas_.size());
    for (const Entry& e : areas_) v.push_back(e.area);
    return v;
}

bool clsAdmins::refusedWhenLocked(const char* operation) const {
    if (!lockMode_) return false;
    Library::MsgError(fileName_ + QStringLiteral("\r\nは変更禁止. [") + QLatin1String(operation) + QLatin1Char(']'));
    return true;
}

void clsAdmins::SetComment(const QString& text) {
    if (refusedWhenLocked("Comment")) return;
    comment_ = text;
    SetModify(true);
}

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
    areas_.clear();
    for (QString& n : europian_) n.clear();
    for (QString& n : japanese_) n.clear();
    comment_.clear();
    indexValid_ = false;
    modify_ = false;
}

std::shared_ptr<clsAdmins> clsAdmins::Copy() const {
    try {
        auto list = std::make_shared<clsAdmins>();
        for (const Entry& e : areas_) list->Add(e.area->Copy());
        list->SetComment(comment_);
        for (int32_t g = 0; g <= 19; ++g) {
            list->SetAreaName(g, 1, europian_[static_cast<size_t>(g)]);
            list->SetAreaName(g, 2, japanese_[static_cast<size_t>(g)]);
        }
        list->SetFileName(fileName_);
        // The lock before the flag, so that the copy keeps this list's flag.
        list->SetLockMode(lockMode_);
        list->SetModify(Modify());
        return list;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObject, "Copy");
    }
}

std::shared_ptr<clsAdmin> clsAdmins::Item(int32_t code) const {
    if (!HThing::IsRightIndex(code)) return nullptr;
    if (!indexValid_) {
        index_.fill(-1);
        for (size_t i = 0; i < areas_.size(); ++i) {
            const int16_t c = areas_[i].area->AdminCode();
            if (HThing::IsRightIndex(c)) index_[static_cast<size_t>(c)] = static_cast<int32_t>(i);
        }
        indexValid_ = true;
    }
    const int32_t i = index_[static_cast<size_t>(code)];
    return i < 0 ? nullptr : areas_[static_cast<size_t>(i)].area;
}

bool clsAdmins::Add(const std::shared_ptr<clsAdmin>& area) {
    if (refusedWhenLocked("Add")) return false;
    if (!area) return false;
    const int16_t code = area->AdminCode();
    if (!HThing::IsRightIndex(code)) return false;
    bool replaced = false;
    for (Entry& e : areas_) {
        if (e.key == code) {
            e.area = area;
            replaced = true;
            break;
        }
    }
    if (!replaced) areas_.push_back({code, area});
    SetModify(true);
    return true;
}

bool clsAdmins::Remove(int32_t code) {
    if (refusedWhenLocked("Remove")) return false;
    for (auto it = areas_.begin(); it != areas_.end(); ++it) {
        if (it->key == code) {
            areas_.erase(it);
            indexValid_ = false;
            return true;
        }
    }
    return false;
}

int16_t clsAdmins::searchCurrentLanguage(const QString& name) const {
    for (const Entry& e : areas_)
        if (e.area->AdminName().compare(name, Qt::CaseInsensitive) == 0) return e.area->AdminCode();
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

void clsAdmins::readFile() {
    ClearAll();
    const QStringList lines = FileSystem::ReadCp932Lines(fileName_);
    qsizetype pos = 0;
    while (pos < lines.size()) {
        const QString head = ListText::UpperKey(lines.at(pos++));
        if (head == QLatin1String("[COMMENT]")) {
            QStringList block;
            while (pos < lines.size()) {
                const QString& line = lines.at(pos++);
                if (line.isEmpty()) break;
                block << line;
            }
            comment_ = block.join(QStringLiteral("\r\n"));
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

int32_t clsAdmins::Load() {
    if (!Library::FileExists(fileName_)) {
        Library::MsgError(QStringLiteral("行政区ファイルが存在しません.\r\n") + fileName_);
        return 53;
    }
    lockMode_ = false;
    for (;;) {
        try {
            readFile();
            break;
        } catch (...) {
            const int16_t answer = ErrorMng::FileErrorRetry(fileName_);
            if (answer == 0) continue;
            const int32_t number = ErrorMng::CurrentError().number;
            ClearAll();
            if (answer == 1) return number;
            ErrorMng::ReRaise(ErrBase + 1001, kObject, "Load");
        }
    }
    SetModify(false);
    lockMode_ = Library::IsReadOnlyFile(fileName_, false);
    return 0;
}

QStringList clsAdmins::fileLines() const {
    QStringList out;
    if (!comment_.isEmpty()) {
        out << QStringLiteral("[COMMENT]");
        for (const QString& line : comment_.split(QStringLiteral("\r\n"))) out << ListText::SafeCommentLine(line);
        out << QString();
    }
    out << QStringLiteral("[AREA]");
    for (size_t g = 0; g < 20; ++g) {
        // A group named in only one language is kept too.
        if (europian_[g].isEmpty() && japanese_[g].isEmpty()) continue;
        out << QString::number(g) + QLatin1Char(',') + ListText::QuoteName(europian_[g]) + QLatin1Char(',') +
                   ListText::QuoteName(japanese_[g]);
    }
    out << QString();
    out << QStringLiteral("[ADMINISTRATION]");
    for (const Entry& e : areas_) e.area->WriteAdmin(out);
    return out;
}

int32_t clsAdmins::Save() {
    if (!Modify()) return 0;
    if (Library::IsReadOnlyFile(fileName_, true)) return 70;
    for (;;) {
        try {
            FileSystem::WriteCp932Lines(fileName_, fileLines());
            break;
        } catch (...) {
            const int16_t answer = ErrorMng::FileErrorRetry(fileName_);
            if (answer == 0) continue;
            const int32_t number = ErrorMng::CurrentError().number;
            if (answer == 1) return number;
            ErrorMng::ReRaise(ErrBase + 1001, kObject, "Save");
        }
    }
    SetModify(false);
    return 0;
}
