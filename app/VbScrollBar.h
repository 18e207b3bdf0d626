#pragma once
// A scroll bar or slider with the range rules of the original controls: Min
// may be larger than Max (a vertical bar from 5400 at the top to -5400 at
// the bottom), the thumb's drag raises Scroll with the dragged position as
// Value, and a settled value (thumb released, arrow, page, or a value
// written in code) raises Change.
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QAbstractSlider;

class VbScrollBar {
public:
    // Takes over the control's range and signals (not owned); tracking off.
    explicit VbScrollBar(QAbstractSlider* control);
    ~VbScrollBar();
    VbScrollBar(const VbScrollBar&) = delete;
    VbScrollBar& operator=(const VbScrollBar&) = delete;

    QAbstractSlider* Control() const { return control_; }
    int32_t Min() const { return min_; }
    int32_t Max() const { return max_; }
    void SetMin(int32_t v);
    void SetMax(int32_t v);
    // While the thumb is dragged, the thumb's position.
    int32_t Value() const;
    // Brought into the range; raises Change when the value changes.
    void SetValue(int32_t v);
    int32_t SmallChange() const;
    void SetSmallChange(int32_t v);
    int32_t LargeChange() const;
    void SetLargeChange(int32_t v);
    // The tip shown beside the thumb while it is dragged.
    QString Text() const { return text_; }
    void SetText(const QString& text);

    std::function<void()> Scroll;
    std::function<void()> Change;

private:
    void applyRange();
    int32_t toControl(int32_t v) const { return reversed() ? -v : v; }
    int32_t fromControl(int32_t v) const { return reversed() ? -v : v; }
    bool reversed() const { return min_ > max_; }

    QAbstractSlider* control_;
    int32_t min_ = 0;
    int32_t max_ = 32767;
    QString text_;
    QMetaObject::Connection moved_, changed_;
};
