#include "cruise/clsCruiseList.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "platform/FileSystem.h"

#include <cmath>

void clsCruiseList::SetFileName(const QString& path) {
    fileName_ = path;
    Forget();
}

void clsCruiseList::Forget() {
    records_.clear();
    firstOfCode_.clear();
    stamp_ = {};
    loaded_ = false;
}

bool clsCruiseList::IsCurrent() const { return loaded_ && FileStamp::Of(fileName_) == stamp_; }

const CruiseListRecord* clsCruiseList::Find(int32_t code) const {
    const auto it = firstOfCode_.constFind(code);
    return it == firstOfCode_.constEnd() ? nullptr : &records_[*it];
}

bool clsCruiseList::ParseLine(const QString& line, CruiseListRecord& record) {
    const QStringList f = Library::StrToTokens(line, 2);
    if (f.size() != 4 || f[0].size() != 6) return false;
    double code = 0;
    try {
        code = Library::CDbl(f[0]);
    } catch (...) {
        return false; // a heading or a damaged code: not a record
    }
    if (!std::isfinite(code) || std::fabs(code) > 2147483647.0) return false;
    record.Code = Library::DblToLng(code);
    record.File = f[1];
    record.NameE = f[2];
    record.NameJ = f[3];
    return true;
}

bool clsCruiseList::ReadCruiseList() {
    try {
        Forget();
        const FileStamp::Stamp before = FileStamp::Of(fileName_);
        if (!before.IsFile())
            Library::MsgError(QStringLiteral("クルーズリストファイルが存在しません.\r\n") + fileName_);
        QStringList lines;
        if (ErrorMng::WithFileRetry(fileName_, [&] { lines = FileSystem::ReadCp932Lines(fileName_); })) return false;
        records_.reserve(lines.size());
        for (const QString& line : lines) {
            CruiseListRecord rec;
            if (!ParseLine(line, rec)) continue;
            records_.append(rec);
            if (!firstOfCode_.contains(rec.Code)) firstOfCode_.insert(rec.Code, records_.size() - 1);
        }
        records_.squeeze();
        // The stamp of before the read: a change during the read is seen next time.
        stamp_ = before.IsFile() ? before : FileStamp::Of(fileName_);
        loaded_ = true;
        return true;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, QStringLiteral("clsCruise"), QStringLiteral("ReadCruiseList"));
    }
}
