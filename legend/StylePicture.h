#pragma once
// A picture box of the style editors: a fixed outer size with a sunken
// two-pixel border, and inside it an image that its owner paints (through
// the drawing layer) whenever Refresh is called. Pointer positions are
// given in inner pixels, as the cell arithmetic takes them. A picture that
// takes the focus shows it with a focus rectangle inside its border.
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>

class StylePicture : public QWidget {
public:
    static constexpr int32_t kBorder = 2;

    StylePicture(int32_t outerWidth, int32_t outerHeight, QWidget* parent = nullptr);

    // The inner size in pixels.
    int32_t ScaleWidth() const { return image_.width(); }
    int32_t ScaleHeight() const { return image_.height(); }
    const QImage& Image() const { return image_; }

    int32_t BackColor() const { return back_; }
    void SetBackColor(int32_t c) { back_ = c; }
    int32_t ForeColor() const { return fore_; }
    void SetForeColor(int32_t c) { fore_ = c; }

    // Paints the image anew and shows it.
    void Refresh();

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
    QImage image_;
    int32_t back_ = 0xFFFFFF;
    int32_t fore_ = 0;
};
