#pragma once
// The contents of one map file (.MLL longitude/latitude, .MXY plane XY):
// header remarks and the figures in file order. The one reader of the map
// file format, versions 99 to 106; map files are never written.
#include "document/clsMapFigure.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class MapBytes;

class clsMap {
public:
    using FigurePtr = std::shared_ptr<clsMapFigure>;
    using Collection = std::vector<FigurePtr>;

    clsMap();
    ~clsMap();
    clsMap(const clsMap&) = delete;
    clsMap& operator=(const clsMap&) = delete;

    // Raised by Load with the percentage read (multiples of 4, growing),
    // 100 exactly once at the end of a successful load.
    std::function<void(int16_t percent)> Progress;

    bool Modify();
    void SetModify(bool on);
    // Ignored when empty or unchanged; takes the extension of the map mode
    // and unlocks the map.
    void SetFileName(const QString& name);
    const QString& FileName() const { return fileName_; }
    // 1 longitude/latitude, 2 plane XY; only while the map is empty.
    void SetMapMode(int32_t mode);
    int32_t MapMode() const { return mapMode_; }
    void SetLockMode(bool on);
    bool LockMode() const { return lock_; }
    // A header "地図バージョン" of 0.99..1.06 replaces the stored version.
    int16_t Version();
    int32_t Count() const { return static_cast<int32_t>(figures_.size()); }
    const Collection& MapCollection() const { return figures_; }
    Collection::const_iterator begin() const { return figures_.begin(); }
    Collection::const_iterator end() const { return figures_.end(); }

    // Derived from the header remarks; a header value that does not convert
    // counts as absent.
    QString Kind();
    int16_t Country();
    int16_t Level();
    int32_t MapCode();
    QString MapName(int32_t lang);
    QString ProjectionName();
    QDateTime LastDate();

    bool IsRight() const;
    void Clear();
    // 1-based; 0 outside 1..Count.
    int32_t FigCode(int32_t index) const;
    // 1-based; nullptr outside 1..Count.
    FigurePtr Item(int32_t index) const;
    bool Add(const FigurePtr& figure);
    // Value of the first remark of the whole map whose key matches (case
    // not regarded); "" when none.
    QString SearchRem(const QString& key) const;

    // Reads the file named by FileName; 0 on success, 53 (with a message)
    // when it does not exist. Failures go through the file-error dialog.
    int32_t Load();

    // The version of a header text: 100..106, 99 for "[投影条件]", 0 when
    // none; `above` tells a number beyond 1.06.
    static int16_t HeaderVersion(const QString& text, bool* above = nullptr);
    // A text that is a plain decimal number (blanks around allowed).
    static bool ParseDecimal(const QString& text, double& value);

private:
    qsizetype SearchHeaderLine(const QString& key) const;
    QString SearchHeader(const QString& key) const;
    // The header "地図コード" when it is six digits, else "".
    QString ValidMapCode() const;
    void LockWarning(const QString& proc) const;
    // Steps after the file is open: header, version, records.
    void ReadAllFigures(MapBytes& in, qint64 length, class MappedFile* file);
    void RaiseProgress(int16_t percent);

    Collection figures_;
    QString fileName_;
    int32_t mapMode_ = 1;
    int16_t version_ = 106;
    int32_t counter_ = 0;
    bool lock_ = false;
    QString projectionName_;
    int16_t lastPercent_ = -1;
};
