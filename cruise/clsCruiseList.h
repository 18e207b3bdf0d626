#pragma once
// The cruise list: which map file and which names belong to each map code.
// Lines of four comma-separated fields (code, file, European name, Japanese
// name) whose code field has six characters; every other line is skipped.
// The contents are kept until the file's name, size or time changes.
#include "platform/FileStamp.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

struct CruiseListRecord {
    int32_t Code = 0;
    QString File; // empty: no file exists for the code
    QString NameE;
    QString NameJ;
};

class clsCruiseList {
public:
    QString FileName() const { return fileName_; }
    // Forgets the contents, so the next lookup reads the new file.
    void SetFileName(const QString& path);
    void Forget();

    // True while contents are held that were read from the file as it is now.
    bool IsCurrent() const;
    // Reads the file: a missing file is reported with a stop message, then
    // the failing read goes to the file-error prompt (retry, or go on
    // without the list). False when no list was read.
    bool ReadCruiseList();

    int32_t Count() const { return static_cast<int32_t>(records_.size()); }
    const QList<CruiseListRecord>& Records() const { return records_; }
    // The first record of the code in file order; nullptr when none.
    const CruiseListRecord* Find(int32_t code) const;

    // The record of one line; false for a line that is not a record.
    static bool ParseLine(const QString& line, CruiseListRecord& record);

private:
    QString fileName_;
    QList<CruiseListRecord> records_;
    QHash<int32_t, qsizetype> firstOfCode_;
    FileStamp::Stamp stamp_; // of the file the records came from
    bool loaded_ = false;
};
