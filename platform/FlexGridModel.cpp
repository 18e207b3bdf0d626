#include "platform/FlexGridModel.h"

#include "platform/SystemColors.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <algorithm>

namespace {
const QString kEmpty;
}

FlexGridModel::FlexGridModel(QObject* parent)
    : QAbstractTableModel(parent)
{
    rows_.resize(1);
    rows_[0].cells.resize(size_t(cols_));
    align_.resize(size_t(cols_), AlignLeft);
}

int FlexGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size()) - 1;
}

int FlexGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cols_;
}

namespace {
Qt::Alignment qtAlign(FlexGridModel::Align a)
{
    switch (a) {
    case FlexGridModel::AlignCenter: return Qt::AlignCenter;
    case FlexGridModel::AlignRight: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}
} // namespace

QVariant FlexGridModel::data(const QModelIndex& index, int role) const
{
    const int32_t row = index.row() + 1, col = index.column();
    if (!IsCell(row, col))
        return {};
    const CellLook* look = Look(row, col);
    switch (role) {
    case Qt::DisplayRole: return Text(row, col);
    case Qt::TextAlignmentRole: return QVariant::fromValue(qtAlign(Alignment(col)));
    case Qt::ToolTipRole: return tip_.isEmpty() ? QVariant() : QVariant(tip_);
    case Qt::FontRole:
        if (look && look->bold) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::ForegroundRole:
        return look && look->fore != -1 ? QVariant(QBrush(SystemColors::ToQColor(look->fore))) : QVariant();
    case Qt::BackgroundRole:
        return look && look->back != -1 ? QVariant(QBrush(SystemColors::ToQColor(look->back))) : QVariant();
    default: return {};
    }
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || !IsCell(0, section))
        return {};
    const CellLook* look = Look(0, section);
    switch (role) {
    case Qt::DisplayRole: return Text(0, section);
    case Qt::TextAlignmentRole: return QVariant::fromValue(qtAlign(Alignment(section)));
    case Qt::ToolTipRole: return tip_.isEmpty() ? QVariant() : QVariant(tip_);
    case Qt::BackgroundRole:
        return look && look->back != -1 ? QVariant(QBrush(SystemColors::ToQColor(look->back))) : QVariant();
    case Qt::ForegroundRole:
        return look && look->fore != -1 ? QVariant(QBrush(SystemColors::ToQColor(look->fore))) : QVariant();
    default: return {};
    }
}

void FlexGridModel::SetRows(int32_t n)
{
    n = std::max<int32_t>(n, 1);
    const int32_t old = Rows();
    if (n > old) {
        beginInsertRows(QModelIndex(), old - 1, n - 2);
        rows_.resize(size_t(n));
        for (size_t r = size_t(old); r < rows_.size(); ++r)
            rows_[r].cells.resize(size_t(cols_));
        endInsertRows();
    } else if (n < old) {
        beginRemoveRows(QModelIndex(), n - 1, old - 2);
        rows_.resize(size_t(n));
        endRemoveRows();
    }
}

void FlexGridModel::SetCols(int32_t n)
{
    n = std::max<int32_t>(n, 1);
    if (n == cols_)
        return;
    if (n > cols_)
        beginInsertColumns(QModelIndex(), cols_, n - 1);
    else
        beginRemoveColumns(QModelIndex(), n, cols_ - 1);
    const int32_t old = cols_;
    cols_ = n;
    for (Row& r : rows_) {
        r.cells.resize(size_t(n));
        if (r.looks)
            r.looks->resize(size_t(n));
    }
    align_.resize(size_t(n), AlignLeft);
    if (n > old)
        endInsertColumns();
    else
        endRemoveColumns();
    headerDataChanged(Qt::Horizontal, 0, n - 1);
}

bool FlexGridModel::IsCell(int32_t row, int32_t col) const
{
    return row >= 0 && row < Rows() && col >= 0 && col < cols_;
}

const QString& FlexGridModel::Text(int32_t row, int32_t col) const
{
    return IsCell(row, col) ? rows_[size_t(row)].cells[size_t(col)] : kEmpty;
}

void FlexGridModel::SetText(int32_t row, int32_t col, const QString& text)
{
    if (!IsCell(row, col))
        return;
    rows_[size_t(row)].cells[size_t(col)] = text;
    changed(row, col);
}

void FlexGridModel::AddItem(const QString& tabText, int32_t index)
{
    if (index < 1 || index > Rows())
        index = Rows();
    Row r;
    r.cells.resize(size_t(cols_));
    const QStringList parts = tabText.split(QLatin1Char('\t'));
    for (int32_t c = 0; c < cols_ && c < int32_t(parts.size()); ++c)
        r.cells[size_t(c)] = parts[c];
    beginInsertRows(QModelIndex(), index - 1, index - 1);
    rows_.insert(rows_.begin() + index, std::move(r));
    endInsertRows();
}

void FlexGridModel::RemoveItem(int32_t row)
{
    if (row < 1 || row >= Rows())
        return;
    beginRemoveRows(QModelIndex(), row - 1, row - 1);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

int32_t FlexGridModel::Height(int32_t row) const
{
    return row >= 0 && row < Rows() ? rows_[size_t(row)].height : -1;
}

void FlexGridModel::SetHeight(int32_t row, int32_t twips)
{
    if (row >= 0 && row < Rows())
        rows_[size_t(row)].height = twips;
}

const FlexGridModel::CellLook* FlexGridModel::Look(int32_t row, int32_t col) const
{
    if (!IsCell(row, col))
        return nullptr;
    const Row& r = rows_[size_t(row)];
    return r.looks ? &(*r.looks)[size_t(col)] : nullptr;
}

FlexGridModel::CellLook& FlexGridModel::MutableLook(int32_t row, int32_t col)
{
    Row& r = rows_[size_t(row)];
    if (!r.looks)
        r.looks = std::make_unique<std::vector<CellLook>>(size_t(cols_));
    changed(row, col);
    return (*r.looks)[size_t(col)];
}

FlexGridModel::Align FlexGridModel::Alignment(int32_t col) const
{
    return col >= 0 && col < cols_ ? align_[size_t(col)] : AlignLeft;
}

void FlexGridModel::SetAlignment(int32_t col, Align a)
{
    if (col < 0 || col >= cols_)
        return;
    align_[size_t(col)] = a;
    if (!quiet_) {
        headerDataChanged(Qt::Horizontal, col, col);
        if (Rows() > 1)
            dataChanged(index(0, col), index(Rows() - 2, col));
    } else {
        dirty_ = true;
    }
}

void FlexGridModel::Sort(int32_t col, int32_t first, int32_t last, bool ascending)
{
    first = std::max<int32_t>(first, 1);
    last = std::min<int32_t>(last, Rows() - 1);
    if (col < 0 || col >= cols_ || first >= last)
        return;
    layoutAboutToBeChanged();
    const size_t c = size_t(col);
    std::stable_sort(rows_.begin() + first, rows_.begin() + last + 1, [c, ascending](const Row& a, const Row& b) {
        const int cmp = a.cells[c].compare(b.cells[c], Qt::CaseInsensitive);
        return ascending ? cmp < 0 : cmp > 0;
    });
    layoutChanged();
}

void FlexGridModel::changed(int32_t row, int32_t col)
{
    if (quiet_) {
        dirty_ = true;
        return;
    }
    if (row == 0)
        headerDataChanged(Qt::Horizontal, col, col);
    else
        dataChanged(index(row - 1, col), index(row - 1, col));
}

void FlexGridModel::SetQuiet(bool quiet)
{
    quiet_ = quiet;
    if (!quiet && dirty_) {
        dirty_ = false;
        headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
        if (Rows() > 1)
            dataChanged(index(0, 0), index(Rows() - 2, cols_ - 1));
    }
}
