#include "app/MapPicture.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cmath>

MapPicture::MapPicture(QWidget* parent) : QWidget(parent), image_(32, 32, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

namespace {

int32_t Logical(int32_t devicePixels, double ratio) {
    return std::max(1, int32_t(std::ceil(devicePixels / ratio - 1e-9)));
}

} // namespace

void MapPicture::ResizePicture(int32_t width, int32_t height) {
    image_ = QImage(qMax(1, width), qMax(1, height), QImage::Format_RGB32);
    image_.fill(Qt::white);
    const QSize logical(Logical(image_.width(), ratio_), Logical(image_.height(), ratio_));
    if (size() != logical) resize(logical);
    update();
}

void MapPicture::SetFollowSize(bool on) {
    followSize_ = on;
    if (on) followWidget();
}

void MapPicture::SetPixelRatio(double ratio) {
    if (!(ratio > 0) || ratio == ratio_) return;
    ratio_ = ratio;
    ratioNoticed_ = false;
    if (followSize_) followWidget();
}

QPoint MapPicture::ToImage(const QPointF& pos) const {
    return QPoint(int(std::floor(pos.x() * ratio_)), int(std::floor(pos.y() * ratio_)));
}

void MapPicture::Clear() {
    image_.fill(Qt::white);
    update();
}

void MapPicture::Refresh() { repaint(); }

void MapPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    // Device pixels onto device pixels: the target is the image's size over
    // the ratio.
    p.drawImage(QRectF(0, 0, image_.width() / ratio_, image_.height() / ratio_), image_);
    const double screenRatio = devicePixelRatioF();
    if (screenRatio != ratio_ && !ratioNoticed_ && PixelRatioChanged) {
        // Once per change; the handler runs after the painting.
        ratioNoticed_ = true;
        QTimer::singleShot(0, this, [this, screenRatio] {
            if (PixelRatioChanged) PixelRatioChanged(screenRatio);
        });
    }
}

void MapPicture::followWidget() {
    const QSize want(std::max(1, int(std::nearbyint(width() * ratio_))),
                     std::max(1, int(std::nearbyint(height() * ratio_))));
    if (image_.size() == want) return;
    image_ = QImage(want, QImage::Format_RGB32);
    image_.fill(Qt::white);
}

void MapPicture::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (followSize_) followWidget();
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
