#pragma once
// The country grid: one 16-bit country number per one-degree cell of the
// globe, 180 rows from the north pole down, 360 columns from 180° west.
// The file is read once and kept until its name, size or time changes.
#include "core/CoordTypes.h"
#include "core/clsRect.h"
#include "platform/FileStamp.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

class clsGridMap {
public:
    static constexpr int32_t kRows = 180;
    static constexpr int32_t kCols = 360;
    static constexpr int32_t kRowBytes = kCols * 2;
    static constexpr int32_t kFileBytes = kRows * kRowBytes;

    // "CRUISE05.GRD" in the program folder.
    clsGridMap();

    QString FileName() const { return fileName_; }
    void SetFileName(const QString& path) { fileName_ = path; }

    // The cell value at the point (seconds of arc); -1 when the point has no
    // valid row or the file is missing. Cells past the end of a short file
    // read as 0.
    int16_t GetCountryCode(MapPoint p);
    int16_t GetCountryCode(int32_t lon, int32_t lat) { return GetCountryCode(MapPoint{lon, lat}); }
    // The distinct country numbers 1..999 of every cell the area covers, in
    // the order first met (north to south, west to east); empty for no area.
    QList<int16_t> GetCountryCodeArea(const clsRect* area);

    // Column 0..359 (cyclic) and row of a point; false when the row lies
    // outside 0..179.
    static bool LonLatToCell(MapPoint p, int32_t& col, int32_t& row);
    static bool LonLatToCell(int32_t lon, int32_t lat, int32_t& col, int32_t& row) {
        return LonLatToCell(MapPoint{lon, lat}, col, row);
    }

private:
    bool CheckGridFile() const;
    // The cached contents, read again only when the file changed.
    const QByteArray& Cells();
    static int16_t CellAt(const QByteArray& cells, int32_t row, int32_t col);

    QString fileName_;
    QByteArray cells_;
    FileStamp::Stamp cached_; // of the file cells_ was read from
};
