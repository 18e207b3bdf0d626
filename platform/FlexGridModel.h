#pragma once
// The cells behind a FlexGrid: row 0 is the header (the view's column
// header), rows 1.. are the table's rows 0... Each row carries its texts,
// its height in twips and, only when used, per-cell pictures and looks.
// While quiet, edits raise no change signals; leaving quiet raises one.
#include <QAbstractTableModel>
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class FlexGridModel : public QAbstractTableModel {
public:
    enum Align : int32_t { AlignLeft = 0, AlignCenter = 1, AlignRight = 2 };

    struct CellLook {
        bool bold = false;
        int32_t fore = -1; // -1: the grid's colour
        int32_t back = -1;
        QImage picture;
    };

    explicit FlexGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Grid rows, header included (at least 1).
    int32_t Rows() const { return int32_t(rows_.size()); }
    void SetRows(int32_t n);
    int32_t Cols() const { return cols_; }
    void SetCols(int32_t n);
    bool IsCell(int32_t row, int32_t col) const;

    const QString& Text(int32_t row, int32_t col) const;
    void SetText(int32_t row, int32_t col, const QString& text);
    // Inserts a row at index (appends when index is out of range); TAB
    // separates the cells from column 0 on.
    void AddItem(const QString& tabText, int32_t index);
    void RemoveItem(int32_t row);

    int32_t Height(int32_t row) const; // -1: default
    void SetHeight(int32_t row, int32_t twips);

    const CellLook* Look(int32_t row, int32_t col) const;
    CellLook& MutableLook(int32_t row, int32_t col);

    Align Alignment(int32_t col) const;
    void SetAlignment(int32_t col, Align a);

    void SetToolTip(const QString& tip) { tip_ = tip; }

    // Stable sort of grid rows first..last by the column's text, without
    // regard to case. Heights, pictures and looks move with their rows.
    void Sort(int32_t col, int32_t first, int32_t last, bool ascending);

    void SetQuiet(bool quiet);


private:
    struct Row {
        std::vector<QString> cells;
        int32_t height = -1;
        std::unique_ptr<std::vector<CellLook>> looks;
    };
    void changed(int32_t row, int32_t col);

    std::vector<Row> rows_;
    int32_t cols_ = 2;
    std::vector<Align> align_;
    QString tip_;
    bool quiet_ = false;
    bool dirty_ = false;
};
