#pragma once
// The map view of the main window put together: the picture, the scroll
// bars, the scale slider with its two buttons, the scale-bar strip, the
// view-area box, the four status panels and the File menu, with the redraw,
// the control sync and the file commands behind them.
#include "app/FileCommands.h"
#include "app/FrameCut.h"
#include "app/MapPicture.h"
#include "app/SurveyTool.h"
#include "app/ViewControls.h"
#include "app/ViewPointer.h"
#include "app/ViewPopupMenu.h"
#include "app/ViewRedraw.h"

#include <QObject>
#include <QSize>
#include <QTimer>
#include <memory>

class QLabel;
class QMainWindow;
class QMenu;
class QScrollBar;
class QSlider;
class QToolButton;

class MainView : public QObject {
public:
    // Builds the controls into the window's central area and status bar, and
    // the File menu into `fileMenu`.
    MainView(QMainWindow* form, QMenu* fileMenu);
    ~MainView() override;

    QMainWindow* mForm;
    QWidget* inner;
    MapPicture* picView;
    MapPicture* picMeasure;
    QWidget* picViewArea;
    QWidget* picScale;
    QToolButton* picScaleSmall;
    QSlider* sliScale;
    QToolButton* picScaleLarge;
    QScrollBar* hsbView;
    QScrollBar* vsbView;
    std::array<QLabel*, 4> stbPanels{};

    ViewRedraw redraw;
    std::unique_ptr<ViewControls> controls;
    std::unique_ptr<FileCommands> files;
    // The mouse on the map: centring, dragging, the tools, the pop-up menu.
    std::unique_ptr<SurveyTool> survey;
    std::unique_ptr<FrameCut> frameCut;
    std::unique_ptr<ViewPointer> pointer;
    ViewPopupMenu* popup;

    // The window's resize: the minimum size, the layout and a redraw (not
    // while a drawing runs).
    void Form_Resize();
    // A resize is applied once its size has settled, from the event loop:
    // drawing inside Qt's layout pass would re-enter it. One that comes
    // while a drawing runs waits for the drawing's end.
    QTimer resizeTimer;
    // The window is on a screen of another device pixel ratio: the pictures
    // take it and the view is laid out and drawn again.
    void SetPixelRatio(double ratio);
    // The window's objects are gone: nothing may be drawn any more.
    void Detach();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool resizePending_ = false;
    QSize leastSize_; // 6525 x 4500 twips
};
