#include "render/PatternAssets.h"

#include "platform/FileSystem.h"

#include <QDir>
#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QResource>
#include <mutex>

namespace PatternAssets {
namespace {

bool IsComment(const QString& line) { return line.startsWith(u';'); }

bool IsRow(const QString& line)
{
    if (line.isEmpty())
        return false;
    for (QChar c : line)
        if (c != u'#' && c != u'.')
            return false;
    return true;
}

// "[n]" opening a line, n of 1 to 9 ASCII digits: the number of the block
// that starts there. Thousands of rows are asked; a pattern match per row
// was most of the time taken to read the tables.
std::optional<int32_t> BlockNumber(const QString& line)
{
    if (!line.startsWith(u'['))
        return std::nullopt;
    int32_t n = 0;
    qsizetype i = 1;
    for (; i < line.size() && i <= 9 && line[i] >= u'0' && line[i] <= u'9'; ++i)
        n = n * 10 + (line[i].unicode() - u'0');
    if (i == 1 || i >= line.size() || line[i] != u']')
        return std::nullopt;
    return n;
}

QString ReadResource(const QString& name, QStringList& problems)
{
    // QResource rather than QFile: no QObject, so the tables can be read on
    // any thread from the moment the program starts.
    const QResource r(QStringLiteral(":/patterns/") + name);
    if (!r.isValid()) {
        problems.append(QStringLiteral("%1: missing").arg(name));
        return {};
    }
    return QString::fromUtf8(r.uncompressedData());
}

struct Assets {
    std::map<int32_t, MonoBitmap> bitmaps;
    std::map<int32_t, QString> strings;
    QStringList problems;
};

const Assets& Loaded()
{
    static const Assets assets = [] {
        Assets a;
        for (const char* name : {"symbols_low.txt", "symbols_high.txt", "tiles_low.txt", "tiles_high.txt",
                                 "lines_low.txt", "lines_high.txt"}) {
            const QString file = QString::fromLatin1(name);
            BitmapText parsed = ParseBitmapText(ReadResource(file, a.problems));
            for (const QString& p : parsed.problems)
                a.problems.append(file + QStringLiteral(": ") + p);
            for (auto& [id, bm] : parsed.bitmaps)
                if (!a.bitmaps.emplace(id, std::move(bm)).second)
                    a.problems.append(QStringLiteral("%1: bitmap %2 given twice").arg(file).arg(id));
        }
        StringText strings = ParseStringText(ReadResource(QStringLiteral("strings.txt"), a.problems));
        for (const QString& p : strings.problems)
            a.problems.append(QStringLiteral("strings.txt: ") + p);
        a.strings = std::move(strings.strings);
        return a;
    }();
    return assets;
}

} // namespace

BitmapText ParseBitmapText(const QString& text)
{
    BitmapText out;
    std::optional<int32_t> id;
    QStringList rows;
    int lineNo = 0;
    int headerLine = 0;
    auto finish = [&] {
        if (!id)
            return;
        if (auto bm = MonoBitmap::FromText(rows)) {
            if (!out.bitmaps.emplace(*id, std::move(*bm)).second)
                out.problems.append(QStringLiteral("line %1: bitmap %2 given twice").arg(headerLine).arg(*id));
        } else {
            out.problems.append(QStringLiteral("line %1: bitmap %2 has no rows or ragged rows")
                                    .arg(headerLine).arg(*id));
        }
        id.reset();
        rows.clear();
    };
    for (const QString& raw : text.split(u'\n')) {
        ++lineNo;
        QString line = raw;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (IsComment(line))
            continue;
        if (line.isEmpty()) {
            finish();
            continue;
        }
        if (const std::optional<int32_t> number = BlockNumber(line)) {
            finish();
            id = number;
            headerLine = lineNo;
        } else if (id && IsRow(line)) {
            rows.append(line);
        } else {
            out.problems.append(QStringLiteral("line %1: not a bitmap row").arg(lineNo));
            // The block it interrupts is unusable.
            if (id)
                rows.append(QString());
        }
    }
    finish();
    return out;
}

StringText ParseStringText(const QString& text)
{
    static const QRegularExpression entry(QStringLiteral("^(\\d{1,9}) (.+)$"));
    StringText out;
    int lineNo = 0;
    for (const QString& raw : text.split(u'\n')) {
        ++lineNo;
        QString line = raw;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || IsComment(line))
            continue;
        const auto m = entry.match(line);
        if (!m.hasMatch()) {
            out.problems.append(QStringLiteral("line %1: not a string entry").arg(lineNo));
            continue;
        }
        const int32_t id = m.captured(1).toInt();
        if (!out.strings.emplace(id, m.captured(2)).second)
            out.problems.append(QStringLiteral("line %1: string %2 given twice").arg(lineNo).arg(id));
    }
    return out;
}

QString String(int32_t id)
{
    const auto& s = Loaded().strings;
    const auto it = s.find(id);
    return it == s.end() ? QString() : it->second;
}

const MonoBitmap* Bitmap(int32_t id)
{
    const auto& b = Loaded().bitmaps;
    const auto it = b.find(id);
    return it == b.end() ? nullptr : &it->second;
}

QStringList Problems() { return Loaded().problems; }

QString ProgramFile(const QString& name)
{
    // The tables ask hundreds of times: one stat for the folder as spelled
    // (which is then what resolving it would give), and the time in UTC (a
    // local time would read the time zone file on every call).
    QString folder = FileSystem::ProgramFolder();
    folder.replace(u'\\', u'/');
    qint64 changed = FileSystem::FolderTime(folder);
    if (changed < 0) {
        folder = FileSystem::ResolvePath(folder);
        changed = FileSystem::FolderTime(folder);
    }
    const bool isDir = changed >= 0;
    // A folder changed within the clock's last ticks may change again unseen
    // by its time; it is searched afresh, name by name.
    if (name.contains(u'/') || name.contains(u'\\') || name.startsWith(u'.') || !isDir ||
        QDateTime::currentMSecsSinceEpoch() <= changed + 2000) {
        const QString path = FileSystem::ResolvePath(FileSystem::ProgramFolder() + u'/' + name);
        return FileSystem::IsFile(path) ? path : QString();
    }
    // The bitmap tables ask for hundreds of names, nearly all absent: one
    // listing of the folder, read again when the folder changes, answers them.
    static std::mutex lock;
    static QString listedFolder;
    static qint64 listedTime = 0;
    static QHash<QString, QStringList> entries; // by folded case
    const std::lock_guard<std::mutex> guard(lock);
    if (folder != listedFolder || changed != listedTime) {
        entries.clear();
        const QStringList all = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& e : all)
            entries[e.toCaseFolded()].append(e);
        listedFolder = folder;
        listedTime = changed;
    }
    const auto it = entries.constFind(name.toCaseFolded());
    if (it == entries.constEnd())
        return {};
    // The exact name first, else a fixed choice among the spellings.
    QString found;
    for (const QString& e : *it) {
        if (e == name) {
            found = e;
            break;
        }
        if (found.isEmpty() || e < found)
            found = e;
    }
    const QString path = folder.endsWith(u'/') ? folder + found : folder + u'/' + found;
    return FileSystem::IsFile(path) ? path : QString();
}

ResEntry LoadResEntry(int32_t stringId, int32_t lowId, int32_t highId, const QString& lowFile,
                      const QString& highFile)
{
    ResEntry e;
    e.name = String(stringId);
    auto load = [&e](int32_t id, const QString& file, std::optional<MonoBitmap>& slot) {
        const QString path = ProgramFile(file);
        if (!path.isEmpty()) {
            slot = MonoBitmap::LoadFile(path);
            e.name = UserDefinedName;
        } else if (const MonoBitmap* bm = Bitmap(id)) {
            slot = *bm;
        }
    };
    load(lowId, lowFile, e.low);
    load(highId, highFile, e.high);
    return e;
}

} // namespace PatternAssets
