#pragma once
// The upright slider of the range dialog: position 1 at the top, a
// selection (SelStart over SelLength positions) painted as a band beside
// the groove, and a press that reports whether Shift alone was held. A
// press on the groove moves the thumb there first, so that the press
// reports the position under the pointer.
#include <QSlider>
#include <cstdint>
#include <functional>

class RangeSlider : public QSlider {
public:
    explicit RangeSlider(QWidget* parent = nullptr);

    int32_t SelStart() const { return selStart_; }
    void SetSelStart(int32_t v);
    int32_t SelLength() const { return selLength_; }
    void SetSelLength(int32_t v);
    void ClearSel();

    // The pixel centre of a position along the slider.
    int32_t PixelOf(int32_t value) const;

    // After the thumb has moved to the pressed position.
    std::function<void(bool shiftOnly)> MouseDown;
    // Every change of the value by the user (pointer or keys).
    std::function<void()> Scroll;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    int32_t selStart_ = 0, selLength_ = 0;
    bool pressing_ = false;
};
