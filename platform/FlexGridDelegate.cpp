#include "platform/FlexGridDelegate.h"

#include "platform/FlexGridModel.h"

#include <QPainter>

FlexGridDelegate::FlexGridDelegate(const FlexGridModel* model, QObject* parent)
    : QStyledItemDelegate(parent)
    , model_(model)
{
}

void FlexGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const FlexGridModel::CellLook* look = model_->Look(index.row() + 1, index.column());
    if (!look || look->picture.isNull()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QImage& pic = look->picture;
    const QRect r = option.rect;
    painter->save();
    painter->setClipRect(r);
    painter->fillRect(r, option.palette.base());
    // A picture in device pixels carries its ratio: it is placed by its size on the screen.
    const int h = int(pic.deviceIndependentSize().height());
    painter->drawImage(QPoint(r.left(), r.top() + (r.height() - h) / 2), pic);
    painter->restore();
}
