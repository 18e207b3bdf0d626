#pragma once
// Mouse input on the map view. Presses and releases are only recorded; the
// click timer, when it fires, tells a click, a double click and a drag
// apart: a left click centres the view (or feeds the active tool), a left
// drag moves the view once at the release, a right click ends the active
// tool or opens the view's pop-up menu. Moves show the pointer's position
// and pull the tools' rubber lines along. Also the Tool menu.
#include "core/CoordTypes.h"

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <cstdint>
#include <functional>

class FrameCut;
class QAction;
class QMenu;
class QMouseEvent;
class QWidget;
class SurveyTool;
class ViewControls;
class ViewRedraw;

class ViewPointer : public QObject {
public:
    ViewPointer(ViewRedraw& redraw, ViewControls& controls, SurveyTool& survey, FrameCut& cut);
    ~ViewPointer() override;

    // Takes the mouse events of the view picture.
    void Attach(QWidget* picture);
    // "ツール(&T)": survey and frame cut, each closed to the other.
    void BuildToolMenu(QMenu* menu);
    void mnuTool_Click();
    // Esc: ends whichever tool is on (not while a drawing runs).
    void EndTools();

    // Shows the pop-up menu at a screen position (right click, no tool).
    std::function<void(const QPoint& globalPos)> ShowPopup;
    // The system's double-click time in milliseconds.
    std::function<int()> DoubleClickTime;

    QTimer tmrClick;
    int16_t iClickCount = 0;
    int16_t iClickButton = 0; // 1 left, 2 right
    int32_t lDownX = 0, lDownY = 0, lUpX = 0, lUpY = 0;
    bool bDragging = false;
    QAction* mnuSurvey = nullptr;
    QAction* mnuFrameCut = nullptr;

    // Buttons: 1 left, 2 right, others 4.
    void picView_MouseDown(int16_t button, int32_t x, int32_t y);
    void picView_MouseUp(int16_t button, int32_t x, int32_t y);
    void picView_MouseMove(int32_t x, int32_t y);
    void tmrClick_Timer();
    // Centres the view on a picture point.
    void CenterOn(CanvasPoint at);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ToolActive() const;
    void LeftClick();
    // The picture point as a map point; points off the canvas (a drag beyond
    // half the view, the accessory band) are taken from the same projection.
    bool ConvertForCentre(CanvasPoint at, MapPoint& m);

    ViewRedraw& redraw_;
    ViewControls& controls_;
    SurveyTool& survey_;
    FrameCut& cut_;
    QPoint ImagePoint(const QPointF& pos) const;

    QWidget* picture_ = nullptr;
};
