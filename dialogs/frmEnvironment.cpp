#include "dialogs/frmEnvironment.h"

#include "core/AngleLib.h"
#include "core/DialogGuard.h"
#include "core/Library.h"
#include "core/PublicVal.h"
#include "dialogs/EntryCheck.h"
#include "dialogs/frmFolder.h"
#include "platform/Desktop.h"
#include "platform/FilePicker.h"
#include "render/clsMapPlot.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace PublicVal;

namespace {

const QString kName = QStringLiteral("frmEnvironment");

} // namespace

frmEnvironment::frmEnvironment(QWidget* parent) : DialogFrame(parent) {
    setWindowTitle(QStringLiteral("環境設定"));
    SetHelpContext(270001);
    SetDefaultOk(false);

    auto* top = new QVBoxLayout(this);

    auto* pathRow = new QHBoxLayout;
    txtMapPath = new QLineEdit(this);
    txtMapPath->setToolTip(QStringLiteral("地図ファイルの規定フォルダ"));
    // Room for a usual folder path, which would otherwise show only its tail.
    txtMapPath->setMinimumWidth(txtMapPath->fontMetrics().averageCharWidth() * 32);
    cmdMapPath = new QPushButton(QStringLiteral("参照"), this);
    cmdMapPath->setToolTip(QStringLiteral("地図ファイルのフォルダを探す"));
    pathRow->addWidget(BuddyLabel(QStringLiteral("地図ファイルフォルダ(&F):"), txtMapPath,
                                  QStringLiteral("地図ファイルの規定フォルダ")));
    pathRow->addWidget(txtMapPath, 1);
    pathRow->addWidget(cmdMapPath);
    top->addLayout(pathRow);

    fraStartMap = new QGroupBox(QStringLiteral("起動時の地図"), this);
    fraStartMap->setToolTip(QStringLiteral("アプリケーション起動時に開く地図"));
    auto* sl = new QGridLayout(fraStartMap);
    optStartMap[0] = new QRadioButton(QStringLiteral("ベース地図のみ(&B)"), fraStartMap);
    optStartMap[1] = new QRadioButton(QStringLiteral("クルーズ実行(&C)"), fraStartMap);
    optStartMap[1]->setToolTip(QStringLiteral("クルーズ機能を実行する"));
    optStartMap[2] = new QRadioButton(QStringLiteral("指定地図(&D)"), fraStartMap);
    optStartMap[2]->setToolTip(QStringLiteral("右で指定した地図を開く"));
    txtStartMapFile = new QLineEdit(fraStartMap);
    txtStartMapFile->setToolTip(QStringLiteral("デフォルト地図ファイル名"));
    cmdStartMapFile = new QPushButton(QStringLiteral("参照"), fraStartMap);
    cmdStartMapFile->setToolTip(QStringLiteral("指定地図ファイルを探す"));
    sl->addWidget(optStartMap[0], 0, 0);
    sl->addWidget(optStartMap[1], 1, 0);
    sl->addWidget(optStartMap[2], 2, 0);
    sl->addWidget(txtStartMapFile, 2, 1);
    sl->addWidget(cmdStartMapFile, 2, 2);
    top->addWidget(fraStartMap);

    fraHome = new QGroupBox(QStringLiteral("ポジション"), this);
    fraHome->setToolTip(QStringLiteral("ポジションを設定する"));
    auto* hl = new QGridLayout(fraHome);
    txtHomeLon = new QLineEdit(fraHome);
    txtHomeLon->setToolTip(QStringLiteral("ポジションの経度を入力"));
    txtHomeLat = new QLineEdit(fraHome);
    txtHomeLat->setToolTip(QStringLiteral("ポジションの緯度を入力"));
    txtHomeScale = new QLineEdit(fraHome);
    txtHomeScale->setToolTip(QStringLiteral("ポジションの縮尺の分母を入力"));
    cmdHomeRec = new QPushButton(QStringLiteral("現在の地図画面(&V)"), fraHome);
    cmdHomeRec->setToolTip(QStringLiteral("地図画面の投影中心座標と縮尺を代入"));
    hl->addWidget(BuddyLabel(QStringLiteral("経度(&X):"), txtHomeLon), 0, 0);
    hl->addWidget(txtHomeLon, 0, 1);
    hl->addWidget(BuddyLabel(QStringLiteral("緯度(&Y):"), txtHomeLat), 1, 0);
    hl->addWidget(txtHomeLat, 1, 1);
    hl->addWidget(BuddyLabel(QStringLiteral("縮尺(&S):  1 /"), txtHomeScale), 2, 0);
    hl->addWidget(txtHomeScale, 2, 1);
    hl->addWidget(cmdHomeRec, 3, 1);
    top->addWidget(fraHome);

    auto* misc = new QGridLayout;
    txtScreenWidth = new QLineEdit(this);
    txtScreenWidth->setToolTip(QStringLiteral("画面の幅をmmで入力"));
    choAngle = new QComboBox(this);
    choAngle->setToolTip(QStringLiteral("経緯度座標の書式"));
    misc->addWidget(BuddyLabel(QStringLiteral("画面幅(&W):"), txtScreenWidth), 0, 0);
    misc->addWidget(txtScreenWidth, 0, 1);
    misc->addWidget(new QLabel(QStringLiteral("mm"), this), 0, 2);
    misc->addWidget(BuddyLabel(QStringLiteral("経緯度書式(&A):"), choAngle), 1, 0);
    misc->addWidget(choAngle, 1, 1, 1, 2);
    top->addLayout(misc);

    MakeStandardButtons(cmdOK, cmdCancel, cmdHelp);
    top->addLayout(StandardButtonRow());

    AddValidator(txtHomeLon, [this] { return txtHomeLon_Validate(); });
    AddValidator(txtHomeLat, [this] { return txtHomeLat_Validate(); });
    AddValidator(txtHomeScale, [this] { return txtHomeScale_Validate(); });
    AddValidator(txtScreenWidth, [this] { return txtScreenWidth_Validate(); });
    for (int i = 0; i < 3; ++i)
        connect(optStartMap[size_t(i)], &QRadioButton::clicked, this, [this, i] { startMode_ = int16_t(i); });
    using DialogGuard::OnSignal;
    OnSignal(choAngle, &QComboBox::activated, this, kName, "choAngle_Click", [this] { choAngle_Click(); });
    OnSignal(cmdMapPath, &QPushButton::clicked, this, kName, "cmdMapPath_Click", [this] { cmdMapPath_Click(); });
    OnSignal(cmdStartMapFile, &QPushButton::clicked, this, kName, "cmdStartMapFile_Click",
             [this] { cmdStartMapFile_Click(); });
    OnSignal(cmdHomeRec, &QPushButton::clicked, this, kName, "cmdHomeRec_Click", [this] { cmdHomeRec_Click(); });
}

frmEnvironment::~frmEnvironment() = default;

const QStringList& frmEnvironment::AngleCaptions() {
    static const QStringList captions = {
        QStringLiteral("00) 未指定"),          QStringLiteral("01) 西経123度12分12秒"),
        QStringLiteral("02) 西経123°12′12″"), QStringLiteral("03) W123d12m12s"),
        QStringLiteral("04) W123ﾟ12'12\""),    QStringLiteral("05) 123ﾟ12'12\"W"),
        QStringLiteral("06) W123_12_12"),      QStringLiteral("07) 123_12_12W"),
        QStringLiteral("08) W123 12 12"),      QStringLiteral("09) 123 12 12W"),
        QStringLiteral("10) -123 12 01"),      QStringLiteral("11) 西経1234567秒"),
        QStringLiteral("12) 西経1234567″"),    QStringLiteral("13) W1234567s"),
        QStringLiteral("14) W1234567\""),      QStringLiteral("15) 1234567\"W"),
        QStringLiteral("16) W1234567"),        QStringLiteral("17) 1234567W"),
        QStringLiteral("18) -1234567"),        QStringLiteral("19) 西経123.1234567度"),
        QStringLiteral("20) 西経123.1234567°"), QStringLiteral("21) W123.1234567d"),
        QStringLiteral("22) W123.1234567ﾟ"),   QStringLiteral("23) 123.1234567ﾟW"),
        QStringLiteral("24) W123.1234567"),    QStringLiteral("25) 123.1234567W"),
        QStringLiteral("26) -123.1234567"),    QStringLiteral("27) 西経1.123456789rad"),
        QStringLiteral("28) W1.123456789rad"), QStringLiteral("29) 西経1.123456789"),
        QStringLiteral("30) W1.123456789"),    QStringLiteral("31) 1.123456789W"),
        QStringLiteral("32) -1.123456789"),
    };
    return captions;
}

const QStringList& frmEnvironment::AngleCodes() {
    static const QStringList codes = {
        "000", "111", "121", "132", "142", "143", "152", "153", "162", "163", "164",
        "311", "321", "332", "342", "343", "362", "363", "364", "411", "421", "432",
        "442", "443", "462", "463", "464", "541", "542", "561", "562", "563", "564",
    };
    return codes;
}

int frmEnvironment::AngleEntry(int16_t value, int16_t unit, int16_t direction) {
    const QString code = QString::number(value) + QString::number(unit) + QString::number(direction);
    const int i = AngleCodes().indexOf(code);
    return i < 0 ? 0 : i;
}

int32_t frmEnvironment::ScreenWidthMM(int32_t pixels, int32_t dpi) {
    if (dpi < 1) return 0;
    return int32_t(int64_t(pixels) * 254 / dpi / 10);
}

int32_t frmEnvironment::ScreenDpiFromMM(int32_t pixels, int32_t mm) {
    if (mm < 1) return 0;
    return int32_t(int64_t(pixels) * 254 / mm / 10);
}

int32_t frmEnvironment::ScreenPixels() {
    const QScreen* s = QGuiApplication::primaryScreen();
    // In device pixels, as the screen resolution counts them.
    return s ? Library::DblToLng(s->geometry().width() * Desktop::DevicePixelRatio()) : 1024;
}

void frmEnvironment::Form_Load() {
    DialogGuard::StopOnError(kName, "Form_Load", [this] {
        mResult = false;
        startMode_ = gvStartMapType;
        // A resolution never read from the settings is the screen's own.
        const int32_t dpi = gvScreenDPI > 0 ? gvScreenDPI : Library::ScreenDPI();
        screenMM_ = ScreenWidthMM(ScreenPixels(), dpi);
        homeLon_ = gvHomeLon;
        homeLat_ = gvHomeLat;
        homeScale_ = gvHomeScaleLL;
        angleValue_ = gvAngleValue;
        angleUnit_ = gvAngleUnit;
        angleDir_ = gvAngleDirection;
        const QSignalBlocker block(choAngle);
        choAngle->clear();
        choAngle->addItems(AngleCaptions());
        // The two path boxes are filled here only, so that a later refresh
        // never throws away what the user has typed into them.
        txtMapPath->setText(gvMapFolder);
        txtStartMapFile->setText(gvStartMapFile);
        ToControl();
    });
}

void frmEnvironment::Form_Unload() {
    mCruise = nullptr;
    mPlot = nullptr;
}

void frmEnvironment::ToControl() {
    DialogGuard::Refresh(refreshing_, kName, "ToControl", [this] {
        optStartMap[size_t(Library::Clamp(startMode_, 0, 2))]->setChecked(true);
        txtScreenWidth->setText(QString::number(screenMM_));
        txtHomeScale->setText(Library::FormatStdInt(homeScale_));
        txtHomeLon->setText(AngleLib::LonToStr(homeLon_));
        txtHomeLat->setText(AngleLib::LatToStr(homeLat_));
        const QSignalBlocker block(choAngle);
        choAngle->setCurrentIndex(AngleEntry(angleValue_, angleUnit_, angleDir_));
    });
}

void frmEnvironment::choAngle_Click() {
    const int i = choAngle->currentIndex();
    if (i < 0 || i >= AngleCodes().size()) return;
    const QString code = AngleCodes().at(i);
    if (code == QLatin1String("000")) return;
    angleValue_ = int16_t(code.at(0).digitValue());
    angleUnit_ = int16_t(code.at(1).digitValue());
    angleDir_ = int16_t(code.at(2).digitValue());
}

bool frmEnvironment::txtHomeLon_Validate() {
    const bool ok = EntryCheck::Longitude(txtHomeLon->text(), homeLon_);
    ToControl();
    return ok;
}

bool frmEnvironment::txtHomeLat_Validate() {
    const bool ok = EntryCheck::Latitude(txtHomeLat->text(), homeLat_);
    ToControl();
    return ok;
}

bool frmEnvironment::txtHomeScale_Validate() {
    if (EntryCheck::Scale(txtHomeScale->text(), homeScale_)) return true;
    ToControl();
    return false;
}

bool frmEnvironment::txtScreenWidth_Validate() {
    const int32_t v = Library::JstrToLong(txtScreenWidth->text());
    if (EntryCheck::Within(v, 10, 9999)) {
        screenMM_ = v;
        return true;
    }
    ToControl();
    return false;
}

void frmEnvironment::cmdMapPath_Click() {
    if (!folder) folder = std::make_unique<frmFolder>(this);
    folder->mPath = txtMapPath->text();
    folder->PlaceFrom(this, 3600, 1050);
    if (folder->ShowModal()) txtMapPath->setText(folder->mPath);
}

void frmEnvironment::cmdStartMapFile_Click() {
    const QString path = FilePicker::InputLoadName(QStringLiteral("起動時に開く地図ファイル"),
                                                   QStringLiteral("地図ファイル(*.MLL)|*.MLL|"), txtStartMapFile->text());
    if (!path.isEmpty()) txtStartMapFile->setText(path);
}

void frmEnvironment::cmdHomeRec_Click() {
    if (!mPlot) return;
    homeLon_ = mPlot->CenterX();
    homeLat_ = mPlot->CenterY();
    homeScale_ = mPlot->MapScale();
    ToControl();
}

void frmEnvironment::cmdOK_Click() {
    DialogGuard::StopOnError(kName, "cmdOK_Click", [this] {
        gvMapFolder = txtMapPath->text();
        gvStartMapType = startMode_;
        SetGvStartMapFile(txtStartMapFile->text());
        gvScreenDPI = int16_t(ScreenDpiFromMM(ScreenPixels(), screenMM_));
        gvHomeLon = homeLon_;
        gvHomeLat = homeLat_;
        gvHomeScaleLL = homeScale_;
        gvAngleValue = angleValue_;
        gvAngleUnit = angleUnit_;
        gvAngleDirection = angleDir_;
        AngleLib::SetAngleFormat(angleValue_);
        AngleLib::SetAngleUnit(angleUnit_);
        AngleLib::SetAngleDir(angleDir_);
    });
    Unload(true);
}
