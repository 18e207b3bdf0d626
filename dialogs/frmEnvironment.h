#pragma once
// The environment dialog: map folder, what opens at start-up, the home
// position, the screen width in millimetres (whence the screen resolution)
// and the angle display format. Only OK writes the application settings.
#include "platform/DialogFrame.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class clsCruise05;
class clsMapPlot;
class frmFolder;

class frmEnvironment : public DialogFrame {
public:
    explicit frmEnvironment(QWidget* parent = nullptr);
    ~frmEnvironment() override;

    clsCruise05* mCruise = nullptr;
    clsMapPlot* mPlot = nullptr;

    // The 33 display formats: captions and their three-digit codes.
    static const QStringList& AngleCaptions();
    static const QStringList& AngleCodes();
    // The entry whose code is the three digits; 0 when none is.
    static int AngleEntry(int16_t value, int16_t unit, int16_t direction);
    // Screen width in mm from its width in pixels and a resolution, and back.
    static int32_t ScreenWidthMM(int32_t pixels, int32_t dpi);
    static int32_t ScreenDpiFromMM(int32_t pixels, int32_t mm);
    // The screen's width in device pixels.
    static int32_t ScreenPixels();

    QLineEdit* txtMapPath;
    QPushButton* cmdMapPath;
    QGroupBox* fraStartMap;
    std::array<QRadioButton*, 3> optStartMap{};
    QLineEdit* txtStartMapFile;
    QPushButton* cmdStartMapFile;
    QGroupBox* fraHome;
    QLineEdit* txtHomeLon;
    QLineEdit* txtHomeLat;
    QLineEdit* txtHomeScale;
    QPushButton* cmdHomeRec;
    QLineEdit* txtScreenWidth;
    QComboBox* choAngle;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;
    std::unique_ptr<frmFolder> folder;

    void ToControl();
    bool txtHomeLon_Validate();
    bool txtHomeLat_Validate();
    bool txtHomeScale_Validate();
    bool txtScreenWidth_Validate();
    void choAngle_Click();
    void cmdMapPath_Click();
    void cmdStartMapFile_Click();
    void cmdHomeRec_Click();

    int16_t StartMode() const { return startMode_; }
    int32_t ScreenWidth() const { return screenMM_; }

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void cmdOK_Click() override;

private:
    int16_t startMode_ = 0;
    int32_t screenMM_ = 0;
    int32_t loadedMM_ = 0; // as the dialog opened: an unchanged width is no entry
    int32_t homeLon_ = 0;
    int32_t homeLat_ = 0;
    double homeScale_ = 0;
    int16_t angleValue_ = 0;
    int16_t angleUnit_ = 0;
    int16_t angleDir_ = 0;
    bool refreshing_ = false;
};
