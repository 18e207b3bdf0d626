#include "document/clsThings.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/PublicVal.h"
#include "document/HThing.h"
#include "document/ListText.h"
#include "platform/FileSystem.h"

namespace {
const char* const kObject = "clsThings";
}

clsThings::clsThings() {
    ClearAll();
    fileName_ = PublicVal::DefaultTHG();
}

bool clsThings::Modify() const {
    if (!modify_) {
        for (const Entry& e : things_) {
            if (e.thing->Modify()) {
                modify_ = true;
                break;
            }
        }
    }
    return modify_;
}

void clsThings::SetModify(bool v) {
    if (v) {
        modify_ = true;
        indexValid_ = false;
    } else {
        modify_ = false;
        for (const Entry& e : things_) e.thing->SetModify(false);
    }
}

void clsThings::SetFileName(const QString& path) {
    const QString name = Library::ChangeExt(path, QStringLiteral("THG"));
    if (name.compare(fileName_, Qt::CaseInsensitive) == 0) return;
    fileName_ = name;
    SetModify(true);
    lockMode_ = false;
}

void clsThings::SetLockMode(bool v) {
    if (v == lockMode_) return;
    lockMode_ = v;
    SetModify(true);
}

std::vector<std::shared_ptr<clsThing>> clsThings::Things() const {
    std::vector<std::shared_ptr<clsThing>> v;
    v.reserve(things_.size());
    for (const Entry& e : things_) v.push_back(e.thing);
    return v;
}

bool clsThings::refusedWhenLocked(const char* operation) const {
    if (!lockMode_) return false;
    Library::MsgError(fileName_ + QStringLiteral("\r\nは変更禁止. [") + QLatin1String(operation) + QLatin1Char(']'));
    return true;
}

void clsThings::SetComment(const QString& text) {
    if (refusedWhenLocked("Comment")) return;
    comment_ = text;
    SetModify(true);
}

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
    things_.clear();
    for (QString& c : categories_) c.clear();
    comment_.clear();
    indexValid_ = false;
    modify_ = false;
}

std::shared_ptr<clsThings> clsThings::Copy() const {
    try {
        auto list = std::make_shared<clsThings>();
        list->SetFileName(fileName_);
        list->SetComment(comment_);
        for (const Entry& e : things_) list->Add(e.thing->Copy());
        for (int32_t c = 1; c <= 20; ++c) list->SetCategoryName(c, CategoryName(c));
        // The lock first: setting it marks the list, and the copy must keep
        // this list's flag, not report a change that was never made.
        list->SetLockMode(lockMode_);
        list->SetModify(Modify());
        return list;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObject, "Copy");
    }
}

void clsThings::rebuildIndex() const {
    index_.fill(-1);
    for (size_t i = 0; i < things_.size(); ++i) {
        const int16_t code = things_[i].thing->Index();
        if (HThing::IsRightIndex(code)) index_[static_cast<size_t>(code)] = static_cast<int32_t>(i);
    }
    indexValid_ = true;
}

std::shared_ptr<clsThing> clsThings::Item(int32_t code) const {
    if (!HThing::IsRightIndex(code)) return nullptr;
    if (!indexValid_) rebuildIndex();
    const int32_t i = index_[static_cast<size_t>(code)];
    return i < 0 ? nullptr : things_[static_cast<size_t>(i)].thing;
}

bool clsThings::Add(const std::shared_ptr<clsThing>& thing) {
    if (refusedWhenLocked("Add")) return false;
    if (!thing) return false;
    if (thing->Index() == -1) {
        int32_t top = -1;
        for (const Entry& e : things_) top = std::max<int32_t>(top, e.thing->Index());
        thing->SetIndex(static_cast<int16_t>(Library::Clamp(top + 1, -32768, 32767)));
    }
    const int16_t code = thing->Index();
    if (!HThing::IsRightIndex(code)) return false;
    bool replaced = false;
    for (Entry& e : things_) {
        if (e.key == code) {
            e.thing = thing;
            replaced = true;
            break;
        }
    }
    if (!replaced) things_.push_back({code, thing});
    SetModify(true);
    return true;
}

bool clsThings::Remove(int32_t code) {
    if (refusedWhenLocked("Remove")) return false;
    for (auto it = things_.begin(); it != things_.end(); ++it) {
        if (it->key == code) {
            things_.erase(it);
            indexValid_ = false;
            return true;
        }
    }
    return false;
}

int16_t clsThings::Search(const QString& name) const {
    for (const Entry& e : things_)
        if (e.thing->Name().compare(name, Qt::CaseInsensitive) == 0) return e.thing->Index();
    return -1;
}

void clsThings::ResetUse() {
    for (const Entry& e : things_) e.thing->SetUse(false);
}

// ---- the file --------------------------------------------------------------

namespace {

// Lines of a block that runs to the first empty line; `pos` ends after it.
QStringList TakeBlock(const QStringList& lines, qsizetype& pos) {
    QStringList block;
    while (pos < lines.size()) {
        const QString& line = lines.at(pos++);
        if (line.isEmpty()) break;
        block << line;
    }
    return block;
}

} // namespace

void clsThings::readFile() {
    ClearAll();
    const QStringList lines = FileSystem::ReadCp932Lines(fileName_);
    qsizetype pos = 0;
    while (pos < lines.size()) {
        const QString head = ListText::UpperKey(ListText::TrimBlanks(lines.at(pos++)));
        if (head == QLatin1String("[COMMENT]")) {
            comment_ = TakeBlock(lines, pos).join(QStringLiteral("\r\n"));
        } else if (head == QLatin1String("[CATEGORY]")) {
            for (const QString& line : TakeBlock(lines, pos)) {
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

int32_t clsThings::Load() {
    if (!Library::FileExists(fileName_)) {
        Library::MsgError(QStringLiteral("事象ファイルが存在しません.\r\n") + fileName_);
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

QStringList clsThings::fileLines() const {
    QStringList out;
    if (!comment_.isEmpty()) {
        out << QStringLiteral("[COMMENT]");
        for (const QString& line : comment_.split(QStringLiteral("\r\n"))) out << ListText::SafeCommentLine(line);
        out << QString();
    }
    out << QStringLiteral("[CATEGORY]");
    for (int32_t c = 1; c <= 20; ++c) {
        const QString& name = categories_[static_cast<size_t>(c - 1)];
        if (!name.isEmpty()) out << QString::number(c) + QLatin1Char(',') + ListText::QuoteName(name);
    }
    out << QString();
    for (const Entry& e : things_) {
        out << QStringLiteral("[THING]");
        e.thing->WriteThing(out);
    }
    return out;
}

int32_t clsThings::Save() {
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
