#pragma once
// The things of one map unit keyed by thing code, with 20 category names, a
// comment, the ".THG" file they live in, and the modified and locked flags.
#include "document/clsThing.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class clsThings {
public:
    clsThings();

    bool Modify() const;
    void SetModify(bool v);
    const QString& FileName() const { return fileName_; }
    void SetFileName(const QString& path);
    bool LockMode() const { return lockMode_; }
    void SetLockMode(bool v);

    int32_t Count() const { return static_cast<int32_t>(things_.size()); }
    // The things in list order (the enumeration of the list).
    std::vector<std::shared_ptr<clsThing>> Things() const;
    auto begin() const { return ThingIter{things_.begin()}; }
    auto end() const { return ThingIter{things_.end()}; }

    const QString& Comment() const { return comment_; }
    void SetComment(const QString& text);
    QString CategoryName(int32_t category) const;
    void SetCategoryName(int32_t category, const QString& name);

    void ClearAll();
    std::shared_ptr<clsThings> Copy() const;
    std::shared_ptr<clsThing> Item(int32_t code) const;
    bool Add(const std::shared_ptr<clsThing>& thing);
    bool Remove(int32_t code);
    int16_t Search(const QString& name) const;
    void ResetUse();

    int32_t Load();
    int32_t Save();

private:
    struct Entry {
        int16_t key;
        std::shared_ptr<clsThing> thing;
    };
    struct ThingIter {
        std::vector<Entry>::const_iterator it;
        const std::shared_ptr<clsThing>& operator*() const { return it->thing; }
        ThingIter& operator++() { ++it; return *this; }
        bool operator!=(const ThingIter& o) const { return it != o.it; }
    };

    bool refusedWhenLocked(const char* operation) const;
    void rebuildIndex() const;
    void readFile();
    QStringList fileLines() const;

    QString fileName_;
    bool lockMode_ = false;
    mutable bool modify_ = false;
    std::vector<Entry> things_;
    std::array<QString, 20> categories_;
    QString comment_;
    mutable std::array<int32_t, 1000> index_{};
    mutable bool indexValid_ = false;
};
