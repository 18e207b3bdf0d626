#pragma once
// The key=value pairs of the read-only configuration file "Environment.txt".
// One instance lives for the whole run; every reader passes its own default.
#include <QList>
#include <QPair>
#include <QString>
#include <cstdint>

class clsEnvironment {
public:
    QString FileName() const { return fileName_; }
    void SetFileName(const QString& path) { fileName_ = path; } // does not load

    int32_t Count() const { return static_cast<int32_t>(pairs_.size()); }
    // Key and value of pair `index` (0-based); "" outside 0..Count-1.
    QString ItemID(int32_t index) const;
    QString ItemData(int32_t index) const;

    // The value of the first pair whose key matches without regard to case.
    QString GetString(const QString& key, const QString& def) const;
    // The numeric value of the first matching pair; `def` when there is
    // none, when it lies outside min..max, or when it cannot be converted.
    double GetVal(const QString& key, double def, double min, double max) const;

    // Reads FileName into the table: 0 on success, 53 when the file does not
    // exist (the table is kept), or the file error number when the user gives up.
    int32_t Load();

private:
    const QPair<QString, QString>* Find(const QString& key) const;

    QString fileName_;
    QList<QPair<QString, QString>> pairs_;
};
