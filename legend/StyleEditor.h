#pragma once
// What the four style editors share: the caption with the thing's name, the
// colour buttons with the box that switches the background (or edge) colour
// on, the sample drawn over a rainbow, the pattern grids with their
// tooltips and highlight, and the OK, Cancel and Help buttons.
#include "platform/DialogFrame.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <initializer_list>

class QAbstractButton;
class QCheckBox;
class QGridLayout;
class QImage;
class QLabel;
class QLayout;
class QPushButton;
class QVBoxLayout;
class StylePicture;
class clsMapGraph;
class clsThing;

class StyleEditor : public DialogFrame {
public:
    // Shown in the caption; set by the opener.
    QString mName;

    // The opener's side of every editor: Load takes the name and the style
    // of the thing's current page into the editor's variables; after OK,
    // Store writes those variables back into that page. Store after a Load
    // and an OK without a change leaves the thing as it was.
    void Load(const clsThing& thing);
    void Store(clsThing& thing) const;

    static constexpr int32_t kHighlight = 0x0000FF; // red
    static constexpr int32_t kBand = 0xE8D8FF;      // pink behind the standard styles

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
    StylePicture* picSample = nullptr;

protected:
    StyleEditor(const QString& objectName, const QString& caption, int32_t helpContext, QWidget* parent);

    // What each editor takes from a thing and gives back.
    virtual void LoadStyle(const clsThing& thing) = 0;
    virtual void StoreStyle(clsThing& thing) const = 0;

    QCheckBox* MakeCheck(const QString& caption, const QString& tip);
    QPushButton* MakeButton(const QString& caption, const QString& tip);
    // A grid of styles (white, drawn in black) under its label.
    StylePicture* MakeGrid(QLabel*& label, const QString& caption, const QString& tip, int32_t w, int32_t h);
    // The sample picture; `paint` draws it, guarded.
    void MakeSample(int32_t w, int32_t h, std::function<void(QImage&)> paint);
    // Paint, MouseMove and MouseUp of a grid go to the handlers `name`_Paint,
    // `name`_MouseMove and `name`_MouseUp, guarded.
    void WireGrid(StylePicture* grid, const QString& name, std::function<void(QImage&)> paint,
                  std::function<void(int32_t, int32_t)> move, std::function<void(int32_t, int32_t, int32_t)> up);
    // Keys on a grid of cols x rows cells that `cellStyle` maps to styles:
    // the arrows, Home and End move the choice to the next cell that offers
    // a style, as a release over that cell does. `current` is the chosen
    // style; when no cell offers it, an arrow takes the first cell.
    static void WireGridKeys(StylePicture* grid, int32_t cols, int32_t rows, std::function<int32_t(int32_t)> cellStyle,
                             std::function<int32_t()> current);
    // The Tab key visits `widgets` in this order, the order they stand in
    // on screen; every opening starts with the focus on the first.
    void SetTabChain(std::initializer_list<QWidget*> widgets);
    // A click runs `handler`, guarded.
    void OnClick(QAbstractButton* button, const char* proc, std::function<void()> handler);
    // The two colour buttons, the box beside the second.
    static QGridLayout* ColourButtons(QPushButton* first, QPushButton* second, QCheckBox* enable);
    // The grid editors: the labelled grid on the left; on the right `above`
    // (may be null), the sample and the colour buttons.
    void LayOutGridEditor(QLabel* label, StylePicture* grid, QLayout* above, QLayout* colours);
    // Ends the dialog's layout with the button row, at its natural size.
    void FinishLayout(QVBoxLayout* box);

    // Caption and the enable box from a colour variable (-1 unticks it and
    // the variable becomes white).
    void LoadCaption();
    static void LoadEnable(QCheckBox* box, int32_t& colour);
    // The colour as the sample draws it: -1 when the box is unticked.
    static int32_t Enabled(const QCheckBox* box, int32_t colour);
    // The palette picker for `colour`; a taken colour also ticks `box`.
    void PickColor(int32_t& colour, QCheckBox* box);

    // Rainbow, then `draw` between GraphBegin and GraphEnd of the drawing
    // layer over the whole image.
    static void PaintSample(QImage& image, const std::function<void(clsMapGraph&, int32_t w, int32_t h)>& draw);

    // The grid scheme of the polygon and polyline editors: background, the
    // band of the standard styles (bandHeight pixels), then every non-empty
    // cell by `drawCell` in red when it holds `current`, else in the grid's
    // fore colour. `probe` gives a point inside cell (row, column).
    struct GridScheme {
        int32_t cols, rows;
        int32_t bandHeight;
        std::function<void(int32_t r, int32_t k, int32_t cw, int32_t ch, int32_t& x, int32_t& y)> probe;
        std::function<int32_t(int32_t x, int32_t y)> styleAt;
        std::function<void(clsMapGraph& g, int32_t style, int32_t colour, int32_t x, int32_t y, int32_t cw, int32_t ch)> drawCell;
    };
    static void PaintGrid(QImage& image, const StylePicture& grid, const GridScheme& s, int32_t current);

    // The tooltip of a grid, set only when it changes.
    static void SetGridTip(StylePicture& grid, const QString& tip);

    // Runs a handler; an error stops the program.
    void Guarded(const QString& proc, const std::function<void()>& f);

    void cmdCancel_Click() override { Unload(false); }
    void showEvent(QShowEvent* e) override;

private:
    QWidget* firstFocus_ = nullptr;
    QString objectName_;
    QString caption_;
};
