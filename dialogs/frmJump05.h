#pragma once
// The place-name jump: the user picks a place from the places of the open
// map units or of the gazetteer, by keyword or by browsing; the opener then
// centres the view on it. The gazetteer is built here from every map file of
// the map folder.
#include "dialogs/GazetteerBuilder.h"
#include "dialogs/PlaceList.h"
#include "platform/DialogFrame.h"

#include <QStringList>
#include <array>
#include <cstdint>

class FlexGrid;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class clsMapUnits;

class frmJump05 : public DialogFrame {
public:
    explicit frmJump05(QWidget* parent = nullptr);
    ~frmJump05() override;

    // In: the list the places come from and where a loaded map goes.
    clsMapUnits* mMapUnits = nullptr;
    // Out: the chosen place.
    int32_t mUnitMode = 1;
    int32_t mCx = 0;
    int32_t mCy = 0;
    double mScaleMin = 0;
    double mScaleMax = 0;

    QLabel* lblKey;
    QComboBox* choKeyword;
    QGroupBox* fraSource;
    std::array<QRadioButton*, 2> optSource{};
    QPushButton* cmdGazetteer;
    QLabel* lblList;
    FlexGrid* flgPlaces;
    QLabel* lblCount;
    QLabel* lblMessage;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

    const PlaceList& Places() const { return places_; }
    const QStringList& History() const { return history_; }
    int32_t SortCode() const { return sortCode_; }
    int32_t Source() const { return source_; }
    bool Busy() const { return builder_.Busy(); }

    void optSource_Click(int index);
    void cmdGazetteer_Click();
    void flgPlaces_Click();
    void flgPlaces_DblClick();
    void MakeGrid();
    void SortGrid(int32_t code);
    void SearchKey();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void cmdOK_Click() override;
    void cmdCancel_Click() override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Form_Activate();
    // Enter in the keyword box searches; Enter or Space in the grid is OK.
    bool PreviewKey(QObject* watched, QEvent* e);
    void ShowMessage(const QString& text);
    void ShowCount();
    void ClearGrid();
    // The grid shows the place list as it stands.
    void FillGrid();
    void SetBuilding(bool on);
    // The keyword box's input-method hints for the language.
    void AskInputMethod();
    void SelectSource(int index);
    [[noreturn]] void StopError(const QString& procName);
    void Guard(const char* procName, const std::function<void()>& body);

    PlaceList places_;
    GazetteerBuilder builder_;
    QStringList history_;
    int32_t lang_ = 1;
    QString gazetPath_;
    int32_t source_ = 0;
    int32_t sortCode_ = 0;
    bool closePending_ = false;
    QObject* keyHook_ = nullptr;
};
