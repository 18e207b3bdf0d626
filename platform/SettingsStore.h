#pragma once
// The per-user settings store: application title -> section -> key -> text,
// kept in memory and written to $XDG_CONFIG_HOME/vosperal/settings.txt after
// every change. Names compare without regard to case; keys keep their order.
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <cstdint>

class SettingsStore {
public:
    using Pairs = QList<QPair<QString, QString>>;

    explicit SettingsStore(QString filePath);

    // The store of this user; reopened from disk by Reopen().
    static SettingsStore& Instance();
    static void Reopen();
    static QString DefaultFilePath();
    // Values and keys are single lines in the file: each line break becomes a blank.
    static QString OneLine(QString v);

    QString Get(const QString& app, const QString& section, const QString& key, const QString& def) const;
    bool Has(const QString& app, const QString& section, const QString& key) const;
    Pairs Section(const QString& app, const QString& section) const;
    void Put(const QString& app, const QString& section, const QString& key, const QString& value);
    void Delete(const QString& app, const QString& section, const QString& key);
    void DeleteSection(const QString& app, const QString& section);

    QString FilePath() const { return path_; }
    // How many times the file was written since the store was opened.
    int32_t Writes() const { return writes_; }

    // While one lives, changes stay in memory; the file is written once, at
    // the end of the outermost one, if anything changed.
    class Batch {
    public:
        explicit Batch(SettingsStore& store) : store_(store) { ++store_.batch_; }
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        SettingsStore& store_;
    };

private:
    struct Block {
        QString app, section;
        Pairs keys;
        // The case-folded key -> its position in `keys`: a snapshot of tens
        // of thousands of keys must not search them one by one.
        QHash<QString, qsizetype> index;
        // `folded` is the key as Folded() gives it: a caller folds once.
        qsizetype Find(const QString& folded) const { return index.value(folded, -1); }
        void Append(const QString& folded, const QString& key, const QString& value);
        void RemoveAt(qsizetype i);
    };
    const Block* FindBlock(const QString& app, const QString& section) const;
    Block* FindBlock(const QString& app, const QString& section);
    Block* AddBlock(const QString& app, const QString& section);
    void Load();
    void Save();
    void Write();

    QString path_;
    QList<Block> blocks_;
    // The case-folded application and section -> the position in `blocks_`:
    // a damaged store of tens of thousands of sections must not be searched
    // one by one.
    QHash<QPair<QString, QString>, qsizetype> blockIndex_;
    // The names last looked up, as given, and their block: a snapshot reads
    // and writes a section key after key, and folding and hashing both names
    // on every call cost more than the keys themselves.
    mutable QString lastApp_, lastSection_;
    mutable qsizetype lastBlock_ = -1;
    int32_t batch_ = 0;
    bool dirty_ = false;
    int32_t writes_ = 0;
    bool told_ = false; // of a failed write: once a session
};
