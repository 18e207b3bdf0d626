#pragma once
// The things of one map unit keyed by thing code, with 20 category names, a
// comment, the ".THG" file they live in, and the modified and locked flags.
#include "document/clsKeyedList.h"
#include "document/clsThing.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class clsThings : public clsKeyedList<clsThings, clsThing, &clsThing::Index> {
public:
    clsThings();

    // The things in list order (the enumeration of the list).
    std::vector<std::shared_ptr<clsThing>> Things() const { return records(); }

    QString CategoryName(int32_t category) const;
    void SetCategoryName(int32_t category, const QString& name);

    void ClearAll();
    std::shared_ptr<clsThings> Copy() const;
    bool Add(const std::shared_ptr<clsThing>& thing);
    int16_t Search(const QString& name) const;
    void ResetUse();

private:
    friend class clsKeyedList<clsThings, clsThing, &clsThing::Index>;

    void readLines(const QStringList& lines, qsizetype& pos);
    QStringList fileLines() const;

    std::array<QString, 20> categories_;
};
