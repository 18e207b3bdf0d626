#include "platform/SettingsStore.h"

#include "platform/FileSystem.h"
#include "platform/UiServices.h"
#include "platform/VospError.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace {

std::unique_ptr<SettingsStore>& Global() {
    static std::unique_ptr<SettingsStore> s;
    return s;
}

// Equal folds exactly where a comparison without case finds the names equal
// (Qt folds both the same way).
QString Folded(const QString& key) { return SettingsStore::OneLine(key).toCaseFolded(); }

QPair<QString, QString> BlockName(const QString& app, const QString& section) {
    return {app.toCaseFolded(), section.toCaseFolded()};
}

} // namespace

QString SettingsStore::OneLine(QString v) {
    v.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return v;
}

SettingsStore::SettingsStore(QString filePath) : path_(std::move(filePath)) { Load(); }

QString SettingsStore::DefaultFilePath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/vosperal/settings.txt");
}

SettingsStore& SettingsStore::Instance() {
    auto& g = Global();
    if (!g) g = std::make_unique<SettingsStore>(DefaultFilePath());
    return *g;
}

void SettingsStore::Reopen() { Global() = std::make_unique<SettingsStore>(DefaultFilePath()); }

void SettingsStore::Block::Append(const QString& folded, const QString& key, const QString& value) {
    index.insert(folded, keys.size());
    keys.append({OneLine(key), value});
}

void SettingsStore::Block::RemoveAt(qsizetype i) {
    index.remove(Folded(keys[i].first));
    keys.removeAt(i);
    for (auto it = index.begin(); it != index.end(); ++it)
        if (it.value() > i) --it.value();
}

const SettingsStore::Block* SettingsStore::FindBlock(const QString& app, const QString& section) const {
    if (lastBlock_ < 0 || app != lastApp_ || section != lastSection_) {
        const qsizetype i = blockIndex_.value(BlockName(app, section), -1);
        if (i < 0) return nullptr;
        lastApp_ = app;
        lastSection_ = section;
        lastBlock_ = i;
    }
    return &blocks_[lastBlock_];
}

SettingsStore::Block* SettingsStore::FindBlock(const QString& app, const QString& section) {
    return const_cast<Block*>(std::as_const(*this).FindBlock(app, section));
}

SettingsStore::Block* SettingsStore::AddBlock(const QString& app, const QString& section) {
    blockIndex_.insert(BlockName(app, section), blocks_.size());
    blocks_.append(Block{app, section, {}, {}});
    lastApp_ = app;
    lastSection_ = section;
    lastBlock_ = blocks_.size() - 1;
    return &blocks_.last();
}

QString SettingsStore::Get(const QString& app, const QString& section, const QString& key, const QString& def) const {
    if (const Block* b = FindBlock(app, section))
        if (const qsizetype i = b->Find(Folded(key)); i >= 0) return b->keys[i].second;
    return def;
}

bool SettingsStore::Has(const QString& app, const QString& section, const QString& key) const {
    const Block* b = FindBlock(app, section);
    return b && b->Find(Folded(key)) >= 0;
}

SettingsStore::Pairs SettingsStore::Section(const QString& app, const QString& section) const {
    const Block* b = FindBlock(app, section);
    return b ? b->keys : Pairs{};
}

void SettingsStore::Put(const QString& app, const QString& section, const QString& key, const QString& value) {
    Block* b = FindBlock(app, section);
    if (!b) b = AddBlock(app, section);
    const QString v = OneLine(value);
    const QString folded = Folded(key);
    if (const qsizetype i = b->Find(folded); i >= 0) {
        if (b->keys[i].second == v) return;
        b->keys[i].second = v;
    } else {
        b->Append(folded, key, v);
    }
    Save();
}

void SettingsStore::Delete(const QString& app, const QString& section, const QString& key) {
    Block* b = FindBlock(app, section);
    if (!b) return;
    if (const qsizetype i = b->Find(Folded(key)); i >= 0) {
        b->RemoveAt(i);
        Save();
    }
}

void SettingsStore::DeleteSection(const QString& app, const QString& section) {
    const auto found = blockIndex_.constFind(BlockName(app, section));
    if (found == blockIndex_.cend()) return;
    const qsizetype i = found.value();
    blockIndex_.erase(found);
    blocks_.removeAt(i);
    lastBlock_ = -1;
    for (auto it = blockIndex_.begin(); it != blockIndex_.end(); ++it)
        if (it.value() > i) --it.value();
    Save();
}

// File: "[app\section]" headers, then key="value" lines, UTF-8, CR LF.
void SettingsStore::Load() {
    blocks_.clear();
    blockIndex_.clear();
    lastBlock_ = -1;
    if (!FileSystem::IsFile(path_)) return;
    QByteArray bytes;
    try {
        bytes = FileSystem::ReadAll(path_);
    } catch (...) {
        return; // an unreadable store reads as empty: bad settings never stop the program
    }
    Block* cur = nullptr;
    for (const QString& line : FileSystem::SplitLines(QString::fromUtf8(bytes))) {
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString name = line.mid(1, line.size() - 2);
            const qsizetype sep = name.indexOf(QLatin1Char('\\'));
            const QString app = sep < 0 ? QString() : name.left(sep);
            const QString sec = sep < 0 ? name : name.mid(sep + 1);
            cur = FindBlock(app, sec);
            if (!cur) cur = AddBlock(app, sec);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!cur || eq <= 0) continue;
        QString value = line.mid(eq + 1);
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        // A key written twice by hand: the first one counts.
        const QString key = line.left(eq), folded = Folded(key);
        if (cur->Find(folded) < 0) cur->Append(folded, key, value);
    }
}

SettingsStore::Batch::~Batch() {
    if (--store_.batch_ == 0 && store_.dirty_) store_.Write();
}

void SettingsStore::Save() {
    dirty_ = true;
    if (batch_ == 0) Write();
}

void SettingsStore::Write() {
    dirty_ = false;
    ++writes_;
    QByteArray out;
    for (const Block& b : blocks_) {
        out += "[" + b.app.toUtf8() + "\\" + b.section.toUtf8() + "]\r\n";
        for (const auto& kv : b.keys) out += kv.first.toUtf8() + "=\"" + kv.second.toUtf8() + "\"\r\n";
    }
    try {
        QDir().mkpath(QFileInfo(path_).path());
        FileSystem::WriteAtomic(path_, out);
    } catch (const VospError& e) {
        // The running program keeps its settings in memory; the user learns
        // once that the next start will not have them.
        if (told_) return;
        told_ = true;
        try {
            Ui().MsgBox(QStringLiteral("設定を保存できません. 次回の起動では今の設定が失われます.\r\n") + path_ +
                            QStringLiteral("\r\n") + e.description,
                        Mb::OkOnly + Mb::Exclamation, QString());
        } catch (...) {
        }
    } catch (...) {
    }
}
