#pragma once
// The colour palette picker: the native palette as a grid of cells, shown
// at the mouse pointer. A click or Enter chooses, Esc leaves; Space, F2 or
// the right button put a colour into the user row and edit it.
#include "platform/DialogFrame.h"

#include <cstdint>
#include <memory>

class QLabel;
class QWidget;
class clsNativeColor;
class PaletteModel;

class frmPalette : public DialogFrame {
public:
    explicit frmPalette(QWidget* parent = nullptr);
    ~frmPalette() override;

    // In: the wild choice (-1) is offered.
    bool mWildEi = false;
    // In: the palette to show and edit; the picker closes at once without.
    clsNativeColor* mPalette = nullptr;
    // In: the current colour; out: the chosen one.
    int32_t mColor = -1;

    // Opens the picker at the mouse pointer on `color` with the global
    // palette: the chosen colour, -2 when cancelled. One picker serves the
    // run; `owner` owns it from the first call on.
    static int32_t InputRealColor(QWidget* owner, int32_t color);
    static int32_t InputNativeColor(QWidget* owner, int32_t color);

    // The cell size in twips.
    static constexpr int32_t kCell = 300;

    const PaletteModel* Model() const { return model_.get(); }
    QWidget* picPal;
    QLabel* lblWild;

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    static int32_t Pick(QWidget* owner, int32_t color, bool wild);
    bool OnGrid(QEvent* e);
    void PaintGrid();
    void Edit();
    QPoint ToTwips(QPoint px) const;

    QObject* gridHook_ = nullptr;
    std::unique_ptr<PaletteModel> model_;
    QString tip_;
};
