#pragma once
// The areas of one map unit keyed by area code, with the names of 20 area
// groups, a comment, the ".ADM" file they live in, and the modified and
// locked flags.
#include "document/clsAdmin.h"
#include "document/clsKeyedList.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class clsAdmins : public clsKeyedList<clsAdmins, clsAdmin, &clsAdmin::AdminCode> {
public:
    clsAdmins();

    std::vector<std::shared_ptr<clsAdmin>> Areas() const { return records(); }

    // Group 0..19, language 1 (European) or 2 (Japanese).
    QString AreaName(int32_t group, int32_t language) const;
    void SetAreaName(int32_t group, int32_t language, const QString& name);

    void ClearAll();
    std::shared_ptr<clsAdmins> Copy() const;
    bool Add(const std::shared_ptr<clsAdmin>& area);
    // By the name of the application language, then of the other one.
    int16_t Search(const QString& name) const;

private:
    friend class clsKeyedList<clsAdmins, clsAdmin, &clsAdmin::AdminCode>;

    int16_t searchCurrentLanguage(const QString& name) const;
    void readLines(const QStringList& lines, qsizetype& pos);
    QStringList fileLines() const;

    std::array<QString, 20> europian_;
    std::array<QString, 20> japanese_;
};
