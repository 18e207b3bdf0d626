#pragma once
// What the output settings need of the main window: its view picture (size
// in pixels, persistent image), its outer size and its scroll bars, and the
// screen that the window has to fit on. Sizes in twips are 1440 per inch.
#include <QImage>
#include <cstdint>

class ViewHost {
public:
    virtual ~ViewHost();

    virtual int32_t PictureWidth() const = 0;
    virtual int32_t PictureHeight() const = 0;
    // Drops the picture's image and gives it a new size in pixels.
    virtual void ResizePicture(int32_t width, int32_t height) = 0;
    // The picture's persistent image, at the picture's size.
    virtual QImage PictureImage() const = 0;

    // The outer size as the window stands, maximised or not.
    virtual double WindowWidthTwips() const = 0;
    virtual double WindowHeightTwips() const = 0;
    // The outer size the window takes back to normal, frame and all (a
    // maximised window may have lost parts of its frame).
    virtual double NormalWindowWidthTwips() const { return WindowWidthTwips(); }
    virtual double NormalWindowHeightTwips() const { return WindowHeightTwips(); }
    virtual double HScrollWidthTwips() const = 0;
    virtual double VScrollHeightTwips() const = 0;

    // What the desktop's panels leave of the screen the window is on (here
    // the primary one); 1024 by 768 pixels when there is none.
    virtual double ScreenWidthTwips() const;
    virtual double ScreenHeightTwips() const;
    // Twips per device pixel of the picture (real: 7.5 at ratio 2).
    virtual double TwipsPerPixelX() const;
    virtual double TwipsPerPixelY() const;
};
