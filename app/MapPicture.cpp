#include "app/MapPicture.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

MapPicture::MapPicture(QWidget* parent) : QWidget(parent), image_(32, 32, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapPicture::ResizePicture(int32_t width, int32_t height) {
    image_ = QImage(qMax(1, width), qMax(1, height), QImage::Format_RGB32);
    image_.fill(Qt::white);
    if (size() != image_.size()) resize(image_.size());
    update();
}

void MapPicture::Clear() {
    image_.fill(Qt::white);
    update();
}

void MapPicture::Refresh() { repaint(); }

void MapPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.drawImage(0, 0, image_);
}

void MapPicture::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (followSize_ && image_.size() != size()) {
        image_ = QImage(qMax(1, width()), qMax(1, height()), QImage::Format_RGB32);
        image_.fill(Qt::white);
    }
}

QStringList DroppedFiles(const QMimeData* data) {
    QStringList out;
    if (!data || !data->hasUrls()) return out;
    for (const QUrl& u : data->urls())
        if (u.isLocalFile()) out << u.toLocalFile();
    return out;
}

void MapPicture::dragEnterEvent(QDragEnterEvent* e) {
    if (!DroppedFiles(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void MapPicture::dropEvent(QDropEvent* e) {
    const QStringList files = DroppedFiles(e->mimeData());
    if (files.isEmpty()) return;
    e->acceptProposedAction();
    if (FilesDropped) FilesDropped(files);
}
