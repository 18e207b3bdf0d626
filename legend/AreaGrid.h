#pragma once
// The area page of the map-symbol dialog: the areas of one area group of
// the chosen unit's working area list, each with the thing page it is
// drawn with and its show switch, changed by mouse, keys, a pop-up page
// list or in bulk; and the colour-coded map generator. Column 3 (hidden)
// keeps each row's area code, so namesakes stay apart.
#include "legend/SymbolPane.h"

#include <QString>
#include <cstdint>
#include <functional>

class FlexGrid;
class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QWidget;
class clsAdmin;
class clsThing;

class AreaGrid : public SymbolPane {
public:
    // Builds the page's controls into `page`.
    AreaGrid(QWidget* page, SymbolWork& work, SymbolSwitches& sw);

    FlexGrid* flgAdmins = nullptr;
    QComboBox* choArea = nullptr;
    QCheckBox* chkAreaSync = nullptr;
    QListWidget* lstPage = nullptr;
    QPushButton* cmdAllAdminOne = nullptr;
    QPushButton* cmdAllAdminShow = nullptr;
    QPushButton* cmdAllAdminHide = nullptr;
    QPushButton* cmdColoredMap = nullptr;

    // The area group shown: a group number, kept for the dialog's life.
    int16_t mAreaGroup = 0;

    // Header and widths for a grid `widthTwips` wide; the page list.
    void Layout(int32_t widthTwips);
    // The width the buttons beside the grid take.
    int32_t SideWidthTwips() const;
    // Enabled for political maps (kind digit 3 or 6 of the map code).
    void SetColoredMapButton(int32_t mapCode);
    void MakeAreaList();
    static QString AdminShowText(const clsAdmin& area);
    void MakeAdminList();
    void SetAdminPage(int16_t page);
    void SetAdminShow(bool show);
    void SyncMapAdmin(const clsAdmin& area);

    void choArea_Click();
    void chkAreaSync_Click();
    void flgAdmins_Click();
    void flgAdmins_KeyDown(int32_t keyCode);
    void flgAdmins_MouseMove();
    void lstPage_Click();
    // A key that moves the list's selection chooses the page it reaches,
    // as a click does, and leaves the list open; Return chooses and closes
    // it, Esc closes only the list (both in the event filter).
    void lstPage_KeyDown(int key);
    void HidePageList();
    void cmdAllAdminOne_Click();
    void cmdAllAdminShow_Click();
    void cmdAllAdminHide_Click();
    void cmdColoredMap_Click();

    // Set by the dialog: choosing thing page 1, redrawing a thing's sample
    // row, and the random generator (r in [0, 1); a clock-seeded one when
    // not set).
    std::function<void()> SelectThingPageOne;
    std::function<void(clsThing&)> RecSample;
    std::function<double()> Random;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sets a value on the whole group or on the current row's area.
    void apply(const std::function<void(clsAdmin&)>& set, int32_t col, const std::function<QString(const clsAdmin&)>& text);
    void showPageList(int32_t row);

    bool choosing_ = false;
};
