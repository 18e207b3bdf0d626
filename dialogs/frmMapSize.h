#pragma once
// The image-size dialog: the output picture's width and height, typed in
// dots, inches or millimetres but always held in pixels, and the output
// resolution that converts between them. Only OK writes the settings.
#include "platform/DialogFrame.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class clsView;

class frmMapSize : public DialogFrame {
public:
    explicit frmMapSize(QWidget* parent = nullptr);

    enum Unit : int16_t { Dots = 0, Inches = 1, Millimetres = 2 };

    clsView* mView = nullptr;

    // Truncated to the precision of the unit (whole dots, a tenth of an
    // inch, whole millimetres).
    static QString PixelsToText(int32_t pixels, int16_t unit, int32_t dpi);
    // The smallest text of that precision that stands for at least
    // `pixels` (read back by TextToPixels).
    static QString PixelsToTextUp(int32_t pixels, int16_t unit, int32_t dpi);
    // The text a box shows for a size of at most `limit` pixels: within the
    // range the size check names (a size that falls short of the smallest
    // text shows that text, one beyond the limit the limit's).
    static QString SizeText(int32_t pixels, int32_t limit, int16_t unit, int32_t dpi);
    // The number rounded to the unit's precision, as the fewest pixels that
    // PixelsToText shows as it; unreadable text counts as 0.
    static int32_t TextToPixels(const QString& text, int16_t unit, int32_t dpi);
    // The resolution a text asks for ("screen", "printer" in any letter
    // case, or a number); a result below 1 gives the screen's own.
    // `fromScreen` tells whether the result is the screen's (and follows it).
    static int32_t RequestedDpi(const QString& text, bool* fromScreen = nullptr);
    // The default printer's resolution, the screen's when there is none.
    static std::function<int32_t()> PrinterDpi;

    int16_t UnitIndex() const { return unit_; }
    int32_t Resolution() const { return dpi_; }
    int32_t PixelWidth() const { return width_; }
    int32_t PixelHeight() const { return height_; }

    QComboBox* choUnit;
    std::array<QLineEdit*, 2> txtSize{};
    QLineEdit* txtDPI;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

    void FillBoxes();
    bool txtDPI_Validate();
    bool txtSize_Validate(int index);

protected:
    void cmdOK_Click() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    int16_t unit_ = Dots; // kept between openings
    int32_t dpi_ = 96;
    bool dpiFromScreen_ = true;
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool filling_ = false;
    // The size texts as last filled in; a box still showing its text keeps
    // its pixels.
    std::array<QString, 2> shown_;
};
