#include "document/clsAdmin.h"

#include "core/ErrorMng.h"
#include "core/PublicVal.h"
#include "document/HAdmin.h"
#include "document/HThing.h"
#include "document/ListText.h"

namespace {

const char* const kObject = "clsAdmin";

// A code, group or page field; a field without a number is a type mismatch.
int16_t CodeField(const QString& field) {
    bool found = false;
    const int16_t v = ListText::Number16(field, &found);
    if (!found) ThrowError(13);
    return v;
}

} // namespace

void clsAdmin::SetAdminCode(int16_t code) {
    if (!HThing::IsRightIndex(code)) return;
    adminCode_ = code;
    modify_ = true;
}

void clsAdmin::SetAreaCode(int16_t group) {
    if (!HAdmin::IsRightArea(group)) return;
    areaCode_ = group;
    modify_ = true;
}

void clsAdmin::SetPage(int16_t page) {
    if (!HThing::IsRightPage(page) || page == page_) return;
    page_ = page;
    modify_ = true;
}

void clsAdmin::SetShow(bool v) {
    show_ = v;
    modify_ = true;
}

void clsAdmin::SetSearch(bool v) {
    search_ = v;
    modify_ = true;
}

void clsAdmin::SetEuropianName(const QString& name) {
    europian_ = name;
    modify_ = true;
}

void clsAdmin::SetJapaneseName(const QString& name) {
    japanese_ = name;
    modify_ = true;
}

QString clsAdmin::AdminName() const {
    switch (PublicVal::gvLanguage) {
    case 1: return europian_;
    case 2: return japanese_;
    default: return {};
    }
}

void clsAdmin::SetAdminName(const QString& name) {
    if (PublicVal::gvLanguage == 1) europian_ = name;
    else if (PublicVal::gvLanguage == 2) japanese_ = name;
    modify_ = true;
}

void clsAdmin::Clear() {
    modify_ = false;
    adminCode_ = -1;
    areaCode_ = -1;
    page_ = 1;
    show_ = true;
    search_ = true;
    europian_.clear();
    japanese_.clear();
}

std::shared_ptr<clsAdmin> clsAdmin::Copy() const {
    auto a = std::make_shared<clsAdmin>();
    a->SetAdminCode(adminCode_);
    a->SetAreaCode(areaCode_);
    a->SetPage(page_);
    a->SetEuropianName(europian_);
    a->SetJapaneseName(japanese_);
    a->SetShow(show_);
    a->SetSearch(search_);
    return a;
}

void clsAdmin::ReadAdmin(const QStringList& lines, qsizetype& pos) {
    try {
        const QStringList f = ListText::Fields(pos < lines.size() ? lines.at(pos) : QString());
        ++pos;
        switch (f.size()) {
        case 4:
            SetAdminCode(CodeField(f.at(0)));
            SetAreaCode(CodeField(f.at(1)));
            SetPage(1);
            SetEuropianName(f.at(2));
            SetJapaneseName(f.at(3));
            break;
        case 5:
            SetAdminCode(CodeField(f.at(0)));
            SetAreaCode(CodeField(f.at(1)));
            SetPage(CodeField(f.at(2)));
            SetEuropianName(f.at(3));
            SetJapaneseName(f.at(4));
            break;
        case 7:
            SetAdminCode(CodeField(f.at(0)));
            SetAreaCode(CodeField(f.at(1)));
            SetPage(CodeField(f.at(2)));
            SetShow(f.at(3) == QLatin1String("1"));
            SetSearch(f.at(4) == QLatin1String("1"));
            SetEuropianName(f.at(5));
            SetJapaneseName(f.at(6));
            break;
        default: return;
        }
        modify_ = false;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObject, "ReadAdmin");
    }
}

void clsAdmin::WriteAdmin(QStringList& out) {
    if (adminCode_ == -1) return;
    const QString code = (QStringLiteral("000") + QString::number(adminCode_)).right(3);
    out << code + QLatin1Char(',') + QString::number(areaCode_) + QLatin1Char(',') + QString::number(page_) +
               QLatin1Char(',') + QLatin1String(show_ ? "1" : "0") + QLatin1Char(',') +
               QLatin1String(search_ ? "1" : "0") + QLatin1Char(',') + ListText::QuoteName(europian_) +
               QLatin1Char(',') + ListText::QuoteName(japanese_);
    modify_ = false;
}
