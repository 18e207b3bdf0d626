#pragma once
// A push button whose face is a colour (0x00BBGGRR): the exact colour while
// it can be clicked, faded toward the disabled face when it cannot, so that
// an item that is switched off reads as off.
#include <QPushButton>
#include <cstdint>

class ColorFaceButton : public QPushButton {
public:
    explicit ColorFaceButton(QWidget* parent = nullptr);

    int32_t Color() const { return color_; }
    void SetColor(int32_t color);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int32_t color_ = 0;
};
