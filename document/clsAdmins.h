#pragma once
// The areas of one map unit keyed by area code, with the names of 20 area
// groups, a comment, the ".ADM" file they live in, and the modified and
// locked flags.
#include "document/clsAdmin.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class clsAdmins {
public:
    clsAdmins();

    bool Modify() const;
    void SetModify(bool v);
    const QString& FileName() const { return fileName_; }
    void SetFileName(const QString& path);
    bool LockMode() const { return lockMode_; }
    void SetLockMode(bool v);

    int32_t Count() const { return static_cast<int32_t>(areas_.size()); }
    std::vector<std::shared_ptr<clsAdmin>> Areas() const;
    auto begin() const { return AreaIter{areas_.begin()}; }
    auto end() const { return AreaIter{areas_.end()}; }

    const QString& Comment() const { return comment_; }
    void SetComment(const QString& text);
    // Group 0..19, language 1 (European) or 2 (Japanese).
    QString AreaName(int32_t group, int32_t language) const;
    void SetAreaName(int32_t group, int32_t language, const QString& name);

    void ClearAll();
    std::shared_ptr<clsAdmins> Copy() const;
    std::shared_ptr<clsAdmin> Item(int32_t code) const;
    bool Add(const std::shared_ptr<clsAdmin>& area);
    bool Remove(int32_t code);
    // By the name of the application language, then of the other one.
    int16_t Search(const QString& name) const;

    int32_t Load();
    int32_t Save();

private:
    struct Entry {
        int16_t key;
        std::shared_ptr<clsAdmin> area;
    };
    struct AreaIter {
        std::vector<Entry>::const_iterator it;
        const std::shared_ptr<clsAdmin>& operator*() const { return it->area; }
        AreaIter& operator++() { ++it; return *this; }
        bool operator!=(const AreaIter& o) const { return it != o.it; }
    };

    bool refusedWhenLocked(const char* operation) const;
    int16_t searchCurrentLanguage(const QString& name) const;
    void readFile();
    QStringList fileLines() const;

    QString fileName_;
    bool lockMode_ = false;
    mutable bool modify_ = false;
    std::vector<Entry> areas_;
    std::array<QString, 20> europian_;
    std::array<QString, 20> japanese_;
    QString comment_;
    mutable std::array<int32_t, 1000> index_{};
    mutable bool indexValid_ = false;
};
