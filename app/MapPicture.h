#pragma once
// A picture box with a persistent image: code draws into Image() and calls
// Refresh(); painting only shows the image. Files dropped on it are handed
// on as a list of paths in the order of the drop.
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <functional>

class MapPicture : public QWidget {
public:
    explicit MapPicture(QWidget* parent = nullptr);

    // The image is in device pixels: the widget's size times PixelRatio(),
    // so that one image pixel lies on one screen pixel.
    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }
    // A new white image of the size in device pixels, and the widget sized
    // to it.
    void ResizePicture(int32_t width, int32_t height);
    double PixelRatio() const { return ratio_; }
    // Takes the device pixel ratio; the image keeps its size until the next
    // ResizePicture (or, with FollowSize, is made anew at once).
    void SetPixelRatio(double ratio);
    // The image pixel under a point in the widget's own coordinates.
    QPoint ToImage(const QPointF& pos) const;
    // Called from painting when the screen's ratio is no longer PixelRatio()
    // (the window moved to another screen).
    std::function<void(double ratio)> PixelRatioChanged;
    // With FollowSize the image is made anew whenever the widget changes size.
    void SetFollowSize(bool on);
    void Clear();
    // Repaints at once, as the picture box's Refresh did.
    void Refresh();

    std::function<void(const QStringList& paths)> FilesDropped;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void followWidget();

    QImage image_;
    bool followSize_ = false;
    double ratio_ = 1.0;
    bool ratioNoticed_ = false;
};

// The local files a drop offers, in its order; empty for other data.
QStringList DroppedFiles(const class QMimeData* data);
