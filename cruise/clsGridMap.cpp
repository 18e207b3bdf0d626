#include "cruise/clsGridMap.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "platform/FileSystem.h"

#include <array>

namespace {

const QString kObj = QStringLiteral("clsGridMap");
constexpr int32_t kSecPerDegree = 3600;

bool IsCountry(int16_t v) { return v >= 1 && v <= 999; }

} // namespace

clsGridMap::clsGridMap()
    : fileName_(Library::JoinPath(FileSystem::ProgramFolder(), QStringLiteral("CRUISE05.GRD"))) {}

bool clsGridMap::LonLatToCell(MapPoint p, int32_t& col, int32_t& row) {
    // 64 bits: the sums pass 2^31 for longitudes near the ends of the range.
    const int64_t c = (int64_t(p.lon) + 648000) / kSecPerDegree;
    const int64_t r = (int64_t(324000) - p.lat) / kSecPerDegree;
    col = Library::WrapRange(static_cast<int32_t>(c), 0, kCols - 1);
    row = static_cast<int32_t>(r);
    return r >= 0 && r < kRows;
}

bool clsGridMap::CheckGridFile() const {
    if (FileSystem::IsFile(fileName_)) return true;
    Library::MsgError(QStringLiteral("グリッドファイルが存在しません.\r\n") + fileName_);
    return false;
}

const QByteArray& clsGridMap::Cells() {
    const FileStamp::Stamp now = FileStamp::Of(fileName_);
    if (now.IsFile() && now == cached_) return cells_;
    cached_ = {};
    cells_ = FileSystem::ReadAll(fileName_);
    cached_ = now;
    return cells_;
}

int16_t clsGridMap::CellAt(const QByteArray& cells, int32_t row, int32_t col) {
    const qsizetype at = qsizetype(row) * kRowBytes + qsizetype(col) * 2;
    // A short file holds no country beyond its end.
    if (at < 0 || at + 2 > cells.size()) return 0;
    const auto lo = static_cast<uint8_t>(cells[at]);
    const auto hi = static_cast<uint8_t>(cells[at + 1]);
    return static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
}

int16_t clsGridMap::GetCountryCode(MapPoint p) {
    try {
        int32_t col = 0, row = 0;
        if (!LonLatToCell(p, col, row)) return -1;
        if (!CheckGridFile()) return -1;
        int16_t code = -1;
        if (ErrorMng::WithFileRetry(fileName_, [&] { code = CellAt(Cells(), row, col); })) return -1;
        return code;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("GetCountryCode"));
    }
}

QList<int16_t> clsGridMap::GetCountryCodeArea(const clsRect* area) {
    QList<int16_t> found;
    try {
        if (!area) return found;
        const int32_t left = area->mLeft, right = area->mRight;
        int32_t north = Library::VarMax(area->mTop, area->mBottom);
        int32_t south = Library::VarMin(area->mTop, area->mBottom);
        // Every row valid: 90° south itself would be row 180.
        north = Library::Clamp(north, -323999, 324000);
        south = Library::Clamp(south, -323999, 324000);
        int32_t colL = 0, rowN = 0, colR = 0, rowS = 0;
        LonLatToCell(MapPoint{left, north}, colL, rowN);
        LonLatToCell(MapPoint{right, south}, colR, rowS);
        // A full turn or more covers every column, whatever the ends give.
        const bool allCols = int64_t(right) - left >= 1296000;
        if (!CheckGridFile()) return found;

        // A give-up keeps the countries found before the file failed.
        (void)ErrorMng::WithFileRetry(fileName_, [&] {
            const QByteArray& cells = Cells();
            std::array<bool, 1000> seen{};
            for (const int16_t v : found) seen[static_cast<size_t>(v)] = true;
            for (int32_t r = rowN; r <= rowS; ++r) {
                for (int32_t c = 0; c < kCols; ++c) {
                    const int16_t v = CellAt(cells, r, c);
                    if (!IsCountry(v) || seen[static_cast<size_t>(v)]) continue;
                    const bool inCols =
                        allCols || (colL > colR ? !(c > colR && c < colL) : (c >= colL && c <= colR));
                    if (!inCols) continue;
                    seen[static_cast<size_t>(v)] = true;
                    found.append(v);
                }
            }
        });
        return found;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("GetCountryCodeArea"));
    }
}
