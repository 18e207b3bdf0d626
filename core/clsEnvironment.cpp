#include "core/clsEnvironment.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "platform/FileSystem.h"

namespace {

using Library::TrimBlanks;

// One line of the file as a pair; false for comments, blank and malformed lines.
bool ParseLine(const QString& raw, QString& key, QString& value) {
    const QString line = TrimBlanks(raw);
    if (line.isEmpty() || line.startsWith(QLatin1Char('\'')) || line.startsWith(QLatin1String("//"))) return false;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0) return false;
    key = TrimBlanks(line.left(eq));
    value = Library::UnquoteStr(line.mid(eq + 1));
    return !key.isEmpty() && !value.isEmpty();
}

} // namespace

QString clsEnvironment::ItemID(int32_t index) const {
    return index >= 0 && index < Count() ? pairs_[index].first : QString();
}

QString clsEnvironment::ItemData(int32_t index) const {
    return index >= 0 && index < Count() ? pairs_[index].second : QString();
}

const QPair<QString, QString>* clsEnvironment::Find(const QString& key) const {
    for (const auto& p : pairs_)
        if (p.first.compare(key, Qt::CaseInsensitive) == 0) return &p;
    return nullptr;
}

QString clsEnvironment::GetString(const QString& key, const QString& def) const {
    const auto* p = Find(key);
    return p ? p->second : def;
}

double clsEnvironment::GetVal(const QString& key, double def, double min, double max) const {
    const auto* p = Find(key);
    if (!p) return def;
    try {
        const double v = Library::Val(p->second);
        if (v < min || v > max) return def;
        return v;
    } catch (...) {
        return def; // a value that does not convert never stops a reader
    }
}

int32_t clsEnvironment::Load() {
    if (!Library::FileExists(fileName_)) {
        Library::MsgError(QStringLiteral("環境ファイルが存在しません.\r\n") + fileName_);
        return 53;
    }
    pairs_.clear();
    QStringList lines;
    try {
        const auto gaveUp = ErrorMng::WithFileRetry(fileName_, [&] { lines = FileSystem::ReadCp932Lines(fileName_); });
        if (gaveUp) return *gaveUp;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, QStringLiteral("clsEnvironment"), QStringLiteral("Load"));
    }
    QString key, value;
    for (const QString& line : lines)
        if (ParseLine(line, key, value)) pairs_.append({key, value});
    return 0;
}
