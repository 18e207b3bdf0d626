#pragma once
// A picture box of the style editors: a fixed outer size with a sunken
// two-pixel border, and inside it an image that its owner paints (through
// the drawing layer) whenever Refresh is called. The image is in device
// pixels, so that a screen of pixel ratio 2 gets twice the pixels drawn at
// twice the resolution, not a blown-up picture. Pointer positions are given
// in image pixels, as the cell arithmetic takes them. A picture that takes
// the focus shows it with a focus rectangle inside its border.
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>

class StylePicture : public QWidget {
public:
    static constexpr int32_t kBorder = 2;

    StylePicture(int32_t outerWidth, int32_t outerHeight, QWidget* parent = nullptr);

    // The inner size in image pixels.
    int32_t ScaleWidth() const { return image_.width(); }
    int32_t ScaleHeight() const { return image_.height(); }
    const QImage& Image() const { return image_; }

    int32_t BackColor() const { return back_; }
    void SetBackColor(int32_t c) { back_ = c; }
    int32_t ForeColor() const { return fore_; }
    void SetForeColor(int32_t c) { fore_ = c; }

    // Paints the image anew and shows it.
    void Refresh();
    // Device pixels per logical pixel (the screen's when last refreshed).
    double PixelRatio() const { return ratio_; }
    // The resolution to draw `image` at: 96 dots per inch times the ratio,
    // carried as the image's own resolution.
    static int32_t Dpi(const QImage& image);

    std::function<void(QImage&)> Paint;
    std::function<void(int32_t x, int32_t y)> MouseMove;
    std::function<void(int32_t button, int32_t x, int32_t y)> MouseUp;
    // A key pressed while the picture has the focus; true when it was used.
    std::function<bool(int key)> KeyDown;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // The image at the screen's ratio (made anew when that changed).
    void FollowRatio();
    QPoint ToImage(const QPointF& pos) const;

    int32_t innerWidth_;
    int32_t innerHeight_;
    double ratio_ = 0;
    QImage image_;
    int32_t back_ = 0xFFFFFF;
    int32_t fore_ = 0;
};
