#pragma once
// Paints a FlexGrid cell: its picture, when it has one, at the cell's left
// edge and centred in height over the cell's background; otherwise the
// text as usual.
#include <QStyledItemDelegate>

class FlexGridModel;

class FlexGridDelegate : public QStyledItemDelegate {
public:
    FlexGridDelegate(const FlexGridModel* model, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const FlexGridModel* model_;
};
