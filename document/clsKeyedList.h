#pragma once
// What the keyed lists of a map unit share: records in list order keyed by a
// code of the record, a look-up index by code, the comment, and the file with
// its modified and locked flags. `Derived` reads and writes its own sections
// (readLines, fileLines) and clears its own names (ClearAll).
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "document/HThing.h"
#include "document/ListText.h"
#include "platform/FileSystem.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

template <class Derived, class T, int16_t (T::*KeyOf)() const>
class clsKeyedList {
    struct Entry {
        int16_t key;
        std::shared_ptr<T> record;
    };
    struct Iter {
        typename std::vector<Entry>::const_iterator it;
        const std::shared_ptr<T>& operator*() const { return it->record; }
        Iter& operator++() { ++it; return *this; }
        bool operator!=(const Iter& o) const { return it != o.it; }
    };

public:
    bool Modify() const {
        if (!modify_) {
            for (const Entry& e : records_) {
                if (e.record->Modify()) {
                    modify_ = true;
                    break;
                }
            }
        }
        return modify_;
    }

    void SetModify(bool v) {
        if (v) {
            modify_ = true;
            indexValid_ = false;
        } else {
            modify_ = false;
            for (const Entry& e : records_) e.record->SetModify(false);
        }
    }

    const QString& FileName() const { return fileName_; }

    void SetFileName(const QString& path) {
        const QString name = Library::ChangeExt(path, QLatin1String(extension_));
        if (name.compare(fileName_, Qt::CaseInsensitive) == 0) return;
        fileName_ = name;
        SetModify(true);
        lockMode_ = false;
    }

    bool LockMode() const { return lockMode_; }

    void SetLockMode(bool v) {
        if (v == lockMode_) return;
        lockMode_ = v;
        SetModify(true);
    }

    int32_t Count() const { return static_cast<int32_t>(records_.size()); }
    Iter begin() const { return Iter{records_.begin()}; }
    Iter end() const { return Iter{records_.end()}; }

    const QString& Comment() const { return comment_; }

    void SetComment(const QString& text) {
        if (refusedWhenLocked("Comment")) return;
        comment_ = text;
        SetModify(true);
    }

    std::shared_ptr<T> Item(int32_t code) const {
        if (!HThing::IsRightIndex(code)) return nullptr;
        if (!indexValid_) {
            index_.fill(-1);
            for (size_t i = 0; i < records_.size(); ++i) {
                const int16_t c = ((*records_[i].record).*KeyOf)();
                if (HThing::IsRightIndex(c)) index_[static_cast<size_t>(c)] = static_cast<int32_t>(i);
            }
            indexValid_ = true;
        }
        const int32_t i = index_[static_cast<size_t>(code)];
        return i < 0 ? nullptr : records_[static_cast<size_t>(i)].record;
    }

    bool Remove(int32_t code) {
        if (refusedWhenLocked("Remove")) return false;
        for (auto it = records_.begin(); it != records_.end(); ++it) {
            if (it->key == code) {
                records_.erase(it);
                indexValid_ = false;
                return true;
            }
        }
        return false;
    }

    int32_t Load() {
        if (!Library::FileExists(fileName_)) {
            Library::MsgError(QString::fromUtf8(missingText_) + QStringLiteral("\r\n") + fileName_);
            return 53;
        }
        lockMode_ = false;
        try {
            QStringList lines;
            qsizetype badLine = 0;
            const auto gaveUp = ErrorMng::WithFileRetry(fileName_, [&] {
                self().ClearAll();
                lines = FileSystem::ReadCp932Lines(fileName_);
                qsizetype pos = 0;
                try {
                    self().readLines(lines, pos);
                } catch (...) {
                    // A number too large for its field (overflow) marks the
                    // file as damaged; the reader stands just past its line.
                    if (ErrorMng::CurrentError().number != 6) throw;
                    badLine = std::clamp<qsizetype>(pos, 1, lines.size());
                }
            });
            if (gaveUp) {
                self().ClearAll();
                return *gaveUp;
            }
            if (badLine > 0) {
                self().ClearAll();
                Library::MsgError(fileName_ + QStringLiteral("\r\n") + QString::number(badLine) +
                                  QStringLiteral("行目の数値が範囲を超えています.\r\n") + lines.at(badLine - 1));
                return 6;
            }
        } catch (...) {
            // A list half read is not kept.
            self().ClearAll();
            ErrorMng::ReRaise(ErrBase + 1001, QLatin1String(object_), QStringLiteral("Load"));
        }
        SetModify(false);
        lockMode_ = Library::IsReadOnlyFile(fileName_, false);
        return 0;
    }

    int32_t Save() {
        if (!Modify()) return 0;
        if (Library::IsReadOnlyFile(fileName_, true)) return 70;
        try {
            bool cancelled = false;
            const auto gaveUp = ErrorMng::WithFileRetry(
                fileName_, [this] { FileSystem::WriteCp932Lines(fileName_, self().fileLines()); }, &cancelled);
            if (gaveUp) return cancelled ? ErrorMng::SaveCancelled : *gaveUp;
        } catch (...) {
            ErrorMng::ReRaise(ErrBase + 1001, QLatin1String(object_), QStringLiteral("Save"));
        }
        SetModify(false);
        return 0;
    }

protected:
    // `missingText` is the first line of the message for a file that is not there.
    clsKeyedList(const char* object, const char* extension, const char* missingText, QString fileName)
        : fileName_(std::move(fileName)), object_(object), extension_(extension), missingText_(missingText) {}
    ~clsKeyedList() = default;

    // Tells the user, and says so, when the list may not be changed.
    bool refusedWhenLocked(const char* operation) const {
        if (!lockMode_) return false;
        Library::MsgError(fileName_ + QStringLiteral("\r\nは変更禁止. [") + QLatin1String(operation) + QLatin1Char(']'));
        return true;
    }

    std::vector<std::shared_ptr<T>> records() const {
        std::vector<std::shared_ptr<T>> v;
        v.reserve(records_.size());
        for (const Entry& e : records_) v.push_back(e.record);
        return v;
    }

    // Puts `record` in under its code, in the place of one with the same code.
    bool put(const std::shared_ptr<T>& record) {
        const int16_t code = ((*record).*KeyOf)();
        if (!HThing::IsRightIndex(code)) return false;
        bool replaced = false;
        for (Entry& e : records_) {
            if (e.key == code) {
                e.record = record;
                replaced = true;
                break;
            }
        }
        if (!replaced) records_.push_back({code, record});
        SetModify(true);
        return true;
    }

    // The records and the comment, leaving the list unmodified.
    void clearRecords() {
        records_.clear();
        comment_.clear();
        indexValid_ = false;
        modify_ = false;
    }

    // Lines of a block that runs to the first empty line; `pos` ends after it.
    static QStringList TakeBlock(const QStringList& lines, qsizetype& pos) {
        QStringList block;
        while (pos < lines.size()) {
            const QString& line = lines.at(pos++);
            if (line.isEmpty()) break;
            block << line;
        }
        return block;
    }

    void readComment(const QStringList& lines, qsizetype& pos) {
        comment_ = TakeBlock(lines, pos).join(QStringLiteral("\r\n"));
    }

    void writeComment(QStringList& out) const {
        if (comment_.isEmpty()) return;
        out << QStringLiteral("[COMMENT]");
        for (const QString& line : comment_.split(QStringLiteral("\r\n"))) out << ListText::SafeCommentLine(line);
        out << QString();
    }

private:
    Derived& self() { return static_cast<Derived&>(*this); }
    const Derived& self() const { return static_cast<const Derived&>(*this); }

    QString fileName_;
    bool lockMode_ = false;
    QString comment_;
    mutable bool modify_ = false;
    std::vector<Entry> records_;
    mutable std::array<int32_t, 1000> index_{};
    mutable bool indexValid_ = false;
    const char* object_;
    const char* extension_;
    const char* missingText_;
};
