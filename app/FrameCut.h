#pragma once
// The frame-cut tool of the map view: the user picks two corners in
// longitude and latitude, a rubber frame follows the pointer along the
// projection's curves, and the second corner resizes the image to the
// frame's shape and zooms so that the frame fills it.
#include "core/CoordTypes.h"
#include "core/clsPoly.h"

#include <QCursor>
#include <QSize>
#include <cstdint>
#include <functional>

class ViewControls;
class ViewRedraw;
class clsView;

class FrameCut {
public:
    FrameCut(ViewRedraw& redraw, ViewControls& controls);

    int32_t lCutLon1 = 0, lCutLat1 = 0, lCutLon2 = 0, lCutLat2 = 0;
    clsPoly oCutRubber; // picture pixels, as drawn

    // The screen in the picture's device pixels: the screen the picture is
    // on, unless set.
    std::function<QSize()> ScreenSize;

    // Mode bits in the redraw's iFrameCutMode: 1 on, 2 first corner, 4 drawn.
    bool IsOn() const;
    bool HasCorner() const;

    void mnuFrameCut_Click();
    // A left click on a point that converts.
    void Click(MapPoint p);
    void Move(MapPoint p);
    // Ends the tool without cutting.
    void Cancel();

    clsPoly FrameCutMakePoly();
    void FrameCutOn();
    void FrameCutOff();
    void FrameCutExe();
    // Shifted by whole turns into centre - 180 degrees .. centre + 180 degrees.
    int32_t LonNearCenter(int32_t lon) const;

    // The new image size for a frame w by h pixels on a screen sw by sh, the
    // image now being width by height.
    static QSize CutImageSize(int32_t w, int32_t h, int32_t sw, int32_t sh, int32_t width, int32_t height);

private:
    void CutOn();
    void CutOff();
    int16_t& mode();

    ViewRedraw& redraw_;
    ViewControls& controls_;
    QCursor savedCursor_;
};
